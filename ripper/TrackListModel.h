#pragma once
// The CD Ripper's track list: one row per track of the disc's table of
// contents, numbered from 1 ("Track 1", "Track 2", ...) whatever the disc's
// own first track number, with its start and end frame and its type.  Audio
// rows start ticked; a data track's row is marked "Data", unticked and
// cannot be ticked.  The first column's text is the ripped file's name and
// may be edited: the new text loses the characters no file name may hold and
// its blanks at both ends; an empty result is refused silently, and a name
// that any row already bears (ignoring case, the edited row included) is
// refused after `duplicateName` has told the user.

#include "ripper/CdDrive.h"
#include "ripper/TrackRip.h"

#include <QAbstractTableModel>
#include <functional>
#include <vector>

class TrackListModel : public QAbstractTableModel {
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

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    // The number of ticked rows may have changed.
    void tickedChanged();

private:
    std::vector<RipTrackRow> m_rows;
};
