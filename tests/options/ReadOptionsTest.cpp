// The option readers: defaults on an empty store, stored values, conversion
// errors with their trails, the rule arrays and the order of the whole read.

#include "OptionsFixture.h"

#include "encoder/EncoderOptionSettings.h"
#include "foundation/FirstRun.h"
#include "foundation/OptionRecords.h"
#include "coordinator/CoordinatorOptionSettings.h"
#include "foundation/ReadOptions.h"
#include "scanning/engine/ScanningCentreSettings.h"
#include "options/MainOptions.h"
#include "cataloguer/CataloguerOptionSettings.h"
#include "coordinator/CoordinatorDialogSettings.h"
#include "options/OptionsSettings.h"
#include "options/WindowSettings.h"
#include "support/ScopedOptions.h"
#include "support/TestFiles.h"

#include <QFileInfo>
#include <array>
#include <functional>

namespace {

// Sets every option variable to a value no reader gives by default, so a
// reader that skips a field, or a field that keeps its previous value, shows.
void Scramble(OptionRecords& o) {
    GeneralPreferences& pref = o.Preferences;
    ScanningCentreOptions& scanning = o.ScanningCentre;
    CoordinatorOptions& coord = o.Coordinator;
    CoordinatorAdvOptions& adv = o.CoordinatorAdv;
    CataloguerHTMLOptions& html = o.CataloguerHTML;
    CataloguerTextOptions& txt = o.CataloguerText;
    EncoderDecoderOptions& enc = o.EncoderDecoder;
    for (bool* b : {&pref.blnDisplayMessageBox, &pref.blnUseRecycleBin, &pref.blnWebHelp, &pref.blnWriteReadOnly,
                    &pref.blnShowSplashScreen, &pref.blnRetainWindows, &pref.blnUseSkins, &scanning.blnClearResults,
                    &scanning.blnIncFilesWithID3v1, &scanning.blnIncFilesWithoutID3v1, &scanning.blnIncFilesWithID3v2,
                    &scanning.blnIncFilesWithoutID3v2, &coord.blnID3v1TagPref, &coord.blnID3v2TagPref,
                    &coord.blnDoubleBarrel, &adv.blnTheAtEnd, &adv.blnRemoveDoubleSpaces, &adv.blnRigorousTrackNum,
                    &html.blnHTMLSortBy, &html.blnHTMLHeaderTitle, &html.blnHTMLCollectionProps,
                    &html.blnHTMLTotalNumFiles, &html.blnHTMLTotalSizeFiles, &html.blnHTMLTotalLengthFiles,
                    &html.blnHTMLListProps, &html.blnHTMLListCreationDate, &html.blnHTMLListCreationTime,
                    &html.blnHTMLNumPagesInList, &html.blnHTMLColumnHeadings, &txt.blnSortBy, &txt.blnHeaderTitle,
                    &txt.blnCollectionProps, &txt.blnTotalNumFiles, &txt.blnTotalSizeFiles, &txt.blnTotalLengthFiles,
                    &txt.blnListProps, &txt.blnListCreationDate, &txt.blnListCreationTime, &txt.blnNumPagesInList,
                    &txt.blnColumnHeadings, &enc.blnSameAsInputDirectory, &enc.blnUse, &enc.blnIncludeCRCChecksums,
                    &enc.blnCopy, &enc.blnCopyright, &enc.blnDeleteSourceFile, &enc.blnEnableVBR, &enc.blnDisableVBRTag,
                    &enc.blnEnforceMinimumBitrate, &enc.blnUseABR, &enc.blnAllowBlockTypesToDiffer,
                    &enc.blnDisableAllFiltering, &enc.blnDisableBitReservoir, &enc.blnDisableShortBlocks,
                    &enc.blnComplyISOMPEGSpec, &enc.blnOnlyUseCustom, &enc.blnHighPassFilteringFreq,
                    &enc.blnWidthOfHighPassFilter, &enc.blnLowPassFilteringFreq, &enc.blnWidthOfLowPassFilter})
        *b = !*b;  // flipped: after a read of the defaults, every flag differs from its default
    for (QString* s : {&pref.strSkinScheme, &scanning.strScanFilter, &coord.strFileNameFormat, &html.strHTMLSortKey,
                       &html.strListTextFont, &html.strListTextColour, &html.strOutputExtension, &html.strHTMLTitleText,
                       &html.strPageTitle, &html.strPageDescription, &html.strPageKeywords, &html.strBackgroundImage,
                       &txt.strSortKey, &txt.strTitleText, &enc.strUseFolder, &enc.strCustomOptions})
        *s = QStringLiteral("old");
    coord.strSourceSeparators.fill(QStringLiteral("old"));
    coord.strOrder.fill(QStringLiteral("old"));
    adv.strCSWFrom.fill(QStringLiteral("old"));
    adv.strCSWTo.fill(QStringLiteral("old"));
    html.strHeaderFont.fill(QStringLiteral("old"));
    html.strHeaderColour.fill(QStringLiteral("old"));
    html.strPageColour.fill(QStringLiteral("old"));
    html.strMargin.fill(QStringLiteral("old"));
    for (int32_t* n : {&adv.lngColourChange, &adv.lngColourChangeQ, &adv.lngColourNoChange, &adv.lngColourDelete,
                       &html.lngHTMLSortOrder, &html.lngPageLinksAppear, &txt.lngSortOrder, &enc.lngBitrate,
                       &enc.lngMode, &enc.lngOptimisation, &enc.lngMaximumVBRBitrate, &enc.lngATHControl,
                       &enc.lngAlgorithmQuality, &enc.lngOutputSamplingFrequency})
        *n = 777;
    for (int* n : {&adv.intTrackNumLimit, &html.intHTMLNumColumnHeadings, &txt.intNumColumnHeadings, &enc.intQuality,
                   &enc.intTargetBitrateForABR})
        *n = 777;
    for (auto* a : {&adv.intNumUpperCaseWords, &adv.intNumLowerCaseWords, &adv.intNumCapitalisedWords}) a->fill(777);
    for (double* d : {&enc.dblHighPassFilteringFreqkHz, &enc.dblWidthOfHighPassFilterkHz,
                      &enc.dblLowPassFilteringFreqkHz, &enc.dblWidthOfLowPassFilterkHz})
        *d = 777;
    scanning.udtScanRules.assign(3, ScanRule{"old", "old", "old", "old", true});
    coord.udtSimulateRules.assign(3, SimulateRule{"old", "old", 7, 7, "old"});
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
    ReadOptionsTest() { Scramble(o); }
    // The records the readers fill here; the program-wide ones stay untouched.
    OptionRecords o;
    GeneralPreferences& pref = o.Preferences;
    ScanningCentreOptions& scanning = o.ScanningCentre;
    CoordinatorOptions& coord = o.Coordinator;
    CoordinatorAdvOptions& adv = o.CoordinatorAdv;
    CataloguerHTMLOptions& html = o.CataloguerHTML;
    CataloguerTextOptions& txt = o.CataloguerText;
    EncoderDecoderOptions& enc = o.EncoderDecoder;
};

TEST_F(ReadOptionsTest, EmptyStoreGivesEveryReadersDefaults) {
    auto readAll = [&] {
        GetPreferences(pref);
        GetScanningCentreOptions(scanning);
        GetFileNameTagCoordinatorOptions(coord);
        GetFileNameTagCoordinatorAdvOptions(adv);
        GetMusicCataloguerHTMLOptions(html);
        GetHTMLCataloguerHeaderOptions(html);
        GetHTMLPageProperties(html);
        GetMusicCataloguerTextOptions(txt);
        GetTextCataloguerHeaderOptions(txt);
        GetEncoderDecoderOptions(enc);
    };
    // Read, flip every flag away from its default, read again: a flag that
    // no reader assigns then shows.
    readAll();
    Scramble(o);
    readAll();

    struct Flag {
        const char* name;
        bool value;
        bool expected;
    };
    const Flag flags[] = {
        {"DisplayMessageBox", pref.blnDisplayMessageBox, true}, {"UseRecycleBin", pref.blnUseRecycleBin, false},
        {"WebHelp", pref.blnWebHelp, false}, {"WriteReadOnly", pref.blnWriteReadOnly, false},
        {"SplashScreen", pref.blnShowSplashScreen, true}, {"RetainWindows", pref.blnRetainWindows, false},
        {"UseSkins", pref.blnUseSkins, true}, {"ClearResults", scanning.blnClearResults, true},
        {"IncFilesWithID3v1", scanning.blnIncFilesWithID3v1, true},
        {"IncFilesWithoutID3v1", scanning.blnIncFilesWithoutID3v1, true},
        {"IncFilesWithID3v2", scanning.blnIncFilesWithID3v2, true},
        {"IncFilesWithoutID3v2", scanning.blnIncFilesWithoutID3v2, true},
        {"Separator0", coord.blnSourceSeparators[0], true}, {"Separator1", coord.blnSourceSeparators[1], false},
        {"Separator2", coord.blnSourceSeparators[2], false}, {"Separator3", coord.blnSourceSeparators[3], false},
        {"Separator4", coord.blnSourceSeparators[4], false}, {"Separator5", coord.blnSourceSeparators[5], false},
        {"ID3v1TagPref", coord.blnID3v1TagPref, false}, {"ID3v2TagPref", coord.blnID3v2TagPref, false},
        {"DoubleBarrel", coord.blnDoubleBarrel, true},
        {"ArtistUpperCase", adv.blnUpperCase[0], false}, {"TitleUpperCase", adv.blnUpperCase[1], false},
        {"ArtistLowerCase", adv.blnLowerCase[0], false}, {"TitleLowerCase", adv.blnLowerCase[1], false},
        {"ArtistCapitalise", adv.blnCapitalise[0], true}, {"TitleCapitalise", adv.blnCapitalise[1], true},
        {"ArtistDontChange", adv.blnDontChange[0], false}, {"TitleDontChange", adv.blnDontChange[1], false},
        {"ArtistRemoveUnder", adv.blnRemoveUnder[0], true}, {"TitleRemoveUnder", adv.blnRemoveUnder[1], true},
        {"TheAtEnd", adv.blnTheAtEnd, false}, {"RemoveDoubleSpaces", adv.blnRemoveDoubleSpaces, true},
        {"RigorousTrackNum", adv.blnRigorousTrackNum, true},
        {"HTMLSortBy", html.blnHTMLSortBy, false}, {"HTMLHeaderTitle", html.blnHTMLHeaderTitle, true},
        {"HTMLCollectionProps", html.blnHTMLCollectionProps, true},
        {"HTMLTotalNumFiles", html.blnHTMLTotalNumFiles, true},
        {"HTMLTotalSizeFiles", html.blnHTMLTotalSizeFiles, true},
        {"HTMLTotalLengthFiles", html.blnHTMLTotalLengthFiles, true},
        {"HTMLListProps", html.blnHTMLListProps, true}, {"HTMLListCreationDate", html.blnHTMLListCreationDate, true},
        {"HTMLListCreationTime", html.blnHTMLListCreationTime, true},
        {"HTMLNumPagesInList", html.blnHTMLNumPagesInList, true},
        {"HTMLColumnHeadings", html.blnHTMLColumnHeadings, true},
        {"SortBy", txt.blnSortBy, false}, {"HeaderTitle", txt.blnHeaderTitle, true},
        {"CollectionProps", txt.blnCollectionProps, true}, {"TotalNumFiles", txt.blnTotalNumFiles, true},
        {"TotalSizeFiles", txt.blnTotalSizeFiles, true}, {"TotalLengthFiles", txt.blnTotalLengthFiles, true},
        {"ListProps", txt.blnListProps, true}, {"ListCreationDate", txt.blnListCreationDate, true},
        {"ListCreationTime", txt.blnListCreationTime, true}, {"NumPagesInList", txt.blnNumPagesInList, true},
        {"ColumnHeadings", txt.blnColumnHeadings, true},
        {"SameAsInputDirectory", enc.blnSameAsInputDirectory, true}, {"Use", enc.blnUse, false},
        {"IncludeCRCChecksums", enc.blnIncludeCRCChecksums, false}, {"Copy", enc.blnCopy, false},
        {"Copyright", enc.blnCopyright, false}, {"DeleteSourceFile", enc.blnDeleteSourceFile, false},
        {"EnableVBR", enc.blnEnableVBR, true}, {"DisableVBRTag", enc.blnDisableVBRTag, false},
        {"EnforceMinimumBitrate", enc.blnEnforceMinimumBitrate, false}, {"UseABR", enc.blnUseABR, false},
        {"AllowBlockTypesToDiffer", enc.blnAllowBlockTypesToDiffer, false},
        {"DisableAllFiltering", enc.blnDisableAllFiltering, false},
        {"DisableBitReservoir", enc.blnDisableBitReservoir, false},
        {"DisableShortBlocks", enc.blnDisableShortBlocks, false},
        {"ComplyISOMPEGSpec", enc.blnComplyISOMPEGSpec, false},
        {"OnlyUseCustom", enc.blnOnlyUseCustom, false}, {"HighPassFilteringFreq", enc.blnHighPassFilteringFreq, false},
        {"WidthOfHighPassFilter", enc.blnWidthOfHighPassFilter, false},
        {"LowPassFilteringFreq", enc.blnLowPassFilteringFreq, false},
        {"WidthOfLowPassFilter", enc.blnWidthOfLowPassFilter, false},
    };
    for (const Flag& f : flags) EXPECT_EQ(f.value, f.expected) << f.name;

    struct Text {
        const char* name;
        QString value;
        const char* expected;
    };
    const Text texts[] = {
        {"SkinScheme", pref.strSkinScheme, "Fun Blue"}, {"ScanFilter", scanning.strScanFilter, "*.mp3"},
        {"FileNameFormat", coord.strFileNameFormat, "%N2 - :%A: - %T"},
        {"TextSourceSeparator1", coord.strSourceSeparators[0], " "},
        {"TextSourceSeparator2", coord.strSourceSeparators[1], " "},
        {"Order1", coord.strOrder[0], "Album"}, {"Order2", coord.strOrder[1], "Artist"},
        {"Order3", coord.strOrder[2], "Title"},
        {"CSWFrom0", adv.strCSWFrom[0], ""}, {"CSWTo13", adv.strCSWTo[13], ""},
        {"HTMLSortKey", html.strHTMLSortKey, ""},
        {"ListTextFont", html.strListTextFont, "Font: Default, Size Default, Colour Default"},
        {"ListTextColour", html.strListTextColour, ""}, {"OutputExtension", html.strOutputExtension, "html"},
        {"HTMLTitleText", html.strHTMLTitleText, "My Music Collection"},
        {"HeaderFont0", html.strHeaderFont[0], "Font: Default, Size Default, Colour Default"},
        {"HeaderFont4", html.strHeaderFont[4], "Font: Default, Size Default, Colour Default"},
        {"HeaderColour0", html.strHeaderColour[0], ""}, {"HeaderColour4", html.strHeaderColour[4], ""},
        {"Title", html.strPageTitle, "My Music Collection"},
        {"Description", html.strPageDescription, "My Music Collection"},
        {"Keywords", html.strPageKeywords, "Brellick Software, Sonivard, MP3, Music"},
        {"BackgroundImage", html.strBackgroundImage, ""},
        {"PageColour0", html.strPageColour[0], "Default"}, {"PageColour4", html.strPageColour[4], "Default"},
        {"Margin0", html.strMargin[0], ""}, {"Margin3", html.strMargin[3], ""},
        {"SortKey", txt.strSortKey, ""}, {"TitleText", txt.strTitleText, "My Music Collection"},
        {"UseFolder", enc.strUseFolder, ""}, {"CustomOptions", enc.strCustomOptions, ""},
    };
    for (const Text& t : texts) EXPECT_EQ(t.value, QString::fromUtf8(t.expected)) << t.name;

    struct Number {
        const char* name;
        double value;
        double expected;
    };
    auto num = [](const char* name, double value, double expected) { return Number{name, value, expected}; };
    const Number numbers[] = {
        num("ColourChange", adv.lngColourChange, -2147483640.0), num("ColourChangeQ", adv.lngColourChangeQ, 12582912),
        num("ColourNoChange", adv.lngColourNoChange, 8421504), num("ColourDelete", adv.lngColourDelete, 192),
        num("TrackNumLimit", adv.intTrackNumLimit, 30),
        num("NumUpperCaseWords0", adv.intNumUpperCaseWords[0], 0),
        num("NumCapitalisedWords1", adv.intNumCapitalisedWords[1], 0),
        num("HTMLNumColumnHeadings", html.intHTMLNumColumnHeadings, 0), num("HTMLSortOrder", html.lngHTMLSortOrder, 0),
        num("PageLinksAppear", html.lngPageLinksAppear, 0), num("NumColumnHeadings", txt.intNumColumnHeadings, 0),
        num("SortOrder", txt.lngSortOrder, 0),
        num("Bitrate", enc.lngBitrate, 12), num("Mode", enc.lngMode, 0), num("Optimisation", enc.lngOptimisation, 0),
        num("MaximumVBRBitrate", enc.lngMaximumVBRBitrate, 12), num("Quality", enc.intQuality, 4),
        num("TargetBitrateForABR", enc.intTargetBitrateForABR, 128), num("ATHControl", enc.lngATHControl, 0),
        num("AlgorithmQuality", enc.lngAlgorithmQuality, 0),
        num("OutputSamplingFrequency", enc.lngOutputSamplingFrequency, 1),
        num("HighPassFilteringFreqkHz", enc.dblHighPassFilteringFreqkHz, 0.001),
        num("WidthOfHighPassFilterkHz", enc.dblWidthOfHighPassFilterkHz, 0),
        num("LowPassFilteringFreqkHz", enc.dblLowPassFilteringFreqkHz, 50000),
        num("WidthOfLowPassFilterkHz", enc.dblWidthOfLowPassFilterkHz, 0),
    };
    for (const Number& n : numbers) EXPECT_DOUBLE_EQ(n.value, n.expected) << n.name;

    // One empty rule element each.
    ASSERT_EQ(scanning.udtScanRules.size(), 1u);
    EXPECT_TRUE(scanning.udtScanRules[0].Choice.isEmpty());
    EXPECT_FALSE(scanning.udtScanRules[0].CaseSensitive);
    ASSERT_EQ(coord.udtSimulateRules.size(), 1u);
    EXPECT_EQ(coord.udtSimulateRules[0].Point1, 0);
    EXPECT_TRUE(coord.udtSimulateRules[0].Range.isEmpty());
}

TEST_F(ReadOptionsTest, BooleansReadFromEitherStoredForm) {
    const std::pair<const char*, bool> cases[] = {{"1", true},  {"0", false},    {"True", true}, {"False", false},
                                                  {"-1", true}, {"true", true}, {"FALSE", false}};
    for (const auto& [text, expected] : cases) {
        Store("Preferences", "UseRecycleBin", text);
        GetPreferences(pref);
        EXPECT_EQ(pref.blnUseRecycleBin, expected) << text;
    }
}

TEST_F(ReadOptionsTest, StoredTextsAreTakenAsTheyAre) {
    Store("MP3ScanningCentre", "ScanFilter", "");
    Store("Preferences", "SkinScheme", "Deep Red");
    GetPreferences(pref);
    GetScanningCentreOptions(scanning);
    EXPECT_EQ(scanning.strScanFilter, QString());
    EXPECT_EQ(pref.strSkinScheme, "Deep Red");
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
        {"GetPreferences", [&] { GetPreferences(pref); },
         "Preferences", "UseSkins", "maybe", ErrNo::TypeMismatch},
        {"GetScanningCentreOptions", [&] { GetScanningCentreOptions(scanning); },
         "MP3ScanningCentre", "ClearResults", "", ErrNo::TypeMismatch},
        {"GetFileNameTagCoordinatorOptions", [&] { GetFileNameTagCoordinatorOptions(coord); },
         "SourceSeparator", "3", "comma", ErrNo::TypeMismatch},
        {"GetFileNameTagCoordinatorAdvOptions", [&] { GetFileNameTagCoordinatorAdvOptions(adv); },
         "FileNameTagCoordinator", "TheAtEnd", "x", ErrNo::TypeMismatch},
        {"GetFileNameTagCoordinatorAdvOptions", [&] { GetFileNameTagCoordinatorAdvOptions(adv); },
         "SpecialWordsFormat", "4", "40000", ErrNo::Overflow},
        {"GetFileNameTagCoordinatorAdvOptions", [&] { GetFileNameTagCoordinatorAdvOptions(adv); },
         "FileNameTagCoordinator", "TrackNumLimit", "99999", ErrNo::Overflow},
        {"GetMusicCataloguerHTMLOptions", [&] { GetMusicCataloguerHTMLOptions(html); },
         "MusicCataloguerHTML", "SortOrder", "down", ErrNo::TypeMismatch},
        {"GetHTMLCataloguerHeaderOptions", [&] { GetHTMLCataloguerHeaderOptions(html); },
         "MusicCataloguerHTML", "PageLinksAppear", "top", ErrNo::TypeMismatch},
        {"GetMusicCataloguerTextOptions", [&] { GetMusicCataloguerTextOptions(txt); },
         "MusicCataloguerText", "SortOrder", "", ErrNo::TypeMismatch},
        {"GetTextCataloguerHeaderOptions", [&] { GetTextCataloguerHeaderOptions(txt); },
         "MusicCataloguerText", "ListProps", "yes", ErrNo::TypeMismatch},
        {"GetEncoderDecoderOptions", [&] { GetEncoderDecoderOptions(enc); },
         "EncoderDecoder", "Bitrate", "", ErrNo::TypeMismatch},
        {"GetEncoderDecoderOptions", [&] { GetEncoderDecoderOptions(enc); },
         "EncoderDecoder", "EnableVBR", "on", ErrNo::TypeMismatch},
        {"GetEncoderDecoderOptions", [&] { GetEncoderDecoderOptions(enc); },
         "EncoderDecoder", "AlgorithmQuality", "high", ErrNo::TypeMismatch},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        TempHome fresh;
        Store(c.section, c.key, c.text);
        const SvError e = ErrorOf(c.read);
        EXPECT_EQ(e.number(), c.error);
        EXPECT_TRUE(e.description().endsWith(QLatin1Char('|') + QLatin1String(c.reader)))
            << e.description().toStdString();
    }
}

// A stored value its reader refuses (an option reader, or a dialog's reader
// finding a position its control does not have) is reported once: the key
// then holds its default (a Boolean as "1" or "0", which the Options dialog's
// number reads take alike; "0" for a default the type cannot take), the next
// read is clean, and every other key of the store keeps its bytes.
TEST_F(ReadOptionsTest, RefusedValuesAreReportedOnceAndReplacedByTheirDefault) {
    struct Case {
        std::function<void()> read;
        const char* section;
        const char* key;
        const char* refused;
        const char* repaired;
        int32_t error;
    };
    const Case cases[] = {
        {[&] { GetPreferences(pref); }, "Preferences", "UseSkins", "maybe", "1", ErrNo::TypeMismatch},
        {[&] { GetPreferences(pref); }, "Preferences", "WebHelp", "", "0", ErrNo::TypeMismatch},
        {[&] { GetScanningCentreOptions(scanning); }, "ScanRules", "NumScanRules", "-1", "0",
         ErrNo::SubscriptOutOfRange},
        {[&] { GetFileNameTagCoordinatorOptions(coord); }, "SimulateRules", "NumSimulateRules", "40000", "0",
         ErrNo::Overflow},
        {[&] { GetFileNameTagCoordinatorOptions(coord); }, "SimulateRules", "1Point1", "-99999", "", ErrNo::Overflow},
        {[&] { GetFileNameTagCoordinatorAdvOptions(adv); }, "FileNameTagCoordinator", "TrackNumLimit", "99999", "30",
         ErrNo::Overflow},
        {[&] { GetFileNameTagCoordinatorAdvOptions(adv); }, "FileNameTagCoordinator", "ColourDelete", "&H1FFFFFFFF",
         "&H000000C0", ErrNo::Overflow},
        {[&] { GetMusicCataloguerHTMLOptions(html); }, "MusicCataloguerHTML", "SortOrder", "-70000", "0",
         ErrNo::Overflow},
        {[&] { GetMusicCataloguerTextOptions(txt); }, "MusicCataloguerText", "ColumnHeadingWidth1", "1e9", "0",
         ErrNo::Overflow},
        {[&] { GetEncoderDecoderOptions(enc); }, "EncoderDecoder", "Bitrate", "99999999999", "12", ErrNo::Overflow},
        {[&] { GetEncoderDecoderOptions(enc); }, "EncoderDecoder", "LowPassFilteringFreqkHz", "1e400", "50000",
         ErrNo::Overflow},
        {[] { OptionsSettings().Read(); }, "MusicCataloguerHTML", "SortOrder", "5", "0", ErrNo::InvalidPropertyValue},
        {[] { OptionsSettings().Read(); }, "MusicCataloguerText", "SortOrder", "-2", "0", ErrNo::InvalidPropertyValue},
        {[] { MassTaggingOverrideToolSettings().Read(); }, "MassTaggingOverrideTool", "ID3v1Genre", "500", "0",
         ErrNo::InvalidPropertyValue},
        {[] { HTMLCataloguerHeaderSettings().Read(); }, "MusicCataloguerHTML", "PageLinksAppear", "3", "0",
         ErrNo::InvalidPropertyValue},
        {[] { EncoderOptionSettings().Read(); }, "EncoderDecoder", "Bitrate", "19", "12", ErrNo::InvalidPropertyValue},
        {[] { EncoderOptionSettings().Read(); }, "EncoderDecoder", "Mode", "-1", "0", ErrNo::InvalidPropertyValue},
        {[] { EncoderOptionSettings().Read(); }, "EncoderDecoder", "OutputSamplingFrequency", "0", "1",
         ErrNo::InvalidPropertyValue},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key + "=" + c.refused);
        TempHome fresh;
        Store("Other", "Spaced", " a\tb ");
        Store(c.section, "Neighbour", "caf\u00E9 \u65E5");
        Store("SimulateRules", "NumSimulateRules", "1");
        Store("MusicCataloguerText", "NumColumnHeadings", "1");
        Store(c.section, c.key, c.refused);
        Store("Other", "Last", "\\ kept");
        const QByteArray before = ReadBytes(SettingsStorePath());

        EXPECT_EQ(ErrorOf(c.read).number(), c.error);
        EXPECT_EQ(Stored(c.section, c.key), c.repaired);
        QByteArray expected = before;
        const QByteArray line = QByteArray("\n") + c.key + "=";
        expected.replace(line + c.refused + "\n", line + c.repaired + "\n");
        EXPECT_EQ(ReadBytes(SettingsStorePath()).toStdString(), expected.toStdString());
        EXPECT_EQ(ErrorOf(c.read).number(), 0);
    }
}

// Several values of one group refused at once (by the option readers at a
// start, by a window's or dialog's reader): one reading reports the first of
// them once, puts every key's default in its place and reads on to the keys
// after them; the next reading is clean, and every other key keeps its bytes.
TEST_F(ReadOptionsTest, SeveralRefusedValuesOfOneGroupAreAllRepairedAtOneReading) {
    struct Refused {
        const char* section;
        const char* key;
        const char* refused;
        const char* repaired;
    };
    struct Case {
        const char* reader;
        std::function<void()> read;
        std::vector<Refused> refused;  // in reading order
        int32_t error;                 // the first one's
        // Keys read after them: section, key, value; and those values read.
        std::vector<std::array<const char*, 3>> good;
        std::function<bool()> goodRead;
    };
    OptionsSettings dialog;
    EncoderOptionSettings encoder;
    FileNameTagCoordAdvSettings advanced;
    MassTaggingOverrideToolSettings overrides;
    PlaylistManagerSettings playlists;
    const Case cases[] = {
        {"GetMainOptions",
         [&] { GetMainOptions(o); },
         {{"EncoderDecoder", "Bitrate", "99999999999", "12"},
          {"EncoderDecoder", "AlgorithmQuality", "high", "0"},
          {"EncoderDecoder", "LowPassFilteringFreqkHz", "1e400", "50000"}},
         ErrNo::Overflow,
         {{"EncoderDecoder", "WidthOfLowPassFilterkHz", "2.5"}},
         [&] { return enc.dblWidthOfLowPassFilterkHz == 2.5; }},
        // Refused in two groups: both repaired, the first reported.
        {"GetMainOptions",
         [&] { GetMainOptions(o); },
         {{"Preferences", "WebHelp", "", "0"}, {"MusicCataloguerText", "SortOrder", "", "0"}},
         ErrNo::TypeMismatch,
         {{"EncoderDecoder", "CustomOptions", "-k"}},
         [&] { return enc.strCustomOptions == "-k"; }},
        {"ReadOptionsSettings",
         [&] { ReadThenShow([&] { dialog.Read(); }, [] {}); },
         {{"MusicCataloguerHTML", "SortOrder", "5", "0"}, {"MusicCataloguerText", "SortBy", "99999", "0"}},
         ErrNo::InvalidPropertyValue,
         {{"MusicCataloguerText", "SortKey", "Artist"}},
         [&] { return dialog.ComboSortKeyText == "Artist"; }},
        {"ReadEncoderDecoderOptionsSettings",
         [&] { ReadThenShow([&] { encoder.Read(); }, [] {}); },
         {{"EncoderDecoder", "Bitrate", "19", "12"},
          {"EncoderDecoder", "Mode", "-1", "0"},
          {"EncoderDecoder", "OutputSamplingFrequency", "0", "1"}},
         ErrNo::InvalidPropertyValue,
         {{"EncoderDecoder", "WidthOfLowPassFilterkHz", "2.5"}},
         [&] { return encoder.TextLowPassWidth == "2.5"; }},
        // Its lists take what reading appends once, however often the
        // reading starts again.
        {"ReadFileNameTagCoordinatorAdvSettings",
         [&] {
             advanced = FileNameTagCoordAdvSettings{};
             ReadThenShow([&] { advanced.Read(); }, [] {});
         },
         {{"SpecialWordsFormat", "0", "40000", "0"}, {"FileNameTagCoordinator", "TheAtEnd", "99999", "0"}},
         ErrNo::Overflow,
         {{"SpecialWordsFormat", "1", "1"},
          {"SpecialWordsFormat", "11", "of"},
          {"FileNameTagCoordinator", "TrackNumLimit", "12"}},
         [&] { return advanced.ListSpecialWordsFormat[1] == QStringList{"of"} && advanced.TextTrackNumLimit == "12"; }},
        {"ReadMassTaggingOverrideToolSettings",
         [&] { overrides.Read(); },
         {{"MassTaggingOverrideTool", "OverrideID3v1Tag", "99999", "0"},
          {"MassTaggingOverrideTool", "ID3v1Genre", "500", "0"}},
         ErrNo::Overflow,
         {{"MassTaggingOverrideTool", "OverrideID3v2Tag", "1"}},
         [&] { return overrides.CheckID3v2Tag; }},
        {"ReadPlaylistManagerSettings",
         [&] { playlists.Read(); },
         {{"PlaylistManager", "PlaylistFormat", "99999", "0"}, {"PlaylistManager", "FileInfo", "maybe", "1"}},
         ErrNo::Overflow,
         {},
         [&] { return playlists.OptionFileInfo; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.reader) + " " + c.refused.front().key);
        TempHome fresh;
        Store("Settings", "Initialised", "True");
        Store("Other", "Spaced", " a\tb ");
        for (const Refused& r : c.refused) Store(r.section, "Neighbour", "caf\u00E9 \u65E5");
        for (const Refused& r : c.refused) Store(r.section, r.key, r.refused);
        for (const auto& [section, key, value] : c.good) Store(section, key, value);
        Store("Other", "Last", "\\ kept");
        QByteArray expected = ReadBytes(SettingsStorePath());
        for (const Refused& r : c.refused) {
            const QByteArray line = QByteArray("\n") + r.key + "=";
            expected.replace(line + r.refused + "\n", line + r.repaired + "\n");
        }
        Scramble(o);

        const SvError first = ErrorOf(c.read);
        EXPECT_EQ(first.number(), c.error);
        EXPECT_TRUE(first.description().contains(QLatin1Char('|') + QLatin1String(c.reader)))
            << first.description().toStdString();
        EXPECT_EQ(ReadBytes(SettingsStorePath()).toStdString(), expected.toStdString());
        EXPECT_TRUE(c.goodRead());

        Scramble(o);
        EXPECT_EQ(ErrorOf(c.read).number(), 0);
        EXPECT_TRUE(c.goodRead());
        EXPECT_EQ(ReadBytes(SettingsStorePath()).toStdString(), expected.toStdString());
    }
}

// The default put in place of a refused flag reads alike in the option
// reader and in the Options dialog, which reads the same key as a number.
TEST_F(ReadOptionsTest, ARefusedFlagReadsAsItsDefaultInTheOptionsDialogToo) {
    struct Case {
        const char* key;
        bool value;  // the default
        bool GeneralPreferences::*option;
        int OptionsSettings::*box;
    };
    const Case cases[] = {
        {"UseSkins", true, &GeneralPreferences::blnUseSkins, &OptionsSettings::CheckUseSkins},
        {"UseRecycleBin", false, &GeneralPreferences::blnUseRecycleBin, &OptionsSettings::CheckRecycleBin},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        TempHome fresh;
        Store("Preferences", c.key, "maybe");
        EXPECT_EQ(ErrorOf([&] { GetPreferences(pref); }).number(), ErrNo::TypeMismatch);
        EXPECT_EQ(ErrorOf([&] { GetPreferences(pref); }).number(), 0);
        EXPECT_EQ(pref.*c.option, c.value);
        OptionsSettings dialog;
        dialog.Read();
        EXPECT_EQ(dialog.*c.box, c.value ? 1 : 0);
    }
}

// Lenient number codes never fail: text that is no number reads as 0.
TEST_F(ReadOptionsTest, LenientNumbersReadUnreadableTextAsZero) {
    Store("ScanRules", "NumScanRules", "many");
    Store("SpecialWordsFormat", "0", "five");
    Store("FileNameTagCoordinator", "TrackNumLimit", "");
    Store("EncoderDecoder", "Quality", "");
    Store("EncoderDecoder", "HighPassFilteringFreqkHz", "");
    GetScanningCentreOptions(scanning);
    GetFileNameTagCoordinatorAdvOptions(adv);
    GetEncoderDecoderOptions(enc);
    EXPECT_EQ(scanning.udtScanRules.size(), 1u);
    EXPECT_EQ(adv.intNumUpperCaseWords[0], 0);
    EXPECT_EQ(adv.intTrackNumLimit, 0);
    EXPECT_EQ(enc.intQuality, 0);
    EXPECT_EQ(enc.dblHighPassFilteringFreqkHz, 0.0);
}

TEST_F(ReadOptionsTest, ErrorKeepsWhatWasReadBeforeIt) {
    Store("Preferences", "DisplayMessageBox", "0");
    Store("Preferences", "WebHelp", "sometimes");
    const bool oldWriteReadOnly = pref.blnWriteReadOnly;
    const QString oldScheme = pref.strSkinScheme;

    EXPECT_EQ(ErrorOf([&] { GetPreferences(pref); }).number(), ErrNo::TypeMismatch);
    EXPECT_FALSE(pref.blnDisplayMessageBox);  // read before the error
    EXPECT_FALSE(pref.blnUseRecycleBin);      // its default, also read before
    EXPECT_EQ(pref.blnWriteReadOnly, oldWriteReadOnly);
    EXPECT_EQ(pref.strSkinScheme, oldScheme);
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

    GetScanningCentreOptions(scanning);
    ASSERT_EQ(scanning.udtScanRules.size(), 3u);
    EXPECT_EQ(scanning.udtScanRules[0].Choice, "Only include files");
    EXPECT_EQ(scanning.udtScanRules[0].Scope, "containing");
    EXPECT_EQ(scanning.udtScanRules[0].Filter, "Live");
    EXPECT_EQ(scanning.udtScanRules[0].Target, "in File Name");
    EXPECT_FALSE(scanning.udtScanRules[0].CaseSensitive);
    EXPECT_EQ(scanning.udtScanRules[1].Choice, "Don't include files");
    EXPECT_EQ(scanning.udtScanRules[1].Target, "in ID3v1 Year");
    EXPECT_TRUE(scanning.udtScanRules[1].CaseSensitive);
    EXPECT_TRUE(scanning.udtScanRules[2].Choice.isEmpty());
    EXPECT_FALSE(scanning.udtScanRules[2].CaseSensitive);

    // Read again: rebuilt, not appended to.
    GetScanningCentreOptions(scanning);
    EXPECT_EQ(scanning.udtScanRules.size(), 3u);
    EXPECT_EQ(scanning.udtScanRules[1].Filter, "1999");
}

TEST_F(ReadOptionsTest, RuleKeysWithoutACountAreNotRead) {
    StoreScanRule(1, "Only include files", "containing", "Live", "in File Name", "False");
    GetScanningCentreOptions(scanning);
    ASSERT_EQ(scanning.udtScanRules.size(), 1u);
    EXPECT_TRUE(scanning.udtScanRules[0].Choice.isEmpty());
}

TEST_F(ReadOptionsTest, MissingRuleEndsTheWholeReadWithBothTrailEntries) {
    Store("Settings", "Initialised", "True");  // no first run: only what is stored here
    Store("Preferences", "UseSkins", "0");
    pref.blnUseSkins = true;
    Store("ScanRules", "NumScanRules", "3");
    StoreScanRule(1, "Only include files", "containing", "Live", "in File Name", "True");
    StoreScanRule(2, "Don't include files", "less than", "3", "in ID3v2 Year", nullptr);
    const QString oldFormat = coord.strFileNameFormat;
    const int32_t oldBitrate = enc.lngBitrate;

    const SvError e = ErrorOf([&] { GetMainOptions(o); });
    EXPECT_EQ(e.number(), ErrNo::TypeMismatch);
    EXPECT_TRUE(e.description().endsWith("|GetScanningCentreOptions|GetMainOptions")) << e.description().toStdString();

    EXPECT_FALSE(pref.blnUseSkins);  // preferences were read
    ASSERT_EQ(scanning.udtScanRules.size(), 4u);
    EXPECT_TRUE(scanning.udtScanRules[0].CaseSensitive);
    EXPECT_EQ(scanning.udtScanRules[0].Target, "in File Name");
    EXPECT_EQ(scanning.udtScanRules[1].Choice, "Don't include files");
    EXPECT_EQ(scanning.udtScanRules[1].Target, "in ID3v2 Year");
    EXPECT_FALSE(scanning.udtScanRules[1].CaseSensitive);
    EXPECT_TRUE(scanning.udtScanRules[2].Choice.isEmpty());
    EXPECT_TRUE(scanning.udtScanRules[3].Choice.isEmpty());
    // The groups after it were not read.
    EXPECT_EQ(coord.strFileNameFormat, oldFormat);
    EXPECT_EQ(enc.lngBitrate, oldBitrate);
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
        Scramble(o);
        Store(c.section, c.key, c.count);
        const bool scan = QLatin1String(c.section) == QLatin1String("ScanRules");
        const SvError e = ErrorOf([&] {
            if (scan)
                GetScanningCentreOptions(scanning);
            else
                GetFileNameTagCoordinatorOptions(coord);
        });
        EXPECT_EQ(e.number(), c.error);
        EXPECT_EQ(scan ? scanning.udtScanRules.size() : coord.udtSimulateRules.size(), 3u);
        EXPECT_EQ(scan ? scanning.udtScanRules[0].Choice : coord.udtSimulateRules[0].Choice, "old");
    }

    // The largest count is taken: the array is sized for it and the first
    // missing rule then stops the read.
    TempHome fresh;
    Store("ScanRules", "NumScanRules", "32766");
    EXPECT_EQ(ErrorOf([&] { GetScanningCentreOptions(scanning); }).number(), ErrNo::TypeMismatch);
    EXPECT_EQ(scanning.udtScanRules.size(), 32767u);
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

    GetFileNameTagCoordinatorOptions(coord);
    ASSERT_EQ(coord.udtSimulateRules.size(), 3u);
    EXPECT_EQ(coord.udtSimulateRules[0].Choice, "Only include");
    EXPECT_EQ(coord.udtSimulateRules[0].Range, "up to");
    EXPECT_EQ(coord.udtSimulateRules[0].Point, "separator");
    EXPECT_EQ(coord.udtSimulateRules[0].Point1, 0);
    EXPECT_EQ(coord.udtSimulateRules[0].Point2, 3);
    EXPECT_EQ(coord.udtSimulateRules[1].Point, "character");
    EXPECT_EQ(coord.udtSimulateRules[1].Point1, 2);
    EXPECT_EQ(coord.udtSimulateRules[1].Point2, 4);
    EXPECT_TRUE(coord.udtSimulateRules[2].Choice.isEmpty());
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
    GetFileNameTagCoordinatorOptions(coord);
    ASSERT_EQ(coord.udtSimulateRules.size(), 13u);
    for (int n = 1; n <= 12; ++n) {
        const SimulateRule& rule = coord.udtSimulateRules[size_t(n - 1)];
        EXPECT_EQ(rule.Point, n % 2 ? "character" : "separator") << n;
        EXPECT_EQ(rule.Point1, n) << n;
        EXPECT_EQ(rule.Point2, 100 + n) << n;
    }
}

TEST_F(ReadOptionsTest, UserSeparatorsAreOneCharacterOrABlank) {
    const std::pair<const char*, const char*> cases[] = {{"_-", "_"}, {"", " "}, {"#", "#"}, {"  ", " "}};
    for (const auto& [stored, expected] : cases) {
        Store("SourceSeparator", "TextSourceSeparator1", stored);
        GetFileNameTagCoordinatorOptions(coord);
        EXPECT_EQ(coord.strSourceSeparators[0], QString::fromUtf8(expected)) << "stored '" << stored << "'";
        EXPECT_EQ(coord.strSourceSeparators[1], " ");
    }
}

TEST_F(ReadOptionsTest, ColoursReadAsDecimalOrHexadecimal) {
    const std::pair<const char*, int32_t> cases[] = {
        {"255", 255}, {"-2147483640", -2147483640}, {"&H00C00000", 12582912}, {"&H80000005", -2147483643}};
    for (const auto& [stored, expected] : cases) {
        Store("FileNameTagCoordinator", "ColourChange", stored);
        GetFileNameTagCoordinatorAdvOptions(adv);
        EXPECT_EQ(adv.lngColourChange, expected) << stored;
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
    GetFileNameTagCoordinatorAdvOptions(adv);
    EXPECT_EQ(adv.intNumUpperCaseWords[TitleTarget], 3);
    EXPECT_EQ(adv.udtSpecialWords[TitleTarget].UpperCase, (std::vector<QString>{"UK", "USA", "USSR"}));
    EXPECT_EQ(adv.intNumCapitalisedWords[ArtistTarget], 2);
    EXPECT_EQ(adv.udtSpecialWords[ArtistTarget].Capitalised, (std::vector<QString>{"McCartney", ""}));

    // A count of 0 keeps the old words; the count says none apply.
    Store("SpecialWordsFormat", "3", "0");
    GetFileNameTagCoordinatorAdvOptions(adv);
    EXPECT_EQ(adv.intNumUpperCaseWords[TitleTarget], 0);
    EXPECT_EQ(adv.udtSpecialWords[TitleTarget].UpperCase.size(), 3u);

    // Two-digit word numbers: list 5, word 12.
    Store("SpecialWordsFormat", "5", "12");
    GetFileNameTagCoordinatorAdvOptions(adv);
    ASSERT_EQ(adv.udtSpecialWords[TitleTarget].Capitalised.size(), 12u);
    EXPECT_EQ(adv.udtSpecialWords[TitleTarget].Capitalised[11], "word twelve");
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
    GetMusicCataloguerHTMLOptions(html);
    EXPECT_EQ(window.caption, "XXX.htm");

    window.html = false;
    window.caption = "XXX.txt";
    GetMusicCataloguerHTMLOptions(html);
    EXPECT_EQ(window.caption, "XXX.txt");

    SetCataloguerOutputView(nullptr);
    GetMusicCataloguerHTMLOptions(html);  // no window: nothing to update
    EXPECT_EQ(html.strOutputExtension, "htm");
}

TEST_F(ReadOptionsTest, HtmlColumnsMissingHeadingIsEmptyAndZeroCountKeepsTheOldOnes) {
    Store("MusicCataloguerHTML", "NumColumnHeadings", "3");
    Store("MusicCataloguerHTML", "ColumnHeading1", "Artist");
    Store("MusicCataloguerHTML", "ColumnHeading2", "Title");
    GetMusicCataloguerHTMLOptions(html);
    EXPECT_EQ(html.intHTMLNumColumnHeadings, 3);
    EXPECT_EQ(html.strHTMLColumnHeadings, (std::vector<QString>{"Artist", "Title", ""}));

    Store("MusicCataloguerHTML", "NumColumnHeadings", "0");
    GetMusicCataloguerHTMLOptions(html);
    EXPECT_EQ(html.intHTMLNumColumnHeadings, 0);
    EXPECT_EQ(html.strHTMLColumnHeadings.size(), 3u);
}

TEST_F(ReadOptionsTest, TextColumnWidthMustBeStoredAsAWholeNumber) {
    Store("MusicCataloguerText", "NumColumnHeadings", "3");
    Store("MusicCataloguerText", "ColumnHeading1", "File Name");
    Store("MusicCataloguerText", "ColumnHeadingWidth1", "36");
    Store("MusicCataloguerText", "ColumnHeading2", "Artist");
    Store("MusicCataloguerText", "ColumnHeadingWidth2", " 20 ");
    Store("MusicCataloguerText", "ColumnHeading3", "Title");
    Store("MusicCataloguerText", "SortBy", "1");
    const QString oldKey = txt.strSortKey;
    const int32_t oldOrder = txt.lngSortOrder;
    const bool oldSortBy = txt.blnSortBy;

    const SvError e = ErrorOf([&] { GetMusicCataloguerTextOptions(txt); });
    EXPECT_EQ(e.number(), ErrNo::TypeMismatch);
    EXPECT_TRUE(e.description().endsWith("|GetMusicCataloguerTextOptions"));
    EXPECT_EQ(txt.strColumnHeadings, (std::vector<QString>{"File Name", "Artist", "Title"}));
    ASSERT_EQ(txt.intColumnHeadingWidths.size(), 3u);
    EXPECT_EQ(txt.intColumnHeadingWidths[0], 36);
    EXPECT_EQ(txt.intColumnHeadingWidths[1], 20);
    EXPECT_EQ(txt.blnSortBy, oldSortBy);
    EXPECT_EQ(txt.strSortKey, oldKey);
    EXPECT_EQ(txt.lngSortOrder, oldOrder);

    Store("MusicCataloguerText", "ColumnHeadingWidth3", "wide");
    EXPECT_EQ(ErrorOf([&] { GetMusicCataloguerTextOptions(txt); }).number(), ErrNo::TypeMismatch);
    Store("MusicCataloguerText", "ColumnHeadingWidth3", "25");
    GetMusicCataloguerTextOptions(txt);
    EXPECT_EQ(txt.intColumnHeadingWidths[2], 25);
    EXPECT_TRUE(txt.blnSortBy);
}

// ---- encoder -------------------------------------------------------------

TEST_F(ReadOptionsTest, EncoderValuesAndTheFirstKeysError) {
    Store("EncoderDecoder", "Bitrate", "18");
    Store("EncoderDecoder", "HighPassFilteringFreqkHz", "0.5");
    Store("EncoderDecoder", "UseFolder", "/music/out");
    Store("EncoderDecoder", "OnlyUseCustom", "1");
    GetEncoderDecoderOptions(enc);
    EXPECT_EQ(enc.lngBitrate, 18);
    EXPECT_DOUBLE_EQ(enc.dblHighPassFilteringFreqkHz, 0.5);
    EXPECT_EQ(enc.strUseFolder, "/music/out");
    EXPECT_TRUE(enc.blnOnlyUseCustom);

    // Bitrate is read first: an unreadable one leaves the whole group as it was.
    Scramble(o);
    Store("EncoderDecoder", "Bitrate", "");
    EXPECT_EQ(ErrorOf([&] { GetEncoderDecoderOptions(enc); }).number(), ErrNo::TypeMismatch);
    EXPECT_EQ(enc.lngBitrate, 777);
    EXPECT_EQ(enc.lngMode, 777);
    EXPECT_EQ(enc.strUseFolder, "old");
    EXPECT_EQ(enc.dblLowPassFilteringFreqkHz, 777);
}

// ---- all groups ----------------------------------------------------------

TEST_F(ReadOptionsTest, FirstStartReadsTheStartingValues) {
    InstallFirstRunAssociations();  // as the program does at start-up
    GetMainOptions(o);
    SetFirstRunRegistrations({});

    EXPECT_TRUE(pref.blnDisplayMessageBox);
    EXPECT_TRUE(pref.blnUseSkins);
    EXPECT_EQ(scanning.strScanFilter, "*.mp3");
    EXPECT_EQ(scanning.udtScanRules.size(), 1u);

    EXPECT_EQ(coord.strFileNameFormat, "%N2 - :%A - :%T");  // stored under the other spelling of the section
    EXPECT_EQ(coord.blnSourceSeparators, (std::array<bool, 6>{true, false, false, false, false, false}));
    EXPECT_EQ(coord.strOrder, (std::array<QString, 3>{"Album", "Artist", "Title"}));
    EXPECT_TRUE(coord.blnDoubleBarrel);
    EXPECT_EQ(coord.udtSimulateRules.size(), 1u);
    EXPECT_EQ(adv.blnCapitalise, (std::array<bool, 2>{true, true}));
    EXPECT_EQ(adv.blnRemoveUnder, (std::array<bool, 2>{true, true}));
    EXPECT_EQ(adv.strCSWFrom[0], "vs");
    EXPECT_EQ(adv.strCSWFrom[1], "featuring");
    EXPECT_EQ(adv.strCSWFrom[2], "feat");
    EXPECT_EQ(adv.strCSWTo[0], "vs.");
    EXPECT_EQ(adv.strCSWTo[1], "feat.");
    EXPECT_EQ(adv.strCSWTo[2], "feat.");
    for (size_t i = 3; i < 14; ++i) EXPECT_TRUE(adv.strCSWFrom[i].isEmpty() && adv.strCSWTo[i].isEmpty()) << i;
    EXPECT_EQ(adv.intNumUpperCaseWords, (std::array<int, 2>{5, 3}));
    EXPECT_EQ(adv.intNumLowerCaseWords, (std::array<int, 2>{7, 7}));
    EXPECT_EQ(adv.intNumCapitalisedWords, (std::array<int, 2>{0, 0}));
    EXPECT_EQ(adv.udtSpecialWords[ArtistTarget].UpperCase, (std::vector<QString>{"ABBA", "REM", "MC", "DJ", "USA"}));
    EXPECT_EQ(adv.udtSpecialWords[TitleTarget].LowerCase,
              (std::vector<QString>{"a", "an", "and", "in", "is", "of", "the"}));
    EXPECT_EQ(adv.intTrackNumLimit, 30);

    const std::vector<QString> columns = {"File Name", "Artist", "Title", "Length", "File Size"};
    EXPECT_EQ(html.strHTMLColumnHeadings, columns);
    EXPECT_EQ(txt.strColumnHeadings, columns);
    EXPECT_EQ(txt.intColumnHeadingWidths, (std::vector<int>{36, 20, 25, 8, 9}));
    EXPECT_TRUE(html.blnHTMLSortBy);
    EXPECT_TRUE(txt.blnSortBy);
    EXPECT_EQ(html.strHTMLSortKey, "Artist");
    EXPECT_EQ(txt.strSortKey, "Artist");
    EXPECT_EQ(html.lngHTMLSortOrder, 0);
    EXPECT_EQ(txt.lngSortOrder, 0);
    EXPECT_EQ(html.strListTextFont, "Font: Tahoma, Size Default, Colour lime");
    EXPECT_EQ(html.strListTextColour, "black");
    EXPECT_EQ(html.strOutputExtension, "html");
    EXPECT_EQ(html.lngPageLinksAppear, 0);
    EXPECT_TRUE(html.blnHTMLHeaderTitle && html.blnHTMLColumnHeadings && txt.blnHeaderTitle && txt.blnColumnHeadings);
    EXPECT_EQ(html.strHTMLTitleText, "My Music Collection");
    EXPECT_EQ(txt.strTitleText, "My Music Collection");
    EXPECT_EQ(html.strPageTitle, "My Music Collection");
    EXPECT_EQ(html.strHeaderFont[1], "Font: Tahoma, Size +2, Colour lime, Bold");
    EXPECT_EQ(html.strHeaderColour, (std::array<QString, 5>{"black", "black", "black", "darkgreen", "darkgreen"}));
    EXPECT_EQ(html.strPageColour, (std::array<QString, 5>{"black", "lime", "lightblue", "blue", "lime"}));
    EXPECT_EQ(html.strMargin, (std::array<QString, 4>{}));

    EXPECT_EQ(enc.lngBitrate, 12);
    EXPECT_TRUE(enc.blnEnableVBR);

    EXPECT_TRUE(QFileInfo::exists(AssociationDesktopFile(AssociatedType::ScanResults)));
    EXPECT_TRUE(ui.shown.empty());
}

// The groups are read in one fixed order, and a group that fails for good
// stops the rest: here a refused value whose default cannot be written back
// (the store's folder is read-only).  When the default does go back, the
// group and the ones after it are read, and its error is the one raised.
TEST_F(ReadOptionsTest, GroupsAreReadInOrderUntilOneFails) {
    struct Group {
        const char* reader;
        const char* section;  // a key of the group that can be made unreadable (none: null)
        const char* key;
        std::function<bool()> read;  // the group's fields were assigned
    };
    const Group groups[] = {
        {"GetPreferences", "Preferences", "UseSkins", [&] { return pref.strSkinScheme != "old"; }},
        {"GetScanningCentreOptions", "MP3ScanningCentre", "ClearResults",
         [&] { return scanning.strScanFilter != "old"; }},
        {"GetFileNameTagCoordinatorOptions", "FileNameTagCoordinator", "DoubleBarrel",
         [&] { return coord.strFileNameFormat != "old"; }},
        {"GetFileNameTagCoordinatorAdvOptions", "FileNameTagCoordinator", "TheAtEnd",
         [&] { return adv.lngColourDelete != 777; }},
        {"GetMusicCataloguerHTMLOptions", "MusicCataloguerHTML", "SortOrder",
         [&] { return html.strOutputExtension != "old"; }},
        {"GetHTMLCataloguerHeaderOptions", "MusicCataloguerHTML", "PageLinksAppear",
         [&] { return html.strHTMLTitleText != "old"; }},
        {"GetHTMLPageProperties", nullptr, nullptr, [&] { return html.strPageTitle != "old"; }},
        {"GetMusicCataloguerTextOptions", "MusicCataloguerText", "SortOrder", [&] { return txt.strSortKey != "old"; }},
        {"GetTextCataloguerHeaderOptions", "MusicCataloguerText", "HeaderTitle",
         [&] { return txt.strTitleText != "old"; }},
        {"GetEncoderDecoderOptions", "EncoderDecoder", "Mode", [&] { return enc.strCustomOptions != "old"; }},
    };
    const size_t count = std::size(groups);
    for (size_t failing = 0; failing < count; ++failing) {
        if (!groups[failing].section) continue;
        for (const bool repairable : {false, true}) {
            SCOPED_TRACE(std::string(groups[failing].reader) + (repairable ? ", repaired" : ", for good"));
            TempHome fresh;
            Store("Settings", "Initialised", "True");
            Store(groups[failing].section, groups[failing].key, "unreadable");
            Scramble(o);
            SvError e(0, QString(), QString());
            if (repairable) {
                e = ErrorOf([&] { GetMainOptions(o); });
            } else {
                const QString folder = QFileInfo(SettingsStorePath()).absolutePath();
                SetMode(fresh.path(), 0755);
                SetMode(folder, 0555);
                {
                    WithoutFileRights reader;
                    e = ErrorOf([&] { GetMainOptions(o); });
                }
                SetMode(folder, 0755);
                EXPECT_EQ(Stored(groups[failing].section, groups[failing].key), "unreadable");
            }
            EXPECT_EQ(e.number(), ErrNo::TypeMismatch);
            EXPECT_TRUE(e.description().endsWith(QStringLiteral("|%1|GetMainOptions").arg(groups[failing].reader)))
                << e.description().toStdString();
            for (size_t g = 0; g < count; ++g) {
                if (g == failing && !repairable) continue;
                EXPECT_EQ(groups[g].read(), repairable || g < failing) << groups[g].reader;
            }
        }
    }
}

TEST_F(ReadOptionsTest, ReadingTwiceGivesTheSameValues) {
    Store("ScanRules", "NumScanRules", "1");
    StoreScanRule(1, "Only include files", "containing", "Live", "in File Name", "0");
    Store("SimulateRules", "NumSimulateRules", "1");
    Store("SimulateRules", "1Choice", "Only include");
    GetMainOptions(o);
    const auto scanRules = scanning.udtScanRules.size();
    const auto simulateRules = coord.udtSimulateRules.size();
    const auto headings = html.strHTMLColumnHeadings;
    const auto words = adv.udtSpecialWords[ArtistTarget].UpperCase;

    GetMainOptions(o);
    EXPECT_EQ(scanning.udtScanRules.size(), scanRules);
    EXPECT_EQ(scanning.udtScanRules.size(), 2u);
    EXPECT_EQ(coord.udtSimulateRules.size(), simulateRules);
    EXPECT_EQ(html.strHTMLColumnHeadings, headings);
    EXPECT_EQ(adv.udtSpecialWords[ArtistTarget].UpperCase, words);
}

// Without a record the readers fill the program-wide one, which windows read.
TEST_F(ReadOptionsTest, WithoutARecordTheProgramWideOnesAreFilled) {
    ScopedOptions kept;
    Store("Preferences", "UseSkins", "0");
    Store("EncoderDecoder", "Bitrate", "18");
    Options().Preferences.blnUseSkins = true;
    GetMainOptions();
    EXPECT_FALSE(Options().Preferences.blnUseSkins);
    EXPECT_EQ(Options().EncoderDecoder.lngBitrate, 18);
    EXPECT_EQ(enc.lngBitrate, 777);  // the test's own record is left alone
}

}  // namespace
