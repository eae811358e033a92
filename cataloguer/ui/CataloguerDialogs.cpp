#include "cataloguer/ui/CataloguerDialogs.h"

#include "cataloguer/ui/PagePropertiesDialog.h"
#include "options/ui/CataloguerDialogHooks.h"

void RegisterCataloguerDialogs() {
    CataloguerDialogHooks hooks = CataloguerDialogs();
    hooks.htmlPageProperties = [](QWidget* parent) { ShowHTMLPageProperties(parent); };
    SetCataloguerDialogHooks(std::move(hooks));
}
