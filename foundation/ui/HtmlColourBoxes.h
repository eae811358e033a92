#pragma once
// The colour combo box and preview box of the HTML option dialogs.  The
// preview "picture box" is any widget: its background (palette role Window,
// auto-filled) shows the colour.

class QComboBox;
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
