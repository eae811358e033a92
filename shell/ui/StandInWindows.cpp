#include "shell/ui/StandInWindows.h"

#include "foundation/ToolWindows.h"
#include "foundation/WindowProtocol.h"
#include "shell/ui/Launcher.h"

void RegisterStandInWindows() {
    if (!WindowRegistry::HasFactory(WindowNames::Integrator))
        WindowRegistry::SetFactory(WindowNames::Integrator, [] { return new FormIntegrator(); });
}
