#include "foundation/WindowPlaces.h"

#include <QStringList>
#include <algorithm>
#include <array>

namespace {

// Room left between the launcher bar and a window beside it.
constexpr int kGap = 8;

// The order in which the tool windows step away from the corner: the main
// window first, then the windows the start reopens, in their order.
int CascadeSlot(const QString& name) {
    static const QStringList order = {
        QStringLiteral("FormMP3ScanningCentre"), QStringLiteral("FormFileNameTagCoordinator"),
        QStringLiteral("FormMusicCataloguer"),   QStringLiteral("FormDuplicateFinder"),
        QStringLiteral("FormPlaylistManager"),   QStringLiteral("FormEncoderDecoder"),
        QStringLiteral("FormCDRipper"),          QStringLiteral("DialogMassTaggingOverrideTool"),
    };
    return std::max(0, static_cast<int>(order.indexOf(name)));
}

QSize Grown(const QSize& client, const QMargins& frame) {
    return QSize(client.width() + frame.left() + frame.right(), client.height() + frame.top() + frame.bottom());
}

bool Holds(const QRect& side, const QSize& frameSize) {
    return side.width() >= frameSize.width() && side.height() >= frameSize.height();
}

// Moves `start` back so that `length` ends inside [from, from + room).
int Within(int start, int length, int from, int room) {
    return std::max(from, std::min(start, from + room - length));
}

}  // namespace

int WindowCascadeStep(const QMargins& frame) { return std::max(frame.top(), 0) + kGap + 4; }

QRect DefaultWindowPlace(const WindowPlaceRequest& request, const QRect& screen,
                         const std::optional<QRect>& launcherFrame) {
    const QSize wanted = Grown(request.size.expandedTo(request.minimumSize), request.frame);
    if (request.name == kLauncherWindowName) return QRect(screen.topLeft(), wanted);

    const QSize smallest = Grown(request.minimumSize, request.frame);
    QRect room = screen;
    if (launcherFrame && launcherFrame->intersects(screen)) {
        const QRect bar = launcherFrame->intersected(screen);
        const std::array<QRect, 4> sides = {
            QRect(QPoint(bar.right() + 1 + kGap, screen.top()), screen.bottomRight()),   // right
            QRect(QPoint(screen.left(), bar.bottom() + 1 + kGap), screen.bottomRight()), // below
            QRect(screen.topLeft(), QPoint(bar.left() - 1 - kGap, screen.bottom())),     // left
            QRect(screen.topLeft(), QPoint(screen.right(), bar.top() - 1 - kGap)),       // above
        };
        for (const QRect& side : sides) {
            if (Holds(side, smallest)) {
                room = side;
                break;
            }
        }
    }

    // As large as wanted, as small as the side needs, never below the minimum.
    const QSize size(std::max(smallest.width(), std::min(wanted.width(), room.width())),
                     std::max(smallest.height(), std::min(wanted.height(), room.height())));
    const int step = WindowCascadeStep(request.frame) * CascadeSlot(request.name);
    return QRect(Within(room.left() + step, size.width(), room.left(), room.width()),
                 Within(room.top() + step, size.height(), room.top(), room.height()), size.width(), size.height());
}
