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

bool IsSkinnable(const QWidget* form) { return form->property("Tag").toString() == QLatin1String("Skinnable"); }

// A skinned window dressed while skins are on loses its platform title bar.
bool WillLoseTitleBar(const QWidget* form) {
    return Options().Preferences.blnUseSkins && IsSkinnable(form) &&
           !form->windowFlags().testFlag(Qt::FramelessWindowHint);
}

// The decorations round a shown window, once the window system has framed it.
std::optional<QMargins> ShownDecorations(const QWidget* window) {
    if (!window->isVisible() || window->windowFlags().testFlag(Qt::FramelessWindowHint)) return std::nullopt;
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    if (frame == client) return std::nullopt;
    return QMargins(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                    frame.bottom() - client.bottom());
}

// The launcher bar when it is on screen (other than `form` itself).
const QWidget* ShownLauncher(const QWidget* form) {
    for (const QWidget* window : QApplication::topLevelWidgets())
        if (window != form && window->objectName() == kLauncherWindowName && window->isVisible()) return window;
    return nullptr;
}

std::optional<QRect> LauncherFrame(const QWidget* form) {
    const QWidget* launcher = ShownLauncher(form);
    if (!launcher) return std::nullopt;
    return QRect(launcher->pos(), launcher->size().grownBy(WindowDecorations(launcher)));
}

// The smallest client size a window can have: its minimum size, or what its
// layout needs when that is more.
QSize SmallestSize(const QWidget* form) {
    return form->minimumSize().expandedTo(form->minimumSizeHint().expandedTo(QSize(0, 0)));
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

QMargins WindowDecorations(const QWidget* form) {
    if (form->windowFlags().testFlag(Qt::FramelessWindowHint) || WillLoseTitleBar(form)) return {};
    if (const auto own = ShownDecorations(form)) return *own;
    // Not framed yet: as the window manager frames the program's other windows.
    for (const QWidget* other : QApplication::topLevelWidgets())
        if (other != form && other->windowType() != Qt::Popup && other->windowType() != Qt::ToolTip)
            if (const auto theirs = ShownDecorations(other)) return *theirs;
    constexpr int kBorder = 4;
    return QMargins(kBorder, CaptionHeightPixels(form) + kBorder, kBorder, kBorder);
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
        if (Options().Preferences.blnUseSkins && IsSkinnable(form))
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

        const double top =
            GetOptionSetting(kSection, name + QStringLiteral("Top"), QStringLiteral("0"), SettingType::Single)
                .toDouble();
        const double left =
            GetOptionSetting(kSection, name + QStringLiteral("Left"), QStringLiteral("0"), SettingType::Single)
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
        const bool sized = width > 0 && height > 0;
        // A window with a stored place but no size stays where it was opened.
        if (placeStored && !sized) return;

        // A sizable window without a stored or default size keeps the size it
        // has.  A skinned one sheds the title bar that its height holds when
        // it is dressed (see WriteWindowPos), so it is placed without it.
        QSize client = sized ? QSize(TwipsToPixelsX(width), TwipsToPixelsY(height)) : form->size();
        const int caption = sizable && WillLoseTitleBar(form) ? CaptionHeightPixels(form) : 0;
        client.rheight() = std::max(1, client.height() - caption);
        const QMargins frame = WindowDecorations(form);
        WindowPlaceRequest request{name, client, sizable ? SmallestSize(form) : client, frame, 0, QSize()};
        // A skinned window's picture title bar is as high as the platform's.
        if (WillLoseTitleBar(form)) request.ownTitleBar = CaptionHeightPixels(form);
        if (name == kLauncherWindowName)
            request.companion =
                QSize(TwipsToPixelsX(kMainWindowMinWidthTwips), TwipsToPixelsY(kMainWindowMinHeightTwips));

        QRect place;
        const std::optional<QRect> launcher = LauncherFrame(form);
        if (placeStored) {
            const QPoint stored(TwipsToPixelsX(left), TwipsToPixelsY(top));
            place = StoredWindowPlace(request, stored, ScreenArea(form, &stored), launcher);
        } else {
            place = DefaultWindowPlace(request, ScreenArea(launcher ? ShownLauncher(form) : form), launcher);
        }
        form->move(place.topLeft());
        if (sizable) form->resize(place.size().shrunkBy(frame) + QSize(0, caption));
    });
}
