#pragma once
// A file's file-system details as the results list shows them: attribute
// letters and the created, modified and accessed times as display texts.

#include <QString>
#include <cstdint>

struct FileDetails {
    QString Attributes;  // "R" (owner-write bit clear), "H" (name starts with "."), in that order
    QString Created;     // empty where the file system keeps no creation time
    QString Modified;
    QString Accessed;
};

// The details of `path`, or of the first file (by name, ignoring case) that
// matches it when its name part holds "*" or "?".  All four texts are empty
// when nothing is found.
FileDetails GetFileDetails(const QString& path);

// The letters of attribute bits (FileAttribute:: read-only 1, hidden 2,
// system 4, archive 32), always in the order R, H, S, A.
QString ConvertFileAttributesToString(int32_t attributes);

// A file time (seconds since the epoch, nanoseconds dropped) in local time:
// the locale's short date (with a four-digit year), one blank, the locale's
// time with seconds.  Empty when the time cannot be converted.
QString ConvertTimeToString(int64_t seconds, uint32_t nanoseconds = 0);

class QLocale;
// The two formats ConvertTimeToString uses: the locale's time format with
// seconds but without the time-zone name, and its short date format with the
// year widened to four digits.
QString TimeFormatWithSeconds(const QLocale& locale);
QString ShortDateFormat(const QLocale& locale);
