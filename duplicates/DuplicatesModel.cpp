#include "duplicates/DuplicatesModel.h"

#include "foundation/FileUtils.h"
#include "foundation/TextOrder.h"
#include "scanning/engine/ScanRecord.h"

#include <algorithm>

DuplicatesModel::DuplicatesModel(QObject* parent)
    : CheckedRowModel({.columns = kDuplicateColumnCount, .removable = true}, parent) {}

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

QVariant DuplicatesModel::cellData(int row, int column, int role) const {
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
    return text(row, column);
}

QVariant DuplicatesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const int kScanColumns[kDuplicateColumnCount] = {ScanColumn::Folder,      ScanColumn::FileName,
                                                            ScanColumn::ID3v1Artist, ScanColumn::ID3v1Title,
                                                            ScanColumn::ID3v2Artist, ScanColumn::ID3v2Title};
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < kDuplicateColumnCount)
        return ScanColumnCaptions()[size_t(kScanColumns[section])];
    return QAbstractTableModel::headerData(section, orientation, role);
}

void DuplicatesModel::setEntries(std::vector<DuplicateEntry> found) {
    const std::vector<int> order = CaseInsensitiveOrder(
        static_cast<int>(found.size()), [&](int i) { return found[size_t(i)].ID3v1Title; }, Qt::AscendingOrder);
    std::vector<DuplicatesRow> sorted;
    sorted.reserve(found.size());
    for (int i : order) sorted.push_back(DuplicatesRow{std::move(found[size_t(i)]), false});
    replaceRows(std::move(sorted));
}

std::vector<DuplicateEntry> DuplicatesModel::entries() const {
    std::vector<DuplicateEntry> all;
    all.reserve(m_rows.size());
    for (const DuplicatesRow& r : m_rows) all.push_back(r.entry);
    return all;
}

void DuplicatesModel::setTicks(const std::vector<bool>& ticks) {
    const size_t n = std::min(ticks.size(), m_rows.size());
    for (size_t r = 0; r < n; ++r) m_rows[r].checked = ticks[r];
    if (n > 0) emit dataChanged(index(0, 0), index(static_cast<int>(n) - 1, 0), {Qt::CheckStateRole});
}
