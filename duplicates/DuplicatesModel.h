#pragma once
// The rows of the duplicates list: one found file per row, a check mark on
// each (the rows Delete Selected Files acts on) and six columns: Folder, File
// Name, ID3v1 Artist, ID3v1 Title, ID3v2 Artist, ID3v2 Title.  The list keeps
// its rows in ascending order of the ID3v1 Title column (ignoring case, rows
// with equal titles in the order they were found), so equal titles stand
// together; rows come in unticked.
//
// The view's own check-box clicks come in through setData and are announced
// by checkToggledByUser; ticks set here are not.

#include "duplicates/DuplicateSearch.h"

#include <QAbstractTableModel>
#include <vector>

namespace DuplicateColumn {
enum : int { Folder = 0, FileName, ID3v1Artist, ID3v1Title, ID3v2Artist, ID3v2Title };
}
constexpr int kDuplicateColumnCount = 6;

class DuplicatesModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DuplicatesModel(QObject* parent = nullptr);

    // ---- Qt model ----
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    // Display and tool-tip roles: the cell's text; check state in column 0.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // The check state of column 0 (a user's tick).
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;

    // ---- rows ----
    int rows() const { return static_cast<int>(m_rows.size()); }
    // Replaces the rows with `found` (in the order found), sorted into place.
    void setEntries(std::vector<DuplicateEntry> found);
    void clear();
    const DuplicateEntry& entry(int row) const { return m_rows[size_t(row)].entry; }
    // Every row's entry, from the top.
    std::vector<DuplicateEntry> entries() const;
    QString text(int row, int column) const;
    // The row's folder and file name joined.
    QString fullPath(int row) const;

    bool isChecked(int row) const { return m_rows[size_t(row)].checked; }
    void setChecked(int row, bool checked);
    // One tick per row, from the top (`ticks` as long as the list).
    void setTicks(const std::vector<bool>& ticks);
    int64_t checkedCount() const;

signals:
    void checkToggledByUser(int row, bool checked);

private:
    struct Row {
        DuplicateEntry entry;
        bool checked = false;
    };
    std::vector<Row> m_rows;
};
