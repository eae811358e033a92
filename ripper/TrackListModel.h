#pragma once
// The CD Ripper's track list: one row per track of the disc's table of
// contents, numbered from 1 ("Track 1", "Track 2", ...) whatever the disc's
// own first track number, with its start and end frame and its type.  Audio
// rows start ticked; a data track's row is marked "Data", unticked and
// cannot be ticked.  The first column's text is the ripped file's name and
// may be edited: the new text loses the characters no file name may hold and
// its blanks at both ends; an empty result is refused silently, and a name
// that any row already bears (ignoring case, the edited row included) is
// refused after `duplicateName` has told the user.  The check marks are
// foundation/CheckedRowModel.h's; the list neither sorts nor loses rows to
// the Edit commands.

#include "foundation/CheckedRowModel.h"
#include "ripper/CdDrive.h"
#include "ripper/TrackRip.h"

#include <functional>
#include <vector>

class TrackListModel : public CheckedRowModel<RipTrackRow, &RipTrackRow::ticked> {
    Q_OBJECT
public:
    enum Column { ColumnTrack, ColumnStart, ColumnEnd, ColumnType, ColumnCount };

    explicit TrackListModel(QObject* parent = nullptr);

    // Rebuilds the rows from `toc` (at most 99); an empty table empties them.
    void SetTracks(const CdTableOfContents& toc);
    void Clear();

    // The rows as the rip takes them, in list order.
    std::vector<RipTrackRow> Rows() const;
    int TickedCount() const;
    QString Name(int row) const;

    // Runs when an edit is refused because of a duplicate name.
    std::function<void()> duplicateName;

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // The first column's names are edited; a data track's row has no check box.
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // The first column's check state (refused for a data track) and its name.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    // The number of ticked rows may have changed.
    void tickedChanged();

protected:
    QVariant cellData(int row, int column, int role) const override;

private:
    // Ticks come from SetTracks and the view alone, so a data track is
    // never ticked and every change is announced by tickedChanged.
    using CheckedRowModel::clear;
    using CheckedRowModel::setAllChecked;
    using CheckedRowModel::setChecked;
};
