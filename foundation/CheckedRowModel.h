#pragma once
// What the program's checked-row lists share: a table model whose rows are
// held in one vector and whose every row has a check box in column 0 (a bool
// member of the row).  A list derived from it states its own columns and data
// (cellData, headerData), and says whether its user may remove rows and sort
// them (CheckedRowShape).
//
// It promises:
// - rowCount() and columnCount(): the rows and the list's columns at the top
//   level, none under any index.
// - flags(): enabled, selectable, never has children, and a user check box
//   in column 0.
// - data(): nothing outside the table; the check state of column 0 (Checked
//   or Unchecked) and none in the other columns; every other role from
//   cellData().
// - setData(): only the check state of column 0 (a tick from the view): it
//   sets the mark as setChecked() does, then calls checkedByUser().
// - setChecked() and setAllChecked() announce a change of mark with
//   dataChanged on column 0 and nothing else; setChecked() ignores a row
//   outside the table and a mark that is already so.
// - removeRows() (a removable list): a run of top-level rows inside the
//   table, false for anything else.  A list whose rows own more than the
//   vector holds takes that out in eraseRows().
// - sort() (a sortable list): by the text sortText() gives for the column
//   (the text shown, unless the list gives another), letter case ignored in
//   the locale's order, equal texts keeping their order
//   (foundation/TextOrder.h); rows move whole, check marks with them, and
//   persistent indexes follow their rows.  One sort key per row and one
//   permutation, so 100,000 rows sort in well under a second.
// - A list that is neither leaves Qt's own removeRows() (refused) and sort()
//   (nothing happens).

#include "foundation/TextOrder.h"

#include <QAbstractTableModel>
#include <QModelIndexList>
#include <QString>
#include <QVariant>
#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

// The columns of a checked-row list and what its user may do with its rows
// besides ticking them.
struct CheckedRowShape {
    int columns = 0;
    // removeRows() takes rows out (the shared Edit commands Cut and Delete).
    bool removable = false;
    // sort() orders the rows by one column's text.
    bool sortable = false;
};

template <typename Row, bool Row::*Checked = &Row::checked>
class CheckedRowModel : public QAbstractTableModel {
public:
    CheckedRowModel(const CheckedRowShape& shape, QObject* parent) : QAbstractTableModel(parent), m_shape(shape) {}

    // ---- Qt model ----
    int rowCount(const QModelIndex& parent = QModelIndex()) const override { return parent.isValid() ? 0 : rows(); }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : m_shape.columns;
    }
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override {
        if (!index.isValid() || index.row() >= rows() || index.column() >= m_shape.columns) return {};
        if (role == Qt::CheckStateRole) {
            if (index.column() != 0) return {};
            return isChecked(index.row()) ? Qt::Checked : Qt::Unchecked;
        }
        return cellData(index.row(), index.column(), role);
    }
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override {
        if (!index.isValid() || index.row() >= rows() || role != Qt::CheckStateRole || index.column() != 0)
            return false;
        const bool checked = value.toInt() == Qt::Checked;
        setChecked(index.row(), checked);
        checkedByUser(index.row(), checked);
        return true;
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        if (!index.isValid()) return Qt::NoItemFlags;
        Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
        if (index.column() == 0) f |= Qt::ItemIsUserCheckable;
        return f;
    }
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override {
        if (!m_shape.removable || parent.isValid() || row < 0 || count <= 0 || int64_t(row) + count > rows())
            return false;
        beginRemoveRows(QModelIndex(), row, row + count - 1);
        eraseRows(row, count);
        endRemoveRows();
        return true;
    }
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override {
        if (!m_shape.sortable || column < 0 || column >= m_shape.columns || m_rows.size() < 2) return;
        emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
        const std::vector<int> permutation = CaseInsensitiveOrder(
            rows(), [&](int row) { return sortText(row, column); }, order);
        const std::vector<int> newRowOf = ApplyOrder(m_rows, permutation);
        const QModelIndexList before = persistentIndexList();
        QModelIndexList after;
        after.reserve(before.size());
        for (const QModelIndex& idx : before) after.push_back(index(newRowOf[size_t(idx.row())], idx.column()));
        changePersistentIndexList(before, after);
        emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    }

    // ---- rows and check marks ----
    int rows() const { return static_cast<int>(m_rows.size()); }
    bool isChecked(int row) const { return m_rows[size_t(row)].*Checked; }
    void setChecked(int row, bool checked) {
        if (row < 0 || row >= rows() || m_rows[size_t(row)].*Checked == checked) return;
        m_rows[size_t(row)].*Checked = checked;
        const QModelIndex cell = index(row, 0);
        emit dataChanged(cell, cell, {Qt::CheckStateRole});
    }
    void setAllChecked(bool checked) {
        if (m_rows.empty()) return;
        for (Row& r : m_rows) r.*Checked = checked;
        emit dataChanged(index(0, 0), index(rows() - 1, 0), {Qt::CheckStateRole});
    }
    int64_t checkedCount() const {
        return std::count_if(m_rows.begin(), m_rows.end(), [](const Row& r) { return r.*Checked; });
    }
    // Removes every row (one reset notice; none when the list is empty).
    virtual void clear() {
        if (m_rows.empty()) return;
        replaceRows({});
    }

protected:
    // The cell's data in any role but the check state; the row and column
    // are inside the table.
    virtual QVariant cellData(int row, int column, int role) const = 0;
    // The text a sortable list orders `row` by when sorted by `column`: the
    // text the cell shows unless the list says otherwise.
    virtual QString sortText(int row, int column) const { return cellData(row, column, Qt::DisplayRole).toString(); }
    // A tick the view set through setData (after the mark is set).
    virtual void checkedByUser(int row, bool checked) {
        Q_UNUSED(row);
        Q_UNUSED(checked);
    }
    // Takes rows first .. first + count - 1 out, between the removal notices.
    virtual void eraseRows(int first, int count) {
        m_rows.erase(m_rows.begin() + first, m_rows.begin() + first + count);
    }

    // Adds one row at the end, with its insertion notice.
    void addRow(Row row) {
        const int at = rows();
        beginInsertRows(QModelIndex(), at, at);
        m_rows.push_back(std::move(row));
        endInsertRows();
    }
    // Room for `more` rows, grown by doubling: an exact reserve for each
    // batch would move every row again for each batch a load hands over.
    void reserveFor(size_t more) {
        if (m_rows.capacity() < m_rows.size() + more)
            m_rows.reserve(std::max(m_rows.size() + more, m_rows.capacity() * 2));
    }
    // Puts `rows` in place of every row, with one reset notice.
    void replaceRows(std::vector<Row> rows) {
        beginResetModel();
        m_rows = std::move(rows);
        endResetModel();
    }

    std::vector<Row> m_rows;

private:
    CheckedRowShape m_shape;
};
