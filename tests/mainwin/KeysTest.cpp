// Keys pressed in the scanning centre, through the program's key router:
// the window's own Alt keys, the Edit keys on the results list and the File
// keys.

#include "mainwin/MainWinSupport.h"

#include "foundation/OptionRecords.h"
#include "scanning/engine/ScanResultsModel.h"
#include "scanning/ui/FolderTree.h"
#include "scanning/ui/ScanResultsView.h"
#include "shell/menus/ui/KeyRouter.h"
#include "shell/start/StartProcedure.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>

namespace {

class KeysTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        InstallKeyRouter();
        gblnStartupComplete = true;
        folder = work.path() + QStringLiteral("/Music");
        for (int i = 1; i <= 3; ++i) WriteFile(folder, QStringLiteral("%1.mp3").arg(i), MakeMp3({}));
        OpenWindow();
        window->activateWindow();
        QApplication::setActiveWindow(window);
        Scan(folder);
    }
    void TearDown() override {
        gblnStartupComplete = false;
        MainWindowTest::TearDown();
    }

    static void Key(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers);
        QApplication::sendEvent(target, &release);
    }
    // The keys go to the control that has the focus.
    static void AltKey(QWidget* target, Qt::Key key) {
        target->setFocus();
        QKeyEvent alt(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
        QApplication::sendEvent(target, &alt);
        Key(target, key, Qt::AltModifier);
        QKeyEvent altUp(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
        QApplication::sendEvent(target, &altUp);
    }

    // A button's access key clicks it a moment later (its pressed look first).
    // Lets the key events through until `done` holds (at most five seconds:
    // a slow machine, or a sanitizer build, takes its time).
    template <typename F>
    static void WaitUntil(F done) {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        // Long enough for a second, wrong flip to show.
        const qint64 settled = timer.elapsed() + 300;
        while (timer.elapsed() < settled) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }

    QString folder;
};

TEST_F(KeysTest, AltIFlipsTheSubfolderBoxOnceFromAnyControl) {
    // Skinned (the window's own keys) and plain (the box's access key).
    for (const bool skins : {true, false}) {
        Options().Preferences.blnUseSkins = skins;
        OpenWindow();
        window->activateWindow();
        QApplication::setActiveWindow(window);
        const int before = window->mcheckIncSubfolders.Value();
        AltKey(window->FolderTreeview, Qt::Key_I);
        WaitUntil([&] { return window->mcheckIncSubfolders.Value() != before; });
        EXPECT_EQ(window->mcheckIncSubfolders.Value(), before == 1 ? 0 : 1) << skins;
        AltKey(window->ListViewScanResults, Qt::Key_I);
        WaitUntil([&] { return window->mcheckIncSubfolders.Value() == before; });
        EXPECT_EQ(window->mcheckIncSubfolders.Value(), before) << skins;
    }
}

TEST_F(KeysTest, DeleteRemovesTheSelectedRowsOnlyFromTheList) {
    ScanResultsView* list = window->ListViewScanResults;
    list->setFocus();
    list->selectionModel()->select(list->model()->index(0, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    Key(list, Qt::Key_Delete, Qt::NoModifier);
    EXPECT_EQ(FileNames(*window->ScanResults()), (QStringList{"2.mp3", "3.mp3"}));

    // With the folder tree focused the key is the tree's.
    window->FolderTreeview->setFocus();
    list->selectionModel()->select(list->model()->index(0, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    Key(window->FolderTreeview, Qt::Key_Delete, Qt::NoModifier);
    EXPECT_EQ(window->ScanResults()->rows(), 2);
}

TEST_F(KeysTest, CtrlASelectsEveryRowOnce) {
    ScanResultsView* list = window->ListViewScanResults;
    list->setFocus();
    Key(list, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(list->SelectedRows().size(), 3);
}

TEST_F(KeysTest, CtrlLetGoBeforeTheLetterStillOpensAndSaves) {
    ScanResultsView* list = window->ListViewScanResults;
    for (const Qt::Key letter : {Qt::Key_O, Qt::Key_S}) {
        list->setFocus();  // the job before took it away
        QKeyEvent ctrl(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier);
        QApplication::sendEvent(list, &ctrl);
        QKeyEvent press(QEvent::KeyPress, letter, Qt::ControlModifier);
        QApplication::sendEvent(list, &press);
        QKeyEvent ctrlUp(QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier);
        QApplication::sendEvent(list, &ctrlUp);
        QKeyEvent release(QEvent::KeyRelease, letter, Qt::NoModifier);
        QApplication::sendEvent(list, &release);
    }
    ASSERT_EQ(dialogs.shown.size(), 2u);  // both cancelled
    EXPECT_EQ(dialogs.shown[0].title, "Load Scan Results");
    EXPECT_EQ(dialogs.shown[1].title, "Save Scan Results");
    EXPECT_FALSE(window->mblnProcessRunning);
}

}  // namespace
