#include "foundation/ui/OptionDialogBase.h"

#include "foundation/Errors.h"
#include "foundation/ui/WindowPositions.h"

#include <QCloseEvent>

void OptionDialogBase::CancelButton_Click() {
    Unload();
    reject();
}

void OptionDialogBase::Unload() {
    if (m_unloaded) return;
    m_unloaded = true;
    ResumeNext([&] { WriteWindowPos(this); });
    Unloading();
}

void OptionDialogBase::closeEvent(QCloseEvent* event) {
    Unload();
    QDialog::closeEvent(event);
}
