#include "shell/ui/ProgramWindows.h"

#include "cataloguer/ui/CataloguerDialogs.h"
#include "cataloguer/ui/MusicCataloguer.h"
#include "coordinator/ui/FileNameTagCoordinator.h"
#include "coordinator/ui/MassTaggingOverrideTool.h"
#include "duplicates/ui/DuplicateFinder.h"
#include "encoder/ui/EncoderDecoder.h"
#include "foundation/ToolWindows.h"
#include "foundation/WindowProtocol.h"
#include "options/ui/OptionsDialog.h"
#include "playlists/ui/PlaylistManager.h"
#include "ripper/ui/CDRipper.h"
#include "scanning/ui/ScanningCentre.h"
#include "shell/ui/Launcher.h"

void RegisterProgramWindows() {
    RegisterScanningCentreWindow();
    RegisterFileNameTagCoordinatorWindow();
    RegisterMassTaggingOverrideToolWindow();
    RegisterDuplicateFinderWindow();
    RegisterMusicCataloguerWindow();
    RegisterOptionsDialog();
    RegisterCataloguerDialogs();
    RegisterPlaylistManagerWindow();
    RegisterCDRipperWindow();
    RegisterEncoderDecoderWindow();
    RegisterLauncherWindow();
}

void RegisterLauncherWindow() {
    WindowRegistry::SetFactory(WindowNames::Integrator, [] { return new FormIntegrator(); });
}
