#pragma once
// The open playlist as the Playlist Manager's list shows it: one row per
// entry, in entry order, with three columns ("Length (ms)", "Title", "File
// Name").  Each row has a check mark in its first column and is drawn red
// when its file is missing.  The rows are the entries themselves (the model
// keeps no copy): after the entries change, Populate() shows them again,
// which also clears every check mark and works out afresh which files are
// missing (one file-system look-up per entry, nothing per paint).
//
// removeRows() removes the entries of those rows, so the shared Edit
// commands (Cut, Delete) take entries out of the playlist, not just rows out
// of the list.

#include "playlists/PlaylistEntries.h"

#include <QAbstractTableModel>
#include <QString>
#include <vector>

namespace PlaylistColumn {
constexpr int Length = 0, Title = 1, FileName = 2;
constexpr int Count = 3;
}  // namespace PlaylistColumn

class PlaylistModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit PlaylistModel(PlaylistEntries& entries, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    // Display: the length in milliseconds, the title, the stored path;
    // check state in column 0; foreground red (255) for a missing file.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;

    // Shows the entries as they are now: no row checked, missing files
    // looked up against `playlistFile` (relative entries are found beside
    // it).
    void Populate(const QString& playlistFile);

    int rows() const { return static_cast<int>(m_shownRows); }
    bool isChecked(int row) const { return m_checked[size_t(row)]; }
    void setChecked(int row, bool checked);
    void setAllChecked(bool checked);
    int checkedCount() const;
    // The rows whose check mark is set, in row order.
    std::vector<size_t> checkedRows() const;
    bool isMissing(int row) const { return m_missing[size_t(row)]; }

private:
    PlaylistEntries& m_entries;
    // The rows shown: the entries may change under the model until the next
    // Populate, so nothing beyond this count is ever read.
    size_t m_shownRows = 0;
    std::vector<bool> m_checked;
    std::vector<bool> m_missing;
};
