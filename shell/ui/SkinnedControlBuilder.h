#pragma once
// One call builds a skinned push button, check box or option button on a
// skinned window: the standard control (hidden; it is what the user sees with
// skins off), the picture and the caption label (seen with skins on), all
// three bound with the window into the window's wrapper (SetControls) and
// their events routed to it (RouteButtonEvents, RouteCheckBoxEvents,
// RouteOptionGroup in shell/ui/SkinnedControls.h).
//
// Names follow the window's wrapper: for the name "Apply" a button is
// BtnApply, ImageApply and LabelApply; a check box CheckApply, ImageApply,
// LabelApply; the options of a group are the control array OptionApply,
// ImageApply, LabelApply with the dynamic property "Index" 0, 1, ...  The
// pictures and labels carry the tags the skin engine dresses ("Button",
// "Check", "Option"); the state pictures arrive when the window is dressed.
//
// Geometry is in twips and is for the skinned chrome of a tool window only:
// a button's picture and standard control fill the rectangle with the
// caption centred on it; a check box's or option's standard control fills it
// while its picture takes the scheme picture's size at the rectangle's top
// left, the caption beside it (kept there when a scheme with other picture
// sizes comes in).  Move them later with the wrapper's Top (and a button with
// Left).  Dialogs lay out standard Qt controls with Qt layouts instead.
//
// How a new tool window uses it: one call per control in its constructor,
// before LoadWindow(), which sets the captions (InitialiseDialogText) and
// dresses the window as the preferences say:
//
//   BuildSkinnedButton(this, mbuttonApply, QStringLiteral("Apply"), {120, 5160, 1368, 348},
//                      [this] { BtnApply_Click(); });
//   BuildSkinnedCheckBox(this, mcheckChangeFileName, QStringLiteral("ChangeFileName"), {120, 4800, 2892, 252});
//   BuildSkinnedOptionGroup(this, {&moptionHTMLOutput, &moptionTextOutput}, QStringLiteral("Output"),
//                           {{120, 600, 1500, 252}, {1800, 600, 1500, 252}}, [this](int index) { Chosen(index); });
//   LoadWindow(true);

#include <QRect>
#include <QString>
#include <functional>
#include <vector>

class QCheckBox;
class QPixmap;
class QPushButton;
class QRadioButton;
class QWidget;
class SkinImage;
class SkinLabel;
class SkinnedWindow;
class clsButton;
class clsCheckBox;
class clsOption;

// A rectangle in twips; a width and height of 0 mean "the picture's own size".
struct TwipsRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    QRect pixels() const;
};

// The controls one call made (the window keeps them as its named members
// where it needs them).
template <typename Standard>
struct SkinnedParts {
    Standard* standard = nullptr;
    SkinImage* picture = nullptr;
    SkinLabel* label = nullptr;
};

// A push button; a click on any of the three runs `command` (an error in it
// is shown in the critical error box).
SkinnedParts<QPushButton> BuildSkinnedButton(SkinnedWindow* window, clsButton& wrapper, const QString& name,
                                             const TwipsRect& at, std::function<void()> command);
// A check box; a click on any of the three toggles it, then runs `changed`.
SkinnedParts<QCheckBox> BuildSkinnedCheckBox(SkinnedWindow* window, clsCheckBox& wrapper, const QString& name,
                                             const TwipsRect& at, std::function<void()> changed = {});
// A group of option buttons, element i at at[i] (the two lists are as long);
// the window keeps the group exclusive and runs `chosen` with the position of
// the option the user picked.
std::vector<SkinnedParts<QRadioButton>> BuildSkinnedOptionGroup(SkinnedWindow* window,
                                                                const std::vector<clsOption*>& group,
                                                                const QString& name, const std::vector<TwipsRect>& at,
                                                                std::function<void(int)> chosen);

// The face of a picture button alone, for a window with pictures of its own
// (the launcher bar): `picture` at `at` (stretched to its size, or at the
// picture's own size when it has none) with a label of the same place, its
// caption centred.  No standard control, wrapper or wiring.
struct PictureFace {
    SkinImage* picture = nullptr;
    SkinLabel* label = nullptr;
};
PictureFace BuildPictureFace(QWidget* window, const QString& pictureName, const QString& labelName,
                             const QPixmap& picture, const TwipsRect& at);
