#include "CddbStubServer.h"
#include "RipperTestSupport.h"

#include "ripper/CdDatabase.h"

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

TEST_F(RipperTest, TheQueryReachesTheServerWithTheDiscIdAndClientAndReadsTheFirstMatch) {
    auto drive = OpenImage();
    CdTableOfContents toc;
    ASSERT_TRUE(drive->ReadToc(toc));
    const uint32_t id = ExpectedDiscId(image);
    EXPECT_EQ(CdDatabaseDiscId(toc), id);

    CddbStubServer server(HexId(id));
    const CdDatabaseAnswer answer = QueryCdDatabase(&toc, {QStringLiteral("127.0.0.1"), server.port()});
    EXPECT_EQ(answer.matches, 1);
    EXPECT_TRUE(answer.entryRead);
    const QList<QByteArray> requests = server.requests();
    ASSERT_EQ(requests.size(), 2);
    // The query names the disc id, its three tracks' offsets and its length in seconds.
    const QByteArray offsets = "+3+150+250+310+";
    EXPECT_TRUE(requests[0].contains("cmd=cddb+query+" + HexId(id) + offsets)) << requests[0].toStdString();
    EXPECT_TRUE(requests[0].contains("hello=support+brellick.example+viriduzi+0.12")) << requests[0].toStdString();
    EXPECT_TRUE(requests[1].contains("cmd=cddb+read+rock+" + HexId(id))) << requests[1].toStdString();
    // Nothing was cached on disk.
    EXPECT_FALSE(QDir(home.file(".cddbslave")).exists());
}

TEST_F(RipperTest, NoDiscOrNoServerAsksNothingAndFailsQuietly) {
    CddbStubServer server("00000000");
    EXPECT_EQ(QueryCdDatabase(nullptr, {QStringLiteral("127.0.0.1"), server.port()}).matches, -1);
    CdTableOfContents empty;
    EXPECT_EQ(QueryCdDatabase(&empty, {QStringLiteral("127.0.0.1"), server.port()}).matches, -1);
    EXPECT_TRUE(server.requests().isEmpty());

    auto drive = OpenImage();
    CdTableOfContents toc;
    ASSERT_TRUE(drive->ReadToc(toc));
    // A server that does not know the disc: no match, nothing read.
    const CdDatabaseAnswer unknown = QueryCdDatabase(&toc, {QStringLiteral("127.0.0.1"), server.port()});
    EXPECT_EQ(unknown.matches, 0);
    EXPECT_FALSE(unknown.entryRead);
    EXPECT_EQ(server.requests().size(), 1);
}
