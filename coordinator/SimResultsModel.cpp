#include "coordinator/SimResultsModel.h"

#include "foundation/SharedServices.h"

#include <algorithm>
#include <utility>

SimResultsModel::SimResultsModel(QObject* parent)
    : CheckedRowModel({.columns = kSimColumnCount, .removable = true, .sortable = true}, parent) {}

QVariant SimResultsModel::cellData(int row, int column, int role) const {
    const Row& r = m_rows[size_t(row)];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case Qt::ToolTipRole: return r.cells[size_t(column)];
    case Qt::ForegroundRole:
        if (r.coloured) return PaintColour(r.colour);
        return {};
    default: return {};
    }
}

QVariant SimResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < kSimColumnCount)
        return SimColumnCaptions()[size_t(section)];
    return QAbstractTableModel::headerData(section, orientation, role);
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
    Row row = makeRow(cells);
    row.checked = checked;
    addRow(std::move(row));
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

void SimResultsModel::updateSimResultEntry(int row, const CoordinatorAdvOptions& colours) {
    Row& r = m_rows[size_t(row)];
    const Row before = r;
    Style(r, colours);
    if (r.checked != before.checked || r.coloured != before.coloured || r.colour != before.colour)
        emit dataChanged(index(row, 0), index(row, kSimColumnCount - 1), {Qt::CheckStateRole, Qt::ForegroundRole});
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
