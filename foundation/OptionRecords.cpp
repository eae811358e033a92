#include "foundation/OptionRecords.h"

bool gblnDisplayMessageBox = false;
bool gblnUseRecycleBin = false;
bool gblnWebHelp = false;
bool gblnWriteReadOnly = false;
bool gblnShowSplashScreen = false;
bool gblnRetainWindows = false;
bool gblnUseSkins = false;
QString gstrSkinScheme;

bool gblnClearResults = false;
bool gblnIncFilesWithID3v1 = false;
bool gblnIncFilesWithoutID3v1 = false;
bool gblnIncFilesWithID3v2 = false;
bool gblnIncFilesWithoutID3v2 = false;
QString gstrScanFilter;

std::vector<ScanRule> gudtScanRules(1);
std::vector<SimulateRule> gudtSimulateRules(1);
std::vector<PlaylistEntryInfo> gPlaylistEntries(1);
