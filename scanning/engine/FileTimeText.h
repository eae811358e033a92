#pragma once
// File details for the scan, built from the statx the scan already made of
// the open file, with the time texts of ConvertTimeToString produced quickly:
// a scan formats three times per file, and the locale's formatter would cost
// more than reading the file.

#include "foundation/FileDetails.h"

#include <QHash>
#include <array>
#include <QLocale>
#include <QString>
#include <cstdint>
#include <sys/stat.h>

// Gives exactly the texts of ConvertTimeToString.  Dates are kept per day;
// times are put together from the locale's time format when that format is
// made of plain hour, minute, second and AM/PM fields (checked against the
// locale at construction), else formatted by the locale.  Built for one run:
// a change of locale or time zone afterwards is not seen.
class FileTimeText {
public:
    FileTimeText();
    QString text(int64_t seconds);

private:
    struct Field {
        enum Kind : uint8_t { Literal, Hour24, Hour12, Minute, Second, AmPm };
        Kind kind = Literal;
        bool twoDigits = false;
        QString literal;  // Literal: the text; AmPm: unused
    };
    bool parseTimeFormat(const QString& format);
    QString timeText(int hour, int minute, int second) const;
    // Writes the time at `out` and returns the end; the buffer must hold
    // the longest date, a blank and the longest time.
    char16_t* writeTime(char16_t* out, int hour, int minute, int second) const;

    QLocale m_locale;
    QString m_dateFormat;
    QString m_timeFormat;
    QList<Field> m_fields;
    bool m_plainTime = false;
    qsizetype m_longestTime = 0;  // characters of the longest time text
    QString m_amUpper, m_pmUpper;
    mutable std::array<char16_t, 512> m_buffer;
    QHash<int64_t, QString> m_dates;  // key: year * 400 + day of the year
    int64_t m_lastSeconds = INT64_MIN;
    QString m_lastText;
};

// The details of an open file from its statx: the attribute letters ("R" when
// the owner-write bit is clear, "H" when the name starts with "."), and the
// creation (when the file system keeps it), modification and access times.
FileDetails FileDetailsFromStatus(const QString& fileName, const struct statx& status, FileTimeText& times);
