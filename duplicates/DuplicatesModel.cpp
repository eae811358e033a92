#include "duplicates/DuplicatesModel.h"

#include "foundation/FileUtils.h"
#include "foundation/TextOrder.h"
#include "scanning/engine/ScanRecord.h"

#include <algorithm>

DuplicatesModel::DuplicatesModel(QObject* parent) : QAbstractTableModel(parent) {}

int DuplicatesModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows(); }

int DuplicatesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kDuplicateColumnCount;
}

QString DuplicatesModel::text(int row, int column) const {
    const DuplicateEntry& e = m_rows[size_t(row)].entry;
    switch (column) {
    case DuplicateColumn::Folder: return e.Folder;
    case DuplicateColumn::FileName: return e.FileName;
    case DuplicateColumn::ID3v1Artist: return e.ID3v1Artist;
    case DuplicateColumn::ID3v1Title: return e.ID3v1Title;
    case DuplicateColumn::ID3v2Artist: return e.ID3v2Artist;
    case DuplicateColumn::ID3v2Title: return e.ID3v2Title;
    default: return QString();
    }
}

QString DuplicatesModel::fullPath(int row) const {
    const DuplicateEntry& e = m_rows[size_t(row)].entry;
    return JoinPath(e.Folder, e.FileName);
}

QVariant DuplicatesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows() || index.column() >= kDuplicateColumnCount) return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: return text(index.row(), index.column());
    case Qt::CheckStateRole:
        if (index.column() == 0) return isChecked(index.row()) ? Qt::Checked : Qt::Unchecked;
        return {};
    default: return {};
    }
}

bool DuplicatesModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.row() >= rows() || role != Qt::CheckStateRole || index.column() != 0) return false;
    const bool checked = value.toInt() == Qt::Checked;
    setChecked(index.row(), checked);
    emit checkToggledByUser(index.row(), checked);
    return true;
}

Qt::ItemFlags DuplicatesModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (index.column() == 0) f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant DuplicatesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const int kScanColumns[kDuplicateColumnCount] = {ScanColumn::Folder,      ScanColumn::FileName,
                                                            ScanColumn::ID3v1Artist, ScanColumn::ID3v1Title,
                                                            ScanColumn::ID3v2Artist, ScanColumn::ID3v2Title};
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < kDuplicateColumnCount)
        return ScanColumnCaptions()[size_t(kScanColumns[section])];
    return QAbstractTableModel::headerData(section, orientation, role);
}

bool DuplicatesModel::removeRows(int row, int count, const QModelIndex& parent) {
    if (parent.isValid() || row < 0 || count <= 0 || row + count > rows()) return false;
    beginRemoveRows(QModelIndex(), row, row + count - 1);
    m_rows.erase(m_rows.begin() + row, m_rows.begin() + row + count);
    endRemoveRows();
    return true;
}

void DuplicatesModel::setEntries(std::vector<DuplicateEntry> found) {
    const std::vector<int> order = CaseInsensitiveOrder(
        static_cast<int>(found.size()), [&](int i) { return found[size_t(i)].ID3v1Title; }, Qt::AscendingOrder);
    std::vector<Row> sorted;
    sorted.reserve(found.size());
    for (int i : order) sorted.push_back(Row{std::move(found[size_t(i)]), false});
    beginResetModel();
    m_rows = std::move(sorted);
    endResetModel();
}

void DuplicatesModel::clear() {
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

std::vector<DuplicateEntry> DuplicatesModel::entries() const {
    std::vector<DuplicateEntry> all;
    all.reserve(m_rows.size());
    for (const Row& r : m_rows) all.push_back(r.entry);
    return all;
}

void DuplicatesModel::setChecked(int row, bool checked) {
    if (row < 0 || row >= rows() || m_rows[size_t(row)].checked == checked) return;
    m_rows[size_t(row)].checked = checked;
    const QModelIndex at = index(row, 0);
    emit dataChanged(at, at, {Qt::CheckStateRole});
}

void DuplicatesModel::setTicks(const std::vector<bool>& ticks) {
    const size_t n = std::min(ticks.size(), m_rows.size());
    for (size_t r = 0; r < n; ++r) m_rows[r].checked = ticks[r];
    if (n > 0) emit dataChanged(index(0, 0), index(static_cast<int>(n) - 1, 0), {Qt::CheckStateRole});
}

int64_t DuplicatesModel::checkedCount() const {
    return std::count_if(m_rows.begin(), m_rows.end(), [](const Row& r) { return r.checked; });
}
