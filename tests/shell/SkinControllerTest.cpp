#include "SkinFixture.h"

#include "foundation/CommonTexts.h"
#include "foundation/Errors.h"
#include "foundation/OptionRecords.h"
#include "foundation/ResourceStrings.h"
#include "foundation/Twips.h"
#include "shell/SkinScheme.h"
#include "shell/ui/SkinController.h"
#include "shell/ui/Skins.h"

#include <QAction>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class SkinController : public ::testing::Test {
protected:
    void SetUp() override {
        SetStringTableLanguage(StringTableLanguage::US);
        folder.AddScheme(QStringLiteral("Test Blue"), 0);
        Options().Preferences.strSkinScheme = QStringLiteral("Test Blue");
        Options().Preferences.blnUseSkins = true;
    }
    void TearDown() override {
        for (IToolWindow* w : WindowRegistry::Loaded()) delete dynamic_cast<QWidget*>(w);
        FlushDeletes();
        SetStringTableLanguage(StringTableLanguage::US);
    }
    TestWindow* Loaded(bool core = true) {
        auto* w = new TestWindow;
        w->Load(core);
        return w;
    }
    SkinFolder folder;
    ScriptedUi ui;
};

}  // namespace

TEST_F(SkinController, InitialiseFillsTheCommonTextsOfACoreToolWindowOnly) {
    TestWindow* core = Loaded(true);
    EXPECT_EQ(core->dialogTextCalls, 1);
    EXPECT_EQ(core->Caption(), "Skin Test");
    EXPECT_EQ(core->LabelMenu[0]->text(), "&File");
    EXPECT_EQ(core->mnuTools[0]->text(), "&VE3 Zuvarozu Riride");
    EXPECT_EQ(core->ImageSystemMenu[0]->toolTip(), "Minimize");
    EXPECT_EQ(core->cursor().shape(), Qt::ArrowCursor);

    auto* ripper = new TestWindow(QStringLiteral("FormCDRipper"));
    const QString designed = ripper->LabelMenu[0]->text();
    ripper->Load(false);
    EXPECT_EQ(ripper->dialogTextCalls, 1);
    EXPECT_EQ(ripper->LabelMenu[0]->text(), designed);
    EXPECT_EQ(ripper->mnuTools[0]->text(), QString());
    EXPECT_EQ(ripper->ImageSystemMenu[0]->toolTip(), QString());
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(SkinController, ResizeSetsTheTitleBarWidthAndTheMaximiseToolTip) {
    TestWindow* w = Loaded();
    w->resize(TwipsToPixelsX(9000), 400);
    EXPECT_EQ(w->ImageTitleBar->width(), TwipsToPixelsX(8950));
    EXPECT_EQ(w->ImageSystemMenu[1]->toolTip(), "Maximize");

    SetStringTableLanguage(StringTableLanguage::UK);
    QTest::mouseDClick(w->ImageTitleBar, Qt::LeftButton, {}, QPoint(100, 10));
    EXPECT_TRUE(w->isMaximized());
    EXPECT_EQ(w->ImageSystemMenu[1]->toolTip(), "Restore");
    QTest::mouseDClick(w->LabelTitle, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_FALSE(w->isMaximized());
    EXPECT_EQ(w->ImageSystemMenu[1]->toolTip(), "Maximise");
}

TEST_F(SkinController, MenuLabelsLookPressedWhileTheLeftButtonIsDown) {
    TestWindow* w = Loaded();
    SkinLabel* file = w->LabelMenu[0];
    QTest::mousePress(file, Qt::RightButton);
    EXPECT_EQ(file->BorderStyle(), 0);
    QTest::mouseRelease(file, Qt::RightButton);
    QTest::mousePress(file, Qt::LeftButton);
    EXPECT_EQ(file->BorderStyle(), 1);
    QTest::mouseRelease(file, Qt::LeftButton, {}, QPoint(-50, -50));  // released elsewhere: no menu
    EXPECT_EQ(file->BorderStyle(), 0);
}

TEST_F(SkinController, TheTitleBarButtonsShowTheirPressedPicturesThenAct) {
    struct Case {
        int index;
        int down, up;  // ImageSkins indices
    };
    for (const Case& c : {Case{0, 7, 6}, Case{1, 11, 10}}) {
        TestWindow* w = Loaded();
        SkinImage* button = w->ImageSystemMenu[c.index];
        QTest::mousePress(button, Qt::RightButton);
        EXPECT_EQ(button->Picture().cacheKey(), w->ImageSkins[c.up].cacheKey());
        QTest::mousePress(button, Qt::LeftButton);
        EXPECT_EQ(button->Picture().cacheKey(), w->ImageSkins[c.down].cacheKey());
        QTest::mouseRelease(button, Qt::LeftButton);
        EXPECT_EQ(button->Picture().cacheKey(), w->ImageSkins[c.up].cacheKey());
        EXPECT_TRUE(c.index == 0 ? w->isMinimized() : w->isMaximized());
        delete w;
    }

    QPointer<TestWindow> w = Loaded();
    QTest::mousePress(w->ImageSystemMenu[2], Qt::LeftButton);
    EXPECT_EQ(w->ImageSystemMenu[2]->Picture().cacheKey(), w->ImageSkins[5].cacheKey());
    EXPECT_TRUE(WindowRegistry::Find(QStringLiteral("FormSkinTest")));
    QTest::mouseRelease(w->ImageSystemMenu[2], Qt::LeftButton);
    FlushDeletes();
    EXPECT_TRUE(w.isNull());
    EXPECT_EQ(WindowRegistry::Find(QStringLiteral("FormSkinTest")), nullptr);
}

TEST_F(SkinController, ALeftPressOnTheTitleBarOrTitleDragsTheWindow) {
    TestWindow* w = Loaded();
    w->move(100, 100);
    for (QWidget* handle : {static_cast<QWidget*>(w->ImageTitleBar), static_cast<QWidget*>(w->LabelTitle)}) {
        SCOPED_TRACE(handle->objectName().toStdString());
        const QPoint start = w->pos();
        QTest::mousePress(handle, Qt::RightButton, {}, QPoint(5, 5));
        EXPECT_FALSE(w->IsDraggingWindow());
        QTest::mouseRelease(handle, Qt::RightButton, {}, QPoint(5, 5));

        QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_TRUE(w->IsDraggingWindow());
        QMouseEvent move(QEvent::MouseMove, QPointF(45, 25), handle->mapToGlobal(QPointF(45, 25)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(handle, &move);
        EXPECT_EQ(w->pos(), start + QPoint(40, 20));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(45, 25));
        EXPECT_FALSE(w->IsDraggingWindow());
    }
}

TEST_F(SkinController, AFailedDressingIsShownAndLeavesTheCursorStepUndone) {
    folder.AddScheme(QStringLiteral("Broken"), 0, SkinFolder::DefaultIni(), {QStringLiteral("TitleBar.jpg")});
    Options().Preferences.strSkinScheme = QStringLiteral("Broken");
    auto* w = new TestWindow;
    w->LabelPlain->setProperty("MousePointer", 99);
    w->Load(true);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_TRUE(ui.shown[0].prompt.contains("|LoadSkin;FormSkinTest|Initialise;FormSkinTest;True"));
    EXPECT_FALSE(w->LabelPlain->testAttribute(Qt::WA_SetCursor));

    // With a good scheme the program's cursor goes to the controls that ask for it.
    Options().Preferences.strSkinScheme = QStringLiteral("Test Blue");
    auto* good = new TestWindow(QStringLiteral("FormGood"));
    good->LabelPlain->setProperty("MousePointer", 99);
    good->Load(true);
    EXPECT_TRUE(good->LabelPlain->testAttribute(Qt::WA_SetCursor));
    EXPECT_EQ(good->LabelPlain->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(good->TextName->cursor().shape(), Qt::IBeamCursor);
}
