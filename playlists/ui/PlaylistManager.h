#pragma once
// The Playlist Manager: the open playlist (gPlaylistEntries) in two views, a
// checked list of its entries and the text of its playlist file, the output
// format (M3U, PLS or B4S), File Open, Save and Save As, files and playlists
// dropped on the list, the Actions menu's entry commands and the "Playlist
// Entry" dialog, Read Scan Results (a new playlist from the checked rows of
// the Scanning Centre's results list), Auto-Tidy with its results dialog,
// and the window's skinned chrome and keys.
//
// The text view holds what Save writes: a loaded file's own text until the
// entries change or another format is chosen, then the text built from the
// entries.  Every job of the window (building the text, a drop, Read Scan
// Results, Auto-Tidy, Search For File) runs through RunLongJob; a job that
// changes the entries shows them again in both views before it ends.
//
// A failed open changes nothing: the entries, both views and the playlist's
// path stay as they were.  Save writes a new file beside the old one and
// renames it over it; a read-only playlist is refused.  The Save dialog
// proposes the playlist's name with the extension of the chosen format, and
// a text built in a format gives the playlist that format's extension (M3U,
// PLS and B4S alike), so the next Save asks before it writes.

#include "foundation/Dialogs.h"
#include "foundation/JobHost.h"
#include "foundation/WindowProtocol.h"
#include "shell/ui/SkinnedControls.h"
#include "shell/ui/SkinnedToolWindow.h"

#include <QStringList>
#include <array>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabBar;
class PlaylistModel;
class PlaylistView;
struct AutoTidyReport;

class FormPlaylistManager : public SkinnedToolWindow,
                            public IMenuHost,
                            public IFileOpenHost,
                            public IFileSaveHost,
                            public ISkinHost {
    Q_OBJECT
public:
    explicit FormPlaylistManager(QWidget* parent = nullptr);
    ~FormPlaylistManager() override;

    // ---- public members of the window ----
    clsButton mbuttonRead;
    clsButton mbuttonStop;
    clsButton mbuttonAutoTidy;
    clsOption moptionTitleInfo;  // Index 0
    clsOption moptionFileInfo;   // Index 1
    // The "Playlist Entry" dialog's result: true only after its OK stored an entry.
    bool mblnPlaylistChanged = false;

    // ---- controls ----
    QPushButton* BtnRead = nullptr;
    QPushButton* BtnStop = nullptr;
    QPushButton* BtnAutoTidy = nullptr;
    QLabel* LabelPlaylistFormat = nullptr;
    QComboBox* ComboPlaylistFormat = nullptr;
    SkinImage* ImageBrellick = nullptr;
    QTabBar* TabStripPlaylist = nullptr;
    // Elements 1 and 2 (element 0 is unused).
    std::array<SkinImage*, 3> ImagePlaylist{};
    std::array<SkinLabel*, 3> LabelPlaylist{};
    std::array<QRadioButton*, 2> OptionShow{};
    PlaylistView* ListViewPlaylist = nullptr;
    QPlainTextEdit* RichPlaylist = nullptr;
    SkinImage* ImageRedIndicator = nullptr;
    CommonDialog CommonDialogFile;

    QMenu* mnuFile = nullptr;
    QAction* mnuFileOpen = nullptr;
    QAction* mnuFileSave = nullptr;
    QAction* mnuFileSaveAs = nullptr;
    QAction* mnuFileExit = nullptr;
    QMenu* mnuActions = nullptr;
    QAction* mnuActionsFileInfo = nullptr;
    QAction* mnuActionsPlay = nullptr;
    QAction* mnuActionsEditEntry = nullptr;
    QAction* mnuActionsRemoveEntry = nullptr;
    QAction* mnuActionsInsertEntry = nullptr;
    QAction* mnuActionsAddEntry = nullptr;
    QAction* mnuActionsSyncTitleWithID3Tag = nullptr;
    QAction* mnuActionsSearchForFile = nullptr;
    QMenu* mnuActionsSortPlaylistMenu = nullptr;
    QAction* mnuActionsSortPlaylist = nullptr;
    QAction* mnuActionsSortPlaylistByFileName = nullptr;
    QAction* mnuActionsSortPlaylistByTitle = nullptr;
    QAction* mnuActionsRandomise = nullptr;
    QAction* mnuActionsSyncTitlesWithID3Tags = nullptr;
    QAction* mnuActionsRemoveSelectedEntries = nullptr;
    QAction* mnuActionsCheckAll = nullptr;
    QAction* mnuActionsUncheckAll = nullptr;

    // The list's rows (the open playlist's entries).
    PlaylistModel* Playlist() const { return m_playlist; }
    // The path Save writes to, and the path the playlist was last loaded from.
    const QString& PlaylistFile() const { return mstrPlaylistFile; }
    const QString& LoadedPlaylistFile() const { return mstrLoadedPlaylistFile; }
    // The text view's text (what Save writes).
    QString PlaylistText() const;
    // 1 the playlist view, 2 the text file view.
    int CurrentView() const;
    // The entry of the list's selected row, or -1.
    int SelectedRow() const;
    void SelectRow(int row);

    // ---- the tool-window protocol ----
    void InitialiseDialogText() override;
    void EnableControls(bool blnEnable) override;
    void mnuEdit_Click(int Index) override;
    void mnuFileOpen_Click() override;
    void mnuFileSave_Click() override;
    void mnuFileSaveAs_Click();
    void mnuFileExit_Click() override;
    // Opens a playlist file into the window (File Open, the command line).
    Q_INVOKABLE void LoadPlaylist(const QString& strPlaylistFile);
    // Shows the entries again in the list and rebuilds the text view.
    void UpdatePlaylistDisplay();
    void OptionShow_Click(int Index);
    void ImagePlaylist_Click(int Index);
    void UpdateSkinControls() override;
    void LabelMenu_Click(int Index) override;

    // ---- commands ----
    void BtnRead_Click();
    void BtnStop_Click();
    void BtnAutoTidy_Click();
    void ComboPlaylistFormat_Click();
    void ImageBrellick_Click();
    void ActionsMenuRootSelect();
    void mnuActionsFileInfo_Click();
    void mnuActionsPlay_Click();
    void mnuActionsEditEntry_Click();
    void mnuActionsRemoveEntry_Click();
    void mnuActionsInsertEntry_Click();
    void mnuActionsAddEntry_Click();
    void mnuActionsSyncTitleWithID3Tag_Click();
    void mnuActionsSearchForFile_Click();
    void mnuActionsSortPlaylistByFileName_Click();
    void mnuActionsSortPlaylistByTitle_Click();
    void mnuActionsRandomise_Click();
    void mnuActionsSyncTitlesWithID3Tags_Click();
    void mnuActionsRemoveSelectedEntries_Click();
    void mnuActionsCheckAll_Click();
    void mnuActionsUncheckAll_Click();
    // Files dropped on the list: playlists add their entries, other files
    // themselves, in the order given.
    void ListViewPlaylist_OLEDragDrop(const QStringList& paths);

    // ---- keys ----
    void ProcessShortcutKeys(int KeyCode, int Shift) override;
    QWidget* EditControl() const override;

    // The format and the view (section "PlaylistManager"); the open
    // playlist stays for the next window.
    void ReadSettings() override;
    void WriteSettings() override;

protected:
    void LayoutControls() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls() override;
    void BuildMenus() override;
    void ResizeColumns();
    void TabStripPlaylist_Click();
    void SetPlaylistText(const QString& text);
    void PopulatePlayListView();
    // Rebuilds the text view as a job of its own.
    void CreatePlaylist();
    // The same inside a running job of the window (its host's progress and
    // status); a stop request of the job is cleared first, so the text is
    // always built whole.
    void CreatePlaylistInJob(JobHost& job);
    // Both views again, inside a running job.
    void UpdatePlaylistDisplayInJob(JobHost& job);
    void SavePlaylist(bool blnSaveAs);
    // The dialog in mode 0, 1 or 2; refreshes the views after its OK.
    void ShowEntryDialog(int mode);
    void ShowAutoTidyResults(const AutoTidyReport& report);
    // The full path of the entry of `row`.
    QString FullPathOfRow(int row) const;

    PlaylistModel* m_playlist = nullptr;
    bool mblnLoadingPlaylist = false;
    QString mstrPlaylistFile;
    QString mstrLoadedPlaylistFile;
    bool m_inLayout = false;
};

// Registers the window's factory with the window registry (so the launcher
// bar, the Tools menu, "WindowStates" and the command line's ".m3u" and
// ".pls" reach this window).  The program (app/ui/ProgramWindows.cpp) makes
// ReadPlaylistFilePaths the playlist reader of Scan From Playlist.
void RegisterPlaylistManagerWindow();
