// The Playlist Manager's own keys, its refusal to close during a job, and
// Search For File on one entry.

#include "playlistwin/PlaylistWinSupport.h"

#include "playlists/PlaylistModel.h"
#include "scanning/ui/WindowServices.h"

#include <QCoreApplication>

namespace {

class KeysSearchTest : public PlaylistWindowTest {
protected:
    void SetUp() override {
        PlaylistWindowTest::SetUp();
        OpenManager();
        SetFolderBrowser([this](QWidget*, const QString& prompt) {
            prompts << prompt;
            return answer;
        });
    }
    void Select(int row) { manager->SelectRow(row); }
    QStringList prompts;
    QString answer;
};

TEST_F(KeysSearchTest, AltKeysActOnlyOnWhatIsEnabled) {
    manager->ProcessShortcutKeys(83, 4);  // Alt+S: nothing runs
    EXPECT_FALSE(manager->mblnStopAll);
    manager->ProcessShortcutKeys(89, 4);  // Alt+Y: the list is already shown
    EXPECT_EQ(manager->CurrentView(), 1);
    manager->ProcessShortcutKeys(88, 4);  // Alt+X
    EXPECT_EQ(manager->CurrentView(), 2);
    manager->mblnProcessRunning = true;
    manager->EnableControls(false);
    manager->ProcessShortcutKeys(83, 4);  // Alt+S during a job: Stop
    EXPECT_TRUE(manager->mblnStopAll);
    manager->ProcessShortcutKeys(85, 4);  // Alt+U: Auto-Tidy is off during a job
    EXPECT_TRUE(ui.shown.empty()) << Shown();
    manager->mblnProcessRunning = false;
    manager->EnableControls(true);
}

TEST_F(KeysSearchTest, TheWindowStaysOpenWhileAJobRuns) {
    manager->mblnProcessRunning = true;
    manager->mnuFileExit_Click();
    Settle();
    ASSERT_TRUE(manager);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].title, "Process Running");
    EXPECT_EQ(ui.shown[0].prompt,
              "There is currently a process running in Playlist Manager. Please stop the process before closing the "
              "window.");
    manager->mblnProcessRunning = false;
    manager->mnuFileExit_Click();
    Settle();
    EXPECT_FALSE(manager);
}

TEST_F(KeysSearchTest, SearchForFileRepointsAMissingEntryAndLeavesACorrectOne) {
    const QString song = WriteFile(music + QStringLiteral("/sub"), QStringLiteral("song.mp3"), MakeMp3({}));
    gPlaylistEntries = {{"/old/song.mp3", "Song", 5}, {song, "There", 6}, {"/old/none.mp3", "None", 7}};
    manager->UpdatePlaylistDisplay();

    answer = music;
    Select(0);
    manager->mnuActionsSearchForFile_Click();
    EXPECT_EQ(prompts, QStringList{"Select the start drive or folder to search into:"});
    ASSERT_EQ(ui.shown.size(), 1u) << Shown();
    EXPECT_EQ(ui.shown[0].title, "File Found!");
    EXPECT_EQ(ui.shown[0].prompt, "File found at '" + music + "/sub'.");
    EXPECT_EQ(gPlaylistEntries[0].FileName, song);
    EXPECT_FALSE(manager->Playlist()->isMissing(0));

    ui.shown.clear();
    prompts.clear();
    Select(1);
    manager->mnuActionsSearchForFile_Click();
    EXPECT_TRUE(prompts.isEmpty());
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].prompt, "This playlist entry is already correct.");

    ui.shown.clear();
    Select(2);
    manager->mnuActionsSearchForFile_Click();
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].title, "File Not Found");
    EXPECT_EQ(gPlaylistEntries[2].FileName, "/old/none.mp3");

    // A cancelled folder prompt ends it quietly.
    ui.shown.clear();
    answer.clear();
    manager->mnuActionsSearchForFile_Click();
    EXPECT_TRUE(ui.shown.empty()) << Shown();
}

}  // namespace
