// The shared label menus: captions and item numbers of the Tools, Help, Edit
// and File menus (US and UK), which items are enabled, and what each Tools and
// Help item does.

#include "coordinator/ui/FileNameTagCoordinator.h"
#include "coordinator/ui/MassTaggingOverrideTool.h"
#include "duplicates/ui/DuplicateFinder.h"
#include "FakeToolWindow.h"

#include "foundation/AppPaths.h"
#include "foundation/DesktopServices.h"
#include "foundation/Dialogs.h"
#include "foundation/ResourceStrings.h"
#include "foundation/SettingsStore.h"
#include "foundation/SharedServices.h"
#include "shell/menus/ExternalPrograms.h"
#include "shell/menus/ui/Menus.h"
#include "shell/menus/ui/OptionDialogs.h"
#include "shell/ui/Launcher.h"
#include "support/ScriptedUi.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QStandardPaths>
#include <QTimer>
#include "support/RecordingDesktop.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

QStringList Captions(const QMenu* menu) {
    QStringList out;
    for (const QAction* a : menu->actions())
        if (a->isVisible()) out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

// The coordinator as the registry loads it, closed at the end of the test.
struct LoadedCoordinator {
    LoadedCoordinator() {
        RegisterFileNameTagCoordinatorWindow();
        RegisterMassTaggingOverrideToolWindow();
        window = dynamic_cast<FormFileNameTagCoordinator*>(WindowRegistry::Load(WindowNames::Coordinator));
    }
    ~LoadedCoordinator() {
        if (WindowRegistry::Find(WindowNames::Coordinator)) window->mnuFileExit_Click();
        WindowRegistry::SetFactory(WindowNames::Coordinator, nullptr);
        WindowRegistry::SetFactory(WindowNames::MassTagging, nullptr);
    }
    FormFileNameTagCoordinator* window = nullptr;
};

}  // namespace

TEST(SharedMenus, CaptionsAndItemNumbersInBothLanguages) {
    TempHome home;
    ScriptedUi ui;
    struct Case {
        StringTableLanguage language;
        QString scanningCentre, cataloguer;
    };
    for (const Case& c : {Case{StringTableLanguage::US, "&VE3 Zuvarozu Riride", "M&usic Cataloger"},
                          Case{StringTableLanguage::UK, "&ZA3 Redozozo Reveva", "M&usic Cataloguer"}}) {
        SetStringTableLanguage(c.language);
        LoadedCoordinator s;
        ASSERT_NE(s.window, nullptr);
        FormFileNameTagCoordinator& w = *s.window;
        EXPECT_EQ(Captions(w.mnuToolsRoot),
                  (QStringList{c.scanningCentre, "-", "&File Name and Tag Coordinator", c.cataloguer,
                               "&Duplicate Finder", "&Playlist Manager", "&Encoder Decoder", "-", "&Music Player", "-",
                               "&Options...", "P&references..."}));
        EXPECT_EQ(Captions(w.mnuHelpRoot), (QStringList{"&Contents && Index", "-", "Go to &www.brellick.example",
                                                         "-", "&About Sonivard..."}));
        // The coordinator builds Paste hidden: rows are never pasted into its table.
        EXPECT_EQ(Captions(w.mnuEditRoot),
                  (QStringList{"Cu&t", "&Copy", "&Delete", "-", "Select &All", "&Invert Selection"}));
        EXPECT_EQ(w.mnuEdit[2]->text(), QStringLiteral("&Paste"));
        QStringList labels;
        for (const SkinLabel* l : w.LabelMenu) labels << l->text();
        EXPECT_EQ(labels, (QStringList{"&File", "&Edit", "&Tools", "&Actions", "&Help"}));
        EXPECT_EQ(Captions(w.mnuFile),
                  (QStringList{"&Open...\tCtrl+O", "-", "&Save...\tCtrl+S", "-", "E&xit\tCtrl+Q"}));
        // The array index is the item number the menu procedures act on.
        EXPECT_EQ(w.mnuTools[8]->text(), QStringLiteral("&Music Player"));
        EXPECT_EQ(w.mnuHelp[5]->text(), QStringLiteral("&About Sonivard..."));
        EXPECT_EQ(w.mnuEdit[5]->text(), QStringLiteral("Select &All"));
    }
    SetStringTableLanguage(StringTableLanguage::US);
}

TEST(SharedMenus, HelpMenuHasItsSeparatorsAtTwoAndFour) {
    TempHome home;
    ScriptedUi ui;
    FormDuplicateFinder window;
    EXPECT_TRUE(window.mnuHelp[2]->isSeparator());
    EXPECT_TRUE(window.mnuHelp[4]->isSeparator());
    // Item 1 has neither a caption nor a command: it is not shown.
    EXPECT_FALSE(window.mnuHelp[1]->isVisible());
    // Without Open and Save the File menu offers Exit alone.
    EXPECT_EQ(Captions(window.mnuFile), QStringList{"E&xit\tCtrl+Q"});
}

TEST(SharedMenus, OptionsAndPreferencesAreDisabledWhileAnyWindowRunsAJob) {
    TempHome home;
    ScriptedUi ui;
    FakeToolWindow caller(QStringLiteral("FormCaller"));
    FakeToolWindow worker(QStringLiteral("FormWorker"));
    ToolsMenuRootSelect(&caller);
    EXPECT_TRUE(caller.mnuTools[10]->isEnabled());
    EXPECT_TRUE(caller.mnuTools[11]->isEnabled());
    worker.mblnProcessRunning = true;
    ToolsMenuRootSelect(&caller);
    EXPECT_FALSE(caller.mnuTools[10]->isEnabled());
    EXPECT_FALSE(caller.mnuTools[11]->isEnabled());
    EXPECT_TRUE(caller.mnuTools[2]->isEnabled());  // the tools stay
    worker.mblnProcessRunning = false;
    ToolsMenuRootSelect(&caller);
    EXPECT_TRUE(caller.mnuTools[10]->isEnabled());
}

// The label click every tool window routes through: which menu pops up,
// what is set before it, and that a failing step does not keep it shut.
TEST(SharedMenus, LabelClicksSetTheirMenuBeforeItPopsUp) {
    TempHome home;
    ScriptedUi ui;
    FakeToolWindow window(QStringLiteral("FormRouted"));
    FakeToolWindow worker(QStringLiteral("FormWorker"));
    auto* actions = new QMenu(&window);
    window.SetLabelMenuPopup(3, actions);
    QStringList steps;
    const auto tools = [&] {
        steps << (window.mnuTools[ToolsItem::Options]->isEnabled() ? "tools on" : "tools off");
    };
    const auto actionsSet = [&] { steps << QStringLiteral("actions"); };
    auto shown = [&](QMenu* menu) {
        const bool visible = menu && menu->isVisible();
        if (menu) menu->hide();
        return visible;
    };
    struct Case {
        int index;
        bool withHooks;
        QMenu* expected;
        QStringList steps;
    };
    worker.mblnProcessRunning = true;
    for (const Case& c : {Case{-1, true, nullptr, {}}, Case{5, true, nullptr, {}},
                          Case{1, true, window.mnuEditRoot, {}},
                          Case{2, true, window.mnuToolsRoot, {"tools off"}},  // after the shared rules
                          Case{3, true, actions, {"actions"}}, Case{3, false, nullptr, {}},  // no Actions menu
                          Case{4, true, window.mnuHelpRoot, {}}}) {
        steps.clear();
        if (c.withHooks)
            LabelMenuClick(&window, c.index, nullptr, actionsSet, tools);
        else
            LabelMenuClick(&window, c.index, nullptr, {});
        EXPECT_EQ(steps, c.steps) << c.index;
        for (QMenu* menu : {window.mnuEditRoot, window.mnuToolsRoot, window.mnuHelpRoot, actions})
            EXPECT_EQ(shown(menu), menu == c.expected) << c.index << " " << menu->objectName().toStdString();
    }
    // A step that fails shows its error; the menu still pops up.
    LabelMenuClick(&window, 3, nullptr, [] { RaiseError(ErrNo::ObjectNotSet); });
    EXPECT_TRUE(shown(actions));
    EXPECT_EQ(ui.shown.size(), 1u);
}

TEST(SharedMenus, ToolItemsShowTheirWindows) {
    TempHome home;
    ScriptedUi ui;
    QStringList created;
    const QStringList names = {WindowNames::ScanningCentre,  WindowNames::Coordinator,     WindowNames::MusicCataloguer,
                               WindowNames::DuplicateFinder, WindowNames::PlaylistManager, WindowNames::EncoderDecoder};
    std::vector<std::unique_ptr<FakeToolWindow>> windows;
    for (const QString& name : names)
        WindowRegistry::SetFactory(name, [&, name]() -> IToolWindow* {
            created << name;
            windows.push_back(std::make_unique<FakeToolWindow>(name));
            return windows.back().get();
        });
    for (int item : {0, 2, 3, 4, 5, 6, 1, 7, 9, 12}) ToolsMenuItemSelect(item, -1);
    EXPECT_EQ(created, names);
    for (const auto& w : windows) EXPECT_TRUE(w->isVisible());
    // Shown again: the loaded window comes back, no second one is made.
    ToolsMenuItemSelect(4, -1);
    EXPECT_EQ(created.size(), names.size());
    for (const QString& name : names) WindowRegistry::SetFactory(name, nullptr);
}

TEST(SharedMenus, OptionItemsOpenThePageOfTheCallerWithTheLauncherLowered) {
    TempHome home;
    ScriptedUi ui;
    FormIntegrator bar;
    ASSERT_EQ(bar.mintCheckStayOnTop, 1);
    QStringList shown;
    SetOptionDialogHandler([&](int page) {
        shown << QStringLiteral("%1 %2").arg(page).arg(bar.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    });
    ToolsMenuItemSelect(10, 1);   // the scanning centre's page
    ToolsMenuItemSelect(10, -1);  // no page chosen
    ToolsMenuItemSelect(10, 6);   // the encoder and decoder options
    ToolsMenuItemSelect(11, 3);   // preferences, whoever asks
    EXPECT_EQ(shown, (QStringList{"1 0", "-1 0", "6 0", "5 0"}));
    // Back in the topmost band afterwards, as the box says.
    EXPECT_TRUE(bar.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    bar.CheckStayOnTop_Click();
    ToolsMenuItemSelect(10, 6);
    EXPECT_FALSE(bar.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    SetOptionDialogHandler({});
}

TEST(SharedMenus, HelpItems) {
    TempHome home;
    ScriptedUi ui;
    RecordingDesktop opener;
    HelpMenuItemSelect(3);
    EXPECT_EQ(opener.opened, QStringList{"https://www.brellick.example/"});

    QString modal;
    QTimer::singleShot(0, [&] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            modal = w->objectName() + QLatin1Char('|') + w->windowTitle();
            w->close();
        }
    });
    HelpMenuItemSelect(5);
    EXPECT_EQ(modal, QStringLiteral("FormAbout|About Sonivard"));

    // Contents: the help start page, or the box when it is missing.
    RecordingDesktop desktop;
    QTemporaryDir app;
    SetAppPathForTesting(app.path());
    HelpMenuItemSelect(0);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].title, QStringLiteral("Online Help Unavailable"));
    QDir(app.path()).mkpath(QStringLiteral("WebHelp"));
    QFile start(app.filePath(QStringLiteral("WebHelp/Sonivard.htm")));
    ASSERT_TRUE(start.open(QIODevice::WriteOnly));
    start.close();
    HelpMenuItemSelect(0);
    EXPECT_EQ(desktop.opened, QStringList{start.fileName()});
    SetAppPathForTesting(QString());
    HelpMenuItemSelect(1);
    HelpMenuItemSelect(2);
    EXPECT_EQ(ui.shown.size(), 1u);
}

// ---- the music player ---------------------------------------------------------

namespace {

class FakePrograms final : public IExternalPrograms {
public:
    FakePrograms() { m_previous = SetExternalPrograms(this); }
    ~FakePrograms() override { SetExternalPrograms(m_previous); }
    QString DefaultApplicationFor(const QString& mimeType) override {
        asked << mimeType;
        return registered;
    }
    bool StartDetached(const QString& program, const QStringList& arguments) override {
        started << (QStringList{program} + arguments).join(QLatin1Char(' '));
        return true;
    }
    QString FindExecutable(const QString& name) override { return found.value(name); }

    QString registered;
    QStringList asked, started;
    QHash<QString, QString> found;

private:
    IExternalPrograms* m_previous = nullptr;
};

class ScriptedDialogs final : public IDialogUi {
public:
    ScriptedDialogs() { m_previous = SetDialogUi(this); }
    ~ScriptedDialogs() override { SetDialogUi(m_previous); }
    bool ShowDialog(CommonDialog::Kind, CommonDialog& dialog) override {
        titles << dialog.DialogTitle;
        if (pick.isEmpty()) return false;
        dialog.FileName = pick;
        return true;
    }
    QString pick;
    QStringList titles;

private:
    IDialogUi* m_previous = nullptr;
};

QString WriteFile(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(text);
    return path;
}

QString PlayerPath() {
    return GetOptionSetting("Settings", "PlayerPath", "<none>", SettingType::String).toString();
}

}  // namespace

TEST(MusicPlayer, TheDesktopsProgramForMp3StartsAtOnce) {
    TempHome home;
    ScriptedUi ui;
    FakePrograms programs;
    WriteFile(home.path() + "/data/applications/acme-player.desktop",
              "[Desktop Entry]\nName=Player\nExec=\"/opt/acme/my player\" --new %U\n"
              "[Desktop Action Queue]\nExec=/opt/acme/queue %F\n");
    programs.registered = "acme-player.desktop";
    SaveOptionSetting("Settings", "PlayerPath", home.file("stored-player"), SettingType::String);
    WriteFile(home.file("stored-player"), "x");
    ToolsMenuItemSelect(8, -1);
    EXPECT_EQ(programs.asked, QStringList{"audio/mpeg"});
    EXPECT_EQ(programs.started, QStringList{"/opt/acme/my player --new"});
    EXPECT_TRUE(ui.shown.empty());
    // No file is left in the temporary folder.
    EXPECT_FALSE(QFile::exists(QDir::temp().filePath("temp.mp3")));
}

TEST(MusicPlayer, WithoutOneTheStoredPlayerOrTheUsersChoice) {
    TempHome home;
    FakePrograms programs;
    const QString player = WriteFile(home.file("bin/player"), "x");

    // A stored player that exists starts without a question.
    {
        ScriptedUi ui;
        SaveOptionSetting("Settings", "PlayerPath", player, SettingType::String);
        ToolsMenuItemSelect(8, -1);
        EXPECT_EQ(programs.started, QStringList{player});
        EXPECT_TRUE(ui.shown.empty());
    }
    // None stored: the question; No starts nothing and stores nothing.
    DeleteOptionSetting("Settings", "PlayerPath");
    programs.started.clear();
    {
        ScriptedUi ui;
        ScriptedDialogs dialogs;
        ui.answers = {Mb::No};
        ToolsMenuItemSelect(8, -1);
        ASSERT_EQ(ui.shown.size(), 1u);
        EXPECT_EQ(ui.shown[0].prompt, QStringLiteral("No music player could be found that plays MP3's. Would you "
                                                     "like to browse for a music player?"));
        EXPECT_EQ(ui.shown[0].title, QStringLiteral("Music Player Not Found"));
        EXPECT_EQ(ui.shown[0].style, Mb::YesNo);
        EXPECT_TRUE(dialogs.titles.isEmpty());
        EXPECT_TRUE(programs.started.isEmpty());
        EXPECT_EQ(PlayerPath(), QStringLiteral("<none>"));
    }
    // Yes, then a cancelled dialog: the same.
    {
        ScriptedUi ui;
        ScriptedDialogs dialogs;
        ui.answers = {Mb::Yes};
        ToolsMenuItemSelect(8, -1);
        EXPECT_EQ(dialogs.titles, QStringList{"Select Music Player"});
        EXPECT_TRUE(programs.started.isEmpty());
        EXPECT_EQ(PlayerPath(), QStringLiteral("<none>"));
    }
    // Yes, and a program picked: stored and started.
    {
        ScriptedUi ui;
        ScriptedDialogs dialogs;
        ui.answers = {Mb::Yes};
        dialogs.pick = player;
        ToolsMenuItemSelect(8, -1);
        EXPECT_EQ(programs.started, QStringList{player});
        EXPECT_EQ(PlayerPath(), player);
    }
}

TEST(MusicPlayer, ARegisteredProgramWithoutAReadableEntryCountsAsNone) {
    TempHome home;
    ScriptedUi ui;
    FakePrograms programs;
    programs.registered = "missing.desktop";
    ui.answers = {Mb::No};
    ToolsMenuItemSelect(8, -1);
    EXPECT_EQ(ui.shown.size(), 1u);
    EXPECT_TRUE(programs.started.isEmpty());
}

TEST(DesktopEntries, TheDesktopsDefaultForMp3IsReadWithXdgMime) {
    TempHome home;
    if (QStandardPaths::findExecutable("xdg-mime").isEmpty()) GTEST_SKIP() << "xdg-mime is not installed";
    EXPECT_TRUE(ExternalPrograms().DefaultApplicationFor("audio/mpeg").isEmpty());
    WriteFile(home.path() + "/config/mimeapps.list", "[Default Applications]\naudio/mpeg=acme-player.desktop\n");
    WriteFile(home.path() + "/data/applications/acme-player.desktop",
              "[Desktop Entry]\nType=Application\nName=Acme\nExec=/bin/true %U\n");
    // (the desktop only names a program that is there)
    EXPECT_EQ(ExternalPrograms().DefaultApplicationFor("audio/mpeg"), QStringLiteral("acme-player.desktop"));
}

TEST(DesktopEntries, ExecLinesBecomeAProgramAndArgumentsWithoutFieldCodes) {
    TempHome home;
    struct Case {
        QByteArray exec;
        QString program;
        QStringList arguments;
    };
    const std::vector<Case> cases = {
        {"player %U", "player", {}},
        {"/usr/bin/player --enqueue %F %i", "/usr/bin/player", {"--enqueue"}},
        {"\"/opt/My Player/run\" \"--title=a \\\"b\\\"\" 100%%", "/opt/My Player/run", {"--title=a \"b\"", "100%"}},
        // The key file's own escapes come first: "\\s" is a blank, which then separates.
        {"env\\sA=1 player", "env", {"A=1", "player"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.exec.toStdString());
        const QString file = WriteFile(home.file("e.desktop"), "[Desktop Entry]\nExec=" + c.exec + "\n");
        QString program;
        QStringList arguments;
        ASSERT_TRUE(DesktopEntryCommand(file, program, arguments));
        EXPECT_EQ(program, c.program);
        EXPECT_EQ(arguments, c.arguments);
    }
    // A vendor prefix may be a folder.
    const QString nested = WriteFile(home.path() + "/data/applications/vendor/tool.desktop", "[Desktop Entry]\n");
    EXPECT_EQ(DesktopEntryFile("vendor-tool.desktop"), nested);
    EXPECT_TRUE(DesktopEntryFile("../x.desktop").isEmpty());
    QString program;
    QStringList arguments;
    EXPECT_FALSE(DesktopEntryCommand(nested, program, arguments));
}
