#include "options/ui/CataloguerDialogHooks.h"

#include <utility>

namespace {
CataloguerDialogHooks& Hooks() {
    static CataloguerDialogHooks hooks;
    return hooks;
}
}  // namespace

CataloguerDialogHooks SetCataloguerDialogHooks(CataloguerDialogHooks hooks) {
    CataloguerDialogHooks old = std::move(Hooks());
    Hooks() = std::move(hooks);
    return old;
}

const CataloguerDialogHooks& CataloguerDialogs() { return Hooks(); }
