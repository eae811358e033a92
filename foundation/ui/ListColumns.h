#pragma once
// Columns and sort state of a list (a QTreeView over a table model), as the
// windows keep them: widths in twips, a hidden column being 0 wide, and the
// sort state in the list's dynamic properties "Sorted", "SortKey" (from 0)
// and "SortOrder" (0 ascending, 1 descending).  Their settings are kept by
// options/ui/ControlSettingsUi.h.

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

// Sorts the rows again by the list's sort state when "Sorted" is set.
void SortListIfSorted(QTreeView* list);
