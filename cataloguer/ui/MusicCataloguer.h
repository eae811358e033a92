#pragma once
// The Music Cataloguer: the options of a catalogue run (HTML or text output,
// entries per page, the preferred tag, the output name), Build from the
// checked rows of the Scanning Centre's results list, one viewer tab per
// page, Preview in the desktop's browser, Save as one file per page, the
// Find dialog over the viewer, and the window's skinned chrome, menus and
// keys.
//
// Build and Save run through RunLongJob.  What Build fixes (the entries,
// their order, the output type, the entries per page) stays until the next
// Build; the tag preference, the columns and the header options are read
// again each time a page is rendered, as a tab is selected.  The viewer is a
// read-only plain-text view without line wrapping, so a page of several
// megabytes shows at once; the page's own text, with the CR LF line ends the
// page writers make, is kept beside it for Preview and Save.
//
// The HTML font, header and page-properties dialogs belong to the Options
// dialog, which this window opens from its Tools menu on its catalogue pages;
// the window itself opens none of them.

#include "cataloguer/Catalogue.h"
#include "cataloguer/CataloguePages.h"
#include "foundation/Dialogs.h"
#include "foundation/JobHost.h"
#include "cataloguer/CataloguerOptionSettings.h"
#include "foundation/ReadOptions.h"
#include "options/WindowSettings.h"
#include "foundation/WindowProtocol.h"
#include "shell/ui/SkinnedControls.h"
#include "shell/ui/SkinnedToolWindow.h"

#include <QDateTime>
#include <QLocale>
#include <QStringList>
#include <array>
#include <functional>

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabBar;
class QToolButton;
class IScanResultsSource;

// The up-down spinner beside a text box: two arrow buttons, up and down.
class UpDownControl : public QWidget {
    Q_OBJECT
public:
    explicit UpDownControl(QWidget* parent = nullptr);
    QToolButton* UpButton() const { return m_up; }
    QToolButton* DownButton() const { return m_down; }
signals:
    void up();
    void down();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* m_up;
    QToolButton* m_down;
};

class FormMusicCataloguer : public SkinnedToolWindow,
                            public IMenuHost,
                            public IFileSaveHost,
                            public ISkinHost,
                            public ICataloguerOutputView {
    Q_OBJECT
public:
    explicit FormMusicCataloguer(QWidget* parent = nullptr);
    ~FormMusicCataloguer() override;

    // ---- public members of the window ----
    clsOption moptionHTMLOutput;
    clsOption moptionTextOutput;
    clsOption moptionID3v1Pref;
    clsOption moptionID3v2Pref;
    clsButton mbuttonBuild;
    clsButton mbuttonPreview;
    clsButton mbuttonSave;
    clsButton mbuttonStop;

    // ---- controls ----
    std::array<QRadioButton*, 2> OptionOutput{};
    std::array<SkinImage*, 2> ImageOutput{};
    std::array<QRadioButton*, 2> OptionReliabilityPref{};
    std::array<SkinImage*, 2> ImageReliabilityPref{};
    std::array<SkinLabel*, 2> LabelReliabilityPref{};
    QLabel* LabelEntriesPerPage = nullptr;
    QLineEdit* TextEntriesPerPage = nullptr;
    UpDownControl* UpDownEntriesPerPage = nullptr;
    QLabel* FrameReliabilityPref = nullptr;
    QPushButton* BtnBuild = nullptr;
    QPushButton* BtnPreview = nullptr;
    QPushButton* BtnSave = nullptr;
    QPushButton* BtnStop = nullptr;
    std::array<QFrame*, 2> LineSeparate{};
    QLabel* LabelOutputFileName = nullptr;
    QLineEdit* TextOutputFileName = nullptr;
    QLabel* LabelXXXExtension = nullptr;
    QTabBar* TabStripViewer = nullptr;
    QPlainTextEdit* RichViewer = nullptr;
    SkinImage* ImageRedIndicator = nullptr;
    CommonDialog CommonDialogFont;

    QMenu* mnuFile = nullptr;
    QAction* mnuFileSave = nullptr;
    QAction* mnuFileExit = nullptr;
    QAction* mnuEditFind = nullptr;
    QAction* mnuEditFindNext = nullptr;
    QAction* mnuEditFont = nullptr;

    // ---- the catalogue of the last Build ----
    const Catalogue& Entries() const { return m_catalogue; }
    // The text of the page shown, as the page writer made it (CR LF line
    // ends); empty before the first Build.
    const QString& PageText() const { return m_pageText; }
    // The page shown (1-based), 0 without one.
    int ShownPage() const;
    // The preview files made since the window loaded (removed at unload).
    const QStringList& PreviewFiles() const { return m_previewFiles; }

    // What a rendered page takes from outside: the moment it is made and the
    // locale of its dates and sizes (tests fix both).
    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };
    QLocale locale = QLocale::system();

    // ---- the tool-window protocol ----
    void InitialiseDialogText() override;
    void EnableControls(bool blnEnable) override;
    void mnuEdit_Click(int Index) override;
    void mnuFileExit_Click() override;
    void mnuFileSave_Click() override;
    void OptionOutput_Click(int Index);
    void OptionReliabilityPref_Click(int Index);
    void UpdateSkinControls() override;
    void LabelMenu_Click(int Index) override;

    // ---- ICataloguerOutputView ----
    bool IsHTMLOutputSelected() const override { return moptionHTMLOutput.Value(); }
    void SetExtensionCaption(const QString& caption) override;

    // ---- commands ----
    void BtnBuild_Click();
    void BtnPreview_Click();
    void BtnSave_Click();
    void BtnStop_Click() { mblnStopAll = true; }
    // Renders the page of the selected tab into the viewer.
    void TabStripViewer_Click();
    void mnuEditFind_Click();
    void mnuEditFindNext_Click();
    void mnuEditFont_Click();
    // The spinner's steps (also the Up and Down arrows in the box).
    void UpDownEntriesPerPage_UpClick();
    void UpDownEntriesPerPage_DownClick();

    // ---- keys ----
    void ProcessShortcutKeys(int KeyCode, int Shift) override;

    // Settings of the window (section "MusicCataloguer" and the viewer's font).
    void ReadSettings() override;
    void WriteSettings() override;
    MusicCataloguerSettings TakeMusicCataloguerSettings() const;
    void ShowMusicCataloguerSettings(const MusicCataloguerSettings& settings);

protected:
    void LayoutControls() override;
    // The two etched frames round the output and preference options.
    void DrawPanelFrames();
    void UnloadOwn() override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls() override;
    void BuildMenus() override;
    IScanResultsSource* ScanningCentre() const;
    // The page writers' context as the window stands now.
    CataloguePageContext PageContext() const;
    // Renders page `page` with `job` (whose stop flag ends the rows early).
    void RenderPage(int page, JobHost& job);
    void SetPageText(const QString& text);
    // Writes the shown page to its file in `folder`; false when it was not
    // written (the message is shown).  Failures are raised.
    bool CreateOutputFile(const QString& folder, int page);
    void EntriesPerPageChanged();
    void OutputFileNameChanged();

    Catalogue m_catalogue;
    QString m_pageText;
    QStringList m_previewFiles;
    // The background picture has been copied in this Save.
    bool m_imageCopied = false;
    bool m_rendering = false;
    bool m_inLayout = false;
};

// Asks the user for the output name: the text entered, or an empty text
// when cancelled.  Tests install their own answer; an empty function
// restores the platform's input box.
using OutputNameAsker = std::function<QString(QWidget* owner, const QString& title, const QString& prompt)>;
void SetOutputNameAsker(OutputNameAsker asker);

// Registers the window's factory with the window registry, so the launcher
// bar, the Tools menu and "WindowStates" create this window.
void RegisterMusicCataloguerWindow();
