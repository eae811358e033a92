#pragma once
// The option records: program-wide options filled from the settings store at
// start-up and after the option dialogs store new values.  Windows and shared
// code read these; only the option readers (and the few places that say so)
// assign them.

#include <QString>
#include <array>
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

// Arrays whose elements are numbered from 1 keep element n at index n - 1.
// Integer fields are 16-bit values, Long fields 32-bit ones.

// ---- file name and tag coordinator (sections "ComboFileNameFormat",
// "SourceSeparator", "FileNameTagCoordinator", "SimulateRules") ----
extern QString gstrFileNameFormat;
// Enable flags of the separators: 0 "-", 1 "~", 2 ";", 3 ",", 4 and 5 the two
// user separators.
extern std::array<bool, 6> gblnSourceSeparators;
// The two user separators (keys TextSourceSeparator1 and 2): one character
// each, a blank when none is stored.
extern std::array<QString, 2> gstrSourceSeparators;
// Order1 to Order3: "Album", "Artist" or "Title" as they stand in file names.
extern std::array<QString, 3> gstrOrder;
extern bool gblnID3v1TagPref;
extern bool gblnID3v2TagPref;
extern bool gblnDoubleBarrel;

// ---- coordinator, advanced: index 0 is the Artist, 1 the Title ----
constexpr int ArtistTarget = 0;
constexpr int TitleTarget = 1;
extern std::array<bool, 2> gblnUpperCase;
extern std::array<bool, 2> gblnLowerCase;
extern std::array<bool, 2> gblnCapitalise;
extern std::array<bool, 2> gblnDontChange;
extern std::array<bool, 2> gblnRemoveUnder;
// Change-word pairs: entries 0 to 6 apply to the Artist, 7 to 13 to the Title.
extern std::array<QString, 14> gstrCSWFrom;
extern std::array<QString, 14> gstrCSWTo;
extern std::array<int, 2> gintNumUpperCaseWords;
extern std::array<int, 2> gintNumLowerCaseWords;
extern std::array<int, 2> gintNumCapitalisedWords;

// The special words of one target; a list may hold more words than its count
// (a count set to 0 keeps the old words), so go by the counts.
struct SpecialWordLists {
    std::vector<QString> UpperCase;    // always written in upper case
    std::vector<QString> LowerCase;    // always in lower case
    std::vector<QString> Capitalised;  // always capitalised
};
extern std::array<SpecialWordLists, 2> gudtSpecialWords;
extern bool gblnTheAtEnd;
extern bool gblnRemoveDoubleSpaces;
extern bool gblnRigorousTrackNum;
// Row colours of the simulate results, as colour values (see
// foundation/SharedServices.h: PaintColour).
extern int32_t glngColourChange;
extern int32_t glngColourChangeQ;
extern int32_t glngColourNoChange;
extern int32_t glngColourDelete;
extern int gintTrackNumLimit;

// ---- HTML catalogue (section "MusicCataloguerHTML") ----
extern int gintHTMLNumColumnHeadings;
extern std::vector<QString> gstrHTMLColumnHeadings;  // size is the last count above 0
extern bool gblnHTMLSortBy;
extern QString gstrHTMLSortKey;
extern int32_t glngHTMLSortOrder;  // 0 ascending, anything else descending
extern QString gstrListTextFont;
extern QString gstrListTextColour;
extern QString gstrOutputExtension;
// Page header.  The header parts by index: 0 page links, 1 title, 2 collection
// properties, 3 list properties, 4 column headings.
extern int32_t glngPageLinksAppear;  // 0 top and bottom, 1 top, 2 bottom
extern bool gblnHTMLHeaderTitle;
extern QString gstrHTMLTitleText;
extern bool gblnHTMLCollectionProps;
extern bool gblnHTMLTotalNumFiles;
extern bool gblnHTMLTotalSizeFiles;
extern bool gblnHTMLTotalLengthFiles;
extern bool gblnHTMLListProps;
extern bool gblnHTMLListCreationDate;
extern bool gblnHTMLListCreationTime;
extern bool gblnHTMLNumPagesInList;
extern bool gblnHTMLColumnHeadings;
extern std::array<QString, 5> gstrHeaderFont;
extern std::array<QString, 5> gstrHeaderColour;
// Page properties.  Page colours: 0 background, 1 text, 2 links, 3 visited
// links, 4 active links.  Margins: 0 left, 1 top, 2 width, 3 height.
extern QString gstrPageTitle;
extern QString gstrPageDescription;
extern QString gstrPageKeywords;
extern QString gstrBackgroundImage;
extern std::array<QString, 5> gstrPageColour;
extern std::array<QString, 4> gstrMargin;

// ---- text catalogue (section "MusicCataloguerText") ----
extern int gintNumColumnHeadings;
extern std::vector<QString> gstrColumnHeadings;  // size is the last count above 0
extern std::vector<int> gintColumnHeadingWidths;
extern bool gblnSortBy;
extern QString gstrSortKey;
extern int32_t glngSortOrder;
extern bool gblnHeaderTitle;
extern QString gstrTitleText;
extern bool gblnCollectionProps;
extern bool gblnTotalNumFiles;
extern bool gblnTotalSizeFiles;
extern bool gblnTotalLengthFiles;
extern bool gblnListProps;
extern bool gblnListCreationDate;
extern bool gblnListCreationTime;
extern bool gblnNumPagesInList;
extern bool gblnColumnHeadings;

// ---- encoder and decoder (the group EncoderDecoderOptions, section
// "EncoderDecoder"): one variable per key, named g + type prefix + key ----
extern int32_t glngBitrate;  // position 1 to 18 in the bitrate list (12 = 128 kbit/s)
extern int32_t glngMode;     // 0 encoder's choice, 1 to 6 "s", "j", "f", "d", "m", "a"
extern bool gblnSameAsInputDirectory;
extern bool gblnUse;
extern QString gstrUseFolder;
extern int32_t glngOptimisation;  // 0 none, 1 speed, 2 quality
extern bool gblnIncludeCRCChecksums;
extern bool gblnCopy;
extern bool gblnCopyright;
extern bool gblnDeleteSourceFile;
extern bool gblnEnableVBR;
extern int32_t glngMaximumVBRBitrate;
extern int gintQuality;
extern bool gblnDisableVBRTag;
extern bool gblnEnforceMinimumBitrate;
extern bool gblnUseABR;
extern int gintTargetBitrateForABR;
extern bool gblnAllowBlockTypesToDiffer;
extern bool gblnDisableAllFiltering;
extern bool gblnDisableBitReservoir;
extern bool gblnDisableShortBlocks;
extern bool gblnComplyISOMPEGSpec;
extern int32_t glngATHControl;        // 0 none, 1 "--athonly", 2 "--noath", 3 "--athshort"
extern int32_t glngAlgorithmQuality;  // 0 none, 1 to 10 the "-q" values 0 to 9
extern QString gstrCustomOptions;
extern bool gblnOnlyUseCustom;
extern int32_t glngOutputSamplingFrequency;  // 1 no resampling, 2 to 10 the output rates
extern bool gblnHighPassFilteringFreq;
extern double gdblHighPassFilteringFreqkHz;
extern bool gblnWidthOfHighPassFilter;
extern double gdblWidthOfHighPassFilterkHz;
extern bool gblnLowPassFilteringFreq;
extern double gdblLowPassFilteringFreqkHz;
extern bool gblnWidthOfLowPassFilter;
extern double gdblWidthOfLowPassFilterkHz;

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
