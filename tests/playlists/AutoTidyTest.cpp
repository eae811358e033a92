// The Auto-Tidy walk over a playlist's entries, without a window: which
// entries are re-pointed, kept or removed, what the report says, and what a
// stop keeps.

#include "playlists/AutoTidy.h"
#include "playlists/PlaylistTestSupport.h"

#include "foundation/FileUtils.h"
#include "foundation/JobHost.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString Touch(const QString& folder, const QString& name) {
    QDir().mkpath(folder);
    QFile file(folder + QLatin1Char('/') + name);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    return file.fileName();
}

class AutoTidyTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    JobHost job;
    int asked = 0;
    QStringList searched;
    AutoTidyServices Services(const QString& start, const QString& foundIn = QString()) {
        AutoTidyServices s;
        s.askStartFolder = [this, start] {
            ++asked;
            return start;
        };
        s.findFile = [this, foundIn](const QString&, const QString& name) {
            searched << name;
            return name.startsWith(QLatin1String("found")) ? foundIn : QString();
        };
        return s;
    }
};

TEST_F(AutoTidyTest, RepointsFoundFilesRemovesTheOthersAndKeepsRelativeEntriesBesideThePlaylist) {
    const QString playlist = dir.filePath(QStringLiteral("lists/mix.m3u"));
    Touch(dir.filePath(QStringLiteral("lists/sub")), QStringLiteral("kept.mp3"));
    const QString elsewhere = dir.filePath(QStringLiteral("elsewhere"));
    Touch(elsewhere, QStringLiteral("found.mp3"));
    PlaylistEntries entries = {{"sub/kept.mp3", "Kept", 1},
                               {"/gone/lost.mp3", "Lost", 2},
                               {"/gone/found.mp3", "Found", 3},
                               {"/gone/lost2.mp3", "Lost two", 4}};
    const AutoTidyReport report = AutoTidyPlaylist(entries, playlist, job, Services(dir.path(), elsewhere));
    EXPECT_FALSE(report.stopped);
    EXPECT_EQ(asked, 1);  // once, at the first missing file
    EXPECT_EQ(searched, (QStringList{"lost2.mp3", "found.mp3", "lost.mp3"}));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0], (PlaylistEntryInfo{"sub/kept.mp3", "kept", 1}));
    EXPECT_EQ(entries[1], (PlaylistEntryInfo{elsewhere + "/found.mp3", "found", 3}));
    ASSERT_EQ(report.found.size(), 1u);
    EXPECT_EQ(report.found[0].title, "Found");
    EXPECT_EQ(report.found[0].folder, elsewhere);
    ASSERT_EQ(report.unfound.size(), 2u);
    EXPECT_EQ(report.unfound[0].fileName, "/gone/lost2.mp3");
    EXPECT_EQ(report.unfound[1].title, "Lost");
}

TEST_F(AutoTidyTest, NoStartFolderRemovesEveryMissingEntryWithoutASearch) {
    PlaylistEntries entries = {{"/gone/a.mp3", "A", 1}, {"/gone/b.mp3", "B", 2}};
    const AutoTidyReport report = AutoTidyPlaylist(entries, QString(), job, Services(QString()));
    EXPECT_TRUE(entries.empty());
    EXPECT_TRUE(searched.isEmpty());
    EXPECT_EQ(report.unfound.size(), 2u);
}

TEST_F(AutoTidyTest, AStopKeepsWhatWasDoneAndASearchCutShortRemovesNothing) {
    PlaylistEntries entries = {{"/gone/first.mp3", "First", 1},
                               {"/gone/second.mp3", "Second", 2},
                               {"/gone/third.mp3", "Third", 3}};
    AutoTidyServices services = Services(dir.path());
    // The user presses Stop while the second file visited is searched for.
    services.findFile = [&](const QString&, const QString& name) {
        searched << name;
        if (name == QLatin1String("second.mp3")) job.mblnStopAll = true;
        return QString();
    };
    const AutoTidyReport report = AutoTidyPlaylist(entries, QString(), job, services);
    EXPECT_TRUE(report.stopped);
    EXPECT_EQ(searched, (QStringList{"third.mp3", "second.mp3"}));
    // The third was removed before the stop; the second's search was cut
    // short, so it stays, as does the first, never visited.
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].Title, "First");
    EXPECT_EQ(entries[1].Title, "Second");
    ASSERT_EQ(report.unfound.size(), 1u);
    EXPECT_EQ(report.unfound[0].title, "Third");
}

// Entries written on a system whose paths use backslashes keep them: the
// file is searched for by the part after the last backslash or slash.
TEST_F(AutoTidyTest, TheNameSearchedForFollowsTheLastBackslashOrSlash) {
    const QString music = dir.filePath(QStringLiteral("music"));
    const struct {
        const char* entry;
        const char* name;
        const char* folder;  // where the file stands, under music/
    } cases[] = {
        {"sub\\b.mp3", "b.mp3", "deep/sub"}, {"C:\\Music\\Old\\c.mp3", "c.mp3", "old"},
        {"/gone/win\\d.mp3", "d.mp3", "d"},  {"gone\\mixed/e.mp3", "e.mp3", "e"},
        {"/gone/f.mp3", "f.mp3", "f"},
    };
    PlaylistEntries entries;
    for (const auto& c : cases) {
        Touch(music + QLatin1Char('/') + QLatin1String(c.folder), QString::fromLatin1(c.name));
        entries.push_back({QString::fromLatin1(c.entry), QStringLiteral("T"), 1});
    }
    AutoTidyServices services = Services(music);
    services.findFile = [&](const QString& start, const QString& name) {
        searched << name;
        return FindFile(start, name, job.mblnStopAll, [](const QString&) {});
    };
    const AutoTidyReport report =
        AutoTidyPlaylist(entries, dir.filePath(QStringLiteral("lists/mix.m3u")), job, services);
    ASSERT_EQ(entries.size(), std::size(cases));
    ASSERT_EQ(report.found.size(), std::size(cases));
    EXPECT_TRUE(report.unfound.empty());
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(c.entry);
        const QString folder = music + QLatin1Char('/') + QLatin1String(c.folder);
        EXPECT_EQ(entries[i].FileName, folder + QLatin1Char('/') + QLatin1String(c.name));
        // Visited from the last entry to the first.
        const AutoTidyFound& found = report.found[std::size(cases) - 1 - i];
        EXPECT_EQ(found.name, QLatin1String(c.name));
        EXPECT_EQ(found.folder, folder);
        EXPECT_EQ(searched[qsizetype(std::size(cases) - 1 - i)], QLatin1String(c.name));
    }
}

}  // namespace
