#pragma once
// Routes the key events of the windows that take part in the keyboard
// emulation.  A window takes part by deriving from IKeyHost (and being an
// IToolWindow).  Every key-down in such a window, on the window itself or on
// any of its controls, runs the window's key procedure: with Alt held it
// calls KeyEventStart and then the window's own Alt+letter keys, otherwise it
// passes the key to the window's help topic (F1).  Every key-up calls
// KeyEventEnd with the window's edit control, with the modifiers held when
// that key went down as well as those held now (HeldModifiers).  The events
// still reach their controls as usual.  Each key acts once, where it first
// arrived, also when a control passes it on to its window after the command
// it ran took the focus away.
//
// Key codes and shift states are the platform's (see shell/menus/KeyboardState.h).

#include <Qt>

class IToolWindow;
class QWidget;

class IKeyHost {
public:
    virtual ~IKeyHost();
    // The topic that F1 opens on this window.
    virtual int HelpTopic() const = 0;
    // The window's own Alt+letter keys; runs after KeyEventStart.
    virtual void ProcessShortcutKeys(int keyCode, int shift) {
        (void)keyCode;
        (void)shift;
    }
    // The list or text box that the window's Edit menu serves; null for none.
    virtual QWidget* EditControl() const { return nullptr; }
};

// Installs the router on the application (once; later calls do nothing).  It
// also ends a pending Alt wait when the application loses the focus.
void InstallKeyRouter();

// The window's key procedures, as the router calls them.
void WindowKeyDown(IToolWindow* window, int keyCode, int shift);
void WindowKeyUp(IToolWindow* window, int keyCode, int shift);

// The platform's key code of a Qt key (letters and digits as their capitals'
// character codes, F1 = 112, Delete = 46, Alt = 18 ...; 0 for keys it has
// none for).
int PlatformKeyCode(int qtKey);
// The platform's shift state (1 Shift, 2 Ctrl, 4 Alt) of a key event.  For a
// modifier key itself the bit counts as set on its press and clear on its
// release, whatever the window system reported.
int PlatformShiftState(Qt::KeyboardModifiers modifiers, int qtKey, bool press);
