// Playlist files on disk: detection by content, what a failed read shows,
// saving, round trips with non-Latin titles in every format, an independent
// XML parser's view of the B4S text, and builders run as a stoppable job.

#include "PlaylistTestSupport.h"
#include "foundation/Errors.h"
#include "foundation/JobHost.h"
#include "foundation/MessageUi.h"
#include "playlists/PlaylistFiles.h"
#include "scanjob/ScanJobSupport.h"
#include "support/ScriptedUi.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>

#include <algorithm>

#include <sys/stat.h>

namespace {

const QString kM3U = QStringLiteral("#EXTM3U\r\n#EXTINF:5,Five\r\n/five.mp3\r\n");
const QString kPLS = QStringLiteral("[playlist]\r\nFile1=/one.mp3\r\nTitle1=One\r\nLength1=1\r\nNumberOfEntries=1\r\nVersion=2");
const QString kB4S = QStringLiteral(
    "<?xml version=\"1.0\"?><WinampXML><playlist><entry Playstring=\"file:/b.mp3\"><Name>B</Name>"
    "<Length>2</Length></entry></playlist></WinampXML>");

// Non-Latin titles and paths: Greek, Cyrillic, CJK, Arabic, and a character
// beyond the 16-bit range.
PlaylistEntries WorldEntries() {
    return {{QStringLiteral("/m\u00FAsica/\u03A9\u03BC\u03AD\u03B3\u03B1.mp3"), QStringLiteral("\u03A9\u03BC\u03AD\u03B3\u03B1 - \u0391\u03BB\u03C6\u03B1"), 215000},
            {QStringLiteral("\u041F\u0440\u0438\u0432\u0435\u0442/\u043F\u0435\u0441\u043D\u044F.mp3"), QStringLiteral("\u041F\u0440\u0438\u0432\u0435\u0442, \u043C\u0438\u0440"), 3000},
            {QStringLiteral("/\u6771\u4EAC/\u6B4C.mp3"), QStringLiteral("\u6771\u4EAC & \u5927\u962A <\u30E9\u30A4\u30D6>"), -1000},
            {QStringLiteral("/\u0645\u0648\u0633\u064A\u0642\u0649.mp3"), QStringLiteral("\u0623\u063A\u0646\u064A\u0629 \U0001F3B5"), 0}};
}

TEST(PlaylistFiles, FormatIsFoundByContentWhateverTheName) {
    MusicFolder folder;
    const struct {
        const char* name;
        QByteArray content;
        int32_t format;
        size_t entries;
    } cases[] = {
        {"list.pls", kM3U.toUtf8(), PlaylistFileFormat::M3U, 1},
        {"list.b4s", kPLS.toUtf8(), PlaylistFileFormat::PLS, 1},
        {"list.m3u", kB4S.toUtf8(), PlaylistFileFormat::B4S, 1},
        {"header-only.m3u", "#EXTM3U", PlaylistFileFormat::M3U, 0},
        {"empty-pls.pls", "[playlist]\r\n", PlaylistFileFormat::PLS, 0},
        {"no-entries.b4s", "<WinampXML><playlist/></WinampXML>", PlaylistFileFormat::NotAPlaylist, 0},
        {"plain.m3u", "/music/a.mp3\r\n", PlaylistFileFormat::NotAPlaylist, 0},
        {"empty.m3u", "", PlaylistFileFormat::NotAPlaylist, 0},
        {"song.mp3", QByteArray("ID3\x03\x00\x00\x00\x00\x00\x00", 10) + QByteArray(100000, '\xFF'),
         PlaylistFileFormat::NotAPlaylist, 0},
        {"bom.m3u", "\xEF\xBB\xBF#EXTM3U\n#EXTINF:1,A\n/a.mp3", PlaylistFileFormat::M3U, 1},
        {"spaced.b4s", " \r\n\t<WinampXML><playlist><entry Playstring=\"/x\"/></playlist></WinampXML>",
         PlaylistFileFormat::B4S, 1},
    };
    for (const auto& c : cases) {
        const QString path = folder.write(QString::fromLatin1(c.name), c.content);
        PlaylistEntries entries{{"/old.mp3", "Old", 0}};
        EXPECT_EQ(LoadPlaylistFile(path, entries, true), c.format) << c.name;
        EXPECT_EQ(entries.size(), c.entries) << c.name;
    }
}

TEST(PlaylistFiles, WithoutClearingTheEntriesFollowTheOpenOnes) {
    MusicFolder folder;
    const QString m3u = folder.write(QStringLiteral("a.m3u"), kM3U.toUtf8());
    const QString none = folder.write(QStringLiteral("b.txt"), "hello");
    PlaylistEntries entries{{"/old.mp3", "Old", 7}};
    EXPECT_EQ(LoadPlaylistFile(m3u, entries, false), PlaylistFileFormat::M3U);
    EXPECT_EQ(LoadPlaylistFile(none, entries, false), PlaylistFileFormat::NotAPlaylist);
    EXPECT_EQ(entries, (PlaylistEntries{{"/old.mp3", "Old", 7}, {"/five.mp3", "Five", 5000}}));
    EXPECT_EQ(LoadPlaylistFile(none, entries, true), PlaylistFileFormat::NotAPlaylist);
    EXPECT_TRUE(entries.empty());
}

TEST(PlaylistFiles, AMissingFileIsAnErrorOnTheTrail) {
    MusicFolder folder;
    const QString path = folder.file(QStringLiteral("gone.m3u"));
    PlaylistEntries entries;
    try {
        LoadPlaylistFile(path, entries, true);
        ADD_FAILURE() << "no error";
    } catch (const SvError& e) {
        EXPECT_EQ(e.number(), ErrNo::FileNotFound);
        EXPECT_TRUE(e.description().endsWith(QStringLiteral("|LoadPlaylistFile;") + path)) << e.description().toStdString();
    }
}

TEST(PlaylistFiles, AFileThatMayNotBeReadIsReportedOnce) {
    MusicFolder folder;
    const QString path = folder.write(QStringLiteral("locked.m3u"), kM3U.toUtf8());
    SetMode(path, 0);
    ScriptedUi ui;
    PlaylistEntries entries{{"/old.mp3", "Old", 0}};
    int32_t format = -1;
    {
        WithoutFileRights rights;
        format = LoadPlaylistFile(path, entries, true);
    }
    EXPECT_EQ(format, PlaylistFileFormat::NotAPlaylist);
    EXPECT_TRUE(entries.empty());
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].title, QStringLiteral("Permission Denied"));
    EXPECT_EQ(ui.shown[0].prompt, QStringLiteral("locked.m3u\r\n\r\nCannot load file. Permission denied. The file may be "
                                                 "locked by another process."));
    EXPECT_EQ(ui.shown[0].style, Mb::OKOnly | Mb::Exclamation);
}

TEST(PlaylistFiles, EveryFormatKeepsNonLatinTextsThroughSaveAndLoad) {
    MusicFolder folder;
    const PlaylistEntries entries = WorldEntries();
    for (int32_t format : {PlaylistFileFormat::M3U, PlaylistFileFormat::PLS, PlaylistFileFormat::B4S}) {
        const QString path = folder.file(QStringLiteral("world%1.list").arg(format));
        SavePlaylistFile(path, ConstructPlaylist(format, entries));
        const QByteArray bytes = ReadBytes(path);
        EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF")) << format;
        EXPECT_EQ(QString::fromUtf8(bytes).toUtf8(), bytes) << "not UTF-8: " << format;
        EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n")) << format;
        PlaylistEntries back;
        EXPECT_EQ(LoadPlaylistFile(path, back, true), format);
        EXPECT_EQ(back, entries) << format;
    }
}

// No count of entries stops at 16 bits: numbers, texts and loads go on.
TEST(PlaylistFiles, PlaylistsBeyond32767Entries) {
    MusicFolder folder;
    PlaylistEntries entries;
    for (int i = 0; i < 40000; ++i) entries.push_back({QStringLiteral("/m/%1.mp3").arg(i), QStringLiteral("T%1").arg(i), 1000 * (i % 500)});
    for (int32_t format : {PlaylistFileFormat::M3U, PlaylistFileFormat::PLS, PlaylistFileFormat::B4S}) {
        const QString path = folder.file(QStringLiteral("long%1").arg(format));
        const QString text = ConstructPlaylist(format, entries);
        SavePlaylistFile(path, text);
        PlaylistEntries back;
        EXPECT_EQ(LoadPlaylistFile(path, back, true), format);
        EXPECT_EQ(back, entries) << format;
    }
    EXPECT_TRUE(ConstructPLSPlaylist(entries).contains(QStringLiteral("File40000=/m/39999.mp3\r\n")));
    EXPECT_TRUE(ConstructPLSPlaylist(entries).endsWith(QStringLiteral("NumberOfEntries=40000\r\nVersion=2")));
    PlaylistEntries sorted = entries;
    SortPlaylist(sorted, PlaylistSortKey::FileName);
    EXPECT_EQ(sorted.size(), entries.size());
    EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end(),
                               [](const PlaylistEntryInfo& a, const PlaylistEntryInfo& b) { return a.FileName < b.FileName; }));
}

TEST(PlaylistFiles, SavingReplacesTheWholeFileAndKeepsItsMode) {
    MusicFolder folder;
    const QString path = folder.write(QStringLiteral("mix.m3u"), QByteArray(5000, 'x'));
    SetMode(path, 0640);
    SavePlaylistFile(path, QStringLiteral("#EXTM3U\n"));
    EXPECT_EQ(ReadBytes(path), QByteArray("#EXTM3U\r\n"));
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(PlaylistFiles, AFailedSaveLeavesTheOldFileWhole) {
    MusicFolder folder;
    const QString path = folder.write(QStringLiteral("mix.m3u"), "old text");
    SetMode(folder.path(), 0555);
    bool raised = false;
    {
        WithoutFileRights rights;
        try {
            SavePlaylistFile(path, QStringLiteral("#EXTM3U\r\n"));
        } catch (const SvError& e) {
            raised = true;
            EXPECT_EQ(e.number(), ErrNo::PathFileAccess);
            EXPECT_TRUE(e.description().contains(QStringLiteral("|SavePlaylistFile;"))) << e.description().toStdString();
        }
    }
    SetMode(folder.path(), 0755);
    EXPECT_TRUE(raised);
    EXPECT_EQ(ReadBytes(path), QByteArray("old text"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

// python3's own XML parser reads the B4S file as the format describes it.
TEST(PlaylistFiles, AnIndependentXmlParserReadsTheB4SText) {
    MusicFolder folder;
    PlaylistEntries entries = WorldEntries();
    entries.push_back({QStringLiteral("/quotes/\"it's\" & <more>.mp3"), QStringLiteral("A\tB > C \"D\" 'E'"), 1});
    entries.push_back({QStringLiteral("rel/empty.mp3"), QString(), 0});
    const QString path = folder.file(QStringLiteral("check.b4s"));
    SavePlaylistFile(path, ConstructB4SPlaylist(entries));

    const char* script = R"(
import json, sys, xml.etree.ElementTree as ET
data = open(sys.argv[1], 'rb').read()
assert data.startswith(b'<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\r\n')
root = ET.fromstring(data)
assert root.tag == 'WinampXML'
playlist = root.find('playlist')
out = {'num_entries': playlist.get('num_entries'), 'label': playlist.get('label'), 'entries': []}
for e in playlist.findall('entry'):
    out['entries'].append({'Playstring': e.get('Playstring'), 'Name': e.findtext('Name'), 'Length': e.findtext('Length')})
sys.stdout.write(json.dumps(out))
)";
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QString::fromUtf8(script), path});
    ASSERT_TRUE(python.waitForFinished(60000));
    ASSERT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    const QJsonObject out = QJsonDocument::fromJson(python.readAllStandardOutput()).object();
    EXPECT_EQ(out[QStringLiteral("num_entries")].toString(), QString::number(entries.size()));
    EXPECT_EQ(out[QStringLiteral("label")].toString(), QStringLiteral("Playlist 001"));
    const QJsonArray parsed = out[QStringLiteral("entries")].toArray();
    ASSERT_EQ(size_t(parsed.size()), entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        const QJsonObject e = parsed[qsizetype(i)].toObject();
        EXPECT_EQ(e[QStringLiteral("Playstring")].toString(), QStringLiteral("file:") + entries[i].FileName) << i;
        EXPECT_EQ(e[QStringLiteral("Name")].toString(), entries[i].Title) << i;
        EXPECT_EQ(e[QStringLiteral("Length")].toString(), QString::number(entries[i].Length)) << i;
    }
}

TEST(PlaylistFiles, PLSOfAnotherVersionTakesTitlesFromTheFiles) {
    if (LameAudio().isEmpty()) GTEST_SKIP() << "lame is not installed";
    ScanOptions options;
    MusicFolder folder;
    ID3v2Tag tag;
    tag.Artist = QStringLiteral("Artist");
    tag.Title = QStringLiteral("Tagged");
    folder.mp3(QStringLiteral("sub/tagged.mp3"), nullptr, &tag);
    folder.mp3(QStringLiteral("plain.mp3"));
    const QString pls = folder.write(QStringLiteral("old.pls"),
                                     "[playlist]\nFile1=sub/tagged.mp3\nTitle1=Ignored\nLength1=3\nFile2=plain.mp3\n"
                                     "File3=/nowhere/lost.mp3\nNumberOfEntries=3\nVersion=1\n");
    PlaylistEntries entries;
    EXPECT_EQ(LoadPlaylistFile(pls, entries, true), PlaylistFileFormat::PLS);
    EXPECT_EQ(entries, (PlaylistEntries{{"sub/tagged.mp3", "Artist - Tagged", 3000},
                                        {"plain.mp3", "plain", 0},
                                        {"/nowhere/lost.mp3", "lost", 0}}));
}

// Titles from the files: a path that cannot name a file (a name longer than
// the system takes, a path longer than it allows) costs only its own title.
TEST(PlaylistFiles, PLSOfAnotherVersionKeepsAnEntryWhosePathNoFileCanHave) {
    MusicFolder folder;
    const QString longName = QString(300, QLatin1Char('n'));
    QString longPath;
    for (int i = 0; i < 25; ++i) longPath += QLatin1Char('/') + QString(200, QLatin1Char('d'));
    longPath += QStringLiteral("/deep.mp3");
    const QString pls = folder.write(QStringLiteral("old.pls"),
                                     ("[playlist]\nFile1=" + longName + ".mp3\nLength1=2\nFile2=" + longPath +
                                      "\nFile3=/nowhere/after.mp3\nLength3=3\nNumberOfEntries=3\nVersion=1\n")
                                         .toUtf8());
    ScriptedUi ui;
    PlaylistEntries entries;
    EXPECT_EQ(LoadPlaylistFile(pls, entries, true), PlaylistFileFormat::PLS);
    EXPECT_EQ(entries,
              (PlaylistEntries{
                  {longName + ".mp3", longName, 2000}, {longPath, "deep", 0}, {"/nowhere/after.mp3", "after", 3000}}));
    EXPECT_TRUE(ui.shown.empty());
}

TEST(PlaylistFiles, ScanFromPlaylistGetsThePathsBesideThePlaylist) {
    MusicFolder folder;
    const QString path = folder.write(QStringLiteral("lists/mix.m3u"),
                                      "#EXTM3U\n#EXTINF:1,A\nsongs/a.mp3\n#EXTINF:2,B\n/abs/b.mp3\n");
    QStringList paths;
    EXPECT_EQ(ReadPlaylistFilePaths(path, paths), PlaylistFileFormat::M3U);
    EXPECT_EQ(paths, (QStringList{folder.file(QStringLiteral("lists/songs/a.mp3")), QStringLiteral("/abs/b.mp3")}));
}

TEST(PlaylistFiles, EachFormatHasItsExtension) {
    const struct {
        const char* path;
        int32_t format;
        const char* result;
    } cases[] = {
        {"/lists/mix.pls", PlaylistFileFormat::M3U, "/lists/mix.m3u"},
        {"/lists/mix.m3u", PlaylistFileFormat::PLS, "/lists/mix.pls"},
        {"/lists/mix.m3u", PlaylistFileFormat::B4S, "/lists/mix.b4s"},
        {"/lists/my.mix", PlaylistFileFormat::M3U, "/lists/my.m3u"},
        {"/music/Rock", PlaylistFileFormat::PLS, "/music/Rock.pls"},
        {"/lists/.hidden", PlaylistFileFormat::M3U, "/lists/.hidden.m3u"},
        {"", PlaylistFileFormat::M3U, ""},
        {"/lists/mix.m3u", PlaylistFileFormat::NotAPlaylist, "/lists/mix.m3u"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlaylistPathForFormat(QString::fromUtf8(c.path), c.format), QString::fromUtf8(c.result)) << c.path;
}

// A job host that records what a builder shows and presses Stop when the
// status for a given entry appears.
class RecordingJob : public JobHost {
public:
    void ShowStatus(const QString& text) override {
        statuses << text;
        if (stopAtStatus == statuses.size()) mblnStopAll = true;
    }
    void ShowProgress(int64_t position, int64_t maximum) override { progress << qMakePair(position, maximum); }
    void Yield() override { ++yields; }
    int YieldIntervalMs() const override { return 0; }
    QStringList statuses;
    QList<QPair<int64_t, int64_t>> progress;
    int yields = 0;
    int stopAtStatus = -1;
};

TEST(PlaylistBuild, ShowsItsProgressAndStopsBetweenEntries) {
    const PlaylistEntries entries{{"/1", "1", 1000}, {"/2", "2", 2000}, {"/3", "3", 3000}, {"/4", "4", 4000}, {"/5", "5", 5000}};
    const struct {
        int32_t format;
        const char* name;
        QString stopped;
    } cases[] = {
        {PlaylistFileFormat::M3U, "M3U", CrLfLines({"#EXTM3U", "#EXTINF:1,1", "/1", "#EXTINF:2,2", "/2"})},
        {PlaylistFileFormat::PLS, "PLS",
         CrLfLines({"[playlist]", "File1=/1", "Title1=1", "Length1=1", "File2=/2", "Title2=2", "Length2=2",
                    "NumberOfEntries=2"}) +
             QStringLiteral("Version=2")},
        {PlaylistFileFormat::B4S, "B4S", QString()},
    };
    for (const auto& c : cases) {
        RecordingJob complete;
        EXPECT_EQ(ConstructPlaylist(c.format, entries, &complete), ConstructPlaylist(c.format, entries)) << c.name;
        ASSERT_EQ(complete.statuses.size(), 5) << c.name;
        EXPECT_EQ(complete.statuses[2], QStringLiteral("Creating %1 playlist entry 3 of 5 - Please wait...").arg(c.name));
        EXPECT_EQ(complete.progress.back(), qMakePair(int64_t(5), int64_t(6))) << c.name;
        EXPECT_EQ(complete.yields, 5) << c.name;

        RecordingJob stopped;
        stopped.stopAtStatus = 3;  // Stop pressed while entry 3 is announced
        const QString text = ConstructPlaylist(c.format, entries, &stopped);
        if (c.format == PlaylistFileFormat::B4S) {
            EXPECT_TRUE(text.contains(QStringLiteral("num_entries=\"5\"")));
            EXPECT_EQ(text.count(QStringLiteral("<entry ")), 2);
            PlaylistEntries back;
            ASSERT_TRUE(ReadB4SText(text.toUtf8(), back));
            EXPECT_EQ(back, PlaylistEntries(entries.begin(), entries.begin() + 2));
        } else {
            EXPECT_EQ(text, c.stopped) << c.name;
        }
    }
}

}  // namespace
