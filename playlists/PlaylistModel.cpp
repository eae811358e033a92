#include "playlists/PlaylistModel.h"

#include <QColor>
#include <algorithm>

PlaylistModel::PlaylistModel(PlaylistEntries& entries, QObject* parent)
    : QAbstractTableModel(parent), m_entries(entries) {}

int PlaylistModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_shownRows);
}

int PlaylistModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : PlaylistColumn::Count;
}

QVariant PlaylistModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || size_t(index.row()) >= m_shownRows || size_t(index.row()) >= m_entries.size())
        return {};
    const PlaylistEntryInfo& entry = m_entries[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        switch (index.column()) {
        case PlaylistColumn::Length: return QString::number(entry.Length);
        case PlaylistColumn::Title: return entry.Title;
        case PlaylistColumn::FileName: return entry.FileName;
        default: return {};
        }
    case Qt::CheckStateRole:
        if (index.column() != 0) return {};
        return m_checked[size_t(index.row())] ? Qt::Checked : Qt::Unchecked;
    case Qt::ForegroundRole:
        if (m_missing[size_t(index.row())]) return QColor(255, 0, 0);
        return {};
    default: return {};
    }
}

bool PlaylistModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() != 0 || role != Qt::CheckStateRole) return false;
    if (size_t(index.row()) >= m_shownRows) return false;
    setChecked(index.row(), value.value<Qt::CheckState>() == Qt::Checked);
    return true;
}

Qt::ItemFlags PlaylistModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (index.column() == 0) f |= Qt::ItemIsUserCheckable;
    return f;
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

bool PlaylistModel::removeRows(int row, int count, const QModelIndex& parent) {
    if (parent.isValid() || row < 0 || count <= 0 || size_t(row) + size_t(count) > m_shownRows) return false;
    beginRemoveRows(parent, row, row + count - 1);
    const auto first = size_t(row), last = size_t(row) + size_t(count);
    if (last <= m_entries.size())
        m_entries.erase(m_entries.begin() + std::ptrdiff_t(first), m_entries.begin() + std::ptrdiff_t(last));
    m_checked.erase(m_checked.begin() + std::ptrdiff_t(first), m_checked.begin() + std::ptrdiff_t(last));
    m_missing.erase(m_missing.begin() + std::ptrdiff_t(first), m_missing.begin() + std::ptrdiff_t(last));
    m_shownRows -= size_t(count);
    endRemoveRows();
    return true;
}

void PlaylistModel::Populate(const QString& playlistFile) {
    beginResetModel();
    m_shownRows = m_entries.size();
    m_checked.assign(m_shownRows, false);
    m_missing.assign(m_shownRows, false);
    for (size_t i = 0; i < m_shownRows; ++i)
        m_missing[i] = !FileInPlaylistExists(playlistFile, m_entries[i].FileName);
    endResetModel();
}

void PlaylistModel::setChecked(int row, bool checked) {
    if (row < 0 || size_t(row) >= m_shownRows || m_checked[size_t(row)] == checked) return;
    m_checked[size_t(row)] = checked;
    emit dataChanged(index(row, 0), index(row, 0), {Qt::CheckStateRole});
}

void PlaylistModel::setAllChecked(bool checked) {
    if (m_shownRows == 0) return;
    std::fill(m_checked.begin(), m_checked.end(), checked);
    emit dataChanged(index(0, 0), index(int(m_shownRows) - 1, 0), {Qt::CheckStateRole});
}

int PlaylistModel::checkedCount() const { return int(std::count(m_checked.begin(), m_checked.end(), true)); }

std::vector<size_t> PlaylistModel::checkedRows() const {
    std::vector<size_t> rows;
    for (size_t i = 0; i < m_shownRows; ++i)
        if (m_checked[i]) rows.push_back(i);
    return rows;
}
