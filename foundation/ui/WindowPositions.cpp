#include "foundation/ui/WindowPositions.h"

#include "foundation/Errors.h"
#include "foundation/OptionRecords.h"
#include "foundation/SettingsStore.h"
#include "foundation/Twips.h"
#include "foundation/WindowPlaces.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

const QString kSection = QStringLiteral("WindowPositions");

QRect& TestScreenArea() {
    static QRect area;
    return area;
}

QString NameOf(const QWidget* form) { return form ? form->objectName() : QString(); }

// The available area, in pixels, of the screen holding `pixelPoint` (when
// given and on a screen), else of the window's own screen.
QRect ScreenArea(const QWidget* form, const QPoint* pixelPoint = nullptr) {
    QRect pixels = TestScreenArea();
    if (pixels.isEmpty()) {
        const QScreen* screen = pixelPoint ? QGuiApplication::screenAt(*pixelPoint) : nullptr;
        if (!screen && form) screen = form->screen();
        if (!screen) screen = QGuiApplication::primaryScreen();
        if (screen) pixels = screen->availableGeometry();
    }
    return pixels;
}

QRectF ScreenAreaTwips(const QWidget* form, const QPoint* pixelPoint = nullptr) {
    const QRect pixels = ScreenArea(form, pixelPoint);
    return QRectF(PixelsToTwipsX(pixels.x()), PixelsToTwipsY(pixels.y()), PixelsToTwipsX(pixels.width()),
                  PixelsToTwipsY(pixels.height()));
}

// The window manager's decorations around a window: the real ones once the
// window is on screen and framed, else a title bar and a thin border.
QMargins FrameOf(const QWidget* form) {
    if (form->isVisible()) {
        const QRect frame = form->frameGeometry();
        const QRect client = form->geometry();
        if (frame != client)
            return QMargins(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                            frame.bottom() - client.bottom());
    }
    constexpr int kBorder = 4;
    return QMargins(kBorder, CaptionHeightPixels(form) + kBorder, kBorder, kBorder);
}

// The launcher bar when it is on screen (other than `form` itself).
const QWidget* ShownLauncher(const QWidget* form) {
    for (const QWidget* window : QApplication::topLevelWidgets())
        if (window != form && window->objectName() == kLauncherWindowName && window->isVisible()) return window;
    return nullptr;
}

// Places a window for which nothing is stored (see foundation/WindowPlaces.h):
// on the launcher bar's screen, clear of the bar.
void PlaceAtDefault(QWidget* form, QSize client, bool sizable) {
    const QWidget* launcher = ShownLauncher(form);
    std::optional<QRect> launcherFrame;
    if (launcher) {
        const QMargins m = FrameOf(launcher);
        launcherFrame = QRect(launcher->pos(), launcher->size().grownBy(m));
    }
    const QMargins frame = FrameOf(form);
    const QRect place =
        DefaultWindowPlace({form->objectName(), client, sizable ? form->minimumSize() : client, frame},
                           ScreenArea(launcher ? launcher : form), launcherFrame);
    form->move(place.topLeft());
    if (sizable) form->resize(place.size().shrunkBy(frame));
}

bool IsSizable(const QWidget* form) {
    return form->minimumSize() != form->maximumSize() &&
           !form->windowFlags().testFlag(Qt::MSWindowsFixedSizeDialogHint);
}

QString NumberText(double v) {
    if (v == 0.0) return QStringLiteral("0");
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return QString::fromLatin1(buf, r.ptr - buf);
}

}  // namespace

int CaptionHeightPixels(const QWidget* form) {
    const QStyle* style = form ? form->style() : QApplication::style();
    return style ? style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, form) : 0;
}

void SetScreenAreaForTesting(const QRect& pixels) { TestScreenArea() = pixels; }

bool HasStoredWindowPos(const QString& name) {
    for (const char* key : {"Left", "Top"})
        if (!GetOptionSetting(kSection, name + QLatin1String(key), QString(), SettingType::String).toString().isEmpty())
            return true;
    return false;
}

bool IsCoreTool(QWidget* form) { return form && IsCoreTool(form->objectName()); }

double DefaultHeight(QWidget* form) {
    try {
        return IsCoreTool(form) ? ScreenAreaTwips(form).height() / 2.0 : 0.0;
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("DefaultHeight"), NameOf(form)));
    }
}

double DefaultWidth(QWidget* form) {
    try {
        return IsCoreTool(form) ? ScreenAreaTwips(form).width() / 1.5 : 0.0;
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("DefaultWidth"), NameOf(form)));
    }
}

void WriteWindowPos(QWidget* form) {
    WithTrail(CallSite(QStringLiteral("WriteWindowPos"), NameOf(form)), [&] {
        if (!form) RaiseError(ErrNo::ObjectNotSet);
        const QString name = form->objectName();
        double caption = 0.0;
        if (Options().Preferences.blnUseSkins && form->property("Tag").toString() == QLatin1String("Skinnable"))
            caption = std::round(CaptionHeightPixels(form) * static_cast<double>(gsngTwipsPerPixelY));
        const Qt::WindowStates state = form->windowState();
        if (state.testFlag(Qt::WindowMaximized)) {
            SaveOptionSetting(kSection, name + QStringLiteral("State"), 2, SettingType::Integer);
            return;
        }
        if (state.testFlag(Qt::WindowMinimized)) return;
        // Whole twips: a pixel is more than one twip, so the pixel comes back exactly.
        const QPoint pos = form->pos();
        const QSize size = form->size();
        SaveOptionSetting(kSection, name + QStringLiteral("State"), 0, SettingType::Integer);
        SaveOptionSetting(kSection, name + QStringLiteral("Top"), std::round(PixelsToTwipsY(pos.y())),
                          SettingType::Single);
        SaveOptionSetting(kSection, name + QStringLiteral("Height"),
                          std::round(PixelsToTwipsY(size.height())) + caption, SettingType::Single);
        SaveOptionSetting(kSection, name + QStringLiteral("Left"), std::round(PixelsToTwipsX(pos.x())),
                          SettingType::Single);
        SaveOptionSetting(kSection, name + QStringLiteral("Width"), std::round(PixelsToTwipsX(size.width())),
                          SettingType::Single);
    });
}

void ReadWindowPos(QWidget* form) {
    WithTrail(CallSite(QStringLiteral("ReadWindowPos"), NameOf(form)), [&] {
        if (!form) RaiseError(ErrNo::ObjectNotSet);
        const QString name = form->objectName();
        const int state = GetOptionSetting(kSection, name + QStringLiteral("State"), QStringLiteral("0"),
                                           SettingType::Integer)
                              .toInt();
        const Qt::WindowStates others = form->windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized);
        if (state == 2) {
            form->setWindowState(others | Qt::WindowMaximized);
            return;  // a maximised window keeps its designed normal position
        }
        if (state == 1) {
            form->setWindowState(others | Qt::WindowMinimized);
            return;
        }
        form->setWindowState(others);

        double top = GetOptionSetting(kSection, name + QStringLiteral("Top"), QStringLiteral("0"),
                                      SettingType::Single)
                         .toDouble();
        double left = GetOptionSetting(kSection, name + QStringLiteral("Left"), QStringLiteral("0"),
                                       SettingType::Single)
                          .toDouble();
        const bool sizable = IsSizable(form);
        const bool placeStored = HasStoredWindowPos(name);
        double height, width;
        if (sizable) {
            height = GetOptionSetting(kSection, name + QStringLiteral("Height"), NumberText(DefaultHeight(form)),
                                      SettingType::Single)
                         .toDouble();
            width = GetOptionSetting(kSection, name + QStringLiteral("Width"), NumberText(DefaultWidth(form)),
                                     SettingType::Single)
                        .toDouble();
        } else {
            height = PixelsToTwipsY(form->height());
            width = PixelsToTwipsX(form->width());
        }
        if (!placeStored) {
            // A sizable window without a stored or default size keeps the size it has.
            const QSize client = width > 0 && height > 0 ? QSize(TwipsToPixelsX(width), TwipsToPixelsY(height))
                                                         : form->size();
            PlaceAtDefault(form, client, sizable);
            return;
        }
        if (!(width > 0 && height > 0)) return;

        const QPoint storedPixels(TwipsToPixelsX(left), TwipsToPixelsY(top));
        const QRectF area = ScreenAreaTwips(form, &storedPixels);
        // Keep the whole window on the visible area: not past the right or
        // bottom edge, and not before the left or top edge either.
        left = std::max(std::min(left, area.x() + area.width() - width), area.x());
        top = std::max(std::min(top, area.y() + area.height() - height), area.y());
        form->move(TwipsToPixelsX(left), TwipsToPixelsY(top));
        if (sizable) form->resize(TwipsToPixelsX(width), TwipsToPixelsY(height));
    });
}
