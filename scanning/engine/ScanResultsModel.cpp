#include "scanning/engine/ScanResultsModel.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <numeric>

ScanResultsModel::ScanResultsModel(QObject* parent) : QAbstractTableModel(parent) {}

template <typename Texts>
ScanResultsModel::Row ScanResultsModel::pack(bool checked, const Texts& texts, int count) {
    Row row;
    row.checked = checked;
    qsizetype total = 0;
    for (int i = 0; i < kScanColumnCount && i < count; ++i) total += texts[i].size();
    row.blob.reserve(total);
    for (int i = 0; i < kScanColumnCount; ++i) {
        if (i < count) row.blob += texts[i];
        row.ends[static_cast<size_t>(i)] = static_cast<uint32_t>(row.blob.size());
    }
    row.blob.squeeze();
    return row;
}

void ScanResultsModel::replaceTexts(Row& row, int firstColumn, const QString* texts, int count) {
    std::array<QString, kScanColumnCount> all;
    uint32_t start = 0;
    for (int i = 0; i < kScanColumnCount; ++i) {
        const uint32_t end = row.ends[static_cast<size_t>(i)];
        if (i >= firstColumn && i < firstColumn + count)
            all[static_cast<size_t>(i)] = texts[i - firstColumn];
        else
            all[static_cast<size_t>(i)] = QStringView(row.blob).mid(start, end - start).toString();
        start = end;
    }
    row = pack(row.checked, all, kScanColumnCount);
}

int ScanResultsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int ScanResultsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kScanColumnCount;
}

QStringView ScanResultsModel::cellView(int row, int column) const {
    const Row& r = m_rows[static_cast<size_t>(row)];
    const uint32_t start = column == 0 ? 0 : r.ends[static_cast<size_t>(column - 1)];
    return QStringView(r.blob).mid(start, r.ends[static_cast<size_t>(column)] - start);
}

QVariant ScanResultsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows() || index.column() >= kScanColumnCount) return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole || role == Qt::ToolTipRole)
        return cellView(index.row(), index.column()).toString();
    if (role == Qt::CheckStateRole && index.column() == 0)
        return isChecked(index.row()) ? Qt::Checked : Qt::Unchecked;
    return {};
}

bool ScanResultsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.row() >= rows()) return false;
    if (role == Qt::CheckStateRole && index.column() == 0) {
        setChecked(index.row(), value.toInt() == Qt::Checked);
        return true;
    }
    return false;
}

Qt::ItemFlags ScanResultsModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemNeverHasChildren;
    if (index.column() == 0) f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant ScanResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < kScanColumnCount)
        return ScanColumnCaptions()[static_cast<size_t>(section)];
    return QAbstractTableModel::headerData(section, orientation, role);
}

bool ScanResultsModel::removeRows(int row, int count, const QModelIndex& parent) {
    if (parent.isValid() || row < 0 || count <= 0 || row + count > rows()) return false;
    beginRemoveRows(QModelIndex(), row, row + count - 1);
    m_rows.erase(m_rows.begin() + row, m_rows.begin() + row + count);
    endRemoveRows();
    return true;
}

void ScanResultsModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= kScanColumnCount || m_rows.size() < 2) return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);

    QCollator collator{QLocale()};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<QCollatorSortKey> keys;
    keys.reserve(m_rows.size());
    for (size_t i = 0; i < m_rows.size(); ++i)
        keys.push_back(collator.sortKey(cellView(static_cast<int>(i), column).toString()));

    std::vector<int> permutation(m_rows.size());
    std::iota(permutation.begin(), permutation.end(), 0);
    if (order == Qt::AscendingOrder)
        std::stable_sort(permutation.begin(), permutation.end(),
                         [&](int a, int b) { return keys[size_t(a)].compare(keys[size_t(b)]) < 0; });
    else
        std::stable_sort(permutation.begin(), permutation.end(),
                         [&](int a, int b) { return keys[size_t(b)].compare(keys[size_t(a)]) < 0; });

    std::vector<Row> sorted;
    sorted.reserve(m_rows.size());
    std::vector<int> newRowOf(m_rows.size());
    for (size_t i = 0; i < permutation.size(); ++i) {
        sorted.push_back(std::move(m_rows[size_t(permutation[i])]));
        newRowOf[size_t(permutation[i])] = static_cast<int>(i);
    }
    m_rows = std::move(sorted);

    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& idx : before)
        after.push_back(index(newRowOf[size_t(idx.row())], idx.column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ScanResultsModel::appendRow(bool checked, const QStringList& texts) {
    const int row = rows();
    beginInsertRows(QModelIndex(), row, row);
    m_rows.push_back(pack(checked, texts, static_cast<int>(texts.size())));
    endInsertRows();
}

void ScanResultsModel::appendRow(bool checked, const ScanRowTexts& texts) {
    const int row = rows();
    beginInsertRows(QModelIndex(), row, row);
    m_rows.push_back(pack(checked, texts, kScanColumnCount));
    endInsertRows();
}

void ScanResultsModel::appendRecord(const ScanRecord& record, bool checked) {
    appendRow(checked, ScanRecordTexts(record));
}

void ScanResultsModel::appendRows(std::vector<NewRow>&& newRows) {
    if (newRows.empty()) return;
    const int first = rows();
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(newRows.size()) - 1);
    m_rows.reserve(m_rows.size() + newRows.size());
    for (NewRow& r : newRows) {
        m_rows.push_back(pack(r.checked, r.texts, kScanColumnCount));
        r.texts = {};
    }
    endInsertRows();
}

void ScanResultsModel::clear() {
    if (m_rows.empty()) return;
    beginResetModel();
    std::vector<Row>().swap(m_rows);
    endResetModel();
}

void ScanResultsModel::setChecked(int row, bool checked) {
    Row& r = m_rows[static_cast<size_t>(row)];
    if (r.checked == checked) return;
    r.checked = checked;
    const QModelIndex idx = index(row, 0);
    emit dataChanged(idx, idx, {Qt::CheckStateRole});
}

void ScanResultsModel::setAllChecked(bool checked) {
    if (m_rows.empty()) return;
    for (Row& r : m_rows) r.checked = checked;
    emit dataChanged(index(0, 0), index(rows() - 1, 0), {Qt::CheckStateRole});
}

int64_t ScanResultsModel::checkedCount() const {
    return std::count_if(m_rows.begin(), m_rows.end(), [](const Row& r) { return r.checked; });
}

QStringList ScanResultsModel::rowTexts(int row) const {
    QStringList texts;
    texts.reserve(kScanColumnCount);
    for (int c = 0; c < kScanColumnCount; ++c) texts.push_back(text(row, c));
    return texts;
}

void ScanResultsModel::setText(int row, int column, const QString& text) {
    replaceTexts(m_rows[static_cast<size_t>(row)], column, &text, 1);
    const QModelIndex idx = index(row, column);
    emit dataChanged(idx, idx, {Qt::DisplayRole, Qt::EditRole, Qt::ToolTipRole});
}

QString ScanResultsModel::fullPath(int row) const {
    return JoinFolderFile(text(row, ScanColumn::Folder), text(row, ScanColumn::FileName));
}

ScanRecord ScanResultsModel::record(int row) const { return ScanRecordFromTexts(rowTexts(row)); }

void ScanResultsModel::updateRowFromRecord(int row, const ScanRecord& record) {
    const ScanRowTexts texts = ScanRecordTexts(record);
    constexpr int first = ScanColumn::ID3v1Title;
    replaceTexts(m_rows[static_cast<size_t>(row)], first, texts.data() + first, kScanColumnCount - first);
    emit dataChanged(index(row, first), index(row, kScanColumnCount - 1),
                     {Qt::DisplayRole, Qt::EditRole, Qt::ToolTipRole});
}
