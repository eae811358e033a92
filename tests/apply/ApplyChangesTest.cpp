// Apply over real MP3 files on disk, with python3-mutagen reading back what
// was written: where each field's value comes from, renames, deletes, the
// rows that must be left alone, and that every failure is counted.

#include "ApplySupport.h"

#include "foundation/FileUtils.h"
#include "foundation/Genres.h"
#include "foundation/MessageUi.h"
#include "resources/StringIds.h"
#include "foundation/ResourceStrings.h"
#include "support/QtPrinters.h"
#include "support/ScriptedUi.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonObject>
#include <QScopeGuard>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <fcntl.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace {

ID3v1Tag FileV1() {
    ID3v1Tag t;
    t.Title = QStringLiteral("Old Title");
    t.Artist = QStringLiteral("Old Artist");
    t.Album = QStringLiteral("Old Album");
    t.Year = QStringLiteral("1999");
    t.Comment = QStringLiteral("Old Comment");
    t.Track = 4;
    t.Genre = 17;
    return t;
}

ID3v2Tag FileV2() {
    ID3v2Tag t;
    t.Title = QStringLiteral("Old Title 2");
    t.Artist = QStringLiteral("Old Artist 2");
    t.Album = QStringLiteral("Old Album 2");
    t.Track = QStringLiteral("4");
    t.Year = QStringLiteral("1999");
    t.Genre = QStringLiteral("Rock");
    t.Comment = QStringLiteral("Old Comment 2");
    t.Composer = QStringLiteral("Old Composer");
    return t;
}

const TestRow kRow{QStringLiteral("song.mp3"), QStringLiteral("New Name.mp3"), QStringLiteral("7"),
                   QStringLiteral("Row Album"), QStringLiteral("Row Artist"), QStringLiteral("Row Title")};

class ApplyTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (LameAudio().isEmpty()) GTEST_SKIP() << "lame is not installed";
        if (!OracleAvailable()) GTEST_SKIP() << "python3-mutagen is not installed";
        InitialiseArrays();
    }

    QString song(const QString& name = QStringLiteral("song.mp3"), bool v1 = true, bool v2 = true) {
        const ID3v1Tag t1 = FileV1();
        const ID3v2Tag t2 = FileV2();
        return folder.mp3(name, v1 ? &t1 : nullptr, v2 ? &t2 : nullptr);
    }
    ApplyReport apply(const ApplySettings& settings) { return ApplyChanges(table, settings, host); }
    QString v2(const QJsonObject& tags, const char* id) const { return tags["v2"].toObject()[id].toString(); }
    QString v1(const QJsonObject& tags, const char* field) const {
        return tags["v1"].toObject()[field].toVariant().toString();
    }

    ScanOptions options;
    ScriptedUi ui;
    MusicFolder folder;
    SimResultsModel table;
    ApplyHost host;
};

// ---- where each value comes from ---------------------------------------------------------

struct PrecedenceCase {
    const char* name;
    std::function<void(ApplySettings&)> set;
    // Expected: ID3v1 title, artist, track, genre; ID3v2 title, artist, track, year.
    const char *v1Title, *v1Artist, *v1Track;
    int v1Genre;
    const char *v2Title, *v2Artist, *v2Track, *v2Year;
};

TEST_F(ApplyTest, EachFieldTakesTheOverrideInForceElseTheRowWhenItsSwitchIsOnElseKeepsItsValue) {
    const std::vector<PrecedenceCase> cases = {
        {"only the ID3v2 switch", [](ApplySettings& s) { s.changeID3v2Tag = true; },
         "Old Title", "Old Artist", "4", 17, "Row Title", "Row Artist", "7", "1999"},
        {"both switches", [](ApplySettings& s) { s.changeID3v1Tag = s.changeID3v2Tag = true; },
         "Row Title", "Row Artist", "7", 17, "Row Title", "Row Artist", "7", "1999"},
        {"overrides in force win over the row",
         [](ApplySettings& s) {
             s.changeID3v1Tag = s.changeID3v2Tag = true;
             s.overrides.id3v1Tag = s.overrides.id3v2Tag = true;
             s.overrides.id3v1[V1Field::Title] = {true, QStringLiteral("Mass One")};
             s.overrides.id3v1[V1Field::Genre] = {true, QStringLiteral("jazz")};  // any letter case
             s.overrides.id3v2[V2Field::Artist] = {true, QStringLiteral("Mass Two")};
             s.overrides.id3v2[V2Field::Year] = {true, QStringLiteral("2024")};
         },
         "Mass One", "Row Artist", "7", 8, "Row Title", "Mass Two", "7", "2024"},
        {"a ticked field of a group switched off does nothing",
         [](ApplySettings& s) {
             s.overrides.id3v1[V1Field::Title] = {true, QStringLiteral("Ignored")};
             s.overrides.id3v2[V2Field::Title] = {true, QStringLiteral("Ignored")};
         },
         "Old Title", "Old Artist", "4", 17, "Old Title 2", "Old Artist 2", "4", "1999"},
        {"blank genre and a track above 255",
         [](ApplySettings& s) {
             s.overrides.id3v1Tag = true;
             s.overrides.id3v1[V1Field::Genre] = {true, QString()};
             s.overrides.id3v1[V1Field::Track] = {true, QStringLiteral("300")};
         },
         "Old Title", "Old Artist", "", 255, "Old Title 2", "Old Artist 2", "4", "1999"},
    };
    for (const PrecedenceCase& c : cases) {
        SCOPED_TRACE(c.name);
        MusicFolder caseFolder;
        const ID3v1Tag t1 = FileV1();
        const ID3v2Tag t2 = FileV2();
        const QString path = caseFolder.mp3(QStringLiteral("song.mp3"), &t1, &t2);
        SimResultsModel rows;
        AddRow(rows, caseFolder.path(), kRow);
        ApplySettings settings;
        c.set(settings);
        const ApplyReport report = ApplyChanges(rows, settings, host);
        EXPECT_EQ(report.failed, 0);
        const QJsonObject tags = OracleRead(path);
        EXPECT_EQ(v1(tags, "title"), c.v1Title);
        EXPECT_EQ(v1(tags, "artist"), c.v1Artist);
        EXPECT_EQ(v1(tags, "track"), c.v1Track);
        EXPECT_EQ(tags["v1"].toObject()["genre"].toInt(), c.v1Genre);
        EXPECT_EQ(v2(tags, "TIT2"), c.v2Title);
        EXPECT_EQ(v2(tags, "TPE1"), c.v2Artist);
        EXPECT_EQ(v2(tags, "TRCK"), c.v2Track);
        EXPECT_EQ(v2(tags, "TYER"), c.v2Year);
        // What no field replaces stays, and the audio is the same bytes.
        EXPECT_EQ(v2(tags, "TCOM"), "Old Composer");
        const QByteArray bytes = ReadBytes(path);
        EXPECT_TRUE(bytes.contains(LameAudio()));
    }
}

TEST_F(ApplyTest, RemoveTakesTheTagAwayOnlyWhileItsGroupIsSwitchedOn) {
    const QString path = song();
    AddRow(table, folder.path(), kRow);
    ApplySettings settings = Switches(false, true, true);
    settings.overrides.id3v1Remove = settings.overrides.id3v2Remove = true;  // groups off: no effect
    apply(settings);
    QJsonObject tags = OracleRead(path);
    EXPECT_EQ(v1(tags, "title"), "Row Title");
    EXPECT_EQ(v2(tags, "TIT2"), "Row Title");

    settings.overrides.id3v1Tag = true;  // ID3v1 removed, ID3v2 still written
    settings.changeID3v2Tag = false;
    settings.overrides.id3v2Tag = false;
    apply(settings);
    tags = OracleRead(path);
    EXPECT_FALSE(tags.contains("v1"));
    EXPECT_EQ(v2(tags, "TIT2"), "Row Title");

    settings.overrides.id3v2Tag = true;
    apply(settings);
    tags = OracleRead(path);
    EXPECT_FALSE(tags.contains("v2"));
    EXPECT_TRUE(ReadBytes(path).startsWith(LameAudio().left(64)));
}

TEST_F(ApplyTest, NoTagIsCreatedOnAFileThatHasNoneWhenNothingIsSetInIt) {
    const QString bare = song(QStringLiteral("bare.mp3"), false, false);
    const QByteArray before = ReadBytes(bare);
    AddRow(table, folder.path(), {QStringLiteral("bare.mp3")});
    apply(Switches(true, true, true));  // the row's values are all empty
    EXPECT_EQ(ReadBytes(bare), before);
    EXPECT_TRUE(ui.shown.empty());

    // With something to set, both tags are made.
    table.setText(0, SimColumn::Title, QStringLiteral("Now Titled"));
    apply(Switches(false, true, true));
    const QJsonObject tags = OracleRead(bare);
    EXPECT_EQ(v1(tags, "title"), "Now Titled");
    EXPECT_EQ(v2(tags, "TIT2"), "Now Titled");
    EXPECT_EQ(tags["v1"].toObject()["genre"].toInt(), 255);
}

TEST_F(ApplyTest, NothingToChangeLeavesEveryByteAsItWas) {
    const QString path = song();
    const QByteArray before = ReadBytes(path);
    AddRow(table, folder.path(), kRow);
    const ApplyReport report = apply(Switches(false, false, false));
    EXPECT_EQ(report.processed, 1);
    EXPECT_EQ(report.failed, 0);
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(ApplyEndText(report), GetResourceString(TextId::Coordinator::ApplyComplete));
}

// ---- renames ----------------------------------------------------------------------------------

TEST_F(ApplyTest, RenamesThenWritesTheTagsUnderTheNewName) {
    song();
    AddRow(table, folder.path(), kRow);
    const ApplyReport report = apply(Switches(true, false, true));
    EXPECT_EQ(report.failed, 0);
    EXPECT_FALSE(QFile::exists(folder.file("song.mp3")));
    EXPECT_EQ(v2(OracleRead(folder.file("New Name.mp3")), "TIT2"), "Row Title");

    // The switch off: the name stays whatever the row says.
    song(QStringLiteral("other.mp3"));
    SimResultsModel rows;
    AddRow(rows, folder.path(), {QStringLiteral("other.mp3"), QStringLiteral("Elsewhere.mp3")});
    ApplyChanges(rows, Switches(false, false, false), host);
    EXPECT_TRUE(QFile::exists(folder.file("other.mp3")));
    EXPECT_FALSE(QFile::exists(folder.file("Elsewhere.mp3")));
}

TEST_F(ApplyTest, AChangeOfLetterCaseAloneRenamesTheFile) {
    song(QStringLiteral("loud song.mp3"));
    AddRow(table, folder.path(), {QStringLiteral("loud song.mp3"), QStringLiteral("Loud Song.mp3"), {}, {}, {},
                                  QStringLiteral("Loud Song")});
    const ApplyReport report = apply(Switches(true, false, true));
    EXPECT_EQ(report.failed, 0);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Loud Song.mp3"});
    EXPECT_EQ(v2(OracleRead(folder.file("Loud Song.mp3")), "TIT2"), "Loud Song");
}

TEST_F(ApplyTest, ARenameNeverReplacesAnotherFileWithoutTheUsersYes) {
    song();
    const QString taken = folder.write(QStringLiteral("New Name.mp3"), QByteArrayLiteral("someone else's file"));
    AddRow(table, folder.path(), kRow);
    ui.answers = {Mb::No};
    const ApplyReport report = apply(Switches(true, false, true));
    EXPECT_EQ(ReadBytes(taken), QByteArrayLiteral("someone else's file"));
    // The tags went to the file under its old name, and the refusal counts.
    EXPECT_EQ(v2(OracleRead(folder.file("song.mp3")), "TIT2"), "Row Title");
    EXPECT_EQ(report.failed, 1);
    EXPECT_NE(ApplyEndText(report), GetResourceString(TextId::Coordinator::ApplyComplete));
}

TEST_F(ApplyTest, ANewNameThatIsNoPlainFileNameIsReportedAndTheTagsAreStillWritten) {
    // A name that starts with "." would hide the file, from the scan too: the
    // mask "%N2 - %A - %T" over a file without an artist gives ".mp3".
    const QStringList badNames = {QStringLiteral("a/b.mp3"), QString(QChar('x')).repeated(252) + ".mp3", "..",
                                  QStringLiteral(".mp3"), QStringLiteral(".New Name.mp3")};
    for (const QString& bad : badNames) {
        SCOPED_TRACE(bad.left(20).toStdString());
        MusicFolder caseFolder;
        const ID3v2Tag t2 = FileV2();
        caseFolder.mp3(QStringLiteral("song.mp3"), nullptr, &t2);
        SimResultsModel rows;
        TestRow row = kRow;
        row.newName = bad;
        AddRow(rows, caseFolder.path(), row);
        ScriptedUi boxes;
        const ApplyReport report = ApplyChanges(rows, Switches(true, false, true), host);
        EXPECT_EQ(report.failed, 1);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].title, GetResourceString(TextId::Coordinator::InvalidNewFileName));
        EXPECT_EQ(QDir(caseFolder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"song.mp3"});
        EXPECT_EQ(v2(OracleRead(caseFolder.file("song.mp3")), "TIT2"), "Row Title");
    }
    // An empty new name is the same (the table never shows one, a list file may).
    MusicFolder caseFolder;
    caseFolder.mp3(QStringLiteral("song.mp3"));
    SimResultsModel rows;
    AddRow(rows, caseFolder.path(), kRow);
    rows.setText(0, SimColumn::NewFileName, QString());
    EXPECT_EQ(ApplyChanges(rows, Switches(true, false, false), host).failed, 1);
    EXPECT_TRUE(QFile::exists(caseFolder.file("song.mp3")));
}

// ---- rows left alone ---------------------------------------------------------------------

TEST_F(ApplyTest, ARowWhoseFileIsNoLongerTheScannedOneIsSkippedAndReported) {
    const QString path = song();
    song(QStringLiteral("gone.mp3"));
    AddRow(table, folder.path(), kRow);
    AddRow(table, folder.path(), {QStringLiteral("gone.mp3"), {}, {}, {}, {}, QStringLiteral("T")});
    // Another file now stands at the first path; the second file is gone.
    // The scanned file is moved aside, not removed, so the new file cannot
    // reuse its inode (which a removal frees at once on most file systems).
    const QByteArray stranger = ReadBytes(path) + QByteArrayLiteral("!");
    ASSERT_TRUE(QFile::rename(path, folder.file("scanned.mp3.old")));
    folder.write(QStringLiteral("song.mp3"), stranger);
    QFile::remove(folder.file("gone.mp3"));

    const ApplyReport report = apply(Switches(true, true, true));
    EXPECT_EQ(report.processed, 2);
    EXPECT_EQ(report.failed, 2);
    EXPECT_EQ(ReadBytes(path), stranger);
    EXPECT_FALSE(QFile::exists(folder.file("New Name.mp3")));
    ASSERT_EQ(ui.shown.size(), 2u);
    EXPECT_TRUE(ui.shown[0].prompt.contains(GetResourceString(TextId::Coordinator::FileReplacedText)));
    EXPECT_TRUE(ui.shown[1].prompt.contains(GetResourceString(TextId::Coordinator::FileGoneText)));
}

TEST_F(ApplyTest, AFileRewrittenInPlaceSinceTheScanIsSkippedAsAReplacedOne) {
    // Same path, same inode: only the size or the modification time tells.
    struct Case {
        const char* name;
        bool grow;        // one byte appended, else one byte changed
        long shiftNs;     // then the modification time moved by this much
    };
    const std::vector<Case> cases = {{"longer", true, 0}, {"same size, a nanosecond later", false, 1},
                                     {"same size, an earlier time", false, -1000000000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MusicFolder caseFolder;
        const ID3v2Tag t2 = FileV2();
        const QString path = caseFolder.mp3(QStringLiteral("song.mp3"), nullptr, &t2);
        struct stat scanned {};
        ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &scanned), 0);
        SimResultsModel rows;
        AddRow(rows, caseFolder.path(), kRow);
        {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadWrite));
            if (c.grow) {
                file.seek(file.size());
                file.write("!");
            } else {
                file.seek(file.size() - 1);
                file.write("!");
            }
        }
        struct timespec times[2] = {{0, UTIME_OMIT}, scanned.st_mtim};
        times[1].tv_nsec += c.shiftNs % 1000000000;
        times[1].tv_sec += c.shiftNs / 1000000000;
        if (times[1].tv_nsec >= 1000000000) {
            times[1].tv_nsec -= 1000000000;
            ++times[1].tv_sec;
        }
        if (c.shiftNs != 0) {
            ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
        }
        struct stat now {};
        ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &now), 0);
        ASSERT_EQ(now.st_ino, scanned.st_ino);
        const QByteArray rewritten = ReadBytes(path);

        ScriptedUi boxes;
        const ApplyReport report = ApplyChanges(rows, Switches(true, true, true), host);
        EXPECT_EQ(report.failed, 1);
        EXPECT_EQ(ReadBytes(path), rewritten);
        EXPECT_FALSE(QFile::exists(caseFolder.file("New Name.mp3")));
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_TRUE(boxes.shown[0].prompt.contains(GetResourceString(TextId::Coordinator::FileReplacedText)));
    }
}

TEST_F(ApplyTest, ATableAppliedTwiceStillFindsTheFilesItChanged) {
    // The first run changes sizes and times (an ID3v1 tag written in place,
    // a file rewritten); the second run over the same table must not take
    // those files for strangers.
    song(QStringLiteral("a.mp3"), true, false);
    song(QStringLiteral("b.mp3"));
    AddRow(table, folder.path(), {QStringLiteral("a.mp3"), {}, {}, {}, {}, QStringLiteral("First")});
    AddRow(table, folder.path(), {QStringLiteral("b.mp3"), {}, {}, {}, {}, QStringLiteral("First")});
    ASSERT_EQ(apply(Switches(false, true, false)).failed, 0);  // both written in place
    for (const char* title : {"Second", "Third"}) {
        table.setText(0, SimColumn::Title, QString::fromLatin1(title));
        table.setText(1, SimColumn::Title, QString::fromLatin1(title));
        EXPECT_EQ(apply(Switches(false, true, true)).failed, 0);  // both rewritten
    }
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(v1(OracleRead(folder.file("a.mp3")), "title"), "Third");
    EXPECT_EQ(v2(OracleRead(folder.file("b.mp3")), "TIT2"), "Third");
}

TEST_F(ApplyTest, DeleteRowsDeleteOnlyWhenTickedAndNeverRenameOrTag) {
    song(QStringLiteral("a.mp3"));
    song(QStringLiteral("b.mp3"));
    song(QStringLiteral("c.mp3"));
    TestRow a{QStringLiteral("a.mp3"), QStringLiteral("x.mp3")};
    a.action = QStringLiteral("DELETE");  // any letter case
    TestRow b{QStringLiteral("b.mp3")};
    b.action = QStringLiteral("Delete");
    b.checked = false;
    TestRow c{QStringLiteral("c.mp3")};
    c.action = QStringLiteral("Delete");
    AddRow(table, folder.path(), a);
    AddRow(table, folder.path(), b);
    AddRow(table, folder.path(), c);
    ApplySettings settings = Switches(true, true, true);
    settings.deleteFiles = true;
    settings.useRecycleBin = false;
    const ApplyReport report = apply(settings);
    EXPECT_EQ(report.processed, 2);
    EXPECT_EQ(report.failed, 0);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"b.mp3"});

    // Deletes switched off in the confirmation: the file stays.
    song(QStringLiteral("c.mp3"));
    SimResultsModel rows;
    AddRow(rows, folder.path(), c);
    settings.deleteFiles = false;
    EXPECT_EQ(ApplyChanges(rows, settings, host).failed, 0);
    EXPECT_TRUE(QFile::exists(folder.file("c.mp3")));
}

TEST_F(ApplyTest, AFailedMoveToTheTrashLeavesTheFileAndCountsAsAFailure) {
    song(QStringLiteral("keep.mp3"));
    TestRow row{QStringLiteral("keep.mp3")};
    row.action = QStringLiteral("Delete");
    AddRow(table, folder.path(), row);
    ApplySettings settings = Switches(false, false, false);
    settings.useRecycleBin = true;
    // No trash can be made: its parent is a plain file.
    const QString blocker = folder.write(QStringLiteral("not-a-folder"), QByteArrayLiteral("x"));
    const QByteArray oldData = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(blocker));
    const ApplyReport report = apply(settings);
    qputenv("XDG_DATA_HOME", oldData);
    if (!QFile::exists(folder.file("keep.mp3")) && report.failed == 0)
        GTEST_SKIP() << "this system found another trash for the file";
    EXPECT_TRUE(QFile::exists(folder.file("keep.mp3")));
    EXPECT_EQ(report.failed, 1);
    ASSERT_FALSE(ui.shown.empty());
    EXPECT_TRUE(ui.shown.back().prompt.contains(GetResourceString(TextId::Coordinator::RecycleFailedText)));
}

// ---- the run ------------------------------------------------------------------------------

TEST_F(ApplyTest, StopTakesEffectBetweenFilesAndTheEndTextSaysSo) {
    for (int i = 0; i < 4; ++i) song(QStringLiteral("s%1.mp3").arg(i));
    for (int i = 0; i < 4; ++i)
        AddRow(table, folder.path(), {QStringLiteral("s%1.mp3").arg(i), {}, {}, {}, {}, QStringLiteral("Stopped")});
    host.stopAtPosition = 2;  // set while the third file is next
    const ApplyReport report = apply(Switches(false, false, true));
    EXPECT_TRUE(report.stopped);
    EXPECT_EQ(report.processed, 2);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(v2(OracleRead(folder.file(QStringLiteral("s%1.mp3").arg(i))), "TIT2"),
                  i < 2 ? "Stopped" : "Old Title 2");
    EXPECT_EQ(ApplyEndText(report), GetResourceString(TextId::Coordinator::ApplyInterrupted));
    EXPECT_TRUE(host.statuses.last().endsWith(folder.file("s1.mp3")));
}

TEST_F(ApplyTest, BoxesComeInListOrderWhileNewFilesAreStillOnTheirWay) {
    // The first file is changed behind the run's back after its new file was
    // written and before it goes in place; the second file is gone when its
    // row comes.  The first row's box still comes first.
    const QString first = song(QStringLiteral("a.mp3"));
    song(QStringLiteral("b.mp3"));
    song(QStringLiteral("c.mp3"));
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3"})
        AddRow(table, folder.path(), {QString::fromLatin1(name), {}, {}, {}, {}, QStringLiteral("New")});
    host.onYield = [&] {
        if (host.yields != 2) return;  // between the first and the second row
        QFile file(first);
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write("!");
        QFile::remove(folder.file("b.mp3"));
    };
    const QByteArray changed = ReadBytes(first) + "!";
    const ApplyReport report = apply(Switches(false, false, true));
    EXPECT_EQ(report.failed, 2);
    ASSERT_EQ(ui.shown.size(), 2u);
    EXPECT_TRUE(ui.shown[0].prompt.contains(GetResourceString(TextId::Coordinator::FileReplacedText)));
    EXPECT_TRUE(ui.shown[1].prompt.contains(GetResourceString(TextId::Coordinator::FileGoneText)));
    EXPECT_EQ(ReadBytes(first), changed);
    EXPECT_EQ(v2(OracleRead(folder.file("c.mp3")), "TIT2"), "New");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"a.mp3", "c.mp3"}));
}

TEST_F(ApplyTest, ManyFilesGoInPlaceInBatchesAndEachIsWritten) {
    // More files than one batch holds, so batches overlap.
    constexpr int kCount = 600;
    const QByteArray bytes = ReadBytes(song(QStringLiteral("template.mp3")));
    QFile::remove(folder.file("template.mp3"));
    for (int i = 0; i < kCount; ++i) {
        const QString name = QStringLiteral("f%1.mp3").arg(i, 3, 10, QLatin1Char('0'));
        folder.write(name, bytes);
        AddRow(table, folder.path(), {name, {}, {}, {}, {}, QStringLiteral("T") + name});
    }
    ApplyHost quiet;
    EXPECT_EQ(ApplyChanges(table, Switches(false, true, true), quiet).failed, 0);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), kCount);
    for (int i : {0, 255, 256, 511, 599}) {
        const QString name = QStringLiteral("f%1.mp3").arg(i, 3, 10, QLatin1Char('0'));
        EXPECT_EQ(v2(OracleRead(folder.file(name)), "TIT2"), QStringLiteral("T") + name);
    }
}

TEST_F(ApplyTest, ARowThatNamesALinkRewritesTheFileItLeadsToAndKeepsTheLink) {
    struct Case {
        const char* name;
        const char* target;  // relative to the folder
        const char* linkText;
    };
    const std::vector<Case> cases = {
        {"a link beside its file", "real.mp3", "real.mp3"},
        {"a link into another folder", "elsewhere/real.mp3", "elsewhere/real.mp3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MusicFolder here;
        const ID3v1Tag t1 = FileV1();
        const ID3v2Tag t2 = FileV2();
        const QString real = here.mp3(QString::fromLatin1(c.target), &t1, &t2);
        const QString link = here.file(QStringLiteral("link.mp3"));
        ASSERT_EQ(::symlink(c.linkText, QFile::encodeName(link).constData()), 0);
        SimResultsModel rows;
        AddRow(rows, here.path(), {QStringLiteral("link.mp3"), {}, {}, {}, {}, QStringLiteral("Through Link")});
        ApplyHost quiet;
        EXPECT_EQ(ApplyChanges(rows, Switches(false, true, true), quiet).failed, 0);
        EXPECT_TRUE(QFileInfo(link).isSymLink());
        EXPECT_EQ(QFileInfo(link).symLinkTarget(), QFileInfo(real).absoluteFilePath());
        EXPECT_EQ(v2(OracleRead(real), "TIT2"), QStringLiteral("Through Link"));
        EXPECT_EQ(v1(OracleRead(real), "title"), QStringLiteral("Through Link"));
        EXPECT_EQ(QDir(QFileInfo(real).path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(),
                  QFileInfo(real).path() == here.path() ? 2 : 1);
    }
}

TEST_F(ApplyTest, TheEndTextCountsFailuresInsteadOfSayingComplete) {
    ApplyReport report;
    report.processed = 10;
    report.failed = 3;
    const QString text = ApplyEndText(report);
    EXPECT_NE(text, GetResourceString(TextId::Coordinator::ApplyComplete));
    EXPECT_TRUE(text.contains(QStringLiteral("3 of 10")));
}

int FailWithDiskFull(const QByteArray&) { return ENOSPC; }

TEST_F(ApplyTest, AWriteThatFailsLeavesTheFileByteIdenticalAndNoHiddenFileBehind) {
    const QString path = song();
    const QByteArray before = ReadBytes(path);
    AddRow(table, folder.path(), kRow);
    SetApplyWriteFaultForTesting(&FailWithDiskFull);
    const ApplyReport report = apply(Switches(false, true, true));
    SetApplyWriteFaultForTesting(nullptr);
    EXPECT_EQ(report.failed, 1);
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"song.mp3"});
    EXPECT_FALSE(ui.shown.empty());
}

TEST_F(ApplyTest, HiddenFilesOfAnInterruptedRunAreRemovedWhenARunMeetsTheirFolder) {
    song();
    const QString stale = folder.write(QStringLiteral(".song.mp3.svtag-k3j9x0"), QByteArrayLiteral("half"));
    // Not ours: a rename's intermediate name, and a user's own hidden file.
    const QString middle = folder.write(QStringLiteral(".song.mp3.sv-abc123"), QByteArrayLiteral("a file"));
    const QString own = folder.write(QStringLiteral(".svtag-notes"), QByteArrayLiteral("mine"));
    AddRow(table, folder.path(), kRow);
    apply(Switches(false, false, false));
    EXPECT_FALSE(QFile::exists(stale));
    EXPECT_TRUE(QFile::exists(middle));
    EXPECT_TRUE(QFile::exists(own));
}

namespace {

// Everything below `folder`, hidden entries too, by path: a file's bytes, a
// link's own text after "-> ", a folder as "/".
std::map<QString, QByteArray> Tree(const QString& folder) {
    std::map<QString, QByteArray> tree;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info(path);
        QByteArray what;
        if (info.isSymLink()) {
            char target[4096];
            const ssize_t n = ::readlink(QFile::encodeName(path).constData(), target, sizeof target);
            what = "-> " + QByteArray(target, n > 0 ? qsizetype(n) : 0);
        } else if (info.isDir()) {
            what = "/";
        } else {
            what = ReadBytes(path);
        }
        tree[QDir(folder).relativeFilePath(path)] = what;
    }
    return tree;
}

QStringList Paths(const std::map<QString, QByteArray>& tree) {
    QStringList paths;
    for (const auto& [path, what] : tree) paths << path;
    return paths;
}

// A name too long for a hidden intermediate name beside it: a change of
// its letter case goes through a hiding folder.  `bytes` long in all.
QString LongName(int bytes, const QString& extension = QStringLiteral(".mp3")) {
    return QStringLiteral("s") + QString(bytes - 1 - int(extension.size()), QLatin1Char('x')) + extension;
}

}  // namespace

// Folders and files of the user's own whose names merely resemble what a
// change of letter case leaves when it is cut short: any run in their folder
// leaves them as they are.  Only the exact form the program makes (its
// marker, seven letters of a-z and 0-9, a real folder holding at most one
// file or link under a name too long for an intermediate name) is taken
// apart.
TEST_F(ApplyTest, AUsersOwnFilesNamedLikeACaseChangesLeftoversAreLeftAlone) {
    struct Run {
        const char* what;
        TestRow row;
        ApplySettings settings;
        QString songAfter;
    };
    const std::vector<Run> runs = {{"a row that changes tags only",
                                    {QStringLiteral("song.mp3"), {}, {}, {}, {}, QStringLiteral("Row Title")},
                                    Switches(false, false, true),
                                    QStringLiteral("song.mp3")},
                                   {"a row that changes the letter case",
                                    {QStringLiteral("song.mp3"), QStringLiteral("Song.mp3")},
                                    Switches(true, false, false),
                                    QStringLiteral("Song.mp3")}};
    for (const Run& r : runs) {
        SCOPED_TRACE(r.what);
        MusicFolder here;
        const ID3v2Tag t2 = FileV2();
        here.mp3(QStringLiteral("song.mp3"), nullptr, &t2);
        MusicFolder elsewhere;
        elsewhere.write(LongName(250), QByteArrayLiteral("behind a link"));
        here.write(QStringLiteral(".svcase-notes/diary.txt"), QByteArrayLiteral("my diary"));
        here.write(QStringLiteral(".svcase-bak/old.mp3"), QByteArrayLiteral("a backup"));
        // The generated form of a name, but not of content.
        here.write(QStringLiteral(".svcase-journal/a.txt"), QByteArrayLiteral("two files"));
        here.write(QStringLiteral(".svcase-journal/b.txt"), QByteArrayLiteral("in one folder"));
        here.write(QStringLiteral(".svcase-k1x9z0a/") + LongName(250), QByteArrayLiteral("beside a subfolder"));
        here.write(QStringLiteral(".svcase-k1x9z0a/keep/deep.txt"), QByteArrayLiteral("deep"));
        here.write(QStringLiteral(".svcase-q7w2e4r/diary.txt"), QByteArrayLiteral("a short name"));
        ASSERT_EQ(::symlink(QFile::encodeName(elsewhere.path()).constData(),
                            QFile::encodeName(here.file(QStringLiteral(".svcase-m3n5b7v"))).constData()),
                  0);
        // Files named like an intermediate name, but not in its exact form.
        here.write(QStringLiteral(".notes.svcase-abc"), QByteArrayLiteral("mine"));
        here.write(QStringLiteral(".svcase-abcdefg"), QByteArrayLiteral("a file, not a folder"));
        std::map<QString, QByteArray> before = Tree(here.path());
        before.erase(QStringLiteral("song.mp3"));
        const std::map<QString, QByteArray> outside = Tree(elsewhere.path());

        SimResultsModel rows;
        AddRow(rows, here.path(), r.row);
        EXPECT_EQ(ApplyChanges(rows, r.settings, host).failed, 0);
        std::map<QString, QByteArray> after = Tree(here.path());
        EXPECT_EQ(after.erase(r.songAfter), 1u);
        EXPECT_EQ(Paths(after), Paths(before));
        EXPECT_TRUE(after == before);
        EXPECT_TRUE(Tree(elsewhere.path()) == outside);
    }
}

// A file a cut-short change of letter case left in its hiding folder whose
// old name another file has taken meanwhile comes back as "<stem> (2)<ext>"
// (or the next number free), its stem shortened at a character boundary so
// that the number and the extension fit in 255 bytes; the hiding folder goes.
TEST_F(ApplyTest, ALeftoverWhoseLongOldNameIsTakenComesBackNumberedWithinTheNameLimit) {
    struct Case {
        QString name;
        QString keptStem;  // the stem of the numbered names
    };
    const QString twoByte(124, QChar(0xE4));
    const std::vector<Case> cases = {
        {LongName(252), LongName(252).left(247)},
        {LongName(253), LongName(253).left(247)},
        {LongName(254), LongName(254).left(247)},
        {LongName(255), LongName(255).left(247)},
        // 254 bytes: 247 would end inside a two-byte letter.
        {QStringLiteral("ss") + twoByte + QStringLiteral(".mp3"), QStringLiteral("ss") + twoByte.left(122)},
    };
    for (const Case& c : cases) {
        ASSERT_LE(QFile::encodeName(c.name).size(), 255);
        ASSERT_GE(QFile::encodeName(c.name).size(), 252);
        for (const int taken : {1, 2}) {
            SCOPED_TRACE(std::to_string(QFile::encodeName(c.name).size()) + " bytes, taken " + std::to_string(taken));
            MusicFolder here;
            here.mp3(QStringLiteral("song.mp3"));
            here.write(QStringLiteral(".svcase-k1x9z0a/") + c.name, QByteArrayLiteral("the hidden file"));
            here.write(c.name, QByteArrayLiteral("taken"));
            const QString second = c.keptStem + QStringLiteral(" (2).mp3");
            if (taken == 2) here.write(second, QByteArrayLiteral("taken too"));
            const QString back = c.keptStem + QStringLiteral(" (%1).mp3").arg(taken + 1);
            ASSERT_EQ(QFile::encodeName(back).size(), QFile::encodeName(c.keptStem).size() + 8);
            ASSERT_LE(QFile::encodeName(back).size(), 255);

            SimResultsModel rows;
            AddRow(rows, here.path(), {QStringLiteral("song.mp3"), QStringLiteral("Song.mp3")});
            EXPECT_EQ(ApplyChanges(rows, Switches(true, false, false), host).failed, 0);
            std::map<QString, QByteArray> expected = {{QStringLiteral("Song.mp3"), ReadBytes(here.file("Song.mp3"))},
                                                      {c.name, "taken"},
                                                      {back, "the hidden file"}};
            if (taken == 2) expected[second] = "taken too";
            const std::map<QString, QByteArray> after = Tree(here.path());
            EXPECT_EQ(Paths(after), Paths(expected));
            EXPECT_TRUE(after == expected);
        }
    }
}

TEST_F(ApplyTest, AMoveCutShortBetweenTheNewNameAndTheOldOneGoingIsFinishedByTheNextRun) {
    // The state a kill leaves: the new file under its new name and under the
    // hidden name that records the old file; the old file still there.
    struct Case {
        const char* name;
        bool linked;        // the new file got its new name
        bool inodeMatches;  // the old file is still the one recorded
        bool oldRemoved;
    };
    const std::vector<Case> cases = {{"cut short after the new name", true, true, true},
                                     {"the old name now holds another file", true, false, false},
                                     {"cut short before the new name", false, true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MusicFolder caseFolder;
        caseFolder.mp3(QStringLiteral("song.mp3"));
        const QString old = caseFolder.write(QStringLiteral("old name.mp3"), QByteArrayLiteral("old file"));
        struct stat st {};
        ASSERT_EQ(::stat(QFile::encodeName(old).constData(), &st), 0);
        const qulonglong recorded = c.inodeMatches ? qulonglong(st.st_ino) : qulonglong(st.st_ino) + 7;
        const QString hidden = caseFolder.write(
            QStringLiteral(".old name.mp3.svtag-q0z9-") + QString::number(recorded, 36), QByteArrayLiteral("new file"));
        const QString renamed = caseFolder.file(QStringLiteral("New Name.mp3"));
        if (c.linked) {
            ASSERT_EQ(::link(QFile::encodeName(hidden).constData(), QFile::encodeName(renamed).constData()), 0);
        }
        SimResultsModel rows;
        AddRow(rows, caseFolder.path(), {QStringLiteral("song.mp3")});
        ApplyChanges(rows, Switches(false, false, false), host);
        EXPECT_FALSE(QFile::exists(hidden));
        EXPECT_EQ(QFile::exists(old), !c.oldRemoved);
        if (c.linked) {
            EXPECT_EQ(ReadBytes(renamed), QByteArrayLiteral("new file"));
        }
    }
}

TEST_F(ApplyTest, ARenameWithTagsLeavesOnlyTheNewFileAndKeepsWhatIsNotChanged) {
    // The ID3v1 tag alone changes: the ID3v2 tag is carried over as it is.
    song();
    AddRow(table, folder.path(), kRow);
    const ApplyReport report = apply(Switches(true, true, false));
    EXPECT_EQ(report.failed, 0);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"New Name.mp3"});
    const QJsonObject tags = OracleRead(folder.file("New Name.mp3"));
    EXPECT_EQ(v1(tags, "title"), "Row Title");
    EXPECT_EQ(v2(tags, "TIT2"), "Old Title 2");
    EXPECT_EQ(v2(tags, "TCOM"), "Old Composer");
    // The row now stands for the new file.
    EXPECT_EQ(IdentityOf(folder.file("New Name.mp3")), table.identity(0));
}

TEST_F(ApplyTest, ARenameWithTagsThatCannotBeWrittenStillRenames) {
    const QString path = song();
    const QByteArray before = ReadBytes(path);
    AddRow(table, folder.path(), kRow);
    SetApplyWriteFaultForTesting(&FailWithDiskFull);
    const ApplyReport report = apply(Switches(true, true, true));
    SetApplyWriteFaultForTesting(nullptr);
    EXPECT_EQ(report.failed, 1);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"New Name.mp3"});
    EXPECT_EQ(ReadBytes(folder.file("New Name.mp3")), before);
}

int FailWhereNamed(const QByteArray& target) { return target.contains("fails") ? ENOSPC : 0; }

TEST_F(ApplyTest, FilesWrittenSideBySideAreReportedInListOrderAndTheRestAreWritten) {
    // Several folders, so the new files are written on several threads.
    // Every third file cannot be written (the disk is full); some others are
    // gone before the run; every other row is renamed too.  Each box names
    // its file, and the boxes come in the rows' order.
    std::vector<QString> failing, written, expectedBoxes;
    std::vector<bool> diskFull;
    std::vector<QByteArray> before;
    std::map<QString, int> filesLeft;
    for (int i = 0; i < 36; ++i) {
        const QString sub = folder.file(QStringLiteral("folder %1").arg(i % 4));
        const bool fails = i % 3 == 0;
        const bool gone = i % 6 == 1;
        const QString name = QStringLiteral("%1 %2.mp3").arg(i, 2, 10, QLatin1Char('0')).arg(fails ? "fails" : "song");
        const ID3v2Tag t2 = FileV2();
        const QString path = folder.mp3(QFileInfo(sub).fileName() + QLatin1Char('/') + name, nullptr, &t2);
        TestRow row{name};
        row.title = QStringLiteral("Row Title");
        if (i % 2 == 0) row.newName = QStringLiteral("renamed ") + name;
        AddRow(table, sub, row);
        const QString result = row.newName.isEmpty() ? path : sub + QLatin1Char('/') + row.newName;
        if (gone) {
            QFile::remove(path);
            expectedBoxes.push_back(name);
            diskFull.push_back(false);
            continue;
        }
        ++filesLeft[sub];
        if (fails) {
            failing.push_back(result);
            before.push_back(ReadBytes(path));
            expectedBoxes.push_back(name);
            diskFull.push_back(true);
        } else {
            written.push_back(result);
        }
    }
    SetApplyWriteFaultForTesting(&FailWhereNamed);
    const ApplyReport report = apply(Switches(true, false, true));
    SetApplyWriteFaultForTesting(nullptr);

    EXPECT_EQ(report.failed, qint64(expectedBoxes.size()));
    ASSERT_EQ(ui.shown.size(), expectedBoxes.size());
    for (size_t i = 0; i < expectedBoxes.size(); ++i) {
        SCOPED_TRACE(i);
        if (diskFull[i]) {
            // The program's file-error form: the name, the step, the reason.
            EXPECT_EQ(ui.shown[i].prompt,
                      expectedBoxes[i] + QStringLiteral("\r\n\r\nCannot modify ID3v2 Tag. Disk full"));
            EXPECT_EQ(ui.shown[i].title, GetResourceString(TextId::Common::PathFileAccessError));
        } else {
            EXPECT_TRUE(ui.shown[i].prompt.contains(expectedBoxes[i])) << qPrintable(ui.shown[i].prompt);
        }
    }
    // Not written, yet renamed all the same, byte for byte as they were.
    for (size_t i = 0; i < failing.size(); ++i) EXPECT_EQ(ReadBytes(failing[i]), before[i]) << qPrintable(failing[i]);
    for (const QString& path : written)
        EXPECT_EQ(v2(OracleRead(path), "TIT2"), QStringLiteral("Row Title")) << qPrintable(path);
    for (const auto& [sub, count] : filesLeft)
        EXPECT_EQ(QDir(sub).entryList(QDir::Files | QDir::Hidden).size(), count) << qPrintable(sub);
}

TEST_F(ApplyTest, AFileWhoseRenameAndWriteBothFailCountsOnce) {
    const QString path = song();
    const QByteArray before = ReadBytes(path);
    folder.write(QStringLiteral("New Name.mp3"), QByteArrayLiteral("someone else's file"));
    AddRow(table, folder.path(), kRow);
    ui.answers = {Mb::No};
    SetApplyWriteFaultForTesting(&FailWithDiskFull);
    const ApplyReport report = apply(Switches(true, false, true));
    SetApplyWriteFaultForTesting(nullptr);
    EXPECT_EQ(report.failed, 1);
    EXPECT_EQ(report.processed, 1);
    EXPECT_EQ(ui.shown.size(), 2u);  // the question, then the failed write
    EXPECT_EQ(ReadBytes(path), before);
}

TEST_F(ApplyTest, ThePreferencesComeFromTheSettingsNotTheProgramWideRecords) {
    TempHome home;
    QStandardPaths::setTestModeEnabled(false);
    const auto testMode = qScopeGuard([] { QStandardPaths::setTestModeEnabled(true); });
    const QString trash = home.file(QStringLiteral("data/Trash/files"));
    for (const bool preference : {false, true}) {
        SCOPED_TRACE(preference ? "settings on" : "settings off");
        // The program-wide records say the opposite of the run's settings.
        Options().Preferences.blnWriteReadOnly = !preference;
        Options().Preferences.blnUseRecycleBin = !preference;
        const QString suffix = preference ? QStringLiteral("-on") : QStringLiteral("-off");
        // An ID3v1 tag alone changes in place; the deleted file goes where the settings say.
        TestRow retag = kRow;
        retag.oldName = QStringLiteral("ro") + suffix + QStringLiteral(".mp3");
        const QString readOnly = song(retag.oldName);
        SetMode(readOnly, 0444);
        TestRow gone{QStringLiteral("gone") + suffix + QStringLiteral(".mp3")};
        gone.action = QStringLiteral("Delete");
        const QString deleted = song(gone.oldName);
        SimResultsModel rows;
        AddRow(rows, folder.path(), retag);
        AddRow(rows, folder.path(), gone);
        ApplySettings settings = Switches(false, true, false);
        settings.writeReadOnly = settings.useRecycleBin = preference;
        const ApplyReport report = ApplyChanges(rows, settings, host);

        EXPECT_EQ(bool(ModeOf(readOnly) & 0200), preference) << "made writeable only when the settings allow it";
        if (preference) {
            EXPECT_EQ(report.failed, 0);
            EXPECT_EQ(v1(OracleRead(readOnly), "title"), "Row Title");
        }
        EXPECT_FALSE(QFile::exists(deleted));
        EXPECT_EQ(QFile::exists(trash + QLatin1Char('/') + gone.oldName), preference);
    }
}

TEST_F(ApplyTest, ReadOnlyFilesKeepTheirTagsUnlessThePreferenceSaysOtherwise) {
    const QString path = song();
    ::chmod(QFile::encodeName(path).constData(), 0444);
    const QByteArray before = ReadBytes(path);
    AddRow(table, folder.path(), kRow);
    ApplySettings settings = Switches(false, false, true);
    EXPECT_EQ(apply(settings).failed, 1);
    EXPECT_EQ(ReadBytes(path), before);

    settings.writeReadOnly = true;
    EXPECT_EQ(apply(settings).failed, 0);
    EXPECT_EQ(v2(OracleRead(path), "TIT2"), "Row Title");
}

}  // namespace
