#include "shell/ui/ProgramWindows.h"

#include "cataloguer/ui/CataloguerDialogs.h"
#include "cataloguer/ui/MusicCataloguer.h"
#include "coordinator/ui/FileNameTagCoordinator.h"
#include "coordinator/ui/MassTaggingOverrideTool.h"
#include "duplicates/ui/DuplicateFinder.h"
#include "encoder/ui/EncoderDecoder.h"
#include "options/ui/OptionsDialog.h"
#include "playlists/ui/PlaylistManager.h"
#include "ripper/ui/CDRipper.h"
#include "scanning/ui/ScanningCentre.h"
#include "shell/ui/StandInWindows.h"

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
    RegisterStandInWindows();
}
