#include "shell/start/ui/Shutdown.h"

#include "foundation/Errors.h"
#include "foundation/MessageUi.h"
#include "foundation/ResourceStrings.h"
#include "foundation/SettingsStore.h"
#include "shell/WindowProtocol.h"
#include "shell/start/StartProcedure.h"
#include "scanning/engine/ID3v2TagInfo.h"

#include <QCoreApplication>

bool MainWindowMayClose(IToolWindow* main, bool ask) {
    // Of the core tool windows running a job, the last loaded is named.  The
    // CD Ripper's rip is no core job: it keeps its own close check.
    IToolWindow* running = nullptr;
    for (IToolWindow* window : WindowRegistry::Loaded()) {
        if (!IsCoreTool(window->Name())) continue;
        const auto* host = dynamic_cast<const ILongJobHost*>(window);
        if (host && host->mblnProcessRunning) running = window;
    }
    if (running) {
        MsgBox(GetResourceString(TextId::Common::ProcessRunningIn) + running->Caption() +
                   GetResourceString(TextId::Common::StopProcessBeforeClosing),
               Mb::OKOnly | Mb::Exclamation, GetResourceString(TextId::Common::ProcessRunning));
        return false;
    }
    (void)main;
    if (ask && MsgBox(GetResourceString(TextId::Common::ExitQuestion), Mb::YesNo | Mb::Question,
                      GetResourceString(TextId::Common::ExitProgram)) != Mb::Yes)
        return false;
    return true;
}

void ShutdownProgram(IToolWindow* main) {
    ResumeNext([] { SaveWindowStates([](const QString& name) { return WindowRegistry::Find(name) != nullptr; }); });
    // Every other window unloads and saves its own settings; the launcher bar
    // among them.
    for (IToolWindow* window : WindowRegistry::Loaded()) {
        if (window == main) continue;
        ResumeNext([&] { window->UnloadWindow(); });
    }
    ResumeNext([] { TerminateID3v2Class(); });
    QCoreApplication::quit();
}
