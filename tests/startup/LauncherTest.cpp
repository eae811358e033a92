// The launcher bar: its texts, the remembered Stay On Top state, the hover
// panel, the button faces, its keys, Exit, and what it saves when unloaded.

#include "foundation/AppPaths.h"
#include "foundation/Errors.h"
#include "foundation/ResourceStrings.h"
#include "foundation/SettingsStore.h"
#include "foundation/DesktopServices.h"
#include "shell/menus/KeyboardState.h"
#include "shell/menus/ui/OptionDialogs.h"
#include "shell/start/StartProcedure.h"
#include "shell/ui/Launcher.h"
#include "shell/ui/SkinWidgets.h"
#include "shell/ui/SkinnedWindow.h"
#include "support/NativeWindowWatch.h"
#include "support/ScriptedUi.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include "support/RecordingDesktop.h"

#include <gtest/gtest.h>

namespace {

QColor TextColour(const QWidget* label) { return label->palette().color(QPalette::WindowText); }

bool OnTop(const QWidget* w) { return w->windowFlags().testFlag(Qt::WindowStaysOnTopHint); }

// Stands in for the main window: records its unload.
class FakeMain final : public QWidget, public IToolWindow {
public:
    FakeMain() {
        setObjectName(WindowNames::ScanningCentre);
        WindowRegistry::Register(this);
    }
    QString Name() const override { return objectName(); }
    QString Caption() const override { return QString(); }
    void ShowWindow() override {}
    void UnloadWindow() override { ++unloads; }
    int unloads = 0;
};

void Key(QWidget* window, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers) {
    QKeyEvent event(type, key, modifiers);
    QApplication::sendEvent(window, &event);
}

}  // namespace

TEST(Launcher, ShowsItsTexts) {
    TempHome home;
    ScriptedUi ui;
    for (const StringTableLanguage language : {StringTableLanguage::US, StringTableLanguage::UK}) {
        SetStringTableLanguage(language);
        FormIntegrator bar;
        EXPECT_EQ(bar.windowTitle(), QStringLiteral("Sonivard"));
        QStringList tools;
        for (const int i : {0, 2, 3, 4, 5, 6}) tools << bar.LabelTool[static_cast<size_t>(i)]->text();
        EXPECT_EQ(tools,
                  (QStringList{GetResourceString(TextId::Launcher::ScanningCentre), "File Name and Tag Coordinator",
                               GetResourceString(TextId::Launcher::MusicCataloguer), "Duplicate Finder",
                               "Playlist Manager", "Encoder Decoder"}));
        EXPECT_EQ(bar.LabelTool[1], nullptr);
        EXPECT_EQ(bar.LabelToolName->text(), QStringLiteral("Sonivard"));
        EXPECT_EQ(bar.LabelInfo->text(), GetResourceString(TextId::Launcher::Welcome));
        EXPECT_EQ(bar.LabelOptions->text(), QStringLiteral("&Options"));
        EXPECT_EQ(bar.LabelExit->text(), QStringLiteral("E&xit Program"));
        EXPECT_EQ(bar.LabelStayOnTop->text(), QStringLiteral("&Stay On Top"));
        EXPECT_EQ(bar.CheckStayOnTop->toolTip(), QStringLiteral("Check this box to keep the Integrator panel on top."));
        QStringList items;
        for (const QAction* a : bar.mnuOptionsRoot->actions()) items << (a->isSeparator() ? "-" : a->text());
        EXPECT_EQ(items, (QStringList{GetResourceString(TextId::Launcher::OptionsScanningCentre) + "...",
                                      "&File Name and Tag Coordinator...",
                                      GetResourceString(TextId::Launcher::OptionsCataloguerHTML) + "...",
                                      GetResourceString(TextId::Launcher::OptionsCataloguerText) + "...",
                                      "&Encoder Decoder...", "-", "&Preferences"}));
        EXPECT_EQ(bar.mnuOptionsRoot->title(), QStringLiteral("&Options"));
    }
    SetStringTableLanguage(StringTableLanguage::US);
    EXPECT_TRUE(ui.shown.empty());
}

TEST(Launcher, EveryToolNameFitsTheHeadingAndTheColumnInBothLanguages) {
    TempHome home;
    ScriptedUi ui;
    for (const StringTableLanguage language : {StringTableLanguage::US, StringTableLanguage::UK}) {
        SetStringTableLanguage(language);
        FormIntegrator bar;
        for (const int i : {0, 2, 3, 4, 5, 6}) {
            bar.LabelTool_MouseMove(i);
            const QString name = bar.LabelToolName->text();
            const QRect room = bar.LabelToolName->contentsRect();
            const QRect needed = QFontMetrics(bar.LabelToolName->font())
                                     .boundingRect(QRect(0, 0, room.width(), 1000), Qt::TextWordWrap, name);
            EXPECT_LE(needed.width(), room.width()) << name.toStdString();
            EXPECT_LE(needed.height(), room.height()) << name.toStdString();
            const SkinLabel* caption = bar.LabelTool[static_cast<size_t>(i)];
            EXPECT_LE(caption->geometry().right(), bar.LabelToolName->x()) << name.toStdString();
            EXPECT_EQ(caption->width(), caption->sizeHint().width()) << name.toStdString();
        }
        // Still a heading: bold, and no smaller than the captions under it.
        EXPECT_TRUE(bar.LabelToolName->font().bold());
        EXPECT_GE(bar.LabelToolName->font().pointSizeF(), bar.LabelTool[0]->font().pointSizeF());
    }
    SetStringTableLanguage(StringTableLanguage::US);
}

TEST(Launcher, StayOnTopIsRestoredFromTheStoreAndSavedAtUnload) {
    struct Case {
        const char* stored;  // nullptr: nothing stored
        bool onTop;
    };
    for (const Case& c : {Case{nullptr, true}, Case{"1", true}, Case{"0", false}, Case{"2", false}, Case{"-1", false}}) {
        SCOPED_TRACE(c.stored ? c.stored : "none");
        TempHome home;
        ScriptedUi ui;
        if (c.stored) SaveOptionSetting("Integrator", "StayOnTop", QString::fromLatin1(c.stored), SettingType::String);
        auto* bar = new FormIntegrator;
        EXPECT_EQ(bar->mintCheckStayOnTop, c.onTop ? 1 : 0);
        EXPECT_EQ(OnTop(bar), c.onTop);
        EXPECT_EQ(bar->CheckStayOnTop->Picture().toImage(),
                  (c.onTop ? bar->ImageCheckON : bar->ImageCheckOFF).toImage());
        // The box's caption toggles too; the value is stored when the bar unloads.
        bar->LabelStayOnTop_Click();
        EXPECT_EQ(OnTop(bar), !c.onTop);
        bar->UnloadWindow();
        EXPECT_EQ(GetOptionSetting("Integrator", "StayOnTop", "x", SettingType::String).toString(),
                  c.onTop ? QStringLiteral("0") : QStringLiteral("1"));
        EXPECT_FALSE(GetOptionSetting("WindowPositions", "FormIntegratorLeft", "", SettingType::String)
                         .toString()
                         .isEmpty());
        EXPECT_EQ(FormIntegrator::Instance(), nullptr);
        delete bar;
        EXPECT_TRUE(ui.shown.empty());
    }
}

TEST(Launcher, StayOnTopChangesKeepTheShownBarsNativeWindow) {
    TempHome home;
    ScriptedUi ui;
    FormIntegrator bar;
    bar.show();
    ASSERT_NE(bar.windowHandle(), nullptr);
    NativeWindowWatch watch(&bar);
    for (const bool onTop : {false, true, false}) {
        bar.CheckStayOnTop_Click();
        EXPECT_EQ(OnTop(&bar), onTop);
        EXPECT_EQ(bar.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint), onTop);
        EXPECT_EQ(watch.interruptions, 0);
        EXPECT_EQ(bar.windowRole(), QStringLiteral("FormIntegrator"));
        EXPECT_TRUE(bar.isVisible());
    }
}

TEST(Launcher, HasNoCloseCommand) {
    TempHome home;
    ScriptedUi ui;
    FormIntegrator bar;
    bar.show();
    EXPECT_FALSE(bar.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(bar.close());
    EXPECT_EQ(FormIntegrator::Instance(), &bar);
}

TEST(Launcher, HoverShowsTheToolUntilThePointerCrossesTheBackground) {
    TempHome home;
    ScriptedUi ui;
    FormIntegrator bar;
    bar.LabelTool_MouseMove(2);
    bar.LabelTool_MouseMove(4);
    // Both captions stay lit: only the background puts them out.
    EXPECT_EQ(TextColour(bar.LabelTool[2]), FormIntegrator::ToolHighlightColour());
    EXPECT_EQ(TextColour(bar.LabelTool[4]), FormIntegrator::ToolHighlightColour());
    EXPECT_EQ(bar.LabelToolName->text(), QStringLiteral("Duplicate Finder"));
    EXPECT_EQ(bar.LabelInfo->text(), GetResourceString(TextId::Launcher::DuplicateFinderInfo));
    bar.LabelTool_MouseMove(6);
    EXPECT_EQ(bar.LabelToolName->text(), QStringLiteral("Encoder Decoder"));
    EXPECT_EQ(bar.LabelInfo->text(), GetResourceString(TextId::Launcher::EncoderDecoderInfo));
    bar.ImageBackground_MouseMove();
    for (const int i : {0, 2, 3, 4, 5, 6})
        EXPECT_EQ(TextColour(bar.LabelTool[static_cast<size_t>(i)]), FormIntegrator::ToolColour());
    // The last tool's texts stay.
    EXPECT_EQ(bar.LabelToolName->text(), QStringLiteral("Encoder Decoder"));
    // The background's tip only while the bar is on top.
    EXPECT_EQ(bar.ImageBackground->toolTip(), GetResourceString(TextId::Launcher::StayOnTopUncheckTip));
    bar.CheckStayOnTop_Click();
    bar.ImageBackground_MouseMove();
    EXPECT_TRUE(bar.ImageBackground->toolTip().isEmpty());
}

// Element 1 of the tool captions does not exist: the error names it.
TEST(Launcher, HoverOverAMissingToolCaptionRaisesTheControlArrayError) {
    TempHome home;
    ScriptedUi ui;
    FormIntegrator bar;
    for (const int index : {1, 7, -1}) {
        try {
            bar.LabelTool_MouseMove(index);
            ADD_FAILURE() << "no error for " << index;
        } catch (const SvError& e) {
            EXPECT_EQ(e.number(), ErrNo::ControlArrayElementMissing);
            EXPECT_EQ(e.description(), QStringLiteral("Control array element '%1' doesn't exist").arg(index));
        }
    }
}

TEST(Launcher, ButtonFacesPressOnlyForTheLeftButton) {
    TempHome home;
    ScriptedUi ui;
    FormIntegrator bar;
    bar.BtnOptions_MouseDown(2);
    EXPECT_EQ(bar.BtnOptions->Picture().toImage(), bar.ImageOptionsUP.toImage());
    bar.BtnOptions_MouseDown(1);
    EXPECT_EQ(bar.BtnOptions->Picture().toImage(), bar.ImageOptionsDN.toImage());
    EXPECT_EQ(TextColour(bar.LabelOptions), QColor(0, 0, 0));
    bar.BtnOptions_MouseUp();
    EXPECT_EQ(bar.BtnOptions->Picture().toImage(), bar.ImageOptionsUP.toImage());
    EXPECT_EQ(TextColour(bar.LabelOptions), QColor(0, 0, 128));
    bar.BtnExit_MouseDown(1);
    EXPECT_EQ(bar.BtnExit->Picture().toImage(), bar.ImageExitDN.toImage());
    bar.BtnExit_MouseUp();
    EXPECT_EQ(TextColour(bar.LabelExit), QColor(0, 0, 128));
}

TEST(Launcher, AltKeysActLikeTheirControlsAndF1OpensHelp) {
    TempHome home;
    ScriptedUi ui;
    RecordingDesktop opener;
    InstallKeyRouter();
    gblnStartupComplete = true;
    KeyWait().Reset();
    FakeMain main;
    FormIntegrator bar;
    bar.show();
    const int before = bar.mintCheckStayOnTop;

    Key(&bar, QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    EXPECT_TRUE(bar.property("AccessKeysHidden").toBool());
    Key(&bar, QEvent::KeyPress, Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(bar.mintCheckStayOnTop, 1 - before);
    Key(&bar, QEvent::KeyRelease, Qt::Key_S, Qt::AltModifier);
    EXPECT_FALSE(bar.property("AccessKeysHidden").toBool());  // the marks are back
    Key(&bar, QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);

    Key(&bar, QEvent::KeyPress, Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(main.unloads, 1);
    Key(&bar, QEvent::KeyRelease, Qt::Key_X, Qt::AltModifier);

    Key(&bar, QEvent::KeyPress, Qt::Key_O, Qt::AltModifier);
    EXPECT_TRUE(bar.mnuOptionsRoot->isVisible());
    bar.mnuOptionsRoot->hide();
    Key(&bar, QEvent::KeyRelease, Qt::Key_O, Qt::AltModifier);

    // Plain letters do nothing; F1 opens topic 0.
    QTemporaryDir app;
    QDir(app.path()).mkpath("WebHelp");
    QFile start(app.filePath("WebHelp/Sonivard.htm"));
    ASSERT_TRUE(start.open(QIODevice::WriteOnly));
    start.close();
    SetAppPathForTesting(app.path());
    Key(&bar, QEvent::KeyPress, Qt::Key_X, Qt::NoModifier);
    Key(&bar, QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    EXPECT_EQ(main.unloads, 1);
    EXPECT_EQ(opener.opened, QStringList{start.fileName()});
    SetAppPathForTesting(QString());
    EXPECT_TRUE(ui.shown.empty());
}

TEST(Launcher, ClicksOpenToolsOptionsAndExit) {
    TempHome home;
    ScriptedUi ui;
    FakeMain main;
    FormIntegrator bar;
    QStringList pages;
    SetOptionDialogHandler([&](int page) { pages << QString::number(page); });
    bar.mnuOptions[3]->trigger();
    bar.mnuOptionsEncoderDecoder->trigger();
    bar.mnuOptionsPreferences->trigger();
    EXPECT_EQ(pages, (QStringList{"3", "6", "5"}));
    SetOptionDialogHandler({});

    bar.LabelExit_Click();
    bar.BtnExit_Click();
    EXPECT_EQ(main.unloads, 2);

    // A tool caption shows the tool's window.
    int created = 0;
    WindowRegistry::SetFactory(WindowNames::PlaylistManager, [&]() -> IToolWindow* {
        ++created;
        return nullptr;
    });
    bar.LabelTool_Click(5);
    EXPECT_EQ(created, 1);
    WindowRegistry::SetFactory(WindowNames::PlaylistManager, nullptr);
    // (a window that cannot be made is reported)
    EXPECT_EQ(ui.shown.size(), 1u);
}
