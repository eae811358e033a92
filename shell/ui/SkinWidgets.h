#pragma once
// The two picture-chrome controls of a skinned window: an image control that
// shows one skin picture (stretched to its size, or sized to the picture) and
// a label that draws its caption transparently over the background, with its
// access-key mark underlined.  Both report their mouse events with the
// platform's arguments (Button 1 left, 2 right, 4 middle; Shift bits 1 Shift,
// 2 Ctrl, 4 Alt; X and Y in twips), which is what the skin controller and the
// skinned-control wrappers take.

#include <QLabel>
#include <QPixmap>
#include <QWidget>

// Control tags ("Button", "Check", "Title", ...) are the dynamic property "Tag".
void SetControlTag(QWidget* control, const QString& tag);
QString ControlTag(const QWidget* control);

struct SkinMouseArgs {
    int button = 0;
    int shift = 0;
    float x = 0;
    float y = 0;
};
SkinMouseArgs MouseArgsOf(const class QMouseEvent* event, bool buttonState = false);

// What a skinned picture or label remembers between mouse events: whether the
// left button went down on it, and where the last press happened.
struct SkinMouseState {
    bool leftDown = false;
    QPoint pressGlobal;
};

class SkinImage : public QWidget {
    Q_OBJECT
public:
    explicit SkinImage(QWidget* parent = nullptr);

    // The picture.  Without stretch the control takes the picture's size.
    void SetPicture(const QPixmap& picture);
    const QPixmap& Picture() const { return m_picture; }
    void SetStretch(bool stretch);
    bool Stretch() const { return m_stretch; }
    // Where the last press happened, in screen coordinates.
    QPoint PressGlobalPos() const { return m_mouse.pressGlobal; }

signals:
    void MouseDown(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);
    // Button state while a button is held (for drags), global position.
    void MouseMove(int button, int shift, float x, float y, QPoint globalPos);
    void Click();
    void DblClick();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;

private:
    QPixmap m_picture;
    bool m_stretch = true;
    SkinMouseState m_mouse;
};

class SkinLabel : public QLabel {
    Q_OBJECT
public:
    explicit SkinLabel(QWidget* parent = nullptr);
    explicit SkinLabel(const QString& caption, QWidget* parent = nullptr);

    // 0 no border, 1 a single line (the menu labels look pressed with it).
    void SetBorderStyle(int style);
    int BorderStyle() const { return m_borderStyle; }
    QPoint PressGlobalPos() const { return m_mouse.pressGlobal; }

signals:
    void MouseDown(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);
    void MouseMove(int button, int shift, float x, float y, QPoint globalPos);
    void Click();
    void DblClick();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;

private:
    int m_borderStyle = 0;
    SkinMouseState m_mouse;
};
