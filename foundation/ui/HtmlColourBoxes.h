#pragma once
// The colour combo box and preview box of the HTML option dialogs.  The
// preview "picture box" is any widget: its background (palette role Window,
// auto-filled) shows the colour.

class QComboBox;
class QString;
class QFocusEvent;
class QWidget;

// Appends the 141 names of the colour table, "Default" first.
void HTMLColoursIntoComboBox(QComboBox* combo);

// Shows the colour of the combo box's text in `pictureBox`: "Default" (any
// case) or an empty text show the button-face colour; six hexadecimal digits
// typed without "#" get the "#" in the combo box; any other text shows the
// button-face colour, the "Invalid Color" box, and gives the focus back to
// the combo box.  A colour the colour dialog left on the box (see
// SwatchColour) is forgotten, so the next colour dialog opens on the colour
// the box shows.
void HTMLColourIntoPictureBox(QComboBox* combo, QWidget* pictureBox);

// A colour box's text the catalogue pages can use: none ("Default" in any
// capitals, or empty), a colour name of the table, or six hexadecimal digits
// with or without "#" (what HTMLColourIntoPictureBox takes without a word).
bool IsColourBoxText(const QString& text);

// Whether the focus leaving a box that is checked when left (its FocusOut
// event: a colour box, a size box) is a leaving to check: the user moved on
// by Tab, Shift+Tab, an access key or a click.  Not when a pop-up (the box's
// own list) or another window takes the focus, nor when the program moves it
// (a check that put the focus back), nor when a click or an access key goes
// to the dialog's `ok` button, which checks its boxes itself, or to its
// `cancel` button, which keeps nothing.  Tab onto either is a leaving.
bool LeavingToCheck(const QFocusEvent* event, const QWidget* ok, const QWidget* cancel);
