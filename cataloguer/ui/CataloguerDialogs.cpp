#include "cataloguer/ui/CataloguerDialogs.h"

#include "cataloguer/ui/HTMLFontDialog.h"
#include "cataloguer/ui/HeaderOptionsDialogs.h"
#include "cataloguer/ui/PagePropertiesDialog.h"
#include "options/ui/CataloguerDialogHooks.h"

#include <QLabel>
#include <QString>
#include <QVariant>
#include <QWidget>

void RegisterCataloguerDialogs() {
    CataloguerDialogHooks hooks = CataloguerDialogs();
    hooks.htmlFont = [](QWidget* parent, QString& description) {
        QLabel label(description);
        if (!ShowHTMLFontDialog(&label, parent)) return false;
        description = label.text();
        return true;
    };
    hooks.htmlPageProperties = [](QWidget* parent) { ShowHTMLPageProperties(parent); };
    hooks.htmlHeader = [](QWidget* parent) { ShowHTMLCataloguerHeader(parent); };
    hooks.textHeader = [](QWidget* parent) { ShowTextCataloguerHeader(parent); };
    SetCataloguerDialogHooks(std::move(hooks));
}
