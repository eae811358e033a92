#include "shell/menus/KeyboardState.h"

#include "shell/start/StartProcedure.h"

int MenuLabelForKey(int keyCode) {
    switch (keyCode) {
    case KeyCode::F: return 0;
    case KeyCode::E: return 1;
    case KeyCode::T: return 2;
    case KeyCode::A: return 3;
    case KeyCode::H: return 4;
    default: return -1;
    }
}

int EditItemForCtrlKey(int keyCode) {
    switch (keyCode) {
    case KeyCode::X: return 0;
    case KeyCode::C: return 1;
    case KeyCode::V: return 2;
    case KeyCode::A: return 5;
    default: return -1;
    }
}

FileCommand FileCommandForCtrlKey(int keyCode) {
    switch (keyCode) {
    case KeyCode::O: return FileCommand::Open;
    case KeyCode::S: return FileCommand::Save;
    case KeyCode::Q: return FileCommand::Exit;
    default: return FileCommand::None;
    }
}

bool KeyWaitState::Begin(const QString& windowName) {
    if (!gblnStartupComplete || m_waiting) return false;
    m_keyDownForm = windowName;
    m_waiting = true;
    return true;
}

bool KeyWaitState::End() {
    const bool pending = m_waiting;
    m_waiting = false;
    return pending;
}

void KeyWaitState::Reset() {
    m_waiting = false;
    m_keyDownForm.clear();
}

KeyWaitState& KeyWait() {
    static KeyWaitState state;
    return state;
}

void HeldModifiers::Press(int keyCode, int shift) {
    if (keyCode == 0 || keyCode == KeyCode::Shift || keyCode == KeyCode::Control || keyCode == KeyCode::Alt) return;
    m_atPress.insert(keyCode, shift & (ShiftBit::Shift | ShiftBit::Ctrl | ShiftBit::Alt));
}

int HeldModifiers::Release(int keyCode, int shift) { return shift | m_atPress.take(keyCode); }

HeldModifiers& KeyModifiers() {
    static HeldModifiers held;
    return held;
}
