// Sorting checked results rows into subfolders named by a tag cell.

#include "ScanJobSupport.h"
#include "foundation/FileUtils.h"
#include "scanning/engine/ScanResultsModel.h"
#include "scanning/engine/SortIntoFolders.h"
#include "support/ScriptedUi.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <gtest/gtest.h>

namespace {

class SortIntoFoldersTest : public ::testing::Test {
protected:
    void SetUp() override { QDir().mkpath(destination()); }
    QString destination() const { return music.file(QStringLiteral("out")); }
    // A file in "in/" with a row whose ID3v1 artist cell holds `artist`.
    void add(const QString& name, const QString& artist, bool checked = true) {
        music.write(QStringLiteral("in/") + name, name.toUtf8());
        QStringList cells(kScanColumnCount, QString());
        cells[ScanColumn::FileName] = name;
        cells[ScanColumn::Folder] = music.file(QStringLiteral("in"));
        cells[ScanColumn::ID3v1Artist] = artist;
        model.appendRow(checked, cells);
    }
    bool at(const QString& relative) const { return QFileInfo(music.file(relative)).isFile(); }
    SortOutcome sort() {
        host.displayMessageBox = displayBox;
        return SortIntoFolders(model, ScanColumn::ID3v1Artist, destination(), host);
    }
    QString noValueQuestion() const {
        return QStringLiteral("There are one or more files that do not have a value in the specified field. "
                              "Do you wish these to be moved to folder ") +
               destination() + QLatin1Char('?');
    }

    ScanOptions options;
    bool displayBox = true;  // the preference DisplayMessageBox
    ScriptedUi ui;
    MusicFolder music;
    ScanResultsModel model;
    RecordingHost host;
};

TEST_F(SortIntoFoldersTest, CheckedRowsMoveIntoFoldersNamedByTheirCell) {
    add(QStringLiteral("a.mp3"), QStringLiteral("Alpha"));
    add(QStringLiteral("b.mp3"), QStringLiteral("Beta: Two?"));
    add(QStringLiteral("c.mp3"), QStringLiteral("..."));
    add(QStringLiteral("d.mp3"), QStringLiteral("Alpha"), false);
    add(QStringLiteral("e.mp3"), QString());
    add(QStringLiteral("f.mp3"), QStringLiteral("Alpha"));
    const QStringList rowsBefore = model.rowTexts(0);

    ui.answers = {Mb::Yes};
    EXPECT_EQ(sort(), SortOutcome::Complete);
    EXPECT_TRUE(at(QStringLiteral("out/Alpha/a.mp3")));
    EXPECT_TRUE(at(QStringLiteral("out/Alpha/f.mp3")));
    EXPECT_TRUE(at(QStringLiteral("out/Beta Two/b.mp3")));
    // "..." names no folder: the file goes where files without a value go.
    EXPECT_TRUE(at(QStringLiteral("out/c.mp3")));
    EXPECT_TRUE(at(QStringLiteral("out/e.mp3")));
    EXPECT_TRUE(at(QStringLiteral("in/d.mp3")));  // not checked
    EXPECT_FALSE(at(QStringLiteral("in/a.mp3")));
    EXPECT_EQ(model.rowTexts(0), rowsBefore);  // rows keep their old folders

    ASSERT_EQ(ui.shown.size(), 2u);  // the question once, then the result
    EXPECT_EQ(ui.shown[0].title, QStringLiteral("Files Without Field Value"));
    EXPECT_EQ(ui.shown[0].prompt, noValueQuestion());
    EXPECT_EQ(ui.shown[0].style, Mb::YesNo | Mb::Question);
    EXPECT_EQ(ui.shown[1].prompt, QStringLiteral("Sort into folders complete. "));
    EXPECT_EQ(ui.shown[1].title, QStringLiteral("Scanning Window"));
    EXPECT_EQ(host.statuses.front(), QStringLiteral("Sorting files into folders - Please wait..."));
    EXPECT_EQ(host.statuses.back(), QStringLiteral("Sort into folders complete"));
    EXPECT_EQ(host.lastMaximum, 5);
}

TEST_F(SortIntoFoldersTest, NoLeavesFilesWithoutValueAndNoBoxWithoutThePreference) {
    displayBox = false;
    add(QStringLiteral("a.mp3"), QStringLiteral(" "));
    add(QStringLiteral("b.mp3"), QStringLiteral("Beta"));
    add(QStringLiteral("c.mp3"), QStringLiteral("::"));
    ui.answers = {Mb::No};
    EXPECT_EQ(sort(), SortOutcome::Complete);
    EXPECT_TRUE(at(QStringLiteral("in/a.mp3")));
    EXPECT_TRUE(at(QStringLiteral("in/c.mp3")));
    EXPECT_TRUE(at(QStringLiteral("out/Beta/b.mp3")));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].title, QStringLiteral("Files Without Field Value"));
    EXPECT_EQ(host.statuses.back(), QStringLiteral("Sort into folders complete"));
}

TEST_F(SortIntoFoldersTest, ExistingTargetIsReplacedOnlyOnYes) {
    add(QStringLiteral("a.mp3"), QStringLiteral("Alpha"));
    add(QStringLiteral("b.mp3"), QStringLiteral("Alpha"));
    music.write(QStringLiteral("out/Alpha/a.mp3"), "older a");
    music.write(QStringLiteral("out/Alpha/b.mp3"), "older b");
    ui.answers = {Mb::No, Mb::Yes};
    EXPECT_EQ(sort(), SortOutcome::Complete);
    EXPECT_EQ(ReadBytes(music.file(QStringLiteral("out/Alpha/a.mp3"))), "older a");
    EXPECT_EQ(ReadBytes(music.file(QStringLiteral("in/a.mp3"))), "a.mp3");
    EXPECT_EQ(ReadBytes(music.file(QStringLiteral("out/Alpha/b.mp3"))), "b.mp3");
    EXPECT_FALSE(at(QStringLiteral("in/b.mp3")));
    ASSERT_EQ(ui.shown.size(), 3u);
    EXPECT_EQ(ui.shown[0].title, QStringLiteral("File Already Exists"));
    EXPECT_EQ(ui.shown[1].title, QStringLiteral("File Already Exists"));
}

TEST_F(SortIntoFoldersTest, FileAlreadyInItsPlaceIsLeftAlone) {
    music.write(QStringLiteral("out/Alpha/a.mp3"), "a");
    QStringList cells(kScanColumnCount, QString());
    cells[ScanColumn::FileName] = QStringLiteral("a.mp3");
    cells[ScanColumn::Folder] = music.file(QStringLiteral("out/Alpha/"));
    cells[ScanColumn::ID3v1Artist] = QStringLiteral("Alpha");
    model.appendRow(true, cells);
    displayBox = false;
    EXPECT_EQ(sort(), SortOutcome::Complete);
    EXPECT_TRUE(at(QStringLiteral("out/Alpha/a.mp3")));
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(SortIntoFoldersTest, DestinationRemovedEndsTheRun) {
    add(QStringLiteral("a.mp3"), QStringLiteral("Alpha"));
    add(QStringLiteral("b.mp3"), QStringLiteral("Beta"));
    host.onYield = [&] {
        if (host.yields == 2) QDir(destination()).removeRecursively();
    };
    EXPECT_EQ(sort(), SortOutcome::DestinationRemoved);
    EXPECT_TRUE(at(QStringLiteral("in/b.mp3")));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].prompt, QStringLiteral("Sort into folders not complete. Destination folder was removed."));
    EXPECT_EQ(ui.shown[0].style, Mb::OKOnly | Mb::Exclamation);
    EXPECT_EQ(host.statuses.back(), QStringLiteral("Sort into folders not complete"));
}

TEST_F(SortIntoFoldersTest, StopEndsBeforeTheNextRowAndAlwaysShowsTheBox) {
    displayBox = false;
    add(QStringLiteral("a.mp3"), QStringLiteral("Alpha"));
    add(QStringLiteral("b.mp3"), QStringLiteral("Beta"));
    host.onYield = [&] {
        if (host.yields == 2) host.mblnStopAll = true;
    };
    EXPECT_EQ(sort(), SortOutcome::Interrupted);
    EXPECT_TRUE(at(QStringLiteral("out/Alpha/a.mp3")));
    EXPECT_TRUE(at(QStringLiteral("in/b.mp3")));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].prompt, QStringLiteral("Sort into folders interrupted by user. "));
}

TEST_F(SortIntoFoldersTest, FailedRowsAreReportedAndTheRunIsNotComplete) {
    music.write(QStringLiteral("out/Alpha"), "a file where the folder would go");
    add(QStringLiteral("a.mp3"), QStringLiteral("Alpha"));
    add(QStringLiteral("b.mp3"), QStringLiteral("Beta"));
    add(QStringLiteral("c.mp3"), QStringLiteral("Gamma"));
    QFile::remove(music.file(QStringLiteral("in/c.mp3")));  // gone since the scan
    displayBox = false;
    EXPECT_EQ(sort(), SortOutcome::Incomplete);
    EXPECT_TRUE(at(QStringLiteral("in/a.mp3")));
    EXPECT_TRUE(at(QStringLiteral("out/Beta/b.mp3")));
    ASSERT_EQ(ui.shown.size(), 3u);
    EXPECT_EQ(ui.shown[0].title, QStringLiteral("Critical Error"));  // the subfolder
    EXPECT_EQ(ui.shown[1].prompt, QStringLiteral("c.mp3\r\n\r\nSource file no longer exists."));
    EXPECT_EQ(ui.shown[2].prompt, QStringLiteral("Sort into folders not complete. "));
    EXPECT_EQ(host.statuses.back(), QStringLiteral("Sort into folders not complete"));
}

TEST_F(SortIntoFoldersTest, MovesThatFailWhereATargetStoodAreNotComplete) {
    // A folder stands where the file would go: the move cannot happen.
    QDir().mkpath(music.file(QStringLiteral("out/Alpha/a.mp3")));
    add(QStringLiteral("a.mp3"), QStringLiteral("Alpha"));
    // A file stands there: the user agrees to replace it, and the replacing
    // rename fails.
    music.write(QStringLiteral("out/Beta/b.mp3"), "older b");
    add(QStringLiteral("b.mp3"), QStringLiteral("Beta"));
    SetRenameFunctionForTesting([](const char* from, const char* to, unsigned flags) -> int {
        if (flags == 0) return EACCES;  // replacing
        return ::renameat2(AT_FDCWD, from, AT_FDCWD, to, flags) == 0 ? 0 : errno;
    });
    displayBox = false;
    ui.answers = {Mb::OK, Mb::Yes};
    const SortOutcome outcome = sort();
    SetRenameFunctionForTesting(nullptr);

    EXPECT_EQ(outcome, SortOutcome::Incomplete);
    EXPECT_TRUE(at(QStringLiteral("in/a.mp3")));
    EXPECT_TRUE(at(QStringLiteral("in/b.mp3")));
    EXPECT_EQ(ReadBytes(music.file(QStringLiteral("out/Beta/b.mp3"))), "older b");
    ASSERT_EQ(ui.shown.size(), 4u);
    EXPECT_EQ(ui.shown[0].prompt, QStringLiteral("a.mp3\r\n\r\nFile operation was unsuccessful."));
    EXPECT_EQ(ui.shown[1].title, QStringLiteral("File Already Exists"));
    EXPECT_TRUE(ui.shown[2].prompt.startsWith(QStringLiteral("b.mp3\r\n\r\n")));
    EXPECT_EQ(ui.shown[3].prompt, QStringLiteral("Sort into folders not complete. "));
    EXPECT_EQ(host.statuses.back(), QStringLiteral("Sort into folders not complete"));
}

TEST_F(SortIntoFoldersTest, AFailureThatEndsTheRunIsNotComplete) {
    add(QStringLiteral("a.mp3"), QStringLiteral("Alpha"));
    displayBox = false;
    host.displayMessageBox = displayBox;
    EXPECT_EQ(SortIntoFolders(model, kScanColumnCount, destination(), host), SortOutcome::Incomplete);
    EXPECT_TRUE(at(QStringLiteral("in/a.mp3")));
    ASSERT_EQ(ui.shown.size(), 2u);
    EXPECT_EQ(ui.shown[0].title, QStringLiteral("Critical Error"));
    EXPECT_EQ(ui.shown[1].prompt, QStringLiteral("Sort into folders not complete. "));
}

TEST(SortFolderName, CellsBecomeSafeFolderNames) {
    const QString e = QString(QChar(0xE9));          // é: 2 bytes in UTF-8
    const QString clef = QString::fromUcs4(U"\U0001D11E");  // 4 bytes, a surrogate pair
    struct Case {
        QString cell, name;
    };
    const Case cases[] = {
        {"Alpha", "Alpha"},
        {"  Beta: Two?  ", "Beta Two"},
        {"AC/DC", "ACDC"},
        {"a\\b*c\"d<e>f|g", "abcdefg"},
        {"tab\there", "tabhere"},
        {"line\r\nbreak", "linebreak"},
        {QString(QChar(0x7F)) + "x" + QChar(0x85), "x"},
        {"", ""},
        {"   ", ""},
        {".", ""},
        {"..", ""},
        {" ... ", ""},
        {"./..", ""},
        {"a..b", "a..b"},
        {".hidden", ".hidden"},
        {QString(300, QChar(u'a')), QString(255, QChar(u'a'))},
        {e.repeated(200), e.repeated(127)},
        {QString(254, QChar(u'a')) + e, QString(254, QChar(u'a'))},
        {QString(252, QChar(u'a')) + clef, QString(252, QChar(u'a'))},
        {QString(251, QChar(u'a')) + clef, QString(251, QChar(u'a')) + clef},
        {QString(254, QChar(u'a')) + " b", QString(254, QChar(u'a'))},
    };
    for (const Case& c : cases) {
        const QString name = SortFolderName(c.cell);
        EXPECT_EQ(name, c.name) << c.cell.left(20).toStdString();
        EXPECT_LE(name.toUtf8().size(), 255);
    }
}

TEST(SortFolderName, MenuItemsReadTheirColumns) {
    const int v1[] = {ScanColumn::ID3v1Artist, ScanColumn::ID3v1Album, ScanColumn::ID3v1Genre, ScanColumn::ID3v1Year,
                      ScanColumn::ID3v1Comment};
    const int v2[] = {ScanColumn::ID3v2Artist,     ScanColumn::ID3v2Album,     ScanColumn::ID3v2Genre,
                      ScanColumn::ID3v2Year,       ScanColumn::ID3v2Comment,   ScanColumn::ID3v2Composer,
                      ScanColumn::ID3v2OrigArtist, ScanColumn::ID3v2Copyright, ScanColumn::ID3v2URL,
                      ScanColumn::ID3v2EncodedBy};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(SortColumnForID3v1Item(i), v1[i]);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(SortColumnForID3v2Item(i), v2[i]);
    EXPECT_EQ(SortColumnForID3v1Item(5), -1);
    EXPECT_EQ(SortColumnForID3v2Item(10), -1);
    EXPECT_EQ(SortColumnForID3v2Item(-1), -1);
}

}  // namespace
