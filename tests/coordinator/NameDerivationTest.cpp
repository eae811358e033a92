// The derivation's single steps: rules, splitting, track numbers, field
// assignment, formatting and the mask, each as a table of cases.

#include "CoordinatorTestSupport.h"
#include "support/QtPrinters.h"

#include "coordinator/NameDerivation.h"
#include "foundation/Errors.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

using Tweak = std::function<void(CoordinatorOptions&, CoordinatorAdvOptions&)>;

DerivationSettings Settings(const Tweak& tweak = nullptr) {
    CoordinatorOptions options = FirstRunRecords().options;
    CoordinatorAdvOptions adv = FirstRunRecords().adv;
    if (tweak) tweak(options, adv);
    return CompileDerivationSettings(options, adv);
}

SimulateRule Rule(const char* choice, const char* range, int p1, const char* point, int p2 = 0) {
    return SimulateRule{choice, range, p1, p2, point};
}

DerivationSettings WithRules(std::vector<SimulateRule> rules) {
    return Settings([&](CoordinatorOptions& o, CoordinatorAdvOptions&) {
        rules.push_back(SimulateRule{});
        o.udtSimulateRules = rules;
    });
}

// Runs `step` and gives the error it raised.
template <typename F>
std::optional<SvError> ErrorOf(F&& step) {
    try {
        step();
    } catch (const SvError& e) {
        return e;
    }
    return std::nullopt;
}

std::vector<QString> Parts(std::initializer_list<const char*> parts) {
    std::vector<QString> out;
    for (const char* p : parts) out.push_back(QString::fromUtf8(p));
    return out;
}

std::vector<QString> Texts(const std::vector<NamePart>& parts) {
    std::vector<QString> out;
    for (const NamePart& p : parts) out.push_back(p.Text.toString());
    return out;
}

std::vector<NamePart> ViewsOf(const std::vector<QString>& texts) {
    std::vector<NamePart> parts;
    for (const QString& t : texts) parts.push_back({QStringView(), t, QStringView()});
    return parts;
}

}  // namespace

TEST(SimulateRules, CutTheBaseName) {
    struct Case {
        const char* what;
        QString name;
        std::vector<SimulateRule> rules;
        QString expected;
    };
    const std::vector<Case> cases = {
        {"no rules", "01 - Artist - Title", {}, "01 - Artist - Title"},
        {"drop up to character 5", "01 - Artist - Title", {Rule("Don't include", "up to", 5, "character")},
         "Artist - Title"},
        {"drop up to separator 1", "01 - Artist - Title", {Rule("Don't include", "up to", 1, "separator")},
         " Artist - Title"},
        {"keep up to separator 2", "01 - Artist - Title", {Rule("Only include", "up to", 2, "separator")},
         "01 - Artist"},
        {"keep from a separator past the parts", "A - B - C", {Rule("Only include", "from", 5, "separator")}, ""},
        {"keep up to a separator past the parts", "A - B - C -", {Rule("Only include", "up to", 5, "separator")},
         "A - B - C"},
        {"keep between characters past the end", "Hello", {Rule("Only include", "between", 10, "character", 20)},
         "Hello"},
        {"keep from a character past the end", "Hello", {Rule("Only include", "from", 10, "character")}, ""},
        {"keep characters 2 to 4", "Hello", {Rule("Only include", "between", 2, "character", 4)}, "ell"},
        {"keep outside characters 2 to 4", "Hello", {Rule("Only include", "outside of", 2, "character", 4)}, "Ho"},
        {"drop from character 3", "Hello", {Rule("Don't include", "from", 3, "character")}, "He"},
        {"drop outside characters 2 to 4", "Hello", {Rule("Don't include", "outside of", 2, "character", 4)}, "ell"},
        {"between with an empty range", "Hello", {Rule("Only include", "between", 3, "character", 2)}, ""},
        {"keep between separators 1 and 2", "A - B - C - D", {Rule("Only include", "between", 1, "separator", 2)},
         "B"},
        {"drop between separators 1 and 2", "A - B - C - D", {Rule("Don't include", "between", 1, "separator", 2)},
         "A - C - D"},
        {"keep up to a negative separator", "A - B", {Rule("Only include", "up to", -1, "separator")}, ""},
        {"two rules in order", "01 - Artist - Title",
         {Rule("Don't include", "up to", 1, "separator"), Rule("Don't include", "from", 1, "separator")}, " Artist"},
        {"keywords in other case", "01 - Artist - Title", {Rule("ONLY INCLUDE", "UP TO", 2, "Separator")},
         "01 - Artist"},
        {"unknown keywords are skipped", "01 - Artist - Title",
         {Rule("Only include", "around", 2, "separator"), Rule("Keep", "up to", 2, "separator"),
          Rule("Only include", "up to", 2, "word")},
         "01 - Artist - Title"},
        // The parts on either side of removed ones stay apart.
        {"keep outside separators 1 and 2", "W - X - Y - Z",
         {Rule("Only include", "outside of", 1, "separator", 2)}, "W - Y - Z"},
        {"keep outside up to the last part", "W - X - Y", {Rule("Only include", "outside of", 1, "separator", 5)},
         "W"},
        {"keep outside from the first part", "W - X - Y", {Rule("Only include", "outside of", 0, "separator", 1)},
         " X - Y"},
        {"a doubled separator survives a rebuild", "A -- B - C", {Rule("Only include", "up to", 2, "separator")},
         "A -- B"},
        {"a leading separator survives a rebuild", "- A - B", {Rule("Only include", "up to", 2, "separator")},
         "- A - B"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ApplySimRules(c.name, WithRules(c.rules)), c.expected);
    }
}

TEST(SimulateRules, OutOfRangeRulesFailTheRow) {
    struct Case {
        const char* what;
        SimulateRule rule;
        int32_t number;
    };
    const std::vector<Case> cases = {
        {"keep up to a negative character", Rule("Only include", "up to", -1, "character"), ErrNo::InvalidCall},
        {"keep outside from character 0", Rule("Only include", "outside of", 0, "character", 2), ErrNo::InvalidCall},
        {"keep between from character 0", Rule("Only include", "between", 0, "character", 2), ErrNo::InvalidCall},
        {"between ending two before its start", Rule("Only include", "between", 5, "character", 3), ErrNo::InvalidCall},
        {"drop outside, end two before start", Rule("Don't include", "outside of", 4, "character", 2),
         ErrNo::InvalidCall},
        {"drop from character 0", Rule("Don't include", "from", 0, "character"), ErrNo::InvalidCall},
        {"keep from a negative separator", Rule("Only include", "from", -2, "separator"), ErrNo::SubscriptOutOfRange},
        {"keep between from a negative separator", Rule("Only include", "between", -3, "separator", 2),
         ErrNo::SubscriptOutOfRange},
        {"keep outside to a negative separator", Rule("Only include", "outside of", 1, "separator", -3),
         ErrNo::SubscriptOutOfRange},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto error = ErrorOf([&] { ApplySimRules("01 - Artist - Title", WithRules({c.rule})); });
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->number(), c.number);
        EXPECT_TRUE(error->description().endsWith("|ApplySimRules"));
    }
}

TEST(NameSplitting, PartsAndTrackNumbers) {
    struct Case {
        const char* what;
        QString name;
        Tweak tweak;
        int id3v1Track = 0;
        QString id3v2Track;
        int track;
        std::vector<QString> parts;
    };
    const auto plain = [](CoordinatorOptions&, CoordinatorAdvOptions& a) { a.blnRigorousTrackNum = false; };
    const auto noLimit = [](CoordinatorOptions&, CoordinatorAdvOptions& a) { a.intTrackNumLimit = 0; };
    const std::vector<Case> cases = {
        {"number, artist, title", "01 - Artist - Title", nullptr, 0, "", 1, Parts({"Artist", "Title"})},
        {"hyphen inside a word", "Artist-Name - Title", nullptr, 0, "", 0, Parts({"Artist-Name", "Title"})},
        {"hyphen inside a word, double barrel off", "Artist-Name - Title",
         [](CoordinatorOptions& o, CoordinatorAdvOptions&) { o.blnDoubleBarrel = false; }, 0, "", 0,
         Parts({"Artist", "Name", "Title"})},
        {"hyphen between a letter and a digit splits", "Take-5 - Title", nullptr, 0, "", 5, Parts({"Take", "Title"})},
        {"number at the end of a part", "Song 2", nullptr, 0, "", 2, Parts({"Song"})},
        {"a year is over the limit", "1999 - Title", nullptr, 0, "", 0, Parts({"1999", "Title"})},
        {"no limit takes the year", "1999 - Title", noLimit, 0, "", 1999, Parts({"Title"})},
        {"too large for a track, tags decide", "20240101 - Title", noLimit, 4, "", 4, Parts({"20240101", "Title"})},
        {"plain mode wants a whole number", "Title 05 Live", plain, 0, "", 0, Parts({"Title 05 Live"})},
        {"plain mode takes the number with its separator", "05 - Title", plain, 0, "", 5, Parts({"Title"})},
        {"plain mode, second search after trimming", "05 ~ Title",
         [](CoordinatorOptions& o, CoordinatorAdvOptions& a) {
             o.blnSourceSeparators = {false, true, false, false, false, false};
             a.blnRigorousTrackNum = false;
         },
         0, "", 5, Parts({"Title"})},
        {"ID3v1 track without a number in the name", "Artist - Title", nullptr, 7, "", 7, Parts({"Artist", "Title"})},
        {"preferred ID3v1 track beats the name", "03 - Artist - Title",
         [](CoordinatorOptions& o, CoordinatorAdvOptions&) { o.blnID3v1TagPref = true; }, 7, "", 7,
         Parts({"Artist", "Title"})},
        {"preferred ID3v2 track beats the name", "03 - Artist - Title",
         [](CoordinatorOptions& o, CoordinatorAdvOptions&) { o.blnID3v2TagPref = true; }, 0, "5/12", 5,
         Parts({"Artist", "Title"})},
        {"both preferred: ID3v1 wins", "03 - Artist - Title",
         [](CoordinatorOptions& o, CoordinatorAdvOptions&) {
             o.blnID3v1TagPref = o.blnID3v2TagPref = true;
         },
         7, "5", 7, Parts({"Artist", "Title"})},
        {"tags do not replace the name's number unpreferred", "03 - Artist - Title", nullptr, 7, "5", 3,
         Parts({"Artist", "Title"})},
        {"doubled separator", "A -- B", nullptr, 0, "", 0, Parts({"A", "B"})},
        {"only a number", "07", nullptr, 0, "", 7, Parts({""})},
        {"only a number, plain mode", "07", plain, 0, "", 7, Parts({""})},
        {"empty name", "", nullptr, 0, "", 0, Parts({""})},
        {"other separators", "01;Artist,Title",
         [](CoordinatorOptions& o, CoordinatorAdvOptions&) {
             o.blnSourceSeparators = {false, false, true, true, false, false};
         },
         0, "", 1, Parts({"Artist", "Title"})},
        {"a user separator", "01+Artist+Title",
         [](CoordinatorOptions& o, CoordinatorAdvOptions&) {
             o.blnSourceSeparators = {false, false, false, false, false, true};
             o.strSourceSeparators = {" ", "+"};
         },
         0, "", 1, Parts({"Artist", "Title"})},
        // A tag number of 0 or below is no track.
        {"negative ID3v2 track", "Artist - Title", nullptr, 0, "-3", 0, Parts({"Artist", "Title"})},
        {"preferred negative ID3v2 track", "02 - Artist - Title",
         [](CoordinatorOptions& o, CoordinatorAdvOptions&) { o.blnID3v2TagPref = true; }, 0, "-3", 2,
         Parts({"Artist", "Title"})},
        {"zero ID3v2 track, ID3v1 decides", "Artist - Title", nullptr, 9, "0", 9, Parts({"Artist", "Title"})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const DerivationSettings s = Settings(c.tweak);
        // The order the engine uses: search, trim, and once more when nothing was found.
        std::vector<NamePart> parts = DeriveNames(c.name, s);
        int track = FindTrackNumber(parts, c.id3v1Track, c.id3v2Track, s);
        TrimDerivedNames(parts, s);
        if (track == 0) {
            track = FindTrackNumber(parts, c.id3v1Track, c.id3v2Track, s);
            TrimDerivedNames(parts, s);
        }
        EXPECT_EQ(track, c.track);
        EXPECT_EQ(Texts(parts), c.parts);
    }
}

TEST(NameSplitting, TrimmingKeepsEverySeparatorText) {
    const DerivationSettings s = Settings();
    struct Case {
        QString name;
        std::vector<QString> parts;
        std::vector<std::pair<QString, QString>> seps;
    };
    const std::vector<Case> cases = {
        {"01 - Artist - Title", Parts({"01", "Artist", "Title"}), {{"", " -"}, {" ", " -"}, {" ", ""}}},
        {"A -- B", Parts({"A", "B"}), {{"", " --"}, {" ", ""}}},
        {"- _A_ -", Parts({"A"}), {{"- _", "_ -"}}},
        {"--", Parts({""}), {{"--", ""}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        std::vector<NamePart> parts = DeriveNames(c.name, s);
        TrimDerivedNames(parts, s);
        EXPECT_EQ(Texts(parts), c.parts);
        ASSERT_EQ(parts.size(), c.seps.size());
        QString rebuilt;
        for (size_t i = 0; i < parts.size(); ++i) {
            EXPECT_EQ(parts[i].Leading.toString(), c.seps[i].first);
            EXPECT_EQ(parts[i].Trailing.toString(), c.seps[i].second);
            rebuilt += parts[i].Leading;
            rebuilt += parts[i].Text;
            rebuilt += parts[i].Trailing;
        }
        EXPECT_EQ(rebuilt, c.name);
    }
}

TEST(NameSplitting, ReadingNumbers) {
    const std::vector<std::pair<QString, int>> cases = {
        {"12", 12},  {" 12 ", 12},  {"1 2", 12},   {"+4", 4},     {"-7", -7},   {"2.5", 2},    {"3.5", 4},
        {"2.51", 3}, {"0.5", 0},    {"5/12", 5},   {"12abc", 12}, {"abc", 0},   {"", 0},       {"-", 0},
        {"1e3", 1},  {"&H10", 0},   {"32767", 32767}, {"32768", 0}, {"-32768", -32768}, {"99999999999999999999", 0},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(TrackValue(text), value) << text.toStdString();
}

TEST(FieldAssignment, ByPartsOrderAndPreference) {
    struct Case {
        const char* what;
        std::vector<QString> parts;
        TagNames tags;
        Tweak tweak;
        DerivedNames expected;
    };
    const auto order = [](const char* a, const char* b, const char* c) -> Tweak {
        return [=](CoordinatorOptions& o, CoordinatorAdvOptions&) { o.strOrder = {a, b, c}; };
    };
    const auto v2pref = [](CoordinatorOptions& o, CoordinatorAdvOptions&) { o.blnID3v2TagPref = true; };
    const auto v1pref = [](CoordinatorOptions& o, CoordinatorAdvOptions&) { o.blnID3v1TagPref = true; };
    TagNames v2ArtistTitle;
    v2ArtistTitle.ID3v2Artist = "Band";
    v2ArtistTitle.ID3v2Title = "Song";
    TagNames v2TheArtist;
    v2TheArtist.ID3v2Artist = "The Artist";
    TagNames v1Upper;
    v1Upper.ID3v1Artist = "ARTIST";
    v1Upper.ID3v2Artist = "Other";
    TagNames v1TitleBand;
    v1TitleBand.ID3v1Title = "Title";
    v1TitleBand.ID3v1Artist = "Band";
    TagNames v2Album;
    v2Album.ID3v2Album = "Best Of";
    TagNames bothAlbums;
    bothAlbums.ID3v1Album = "One";
    bothAlbums.ID3v2Album = "Two";
    const std::vector<Case> cases = {
        {"two parts", Parts({"Artist", "Title"}), {}, nullptr, {"", "Artist", "Title"}},
        {"two parts, title first", Parts({"Title", "Artist"}), {}, order("Title", "Artist", "Album"),
         {"", "Artist", "Title"}},
        {"two parts, title before artist", Parts({"Title", "Artist"}), {}, order("Album", "Title", "Artist"),
         {"", "Artist", "Title"}},
        {"three parts", Parts({"Album", "Artist", "Title"}), {}, nullptr, {"Album", "Artist", "Title", true}},
        {"three parts, artist first", Parts({"Artist", "Album", "Title"}), {}, order("Artist", "Album", "Title"),
         {"Album", "Artist", "Title", true}},
        {"three parts, preferred tags", Parts({"Album", "Artist", "Title"}), v2ArtistTitle, v2pref,
         {"Album", "Band", "Song", true}},
        {"four parts, no tags", Parts({"a", "b", "c", "d"}), {}, nullptr, {"", "", "", false, true}},
        {"four parts, tags", Parts({"a", "b", "c", "d"}), v2ArtistTitle, nullptr, {"", "Band", "Song", true}},
        {"four parts, preferred tags", Parts({"a", "b", "c", "d"}), v2ArtistTitle, v2pref, {"", "Band", "Song"}},
        {"preferred tag artist, part title", Parts({"Artist", "Song"}), v2TheArtist, v2pref,
         {"", "The Artist", "Song"}},
        {"agreement keeps the part's case", Parts({"Artist", "Song"}), v1Upper, v1pref, {"", "Artist", "Song"}},
        {"one part that is the tag title", Parts({"Title"}), v1TitleBand, nullptr, {"", "Band", "Title"}},
        {"one part that is the tag artist", Parts({"band"}), v1TitleBand, nullptr, {"", "band", "Title"}},
        {"one part that matches nothing", Parts({"Something"}), {}, nullptr, {"", "", "Something", true}},
        {"one part, preference, no tag title", Parts({"Something"}), v2TheArtist, v2pref,
         {"", "The Artist", "Something", true}},
        {"album from the tag only", Parts({"Artist", "Title"}), v2Album, nullptr, {"Best Of", "Artist", "Title"}},
        {"ID3v2 album unless ID3v1 is preferred", Parts({"Artist", "Title"}), bothAlbums, nullptr,
         {"Two", "Artist", "Title"}},
        {"ID3v1 album when preferred", Parts({"Artist", "Title"}), bothAlbums, v1pref, {"One", "Artist", "Title"}},
        {"one empty part takes the tag artist", Parts({""}), v2ArtistTitle, nullptr, {"", "Band", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const DerivedNames d = WorkOutDerivedNames(ViewsOf(c.parts), c.tags, Settings(c.tweak));
        EXPECT_EQ(d.Album, c.expected.Album);
        EXPECT_EQ(d.Artist, c.expected.Artist);
        EXPECT_EQ(d.Title, c.expected.Title);
        EXPECT_EQ(d.Uncertain, c.expected.Uncertain);
        EXPECT_EQ(d.NoChange, c.expected.NoChange);
    }
}

TEST(NameFormatting, CaseWordsAndBlanks) {
    struct Case {
        const char* what;
        QString name;
        int kind;
        Tweak tweak;
        QString expected;
    };
    // Capitalise and remove underscores on (the defaults); lists as each case sets them.
    const auto noLists = [](CoordinatorOptions&, CoordinatorAdvOptions& a) {
        a.intNumUpperCaseWords = a.intNumLowerCaseWords = a.intNumCapitalisedWords = {0, 0};
        a.strCSWFrom = {};
    };
    const auto style = [noLists](int kind, const char* which) -> Tweak {
        return [=](CoordinatorOptions& o, CoordinatorAdvOptions& a) {
            noLists(o, a);
            const auto k = size_t(kind);
            a.blnCapitalise[k] = a.blnUpperCase[k] = a.blnLowerCase[k] = a.blnDontChange[k] = false;
            const QString w = which;
            (w == "upper" ? a.blnUpperCase : w == "lower" ? a.blnLowerCase : a.blnDontChange)[k] = true;
        };
    };
    const auto capitalisedWord = [noLists](CoordinatorOptions& o, CoordinatorAdvOptions& a) {
        noLists(o, a);
        a.udtSpecialWords[ArtistTarget].Capitalised = {"Rem"};
        a.intNumCapitalisedWords[ArtistTarget] = 1;
        a.blnCapitalise[0] = false;
        a.blnDontChange[0] = true;
    };
    const auto theAtEnd = [](CoordinatorOptions&, CoordinatorAdvOptions& a) { a.blnTheAtEnd = true; };
    const auto theAtEndUpper = [style](CoordinatorOptions& o, CoordinatorAdvOptions& a) {
        style(ArtistTarget, "upper")(o, a);
        a.blnTheAtEnd = true;
    };
    const auto keepUnderscores = [noLists](CoordinatorOptions& o, CoordinatorAdvOptions& a) {
        noLists(o, a);
        a.blnRemoveUnder = {false, false};
    };
    const auto titleTimes = [](CoordinatorOptions&, CoordinatorAdvOptions& a) {
        a.udtSpecialWords[TitleTarget].UpperCase = {"times"};
        a.intNumUpperCaseWords[TitleTarget] = 1;
    };
    const auto staleWords = [](CoordinatorOptions&, CoordinatorAdvOptions& a) {
        a.intNumUpperCaseWords[TitleTarget] = 0;  // the words stay in the list, unused
    };
    const auto replacementOrder = [noLists](CoordinatorOptions& o, CoordinatorAdvOptions& a) {
        noLists(o, a);
        a.strCSWFrom[7] = "live";
        a.strCSWTo[7] = "(Live)";
        a.strCSWFrom[9] = "LIVE";
        a.strCSWTo[9] = "[live]";
        a.strCSWFrom[0] = "live";  // an artist pair: not for titles
        a.strCSWTo[0] = "x";
    };
    const std::vector<Case> cases = {
        {"capitalise", "the BEATLES", ArtistTarget, noLists, "The Beatles"},
        {"underscores start words and become blanks", "good_times", TitleTarget, noLists, "Good Times"},
        {"underscores kept", "good_times", TitleTarget, keepUnderscores, "Good_Times"},
        {"a bracket first", "(good) times", TitleTarget, noLists, "(good) Times"},
        {"an apostrophe starts no word", "o'brien", ArtistTarget, noLists, "O'brien"},
        {"a lone underscore first", "_artist", ArtistTarget, noLists, "artist"},
        {"small words inside", "return of the king", TitleTarget, nullptr, "Return of the King"},
        {"a small word first", "the end", TitleTarget, nullptr, "The End"},
        {"a small word last", "what it is of", TitleTarget, nullptr, "What It is Of"},
        {"a small word in brackets is not first", "(the end)", TitleTarget, nullptr, "(the End)"},
        {"upper-case word", "rem", ArtistTarget, nullptr, "REM"},
        {"capitalised word", "rEM", ArtistTarget, capitalisedWord, "Rem"},
        {"replacement keeps the dot after the word", "Artist feat. Other", ArtistTarget, nullptr,
         "Artist feat.. Other"},
        {"replacement of a whole word", "artist featuring other", ArtistTarget, nullptr, "Artist feat. Other"},
        {"the last word takes a final non-letter", "Good Times!", TitleTarget, titleTimes, "Good Times!"},
        {"the last word", "Good times", TitleTarget, titleTimes, "Good TIMES"},
        {"counts decide, not what a list holds", "the uk", TitleTarget, staleWords, "The Uk"},
        {"the later pair wins", "Song live", TitleTarget, replacementOrder, "Song [live]"},
        {"The at end", "The Beatles", ArtistTarget, theAtEnd, "Beatles, The"},
        {"The at end in upper case", "the beatles", ArtistTarget, theAtEndUpper, "BEATLES, THE"},
        {"The at end needs a word", "Theatre of Tragedy", ArtistTarget, theAtEnd, "Theatre of Tragedy"},
        {"The alone", "The", ArtistTarget, theAtEnd, "The"},
        {"The at end is for artists", "The Wall", TitleTarget, theAtEnd, "The Wall"},
        {"two to four blanks become one", "a  b   c    d", TitleTarget, noLists, "A B C D"},
        {"five blanks become two", "a     b", TitleTarget, noLists, "A  B"},
        {"unchanged case", "mIxEd_case  x", ArtistTarget, style(ArtistTarget, "unchanged"), "mIxEd case x"},
        {"upper case maps one to one", QString::fromUtf8("straße ﬁx"), TitleTarget, style(TitleTarget, "upper"),
         QString::fromUtf8("STRAßE ﬁX")},
        {"lower case", QString::fromUtf8("ÀB ÇD"), TitleTarget, style(TitleTarget, "lower"),
         QString::fromUtf8("àb çd")},
        {"capitalise accented letters", QString::fromUtf8("élan öl"), TitleTarget, noLists,
         QString::fromUtf8("Élan Öl")},
        {"empty", "", TitleTarget, nullptr, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(FormatName(c.name, c.kind, Settings(c.tweak)), c.expected);
    }
}

TEST(NewFileName, MaskFilling) {
    struct Case {
        QString mask;
        QString album, track, artist, title;
        QString expected;
    };
    const std::vector<Case> cases = {
        {"%N2 - :%A - :%T", "", "1", "Artist", "Title", "01 - Artist - Title"},
        {"%N2 - :%A - :%T", "", "1", "", "Title", "01 - Title"},
        {"%N2 - :%A - :%T", "", "", "Artist", "Title", "Artist - Title"},
        {"%N2 - :%A - :%T", "", "", "", "", ""},
        {"%N2 - %A - %T", "", "1", "", "Title", ""},
        {"%N2 - :%A: - %T", "", "1", "", "Title", "01 -  - Title"},
        {"%N1 - :%A - :%T", "", "5", "Artist", "Title", "5 - Artist - Title"},
        {"%N2 :%L - :%A - :%T", "Album", "3", "Artist", "Title", "03 Album - Artist - Title"},
        {"%L - :%N2 - :%A - :%T", "", "3", "Artist", "Title", "03 - Artist - Title"},
        {"%A - %A", "", "", "Artist", "", "Artist - A"},
        {"%N%L", "Album", "7", "", "", "7Album"},
        {"%T", "", "", "", "AC/DC: \"Live\" <*?|\\>", "ACDC Live"},
        {"%L - :%A - :%T", "100%Acid", "", "A%TB", "x:%L", "100%Acid - A%TB - x%L"},
        {"  %T  ", "", "", "", "Title", "Title"},
        // Tags may hold control characters: no new name does.
        {"%N2 - :%A - :%T", "", "1", "Tab\tArtist\x01", "Line\r\nBreak\x7f\u0085\n", "01 - Tab Artist  - Line  Break"},
        {"%T\t%A", "", "", "Artist", "Title", "Title Artist"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.mask + " / " + c.title).toStdString());
        EXPECT_EQ(FillFileNameMask(c.mask, c.album, c.track, c.artist, c.title), c.expected);
    }
}
