#pragma once
// The Duplicate Finder: Find Duplicates lists every checked row of the
// Scanning Centre's results list whose title matches another's
// (duplicates/DuplicateSearch.h); the Actions menu ticks all of them or all
// but the first of each group (duplicates/DuplicateSelect.h), opens the File
// Information window or plays the selected row's file; Delete Selected Files
// deletes or recycles the ticked rows' files (duplicates/DuplicateDelete.h),
// takes their rows out of this list and out of the results list, and names
// every file it could not delete.
//
// Find and Delete run through RunLongJob; while one runs, Find, Delete and
// the File, Edit and Actions labels are off and Stop is on; the list stays
// usable.  The Delete button is on exactly while a row is ticked (and after
// every job).  The window keeps nothing but its position.

#include "duplicates/DuplicatesModel.h"
#include "foundation/JobHost.h"
#include "foundation/WindowProtocol.h"
#include "shell/ui/SkinnedControls.h"
#include "shell/ui/SkinnedToolWindow.h"

class QAction;
class QMenu;
class QPushButton;
class ResultsListView;
class IScanResultsSource;

class FormDuplicateFinder : public SkinnedToolWindow, public IMenuHost {
    Q_OBJECT
public:
    explicit FormDuplicateFinder(QWidget* parent = nullptr);
    ~FormDuplicateFinder() override;

    // ---- public members of the window ----
    clsButton mbuttonFind;
    clsButton mbuttonDelete;
    clsButton mbuttonStop;

    // ---- controls ----
    ResultsListView* ListViewDuplicates = nullptr;
    QPushButton* BtnFind = nullptr;
    QPushButton* BtnDelete = nullptr;
    QPushButton* BtnStop = nullptr;
    SkinImage* ImageBrellick = nullptr;
    SkinImage* ImageRedIndicator = nullptr;

    QMenu* mnuFile = nullptr;
    QAction* mnuFileExit = nullptr;
    QMenu* mnuActions = nullptr;
    QAction* mnuActionsFileInfo = nullptr;
    QAction* mnuActionsPlay = nullptr;
    QAction* mnuActionsSelectAllDups = nullptr;
    QAction* mnuActionsSelectAllDupsBarOne = nullptr;
    QAction* mnuActionsSelectAllDupsWithSameArtistBarOne = nullptr;

    // The rows of the list.
    DuplicatesModel* Duplicates() const { return m_list; }

    // ---- the tool-window protocol ----
    void InitialiseDialogText() override;
    void EnableControls(bool blnEnable) override;
    void LabelMenu_Click(int Index) override;
    void mnuEdit_Click(int Index) override;
    void mnuFileExit_Click() override;

    // ---- commands ----
    void BtnFind_Click();
    void BtnDelete_Click();
    void BtnStop_Click();
    void mnuActionsSelectAllDups_Click();
    void mnuActionsSelectAllDupsBarOne_Click();
    void mnuActionsSelectAllDupsWithSameArtistBarOne_Click();
    void mnuActionsFileInfo_Click();
    void mnuActionsPlay_Click();
    void ImageBrellick_Click();
    // Sets the Actions items' enabled states for the list as it is.
    void ActionsMenuRootSelect();
    // The Delete rule: on exactly while a row is ticked.
    void ListViewDuplicates_ItemCheck();

    // ---- keys ----
    // Alt+D Find, Alt+L Delete, Alt+S Stop, each only while its button is on.
    void ProcessShortcutKeys(int KeyCode, int Shift) override;

protected:
    void LayoutControls() override;

private:
    void BuildControls() override;
    void BuildMenus() override;
    void ResizeColumns();
    void ApplySelectRule(int rule);
    // The full path of the list's current row ("" without one).
    QString CurrentRowPath() const;
    IScanResultsSource* ScanningCentre() const;
    // After a Delete: the results list drops the rows of the deleted files,
    // unless a scan or another job is working on it.
    void ForgetDeletedFiles(const QStringList& paths);

    DuplicatesModel* m_list = nullptr;
    bool m_inLayout = false;
};

// Registers the window's factory with the window registry (the launcher bar,
// the Tools menu and "WindowStates" create it through it).
void RegisterDuplicateFinderWindow();
