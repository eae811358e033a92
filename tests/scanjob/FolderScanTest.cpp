// The folder scan end to end: real MP3 files made here, scanned into the
// results model, compared cell by cell with what each column must hold.

#include "ScanJobSupport.h"
#include "foundation/FileDetails.h"
#include "foundation/ResourceStrings.h"
#include "foundation/NativePath.h"
#include "scanning/engine/FileBytes.h"
#include "scanning/engine/FolderScan.h"
#include "scanning/engine/ID3v1.h"
#include "scanning/engine/ID3v2TagInfo.h"
#include "scanning/engine/MPEGHeader.h"
#include "scanning/engine/RowRefresh.h"
#include "scanning/engine/ScanResultsModel.h"
#include "scanning/engine/SortIntoFolders.h"
#include "support/ScriptedUi.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <cerrno>
#include <iterator>
#include <sys/stat.h>

namespace {

class FolderScanTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (LameAudio().isEmpty()) GTEST_SKIP() << "lame is not installed";
    }
    // Scans the test folder (or `folder`) and returns the file names of the
    // rows in order.
    QStringList scan(bool subfolders = false, const QString& folder = QString()) {
        scanner.ScanFolder(folder.isEmpty() ? music.path() : folder, subfolders);
        return names();
    }
    QStringList names() const {
        QStringList n;
        for (int r = 0; r < model.rows(); ++r) n << model.text(r, ScanColumn::FileName);
        return n;
    }
    int rowOf(const QString& name) const { return static_cast<int>(names().indexOf(name)); }

    ScanOptions options;
    ScriptedUi ui;
    MusicFolder music;
    ScanResultsModel model;
    RecordingHost host;
    ScanningCentreOptions scanOptions = FirstRunScanOptions();
    FolderScan scanner{model, host, scanOptions};
};

TEST_F(FolderScanTest, RowsHoldEveryColumnOfTheFile) {
    const ID3v1Tag v1 = SampleID3v1();
    const ID3v2Tag v2 = SampleID3v2();
    const QString tagged = music.mp3(QStringLiteral("tagged.mp3"), &v1, &v2);
    const QString plain = music.mp3(QStringLiteral("plain.mp3"));
    SetMode(plain, 0444);

    ASSERT_EQ(scan(), (QStringList{QStringLiteral("plain.mp3"), QStringLiteral("tagged.mp3")}));
    EXPECT_TRUE(ui.shown.empty());

    struct Expect {
        QString path;
        QStringList tagCells;  // columns 2 to 20
        QString attributes;
    };
    const Expect files[] = {
        {tagged,
         {v1.Title, v1.Artist, QStringLiteral("7"), v1.Album, v1.Year, v1.Comment, QStringLiteral("Rock"), v2.Title,
          v2.Artist, v2.Track, v2.Album, v2.Year, v2.Comment, v2.Genre, v2.Composer, v2.OrigArtist, v2.Copyright,
          v2.URL, v2.EncodedBy},
         QString()},
        {plain, QStringList(19, QString()), QStringLiteral("R")},
    };
    for (const Expect& e : files) {
        SCOPED_TRACE(e.path.toStdString());
        const int row = rowOf(QFileInfo(e.path).fileName());
        ASSERT_GE(row, 0);
        EXPECT_TRUE(model.isChecked(row));
        EXPECT_EQ(model.text(row, ScanColumn::Folder), music.path());
        for (int c = ScanColumn::ID3v1Title; c <= ScanColumn::ID3v2EncodedBy; ++c)
            EXPECT_EQ(model.text(row, c), e.tagCells[c - ScanColumn::ID3v1Title]) << "column " << c;

        // The audio cells: known facts of the LAME encoding, and the rest as
        // the header reader finds them on its own path.
        const QByteArray bytes = ReadBytes(e.path);
        const auto* h = reinterpret_cast<const uint8_t*>(bytes.constData());
        const qint64 tagSize =
            bytes.startsWith("ID3") ? 10 + ((h[6] << 21) | (h[7] << 14) | (h[8] << 7) | h[9]) : 0;
        EXPECT_EQ(model.text(row, ScanColumn::Size), QString::number(bytes.size()));
        EXPECT_EQ(model.text(row, ScanColumn::HeaderFoundAt), QString::number(tagSize));
        EXPECT_EQ(model.text(row, ScanColumn::MPEGVersion), QStringLiteral("1"));
        EXPECT_EQ(model.text(row, ScanColumn::LayerVersion), QStringLiteral("3"));
        EXPECT_EQ(model.text(row, ScanColumn::BitRate), QStringLiteral("128"));
        EXPECT_EQ(model.text(row, ScanColumn::Frequency), QStringLiteral("44100"));
        EXPECT_EQ(model.text(row, ScanColumn::Channels), QStringLiteral("2"));
        bool found = false;
        const MPEGInfo m = ReadMPEGInfo(e.path, found);
        ASSERT_TRUE(found);
        EXPECT_EQ(model.text(row, ScanColumn::LengthMs), QString::number(m.LengthMs));
        EXPECT_EQ(model.text(row, ScanColumn::Frames), QString::number(m.FrameCount));
        EXPECT_GT(m.FrameCount, 10);
        const QStringList modeCells{m.ChannelMode, m.Private, m.CRCs, m.Copyrighted, m.Original, m.Emphasis};
        for (int c = ScanColumn::Mode; c <= ScanColumn::Emphasis; ++c)
            EXPECT_EQ(model.text(row, c), modeCells[c - ScanColumn::Mode]);

        const FileDetails details = GetFileDetails(e.path);
        EXPECT_EQ(model.text(row, ScanColumn::Attributes), e.attributes);
        EXPECT_EQ(details.Attributes, e.attributes);
        EXPECT_EQ(model.text(row, ScanColumn::Created), details.Created);
        EXPECT_EQ(model.text(row, ScanColumn::Modified), details.Modified);
        EXPECT_FALSE(model.text(row, ScanColumn::Modified).isEmpty());
    }
}

TEST_F(FolderScanTest, TagLongerThanTheFirstBlockIsReadWhole) {
    ID3v2Tag v2 = SampleID3v2();
    v2.Comment = QStringLiteral("long comment ").repeated(600);  // the tag runs past the first 4 KiB
    const QString path = music.mp3(QStringLiteral("long.mp3"), nullptr, &v2);
    scan();
    ASSERT_EQ(model.rows(), 1);
    EXPECT_EQ(model.text(0, ScanColumn::ID3v2Comment), v2.Comment);
    EXPECT_EQ(model.text(0, ScanColumn::ID3v2EncodedBy), v2.EncodedBy);
    const QByteArray bytes = ReadBytes(path);
    EXPECT_EQ(model.text(0, ScanColumn::HeaderFoundAt), QString::number(bytes.size() - LameAudio().size()));
    EXPECT_GT(bytes.size() - LameAudio().size(), 4096);
    EXPECT_EQ(model.text(0, ScanColumn::BitRate), QStringLiteral("128"));
}

TEST_F(FolderScanTest, StatusTextsProgressAndLastFolder) {
    music.mp3(QStringLiteral("a.mp3"));
    music.mp3(QStringLiteral("b.mp3"));
    scan();
    EXPECT_EQ(host.statuses.front(), GetResourceString(TextId::Scan::SearchingForMusicFiles));
    EXPECT_EQ(host.statuses[1], GetResourceString(TextId::Scan::RetrievingFiles));
    EXPECT_TRUE(
        host.statuses.contains(GetResourceString(TextId::Scan::Processing) + music.file(QStringLiteral("b.mp3"))));
    EXPECT_EQ(host.statuses.back(), QStringLiteral("Scan complete"));
    EXPECT_EQ(host.lastPosition, 2);
    EXPECT_EQ(host.lastMaximum, 2);
    EXPECT_EQ(scanner.mstrLastScannedFolder, music.path());
    EXPECT_FALSE(scanner.mblnScanInProgress);
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(FolderScanTest, IncludeOptionsFilterByTagPresence) {
    const ID3v1Tag v1 = SampleID3v1();
    const ID3v2Tag v2 = SampleID3v2();
    music.mp3(QStringLiteral("both.mp3"), &v1, &v2);
    music.mp3(QStringLiteral("none.mp3"));
    music.mp3(QStringLiteral("only1.mp3"), &v1, nullptr);
    music.mp3(QStringLiteral("only2.mp3"), nullptr, &v2);

    struct Case {
        bool withV1, withoutV1, withV2, withoutV2;
        QStringList rows;
    };
    const Case cases[] = {
        {true, true, true, true, {"both.mp3", "none.mp3", "only1.mp3", "only2.mp3"}},
        // A file goes on when either filter passes it.
        {true, false, true, false, {"both.mp3", "only1.mp3", "only2.mp3"}},
        {false, true, false, true, {"none.mp3", "only1.mp3", "only2.mp3"}},
        {false, true, true, true, {"both.mp3", "none.mp3", "only1.mp3", "only2.mp3"}},
        {false, false, true, false, {"both.mp3", "only2.mp3"}},
        {false, false, false, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.withV1 << c.withoutV1 << c.withV2 << c.withoutV2);
        scanOptions.blnIncFilesWithID3v1 = c.withV1;
        scanOptions.blnIncFilesWithoutID3v1 = c.withoutV1;
        scanOptions.blnIncFilesWithID3v2 = c.withV2;
        scanOptions.blnIncFilesWithoutID3v2 = c.withoutV2;
        EXPECT_EQ(scan(), c.rows);
    }
}

TEST_F(FolderScanTest, AScanKeepsTheOptionsItStartedWithToItsEnd) {
    const ID3v1Tag v1 = SampleID3v1();
    music.mp3(QStringLiteral("tagged.mp3"), &v1, nullptr);
    music.mp3(QStringLiteral("plain.mp3"));
    // Options stored anew while the folder is walked: files without tags
    // would be left out and the results kept.
    struct ChangingHost : RecordingHost {
        void ShowStatus(const QString& text) override {
            RecordingHost::ShowStatus(text);
            if (onStatus) onStatus(text);
        }
        std::function<void(const QString&)> onStatus;
    } changing;
    ScanningCentreOptions stored = FirstRunScanOptions();
    FolderScan scan(model, changing, stored);
    changing.onStatus = [&](const QString& text) {
        if (text != GetResourceString(TextId::Scan::RetrievingFiles)) return;
        stored.blnIncFilesWithoutID3v1 = stored.blnIncFilesWithoutID3v2 = false;
        stored.blnClearResults = false;
    };
    for (const int readers : {1, 2}) {
        SCOPED_TRACE(::testing::Message() << readers << " readers");
        stored = FirstRunScanOptions();
        scan.setReadPlan(readers, 4);
        scan.ScanFolder(music.path(), false);
        EXPECT_EQ(names(), (QStringList{"plain.mp3", "tagged.mp3"}));
    }

    // The next scan runs with them.
    changing.onStatus = nullptr;
    scan.ScanFolder(music.path(), false);
    EXPECT_EQ(names(), (QStringList{"plain.mp3", "tagged.mp3", "tagged.mp3"}));
}

TEST_F(FolderScanTest, PatternSubfoldersAndHiddenEntries) {
    music.mp3(QStringLiteral("a.mp3"));
    music.mp3(QStringLiteral("B.MP3"));
    music.write(QStringLiteral("notes.txt"), "not audio");
    music.mp3(QStringLiteral(".hidden.mp3"));
    music.mp3(QStringLiteral("sub/c.mp3"));
    music.mp3(QStringLiteral(".secret/d.mp3"));

    EXPECT_EQ(scan(false), (QStringList{"a.mp3", "B.MP3"}));
    EXPECT_EQ(scan(true), (QStringList{"a.mp3", "B.MP3", "c.mp3"}));
    EXPECT_EQ(model.text(2, ScanColumn::Folder), music.file(QStringLiteral("sub")));
    scanOptions.strScanFilter.clear();  // every file
    EXPECT_EQ(scan(false), (QStringList{"a.mp3", "B.MP3", "notes.txt"}));
    const int text = rowOf(QStringLiteral("notes.txt"));
    ASSERT_GE(text, 0);
    EXPECT_EQ(model.text(text, ScanColumn::HeaderFoundAt), QStringLiteral("9"));  // no header: the size
    EXPECT_EQ(model.text(text, ScanColumn::Size), QStringLiteral("9"));
}

TEST_F(FolderScanTest, ClearResultsReplacesOrAddsRows) {
    music.mp3(QStringLiteral("a.mp3"));
    music.mp3(QStringLiteral("b.mp3"));
    scan();
    scan();
    EXPECT_EQ(names(), (QStringList{"a.mp3", "b.mp3"}));
    scanOptions.blnClearResults = false;
    model.setChecked(0, false);
    scan();
    EXPECT_EQ(names(), (QStringList{"a.mp3", "b.mp3", "a.mp3", "b.mp3"}));
    EXPECT_FALSE(model.isChecked(0));
    EXPECT_TRUE(model.isChecked(2));
}

TEST_F(FolderScanTest, StopKeepsTheRowsMadeSoFar) {
    for (const char* name : {"1.mp3", "2.mp3", "3.mp3", "4.mp3", "5.mp3"}) music.mp3(QString::fromLatin1(name));
    host.stopAtPosition = 3;  // set while the third file is announced
    scan();
    EXPECT_EQ(names(), (QStringList{"1.mp3", "2.mp3"}));
    EXPECT_TRUE(model.isChecked(0) && model.isChecked(1));
    EXPECT_EQ(host.statuses.back(), QStringLiteral("Scan complete"));
    EXPECT_EQ(scanner.filesProcessed(), 2);
}

TEST_F(FolderScanTest, FailedReadsWarnAndSkipOnlyTheirFile) {
    const ID3v2Tag v2 = SampleID3v2();
    music.mp3(QStringLiteral("a.mp3"));
    const QString locked = music.mp3(QStringLiteral("b-locked.mp3"));
    SetMode(locked, 0);
    // An ID3v2 tag whose size runs past the end of the file.
    QByteArray broken = ID3v23Tag({{"TIT2", TextBody("x")}});
    broken[8] = 0x7F;
    music.write(QStringLiteral("c-broken.mp3"), broken + LameAudio().left(1000));
    music.mp3(QStringLiteral("d.mp3"), nullptr, &v2);
    {
        WithoutFileRights noRights;
        scan();
    }
    EXPECT_EQ(names(), (QStringList{"a.mp3", "d.mp3"}));
    ASSERT_EQ(ui.shown.size(), 2u);
    EXPECT_EQ(ui.shown[0].title, QStringLiteral("Permission Denied"));
    EXPECT_TRUE(ui.shown[0].prompt.startsWith(QStringLiteral("b-locked.mp3\r\n\r\nCannot read ID3v1 Tag. ")));
    EXPECT_TRUE(ui.shown[0].prompt.endsWith(QStringLiteral(". The file may be locked by another process.")));
    EXPECT_EQ(ui.shown[0].style, Mb::OKOnly | Mb::Exclamation);
    EXPECT_EQ(ui.shown[1].title, QStringLiteral("ID3v2 Tag Error"));
    EXPECT_TRUE(ui.shown[1].prompt.startsWith(QStringLiteral("c-broken.mp3\r\n\r\nCannot read ID3v2 Tag. ")));
    EXPECT_EQ(host.statuses.back(), QStringLiteral("Scan complete"));
}

TEST_F(FolderScanTest, EveryFailureOfAFileIsReportedForItAndTheScanGoesOn) {
    music.mp3(QStringLiteral("a.mp3"));
    music.mp3(QStringLiteral("b-unreadable.mp3"));
    music.mp3(QStringLiteral("c.mp3"));
    // A path longer than the system allows, walked between two folders.
    music.writeNative("m/" + DeepFolders(22) + "/deep.mp3", LameAudio());
    music.mp3(QStringLiteral("z/e.mp3"));
    {
        FileFault fault(&FailUnreadable);
        scan(true);
    }
    EXPECT_EQ(names(), (QStringList{"a.mp3", "c.mp3", "e.mp3"}));
    const QString expected[] = {
        QStringLiteral("b-unreadable.mp3\r\n\r\nCannot read ID3v1 Tag. Device I/O error (Input/output error)"),
        QStringLiteral("deep.mp3\r\n\r\nCannot read ID3v1 Tag. Bad file name or number (File name too long)"),
    };
    ASSERT_EQ(ui.shown.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(ui.shown[i].prompt, expected[i]);
        EXPECT_EQ(ui.shown[i].title, QStringLiteral("Path/File Access Error"));
        EXPECT_EQ(ui.shown[i].style, Mb::OKOnly | Mb::Exclamation);
    }
    EXPECT_EQ(host.statuses.back(), QStringLiteral("Scan complete"));
    EXPECT_EQ(scanner.filesProcessed(), 5);
}

TEST_F(FolderScanTest, NamesThatAreNotUtf8ReachTheRealFile) {
    // A file and a folder named in Latin-1, as old disks and archives hold them.
    const ID3v1Tag v1 = SampleID3v1();
    const ID3v2Tag v2 = SampleID3v2();
    music.mp3(QStringLiteral("made.mp3"), &v1, &v2);
    const QByteArray root = QFile::encodeName(music.path());
    const QByteArray real = root + "/Alb\xFCm/caf\xE9.mp3";
    ASSERT_EQ(::mkdir((root + "/Alb\xFCm").constData(), 0755), 0);
    ASSERT_EQ(::rename((root + "/made.mp3").constData(), real.constData()), 0);
    struct stat st {};
    ASSERT_EQ(::stat(real.constData(), &st), 0);

    EXPECT_EQ(scan(true).size(), 1);
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(NativePath(model.fullPath(0)), real);
    EXPECT_EQ(model.text(0, ScanColumn::ID3v1Title), v1.Title);
    EXPECT_EQ(model.text(0, ScanColumn::ID3v2Title), v2.Title);
    EXPECT_EQ(model.text(0, ScanColumn::Size), QString::number(st.st_size));
    EXPECT_EQ(model.text(0, ScanColumn::BitRate), QStringLiteral("128"));
    EXPECT_FALSE(model.text(0, ScanColumn::Modified).isEmpty());
    // Shown as well as it can be.
    EXPECT_EQ(model.data(model.index(0, ScanColumn::FileName)).toString(), QStringLiteral("caf\u00E9.mp3"));
    EXPECT_EQ(model.data(model.index(0, ScanColumn::Folder)).toString(), music.path() + QStringLiteral("/Alb\u00FCm"));

    // The refresh reads the real file again.
    ID3v1Tag changed = v1;
    changed.Title = QStringLiteral("Changed Title");
    ASSERT_TRUE(WriteID3v1TagInfo(model.fullPath(0), changed, false));
    ASSERT_TRUE(UpdateScanResult(model, 0));
    EXPECT_EQ(model.text(0, ScanColumn::ID3v1Title), changed.Title);

    // Sorting into folders moves the real file.
    const QString destination = music.file(QStringLiteral("sorted"));
    ASSERT_TRUE(QDir().mkpath(destination));
    EXPECT_EQ(SortIntoFolders(model, ScanColumn::ID3v1Artist, destination, host), SortOutcome::Complete);
    EXPECT_EQ(::stat((QFile::encodeName(destination) + "/The Artist/caf\xE9.mp3").constData(), &st), 0);
    EXPECT_NE(::stat(real.constData(), &st), 0);
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(FolderScanTest, ScanRulesDecideAfterTheFilters) {
    ID3v1Tag keep = SampleID3v1();
    ID3v1Tag drop = SampleID3v1();
    drop.Artist = QStringLiteral("Unwanted Band");
    music.mp3(QStringLiteral("keep.mp3"), &keep, nullptr);
    music.mp3(QStringLiteral("drop.mp3"), &drop, nullptr);
    ScanRule rule;
    rule.Choice = QStringLiteral("Don't include files");
    rule.Scope = QStringLiteral("containing");
    rule.Filter = QStringLiteral("unwanted");
    rule.Target = QStringLiteral("in ID3v1 Artist");
    scanOptions.udtScanRules = {rule, ScanRule()};
    EXPECT_EQ(scan(), QStringList{"keep.mp3"});
}

TEST_F(FolderScanTest, FolderThatCannotBeReachedIsNotScanned) {
    music.mp3(QStringLiteral("a.mp3"));
    scan();
    ASSERT_EQ(model.rows(), 1);
    scan(false, music.file(QStringLiteral("no-such-folder")));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].title, QStringLiteral("Drive Not Ready"));
    EXPECT_EQ(ui.shown[0].prompt, QStringLiteral("The drive you are attempting to scan is not ready."));
    EXPECT_EQ(model.rows(), 1);
    EXPECT_FALSE(scanner.mblnScanInProgress);
}

TEST_F(FolderScanTest, WithoutTagObjectTheScanEndsInTheCriticalBox) {
    music.mp3(QStringLiteral("a.mp3"));
    ID3v2TagObject kept = std::move(gobjID3v2Tag);
    scan();
    gobjID3v2Tag = std::move(kept);
    EXPECT_EQ(model.rows(), 0);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].title, QStringLiteral("Critical Error"));
    EXPECT_TRUE(ui.shown[0].prompt.contains(QStringLiteral("91")));
    EXPECT_TRUE(ui.shown[0].prompt.contains(QStringLiteral("|ReadID3v2TagInfo;")));
    EXPECT_TRUE(ui.shown[0].prompt.contains(QStringLiteral("|ProcessFiles|ConcludeScan")));
    EXPECT_FALSE(scanner.mblnScanInProgress);
}

TEST_F(FolderScanTest, WorkListFilledByTheCallerBecomesRows) {
    // The playlist scan and dropped files fill the work list themselves; a
    // file that is gone by then still gets its (empty) row.
    const QString a = music.mp3(QStringLiteral("a.mp3"));
    scanner.InitialiseScan();
    scanner.workList = {{music.path(), QStringLiteral("a.mp3")}, {music.path(), QStringLiteral("gone.mp3")}};
    scanner.ConcludeScan();
    EXPECT_EQ(names(), (QStringList{"a.mp3", "gone.mp3"}));
    EXPECT_EQ(model.text(1, ScanColumn::Size), QStringLiteral("0"));
    EXPECT_EQ(model.text(1, ScanColumn::Modified), QString());
    EXPECT_TRUE(scanner.mstrLastScannedFolder.isEmpty());
}

TEST(ScanFolderChoice, DesktopNodeIsTheDesktopDirectory) {
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    EXPECT_EQ(ResolveScanFolder(QStringLiteral("Desktop")), desktop);
    EXPECT_EQ(ResolveScanFolder(QStringLiteral("dESKTOP")), desktop);
    EXPECT_EQ(ResolveScanFolder(QStringLiteral("/music/Desktop")), QStringLiteral("/music/Desktop"));
}

}  // namespace
