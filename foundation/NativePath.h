#pragma once
// Paths as texts and as the file system's bytes.  Names on this platform are
// UTF-8, but old disks and archives hold names that are not.  A byte that is
// not part of valid UTF-8 is kept in the text as the code U+DC00 + byte (a
// lone low surrogate, which no decoded text ever holds), so the text of such
// a name gives back the very bytes of the name: every path that reaches the
// file system goes through NativePath, every name read from it through
// PathFromNative, and a row, a dialog or a drag made from the text reaches
// the real file.  Where a path is shown, PathForDisplay puts the character
// each kept byte stands for in Windows-1252 in its place.

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <QUrl>

// The file-system bytes of a path text.
QByteArray NativePath(QStringView path);
// The text of a path's bytes (valid UTF-8 reads as usual).
QString PathFromNative(const char* bytes, qsizetype length);
inline QString PathFromNative(const QByteArray& bytes) { return PathFromNative(bytes.constData(), bytes.size()); }
// A kept byte: the code that stands for byte `b` (0x80 to 0xFF) of a name
// that is not UTF-8, and back.
constexpr char16_t kKeptByteBase = 0xDC00;
constexpr bool IsKeptByte(char16_t c) { return c >= kKeptByteBase + 0x80 && c <= kKeptByteBase + 0xFF; }
constexpr char16_t KeptByteCode(unsigned char b) { return char16_t(kKeptByteBase + b); }
constexpr unsigned char KeptByteValue(char16_t c) { return static_cast<unsigned char>(c - kKeptByteBase); }

// True when the text holds a kept byte (the name is not valid UTF-8).
bool HasRawBytes(QStringView path);
// The path as it is best shown: each kept byte as its Windows-1252 character.
QString PathForDisplay(const QString& path);

// A "file:" URL naming the very bytes of an absolute path, and the path of
// a local-file URL (bytes that are not UTF-8 kept as above).
QUrl FileUrlFromPath(const QString& path);
QString PathFromFileUrl(const QUrl& url);
