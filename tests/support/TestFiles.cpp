#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

QString WriteFile(const QString& folder, const QString& name, const QByteArray& bytes) {
    QDir().mkpath(folder);
    const QString path = folder + QLatin1Char('/') + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        ADD_FAILURE() << "cannot write " << path.toStdString();
        return {};
    }
    return path;
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void SetMode(const QString& path, unsigned mode) { ::chmod(QFile::encodeName(path).constData(), mode); }

unsigned ModeOf(const QString& path) {
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st.st_mode & 07777;
}

WithoutFileRights::WithoutFileRights() {
    if (::geteuid() != 0) return;
    // Leaving file-system uid 0 drops the capabilities that bypass permission
    // bits; going back to 0 restores them.
    ::setfsgid(65534);
    ::setfsuid(65534);
    m_switched = true;
}

WithoutFileRights::~WithoutFileRights() {
    if (!m_switched) return;
    ::setfsuid(0);
    ::setfsgid(0);
}
