// The keyboard emulation, driven by synthetic key events on fake windows:
// Alt+letter opens a label's menu, Ctrl+O/S/Q and the edit keys act like the
// File and Edit items, and the access-key marks of the window where Alt went
// down are hidden until the next key release.

#include "FakeToolWindow.h"

#include "foundation/AppPaths.h"
#include "foundation/DesktopServices.h"
#include "shell/menus/KeyboardState.h"
#include "shell/menus/ui/Menus.h"
#include "shell/start/StartProcedure.h"
#include "shell/ui/LabelMenuMarks.h"
#include "support/ScriptedUi.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QLineEdit>
#include <QPainter>
#include <QStandardItemModel>
#include <QTreeView>
#include "support/RecordingDesktop.h"

#include <gtest/gtest.h>

namespace {

class KeyboardEmulation : public ::testing::Test {
protected:
    void SetUp() override {
        InstallKeyRouter();
        KeyWait().Reset();
        gblnStartupComplete = true;
        window = new FakeToolWindow(QStringLiteral("FormFake"));
        window->show();
    }
    void TearDown() override {
        delete window;
        KeyWait().Reset();
    }
    bool MarksHidden() const { return AccessKeysHidden(window->LabelMenu[0]); }

    ScriptedUi ui;
    FakeToolWindow* window = nullptr;
};

}  // namespace

TEST_F(KeyboardEmulation, AltHidesTheMarksUntilTheNextKeyReleaseWithoutTouchingTheCaptions) {
    window->LabelMenu[0]->setText(QStringLiteral("&File"));
    SendKey(window, QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    EXPECT_TRUE(MarksHidden());
    EXPECT_TRUE(KeyWait().Waiting());
    EXPECT_EQ(window->LabelMenu[0]->text(), QStringLiteral("&File"));  // never rewritten
    SendKey(window, QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    EXPECT_FALSE(MarksHidden());
    EXPECT_FALSE(KeyWait().Waiting());
    EXPECT_TRUE(window->log.contains(QStringLiteral("ProcessShortcutKeys 18 4")));
}

TEST_F(KeyboardEmulation, BeforeStartUpEndsAltHidesNothing) {
    gblnStartupComplete = false;
    SendKey(window, QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    EXPECT_FALSE(MarksHidden());
    EXPECT_FALSE(KeyWait().Waiting());
}

TEST_F(KeyboardEmulation, LosingTheFocusEndsTheWait) {
    SendKey(window, QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    ASSERT_TRUE(MarksHidden());
    CancelKeyWait();
    EXPECT_FALSE(MarksHidden());
    EXPECT_FALSE(KeyWait().Waiting());
    // The next Alt starts a new wait.
    SendKey(window, QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    EXPECT_TRUE(MarksHidden());
}

TEST_F(KeyboardEmulation, AReleaseThatEndsNoWaitLeavesTheMarksAsTheyAre) {
    SendKey(window, QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    SendKey(window, QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    // Something else hides them (the window's own business): a stray release
    // must not show them again.
    SetAccessKeysHidden(window, true);
    PressRelease(window, Qt::Key_B, Qt::NoModifier);
    EXPECT_TRUE(MarksHidden());
}

TEST_F(KeyboardEmulation, AltLetterOpensTheMenuOfAnEnabledLabel) {
    struct Case {
        int key;
        QString expected;
    };
    for (const Case& c : {Case{Qt::Key_F, "LabelMenu_Click 0"}, Case{Qt::Key_E, "LabelMenu_Click 1"},
                          Case{Qt::Key_T, "LabelMenu_Click 2"}, Case{Qt::Key_A, "LabelMenu_Click 3"},
                          Case{Qt::Key_H, "LabelMenu_Click 4"}, Case{Qt::Key_Q, ""}}) {
        window->log.clear();
        SendKey(window, QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
        PressRelease(window, c.key, Qt::AltModifier);
        SendKey(window, QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
        const QStringList clicks = window->log.filter(QStringLiteral("LabelMenu_Click"));
        EXPECT_EQ(clicks, c.expected.isEmpty() ? QStringList() : QStringList{c.expected}) << c.key;
    }
}

TEST_F(KeyboardEmulation, DuringAJobOnlyToolsAndHelpAnswerTheKeyboard) {
    EnableMenus(window, false);
    EXPECT_FALSE(window->LabelMenu[0]->isEnabled());
    EXPECT_FALSE(window->LabelMenu[1]->isEnabled());
    EXPECT_TRUE(window->LabelMenu[2]->isEnabled());
    EXPECT_FALSE(window->LabelMenu[3]->isEnabled());
    EXPECT_TRUE(window->LabelMenu[4]->isEnabled());
    for (int key : {Qt::Key_F, Qt::Key_E, Qt::Key_T, Qt::Key_A, Qt::Key_H}) PressRelease(window, key, Qt::AltModifier);
    for (int key : {Qt::Key_O, Qt::Key_S, Qt::Key_Q, Qt::Key_C, Qt::Key_A}) PressRelease(window, key, Qt::ControlModifier);
    PressRelease(window, Qt::Key_Delete, Qt::NoModifier);
    EXPECT_EQ(window->log.filter(QStringLiteral("_Click")),
              (QStringList{"LabelMenu_Click 2", "LabelMenu_Click 4"}));
    EnableMenus(window, true);
    EXPECT_TRUE(window->LabelMenu[0]->isEnabled());
}

TEST_F(KeyboardEmulation, FileShortcutsFollowTheWindowsItems) {
    PressRelease(window, Qt::Key_O, Qt::ControlModifier);
    PressRelease(window, Qt::Key_S, Qt::ControlModifier);
    PressRelease(window, Qt::Key_Q, Qt::ControlModifier);
    PressRelease(window, Qt::Key_O, Qt::NoModifier);  // without Ctrl: nothing
    EXPECT_EQ(window->log.filter(QStringLiteral("File")),
              (QStringList{"mnuFileOpen_Click", "mnuFileSave_Click", "mnuFileExit_Click"}));

    // A disabled item, and a window without Open or Save (the Duplicate Finder).
    window->log.clear();
    window->FileItem("mnuFileSave")->setEnabled(false);
    PressRelease(window, Qt::Key_S, Qt::ControlModifier);
    FakeToolWindow finder(QStringLiteral("FormDuplicateFinder"), {true, false, false});
    finder.show();
    PressRelease(&finder, Qt::Key_O, Qt::ControlModifier);
    PressRelease(&finder, Qt::Key_S, Qt::ControlModifier);
    PressRelease(&finder, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(window->log.filter(QStringLiteral("File")).isEmpty());
    EXPECT_EQ(finder.log.filter(QStringLiteral("File")), QStringList{"mnuFileExit_Click"});
}

TEST_F(KeyboardEmulation, AKeyActsWithTheModifiersHeldWhenItWentDown) {
    struct Step {
        QEvent::Type type;
        int key;
        Qt::KeyboardModifiers modifiers;  // as the window system reports them
    };
    const QEvent::Type down = QEvent::KeyPress, up = QEvent::KeyRelease;
    const Qt::KeyboardModifiers none = Qt::NoModifier, ctrl = Qt::ControlModifier, alt = Qt::AltModifier;
    struct Case {
        const char* what;
        std::vector<Step> steps;
        QStringList clicks;
    };
    const Case cases[] = {
        {"Ctrl let go before O", {{down, Qt::Key_Control, ctrl}, {down, Qt::Key_O, ctrl}, {up, Qt::Key_Control, none},
                                  {up, Qt::Key_O, none}}, {"mnuFileOpen_Click"}},
        {"Ctrl let go before S", {{down, Qt::Key_Control, ctrl}, {down, Qt::Key_S, ctrl}, {up, Qt::Key_Control, none},
                                  {up, Qt::Key_S, none}}, {"mnuFileSave_Click"}},
        {"Ctrl let go before Q", {{down, Qt::Key_Control, ctrl}, {down, Qt::Key_Q, ctrl}, {up, Qt::Key_Control, none},
                                  {up, Qt::Key_Q, none}}, {"mnuFileExit_Click"}},
        {"Alt let go before F", {{down, Qt::Key_Alt, alt}, {down, Qt::Key_F, alt}, {up, Qt::Key_Alt, none},
                                 {up, Qt::Key_F, none}}, {"LabelMenu_Click 0"}},
        {"Alt let go before H", {{down, Qt::Key_Alt, alt}, {down, Qt::Key_H, alt}, {up, Qt::Key_Alt, none},
                                 {up, Qt::Key_H, none}}, {"LabelMenu_Click 4"}},
        {"O alone", {{down, Qt::Key_O, none}, {up, Qt::Key_O, none}}, {}},
        {"Ctrl+O, then O alone", {{down, Qt::Key_O, ctrl}, {up, Qt::Key_O, none}, {down, Qt::Key_O, none},
                                  {up, Qt::Key_O, none}}, {"mnuFileOpen_Click"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        window->log.clear();
        for (const Step& step : c.steps) SendKey(window, step.type, step.key, step.modifiers);
        EXPECT_EQ(window->log.filter(QStringLiteral("_Click")), c.clicks);
        EXPECT_FALSE(KeyWait().Waiting());
        EXPECT_FALSE(MarksHidden());
    }
}

TEST_F(KeyboardEmulation, AWindowWithoutMenusIgnoresMenuAndShortcutKeys) {
    FakeToolWindow ripper(QStringLiteral("FormCDRipper"), {false, false, false});
    ripper.show();
    for (int key : {Qt::Key_F, Qt::Key_E, Qt::Key_T, Qt::Key_A, Qt::Key_H}) PressRelease(&ripper, key, Qt::AltModifier);
    PressRelease(&ripper, Qt::Key_C, Qt::ControlModifier);
    PressRelease(&ripper, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(ripper.log.filter(QStringLiteral("_Click")).isEmpty());
    EXPECT_TRUE(ui.shown.empty());  // and nothing is reported
}

TEST_F(KeyboardEmulation, EditKeysOnAListActOnReleaseWhileTheirItemIsEnabled) {
    auto* list = new QTreeView(window);
    auto* model = new QStandardItemModel(list);
    for (const char* row : {"a", "b", "c"}) model->appendRow(new QStandardItem(QString::fromLatin1(row)));
    list->setModel(model);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    window->edit = list;
    list->show();
    list->setFocus();
    list->selectionModel()->setCurrentIndex(model->index(1, 0), QItemSelectionModel::ClearAndSelect);

    PressRelease(window, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("b\r\n"));
    PressRelease(window, Qt::Key_V, Qt::ControlModifier);  // Paste is never enabled for a list
    PressRelease(window, Qt::Key_Delete, Qt::ShiftModifier);  // Delete with any shift state
    EXPECT_EQ(window->log.filter(QStringLiteral("mnuEdit")), (QStringList{"mnuEdit_Click 1", "mnuEdit_Click 3"}));
    EXPECT_EQ(model->rowCount(), 2);

    // The focus on another control disables every item for the list.
    window->log.clear();
    auto* other = new QLineEdit(window);
    other->show();
    other->setFocus();
    SendKey(window, QEvent::KeyRelease, Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(window->log.filter(QStringLiteral("mnuEdit")).isEmpty());
}

TEST_F(KeyboardEmulation, EditKeysInATextBoxActOnce) {
    auto* text = new QLineEdit(window);
    window->edit = text;
    text->show();
    text->setFocus();
    text->setText(QStringLiteral("abc"));
    text->setCursorPosition(3);
    QGuiApplication::clipboard()->setText(QStringLiteral("X"));
    PressRelease(window, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(text->text(), QStringLiteral("abcX"));
    text->setCursorPosition(0);
    PressRelease(window, Qt::Key_Delete, Qt::NoModifier);
    EXPECT_EQ(text->text(), QStringLiteral("bcX"));
    EXPECT_TRUE(window->log.filter(QStringLiteral("mnuEdit")).isEmpty());
}

TEST_F(KeyboardEmulation, MenuKeysActOnTheWindowWhereAltWentDown) {
    FakeToolWindow other(QStringLiteral("FormOther"));
    other.show();
    SendKey(window, QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    // The release arrives in another window.
    SendKey(&other, QEvent::KeyRelease, Qt::Key_T, Qt::AltModifier);
    EXPECT_EQ(window->log.filter(QStringLiteral("LabelMenu")), QStringList{"LabelMenu_Click 2"});
    EXPECT_TRUE(other.log.filter(QStringLiteral("LabelMenu")).isEmpty());
    EXPECT_FALSE(MarksHidden());
}

TEST_F(KeyboardEmulation, AWindowThatIsNotSkinnableGetsNoMenuKeysButItsMarksBack) {
    FakeToolWindow plain(QStringLiteral("FormPlain"), {true, true, true, QString()});
    plain.show();
    SendKey(&plain, QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    EXPECT_TRUE(AccessKeysHidden(plain.LabelMenu[0]));
    SendKey(&plain, QEvent::KeyRelease, Qt::Key_F, Qt::AltModifier);
    EXPECT_TRUE(plain.log.filter(QStringLiteral("LabelMenu")).isEmpty());
    EXPECT_FALSE(AccessKeysHidden(plain.LabelMenu[0]));
}

TEST_F(KeyboardEmulation, F1OpensTheWindowsHelpTopicAndOtherKeysNothing) {
    RecordingDesktop opener;
    QTemporaryDir app;
    QDir(app.path()).mkpath(QStringLiteral("WebHelp/Duplicate_Finder"));
    QFile page(app.filePath(QStringLiteral("WebHelp/Duplicate_Finder/Duplicate_Finder.htm")));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.close();
    SetAppPathForTesting(app.path());
    window->helpTopic = 4;
    PressRelease(window, Qt::Key_F2, Qt::NoModifier);
    EXPECT_TRUE(opener.opened.isEmpty());
    PressRelease(window, Qt::Key_F1, Qt::NoModifier);
    EXPECT_EQ(opener.opened, QStringList{page.fileName()});
    // A page that is not there: the user is told.
    window->helpTopic = 5;
    PressRelease(window, Qt::Key_F1, Qt::NoModifier);
    EXPECT_EQ(opener.opened.size(), 1);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].title, QStringLiteral("Online Help Unavailable"));
    SetAppPathForTesting(QString());
}

TEST(AccessKeyMarks, AreHiddenWhenTheLabelPaints) {
    // A label with hidden marks paints exactly like its caption without the
    // marks; "&&" still shows one ampersand.
    auto render = [](const QString& text, bool hidden) {
        QWidget window;
        window.resize(200, 40);
        SkinLabel label(text, &window);
        label.resize(180, 30);
        SetAccessKeysHidden(&window, hidden);
        QImage image(label.size(), QImage::Format_ARGB32);
        image.fill(Qt::white);
        label.render(&image);
        return image;
    };
    EXPECT_EQ(render(QStringLiteral("&Options"), true), render(QStringLiteral("Options"), false));
    EXPECT_NE(render(QStringLiteral("&Options"), false), render(QStringLiteral("Options"), false));
    EXPECT_EQ(render(QStringLiteral("Tom && &Jerry"), true), render(QStringLiteral("Tom && Jerry"), false));
}

TEST(KeyCodes, QtKeysBecomeThePlatformsCodesAndShiftStates) {
    EXPECT_EQ(PlatformKeyCode(Qt::Key_A), 65);
    EXPECT_EQ(PlatformKeyCode(Qt::Key_Z), 90);
    EXPECT_EQ(PlatformKeyCode(Qt::Key_F1), 112);
    EXPECT_EQ(PlatformKeyCode(Qt::Key_Delete), 46);
    EXPECT_EQ(PlatformKeyCode(Qt::Key_Alt), 18);
    // A modifier key counts as held on its own press and released on its release.
    EXPECT_EQ(PlatformShiftState(Qt::NoModifier, Qt::Key_Alt, true), 4);
    EXPECT_EQ(PlatformShiftState(Qt::AltModifier, Qt::Key_Alt, false), 0);
    EXPECT_EQ(PlatformShiftState(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_C, true), 3);
}
