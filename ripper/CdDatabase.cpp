#include "ripper/CdDatabase.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

namespace {

// The address given to the service: the maker's, never the user's.
constexpr char kEmailUser[] = "support";
constexpr char kEmailHost[] = "brellick.example";
constexpr char kClientName[] = "viriduzi";
constexpr char kClientVersion[] = "0.12";
// The protocol level asked for: answers in UTF-8.
constexpr char kProtocolLevel[] = "6";
// CD frame numbers are counted from the disc's start, 150 frames before
// logical sector 0.
constexpr int kPregapFrames = 150;
// Room for the HTTP status line and headers before an answer's own text,
// and for the service's status line before an entry.
constexpr qsizetype kMaxHeaderBytes = 8192;
constexpr qsizetype kMaxStatusLineBytes = 1024;
// What the socket may hold unread; the query reads no faster than it digests.
constexpr qint64 kSocketBufferBytes = 16384;

bool IsWordOf(const QByteArray& w, bool (*allowed)(char)) {
    if (w.isEmpty() || w.size() > 64) return false;
    for (char c : w)
        if (!allowed(c)) return false;
    return true;
}
bool IsCategoryChar(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }
bool IsHexChar(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// "category discid title..." as a match, when its first two words are a
// category and a disc identifier (they go back to the server in the read).
bool ParseMatch(const QByteArray& line, CdDatabaseMatch& match) {
    const QList<QByteArray> words = line.simplified().split(' ');
    if (words.size() < 2 || !IsWordOf(words[0], IsCategoryChar) || !IsWordOf(words[1], IsHexChar) ||
        words[1].size() != 8)
        return false;
    match = {words[0], words[1]};
    return true;
}

// The service's three-digit status at the start of a line; 0 when none.
int StatusCode(const QByteArray& line) {
    if (line.size() < 3) return 0;
    for (int i = 0; i < 3; ++i)
        if (line[i] < '0' || line[i] > '9') return 0;
    if (line.size() > 3 && line[3] != ' ' && line[3] != '-') return 0;
    return line.left(3).toInt();
}

}  // namespace

CdDatabaseServer ParseCdDatabaseServer(const QString& setting) {
    CdDatabaseServer server;
    const QString text = setting.trimmed();
    const int colon = text.lastIndexOf(QLatin1Char(':'));
    if (colon > 0 && text.indexOf(QLatin1Char(':')) == colon) {
        bool ok = false;
        const int port = text.mid(colon + 1).trimmed().toInt(&ok);
        server.host = text.left(colon).trimmed();
        if (ok && port > 0 && port < 65536) server.port = port;
    } else {
        server.host = text;
    }
    return server;
}

uint32_t CdDatabaseDiscId(const CdTableOfContents& toc) {
    auto digitSum = [](int n) {
        int s = 0;
        for (; n > 0; n /= 10) s += n % 10;
        return s;
    };
    uint32_t n = 0;
    for (const CdTrack& t : toc.tracks) n += digitSum((t.firstFrame + kPregapFrames) / 75);
    const int first = toc.tracks.empty() ? 0 : (toc.tracks.front().firstFrame + kPregapFrames) / 75;
    const uint32_t length = uint32_t((toc.leadOutFrame + kPregapFrames) / 75 - first);
    return ((n % 0xff) << 24) | (length << 8) | uint32_t(toc.tracks.size());
}

// ---- one query ------------------------------------------------------------------

struct CdDatabaseQuery::Exchange {
    CdDatabaseServer server;
    QPointer<QTcpSocket> socket;
    bool reading = false;  // asking for the first match's entry, not for matches
    // The answer being received.
    QByteArray pending;       // bytes not yet digested
    qsizetype received = 0;   // bytes of this answer taken from the socket
    qsizetype limit = 0;      // the most this answer may take
    bool headerDone = false;  // the HTTP header has been passed
    int status = 0;           // the service's status, 0 before its line
    bool listing = false;     // lines follow the status line up to "."
    CdDatabaseAnswer answer;

    void DropSocket() {
        if (!socket) return;
        QObject::disconnect(socket, nullptr, nullptr, nullptr);
        socket->abort();
        socket->deleteLater();
        socket = nullptr;
    }
    ~Exchange() { DropSocket(); }
};

CdDatabaseQuery::CdDatabaseQuery(QObject* parent) : QObject(parent), m_deadline(new QTimer(this)) {
    m_deadline->setSingleShot(true);
    connect(m_deadline, &QTimer::timeout, this, [this] { Finish(CdDatabaseEnd::TimedOut); });
}

CdDatabaseQuery::~CdDatabaseQuery() = default;

bool CdDatabaseQuery::Running() const { return m_exchange != nullptr; }

bool CdDatabaseQuery::Start(const CdTableOfContents& toc, const CdDatabaseServer& server) {
    if (m_exchange || toc.tracks.empty() || server.host.isEmpty()) return false;
    m_exchange = std::make_unique<Exchange>();
    m_exchange->server = server;
    m_deadline->start(m_timeLimit);

    // cddb query <disc id> <tracks> <offset of each track> <disc seconds>
    QByteArray command = "cddb query " + QByteArray::number(CdDatabaseDiscId(toc), 16).rightJustified(8, '0') + ' ' +
                         QByteArray::number(qulonglong(toc.tracks.size()));
    for (const CdTrack& t : toc.tracks) command += ' ' + QByteArray::number(t.firstFrame + kPregapFrames);
    command += ' ' + QByteArray::number((toc.leadOutFrame + kPregapFrames) / 75);
    Ask(command);
    return true;
}

void CdDatabaseQuery::Stop() { Finish(CdDatabaseEnd::Stopped); }

void CdDatabaseQuery::Ask(const QByteArray& command) {
    Exchange& x = *m_exchange;
    x.DropSocket();
    x.pending.clear();
    x.received = 0;
    x.limit = kMaxHeaderBytes + kMaxStatusLineBytes + kCdDatabaseMaxAnswerBytes;
    x.headerDone = x.listing = false;
    x.status = 0;

    QByteArray words = command;
    words.replace(' ', '+');
    const QByteArray request = "GET " + kCdDatabaseScriptPath.toLatin1() + "?cmd=" + words + "&hello=" + kEmailUser +
                               '+' + kEmailHost + '+' + kClientName + '+' + kClientVersion +
                               "&proto=" + kProtocolLevel + " HTTP/1.0\r\nHost: " + x.server.host.toUtf8() +
                               (x.server.port == 80 ? QByteArray() : ':' + QByteArray::number(x.server.port)) +
                               "\r\nAccept: text/plain\r\n\r\n";

    auto* socket = new QTcpSocket;
    x.socket = socket;
    socket->setReadBufferSize(kSocketBufferBytes);
    connect(socket, &QTcpSocket::connected, this, [socket, request] { socket->write(request); });
    connect(socket, &QTcpSocket::readyRead, this, &CdDatabaseQuery::OnReadyRead);
    connect(socket, &QTcpSocket::disconnected, this, &CdDatabaseQuery::OnClosed);
    connect(socket, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        // The server closing the connection ends the answer (`disconnected`).
        if (error != QAbstractSocket::RemoteHostClosedError) Finish(CdDatabaseEnd::Failed);
    });
    socket->connectToHost(x.server.host, quint16(x.server.port));
}

void CdDatabaseQuery::OnReadyRead() {
    if (!m_exchange || !m_exchange->socket) return;
    const QPointer<QTcpSocket> socket = m_exchange->socket;
    // Digest may end the query or move on to the next request.
    auto same = [&] { return m_exchange && socket && m_exchange->socket == socket; };
    while (same() && socket->bytesAvailable() > 0) {
        Exchange& x = *m_exchange;
        const QByteArray bytes = socket->read(std::min<qint64>(x.limit - x.received, kSocketBufferBytes));
        x.received += bytes.size();
        x.pending += bytes;
        // At the bound the answer ends, whatever more the server would send.
        Digest(x.received >= x.limit);
    }
}

void CdDatabaseQuery::OnClosed() {
    if (!m_exchange || !m_exchange->socket) return;
    const QPointer<QTcpSocket> socket = m_exchange->socket;
    OnReadyRead();  // what came before the end
    if (m_exchange && m_exchange->socket == socket) Digest(true);
}

void CdDatabaseQuery::Digest(bool ended) {
    Exchange& x = *m_exchange;
    if (!x.headerDone) {
        qsizetype end = x.pending.indexOf("\r\n\r\n");
        qsizetype gap = 4;
        if (end < 0) {
            end = x.pending.indexOf("\n\n");
            gap = 2;
        }
        if (end < 0 || end + gap > kMaxHeaderBytes) {
            if (ended || x.pending.size() > kMaxHeaderBytes) Finish(CdDatabaseEnd::Failed);
            return;
        }
        const QList<QByteArray> words = x.pending.left(x.pending.indexOf('\n')).simplified().split(' ');
        if (words.size() < 2 || !words[0].startsWith("HTTP/1.") || words[1] != "200") {
            Finish(CdDatabaseEnd::Failed);
            return;
        }
        x.pending.remove(0, end + gap);
        x.headerDone = true;
        // The service's own answer gets the answer's bound.
        x.limit = end + gap + kMaxStatusLineBytes + kCdDatabaseMaxAnswerBytes;
        if (x.received > x.limit) {
            x.pending.chop(x.received - x.limit);
            x.received = x.limit;
            ended = true;
        }
    }

    // The lines of the answer: its status line, then for a list the lines up
    // to ".".  The answer is complete at the end of the list, or when no more
    // is wanted (the most matches, a full entry).
    bool complete = false;
    qsizetype from = 0;
    while (!complete) {
        const qsizetype newline = x.pending.indexOf('\n', from);
        if (newline < 0 && !(ended && from < x.pending.size())) break;
        const qsizetype end = newline < 0 ? x.pending.size() : newline;
        const QByteArray raw = x.pending.mid(from, end + 1 - from);  // with its line end
        QByteArray line = x.pending.mid(from, end - from);
        from = end + 1;
        if (line.endsWith('\r')) line.chop(1);

        if (x.status == 0) {
            x.status = StatusCode(line);
            if (!x.reading && x.status == 200) {
                // One exact match, on the status line itself.
                CdDatabaseMatch match;
                if (ParseMatch(line.mid(4), match)) x.answer.matches.push_back(match);
            } else if (x.reading && x.status == 210) {
                x.answer.entryRead = true;
            }
            x.listing = x.status == 210 || (!x.reading && x.status == 211);
            complete = !x.listing;
        } else if (line == ".") {
            complete = true;
        } else if (!x.reading) {
            CdDatabaseMatch match;
            if (ParseMatch(line, match)) x.answer.matches.push_back(match);
            complete = int(x.answer.matches.size()) >= kCdDatabaseMaxMatches;
        } else {
            x.answer.entry += raw.left(kCdDatabaseMaxAnswerBytes - x.answer.entry.size());
            complete = x.answer.entry.size() >= kCdDatabaseMaxAnswerBytes;
        }
    }
    x.pending.remove(0, std::min(from, x.pending.size()));
    if (!complete && !ended) return;

    if (x.status == 0) {
        // No answer of the service at all.
        Finish(CdDatabaseEnd::Failed);
    } else if (!x.reading && !x.answer.matches.empty()) {
        const CdDatabaseMatch first = x.answer.matches.front();
        x.reading = true;
        Ask("cddb read " + first.category + ' ' + first.discId);
    } else {
        Finish(CdDatabaseEnd::Answered);
    }
}

void CdDatabaseQuery::Finish(CdDatabaseEnd end) {
    if (!m_exchange) return;
    m_deadline->stop();
    std::unique_ptr<Exchange> x = std::move(m_exchange);
    x->DropSocket();
    CdDatabaseAnswer answer = std::move(x->answer);
    answer.end = end;
    x.reset();
    emit finished(answer);
}
