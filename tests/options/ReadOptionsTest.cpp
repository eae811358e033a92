// The option readers: defaults on an empty store, stored values, conversion
// errors with their trails, the rule arrays and the order of the whole read.

#include "OptionsFixture.h"

#include "foundation/OptionRecords.h"
#include "foundation/ReadOptions.h"

#include <QFileInfo>
#include <functional>

namespace {

// Sets every option variable to a value no reader gives by default, so a
// reader that skips a field, or a field that keeps its previous value, shows.
void Scramble() {
    for (bool* b : {&gblnDisplayMessageBox, &gblnUseRecycleBin, &gblnWebHelp, &gblnWriteReadOnly,
                    &gblnShowSplashScreen, &gblnRetainWindows, &gblnUseSkins, &gblnClearResults,
                    &gblnIncFilesWithID3v1, &gblnIncFilesWithoutID3v1, &gblnIncFilesWithID3v2,
                    &gblnIncFilesWithoutID3v2, &gblnID3v1TagPref, &gblnID3v2TagPref, &gblnDoubleBarrel,
                    &gblnTheAtEnd, &gblnRemoveDoubleSpaces, &gblnRigorousTrackNum, &gblnHTMLSortBy,
                    &gblnHTMLHeaderTitle, &gblnHTMLCollectionProps, &gblnHTMLTotalNumFiles, &gblnHTMLTotalSizeFiles,
                    &gblnHTMLTotalLengthFiles, &gblnHTMLListProps, &gblnHTMLListCreationDate,
                    &gblnHTMLListCreationTime, &gblnHTMLNumPagesInList, &gblnHTMLColumnHeadings, &gblnSortBy,
                    &gblnHeaderTitle, &gblnCollectionProps, &gblnTotalNumFiles, &gblnTotalSizeFiles,
                    &gblnTotalLengthFiles, &gblnListProps, &gblnListCreationDate, &gblnListCreationTime,
                    &gblnNumPagesInList, &gblnColumnHeadings, &gblnSameAsInputDirectory, &gblnUse,
                    &gblnIncludeCRCChecksums, &gblnCopy, &gblnCopyright, &gblnDeleteSourceFile, &gblnEnableVBR,
                    &gblnDisableVBRTag, &gblnEnforceMinimumBitrate, &gblnUseABR, &gblnAllowBlockTypesToDiffer,
                    &gblnDisableAllFiltering, &gblnDisableBitReservoir, &gblnDisableShortBlocks,
                    &gblnComplyISOMPEGSpec, &gblnOnlyUseCustom, &gblnHighPassFilteringFreq,
                    &gblnWidthOfHighPassFilter, &gblnLowPassFilteringFreq, &gblnWidthOfLowPassFilter})
        *b = !*b;  // flipped: after a read of the defaults, every flag differs from its default
    for (QString* s : {&gstrSkinScheme, &gstrScanFilter, &gstrFileNameFormat, &gstrHTMLSortKey, &gstrListTextFont,
                       &gstrListTextColour, &gstrOutputExtension, &gstrHTMLTitleText, &gstrPageTitle,
                       &gstrPageDescription, &gstrPageKeywords, &gstrBackgroundImage, &gstrSortKey, &gstrTitleText,
                       &gstrUseFolder, &gstrCustomOptions})
        *s = QStringLiteral("old");
    gstrSourceSeparators.fill(QStringLiteral("old"));
    gstrOrder.fill(QStringLiteral("old"));
    gstrCSWFrom.fill(QStringLiteral("old"));
    gstrCSWTo.fill(QStringLiteral("old"));
    gstrHeaderFont.fill(QStringLiteral("old"));
    gstrHeaderColour.fill(QStringLiteral("old"));
    gstrPageColour.fill(QStringLiteral("old"));
    gstrMargin.fill(QStringLiteral("old"));
    for (int32_t* n : {&glngColourChange, &glngColourChangeQ, &glngColourNoChange, &glngColourDelete,
                       &glngHTMLSortOrder, &glngPageLinksAppear, &glngSortOrder, &glngBitrate, &glngMode,
                       &glngOptimisation, &glngMaximumVBRBitrate, &glngATHControl, &glngAlgorithmQuality,
                       &glngOutputSamplingFrequency})
        *n = 777;
    for (int* n : {&gintTrackNumLimit, &gintHTMLNumColumnHeadings, &gintNumColumnHeadings, &gintQuality,
                   &gintTargetBitrateForABR})
        *n = 777;
    for (auto* a : {&gintNumUpperCaseWords, &gintNumLowerCaseWords, &gintNumCapitalisedWords}) a->fill(777);
    for (double* d : {&gdblHighPassFilteringFreqkHz, &gdblWidthOfHighPassFilterkHz, &gdblLowPassFilteringFreqkHz,
                      &gdblWidthOfLowPassFilterkHz})
        *d = 777;
    gudtScanRules.assign(3, ScanRule{"old", "old", "old", "old", true});
    gudtSimulateRules.assign(3, SimulateRule{"old", "old", 7, 7, "old"});
}

// Runs `reader` and returns the error it raised (number 0 when none).
SvError ErrorOf(const std::function<void()>& reader) {
    try {
        reader();
    } catch (const SvError& e) {
        return e;
    }
    return SvError(0, QString(), QString());
}

class ReadOptionsTest : public OptionsTest {
protected:
    ReadOptionsTest() { Scramble(); }
};

TEST_F(ReadOptionsTest, EmptyStoreGivesEveryReadersDefaults) {
    auto readAll = [] {
        GetPreferences();
        GetScanningCentreOptions();
        GetFileNameTagCoordinatorOptions();
        GetFileNameTagCoordinatorAdvOptions();
        GetMusicCataloguerHTMLOptions();
        GetHTMLCataloguerHeaderOptions();
        GetHTMLPageProperties();
        GetMusicCataloguerTextOptions();
        GetTextCataloguerHeaderOptions();
        GetEncoderDecoderOptions();
    };
    // Read, flip every flag away from its default, read again: a flag that
    // no reader assigns then shows.
    readAll();
    Scramble();
    readAll();

    struct Flag {
        const char* name;
        bool value;
        bool expected;
    };
    const Flag flags[] = {
        {"DisplayMessageBox", gblnDisplayMessageBox, true}, {"UseRecycleBin", gblnUseRecycleBin, false},
        {"WebHelp", gblnWebHelp, false}, {"WriteReadOnly", gblnWriteReadOnly, false},
        {"SplashScreen", gblnShowSplashScreen, true}, {"RetainWindows", gblnRetainWindows, false},
        {"UseSkins", gblnUseSkins, true}, {"ClearResults", gblnClearResults, true},
        {"IncFilesWithID3v1", gblnIncFilesWithID3v1, true}, {"IncFilesWithoutID3v1", gblnIncFilesWithoutID3v1, true},
        {"IncFilesWithID3v2", gblnIncFilesWithID3v2, true}, {"IncFilesWithoutID3v2", gblnIncFilesWithoutID3v2, true},
        {"Separator0", gblnSourceSeparators[0], true}, {"Separator1", gblnSourceSeparators[1], false},
        {"Separator2", gblnSourceSeparators[2], false}, {"Separator3", gblnSourceSeparators[3], false},
        {"Separator4", gblnSourceSeparators[4], false}, {"Separator5", gblnSourceSeparators[5], false},
        {"ID3v1TagPref", gblnID3v1TagPref, false}, {"ID3v2TagPref", gblnID3v2TagPref, false},
        {"DoubleBarrel", gblnDoubleBarrel, true},
        {"ArtistUpperCase", gblnUpperCase[0], false}, {"TitleUpperCase", gblnUpperCase[1], false},
        {"ArtistLowerCase", gblnLowerCase[0], false}, {"TitleLowerCase", gblnLowerCase[1], false},
        {"ArtistCapitalise", gblnCapitalise[0], true}, {"TitleCapitalise", gblnCapitalise[1], true},
        {"ArtistDontChange", gblnDontChange[0], false}, {"TitleDontChange", gblnDontChange[1], false},
        {"ArtistRemoveUnder", gblnRemoveUnder[0], true}, {"TitleRemoveUnder", gblnRemoveUnder[1], true},
        {"TheAtEnd", gblnTheAtEnd, false}, {"RemoveDoubleSpaces", gblnRemoveDoubleSpaces, true},
        {"RigorousTrackNum", gblnRigorousTrackNum, true},
        {"HTMLSortBy", gblnHTMLSortBy, false}, {"HTMLHeaderTitle", gblnHTMLHeaderTitle, true},
        {"HTMLCollectionProps", gblnHTMLCollectionProps, true}, {"HTMLTotalNumFiles", gblnHTMLTotalNumFiles, true},
        {"HTMLTotalSizeFiles", gblnHTMLTotalSizeFiles, true}, {"HTMLTotalLengthFiles", gblnHTMLTotalLengthFiles, true},
        {"HTMLListProps", gblnHTMLListProps, true}, {"HTMLListCreationDate", gblnHTMLListCreationDate, true},
        {"HTMLListCreationTime", gblnHTMLListCreationTime, true}, {"HTMLNumPagesInList", gblnHTMLNumPagesInList, true},
        {"HTMLColumnHeadings", gblnHTMLColumnHeadings, true},
        {"SortBy", gblnSortBy, false}, {"HeaderTitle", gblnHeaderTitle, true},
        {"CollectionProps", gblnCollectionProps, true}, {"TotalNumFiles", gblnTotalNumFiles, true},
        {"TotalSizeFiles", gblnTotalSizeFiles, true}, {"TotalLengthFiles", gblnTotalLengthFiles, true},
        {"ListProps", gblnListProps, true}, {"ListCreationDate", gblnListCreationDate, true},
        {"ListCreationTime", gblnListCreationTime, true}, {"NumPagesInList", gblnNumPagesInList, true},
        {"ColumnHeadings", gblnColumnHeadings, true},
        {"SameAsInputDirectory", gblnSameAsInputDirectory, true}, {"Use", gblnUse, false},
        {"IncludeCRCChecksums", gblnIncludeCRCChecksums, false}, {"Copy", gblnCopy, false},
        {"Copyright", gblnCopyright, false}, {"DeleteSourceFile", gblnDeleteSourceFile, false},
        {"EnableVBR", gblnEnableVBR, true}, {"DisableVBRTag", gblnDisableVBRTag, false},
        {"EnforceMinimumBitrate", gblnEnforceMinimumBitrate, false}, {"UseABR", gblnUseABR, false},
        {"AllowBlockTypesToDiffer", gblnAllowBlockTypesToDiffer, false},
        {"DisableAllFiltering", gblnDisableAllFiltering, false}, {"DisableBitReservoir", gblnDisableBitReservoir, false},
        {"DisableShortBlocks", gblnDisableShortBlocks, false}, {"ComplyISOMPEGSpec", gblnComplyISOMPEGSpec, false},
        {"OnlyUseCustom", gblnOnlyUseCustom, false}, {"HighPassFilteringFreq", gblnHighPassFilteringFreq, false},
        {"WidthOfHighPassFilter", gblnWidthOfHighPassFilter, false},
        {"LowPassFilteringFreq", gblnLowPassFilteringFreq, false},
        {"WidthOfLowPassFilter", gblnWidthOfLowPassFilter, false},
    };
    for (const Flag& f : flags) EXPECT_EQ(f.value, f.expected) << f.name;

    struct Text {
        const char* name;
        QString value;
        const char* expected;
    };
    const Text texts[] = {
        {"SkinScheme", gstrSkinScheme, "Fun Blue"}, {"ScanFilter", gstrScanFilter, "*.mp3"},
        {"FileNameFormat", gstrFileNameFormat, "%N2 - :%A: - %T"},
        {"TextSourceSeparator1", gstrSourceSeparators[0], " "}, {"TextSourceSeparator2", gstrSourceSeparators[1], " "},
        {"Order1", gstrOrder[0], "Album"}, {"Order2", gstrOrder[1], "Artist"}, {"Order3", gstrOrder[2], "Title"},
        {"CSWFrom0", gstrCSWFrom[0], ""}, {"CSWTo13", gstrCSWTo[13], ""},
        {"HTMLSortKey", gstrHTMLSortKey, ""},
        {"ListTextFont", gstrListTextFont, "Font: Default, Size Default, Colour Default"},
        {"ListTextColour", gstrListTextColour, ""}, {"OutputExtension", gstrOutputExtension, "html"},
        {"HTMLTitleText", gstrHTMLTitleText, "My Music Collection"},
        {"HeaderFont0", gstrHeaderFont[0], "Font: Default, Size Default, Colour Default"},
        {"HeaderFont4", gstrHeaderFont[4], "Font: Default, Size Default, Colour Default"},
        {"HeaderColour0", gstrHeaderColour[0], ""}, {"HeaderColour4", gstrHeaderColour[4], ""},
        {"Title", gstrPageTitle, "My Music Collection"}, {"Description", gstrPageDescription, "My Music Collection"},
        {"Keywords", gstrPageKeywords, "Brellick Software, Sonivard, MP3, Music"},
        {"BackgroundImage", gstrBackgroundImage, ""},
        {"PageColour0", gstrPageColour[0], "Default"}, {"PageColour4", gstrPageColour[4], "Default"},
        {"Margin0", gstrMargin[0], ""}, {"Margin3", gstrMargin[3], ""},
        {"SortKey", gstrSortKey, ""}, {"TitleText", gstrTitleText, "My Music Collection"},
        {"UseFolder", gstrUseFolder, ""}, {"CustomOptions", gstrCustomOptions, ""},
    };
    for (const Text& t : texts) EXPECT_EQ(t.value, QString::fromUtf8(t.expected)) << t.name;

    struct Number {
        const char* name;
        double value;
        double expected;
    };
    auto num = [](const char* name, double value, double expected) { return Number{name, value, expected}; };
    const Number numbers[] = {
        num("ColourChange", glngColourChange, -2147483640.0), num("ColourChangeQ", glngColourChangeQ, 12582912),
        num("ColourNoChange", glngColourNoChange, 8421504), num("ColourDelete", glngColourDelete, 192),
        num("TrackNumLimit", gintTrackNumLimit, 30),
        num("NumUpperCaseWords0", gintNumUpperCaseWords[0], 0), num("NumCapitalisedWords1", gintNumCapitalisedWords[1], 0),
        num("HTMLNumColumnHeadings", gintHTMLNumColumnHeadings, 0), num("HTMLSortOrder", glngHTMLSortOrder, 0),
        num("PageLinksAppear", glngPageLinksAppear, 0), num("NumColumnHeadings", gintNumColumnHeadings, 0),
        num("SortOrder", glngSortOrder, 0),
        num("Bitrate", glngBitrate, 12), num("Mode", glngMode, 0), num("Optimisation", glngOptimisation, 0),
        num("MaximumVBRBitrate", glngMaximumVBRBitrate, 12), num("Quality", gintQuality, 4),
        num("TargetBitrateForABR", gintTargetBitrateForABR, 128), num("ATHControl", glngATHControl, 0),
        num("AlgorithmQuality", glngAlgorithmQuality, 0), num("OutputSamplingFrequency", glngOutputSamplingFrequency, 1),
        num("HighPassFilteringFreqkHz", gdblHighPassFilteringFreqkHz, 0.001),
        num("WidthOfHighPassFilterkHz", gdblWidthOfHighPassFilterkHz, 0),
        num("LowPassFilteringFreqkHz", gdblLowPassFilteringFreqkHz, 50000),
        num("WidthOfLowPassFilterkHz", gdblWidthOfLowPassFilterkHz, 0),
    };
    for (const Number& n : numbers) EXPECT_DOUBLE_EQ(n.value, n.expected) << n.name;

    // One empty rule element each.
    ASSERT_EQ(gudtScanRules.size(), 1u);
    EXPECT_TRUE(gudtScanRules[0].Choice.isEmpty());
    EXPECT_FALSE(gudtScanRules[0].CaseSensitive);
    ASSERT_EQ(gudtSimulateRules.size(), 1u);
    EXPECT_EQ(gudtSimulateRules[0].Point1, 0);
    EXPECT_TRUE(gudtSimulateRules[0].Range.isEmpty());
}

TEST_F(ReadOptionsTest, BooleansReadFromEitherStoredForm) {
    const std::pair<const char*, bool> cases[] = {{"1", true},  {"0", false},    {"True", true}, {"False", false},
                                                  {"-1", true}, {"true", true}, {"FALSE", false}};
    for (const auto& [text, expected] : cases) {
        Store("Preferences", "UseRecycleBin", text);
        GetPreferences();
        EXPECT_EQ(gblnUseRecycleBin, expected) << text;
    }
}

TEST_F(ReadOptionsTest, StoredTextsAreTakenAsTheyAre) {
    Store("MP3ScanningCentre", "ScanFilter", "");
    Store("Preferences", "SkinScheme", "Deep Red");
    GetPreferences();
    GetScanningCentreOptions();
    EXPECT_EQ(gstrScanFilter, QString());
    EXPECT_EQ(gstrSkinScheme, "Deep Red");
}

// A value its type code cannot convert ends the reader with the platform
// error and the reader's name as the last trail entry.
TEST_F(ReadOptionsTest, UnconvertibleValuesRaiseWithTheReadersName) {
    struct Case {
        const char* reader;
        std::function<void()> read;
        const char* section;
        const char* key;
        const char* text;
        int32_t error;
    };
    const Case cases[] = {
        {"GetPreferences", GetPreferences, "Preferences", "UseSkins", "maybe", ErrNo::TypeMismatch},
        {"GetScanningCentreOptions", GetScanningCentreOptions, "MP3ScanningCentre", "ClearResults", "",
         ErrNo::TypeMismatch},
        {"GetFileNameTagCoordinatorOptions", GetFileNameTagCoordinatorOptions, "SourceSeparator", "3", "comma",
         ErrNo::TypeMismatch},
        {"GetFileNameTagCoordinatorAdvOptions", GetFileNameTagCoordinatorAdvOptions, "FileNameTagCoordinator",
         "TheAtEnd", "x", ErrNo::TypeMismatch},
        {"GetFileNameTagCoordinatorAdvOptions", GetFileNameTagCoordinatorAdvOptions, "SpecialWordsFormat", "4",
         "40000", ErrNo::Overflow},
        {"GetFileNameTagCoordinatorAdvOptions", GetFileNameTagCoordinatorAdvOptions, "FileNameTagCoordinator",
         "TrackNumLimit", "99999", ErrNo::Overflow},
        {"GetMusicCataloguerHTMLOptions", GetMusicCataloguerHTMLOptions, "MusicCataloguerHTML", "SortOrder", "down",
         ErrNo::TypeMismatch},
        {"GetHTMLCataloguerHeaderOptions", GetHTMLCataloguerHeaderOptions, "MusicCataloguerHTML", "PageLinksAppear",
         "top", ErrNo::TypeMismatch},
        {"GetMusicCataloguerTextOptions", GetMusicCataloguerTextOptions, "MusicCataloguerText", "SortOrder", "",
         ErrNo::TypeMismatch},
        {"GetTextCataloguerHeaderOptions", GetTextCataloguerHeaderOptions, "MusicCataloguerText", "ListProps", "yes",
         ErrNo::TypeMismatch},
        {"GetEncoderDecoderOptions", GetEncoderDecoderOptions, "EncoderDecoder", "Bitrate", "", ErrNo::TypeMismatch},
        {"GetEncoderDecoderOptions", GetEncoderDecoderOptions, "EncoderDecoder", "EnableVBR", "on",
         ErrNo::TypeMismatch},
        {"GetEncoderDecoderOptions", GetEncoderDecoderOptions, "EncoderDecoder", "AlgorithmQuality", "high",
         ErrNo::TypeMismatch},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        TempHome fresh;
        Store(c.section, c.key, c.text);
        const SvError e = ErrorOf(c.read);
        EXPECT_EQ(e.number(), c.error);
        EXPECT_TRUE(e.description().endsWith(QLatin1Char('|') + QLatin1String(c.reader))) << e.description().toStdString();
    }
}

// Lenient number codes never fail: text that is no number reads as 0.
TEST_F(ReadOptionsTest, LenientNumbersReadUnreadableTextAsZero) {
    Store("ScanRules", "NumScanRules", "many");
    Store("SpecialWordsFormat", "0", "five");
    Store("FileNameTagCoordinator", "TrackNumLimit", "");
    Store("EncoderDecoder", "Quality", "");
    Store("EncoderDecoder", "HighPassFilteringFreqkHz", "");
    GetScanningCentreOptions();
    GetFileNameTagCoordinatorAdvOptions();
    GetEncoderDecoderOptions();
    EXPECT_EQ(gudtScanRules.size(), 1u);
    EXPECT_EQ(gintNumUpperCaseWords[0], 0);
    EXPECT_EQ(gintTrackNumLimit, 0);
    EXPECT_EQ(gintQuality, 0);
    EXPECT_EQ(gdblHighPassFilteringFreqkHz, 0.0);
}

TEST_F(ReadOptionsTest, ErrorKeepsWhatWasReadBeforeIt) {
    Store("Preferences", "DisplayMessageBox", "0");
    Store("Preferences", "WebHelp", "sometimes");
    const bool oldWriteReadOnly = gblnWriteReadOnly;
    const QString oldScheme = gstrSkinScheme;

    EXPECT_EQ(ErrorOf(GetPreferences).number(), ErrNo::TypeMismatch);
    EXPECT_FALSE(gblnDisplayMessageBox);  // read before the error
    EXPECT_FALSE(gblnUseRecycleBin);      // its default, also read before
    EXPECT_EQ(gblnWriteReadOnly, oldWriteReadOnly);
    EXPECT_EQ(gstrSkinScheme, oldScheme);
}

// ---- scan rules ----------------------------------------------------------

void StoreScanRule(int n, const char* choice, const char* scope, const char* filter, const char* target,
                   const char* caseSensitive) {
    // The rule's number comes first in its keys ("2Choice").
    const QString r = QStringLiteral("ScanRules"), num = QString::number(n);
    SaveOptionSetting(r, num + "Choice", choice, SettingType::String);
    SaveOptionSetting(r, num + "Scope", scope, SettingType::String);
    SaveOptionSetting(r, num + "Filter", filter, SettingType::String);
    SaveOptionSetting(r, num + "Target", target, SettingType::String);
    if (caseSensitive) SaveOptionSetting(r, num + "CaseSensitive", caseSensitive, SettingType::String);
}

TEST_F(ReadOptionsTest, ScanRulesInStoredOrderThenOneEmptyElement) {
    Store("ScanRules", "NumScanRules", "2");
    StoreScanRule(1, "Only include files", "containing", "Live", "in File Name", "False");
    StoreScanRule(2, "Don't include files", "equal to", "1999", "in ID3v1 Year", "1");

    GetScanningCentreOptions();
    ASSERT_EQ(gudtScanRules.size(), 3u);
    EXPECT_EQ(gudtScanRules[0].Choice, "Only include files");
    EXPECT_EQ(gudtScanRules[0].Scope, "containing");
    EXPECT_EQ(gudtScanRules[0].Filter, "Live");
    EXPECT_EQ(gudtScanRules[0].Target, "in File Name");
    EXPECT_FALSE(gudtScanRules[0].CaseSensitive);
    EXPECT_EQ(gudtScanRules[1].Choice, "Don't include files");
    EXPECT_EQ(gudtScanRules[1].Target, "in ID3v1 Year");
    EXPECT_TRUE(gudtScanRules[1].CaseSensitive);
    EXPECT_TRUE(gudtScanRules[2].Choice.isEmpty());
    EXPECT_FALSE(gudtScanRules[2].CaseSensitive);

    // Read again: rebuilt, not appended to.
    GetScanningCentreOptions();
    EXPECT_EQ(gudtScanRules.size(), 3u);
    EXPECT_EQ(gudtScanRules[1].Filter, "1999");
}

TEST_F(ReadOptionsTest, RuleKeysWithoutACountAreNotRead) {
    StoreScanRule(1, "Only include files", "containing", "Live", "in File Name", "False");
    GetScanningCentreOptions();
    ASSERT_EQ(gudtScanRules.size(), 1u);
    EXPECT_TRUE(gudtScanRules[0].Choice.isEmpty());
}

TEST_F(ReadOptionsTest, MissingRuleEndsTheWholeReadWithBothTrailEntries) {
    Store("Settings", "Initialised", "True");  // no first run: only what is stored here
    Store("Preferences", "UseSkins", "0");
    gblnUseSkins = true;
    Store("ScanRules", "NumScanRules", "3");
    StoreScanRule(1, "Only include files", "containing", "Live", "in File Name", "True");
    StoreScanRule(2, "Don't include files", "less than", "3", "in ID3v2 Year", nullptr);
    const QString oldFormat = gstrFileNameFormat;
    const int32_t oldBitrate = glngBitrate;

    const SvError e = ErrorOf(GetMainOptions);
    EXPECT_EQ(e.number(), ErrNo::TypeMismatch);
    EXPECT_TRUE(e.description().endsWith("|GetScanningCentreOptions|GetMainOptions")) << e.description().toStdString();

    EXPECT_FALSE(gblnUseSkins);  // preferences were read
    ASSERT_EQ(gudtScanRules.size(), 4u);
    EXPECT_TRUE(gudtScanRules[0].CaseSensitive);
    EXPECT_EQ(gudtScanRules[0].Target, "in File Name");
    EXPECT_EQ(gudtScanRules[1].Choice, "Don't include files");
    EXPECT_EQ(gudtScanRules[1].Target, "in ID3v2 Year");
    EXPECT_FALSE(gudtScanRules[1].CaseSensitive);
    EXPECT_TRUE(gudtScanRules[2].Choice.isEmpty());
    EXPECT_TRUE(gudtScanRules[3].Choice.isEmpty());
    // The groups after it were not read.
    EXPECT_EQ(gstrFileNameFormat, oldFormat);
    EXPECT_EQ(glngBitrate, oldBitrate);
}

// A count the arrays cannot hold is refused before the array is touched.
TEST_F(ReadOptionsTest, RuleCountsOutsideTheirRangeAreRefusedUpFront) {
    struct Case {
        const char* section;
        const char* key;
        const char* count;
        int32_t error;
    };
    const Case cases[] = {
        {"ScanRules", "NumScanRules", "32767", ErrNo::Overflow},
        {"ScanRules", "NumScanRules", "2147483647", ErrNo::Overflow},
        {"ScanRules", "NumScanRules", "-1", ErrNo::SubscriptOutOfRange},
        {"SimulateRules", "NumSimulateRules", "40000", ErrNo::Overflow},
        {"SimulateRules", "NumSimulateRules", "-5", ErrNo::SubscriptOutOfRange},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " " + c.count);
        TempHome fresh;
        Scramble();
        Store(c.section, c.key, c.count);
        const bool scan = QLatin1String(c.section) == QLatin1String("ScanRules");
        const SvError e = ErrorOf(scan ? GetScanningCentreOptions : GetFileNameTagCoordinatorOptions);
        EXPECT_EQ(e.number(), c.error);
        EXPECT_EQ(scan ? gudtScanRules.size() : gudtSimulateRules.size(), 3u);
        EXPECT_EQ(scan ? gudtScanRules[0].Choice : gudtSimulateRules[0].Choice, "old");
    }

    // The largest count is taken: the array is sized for it and the first
    // missing rule then stops the read.
    TempHome fresh;
    Store("ScanRules", "NumScanRules", "32766");
    EXPECT_EQ(ErrorOf(GetScanningCentreOptions).number(), ErrNo::TypeMismatch);
    EXPECT_EQ(gudtScanRules.size(), 32767u);
}

// ---- coordinator ---------------------------------------------------------

TEST_F(ReadOptionsTest, SimulateRulesReadWithMissingPointsAsZero) {
    Store("SimulateRules", "NumSimulateRules", "2");
    Store("SimulateRules", "1Choice", "Only include");
    Store("SimulateRules", "1Range", "up to");
    Store("SimulateRules", "1Point", "separator");
    Store("SimulateRules", "1Point2", "3");  // 1Point1 missing
    Store("SimulateRules", "2Choice", "Don't include");
    Store("SimulateRules", "2Range", "between");
    Store("SimulateRules", "2Point", "character");
    Store("SimulateRules", "2Point1", "2");
    Store("SimulateRules", "2Point2", "4");

    GetFileNameTagCoordinatorOptions();
    ASSERT_EQ(gudtSimulateRules.size(), 3u);
    EXPECT_EQ(gudtSimulateRules[0].Choice, "Only include");
    EXPECT_EQ(gudtSimulateRules[0].Range, "up to");
    EXPECT_EQ(gudtSimulateRules[0].Point, "separator");
    EXPECT_EQ(gudtSimulateRules[0].Point1, 0);
    EXPECT_EQ(gudtSimulateRules[0].Point2, 3);
    EXPECT_EQ(gudtSimulateRules[1].Point, "character");
    EXPECT_EQ(gudtSimulateRules[1].Point1, 2);
    EXPECT_EQ(gudtSimulateRules[1].Point2, 4);
    EXPECT_TRUE(gudtSimulateRules[2].Choice.isEmpty());
}

// Rule 12's "Point" and rule 2's "Point1" must not share a key.
TEST_F(ReadOptionsTest, TwelveSimulateRulesKeepTheirOwnFields) {
    Store("SimulateRules", "NumSimulateRules", "12");
    for (int n = 1; n <= 12; ++n) {
        const QString num = QString::number(n);
        Store("SimulateRules", num + "Point", n % 2 ? "character" : "separator");
        Store("SimulateRules", num + "Point1", QString::number(n));
        Store("SimulateRules", num + "Point2", QString::number(100 + n));
    }
    GetFileNameTagCoordinatorOptions();
    ASSERT_EQ(gudtSimulateRules.size(), 13u);
    for (int n = 1; n <= 12; ++n) {
        const SimulateRule& rule = gudtSimulateRules[size_t(n - 1)];
        EXPECT_EQ(rule.Point, n % 2 ? "character" : "separator") << n;
        EXPECT_EQ(rule.Point1, n) << n;
        EXPECT_EQ(rule.Point2, 100 + n) << n;
    }
}

TEST_F(ReadOptionsTest, UserSeparatorsAreOneCharacterOrABlank) {
    const std::pair<const char*, const char*> cases[] = {{"_-", "_"}, {"", " "}, {"#", "#"}, {"  ", " "}};
    for (const auto& [stored, expected] : cases) {
        Store("SourceSeparator", "TextSourceSeparator1", stored);
        GetFileNameTagCoordinatorOptions();
        EXPECT_EQ(gstrSourceSeparators[0], QString::fromUtf8(expected)) << "stored '" << stored << "'";
        EXPECT_EQ(gstrSourceSeparators[1], " ");
    }
}

TEST_F(ReadOptionsTest, ColoursReadAsDecimalOrHexadecimal) {
    const std::pair<const char*, int32_t> cases[] = {
        {"255", 255}, {"-2147483640", -2147483640}, {"&H00C00000", 12582912}, {"&H80000005", -2147483643}};
    for (const auto& [stored, expected] : cases) {
        Store("FileNameTagCoordinator", "ColourChange", stored);
        GetFileNameTagCoordinatorAdvOptions();
        EXPECT_EQ(glngColourChange, expected) << stored;
    }
}

TEST_F(ReadOptionsTest, SpecialWordListsFollowTheirCounts) {
    Store("SpecialWordsFormat", "3", "3");
    Store("SpecialWordsFormat", "31", "UK");
    Store("SpecialWordsFormat", "32", "USA");
    Store("SpecialWordsFormat", "33", "USSR");
    Store("SpecialWordsFormat", "2", "2");
    Store("SpecialWordsFormat", "21", "McCartney");  // word 2 of list 2 missing: empty
    Store("SpecialWordsFormat", "512", "word twelve");
    GetFileNameTagCoordinatorAdvOptions();
    EXPECT_EQ(gintNumUpperCaseWords[TitleTarget], 3);
    EXPECT_EQ(gudtSpecialWords[TitleTarget].UpperCase, (std::vector<QString>{"UK", "USA", "USSR"}));
    EXPECT_EQ(gintNumCapitalisedWords[ArtistTarget], 2);
    EXPECT_EQ(gudtSpecialWords[ArtistTarget].Capitalised, (std::vector<QString>{"McCartney", ""}));

    // A count of 0 keeps the old words; the count says none apply.
    Store("SpecialWordsFormat", "3", "0");
    GetFileNameTagCoordinatorAdvOptions();
    EXPECT_EQ(gintNumUpperCaseWords[TitleTarget], 0);
    EXPECT_EQ(gudtSpecialWords[TitleTarget].UpperCase.size(), 3u);

    // Two-digit word numbers: list 5, word 12.
    Store("SpecialWordsFormat", "5", "12");
    GetFileNameTagCoordinatorAdvOptions();
    ASSERT_EQ(gudtSpecialWords[TitleTarget].Capitalised.size(), 12u);
    EXPECT_EQ(gudtSpecialWords[TitleTarget].Capitalised[11], "word twelve");
}

// ---- cataloguer ----------------------------------------------------------

class RecordingCataloguer final : public ICataloguerOutputView {
public:
    bool html = true;
    QString caption = QStringLiteral("XXX.html");
    bool IsHTMLOutputSelected() const override { return html; }
    void SetExtensionCaption(const QString& c) override { caption = c; }
};

TEST_F(ReadOptionsTest, HtmlExtensionFollowsIntoAnOpenCataloguerOnlyWithHtmlOutput) {
    RecordingCataloguer window;
    SetCataloguerOutputView(&window);
    Store("MusicCataloguerHTML", "OutputExtension", "htm");
    GetMusicCataloguerHTMLOptions();
    EXPECT_EQ(window.caption, "XXX.htm");

    window.html = false;
    window.caption = "XXX.txt";
    GetMusicCataloguerHTMLOptions();
    EXPECT_EQ(window.caption, "XXX.txt");

    SetCataloguerOutputView(nullptr);
    GetMusicCataloguerHTMLOptions();  // no window: nothing to update
    EXPECT_EQ(gstrOutputExtension, "htm");
}

TEST_F(ReadOptionsTest, HtmlColumnsMissingHeadingIsEmptyAndZeroCountKeepsTheOldOnes) {
    Store("MusicCataloguerHTML", "NumColumnHeadings", "3");
    Store("MusicCataloguerHTML", "ColumnHeading1", "Artist");
    Store("MusicCataloguerHTML", "ColumnHeading2", "Title");
    GetMusicCataloguerHTMLOptions();
    EXPECT_EQ(gintHTMLNumColumnHeadings, 3);
    EXPECT_EQ(gstrHTMLColumnHeadings, (std::vector<QString>{"Artist", "Title", ""}));

    Store("MusicCataloguerHTML", "NumColumnHeadings", "0");
    GetMusicCataloguerHTMLOptions();
    EXPECT_EQ(gintHTMLNumColumnHeadings, 0);
    EXPECT_EQ(gstrHTMLColumnHeadings.size(), 3u);
}

TEST_F(ReadOptionsTest, TextColumnWidthMustBeStoredAsAWholeNumber) {
    Store("MusicCataloguerText", "NumColumnHeadings", "3");
    Store("MusicCataloguerText", "ColumnHeading1", "File Name");
    Store("MusicCataloguerText", "ColumnHeadingWidth1", "36");
    Store("MusicCataloguerText", "ColumnHeading2", "Artist");
    Store("MusicCataloguerText", "ColumnHeadingWidth2", " 20 ");
    Store("MusicCataloguerText", "ColumnHeading3", "Title");
    Store("MusicCataloguerText", "SortBy", "1");
    const QString oldKey = gstrSortKey;
    const int32_t oldOrder = glngSortOrder;
    const bool oldSortBy = gblnSortBy;

    const SvError e = ErrorOf(GetMusicCataloguerTextOptions);
    EXPECT_EQ(e.number(), ErrNo::TypeMismatch);
    EXPECT_TRUE(e.description().endsWith("|GetMusicCataloguerTextOptions"));
    EXPECT_EQ(gstrColumnHeadings, (std::vector<QString>{"File Name", "Artist", "Title"}));
    ASSERT_EQ(gintColumnHeadingWidths.size(), 3u);
    EXPECT_EQ(gintColumnHeadingWidths[0], 36);
    EXPECT_EQ(gintColumnHeadingWidths[1], 20);
    EXPECT_EQ(gblnSortBy, oldSortBy);
    EXPECT_EQ(gstrSortKey, oldKey);
    EXPECT_EQ(glngSortOrder, oldOrder);

    Store("MusicCataloguerText", "ColumnHeadingWidth3", "wide");
    EXPECT_EQ(ErrorOf(GetMusicCataloguerTextOptions).number(), ErrNo::TypeMismatch);
    Store("MusicCataloguerText", "ColumnHeadingWidth3", "25");
    GetMusicCataloguerTextOptions();
    EXPECT_EQ(gintColumnHeadingWidths[2], 25);
    EXPECT_TRUE(gblnSortBy);
}

// ---- encoder -------------------------------------------------------------

TEST_F(ReadOptionsTest, EncoderValuesAndTheFirstKeysError) {
    Store("EncoderDecoder", "Bitrate", "18");
    Store("EncoderDecoder", "HighPassFilteringFreqkHz", "0.5");
    Store("EncoderDecoder", "UseFolder", "/music/out");
    Store("EncoderDecoder", "OnlyUseCustom", "1");
    GetEncoderDecoderOptions();
    EXPECT_EQ(glngBitrate, 18);
    EXPECT_DOUBLE_EQ(gdblHighPassFilteringFreqkHz, 0.5);
    EXPECT_EQ(gstrUseFolder, "/music/out");
    EXPECT_TRUE(gblnOnlyUseCustom);

    // Bitrate is read first: an unreadable one leaves the whole group as it was.
    Scramble();
    Store("EncoderDecoder", "Bitrate", "");
    EXPECT_EQ(ErrorOf(GetEncoderDecoderOptions).number(), ErrNo::TypeMismatch);
    EXPECT_EQ(glngBitrate, 777);
    EXPECT_EQ(glngMode, 777);
    EXPECT_EQ(gstrUseFolder, "old");
    EXPECT_EQ(gdblLowPassFilteringFreqkHz, 777);
}

// ---- all groups ----------------------------------------------------------

TEST_F(ReadOptionsTest, FirstStartReadsTheStartingValues) {
    GetMainOptions();

    EXPECT_TRUE(gblnDisplayMessageBox);
    EXPECT_TRUE(gblnUseSkins);
    EXPECT_EQ(gstrScanFilter, "*.mp3");
    EXPECT_EQ(gudtScanRules.size(), 1u);

    EXPECT_EQ(gstrFileNameFormat, "%N2 - :%A - :%T");  // stored under the other spelling of the section
    EXPECT_EQ(gblnSourceSeparators, (std::array<bool, 6>{true, false, false, false, false, false}));
    EXPECT_EQ(gstrOrder, (std::array<QString, 3>{"Album", "Artist", "Title"}));
    EXPECT_TRUE(gblnDoubleBarrel);
    EXPECT_EQ(gudtSimulateRules.size(), 1u);
    EXPECT_EQ(gblnCapitalise, (std::array<bool, 2>{true, true}));
    EXPECT_EQ(gblnRemoveUnder, (std::array<bool, 2>{true, true}));
    EXPECT_EQ(gstrCSWFrom[0], "vs");
    EXPECT_EQ(gstrCSWFrom[1], "featuring");
    EXPECT_EQ(gstrCSWFrom[2], "feat");
    EXPECT_EQ(gstrCSWTo[0], "vs.");
    EXPECT_EQ(gstrCSWTo[1], "feat.");
    EXPECT_EQ(gstrCSWTo[2], "feat.");
    for (size_t i = 3; i < 14; ++i) EXPECT_TRUE(gstrCSWFrom[i].isEmpty() && gstrCSWTo[i].isEmpty()) << i;
    EXPECT_EQ(gintNumUpperCaseWords, (std::array<int, 2>{5, 3}));
    EXPECT_EQ(gintNumLowerCaseWords, (std::array<int, 2>{7, 7}));
    EXPECT_EQ(gintNumCapitalisedWords, (std::array<int, 2>{0, 0}));
    EXPECT_EQ(gudtSpecialWords[ArtistTarget].UpperCase, (std::vector<QString>{"ABBA", "REM", "MC", "DJ", "USA"}));
    EXPECT_EQ(gudtSpecialWords[TitleTarget].LowerCase,
              (std::vector<QString>{"a", "an", "and", "in", "is", "of", "the"}));
    EXPECT_EQ(gintTrackNumLimit, 30);

    const std::vector<QString> columns = {"File Name", "Artist", "Title", "Length", "File Size"};
    EXPECT_EQ(gstrHTMLColumnHeadings, columns);
    EXPECT_EQ(gstrColumnHeadings, columns);
    EXPECT_EQ(gintColumnHeadingWidths, (std::vector<int>{36, 20, 25, 8, 9}));
    EXPECT_TRUE(gblnHTMLSortBy);
    EXPECT_TRUE(gblnSortBy);
    EXPECT_EQ(gstrHTMLSortKey, "Artist");
    EXPECT_EQ(gstrSortKey, "Artist");
    EXPECT_EQ(glngHTMLSortOrder, 0);
    EXPECT_EQ(glngSortOrder, 0);
    EXPECT_EQ(gstrListTextFont, "Font: Tahoma, Size Default, Colour lime");
    EXPECT_EQ(gstrListTextColour, "black");
    EXPECT_EQ(gstrOutputExtension, "html");
    EXPECT_EQ(glngPageLinksAppear, 0);
    EXPECT_TRUE(gblnHTMLHeaderTitle && gblnHTMLColumnHeadings && gblnHeaderTitle && gblnColumnHeadings);
    EXPECT_EQ(gstrHTMLTitleText, "My Music Collection");
    EXPECT_EQ(gstrTitleText, "My Music Collection");
    EXPECT_EQ(gstrPageTitle, "My Music Collection");
    EXPECT_EQ(gstrHeaderFont[1], "Font: Tahoma, Size +2, Colour lime, Bold");
    EXPECT_EQ(gstrHeaderColour, (std::array<QString, 5>{"black", "black", "black", "darkgreen", "darkgreen"}));
    EXPECT_EQ(gstrPageColour, (std::array<QString, 5>{"black", "lime", "lightblue", "blue", "lime"}));
    EXPECT_EQ(gstrMargin, (std::array<QString, 4>{}));

    EXPECT_EQ(glngBitrate, 12);
    EXPECT_TRUE(gblnEnableVBR);

    EXPECT_TRUE(QFileInfo::exists(AssociationDesktopFile(AssociatedType::ScanResults)));
    EXPECT_TRUE(ui.shown.empty());
}

// The groups are read in one fixed order, and a failing group stops the rest.
TEST_F(ReadOptionsTest, GroupsAreReadInOrderUntilOneFails) {
    struct Group {
        const char* reader;
        const char* section;  // a key of the group that can be made unreadable (none: null)
        const char* key;
        std::function<bool()> read;  // the group's fields were assigned
    };
    const Group groups[] = {
        {"GetPreferences", "Preferences", "UseSkins", [] { return gstrSkinScheme != "old"; }},
        {"GetScanningCentreOptions", "MP3ScanningCentre", "ClearResults", [] { return gstrScanFilter != "old"; }},
        {"GetFileNameTagCoordinatorOptions", "FileNameTagCoordinator", "DoubleBarrel",
         [] { return gstrFileNameFormat != "old"; }},
        {"GetFileNameTagCoordinatorAdvOptions", "FileNameTagCoordinator", "TheAtEnd",
         [] { return glngColourDelete != 777; }},
        {"GetMusicCataloguerHTMLOptions", "MusicCataloguerHTML", "SortOrder",
         [] { return gstrOutputExtension != "old"; }},
        {"GetHTMLCataloguerHeaderOptions", "MusicCataloguerHTML", "PageLinksAppear",
         [] { return gstrHTMLTitleText != "old"; }},
        {"GetHTMLPageProperties", nullptr, nullptr, [] { return gstrPageTitle != "old"; }},
        {"GetMusicCataloguerTextOptions", "MusicCataloguerText", "SortOrder", [] { return gstrSortKey != "old"; }},
        {"GetTextCataloguerHeaderOptions", "MusicCataloguerText", "HeaderTitle",
         [] { return gstrTitleText != "old"; }},
        {"GetEncoderDecoderOptions", "EncoderDecoder", "Mode", [] { return gstrCustomOptions != "old"; }},
    };
    const size_t count = std::size(groups);
    for (size_t failing = 0; failing < count; ++failing) {
        if (!groups[failing].section) continue;
        SCOPED_TRACE(groups[failing].reader);
        TempHome fresh;
        Store("Settings", "Initialised", "True");
        Store(groups[failing].section, groups[failing].key, "unreadable");
        Scramble();
        const SvError e = ErrorOf(GetMainOptions);
        EXPECT_EQ(e.number(), ErrNo::TypeMismatch);
        EXPECT_TRUE(e.description().endsWith(QStringLiteral("|%1|GetMainOptions").arg(groups[failing].reader)))
            << e.description().toStdString();
        for (size_t g = 0; g < count; ++g) {
            if (g == failing) continue;
            EXPECT_EQ(groups[g].read(), g < failing) << groups[g].reader;
        }
    }
}

TEST_F(ReadOptionsTest, ReadingTwiceGivesTheSameValues) {
    Store("ScanRules", "NumScanRules", "1");
    StoreScanRule(1, "Only include files", "containing", "Live", "in File Name", "0");
    Store("SimulateRules", "NumSimulateRules", "1");
    Store("SimulateRules", "1Choice", "Only include");
    GetMainOptions();
    const auto scanRules = gudtScanRules.size();
    const auto simulateRules = gudtSimulateRules.size();
    const auto headings = gstrHTMLColumnHeadings;
    const auto words = gudtSpecialWords[ArtistTarget].UpperCase;

    GetMainOptions();
    EXPECT_EQ(gudtScanRules.size(), scanRules);
    EXPECT_EQ(gudtScanRules.size(), 2u);
    EXPECT_EQ(gudtSimulateRules.size(), simulateRules);
    EXPECT_EQ(gstrHTMLColumnHeadings, headings);
    EXPECT_EQ(gudtSpecialWords[ArtistTarget].UpperCase, words);
}

}  // namespace
