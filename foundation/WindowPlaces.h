#pragma once
// Where a window opens when nothing is stored for it, so that on a first
// start no window covers another's controls.
//
// The launcher bar takes the top-left corner of its screen.  Every other
// window goes into the free part of the screen beside the launcher bar: to
// its right, else below it, else to its left, else above it; the first side
// that holds the window at its smallest size wins, and a sizable window is
// made narrower or shorter (never below its minimum) to stay inside that
// side.  The tool windows each have their own step down and to the right of
// the side's corner, so windows opened one after the other do not lie
// exactly on top of each other.  When no side holds the window (a very small
// screen), the whole screen is used.
//
// Everything is in pixels.  A window's frame is its client area plus the
// window manager's decorations; the result is the frame rectangle, whose
// top-left corner is the window's position (QWidget::move) and whose size less
// the decorations is its client size.

#include <QMargins>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

struct WindowPlaceRequest {
    QString name;         // the window's object name
    QSize size;           // the client size it would have
    QSize minimumSize;    // its smallest client size (its size when not sizable)
    QMargins frame;       // the decorations around the client area
};

// The launcher bar's object name.
inline const QString kLauncherWindowName = QStringLiteral("FormIntegrator");

// The frame rectangle for `request` on the available area `screen`, clear of
// `launcherFrame` (the launcher bar's frame, when it is on that screen).
QRect DefaultWindowPlace(const WindowPlaceRequest& request, const QRect& screen,
                         const std::optional<QRect>& launcherFrame);

// The step between the corners of two tool windows opened one after the
// other, for decorations `frame`: one title bar and a little more.
int WindowCascadeStep(const QMargins& frame);
