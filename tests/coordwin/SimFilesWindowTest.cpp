// ".sim" files through the coordinator window (File Open and Save, a dropped
// file, the command line), rows dragged in from the results list, and the
// window's place in the program (registry, settings across runs).

#include "coordwin/CoordWinSupport.h"

#include "coordinator/ui/SimResultsView.h"
#include "foundation/AppPaths.h"
#include "foundation/ListFiles.h"
#include "foundation/SettingsStore.h"
#include "scanning/engine/ScanResultsModel.h"
#include "scanning/ui/ScanResultsView.h"
#include "shell/menus/ui/Menus.h"
#include "shell/start/ui/StartHost.h"

#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QScopeGuard>
#include <QUrl>

namespace {

using Row = SimRowTexts;

class SimFilesTest : public CoordinatorWindowTest {
protected:
    void SetUp() override {
        CoordinatorWindowTest::SetUp();
        OpenCoordinator();
    }
    QString StoredLocation() const {
        return GetOptionSetting(QStringLiteral("Settings"), QStringLiteral("SimulateResultsLocation"), QString(),
                                SettingType::String)
            .toString();
    }
    QString saved = work.path() + QStringLiteral("/Saved");
};

TEST_F(SimFilesTest, SaveThenOpenGivesBackEveryRowWithItsTickAndCells) {
    SimResultsModel& table = *coordinator->SimResults();
    table.appendDerivedRow(Row{"a.mp3", "/m/one", "1", "Al", "Ar", "Ti", "01 - Ar - Ti.mp3", "Change"},
                           Options().CoordinatorAdv);
    table.appendDerivedRow(Row{"b.mp3", "/m/two", "", "", "", "", "b.mp3", "No Change"}, Options().CoordinatorAdv);
    table.appendRow(true, Row{"c.mp3", "/m/two", "7", "Ü ñ", "x", "y", "c.mp3", "Whatever"});
    coordinator->EnableControls(true);
    // A tab typed into a cell must not split the saved row.
    SelectRow(0);
    coordinator->TextTitle->setText(QStringLiteral("Tab\there"));
    QDir().mkpath(saved);
    const QString file = saved + QStringLiteral("/run.sim");
    // The program's folder, with the "Results" folder it ships with.
    const QString app = work.path() + QStringLiteral("/app");
    QDir().mkpath(app + QStringLiteral("/Results"));
    SetAppPathForTesting(app);
    const auto appBack = qScopeGuard([] { SetAppPathForTesting(QString()); });

    dialogs.answers.push_back(ScriptedDialogs::ChooseFile(file));
    coordinator->mnuFileSave_Click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "Save Simulate Results");
    EXPECT_EQ(dialogs.shown[0].filter, "Simulate Results (*.sim)|*.sim");
    EXPECT_EQ(dialogs.shown[0].initDir, AppPath() + QStringLiteral("/Results"));
    EXPECT_EQ(StoredLocation(), saved);

    const QByteArray bytes = ReadBytes(file);
    EXPECT_TRUE(bytes.startsWith("ListViewSimResults\r\n")) << bytes.constData();
    EXPECT_EQ(bytes.count("\r\n"), 4);  // the name and three rows, one line each
    // The tab is kept, as ESC and its code, without splitting the row.
    EXPECT_TRUE(
        bytes.contains("1a.mp3\t/m/one\t1\tAl\tAr\tTab\x1b" + QByteArray("09here\t01 - Ar - Ti.mp3\tChange\t\r\n")))
        << bytes.constData();
    EXPECT_TRUE(bytes.contains("0b.mp3\t")) << bytes.constData();

    std::vector<Row> before;
    for (int r = 0; r < table.rows(); ++r) before.push_back(table.rowTexts(r));
    EXPECT_EQ(before[0][SimColumn::Title], QStringLiteral("Tab\there"));
    table.clear();
    dialogs.answers.push_back(ScriptedDialogs::ChooseFile(file));
    coordinator->mnuFileOpen_Click();
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[1].title, "Load Simulate Results");
    EXPECT_EQ(dialogs.shown[1].initDir, saved);
    ASSERT_EQ(table.rows(), 3);
    for (int r = 0; r < 3; ++r) EXPECT_EQ(table.rowTexts(r), before[size_t(r)]);
    // Loaded rows keep the file's ticks and the list's own colour.
    EXPECT_TRUE(table.isChecked(0));
    EXPECT_FALSE(table.isChecked(1));
    EXPECT_TRUE(table.isChecked(2));
    for (int r = 0; r < 3; ++r) EXPECT_FALSE(table.colour(r).has_value());
    EXPECT_TRUE(coordinator->mbuttonApply.Enabled());
}

TEST_F(SimFilesTest, SavingOverAnOldFileReplacesItWholeAndLeavesNoTemporaryFile) {
    QDir().mkpath(saved);
    const QString file = saved + QStringLiteral("/run.sim");
    WriteFile(saved, QStringLiteral("run.sim"), QByteArray(100000, 'x'));
    coordinator->SimResults()->appendRow(true, Row{"a.mp3", "/m", "", "", "", "", "a.mp3", "Change"});
    dialogs.answers.push_back(ScriptedDialogs::ChooseFile(file));
    coordinator->mnuFileSave_Click();
    EXPECT_EQ(ReadBytes(file), QByteArray("ListViewSimResults\r\n1a.mp3\t/m\t\t\t\t\ta.mp3\tChange\t\r\n"));
    EXPECT_EQ(QDir(saved).entryList(QDir::Files | QDir::Hidden), QStringList{"run.sim"});
}

TEST_F(SimFilesTest, SavingAnEmptyListWritesNothingAndStoresNoFolder) {
    coordinator->mnuFileSave_Click();
    EXPECT_TRUE(dialogs.shown.empty());
    ASSERT_TRUE(WasShown("List Empty")) << Shown();
    EXPECT_EQ(ui.shown.back().prompt,
              "There are no Simulate Results to save. Please use the Simulate button to simulate changes on MP3's in "
              "the top table before saving Results.");
    EXPECT_EQ(StoredLocation(), QString());
    EXPECT_FALSE(coordinator->mblnProcessRunning);
}

TEST_F(SimFilesTest, OpenRefusesAScanResultsFileAndKeepsTheRowsButRemembersTheFolder) {
    coordinator->SimResults()->appendRow(true, Row{"kept.mp3", "/m", "", "", "", "", "kept.mp3", "Change"});
    const QString scn = WriteFile(saved, QStringLiteral("list.sim"), "ListViewScanResults\r\n1a.mp3\t/m\t\r\n");
    dialogs.answers.push_back(ScriptedDialogs::ChooseFile(scn));
    coordinator->mnuFileOpen_Click();
    ASSERT_TRUE(WasShown("Invalid File")) << Shown();
    EXPECT_EQ(ui.shown.back().prompt, "This is not a valid Simulate Results file.");
    EXPECT_EQ(OldNames(), QStringList{"kept.mp3"});
    EXPECT_EQ(StoredLocation(), saved);

    // A cancelled Open stores nothing new and ends the job.
    coordinator->mnuFileOpen_Click();
    EXPECT_EQ(dialogs.shown.back().initDir, saved);
    EXPECT_FALSE(coordinator->mblnProcessRunning);
    EXPECT_EQ(OldNames(), QStringList{"kept.mp3"});
}

TEST_F(SimFilesTest, OneDroppedSimFileReplacesTheRowsAndTwoAreNotTaken) {
    const QString file =
        WriteFile(saved, QStringLiteral("DROPPED.SIM"), "ListViewSimResults\r\n0x.mp3\t/m\t\t\t\t\tx.mp3\tDelete\t\r\n");
    const QString other = WriteFile(saved, QStringLiteral("other.sim"), "ListViewSimResults\r\n");
    coordinator->SimResults()->appendRow(true, Row{"old.mp3", "/m", "", "", "", "", "old.mp3", "Change"});

    EXPECT_TRUE(coordinator->ListViewSimResults_OLEDragOver({file}));
    EXPECT_FALSE(coordinator->ListViewSimResults_OLEDragOver({file, other}));
    EXPECT_FALSE(coordinator->ListViewSimResults_OLEDragOver({saved + QStringLiteral("/song.mp3")}));
    EXPECT_FALSE(coordinator->ListViewSimResults_OLEDragOver({}));

    // Through the view, as a file manager drops it.
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(file)});
    QWidget* viewport = coordinator->ListViewSimResults->viewport();
    const QPoint at(10, 10);
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &enter);
    QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &move);
    QDropEvent drop(QPointF(at), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(drop.dropAction(), Qt::CopyAction);
    Settle();
    EXPECT_EQ(OldNames(), QStringList{"x.mp3"});
    EXPECT_FALSE(coordinator->SimResults()->isChecked(0));
    EXPECT_FALSE(coordinator->mblnProcessRunning);
    // A drop shows no end message.
    EXPECT_FALSE(WasShown(coordinator->windowTitle())) << Shown();
}

TEST_F(SimFilesTest, RowsDraggedFromTheResultsListAreAppendedInListOrder) {
    ScanFiles({"01 - Cher - Believe.mp3", "02 - Blur - Song 2.mp3", "03 - Suede - Trash.mp3", "04 - Pulp - Babies.mp3"});
    coordinator->SimResults()->appendRow(true, Row{"first.mp3", "/m", "", "", "", "", "first.mp3", "Change"});
    ScanResultsView* list = window->ListViewScanResults;
    // Selected from the bottom up: the rows still come in the list's order.
    for (const char* name : {"04 - Pulp - Babies.mp3", "01 - Cher - Believe.mp3", "03 - Suede - Trash.mp3"})
        list->selectionModel()->select(list->model()->index(::RowOf(*window->ScanResults(), name), 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    window->mblnDragInProcess = true;
    EXPECT_TRUE(coordinator->ListViewSimResults_OLEDragOver(list->SelectedPaths()));
    window->mblnDragInProcess = false;
    coordinator->ListViewSimResults_OLEDragDrop(list->SelectedPaths());

    QStringList expected{"first.mp3"};
    for (int r = 0; r < window->ScanResults()->rows(); ++r)
        if (list->selectionModel()->isRowSelected(r, QModelIndex()))
            expected << window->ScanResults()->text(r, ScanColumn::FileName);
    EXPECT_EQ(OldNames(), expected);
    EXPECT_EQ(RowOf("03 - Suede - Trash.mp3")[SimColumn::Artist], "Suede");
    EXPECT_EQ(coordinator->ProgBar->value(), 0);  // the job's end puts it back
    EXPECT_TRUE(coordinator->mbuttonApply.Enabled());
    EXPECT_TRUE(coordinator->ListViewSimResults->isVisible());
}

TEST_F(SimFilesTest, ADropWhileAJobRunsShowsProcessRunningAndAddsNothing) {
    const QString file = WriteFile(saved, QStringLiteral("a.sim"), "ListViewSimResults\r\n1x.mp3\t/m\t\t\t\t\tx.mp3\tChange\t\r\n");
    coordinator->mblnProcessRunning = true;
    coordinator->ListViewSimResults_OLEDragDrop({file});
    coordinator->mblnProcessRunning = false;
    EXPECT_TRUE(WasShown("Process Running")) << Shown();
    EXPECT_EQ(coordinator->SimResults()->rows(), 0);
}

TEST_F(SimFilesTest, TheCommandLinesSimFileReachesTheRealTable) {
    CloseCoordinator();
    const QString file =
        WriteFile(saved, QStringLiteral("start.sim"), "ListViewSimResults\r\n1x.mp3\t/m\t\t\t\t\tx.mp3\tChange\t\r\n");
    RegisterFileNameTagCoordinatorWindow();
    StartHost host;
    host.LoadListFile(WindowNames::Coordinator, QStringLiteral("ListViewSimResults"), file,
                      QStringLiteral("This is not a valid Simulate Results file."));
    coordinator = WindowRegistry::FindAs<FormFileNameTagCoordinator>(WindowNames::Coordinator);
    ASSERT_TRUE(coordinator);
    EXPECT_EQ(OldNames(), QStringList{"x.mp3"});
    // The Tools menu and the launcher bar show the same window by its name.
    EXPECT_EQ(WindowRegistry::Show(ToolWindowForItem(ToolsItem::Coordinator)), coordinator.data());
}

TEST_F(SimFilesTest, TheThreeApplySwitchesAndTheSortComeBackInTheNextRun) {
    // Nothing stored yet: all three ticked.
    EXPECT_EQ(coordinator->mcheckChangeFileName.Value(), 1);
    EXPECT_EQ(coordinator->mcheckChangeID3v1Tag.Value(), 1);
    EXPECT_EQ(coordinator->mcheckChangeID3v2Tag.Value(), 1);
    coordinator->mcheckChangeFileName.Click();
    coordinator->mcheckChangeID3v2Tag.Click();
    coordinator->SimResults()->appendRow(true, Row{"a.mp3", "/m", "", "", "", "", "a.mp3", "Change"});
    emit coordinator->ListViewSimResults->ColumnClicked(SimColumn::Title);
    emit coordinator->ListViewSimResults->ColumnClicked(SimColumn::Title);
    OpenCoordinator();
    EXPECT_EQ(coordinator->mcheckChangeFileName.Value(), 0);
    EXPECT_EQ(coordinator->mcheckChangeID3v1Tag.Value(), 1);
    EXPECT_EQ(coordinator->mcheckChangeID3v2Tag.Value(), 0);
    EXPECT_TRUE(coordinator->ListViewSimResults->property("Sorted").toBool());
    EXPECT_EQ(coordinator->ListViewSimResults->property("SortKey").toInt(), SimColumn::Title);
    EXPECT_EQ(coordinator->ListViewSimResults->property("SortOrder").toInt(), 1);
}

}  // namespace
