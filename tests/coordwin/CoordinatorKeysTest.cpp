// Keys pressed in the coordinator, through the program's key router: the
// window's own Alt keys, F1, the File keys and the Edit keys on the table;
// the menu bar's labels and the skin refresh of its check boxes.

#include "coordwin/CoordWinSupport.h"

#include "coordinator/ui/ApplyChangesDialog.h"
#include "coordinator/ui/SimResultsView.h"
#include "foundation/ResourceStrings.h"
#include "foundation/Help.h"
#include "shell/menus/ui/KeyRouter.h"
#include "shell/start/StartProcedure.h"
#include "shell/ui/SkinWidgets.h"
#include "support/RealKeys.h"
#include "support/RecordingDesktop.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

namespace {

using Row = SimRowTexts;

class CoordinatorKeysTest : public CoordinatorWindowTest {
protected:
    void SetUp() override {
        CoordinatorWindowTest::SetUp();
        InstallKeyRouter();
        gblnStartupComplete = true;
        Open();
    }
    void TearDown() override {
        SetApplyChangesAnswerForTesting({});
        gblnStartupComplete = false;
        CoordinatorWindowTest::TearDown();
    }
    void Open() {
        OpenCoordinator();
        coordinator->activateWindow();
        QApplication::setActiveWindow(coordinator);
    }
    void AddRows() {
        for (const char* name : {"a.mp3", "b.mp3"})
            coordinator->SimResults()->appendRow(true, Row{name, music, "", "", "", "", name, "Change"});
        coordinator->EnableControls(true);
    }

    static void Key(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers);
        QApplication::sendEvent(target, &release);
    }
    // The keys go to the control that has the focus.
    static void AltKey(QWidget* target, Qt::Key key, Qt::KeyboardModifiers more = Qt::NoModifier) {
        target->setFocus();
        QKeyEvent alt(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
        QApplication::sendEvent(target, &alt);
        Key(target, key, Qt::AltModifier | more);
        QKeyEvent altUp(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
        QApplication::sendEvent(target, &altUp);
    }
    // A button's access key clicks it a moment later (its pressed look first).
    static void Pause() {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 300) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
};

TEST_F(CoordinatorKeysTest, AltLettersFlipTheirBoxOnceFromAnyControlSkinnedOrPlain) {
    const struct {
        Qt::Key key;
        clsCheckBox FormFileNameTagCoordinator::*box;
    } cases[] = {
        {Qt::Key_N, &FormFileNameTagCoordinator::mcheckChangeFileName},
        {Qt::Key_1, &FormFileNameTagCoordinator::mcheckChangeID3v1Tag},
        {Qt::Key_2, &FormFileNameTagCoordinator::mcheckChangeID3v2Tag},
        {Qt::Key_O, &FormFileNameTagCoordinator::mcheckOverrideArtist},
    };
    for (const bool skins : {true, false}) {
        Options().Preferences.blnUseSkins = skins;
        Open();
        AddRows();
        for (const auto& c : cases) {
            clsCheckBox& box = (*coordinator).*c.box;
            const int before = box.Value();
            AltKey(coordinator->ListViewSimResults, c.key);
            Pause();
            EXPECT_EQ(box.Value(), before == 1 ? 0 : 1) << skins << " " << c.key;
            AltKey(coordinator->ListViewSimResults, c.key);
            Pause();
            EXPECT_EQ(box.Value(), before) << skins << " " << c.key;
        }
    }
}

TEST_F(CoordinatorKeysTest, AltOLeavesTheFocusInTheOverrideBox) {
    AltKey(coordinator->ListViewSimResults, Qt::Key_O);
    Pause();
    EXPECT_EQ(QApplication::focusWidget(), coordinator->TextOverrideArtist)
        << QApplication::focusWidget()->objectName().toStdString();
}

TEST_F(CoordinatorKeysTest, AltLettersMoveTheFocusToTheProposedChangeBoxes) {
    AddRows();
    SelectRow(0);
    const struct {
        Qt::Key key;
        QLineEdit* FormFileNameTagCoordinator::*box;
    } cases[] = {
        {Qt::Key_K, &FormFileNameTagCoordinator::TextTrack},     {Qt::Key_L, &FormFileNameTagCoordinator::TextAlbum},
        {Qt::Key_R, &FormFileNameTagCoordinator::TextArtist},    {Qt::Key_I, &FormFileNameTagCoordinator::TextTitle},
        {Qt::Key_W, &FormFileNameTagCoordinator::TextNewFileName},
    };
    for (const auto& c : cases) {
        AltKey(coordinator->ListViewSimResults, c.key);
        Pause();
        EXPECT_EQ(QApplication::focusWidget(), (*coordinator).*c.box) << c.key;
    }
    // With no row selected the boxes are off: the key moves nothing.
    coordinator->ListViewSimResults->setCurrentIndex(QModelIndex());
    AltKey(coordinator->ListViewSimResults, Qt::Key_K);
    EXPECT_NE(QApplication::focusWidget(), coordinator->TextTrack);
    EXPECT_TRUE(ui.shown.empty()) << Shown();
}

TEST_F(CoordinatorKeysTest, KeypadDigitsFlipNothing) {
    const int v1 = coordinator->mcheckChangeID3v1Tag.Value();
    const int v2 = coordinator->mcheckChangeID3v2Tag.Value();
    AltKey(coordinator->ListViewSimResults, Qt::Key_1, Qt::KeypadModifier);
    AltKey(coordinator->ListViewSimResults, Qt::Key_2, Qt::KeypadModifier);
    Pause();
    EXPECT_EQ(coordinator->mcheckChangeID3v1Tag.Value(), v1);
    EXPECT_EQ(coordinator->mcheckChangeID3v2Tag.Value(), v2);
}

TEST_F(CoordinatorKeysTest, AltSSimulatesAndAltPWithAnEmptyTableDoesNothing) {
    AltKey(coordinator->ListViewSimResults, Qt::Key_P);
    Pause();
    EXPECT_TRUE(ui.shown.empty()) << Shown();
    // Simulate on an empty results list: the protocol's refusal shows.
    AltKey(coordinator->ListViewSimResults, Qt::Key_S);
    Pause();
    EXPECT_TRUE(WasShown("Insufficient Scan Results")) << Shown();
}

TEST_F(CoordinatorKeysTest, AltPAppliesARenameChainOnceAndLosesNoFile) {
    // b.mp3 makes room for a.mp3: run once, both files keep their contents
    // under their new names; run twice, the second run would replace c.mp3
    // (file B) with file A after the user's yes to the overwrite.
    Mp3Recipe a, b;
    a.v1 = b.v1 = true;
    a.v1Title = QStringLiteral("File A");
    b.v1Title = QStringLiteral("File B");
    const QByteArray fileA = MakeMp3(a), fileB = MakeMp3(b);
    int confirmations = 0;
    // Return on the confirmation: its default button is OK.
    SetApplyChangesAnswerForTesting([&](DialogApplyChanges& d) {
        ++confirmations;
        EXPECT_TRUE(d.OKButton->isDefault());
        d.OKButton->click();
    });
    // Return on every message box: each box's default button (ScriptedUi).
    for (const auto& [skins, altUpFirst] : {std::pair{true, false}, {true, true}, {false, false}, {false, true}}) {
        SCOPED_TRACE(std::string(skins ? "skinned, " : "plain, ") +
                     (altUpFirst ? "Alt let go first" : "P let go first"));
        Options().Preferences.blnUseSkins = skins;
        Open();
        WriteFile(music, "a.mp3", fileA);
        WriteFile(music, "b.mp3", fileB);
        QFile::remove(music + "/c.mp3");
        coordinator->SimResults()->appendRow(true, Row{"b.mp3", music, "", "", "", "", "c.mp3", "Change"});
        coordinator->SimResults()->appendRow(true, Row{"a.mp3", music, "", "", "", "", "b.mp3", "Change"});
        coordinator->EnableControls(true);
        coordinator->mcheckChangeFileName.SetValue(1);
        coordinator->mcheckChangeID3v1Tag.SetValue(0);
        coordinator->mcheckChangeID3v2Tag.SetValue(0);
        confirmations = 0;
        ui.shown.clear();
        coordinator->ListViewSimResults->setFocus();
        RealKeys::Chord(Qt::AltModifier, Qt::Key_P, altUpFirst);
        Pause();
        EXPECT_EQ(confirmations, 1);
        EXPECT_FALSE(QFile::exists(music + "/a.mp3"));
        EXPECT_TRUE(ReadBytes(music + "/b.mp3") == fileA) << "b.mp3 is not file A";
        EXPECT_TRUE(ReadBytes(music + "/c.mp3") == fileB) << "c.mp3 is not file B";
        EXPECT_TRUE(StatusIs(GetResourceString(TextId::Coordinator::ApplyComplete)))
            << coordinator->LabelStatusBar->text();
        // One end box, and it reports no failure.
        ASSERT_EQ(ui.shown.size(), 1u) << Shown();
        EXPECT_TRUE(ui.shown[0].prompt.startsWith(GetResourceString(TextId::Coordinator::ApplyComplete))) << Shown();
    }
}

TEST_F(CoordinatorKeysTest, F1OpensTheCoordinatorsHelpPageAndAltF1Nothing) {
    RecordingDesktop desktop;
    coordinator->ListViewSimResults->setFocus();
    Key(coordinator->ListViewSimResults, Qt::Key_F1, Qt::AltModifier);
    EXPECT_TRUE(desktop.opened.isEmpty());
    coordinator->TextOverrideArtist->setFocus();
    Key(coordinator->TextOverrideArtist, Qt::Key_F1, Qt::NoModifier);
    ASSERT_EQ(desktop.opened.size(), 1);
    EXPECT_TRUE(desktop.opened[0].endsWith(HelpTopicPage(2))) << desktop.opened[0];
}

TEST_F(CoordinatorKeysTest, CtrlOAndCtrlSOpenTheListFileDialogs) {
    AddRows();
    for (const Qt::Key letter : {Qt::Key_O, Qt::Key_S}) {
        coordinator->ListViewSimResults->setFocus();
        Key(coordinator->ListViewSimResults, letter, Qt::ControlModifier);
    }
    ASSERT_EQ(dialogs.shown.size(), 2u);  // both cancelled
    EXPECT_EQ(dialogs.shown[0].title, "Load Simulate Results");
    EXPECT_EQ(dialogs.shown[1].title, "Save Simulate Results");
    EXPECT_FALSE(coordinator->mblnProcessRunning);
}

TEST_F(CoordinatorKeysTest, EditKeysActOnTheTableOnlyWhenItHasTheFocus) {
    AddRows();
    SimResultsView* list = coordinator->ListViewSimResults;
    // In the title box Ctrl+A is the box's own.
    SelectRow(0);
    coordinator->TextTitle->setFocus();
    Key(coordinator->TextTitle, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(list->selectionModel()->selectedRows().size(), 1);
    list->setFocus();
    Key(list, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(list->selectionModel()->selectedRows().size(), 2);
    Key(list, Qt::Key_Delete, Qt::NoModifier);
    EXPECT_EQ(coordinator->SimResults()->rows(), 0);
}

TEST_F(CoordinatorKeysTest, TheMenuBarLabelsPopTheWindowsMenus) {
    EXPECT_EQ(coordinator->LabelMenu[0]->text(), "&File");
    EXPECT_EQ(coordinator->LabelMenu[3]->text(), "&Actions");
    const QStringList file = [&] {
        QStringList texts;
        for (QAction* a : coordinator->mnuFile->actions()) texts << (a->isSeparator() ? "-" : a->text());
        return texts;
    }();
    EXPECT_EQ(file, (QStringList{"&Open...\tCtrl+O", "-", "&Save...\tCtrl+S", "-", "E&xit\tCtrl+Q"}));
    const QStringList actions = [&] {
        QStringList texts;
        for (QAction* a : coordinator->mnuActions->actions()) texts << (a->isSeparator() ? "-" : a->text());
        return texts;
    }();
    EXPECT_EQ(actions, (QStringList{"&File Information...", "&Play", "-", "Alter &Action", "Alter All A&ctions", "-",
                                    "Chec&k All", "&Uncheck All"}));
    EXPECT_EQ(coordinator->mnuActionsAlterAllActions[1]->text(), "&No Change All");
    EXPECT_FALSE(coordinator->mnuEdit[2]->isVisible());
}

TEST_F(CoordinatorKeysTest, TheCaptionsAndTipsAreTheWindowsOwn) {
    EXPECT_EQ(coordinator->windowTitle(), "File Name and Tag Coordinator");
    EXPECT_EQ(coordinator->mbuttonSimulate.Caption(), "&Simulate Changes");
    EXPECT_EQ(coordinator->mbuttonApply.Caption(), "A&pply...");
    EXPECT_EQ(coordinator->mbuttonStop.Caption(), "&Stop");
    EXPECT_EQ(coordinator->mcheckChangeID3v2Tag.Caption(), "Change ID3v&2 Tag on Apply");
    EXPECT_EQ(coordinator->LabelTrack->text(), "Trac&k:");
    EXPECT_EQ(coordinator->LabelNewFileName->text(), "Ne&w File Name:");
    EXPECT_EQ(coordinator->TextArtist->toolTip(),
              "Enter here any change you wish to make to the proposed Artist of the selected Simulate Result above.");
    EXPECT_EQ(coordinator->LabelTagOverrides->text(), "There are no ID3 Tag overrides in effect.");
    EXPECT_FALSE(coordinator->mbuttonApply.Enabled());
    EXPECT_FALSE(coordinator->mbuttonStop.Enabled());
    EXPECT_TRUE(coordinator->mbuttonSimulate.Enabled());
}

TEST_F(CoordinatorKeysTest, UpdateSkinControlsPutsBackTheTickedPictures) {
    Options().Preferences.blnUseSkins = true;
    Open();
    ASSERT_EQ(coordinator->mcheckChangeID3v2Tag.Value(), 1);
    SkinImage* picture = coordinator->mcheckChangeID3v2Tag.Picture();
    ASSERT_TRUE(picture);
    const QImage ticked = picture->Picture().toImage();
    picture->SetPicture(coordinator->ImageSkins[3]);  // a new skin shows every box unticked
    coordinator->UpdateSkinControls();
    EXPECT_EQ(picture->Picture().toImage(), ticked);
}

TEST_F(CoordinatorKeysTest, TheClosePictureUnloadsWithoutAQuestionAndTheProgramRunsOn) {
    Options().Preferences.blnUseSkins = true;
    Open();
    coordinator->ImageSystemMenu[2]->Click();
    Settle();
    EXPECT_FALSE(coordinator);
    EXPECT_TRUE(ui.shown.empty()) << Shown();
    EXPECT_TRUE(window);
}

}  // namespace
