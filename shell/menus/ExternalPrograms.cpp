#include "shell/menus/ExternalPrograms.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>

namespace {

class RealExternalPrograms final : public IExternalPrograms {
public:
    QString DefaultApplicationFor(const QString& mimeType) override {
        const QString tool = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
        if (tool.isEmpty()) return {};
        QProcess process;
        process.setProcessChannelMode(QProcess::SeparateChannels);
        process.start(tool, {QStringLiteral("query"), QStringLiteral("default"), mimeType});
        if (!process.waitForFinished(5000)) {
            process.kill();
            process.waitForFinished(1000);
            return {};
        }
        if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) return {};
        const QString id = QString::fromLocal8Bit(process.readAllStandardOutput()).section(QLatin1Char('\n'), 0, 0);
        return id.trimmed();
    }
    bool StartDetached(const QString& program, const QStringList& arguments) override {
        if (program.isEmpty()) return false;
        return QProcess::startDetached(program, arguments);
    }
    QString FindExecutable(const QString& name) override { return QStandardPaths::findExecutable(name); }
};

RealExternalPrograms& Real() {
    static RealExternalPrograms real;
    return real;
}
IExternalPrograms* g_programs = nullptr;

QStringList ApplicationFolders() {
    QStringList folders;
    QString home = qEnvironmentVariable("XDG_DATA_HOME");
    if (home.isEmpty()) home = QDir::homePath() + QStringLiteral("/.local/share");
    folders << home + QStringLiteral("/applications");
    QString dirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dirs.isEmpty()) dirs = QStringLiteral("/usr/local/share:/usr/share");
    for (const QString& dir : dirs.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        folders << dir + QStringLiteral("/applications");
    return folders;
}

// Splits an Exec value into words: blanks separate, double quotes group, and
// inside quotes a backslash escapes the next character.
QStringList SplitExec(const QString& exec) {
    QStringList words;
    QString word;
    bool inWord = false, quoted = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        if (quoted) {
            if (c == QLatin1Char('\\') && i + 1 < exec.size()) {
                word += exec.at(++i);
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                word += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
            inWord = true;
        } else if (c == QLatin1Char(' ') || c == QLatin1Char('\t')) {
            if (inWord) words << word;
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) words << word;
    return words;
}

// The key file's own escapes of a string value (\s \n \t \r \\).
QString UnescapeValue(const QString& value) {
    QString out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != QLatin1Char('\\') || i + 1 >= value.size()) {
            out += c;
            continue;
        }
        const QChar n = value.at(++i);
        if (n == QLatin1Char('s')) out += QLatin1Char(' ');
        else if (n == QLatin1Char('n')) out += QLatin1Char('\n');
        else if (n == QLatin1Char('t')) out += QLatin1Char('\t');
        else if (n == QLatin1Char('r')) out += QLatin1Char('\r');
        else if (n == QLatin1Char('\\')) out += QLatin1Char('\\');
        else {
            out += QLatin1Char('\\');
            out += n;
        }
    }
    return out;
}

}  // namespace

IExternalPrograms& ExternalPrograms() { return g_programs ? *g_programs : Real(); }

IExternalPrograms* SetExternalPrograms(IExternalPrograms* programs) {
    IExternalPrograms* previous = g_programs;
    g_programs = programs;
    return previous;
}

QString DesktopEntryFile(const QString& desktopId) {
    if (desktopId.isEmpty() || desktopId.contains(QLatin1Char('/'))) return {};
    QStringList candidates{desktopId};
    // "vendor-app.desktop" may live in "vendor/app.desktop", one level per dash.
    QString nested = desktopId;
    for (qsizetype dash = nested.indexOf(QLatin1Char('-')); dash >= 0; dash = nested.indexOf(QLatin1Char('-'), dash + 1)) {
        QString candidate = nested;
        candidate[dash] = QLatin1Char('/');
        candidates << candidate;
    }
    for (const QString& folder : ApplicationFolders())
        for (const QString& name : candidates) {
            const QString path = folder + QLatin1Char('/') + name;
            if (QFileInfo(path).isFile()) return path;
        }
    return {};
}

bool DesktopEntryCommand(const QString& desktopFile, QString& program, QStringList& arguments) {
    QFile file(desktopFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return false;
    QTextStream in(&file);
    bool inEntry = false;
    QString exec;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inEntry = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (!inEntry || !line.startsWith(QLatin1String("Exec"))) continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0 || line.left(eq).trimmed() != QLatin1String("Exec")) continue;
        exec = UnescapeValue(line.mid(eq + 1).trimmed());
        break;
    }
    QStringList words;
    for (const QString& word : SplitExec(exec)) {
        // Field codes stand for files, URLs, the icon and the like: the
        // player starts with none of them.  "%%" is a literal percent sign.
        if (word.size() == 2 && word.at(0) == QLatin1Char('%') && word.at(1) != QLatin1Char('%')) continue;
        QString w = word;
        w.replace(QLatin1String("%%"), QLatin1String("%"));
        words << w;
    }
    if (words.isEmpty()) return false;
    program = words.takeFirst();
    arguments = words;
    return true;
}

bool StartDesktopEntry(const QString& desktopIdOrFile) {
    const QString file = desktopIdOrFile.contains(QLatin1Char('/')) ? desktopIdOrFile : DesktopEntryFile(desktopIdOrFile);
    QString program;
    QStringList arguments;
    if (file.isEmpty() || !DesktopEntryCommand(file, program, arguments)) return false;
    return ExternalPrograms().StartDetached(program, arguments);
}
