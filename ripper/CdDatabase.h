#pragma once
// The CD-database query: asks a CDDB service over HTTP (through libcddb) for
// the disc in the open drive and fetches the entry of its first match.  The
// answer is released at once: nothing of it is shown, stored or used.
//
// The server is a setting (section "CDRipper", key "CDDBServer", "host" or
// "host:port", port 80 when none is given); the service's script is at
// "/~cddb/cddb.cgi" on it, and the query introduces itself as the client
// "viriduzi" version "0.12" with a fixed e-mail address.  Nothing is cached
// on disk.  The query blocks its caller for at most the connection's
// timeout per request.

#include "ripper/CdDrive.h"

#include <QString>
#include <cstdint>

struct CdDatabaseServer {
    QString host;
    int port = 80;
};

// The default server and the setting's place.
inline const QString kCdDatabaseSection = QStringLiteral("CDRipper");
inline const QString kCdDatabaseServerKey = QStringLiteral("CDDBServer");
inline const QString kCdDatabaseDefaultServer = QStringLiteral("gnudb.gnudb.org");
inline const QString kCdDatabaseScriptPath = QStringLiteral("/~cddb/cddb.cgi");

// "host" or "host:port" (blanks trimmed); a missing or unusable port is 80.
CdDatabaseServer ParseCdDatabaseServer(const QString& setting);

// The disc's CDDB identifier from its table of contents.
uint32_t CdDatabaseDiscId(const CdTableOfContents& toc);

// What came back; the window looks at none of it (tests do).
struct CdDatabaseAnswer {
    int matches = -1;        // -1: the query failed
    bool entryRead = false;  // the first match's entry was fetched
};

// Queries `server` for the disc of `toc` and fetches the first match's entry.
// Without a disc (null or empty `toc`) nothing is asked.
CdDatabaseAnswer QueryCdDatabase(const CdTableOfContents* toc, const CdDatabaseServer& server);
