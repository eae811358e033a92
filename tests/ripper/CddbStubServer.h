#pragma once
// A small CDDB service over HTTP on 127.0.0.1 for the CD Ripper's tests: it
// records every request, answers a query whose disc identifier and client
// name are the expected ones with one exact match, and a read of that match
// with an entry; anything else gets "202 No match".

#include <QByteArray>
#include <QList>
#include <QString>
#include <arpa/inet.h>
#include <atomic>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

class CddbStubServer {
public:
    // `discId` as eight lower-case hex digits.
    explicit CddbStubServer(QByteArray discId) : m_discId(std::move(discId)) {
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

private:
    void Serve() {
        while (!m_stop) {
            pollfd p{m_listen, POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0) continue;
            const int fd = ::accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd < 0) continue;
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
            const QByteArray body = Answer(line);
            const QByteArray reply = "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " +
                                     QByteArray::number(body.size()) + "\r\n\r\n" + body;
            [[maybe_unused]] const ssize_t w = ::write(fd, reply.constData(), size_t(reply.size()));
            ::close(fd);
        }
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
    int m_listen = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    mutable std::mutex m_mutex;
    QList<QByteArray> m_requests;
    std::thread m_thread;
};
