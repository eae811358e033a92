// The main window's own settings: what the user left (selected folder,
// Include subfolders, the results list's sort and columns, the window's
// place) comes back when the window loads again, and when the whole program
// starts again.

#include "mainwin/MainWinSupport.h"

#include "foundation/SettingsStore.h"
#include "foundation/ui/ListColumns.h"
#include "scanning/engine/ID3v2TagInfo.h"
#include "scanning/ui/FolderTree.h"
#include "scanning/ui/ScanResultsView.h"
#include "foundation/WindowProtocol.h"
#include "shell/start/StartProcedure.h"
#include "options/MainOptions.h"
#include "shell/start/ui/StartHost.h"
#include "shell/ui/ControlUtils.h"
#include "shell/ui/Launcher.h"
#include "cataloguer/ui/MusicCataloguer.h"
#include "app/ui/ProgramWindows.h"

#include <QDir>
#include <QHeaderView>

namespace {

// What a user changes in the main window and expects back.
struct LeftState {
    QString folder;
    int16_t subfolders = 0;
    bool sorted = false;
    int sortKey = 0, sortOrder = 0;
    double width2 = 0, width5 = 0, width6 = 0;
};

LeftState StateOf(FormMP3ScanningCentre& w) {
    LeftState s;
    s.folder = w.FolderTreeview->SelectedFolder();
    s.subfolders = w.mcheckIncSubfolders.Value();
    s.sorted = w.ListViewScanResults->property("Sorted").toBool();
    s.sortKey = w.ListViewScanResults->property("SortKey").toInt();
    s.sortOrder = w.ListViewScanResults->property("SortOrder").toInt();
    s.width2 = ColumnWidthTwips(w.ListViewScanResults, 2);
    s.width5 = ColumnWidthTwips(w.ListViewScanResults, 5);
    s.width6 = ColumnWidthTwips(w.ListViewScanResults, 6);
    return s;
}

// Sets folder, check, a descending sort on the fourth column, a hidden
// sixth column and a wide third one.
void Change(FormMP3ScanningCentre& w, const QString& folder) {
    w.FolderTreeview->SetSelectedFolder(folder);
    w.mcheckIncSubfolders.SetValue(1);
    ChangeSortColumn(w.ListViewScanResults, 4);
    ChangeSortColumn(w.ListViewScanResults, 4);
    SetColumnWidthTwips(w.ListViewScanResults, 5, 0);
    SetColumnWidthTwips(w.ListViewScanResults, 2, 3000);
}

void ExpectAsLeft(const LeftState& s, const QString& folder) {
    EXPECT_EQ(s.folder, folder);
    EXPECT_EQ(s.subfolders, 1);
    EXPECT_TRUE(s.sorted);
    EXPECT_EQ(s.sortKey, 3);
    EXPECT_EQ(s.sortOrder, 1);
    EXPECT_NEAR(s.width2, 3000, 15);
    EXPECT_EQ(s.width5, 0);
    EXPECT_NEAR(s.width6, 1440, 15);
}

}  // namespace

TEST_F(MainWindowTest, TheWindowComesBackAsItWasLeft) {
    const QString folder = work.path() + "/Music/Rock";
    ASSERT_TRUE(QDir().mkpath(folder));
    Change(OpenWindow(), folder);
    CloseWindow();
    EXPECT_EQ(GetOptionSetting("MP3ScanningCentre", "IncludeSubfolders", "", 8).toString(), "1");
    FormMP3ScanningCentre& again = OpenWindow();
    ExpectAsLeft(StateOf(again), folder);
    EXPECT_TRUE(again.ListViewScanResults->header()->isSortIndicatorShown());
    EXPECT_EQ(again.ListViewScanResults->header()->sortIndicatorSection(), 3);
    EXPECT_EQ(again.ListViewScanResults->header()->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_TRUE(ui.shown.empty()) << Shown();
}

TEST_F(MainWindowTest, ABadStoredSortShowsItsErrorAndKeepsWhatWasReadBeforeIt) {
    const QString folder = work.path() + "/Jazz";
    ASSERT_TRUE(QDir().mkpath(folder));
    SaveOptionSetting("MP3ScanningCentre", "SelectedFolder", folder, SettingType::String);
    SaveOptionSetting("MP3ScanningCentre", "IncludeSubfolders", 1, SettingType::Integer);
    SaveOptionSetting("ListViewScanResults", "Sorted", "perhaps", SettingType::String);
    SaveOptionSetting("ListViewScanResults", "3Visible", "False", SettingType::String);
    FormMP3ScanningCentre& w = OpenWindow();
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_TRUE(ui.shown[0].prompt.contains("ReadSortSettings;ListViewScanResults")) << Shown();
    EXPECT_EQ(w.FolderTreeview->SelectedFolder(), folder);
    EXPECT_EQ(w.mcheckIncSubfolders.Value(), 1);
    // The refused sort gets its default back, and the reading goes on to the
    // columns after it.
    EXPECT_EQ(GetOptionSetting("ListViewScanResults", "Sorted", "", SettingType::String).toString(), "0");
    EXPECT_EQ(ColumnWidthTwips(w.ListViewScanResults, 2), 0);
}

// The start procedure twice over, with the real main window: run, change,
// exit through the launcher bar; run again.
TEST_F(MainWindowTest, TheProgramStartsAgainWithTheMainWindowAsLeft) {
    RegisterScanningCentreWindow();
    SetTagLibraryStarter(InitialiseQuillmarkClass);  // as the program wires it (ConnectTools)
    SetMainOptionsReader([] { GetMainOptions(); });
    RegisterMusicCataloguerWindow();
    RegisterLauncherWindow();
    SaveOptionSetting("Preferences", "SplashScreen", false, SettingType::Boolean);
    const QString folder = work.path() + "/Music/Pop";
    ASSERT_TRUE(QDir().mkpath(folder));
    auto run = [&] {
        StartHost host;
        Main(host, {});
        return WindowRegistry::FindAs<FormMP3ScanningCentre>(WindowNames::ScanningCentre);
    };
    auto exit = [&] {
        FormIntegrator::Instance()->BtnExit_Click();
        Settle();
        ASSERT_TRUE(WindowRegistry::Loaded().empty());
    };

    FormMP3ScanningCentre* first = run();
    ASSERT_NE(first, nullptr);
    Change(*first, folder);
    first->move(first->pos() + QPoint(37, 23));
    const QPoint place = first->pos();
    FormIntegrator::Instance()->CheckStayOnTop_Click();  // off
    exit();

    FormMP3ScanningCentre* second = run();
    ASSERT_NE(second, nullptr);
    ExpectAsLeft(StateOf(*second), folder);
    EXPECT_NEAR(second->pos().x(), place.x(), 2);
    EXPECT_NEAR(second->pos().y(), place.y(), 2);
    EXPECT_EQ(FormIntegrator::Instance()->mintCheckStayOnTop, 0);
    EXPECT_TRUE(ui.shown.empty()) << Shown();
    exit();
}
