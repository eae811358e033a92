#include "options/FileAssociations.h"

#include "foundation/Errors.h"
#include "foundation/FirstRun.h"
#include "foundation/IniFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include <cerrno>
#include <unistd.h>

namespace {

const std::array<FileTypeRegistration, AssociatedTypeCount> kTypes = {{
    {QStringLiteral(".scn"), QStringLiteral("scnfile"), QStringLiteral("application/x-sonivard-scan-results"),
     QStringLiteral("text/plain"), QStringLiteral("Scan Results File")},
    {QStringLiteral(".sim"), QStringLiteral("simfile"), QStringLiteral("application/x-sonivard-simulate-results"),
     QStringLiteral("text/plain"), QStringLiteral("Simulate Results File")},
    // The playlists map to the desktop's own types ("audio/mpegurl" and
    // "audio/scpls" are their other names).
    {QStringLiteral(".m3u"), QStringLiteral("m3ufile"), QStringLiteral("audio/x-mpegurl"), QString(),
     QStringLiteral("M3U Playlist File")},
    {QStringLiteral(".pls"), QStringLiteral("plsfile"), QStringLiteral("audio/x-scpls"), QString(),
     QStringLiteral("PLS Playlist File")},
}};

const char* const kRegisterNames[AssociatedTypeCount] = {
    "SetScanResultsFilesAssociation", "SetSimResultsFilesAssociation", "SetM3UPlaylistFilesAssociation",
    "SetPLSPlaylistFilesAssociation"};

const QString kSource = QStringLiteral("FileAssociations");
const QByteArray kDefaultSection = QByteArrayLiteral("Default Applications");
const QByteArray kAddedSection = QByteArrayLiteral("Added Associations");

QString g_programPath;

void runIfInstalled(const QString& program, const QString& folder) {
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty() || !QFileInfo::exists(folder)) return;
    QProcess process;
    process.setProgram(path);
    process.setArguments({folder});
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start();
    if (!process.waitForFinished(20000)) {
        process.kill();
        process.waitForFinished(1000);
    }
}

AssociationRefresher g_refresher = [](const QString& dataHome) {
    // Only caches: the registration files are in place whatever happens here.
    runIfInstalled(QStringLiteral("update-mime-database"), dataHome + QStringLiteral("/mime"));
    runIfInstalled(QStringLiteral("update-desktop-database"), dataHome + QStringLiteral("/applications"));
};

QString xdgHome(const char* variable, const char* fallback) {
    const QString value = qEnvironmentVariable(variable);
    if (!value.isEmpty() && QDir::isAbsolutePath(value)) return QDir::cleanPath(value);
    return QDir::homePath() + QLatin1Char('/') + QLatin1String(fallback);
}
QString dataHome() { return xdgHome("XDG_DATA_HOME", ".local/share"); }
QString configHome() { return xdgHome("XDG_CONFIG_HOME", ".config"); }

QString desktopId(AssociatedType type) {
    return QStringLiteral("sonivard-") + FileTypeInfo(type).className + QStringLiteral(".desktop");
}

// ---- files ----------------------------------------------------------------

// Writes `bytes` to `path` atomically (temporary file beside it, fsync,
// rename over), creating the folder when it is missing.
void writeFile(const QString& path, const QByteArray& bytes) {
    const QString folder = QFileInfo(path).absolutePath();
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder)) RaiseErrno(ENOTDIR, true, kSource, folder);
    WriteFileAtomically(path, bytes);
}

// Reads a whole file; a missing file reads as empty.
QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.exists()) return QByteArray();
    if (!file.open(QIODevice::ReadOnly)) RaiseErrno(EACCES, false, kSource, path);
    return file.readAll();
}

void removeFile(const QString& path) {
    if (::unlink(QFile::encodeName(path).constData()) != 0 && errno != ENOENT) RaiseErrno(errno, true, kSource, path);
}

// ---- text forms -------------------------------------------------------------

QString xmlEscaped(const QString& text) { return text.toHtmlEscaped(); }

// One argument of an Exec line: quoted, with the characters that quoting
// reserves escaped, "%" doubled, then the value escapes of a desktop entry.
QString execArgument(const QString& argument) {
    QString quoted;
    for (QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted = QLatin1Char('"') + quoted + QLatin1Char('"');
    quoted.replace(QLatin1Char('%'), QStringLiteral("%%"));
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    quoted.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    quoted.replace(QLatin1Char('\t'), QStringLiteral("\\t"));
    quoted.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    return quoted;
}

QString desktopValue(const QString& text) {
    QString v = text;
    v.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    v.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    return v;
}

QByteArray mimePackage(const FileTypeRegistration& t) {
    QString xml = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
        "  <mime-type type=\"%1\">\n"
        "    <comment>%2</comment>\n").arg(xmlEscaped(t.mimeType), xmlEscaped(t.description));
    if (!t.parentType.isEmpty())
        xml += QStringLiteral("    <sub-class-of type=\"%1\"/>\n").arg(xmlEscaped(t.parentType));
    xml += QStringLiteral("    <glob pattern=\"*%1\"/>\n  </mime-type>\n</mime-info>\n").arg(xmlEscaped(t.extension));
    return xml.toUtf8();
}

QByteArray desktopEntry(const FileTypeRegistration& t) {
    const QString entry = QStringLiteral(
        "[Desktop Entry]\n"
        "Type=Application\n"
        "Name=Sonivard\n"
        "Comment=%1\n"
        "Exec=%2\n"
        "Icon=sonivard\n"
        "MimeType=%3;\n"
        "NoDisplay=true\n"
        "Terminal=false\n").arg(desktopValue(t.description), AssociationCommand(), t.mimeType);
    return entry.toUtf8();
}

// The Exec value of a desktop entry's main group (empty when there is none).
QString registeredCommand(const QString& desktopFile) {
    const QStringList lines = QString::fromUtf8(readFile(desktopFile)).split(QLatin1Char('\n'));
    bool inEntry = false;
    for (QString line : lines) {
        line = line.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inEntry = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (!inEntry) continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq > 0 && line.left(eq).trimmed() == QLatin1String("Exec")) return line.mid(eq + 1).trimmed();
    }
    return QString();
}

// Puts `id` first in (add) or takes it out of (remove) the list of `mimeType`
// in `section` of a mimeapps.list text.  The text is edited as bytes, since
// other programs' lines need not be UTF-8: every line but the type's own keeps
// its bytes, and on the type's line the other programs' entries keep theirs.
QByteArray editMimeAppsList(const QByteArray& text, const QByteArray& section, const QByteArray& mimeType,
                            const QByteArray& id, bool add) {
    QByteArrayList lines = text.split('\n');
    const bool endedWithNewline = text.endsWith('\n');
    if (endedWithNewline) lines.removeLast();

    const QByteArray header = '[' + section + ']';
    qsizetype headerAt = -1, end = lines.size();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray t = lines[i].trimmed();
        if (!t.startsWith('[')) continue;
        if (headerAt >= 0) {
            end = i;
            break;
        }
        if (t == header) headerAt = i;
    }

    // A rewritten line keeps the CR of a CRLF line end.
    auto join = [&mimeType](const QByteArrayList& ids, const QByteArray& cr) {
        return mimeType + '=' + ids.join(';') + ';' + cr;
    };
    bool written = false;
    if (headerAt >= 0) {
        for (qsizetype i = headerAt + 1; i < end; ++i) {
            const QByteArray& line = lines[i];
            const qsizetype eq = line.indexOf('=');
            if (eq <= 0 || line.trimmed().startsWith('#') || line.left(eq).trimmed() != mimeType) continue;
            const QByteArray cr = line.endsWith('\r') ? QByteArray("\r") : QByteArray();
            QByteArrayList ids;
            for (const QByteArray& part : line.mid(eq + 1).split(';')) {
                const QByteArray p = part.trimmed();
                if (!p.isEmpty() && !ids.contains(p)) ids << p;
            }
            const bool had = ids.removeAll(id) > 0;
            if (add && !written) {
                ids.prepend(id);
                lines[i] = join(ids, cr);
                written = true;
            } else if (had) {
                if (ids.isEmpty()) {
                    lines.removeAt(i);
                    --i;
                    --end;
                } else {
                    lines[i] = join(ids, cr);
                }
            }
        }
    }
    if (add && !written) {
        const QByteArray line = join({id}, QByteArray());
        if (headerAt >= 0) {
            qsizetype at = end;  // after the section's last line that is not blank
            while (at > headerAt + 1 && lines[at - 1].trimmed().isEmpty()) --at;
            lines.insert(at, line);
        } else {
            if (!lines.isEmpty() && !lines.last().trimmed().isEmpty()) lines << QByteArray();
            lines << header << line;
        }
    }
    QByteArray result = lines.join('\n');
    if (!lines.isEmpty() && (endedWithNewline || add)) result += '\n';
    return result;
}

void updateMimeAppsList(AssociatedType type, bool add) {
    const QString path = MimeAppsListPath();
    const QByteArray before = readFile(path);
    if (!add && before.isEmpty()) return;
    const QByteArray mime = FileTypeInfo(type).mimeType.toUtf8(), id = desktopId(type).toUtf8();
    QByteArray after = editMimeAppsList(before, kDefaultSection, mime, id, add);
    after = editMimeAppsList(after, kAddedSection, mime, id, add);
    if (after != before) writeFile(path, after);
}

void refresh() {
    if (g_refresher) g_refresher(dataHome());
}

}  // namespace

const FileTypeRegistration& FileTypeInfo(AssociatedType type) { return kTypes[static_cast<size_t>(type)]; }

QString AssociationProgramPath() {
    return g_programPath.isEmpty() ? QCoreApplication::applicationFilePath() : g_programPath;
}
void SetAssociationProgramPath(const QString& path) { g_programPath = path; }

QString AssociationCommand() { return execArgument(AssociationProgramPath()) + QStringLiteral(" %f"); }

QString AssociationDesktopFile(AssociatedType type) {
    return dataHome() + QStringLiteral("/applications/") + desktopId(type);
}
QString AssociationMimePackage(AssociatedType type) {
    return dataHome() + QStringLiteral("/mime/packages/sonivard-") + FileTypeInfo(type).className +
           QStringLiteral(".xml");
}
QString MimeAppsListPath() { return configHome() + QStringLiteral("/mimeapps.list"); }

AssociationRefresher SetAssociationRefresher(AssociationRefresher refresher) {
    AssociationRefresher old = std::move(g_refresher);
    g_refresher = std::move(refresher);
    return old;
}

void RegisterFileType(AssociatedType type) {
    WithTrail(QLatin1String(kRegisterNames[static_cast<size_t>(type)]), [type] {
        const FileTypeRegistration& t = FileTypeInfo(type);
        // The extension's type and description, then the opener, then the
        // opener as the type's default.
        writeFile(AssociationMimePackage(type), mimePackage(t));
        writeFile(AssociationDesktopFile(type), desktopEntry(t));
        updateMimeAppsList(type, true);
        refresh();
    });
}

void RemoveFileType(AssociatedType type) {
    WithTrail(CallSite(QStringLiteral("RemoveFileType"), FileTypeInfo(type).extension), [type] {
        removeFile(AssociationMimePackage(type));
        updateMimeAppsList(type, false);
        removeFile(AssociationDesktopFile(type));
        refresh();
    });
}

bool IsFileTypeAssociated(AssociatedType type) {
    return WithTrail(CallSite(QStringLiteral("IsFileTypeAssociated"), FileTypeInfo(type).extension), [type] {
        return registeredCommand(AssociationDesktopFile(type)).compare(AssociationCommand(), Qt::CaseInsensitive) == 0;
    });
}

void SetScanResultsFilesAssociation() { RegisterFileType(AssociatedType::ScanResults); }
void SetSimResultsFilesAssociation() { RegisterFileType(AssociatedType::SimulateResults); }
void SetM3UPlaylistFilesAssociation() { RegisterFileType(AssociatedType::M3UPlaylist); }
void SetPLSPlaylistFilesAssociation() { RegisterFileType(AssociatedType::PLSPlaylist); }

void InstallFirstRunAssociations() {
    SetFirstRunRegistrations({[] { SetScanResultsFilesAssociation(); }, [] { SetSimResultsFilesAssociation(); }});
}

FileAssociationFindings GetFileAssociations(AssociationBoxes& boxes) {
    return WithTrail(QStringLiteral("GetFileAssociations"), [&boxes] {
        FileAssociationFindings findings;
        for (int i = 0; i < AssociatedTypeCount; ++i) {
            if (IsFileTypeAssociated(static_cast<AssociatedType>(i))) {
                boxes[i] = Qt::Checked;
                findings.found[i] = true;
            }
        }
        return findings;
    });
}

bool SetFileAssociations(const FileAssociationFindings& findings, const AssociationBoxes& boxes) {
    bool allDone = true;
    for (int i = 0; i < AssociatedTypeCount; ++i) {
        const auto type = static_cast<AssociatedType>(i);
        const bool add = boxes[i] == Qt::Checked && !findings.found[i];
        const bool remove = boxes[i] == Qt::Unchecked && findings.found[i];
        if (!add && !remove) continue;
        // Each type on its own: a failure is shown and the next type still goes.
        try {
            WithTrail(QStringLiteral("SetFileAssociations"), [&] {
                if (add)
                    RegisterFileType(type);
                else
                    RemoveFileType(type);
                // The desktop reads these files, not our intent: check that
                // the change really stands.
                if (IsFileTypeAssociated(type) != add)
                    RaiseError(ErrNo::PathFileAccess, kSource,
                               StandardErrorText(ErrNo::PathFileAccess) + QStringLiteral(": ") +
                                   AssociationDesktopFile(type));
            });
        } catch (...) {
            allDone = false;
            DisplayErrorMessage();
        }
    }
    return allDone;
}
