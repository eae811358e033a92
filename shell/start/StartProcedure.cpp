#include "shell/start/StartProcedure.h"

#include "foundation/Errors.h"
#include "foundation/NativePath.h"
#include "foundation/OptionRecords.h"
#include "foundation/SettingsStore.h"
#include "foundation/StringUtils.h"

#include <QFileInfo>

#include <cstring>

bool gblnStartupComplete = false;

namespace {
const QString kWindowStates = QStringLiteral("WindowStates");
}  // namespace

QStringList CommandLineArguments(int argc, const char* const* argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments << PathFromNative(argv[i], qsizetype(std::strlen(argv[i])));
    return arguments;
}

QString CommandLinePath(const QStringList& arguments) {
    QString path = arguments.join(QLatin1Char(' '));
    TrimChars(path, QStringLiteral("\""));
    return path;
}

CommandLineAction CommandLineActionFor(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString extension = dot < 0 ? QString() : name.mid(dot + 1).toLower();
    if (extension == QLatin1String("scn")) return CommandLineAction::ScanResults;
    if (extension == QLatin1String("sim")) return CommandLineAction::SimulateResults;
    if (extension == QLatin1String("m3u") || extension == QLatin1String("pls")) return CommandLineAction::Playlist;
    return CommandLineAction::None;
}

void Main(IStartHost& host, const QStringList& arguments) {
    gblnStartupComplete = false;
    // The platform's file-system service object has no counterpart here: the
    // file helpers are plain functions.
    ResumeNext([&] { host.InitialiseQuillmarkClass(); });
    ResumeNext([&] { host.InitialiseArrays(); });
    // After the arrays, so the rule lists read here are the ones in force.
    ResumeNext([&] { host.GetMainOptions(); });
    ResumeNext([&] { host.InitialiseTwipsPerPixel(); });
    ResumeNext([&] {
        if (Options().Preferences.blnShowSplashScreen) host.ShowSplashScreen();
    });
    ResumeNext([&] { host.ShowWindow(WindowNames::Integrator); });
    ResumeNext([&] { host.ShowWindow(WindowNames::ScanningCentre); });
    bool retain = false;
    ResumeNext([&] { retain = Options().Preferences.blnRetainWindows; });
    if (retain) {
        for (const QString& name : ReopenableWindows()) {
            // A stored value that is not a Boolean shows the error box, and
            // the window opens all the same.
            bool open = true;
            ResumeNext([&] {
                open = GetOptionSetting(kWindowStates, name, QStringLiteral("False"), SettingType::Boolean).toBool();
            });
            if (open) ResumeNext([&] { host.ShowWindow(name); });
        }
    }
    ResumeNext([&] { host.BringToFront(WindowNames::Integrator); });
    ResumeNext([&] {
        const QString path = CommandLinePath(arguments);
        switch (CommandLineActionFor(path)) {
        case CommandLineAction::ScanResults:
            host.LoadListFile(WindowNames::ScanningCentre, QStringLiteral("ListViewScanResults"), path, kInvalidScanResultsFile);
            break;
        case CommandLineAction::SimulateResults:
            ResumeNext([&] {
                host.LoadListFile(WindowNames::Coordinator, QStringLiteral("ListViewSimResults"), path,
                                  kInvalidSimulateResultsFile);
            });
            host.ShowWindow(WindowNames::Coordinator);
            break;
        case CommandLineAction::Playlist:
            ResumeNext([&] { host.LoadPlaylist(path); });
            host.ShowWindow(WindowNames::PlaylistManager);
            break;
        case CommandLineAction::None: break;
        }
    });
    gblnStartupComplete = true;
}

void SaveWindowStates(const std::function<bool(const QString&)>& isLoaded) {
    WithTrail(QStringLiteral("SaveWindowStates"), [&] {
        if (!Options().Preferences.blnRetainWindows) return;
        for (const QString& name : ReopenableWindows())
            SaveOptionSetting(kWindowStates, name, isLoaded(name), SettingType::Boolean);
    });
}
