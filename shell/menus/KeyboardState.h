#pragma once
// The keyboard emulation's logic, without windows: the Alt-key wait as a
// state machine, and which key does what.
//
// Alt going down on a window begins a wait (the window's access-key marks are
// hidden while it lasts); the next key release in any window ends it, and so
// does the application losing the focus, since the release may then never
// reach us.  Nothing spins: the state is looked at when events arrive.

#include <QHash>
#include <QString>

// Key codes and shift bits, with the platform's values.
namespace KeyCode {
constexpr int Shift = 16, Control = 17, Alt = 18, Delete = 46, F1 = 112;
constexpr int A = 65, C = 67, E = 69, F = 70, H = 72, O = 79, Q = 81, S = 83, T = 84, V = 86, X = 88;
}  // namespace KeyCode
namespace ShiftBit {
constexpr int Shift = 1, Ctrl = 2, Alt = 4;
}

// The label (0 File, 1 Edit, 2 Tools, 3 Actions, 4 Help) that Alt+key opens,
// or -1.
int MenuLabelForKey(int keyCode);
// The Edit item (0 Cut, 1 Copy, 2 Paste, 5 Select All) that Ctrl+key runs,
// or -1.  Delete is item 3 with any shift state.
int EditItemForCtrlKey(int keyCode);
enum class FileCommand { None, Open, Save, Exit };
// Ctrl+O, Ctrl+S, Ctrl+Q.
FileCommand FileCommandForCtrlKey(int keyCode);

class KeyWaitState {
public:
    // Alt went down on `windowName`.  When the emulation is ready (start-up
    // complete) and no wait is pending, records the window, begins the wait
    // and returns true.  Otherwise returns false and changes nothing.
    bool Begin(const QString& windowName);
    // A key release: ends a pending wait.  Returns whether one was pending.
    bool End();
    bool Waiting() const { return m_waiting; }
    // The window where the last wait began (kept after the wait ends).
    const QString& KeyDownForm() const { return m_keyDownForm; }
    void Reset();

private:
    bool m_waiting = false;
    QString m_keyDownForm;
};

// The one state of the program.
KeyWaitState& KeyWait();

// The modifiers (shift bits) held when each key went down.  A key acts when
// it is released, with the modifiers held at its press: a user who lets go of
// Ctrl or Alt before the letter still gets Ctrl+O or Alt+F.  The modifier
// keys themselves are not remembered, so their own release has their bit
// clear.
class HeldModifiers {
public:
    // `keyCode` went down with `shift`.
    void Press(int keyCode, int shift);
    // `keyCode` came up with `shift`: the shift state it acts with.
    int Release(int keyCode, int shift);
    // Forgets every press (the program lost the keyboard).
    void Reset() { m_atPress.clear(); }

private:
    QHash<int, int> m_atPress;
};

HeldModifiers& KeyModifiers();
