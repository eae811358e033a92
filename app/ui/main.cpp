// sonivard [FILE]: the program's entry.  Creates the application, installs
// the platform's message boxes and file dialogs, registers the windows, runs
// the start procedure and then the message loop, which ends when the main
// window unloads.

#include "foundation/Dialogs.h"
#include "foundation/MessageUi.h"
#include "foundation/ResourceStrings.h"
#include "foundation/ui/QtDialogs.h"
#include "foundation/ui/QtMessageUi.h"
#include "options/FileAssociations.h"
#include "foundation/WindowProtocol.h"
#include "shell/menus/ui/KeyRouter.h"
#include "shell/start/StartProcedure.h"
#include "shell/start/ui/StartHost.h"
#include "scanning/ui/WindowServices.h"
#include "app/ui/ProgramWindows.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// SIGTERM and SIGINT end the program the way its own Exit does: the main
// window unloads (saving what it saves) without asking.  The handler only
// writes a byte; the message loop does the work.
int g_signalPipe[2] = {-1, -1};
// A signal that comes while the program is still starting (the splash window
// lets events through before the message loop runs) waits until the loop
// runs: ending then would be lost, as quitting before the loop does nothing.
bool g_messageLoopRunning = false;
bool g_endPending = false;

void EndAsExitDoes() {
    if (!g_messageLoopRunning) {
        g_endPending = true;
        return;
    }
    if (IToolWindow* main = WindowRegistry::Find(WindowNames::ScanningCentre))
        main->UnloadWindow();
    else
        QCoreApplication::quit();
}

void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[0], &byte, 1);
}

void InstallExitSignals(QObject* parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) != 0) return;
    auto* notifier = new QSocketNotifier(g_signalPipe[1], QSocketNotifier::Read, parent);
    QObject::connect(notifier, &QSocketNotifier::activated, parent, [] {
        char byte = 0;
        [[maybe_unused]] const ssize_t n = ::read(g_signalPipe[1], &byte, 1);
        EndAsExitDoes();
    });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sonivard"));
    QApplication::setApplicationVersion(QStringLiteral(SV_VERSION));
    // The program ends when the main window unloads, not when some window
    // happens to be the last one shown (the splash window is, for a moment).
    QApplication::setQuitOnLastWindowClosed(false);
    SetStringTableLanguage(SystemStringTableLanguage());

    QtMessageUi messageUi;
    SetMessageUi(&messageUi);
    QtDialogUi dialogUi;
    SetDialogUi(&dialogUi);
    InstallKeyRouter();
    InstallExitSignals(&app);
    InstallFirstRunAssociations();
    RegisterProgramWindows();

    // The command line after the program's name; Qt has taken its own options out.
    StartHost host;
    Main(host, CommandLineArguments(argc, argv));
    // Without a main window (it could not be created) nothing would ever end
    // the message loop.
    int rc = 1;
    if (WindowRegistry::Find(WindowNames::ScanningCentre)) {
        g_messageLoopRunning = true;
        if (g_endPending) QTimer::singleShot(0, &app, &EndAsExitDoes);
        rc = QApplication::exec();
    }
    SetDialogUi(nullptr);
    SetMessageUi(nullptr);
    return rc;
}
