#include "ripper/TrackListModel.h"

#include "foundation/FileUtils.h"
#include "foundation/ResourceStrings.h"

#include <QBrush>
#include <QPalette>

TrackListModel::TrackListModel(QObject* parent) : CheckedRowModel({.columns = ColumnCount}, parent) {}

void TrackListModel::SetTracks(const CdTableOfContents& toc) {
    std::vector<RipTrackRow> rows;
    for (size_t i = 0; i < toc.tracks.size() && i < 99; ++i) {
        const CdTrack& t = toc.tracks[i];
        rows.push_back({GetResourceString(TextId::Ripper::Track) + QString::number(i + 1), t.firstFrame, t.endFrame,
                        t.audio, t.audio});
    }
    replaceRows(std::move(rows));
    emit tickedChanged();
}

void TrackListModel::Clear() { SetTracks(CdTableOfContents{}); }

std::vector<RipTrackRow> TrackListModel::Rows() const { return m_rows; }

int TrackListModel::TickedCount() const { return static_cast<int>(checkedCount()); }

QString TrackListModel::Name(int row) const {
    return row >= 0 && size_t(row) < m_rows.size() ? m_rows[size_t(row)].name : QString();
}

QVariant TrackListModel::cellData(int row, int column, int role) const {
    const RipTrackRow& r = m_rows[size_t(row)];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        switch (column) {
        case ColumnTrack: return r.name;
        case ColumnStart: return QString::number(r.firstFrame);
        case ColumnEnd: return QString::number(r.endFrame);
        case ColumnType:
            return GetResourceString(r.audio ? TextId::Ripper::Audio : TextId::Ripper::Data);
        default: return {};
        }
    case Qt::ForegroundRole:
        if (!r.audio) return QBrush(QPalette().color(QPalette::Disabled, QPalette::Text));
        return {};
    default: return {};
    }
}

QVariant TrackListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
    case ColumnTrack: return GetResourceString(TextId::Ripper::ColumnTrack);
    case ColumnStart: return GetResourceString(TextId::Ripper::ColumnStartAddress);
    case ColumnEnd: return GetResourceString(TextId::Ripper::ColumnEndAddress);
    case ColumnType: return GetResourceString(TextId::Ripper::ColumnType);
    default: return {};
    }
}

Qt::ItemFlags TrackListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == ColumnTrack) {
        f |= Qt::ItemIsEditable;
        if (m_rows[size_t(index.row())].audio) f |= Qt::ItemIsUserCheckable;
    }
    return f;
}

bool TrackListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() != ColumnTrack || size_t(index.row()) >= m_rows.size()) return false;
    RipTrackRow& r = m_rows[size_t(index.row())];
    if (role == Qt::CheckStateRole) {
        if (!r.audio) return false;  // a data track is never ripped
        r.ticked = value.toInt() == Qt::Checked;
        emit dataChanged(index, index, {Qt::CheckStateRole});
        emit tickedChanged();
        return true;
    }
    if (role != Qt::EditRole) return false;
    QString name = value.toString();
    EnsureFileNameCompatible(name, QString());
    if (name.isEmpty()) return false;
    for (const RipTrackRow& other : m_rows) {
        if (other.name.compare(name, Qt::CaseInsensitive) == 0) {
            if (duplicateName) duplicateName();
            return false;
        }
    }
    r.name = name;
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}
