#pragma once
// Moves single controls' states between the controls and their stored
// records (options/ControlSettings.h): a list's sort and column widths, a
// control's font, an editable combo box's history.  Show* puts a record into
// a control, Take* reads a record from it; the Read*/Write* procedures do
// both with the store in one call, in the section named after the control
// (its objectName, which must be set).  Errors pass up the trail with the
// procedure's name and the control's name.
//
// A list keeps its sort in its dynamic properties "Sorted", "SortKey" and
// "SortOrder" (foundation/ui/ListColumns.h), its column widths in twips.  A
// combo box keeps its history in its own list: give an editable box
// QComboBox::NoInsert, since these procedures add typed entries themselves.

#include "options/ControlSettings.h"

#include <QString>

class QComboBox;
class QListWidget;
class QTreeView;
class QWidget;

// ---- a list's sort ----
ListSortSettings TakeListSort(const QTreeView* list);
// Clears the old sort mark, sets the three properties (a key beyond the
// list's columns becomes 0), marks the sort column when sorted, and sorts
// the rows when sorted.
void ShowListSort(QTreeView* list, const ListSortSettings& sort);
void ReadSortSettings(QTreeView* list);
void WriteSortSettings(QTreeView* list);

// ---- a list's columns ----
ListColumnSettings TakeListColumns(const QTreeView* list);
// Sets the width of each column the record has (0 hides it); columns beyond
// the record keep their width.
void ShowListColumns(QTreeView* list, const ListColumnSettings& columns);
void ReadColumnSettings(QTreeView* list);
void WriteColumnSettings(QTreeView* list);

// ---- a control's font ----
FontSettings TakeFont(const QWidget* control);
// Face and size only when the record has them; italic and bold always.
void ShowFont(QWidget* control, const FontSettings& font);
void ReadFontSettings(QWidget* control);
void WriteFontSettings(QWidget* control);

// ---- an editable combo box's history ----
// A new editable box for a history, made as every editable box is
// (NewEditableComboBox, shell/ui/ControlUtils.h): the text stays as the user
// types it (the history is offered in the drop-down list only: no completion
// from it, no change of capitals to match an entry when the box is left), and
// the box adds nothing itself (the procedures below add typed entries).
QComboBox* NewHistoryComboBox(QWidget* parent, const QString& name);
// The box's list and edit text.
ComboBoxSettings TakeComboBox(const QComboBox* box);
// True when the edit text was typed: no entry is current, or the current
// entry's text differs from the edit text.
bool ComboBoxTextTyped(const QComboBox* box);
// Appends the record's entries beyond the box's own, then sets the text.
void ShowComboBox(QComboBox* box, const ComboBoxSettings& settings);
void ReadComboBoxSettings(QComboBox* box, int limit, const QString& defaultText);
// Adds a newly typed text to the box's list and stores the history.
void WriteComboBoxSettings(QComboBox* box, int limit);

// Removes every entry equal to `text` (case counts) from the list box.
void RemoveFromList(QListWidget* list, const QString& text);
