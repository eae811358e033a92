#pragma once
// The program's main window: the folder tree, the results list that every
// tool reads, the scan, the Actions menu, the list files, the sort into
// folders by tag, and the program's shutdown in its close handlers.

#include "foundation/Dialogs.h"
#include "foundation/LongJob.h"
#include "options/WindowSettings.h"
#include "scanning/engine/ScanRecord.h"
#include "scanning/engine/FolderScan.h"
#include "scanning/engine/ScanResultsModel.h"
#include "scanning/engine/ScanResultsSource.h"
#include "foundation/WindowProtocol.h"
#include "shell/ui/SkinnedControls.h"
#include "shell/ui/SkinnedToolWindow.h"

#include <QPointer>
#include <QStringList>
#include <array>
#include <memory>
#include <vector>

class FolderTreeControl;
class QAction;
class QCheckBox;
class QMenu;
class QPushButton;
class ScanResultsView;
class Splitter;

class FormMP3ScanningCentre : public SkinnedToolWindow,
                              public IScanResultsHost,
                              public IScanResultsSource,
                              public IMenuHost,
                              public IFileOpenHost,
                              public IFileSaveHost {
    Q_OBJECT
public:
    explicit FormMP3ScanningCentre(QWidget* parent = nullptr);
    ~FormMP3ScanningCentre() override;

    // ---- public members of the window ----
    clsCheckBox mcheckIncSubfolders;
    clsButton mbuttonScan;
    clsButton mbuttonStop;
    QString mstrLastScannedFolder;
    bool mblnDragInProcess = false;

    // ---- controls ----
    FolderTreeControl* FolderTreeview = nullptr;
    ScanResultsView* ListViewScanResults = nullptr;
    ::Splitter* SplitterPanes = nullptr;  // the control "Splitter"
    QCheckBox* CheckIncSubfolders = nullptr;
    SkinImage* ImageIncSubfolders = nullptr;
    SkinLabel* LabelIncSubfolders = nullptr;
    QPushButton* BtnScan = nullptr;
    SkinImage* ImageScan = nullptr;
    SkinLabel* LabelScan = nullptr;
    QPushButton* BtnStop = nullptr;
    SkinImage* ImageStop = nullptr;
    SkinLabel* LabelStop = nullptr;
    SkinImage* ImageRedIndicator = nullptr;
    CommonDialog CommonDialogFile;

    QMenu* mnuFile = nullptr;
    QAction* mnuFileOpen = nullptr;
    QAction* mnuFileSave = nullptr;
    QAction* mnuFileExit = nullptr;
    QMenu* mnuActions = nullptr;
    QAction* mnuActionsFileInfo = nullptr;
    QAction* mnuActionsPlay = nullptr;
    QAction* mnuActionsScanFromPlaylist = nullptr;
    QMenu* mnuActionsSortIntoFoldersMenu = nullptr;
    QAction* mnuActionsSortIntoFolders = nullptr;
    QMenu* mnuActionsSortIntoFoldersByID3v1TagRoot = nullptr;
    QMenu* mnuActionsSortIntoFoldersByID3v2TagRoot = nullptr;
    std::array<QAction*, 5> mnuActionsSortIntoFoldersByID3v1Tag{};
    std::array<QAction*, 10> mnuActionsSortIntoFoldersByID3v2Tag{};
    QAction* mnuActionsCheckAll = nullptr;
    QAction* mnuActionsUncheckAll = nullptr;
    QAction* mnuActionsCustCols = nullptr;

    // ---- the results list as the tools see it ----
    ScanResultsModel* ScanResults() const override { return m_results; }
    QList<int> SelectedScanResultsRows() const override;
    QString LastScannedFolder() const override { return mstrLastScannedFolder; }
    bool DragInProcess() const override { return mblnDragInProcess; }
    bool ScanInProgress() const override { return mblnScanInProgress; }
    bool ScanInhibited() const override { return mblnInhibitScan; }

    // ---- the tool-window protocol ----
    void InitialiseDialogText() override;
    void EnableControls(bool blnEnable) override;
    void LabelMenu_Click(int Index) override;
    void mnuEdit_Click(int Index) override;
    void mnuFileOpen_Click() override;
    void mnuFileSave_Click() override;
    void mnuFileExit_Click() override;
    int64_t ScanResultsCount() const override;
    void SetScanButtonEnabled(bool enabled) override;
    void SetScanResultsEnabled(bool enabled) override;

    // ---- commands ----
    void BtnScan_Click();
    void BtnStop_Click();
    void CheckIncSubfolders_Click();
    void ImageIncSubfolders_Click();
    void mnuActionsFileInfo_Click();
    void mnuActionsPlay_Click();
    void mnuActionsScanFromPlaylist_Click();
    void mnuActionsSortIntoFoldersByID3v1Tag_Click(int Index);
    void mnuActionsSortIntoFoldersByID3v2Tag_Click(int Index);
    void mnuActionsCheckAll_Click();
    void mnuActionsUncheckAll_Click();
    void mnuActionsCustCols_Click();
    // Sets the Actions items' enabled states for the list as it is.
    void ActionsMenuRootSelect();

    // Loads a scan-results file into the list (the command line's ".scn").
    void LoadScanResultsFile(const QString& path);
    // A drop of files on the list: one ".scn" loads, anything else is
    // scanned and appended.
    void ListViewScanResults_OLEDragDrop(const QStringList& paths);
    // Rereads a row's cells from its file (after the File Information window).
    void UpdateScanResult(int row);
    // The close that the window menu, the close box and Alt+F4 ask for (the
    // exit question comes first).
    void CloseFromWindowMenu();
    // The skinned close button's click (asks, then unloads).
    void ImageSystemMenuClose_Click();
    // ---- keys (the keyboard emulation calls these) ----
    // The window's own Alt+letter keys: Alt+S scans (or stops the scan),
    // Alt+I flips Include subfolders.  Shift bits: 1 Shift, 2 Ctrl, 4 Alt.
    void ProcessShortcutKeys(int KeyCode, int Shift) override;

    // Settings of the window (section "MP3ScanningCentre") with the list's
    // sort and columns (options/WindowSettings.h).
    void ReadSettings() override;
    void WriteSettings() override;
    ScanningCentreSettings TakeScanningCentreSettings() const;
    void ShowScanningCentreSettings(const ScanningCentreSettings& settings);

protected:
    void LayoutControls() override;
    // The skinned close button asks before it closes.
    void PrepareLoad() override;
    // A close the platform asks for asks the exit question too.
    void QueryUnload(bool& cancel) override;
    // Stores which windows are open, unloads every other window and ends
    // the program.
    void UnloadOwn() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls() override;
    void BuildMenus() override;
    void FolderTreeview_SelectionChange();
    // The back half that scans, playlist scans and drops share.
    // `clearFirst` empties the list before the rows are added: the option
    // ClearResults for a playlist scan, never for dropped files.
    void InitialiseScan();
    void ConcludeScan(bool clearFirst);
    void SortIntoFolders(int column);


    ScanResultsModel* m_results = nullptr;
    // The scan engine's view of this window (status, progress, stop, yield).
    std::unique_ptr<WindowJobHost> m_host;
    // The scan engine, with the work list of the running scan or drop.
    std::unique_ptr<FolderScan> m_scan;
    bool mblnDropInProcess = false;
    bool m_closeFromPlatform = false;
    bool m_inLayout = false;
};

// Registers the window's factory with the window registry, so the start
// procedure (and every "show by name") creates this window.  How the start
// procedure creates the tag object (this window releases it on unload) is
// wired by the program (app/ui/ProgramWindows.cpp).
void RegisterScanningCentreWindow();
