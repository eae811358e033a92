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

namespace {

// XDG_MUSIC_DIR's value in the user's folder settings, a shell-style file of
// lines such as XDG_MUSIC_DIR="$HOME/Music"; empty when it has none.
QString MusicDirSetting() {
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!QDir::isAbsolutePath(config)) config = QDir::homePath() + QStringLiteral("/.config");
    QFile file(config + QStringLiteral("/user-dirs.dirs"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return QString();
    QString value;
    // The file is small; the last setting wins, as when a shell reads it.
    for (int lines = 0; lines < 1000 && !file.atEnd(); ++lines) {
        const QString line = QString::fromUtf8(file.readLine(4096)).trimmed();
        if (line.startsWith(QLatin1String("XDG_MUSIC_DIR="))) value = line.mid(14);
    }
    if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
        value = value.mid(1, value.size() - 2);
    return value;
}

}  // namespace

QString UserMusicFolder() {
    const QString home = QDir::homePath();
    QString music = qEnvironmentVariable("XDG_MUSIC_DIR");
    if (music.isEmpty()) music = MusicDirSetting();
    if (music == QLatin1String("$HOME") || music.startsWith(QLatin1String("$HOME/"))) music = home + music.mid(5);
    if (QDir::isAbsolutePath(music) && QFileInfo(music).isDir()) return QDir::cleanPath(music);
    return home;
}
