#pragma once
// The option records: program-wide options filled from the settings store at
// start-up and after the option dialogs store new values.  Windows and shared
// code read these; only the option readers (and the few places that say so)
// assign them.

#include <QString>
#include <cstdint>
#include <vector>

// ---- general preferences (section "Preferences") ----
extern bool gblnDisplayMessageBox;
extern bool gblnUseRecycleBin;
extern bool gblnWebHelp;
extern bool gblnWriteReadOnly;
extern bool gblnShowSplashScreen;
extern bool gblnRetainWindows;
extern bool gblnUseSkins;
extern QString gstrSkinScheme;

// ---- scanning centre (sections "MP3ScanningCentre", "ScanRules") ----
extern bool gblnClearResults;
extern bool gblnIncFilesWithID3v1;
extern bool gblnIncFilesWithoutID3v1;
extern bool gblnIncFilesWithID3v2;
extern bool gblnIncFilesWithoutID3v2;
extern QString gstrScanFilter;

struct ScanRule {
    QString Choice;   // "Don't include files" / "Only include files"
    QString Scope;    // "equal to", "not equal to", "containing", ...
    QString Filter;   // the text compared with
    QString Target;   // "in File Name" ... "in ID3v2 Encoded by"
    bool CaseSensitive = false;
};

struct SimulateRule {
    QString Choice;   // "Only include" / "Don't include"
    QString Range;    // "up to", "from", "between", "outside of"
    int Point1 = 0;
    int Point2 = 0;
    QString Point;    // "character" / "separator"
};

// Rule arrays: element n (1-based) is at index n - 1; the array always holds
// one empty element after the last rule, so the number of rules is size() - 1.
extern std::vector<ScanRule> gudtScanRules;
extern std::vector<SimulateRule> gudtSimulateRules;

// ---- the open playlist (kept for the whole run, also while the Playlist
// Manager is closed) ----
struct PlaylistEntryInfo {
    QString FileName;   // the path exactly as the playlist stores it
    QString Title;
    int32_t Length = 0; // milliseconds; 0 when unknown
};

// Element n (1-based) is at index n - 1; the last element is an always-empty
// sentinel, so the number of entries is size() - 1.
extern std::vector<PlaylistEntryInfo> gPlaylistEntries;
