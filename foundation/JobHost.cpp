#include "foundation/JobHost.h"

#include "foundation/MessageUi.h"
#include "foundation/ResourceStrings.h"

#include <QCoreApplication>

void JobHost::Yield() {
    if (QCoreApplication::instance()) QCoreApplication::processEvents();
}

void JobHost::ShowResult(const QString& status, bool showBox, const QString& boxText) {
    ShowStatus(status);
    if (showBox) MsgBox(status + QStringLiteral(". ") + boxText, Mb::OKOnly | Mb::Exclamation, Caption());
}

QString JobHost::Caption() const { return GetResourceString(TextId::Launcher::ScanningCentre); }
