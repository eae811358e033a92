#pragma once
// Where a window opens, so that every window opens wholly on its screen and
// no window covers another's title bar and menus.
//
// Nothing stored: the launcher bar takes the top-left corner of its screen,
// unless the screen cannot hold the main window (at its smallest) beside or
// below it; then the bar takes the bottom-right corner, so that the main
// window opens above it with its title bar, menus and folder tree clear.
// Every other window goes into the free part of the screen beside the
// launcher bar: to its right, else below it, else to its left, else above
// it; the first side that holds the window at its smallest size wins, and a
// sizable window is made narrower or shorter (never below its minimum) to
// stay inside that side.  The tool windows each have their own step down and
// to the right of the side's corner, so windows opened one after the other do
// not lie exactly on top of each other.  When no side holds the window (a
// very small screen), the whole screen is used.
//
// A stored place is used as stored while the window lies wholly on the
// screen.  Otherwise the window is moved onto the screen (a sizable window
// made smaller to fit, never below its minimum), and when it would then lie
// under the launcher bar it goes beside the bar as above, where a side holds
// it.  A window larger than the screen takes the screen's top-left corner.
//
// Everything is in pixels.  A window's frame is its client area plus the
// window manager's decorations; the result is the frame rectangle, whose
// top-left corner is the window's position (QWidget::move) and whose size less
// the decorations is its client size.

#include "foundation/ToolWindows.h"

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

struct WindowPlaceRequest {
    QString name;         // the window's object name
    QSize size;           // the client size it would have
    QSize minimumSize;    // its smallest client size (its size when not sizable)
    QMargins frame;       // the decorations around the client area
    // The height of its title bar, when it draws its own (a frameless window):
    // the cascade steps by a title bar whichever kind the window has.
    int ownTitleBar = 0;
    // The launcher bar only: the smallest client size of the main window,
    // which opens beside the bar (with the same decorations).
    QSize companion;
};

// The launcher bar's object name.
inline const QString& kLauncherWindowName = WindowNames::Integrator;
// The smallest client area of the main window, in twips, which the launcher
// bar's first place leaves room for where the screen allows.
constexpr double kMainWindowMinWidthTwips = 8000;
constexpr double kMainWindowMinHeightTwips = 5280;

// The frame rectangle for `request` on the available area `screen`, clear of
// `launcherFrame` (the launcher bar's frame, when it is on that screen).
QRect DefaultWindowPlace(const WindowPlaceRequest& request, const QRect& screen,
                         const std::optional<QRect>& launcherFrame);

// The frame rectangle for `request` whose frame was stored at `stored`.
QRect StoredWindowPlace(const WindowPlaceRequest& request, const QPoint& stored, const QRect& screen,
                        const std::optional<QRect>& launcherFrame);

// The step between the corners of two tool windows opened one after the
// other: one title bar (the frame's, or the window's own) and a little more.
int WindowCascadeStep(const WindowPlaceRequest& request);
