#include "ripper/CdDatabase.h"

#include <cddb/cddb.h>

#include <memory>

namespace {

// The address given to the service: the maker's, never the user's.
constexpr char kEmailAddress[] = "support@brellick.example";
constexpr char kClientName[] = "viriduzi";
constexpr char kClientVersion[] = "0.12";
constexpr unsigned kTimeoutSeconds = 10;
// CD frame numbers are counted from the disc's start, 150 frames before
// logical sector 0.
constexpr int kPregapFrames = 150;

struct ConnectionDeleter {
    void operator()(cddb_conn_t* c) const { cddb_destroy(c); }
};
struct DiscDeleter {
    void operator()(cddb_disc_t* d) const { cddb_disc_destroy(d); }
};

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

CdDatabaseAnswer QueryCdDatabase(const CdTableOfContents* toc, const CdDatabaseServer& server) {
    CdDatabaseAnswer answer;
    if (!toc || toc->tracks.empty() || server.host.isEmpty()) return answer;

    std::unique_ptr<cddb_conn_t, ConnectionDeleter> conn(cddb_new());
    if (!conn) return answer;
    cddb_log_set_level(CDDB_LOG_NONE);
    cddb_http_enable(conn.get());
    const QByteArray host = server.host.toUtf8();
    cddb_set_server_name(conn.get(), host.constData());
    cddb_set_server_port(conn.get(), server.port);
    cddb_set_http_path_query(conn.get(), kCdDatabaseScriptPath.toLatin1().constData());
    cddb_set_email_address(conn.get(), kEmailAddress);
    cddb_set_client(conn.get(), kClientName, kClientVersion);
    cddb_cache_disable(conn.get());
    cddb_set_timeout(conn.get(), kTimeoutSeconds);

    std::unique_ptr<cddb_disc_t, DiscDeleter> disc(cddb_disc_new());
    if (!disc) return answer;
    for (const CdTrack& t : toc->tracks) {
        cddb_track_t* track = cddb_track_new();
        if (!track) return answer;
        cddb_track_set_frame_offset(track, t.firstFrame + kPregapFrames);
        cddb_disc_add_track(disc.get(), track);  // the disc owns it now
    }
    cddb_disc_set_length(disc.get(), unsigned((toc->leadOutFrame + kPregapFrames) / 75));
    if (!cddb_disc_calc_discid(disc.get())) return answer;

    answer.matches = cddb_query(conn.get(), disc.get());
    // The query leaves the first match's category and identifier in the disc.
    if (answer.matches > 0) answer.entryRead = cddb_read(conn.get(), disc.get()) == 1;
    return answer;
}
