// The program's start and end through the real windows: the start procedure
// with the main window and the tool windows, and the main window's close
// handlers (a running job refuses, "WindowStates" is written and every window
// unloads).

#include "coordinator/ui/FileNameTagCoordinator.h"
#include "coordinator/ui/MassTaggingOverrideTool.h"
#include "foundation/ListFiles.h"
#include "foundation/OptionRecords.h"
#include "foundation/SettingsStore.h"
#include "duplicates/ui/DuplicateFinder.h"
#include "encoder/ui/EncoderDecoder.h"
#include "scanning/ui/ScanningCentre.h"
#include "scanning/engine/ScanRecord.h"
#include "foundation/WindowProtocol.h"
#include "shell/start/StartProcedure.h"
#include "shell/start/ui/StartHost.h"
#include "shell/ui/Launcher.h"
#include "foundation/ui/WindowPositions.h"
#include "cataloguer/ui/MusicCataloguer.h"
#include "ripper/ui/CDRipper.h"
#include "app/ui/ProgramWindows.h"
#include "options/ui/CataloguerDialogHooks.h"
#include "scanning/engine/ID3v2TagInfo.h"
#include "scanning/tagobject/ID3v2TagObject.h"
#include "scanning/ui/WindowServices.h"
#include "shell/menus/ui/OptionDialogs.h"
#include "playlists/PlaylistEntries.h"
#include "playlists/ui/PlaylistManager.h"
#include "support/ScopedOptions.h"
#include "support/ScriptedUi.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStandardItemModel>
#include <QEvent>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

QStringList LoadedNames() {
    QStringList names;
    for (IToolWindow* w : WindowRegistry::Loaded()) names << w->Name();
    return names;
}

void DestroyClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// Unloads whatever a test left loaded.
struct CloseAll {
    ~CloseAll() {
        for (IToolWindow* w : WindowRegistry::Loaded()) delete dynamic_cast<QWidget*>(w);
        DestroyClosedWindows();
    }
};

QString Stored(const QString& section, const QString& key) {
    return GetOptionSetting(section, key, "<none>", SettingType::String).toString();
}

// A start without the splash window, reopening the windows of the last run
// or not.
void StartOptions(bool retainWindows) {
    SaveOptionSetting("Preferences", "SplashScreen", false, SettingType::Boolean);
    SaveOptionSetting("Preferences", "RetainWindows", retainWindows, SettingType::Boolean);
}

QWidget* WindowOf(const QString& name) { return dynamic_cast<QWidget*>(WindowRegistry::Find(name)); }
QRect FrameOf(const QString& name) { return WindowOf(name) ? WindowOf(name)->frameGeometry() : QRect(); }

// Notes where each window was when it was first shown: a window must be
// mapped at its place, not shown somewhere and then moved there.
class FirstShowPlaces final : public QObject {
public:
    FirstShowPlaces() { qApp->installEventFilter(this); }
    ~FirstShowPlaces() override { qApp->removeEventFilter(this); }
    // Every loaded window is still where it was first shown.
    void ExpectEveryWindowWhereItWasShown() const {
        for (IToolWindow* tool : WindowRegistry::Loaded()) {
            const auto* window = dynamic_cast<QWidget*>(tool);
            ASSERT_TRUE(window && window->windowHandle());
            ASSERT_TRUE(places.contains(tool->Name())) << tool->Name().toStdString();
            EXPECT_EQ(places.value(tool->Name()), window->windowHandle()->framePosition()) << tool->Name().toStdString();
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* window = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Show && window && window->isWindow() && window->windowHandle() &&
            !places.contains(window->objectName()))
            places.insert(window->objectName(), window->windowHandle()->framePosition());
        return false;
    }

private:
    QHash<QString, QPoint> places;
};

}  // namespace

TEST(ProgramLife, StartsWithTheLauncherTheMainWindowAndTheWindowsOfTheLastRun) {
    TempHome home;
    ScriptedUi ui;
    CloseAll closeAll;
    RegisterProgramWindows();
    StartOptions(true);
    SaveOptionSetting("WindowStates", "FormDuplicateFinder", true, SettingType::Boolean);
    SaveOptionSetting("WindowStates", "FormCDRipper", true, SettingType::Boolean);
    StartHost host;
    // A playlist named on the command line opens in the Playlist Manager.
    const QString playlist = home.file(QStringLiteral("party mix.M3U"));
    QFile list(playlist);
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("#EXTM3U\r\n#EXTINF:3,Dance\r\n/music/dance.mp3\r\n");
    list.close();
    gPlaylistEntries.clear();
    Main(host, {QLatin1Char('"') + playlist + QLatin1Char('"')});
    ASSERT_EQ(gPlaylistEntries.size(), 1u);
    EXPECT_EQ(gPlaylistEntries[0].Title, QStringLiteral("Dance"));
    gPlaylistEntries.clear();
    EXPECT_TRUE(gblnStartupComplete);
    EXPECT_EQ(LoadedNames(), (QStringList{"FormIntegrator", "FormMP3ScanningCentre", "FormDuplicateFinder",
                                          "FormCDRipper", "FormPlaylistManager"}));
    for (IToolWindow* w : WindowRegistry::Loaded()) EXPECT_TRUE(dynamic_cast<QWidget*>(w)->isVisible()) << w->Name().toStdString();
    EXPECT_EQ(WindowRegistry::Find("FormDuplicateFinder")->Caption(), QStringLiteral("Duplicate Finder"));
    EXPECT_EQ(WindowRegistry::Find("FormCDRipper")->Caption(), QStringLiteral("CD Ripper"));
    // The CD Ripper has no menus, but its title-bar buttons carry their tool tips.
    auto* ripper = dynamic_cast<SkinnedWindow*>(WindowRegistry::Find("FormCDRipper"));
    ASSERT_NE(ripper, nullptr);
    QStringList tips;
    for (const SkinImage* button : ripper->ImageSystemMenu) tips << button->toolTip();
    EXPECT_EQ(tips, (QStringList{"Minimize", "Maximize", "Close"}));
    for (const auto& box : ui.shown) ADD_FAILURE() << box.prompt.toStdString();
}

TEST(ProgramLife, AFirstStartPlacesTheWindowsApartWhereTheyAreFirstShown) {
    RegisterProgramWindows();
    for (const QRect& screen : {QRect(0, 0, 1280, 800), QRect(0, 0, 1024, 768), QRect(64, 32, 1856, 1048)}) {
        SCOPED_TRACE(QStringLiteral("%1x%2").arg(screen.width()).arg(screen.height()).toStdString());
        SetScreenAreaForTesting(screen);
        TempHome home;
        ScriptedUi ui;
        CloseAll closeAll;
        StartOptions(false);
        FirstShowPlaces shown;
        StartHost host;
        Main(host, {});
        const QRect launcher = FrameOf(WindowNames::Integrator);
        const QRect main = FrameOf(WindowNames::ScanningCentre);
        EXPECT_FALSE(main.intersects(launcher)) << "main window under the launcher bar";
        EXPECT_TRUE(screen.contains(WindowOf(WindowNames::Integrator)->geometry()));
        EXPECT_TRUE(screen.contains(WindowOf(WindowNames::ScanningCentre)->geometry()));

        // The tools opened afterwards: each its own place, none under the bar.
        QList<QPoint> corners{main.topLeft()};
        for (const QString& name : ReopenableWindows()) {
            ASSERT_NE(WindowRegistry::Show(name), nullptr);
            const QRect frame = FrameOf(name);
            EXPECT_FALSE(frame.intersects(launcher)) << name.toStdString();
            EXPECT_FALSE(corners.contains(frame.topLeft())) << name.toStdString();
            corners << frame.topLeft();
        }
        shown.ExpectEveryWindowWhereItWasShown();
    }
    SetScreenAreaForTesting(QRect());
}

TEST(ProgramLife, WindowsOfTheLastRunOpenWhereTheyWereStored) {
    SetScreenAreaForTesting(QRect(0, 0, 1280, 800));
    TempHome home;
    ScriptedUi ui;
    CloseAll closeAll;
    RegisterProgramWindows();
    StartOptions(true);
    // Stored places are used as stored, even over the launcher bar.
    const struct {
        QString name;
        QPoint place;  // twips / 15
    } stored[] = {{WindowNames::ScanningCentre, {40, 20}}, {WindowNames::DuplicateFinder, {300, 200}},
                  {WindowNames::CDRipper, {700, 360}}};
    for (const auto& w : stored) {
        SaveOptionSetting("WindowPositions", w.name + "Left", w.place.x() * 15, SettingType::Single);
        SaveOptionSetting("WindowPositions", w.name + "Top", w.place.y() * 15, SettingType::Single);
        if (w.name != WindowNames::ScanningCentre) SaveOptionSetting("WindowStates", w.name, true, SettingType::Boolean);
    }
    FirstShowPlaces shown;
    StartHost host;
    Main(host, {});
    for (const auto& w : stored) EXPECT_EQ(FrameOf(w.name).topLeft(), w.place) << w.name.toStdString();
    shown.ExpectEveryWindowWhereItWasShown();
    SetScreenAreaForTesting(QRect());
}

// Values the readers of a start refuse (numbers too large or negative, a
// state that is no Boolean) are each reported once: they get their defaults
// back, the next start shows no box, and the other keys keep their texts.
TEST(ProgramLife, RefusedStoredValuesAreReportedAtOneStartOnly) {
    TempHome home;
    RegisterProgramWindows();
    ScopedOptions options;
    StartOptions(true);
    SaveOptionSetting("WindowStates", "FormDuplicateFinder", true, SettingType::Boolean);
    const struct {
        const char* section;
        const char* key;
        const char* refused;
        const char* repaired;  // null: the window stores its own value when it unloads
    } refused[] = {
        {"ScanRules", "NumScanRules", "-4", "0"},
        {"WindowStates", "FormPlaylistManager", "yes", "0"},
        {"WindowPositions", "FormMP3ScanningCentreTop", "1e99", "0"},
        {"ListViewScanResults", "SortKey", "99999", "0"},
        {"Integrator", "StayOnTop", "-70000", nullptr},
    };
    for (const auto& r : refused) SaveOptionSetting(r.section, r.key, QString(r.refused), SettingType::String);
    SaveOptionSetting("ScanRules", "1Choice", QStringLiteral("Only include files"), SettingType::String);

    size_t boxes[2] = {};
    for (size_t& shown : boxes) {
        ScriptedUi ui;
        CloseAll closeAll;
        StartHost host;
        Main(host, {});
        shown = ui.shown.size();
    }
    EXPECT_GT(boxes[0], 0u);
    EXPECT_EQ(boxes[1], 0u);
    for (const auto& r : refused) {
        if (r.repaired) {
            EXPECT_EQ(Stored(r.section, r.key), r.repaired) << r.section << "/" << r.key;
        } else {
            EXPECT_NE(Stored(r.section, r.key), r.refused) << r.section << "/" << r.key;
        }
    }
    EXPECT_EQ(Stored("ScanRules", "1Choice"), QStringLiteral("Only include files"));
    EXPECT_EQ(Stored("WindowStates", "FormDuplicateFinder"), QStringLiteral("True"));
}

TEST(ProgramLife, AListFileOnTheCommandLineOpensInItsWindow) {
    TempHome home;
    CloseAll closeAll;
    RegisterProgramWindows();
    SaveOptionSetting("Preferences", "SplashScreen", false, SettingType::Boolean);
    // A scan-results file of two rows, as the program writes them.
    QStandardItemModel rows(2, kScanColumnCount);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < kScanColumnCount; ++c) rows.setData(rows.index(r, c), QStringLiteral("r%1c%2").arg(r).arg(c));
    ItemModelListFile source(rows, ListFileName::ScanResults);
    const QString scn = home.file("my results.scn");
    WriteListFile(source, scn);
    {
        ScriptedUi ui;
        StartHost host;
        Main(host, {QStringLiteral("\"") + scn + QStringLiteral("\"")});
        auto* main = dynamic_cast<QWidget*>(WindowRegistry::Find(WindowNames::ScanningCentre));
        auto* list = main->findChild<QAbstractItemView*>(QStringLiteral("ListViewScanResults"));
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->model()->rowCount(), 2);
        EXPECT_EQ(list->model()->index(1, 39).data().toString(), QStringLiteral("r1c39"));
        EXPECT_TRUE(ui.shown.empty());
    }
    // A scan-results file named as simulate results: refused with its message,
    // and the coordinator opens all the same.
    const QString sim = home.file("wrong.sim");
    QFile::copy(scn, sim);
    {
        ScriptedUi ui;
        StartHost host;
        Main(host, {sim});
        ASSERT_EQ(ui.shown.size(), 1u);
        EXPECT_EQ(ui.shown[0].prompt, QStringLiteral("This is not a valid Simulate Results file."));
        auto* coordinator = dynamic_cast<QWidget*>(WindowRegistry::Find(WindowNames::Coordinator));
        ASSERT_NE(coordinator, nullptr);
        EXPECT_TRUE(coordinator->isVisible());
        EXPECT_EQ(coordinator->findChild<QAbstractItemView*>("ListViewSimResults")->model()->rowCount(), 0);
    }
}

// A file named on the command line keeps the bytes of its name, those that
// are not UTF-8 too, as the names a scan finds do: it opens in its window,
// and Save writes back to that very file.
TEST(ProgramLife, AFileOnTheCommandLineWhoseNameIsNotUtf8Opens) {
    TempHome home;
    CloseAll closeAll;
    RegisterProgramWindows();
    StartOptions(false);
    QStandardItemModel rows(1, kScanColumnCount);
    rows.setData(rows.index(0, 0), QStringLiteral("song.mp3"));
    const QByteArray folder = QFile::encodeName(home.path());
    const struct {
        QByteArray name;
        QByteArray content;
        QString window;
        QString list;  // empty: the playlist
    } cases[] = {
        {"/f\xEAte \xE9t\xE9.m3u",
         "#EXTM3U\r\n#EXTINF:3,Dance\r\n/music/dance.mp3\r\n",
         WindowNames::PlaylistManager,
         {}},
        {"/r\xE9sultats.scn", ListFileBytes(ItemModelListFile(rows, ListFileName::ScanResults)),
         WindowNames::ScanningCentre, ListFileName::ScanResults},
        {"/simul\xE9.sim", "ListViewSimResults\r\n0x.mp3\t/m\t\t\t\t\tx.mp3\tDelete\t\r\n", WindowNames::Coordinator,
         ListFileName::SimResults},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const QByteArray path = folder + c.name;
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, c.content.constData(), size_t(c.content.size())), c.content.size());
        ::close(fd);
        gPlaylistEntries.clear();
        ScriptedUi ui;
        StartHost host;
        const char* argv[] = {"sonivard", path.constData()};
        Main(host, CommandLineArguments(2, argv));
        for (const auto& box : ui.shown) ADD_FAILURE() << box.prompt.toStdString();
        if (c.list.isEmpty()) {
            ASSERT_EQ(gPlaylistEntries.size(), 1u);
            EXPECT_EQ(gPlaylistEntries[0].Title, QStringLiteral("Dance"));
            auto* manager = WindowRegistry::FindAs<FormPlaylistManager>(c.window);
            ASSERT_NE(manager, nullptr);
            // Shown with the characters the bytes stand for.
            const QString shown = home.path() + QStringLiteral("/f\u00EAte \u00E9t\u00E9.m3u");
            EXPECT_EQ(manager->LabelStatusBar->text(), shown);
            manager->RichPlaylist->setPlainText(QStringLiteral("#EXTM3U\n"));
            manager->mnuFileSave_Click();
            EXPECT_EQ(manager->LabelStatusBar->text(), shown);
            QFile saved;
            const int in = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
            ASSERT_GE(in, 0);
            ASSERT_TRUE(saved.open(in, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle));
            EXPECT_EQ(saved.readAll(), QByteArray("#EXTM3U\r\n"));
        } else {
            auto* window = dynamic_cast<QWidget*>(WindowRegistry::Find(c.window));
            ASSERT_NE(window, nullptr);
            auto* list = window->findChild<QAbstractItemView*>(c.list);
            ASSERT_NE(list, nullptr);
            EXPECT_EQ(list->model()->rowCount(), 1);
        }
        ::unlink(path.constData());
    }
    gPlaylistEntries.clear();
}

TEST(ProgramLife, ExitRecordsTheOpenWindowsAndUnloadsEverything) {
    TempHome home;
    ScriptedUi ui;
    CloseAll closeAll;
    RegisterProgramWindows();
    ScopedOptions options;
    Options().Preferences.blnRetainWindows = true;
    for (const QString& name : {WindowNames::Integrator, WindowNames::ScanningCentre, WindowNames::Coordinator,
                                WindowNames::PlaylistManager, WindowNames::MassTagging})
        ASSERT_NE(WindowRegistry::Show(name), nullptr) << name.toStdString();
    FormIntegrator::Instance()->CheckStayOnTop_Click();  // off, to see it stored

    FormIntegrator::Instance()->BtnExit_Click();  // the program's own Exit: no question
    DestroyClosedWindows();
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_TRUE(WindowRegistry::Loaded().empty());
    for (const QString& name : ReopenableWindows()) {
        const bool open = name == WindowNames::Coordinator || name == WindowNames::PlaylistManager ||
                          name == WindowNames::MassTagging;
        EXPECT_EQ(Stored("WindowStates", name), open ? "True" : "False") << name.toStdString();
    }
    EXPECT_EQ(Stored("Integrator", "StayOnTop"), QStringLiteral("0"));
    EXPECT_NE(Stored("WindowPositions", "FormMP3ScanningCentreWidth"), QStringLiteral("<none>"));
}

TEST(ProgramLife, ARunningJobKeepsTheProgramOpen) {
    TempHome home;
    ScriptedUi ui;
    CloseAll closeAll;
    RegisterProgramWindows();
    IToolWindow* main = WindowRegistry::Show(WindowNames::ScanningCentre);
    auto* coordinator = dynamic_cast<ILongJobHost*>(WindowRegistry::Show(WindowNames::Coordinator));
    auto* ripper = dynamic_cast<ILongJobHost*>(WindowRegistry::Show(WindowNames::CDRipper));
    coordinator->mblnProcessRunning = true;
    main->UnloadWindow();
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].prompt, QStringLiteral("There is currently a process running in File Name and Tag "
                                                 "Coordinator. Please stop the process before closing the window."));
    EXPECT_EQ(ui.shown[0].title, QStringLiteral("Process Running"));
    // Nothing unloaded: the main window, the coordinator with its override
    // tool (loaded hidden) and the ripper.
    EXPECT_EQ(LoadedNames().size(), 4);
    // Of several windows running jobs, the last loaded is named.
    auto* finder = dynamic_cast<ILongJobHost*>(WindowRegistry::Show(WindowNames::DuplicateFinder));
    finder->mblnProcessRunning = true;
    main->UnloadWindow();
    ASSERT_EQ(ui.shown.size(), 2u);
    EXPECT_EQ(ui.shown[1].prompt, QStringLiteral("There is currently a process running in Duplicate Finder. Please "
                                                 "stop the process before closing the window."));
    finder->mblnProcessRunning = false;
    // A rip holds the program too: ending it would cut the rip off.
    coordinator->mblnProcessRunning = false;
    ripper->mblnProcessRunning = true;
    main->UnloadWindow();
    ASSERT_EQ(ui.shown.size(), 3u);
    EXPECT_EQ(ui.shown[2].prompt, QStringLiteral("There is currently a process running in CD Ripper. Please stop the "
                                                 "process before closing the window."));
    // Once every job has ended the program closes, asking nothing more.
    ripper->mblnProcessRunning = false;
    main->UnloadWindow();
    EXPECT_EQ(ui.shown.size(), 3u);
    EXPECT_EQ(WindowRegistry::Find(WindowNames::ScanningCentre), nullptr);
}

// The window list also wires the tools together (ConnectTools): without these
// hooks the start would create no tag object, Scan From Playlist would take no
// file for a playlist, the Tools menu would open no options dialog and the
// Options dialog's cataloguer buttons would show nothing.
TEST(ProgramLife, TheWindowListInstallsEveryHookBetweenTheTools) {
    TempHome home;
    ScriptedUi ui;
    CloseAll closeAll;
    SetTagLibraryStarter({});
    SetMainOptionsReader({});
    SetPlaylistFileReader({});
    SetOptionsTabHandler({});
    SetCataloguerDialogHooks({});
    if (gobjID3v2Tag.isSet()) TerminateID3v2Class();

    RegisterProgramWindows();

    StartHost host;
    host.InitialiseQuillmarkClass();
    EXPECT_TRUE(gobjID3v2Tag.isSet());
    Options().Preferences.strSkinScheme = QStringLiteral("not read yet");
    host.GetMainOptions();
    EXPECT_NE(Options().Preferences.strSkinScheme, QStringLiteral("not read yet"));

    const QString playlist = home.file(QStringLiteral("list.m3u"));
    QFile list(playlist);
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("#EXTM3U\r\n#EXTINF:3,Song\r\n/music/a.mp3\r\n");
    list.close();
    QStringList entries;
    EXPECT_EQ(ReadPlaylistEntries(playlist, entries), 0);
    EXPECT_EQ(entries, QStringList{QStringLiteral("/music/a.mp3")});

    // Each handler is taken out to look at it and put back.
    const OptionDialogHandler tabs = SetOptionsTabHandler({});
    EXPECT_TRUE(tabs);
    SetOptionsTabHandler(tabs);
    const OptionDialogHandler encoderOptions = SetOptionDialogHandler({});
    EXPECT_TRUE(encoderOptions);
    SetOptionDialogHandler(encoderOptions);
    const CataloguerDialogHooks& hooks = CataloguerDialogs();
    EXPECT_TRUE(hooks.htmlFont && hooks.htmlPageProperties && hooks.htmlHeader && hooks.textHeader);
}
