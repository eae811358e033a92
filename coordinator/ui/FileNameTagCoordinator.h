#pragma once
// The File Name and Tag Coordinator: the simulate results table with its
// proposed-change boxes, the Simulate run over the checked rows of the
// Scanning Centre's results list, Apply, the switches that Apply reads, the
// override indicator of the Mass Tagging Override Tool, the ".sim" list
// files, the row actions, and the window's skinned chrome and keys.
//
// Every job of the window (Simulate, Apply, opening or saving a list file, a
// drop on the table) runs through RunLongJob: the controls that could start
// another job or change the running one are off meanwhile, the table is
// hidden and its drawing held (except during a drop), and Stop is on.

#include "foundation/Dialogs.h"
#include "foundation/JobHost.h"
#include "options/WindowSettings.h"
#include "foundation/WindowProtocol.h"
#include "shell/ui/SkinnedControls.h"
#include "shell/ui/SkinnedToolWindow.h"

#include <QStringList>
#include <array>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class SimResultsModel;
class SimResultsView;
class IScanResultsSource;

class FormFileNameTagCoordinator : public SkinnedToolWindow,
                                   public IMenuHost,
                                   public IFileOpenHost,
                                   public IFileSaveHost,
                                   public ISkinHost {
    Q_OBJECT
public:
    explicit FormFileNameTagCoordinator(QWidget* parent = nullptr);
    ~FormFileNameTagCoordinator() override;

    // ---- public members of the window ----
    clsCheckBox mcheckOverrideArtist;
    clsButton mbuttonSimulate;
    clsButton mbuttonMassTagging;
    clsCheckBox mcheckChangeFileName;
    clsCheckBox mcheckChangeID3v1Tag;
    clsCheckBox mcheckChangeID3v2Tag;
    clsButton mbuttonApply;
    clsButton mbuttonStop;
    // The confirmation dialog's answer: Apply goes on only when true.
    bool mblnApplyChanges = false;
    // True while the proposed-change boxes are filled from the selected row.
    bool mblnUpdatingProposedChanges = false;

    // ---- controls ----
    SimResultsView* ListViewSimResults = nullptr;
    QLineEdit* TextOverrideArtist = nullptr;
    QCheckBox* CheckOverrideArtist = nullptr;
    QCheckBox* CheckChangeFileName = nullptr;
    QCheckBox* CheckChangeID3v1Tag = nullptr;
    QCheckBox* CheckChangeID3v2Tag = nullptr;
    QPushButton* BtnSimulate = nullptr;
    SkinImage* ImageSimulate = nullptr;
    SkinLabel* LabelSimulate = nullptr;
    QPushButton* BtnMassTagging = nullptr;
    SkinImage* ImageMassTagging = nullptr;
    SkinLabel* LabelMassTagging = nullptr;
    QPushButton* BtnApply = nullptr;
    QPushButton* BtnStop = nullptr;
    QLabel* LabelTagOverrides = nullptr;
    QLabel* LabelTrack = nullptr;
    QLabel* LabelAlbum = nullptr;
    QLabel* LabelArtist = nullptr;
    QLabel* LabelMP3Title = nullptr;
    QLabel* LabelNewFileName = nullptr;
    QLineEdit* TextTrack = nullptr;
    QLineEdit* TextAlbum = nullptr;
    QLineEdit* TextArtist = nullptr;
    QLineEdit* TextTitle = nullptr;
    QLineEdit* TextNewFileName = nullptr;
    SkinImage* ImageRedIndicator = nullptr;
    CommonDialog CommonDialogFile;

    QMenu* mnuFile = nullptr;
    QAction* mnuFileOpen = nullptr;
    QAction* mnuFileSave = nullptr;
    QAction* mnuFileExit = nullptr;
    QMenu* mnuActions = nullptr;
    QAction* mnuActionsFileInfo = nullptr;
    QAction* mnuActionsPlay = nullptr;
    QMenu* mnuActionsAlterActionMenu = nullptr;
    QAction* mnuActionsAlterActionRoot = nullptr;
    std::array<QAction*, 3> mnuActionsAlterAction{};
    QMenu* mnuActionsAlterAllActionsMenu = nullptr;
    QAction* mnuActionsAlterAllActionsRoot = nullptr;
    std::array<QAction*, 3> mnuActionsAlterAllActions{};
    QAction* mnuActionsCheckAll = nullptr;
    QAction* mnuActionsUncheckAll = nullptr;

    // The rows of the simulate results table.
    SimResultsModel* SimResults() const { return m_results; }

    // ---- the tool-window protocol ----
    void InitialiseDialogText() override;
    void EnableControls(bool blnEnable) override;
    void mnuEdit_Click(int Index) override;
    void mnuFileOpen_Click() override;
    void mnuFileSave_Click() override;
    void mnuFileExit_Click() override;
    void LabelMenu_Click(int Index) override;
    void UpdateSkinControls() override;
    // Ticks and colours the row by its action (any other action text leaves
    // both as they are).
    void UpdateSimResultEntry(int row);

    void CheckOverrideArtist_Click() { mcheckOverrideArtist.Click(); }
    void ImageOverrideArtist_Click() { mcheckOverrideArtist.Click(); }
    void CheckChangeFileName_Click() { mcheckChangeFileName.Click(); }
    void ImageChangeFileName_Click() { mcheckChangeFileName.Click(); }
    void CheckChangeID3v1Tag_Click() { mcheckChangeID3v1Tag.Click(); }
    void ImageChangeID3v1Tag_Click() { mcheckChangeID3v1Tag.Click(); }
    void CheckChangeID3v2Tag_Click() { mcheckChangeID3v2Tag.Click(); }
    void ImageChangeID3v2Tag_Click() { mcheckChangeID3v2Tag.Click(); }

    // ---- commands ----
    void BtnSimulate_Click();
    void BtnMassTagging_Click();
    void BtnApply_Click();
    void BtnStop_Click();
    void mnuActionsFileInfo_Click();
    void mnuActionsPlay_Click();
    void mnuActionsAlterAction_Click(int Index);
    void mnuActionsAlterAllActions_Click(int Index);
    void mnuActionsCheckAll_Click();
    void mnuActionsUncheckAll_Click();
    // Sets the Actions items' enabled states for the list as it is.
    void ActionsMenuRootSelect();

    // Loads a simulate-results file into the table in place of its rows.
    void LoadSimResultsFile(const QString& path);
    // A drop on the table: one ".sim" file loads; otherwise the selected rows
    // of the Scanning Centre's results list are simulated and appended.
    void ListViewSimResults_OLEDragDrop(const QStringList& paths);
    // Whether a drag carrying `files` may drop on the table.
    bool ListViewSimResults_OLEDragOver(const QStringList& files) const;
    // The override indicator, as each activation of the window sets it.
    void UpdateOverrideIndicator();

    // ---- keys ----
    // The window's own Alt keys (see the accelerators of its captions).
    void ProcessShortcutKeys(int KeyCode, int Shift) override;

    // Settings of the window (section "FileNameTagCoordinator") with the
    // table's sort (options/WindowSettings.h).
    void ReadSettings() override;
    void WriteSettings() override;
    FileNameTagCoordinatorSettings TakeFileNameTagCoordinatorSettings() const;
    void ShowFileNameTagCoordinatorSettings(const FileNameTagCoordinatorSettings& settings);

protected:
    void LayoutControls() override;
    // Laid out once in the skinned design before the load, so the window's
    // place is chosen with the smallest size its controls need.
    void PrepareLoad() override;
    void UnloadOwn() override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls() override;
    void BuildMenus() override;
    void ResizeColumns();
    // The width of the left column (twips): its built width, or what its
    // captions need in a larger font.
    double LeftColumnTwips() const;
    // The height of the override indicator (twips) in a column `column` wide.
    double TagOverridesTwips(double column) const;
    void UpdateProposedChangesTextBoxes(bool blnEnable);
    // A proposed-change box's text went into cell `column` of the selected row.
    void ProposedChange(QLineEdit* box, int column);
    void ListViewSimResults_ItemCheck(int row, bool checked);
    void SetApplyEnabled(bool enabled);
    void SetAllActions(int Index);
    // The full path of the table's current row ("" without one).
    QString CurrentRowPath() const;
    IScanResultsSource* ScanningCentre() const;

    // ---- the Mass Tagging Override Tool and Apply ----
    // Loads the override tool without showing it.
    void LoadMassTaggingTool();
    // Whether the tool has a field override in force (a field's box ticked in
    // a section whose "Tag en masse" box is ticked).
    bool MassTaggingOverridesInEffect() const;
    // The tool's controls follow the window's job state (its Hide stays on).
    void EnableMassTaggingTool(bool enable);
    // The confirmation dialog: sets mblnApplyChanges.
    void ConfirmApplyChanges();
    // The Apply walk over the ticked rows, once confirmed.
    void ApplyConfirmedChanges(JobHost& job);

    SimResultsModel* m_results = nullptr;
    bool mblnDropInProcess = false;
    bool m_applyDeletes = true;  // the confirmation's answer for rows marked "Delete"
    bool m_inLayout = false;
};

// Registers the window's factory with the window registry, so the launcher
// bar, the Tools menu, "WindowStates" and the command line's ".sim" create
// this window.
void RegisterFileNameTagCoordinatorWindow();
