// The Options dialog's settings without the dialog: every key the writer
// stores, read back by the option readers and by the dialog's own reader;
// the rule lists, the column lists, the mask correction and the checks OK
// makes before it stores.

#include "OptionsFixture.h"

#include "coordinator/CoordinatorOptionSettings.h"
#include "encoder/EncoderOptionSettings.h"
#include "foundation/ReadOptions.h"
#include "scanning/engine/ScanningCentreSettings.h"
#include "options/OptionRules.h"
#include "options/OptionsSettings.h"

#include <map>

namespace {

class OptionsSettingsTest : public OptionsTest {};

ScanRule Scan(const char* choice, const char* scope, const char* filter, const char* target, bool cs) {
    return ScanRule{choice, scope, filter, target, cs};
}
SimulateRule Sim(const char* choice, const char* range, int p1, int p2, const char* point) {
    return SimulateRule{choice, range, p1, p2, point};
}

OptionsSettings EveryValueChanged() {
    OptionsSettings s;
    s.CheckDisplayMessageBox = 0;
    s.CheckRecycleBin = 1;
    s.CheckWebHelp = 1;
    s.CheckWriteReadOnly = 1;
    s.CheckSplashScreen = 0;
    s.CheckRetainWindows = 1;
    s.CheckUseSkins = 0;
    s.SkinScheme = "Deep Green";
    s.CheckClearResults = 0;
    s.CheckIncludeID3v1 = 0;
    s.CheckDontIncludeID3v1 = 1;
    s.CheckIncludeID3v2 = 0;
    s.CheckDontIncludeID3v2 = 1;
    s.ComboScanFilter = "*.wav";
    s.ComboFileNameFormat.Text = "%A - %T";
    s.FileNameFormatTyped = true;
    s.CheckSourceSeparator = {0, 1, 1, 0, 1, 0};
    s.TextSourceSeparator = {"+", ""};
    s.LabelOrder = {"Title", "Album", "Artist"};
    s.OptionID3v2TagPref = true;
    s.CheckDoubleBarrel = 0;
    s.ListIncludedHTML = {"Title", "Artist", "Year"};
    s.CheckSortByHTML = 1;
    s.ComboSortKeyHTML = "Artist";
    s.ComboOrderHTML = 1;
    s.LabelFont = "Font: Arial, Size 3, Colour Default";
    s.ComboFill = "#FF0000";
    s.TextOutputFileNameExtension = "htm";
    s.ListIncludedText = {{"Year", "7"}, {"Path", "200"}};
    s.CheckSortByText = 1;
    s.ComboSortKeyText = "Path";
    s.ComboOrderText = 1;
    return s;
}

TEST_F(OptionsSettingsTest, WrittenKeysMatchTheTableAndTheOptionReadersReadThemBack) {
    const OptionsSettings s = EveryValueChanged();
    const std::vector<ScanRule> scan = {Scan("Only include files", "containing", "Live", "in ID3v2 Title", true), {}};
    const std::vector<SimulateRule> sim = {Sim("Don't include", "between", 3, 9, "separator"),
                                           Sim("Only include", "up to", 12, 12, "character"), {}};
    s.Write(scan, sim);

    const std::map<std::pair<QString, QString>, QString> expected = {
        {{"Preferences", "DisplayMessageBox"}, "0"},      {{"Preferences", "UseRecycleBin"}, "1"},
        {{"Preferences", "WebHelp"}, "1"},                {{"Preferences", "WriteReadOnly"}, "1"},
        {{"Preferences", "SplashScreen"}, "0"},           {{"Preferences", "RetainWindows"}, "1"},
        {{"Preferences", "UseSkins"}, "0"},               {{"Preferences", "SkinScheme"}, "Deep Green"},
        {{"MP3ScanningCentre", "ClearResults"}, "0"},     {{"MP3ScanningCentre", "IncFilesWithID3v1"}, "0"},
        {{"MP3ScanningCentre", "IncFilesWithoutID3v1"}, "1"}, {{"MP3ScanningCentre", "IncFilesWithID3v2"}, "0"},
        {{"MP3ScanningCentre", "IncFilesWithoutID3v2"}, "1"}, {{"MP3ScanningCentre", "ScanFilter"}, "*.wav"},
        {{"ScanRules", "NumScanRules"}, "1"},              {{"ScanRules", "1Choice"}, "Only include files"},
        {{"ScanRules", "1Scope"}, "containing"},          {{"ScanRules", "1Filter"}, "Live"},
        {{"ScanRules", "1Target"}, "in ID3v2 Title"},     {{"ScanRules", "1CaseSensitive"}, "True"},
        {{"ComboFileNameFormat", "Text"}, "%A - %T"},     {{"ComboFileNameFormat", "1"}, "%A - %T"},
        {{"ComboFileNameFormat", "2"}, "%N2 - :%A: - %T"},
        {{"SourceSeparator", "0"}, "0"},                  {{"SourceSeparator", "1"}, "1"},
        {{"SourceSeparator", "2"}, "1"},                  {{"SourceSeparator", "3"}, "0"},
        {{"SourceSeparator", "4"}, "1"},                  {{"SourceSeparator", "5"}, "0"},
        {{"SourceSeparator", "TextSourceSeparator1"}, "+"}, {{"SourceSeparator", "TextSourceSeparator2"}, ""},
        {{"FileNameTagCoordinator", "Order1"}, "Title"},  {{"FileNameTagCoordinator", "Order2"}, "Album"},
        {{"FileNameTagCoordinator", "Order3"}, "Artist"}, {{"FileNameTagCoordinator", "ID3v1TagPref"}, "False"},
        {{"FileNameTagCoordinator", "ID3v2TagPref"}, "True"}, {{"FileNameTagCoordinator", "DoubleBarrel"}, "0"},
        {{"SimulateRules", "NumSimulateRules"}, "2"},      {{"SimulateRules", "1Choice"}, "Don't include"},
        {{"SimulateRules", "1Range"}, "between"},         {{"SimulateRules", "1Point"}, "separator"},
        {{"SimulateRules", "1Point1"}, "3"},              {{"SimulateRules", "1Point2"}, "9"},
        {{"SimulateRules", "2Choice"}, "Only include"},   {{"SimulateRules", "2Range"}, "up to"},
        {{"SimulateRules", "2Point"}, "character"},       {{"SimulateRules", "2Point1"}, "12"},
        {{"SimulateRules", "2Point2"}, "12"},
        {{"MusicCataloguerHTML", "NumColumnHeadings"}, "3"}, {{"MusicCataloguerHTML", "ColumnHeading1"}, "Title"},
        {{"MusicCataloguerHTML", "ColumnHeading2"}, "Artist"}, {{"MusicCataloguerHTML", "ColumnHeading3"}, "Year"},
        {{"MusicCataloguerHTML", "SortBy"}, "1"},         {{"MusicCataloguerHTML", "SortKey"}, "Artist"},
        {{"MusicCataloguerHTML", "SortOrder"}, "1"},
        {{"MusicCataloguerHTML", "ListTextFont"}, "Font: Arial, Size 3, Colour Default"},
        {{"MusicCataloguerHTML", "ListTextColour"}, "#FF0000"}, {{"MusicCataloguerHTML", "OutputExtension"}, "htm"},
        {{"MusicCataloguerText", "NumColumnHeadings"}, "2"}, {{"MusicCataloguerText", "ColumnHeading1"}, "Year"},
        {{"MusicCataloguerText", "ColumnHeadingWidth1"}, "7"}, {{"MusicCataloguerText", "ColumnHeading2"}, "Path"},
        {{"MusicCataloguerText", "ColumnHeadingWidth2"}, "200"}, {{"MusicCataloguerText", "SortBy"}, "1"},
        {{"MusicCataloguerText", "SortKey"}, "Path"},     {{"MusicCataloguerText", "SortOrder"}, "1"},
    };
    std::map<std::pair<QString, QString>, QString> stored;
    for (const auto& [section, key] : StoredKeys()) stored[{section, key}] = Stored(section, key);
    EXPECT_EQ(stored, expected);

    // The option readers take every group into the records.
    OptionRecords r;
    GetPreferences(r.Preferences);
    GetScanningCentreOptions(r.ScanningCentre);
    GetFileNameTagCoordinatorOptions(r.Coordinator);
    GetMusicCataloguerHTMLOptions(r.CataloguerHTML);
    GetMusicCataloguerTextOptions(r.CataloguerText);
    EXPECT_FALSE(r.Preferences.blnDisplayMessageBox);
    EXPECT_TRUE(r.Preferences.blnUseRecycleBin);
    EXPECT_TRUE(r.Preferences.blnRetainWindows);
    EXPECT_FALSE(r.Preferences.blnUseSkins);
    EXPECT_EQ(r.Preferences.strSkinScheme, "Deep Green");
    EXPECT_FALSE(r.ScanningCentre.blnIncFilesWithID3v1);
    EXPECT_EQ(r.ScanningCentre.strScanFilter, "*.wav");
    ASSERT_EQ(r.ScanningCentre.udtScanRules.size(), 2u);
    EXPECT_EQ(r.ScanningCentre.udtScanRules[0].Filter, "Live");
    EXPECT_TRUE(r.ScanningCentre.udtScanRules[0].CaseSensitive);
    EXPECT_EQ(r.Coordinator.strFileNameFormat, "%A - %T");
    EXPECT_EQ(r.Coordinator.blnSourceSeparators, (std::array<bool, 6>{false, true, true, false, true, false}));
    EXPECT_EQ(r.Coordinator.strSourceSeparators[0], "+");
    EXPECT_EQ(r.Coordinator.strOrder, (std::array<QString, 3>{"Title", "Album", "Artist"}));
    EXPECT_TRUE(r.Coordinator.blnID3v2TagPref);
    ASSERT_EQ(r.Coordinator.udtSimulateRules.size(), 3u);
    EXPECT_EQ(r.Coordinator.udtSimulateRules[0].Point2, 9);
    EXPECT_EQ(r.Coordinator.udtSimulateRules[1].Range, "up to");
    EXPECT_EQ(r.CataloguerHTML.strHTMLColumnHeadings, (std::vector<QString>{"Title", "Artist", "Year"}));
    EXPECT_TRUE(r.CataloguerHTML.blnHTMLSortBy);
    EXPECT_EQ(r.CataloguerHTML.lngHTMLSortOrder, 1);
    EXPECT_EQ(r.CataloguerHTML.strOutputExtension, "htm");
    EXPECT_EQ(r.CataloguerText.strColumnHeadings, (std::vector<QString>{"Year", "Path"}));
    EXPECT_EQ(r.CataloguerText.intColumnHeadingWidths, (std::vector<int>{7, 200}));
    EXPECT_EQ(r.CataloguerText.strSortKey, "Path");

    // The dialog's own reader gets the same record back.
    OptionsSettings back;
    back.Read();
    OptionsSettings want = s;
    want.ComboFileNameFormat.List = QStringList{"%N2 - :%A: - %T", "%A - %T"};
    want.FileNameFormatTyped = false;
    EXPECT_EQ(back, want);
}

TEST_F(OptionsSettingsTest, EmptyStoreReadsTheDesignStateAndNoSchemeTickedKeepsTheStoredOne) {
    OptionsSettings read;
    read.ListIncludedHTML = {"Title"};  // reading empties what the record held
    read.Read();
    OptionsSettings design;
    design.ComboFileNameFormat.List = QStringList{kDefaultFileNameFormat};
    EXPECT_EQ(read, design);

    Store("Preferences", "SkinScheme", "Old Scheme");
    OptionsSettings none;
    none.SkinScheme.clear();
    none.Write({{}}, {{}});
    EXPECT_EQ(Stored("Preferences", "SkinScheme"), "Old Scheme");
}

// The encoder dialog's record starts at the defaults it shares with the
// program's reader, converted as an empty store reads them.
TEST_F(OptionsSettingsTest, EncoderRecordStartsAtWhatAnEmptyStoreReads) {
    const EncoderOptionSettings design;
    EXPECT_EQ(design.SliderBitrate0, 12);
    EXPECT_TRUE(design.OptionSameAsInputDir);
    EXPECT_FALSE(design.OptionUse);
    EXPECT_TRUE(design.CheckEnableVBR);
    EXPECT_FALSE(design.CheckUseABR);
    EXPECT_EQ(design.TextQuality, "4");
    EXPECT_EQ(design.TextTargetBitrateForABR, "128");
    EXPECT_EQ(design.ComboOutputSamplingFrequency, 0);
    EXPECT_EQ(design.TextHighPassFreq, "0.001");
    EXPECT_EQ(design.TextLowPassFreq, "50000");

    EncoderOptionSettings read;
    read.SliderBitrate0 = 3;
    read.TextUse = "elsewhere";
    read.Read();
    EXPECT_EQ(read, design);
}

// A hand-edited store may hold "True"/"False" where the dialog writes digits;
// the option readers take them as on and off, and so must the dialog, or OK
// would store a ticked option as off.
TEST_F(OptionsSettingsTest, CheckBoxesReadTrueAndFalseAsTheOptionReadersDo) {
    Store("Preferences", "UseRecycleBin", " true ");
    Store("Preferences", "DisplayMessageBox", "FALSE");
    Store("MP3ScanningCentre", "ClearResults", "False");
    Store("SourceSeparator", "3", "True");
    Store("FileNameTagCoordinator", "DoubleBarrel", "2");  // greyed stays greyed
    Store("MusicCataloguerHTML", "SortBy", "True");
    OptionsSettings read;
    read.Read();
    EXPECT_EQ(read.CheckRecycleBin, 1);
    EXPECT_EQ(read.CheckDisplayMessageBox, 0);
    EXPECT_EQ(read.CheckClearResults, 0);
    EXPECT_EQ(read.CheckSourceSeparator[3], 1);
    EXPECT_EQ(read.CheckDoubleBarrel, 2);
    EXPECT_EQ(read.CheckSortByHTML, 1);

    read.Write({{}}, {{}});
    EXPECT_EQ(Stored("Preferences", "UseRecycleBin"), "1");
    EXPECT_EQ(Stored("SourceSeparator", "3"), "1");
    GeneralPreferences prefs;
    GetPreferences(prefs);
    EXPECT_TRUE(prefs.blnUseRecycleBin);
    EXPECT_FALSE(prefs.blnDisplayMessageBox);
}

TEST_F(OptionsSettingsTest, ShorterRuleListRewritesOnlyItsRulesAndTheCount) {
    std::vector<ScanRule> five;
    for (int n = 1; n <= 5; ++n)
        AppendRule(five, Scan("Only include files", "equal to", qPrintable(QString::number(n)), "in File Name", false));
    OptionsSettings s;
    s.Write(five, {{}});
    std::vector<ScanRule> two = five;
    RemoveRuleAt(two, 0);
    RemoveRuleAt(two, 0);
    RemoveRuleAt(two, 0);
    ASSERT_EQ(RuleCount(two), 2);
    s.Write(two, {{}});
    EXPECT_EQ(Stored("ScanRules", "NumScanRules"), "2");
    EXPECT_EQ(Stored("ScanRules", "1Filter"), "4");
    EXPECT_EQ(Stored("ScanRules", "2Filter"), "5");
    EXPECT_EQ(Stored("ScanRules", "5Filter"), "5");  // left over, never read
    ScanningCentreOptions o;
    GetScanningCentreOptions(o);
    ASSERT_EQ(o.udtScanRules.size(), 3u);
    EXPECT_EQ(o.udtScanRules[1].Filter, "5");
}

TEST_F(OptionsSettingsTest, ReaderStopsAtABadOrderIndexKeepingWhatItRead) {
    Store("MusicCataloguerHTML", "NumColumnHeadings", "1");
    Store("MusicCataloguerHTML", "ColumnHeading1", "Genre");
    Store("MusicCataloguerHTML", "SortOrder", "5");
    OptionsSettings s;
    try {
        s.Read();
        FAIL() << "no error";
    } catch (const SvError& e) {
        EXPECT_EQ(e.number(), ErrNo::InvalidPropertyValue);
        EXPECT_TRUE(e.description().endsWith("|ReadOptionsSettings"));
    }
    EXPECT_EQ(s.ListIncludedHTML, QStringList{"Genre"});
    EXPECT_EQ(s.TextOutputFileNameExtension, "html");  // not reached
}

// ---- rule lists -----------------------------------------------------------------------

TEST_F(OptionsSettingsTest, RuleListsKeepTheirSpareAndStopAtTheLargestCountTheReadersAccept) {
    std::vector<SimulateRule> rules(1);
    EXPECT_TRUE(AppendRule(rules, Sim("Only include", "from", 1, 1, "character")));
    EXPECT_TRUE(AppendRule(rules, Sim("Don't include", "up to", 2, 2, "separator")));
    EXPECT_TRUE(AppendRule(rules, Sim("Only include", "between", 3, 4, "character")));
    ASSERT_EQ(rules.size(), 4u);
    RemoveRuleAt(rules, 1);
    ASSERT_EQ(RuleCount(rules), 2);
    EXPECT_EQ(rules[1].Range, "between");
    EXPECT_EQ(rules[2].Choice, "");  // the spare
    RemoveRuleAt(rules, 7);          // no such rule
    EXPECT_EQ(RuleCount(rules), 2);

    std::vector<ScanRule> full(static_cast<size_t>(MaxRuleCount) + 1);
    EXPECT_FALSE(AppendRule(full, Scan("Only include files", "equal to", "x", "in File Name", false)));
    EXPECT_EQ(RuleCount(full), MaxRuleCount);
}

TEST_F(OptionsSettingsTest, PointNumbersRoundHalvesToEvenAndRefuseWhatA16BitFieldCannotHold) {
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"7", 7}, {"2.5", 2}, {"3.5", 4}, {"12abc", 12}, {"abc", 0}, {"", 0}, {"-4", -4},
        {"32767", 32767}, {"32768", std::nullopt}, {"-40000", std::nullopt}, {"1e300", std::nullopt},
    };
    for (const auto& [text, want] : cases) EXPECT_EQ(RulePointNumber(text), want) << text;
}

TEST_F(OptionsSettingsTest, FilterLimitsAndFileNameMaskCorrection) {
    const std::pair<const char*, int> limits[] = {
        {"in File Name", 256}, {"in ID3v1 Title", 30}, {"IN ID3V1 COMMENT", 30}, {"in ID3v1 Year", 4},
        {"in ID3v1 Genre", 25}, {"in ID3v2 Year", 7},  {"in ID3v2 Title", 0},    {"in ID3v2 Encoded by", 0},
    };
    for (const auto& [target, limit] : limits) EXPECT_EQ(ScanFilterLengthLimit(target), limit) << target;
    EXPECT_TRUE(ScanTargetIsYear("in id3v2 year"));
    EXPECT_FALSE(ScanTargetIsYear("in ID3v2 Title"));

    const std::pair<const char*, const char*> masks[] = {
        {"%N - %T", "%N1 - %T"}, {"%N2 - %T", "%N2 - %T"}, {"%N1 - %T", "%N1 - %T"}, {"%n - %T", "%n1 - %T"},
        {"%N3 - %T", "%N13 - %T"}, {"%A - %T", "%A - %T"}, {"%T - %N", "%T - %N1"},
    };
    for (const auto& [typed, left] : masks) EXPECT_EQ(CorrectedFileNameFormat(typed), left) << typed;
}

// ---- column lists ---------------------------------------------------------------------

TEST_F(OptionsSettingsTest, ColumnMovesKeepEveryNameOnExactlyOneSide) {
    CatalogueColumnLists html(false);
    ASSERT_EQ(html.NotIncluded().size(), 27);
    EXPECT_EQ(html.NotIncluded().first(), "Album");
    EXPECT_EQ(html.NotIncluded().indexOf("CRC's"), html.NotIncluded().indexOf("Copyrighted") + 1);
    const int title = static_cast<int>(html.NotIncluded().indexOf("Title"));
    EXPECT_EQ(html.Add(title), title);  // the entry that took its place
    html.Add(static_cast<int>(html.NotIncluded().indexOf("Artist")));
    html.Add(static_cast<int>(html.NotIncluded().indexOf("Year")));
    EXPECT_EQ(html.SortKeys(), (QStringList{"Artist", "Title", "Year"}));
    EXPECT_EQ(html.Up(2), 1);
    EXPECT_EQ(html.Included()[1].name, "Year");
    EXPECT_EQ(html.SortKeys(), (QStringList{"Artist", "Title", "Year"}));
    EXPECT_EQ(html.Up(0), 0);    // the first does not move
    EXPECT_EQ(html.Down(2), 2);  // nor the last
    EXPECT_EQ(html.Add(-1), -1);
    EXPECT_EQ(html.Included().size(), 3u);
    html.RemoveAll();
    EXPECT_EQ(html.NotIncluded(), CatalogueColumnVocabulary());
    html.AddAll();
    EXPECT_TRUE(html.NotIncluded().isEmpty());
    EXPECT_EQ(html.Add(0), -1);
    EXPECT_EQ(html.Remove(26), 25);  // the new last
    EXPECT_EQ(html.NotIncluded(), QStringList{"Year"});

    // A stored name twice is included twice; a name not on offer is simply added.
    CatalogueColumnLists restored(true);
    restored.Restore("Genre", "15");
    restored.Restore("Genre", "9");
    restored.Restore("Unknown", "3");
    EXPECT_EQ(restored.NotIncluded().size(), 26);
    EXPECT_EQ(restored.Included().size(), 3u);
}

TEST_F(OptionsSettingsTest, TextColumnWidthsStartFromTheTableAndTheSpinnerKeepsThemInRange) {
    const std::pair<const char*, std::pair<int, int>> table[] = {
        {"Year", {7, 7}}, {"Path", {260, 15}}, {"File Name", {256, 15}}, {"Mode", {16, 15}}, {"crc's", {6, 6}},
        {"Album", {999, 15}}, {"Bitrate", {8, 8}},
    };
    for (const auto& [name, widths] : table) {
        EXPECT_EQ(TextColumnMaxWidth(name), widths.first) << name;
        EXPECT_EQ(TextColumnAddedWidth(name), widths.second) << name;
    }
    CatalogueColumnLists text(true);
    text.Add(static_cast<int>(text.NotIncluded().indexOf("Year")));
    text.Add(static_cast<int>(text.NotIncluded().indexOf("Path")));
    EXPECT_EQ(text.Included()[0], (IncludedColumn{"Year", "7"}));
    EXPECT_EQ(text.Included()[1], (IncludedColumn{"Path", "15"}));
    text.WidthUp(0);  // at its maximum: stays
    EXPECT_EQ(text.Included()[0].width, "7");
    for (int i = 0; i < 300; ++i) text.WidthUp(1);
    EXPECT_EQ(text.Included()[1].width, "260");
    text.SetWidth(0, "1");
    text.WidthDown(0);
    EXPECT_EQ(text.Included()[0].width, "1");
    // Up moves a row with its width; removing and adding again resets it.
    EXPECT_EQ(text.Up(1), 0);
    EXPECT_EQ(text.Included()[0], (IncludedColumn{"Path", "260"}));
    text.Remove(0);
    text.Add(static_cast<int>(text.NotIncluded().indexOf("Path")));
    EXPECT_EQ(text.Included()[1], (IncludedColumn{"Path", "15"}));
    // A damaged width: Down is an error and leaves it, Up writes 1.
    text.SetWidth(0, "wide");
    EXPECT_THROW(text.WidthDown(0), SvError);
    EXPECT_EQ(text.Included()[0].width, "wide");
    text.WidthUp(0);
    EXPECT_EQ(text.Included()[0].width, "1");
}

TEST_F(OptionsSettingsTest, TheWidthSpinnerNeverTakesATextColumnToZeroOrBelow) {
    // Widths as a damaged store can hand them over: Down leaves 1 and below
    // as they are (OK refuses them), Up brings them to 1 at once.
    const struct {
        const char* width;
        const char* afterDown;
        const char* afterUp;
    } cases[] = {
        {"2", "1", "3"}, {"1", "1", "2"}, {"0", "0", "1"}, {"-3", "-3", "1"}, {"7", "6", "7"},
    };
    for (const auto& c : cases) {
        CatalogueColumnLists text(true);
        text.Add(static_cast<int>(text.NotIncluded().indexOf("Year")));  // at most 7 wide
        text.SetWidth(0, c.width);
        text.WidthDown(0);
        EXPECT_EQ(text.Included()[0].width, c.afterDown) << c.width;
        text.SetWidth(0, c.width);
        text.WidthUp(0);
        EXPECT_EQ(text.Included()[0].width, c.afterUp) << c.width;
    }
    // Holding Down stops at 1.
    CatalogueColumnLists text(true);
    text.Add(static_cast<int>(text.NotIncluded().indexOf("Path")));
    for (int i = 0; i < 40; ++i) text.WidthDown(0);
    EXPECT_EQ(text.Included()[0].width, "1");
}

// ---- what OK refuses ------------------------------------------------------------------

TEST_F(OptionsSettingsTest, OKRefusesWhatTheReadersWouldRejectBeforeAnythingIsStored) {
    // What the fault would do: a width the reader cannot take stops it, and
    // every later option group with it.
    Store("MusicCataloguerText", "NumColumnHeadings", "1");
    Store("MusicCataloguerText", "ColumnHeading1", "Year");
    Store("MusicCataloguerText", "ColumnHeadingWidth1", "wide");
    CataloguerTextOptions text;
    EXPECT_THROW(GetMusicCataloguerTextOptions(text), SvError);

    using K = OptionsProblem::Kind;
    OptionsSettings s;
    EXPECT_FALSE(CheckOptionsForStore(s, {{}}, {{}}).has_value());

    const std::pair<const char*, bool> widths[] = {{"7", true}, {"1", true}, {"8", false}, {"0", false},
                                                   {"wide", false}, {"", false}, {"3.5", false}};
    for (const auto& [width, good] : widths) {
        s.ListIncludedText = {{"Title", "15"}, {"Year", width}};
        const auto problem = CheckOptionsForStore(s, {{}}, {{}});
        EXPECT_EQ(!problem.has_value(), good) << width;
        if (problem) {
            EXPECT_EQ(problem->kind, K::ColumnWidthOutOfRange);
            EXPECT_EQ(problem->page, 3);
            EXPECT_EQ(problem->row, 1);
            EXPECT_EQ(problem->column, "Year");
            EXPECT_EQ(problem->maximum, 7);
        }
    }
    s.ListIncludedText.clear();

    const auto point = CheckOptionsForStore(s, {{}}, {Sim("Only include", "from", 2, 2, "character"),
                                                     Sim("Only include", "from", 40000, 2, "character"), {}});
    ASSERT_TRUE(point.has_value());
    EXPECT_EQ(point->kind, K::RulePointOutOfRange);
    EXPECT_EQ(point->row, 1);

    const std::vector<ScanRule> tooMany(static_cast<size_t>(MaxRuleCount) + 2);
    const auto count = CheckOptionsForStore(s, tooMany, {{}});
    ASSERT_TRUE(count.has_value());
    EXPECT_EQ(count->kind, K::TooManyScanRules);
    EXPECT_EQ(count->page, 0);
}

}  // namespace
