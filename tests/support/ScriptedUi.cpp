#include "support/ScriptedUi.h"

#include <QDir>
#include <cstdlib>

TempHome::TempHome() {
    m_hadConfig = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    m_hadData = qEnvironmentVariableIsSet("XDG_DATA_HOME");
    m_oldConfig = qgetenv("XDG_CONFIG_HOME");
    m_oldData = qgetenv("XDG_DATA_HOME");
    QDir(m_dir.path()).mkpath(QStringLiteral("config"));
    QDir(m_dir.path()).mkpath(QStringLiteral("data"));
    qputenv("XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_DATA_HOME", m_dir.filePath(QStringLiteral("data")).toUtf8());
}

TempHome::~TempHome() {
    if (m_hadConfig) qputenv("XDG_CONFIG_HOME", m_oldConfig); else qunsetenv("XDG_CONFIG_HOME");
    if (m_hadData) qputenv("XDG_DATA_HOME", m_oldData); else qunsetenv("XDG_DATA_HOME");
}
