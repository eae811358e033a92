#include "shell/menus/ui/KeyRouter.h"

#include "foundation/Errors.h"
#include "foundation/WindowProtocol.h"
#include "shell/menus/HelpLink.h"
#include "shell/menus/KeyboardState.h"
#include "shell/menus/ui/Menus.h"

#include <QApplication>
#include <QHash>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

IKeyHost::~IKeyHost() = default;

namespace {

// Qt hands a key event that a control ignores on to the control's parent,
// the same event object each time, up to the window; a key from the window
// system is spontaneous only where it first arrived.  What the key runs may
// take the focus away on the way (a job hides or disables the focused list),
// so the window cannot tell from the focus whether the key reaching it is
// new or handed on: the deliveries under way are remembered by their event.
class KeyDeliveries {
public:
    // Whether `key` reaching `widget` is a key `widget`'s child did not take.
    bool HandedOn(const QKeyEvent* key, QWidget* widget) {
        Delivery* seen = m_deliveries.contains(key) ? &m_deliveries[key] : nullptr;
        if (seen && !key->spontaneous() && seen->type == key->type() && seen->key == key->key() &&
            seen->modifiers == key->modifiers() && seen->at && !seen->at->isWindow() &&
            seen->at->parentWidget() == widget) {
            seen->at = widget;
            return true;
        }
        // A new key (a later key may come in the same event object: it takes
        // the old one's place).  Keys handled inside a command that runs on
        // a key add their own deliveries, so the first key's survives them.
        if (!seen && m_deliveries.size() >= kMostDeliveries) m_deliveries.clear();
        m_deliveries.insert(key, Delivery{key->type(), key->key(), key->modifiers(), widget});
        return false;
    }

private:
    struct Delivery {
        QEvent::Type type = QEvent::None;
        int key = 0;
        Qt::KeyboardModifiers modifiers;
        QPointer<QWidget> at;  // where it was seen last
    };
    // Deliveries live in the frames of the event loops that make them: far
    // fewer than this are ever under way at once.
    static constexpr qsizetype kMostDeliveries = 64;
    QHash<const QKeyEvent*, Delivery> m_deliveries;
};

class KeyRouter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type == QEvent::ShortcutOverride) {
            // A digit of the numeric keypad is no access key (Qt would take
            // it for the digit of the main row): the key goes to the window
            // as the keypad's own.
            auto* key = static_cast<QKeyEvent*>(event);
            if ((key->modifiers() & Qt::KeypadModifier) && key->key() >= Qt::Key_0 && key->key() <= Qt::Key_9)
                event->accept();
            return false;
        }
        if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        // A key acts once, where it first arrived: the window's focus
        // control, or the window itself when it has none.
        if (m_deliveries.HandedOn(key, widget)) return false;
        QWidget* window = widget->window();
        QWidget* first = window->focusWidget() ? window->focusWidget() : window;
        if (widget != first) return false;
        auto* tool = dynamic_cast<IToolWindow*>(window);
        if (!tool || !dynamic_cast<IKeyHost*>(window)) return false;
        const bool press = type == QEvent::KeyPress;
        int code = PlatformKeyCode(key->key());
        // The digits of the numeric keypad have codes of their own (96 to
        // 105), so no window takes them for the digits of the main row.
        if ((key->modifiers() & Qt::KeypadModifier) && key->key() >= Qt::Key_0 && key->key() <= Qt::Key_9)
            code = 96 + (key->key() - Qt::Key_0);
        const int shift = PlatformShiftState(key->modifiers(), key->key(), press);
        if (press) {
            KeyModifiers().Press(code, shift);
            WindowKeyDown(tool, code, shift);
        } else if (!key->isAutoRepeat()) {
            WindowKeyUp(tool, code, KeyModifiers().Release(code, shift));
        }
        return false;
    }

private:
    KeyDeliveries m_deliveries;
};

}  // namespace

void InstallKeyRouter() {
    static KeyRouter* router = nullptr;
    if (router || !qApp) return;
    router = new KeyRouter(qApp);
    qApp->installEventFilter(router);
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, router, [](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive) {
            KeyModifiers().Reset();
            CancelKeyWait();
        }
    });
}

void WindowKeyDown(IToolWindow* window, int keyCode, int shift) {
    auto* host = dynamic_cast<IKeyHost*>(window);
    if (!host) return;
    if (shift & ShiftBit::Alt) {
        ResumeNext([&] { KeyEventStart(window); });
        ResumeNext([&] { host->ProcessShortcutKeys(keyCode, shift); });
    } else {
        ResumeNext([&] { ShowHelpTopic(host->HelpTopic(), keyCode); });
    }
}

void WindowKeyUp(IToolWindow* window, int keyCode, int shift) {
    auto* host = dynamic_cast<IKeyHost*>(window);
    KeyEventEnd(window, keyCode, shift, host ? host->EditControl() : nullptr);
}

int PlatformKeyCode(int qtKey) {
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return 112 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return KeyCode::Shift;
    case Qt::Key_Control: return KeyCode::Control;
    case Qt::Key_Alt: return KeyCode::Alt;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return KeyCode::Delete;
    default: return 0;
    }
}

int PlatformShiftState(Qt::KeyboardModifiers modifiers, int qtKey, bool press) {
    int shift = 0;
    if (modifiers & Qt::ShiftModifier) shift |= ShiftBit::Shift;
    if (modifiers & Qt::ControlModifier) shift |= ShiftBit::Ctrl;
    if (modifiers & Qt::AltModifier) shift |= ShiftBit::Alt;
    int own = 0;
    if (qtKey == Qt::Key_Shift) own = ShiftBit::Shift;
    else if (qtKey == Qt::Key_Control) own = ShiftBit::Ctrl;
    else if (qtKey == Qt::Key_Alt) own = ShiftBit::Alt;
    return press ? (shift | own) : (shift & ~own);
}
