#include "foundation/WindowPlaces.h"

#include <QStringList>
#include <algorithm>
#include <array>

namespace {

// Room left between the launcher bar and a window beside it.
constexpr int kGap = 8;

// The order in which the tool windows step away from the corner: the main
// window (and any window not in the reopen walk) first, then the windows the
// start reopens, in their order.
int CascadeSlot(const QString& name) { return static_cast<int>(ReopenableWindows().indexOf(name)) + 1; }

QSize Grown(const QSize& client, const QMargins& frame) {
    return QSize(client.width() + frame.left() + frame.right(), client.height() + frame.top() + frame.bottom());
}

bool Holds(const QRect& side, const QSize& frameSize) {
    return side.width() >= frameSize.width() && side.height() >= frameSize.height();
}

// Moves `start` back so that `length` ends inside [from, from + room), but
// never before `from`: a window longer than the room starts at its start.
int Within(int start, int length, int from, int room) {
    return std::max(from, std::min(start, from + room - length));
}

// The free part of `screen` beside the launcher bar `bar` that holds a frame
// of `smallest`: right of the bar, else below, left or above it.
std::optional<QRect> SideBeside(const QRect& screen, const QRect& bar, const QSize& smallest) {
    const std::array<QRect, 4> sides = {
        QRect(QPoint(bar.right() + 1 + kGap, screen.top()), screen.bottomRight()),    // right
        QRect(QPoint(screen.left(), bar.bottom() + 1 + kGap), screen.bottomRight()),  // below
        QRect(screen.topLeft(), QPoint(bar.left() - 1 - kGap, screen.bottom())),      // left
        QRect(screen.topLeft(), QPoint(screen.right(), bar.top() - 1 - kGap)),        // above
    };
    for (const QRect& side : sides)
        if (Holds(side, smallest)) return side;
    return std::nullopt;
}

// The launcher bar's frame on `screen`, when it lies there.
std::optional<QRect> BarOn(const QRect& screen, const std::optional<QRect>& launcherFrame) {
    if (!launcherFrame || !launcherFrame->intersects(screen)) return std::nullopt;
    return launcherFrame->intersected(screen);
}

// A frame as large as `wanted`, as small as `room` needs, never below
// `smallest`, at the window's own step from the room's corner.
QRect PlaceInRoom(const WindowPlaceRequest& request, const QSize& wanted, const QSize& smallest, const QRect& room) {
    const QSize size(std::max(smallest.width(), std::min(wanted.width(), room.width())),
                     std::max(smallest.height(), std::min(wanted.height(), room.height())));
    const int step = WindowCascadeStep(request) * CascadeSlot(request.name);
    return QRect(Within(room.left() + step, size.width(), room.left(), room.width()),
                 Within(room.top() + step, size.height(), room.top(), room.height()), size.width(), size.height());
}

// The bar's corner: the top-left one, or the bottom-right one where the main
// window fits neither beside nor below a bar in the top-left corner.
QRect LauncherPlace(const WindowPlaceRequest& request, const QSize& bar, const QRect& screen) {
    const QRect topLeft(screen.topLeft(), bar);
    if (request.companion.isEmpty() || SideBeside(screen, topLeft, Grown(request.companion, request.frame)))
        return QRect(Within(screen.left(), bar.width(), screen.left(), screen.width()),
                     Within(screen.top(), bar.height(), screen.top(), screen.height()), bar.width(), bar.height());
    return QRect(Within(screen.right() + 1 - bar.width(), bar.width(), screen.left(), screen.width()),
                 Within(screen.bottom() + 1 - bar.height(), bar.height(), screen.top(), screen.height()), bar.width(),
                 bar.height());
}

}  // namespace

int WindowCascadeStep(const WindowPlaceRequest& request) {
    return std::max({request.frame.top(), request.ownTitleBar, 0}) + kGap + 4;
}

QRect DefaultWindowPlace(const WindowPlaceRequest& request, const QRect& screen,
                         const std::optional<QRect>& launcherFrame) {
    const QSize wanted = Grown(request.size.expandedTo(request.minimumSize), request.frame);
    if (request.name == kLauncherWindowName) return LauncherPlace(request, wanted, screen);

    const QSize smallest = Grown(request.minimumSize, request.frame);
    QRect room = screen;
    if (const auto bar = BarOn(screen, launcherFrame))
        if (const auto side = SideBeside(screen, *bar, smallest)) room = *side;
    return PlaceInRoom(request, wanted, smallest, room);
}

QRect StoredWindowPlace(const WindowPlaceRequest& request, const QPoint& stored, const QRect& screen,
                        const std::optional<QRect>& launcherFrame) {
    const QSize wanted = Grown(request.size.expandedTo(request.minimumSize), request.frame);
    const QRect asStored(stored, wanted);
    if (screen.contains(asStored)) return asStored;

    // Onto the screen, as large as it holds.
    const QSize smallest = Grown(request.minimumSize, request.frame);
    const QSize size(std::max(smallest.width(), std::min(wanted.width(), screen.width())),
                     std::max(smallest.height(), std::min(wanted.height(), screen.height())));
    const QRect moved(Within(stored.x(), size.width(), screen.left(), screen.width()),
                      Within(stored.y(), size.height(), screen.top(), screen.height()), size.width(), size.height());
    if (request.name == kLauncherWindowName) return moved;
    if (const auto bar = BarOn(screen, launcherFrame); bar && moved.intersects(*bar))
        if (const auto side = SideBeside(screen, *bar, smallest)) return PlaceInRoom(request, size, smallest, *side);
    return moved;
}
