#include "playlists/PlaylistModel.h"

#include <QColor>

PlaylistModel::PlaylistModel(PlaylistEntries& entries, QObject* parent)
    : CheckedRowModel({.columns = PlaylistColumn::Count, .removable = true}, parent), m_entries(entries) {}

QVariant PlaylistModel::data(const QModelIndex& index, int role) const {
    if (index.isValid() && size_t(index.row()) >= m_entries.size()) return {};
    return CheckedRowModel::data(index, role);
}

QVariant PlaylistModel::cellData(int row, int column, int role) const {
    const PlaylistEntryInfo& entry = m_entries[size_t(row)];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        switch (column) {
        case PlaylistColumn::Length: return QString::number(entry.Length);
        case PlaylistColumn::Title: return entry.Title;
        case PlaylistColumn::FileName: return entry.FileName;
        default: return {};
        }
    case Qt::ForegroundRole:
        if (m_rows[size_t(row)].missing) return QColor(255, 0, 0);
        return {};
    default: return {};
    }
}

QVariant PlaylistModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
    case PlaylistColumn::Length: return QStringLiteral("Length (ms)");
    case PlaylistColumn::Title: return QStringLiteral("Title");
    case PlaylistColumn::FileName: return QStringLiteral("File Name");
    default: return {};
    }
}

void PlaylistModel::eraseRows(int first, int count) {
    const auto from = size_t(first), to = size_t(first) + size_t(count);
    if (to <= m_entries.size())
        m_entries.erase(m_entries.begin() + std::ptrdiff_t(from), m_entries.begin() + std::ptrdiff_t(to));
    CheckedRowModel::eraseRows(first, count);
}

void PlaylistModel::Populate(const QString& playlistFile) {
    std::vector<PlaylistRowMarks> rows(m_entries.size());
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i].missing = !FileInPlaylistExists(playlistFile, m_entries[i].FileName);
    replaceRows(std::move(rows));
}

std::vector<size_t> PlaylistModel::checkedRows() const {
    std::vector<size_t> rows;
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].checked) rows.push_back(i);
    return rows;
}
