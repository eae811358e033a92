#include "foundation/AppPaths.h"

#include <QCoreApplication>

namespace {
QString g_override;
}

QString AppPath() {
    if (!g_override.isEmpty()) return g_override;
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    return QStringLiteral(SV_BUILD_BIN_DIR);
}

void SetAppPathForTesting(const QString& path) { g_override = path; }
