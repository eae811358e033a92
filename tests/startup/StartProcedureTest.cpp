// The start procedure's order of steps and decisions, through a recording
// host: splash, launcher bar, main window, the windows of the last run, and
// the file named on the command line.  Also shutdown's "WindowStates".

#include "foundation/Errors.h"
#include "foundation/OptionRecords.h"
#include "foundation/SettingsStore.h"
#include "shell/start/StartProcedure.h"
#include "support/ScopedOptions.h"
#include "support/ScriptedUi.h"

#include <QFile>
#include <QTextStream>
#include <gtest/gtest.h>

namespace {

// Records every step as a line of text.
class RecordingHost final : public IStartHost {
public:
    QStringList steps;
    QString failStep;  // a step that raises an error
    bool splashOption = false, retainOption = false;
    ScopedOptions options;  // the options step sets the two above

    void step(const QString& s) {
        steps << s;
        if (s == failStep) RaiseError(ErrNo::FileNotFound);
    }
    void InitialiseQuillmarkClass() override { step(QStringLiteral("tag object")); }
    void InitialiseArrays() override { step(QStringLiteral("arrays")); }
    void GetMainOptions() override {
        Options().Preferences.blnShowSplashScreen = splashOption;
        Options().Preferences.blnRetainWindows = retainOption;
        step(QStringLiteral("options"));
    }
    void InitialiseTwipsPerPixel() override { step(QStringLiteral("twips")); }
    void ShowSplashScreen() override {
        EXPECT_FALSE(gblnStartupComplete);
        step(QStringLiteral("splash"));
    }
    void ShowWindow(const QString& name) override { step(QStringLiteral("show ") + name); }
    void BringToFront(const QString& name) override { step(QStringLiteral("front ") + name); }
    void LoadListFile(const QString& window, const QString& list, const QString& path,
                      const QString& message) override {
        step(QStringLiteral("list %1.%2 <%3> %4").arg(window, list, path, message));
    }
    void LoadPlaylist(const QString& path) override { step(QStringLiteral("playlist <%1>").arg(path)); }
};

const QStringList kCommonStart = {"tag object", "arrays", "options", "twips"};

QStringList Tail(const QStringList& steps, int from) { return steps.mid(from); }

}  // namespace

TEST(StartProcedure, RunsItsStepsInOrderAndEndsReady) {
    TempHome home;
    ScriptedUi ui;
    for (const bool splash : {false, true}) {
        SCOPED_TRACE(splash);
        RecordingHost host;
        host.splashOption = splash;
        gblnStartupComplete = false;
        Main(host, {});
        QStringList expected = kCommonStart;
        if (splash) expected << "splash";
        expected << "show FormIntegrator" << "show FormMP3ScanningCentre" << "front FormIntegrator";
        EXPECT_EQ(host.steps, expected);
        EXPECT_TRUE(gblnStartupComplete);
    }
    EXPECT_TRUE(ui.shown.empty());
}

TEST(StartProcedure, AFailingStepIsShownAndTheStartGoesOn) {
    TempHome home;
    for (const QString& failing : {QStringLiteral("tag object"), QStringLiteral("options"),
                                   QStringLiteral("show FormIntegrator")}) {
        SCOPED_TRACE(failing.toStdString());
        ScriptedUi ui;
        RecordingHost host;
        host.failStep = failing;
        gblnStartupComplete = false;
        Main(host, {QStringLiteral("/x/list.m3u")});
        ASSERT_EQ(ui.shown.size(), 1u);
        EXPECT_EQ(ui.shown[0].style, Mb::OKOnly | Mb::Critical);
        EXPECT_TRUE(ui.shown[0].prompt.contains(QStringLiteral("53")));
        // Every later step still ran, to the last one.
        EXPECT_EQ(host.steps.last(), QStringLiteral("show FormPlaylistManager"));
        EXPECT_TRUE(host.steps.contains(QStringLiteral("show FormMP3ScanningCentre")));
        EXPECT_TRUE(gblnStartupComplete);
    }
}

TEST(StartProcedure, ReopensTheWindowsOfTheLastRunOnlyWhenRetainWindowsIsOn) {
    TempHome home;
    ScriptedUi ui;
    SaveOptionSetting("WindowStates", "FormPlaylistManager", true, SettingType::Boolean);
    SaveOptionSetting("WindowStates", "FormFileNameTagCoordinator", "True", SettingType::String);
    SaveOptionSetting("WindowStates", "DialogMassTaggingOverrideTool", true, SettingType::Boolean);
    SaveOptionSetting("WindowStates", "FormCDRipper", false, SettingType::Boolean);

    RecordingHost off;
    Main(off, {});
    EXPECT_FALSE(off.steps.join('|').contains("Coordinator"));

    RecordingHost on;
    on.retainOption = true;
    Main(on, {});
    // In the fixed order, after the main window, and the launcher bar last in front.
    EXPECT_EQ(Tail(on.steps, 4), (QStringList{"show FormIntegrator", "show FormMP3ScanningCentre",
                                              "show FormFileNameTagCoordinator", "show FormPlaylistManager",
                                              "show DialogMassTaggingOverrideTool", "front FormIntegrator"}));
    EXPECT_TRUE(ui.shown.empty());
}

TEST(StartProcedure, AStoredStateThatIsNoBooleanShowsTheErrorAndOpensTheWindow) {
    TempHome home;
    ScriptedUi ui;
    SaveOptionSetting("WindowStates", "FormDuplicateFinder", "maybe", SettingType::String);
    RecordingHost host;
    host.retainOption = true;
    Main(host, {});
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_TRUE(ui.shown[0].prompt.contains(QStringLiteral("13")));
    EXPECT_TRUE(host.steps.contains(QStringLiteral("show FormDuplicateFinder")));
}

TEST(StartProcedure, OpensTheCommandLineFileByItsExtension) {
    TempHome home;
    ScriptedUi ui;
    struct Case {
        QStringList arguments;
        QStringList expectedTail;  // steps after the launcher bar is brought to the front
    };
    const QString scn = "list FormMP3ScanningCentre.ListViewScanResults <%1> This is not a valid Scan Results file.";
    const QString sim =
        "list FormFileNameTagCoordinator.ListViewSimResults <%1> This is not a valid Simulate Results file.";
    const std::vector<Case> cases = {
        {{}, {}},
        {{"/music/results.scn"}, {scn.arg("/music/results.scn")}},
        // Quoted, with blanks inside, and split into words by the shell.
        {{"\"/my", "music/results.SCN\""}, {scn.arg("/my music/results.SCN")}},
        {{"/music/old.Sim"}, {sim.arg("/music/old.Sim"), "show FormFileNameTagCoordinator"}},
        {{"/music/mix.m3u"}, {"playlist </music/mix.m3u>", "show FormPlaylistManager"}},
        {{"/music/mix.PLS"}, {"playlist </music/mix.PLS>", "show FormPlaylistManager"}},
        // Two files: one path with the second one's extension.
        {{"/a.scn", "/b.m3u"}, {"playlist </a.scn /b.m3u>", "show FormPlaylistManager"}},
        {{"/music/song.mp3"}, {}},
        {{"/music/noextension"}, {}},
        {{"/music.scn/folder"}, {}},
        {{"/music/b4s.b4s"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        RecordingHost host;
        Main(host, c.arguments);
        const qsizetype front = host.steps.indexOf(QStringLiteral("front FormIntegrator"));
        ASSERT_GE(front, 0);
        EXPECT_EQ(host.steps.mid(front + 1), c.expectedTail);
    }
}

TEST(StartProcedure, WindowIsShownEvenWhenItsFileFailsToLoad) {
    TempHome home;
    ScriptedUi ui;
    RecordingHost host;
    host.failStep = "playlist </x/a.pls>";
    Main(host, {"/x/a.pls"});
    EXPECT_EQ(host.steps.last(), QStringLiteral("show FormPlaylistManager"));
    EXPECT_EQ(ui.shown.size(), 1u);
}

TEST(Shutdown, WritesWindowStatesForTheSevenWindowsWhenRetainWindowsIsOn) {
    TempHome home;
    ScopedOptions options;
    auto loaded = [](const QString& name) {
        return name == QLatin1String("FormMusicCataloguer") || name == QLatin1String("FormCDRipper");
    };
    Options().Preferences.blnRetainWindows = false;
    SaveWindowStates(loaded);
    EXPECT_FALSE(QFile::exists(SettingsStorePath()));

    Options().Preferences.blnRetainWindows = true;
    SaveWindowStates(loaded);
    for (const QString& name : ReopenableWindows()) {
        const QString stored = GetOptionSetting("WindowStates", name, "missing", SettingType::String).toString();
        EXPECT_EQ(stored, loaded(name) ? QStringLiteral("True") : QStringLiteral("False")) << name.toStdString();
    }
    // The next start reopens exactly those.
    RecordingHost host;
    host.retainOption = true;
    ScriptedUi ui;
    Main(host, {});
    EXPECT_EQ(Tail(host.steps, 6), (QStringList{"show FormMusicCataloguer", "show FormCDRipper",
                                                "front FormIntegrator"}));
}
