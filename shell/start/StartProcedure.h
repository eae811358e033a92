#pragma once
// The program's start: services, options, splash window, launcher bar, main
// window, the tool windows of the last run, and a file named on the command
// line.  The steps reach windows and loaders through IStartHost, so the order
// and the decisions are tested without windows; shell/start/ui/StartHost.h is
// the real host.
//
// Shutdown's share lives here too: SaveWindowStates records which tool windows
// are open, for the next start to reopen them.

#include "foundation/ToolWindows.h"  // ReopenableWindows

#include <QString>
#include <QStringList>
#include <functional>

// False until the start procedure has run its last step; the keyboard
// emulation does nothing before that.
extern bool gblnStartupComplete;

// The arguments after the program's name (argv[1] to argv[argc - 1]) as
// texts that keep their bytes: a path whose name is not UTF-8 reaches the
// file it names, as the names a folder scan finds do (foundation/NativePath.h).
QStringList CommandLineArguments(int argc, const char* const* argv);

// The whole command line (the arguments after the program, joined by one
// blank) as one path, with every double quote at either end removed.
QString CommandLinePath(const QStringList& arguments);

enum class CommandLineAction { None, ScanResults, SimulateResults, Playlist };
// By the path's extension (after the last full stop of its last component),
// ignoring letter case: "scn", "sim", "m3u" or "pls"; anything else is None.
CommandLineAction CommandLineActionFor(const QString& path);

// The messages the list-file loader shows for a file of the wrong kind.
inline const QString kInvalidScanResultsFile = QStringLiteral("This is not a valid Scan Results file.");
inline const QString kInvalidSimulateResultsFile = QStringLiteral("This is not a valid Simulate Results file.");

class IStartHost {
public:
    virtual ~IStartHost() = default;
    // The one tag object (the program runs on without it when this fails).
    virtual void InitialiseQuillmarkClass() = 0;
    // The genre table and the shared arrays' first size.
    virtual void InitialiseArrays() = 0;
    // Every option group into the option records.
    virtual void GetMainOptions() = 0;
    virtual void InitialiseTwipsPerPixel() = 0;
    // Shows the splash window modally; returns when it has closed itself.
    virtual void ShowSplashScreen() = 0;
    // Shows a window modeless, loading it first when it is not loaded.
    virtual void ShowWindow(const QString& name) = 0;
    // Brings a loaded window to the front.
    virtual void BringToFront(const QString& name) = 0;
    // Loads a list file into the named list of the named window; `message`
    // is shown when the file is not of that list.
    virtual void LoadListFile(const QString& windowName, const QString& listName, const QString& path,
                              const QString& message) = 0;
    // The Playlist Manager's LoadPlaylist.
    virtual void LoadPlaylist(const QString& path) = 0;
};

// Runs the start.  A failing step is shown in the critical error box and the
// start goes on with the next one; gblnStartupComplete is set at the end on
// every path.  `arguments` are the command-line arguments after the program.
void Main(IStartHost& host, const QStringList& arguments);

// Records in "WindowStates", for each of the seven reopenable windows,
// whether it is loaded ("True"/"False"); only while RetainWindows is on.
void SaveWindowStates(const std::function<bool(const QString&)>& isLoaded);
