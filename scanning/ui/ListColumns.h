#pragma once
// Columns and sort state of a list (a QTreeView over a table model), as the
// windows keep them: widths in twips, a hidden column being 0 wide, and the
// sort state in the list's dynamic properties "Sorted", "SortKey" (from 0)
// and "SortOrder" (0 ascending, 1 descending).  The settings procedures keep
// both in the settings section named after the list (its objectName).

#include <QString>

class QTreeView;

// The first column of a list with check boxes shows only its boxes at this
// width (twips); narrower or equal counts as hidden.
constexpr double kCheckBoxColumnTwips = 230;
// The width every column of a new list starts with.
constexpr double kDefaultColumnTwips = 1440;

// Whether the list shows check boxes in its first column: the dynamic
// property "Checkboxes", else whether its model's first cell is checkable.
bool ListHasCheckboxes(const QTreeView* list);
// A column's width in twips; 0 for a hidden column.
double ColumnWidthTwips(const QTreeView* list, int column);
// Sets a column's width in twips; 0 hides it, any other width shows it.
void SetColumnWidthTwips(QTreeView* list, int column, double twips);
// True when the column counts as hidden: 0 wide, or the check-box column at
// most kCheckBoxColumnTwips wide.
bool ColumnCountsAsHidden(const QTreeView* list, int column);

// Sort state: "Sorted" (default False), "SortKey" (default 0), "SortOrder"
// (default 0).  Reading restores the properties and the header's sort mark;
// it does not reorder rows (a list that is sorted is sorted again whenever
// rows are added, see SortListIfSorted).
void ReadSortSettings(QTreeView* list);
void WriteSortSettings(QTreeView* list);
// Sorts the rows again by the list's sort state when "Sorted" is set.
void SortListIfSorted(QTreeView* list);

// Per column (1-based index n): "<n>Visible" (Boolean) and "<n>Width"
// (twips).  Writing stores True and the width of a shown column, only False
// for a hidden one (its last width stays stored).  Reading gives a visible
// column its stored width (default 1440) and a hidden one width 0.
void ReadColumnSettings(QTreeView* list);
void WriteColumnSettings(QTreeView* list);
// The width stored for a column (default 1440 twips).
double StoredColumnWidthTwips(const QTreeView* list, int column);
