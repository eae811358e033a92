// Scan-results files through the window (Open, Save, a dropped ".scn"), and
// the list's sorting by a column header.

#include "mainwin/MainWinSupport.h"

#include "foundation/OptionRecords.h"

#include "foundation/AppPaths.h"
#include "foundation/ListFiles.h"
#include "foundation/SettingsStore.h"
#include "scanning/engine/ScanResultsModel.h"
#include "scanning/ui/ScanResultsView.h"

#include <QDir>
#include <QHeaderView>

namespace {

class ListFilesWindowTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        folder = work.path() + QStringLiteral("/Music");
        const char* const titles[] = {"Charlie", "alpha", "Bravo"};
        int n = 0;
        for (const char* title : titles) {
            Mp3Recipe recipe;
            recipe.v1 = true;
            recipe.v1Title = QString::fromLatin1(title);
            WriteFile(folder, QStringLiteral("%1.mp3").arg(++n), MakeMp3(recipe));
        }
        OpenWindow();
        Scan(folder);
    }

    ScanResultsModel& rows() { return *window->ScanResults(); }

    QString StoredLocation() {
        return GetOptionSetting("Settings", "ScanResultsLocation", "(none)", 8).toString();
    }

    QString folder;
};

TEST_F(ListFilesWindowTest, SavedRowsComeBackWithTheirChecksAndCells) {
    ASSERT_EQ(rows().rows(), 3);
    rows().setChecked(1, false);
    // A cell holding a tab and line ends must not split its row.
    rows().setText(0, ScanColumn::ID3v1Comment, "a\tb\r\nc");
    const QString file = work.path() + "/saved.scn";
    dialogs.answers.push_back(ScriptedDialogs::ChooseFile(file));
    window->mnuFileSave_Click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "Save Scan Results");
    EXPECT_EQ(dialogs.shown[0].filter, "Scan Results (*.scn)|*.scn");
    EXPECT_EQ(dialogs.shown[0].initDir, QDir::homePath());  // nothing stored yet
    EXPECT_EQ(dialogs.shown[0].flags, 4102);
    EXPECT_EQ(StoredLocation(), work.path());
    const QList<QByteArray> lines = ReadBytes(file).split('\n');
    EXPECT_EQ(lines[0], "ListViewScanResults\r");
    EXPECT_EQ(lines.size(), 5);  // name, three rows, nothing after the last CR LF

    const QList<QStringList> before = [&] {
        QList<QStringList> all;
        for (int r = 0; r < rows().rows(); ++r) all << rows().rowTexts(r);
        return all;
    }();
    OpenWindow();
    ASSERT_EQ(rows().rows(), 0);
    dialogs.answers.push_back(ScriptedDialogs::ChooseFile(file));
    window->mnuFileOpen_Click();
    EXPECT_EQ(dialogs.shown.back().title, "Load Scan Results");
    EXPECT_EQ(dialogs.shown.back().initDir, work.path());
    ASSERT_EQ(rows().rows(), 3);
    EXPECT_TRUE(rows().isChecked(0));
    EXPECT_FALSE(rows().isChecked(1));
    for (int r = 0; r < 3; ++r) EXPECT_EQ(rows().rowTexts(r), before[r]);
    EXPECT_FALSE(window->mblnProcessRunning);
    EXPECT_TRUE(ui.shown.empty()) << Shown();
}

TEST_F(ListFilesWindowTest, AFileOfAnotherListIsRefusedButItsFolderKept) {
    const QString file = WriteFile(work.path() + "/elsewhere", "other.scn", "ListViewSimResults\r\n1a\tb\t\r\n");
    dialogs.answers.push_back(ScriptedDialogs::ChooseFile(file));
    window->mnuFileOpen_Click();
    ASSERT_EQ(ui.shown.size(), 1u) << Shown();
    EXPECT_EQ(ui.shown[0].title, "Invalid File");
    EXPECT_EQ(ui.shown[0].prompt, "This is not a valid Scan Results file.");
    EXPECT_EQ(rows().rows(), 3);
    EXPECT_EQ(StoredLocation(), work.path() + "/elsewhere");
}

TEST_F(ListFilesWindowTest, CancelledDialogsAndEmptyListsChangeNothing) {
    window->mnuFileOpen_Click();  // cancelled
    window->mnuFileSave_Click();  // cancelled
    EXPECT_EQ(StoredLocation(), "(none)");
    EXPECT_EQ(rows().rows(), 3);
    EXPECT_TRUE(ui.shown.empty()) << Shown();

    OpenWindow();
    window->mnuFileSave_Click();
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].title, "Insufficient Scan Results");
    EXPECT_TRUE(dialogs.shown.size() == 2u);  // no save dialog for the empty list
    EXPECT_FALSE(window->mblnProcessRunning);
}

TEST_F(ListFilesWindowTest, ADroppedListFileReplacesTheRows) {
    const QString file = WriteFile(work.path(), "DROPPED.SCN",
                                   "ListViewScanResults\r\n0x.mp3\t/some/folder\t\r\n1y.mp3\t/other\t\r\n");
    Options().ScanningCentre.blnClearResults = false;
    window->ListViewScanResults_OLEDragDrop({file});
    ASSERT_EQ(FileNames(rows()), (QStringList{"x.mp3", "y.mp3"}));
    EXPECT_FALSE(rows().isChecked(0));
    EXPECT_EQ(rows().text(1, ScanColumn::Folder), "/other");
    EXPECT_EQ(StoredLocation(), "(none)");  // only the File menu moves it

    // With an MP3 beside it, the list file is just another dropped file.
    window->ListViewScanResults_OLEDragDrop({file, folder + "/1.mp3"});
    EXPECT_EQ(FileNames(rows()), (QStringList{"x.mp3", "y.mp3", "DROPPED.SCN", "1.mp3"}));
}

TEST_F(ListFilesWindowTest, HeaderClicksSortAndTheSortIsRemembered) {
    // The list sorts as the user's language orders texts, ignoring case.
    const QLocale oldLocale;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    struct Restore {
        QLocale locale;
        ~Restore() { QLocale::setDefault(locale); }
    } restore{oldLocale};
    ScanResultsView* list = window->ListViewScanResults;
    emit list->ColumnClicked(ScanColumn::ID3v1Title);
    auto titles = [&] {
        QStringList t;
        for (int r = 0; r < rows().rows(); ++r) t << rows().text(r, ScanColumn::ID3v1Title);
        return t;
    };
    EXPECT_EQ(titles(), (QStringList{"alpha", "Bravo", "Charlie"}));
    emit list->ColumnClicked(ScanColumn::ID3v1Title);
    EXPECT_EQ(titles(), (QStringList{"Charlie", "Bravo", "alpha"}));
    EXPECT_EQ(list->header()->sortIndicatorSection(), ScanColumn::ID3v1Title);
    EXPECT_EQ(list->header()->sortIndicatorOrder(), Qt::DescendingOrder);

    CloseWindow();
    EXPECT_EQ(GetOptionSetting("ListViewScanResults", "Sorted", "False", 11).toBool(), true);
    EXPECT_EQ(GetOptionSetting("ListViewScanResults", "SortKey", "0", 2).toInt(), ScanColumn::ID3v1Title);
    EXPECT_EQ(GetOptionSetting("ListViewScanResults", "SortOrder", "0", 2).toInt(), 1);

    // The next window sorts its rows the same way as they arrive.
    OpenWindow();
    Scan(folder);
    EXPECT_EQ(titles(), (QStringList{"Charlie", "Bravo", "alpha"})) << Shown();
    EXPECT_TRUE(window->ListViewScanResults->header()->isSortIndicatorShown());
}

}  // namespace

namespace {

TEST_F(ListFilesWindowTest, CodeThatKnowsOnlyTheListCanLoadItsFiles) {
    // The start procedure opens a command line's ".scn" through the list.
    const QString file = WriteFile(work.path(), "cmd.scn", "ListViewScanResults\r\n1z.mp3\t/z\t\r\n");
    auto* list = dynamic_cast<IListFileModel*>(window->ListViewScanResults->model());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->listName(), "ListViewScanResults");
    LoadTextFileToListView(*list, file, "bad");
    EXPECT_EQ(FileNames(rows()), (QStringList{"z.mp3"}));
}

}  // namespace
