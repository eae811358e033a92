// The scan into the results list, driven through the window: rows, cells,
// check marks, subfolders, the include filters, the scan rules, Stop, and
// files dropped on the list.

#include "mainwin/MainWinSupport.h"

#include "foundation/OptionRecords.h"
#include "scanning/engine/ScanResultsModel.h"
#include "scanning/engine/ScanResultsSource.h"
#include "scanning/ui/FolderTree.h"
#include "scanning/ui/ScanResultsView.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QPaintEvent>
#include <QRegion>
#include <QTimer>
#include <QUrl>

namespace {

class ScanWindowTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        folder = work.path() + QStringLiteral("/Music");
        Mp3Recipe tagged;
        tagged.v1 = true;
        tagged.v1Title = QStringLiteral("One");
        tagged.v1Artist = QStringLiteral("Band");
        tagged.v1Album = QStringLiteral("Album");
        tagged.v1Year = QStringLiteral("2001");
        tagged.v1Comment = QStringLiteral("note");
        tagged.v1Track = 7;
        tagged.v1Genre = 17;
        tagged.v2 = {{"TIT2", QStringLiteral("One v2")},
                     {"TPE1", QStringLiteral("Band v2")},
                     {"TRCK", QStringLiteral("7/12")},
                     {"TCON", QStringLiteral("(17)")},
                     {"COMM", QStringLiteral("long comment")}};
        taggedPath = WriteFile(folder, QStringLiteral("tagged.mp3"), MakeMp3(tagged));
        Mp3Recipe v1only;
        v1only.v1 = true;
        v1only.v1Title = QStringLiteral("Only One");
        WriteFile(folder, QStringLiteral("v1only.mp3"), MakeMp3(v1only));
        Mp3Recipe v2only;
        v2only.v2 = {{"TIT2", QStringLiteral("Only Two")}};
        WriteFile(folder, QStringLiteral("v2only.mp3"), MakeMp3(v2only));
        WriteFile(folder, QStringLiteral("bare.mp3"), MakeMp3({}));
        WriteFile(folder, QStringLiteral("notes.txt"), "not music");
        WriteFile(folder, QStringLiteral(".hidden.mp3"), MakeMp3({}));
        Mp3Recipe deep;
        deep.v1 = true;
        deep.v1Title = QStringLiteral("Deep");
        WriteFile(folder + QStringLiteral("/sub"), QStringLiteral("deep.mp3"), MakeMp3(deep));
        OpenWindow();
    }

    ScanResultsModel& rows() { return *window->ScanResults(); }

    QString folder;
    QString taggedPath;
};

TEST_F(ScanWindowTest, ScanFillsOneCheckedRowPerFileWithItsCells) {
    Scan(folder);
    const ScanResultsModel& model = rows();
    EXPECT_EQ(FileNames(model), (QStringList{"bare.mp3", "tagged.mp3", "v1only.mp3", "v2only.mp3"})) << Shown();
    for (int r = 0; r < model.rows(); ++r) {
        EXPECT_TRUE(model.isChecked(r));
        EXPECT_EQ(model.text(r, ScanColumn::Folder), folder);
    }
    const QString t = QStringLiteral("tagged.mp3");
    EXPECT_EQ(CellOf(model, t, ScanColumn::ID3v1Title), "One");
    EXPECT_EQ(CellOf(model, t, ScanColumn::ID3v1Artist), "Band");
    EXPECT_EQ(CellOf(model, t, ScanColumn::ID3v1Track), "7");
    EXPECT_EQ(CellOf(model, t, ScanColumn::ID3v1Year), "2001");
    EXPECT_EQ(CellOf(model, t, ScanColumn::ID3v1Genre), "Rock");
    EXPECT_EQ(CellOf(model, t, ScanColumn::ID3v2Title), "One v2");
    EXPECT_EQ(CellOf(model, t, ScanColumn::ID3v2Track), "7/12");
    EXPECT_EQ(CellOf(model, t, ScanColumn::ID3v2Genre), "(17)");
    EXPECT_EQ(CellOf(model, t, ScanColumn::ID3v2Comment), "long comment");
    EXPECT_EQ(CellOf(model, t, ScanColumn::Size), QString::number(QFileInfo(taggedPath).size()));
    EXPECT_EQ(CellOf(model, t, ScanColumn::MPEGVersion), "1");
    EXPECT_EQ(CellOf(model, t, ScanColumn::LayerVersion), "3");
    EXPECT_EQ(CellOf(model, t, ScanColumn::BitRate), "128");
    EXPECT_EQ(CellOf(model, t, ScanColumn::Frequency), "44100");
    // No track and no genre give empty cells; a file without tags has none.
    EXPECT_EQ(CellOf(model, "v1only.mp3", ScanColumn::ID3v1Track), "");
    EXPECT_EQ(CellOf(model, "v1only.mp3", ScanColumn::ID3v1Genre), "");
    for (int c = ScanColumn::ID3v1Title; c <= ScanColumn::ID3v2EncodedBy; ++c)
        EXPECT_EQ(CellOf(model, "bare.mp3", c), "") << c;

    // The window is idle again, with the scan's status.
    EXPECT_EQ(window->mstrLastScannedFolder, folder);
    EXPECT_EQ(window->LabelStatusBar->text(), "Scan complete");
    EXPECT_FALSE(window->mblnProcessRunning);
    EXPECT_FALSE(window->mblnScanInProgress);
    EXPECT_TRUE(window->mbuttonScan.Enabled());
    EXPECT_FALSE(window->mbuttonStop.Enabled());
    EXPECT_TRUE(window->ListViewScanResults->isVisible());
    EXPECT_TRUE(ui.shown.empty()) << Shown();
}

TEST_F(ScanWindowTest, SubfoldersAreScannedOnlyWhenTheBoxIsTicked) {
    Scan(folder, false);
    EXPECT_EQ(RowOf(rows(), "deep.mp3"), -1);
    Scan(folder, true);
    ASSERT_GE(RowOf(rows(), "deep.mp3"), 0);
    EXPECT_EQ(CellOf(rows(), "deep.mp3", ScanColumn::Folder), folder + "/sub");
    EXPECT_EQ(rows().rows(), 5);
}

TEST_F(ScanWindowTest, IncludeFiltersPassAFileWhenEitherTagPasses) {
    struct Case {
        bool with1, without1, with2, without2;
        QStringList expected;
    };
    const Case cases[] = {
        {true, true, true, true, {"bare.mp3", "tagged.mp3", "v1only.mp3", "v2only.mp3"}},
        // Neither tag-less option: a file needs one of its tags.
        {true, false, true, false, {"tagged.mp3", "v1only.mp3", "v2only.mp3"}},
        // Only files with an ID3v2 tag.
        {false, false, true, false, {"tagged.mp3", "v2only.mp3"}},
        // Only files without an ID3v1 tag.
        {false, true, false, false, {"bare.mp3", "v2only.mp3"}},
        {false, false, false, false, {}},
    };
    for (const Case& c : cases) {
        Options().ScanningCentre.blnIncFilesWithID3v1 = c.with1;
        Options().ScanningCentre.blnIncFilesWithoutID3v1 = c.without1;
        Options().ScanningCentre.blnIncFilesWithID3v2 = c.with2;
        Options().ScanningCentre.blnIncFilesWithoutID3v2 = c.without2;
        Scan(folder);
        EXPECT_EQ(FileNames(rows()), c.expected) << c.with1 << c.without1 << c.with2 << c.without2;
    }
}

TEST_F(ScanWindowTest, ScanRulesDecideWhichFilesGetRows) {
    std::vector<ScanRule>& rules = Options().ScanningCentre.udtScanRules;
    rules = {ScanRule{"Don't include files", "containing", "ONLY", "in File Name", false}, ScanRule{}};
    Scan(folder);
    EXPECT_EQ(FileNames(rows()), (QStringList{"bare.mp3", "tagged.mp3"}));

    rules = {ScanRule{"Only include files", "equal to", "Rock", "in ID3v1 Genre", false}, ScanRule{}};
    Scan(folder);
    EXPECT_EQ(FileNames(rows()), (QStringList{"tagged.mp3"}));
}

TEST_F(ScanWindowTest, WithoutClearResultsASecondScanAddsTheRowsAgain) {
    Scan(folder);
    Options().ScanningCentre.blnClearResults = false;
    Scan(folder);
    EXPECT_EQ(rows().rows(), 8);
}

TEST_F(ScanWindowTest, AFolderThatCannotBeReachedIsNotScanned) {
    Scan(folder);
    window->FolderTreeview->SetSelectedFolder(folder);
    QDir(folder).removeRecursively();
    window->BtnScan_Click();
    EXPECT_TRUE(WasShown("Drive Not Ready")) << Shown();
    EXPECT_EQ(rows().rows(), 4);  // the list as it was
    EXPECT_FALSE(window->mblnProcessRunning);
}

TEST_F(ScanWindowTest, StopEndsTheJobBeforeTheNextFile) {
    // Stop arrives while the job yields before its first file.
    QTimer::singleShot(0, window.data(), [this] { window->BtnStop_Click(); });
    window->ListViewScanResults_OLEDragDrop({taggedPath, folder + "/bare.mp3"});
    EXPECT_EQ(rows().rows(), 0);
    EXPECT_EQ(window->LabelStatusBar->text(), "Scan complete");
    EXPECT_FALSE(window->mblnStopAll);  // the job's end clears it
    EXPECT_FALSE(window->mblnProcessRunning);

    // The next job runs normally.
    window->ListViewScanResults_OLEDragDrop({taggedPath, folder + "/bare.mp3"});
    EXPECT_EQ(rows().rows(), 2);
}

// The window's own painting, from the moment it is set up.
class PaintedRegion final : public QObject {
public:
    explicit PaintedRegion(QWidget* window) { window->installEventFilter(this); }
    QRegion region;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) region += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

TEST_F(ScanWindowTest, TheListHiddenForAJobLeavesNothingOfItOnScreen) {
    Scan(folder);
    ASSERT_EQ(rows().rows(), 4);
    window->show();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    ScanResultsView* list = window->ListViewScanResults;
    const QRect area = list->geometry();
    ASSERT_FALSE(area.isEmpty());

    // A job hides the list: the window paints over every part of it.
    PaintedRegion painted(window);
    window->EnableControls(false);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(QRegion(area).subtracted(painted.region), QRegion());

    // And back in one piece at its end, drawing again.
    window->EnableControls(true);
    EXPECT_TRUE(list->isVisible());
    EXPECT_TRUE(list->updatesEnabled());
}

TEST_F(ScanWindowTest, DroppedFilesAreAppendedWhateverClearResultsSays) {
    Scan(folder);
    ASSERT_EQ(rows().rows(), 4);
    Options().ScanningCentre.blnClearResults = true;
    // Every dropped file is taken, whatever its extension.
    window->ListViewScanResults_OLEDragDrop({taggedPath, folder + "/notes.txt"});
    EXPECT_EQ(rows().rows(), 6);
    EXPECT_GE(RowOf(rows(), "notes.txt"), 0);
    EXPECT_TRUE(Options().ScanningCentre.blnClearResults);
    EXPECT_TRUE(window->ListViewScanResults->isVisible());
    // The last folder scanned stays the scan's.
    EXPECT_EQ(window->mstrLastScannedFolder, folder);
}

TEST_F(ScanWindowTest, FilesDroppedOnTheListAreTakenAsACopyNeverAMove) {
    struct Case {
        const char* what;
        Qt::DropActions offered;
        Qt::KeyboardModifiers keys;  // Shift proposes a move, Ctrl a copy
        bool taken;
    };
    const Case cases[] = {
        {"a move proposed", Qt::CopyAction | Qt::MoveAction, Qt::ShiftModifier, true},
        {"a copy proposed", Qt::CopyAction | Qt::MoveAction, Qt::ControlModifier, true},
        {"copy, move or link offered", Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, Qt::NoModifier, true},
        {"only a move offered", Qt::MoveAction, Qt::NoModifier, false},
    };
    ScanResultsView* list = window->ListViewScanResults;
    window->show();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(taggedPath)});
    int expectedRows = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QPointF at(20, 20);
        QDragEnterEvent enter(at.toPoint(), c.offered, &data, Qt::LeftButton, c.keys);
        QApplication::sendEvent(list->viewport(), &enter);
        QDragMoveEvent move(at.toPoint(), c.offered, &data, Qt::LeftButton, c.keys);
        QApplication::sendEvent(list->viewport(), &move);
        QDropEvent drop(at, c.offered, &data, Qt::LeftButton, c.keys);
        QApplication::sendEvent(list->viewport(), &drop);
        for (QDropEvent* event : {static_cast<QDropEvent*>(&enter), static_cast<QDropEvent*>(&move), &drop}) {
            EXPECT_EQ(event->isAccepted(), c.taken);
            if (c.taken) {
                EXPECT_EQ(event->dropAction(), Qt::CopyAction);
            }
        }
        QCoreApplication::processEvents();
        if (c.taken) ++expectedRows;
        EXPECT_EQ(rows().rows(), expectedRows);
    }
    EXPECT_TRUE(QFileInfo::exists(taggedPath));
}

TEST_F(ScanWindowTest, DragDataCarriesThePathsOfTheSelectedRowsInListOrder) {
    Scan(folder);
    ScanResultsView* list = window->ListViewScanResults;
    list->selectionModel()->select(list->model()->index(3, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    list->selectionModel()->select(list->model()->index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    std::unique_ptr<QMimeData> data(ScanResultsView::FileListData([list] { return list->SelectedPaths(); }));
    ASSERT_TRUE(data->hasUrls());
    const QList<QUrl> urls = data->urls();
    ASSERT_EQ(urls.size(), 2);
    EXPECT_EQ(urls[0].toLocalFile(), folder + "/tagged.mp3");
    EXPECT_EQ(urls[1].toLocalFile(), folder + "/v2only.mp3");
    EXPECT_EQ(ScanResultsView::DroppedFiles(data.get()), (QStringList{folder + "/tagged.mp3", folder + "/v2only.mp3"}));
}

TEST_F(ScanWindowTest, AltKeysScanStopAndFlipTheSubfolderBox) {
    window->FolderTreeview->SetSelectedFolder(folder);
    window->mcheckIncSubfolders.SetValue(0);
    window->ProcessShortcutKeys(73, 4);  // Alt+I
    EXPECT_EQ(window->mcheckIncSubfolders.Value(), 1);
    window->ProcessShortcutKeys(83, 4);  // Alt+S
    EXPECT_EQ(rows().rows(), 5);

    // While another tool's job holds the Scan button, Alt+S does nothing.
    window->mbuttonScan.SetEnabled(false);
    Options().ScanningCentre.blnClearResults = false;
    window->ProcessShortcutKeys(83, 4);
    EXPECT_EQ(rows().rows(), 5);
    EXPECT_FALSE(window->mblnStopAll);
}

TEST_F(ScanWindowTest, TheScanButtonFollowsTheFolderTreeSelection) {
    window->FolderTreeview->SetSelectedFolder(folder);
    EXPECT_TRUE(window->mbuttonScan.Enabled());
    EXPECT_EQ(window->FolderTreeview->SelectedFolder(), folder);
    window->FolderTreeview->SetSelectedFolder("desktop");
    EXPECT_EQ(window->FolderTreeview->SelectedFolder(), "Desktop");
    EXPECT_TRUE(window->mbuttonScan.Enabled());
    window->FolderTreeview->SetSelectedFolder(folder);
    window->mblnInhibitScan = true;
    window->FolderTreeview->SetSelectedFolder(folder + "/sub");
    EXPECT_FALSE(window->mbuttonScan.Enabled());
}

}  // namespace

namespace {

TEST_F(ScanWindowTest, ADropIsNotLimitedToA16BitCount) {
    QStringList paths;
    for (int i = 0; i < 33000; ++i) paths << QStringLiteral("%1/gone/%2.mp3").arg(folder).arg(i);
    window->ListViewScanResults_OLEDragDrop(paths);
    ASSERT_EQ(rows().rows(), 33000);
    EXPECT_EQ(rows().text(32999, ScanColumn::FileName), "32999.mp3");
}

}  // namespace

// The tool windows reach the results list only through its source: what
// they read there must be the main window's own state, and nothing once the
// main window is gone.
TEST_F(ScanWindowTest, ToolsSeeTheResultsListThroughItsSource) {
    Scan(folder);
    IScanResultsSource* source = FindScanResultsSource();
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->ScanResults(), window->ScanResults());
    EXPECT_EQ(source->LastScannedFolder(), window->mstrLastScannedFolder);
    EXPECT_FALSE(source->LastScannedFolder().isEmpty());

    ScanResultsView* list = window->ListViewScanResults;
    EXPECT_TRUE(source->SelectedScanResultsRows().isEmpty());
    list->selectionModel()->select(list->model()->index(3, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    list->selectionModel()->select(list->model()->index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_EQ(source->SelectedScanResultsRows(), (QList<int>{1, 3}));

    struct Flags {
        bool drag, scanning, inhibited;
    };
    for (const Flags f : {Flags{false, false, false}, Flags{true, false, false}, Flags{false, true, false},
                          Flags{false, false, true}}) {
        window->mblnDragInProcess = f.drag;
        window->mblnScanInProgress = f.scanning;
        window->mblnInhibitScan = f.inhibited;
        EXPECT_EQ(source->DragInProcess(), f.drag);
        EXPECT_EQ(source->ScanInProgress(), f.scanning);
        EXPECT_EQ(source->ScanInhibited(), f.inhibited);
    }
    window->mblnDragInProcess = window->mblnScanInProgress = window->mblnInhibitScan = false;

    CloseWindow();
    EXPECT_EQ(FindScanResultsSource(), nullptr);
}
