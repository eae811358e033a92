#pragma once
// Plain skinned windows that stand in for tool windows not built yet: each
// has the tool's name, caption, minimum size, help topic, options page and
// edit control, the five-label menu bar with the shared menus (where the tool
// has one), a File menu with the tool's items, and an empty Actions menu.  So
// the launcher bar, the Tools menu, the keyboard emulation and "WindowStates"
// work from end to end.  A tool's real window replaces its stand-in by
// registering its own factory (RegisterStandInWindows keeps a factory that is
// already there).

#include "shell/menus/ui/KeyRouter.h"
#include "shell/ui/SkinnedWindow.h"

#include <functional>

class QMenu;

struct StandInDesign {
    QString name;
    int captionCode = 0;
    int helpTopic = 0;
    int optionsPage = -1;
    bool coreTool = true;
    bool menuBar = true;
    bool fileOpen = false;
    bool fileSave = false;
    // The control the Edit menu serves: a list, or a read-only rich-text box.
    QString editControl;
    bool editIsText = false;
    // A list's column captions (none: one column, no header).
    QStringList editColumns;
    double minHeight = 5280, minWidth = 8000;  // twips
    bool fixedSize = false;
};

class StandInWindow : public SkinnedJobWindow,
                      public IMenuHost,
                      public IFileOpenHost,
                      public IFileSaveHost,
                      public IKeyHost {
    Q_OBJECT
public:
    explicit StandInWindow(StandInDesign design, QWidget* parent = nullptr);

    const StandInDesign& Design() const { return m_design; }

    // ---- texts ----
    void InitialiseDialogText() override;
    // ---- long jobs ----
    void EnableControls(bool blnEnable) override;
    // ---- label menus ----
    void LabelMenu_Click(int Index) override;
    void mnuEdit_Click(int Index) override;
    void mnuFileExit_Click() override;
    void mnuFileOpen_Click() override;
    void mnuFileSave_Click() override;
    // ---- keys ----
    int HelpTopic() const override { return m_design.helpTopic; }
    QWidget* EditControl() const override { return m_editControl; }

    QMenu* mnuFileRoot = nullptr;
    QAction* mnuFileOpen = nullptr;
    QAction* mnuFileSave = nullptr;
    QAction* mnuFileExit = nullptr;
    QMenu* mnuActionsRoot = nullptr;

protected:
    void LayoutControls() override;

private:
    StandInDesign m_design;
    QWidget* m_editControl = nullptr;
};

// The designs of the tool windows that can stand in (the main window
// never does: it is built, and it alone runs the program's shutdown).
const std::vector<StandInDesign>& StandInDesigns();
// Registers a factory for each window that has none yet, and the launcher
// bar's.
void RegisterStandInWindows();
