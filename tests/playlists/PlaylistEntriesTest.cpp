// The open playlist's entries: editing, the sort's exact order, the shuffle,
// titles and lengths from the files, and finding an entry's file.

#include "PlaylistTestSupport.h"
#include "foundation/Errors.h"
#include "scanjob/ScanJobSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {

PlaylistEntries Titled(std::initializer_list<const char*> titles) {
    PlaylistEntries entries;
    int n = 0;
    for (const char* t : titles) entries.push_back({QStringLiteral("/%1.mp3").arg(++n), QString::fromUtf8(t), n});
    return entries;
}

QStringList FileNames(const PlaylistEntries& entries) {
    QStringList names;
    for (const PlaylistEntryInfo& e : entries) names << e.FileName;
    return names;
}

// ---- adding, inserting, editing, removing ------------------------------------------

TEST(PlaylistEdits, NewEntriesHaveNoLengthAndEditsKeepIt) {
    PlaylistEntries entries = Titled({"a", "b"});
    InsertPlaylistEntry(entries, 0, QStringLiteral("/new.mp3"), QStringLiteral("New"));
    InsertPlaylistEntry(entries, 3, QStringLiteral("/end.mp3"), QStringLiteral("End"));
    AddPlaylistEntry(entries, QStringLiteral("/added.mp3"), QStringLiteral("Added"));
    EditPlaylistEntry(entries, 1, QStringLiteral("/edited.mp3"), QStringLiteral("Edited"));
    const PlaylistEntries expected{{"/new.mp3", "New", 0},     {"/edited.mp3", "Edited", 1}, {"/2.mp3", "b", 2},
                                   {"/end.mp3", "End", 0},     {"/added.mp3", "Added", 0}};
    EXPECT_EQ(entries, expected);
}

TEST(PlaylistEdits, RemovingKeepsTheOrderOfTheRest) {
    PlaylistEntries one = Titled({"only"});
    RemovePlaylistEntry(one, 0);
    EXPECT_TRUE(one.empty());

    PlaylistEntries three = Titled({"a", "b", "c"});
    RemovePlaylistEntry(three, 2);
    AddPlaylistEntry(three, QStringLiteral("/d.mp3"), QStringLiteral("d"));
    EXPECT_EQ(three, (PlaylistEntries{{"/1.mp3", "a", 1}, {"/2.mp3", "b", 2}, {"/d.mp3", "d", 0}}));

    PlaylistEntries five = Titled({"a", "b", "c", "d", "e"});
    RemovePlaylistEntries(five, {3, 0, 3, 99});
    EXPECT_EQ(FileNames(five), (QStringList{"/2.mp3", "/3.mp3", "/5.mp3"}));
    RemovePlaylistEntries(five, {});
    EXPECT_EQ(five.size(), 3u);
}

TEST(PlaylistEdits, PositionsOutsideThePlaylistAreErrorsOnTheTrail) {
    PlaylistEntries entries = Titled({"a"});
    const struct {
        const char* name;
        std::function<void()> call;
    } calls[] = {
        {"InsertPlaylistEntry", [&] { InsertPlaylistEntry(entries, 2, QString(), QString()); }},
        {"EditPlaylistEntry", [&] { EditPlaylistEntry(entries, 1, QString(), QString()); }},
        {"RemovePlaylistEntry", [&] { RemovePlaylistEntry(entries, 1); }},
        {"SyncTitleWithID3", [&] { SyncTitleWithID3(entries, 1, true, QString()); }},
    };
    for (const auto& c : calls) {
        try {
            c.call();
            ADD_FAILURE() << c.name << " accepted a position after the last entry";
        } catch (const SvError& e) {
            EXPECT_EQ(e.number(), ErrNo::SubscriptOutOfRange) << c.name;
            EXPECT_TRUE(e.description().contains(QLatin1String("|") + QLatin1String(c.name) + QLatin1Char(';')))
                << e.description().toStdString();
        }
    }
    EXPECT_EQ(entries, Titled({"a"}));
}

// ---- sorting ---------------------------------------------------------------------

// The long-standing exchange sort, literally: for each position, every later
// entry with a smaller key swaps places with it.
void ExchangeSort(PlaylistEntries& entries, int32_t key) {
    for (size_t i = 0; i + 1 < entries.size(); ++i)
        for (size_t j = i + 1; j < entries.size(); ++j) {
            const QString& a = key == PlaylistSortKey::Title ? entries[j].Title : entries[j].FileName;
            const QString& b = key == PlaylistSortKey::Title ? entries[i].Title : entries[i].FileName;
            if (a < b) std::swap(entries[i], entries[j]);
        }
}

TEST(PlaylistSort, OrdersByCharacterCodeAndKeepsTheExchangeOrderOfEqualKeys) {
    const struct {
        const char* name;
        PlaylistEntries entries;
        QStringList order;  // file names after sorting by title
    } cases[] = {
        {"UpperCaseFirst", Titled({"b", "B", "a"}), {"/2.mp3", "/3.mp3", "/1.mp3"}},
        {"EqualTitlesSwapped", Titled({"B", "B", "A"}), {"/3.mp3", "/2.mp3", "/1.mp3"}},
        {"PrefixFirst", Titled({"ab", "a", "", "abc"}), {"/3.mp3", "/2.mp3", "/1.mp3", "/4.mp3"}},
        {"CodeUnitsNotLocale",
         Titled({"\xEF\xBC\x81", "\xF0\x9F\x8E\xB5", "\xC3\xA9", "z", "Z"}),  // U+FF01, U+1F3B5, é
         {"/5.mp3", "/4.mp3", "/3.mp3", "/2.mp3", "/1.mp3"}},
        {"AllEqualRotate", Titled({"x", "x", "x", "x"}), {"/1.mp3", "/2.mp3", "/3.mp3", "/4.mp3"}},
        {"EqualKeysAroundSmallerOnes", Titled({"b", "a", "b", "b", "a", "b"}),
         {"/2.mp3", "/5.mp3", "/3.mp3", "/4.mp3", "/1.mp3", "/6.mp3"}},
    };
    for (const auto& c : cases) {
        PlaylistEntries entries = c.entries;
        SortPlaylist(entries, PlaylistSortKey::Title);
        EXPECT_EQ(FileNames(entries), c.order) << c.name;
        PlaylistEntries literal = c.entries;
        ExchangeSort(literal, PlaylistSortKey::Title);
        EXPECT_EQ(entries, literal) << c.name;
    }
}

TEST(PlaylistSort, MatchesTheExchangeSortOnManyPlaylists) {
    QRandomGenerator random(20240601);
    for (int round = 0; round < 3000; ++round) {
        const int count = int(random.bounded(0, 40));
        const int keys = int(random.bounded(1, 6));
        PlaylistEntries entries;
        for (int i = 0; i < count; ++i) {
            const QString key(QChar(u'a' + random.bounded(keys)));
            // Title and path carry different keys, so each sort has its own ties.
            entries.push_back({QString(QChar(u'a' + random.bounded(keys))) + QStringLiteral("/%1").arg(i), key, i});
            if (random.bounded(3) == 0) entries.back().FileName = QString(QChar(u'a' + random.bounded(keys)));
        }
        for (int32_t key : {PlaylistSortKey::FileName, PlaylistSortKey::Title}) {
            PlaylistEntries fast = entries, literal = entries;
            SortPlaylist(fast, key);
            ExchangeSort(literal, key);
            ASSERT_EQ(fast, literal) << "round " << round << " key " << key;
        }
    }
}

TEST(PlaylistSort, OtherKeysLeaveTheOrder) {
    for (int32_t key : {-1, 2, 99}) {
        PlaylistEntries entries = Titled({"c", "a", "b"});
        SortPlaylist(entries, key);
        EXPECT_EQ(entries, Titled({"c", "a", "b"})) << key;
    }
    PlaylistEntries empty;
    SortPlaylist(empty, PlaylistSortKey::Title);
    EXPECT_TRUE(empty.empty());
}

// ---- shuffling -------------------------------------------------------------------

TEST(PlaylistShuffle, EmptyIsLeftAloneAndOneStays) {
    PlaylistEntries empty;
    EXPECT_FALSE(RandomisePlaylist(empty));
    PlaylistEntries one = Titled({"only"});
    EXPECT_TRUE(RandomisePlaylist(one));
    EXPECT_EQ(one, Titled({"only"}));
}

// Every order of a short playlist is about equally likely, two entries
// included (the old shuffle never swapped those).  The generator's seed is
// fixed, so the counts are the same on every run.
TEST(PlaylistShuffle, EveryOrderEquallyLikely) {
    for (int count : {2, 3, 4}) {
        QRandomGenerator random(7 + count);
        std::vector<const char*> titles{"a", "b", "c", "d"};
        titles.resize(size_t(count));
        PlaylistEntries start;
        for (const char* t : titles) start.push_back({QString::fromLatin1(t), QString::fromLatin1(t), 0});
        std::map<QString, int> seen;
        int orders = 1;
        for (int i = 2; i <= count; ++i) orders *= i;
        const int draws = 2000 * orders;
        for (int d = 0; d < draws; ++d) {
            PlaylistEntries entries = start;
            ASSERT_TRUE(RandomisePlaylist(entries, random));
            ++seen[FileNames(entries).join(QString())];
        }
        ASSERT_EQ(int(seen.size()), orders) << count;
        // Chi-square against the uniform expectation; 0.1% critical values.
        double chi = 0;
        for (const auto& [order, n] : seen) chi += (n - 2000.0) * (n - 2000.0) / 2000.0;
        const double critical = count == 2 ? 10.83 : count == 3 ? 20.52 : 49.73;
        EXPECT_LT(chi, critical) << count;
    }
}

// Runs as a child of the test below: prints one shuffle from the default
// generator.
TEST(PlaylistShuffle, PrintOneShuffleForTheParent) {
    if (qEnvironmentVariableIsEmpty("SV_PRINT_SHUFFLE")) GTEST_SKIP() << "only run by DiffersFromRunToRun";
    PlaylistEntries entries = Titled({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m", "n", "o", "p",
                                      "q", "r", "s", "t"});
    RandomisePlaylist(entries);
    printf("SHUFFLE %s\n", qPrintable(FileNames(entries).join(QLatin1Char(','))));
}

TEST(PlaylistShuffle, DiffersFromRunToRun) {
    QStringList orders;
    for (int run = 0; run < 2; ++run) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("SV_PRINT_SHUFFLE"), QStringLiteral("1"));
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=PlaylistShuffle.PrintOneShuffleForTheParent")});
        ASSERT_TRUE(child.waitForFinished(60000));
        const QString out = QString::fromUtf8(child.readAllStandardOutput());
        const qsizetype at = out.indexOf(QLatin1String("SHUFFLE "));
        ASSERT_GE(at, 0) << out.toStdString();
        orders << out.mid(at + 8).section(QLatin1Char('\n'), 0, 0);
    }
    EXPECT_NE(orders[0], orders[1]);
}

// ---- finding an entry's file --------------------------------------------------------

TEST(PlaylistPaths, RelativeEntriesAreFoundBesideThePlaylist) {
    const struct {
        const char* playlist;
        const char* entry;
        const char* full;
    } cases[] = {
        {"/lists/mix.m3u", "song.mp3", "/lists/song.mp3"},
        {"/lists/mix.m3u", "sub/song.mp3", "/lists/sub/song.mp3"},
        {"/lists/mix.m3u", "../other/song.mp3", "/lists/../other/song.mp3"},
        {"/lists/mix.m3u", "/music/song.mp3", "/music/song.mp3"},
        {"/lists/mix.m3u", "http://radio.example/stream", "http://radio.example/stream"},
        {"/lists/mix.m3u", "C:\\Music\\song.mp3", "/lists/C:\\Music\\song.mp3"},
        {"/lists/mix.m3u", "", ""},
        {"/mix.m3u", "song.mp3", "/song.mp3"},
        {"mix.m3u", "song.mp3", "song.mp3"},
        {"", "song.mp3", "song.mp3"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetFullPathOfFileInPlaylist(QString::fromUtf8(c.playlist), QString::fromUtf8(c.entry)),
                  QString::fromUtf8(c.full))
            << c.playlist << " + " << c.entry;
}

TEST(PlaylistPaths, ExistenceIsJudgedBesideThePlaylistNotInTheWorkingFolder) {
    MusicFolder lists, elsewhere;
    lists.write(QStringLiteral("near.mp3"), "x");
    lists.write(QStringLiteral("sub/deep.mp3"), "x");
    QDir().mkpath(lists.file(QStringLiteral("folder.mp3")));
    elsewhere.write(QStringLiteral("only-here.mp3"), "x");
    const QString playlist = lists.file(QStringLiteral("mix.m3u"));
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));
    const bool near = FileInPlaylistExists(playlist, QStringLiteral("near.mp3"));
    const bool deep = FileInPlaylistExists(playlist, QStringLiteral("sub/deep.mp3"));
    const bool cwdOnly = FileInPlaylistExists(playlist, QStringLiteral("only-here.mp3"));
    const bool folder = FileInPlaylistExists(playlist, QStringLiteral("folder.mp3"));
    const bool absolute = FileInPlaylistExists(playlist, elsewhere.file(QStringLiteral("only-here.mp3")));
    QDir::setCurrent(previous);
    EXPECT_TRUE(near);
    EXPECT_TRUE(deep);
    EXPECT_FALSE(cwdOnly);
    EXPECT_FALSE(folder);
    EXPECT_TRUE(absolute);
}

// Entries of playlists made on other systems name their folders with
// backslashes; the entry as written comes first, and only a relative one is
// read the other way.
TEST(PlaylistPaths, ABackslashEntryThatNamesNoFileIsTriedWithFolderSeparators) {
    MusicFolder root;
    root.write(QStringLiteral("lists/sub/b.mp3"), "x");
    root.write(QStringLiteral("lists/sub/deeper/c.mp3"), "x");
    root.write(QStringLiteral("other/d.mp3"), "x");
    root.write(QStringLiteral("lists/odd\\name.mp3"), "x");  // a backslash in a Linux name
    root.write(QStringLiteral("lists/odd/name.mp3"), "x");
    root.write(QStringLiteral("sub/root.mp3"), "x");
    QDir().mkpath(root.file(QStringLiteral("lists/sub/folder.mp3")));
    const QString lists = root.file(QStringLiteral("lists"));
    const QString playlist = lists + QStringLiteral("/mix.m3u");
    const struct {
        const char* entry;
        QString full;
        bool exists;
    } cases[] = {
        {"sub\\b.mp3", lists + "/sub/b.mp3", true},
        {"sub\\deeper\\c.mp3", lists + "/sub/deeper/c.mp3", true},
        {"sub/deeper\\c.mp3", lists + "/sub/deeper/c.mp3", true},
        {"..\\other\\d.mp3", lists + "/../other/d.mp3", true},
        {"odd\\name.mp3", lists + "/odd\\name.mp3", true},
        {"sub\\gone.mp3", lists + "/sub\\gone.mp3", false},
        {"sub\\folder.mp3", lists + "/sub\\folder.mp3", false},
        {"\\sub\\root.mp3", lists + "/\\sub\\root.mp3", false},
        {"C:\\sub\\b.mp3", lists + "/C:\\sub\\b.mp3", false},
    };
    for (const auto& c : cases) {
        const QString entry = QString::fromUtf8(c.entry);
        EXPECT_EQ(GetFullPathOfFileInPlaylist(playlist, entry), c.full) << c.entry;
        EXPECT_EQ(FileInPlaylistExists(playlist, entry), c.exists) << c.entry;
    }
}

// ---- titles and lengths from the files ---------------------------------------------

class PlaylistTitles : public ::testing::Test {
protected:
    void SetUp() override {
        if (LameAudio().isEmpty()) GTEST_SKIP() << "lame is not installed";
    }
    // An MP3 with the tags given; a null pointer is no tag of that kind.
    QString song(const QString& name, const char* v1Artist, const char* v1Title, const char* v2Artist,
                 const char* v2Title) {
        ID3v1Tag v1;
        ID3v2Tag v2;
        if (v1Artist) v1.Artist = QString::fromUtf8(v1Artist), v1.Title = QString::fromUtf8(v1Title);
        if (v2Artist) v2.Artist = QString::fromUtf8(v2Artist), v2.Title = QString::fromUtf8(v2Title);
        return folder.mp3(name, v1Artist ? &v1 : nullptr, v2Artist ? &v2 : nullptr);
    }
    ScanOptions options;
    MusicFolder folder;
};

TEST_F(PlaylistTitles, ArtistAndTitleFromTheTags) {
    const struct {
        const char* name;
        const char* v1Artist;
        const char* v1Title;
        const char* v2Artist;
        const char* v2Title;
        bool found;
        const char* title;      // with the file-name fallback
        const char* untouched;  // without it, from the title "Kept"
    } cases[] = {
        {"both.mp3", "Old", "Old Song", "\xC3\x84rtist", "\xE6\x9D\xB1\xE4\xBA\xAC", true,
         "\xC3\x84rtist - \xE6\x9D\xB1\xE4\xBA\xAC", "\xC3\x84rtist - \xE6\x9D\xB1\xE4\xBA\xAC"},
        {"v1-artist.mp3", "One", "Ignored", "", "Two", true, "One - Two", "One - Two"},
        {"v1-both.mp3", "One", "Song", "", "", true, "One - Song", "One - Song"},
        {"only-v1.mp3", "Solo", "Tune", nullptr, nullptr, true, "Solo - Tune", "Solo - Tune"},
        {"artist-only.mp3", nullptr, nullptr, "Just Artist", "", true, "Just Artist", "Just Artist"},
        {"title-only.mp3", "", "Just Title", nullptr, nullptr, true, "Just Title", "Just Title"},
        {"untagged.song.mp3", nullptr, nullptr, nullptr, nullptr, false, "untagged.song", "Kept"},
        {"empty-tags.mp3", "", "", "", "", false, "empty-tags", "Kept"},
    };
    for (const auto& c : cases) {
        const QString path = song(QString::fromUtf8(c.name), c.v1Artist, c.v1Title, c.v2Artist, c.v2Title);
        QString withName = QStringLiteral("Kept"), without = QStringLiteral("Kept");
        EXPECT_EQ(GetTitleFromID3(path, withName, true), c.found) << c.name;
        EXPECT_EQ(GetTitleFromID3(path, without, false), c.found) << c.name;
        EXPECT_EQ(withName, QString::fromUtf8(c.title)) << c.name;
        EXPECT_EQ(without, QString::fromUtf8(c.untouched)) << c.name;
    }
    QString missing = QStringLiteral("Kept");
    EXPECT_FALSE(GetTitleFromID3(folder.file(QStringLiteral("gone.mp3")), missing, true));
    EXPECT_EQ(missing, QStringLiteral("gone"));
}

TEST_F(PlaylistTitles, ARelativeEntryIsTitledFromTheFileBesideThePlaylist) {
    song(QStringLiteral("tagged.mp3"), nullptr, nullptr, "Artist", "Song");
    PlaylistEntries entries{{"tagged.mp3", "Old", 1234}};
    EXPECT_TRUE(SyncTitleWithID3(entries, 0, false, folder.file(QStringLiteral("list.pls"))));
    EXPECT_EQ(entries[0], (PlaylistEntryInfo{"tagged.mp3", "Artist - Song", 1234}));
}

TEST_F(PlaylistTitles, AnAddedFileBringsItsTitleAndLength) {
    const QString mp3 = song(QStringLiteral("tone.mp3"), nullptr, nullptr, "Artist", "Tone");
    const PlaylistEntryInfo entry = PlaylistEntryForFile(mp3);
    EXPECT_EQ(entry.FileName, mp3);
    EXPECT_EQ(entry.Title, QStringLiteral("Artist - Tone"));
    // 600 ms of audio; the encoder pads it by a frame or two.
    EXPECT_GE(entry.Length, 590);
    EXPECT_LE(entry.Length, 700);

    const QString text = folder.write(QStringLiteral("notes.txt"), "not audio at all");
    EXPECT_EQ(PlaylistEntryForFile(text), (PlaylistEntryInfo{text, "notes", 0}));
}

}  // namespace
