#pragma once
// The text that a list's Copy puts on the clipboard: one line per selected
// row, in list order, the shown cells joined by tabs, every line (the last
// one too) ended by CR LF.  No heading line, no check-mark field, nothing of a
// hidden column (not even its tab).

#include <QString>
#include <vector>

class QAbstractItemModel;

// Whether column 0 counts as shown: any width above 0 on a list without check
// boxes; with check boxes it must be wider than the 230 twips that the box
// alone takes.
bool FirstColumnShown(bool checkboxes, double widthTwips);

// `rows` are the selected rows in ascending order; `columnShown` has one flag
// per column of the model (missing flags count as hidden).  A tab, CR or LF
// inside a cell is copied as a blank, so a cell can never split a row.
QString ListRowsAsText(const QAbstractItemModel& model, const std::vector<int>& rows,
                       const std::vector<bool>& columnShown);
