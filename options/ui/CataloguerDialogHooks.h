#pragma once
// The cataloguer's own option dialogs as the Options dialog opens them: the
// HTML list-text font, the HTML page properties, the HTML header and the text
// header.  The cataloguer's windows register them here when they are built
// (each dialog stores its own settings at its own OK); until one is
// registered its button shows nothing.

#include <QString>
#include <functional>

class QWidget;

struct CataloguerDialogHooks {
    // Opens the font dialog on `description` ("Font: Default, Size Default,
    // Colour Default"); true after its OK, with `description` the new one.
    std::function<bool(QWidget* parent, QString& description)> htmlFont;
    std::function<void(QWidget* parent)> htmlPageProperties;
    std::function<void(QWidget* parent)> htmlHeader;
    std::function<void(QWidget* parent)> textHeader;
};

// Installs the hooks (empty members: nothing shows) and returns the old ones.
CataloguerDialogHooks SetCataloguerDialogHooks(CataloguerDialogHooks hooks);
const CataloguerDialogHooks& CataloguerDialogs();
