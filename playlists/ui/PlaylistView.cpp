#include "playlists/ui/PlaylistView.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>

PlaylistView::PlaylistView(QWidget* parent) : ResultsListView(QStringLiteral("ListViewPlaylist"), parent) {
    setDragDropMode(QAbstractItemView::DropOnly);
    // The hidden one of the title and file-name columns has width 0.
    header()->setMinimumSectionSize(0);
    // The playlist's order is its own: a header click sorts nothing.
    header()->setSectionsClickable(false);
}

bool PlaylistView::acceptAsCopy(QDropEvent* event) const {
    // Dropped files are only read: taken as a copy, so the program they come
    // from never deletes them as after a move.
    if (DroppedFiles(event->mimeData()).isEmpty() || !(event->possibleActions() & Qt::CopyAction)) {
        event->ignore();
        return false;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return true;
}

void PlaylistView::dragEnterEvent(QDragEnterEvent* event) { acceptAsCopy(event); }

void PlaylistView::dragMoveEvent(QDragMoveEvent* event) { acceptAsCopy(event); }

void PlaylistView::dropEvent(QDropEvent* event) {
    if (acceptAsCopy(event)) DeliverDroppedFiles(DroppedFiles(event->mimeData()));
}
