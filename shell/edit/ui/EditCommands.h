#pragma once
// The shared Edit menu of the tool windows: which items are enabled for the
// control the menu serves, and the commands themselves.  Three kinds of
// control are served: text boxes (QLineEdit, QPlainTextEdit), rich-text boxes
// (QTextEdit and QTextBrowser, edited through their plain text) and lists
// (item views: their rows are copied, deleted and selected; no file is ever
// touched).  Any other control is left alone.
//
// Lists: a column counts as hidden when its header section is hidden or 0
// wide; the list has check boxes when its dynamic property "Checkboxes" says
// so, else when its first row's first cell is user-checkable.

#include <QString>
#include <array>

class QAction;
class QWidget;

// Items of the Edit menu, by index (4 is the separator).
namespace EditItem {
constexpr int Cut = 0, Copy = 1, Paste = 2, Delete = 3, SelectAll = 5, InvertSelection = 6;
}
using EditMenuItems = std::array<QAction*, 7>;

enum class EditControlKind { Other, TextBox, RichTextBox, ListView };
EditControlKind EditKindOf(const QWidget* control);

// Sets Enabled of the Cut, Copy, Paste, Delete, Select All and Invert
// Selection items for `control`.  When the window's focus is on another
// control (or on none) all six are disabled; for a control of another kind
// they keep their states.
void EditMenuRootSelect(QWidget* window, QWidget* control, const EditMenuItems& mnuEdit);
// Runs Edit item `index` on `control`: 0 Cut (copy, then delete), 1 Copy,
// 2 Paste, 3 Delete, 5 Select All, 6 Invert Selection; other indices do nothing.
void EditMenuItemSelect(int index, QWidget* control);

void EditCopy(QWidget* control);
void EditPaste(QWidget* control);
void EditDelete(QWidget* control);
void EditSelectAll(QWidget* control);
void EditInvertSel(QWidget* control);

// True for a control that performs the edit keys (Ctrl+X/C/V/A, Delete)
// itself when they are pressed: text boxes and rich-text boxes.  The keyboard
// emulation leaves those keys to such a control so they act once.
bool HandlesEditKeysItself(const QWidget* control);
