// The settings pairs of the option dialogs: the coordinator's advanced
// options and Mass Tagging Override Tool, the cataloguer's page properties,
// page headers and font history.

#include "windowsettings/SettingsFixture.h"

#include "cataloguer/CataloguerOptionSettings.h"
#include "coordinator/CoordinatorDialogSettings.h"

namespace {

using DialogSettingsTest = SettingsTest;

std::vector<StoredRow> Rows(const QString& section, const std::vector<std::pair<QString, QString>>& entries) {
    std::vector<StoredRow> rows;
    for (const auto& [key, value] : entries) rows.push_back({section, key, value});
    return rows;
}

std::vector<StoredRow> operator+(std::vector<StoredRow> a, const std::vector<StoredRow>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace

// ---- advanced coordinator options ---------------------------------------------------------

TEST_F(DialogSettingsTest, AdvancedOptionsRoundTrip) {
    FileNameTagCoordAdvSettings s;
    s.OptionAllUppercase = {true, false};
    s.OptionCapitaliseEachWord = {false, false};
    s.OptionDontChange = {false, true};
    s.CheckRemoveUnderscores = {false, true};
    s.TextChangeSpecialWordFrom[0] = "vs";
    s.TextChangeSpecialWordTo[0] = "vs.";
    s.TextChangeSpecialWordFrom[13] = "ft";
    s.TextChangeSpecialWordTo[13] = "feat.";
    s.ListSpecialWordsFormat[0] = {"ABBA", "REM"};
    s.ListSpecialWordsFormat[4] = {"a"};
    s.ListSpecialWordsFormat[5] = {"of", "the"};
    s.CheckTheAtEnd = true;
    s.CheckRemoveDoubleSpaces = false;
    s.PictureColour = {static_cast<int32_t>(0x80000008u), 255, 8421504, 65280};
    s.TextTrackNumLimit = "";
    s.Write();

    std::vector<std::pair<QString, QString>> from, to;
    for (int n = 0; n < 14; ++n) {
        from.push_back({QString::number(n), s.TextChangeSpecialWordFrom[n]});
        to.push_back({QString::number(n), s.TextChangeSpecialWordTo[n]});
    }
    const std::vector<StoredRow> expected =
        Rows("FileNameTagCoordinator",
             {{"ArtistUpperCase", "True"}, {"ArtistLowerCase", "False"}, {"ArtistCapitalise", "False"},
              {"ArtistDontChange", "False"}, {"ArtistRemoveUnder", "0"}, {"TitleUpperCase", "False"},
              {"TitleLowerCase", "False"}, {"TitleCapitalise", "False"}, {"TitleDontChange", "True"},
              {"TitleRemoveUnder", "1"}, {"TheAtEnd", "1"}, {"RemoveDoubleSpaces", "0"}, {"RigorousTrackNum", "1"},
              {"ColourChange", "-2147483640"}, {"ColourChangeQ", "255"}, {"ColourNoChange", "8421504"},
              {"ColourDelete", "65280"}, {"TrackNumLimit", ""}}) +
        Rows("CSWFrom", from) + Rows("CSWTo", to) +
        Rows("SpecialWordsFormat", {{"0", "2"},
                                    {"01", "ABBA"},
                                    {"02", "REM"},
                                    {"1", "0"},
                                    {"2", "0"},
                                    {"3", "0"},
                                    {"4", "1"},
                                    {"41", "a"},
                                    {"5", "2"},
                                    {"51", "of"},
                                    {"52", "the"}});
    EXPECT_EQ(Contents(), expected);
    FileNameTagCoordAdvSettings back;
    back.Read();
    EXPECT_EQ(back, s);
}

TEST_F(DialogSettingsTest, AdvancedOptionsOfANewUser) {
    FileNameTagCoordAdvSettings s;
    s.OptionAllLowercase = {true, true};
    s.OptionCapitaliseEachWord = {false, false};
    s.CheckTheAtEnd = true;
    s.PictureColour = {1, 2, 3, 4};
    s.TextTrackNumLimit = "99";
    s.Read();
    EXPECT_EQ(s, FileNameTagCoordAdvSettings{});
    EXPECT_EQ(s.PictureColour, (std::array<int32_t, 4>{-2147483640, 12582912, 8421504, 192}));
    s.Write();
    for (const auto& [key, text] : {std::pair{"ColourChange", "-2147483640"}, {"ColourChangeQ", "12582912"},
                                    {"ColourNoChange", "8421504"}, {"ColourDelete", "192"}})
        EXPECT_EQ(Stored("FileNameTagCoordinator", key), text);
}

TEST_F(DialogSettingsTest, ACaseOptionReadAsTrueClearsTheOthersOfItsName) {
    struct Case {
        std::vector<std::pair<const char*, const char*>> stored;  // Artist keys
        std::array<bool, 4> expected;                             // upper, lower, capitalise, don't change
    };
    const Case cases[] = {
        {{}, {false, false, true, false}},
        {{{"ArtistUpperCase", "True"}, {"ArtistCapitalise", "False"}}, {true, false, false, false}},
        // The capitalise default comes after the upper-case key.
        {{{"ArtistUpperCase", "True"}}, {false, false, true, false}},
        {{{"ArtistDontChange", "True"}}, {false, false, false, true}},
        {{{"ArtistLowerCase", "1"}, {"ArtistCapitalise", "0"}}, {false, true, false, false}},
        {{{"ArtistCapitalise", "False"}}, {false, false, false, false}},
    };
    for (const Case& c : cases) {
        TempHome fresh;
        for (const auto& [key, text] : c.stored) Store("FileNameTagCoordinator", key, text);
        FileNameTagCoordAdvSettings s;
        s.Read();
        const std::array<bool, 4> artist{s.OptionAllUppercase[0], s.OptionAllLowercase[0],
                                         s.OptionCapitaliseEachWord[0], s.OptionDontChange[0]};
        EXPECT_EQ(artist, c.expected) << (c.stored.empty() ? "" : c.stored[0].first);
        EXPECT_TRUE(s.OptionCapitaliseEachWord[1]);  // the Title keeps its own
    }
}

TEST_F(DialogSettingsTest, SpecialWordListsByCountAndNumberedKeys) {
    Store("SpecialWordsFormat", "0", "11");
    for (int i = 1; i <= 11; ++i) Store("SpecialWordsFormat", "0" + QString::number(i), "w" + QString::number(i));
    Store("SpecialWordsFormat", "1", "1");
    Store("SpecialWordsFormat", "11", "of");
    Store("SpecialWordsFormat", "3", "3");  // only two of them stored
    Store("SpecialWordsFormat", "31", "UK");
    Store("SpecialWordsFormat", "33", "USSR");
    Store("SpecialWordsFormat", "5", "many");  // no number: none
    FileNameTagCoordAdvSettings s;
    s.ListSpecialWordsFormat[2] = {"kept"};  // reading appends
    s.Read();
    EXPECT_EQ(s.ListSpecialWordsFormat[0].size(), 11);
    EXPECT_EQ(s.ListSpecialWordsFormat[0].at(10), "w11");  // key "011"
    EXPECT_EQ(s.ListSpecialWordsFormat[1], QStringList{"of"});
    EXPECT_EQ(s.ListSpecialWordsFormat[2], QStringList{"kept"});
    EXPECT_EQ(s.ListSpecialWordsFormat[3], (QStringList{"UK", "", "USSR"}));
    EXPECT_TRUE(s.ListSpecialWordsFormat[5].isEmpty());

    // A shortened list stores its new count; the old entries beyond it stay
    // in the store and are not read.
    FileNameTagCoordAdvSettings shorter;
    shorter.ListSpecialWordsFormat[0] = {"ABBA", "REM", "MC"};
    shorter.Write();
    EXPECT_EQ(Stored("SpecialWordsFormat", "0"), "3");
    EXPECT_EQ(Stored("SpecialWordsFormat", "04"), "w4");
    FileNameTagCoordAdvSettings back;
    back.Read();
    EXPECT_EQ(back.ListSpecialWordsFormat[0], (QStringList{"ABBA", "REM", "MC"}));
}

TEST_F(DialogSettingsTest, AdvancedOptionsReadHexadecimalColoursAndReadPastATruthThatIsNone) {
    Store("FileNameTagCoordinator", "ColourDelete", "&H000000C0");
    Store("FileNameTagCoordinator", "ColourChange", "255");
    FileNameTagCoordAdvSettings s;
    s.Read();
    EXPECT_EQ(s.PictureColour[3], 192);
    EXPECT_EQ(s.PictureColour[0], 255);

    Store("FileNameTagCoordinator", "ArtistUpperCase", "True");
    Store("FileNameTagCoordinator", "ArtistLowerCase", "yes");
    Store("FileNameTagCoordinator", "ArtistCapitalise", "False");
    Store("CSWFrom", "0", "vs");
    FileNameTagCoordAdvSettings readPast;
    readPast.OptionCapitaliseEachWord = {false, false};
    const auto [number, description] = ErrorOf([&] { readPast.Read(); });
    EXPECT_EQ(number, ErrNo::TypeMismatch);
    EXPECT_TRUE(description.endsWith("|ReadFileNameTagCoordinatorAdvSettings")) << description.toStdString();
    EXPECT_TRUE(readPast.OptionAllUppercase[0]);
    // The refused truth gets its default back, and the reading goes on.
    EXPECT_EQ(GetOptionSetting("FileNameTagCoordinator", "ArtistLowerCase", "", SettingType::String).toString(), "0");
    EXPECT_EQ(readPast.TextChangeSpecialWordFrom[0], "vs");
}

// ---- Mass Tagging Override Tool ------------------------------------------------------------

TEST_F(DialogSettingsTest, OverrideToolRoundTrip) {
    MassTaggingOverrideToolSettings s;
    s.CheckID3v1Tag = true;
    s.TextID3v1Artist = "Artist 1";
    s.TextID3v1Title = "Title 1";
    s.TextID3v1Album = "Album 1";
    s.TextID3v1Year = "1999";
    s.ComboID3v1Genre = 18;
    s.TextID3v1Comment = "Comment 1";
    s.CheckID3v1Artist = true;
    s.CheckID3v1Genre = true;  // a checked field with its value
    s.CheckID3v2Tag = true;
    s.TextID3v2Track = "7";
    s.TextID3v2Artist = "Artist 2";
    s.TextID3v2Title = "Title 2";  // a stored value whose check is not ticked
    s.TextID3v2Album = "Album 2";
    s.TextID3v2Year = "2001";
    s.ComboID3v2Genre = "Trip-Hop";
    s.TextID3v2Comment = "Comment 2";
    s.TextID3v2Composer = "Composer";
    s.TextID3v2OrigArtist = "Original";
    s.TextID3v2Copyright = "(c) me";
    s.TextID3v2URL = "https://example.org/";
    s.TextID3v2Encodedby = "me";
    s.CheckID3v2Track = s.CheckID3v2Genre = s.CheckID3v2Encodedby = true;
    s.Write();
    EXPECT_EQ(Contents(), Rows("MassTaggingOverrideTool",
                               {{"OverrideID3v1Tag", "1"},
                                {"ID3v1Artist", "Artist 1"},
                                {"ID3v1Title", "Title 1"},
                                {"ID3v1Album", "Album 1"},
                                {"ID3v1Year", "1999"},
                                {"ID3v1Genre", "18"},
                                {"ID3v1Comment", "Comment 1"},
                                {"OverrideID3v1Artist", "1"},
                                {"OverrideID3v1Title", "0"},
                                {"OverrideID3v1Album", "0"},
                                {"OverrideID3v1Year", "0"},
                                {"OverrideID3v1Genre", "1"},
                                {"OverrideID3v1Comment", "0"},
                                {"OverrideID3v2Tag", "1"},
                                {"ID3v2Track", "7"},
                                {"ID3v2Artist", "Artist 2"},
                                {"ID3v2Title", "Title 2"},
                                {"ID3v2Album", "Album 2"},
                                {"ID3v2Year", "2001"},
                                {"ID3v2Genre", "Trip-Hop"},
                                {"ID3v2Comment", "Comment 2"},
                                {"ID3v2Composer", "Composer"},
                                {"ID3v2OrigArtist", "Original"},
                                {"ID3v2Copyright", "(c) me"},
                                {"ID3v2URL", "https://example.org/"},
                                {"ID3v2Encodedby", "me"},
                                {"OverrideID3v2Track", "1"},
                                {"OverrideID3v2Artist", "0"},
                                {"OverrideID3v2Title", "0"},
                                {"OverrideID3v2Album", "0"},
                                {"OverrideID3v2Year", "0"},
                                {"OverrideID3v2Genre", "1"},
                                {"OverrideID3v2Comment", "0"},
                                {"OverrideID3v2Composer", "0"},
                                {"OverrideID3v2OrigArtist", "0"},
                                {"OverrideID3v2Copyright", "0"},
                                {"OverrideID3v2URL", "0"},
                                {"OverrideID3v2Encodedby", "1"}}));
    MassTaggingOverrideToolSettings back;
    back.Read();
    EXPECT_EQ(back, s);
    MassTaggingOverrideToolSettings empty;
    TempHome fresh;
    empty.Read();
    EXPECT_EQ(empty, MassTaggingOverrideToolSettings{});
}

TEST_F(DialogSettingsTest, TheGenreBoxRefusesAPositionBeyondItsList) {
    struct Case {
        const char* stored;
        int32_t error;
        int position;
    };
    // A refused position gets its default back (0) and reads as it.
    const Case cases[] = {{"0", 0, 0},
                          {"-1", 0, -1},
                          {"148", 0, 148},
                          {"pop", 0, 0},
                          {"149", ErrNo::InvalidPropertyValue, 0},
                          {"200", ErrNo::InvalidPropertyValue, 0},
                          {"-2", ErrNo::InvalidPropertyValue, 0}};
    Store("MassTaggingOverrideTool", "ID3v1Comment", "stored comment");
    for (const Case& c : cases) {
        Store("MassTaggingOverrideTool", "ID3v1Genre", c.stored);
        MassTaggingOverrideToolSettings s;
        s.ComboID3v1Genre = 5;
        const auto [number, description] = ErrorOf([&] { s.Read(); });
        EXPECT_EQ(number, c.error) << c.stored;
        EXPECT_EQ(s.ComboID3v1Genre, c.position) << c.stored;
        // The entries after a refused one are read all the same.
        EXPECT_EQ(s.TextID3v1Comment, "stored comment") << c.stored;
        if (c.error) {
            EXPECT_TRUE(description.endsWith("|ReadMassTaggingOverrideToolSettings"));
            EXPECT_EQ(ErrorOf([&] { s.Read(); }).first, 0) << c.stored;
        }
    }
}

// ---- cataloguer dialogs -----------------------------------------------------------------------

TEST_F(DialogSettingsTest, PagePropertiesRoundTripAndFirstRun) {
    HTMLPagePropertiesSettings first;
    first.TextTitle = "changed";
    first.Read();
    EXPECT_EQ(first, HTMLPagePropertiesSettings{});
    EXPECT_EQ(first.TextKeywords, "Brellick Software, Sonivard, MP3, Music");
    EXPECT_EQ(first.TextTitle, "My Music Collection");
    EXPECT_EQ(first.TextDescription, "My Music Collection");

    HTMLPagePropertiesSettings s;
    s.TextTitle = "Records";
    s.TextDescription = "All my records";
    s.TextKeywords = "vinyl, tape";
    s.TextBackgroundImage = "/pictures/back.png";
    s.ComboColour = {"black", "lime", "#C0C0C0", "Default", "navy"};
    s.TextMargin = {"10", "", "5", "0"};
    s.Write();
    EXPECT_EQ(Contents(), Rows("MusicCataloguerHTML", {{"Title", "Records"},
                                                       {"Description", "All my records"},
                                                       {"Keywords", "vinyl, tape"},
                                                       {"BackgroundImage", "/pictures/back.png"},
                                                       {"PageColour0", "black"},
                                                       {"PageColour1", "lime"},
                                                       {"PageColour2", "#C0C0C0"},
                                                       {"PageColour3", "Default"},
                                                       {"PageColour4", "navy"},
                                                       {"Margin0", "10"},
                                                       {"Margin1", ""},
                                                       {"Margin2", "5"},
                                                       {"Margin3", "0"}}));
    HTMLPagePropertiesSettings back;
    back.Read();
    EXPECT_EQ(back, s);
}

TEST_F(DialogSettingsTest, HTMLHeaderRoundTripAndFirstRun) {
    HTMLCataloguerHeaderSettings first;
    first.CheckTitle = false;
    first.ComboPageLinks = 2;
    first.Read();
    EXPECT_EQ(first, HTMLCataloguerHeaderSettings{});
    EXPECT_TRUE(first.CheckTitle && first.CheckColumnHeadings && first.CheckNumPagesInList);
    EXPECT_EQ(first.LabelFont[4], "Font: Default, Size Default, Colour Default");
    EXPECT_EQ(first.ComboFill[0], "");

    HTMLCataloguerHeaderSettings s;
    s.ComboPageLinks = 2;
    s.CheckTitle = false;
    s.TextTitle = "Jazz";
    s.CheckTotalSizeFiles = false;
    s.CheckListCreationTime = false;
    s.LabelFont[1] = "Font: Tahoma, Size +2, Colour lime, Bold";
    s.ComboFill = {"black", "", "#00FF00", "darkgreen", "Default"};
    s.Write();
    EXPECT_EQ(Contents(), Rows("MusicCataloguerHTML", {{"PageLinksAppear", "2"},
                                                       {"HeaderTitle", "0"},
                                                       {"TitleText", "Jazz"},
                                                       {"CollectionProps", "1"},
                                                       {"TotalNumFiles", "1"},
                                                       {"TotalSizeFiles", "0"},
                                                       {"TotalLengthFiles", "1"},
                                                       {"ListProps", "1"},
                                                       {"ListCreationDate", "1"},
                                                       {"ListCreationTime", "0"},
                                                       {"NumPagesInList", "1"},
                                                       {"ColumnHeadings", "1"},
                                                       {"HeaderFont0", kDefaultHeaderFont},
                                                       {"HeaderColour0", "black"},
                                                       {"HeaderFont1", "Font: Tahoma, Size +2, Colour lime, Bold"},
                                                       {"HeaderColour1", ""},
                                                       {"HeaderFont2", kDefaultHeaderFont},
                                                       {"HeaderColour2", "#00FF00"},
                                                       {"HeaderFont3", kDefaultHeaderFont},
                                                       {"HeaderColour3", "darkgreen"},
                                                       {"HeaderFont4", kDefaultHeaderFont},
                                                       {"HeaderColour4", "Default"}}));
    HTMLCataloguerHeaderSettings back;
    back.Read();
    EXPECT_EQ(back, s);
}

TEST_F(DialogSettingsTest, TextHeaderRoundTripKeepsToItsOwnSection) {
    Store("MusicCataloguerHTML", "HeaderTitle", "0");  // the HTML header's, not the text header's
    TextCataloguerHeaderSettings first;
    first.Read();
    EXPECT_EQ(first, TextCataloguerHeaderSettings{});

    TextCataloguerHeaderSettings s;
    s.CheckTitle = false;
    s.TextTitle = "";
    s.CheckCollectionProperties = s.CheckTotalNumFiles = false;
    s.Write();
    const std::vector<StoredRow> rows = Contents();
    const std::vector<StoredRow> text(rows.begin() + 1, rows.end());
    EXPECT_EQ(text, Rows("MusicCataloguerText", {{"HeaderTitle", "0"},
                                                 {"TitleText", ""},
                                                 {"CollectionProps", "0"},
                                                 {"TotalNumFiles", "0"},
                                                 {"TotalSizeFiles", "1"},
                                                 {"TotalLengthFiles", "1"},
                                                 {"ListProps", "1"},
                                                 {"ListCreationDate", "1"},
                                                 {"ListCreationTime", "1"},
                                                 {"NumPagesInList", "1"},
                                                 {"ColumnHeadings", "1"}}));
    TextCataloguerHeaderSettings back;
    back.Read();
    EXPECT_EQ(back, s);
}

TEST_F(DialogSettingsTest, ThePageLinksBoxRefusesAPlaceItDoesNotHave) {
    struct Case {
        const char* stored;
        int32_t error;
        int place;
    };
    const Case cases[] = {{"1", 0, 1}, {"2", 0, 2}, {"top", 0, 0},
                          {"3", ErrNo::InvalidPropertyValue, 1}, {"-1", ErrNo::InvalidPropertyValue, 1}};
    Store("MusicCataloguerHTML", "HeaderTitle", "0");
    for (const Case& c : cases) {
        Store("MusicCataloguerHTML", "PageLinksAppear", c.stored);
        HTMLCataloguerHeaderSettings s;
        s.ComboPageLinks = 1;
        const auto [number, description] = ErrorOf([&] { s.Read(); });
        EXPECT_EQ(number, c.error) << c.stored;
        EXPECT_EQ(s.ComboPageLinks, c.place) << c.stored;
        EXPECT_EQ(s.CheckTitle, c.error != 0) << c.stored;  // read only when the place was taken
    }
}

TEST_F(DialogSettingsTest, TheFontHistoryKeepsCombinationsOfSeveralFacesOnly) {
    Store("ComboFontCombination", "Text", "Default");
    Store("ComboFontCombination", "1", "Arial, Helvetica, sans-serif");
    HTMLFontSettings s;
    s.Read();
    EXPECT_EQ(s.ComboFontCombination.List, QStringList{"Arial, Helvetica, sans-serif"});
    const std::vector<StoredRow> before = Contents();

    for (const char* single : {"Tahoma", "Default", ""}) {
        s.ComboFontCombination.Text = single;
        s.Write(true);
        EXPECT_EQ(Contents(), before) << single;
    }
    s.ComboFontCombination.Text = "Verdana, Arial, sans-serif";
    s.Write(true);
    EXPECT_EQ(Contents(), Rows("ComboFontCombination", {{"Text", "Verdana, Arial, sans-serif"},
                                                        {"1", "Verdana, Arial, sans-serif"},
                                                        {"2", "Arial, Helvetica, sans-serif"}}));
    HTMLFontSettings empty;
    TempHome fresh;
    empty.Read();
    EXPECT_EQ(empty.ComboFontCombination.Text, "Default");
    EXPECT_TRUE(empty.ComboFontCombination.List.isEmpty());
}
