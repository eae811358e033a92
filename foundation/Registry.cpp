#include "foundation/Registry.h"

#include "foundation/Errors.h"
#include "foundation/FileUtils.h"
#include "foundation/StringUtils.h"

#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QStringList>

#include <cctype>
#include <cerrno>
#include <sys/stat.h>
#include <vector>

namespace {

constexpr int kValueBuffer = 128;  // characters, the terminating NUL included

struct RegValue {
    QString name;
    QString data;
};

struct RegKey {
    QString path;  // root name + "\" + sub-keys
    std::vector<RegValue> values;
};

QString RootName(int32_t root) {
    switch (root) {
    case RegistryRoot::ClassesRoot: return QStringLiteral("HKEY_CLASSES_ROOT");
    case RegistryRoot::CurrentUser: return QStringLiteral("HKEY_CURRENT_USER");
    case RegistryRoot::LocalMachine: return QStringLiteral("HKEY_LOCAL_MACHINE");
    case RegistryRoot::Users: return QStringLiteral("HKEY_USERS");
    case RegistryRoot::CurrentConfig: return QStringLiteral("HKEY_CURRENT_CONFIG");
    default: return QString();
    }
}

QStringList SubKeyParts(const QString& subKey) { return subKey.split(QLatin1Char('\\'), Qt::SkipEmptyParts); }

QString Escape(const QString& text, bool name) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool edgeBlank = c == QLatin1Char(' ') && (i == 0 || i == text.size() - 1);
        bool special = c == QLatin1Char('%') || c == QLatin1Char('\r') || c == QLatin1Char('\n') || edgeBlank;
        if (name)
            special = special || c == QLatin1Char('=') || c == QLatin1Char('[') || c == QLatin1Char(']') ||
                      c == QLatin1Char(';') || c == QLatin1Char('#') || (i == 0 && c == QLatin1Char('@'));
        if (special) out += QStringLiteral("%%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
        else out += c;
    }
    return out;
}

QString Unescape(const QString& text) {
    if (!text.contains(QLatin1Char('%'))) return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('%') && i + 2 < text.size()) {
            auto hex = [](QChar c) { return std::isxdigit(static_cast<unsigned char>(c.toLatin1())) && c.unicode() < 0x80; };
            bool ok = hex(text[i + 1]) && hex(text[i + 2]);
            const int code = ok ? text.mid(i + 1, 2).toInt(&ok, 16) : 0;
            if (ok) {
                out += QChar(code);
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

class Store {
public:
    // False when an existing file could not be read (writes must not
    // replace what they could not read).
    bool load() {
        m_keys.clear();
        QFile file(RegistryFilePath());
        if (!file.exists()) return true;
        if (!file.open(QIODevice::ReadOnly)) return false;
        const QString text = QString::fromUtf8(file.readAll());
        RegKey* current = nullptr;
        for (QString line : text.split(QLatin1Char('\n'))) {
            if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
            if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#'))) continue;
            if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
                m_keys.push_back(RegKey{Unescape(line.mid(1, line.size() - 2)), {}});
                current = &m_keys.back();
                continue;
            }
            const qsizetype eq = line.indexOf(QLatin1Char('='));
            if (!current || eq < 0) continue;
            const QString rawName = line.left(eq);
            const QString name = rawName == QLatin1String("@") ? QString() : Unescape(rawName);
            current->values.push_back(RegValue{name, Unescape(line.mid(eq + 1))});
        }
        return true;
    }

    int32_t save() const {
        QString text;
        for (const RegKey& key : m_keys) {
            text += QLatin1Char('[') + Escape(key.path, true) + QStringLiteral("]\n");
            for (const RegValue& value : key.values)
                text += (value.name.isEmpty() ? QStringLiteral("@") : Escape(value.name, true)) +
                        QLatin1Char('=') + Escape(value.data, false) + QLatin1Char('\n');
            text += QLatin1Char('\n');
        }
        try {
            QDir().mkpath(ParentFolder(RegistryFilePath()));
            WriteFileAtomically(RegistryFilePath(), text.toUtf8());
        } catch (const SvError& e) {
            return e.number() == ErrNo::PathFileAccess || e.number() == ErrNo::PermissionDenied
                       ? RegistryResult::AccessDenied
                       : RegistryResult::IoFailed;
        }
        return RegistryResult::Success;
    }

    RegKey* find(const QString& path) {
        for (RegKey& key : m_keys)
            if (QString::compare(key.path, path, Qt::CaseInsensitive) == 0) return &key;
        return nullptr;
    }

    RegKey& ensure(const QString& path) {
        if (RegKey* key = find(path)) return *key;
        m_keys.push_back(RegKey{path, {}});
        return m_keys.back();
    }

    // Removes the key and its descendants; false when it did not exist.
    bool remove(const QString& path) {
        const bool existed = find(path) != nullptr;
        const QString below = path + QLatin1Char('\\');
        std::erase_if(m_keys, [&](const RegKey& key) {
            return QString::compare(key.path, path, Qt::CaseInsensitive) == 0 ||
                   key.path.startsWith(below, Qt::CaseInsensitive);
        });
        return existed;
    }

private:
    std::vector<RegKey> m_keys;
};

QString KeyPath(const QString& root, const QStringList& parts) {
    return parts.isEmpty() ? root : root + QLatin1Char('\\') + parts.join(QLatin1Char('\\'));
}

}  // namespace

QString RegistryFilePath() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/Sonivard/Registry.ini");
}

int32_t RegistryCreateKey(int32_t rootKey, const QString& subKey) {
    try {
        const QString root = RootName(rootKey);
        if (root.isEmpty()) return RegistryResult::InvalidHandle;
        Store store;
        if (!store.load()) return RegistryResult::IoFailed;
        const QStringList parts = SubKeyParts(subKey);
        bool changed = false;
        for (qsizetype n = 1; n <= parts.size(); ++n) {
            const QString path = KeyPath(root, parts.mid(0, n));
            if (!store.find(path)) {
                store.ensure(path);
                changed = true;
            }
        }
        return changed ? store.save() : RegistryResult::Success;
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("RegistryCreateKey"), rootKey, subKey));
    }
}

int32_t RegistryDeleteKey(int32_t rootKey, const QString& subKey) {
    try {
        const QString root = RootName(rootKey);
        if (root.isEmpty()) return RegistryResult::InvalidHandle;
        const QStringList parts = SubKeyParts(subKey);
        if (parts.isEmpty()) return RegistryResult::AccessDenied;  // a root key cannot be deleted
        Store store;
        if (!store.load()) return RegistryResult::IoFailed;
        if (!store.remove(KeyPath(root, parts))) return RegistryResult::FileNotFound;
        return store.save();
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("RegistryDeleteKey"), rootKey, subKey));
    }
}

int32_t RegistrySetValue(int32_t rootKey, const QString& subKey, const QString& valueName, const QString& value) {
    try {
        const QString root = RootName(rootKey);
        if (root.isEmpty()) return RegistryResult::InvalidHandle;
        Store store;
        if (!store.load()) return RegistryResult::IoFailed;
        const QStringList parts = SubKeyParts(subKey);
        RegKey* key = parts.isEmpty() ? &store.ensure(root) : store.find(KeyPath(root, parts));
        if (!key) return RegistryResult::FileNotFound;
        for (RegValue& existing : key->values) {
            if (QString::compare(existing.name, valueName, Qt::CaseInsensitive) == 0) {
                existing.data = value;
                return store.save();
            }
        }
        key->values.push_back(RegValue{valueName, value});
        return store.save();
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("RegistrySetValue"), rootKey, subKey, valueName, value));
    }
}

QString RegistryGetValue(int32_t rootKey, const QString& subKey, const QString& valueName, const QString& defaultText) {
    try {
        const QString root = RootName(rootKey);
        if (root.isEmpty()) return defaultText;
        Store store;
        if (!store.load()) return defaultText;
        const QStringList parts = SubKeyParts(subKey);
        RegKey* key = store.find(KeyPath(root, parts));
        if (!key) return defaultText;
        for (const RegValue& value : key->values) {
            if (QString::compare(value.name, valueName, Qt::CaseInsensitive) != 0) continue;
            if (value.data.size() + 1 > kValueBuffer) return defaultText;
            QString text = value.data;
            return TrimBlanks(text);
        }
        return defaultText;
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("RegistryGetValue"), rootKey, subKey, valueName, defaultText));
    }
}

QString GetFileType(const QString& path) {
    try {
        const QString name = FileNamePart(path);
        const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
        const QString extension = dot < 0 ? QString() : name.mid(dot + 1);
        if (extension.isEmpty()) return QStringLiteral("File");

        const QString typeId = RegistryGetValue(RegistryRoot::ClassesRoot, QLatin1Char('.') + extension, QString(), QString());
        if (!typeId.isEmpty()) {
            const QString description = RegistryGetValue(RegistryRoot::ClassesRoot, typeId, QString(), QString());
            if (!description.isEmpty()) return description;
        }
        static const QMimeDatabase database;
        const QList<QMimeType> types = database.mimeTypesForFileName(QStringLiteral("x.") + extension);
        for (const QMimeType& type : types) {
            if (type.isDefault()) continue;
            const QString comment = type.comment();
            if (!comment.isEmpty()) return comment;
        }
        return extension.toUpper() + QStringLiteral(" File");
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("GetFileType"), path));
    }
}
