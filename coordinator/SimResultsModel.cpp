#include "coordinator/SimResultsModel.h"

#include "foundation/SharedServices.h"
#include "foundation/TextOrder.h"

#include <algorithm>
#include <utility>

SimResultsModel::SimResultsModel(QObject* parent) : QAbstractTableModel(parent) {}

int SimResultsModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows(); }

int SimResultsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kSimColumnCount;
}

QVariant SimResultsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows() || index.column() >= kSimColumnCount) return {};
    const Row& r = m_rows[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case Qt::ToolTipRole: return r.cells[size_t(index.column())];
    case Qt::CheckStateRole:
        if (index.column() == 0) return r.checked ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::ForegroundRole:
        if (r.coloured) return PaintColour(r.colour);
        return {};
    default: return {};
    }
}

bool SimResultsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.row() >= rows() || role != Qt::CheckStateRole || index.column() != 0)
        return false;
    const bool checked = value.toInt() == Qt::Checked;
    setChecked(index.row(), checked);
    emit checkToggledByUser(index.row(), checked);
    return true;
}

Qt::ItemFlags SimResultsModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (index.column() == 0) f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant SimResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < kSimColumnCount)
        return SimColumnCaptions()[size_t(section)];
    return QAbstractTableModel::headerData(section, orientation, role);
}

bool SimResultsModel::removeRows(int row, int count, const QModelIndex& parent) {
    if (parent.isValid() || row < 0 || count <= 0 || row + count > rows()) return false;
    beginRemoveRows(QModelIndex(), row, row + count - 1);
    m_rows.erase(m_rows.begin() + row, m_rows.begin() + row + count);
    endRemoveRows();
    return true;
}

void SimResultsModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= kSimColumnCount || m_rows.size() < 2) return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const std::vector<int> permutation =
        CaseInsensitiveOrder(rows(), [&](int row) { return text(row, column); }, order);
    const std::vector<int> newRowOf = ApplyOrder(m_rows, permutation);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& idx : before) after.push_back(index(newRowOf[size_t(idx.row())], idx.column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

SimResultsModel::Row SimResultsModel::makeRow(SimRowTexts cells) {
    Row row;
    row.cells = std::move(cells);
    // Rows of one folder share its text.
    if (!m_rows.empty()) {
        const QString& folder = m_rows.back().cells[SimColumn::Folder];
        if (folder == row.cells[SimColumn::Folder]) row.cells[SimColumn::Folder] = folder;
    }
    return row;
}

void SimResultsModel::Style(Row& row, const CoordinatorAdvOptions& colours) {
    if (const std::optional<SimRowStyle> style = SimActionStyle(row.cells[SimColumn::Action], colours)) {
        row.checked = style->checked;
        row.coloured = true;
        row.colour = style->colour;
    }
}

void SimResultsModel::appendRow(bool checked, const SimRowTexts& cells) {
    const int at = rows();
    beginInsertRows(QModelIndex(), at, at);
    Row row = makeRow(cells);
    row.checked = checked;
    m_rows.push_back(std::move(row));
    endInsertRows();
}

void SimResultsModel::reserveFor(size_t more) {
    // Grown by doubling: an exact reserve per batch would move every row
    // again for each batch.
    if (m_rows.capacity() < m_rows.size() + more)
        m_rows.reserve(std::max(m_rows.size() + more, m_rows.capacity() * 2));
}

void SimResultsModel::appendRows(std::vector<NewRow>&& newRows) {
    if (newRows.empty()) return;
    const int first = rows();
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(newRows.size()) - 1);
    reserveFor(newRows.size());
    for (NewRow& r : newRows) {
        Row row = makeRow(std::move(r.cells));
        row.checked = r.checked;
        m_rows.push_back(std::move(row));
    }
    endInsertRows();
}

void SimResultsModel::appendDerivedRow(const SimRowTexts& cells, const CoordinatorAdvOptions& colours) {
    appendDerivedRows({cells}, colours);
}

void SimResultsModel::appendDerivedRows(std::vector<SimRowTexts> newRows, const CoordinatorAdvOptions& colours) {
    if (newRows.empty()) return;
    const int first = rows();
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(newRows.size()) - 1);
    reserveFor(newRows.size());
    for (SimRowTexts& cells : newRows) {
        Row row = makeRow(std::move(cells));
        Style(row, colours);
        m_rows.push_back(std::move(row));
    }
    endInsertRows();
}

void SimResultsModel::clear() {
    if (m_rows.empty()) return;
    beginResetModel();
    std::vector<Row>().swap(m_rows);
    endResetModel();
}

void SimResultsModel::updateSimResultEntry(int row, const CoordinatorAdvOptions& colours) {
    Row& r = m_rows[size_t(row)];
    const Row before = r;
    Style(r, colours);
    if (r.checked != before.checked || r.coloured != before.coloured || r.colour != before.colour)
        emit dataChanged(index(row, 0), index(row, kSimColumnCount - 1), {Qt::CheckStateRole, Qt::ForegroundRole});
}

void SimResultsModel::setChecked(int row, bool checked) {
    Row& r = m_rows[size_t(row)];
    if (r.checked == checked) return;
    r.checked = checked;
    const QModelIndex idx = index(row, 0);
    emit dataChanged(idx, idx, {Qt::CheckStateRole});
}

void SimResultsModel::setAllChecked(bool checked) {
    if (m_rows.empty()) return;
    for (Row& r : m_rows) r.checked = checked;
    emit dataChanged(index(0, 0), index(rows() - 1, 0), {Qt::CheckStateRole});
}

int SimResultsModel::checkedCount() const {
    return static_cast<int>(std::count_if(m_rows.begin(), m_rows.end(), [](const Row& r) { return r.checked; }));
}

void SimResultsModel::setText(int row, int column, const QString& text) {
    m_rows[size_t(row)].cells[size_t(column)] = text;
    const QModelIndex idx = index(row, column);
    emit dataChanged(idx, idx, {Qt::DisplayRole, Qt::EditRole, Qt::ToolTipRole});
}

std::optional<int32_t> SimResultsModel::colour(int row) const {
    const Row& r = m_rows[size_t(row)];
    return r.coloured ? std::optional<int32_t>(r.colour) : std::nullopt;
}

void SimResultsListFile::appendRow(bool checked, std::span<const QStringView> cells) {
    SimResultsModel::NewRow row{checked, {}};
    for (size_t i = 0; i < cells.size() && i < row.cells.size(); ++i) row.cells[i] = cells[i].toString();
    m_staged.push_back(std::move(row));
    // Outside a load the row shows at once; inside one, rows go to the model
    // in large batches.
    if (m_loads == 0 || m_staged.size() >= 4096) m_model.appendRows(std::exchange(m_staged, {}));
}

void SimResultsListFile::beginLoad() { ++m_loads; }

void SimResultsListFile::endLoad() {
    if (m_loads > 0) --m_loads;
    m_model.appendRows(std::exchange(m_staged, {}));
}
