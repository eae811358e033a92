#pragma once
// The open playlist as the Playlist Manager's list shows it: one row per
// entry, in entry order, with three columns ("Length (ms)", "Title", "File
// Name").  Each row has a check mark in its first column and is drawn red
// when its file is missing.  The rows are the entries themselves (the model
// keeps no copy): after the entries change, Populate() shows them again,
// which also clears every check mark and works out afresh which files are
// missing (one file-system look-up per entry, nothing per paint).
//
// The check marks and removing rows are foundation/CheckedRowModel.h's; the
// list keeps the entries' order (it does not sort).  removeRows() removes the
// entries of those rows, so the shared Edit commands (Cut, Delete) take
// entries out of the playlist, not just rows out of the list.

#include "foundation/CheckedRowModel.h"
#include "playlists/PlaylistEntries.h"

#include <QString>
#include <vector>

namespace PlaylistColumn {
constexpr int Length = 0, Title = 1, FileName = 2;
constexpr int Count = 3;
}  // namespace PlaylistColumn

// What the list keeps of a row beside its entry.
struct PlaylistRowMarks {
    bool checked = false;
    bool missing = false;
};

class PlaylistModel : public CheckedRowModel<PlaylistRowMarks> {
    Q_OBJECT
public:
    explicit PlaylistModel(PlaylistEntries& entries, QObject* parent = nullptr);

    // Nothing for a row whose entry has gone since the last Populate.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Shows the entries as they are now: no row checked, missing files
    // looked up against `playlistFile` (relative entries are found beside
    // it).
    void Populate(const QString& playlistFile);

    // The rows whose check mark is set, in row order.
    std::vector<size_t> checkedRows() const;
    bool isMissing(int row) const { return m_rows[size_t(row)].missing; }

protected:
    // Display: the length in milliseconds, the title, the stored path;
    // foreground red (255) for a missing file.
    QVariant cellData(int row, int column, int role) const override;
    // Takes the rows' entries out of the playlist as well.
    void eraseRows(int first, int count) override;

private:
    // The rows are the entries': Populate shows them again.
    using CheckedRowModel::clear;

    // The rows shown are the first rows() entries: the entries may change
    // under the model until the next Populate, so nothing beyond is read.
    PlaylistEntries& m_entries;
};
