#include "foundation/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
QString g_override;
}

QString AppPath() {
    if (!g_override.isEmpty()) return g_override;
    const QByteArray named = qgetenv(kAppPathVariable);
    if (!named.isEmpty()) return QDir(QFile::decodeName(named)).absolutePath();
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    // Before the application object exists: the running program's own file.
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()).path();
}

void SetAppPathForTesting(const QString& path) { g_override = path; }
