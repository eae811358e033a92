// A results row brought up to date from its file.

#include "ScanJobSupport.h"
#include "scanning/engine/FolderScan.h"
#include "scanning/engine/ID3v1.h"
#include "scanning/engine/ID3v2TagInfo.h"
#include "scanning/engine/RowRefresh.h"
#include "scanning/engine/ScanResultsModel.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

namespace {

class RowRefreshTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (LameAudio().isEmpty()) GTEST_SKIP() << "lame is not installed";
        v1 = SampleID3v1();
        v2 = SampleID3v2();
        path = music.mp3(QStringLiteral("song.mp3"), &v1, &v2);
        music.mp3(QStringLiteral("other.mp3"));
        scanner.ScanFolder(music.path(), false);
        ASSERT_EQ(model.rows(), 2);
        ASSERT_EQ(model.text(row, ScanColumn::FileName), QStringLiteral("song.mp3"));
    }
    ScanOptions options;
    ScriptedUi ui;
    MusicFolder music;
    ScanResultsModel model;
    RecordingHost host;
    ScanningCentreOptions scanOptions = FirstRunScanOptions();
    FolderScan scanner{model, host, scanOptions};
    ID3v1Tag v1;
    ID3v2Tag v2;
    QString path;
    const int row = 1;  // "other.mp3" sorts first
};

TEST_F(RowRefreshTest, UnchangedFileGivesTheSameCells) {
    // Reading the file may move its access time (relatime) between the scan
    // and the refresh; every other cell must stay as it was.
    QStringList before = model.rowTexts(row);
    EXPECT_TRUE(UpdateScanResult(model, row));
    QStringList after = model.rowTexts(row);
    before.removeAt(ScanColumn::Accessed);
    after.removeAt(ScanColumn::Accessed);
    EXPECT_EQ(after, before);
}

TEST_F(RowRefreshTest, NewTagsShowAndTheRowKeepsItsNameFolderAndCheck) {
    model.setChecked(row, false);
    // Afterwards the file fails both include filters and a scan rule of the
    // program-wide options: the refresh applies neither.
    Options().ScanningCentre.blnIncFilesWithID3v2 = false;
    Options().ScanningCentre.blnIncFilesWithoutID3v1 = false;
    ScanRule rule;
    rule.Choice = QStringLiteral("Only include files");
    rule.Scope = QStringLiteral("equal to");
    rule.Filter = QStringLiteral("nothing like it");
    rule.Target = QStringLiteral("in File Name");
    Options().ScanningCentre.udtScanRules = {rule, ScanRule()};

    ClearID3v1Tag(path, false);
    ID3v2Tag changed = v2;
    changed.Title = QStringLiteral("New Title");
    changed.Genre = QStringLiteral("Jazz");
    ASSERT_TRUE(WriteID3v2TagInfo(path, changed, false));

    ASSERT_TRUE(UpdateScanResult(model, row));
    EXPECT_EQ(model.text(row, ScanColumn::FileName), QStringLiteral("song.mp3"));
    EXPECT_EQ(model.text(row, ScanColumn::Folder), music.path());
    EXPECT_FALSE(model.isChecked(row));
    for (int c = ScanColumn::ID3v1Title; c <= ScanColumn::ID3v1Genre; ++c) EXPECT_EQ(model.text(row, c), QString());
    EXPECT_EQ(model.text(row, ScanColumn::ID3v2Title), QStringLiteral("New Title"));
    EXPECT_EQ(model.text(row, ScanColumn::ID3v2Genre), QStringLiteral("Jazz"));
    EXPECT_EQ(model.text(row, ScanColumn::Size), QString::number(ReadBytes(path).size()));
    EXPECT_EQ(model.text(0, ScanColumn::FileName), QStringLiteral("other.mp3"));
}

TEST_F(RowRefreshTest, FailedTagReadLeavesTheRowAsItWas) {
    const QStringList before = model.rowTexts(row);
    ClearID3v1Tag(path, false);
    SetMode(path, 0);
    bool refreshed = true;
    {
        WithoutFileRights noRights;
        refreshed = UpdateScanResult(model, row);
    }
    EXPECT_FALSE(refreshed);
    EXPECT_EQ(model.rowTexts(row), before);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].title, QStringLiteral("Permission Denied"));
}

TEST_F(RowRefreshTest, OtherFailuresGoUpTheTrailWithTheRowNumber) {
    ID3v2TagObject kept = std::move(gobjID3v2Tag);
    try {
        UpdateScanResult(model, row);
        ADD_FAILURE() << "no error";
    } catch (const SvError& e) {
        EXPECT_EQ(e.number(), ErrNo::ObjectNotSet);
        EXPECT_TRUE(e.description().endsWith(QStringLiteral("|UpdateScanResult;2")));
    }
    gobjID3v2Tag = std::move(kept);
}

}  // namespace
