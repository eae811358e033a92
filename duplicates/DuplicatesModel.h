#pragma once
// The rows of the duplicates list: one found file per row, a check mark on
// each (the rows Delete Selected Files acts on) and six columns: Folder, File
// Name, ID3v1 Artist, ID3v1 Title, ID3v2 Artist, ID3v2 Title.  The list keeps
// its rows in ascending order of the ID3v1 Title column (ignoring case, rows
// with equal titles in the order they were found), so equal titles stand
// together; rows come in unticked.
//
// The check marks and removing rows are foundation/CheckedRowModel.h's; the
// list does not sort on the user's word.  The view's own check-box clicks
// come in through setData and are announced by checkToggledByUser; ticks set
// here are not.

#include "duplicates/DuplicateSearch.h"
#include "foundation/CheckedRowModel.h"

#include <vector>

namespace DuplicateColumn {
enum : int { Folder = 0, FileName, ID3v1Artist, ID3v1Title, ID3v2Artist, ID3v2Title };
}
constexpr int kDuplicateColumnCount = 6;

// One row of the list.
struct DuplicatesRow {
    DuplicateEntry entry;
    bool checked = false;
};

class DuplicatesModel : public CheckedRowModel<DuplicatesRow> {
    Q_OBJECT
public:
    explicit DuplicatesModel(QObject* parent = nullptr);

    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // ---- rows ----
    // Replaces the rows with `found` (in the order found), sorted into place.
    void setEntries(std::vector<DuplicateEntry> found);
    const DuplicateEntry& entry(int row) const { return m_rows[size_t(row)].entry; }
    // Every row's entry, from the top.
    std::vector<DuplicateEntry> entries() const;
    QString text(int row, int column) const;
    // The row's folder and file name joined.
    QString fullPath(int row) const;

    // One tick per row, from the top (`ticks` as long as the list).
    void setTicks(const std::vector<bool>& ticks);

signals:
    void checkToggledByUser(int row, bool checked);

protected:
    // Display and tool-tip roles: the cell's text.
    QVariant cellData(int row, int column, int role) const override;
    void checkedByUser(int row, bool checked) override { emit checkToggledByUser(row, checked); }
};
