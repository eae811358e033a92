#pragma once
// Skinned push buttons, check boxes and option buttons.  Each control is
// built twice on a skinned window: a standard control (seen with skins off)
// and a picture with a caption label over it (seen with skins on).  A wrapper
// binds the trio and its window, so the window sets caption, state, enabled
// state, tool tip, visibility and position once and all three follow.
//
// The wrappers raise no events; the window routes the controls' events to
// them (the Route* helpers below do the usual wiring).  Every getter returns
// the stored field, never the control's present state.  Positions are twips.
// State pictures come from the window's ImageSkins; whether skins are on is
// the preference blnUseSkins at the moment of the call.  A caption label with
// the dynamic property "AutoSize" takes the size of each caption set.
//
// A window builds, binds and wires each trio in one call of
// shell/ui/SkinnedControlBuilder.h.

#include <QPointer>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QWidget;
class SkinImage;

// The members the three wrappers share.  A wrapper bound to a skinned window
// is known to it (SkinnedWindow::RefreshSkinnedControls) until either goes.
class clsSkinnedControl {
public:
    virtual ~clsSkinnedControl();
    QString Caption() const { return m_caption; }
    void SetCaption(const QString& caption);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);
    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);
    QString ToolTipText() const { return m_toolTip; }
    void SetToolTipText(const QString& text);
    float Top() const { return m_top; }
    void SetTop(float top);
    float Left() const { return m_left; }
    void SetLeft(float left);

    // Puts the state picture back (after a new skin); a push button has none.
    virtual void Refresh() {}

    QWidget* Window() const { return m_window; }
    QWidget* StandardControl() const { return m_standard; }
    SkinImage* Picture() const { return m_picture; }
    QLabel* CaptionLabel() const { return m_label; }

protected:
    void Bind(QWidget* window, QWidget* standard, SkinImage* picture, QLabel* label);
    // The standard control's caption, for SetControls.
    virtual QString StandardCaption() const = 0;
    virtual void SetStandardCaption(const QString& caption) = 0;
    // Shows ImageSkins(index) of the window in the picture.
    void ShowSkinPicture(int index);
    QWidget& Standard() const;
    SkinImage& PictureControl() const;
    QLabel& Label() const;

    QString m_caption;
    bool m_enabled = false;
    bool m_visible = false;
    QString m_toolTip;
    float m_top = 0;
    float m_left = 0;
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_standard;
    QPointer<SkinImage> m_picture;
    QPointer<QLabel> m_label;
};

class clsButton : public clsSkinnedControl {
public:
    void SetControls(QWidget* window, QPushButton* standard, SkinImage* picture, QLabel* label);
    // Mouse down / up on the picture or label (Button 1 = left alone):
    // the held-down picture and colour, and the click sound on the press.
    void ButtonDown(int Button);
    void ButtonUp(int Button);

protected:
    QString StandardCaption() const override;
    void SetStandardCaption(const QString& caption) override;
};

class clsCheckBox : public clsSkinnedControl {
public:
    void SetControls(QWidget* window, QCheckBox* standard, SkinImage* picture, QLabel* label);
    // 0 unchecked, 1 checked, 2 grey.
    int16_t Value() const { return m_value; }
    void SetValue(int16_t value);
    // Toggles: 1 becomes 0, anything else 1.
    void Click();
    void Refresh() override;

protected:
    QString StandardCaption() const override;
    void SetStandardCaption(const QString& caption) override;

private:
    int16_t m_value = 0;
    bool mblnSettingValue = false;
    bool mblnClicking = false;
};

class clsOption : public clsSkinnedControl {
public:
    // True while a Value assignment runs: the window's option click handler
    // ignores the click the assignment raises.
    bool mblnValueChanging = false;

    void SetControls(QWidget* window, QRadioButton* standard, SkinImage* picture, QLabel* label);
    bool Value() const { return m_value; }
    void SetValue(bool value);
    // The standard option button's index in its group (dynamic property
    // "Index"), as text; error 343 when it has none.
    QString Index() const;
    void Refresh() override;

protected:
    QString StandardCaption() const override;
    void SetStandardCaption(const QString& caption) override;

private:
    bool m_value = false;
};

// ---- the usual wiring of a window ------------------------------------------
// Push button: the picture's and label's presses and releases drive
// ButtonDown/ButtonUp, and a click on any of the three runs `command`.
void RouteButtonEvents(clsButton& button, std::function<void()> command);
// Check box: a change of the standard box (by the user or by an assignment)
// and a click on the picture or label all go to Click.  `changed`, when
// given, runs once after each click that changed the value (not for a Value
// assignment).
void RouteCheckBoxEvents(clsCheckBox& check, std::function<void()> changed = {});
// A group of option buttons: the window keeps them exclusive.  A click on an
// option (standard control, picture or label) sets every option of the group
// False and the chosen one True, then runs `chosen` with its position in the
// group; clicks raised by Value assignments are ignored.
void RouteOptionGroup(const std::vector<clsOption*>& group, std::function<void(int)> chosen);
