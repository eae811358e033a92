#include "shell/ui/SkinnedControlBuilder.h"

#include "foundation/Errors.h"
#include "foundation/Twips.h"
#include "shell/SkinScheme.h"
#include "shell/ui/SkinWidgets.h"
#include "shell/ui/SkinnedControls.h"
#include "shell/ui/SkinnedWindow.h"

#include <QCheckBox>
#include <QEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

namespace {

// Between a box and its caption.
constexpr double kCaptionGapTwips = 60;

// Keeps the caption of a check box or option button beside its picture, which
// takes the size of the scheme's picture whenever the window is dressed.
class CaptionBeside final : public QObject {
public:
    CaptionBeside(SkinImage* picture, SkinLabel* label) : QObject(picture), m_label(label) {
        picture->installEventFilter(this);
        Place(*picture);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize) Place(*static_cast<QWidget*>(watched));
        return false;
    }

private:
    void Place(const QWidget& picture) {
        if (!m_label) return;
        m_label->adjustSize();
        m_label->move(picture.x() + picture.width() + TwipsToPixelsX(kCaptionGapTwips),
                      picture.y() + (picture.height() - m_label->height()) / 2);
    }
    QPointer<SkinLabel> m_label;
};

template <typename Standard>
Standard* HiddenStandard(SkinnedWindow* window, const QString& name, const TwipsRect& at) {
    auto* standard = new Standard(window);
    standard->setObjectName(name);
    standard->setGeometry(at.pixels());
    // Seen only with skins off: the skin engine shows it then.
    standard->hide();
    return standard;
}

// A check box's or option's picture and its caption beside it.
void BuildBoxFace(SkinnedWindow* window, const QString& name, const QString& tag, const TwipsRect& at,
                  SkinImage*& picture, SkinLabel*& label) {
    picture = new SkinImage(window);
    picture->setObjectName(QStringLiteral("Image") + name);
    picture->SetStretch(false);
    // No size until the scheme's picture comes in.
    picture->setGeometry(TwipsToPixelsX(at.left), TwipsToPixelsY(at.top), 0, 0);
    SetControlTag(picture, tag);
    label = new SkinLabel(window);
    label->setObjectName(QStringLiteral("Label") + name);
    label->setProperty("AutoSize", true);
    SetControlTag(label, tag);
    new CaptionBeside(picture, label);
}

void RequireWindow(const SkinnedWindow* window) {
    if (!window) RaiseError(ErrNo::ObjectNotSet);
}

}  // namespace

QRect TwipsRect::pixels() const {
    return QRect(TwipsToPixelsX(left), TwipsToPixelsY(top), TwipsToPixelsX(width), TwipsToPixelsY(height));
}

PictureFace BuildPictureFace(QWidget* window, const QString& pictureName, const QString& labelName,
                             const QPixmap& picture, const TwipsRect& at) {
    if (!window) RaiseError(ErrNo::ObjectNotSet);
    PictureFace face;
    face.picture = new SkinImage(window);
    face.picture->setObjectName(pictureName);
    const bool sized = at.width > 0 && at.height > 0;
    face.picture->SetStretch(sized);
    face.picture->SetPicture(picture);
    if (sized)
        face.picture->setGeometry(at.pixels());
    else
        face.picture->move(TwipsToPixelsX(at.left), TwipsToPixelsY(at.top));
    face.label = new SkinLabel(window);
    face.label->setObjectName(labelName);
    face.label->setAlignment(Qt::AlignCenter);
    face.label->setGeometry(face.picture->geometry());
    return face;
}

SkinnedParts<QPushButton> BuildSkinnedButton(SkinnedWindow* window, clsButton& wrapper, const QString& name,
                                             const TwipsRect& at, std::function<void()> command) {
    RequireWindow(window);
    SkinnedParts<QPushButton> parts;
    parts.standard = HiddenStandard<QPushButton>(window, QStringLiteral("Btn") + name, at);
    const PictureFace face = BuildPictureFace(window, QStringLiteral("Image") + name, QStringLiteral("Label") + name,
                                              window->ImageSkins[SkinPicture::ButtonUp], at);
    parts.picture = face.picture;
    parts.label = face.label;
    SetControlTag(parts.picture, QStringLiteral("Button"));
    SetControlTag(parts.label, QStringLiteral("Button"));
    wrapper.SetControls(window, parts.standard, parts.picture, parts.label);
    RouteButtonEvents(wrapper, std::move(command));
    return parts;
}

SkinnedParts<QCheckBox> BuildSkinnedCheckBox(SkinnedWindow* window, clsCheckBox& wrapper, const QString& name,
                                             const TwipsRect& at, std::function<void()> changed) {
    RequireWindow(window);
    SkinnedParts<QCheckBox> parts;
    parts.standard = HiddenStandard<QCheckBox>(window, QStringLiteral("Check") + name, at);
    BuildBoxFace(window, name, QStringLiteral("Check"), at, parts.picture, parts.label);
    wrapper.SetControls(window, parts.standard, parts.picture, parts.label);
    RouteCheckBoxEvents(wrapper, std::move(changed));
    return parts;
}

std::vector<SkinnedParts<QRadioButton>> BuildSkinnedOptionGroup(SkinnedWindow* window,
                                                                const std::vector<clsOption*>& group,
                                                                const QString& name, const std::vector<TwipsRect>& at,
                                                                std::function<void(int)> chosen) {
    RequireWindow(window);
    if (group.size() != at.size()) RaiseError(ErrNo::InvalidCall);
    std::vector<SkinnedParts<QRadioButton>> options;
    for (size_t i = 0; i < group.size(); ++i) {
        if (!group[i]) RaiseError(ErrNo::ObjectNotSet);
        SkinnedParts<QRadioButton> parts;
        parts.standard = HiddenStandard<QRadioButton>(window, QStringLiteral("Option") + name, at[i]);
        BuildBoxFace(window, name, QStringLiteral("Option"), at[i], parts.picture, parts.label);
        // One control array: the element's index on each of the three.
        for (QWidget* control : {static_cast<QWidget*>(parts.standard), static_cast<QWidget*>(parts.picture),
                                 static_cast<QWidget*>(parts.label)})
            control->setProperty("Index", static_cast<int>(i));
        group[i]->SetControls(window, parts.standard, parts.picture, parts.label);
        options.push_back(parts);
    }
    RouteOptionGroup(group, std::move(chosen));
    return options;
}
