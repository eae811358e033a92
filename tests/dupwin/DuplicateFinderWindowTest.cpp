// The Duplicate Finder over a real scan of real files: Find lists the
// matching rows in title order, the Select commands tick them, Delete deletes
// or recycles the ticked files, takes their rows out of both lists and names
// every file it could not delete; the Delete rule, the keys and the close
// check.

#include "mainwin/MainWinSupport.h"

#include "duplicates/DuplicatesModel.h"
#include "duplicates/ui/DuplicateFinder.h"
#include "foundation/FileUtils.h"
#include "foundation/OptionRecords.h"
#include "foundation/ui/ResultsListView.h"
#include "scanning/engine/ScanRecord.h"
#include "scanning/engine/ScanResultsModel.h"
#include "shell/menus/KeyboardState.h"
#include "support/RecordingDesktop.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QStandardPaths>

namespace {

class DuplicateFinderTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        RegisterDuplicateFinderWindow();
        music = work.path() + "/music";
        OpenWindow();
    }
    void TearDown() override {
        if (finder) delete finder.data();
        MainWindowTest::TearDown();
    }
    // Files with (ID3v1 title, ID3v1 artist, ID3v2 title), scanned.
    void ScanFiles(const std::vector<std::array<QString, 4>>& files) {
        for (const auto& [name, v1Title, v1Artist, v2Title] : files) {
            Mp3Recipe r;
            r.v1 = !v1Title.isEmpty() || !v1Artist.isEmpty();
            r.v1Title = v1Title;
            r.v1Artist = v1Artist;
            if (!v2Title.isEmpty()) r.v2 = {{"TIT2", v2Title}};
            WriteFile(music, name, MakeMp3(r));
        }
        Scan(music);
        ASSERT_EQ(window->ScanResults()->rows(), int(files.size())) << Shown();
    }
    void OpenFinder() {
        finder = dynamic_cast<FormDuplicateFinder*>(WindowRegistry::Show(WindowNames::DuplicateFinder));
        ASSERT_TRUE(finder);
    }
    QStringList Listed() const {
        QStringList rows;
        const DuplicatesModel& list = *finder->Duplicates();
        for (int r = 0; r < list.rows(); ++r)
            rows << list.text(r, DuplicateColumn::FileName) + (list.isChecked(r) ? "+" : "");
        return rows;
    }
    QString Status() const { return finder->LabelStatusBar->text(); }

    QString music;
    QPointer<FormDuplicateFinder> finder;
};

TEST_F(DuplicateFinderTest, FindListsEveryMatchingRowInTitleOrderAndReports) {
    ScanFiles({{"a.mp3", "Blue", "Band", ""},
               {"b.mp3", "", "", "BLUE"},
               {"c.mp3", "Other", "Band", ""},
               {"d.mp3", "Apple", "", "blue"},
               {"e.mp3", "apple", "", ""},
               {"f.mp3", "", "", ""},
               {"g.mp3", "", "", ""}});
    // An unchecked results row takes no part.
    window->ScanResults()->setChecked(RowOf(*window->ScanResults(), "e.mp3"), false);
    Options().Preferences.blnDisplayMessageBox = true;
    OpenFinder();
    EXPECT_EQ(finder->Caption(), "Duplicate Finder");
    EXPECT_EQ(Status(), "For Help, press F1");
    EXPECT_FALSE(finder->mbuttonDelete.Enabled());
    EXPECT_FALSE(finder->mbuttonStop.Enabled());

    finder->BtnFind_Click();
    // Sorted by the ID3v1 title: the empty ones first, in the order found.
    EXPECT_EQ(Listed(), QStringList({"b.mp3", "d.mp3", "a.mp3"}));
    EXPECT_EQ(Status(), "3 duplicates found");
    ASSERT_FALSE(ui.shown.empty());
    EXPECT_EQ(ui.shown.back().prompt, "3 duplicates found. ");
    EXPECT_EQ(ui.shown.back().title, "Duplicate Finder");
    // After the job everything is on again but Stop.
    EXPECT_TRUE(finder->mbuttonFind.Enabled());
    EXPECT_TRUE(finder->mbuttonDelete.Enabled());
    EXPECT_FALSE(finder->mbuttonStop.Enabled());
    EXPECT_TRUE(window->ScanResults()->rows() == 7);

    // A second Find replaces the list; with the preference off no box.
    Options().Preferences.blnDisplayMessageBox = false;
    const size_t boxes = ui.shown.size();
    window->ScanResults()->setAllChecked(false);
    finder->BtnFind_Click();
    EXPECT_TRUE(Listed().isEmpty());
    EXPECT_EQ(Status(), "0 duplicates found");
    EXPECT_EQ(ui.shown.size(), boxes);
}

TEST_F(DuplicateFinderTest, SelectRulesTickRowsAndTheDeleteRuleFollowsTheTicks) {
    ScanFiles({{"1.mp3", "Song", "Band", ""},
               {"2.mp3", "song", "Other", ""},
               {"3.mp3", "SONG", "band", ""},
               {"4.mp3", "Tune", "X", ""},
               {"5.mp3", "tune", "X", ""}});
    OpenFinder();
    finder->BtnFind_Click();
    ASSERT_EQ(Listed(), QStringList({"1.mp3", "2.mp3", "3.mp3", "4.mp3", "5.mp3"}));
    finder->mnuActionsSelectAllDupsBarOne_Click();
    EXPECT_EQ(Listed(), QStringList({"1.mp3", "2.mp3+", "3.mp3+", "4.mp3", "5.mp3+"}));
    finder->mnuActionsSelectAllDupsWithSameArtistBarOne_Click();
    EXPECT_EQ(Listed(), QStringList({"1.mp3", "2.mp3", "3.mp3+", "4.mp3", "5.mp3+"}));
    finder->mnuActionsSelectAllDups_Click();
    EXPECT_EQ(Listed(), QStringList({"1.mp3+", "2.mp3+", "3.mp3+", "4.mp3+", "5.mp3+"}));
    EXPECT_TRUE(finder->mbuttonDelete.Enabled());

    // The user's own ticks: the last untick turns Delete off, a tick on.
    DuplicatesModel& list = *finder->Duplicates();
    for (int r = 0; r < list.rows(); ++r) list.setData(list.index(r, 0), Qt::Unchecked, Qt::CheckStateRole);
    EXPECT_FALSE(finder->mbuttonDelete.Enabled());
    list.setData(list.index(2, 0), Qt::Checked, Qt::CheckStateRole);
    EXPECT_TRUE(finder->mbuttonDelete.Enabled());

    // The Select items need a selected row; File Information and Play an existing file.
    finder->ListViewDuplicates->setCurrentIndex(QModelIndex());
    finder->ListViewDuplicates->clearSelection();
    finder->ActionsMenuRootSelect();
    EXPECT_FALSE(finder->mnuActionsSelectAllDups->isEnabled());
    EXPECT_FALSE(finder->mnuActionsPlay->isEnabled());
    finder->ListViewDuplicates->setCurrentIndex(list.index(1, 0));
    finder->ActionsMenuRootSelect();
    EXPECT_TRUE(finder->mnuActionsSelectAllDupsBarOne->isEnabled());
    EXPECT_TRUE(finder->mnuActionsFileInfo->isEnabled());
    RecordingDesktop desktop;
    finder->mnuActionsPlay_Click();
    EXPECT_EQ(desktop.opened, QStringList{music + "/2.mp3"});
    QFile::remove(music + "/2.mp3");
    finder->ActionsMenuRootSelect();
    EXPECT_FALSE(finder->mnuActionsPlay->isEnabled());
}

TEST_F(DuplicateFinderTest, DeleteRemovesTheTickedFilesAndTheirRowsInBothLists) {
    Options().Preferences.blnUseRecycleBin = false;
    ScanFiles({{"1.mp3", "Song", "", ""}, {"2.mp3", "song", "", ""}, {"3.mp3", "Song", "", ""},
               {"4.mp3", "Alone", "", ""}});
    OpenFinder();
    finder->BtnFind_Click();
    finder->mnuActionsSelectAllDupsBarOne_Click();
    ASSERT_EQ(Listed(), QStringList({"1.mp3", "2.mp3+", "3.mp3+"}));

    // No: nothing is touched and nothing reported.
    ui.answers = {Mb::No};
    finder->BtnDelete_Click();
    EXPECT_TRUE(FileExists(music + "/2.mp3"));
    EXPECT_EQ(ui.shown.back().title, "Delete Selected Files");
    EXPECT_EQ(ui.shown.back().prompt, "Are you sure you wish to delete all the selected files?");
    EXPECT_EQ(ui.shown.back().style, Mb::YesNo | Mb::Exclamation);

    ui.answers = {Mb::Yes};
    finder->BtnDelete_Click();
    EXPECT_FALSE(FileExists(music + "/2.mp3"));
    EXPECT_FALSE(FileExists(music + "/3.mp3"));
    EXPECT_TRUE(FileExists(music + "/1.mp3"));
    EXPECT_EQ(Listed(), QStringList({"1.mp3"}));
    EXPECT_EQ(Status(), "2 files successfully deleted");
    // The results list loses the rows of the deleted files, the others stay.
    EXPECT_EQ(FileNames(*window->ScanResults()), QStringList({"1.mp3", "4.mp3"}));
    EXPECT_TRUE(finder->mbuttonDelete.Enabled());  // the end of a job turns it on
}

TEST_F(DuplicateFinderTest, FilesThatCannotBeDeletedAreNamedAndNotCounted) {
    ScanFiles({{"1.mp3", "Song", "", ""}, {"2.mp3", "song", "", ""}, {"3.mp3", "SONG", "", ""}});
    OpenFinder();
    finder->BtnFind_Click();
    finder->mnuActionsSelectAllDups_Click();
    QFile::remove(music + "/2.mp3");  // gone since the scan
    // Recycling is on and the trash cannot be made: no permanent delete instead.
    Options().Preferences.blnUseRecycleBin = true;
    QFile blocker(home.file("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QByteArray oldData = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", home.file("blocker/data").toUtf8());
    QStandardPaths::setTestModeEnabled(false);
    ui.answers = {Mb::Yes};
    finder->BtnDelete_Click();
    QStandardPaths::setTestModeEnabled(true);
    qputenv("XDG_DATA_HOME", oldData);

    EXPECT_TRUE(FileExists(music + "/1.mp3"));
    EXPECT_TRUE(FileExists(music + "/3.mp3"));
    EXPECT_EQ(Listed(), QStringList({"1.mp3+", "2.mp3+", "3.mp3+"}));
    EXPECT_EQ(Status(), "0 files successfully deleted");
    const ShownBox& box = ui.shown.back();
    EXPECT_EQ(box.title, "Duplicate Finder");
    EXPECT_TRUE(box.prompt.startsWith("0 files successfully deleted. These files were not deleted:")) << box.prompt;
    EXPECT_TRUE(box.prompt.contains(music + "/2.mp3 (file not found)")) << box.prompt;
    EXPECT_TRUE(box.prompt.contains(music + "/3.mp3 (")) << box.prompt;
    EXPECT_TRUE(box.prompt.contains(music + "/1.mp3 (")) << box.prompt;
    EXPECT_EQ(window->ScanResults()->rows(), 3);
}

TEST_F(DuplicateFinderTest, KeysActOnlyOnButtonsThatAreOnAndTheWindowClosesWhenIdle) {
    ScanFiles({{"1.mp3", "Song", "", ""}, {"2.mp3", "song", "", ""}});
    OpenFinder();
    ui.answers = {Mb::Yes};
    finder->ProcessShortcutKeys(76, ShiftBit::Alt);  // Alt+L: Delete is off
    EXPECT_TRUE(ui.shown.empty()) << Shown();
    finder->ProcessShortcutKeys(68, ShiftBit::Alt);  // Alt+D: Find
    EXPECT_EQ(Listed(), QStringList({"1.mp3", "2.mp3"}));
    finder->ProcessShortcutKeys(83, ShiftBit::Alt);  // Alt+S: no job, nothing
    EXPECT_FALSE(finder->mblnStopAll);
    EXPECT_EQ(finder->HelpTopic(), 4);

    // Refused while a job runs, closed after it.
    finder->mblnProcessRunning = true;
    finder->UnloadWindow();
    EXPECT_TRUE(WindowRegistry::Find(WindowNames::DuplicateFinder));
    EXPECT_TRUE(WasShown("Process Running")) << Shown();
    finder->mblnProcessRunning = false;
    finder->mnuFileExit_Click();
    Settle();
    EXPECT_FALSE(WindowRegistry::Find(WindowNames::DuplicateFinder));
}

}  // namespace
