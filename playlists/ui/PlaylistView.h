#pragma once
// The Playlist Manager's list as a control: a checked list of whole rows over
// the playlist model that takes dropped files (any files: playlists and
// single files alike).  It only reports; the window decides.

#include "foundation/ui/ResultsListView.h"

#include <QStringList>

class PlaylistView : public ResultsListView {
    Q_OBJECT
public:
    explicit PlaylistView(QWidget* parent = nullptr);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Accepts the drag or drop as a copy when it carries a file; true then.
    bool acceptAsCopy(QDropEvent* event) const;
};
