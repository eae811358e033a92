#pragma once
// What the label menus of the tool windows share: switching the File, Edit
// and Actions labels around long jobs, the Tools menu (open a tool window,
// start the music player, open the options), the Help menu, and the keyboard
// emulation (Alt+letter opens a label's menu; Ctrl+O/S/Q and the edit keys
// act as the File and Edit items do; the access-key marks of the window where
// Alt went down are hidden until the next key release).
//
// Windows are reached through the tool-window protocol: the labels and the
// shared menus of a SkinnedWindow, the File items as the window's QActions
// named "mnuFileOpen", "mnuFileSave" and "mnuFileExit", and the clicks through
// IMenuHost, IFileOpenHost and IFileSaveHost.  A window lacking a member is
// skipped where the procedures below say so.

#include <QString>
#include <functional>

class IToolWindow;
class QWidget;
class SkinnedWindow;

// Tools menu items.
namespace ToolsItem {
constexpr int ScanningCentre = 0, Coordinator = 2, Cataloguer = 3, DuplicateFinder = 4, PlaylistManager = 5,
              EncoderDecoder = 6, MusicPlayer = 8, Options = 10, Preferences = 11;
}
// Help menu items.
namespace HelpItem {
constexpr int Contents = 0, WebSite = 3, About = 5;
}
// The maker's home page (Help item 3).
inline const QString kMakerHomePage = QStringLiteral("https://www.brellick.example/");

// The window that Tools item `item` shows, or the empty text.
QString ToolWindowForItem(int item);

// Enables or disables the File, Edit and Actions labels (Tools and Help stay).
void EnableMenus(IToolWindow* window, bool flag);
// Before the Tools menu pops up: Options and Preferences are disabled while
// any loaded window runs a job.
void ToolsMenuRootSelect(IToolWindow* window);
// Runs Tools item `item`; `page` is the calling window's options page.
void ToolsMenuItemSelect(int item, int page);
// Runs Help item `item`.
void HelpMenuItemSelect(int item);

// ---- keyboard emulation ----
// Alt went down on `window`.  Returns at once: the wait is a state, not a loop.
void KeyEventStart(IToolWindow* window);
// A key was released on `window`; `control` is the control its Edit menu
// serves (null for none).  Handles its own errors.
void KeyEventEnd(IToolWindow* window, int keyCode, int shift, QWidget* control);
void MenuKeyEvent(IToolWindow* window, int keyCode, int shift);
void EditMenuKeyEvent(IToolWindow* window, int keyCode, int shift, QWidget* control);
void FileMenuKeyEvent(IToolWindow* window, int keyCode, int shift);
void RestoreMnemonics(IToolWindow* window);
// Ends a pending wait without a key release (the application lost the focus):
// the marks come back and the emulation is idle again.
void CancelKeyWait();

// Connects a skinned window's shared Tools, Help and Edit items: Tools runs
// ToolsMenuItemSelect with the page `optionsPage` gives at that moment, Help
// runs HelpMenuItemSelect, Edit runs the window's mnuEdit_Click.  Errors are
// shown in the critical error box.
void ConnectSharedMenus(SkinnedWindow* window, std::function<int()> optionsPage);

// A click on label `index` (0 File ... 4 Help) of a tool window: the Edit
// items follow `editControl`, the Tools items the running jobs (then
// `toolsRootSelect`, where given), the Actions items `actionsRootSelect`;
// then the label's menu pops up.  A window without an Actions menu passes no
// `actionsRootSelect` and its label 3 does nothing.  An index outside 0..4
// does nothing; a step that fails shows its error and the next still runs.
void LabelMenuClick(SkinnedWindow* window, int index, QWidget* editControl,
                    const std::function<void()>& actionsRootSelect,
                    const std::function<void()>& toolsRootSelect = {});
// File > Exit of a tool window: unloads it; an error is shown.
void FileExitClick(IToolWindow* window);
