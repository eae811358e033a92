#pragma once
// Small procedures every window uses on its controls.  They keep no state;
// each passes its errors up the trail with its call-site text.  Positions and
// margins are twips.
//
// Conventions for controls: a control whose dynamic property "MousePointer"
// is 99 asks for the program's cursor (LoadCursorToControls); a list's sort
// state is kept in its dynamic properties "SortKey" (from 0), "SortOrder"
// (0 ascending, 1 descending) and "Sorted"; check marks of a list are the
// check state of column 0.

// Every dialog reads and writes its position (ReadWindowPos, WriteWindowPos).
#include "foundation/ui/WindowPositions.h"

#include <QCursor>
#include <QString>
#include <cstdint>
#include <functional>

class QAbstractItemView;
class QComboBox;
class QLineEdit;
class QProgressBar;
class QTreeView;
class QWidget;

void SetOnTop(QWidget* window, bool blnOnTop);
// Sets or clears one window flag.  A window that already has its native
// window keeps it: the change goes to that window, where re-creating it
// would lose what was set on it (its role, its place in the stacking order).
// A window keeps its position as it was given (frame or client area).
void SetWindowFlagInPlace(QWidget* window, Qt::WindowType flag, bool on);
bool FormLoaded(const QString& strFormName);
void ChangeListViewRowColour(QAbstractItemView* list, int row, int32_t lngColour);
void IncDecTextBox(QLineEdit* textBox, int32_t direction, int32_t limit, int32_t step);
void MaintainDimensions(QWidget* frm, float sngMinHeight, float sngMinWidth);
void InitialiseProgBar(QProgressBar* bar, float sngMax);
// value -1 is one step; counts are 32-bit.
void IncrementProgBar(QProgressBar* bar, int32_t value);
void EnsureNumericTextBox(QLineEdit* textBox, bool blnAllowZero, bool blnAllowMinus, bool blnAllowDecimal);
bool ListItemSelected(QAbstractItemView* list);
int32_t ListItemsChecked(QAbstractItemView* list);
int32_t ListItemsSelected(QAbstractItemView* list);
void DrawTransparentFrame(QWidget* frm, QWidget* topLeft, QWidget* bottomRight, float sngMargin);
void LoadCursorToControls(QWidget* frm, int32_t lngCursor);
void ChangeSortColumn(QTreeView* list, int32_t header);

// The program's cursor resources (101); error 326 for any other number.
QCursor ProgramCursor(int32_t id);

// An editable combo box named `name`: its list offers entries to pick, and
// what the user types stays exactly as typed.  Typing never completes the
// text from the list (Qt's editable boxes do, inline, unless told not to),
// leaving the box never turns the text into an entry of other capitals, and
// a typed text never joins the list by itself.  Every editable box of the
// program is made here.
QComboBox* NewEditableComboBox(QWidget* parent, const QString& name);

// The beep of a control that refused a character.
void Beep();
// Tests count the beeps of EnsureNumericTextBox (an empty function restores
// the platform's beep).
void SetBeepForTesting(std::function<void()> beep);
