#include "shell/ui/SkinnedControls.h"

#include "foundation/Errors.h"
#include "foundation/OptionRecords.h"
#include "foundation/ResourceStrings.h"
#include "foundation/Twips.h"
#include "shell/SkinScheme.h"
#include "shell/ui/SkinWidgets.h"
#include "shell/ui/SkinnedWindow.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>

// ---- shared members ---------------------------------------------------------

clsSkinnedControl::~clsSkinnedControl() {
    if (auto* skinned = qobject_cast<SkinnedWindow*>(m_window.data())) skinned->RemoveSkinnedControl(this);
}

void clsSkinnedControl::Bind(QWidget* window, QWidget* standard, SkinImage* picture, QLabel* label) {
    if (m_window != window) {
        if (auto* old = qobject_cast<SkinnedWindow*>(m_window.data())) old->RemoveSkinnedControl(this);
        if (auto* skinned = qobject_cast<SkinnedWindow*>(window)) skinned->AddSkinnedControl(this);
    }
    m_window = window;
    m_standard = standard;
    m_picture = picture;
    m_label = label;
    m_caption = StandardCaption();
    m_enabled = Standard().isEnabled();
    m_toolTip = Standard().toolTip();
    m_top = static_cast<float>(PixelsToTwipsY(Standard().y()));
    m_left = static_cast<float>(PixelsToTwipsX(Standard().x()));
}

QWidget& clsSkinnedControl::Standard() const {
    if (!m_standard) RaiseError(ErrNo::ObjectNotSet);
    return *m_standard;
}

SkinImage& clsSkinnedControl::PictureControl() const {
    if (!m_picture) RaiseError(ErrNo::ObjectNotSet);
    return *m_picture;
}

QLabel& clsSkinnedControl::Label() const {
    if (!m_label) RaiseError(ErrNo::ObjectNotSet);
    return *m_label;
}

void clsSkinnedControl::ShowSkinPicture(int index) {
    if (!m_window) RaiseError(ErrNo::ObjectNotSet);
    auto* window = qobject_cast<SkinnedWindow*>(m_window.data());
    if (!window) RaiseError(ErrNo::MemberNotFound);  // a window without ImageSkins
    PictureControl().SetPicture(window->ImageSkins[static_cast<size_t>(index)]);
}

void clsSkinnedControl::SetCaption(const QString& caption) {
    m_caption = caption;
    SetStandardCaption(caption);
    QLabel& label = Label();
    label.setText(caption);
    // A caption beside its box (dynamic property "AutoSize") fits its text.
    if (label.property("AutoSize").toBool()) label.adjustSize();
}

void clsSkinnedControl::SetEnabled(bool enabled) {
    m_enabled = enabled;
    Standard().setEnabled(enabled);
    PictureControl().setEnabled(enabled);
    Label().setEnabled(enabled);
}

void clsSkinnedControl::SetVisible(bool visible) {
    m_visible = visible;
    const bool skins = Options().Preferences.blnUseSkins;
    Standard().setVisible(visible && !skins);
    PictureControl().setVisible(visible && skins);
    Label().setVisible(visible && skins);
}

void clsSkinnedControl::SetToolTipText(const QString& text) {
    m_toolTip = text;
    Standard().setToolTip(text);
    PictureControl().setToolTip(text);
    Label().setToolTip(text);
}

void clsSkinnedControl::SetTop(float top) {
    m_top = top;
    Standard().move(Standard().x(), TwipsToPixelsY(top));
    SkinImage& picture = PictureControl();
    picture.move(picture.x(), TwipsToPixelsY(top));
    QLabel& label = Label();
    const float labelTop = top + static_cast<float>(PixelsToTwipsY(picture.height())) / 2.0f -
                           static_cast<float>(PixelsToTwipsY(label.height())) / 2.0f;
    label.move(label.x(), TwipsToPixelsY(labelTop));
}

void clsSkinnedControl::SetLeft(float left) {
    m_left = left;
    Standard().move(TwipsToPixelsX(left), Standard().y());
    SkinImage& picture = PictureControl();
    picture.move(TwipsToPixelsX(left), picture.y());
    QLabel& label = Label();
    const float labelLeft = left + static_cast<float>(PixelsToTwipsX(picture.width())) / 2.0f -
                            static_cast<float>(PixelsToTwipsX(label.width())) / 2.0f;
    label.move(TwipsToPixelsX(labelLeft), label.y());
}

// ---- push button ------------------------------------------------------------

void clsButton::SetControls(QWidget* window, QPushButton* standard, SkinImage* picture, QLabel* label) {
    Bind(window, standard, picture, label);
}

QString clsButton::StandardCaption() const { return static_cast<QPushButton&>(Standard()).text(); }

void clsButton::SetStandardCaption(const QString& caption) { static_cast<QPushButton&>(Standard()).setText(caption); }

namespace {
void SetLabelColour(QLabel& label, int32_t value) {
    QPalette palette = label.palette();
    SetSkinColour(palette, QPalette::WindowText, ColorFromValue(value));
    label.setPalette(palette);
}
}  // namespace

void clsButton::ButtonDown(int Button) {
    if (Button != 1) return;
    ResumeNext([] { PlayResourceSound(101); });
    ResumeNext([&] { ShowSkinPicture(SkinPicture::ButtonDown); });
    ResumeNext([&] { SetLabelColour(Label(), gudtSkinSettings.ButtonDownForeColor); });
}

void clsButton::ButtonUp(int Button) {
    if (Button != 1) return;
    ResumeNext([&] { ShowSkinPicture(SkinPicture::ButtonUp); });
    ResumeNext([&] { SetLabelColour(Label(), gudtSkinSettings.ButtonForeColor); });
}

// ---- check box --------------------------------------------------------------

void clsCheckBox::SetControls(QWidget* window, QCheckBox* standard, SkinImage* picture, QLabel* label) {
    m_standard = standard;
    if (!standard) RaiseError(ErrNo::ObjectNotSet);
    switch (standard->checkState()) {
    case Qt::Checked: m_value = 1; break;
    case Qt::PartiallyChecked: m_value = 2; break;
    default: m_value = 0; break;
    }
    Bind(window, standard, picture, label);
}

QString clsCheckBox::StandardCaption() const { return static_cast<QCheckBox&>(Standard()).text(); }

void clsCheckBox::SetStandardCaption(const QString& caption) { static_cast<QCheckBox&>(Standard()).setText(caption); }

void clsCheckBox::SetValue(int16_t value) {
    if (mblnSettingValue) return;
    if (value < 0 || value > 2) RaiseError(ErrNo::InvalidPropertyValue);
    mblnSettingValue = true;
    // Released on every way out, an error included.
    const auto release = qScopeGuard([this] { mblnSettingValue = false; });
    m_value = value;
    // May raise the standard box's change, which reaches Click while this
    // assignment still runs.
    static_cast<QCheckBox&>(Standard()).setCheckState(value == 1   ? Qt::Checked
                                                      : value == 2 ? Qt::PartiallyChecked
                                                                   : Qt::Unchecked);
    if (Options().Preferences.blnUseSkins) ShowSkinPicture(value == 1 ? SkinPicture::CheckOn : SkinPicture::CheckOff);
}

void clsCheckBox::Click() {
    if (mblnClicking) return;
    mblnClicking = true;
    const auto release = qScopeGuard([this] { mblnClicking = false; });
    SetValue(m_value == 1 ? 0 : 1);
}

void clsCheckBox::Refresh() { SetValue(m_value); }

// ---- option button ----------------------------------------------------------

void clsOption::SetControls(QWidget* window, QRadioButton* standard, SkinImage* picture, QLabel* label) {
    m_standard = standard;
    if (!standard) RaiseError(ErrNo::ObjectNotSet);
    // The window keeps its group exclusive; left to itself the toolkit
    // would refuse to clear a checked option button.
    standard->setAutoExclusive(false);
    m_value = standard->isChecked();
    Bind(window, standard, picture, label);
}

QString clsOption::StandardCaption() const { return static_cast<QRadioButton&>(Standard()).text(); }

void clsOption::SetStandardCaption(const QString& caption) {
    static_cast<QRadioButton&>(Standard()).setText(caption);
}

void clsOption::SetValue(bool value) {
    mblnValueChanging = true;
    const auto release = qScopeGuard([this] { mblnValueChanging = false; });
    m_value = value;
    static_cast<QRadioButton&>(Standard()).setChecked(value);
    if (Options().Preferences.blnUseSkins) ShowSkinPicture(value ? SkinPicture::RadioOn : SkinPicture::RadioOff);
}

QString clsOption::Index() const {
    const QVariant index = Standard().property("Index");
    if (!index.isValid()) RaiseError(ErrNo::ObjectNotAnArray);
    return QString::number(index.toInt());
}

void clsOption::Refresh() { SetValue(m_value); }

// ---- wiring -----------------------------------------------------------------

void RouteButtonEvents(clsButton& button, std::function<void()> command) {
    auto run = [command] {
        if (command) ResumeNext(command);
    };
    clsButton* b = &button;
    SkinImage* picture = button.Picture();
    auto* label = qobject_cast<SkinLabel*>(button.CaptionLabel());
    auto* standard = qobject_cast<QPushButton*>(button.StandardControl());
    if (picture) {
        QObject::connect(picture, &SkinImage::MouseDown, picture, [b](int bt, int, float, float) { b->ButtonDown(bt); });
        QObject::connect(picture, &SkinImage::MouseUp, picture, [b](int bt, int, float, float) { b->ButtonUp(bt); });
        QObject::connect(picture, &SkinImage::Click, picture, run);
    }
    if (label) {
        QObject::connect(label, &SkinLabel::MouseDown, label, [b](int bt, int, float, float) { b->ButtonDown(bt); });
        QObject::connect(label, &SkinLabel::MouseUp, label, [b](int bt, int, float, float) { b->ButtonUp(bt); });
        QObject::connect(label, &SkinLabel::Click, label, run);
    }
    if (standard) QObject::connect(standard, &QPushButton::clicked, standard, run);
}

void RouteCheckBoxEvents(clsCheckBox& check, std::function<void()> changed) {
    clsCheckBox* c = &check;
    auto click = [c, changed] {
        ResumeNext([&] {
            // A click on the picture or label assigns the standard box, which
            // reports a change of its own while the first click runs: only
            // the click that changed the value reaches `changed`.
            const int16_t before = c->Value();
            c->Click();
            if (changed && c->Value() != before) changed();
        });
    };
    if (auto* standard = qobject_cast<QCheckBox*>(check.StandardControl()))
        QObject::connect(standard, &QCheckBox::stateChanged, standard, click);
    if (SkinImage* picture = check.Picture()) QObject::connect(picture, &SkinImage::Click, picture, click);
    if (auto* label = qobject_cast<SkinLabel*>(check.CaptionLabel()))
        QObject::connect(label, &SkinLabel::Click, label, click);
}

void RouteOptionGroup(const std::vector<clsOption*>& group, std::function<void(int)> chosen) {
    auto choose = [group, chosen](int index) {
        ResumeNext([&] {
            for (const clsOption* option : group)
                if (option->mblnValueChanging) return;  // raised by an assignment
            for (clsOption* option : group) option->SetValue(false);
            group[static_cast<size_t>(index)]->SetValue(true);
            if (chosen) chosen(index);
        });
    };
    for (size_t i = 0; i < group.size(); ++i) {
        const int index = static_cast<int>(i);
        clsOption* option = group[i];
        if (auto* standard = qobject_cast<QRadioButton*>(option->StandardControl())) {
            QObject::connect(standard, &QRadioButton::toggled, standard, [choose, index, option](bool on) {
                // A user's click on the chosen option clears it: choose it again.
                if (on || option->Value()) choose(index);
            });
        }
        if (SkinImage* picture = option->Picture())
            QObject::connect(picture, &SkinImage::Click, picture, [choose, index] { choose(index); });
        if (auto* label = qobject_cast<SkinLabel*>(option->CaptionLabel()))
            QObject::connect(label, &SkinLabel::Click, label, [choose, index] { choose(index); });
    }
}
