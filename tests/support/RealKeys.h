#pragma once
// Keys as the window system delivers them, through Qt's test keyboard (which
// also offers each press to the shortcut map first, as the platform does):
// every key event goes to the focused control of the active window, or to
// that window itself when no control has the focus, found again for each
// event since a key's command may move the focus.  A modifier key's own press
// carries the modifiers held before it, its release those held before the
// release (its own bit included), as the X server reports them.

#include <QApplication>
#include <QTest>
#include <QWidget>

namespace RealKeys {

inline QWidget* Target() {
    if (QWidget* focus = QApplication::focusWidget()) return focus;
    return QApplication::activeWindow();
}

inline void Press(Qt::Key key, Qt::KeyboardModifiers held) {
    if (QWidget* target = Target()) QTest::simulateEvent(target, true, key, held, QString(), false);
}

inline void Release(Qt::Key key, Qt::KeyboardModifiers held) {
    if (QWidget* target = Target()) QTest::simulateEvent(target, false, key, held, QString(), false);
}

inline Qt::Key KeyOf(Qt::KeyboardModifier modifier) {
    switch (modifier) {
    case Qt::ControlModifier: return Qt::Key_Control;
    case Qt::ShiftModifier: return Qt::Key_Shift;
    default: return Qt::Key_Alt;
    }
}

// `key` pressed and released alone.
inline void Click(Qt::Key key) {
    Press(key, Qt::NoModifier);
    Release(key, Qt::NoModifier);
}

// `text` (ASCII) typed key by key: each character's press and release,
// carrying the character, without modifiers.
inline void Type(const char* text) {
    for (const char* c = text; *c; ++c)
        if (QWidget* target = Target()) QTest::keyClick(target, *c);
}

// `modifier` goes down, then `key`; then the modifier is let go before the
// key (`modifierUpFirst`) or after it.
inline void Chord(Qt::KeyboardModifier modifier, Qt::Key key, bool modifierUpFirst) {
    const Qt::Key modifierKey = KeyOf(modifier);
    Press(modifierKey, Qt::NoModifier);
    Press(key, modifier);
    if (modifierUpFirst) {
        Release(modifierKey, modifier);
        Release(key, Qt::NoModifier);
    } else {
        Release(key, modifier);
        Release(modifierKey, modifier);
    }
}

}  // namespace RealKeys
