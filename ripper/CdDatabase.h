#pragma once
// The CD-database query: asks a CDDB service over HTTP for the disc in the
// open drive and fetches the entry of its first match.  The window looks at
// none of the answer: nothing of it is shown, stored or used.
//
// The server is a setting (section "CDRipper", key "CDDBServer", "host" or
// "host:port", port 80 when none is given); the service's script is at
// "/~cddb/cddb.cgi" on it, and the query introduces itself as the client
// "viriduzi" version "0.12" with a fixed e-mail address.  Nothing is cached
// on disk.
//
// The query never blocks its caller: CdDatabaseQuery runs on its thread's
// event loop and reports once, through `finished`, on that thread.  It is
// bounded whatever the server does: at most kCdDatabaseMaxMatches matches and
// kCdDatabaseMaxAnswerBytes bytes of the entry are read (and little more of
// any answer), and the whole query (name look-up, connections, both requests)
// ends after its time limit.
// Stop, or destroying the query, ends it at once and closes the connection.

#include "ripper/CdDrive.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <chrono>
#include <cstdint>
#include <memory>
#include <vector>

struct CdDatabaseServer {
    QString host;
    int port = 80;
};

// The default server and the setting's place.
inline const QString kCdDatabaseSection = QStringLiteral("CDRipper");
inline const QString kCdDatabaseServerKey = QStringLiteral("CDDBServer");
inline const QString kCdDatabaseDefaultServer = QStringLiteral("gnudb.gnudb.org");
inline const QString kCdDatabaseScriptPath = QStringLiteral("/~cddb/cddb.cgi");

// The bounds of one query.
inline constexpr int kCdDatabaseMaxMatches = 5;
inline constexpr qsizetype kCdDatabaseMaxAnswerBytes = 32000;
inline constexpr std::chrono::milliseconds kCdDatabaseTimeLimit{20000};

// "host" or "host:port" (blanks trimmed); a missing or unusable port is 80.
CdDatabaseServer ParseCdDatabaseServer(const QString& setting);

// The disc's CDDB identifier from its table of contents.
uint32_t CdDatabaseDiscId(const CdTableOfContents& toc);

// How a query ended.
enum class CdDatabaseEnd {
    Answered,  // the service answered (matches may be none)
    Failed,    // no connection, or an answer that is not the service's
    TimedOut,  // the time limit passed first
    Stopped,   // Stop, or the query's owner went away
};

struct CdDatabaseMatch {
    QByteArray category;
    QByteArray discId;
};

struct CdDatabaseAnswer {
    CdDatabaseEnd end = CdDatabaseEnd::Failed;
    std::vector<CdDatabaseMatch> matches;  // at most kCdDatabaseMaxMatches
    bool entryRead = false;                // the first match's entry came
    QByteArray entry;                      // its lines as sent (without "."), at most kCdDatabaseMaxAnswerBytes
};

class QTimer;

class CdDatabaseQuery : public QObject {
    Q_OBJECT
public:
    explicit CdDatabaseQuery(QObject* parent = nullptr);
    ~CdDatabaseQuery() override;

    // The limit for the whole of each following query.
    void SetTimeLimit(std::chrono::milliseconds limit) { m_timeLimit = limit; }

    // Starts asking `server` about the disc of `toc`.  False, with nothing
    // asked and no `finished`, without a disc (an empty `toc`), without a
    // server name, or while a query runs.  True does not mean the query
    // still runs: one that fails before any connection is tried (no socket
    // to be had) has already reported through `finished`.
    bool Start(const CdTableOfContents& toc, const CdDatabaseServer& server);
    // Ends a running query now; `finished` reports it as stopped.
    void Stop();
    bool Running() const;

signals:
    void finished(const CdDatabaseAnswer& answer);

private:
    struct Exchange;
    void Ask(const QByteArray& command);
    void OnReadyRead();
    void OnClosed();
    // Reads the complete lines of the answer so far; `ended` when no more of
    // it will come (the server closed the connection, or the bound is met).
    void Digest(bool ended);
    void Finish(CdDatabaseEnd end);

    std::chrono::milliseconds m_timeLimit = kCdDatabaseTimeLimit;
    QTimer* m_deadline;
    std::unique_ptr<Exchange> m_exchange;
};
