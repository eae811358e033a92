#include "app/ui/ProgramWindows.h"

#include "cataloguer/ui/CataloguerDialogs.h"
#include "cataloguer/ui/MusicCataloguer.h"
#include "coordinator/ui/FileNameTagCoordinator.h"
#include "coordinator/ui/MassTaggingOverrideTool.h"
#include "duplicates/ui/DuplicateFinder.h"
#include "encoder/ui/EncoderDecoder.h"
#include "encoder/ui/EncoderOptionsDialog.h"
#include "foundation/ToolWindows.h"
#include "foundation/WindowProtocol.h"
#include "options/MainOptions.h"
#include "options/ui/OptionsDialog.h"
#include "playlists/PlaylistFiles.h"
#include "playlists/ui/PlaylistManager.h"
#include "ripper/ui/CDRipper.h"
#include "scanning/engine/ID3v2TagInfo.h"
#include "scanning/ui/ScanningCentre.h"
#include "scanning/ui/WindowServices.h"
#include "shell/start/ui/StartHost.h"
#include "shell/ui/Launcher.h"

void RegisterProgramWindows() {
    RegisterScanningCentreWindow();
    RegisterFileNameTagCoordinatorWindow();
    RegisterMassTaggingOverrideToolWindow();
    RegisterDuplicateFinderWindow();
    RegisterMusicCataloguerWindow();
    RegisterPlaylistManagerWindow();
    RegisterCDRipperWindow();
    RegisterEncoderDecoderWindow();
    ConnectTools();
    RegisterLauncherWindow();
}

void RegisterLauncherWindow() {
    WindowRegistry::SetFactory(WindowNames::Integrator, [] { return new FormIntegrator(); });
}

void ConnectTools() {
    // The main window releases the tag object on unload, so the start
    // procedure creates it.
    SetTagLibraryStarter(InitialiseQuillmarkClass);
    // The start reads every option group, some of them beside their tools.
    SetMainOptionsReader([] { GetMainOptions(); });
    // Scan From Playlist reads playlists the way the Playlist Manager does.
    SetPlaylistFileReader(ReadPlaylistFilePaths);
    // The Tools menu and the launcher bar: the Options dialog's pages, then
    // the Encoder Decoder Options dialog for page 6.
    RegisterOptionsDialog();
    InstallEncoderOptionsDialog();
    // The Options dialog's cataloguer buttons open the cataloguer's dialogs.
    RegisterCataloguerDialogs();
}
