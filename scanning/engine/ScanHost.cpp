#include "scanning/engine/ScanHost.h"

#include "foundation/MessageUi.h"
#include "foundation/ResourceStrings.h"

#include <QCoreApplication>

void ScanHost::Yield() {
    if (QCoreApplication::instance()) QCoreApplication::processEvents();
}

void ScanHost::ShowResult(const QString& status, bool showBox, const QString& boxText) {
    ShowStatus(status);
    if (showBox) MsgBox(status + QStringLiteral(". ") + boxText, Mb::OKOnly | Mb::Exclamation, Caption());
}

QString ScanHost::Caption() const { return GetResourceString(TextId::Launcher::ScanningCentre); }
