#include "CddbStubServer.h"
#include "RipperTestSupport.h"

#include "ripper/CdDatabase.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTcpServer>
#include <QThread>
#include <optional>

namespace {

QByteArray HexId(uint32_t id) { return QByteArray::number(id, 16).rightJustified(8, '0'); }

// The identifier worked out by hand from the disc's frame offsets (150 on).
uint32_t ExpectedDiscId(const DiscImage& image) {
    int digits = 0;
    for (size_t i = 0; i < image.trackFrames.size(); ++i)
        for (int s = (image.FirstFrame(i) + 150) / 75; s > 0; s /= 10) digits += s % 10;
    const int length = (image.EndFrame(image.trackFrames.size() - 1) + 150) / 75 - 150 / 75;
    return uint32_t((digits % 255) << 24 | length << 8 | int(image.trackFrames.size()));
}

// Runs the event loop until `query` reports; nothing when it has not after a
// minute (a hang, not a question of speed).
std::optional<CdDatabaseAnswer> AwaitAnswer(CdDatabaseQuery& query) {
    std::optional<CdDatabaseAnswer> got;
    const QMetaObject::Connection c =
        QObject::connect(&query, &CdDatabaseQuery::finished, [&](const CdDatabaseAnswer& a) { got = a; });
    const QDeadlineTimer guard(std::chrono::minutes(1));
    while (!got && !guard.hasExpired()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    QObject::disconnect(c);
    return got;
}

class CdDatabaseTest : public RipperTest {
protected:
    void SetUp() override {
        RipperTest::SetUp();
        auto drive = OpenImage();
        ASSERT_TRUE(drive && drive->ReadToc(toc));
        id = HexId(ExpectedDiscId(image));
    }
    CdDatabaseServer Local(const CddbStubServer& server) const { return {QStringLiteral("127.0.0.1"), server.port()}; }

    CdTableOfContents toc;
    QByteArray id;
};

}  // namespace

TEST(CdDatabaseServerTest, TheSettingNamesAHostAndMaybeAPort) {
    const struct {
        const char* setting;
        const char* host;
        int port;
    } cases[] = {{"gnudb.gnudb.org", "gnudb.gnudb.org", 80}, {" 127.0.0.1:8880 ", "127.0.0.1", 8880},
                 {"example.org:", "example.org", 80},        {"example.org:99999", "example.org", 80},
                 {"example.org:abc", "example.org", 80},     {"", "", 80}};
    for (const auto& c : cases) {
        const CdDatabaseServer server = ParseCdDatabaseServer(QString::fromLatin1(c.setting));
        EXPECT_EQ(server.host, QString::fromLatin1(c.host)) << c.setting;
        EXPECT_EQ(server.port, c.port) << c.setting;
    }
}

TEST_F(CdDatabaseTest, TheQueryReachesTheServerWithTheDiscIdAndClientAndReadsTheFirstMatch) {
    EXPECT_EQ(HexId(CdDatabaseDiscId(toc)), id);

    CddbStubServer server(id);
    CdDatabaseQuery query;
    ASSERT_TRUE(query.Start(toc, Local(server)));
    EXPECT_TRUE(query.Running());
    const auto answer = AwaitAnswer(query);
    ASSERT_TRUE(answer);
    EXPECT_FALSE(query.Running());
    EXPECT_EQ(answer->end, CdDatabaseEnd::Answered);
    ASSERT_EQ(answer->matches.size(), 1u);
    EXPECT_EQ(answer->matches[0].category, "rock");
    EXPECT_TRUE(answer->entryRead);
    EXPECT_TRUE(answer->entry.contains("DTITLE=Test Artist / Test Album\r\n")) << answer->entry.toStdString();
    EXPECT_FALSE(answer->entry.contains("\n.\r\n"));
    const QList<QByteArray> requests = server.requests();
    ASSERT_EQ(requests.size(), 2);
    // The query names the disc id, its three tracks' offsets and its length in seconds.
    EXPECT_TRUE(requests[0].contains("cmd=cddb+query+" + id + "+3+150+250+310+4&")) << requests[0].toStdString();
    EXPECT_TRUE(requests[0].contains("hello=support+brellick.example+viriduzi+0.12")) << requests[0].toStdString();
    EXPECT_TRUE(requests[1].contains("cmd=cddb+read+rock+" + id)) << requests[1].toStdString();
    // Nothing was cached on disk.
    EXPECT_FALSE(QDir(home.file(".cddbslave")).exists());
}

TEST_F(CdDatabaseTest, NoDiscOrNoServerAsksNothingAndFailsQuietly) {
    CddbStubServer server("00000000");
    CdDatabaseQuery query;
    EXPECT_FALSE(query.Start(CdTableOfContents{}, Local(server)));
    EXPECT_FALSE(query.Start(toc, {QString(), 80}));
    EXPECT_FALSE(query.Running());
    EXPECT_TRUE(server.requests().isEmpty());

    // A server that does not know the disc: no match, nothing read.
    ASSERT_TRUE(query.Start(toc, Local(server)));
    const auto unknown = AwaitAnswer(query);
    ASSERT_TRUE(unknown);
    EXPECT_EQ(unknown->end, CdDatabaseEnd::Answered);
    EXPECT_TRUE(unknown->matches.empty());
    EXPECT_FALSE(unknown->entryRead);
    EXPECT_EQ(server.requests().size(), 1);

    // Nobody listening: the query fails.
    int freePort = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
        freePort = probe.serverPort();
    }
    ASSERT_TRUE(query.Start(toc, {QStringLiteral("127.0.0.1"), freePort}));
    const auto refused = AwaitAnswer(query);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->end, CdDatabaseEnd::Failed);
}

// Whatever the server does, the query ends within its limits and hangs up
// on a server that would go on.
TEST_F(CdDatabaseTest, AServerThatStallsTricklesOrFloodsIsCutOffAtTheBounds) {
    using Mode = CddbStubServer::Mode;
    using namespace std::chrono_literals;
    const struct {
        const char* name;
        Mode mode;
        std::chrono::milliseconds limit;
        CdDatabaseEnd end;
        size_t matches;
        bool entryRead;
    } cases[] = {
        // A short limit where the limit must end the query, so that the test
        // does not wait long (the server would go on for far longer).
        {"never answers", Mode::Silent, 400ms, CdDatabaseEnd::TimedOut, 0, false},
        {"trickles", Mode::Trickle, 400ms, CdDatabaseEnd::TimedOut, 0, false},
        {"floods matches", Mode::FloodMatches, kCdDatabaseTimeLimit, CdDatabaseEnd::Answered, kCdDatabaseMaxMatches,
         true},
        {"floods the entry", Mode::FloodEntry, kCdDatabaseTimeLimit, CdDatabaseEnd::Answered, 1, true},
        {"sends one endless line", Mode::FloodOneLine, kCdDatabaseTimeLimit, CdDatabaseEnd::Answered, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CddbStubServer server(id, c.mode);
        CdDatabaseQuery query;
        query.SetTimeLimit(c.limit);
        ASSERT_TRUE(query.Start(toc, Local(server)));
        const auto answer = AwaitAnswer(query);
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->end, c.end);
        EXPECT_EQ(answer->matches.size(), c.matches);
        EXPECT_EQ(answer->entryRead, c.entryRead);
        EXPECT_LE(answer->entry.size(), kCdDatabaseMaxAnswerBytes);
        if (c.mode == Mode::FloodEntry) {
            EXPECT_EQ(answer->entry.size(), kCdDatabaseMaxAnswerBytes);
            EXPECT_TRUE(answer->entry.startsWith("TTITLE0=Again\r\n"));
        }
        // The client, not the server, ended the answer that would not end.
        for (int i = 0; i < 100 && server.answering(); ++i) QThread::msleep(20);
        EXPECT_FALSE(server.answering());
        EXPECT_EQ(server.hangUps(), 1);
    }
}

TEST_F(CdDatabaseTest, StopAndDestructionEndARunningQueryAtOnce) {
    CddbStubServer server(id, CddbStubServer::Mode::Trickle);
    {
        CdDatabaseQuery query;
        std::optional<CdDatabaseAnswer> got;
        QObject::connect(&query, &CdDatabaseQuery::finished, [&](const CdDatabaseAnswer& a) { got = a; });
        ASSERT_TRUE(query.Start(toc, Local(server)));
        // Stop once the server has begun to answer.
        while (server.requests().isEmpty()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
        query.Stop();
        ASSERT_TRUE(got);
        EXPECT_EQ(got->end, CdDatabaseEnd::Stopped);
        EXPECT_FALSE(query.Running());
        // A stopped query can be asked again; destroying it ends that one too.
        ASSERT_TRUE(query.Start(toc, Local(server)));
        while (server.requests().size() < 2) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (int i = 0; i < 100 && server.hangUps() < 2; ++i) QThread::msleep(20);
    EXPECT_EQ(server.hangUps(), 2);
}
