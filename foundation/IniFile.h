#pragma once
// INI-syntax files: the program's own settings store and the INI files of
// others (skin schemes, PLS playlists).
//
// Both share one model: sections of key/value pairs, section and key names
// matched ignoring letter case, the first spelling kept.  They differ in how
// a line's text becomes a value:
//
//  * Store syntax (our own settings file): a value is exactly the text that
//    was saved.  Characters that would not survive a line-based file are
//    escaped: "\\" backslash, "\n" LF, "\r" CR, "\t" TAB, "\0" NUL, "\s" a
//    blank at either end of a value, "\uXXXX" any other control character,
//    a lone surrogate, and in names "=", "[", "]", U+FEFF or a leading ";".  An
//    unknown escape is kept as written.  Blanks and TABs around names and
//    values are not part of them.  The file is UTF-8 with LF line ends.
//    Comments are not kept when the store rewrites the file.
//
//  * Platform syntax (files written by other programs): names and values
//    trimmed of blanks and TABs, one pair of matching surrounding quotes
//    (" or ') taken off a value, no escapes, no length limit.  The file may be
//    UTF-8 (with or without BOM), UTF-16LE with BOM, or Windows-1252, and an
//    8-bit file may mix the last two line by line; CRLF or LF.  The program
//    only reads such files.
//
// In both, a line whose first non-blank character is ";" is a comment, the
// first of several equal keys (or sections) is the one that counts, and a
// line without "=" outside a section header is ignored.
//
// The store is rewritten atomically: a temporary file in the same folder is
// written, flushed to disk and renamed over the old one (whose mode is kept;
// a symbolic link is followed so the link stays).  A failed write raises the
// platform's error for the failure and leaves the old file as it was.

#include "foundation/FileUtils.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

enum class IniSyntax { Store, Platform };

class IniDocument {
public:
    // Parses decoded text (a leading BOM character is skipped).
    static IniDocument parse(QStringView text, IniSyntax syntax);
    // The whole document in store syntax.
    QString toStoreText() const;

    // The value, or nullptr when the section or key does not exist.
    const QString* value(const QString& section, const QString& key) const;
    bool hasSection(const QString& section) const;
    // Each returns whether the document changed.
    bool setValue(const QString& section, const QString& key, const QString& value);
    bool removeKey(const QString& section, const QString& key);
    bool removeSection(const QString& section);

    QStringList sectionNames() const;
    QStringList keyNames(const QString& section) const;
    // Calls `visit` with every key (first spelling) and value of the section,
    // in file order; nothing when the section does not exist.
    void forEachEntry(const QString& section, const std::function<void(const QString& key, const QString& value)>& visit) const;

    // A section or key name as the indexes hold it: compared and hashed
    // ignoring letter case (case folding), without a folded copy.
    struct Name {
        QString text;
        friend bool operator==(const Name& a, const Name& b) {
            return a.text.compare(b.text, Qt::CaseInsensitive) == 0;
        }
    };

private:
    struct Section {
        QString name;
        std::vector<std::pair<QString, QString>> entries;
        QHash<Name, int> index;  // key -> position in entries
    };
    Section* findSection(const QString& section);
    const Section* findSection(const QString& section) const;
    Section& addSection(const QString& name);
    static void addEntry(Section& s, const QString& key, const QString& value);

    std::vector<Section> m_sections;
    QHash<Name, int> m_index;  // section -> position in m_sections
};

size_t qHash(const IniDocument::Name& name, size_t seed = 0) noexcept;

// Store-syntax escapes of one value or name.
QString EscapeStoreValue(QStringView text);
QString EscapeStoreName(QStringView text);
QString UnescapeStoreText(QStringView text);

// Bytes of an INI file as text: UTF-16LE after its BOM; otherwise (a UTF-8
// BOM skipped) each line is UTF-8 when it is valid UTF-8, else Windows-1252.
QString DecodeIniBytes(const QByteArray& bytes);

// The parsed file at `path` (an empty document when it does not exist or
// cannot be read as a file).  Parsed files are kept while their size, times
// and inode stay the same, so repeated reads cost one stat().
std::shared_ptr<const IniDocument> ReadIniFile(const QString& path, IniSyntax syntax);

// Store syntax: applies `change` to the current file under an exclusive lock
// of its folder (so two processes do not lose each other's changes) and
// rewrites the file atomically when `change` returns true.  Creates missing
// folders.  Raises the platform error of a failed step.
void UpdateStoreFile(const QString& path, const std::function<bool(IniDocument&)>& change);

// Writes `bytes` to `path` through a temporary file in the same folder:
// write, fsync, rename over.  Keeps the old file's mode and follows a
// symbolic link.  Raises the platform error of a failed step.  (One
// definition for the program: WriteFileAtomically of foundation/FileUtils.h.)
void WriteStoreFileAtomically(const QString& path, const QByteArray& bytes);
