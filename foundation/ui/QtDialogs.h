#pragma once
// The common dialogs as real Qt dialogs, the folder picker, and the colour
// swatches that the colour dialog edits.

#include "foundation/Dialogs.h"

#include <QStringList>
#include <cstdint>

class QWidget;

class QtDialogUi final : public IDialogUi {
public:
    bool ShowDialog(CommonDialog::Kind kind, CommonDialog& dialog) override;
};

// The folder picker over `owner`: file-system folders only, with `prompt`
// as its title and, since a window manager cuts a long title, shown whole
// inside the dialog above the folders.  The chosen folder, or "" when the
// user cancels.
QString ChooseFolder(QWidget* owner, const QString& prompt);

// "Description|*.a;*.b|Other|*.c" as Qt name filters ("Description (*.a *.b)", ...).
QStringList QtNameFilters(const QString& filter);

// A colour swatch (a picture box showing a colour) keeps its colour value in
// the property "BackColor"; it is painted with PaintColour, so a system colour
// follows the palette.
int32_t SwatchColour(const QWidget* swatch);
void SetSwatchColour(QWidget* swatch, int32_t colour);

// ColourFromDialog on a swatch widget: the dialog opens preset to the swatch's
// colour, and on OK the swatch takes the chosen colour.
bool ColourFromDialog(CommonDialog& dialog, QWidget* picColour, int32_t lngFlags);
