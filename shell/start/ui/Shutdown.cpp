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
        MsgBox(GetResourceString(188) + running->Caption() + GetResourceString(189), Mb::OKOnly | Mb::Exclamation,
               GetResourceString(187));
        return false;
    }
    (void)main;
    if (ask && MsgBox(GetResourceString(839), Mb::YesNo | Mb::Question, GetResourceString(840)) != Mb::Yes)
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
