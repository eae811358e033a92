#include "support/LayoutCheck.h"

#include "shell/ui/SkinWidgets.h"
#include "shell/ui/SkinnedWindow.h"
#include "shell/ui/Splitter.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QStyleOptionGroupBox>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>
#include <cmath>

namespace {

// Widgets whose children are controls of their own; every other widget is
// one control, whatever it is built of inside.
bool IsContainer(const QWidget* w) {
    const QMetaObject* type = w->metaObject();
    return type == &QWidget::staticMetaObject || type == &QFrame::staticMetaObject ||
           qobject_cast<const QGroupBox*>(w) || qobject_cast<const QStackedWidget*>(w) ||
           qobject_cast<const QTabWidget*>(w) || qobject_cast<const QSplitter*>(w) ||
           qobject_cast<const QDialogButtonBox*>(w);
}

// The visible controls directly under `parent`.
std::vector<QWidget*> ControlsOf(QWidget* parent, QWidget* window) {
    std::vector<QWidget*> controls;
    for (QObject* child : parent->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w || w->isWindow() || !w->isVisibleTo(window)) continue;
        controls.push_back(w);
    }
    return controls;
}

// Every container to check, the window first.
void Containers(QWidget* parent, QWidget* window, std::vector<QWidget*>& out) {
    out.push_back(parent);
    for (QWidget* w : ControlsOf(parent, window))
        if (IsContainer(w)) Containers(w, window, out);
}

QString Describe(const QWidget* w) {
    QString name = w->objectName();
    if (name.isEmpty()) {
        name = QString::fromLatin1(w->metaObject()->className());
        QString text;
        if (auto* label = qobject_cast<const QLabel*>(w)) text = label->text();
        if (auto* button = qobject_cast<const QAbstractButton*>(w)) text = button->text();
        if (auto* box = qobject_cast<const QGroupBox*>(w)) text = box->title();
        if (!text.isEmpty()) name += QStringLiteral(" \"%1\"").arg(text);
    }
    const QRect g = w->geometry();
    return QStringLiteral("%1 (%2,%3 %4x%5)").arg(name).arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height());
}

bool IsPicture(const QWidget* w) {
    if (qobject_cast<const SkinImage*>(w)) return true;
    auto* label = qobject_cast<const QLabel*>(w);
    return label && !label->pixmap().isNull();
}

// Whether `top` is stacked above `under` (a parent's children are listed
// from the bottom up).
bool Above(const QWidget* top, const QWidget* under) {
    const QObjectList& siblings = top->parentWidget()->children();
    return siblings.indexOf(top) > siblings.indexOf(under);
}

// Overlaps made on purpose: a control lying wholly on a picture beneath it
// (a skinned button's caption, the title bar's label and buttons, a
// window's background picture, two indicator lights in one place), and a
// splitter beneath the two panes it places.
bool Intended(const QWidget* a, const QWidget* b) {
    for (const auto& [top, under] : {std::pair{a, b}, std::pair{b, a}}) {
        if (IsPicture(under) && Above(top, under) && under->geometry().contains(top->geometry())) return true;
        if (auto* splitter = qobject_cast<const Splitter*>(under))
            if (top == splitter->Child1() || top == splitter->Child2()) return true;
    }
    return false;
}

// A picture squeezed to less than a quarter of its own width for its height
// no longer shows what it is (one stretched wide, such as a title bar, does).
bool Squashed(const QWidget* w) {
    auto* image = qobject_cast<const SkinImage*>(w);
    if (!image || !image->Stretch() || image->Picture().isNull() || w->width() <= 0 || w->height() <= 0) return false;
    const QSizeF own = image->Picture().deviceIndependentSize();
    const double shape = own.width() / own.height();
    const double shown = double(w->width()) / w->height();
    return shown * 4 < shape;
}

bool HasText(const QWidget* w) {
    if (auto* label = qobject_cast<const QLabel*>(w)) return !label->text().isEmpty() && label->pixmap().isNull();
    if (auto* button = qobject_cast<const QAbstractButton*>(w)) return !button->text().isEmpty();
    if (auto* box = qobject_cast<const QGroupBox*>(w)) return !box->title().isEmpty();
    if (auto* edit = qobject_cast<const QLineEdit*>(w)) return !edit->displayText().isEmpty();
    if (auto* combo = qobject_cast<const QComboBox*>(w)) return !combo->currentText().isEmpty();
    if (auto* tabs = qobject_cast<const QTabBar*>(w)) return tabs->count() > 0;
    if (auto* view = qobject_cast<const QAbstractItemView*>(w)) return view->model() && view->model()->rowCount() > 0;
    return false;
}

// Why one line of text does not fit the field it is drawn in ("" when it does).
QString FieldFault(const QFontMetrics& metrics, const QString& text, const QRect& field) {
    const int need = metrics.horizontalAdvance(text);
    if (need > field.width())
        return QStringLiteral("shows %1 of the %2 px its text needs").arg(field.width()).arg(need);
    if (metrics.height() > field.height())
        return QStringLiteral("is %1 px high for text %2 px high").arg(field.height()).arg(metrics.height());
    return {};
}

// Why the control's text does not fit it ("" when it does).
QString TextFault(QWidget* w) {
    const QSize size = w->size();
    if (auto* label = qobject_cast<QLabel*>(w)) {
        if (label->text().isEmpty() || !label->pixmap().isNull()) return {};
        if (label->wordWrap()) {
            const int need = label->heightForWidth(size.width());
            return need > size.height() ? QStringLiteral("needs %1 px of height").arg(need) : QString();
        }
        const QSize need = label->sizeHint();
        if (need.width() > size.width() || need.height() > size.height())
            return QStringLiteral("needs %1x%2").arg(need.width()).arg(need.height());
        return {};
    }
    if (auto* button = qobject_cast<QPushButton*>(w)) {
        if (button->text().isEmpty()) return {};
        // A push button's own size hint has a floor of its own; what counts
        // is the caption within the button's frame.
        QStyleOptionButton option;
        option.initFrom(button);
        option.rect = button->rect();
        option.text = button->text();
        const QRect room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        const QSize need = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
        const int icon = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
        if (need.width() + icon > room.width() || need.height() > room.height())
            return QStringLiteral("has %1x%2 for a caption of %3x%4")
                .arg(room.width())
                .arg(room.height())
                .arg(need.width() + icon)
                .arg(need.height());
        return {};
    }
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        if (button->text().isEmpty()) return {};
        const int needWidth = button->sizeHint().width();
        const int needHeight = button->fontMetrics().height();
        if (needWidth > size.width() || needHeight > size.height())
            return QStringLiteral("needs %1 px wide and %2 px high").arg(needWidth).arg(needHeight);
        return {};
    }
    if (auto* box = qobject_cast<QGroupBox*>(w)) {
        const QSize need = box->minimumSizeHint();
        if (need.width() > size.width() || need.height() > size.height())
            return QStringLiteral("needs %1x%2").arg(need.width()).arg(need.height());
        return {};
    }
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        const QString text = edit->displayText();
        if (text.isEmpty()) return {};
        QStyleOptionFrame option;
        option.initFrom(edit);
        option.rect = edit->rect();
        option.lineWidth =
            edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit) : 0;
        const QMargins margins = edit->textMargins();
        // The line edit keeps two pixels clear each side of its text, and
        // room for the cursor.
        const QRect field = edit->style()
                                ->subElementRect(QStyle::SE_LineEditContents, &option, edit)
                                .adjusted(margins.left() + 2, 0, -margins.right() - 3, 0);
        return FieldFault(edit->fontMetrics(), text, field);
    }
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        const QString text = combo->currentText();
        if (text.isEmpty()) return {};
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.rect = combo->rect();
        option.editable = combo->isEditable();
        option.frame = combo->hasFrame();
        option.currentText = text;
        const QRect field =
            combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
        return FieldFault(combo->fontMetrics(), text, field);
    }
    return {};
}

double Channel(int c) {
    const double v = c / 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

double Luminance(QRgb rgb) {
    return 0.2126 * Channel(qRed(rgb)) + 0.7152 * Channel(qGreen(rgb)) + 0.0722 * Channel(qBlue(rgb));
}

double Ratio(QRgb a, QRgb b) {
    double la = Luminance(a), lb = Luminance(b);
    if (la < lb) std::swap(la, lb);
    return (la + 0.05) / (lb + 0.05);
}

QImage Grab(QWidget* window, const QRect& region) {
    return window->grab(region).toImage().convertToFormat(QImage::Format_RGB32);
}

// The roles a control draws its text with.
constexpr QPalette::ColorRole kTextRoles[] = {QPalette::WindowText, QPalette::Text,
                                              QPalette::ButtonText, QPalette::HighlightedText,
                                              QPalette::BrightText, QPalette::PlaceholderText};

// The contrast of the control's text against what lies behind it.
double MeasureText(QWidget* window, QWidget* control) {
    QRect own = control->rect();
    if (auto* box = qobject_cast<QGroupBox*>(control)) {
        // Only the title: the box's controls have their own colours.
        QStyleOptionGroupBox option;
        option.initFrom(box);
        option.text = box->title();
        option.subControls = QStyle::SC_GroupBoxLabel;
        own = box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
    }
    const QRect region = own.translated(control->mapTo(window, QPoint(0, 0))) & window->rect();
    if (region.isEmpty()) return 1;
    const QImage drawn = Grab(window, region);

    const QPalette saved = control->palette();
    const bool ownPalette = control->testAttribute(Qt::WA_SetPalette);
    QPalette clear = saved;
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        for (const QPalette::ColorRole role : kTextRoles) clear.setColor(group, role, Qt::transparent);
    control->setPalette(clear);
    const QImage behind = Grab(window, region);
    control->setPalette(ownPalette ? saved : QPalette());

    // The text is where the two differ.  Its colour is the control's text
    // colour for its state (a faded colour over what lies under each pixel).
    const QPalette::ColorGroup group = !control->isEnabled()       ? QPalette::Disabled
                                       : control->isActiveWindow() ? QPalette::Active
                                                                   : QPalette::Inactive;
    const QColor text = saved.color(group, control->foregroundRole());
    const int width = std::min(drawn.width(), behind.width()), height = std::min(drawn.height(), behind.height());
    auto difference = [&](int x, int y) {
        const QRgb a = drawn.pixel(x, y), b = behind.pixel(x, y);
        return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
    };
    int most = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) most = std::max(most, difference(x, y));
    if (most < 4) return 1;  // no text to be seen
    std::vector<double> ratios;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (difference(x, y) * 10 < most * 3) continue;
            const QColor under = QColor::fromRgb(behind.pixel(x, y));
            const double a = text.alphaF();
            const QColor seen = QColor::fromRgbF(static_cast<float>(text.redF() * a + under.redF() * (1 - a)),
                                                 static_cast<float>(text.greenF() * a + under.greenF() * (1 - a)),
                                                 static_cast<float>(text.blueF() * a + under.blueF() * (1 - a)));
            ratios.push_back(ContrastRatio(seen, under));
        }
    }
    std::sort(ratios.begin(), ratios.end());
    return ratios[ratios.size() / 10];
}

}  // namespace

QStringList LayoutFaults(QWidget* window) {
    QStringList faults;
    std::vector<QWidget*> containers;
    Containers(window, window, containers);
    for (QWidget* parent : containers) {
        const std::vector<QWidget*> controls = ControlsOf(parent, window);
        for (size_t i = 0; i < controls.size(); ++i) {
            QWidget* a = controls[i];
            if (!parent->rect().contains(a->geometry()))
                faults << QStringLiteral("%1 lies outside %2").arg(Describe(a), Describe(parent));
            const QString text = TextFault(a);
            if (!text.isEmpty()) faults << QStringLiteral("%1 cuts its text: %2").arg(Describe(a), text);
            if (Squashed(a)) faults << QStringLiteral("%1 squashes its picture").arg(Describe(a));
            for (size_t j = i + 1; j < controls.size(); ++j) {
                QWidget* b = controls[j];
                if (!a->geometry().intersects(b->geometry()) || Intended(a, b)) continue;
                faults << QStringLiteral("%1 overlaps %2").arg(Describe(a), Describe(b));
            }
        }
    }
    // The etched frames drawn on a skinned window go round their controls
    // and under none.
    if (auto* skinned = qobject_cast<SkinnedWindow*>(window)) {
        for (const QRect& frame : skinned->SurfaceFrames()) {
            const QString name = QStringLiteral("the frame (%1,%2 %3x%4)")
                                     .arg(frame.x())
                                     .arg(frame.y())
                                     .arg(frame.width())
                                     .arg(frame.height());
            if (!window->rect().contains(frame)) faults << name + QStringLiteral(" lies outside the window");
            for (QWidget* control : ControlsOf(window, window)) {
                const QRect g = control->geometry();
                if (g.intersects(frame) && !frame.adjusted(1, 1, -1, -1).contains(g))
                    faults << QStringLiteral("%1 runs under %2").arg(name, Describe(control));
            }
        }
    }
    return faults;
}

double ContrastRatio(const QColor& a, const QColor& b) { return Ratio(a.rgb(), b.rgb()); }

double TextContrastOf(QWidget* window, QWidget* control) { return MeasureText(window, control); }

std::vector<TextContrast> TextContrasts(QWidget* window) {
    std::vector<TextContrast> contrasts;
    std::vector<QWidget*> containers;
    Containers(window, window, containers);
    for (QWidget* parent : containers) {
        for (QWidget* control : ControlsOf(parent, window)) {
            if (!HasText(control) || (IsContainer(control) && !qobject_cast<QGroupBox*>(control))) continue;
            contrasts.push_back({control, Describe(control), control->isEnabled(), MeasureText(window, control)});
        }
    }
    return contrasts;
}
