#pragma once
// Makes the cataloguer's option dialogs the ones the Options dialog opens
// (options/ui/CataloguerDialogHooks.h).  The program calls it once at start.
// Also the colour-box rules those dialogs share.

class QString;
class QWidget;

void RegisterCataloguerDialogs();

// A colour text the page writer can use: none ("Default" in any capitals, or
// empty), a colour name of the table, or six hexadecimal digits with or
// without "#".
bool IsCatalogueColourText(const QString& text);

