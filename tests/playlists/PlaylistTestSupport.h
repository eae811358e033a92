#pragma once
// Shared by the playlist tests: readable failure output for entries, and
// CR LF line joining for expected file texts.

#include "playlists/PlaylistEntries.h"
#include "support/QtPrinters.h"

#include <QString>
#include <QStringList>
#include <ostream>

inline void PrintTo(const PlaylistEntryInfo& e, std::ostream* os) {
    *os << "{\"" << e.FileName.toStdString() << "\", \"" << e.Title.toStdString() << "\", " << e.Length << "}";
}

// The lines, each followed by CR LF.
inline QString CrLfLines(const QStringList& lines) {
    QString text;
    for (const QString& line : lines) text += line + QStringLiteral("\r\n");
    return text;
}
