// The Actions menu of the scanning centre: which items it enables, Check
// All and Uncheck All, and Scan From Playlist.

#include "mainwin/MainWinSupport.h"

#include "foundation/MessageUi.h"
#include "foundation/OptionRecords.h"
#include "scanning/engine/ScanResultsModel.h"
#include "scanning/ui/ScanResultsView.h"
#include "scanning/ui/WindowServices.h"
#include "foundation/Twips.h"
#include "scanning/ui/FolderTree.h"

#include <QLabel>
#include <QPushButton>

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QItemSelectionModel>

namespace {

class ActionsTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        folder = work.path() + QStringLiteral("/Music");
        for (int i = 1; i <= 3; ++i) WriteFile(folder, QStringLiteral("%1.mp3").arg(i), MakeMp3({}));
        playlist = WriteFile(work.path(), "list.m3u", "#EXTM3U\r\n");
        OpenWindow();
    }

    ScanResultsModel& rows() { return *window->ScanResults(); }

    QString folder, playlist;
};

TEST_F(ActionsTest, ItemsFollowTheListAndItsSelectedFile) {
    window->ActionsMenuRootSelect();
    for (QAction* item : {window->mnuActionsSortIntoFolders, window->mnuActionsCheckAll, window->mnuActionsUncheckAll,
                          window->mnuActionsFileInfo, window->mnuActionsPlay})
        EXPECT_FALSE(item->isEnabled()) << item->objectName();
    // Scanning a playlist into an empty list stays possible.
    EXPECT_TRUE(window->mnuActionsScanFromPlaylist->isEnabled());
    EXPECT_TRUE(window->mnuActionsCustCols->isEnabled());

    Scan(folder);
    window->ActionsMenuRootSelect();
    EXPECT_TRUE(window->mnuActionsCheckAll->isEnabled());
    EXPECT_FALSE(window->mnuActionsFileInfo->isEnabled());  // no row selected
    window->ListViewScanResults->setCurrentIndex(window->ListViewScanResults->model()->index(1, 0));
    window->ActionsMenuRootSelect();
    EXPECT_TRUE(window->mnuActionsFileInfo->isEnabled());
    EXPECT_TRUE(window->mnuActionsPlay->isEnabled());
}

TEST_F(ActionsTest, CheckAllAndUncheckAllTouchOnlyTheMarks) {
    Scan(folder);
    const QStringList order = FileNames(rows());
    window->mnuActionsUncheckAll_Click();
    EXPECT_EQ(rows().checkedCount(), 0);
    window->mnuActionsCheckAll_Click();
    EXPECT_EQ(rows().checkedCount(), 3);
    EXPECT_EQ(FileNames(rows()), order);
}

TEST_F(ActionsTest, ScanFromPlaylistMakesRowsOfItsEntries) {
    QString asked;
    SetPlaylistFileReader([&](const QString& path, QStringList& entries) {
        asked = path;
        entries = {folder + "/2.mp3", "relative/missing.mp3", folder + "/1.mp3"};
        return 0;
    });
    Scan(folder);
    dialogs.answers.push_back(ScriptedDialogs::ChooseFile(playlist));
    window->mnuActionsScanFromPlaylist_Click();
    EXPECT_EQ(asked, playlist);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "Scan Playlist");
    EXPECT_EQ(dialogs.shown[0].filter, "Playlist Files (*.m3u,*.pls,*.b4s)|*.m3u;*.pls;*.b4s");
    // ClearResults on: the playlist's files replace the list, in its order.
    EXPECT_EQ(FileNames(rows()), (QStringList{"2.mp3", "missing.mp3", "1.mp3"})) << Shown();
    // A missing entry keeps its relative folder and empty cells.
    EXPECT_EQ(CellOf(rows(), "missing.mp3", ScanColumn::Folder), "relative");
    EXPECT_EQ(CellOf(rows(), "missing.mp3", ScanColumn::Size), "0");
    EXPECT_EQ(window->mstrLastScannedFolder, folder);  // a playlist scan does not change it
    EXPECT_EQ(window->LabelStatusBar->text(), "Scan complete");

    Options().ScanningCentre.blnClearResults = false;
    dialogs.answers.push_back(ScriptedDialogs::ChooseFile(playlist));
    window->mnuActionsScanFromPlaylist_Click();
    EXPECT_EQ(rows().rows(), 6);
    EXPECT_FALSE(window->mblnProcessRunning);
}

TEST_F(ActionsTest, ScanFromPlaylistRefusesWhatIsNoPlaylist) {
    Scan(folder);
    SetPlaylistFileReader([](const QString&, QStringList&) { return 3; });
    dialogs.answers.push_back(ScriptedDialogs::ChooseFile(playlist));
    window->mnuActionsScanFromPlaylist_Click();
    ASSERT_EQ(ui.shown.size(), 1u) << Shown();
    EXPECT_EQ(ui.shown[0].title, "Invalid Playlist File");
    EXPECT_EQ(ui.shown[0].prompt, "This is not a valid playlist file.");
    EXPECT_EQ(rows().rows(), 3);

    // Cancelled: nothing happens and the window is idle again.
    window->mnuActionsScanFromPlaylist_Click();
    EXPECT_EQ(rows().rows(), 3);
    EXPECT_FALSE(window->mblnProcessRunning);
    EXPECT_TRUE(window->mbuttonScan.Enabled());
}

TEST_F(ActionsTest, TheWindowKeepsItsMinimumSize) {
    window->showNormal();
    window->resize(50, 50);
    EXPECT_GE(window->width(), TwipsToPixelsX(8000) - 1);
    EXPECT_GE(window->height(), TwipsToPixelsY(5280) - 1);
    // The list fills the space under the menu bar; the tree leaves room for the buttons.
    window->resize(TwipsToPixelsX(12000), TwipsToPixelsY(9000));
    EXPECT_GT(window->ListViewScanResults->height(), window->FolderTreeview->height());
    EXPECT_LT(window->BtnScan->geometry().bottom(), window->LabelStatusBar->y());
}

}  // namespace

namespace {

TEST_F(ActionsTest, TheEditMenuActsOnTheSelectedRows) {
    Scan(folder);
    QAbstractItemModel* shown = window->ListViewScanResults->model();
    window->ListViewScanResults->selectionModel()->select(
        shown->index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    window->mnuEdit_Click(3);  // Delete: the row goes, the file stays
    EXPECT_EQ(FileNames(rows()), (QStringList{"1.mp3", "3.mp3"}));
    EXPECT_TRUE(QFileInfo::exists(folder + "/2.mp3"));
}

}  // namespace
