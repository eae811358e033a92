#include "SkinFixture.h"

#include "foundation/Errors.h"
#include "foundation/OptionRecords.h"
#include "foundation/ResourceStrings.h"
#include "foundation/Twips.h"
#include "foundation/ui/WindowPositions.h"
#include "shell/SkinScheme.h"
#include "shell/ui/Skins.h"

#include <QPointer>
#include <QScreen>
#include <gtest/gtest.h>

namespace {

QColor TextColour(const QWidget* w, QPalette::ColorRole role = QPalette::WindowText) {
    return w->palette().color(role);
}

class SkinEngine : public ::testing::Test {
protected:
    void SetUp() override {
        SetStringTableLanguage(StringTableLanguage::US);
        folder.UseScheme(QStringLiteral("Test Blue"), 0);
        gudtSkinSettings = SkinSettings{};
    }
    void TearDown() override {
        for (IToolWindow* w : WindowRegistry::Loaded()) delete dynamic_cast<QWidget*>(w);
        FlushDeletes();
    }
    template <typename W = TestWindow>
    W* LoadedWindow(const QString& name = QStringLiteral("FormSkinTest")) {
        auto* w = new W(name);
        w->Load(true);
        return w;
    }
    SkinFolder folder;
    ScriptedUi ui;
};

}  // namespace

TEST_F(SkinEngine, SkinsOnDressTheWindowFromTheScheme) {
    TestWindow* w = LoadedWindow();
    ASSERT_TRUE(ui.shown.empty()) << ui.shown[0].prompt.toStdString();
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->windowFlags().testFlag(Qt::FramelessWindowHint));

    // Every picture went where its file name says.
    EXPECT_EQ(SkinFolder::PictureNumber(w->ImageTitleBar->Picture(), 0), 0);
    for (int i = 0; i < 12; ++i) EXPECT_EQ(SkinFolder::PictureNumber(w->ImageSkins[i], 0), i + 1) << i;
    EXPECT_EQ(SkinFolder::PictureNumber(w->PictureBoxBackground, 0), 13);
    struct Shown {
        SkinImage* image;
        int picture;
    };
    for (const Shown& s : {Shown{w->ImageScan, 1}, Shown{w->ImageSub, 4}, Shown{w->ImageOptionA, 10},
                           Shown{w->ImageSystemMenu[0], 7}, Shown{w->ImageSystemMenu[1], 11},
                           Shown{w->ImageSystemMenu[2], 5}})
        EXPECT_EQ(SkinFolder::PictureNumber(s.image->Picture(), 0), s.picture) << s.image->objectName().toStdString();

    // Colours by control type and tag.
    const QColor red(255, 0, 0), green(0, 255, 0), blue(0, 0, 255), yellow(255, 255, 0), magenta(255, 0, 255),
        cyan(0, 255, 255);
    EXPECT_EQ(TextColour(w->LabelScan), blue);       // "Button"
    EXPECT_EQ(TextColour(w->LabelTitle), green);     // "Title"
    EXPECT_EQ(TextColour(w->LabelOptionA), red);     // "SkinLabel"
    EXPECT_EQ(TextColour(w->LabelPlain), red);       // untagged
    EXPECT_EQ(TextColour(w->LabelMenu[0]), red);     // menu bar
    EXPECT_EQ(TextColour(w->LabelInFrame), red);     // inside a frame
    EXPECT_EQ(TextColour(w->TextName, QPalette::Text), magenta);
    EXPECT_EQ(TextColour(w->TextName, QPalette::Base), yellow);
    EXPECT_EQ(TextColour(w->ComboRules, QPalette::Base), cyan);
    EXPECT_EQ(TextColour(w->ComboRules, QPalette::Text), magenta);
    EXPECT_EQ(TextColour(w->ListFiles, QPalette::Base), cyan);

    // Settings and the chrome positions they give.
    EXPECT_EQ(gudtSkinSettings.ButtonDownForeColor, 8421504);
    EXPECT_EQ(gudtSkinSettings.CloseFromRight, 600.0f);
    w->resize(660, 400);
    EXPECT_EQ(w->LabelTitle->pos(), QPoint(20, 4));
    EXPECT_EQ(w->ImageSystemMenu[2]->pos(), QPoint(660 - 40, 3));
    EXPECT_EQ(w->ImageSystemMenu[0]->pos(), QPoint(660 - 80, 3));

    // The background cells cover the screen.
    const QSize screen = w->screen()->size();
    EXPECT_EQ(w->BackgroundCellRects().size(),
              BackgroundCells(screen.width() * 15.0, screen.height() * 15.0, 12000, 9000).size());
}

TEST_F(SkinEngine, AMissingSchemeKeepsTheDesignedPicturesWithDefaultColoursAndPositions) {
    Options().Preferences.strSkinScheme = QStringLiteral("No Such Scheme");
    auto* w = new TestWindow;
    const qint64 designedTitle = w->ImageTitleBar->Picture().cacheKey();
    const qint64 designedButton = w->ImageSkins[0].cacheKey();
    w->Load(true);
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_TRUE(w->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(w->ImageTitleBar->Picture().cacheKey(), designedTitle);
    EXPECT_EQ(w->ImageSkins[0].cacheKey(), designedButton);
    EXPECT_EQ(TextColour(w->LabelPlain), QColor(Qt::black));
    EXPECT_EQ(TextColour(w->TextName, QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(TextColour(w->ListFiles, QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(gudtSkinSettings.TitleFromLeft, 240.0f);
    EXPECT_EQ(gudtSkinSettings.MinimiseFromRight, 750.0f);
    EXPECT_EQ(gudtSkinSettings.CloseFromTop, 40.0f);
}

TEST_F(SkinEngine, ASchemeWithoutSettingsUsesItsPicturesWithDefaults) {
    folder.AddScheme(QStringLiteral("Bare"), 1, QString());
    Options().Preferences.strSkinScheme = QStringLiteral("Bare");
    TestWindow* w = LoadedWindow();
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(SkinFolder::PictureNumber(w->ImageScan->Picture(), 1), 1);
    EXPECT_EQ(TextColour(w->LabelScan), QColor(Qt::black));
    EXPECT_EQ(gudtSkinSettings.TextBoxBackColor, 16777215);
    EXPECT_EQ(gudtSkinSettings.MaximiseFromRight, 550.0f);
}

TEST_F(SkinEngine, AMissingPictureEndsTheDressingWithTheErrorOnItsTrail) {
    folder.AddScheme(QStringLiteral("Broken"), 1, SkinFolder::DefaultIni(), {QStringLiteral("RestoreDN.Jpg")});
    Options().Preferences.strSkinScheme = QStringLiteral("Broken");
    TestWindow* w = LoadedWindow();

    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].title, "Critical Error");
    EXPECT_TRUE(ui.shown[0].prompt.startsWith("An error has occurred: 53\r\n")) << ui.shown[0].prompt.toStdString();
    EXPECT_TRUE(ui.shown[0].prompt.contains("RestoreDN.Jpg"));
    EXPECT_TRUE(ui.shown[0].prompt.contains("|LoadSkin;FormSkinTest|Initialise;FormSkinTest;True"));
    EXPECT_TRUE(w->isVisible());
    // What came before the missing picture is loaded, nothing after it is done.
    EXPECT_EQ(SkinFolder::PictureNumber(w->ImageTitleBar->Picture(), 1), 0);
    for (int i = 0; i < 11; ++i) EXPECT_EQ(SkinFolder::PictureNumber(w->ImageSkins[i], 1), i + 1) << i;
    EXPECT_EQ(SkinFolder::PictureNumber(w->ImageSkins[11], 1), -1);
    EXPECT_TRUE(w->BackgroundCellRects().empty());
    EXPECT_NE(TextColour(w->LabelPlain), QColor(255, 0, 0));
}

TEST_F(SkinEngine, ABadSettingsValueIsReportedThroughTheIniReader) {
    folder.AddScheme(QStringLiteral("Bad"), 0, QStringLiteral("[Colours]\r\nTitleForeColor=blue\r\n"));
    Options().Preferences.strSkinScheme = QStringLiteral("Bad");
    auto* w = new TestWindow;
    try {
        LoadSkin(w);
        FAIL() << "no error";
    } catch (const SvError& e) {
        EXPECT_EQ(e.number(), ErrNo::TypeMismatch);
        const QString d = e.description();
        EXPECT_LT(d.indexOf("|LoadFromIni;Colours;TitleForeColor"), d.indexOf("|LoadSkin;FormSkinTest"));
    }
    EXPECT_TRUE(w->isVisible());
}

TEST_F(SkinEngine, SkinsOffShowTheStandardControlsAndMoveTheWindowsOwnControlsUpOnce) {
    Options().Preferences.blnUseSkins = false;
    gudtSkinSettings.TitleFromLeft = 1234;  // not read with skins off
    folder.AddScheme(QStringLiteral("Test Blue"), 0, QStringLiteral("[Colours]\r\nLabelForeColor=x\r\n"));
    TestWindow* w = LoadedWindow();
    ASSERT_TRUE(ui.shown.empty()) << ui.shown[0].prompt.toStdString();

    EXPECT_FALSE(w->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(gudtSkinSettings.TitleFromLeft, 1234.0f);
    for (QWidget* chrome : std::initializer_list<QWidget*>{w->ImageTitleBar, w->LabelTitle, w->ImageSystemMenu[0],
                                                          w->ImageSystemMenu[2], w->ImageScan, w->LabelScan,
                                                          w->ImageSub, w->ImageOptionA, w->LabelOptionA})
        EXPECT_TRUE(chrome->isHidden()) << chrome->objectName().toStdString();
    for (QWidget* standard : std::initializer_list<QWidget*>{w->CmdScan, w->CheckSub, w->OptionA, w->FrameGroup})
        EXPECT_TRUE(standard->isVisible()) << standard->objectName().toStdString();

    const int bar = w->ImageTitleBar->height();
    EXPECT_EQ(w->LabelPlain->y(), 100 - bar);
    EXPECT_EQ(w->CmdScan->y(), 60 - bar);
    EXPECT_EQ(w->FrameGroup->y(), 140 - bar);
    EXPECT_EQ(w->OptionA->y(), 60);       // option buttons keep their top
    EXPECT_EQ(w->LabelInFrame->y(), 30);  // moves with its frame only

    // Dressed plain again (a scheme change while skins are off): no second move.
    LoadSkin(w);
    EXPECT_EQ(w->LabelPlain->y(), 100 - bar);
    EXPECT_EQ(w->FrameGroup->y(), 140 - bar);
    EXPECT_TRUE(IsDressedPlain(w));

    // Skins on again: the skinned layout comes back.
    folder.AddScheme(QStringLiteral("Test Blue"), 0);
    Options().Preferences.blnUseSkins = true;
    LoadSkin(w);
    EXPECT_FALSE(IsDressedPlain(w));
    EXPECT_TRUE(w->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(w->LabelPlain->y(), 100);
    EXPECT_EQ(w->FrameGroup->y(), 140);
    EXPECT_TRUE(w->ImageTitleBar->isVisible());
    EXPECT_TRUE(w->ImageScan->isVisible());
    EXPECT_TRUE(w->LabelTitle->isVisible());
    EXPECT_TRUE(w->CmdScan->isHidden());
    EXPECT_TRUE(w->FrameGroup->isHidden());
}

TEST_F(SkinEngine, SwitchingSkinsOffGivesBackThePlatformFrame) {
    TestWindow* w = LoadedWindow();
    ASSERT_TRUE(w->windowFlags().testFlag(Qt::FramelessWindowHint));
    const int height = w->height();
    Options().Preferences.blnUseSkins = false;
    SkinForms();
    EXPECT_FALSE(w->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(TitleBarHeight(w), std::lround(CaptionHeightPixels(w) * 15.0));
    // On and off again: the window ends the size it was.
    Options().Preferences.blnUseSkins = true;
    SkinForms();
    EXPECT_EQ(w->height(), height);
    EXPECT_EQ(TitleBarHeight(w), 0);
}

TEST_F(SkinEngine, SkinFormsRedressesEveryLoadedSkinnableWindowInTheNewScheme) {
    folder.AddScheme(QStringLiteral("Second"), 1,
                     QStringLiteral("[Positions]\r\nTitleFromLeft=450\r\nCloseFromRight=750\r\n"));
    auto* host = LoadedWindow<SkinHostWindow>(QStringLiteral("FormHost"));
    TestWindow* plain = LoadedWindow(QStringLiteral("FormPlain"));
    host->mcheckSub.SetValue(1);
    plain->mcheckSub.SetValue(1);
    plain->moptionA.SetValue(true);
    plain->hide();
    ASSERT_TRUE(ui.shown.empty());

    Options().Preferences.strSkinScheme = QStringLiteral("Second");
    SkinForms();
    ASSERT_TRUE(ui.shown.empty());
    for (TestWindow* w : {static_cast<TestWindow*>(host), plain}) {
        SCOPED_TRACE(w->objectName().toStdString());
        // A window the user hid stays hidden, dressed all the same.
        EXPECT_EQ(w->isVisible(), w == host);
        EXPECT_EQ(SkinFolder::PictureNumber(w->ImageTitleBar->Picture(), 1), 0);
        EXPECT_EQ(w->LabelTitle->x(), 30);
        EXPECT_EQ(w->ImageSystemMenu[2]->x(), w->width() - 50);
        // Every check box and option shows its value again, on a window
        // with UpdateSkinControls and on one without.
        EXPECT_EQ(SkinFolder::PictureNumber(w->ImageSub->Picture(), 1), 3);
    }
    EXPECT_EQ(host->updateCalls, 1);
    EXPECT_EQ(SkinFolder::PictureNumber(host->ImageOptionA->Picture(), 1), 10);
    EXPECT_EQ(SkinFolder::PictureNumber(plain->ImageOptionA->Picture(), 1), 9);
}

TEST_F(SkinEngine, RemoveTitleBarGivesTheCaptionHeightBackOnlyOnce) {
    auto* w = new TestWindow;
    w->show();
    const int height = w->height();
    RemoveTitleBar(w, false);
    EXPECT_EQ(w->height(), height - CaptionHeightPixels(w));
    EXPECT_TRUE(w->SizingBorder());
    RemoveTitleBar(w, true);
    EXPECT_EQ(w->height(), height - CaptionHeightPixels(w));
    EXPECT_FALSE(w->SizingBorder());

    auto* maximised = new TestWindow(QStringLiteral("FormMaximised"));
    maximised->showMaximized();
    const QSize size = maximised->size();
    RemoveTitleBar(maximised, false);
    EXPECT_TRUE(maximised->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(maximised->size(), size);
}

TEST_F(SkinEngine, TheTitleBarButtonsMinimiseMaximiseRestoreAndClose) {
    QPointer<TestWindow> w = LoadedWindow();
    SystemMenuItemSelect(w, 1);
    EXPECT_TRUE(w->isMaximized());
    SystemMenuItemSelect(w, 1);
    EXPECT_FALSE(w->isMaximized());
    SystemMenuItemSelect(w, 0);
    EXPECT_TRUE(w->isMinimized());
    SystemMenuItemSelect(w, 1);
    EXPECT_TRUE(w->isMaximized());
    SystemMenuItemSelect(w, 7);
    EXPECT_TRUE(w->isMaximized());
    SystemMenuItemSelect(w, 2);
    FlushDeletes();
    EXPECT_TRUE(w.isNull());
    EXPECT_EQ(WindowRegistry::Find(QStringLiteral("FormSkinTest")), nullptr);
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(SkinEngine, AWindowWithoutChromeIsStillColoured) {
    auto* dialog = new QWidget;
    dialog->setObjectName(QStringLiteral("DialogPlain"));
    auto* label = new QLabel(QStringLiteral("Name"), dialog);
    auto* text = new QLineEdit(dialog);
    LoadSkin(dialog);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(TextColour(label), QColor(255, 0, 0));
    EXPECT_EQ(TextColour(text, QPalette::Base), QColor(255, 255, 0));
    try {
        PaintForm(dialog);
        ADD_FAILURE() << "no error";
    } catch (const SvError& e) {
        EXPECT_EQ(e.number(), ErrNo::MemberNotFound);
        EXPECT_TRUE(e.description().endsWith("|PaintForm;DialogPlain"));
    }
    delete dialog;
}

TEST(SkinBackground, CellsCoverTheScreenColumnByColumn) {
    const std::vector<QPointF> cells = BackgroundCells(1024 * 15.0, 768 * 15.0, 800 * 15.0, 600 * 15.0);
    const std::vector<QPointF> expected = {{0, 0}, {0, 9000}, {12000, 0}, {12000, 9000}};
    EXPECT_EQ(cells, expected);
    // A corner exactly on the screen's edge is not beyond it.
    EXPECT_EQ(BackgroundCells(800, 600, 800, 600).size(), 4u);
    EXPECT_EQ(BackgroundCells(799, 599, 800, 600).size(), 1u);
}
