#include "cataloguer/ui/CataloguerOptionDialog.h"

#include "foundation/Errors.h"
#include "foundation/ui/WindowPositions.h"

#include <QCloseEvent>

void CataloguerOptionDialog::CancelButton_Click() {
    Unload();
    reject();
}

void CataloguerOptionDialog::Unload() {
    if (m_unloaded) return;
    m_unloaded = true;
    ResumeNext([&] { WriteWindowPos(this); });
    Unloading();
}

void CataloguerOptionDialog::closeEvent(QCloseEvent* event) {
    Unload();
    QDialog::closeEvent(event);
}
