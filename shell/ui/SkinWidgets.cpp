#include "shell/ui/SkinWidgets.h"

#include "foundation/Twips.h"
#include "shell/ui/LabelMenuMarks.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QVariant>

void SetControlTag(QWidget* control, const QString& tag) {
    if (control) control->setProperty("Tag", tag);
}

QString ControlTag(const QWidget* control) {
    return control ? control->property("Tag").toString() : QString();
}

namespace {
int ButtonBits(Qt::MouseButtons buttons) {
    int bits = 0;
    if (buttons & Qt::LeftButton) bits |= 1;
    if (buttons & Qt::RightButton) bits |= 2;
    if (buttons & Qt::MiddleButton) bits |= 4;
    return bits;
}

// Both skinned controls turn mouse events into the same signals.  A click is
// a left press and release inside the control; the second press of a double
// click is the double click only: its release is a mouse-up but no second
// click, so a double click on a picture button runs its command once and
// toggles a check box once.
template <typename W>
void RelayPress(W& w, SkinMouseState& state, QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) state.leftDown = true;
    state.pressGlobal = event->globalPosition().toPoint();
    const SkinMouseArgs a = MouseArgsOf(event);
    emit w.MouseDown(a.button, a.shift, a.x, a.y);
}

template <typename W>
void RelayRelease(W& w, SkinMouseState& state, QMouseEvent* event) {
    const SkinMouseArgs a = MouseArgsOf(event);
    const bool click =
        event->button() == Qt::LeftButton && state.leftDown && w.rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton) state.leftDown = false;
    emit w.MouseUp(a.button, a.shift, a.x, a.y);
    if (click) emit w.Click();
}

template <typename W>
void RelayMove(W& w, QMouseEvent* event) {
    const SkinMouseArgs a = MouseArgsOf(event, true);
    emit w.MouseMove(a.button, a.shift, a.x, a.y, event->globalPosition().toPoint());
}

template <typename W>
void RelayDoubleClick(W& w, SkinMouseState& state, QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        state.leftDown = false;
        emit w.DblClick();
    }
}
}  // namespace

SkinMouseArgs MouseArgsOf(const QMouseEvent* event, bool buttonState) {
    SkinMouseArgs args;
    args.button = ButtonBits(buttonState ? event->buttons() : Qt::MouseButtons(event->button()));
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (mods & Qt::ShiftModifier) args.shift |= 1;
    if (mods & Qt::ControlModifier) args.shift |= 2;
    if (mods & Qt::AltModifier) args.shift |= 4;
    args.x = static_cast<float>(PixelsToTwipsX(event->position().x()));
    args.y = static_cast<float>(PixelsToTwipsY(event->position().y()));
    return args;
}

// ---- SkinImage --------------------------------------------------------------

SkinImage::SkinImage(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_TranslucentBackground); }

void SkinImage::SetPicture(const QPixmap& picture) {
    m_picture = picture;
    if (!m_stretch && !m_picture.isNull()) resize(m_picture.deviceIndependentSize().toSize());
    update();
}

void SkinImage::SetStretch(bool stretch) {
    m_stretch = stretch;
    if (!m_stretch && !m_picture.isNull()) resize(m_picture.deviceIndependentSize().toSize());
    update();
}

void SkinImage::paintEvent(QPaintEvent*) {
    if (m_picture.isNull()) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (m_stretch)
        painter.drawPixmap(rect(), m_picture);
    else
        painter.drawPixmap(0, 0, m_picture);
}

void SkinImage::mousePressEvent(QMouseEvent* event) { RelayPress(*this, m_mouse, event); }

void SkinImage::mouseReleaseEvent(QMouseEvent* event) { RelayRelease(*this, m_mouse, event); }

void SkinImage::mouseMoveEvent(QMouseEvent* event) { RelayMove(*this, event); }

void SkinImage::mouseDoubleClickEvent(QMouseEvent* event) { RelayDoubleClick(*this, m_mouse, event); }

// ---- SkinLabel --------------------------------------------------------------

SkinLabel::SkinLabel(QWidget* parent) : QLabel(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
}

SkinLabel::SkinLabel(const QString& caption, QWidget* parent) : SkinLabel(parent) { setText(caption); }

void SkinLabel::SetBorderStyle(int style) {
    m_borderStyle = style;
    setFrameStyle(style == 1 ? (QFrame::Box | QFrame::Plain) : QFrame::NoFrame);
    update();
}

void SkinLabel::paintEvent(QPaintEvent* event) {
    if (textFormat() == Qt::RichText || !pixmap().isNull()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    // The caption's "&" marks the access letter, as on every other control.
    style()->drawItemText(&painter, contentsRect(), static_cast<int>(alignment()) | MnemonicFlag(this) |
                                                        (wordWrap() ? Qt::TextWordWrap : 0),
                          palette(), isEnabled(), text(), foregroundRole());
}

void SkinLabel::mousePressEvent(QMouseEvent* event) { RelayPress(*this, m_mouse, event); }

void SkinLabel::mouseReleaseEvent(QMouseEvent* event) { RelayRelease(*this, m_mouse, event); }

void SkinLabel::mouseMoveEvent(QMouseEvent* event) { RelayMove(*this, event); }

void SkinLabel::mouseDoubleClickEvent(QMouseEvent* event) { RelayDoubleClick(*this, m_mouse, event); }
