// Sorting the checked results into folders by tag, from the Actions menu.

#include "mainwin/MainWinSupport.h"

#include "foundation/OptionRecords.h"

#include "foundation/MessageUi.h"
#include "scanning/engine/ScanResultsModel.h"
#include "scanning/ui/WindowServices.h"

#include <QFileInfo>

namespace {

class SortIntoFoldersWindowTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        folder = work.path() + QStringLiteral("/Incoming");
        destination = work.path() + QStringLiteral("/Sorted");
        QDir().mkpath(destination);
        const std::pair<const char*, const char*> files[] = {
            {"a.mp3", "AC:DC?"}, {"b.mp3", "Band"}, {"c.mp3", ""}, {"d.mp3", "   "}, {"e.mp3", "Band"}};
        for (const auto& [name, artist] : files) {
            Mp3Recipe recipe;
            recipe.v1 = true;
            recipe.v1Title = QString::fromLatin1(name);
            recipe.v1Artist = QString::fromLatin1(artist);
            WriteFile(folder, QString::fromLatin1(name), MakeMp3(recipe));
        }
        OpenWindow();
        Scan(folder);
        // The unchecked row takes no part.
        window->ScanResults()->setChecked(RowOf(*window->ScanResults(), "e.mp3"), false);
        SetFolderBrowser([this](QWidget*, const QString& prompt) {
            prompts << prompt;
            return chosen;
        });
        chosen = destination;
    }

    bool In(const QString& relative) const { return QFileInfo::exists(work.path() + "/" + relative); }

    QString folder, destination, chosen;
    QStringList prompts;
};

TEST_F(SortIntoFoldersWindowTest, CheckedFilesMoveIntoOneFolderPerValue) {
    const QStringList rowsBefore = FileNames(*window->ScanResults());
    ui.answers.push_back(Mb::No);  // files without an artist stay
    window->mnuActionsSortIntoFoldersByID3v1Tag_Click(0);
    ASSERT_EQ(prompts.size(), 1);
    EXPECT_EQ(prompts[0],
              "Select the destination root folder for your MP3's (sorted into folders named by the specified field):");
    EXPECT_TRUE(In("Sorted/ACDC/a.mp3"));
    EXPECT_TRUE(In("Sorted/Band/b.mp3"));
    EXPECT_TRUE(In("Incoming/c.mp3"));
    EXPECT_TRUE(In("Incoming/d.mp3"));
    EXPECT_TRUE(In("Incoming/e.mp3"));  // unchecked: not moved

    // One question for all the files without a value, then the report.
    ASSERT_EQ(ui.shown.size(), 2u) << Shown();
    EXPECT_EQ(ui.shown[0].title, "Files Without Field Value");
    EXPECT_EQ(ui.shown[0].prompt, "There are one or more files that do not have a value in the specified field. "
                                  "Do you wish these to be moved to folder " + destination + "?");
    EXPECT_EQ(ui.shown[0].style, Mb::YesNo | Mb::Question);
    EXPECT_EQ(ui.shown[1].title, window->Caption());
    EXPECT_EQ(ui.shown[1].prompt, "Sort into folders complete. ");
    EXPECT_EQ(window->LabelStatusBar->text(), "Sort into folders complete");

    // The rows still name the old places.
    EXPECT_EQ(FileNames(*window->ScanResults()), rowsBefore);
    EXPECT_EQ(CellOf(*window->ScanResults(), "a.mp3", ScanColumn::Folder), folder);
    EXPECT_FALSE(window->mblnProcessRunning);
    EXPECT_TRUE(window->mbuttonScan.Enabled());
}

TEST_F(SortIntoFoldersWindowTest, YesMovesFilesWithoutAValueIntoTheDestination) {
    Options().Preferences.blnDisplayMessageBox = false;
    ui.answers.push_back(Mb::Yes);
    window->mnuActionsSortIntoFoldersByID3v1Tag_Click(0);
    EXPECT_TRUE(In("Sorted/c.mp3"));
    EXPECT_TRUE(In("Sorted/d.mp3"));
    EXPECT_EQ(ui.shown.size(), 1u) << Shown();  // no report box without DisplayMessageBox
}

TEST_F(SortIntoFoldersWindowTest, ACancelledFolderChoiceMovesNothing) {
    chosen.clear();
    window->mnuActionsSortIntoFoldersByID3v2Tag_Click(0);
    EXPECT_TRUE(In("Incoming/a.mp3"));
    EXPECT_TRUE(In("Incoming/b.mp3"));
    EXPECT_TRUE(ui.shown.empty()) << Shown();
    EXPECT_FALSE(window->mblnProcessRunning);
    EXPECT_TRUE(window->mbuttonScan.Enabled());
}

TEST_F(SortIntoFoldersWindowTest, AnExistingTargetIsNeverReplacedWithoutAYes) {
    WriteFile(destination + "/Band", "b.mp3", "older file");
    ui.answers = {Mb::No /* keep the existing b.mp3 */, Mb::No /* files without a value stay */};
    window->mnuActionsSortIntoFoldersByID3v1Tag_Click(0);
    EXPECT_EQ(ReadBytes(destination + "/Band/b.mp3"), "older file");
    EXPECT_TRUE(In("Incoming/b.mp3"));
    EXPECT_TRUE(WasShown("File Already Exists")) << Shown();
}

}  // namespace
