#pragma once
// A small CDDB service over HTTP on 127.0.0.1 for the CD Ripper's tests: it
// records every request, answers a query whose disc identifier and client
// name are the expected ones with one exact match, and a read of that match
// with an entry; anything else gets "202 No match".
//
// It can also misbehave, as servers on the network do: never answer, trickle
// a line now and then without ever ending its answer, or flood a query with
// matches or a read with entry lines without end.  A misbehaving answer goes
// on until the client closes the connection (which the server records) or,
// at the latest, until kMisbehaveFor has passed.

#include <QByteArray>
#include <QList>
#include <QString>
#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

class CddbStubServer {
public:
    enum class Mode {
        Answer,        // answers as the service does
        Silent,        // takes the request and never answers
        Trickle,       // starts an answer, then a header line every kTrickleEvery, never ending it
        FloodMatches,  // answers a query with matches without end
        FloodEntry,    // answers a read with entry lines without end
        FloodOneLine,  // answers a query with one line that never ends
    };
    static constexpr std::chrono::milliseconds kTrickleEvery{50};
    static constexpr std::chrono::seconds kMisbehaveFor{15};

    // `discId` as eight lower-case hex digits.
    explicit CddbStubServer(QByteArray discId, Mode mode = Mode::Answer) : m_discId(std::move(discId)), m_mode(mode) {
        m_listen = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = 0;
        ::bind(m_listen, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        ::listen(m_listen, 8);
        socklen_t len = sizeof addr;
        ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&addr), &len);
        m_port = ntohs(addr.sin_port);
        m_thread = std::thread([this] { Serve(); });
    }
    ~CddbStubServer() {
        m_stop = true;
        m_thread.join();
        ::close(m_listen);
    }
    int port() const { return m_port; }
    // The request lines received so far ("GET /path?query HTTP/1.0").
    QList<QByteArray> requests() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_requests;
    }
    // A client is connected and its answer is not over.
    bool answering() const { return m_answering; }
    // How many misbehaving answers the client ended by closing the connection.
    int hangUps() const { return m_hangUps; }

private:
    using Clock = std::chrono::steady_clock;

    void Serve() {
        while (!m_stop) {
            pollfd p{m_listen, POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0) continue;
            const int fd = ::accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd < 0) continue;
            m_answering = true;
            QByteArray request;
            char buf[4096];
            while (!request.contains("\r\n\r\n")) {
                pollfd c{fd, POLLIN, 0};
                if (::poll(&c, 1, 2000) <= 0) break;
                const ssize_t n = ::read(fd, buf, sizeof buf);
                if (n <= 0) break;
                request.append(buf, n);
            }
            const QByteArray line = request.left(request.indexOf("\r\n"));
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_requests << line;
            }
            Reply(fd, line);
            ::close(fd);
            m_answering = false;
        }
    }

    void Reply(int fd, const QByteArray& line) {
        const bool query = line.contains("cmd=cddb+query+");
        const QByteArray header = "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n";
        switch (m_mode) {
        case Mode::Silent: return Misbehave(fd, {}, {});
        case Mode::Trickle: return Misbehave(fd, "HTTP/1.0 200 OK\r\n", "X-Status: still looking\r\n");
        case Mode::FloodMatches:
            if (query) return Misbehave(fd, header + "211 close matches follow\r\n", "rock " + m_discId + " A / B\r\n");
            break;
        case Mode::FloodEntry:
            if (!query)
                return Misbehave(fd, header + "210 rock " + m_discId + " entry follows\r\n", "TTITLE0=Again\r\n");
            break;
        case Mode::FloodOneLine:
            if (query) return Misbehave(fd, header + "211 ", "rock");
            break;
        case Mode::Answer: break;
        }
        const QByteArray body = Answer(line);
        const QByteArray reply =
            "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " + QByteArray::number(body.size()) +
            "\r\n\r\n" + body;
        Send(fd, reply);
    }

    // Sends `start`, then `again` over and over (every kTrickleEvery when
    // trickling, as fast as the client takes it when flooding, never when
    // silent) until the client hangs up, the server stops or time is up.
    void Misbehave(int fd, const QByteArray& start, const QByteArray& again) {
        const bool trickle = m_mode == Mode::Trickle;
        const auto end = Clock::now() + kMisbehaveFor;
        QByteArray block;
        while (!trickle && !again.isEmpty() && block.size() < 65536) block += again;
        if (!start.isEmpty() && !Send(fd, start)) return CountHangUp();
        while (!m_stop && Clock::now() < end) {
            if (again.isEmpty() || trickle) {
                // Wait; the client's end of the connection shows as readable.
                pollfd c{fd, POLLIN, 0};
                const int waitMs = trickle ? int(kTrickleEvery.count()) : 50;
                if (::poll(&c, 1, waitMs) > 0) {
                    char b;
                    if (::recv(fd, &b, 1, MSG_DONTWAIT) <= 0) return CountHangUp();
                }
                if (trickle && !Send(fd, again)) return CountHangUp();
            } else if (!Send(fd, block)) {
                return CountHangUp();
            }
        }
    }
    void CountHangUp() {
        if (!m_stop) ++m_hangUps;
    }

    // False when the client has gone (or the server stops).
    bool Send(int fd, const QByteArray& bytes) {
        qsizetype done = 0;
        while (done < bytes.size()) {
            if (m_stop) return false;
            pollfd c{fd, POLLOUT, 0};
            if (::poll(&c, 1, 50) <= 0) continue;
            if (c.revents & (POLLERR | POLLHUP)) return false;
            const ssize_t n = ::send(fd, bytes.constData() + done, size_t(bytes.size() - done), MSG_NOSIGNAL);
            if (n <= 0) return false;
            done += n;
        }
        return true;
    }

    QByteArray Answer(const QByteArray& line) const {
        const bool client = line.contains("hello=") && line.contains("+viriduzi+0.12");
        if (!line.startsWith("GET /~cddb/cddb.cgi?") || !client) return "500 Command syntax error\r\n";
        if (line.contains("cmd=cddb+query+" + m_discId + "+"))
            return "200 rock " + m_discId + " Test Artist / Test Album\r\n";
        if (line.contains("cmd=cddb+read+rock+" + m_discId))
            return "210 rock " + m_discId + " CD database entry follows\r\n# xmcd\r\n#\r\nDISCID=" + m_discId +
                   "\r\nDTITLE=Test Artist / Test Album\r\nDYEAR=2001\r\nDGENRE=Rock\r\nTTITLE0=One\r\n"
                   "TTITLE1=Two\r\nTTITLE2=Data\r\nEXTD=\r\nEXTT0=\r\nEXTT1=\r\nEXTT2=\r\nPLAYORDER=\r\n.\r\n";
        return "202 No match\r\n";
    }

    QByteArray m_discId;
    Mode m_mode;
    int m_listen = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_answering{false};
    std::atomic<int> m_hangUps{0};
    mutable std::mutex m_mutex;
    QList<QByteArray> m_requests;
    std::thread m_thread;
};
