#pragma once
// Makes the cataloguer's option dialogs the ones the Options dialog opens
// (options/ui/CataloguerDialogHooks.h).  The program calls it once at start.

class QWidget;

void RegisterCataloguerDialogs();
