#include "shell/start/VersionInfo.h"

#include <QStringList>

namespace {
int Part(int index) {
    const QStringList parts = QStringLiteral(SV_VERSION).split(QLatin1Char('.'));
    return index < parts.size() ? parts.at(index).toInt() : 0;
}
}  // namespace

namespace VersionInfo {
QString Title() { return QStringLiteral("Sonivard"); }
QString CompanyName() { return QStringLiteral("Brellick Software"); }
int Major() { return Part(0); }
int Minor() { return Part(1); }
int Revision() { return Part(2); }
QString VersionText() {
    return QStringLiteral("%1.%2.%3").arg(Major()).arg(Minor()).arg(Revision());
}
QString LegalCopyright() {
    return QStringLiteral("Copyright \u00A9 2026 ") + CompanyName() + QStringLiteral(". All rights reserved.");
}
}  // namespace VersionInfo
