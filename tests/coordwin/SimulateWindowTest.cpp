// The coordinator window over a real scan: Simulate into the checked,
// colour-coded table, its refusals and Stop, the check rule, the row actions
// and the proposed-change boxes.

#include "coordwin/CoordWinSupport.h"

#include "coordinator/ui/SimResultsView.h"
#include "foundation/OptionRecords.h"
#include "foundation/SharedServices.h"
#include "scanning/engine/ScanResultsModel.h"
#include "scanning/ui/ScanResultsView.h"
#include "foundation/Twips.h"
#include "shell/ui/ControlUtils.h"
#include "scanning/ui/FileInfoDialog.h"
#include "support/RecordingDesktop.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QProgressBar>
#include <QScopeGuard>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace {

using Row = SimRowTexts;

class SimulateWindowTest : public CoordinatorWindowTest {};

TEST_F(SimulateWindowTest, SimulatesTheTickedScanRowsInListOrderTickedAndColouredByAction) {
    ScanFiles({"01 - Abba - Waterloo.mp3", "02 - Blur - Song 2.mp3", "Lonely.mp3", "03 - Cher - Believe.mp3"});
    ScanResultsModel& scanned = *window->ScanResults();
    ASSERT_EQ(scanned.rows(), 4);
    // An unticked scan row is passed over.
    scanned.setChecked(::RowOf(scanned, "02 - Blur - Song 2.mp3"), false);

    OpenCoordinator();
    // The last run's rows go first.
    coordinator->SimResults()->appendRow(true, Row{"old.mp3", "/x", "", "", "", "", "old.mp3", "Change"});
    coordinator->BtnSimulate_Click();

    QStringList expectedOrder;
    for (int r = 0; r < scanned.rows(); ++r)
        if (scanned.isChecked(r)) expectedOrder << scanned.text(r, ScanColumn::FileName);
    EXPECT_EQ(OldNames(), expectedOrder);

    const Row cher = RowOf("03 - Cher - Believe.mp3");
    EXPECT_EQ(cher[SimColumn::Folder], music);
    EXPECT_EQ(cher[SimColumn::Track], "3");
    EXPECT_EQ(cher[SimColumn::Artist], "Cher");
    EXPECT_EQ(cher[SimColumn::Title], "Believe");
    EXPECT_EQ(cher[SimColumn::NewFileName], "03 - Cher - Believe.mp3");
    EXPECT_EQ(cher[SimColumn::Action], "Change");

    // Each row's tick and colour follow its action.
    const CoordinatorAdvOptions& adv = Options().CoordinatorAdv;
    const SimResultsModel& table = *coordinator->SimResults();
    for (int r = 0; r < table.rows(); ++r) {
        const QString action = table.text(r, SimColumn::Action);
        SCOPED_TRACE(table.text(r, 0).toStdString() + " " + action.toStdString());
        const int32_t colour = action == "Change"      ? adv.lngColourChange
                               : action == "Change ??" ? adv.lngColourChangeQ
                               : action == "No Change" ? adv.lngColourNoChange
                                                       : adv.lngColourDelete;
        EXPECT_EQ(table.isChecked(r), action != "No Change");
        ASSERT_TRUE(table.colour(r).has_value());
        EXPECT_EQ(*table.colour(r), colour);
        const QVariant shown = coordinator->ListViewSimResults->model()->data(
            coordinator->ListViewSimResults->model()->index(r, 3), Qt::ForegroundRole);
        EXPECT_EQ(shown.value<QColor>(), PaintColour(colour));
    }

    // The end: the status line, and a box since DisplayMessageBox is on.
    EXPECT_TRUE(StatusIs("File name and Tag coordinating Simulate complete"));
    EXPECT_TRUE(WasShown(coordinator->windowTitle())) << Shown();
    EXPECT_TRUE(coordinator->mbuttonApply.Enabled());
    EXPECT_FALSE(coordinator->mbuttonStop.Enabled());
    EXPECT_TRUE(coordinator->ListViewSimResults->isVisible());
    EXPECT_FALSE(coordinator->mblnProcessRunning);
    // The scanning centre is unlocked again.
    EXPECT_TRUE(window->ListViewScanResults->isEnabled());
}

TEST_F(SimulateWindowTest, TheOverrideArtistTakesThePlaceOfEveryArtistAndTypingTicksIt) {
    ScanFiles({"01 - Abba - Waterloo.mp3", "02 - Blur - Song 2.mp3"});
    OpenCoordinator();
    EXPECT_EQ(coordinator->mcheckOverrideArtist.Value(), 0);
    coordinator->TextOverrideArtist->setText(QStringLiteral("various  "));
    EXPECT_EQ(coordinator->mcheckOverrideArtist.Value(), 1);
    coordinator->BtnSimulate_Click();
    EXPECT_EQ(RowOf("01 - Abba - Waterloo.mp3")[SimColumn::Artist], "various  ");
    EXPECT_EQ(RowOf("02 - Blur - Song 2.mp3")[SimColumn::Artist], "various  ");
    // Clearing the box ticks it too; the box's own click unticks it.
    coordinator->mcheckOverrideArtist.Click();
    coordinator->TextOverrideArtist->clear();
    EXPECT_EQ(coordinator->mcheckOverrideArtist.Value(), 1);
}

TEST_F(SimulateWindowTest, RefusalsKeepThePreviousRows) {
    OpenCoordinator();
    coordinator->SimResults()->appendRow(true, Row{"kept.mp3", "/x", "", "", "", "", "kept.mp3", "Change"});

    // An empty results list.
    coordinator->BtnSimulate_Click();
    EXPECT_TRUE(WasShown("Insufficient Scan Results")) << Shown();
    EXPECT_EQ(OldNames(), QStringList{"kept.mp3"});

    // A scan in progress.
    ScanFiles({"01 - Abba - Waterloo.mp3"});
    window->mblnScanInProgress = true;
    coordinator->BtnSimulate_Click();
    window->mblnScanInProgress = false;
    EXPECT_TRUE(WasShown("Scan In Progress")) << Shown();
    EXPECT_EQ(OldNames(), QStringList{"kept.mp3"});

    // A job of the window itself.
    coordinator->mblnProcessRunning = true;
    coordinator->BtnSimulate_Click();
    coordinator->mblnProcessRunning = false;
    EXPECT_TRUE(WasShown("Process Running")) << Shown();
    EXPECT_EQ(OldNames(), QStringList{"kept.mp3"});
}

TEST_F(SimulateWindowTest, NoTickedRowEmptiesTheTableAndCompletes) {
    ScanFiles({"01 - Abba - Waterloo.mp3"});
    window->ScanResults()->setAllChecked(false);
    OpenCoordinator();
    coordinator->SimResults()->appendRow(true, Row{"gone.mp3", "/x", "", "", "", "", "gone.mp3", "Change"});
    coordinator->BtnSimulate_Click();
    EXPECT_EQ(coordinator->SimResults()->rows(), 0);
    EXPECT_TRUE(StatusIs("File name and Tag coordinating Simulate complete"));
    EXPECT_FALSE(coordinator->mbuttonApply.Enabled());
}

TEST_F(SimulateWindowTest, StopEndsTheRunWithTheInterruptedBoxEvenWhenBoxesAreOff) {
    Options().Preferences.blnDisplayMessageBox = false;
    ScanFiles({"01 - Abba - Waterloo.mp3", "02 - Blur - Song 2.mp3"});
    OpenCoordinator();
    // The Stop button is pressed at the run's first yield.
    QTimer::singleShot(0, coordinator, [this] { coordinator->BtnStop_Click(); });
    coordinator->BtnSimulate_Click();
    EXPECT_TRUE(StatusIs("File name and Tag coordinating Simulate interrupted by user"));
    ASSERT_FALSE(ui.shown.empty());
    EXPECT_EQ(ui.shown.back().prompt, "File name and Tag coordinating Simulate interrupted by user. ");
    EXPECT_LT(coordinator->SimResults()->rows(), 2);
}

TEST_F(SimulateWindowTest, TheListIsHiddenAndTheControlsOffWhileAJobRuns) {
    ScanFiles({"01 - Abba - Waterloo.mp3"});
    OpenCoordinator();
    coordinator->BtnSimulate_Click();
    SelectRow(0);
    struct Seen {
        bool listVisible, simulate, apply, stop, overrideBox, changeName, trackBox, massTagging;
    } seen{};
    // A look from inside the next job (the open dialog of File > Open).
    dialogs.answers.push_back([&](CommonDialog&) {
        seen = {coordinator->ListViewSimResults->isVisible(), coordinator->mbuttonSimulate.Enabled(),
                coordinator->mbuttonApply.Enabled(),          coordinator->mbuttonStop.Enabled(),
                coordinator->TextOverrideArtist->isEnabled(), coordinator->mcheckChangeFileName.Enabled(),
                coordinator->TextTrack->isEnabled(),          coordinator->mbuttonMassTagging.Enabled()};
        return false;
    });
    coordinator->mnuFileOpen_Click();
    EXPECT_FALSE(seen.listVisible);
    EXPECT_FALSE(seen.simulate);
    EXPECT_FALSE(seen.apply);
    EXPECT_TRUE(seen.stop);
    EXPECT_FALSE(seen.overrideBox);
    EXPECT_FALSE(seen.changeName);
    EXPECT_FALSE(seen.trackBox);
    EXPECT_TRUE(seen.massTagging);
    // Afterwards all is back, Apply with the rows.
    EXPECT_TRUE(coordinator->ListViewSimResults->isVisible());
    EXPECT_TRUE(coordinator->mbuttonApply.Enabled());
    EXPECT_TRUE(coordinator->TextTrack->isEnabled());
}

TEST_F(SimulateWindowTest, ClosingIsRefusedWhileAJobRuns) {
    OpenCoordinator();
    coordinator->mblnProcessRunning = true;
    coordinator->mnuFileExit_Click();
    Settle();
    ASSERT_TRUE(coordinator);
    EXPECT_TRUE(WasShown("Process Running")) << Shown();
    EXPECT_EQ(ui.shown.back().prompt,
              "There is currently a process running in File Name and Tag Coordinator. Please stop the process before "
              "closing the window.");
    coordinator->mblnProcessRunning = false;
    coordinator->mnuFileExit_Click();
    Settle();
    EXPECT_FALSE(coordinator);
}

// ---- the check rule and the row actions --------------------------------------------

class RowActionsTest : public CoordinatorWindowTest {
protected:
    void SetUp() override {
        CoordinatorWindowTest::SetUp();
        OpenCoordinator();
        SimResultsModel& table = *coordinator->SimResults();
        for (const char* action : {"Change", "Change ??", "No Change", "Delete"}) {
            const QString name = QString::fromLatin1(action) + QStringLiteral(".mp3");
            table.appendDerivedRow(Row{name, music, "1", "Al", "Ar", "Ti", "new.mp3", action},
                                   Options().CoordinatorAdv);
        }
        coordinator->EnableControls(true);
    }
    // The user's own click on a row's box, as the view passes it on.
    void UserTick(int row, bool ticked) {
        QAbstractItemModel* model = coordinator->ListViewSimResults->model();
        model->setData(model->index(row, 0), ticked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
    }
    QString Action(int row) const { return coordinator->SimResults()->text(row, SimColumn::Action); }
    bool Ticked(int row) const { return coordinator->SimResults()->isChecked(row); }
    int32_t Colour(int row) const { return coordinator->SimResults()->colour(row).value_or(-1); }
};

TEST_F(RowActionsTest, AUsersTickMeansChangeAndAnUntickNoChange) {
    const CoordinatorAdvOptions& adv = Options().CoordinatorAdv;
    const struct {
        int row;
        bool tick;
        const char* action;
        bool ticked;
        int32_t colour;
    } cases[] = {
        {3, false, "No Change", false, adv.lngColourNoChange},  // an unticked Delete row
        {3, true, "Change", true, adv.lngColourChange},         // ticked again: Change, whatever it was
        {1, false, "No Change", false, adv.lngColourNoChange},
        {1, true, "Change", true, adv.lngColourChange},  // a doubtful row comes back sure
    };
    for (const auto& c : cases) {
        UserTick(c.row, c.tick);
        EXPECT_EQ(Action(c.row), c.action) << c.row << c.tick;
        EXPECT_EQ(Ticked(c.row), c.ticked) << c.row << c.tick;
        EXPECT_EQ(Colour(c.row), c.colour) << c.row << c.tick;
    }
}

TEST_F(RowActionsTest, AlterActionSetsTheCurrentRowAndAlterAllEveryRow) {
    const CoordinatorAdvOptions& adv = Options().CoordinatorAdv;
    SelectRow(0);
    coordinator->mnuActionsAlterAction_Click(2);
    EXPECT_EQ(Action(0), "Delete");
    EXPECT_TRUE(Ticked(0));
    EXPECT_EQ(Colour(0), adv.lngColourDelete);
    coordinator->mnuActionsAlterAction_Click(1);
    EXPECT_EQ(Action(0), "No Change");
    EXPECT_FALSE(Ticked(0));

    coordinator->mnuActionsAlterAllActions_Click(1);
    for (int r = 0; r < 4; ++r) {
        EXPECT_EQ(Action(r), "No Change");
        EXPECT_FALSE(Ticked(r));
    }
    // Check All ticks them without changing their actions or colours.
    coordinator->mnuActionsCheckAll_Click();
    for (int r = 0; r < 4; ++r) {
        EXPECT_EQ(Action(r), "No Change");
        EXPECT_TRUE(Ticked(r));
        EXPECT_EQ(Colour(r), adv.lngColourNoChange);
    }
    coordinator->mnuActionsUncheckAll_Click();
    for (int r = 0; r < 4; ++r) EXPECT_FALSE(Ticked(r));
    coordinator->mnuActionsAlterAllActions_Click(0);
    for (int r = 0; r < 4; ++r) {
        EXPECT_EQ(Action(r), "Change");
        EXPECT_TRUE(Ticked(r));
    }
}

TEST_F(RowActionsTest, TheActionsMenuFollowsTheSelectionAndTheRows) {
    auto states = [&] {
        coordinator->ActionsMenuRootSelect();
        return std::vector<bool>{coordinator->mnuActionsFileInfo->isEnabled(),
                                 coordinator->mnuActionsPlay->isEnabled(),
                                 coordinator->mnuActionsAlterActionRoot->isEnabled(),
                                 coordinator->mnuActionsAlterAllActionsRoot->isEnabled(),
                                 coordinator->mnuActionsCheckAll->isEnabled(),
                                 coordinator->mnuActionsUncheckAll->isEnabled()};
    };
    EXPECT_EQ(states(), (std::vector<bool>{false, false, false, true, true, true}));
    SelectRow(1);
    EXPECT_EQ(states(), (std::vector<bool>{true, true, true, true, true, true}));
    coordinator->SimResults()->clear();
    EXPECT_EQ(states(), (std::vector<bool>{false, false, false, false, false, false}));
}

TEST_F(RowActionsTest, DeletingRowsThroughTheEditMenuUntilNoneIsLeftTurnsApplyOff) {
    EXPECT_TRUE(coordinator->mbuttonApply.Enabled());
    coordinator->ListViewSimResults->setFocus();
    coordinator->mnuEdit_Click(5);  // select all
    coordinator->mnuEdit_Click(3);  // delete
    EXPECT_EQ(coordinator->SimResults()->rows(), 0);
    EXPECT_FALSE(coordinator->mbuttonApply.Enabled());
}

TEST_F(RowActionsTest, AnActionTextOfNoneOfTheFourLeavesTickAndColour) {
    coordinator->SimResults()->setText(0, SimColumn::Action, QStringLiteral("Rename"));
    coordinator->UpdateSimResultEntry(0);
    EXPECT_TRUE(Ticked(0));
    EXPECT_EQ(Colour(0), Options().CoordinatorAdv.lngColourChange);
    // Letter case does not matter.
    coordinator->SimResults()->setText(0, SimColumn::Action, QStringLiteral("NO CHANGE"));
    coordinator->UpdateSimResultEntry(0);
    EXPECT_FALSE(Ticked(0));
}

// ---- the proposed-change boxes -----------------------------------------------------

TEST_F(RowActionsTest, TheBoxesShowTheCurrentRowAndWriteBackOnlyTheirCell) {
    std::vector<QWidget*> boxes = {coordinator->TextTrack, coordinator->TextAlbum, coordinator->TextArtist,
                                   coordinator->TextTitle, coordinator->TextNewFileName};
    for (QWidget* box : boxes) EXPECT_FALSE(box->isEnabled());
    SelectRow(1);
    for (QWidget* box : boxes) EXPECT_TRUE(box->isEnabled());
    EXPECT_EQ(coordinator->TextTitle->text(), "Ti");
    EXPECT_EQ(coordinator->TextNewFileName->text(), "new.mp3");
    // Selecting never alters the row.
    EXPECT_EQ(coordinator->SimResults()->rowTexts(1), (Row{"Change ??.mp3", music, "1", "Al", "Ar", "Ti", "new.mp3",
                                                           "Change ??"}));

    const struct {
        QLineEdit* box;
        int column;
        const char* typed;
    } edits[] = {
        {coordinator->TextTrack, SimColumn::Track, "B-side"},  // any text, no number check
        {coordinator->TextAlbum, SimColumn::Album, "Album Two"},
        {coordinator->TextArtist, SimColumn::Artist, "Someone"},
        {coordinator->TextTitle, SimColumn::Title, "Other Title"},
    };
    for (const auto& e : edits) {
        e.box->setText(QString::fromLatin1(e.typed));
        EXPECT_EQ(coordinator->SimResults()->text(1, e.column), e.typed);
    }
    // Nothing else of the row changed: its new name, action, tick and colour.
    EXPECT_EQ(coordinator->SimResults()->text(1, SimColumn::NewFileName), "new.mp3");
    EXPECT_EQ(Action(1), "Change ??");
    EXPECT_TRUE(Ticked(1));
    EXPECT_EQ(Colour(1), Options().CoordinatorAdv.lngColourChangeQ);
    // The other rows are untouched.
    EXPECT_EQ(coordinator->SimResults()->text(0, SimColumn::Title), "Ti");
}

TEST_F(RowActionsTest, TheNewFileNameBoxTakesOutWhatNoFileNameMayHold) {
    int beeps = 0;
    SetBeepForTesting([&] { ++beeps; });
    SelectRow(0);
    const struct {
        const char* typed;
        const char* cell;
    } cases[] = {
        {"a/b.mp3", "ab.mp3"},
        {"x:y*z?.mp3", "xyz.mp3"},
        {"<q>|\"w\".mp3", "qw.mp3"},
        {"ends with a blank.mp3 ", "ends with a blank.mp3"},
        {"inner blanks stay.mp3", "inner blanks stay.mp3"},
    };
    for (const auto& c : cases) {
        coordinator->TextNewFileName->setText(QString::fromLatin1(c.typed));
        EXPECT_EQ(coordinator->TextNewFileName->text(), c.cell) << c.typed;
        EXPECT_EQ(coordinator->SimResults()->text(0, SimColumn::NewFileName), c.cell) << c.typed;
    }
    EXPECT_GT(beeps, 0);
    EXPECT_EQ(coordinator->TextNewFileName->maxLength(), 256);
    SetBeepForTesting({});
}

TEST_F(RowActionsTest, WithoutASelectedRowTheBoxesAreGreyAndKeepTheirText) {
    SelectRow(2);
    coordinator->ListViewSimResults->setCurrentIndex(QModelIndex());
    EXPECT_FALSE(coordinator->TextTitle->isEnabled());
    EXPECT_FALSE(coordinator->LabelMP3Title->isEnabled());
    EXPECT_EQ(coordinator->TextTitle->text(), "Ti");
}

TEST_F(RowActionsTest, HeaderClicksSortByTheColumnAndASecondClickReverses) {
    SimResultsView* list = coordinator->ListViewSimResults;
    emit list->ColumnClicked(SimColumn::Action);
    EXPECT_EQ(OldNames(), (QStringList{"Change.mp3", "Change ??.mp3", "Delete.mp3", "No Change.mp3"}));
    emit list->ColumnClicked(SimColumn::Action);
    EXPECT_EQ(OldNames(), (QStringList{"No Change.mp3", "Delete.mp3", "Change ??.mp3", "Change.mp3"}));
    EXPECT_EQ(list->property("SortOrder").toInt(), 1);
}

// ---- play and layout -----------------------------------------------------------------

TEST_F(RowActionsTest, PlayOpensTheCurrentRowsFileByItsOldNameAndNothingWithoutOne) {
    RecordingDesktop desktop;
    // A name a web address would cut at its '#'.
    const QString name = QStringLiteral("Track #1.mp3");
    WriteFile(music, name, MakeMp3({}));
    coordinator->SimResults()->setText(2, SimColumn::OldFileName, name);
    coordinator->mnuActionsPlay_Click();
    EXPECT_TRUE(desktop.opened.isEmpty());
    SelectRow(2);
    coordinator->mnuActionsPlay_Click();
    EXPECT_EQ(desktop.opened, QStringList{music + QStringLiteral("/") + name});
}

TEST_F(RowActionsTest, FileInformationShowsTheCurrentRowsFileAndWarnsWhenItIsGone) {
    QStringList shown;
    SetFileInfoDialogDriver([&](FormFileInfo& info) {
        shown << info.mstrFileName;
        info.reject();
    });
    const auto driverBack = qScopeGuard([] { SetFileInfoDialogDriver({}); });
    WriteFile(music, QStringLiteral("Change.mp3"), MakeMp3({}));
    // A double click without a current row does nothing.
    emit coordinator->ListViewSimResults->RowDoubleClicked();
    EXPECT_TRUE(shown.isEmpty());
    SelectRow(0);
    emit coordinator->ListViewSimResults->RowDoubleClicked();
    EXPECT_EQ(shown, QStringList{music + QStringLiteral("/Change.mp3")});
    // The row is not read again afterwards.
    EXPECT_EQ(coordinator->SimResults()->text(0, SimColumn::NewFileName), "new.mp3");
    // A file renamed since (the list is never refreshed) is missing.
    SelectRow(1);
    coordinator->mnuActionsFileInfo_Click();
    EXPECT_EQ(shown.size(), 1);
    EXPECT_TRUE(WasShown("File Missing")) << Shown();
}

TEST_F(RowActionsTest, TheBoxesAndTheListShareTheWidthAsBuilt) {
    // Outer size 9108 x 6060 twips.  As built (captions no wider than their
    // labels), the Album and Artist boxes get (W - 4032) / 3 each; wider
    // captions take their room first.  The Title box is 96 twips narrower
    // and ends 576 twips from the right edge, with the list; the vertical
    // bar stands 468 from it.
    coordinator->resize(TwipsToPixelsX(9108), TwipsToPixelsY(6060));
    QCoreApplication::processEvents();
    const double W = PixelsToTwipsX(coordinator->width());
    const double pixel = PixelsToTwipsX(1);
    auto widthOf = [](const QWidget* w) { return PixelsToTwipsX(w->width()); };
    const double wider = PixelsToTwipsX(coordinator->TextAlbum->x()) - 1920 +
                         widthOf(coordinator->LabelArtist) - 588 + widthOf(coordinator->LabelMP3Title) - 588;
    EXPECT_GE(wider, -3 * pixel);
    const double third = (W - 4032 - std::max(0.0, wider)) / 3;
    EXPECT_NEAR(widthOf(coordinator->TextAlbum), third, 3 * pixel);
    EXPECT_NEAR(widthOf(coordinator->TextArtist), third, 3 * pixel);
    EXPECT_NEAR(widthOf(coordinator->TextTitle), third - 96, 3 * pixel);
    EXPECT_NEAR(PixelsToTwipsX(coordinator->TextTitle->geometry().right() + 1), W - 576, 2 * pixel);
    const QRect list = coordinator->ListViewSimResults->geometry();
    EXPECT_NEAR(PixelsToTwipsX(list.right() + 1), W - 576, 2 * pixel);
    EXPECT_NEAR(coordinator->TextNewFileName->geometry().right(), list.right(), 1);
    EXPECT_NEAR(PixelsToTwipsX(coordinator->ProgBar->x()), W - 468, 2 * pixel);
    // The folder column is hidden; the others share the list's width less 300.
    QHeaderView* header = coordinator->ListViewSimResults->header();
    EXPECT_TRUE(header->isSectionHidden(SimColumn::Folder));
    const double room = PixelsToTwipsX(list.width()) - 300;
    EXPECT_NEAR(PixelsToTwipsX(header->sectionSize(SimColumn::OldFileName)), room * 0.2, 2 * pixel);
    EXPECT_NEAR(PixelsToTwipsX(header->sectionSize(SimColumn::Action)), room * 0.07, 2 * pixel);
}

}  // namespace
