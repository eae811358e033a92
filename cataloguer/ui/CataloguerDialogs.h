#pragma once
// Makes the cataloguer's option dialogs the ones the Options dialog opens
// (options/ui/CataloguerDialogHooks.h).  The program calls it once at start.
// Also the colour-box rules those dialogs share.

class QComboBox;
class QString;
class QWidget;

void RegisterCataloguerDialogs();

// A colour text the page writer can use: none ("Default" in any capitals, or
// empty), a colour name of the table, or six hexadecimal digits with or
// without "#".
bool IsCatalogueColourText(const QString& text);

// Paints the swatch with the box's colour (foundation/ui/HtmlColourBoxes.h:
// a bad text is reported and the focus goes back to the box) and forgets any
// colour the colour dialog put into the swatch before, so the next colour
// dialog opens on the colour the swatch shows.
void PaintColourBox(QComboBox* combo, QWidget* swatch);
