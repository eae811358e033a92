#pragma once
// The option records: the program-wide options, one record per option group,
// filled from the settings store at start-up and after the option dialogs
// store new values (GetMainOptions, options/MainOptions.h).  One program-wide
// instance, Options(), holds one record of each group.  The record types
// stay here, where Options() needs them; each group's keys, defaults and
// reader are written once, beside the tool that owns the group
// (foundation/PreferenceSettings.h, scanning/engine/ScanningCentreSettings.h,
// coordinator/CoordinatorOptionSettings.h,
// coordinator/CoordinatorDialogSettings.h,
// cataloguer/CataloguerOptionSettings.h, encoder/EncoderOptionSettings.h);
// foundation/ReadOptions.h lists them.
//
// Who reads and who writes:
// - Engines (logic without windows: the scan, the sort into folders, name
//   derivation, page writers, LAME command building, tag access, file
//   deletion, Apply) never read Options(): they take the record, or the few
//   values they need, as parameters, so a test builds a record and hands it
//   over.  A job reads what it passes once, at its start.
// - Windows, and shared code that every tool calls (help, separators, skins,
//   the start procedure), read Options().
// - Only these assign it: the option readers; the Options dialog (it copies
//   its edited rule lists into the rule arrays before it stores them); the
//   start procedure's first sizing of the rule arrays; help, which clears
//   blnWebHelp when the online help cannot be opened.
//
// Field names are the settings' own (type prefix + key), so a key found in
// the store leads to its field and back.  Before the first read every field
// is zero, false or empty, and each rule array holds its one empty element.
// Arrays whose elements are numbered from 1 keep element n at index n - 1.
// Integer fields are 16-bit values, Long fields 32-bit ones.

#include "foundation/PreferenceSettings.h"

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

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

// ---- general preferences (section "Preferences"): foundation/PreferenceSettings.h ----

// ---- scanning centre (sections "MP3ScanningCentre", "ScanRules") ----
struct ScanningCentreOptions {
    bool blnClearResults = false;
    bool blnIncFilesWithID3v1 = false;
    bool blnIncFilesWithoutID3v1 = false;
    bool blnIncFilesWithID3v2 = false;
    bool blnIncFilesWithoutID3v2 = false;
    QString strScanFilter;
    // Rule array: element n (1-based) is at index n - 1; the array always
    // holds one empty element after the last rule, so the number of rules is
    // size() - 1.
    std::vector<ScanRule> udtScanRules = std::vector<ScanRule>(1);
};

// ---- file name and tag coordinator (sections "ComboFileNameFormat",
// "SourceSeparator", "FileNameTagCoordinator", "SimulateRules") ----
struct CoordinatorOptions {
    QString strFileNameFormat;
    // Enable flags of the separators: 0 "-", 1 "~", 2 ";", 3 ",", 4 and 5 the
    // two user separators.
    std::array<bool, 6> blnSourceSeparators{};
    // The two user separators (keys TextSourceSeparator1 and 2): one
    // character each, a blank when none is stored.
    std::array<QString, 2> strSourceSeparators;
    // Order1 to Order3: "Album", "Artist" or "Title" as they stand in file names.
    std::array<QString, 3> strOrder;
    bool blnID3v1TagPref = false;
    bool blnID3v2TagPref = false;
    bool blnDoubleBarrel = false;
    // Shaped as the scan rules: the rules, then one empty element.
    std::vector<SimulateRule> udtSimulateRules = std::vector<SimulateRule>(1);
};

// ---- coordinator, advanced: index 0 is the Artist, 1 the Title ----
constexpr int ArtistTarget = 0;
constexpr int TitleTarget = 1;

// The special words of one target; a list may hold more words than its count
// (a count set to 0 keeps the old words), so go by the counts.
struct SpecialWordLists {
    std::vector<QString> UpperCase;    // always written in upper case
    std::vector<QString> LowerCase;    // always in lower case
    std::vector<QString> Capitalised;  // always capitalised
};

struct CoordinatorAdvOptions {
    std::array<bool, 2> blnUpperCase{};
    std::array<bool, 2> blnLowerCase{};
    std::array<bool, 2> blnCapitalise{};
    std::array<bool, 2> blnDontChange{};
    std::array<bool, 2> blnRemoveUnder{};
    // Change-word pairs: entries 0 to 6 apply to the Artist, 7 to 13 to the Title.
    std::array<QString, 14> strCSWFrom;
    std::array<QString, 14> strCSWTo;
    std::array<int, 2> intNumUpperCaseWords{};
    std::array<int, 2> intNumLowerCaseWords{};
    std::array<int, 2> intNumCapitalisedWords{};
    std::array<SpecialWordLists, 2> udtSpecialWords;
    bool blnTheAtEnd = false;
    bool blnRemoveDoubleSpaces = false;
    bool blnRigorousTrackNum = false;
    // Row colours of the simulate results, as colour values (see
    // foundation/SharedServices.h: PaintColour).
    int32_t lngColourChange = 0;
    int32_t lngColourChangeQ = 0;
    int32_t lngColourNoChange = 0;
    int32_t lngColourDelete = 0;
    int intTrackNumLimit = 0;
};

// ---- HTML catalogue (section "MusicCataloguerHTML") ----
struct CataloguerHTMLOptions {
    int intHTMLNumColumnHeadings = 0;
    std::vector<QString> strHTMLColumnHeadings;  // size is the last count above 0
    bool blnHTMLSortBy = false;
    QString strHTMLSortKey;
    int32_t lngHTMLSortOrder = 0;  // 0 ascending, anything else descending
    QString strListTextFont;
    QString strListTextColour;
    QString strOutputExtension;
    // Page header.  The header parts by index: 0 page links, 1 title, 2
    // collection properties, 3 list properties, 4 column headings.
    int32_t lngPageLinksAppear = 0;  // 0 top and bottom, 1 top, 2 bottom
    bool blnHTMLHeaderTitle = false;
    QString strHTMLTitleText;
    bool blnHTMLCollectionProps = false;
    bool blnHTMLTotalNumFiles = false;
    bool blnHTMLTotalSizeFiles = false;
    bool blnHTMLTotalLengthFiles = false;
    bool blnHTMLListProps = false;
    bool blnHTMLListCreationDate = false;
    bool blnHTMLListCreationTime = false;
    bool blnHTMLNumPagesInList = false;
    bool blnHTMLColumnHeadings = false;
    std::array<QString, 5> strHeaderFont;
    std::array<QString, 5> strHeaderColour;
    // Page properties.  Page colours: 0 background, 1 text, 2 links, 3
    // visited links, 4 active links.  Margins: 0 left, 1 top, 2 width, 3 height.
    QString strPageTitle;
    QString strPageDescription;
    QString strPageKeywords;
    QString strBackgroundImage;
    std::array<QString, 5> strPageColour;
    std::array<QString, 4> strMargin;
};

// ---- text catalogue (section "MusicCataloguerText") ----
struct CataloguerTextOptions {
    int intNumColumnHeadings = 0;
    std::vector<QString> strColumnHeadings;  // size is the last count above 0
    std::vector<int> intColumnHeadingWidths;
    bool blnSortBy = false;
    QString strSortKey;
    int32_t lngSortOrder = 0;
    bool blnHeaderTitle = false;
    QString strTitleText;
    bool blnCollectionProps = false;
    bool blnTotalNumFiles = false;
    bool blnTotalSizeFiles = false;
    bool blnTotalLengthFiles = false;
    bool blnListProps = false;
    bool blnListCreationDate = false;
    bool blnListCreationTime = false;
    bool blnNumPagesInList = false;
    bool blnColumnHeadings = false;
};

// ---- encoder and decoder (section "EncoderDecoder"): one field per key,
// named type prefix + key ----
struct EncoderDecoderOptions {
    int32_t lngBitrate = 0;  // position 1 to 18 in the bitrate list (12 = 128 kbit/s)
    int32_t lngMode = 0;     // 0 encoder's choice, 1 to 6 "s", "j", "f", "d", "m", "a"
    bool blnSameAsInputDirectory = false;
    bool blnUse = false;
    QString strUseFolder;
    int32_t lngOptimisation = 0;  // 0 none, 1 speed, 2 quality
    bool blnIncludeCRCChecksums = false;
    bool blnCopy = false;
    bool blnCopyright = false;
    bool blnDeleteSourceFile = false;
    bool blnEnableVBR = false;
    int32_t lngMaximumVBRBitrate = 0;
    int intQuality = 0;
    bool blnDisableVBRTag = false;
    bool blnEnforceMinimumBitrate = false;
    bool blnUseABR = false;
    int intTargetBitrateForABR = 0;
    bool blnAllowBlockTypesToDiffer = false;
    bool blnDisableAllFiltering = false;
    bool blnDisableBitReservoir = false;
    bool blnDisableShortBlocks = false;
    bool blnComplyISOMPEGSpec = false;
    int32_t lngATHControl = 0;        // 0 none, 1 "--athonly", 2 "--noath", 3 "--athshort"
    int32_t lngAlgorithmQuality = 0;  // 0 none, 1 to 10 the "-q" values 0 to 9
    QString strCustomOptions;
    bool blnOnlyUseCustom = false;
    int32_t lngOutputSamplingFrequency = 0;  // 1 no resampling, 2 to 10 the output rates
    bool blnHighPassFilteringFreq = false;
    double dblHighPassFilteringFreqkHz = 0;
    bool blnWidthOfHighPassFilter = false;
    double dblWidthOfHighPassFilterkHz = 0;
    bool blnLowPassFilteringFreq = false;
    double dblLowPassFilteringFreqkHz = 0;
    bool blnWidthOfLowPassFilter = false;
    double dblWidthOfLowPassFilterkHz = 0;
};

// One record of each group.
struct OptionRecords {
    GeneralPreferences Preferences;
    ScanningCentreOptions ScanningCentre;
    CoordinatorOptions Coordinator;
    CoordinatorAdvOptions CoordinatorAdv;
    CataloguerHTMLOptions CataloguerHTML;
    CataloguerTextOptions CataloguerText;
    EncoderDecoderOptions EncoderDecoder;
};

// The program-wide instance (see the rules above on who may assign it).
OptionRecords& Options();
