// Whole rows through the derivation engine: a results row and the options in,
// the simulate row's cells (or the row's failure) out.

#include "CoordinatorTestSupport.h"
#include "support/QtPrinters.h"

#include "coordinator/SimulateChange.h"
#include "scanning/engine/ScanRecord.h"
#include "scanning/engine/ScanResultsModel.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

using Tweak = std::function<void(CoordinatorOptions&, CoordinatorAdvOptions&, DerivationOverrides&)>;

struct RowCase {
    const char* what;
    QString fileName;
    std::map<int, QString> tags;
    Tweak tweak;
    // Track, Album, Artist, Title, New File Name, Action
    std::array<QString, 6> expected;
};

SimulateOutcome Derive(const RowCase& c) {
    CoordinatorOptions options = FirstRunRecords().options;
    CoordinatorAdvOptions adv = FirstRunRecords().adv;
    DerivationOverrides overrides;
    if (c.tweak) c.tweak(options, adv, overrides);
    return SimulateChange(ResultsRow(c.fileName, c.tags), options, adv, overrides);
}

void Mask(CoordinatorOptions& o, const QString& mask) { o.strFileNameFormat = mask; }

}  // namespace

TEST(SimulateChange, RowsGiveTheirCells) {
    using namespace ScanColumn;
    const auto mask = [](const char* m) -> Tweak {
        return [m](CoordinatorOptions& o, CoordinatorAdvOptions&, DerivationOverrides&) { Mask(o, m); };
    };
    const std::vector<RowCase> cases = {
        {"the usual name", "01 - Artist - Title.mp3", {}, nullptr,
         {"1", "", "Artist", "Title", "01 - Artist - Title.mp3", "Change"}},
        {"empty artist takes its section", "01 - Title.mp3", {{ID3v2Title, "Title"}}, nullptr,
         {"1", "", "", "Title", "01 - Title.mp3", "Change"}},
        {"no track takes the first section", "Artist - Title.mp3", {}, nullptr,
         {"", "", "Artist", "Title", "Artist - Title.mp3", "Change"}},
        {"track from the ID3v1 tag", "artist - title.mp3", {{ID3v1Track, "7"}}, nullptr,
         {"7", "", "Artist", "Title", "07 - Artist - Title.mp3", "Change"}},
        {"preferred ID3v2 track beats the name's", "03 - Artist - Title.mp3", {{ID3v2Track, "5/12"}},
         [](CoordinatorOptions& o, CoordinatorAdvOptions&, DerivationOverrides&) { o.blnID3v2TagPref = true; },
         {"5", "", "Artist", "Title", "05 - Artist - Title.mp3", "Change"}},
        {"three parts are a guess", "Album - Artist - Title.mp3", {}, mask("%L - :%A - :%T"),
         {"", "Album", "Artist", "Title", "Album - Artist - Title.mp3", "Change ??"}},
        {"too many parts and no tags: no change", "a - b - c - d.mp3", {}, nullptr,
         {"", "", "", "", "a - b - c - d.mp3", "No Change"}},
        {"too many parts: the tags, as a guess", "a - b - c - d.mp3", {{ID3v2Artist, "band"}, {ID3v2Title, "song"}},
         nullptr, {"", "", "Band", "Song", "Band - Song.mp3", "Change ??"}},
        {"everything empty", "-.mp3", {}, nullptr, {"", "", "", "", ".mp3", "Change ??"}},
        {"mask without colons loses all with an empty artist", "01 - Title.mp3", {{ID3v1Title, "Title"}},
         mask("%N2 - %A - %T"), {"1", "", "", "Title", ".mp3", "Change"}},
        {"closing colon only", "01 - Title.mp3", {{ID3v1Title, "Title"}}, mask("%N2 - :%A: - %T"),
         {"1", "", "", "Title", "01 -  - Title.mp3", "Change"}},
        {"one-digit width", "05 - Artist - Title.mp3", {}, mask("%N1 - :%A - :%T"),
         {"5", "", "Artist", "Title", "5 - Artist - Title.mp3", "Change"}},
        {"two digits stay two", "12 - Artist - Title.mp3", {}, nullptr,
         {"12", "", "Artist", "Title", "12 - Artist - Title.mp3", "Change"}},
        {"mask in lower case", "01 - Artist - Title.mp3", {}, mask("%n2 - :%a - :%t"),
         {"1", "", "Artist", "Title", "01 - Artist - Title.mp3", "Change"}},
        {"a placeholder twice leaves its letter", "Artist - Title.mp3", {}, mask("%A - %A"),
         {"", "", "Artist", "Title", "Artist - A.mp3", "Change"}},
        {"a bare track placeholder counts as one digit", "04 - Artist - Title.mp3", {}, mask("%A %N"),
         {"4", "", "Artist", "Title", "Artist 4.mp3", "Change"}},
        {"slash leaves the name, stays in the cell", "ACDC - Title.mp3", {{ID3v2Artist, "AC/DC"}},
         [](CoordinatorOptions& o, CoordinatorAdvOptions& a, DerivationOverrides&) {
             o.blnID3v2TagPref = true;
             a.blnCapitalise = {false, true};
             a.blnDontChange = {true, false};
         },
         {"", "", "AC/DC", "Title", "ACDC - Title.mp3", "Change"}},
        {"artist override exactly as typed", "01 - someone - Title.mp3", {},
         [](CoordinatorOptions&, CoordinatorAdvOptions&, DerivationOverrides& ov) {
             ov.blnOverrideArtist = true;
             ov.strOverrideArtist = " Various ";
         },
         {"1", "", " Various ", "Title", "01 -  Various  - Title.mp3", "Change"}},
        {"no extension still gets its dot", "01 - Artist - Title", {}, nullptr,
         {"1", "", "Artist", "Title", "01 - Artist - Title.", "Change"}},
        {"album from the tag when the name has none", "Artist - Title.mp3", {{ID3v2Album, " Best Of "}},
         mask("%L - :%A - :%T"), {"", "Best Of", "Artist", "Title", "Best Of - Artist - Title.mp3", "Change"}},
        {"word lists and replacements of the first run", "the beatles feat rem - return of the king.mp3", {}, nullptr,
         {"", "", "The Beatles feat. REM", "Return of the King", "The Beatles feat. REM - Return of the King.mp3",
          "Change"}},
        // Values are never read as mask text.
        {"a per cent sign in a value stays", "100%Acid - Artist - Title.mp3", {}, mask("%L - :%A - :%T"),
         {"", "100%Acid", "Artist", "Title", "100%Acid - Artist - Title.mp3", "Change ??"}},
        {"a placeholder inside a value is not filled", "Best %T Hits - Artist - Title.mp3", {},
         mask("%L - :%A - :%T"),
         {"", "Best %T Hits", "Artist", "Title", "Best %T Hits - Artist - Title.mp3", "Change ??"}},
        {"a track placeholder inside a value is not filled", "%n - Artist - Title.mp3", {{ID3v2Track, "3"}},
         mask("%L - :%N2 - :%A - :%T"),
         {"3", "%n", "Artist", "Title", "%n - 03 - Artist - Title.mp3", "Change ??"}},
        // A tag track of 0 or below is no track.
        {"negative ID3v2 track", "Artist - Title.mp3", {{ID3v2Track, "-3"}}, nullptr,
         {"", "", "Artist", "Title", "Artist - Title.mp3", "Change"}},
        {"negative preferred ID3v2 track leaves the name's", "02 - Artist - Title.mp3", {{ID3v2Track, "-3"}},
         [](CoordinatorOptions& o, CoordinatorAdvOptions&, DerivationOverrides&) { o.blnID3v2TagPref = true; },
         {"2", "", "Artist", "Title", "02 - Artist - Title.mp3", "Change"}},
        {"ID3v1 track out of byte range", "Artist - Title.mp3", {{ID3v1Track, "300"}, {ID3v2Track, "0"}}, nullptr,
         {"", "", "Artist", "Title", "Artist - Title.mp3", "Change"}},
        // The new name is a plain file name.
        {"NUL inside a value is dropped", "Artist - Title.mp3", {{ID3v2Title, QStringLiteral("Ti") + QChar(0) + "tle"}},
         [](CoordinatorOptions& o, CoordinatorAdvOptions&, DerivationOverrides&) { o.blnID3v2TagPref = true; },
         {"", "", "Artist", QStringLiteral("Ti") + QChar(0) + "tle", "Artist - Title.mp3", "Change"}},
    };
    for (const RowCase& c : cases) {
        SCOPED_TRACE(c.what);
        const SimulateOutcome out = Derive(c);
        ASSERT_TRUE(out.ok()) << out.error->description().toStdString();
        EXPECT_EQ(out.cells[SimColumn::OldFileName], c.fileName);
        EXPECT_EQ(out.cells[SimColumn::Folder], "/music");
        const std::array<QString, 6> got = {out.cells[SimColumn::Track], out.cells[SimColumn::Album],
                                            out.cells[SimColumn::Artist], out.cells[SimColumn::Title],
                                            out.cells[SimColumn::NewFileName], out.cells[SimColumn::Action]};
        EXPECT_EQ(got, c.expected);
    }
}

TEST(SimulateChange, FailingRowsGiveTheirErrorAndNoRow) {
    const auto rule = [](const char* choice, const char* range, int p1, int p2, const char* point) -> Tweak {
        return [=](CoordinatorOptions& o, CoordinatorAdvOptions&, DerivationOverrides&) {
            o.udtSimulateRules = {SimulateRule{choice, range, p1, p2, point}, SimulateRule{}};
        };
    };
    struct FailCase {
        const char* what;
        QString fileName;
        std::map<int, QString> tags;
        Tweak tweak;
        int32_t number;
        QString trailEnd;
    };
    const std::vector<FailCase> cases = {
        {"keep outside from character 0", "01 - Artist - Title.mp3", {},
         rule("Only include", "outside of", 0, 3, "character"), ErrNo::InvalidCall, "|ApplySimRules|SimulateChange"},
        {"between with the end two before the start", "01 - Artist - Title.mp3", {},
         rule("Only include", "between", 5, 3, "character"), ErrNo::InvalidCall, "|ApplySimRules|SimulateChange"},
        {"drop from character 0", "01 - Artist - Title.mp3", {}, rule("Don't include", "from", 0, 0, "character"),
         ErrNo::InvalidCall, "|ApplySimRules|SimulateChange"},
        {"drop between from character 0", "Artist - Title.mp3", {}, rule("Don't include", "between", 0, 4, "character"),
         ErrNo::InvalidCall, "|ApplySimRules|SimulateChange"},
        {"a part before the first", "01 - Artist - Title.mp3", {}, rule("Don't include", "up to", -2, 0, "separator"),
         ErrNo::SubscriptOutOfRange, "|ApplySimRules|SimulateChange"},
        {"order without the album, three parts", "A - B - C.mp3", {},
         [](CoordinatorOptions& o, CoordinatorAdvOptions&, DerivationOverrides&) {
             o.strOrder = {"Artist", "Title", "Title"};
         },
         ErrNo::SubscriptOutOfRange, "|WorkOutDerivedNames|SimulateChange"},
        {"a new name of only a dot", "", {}, [](CoordinatorOptions& o, CoordinatorAdvOptions&, DerivationOverrides&) {
             Mask(o, "%T");
         },
         ErrNo::BadFileNameOrNumber, "|FillOutColumns|SimulateChange"},
        {"a new name of two dots", "x", {{ScanColumn::ID3v2Title, "."}},
         [](CoordinatorOptions& o, CoordinatorAdvOptions&, DerivationOverrides&) {
             Mask(o, "%T");
             o.blnID3v2TagPref = true;
         },
         ErrNo::BadFileNameOrNumber, "|FillOutColumns|SimulateChange"},
        {"an extension that leaves no room", QStringLiteral("Artist - Title.") + QString(260, QLatin1Char('x')), {},
         nullptr, ErrNo::BadFileNameOrNumber, "|FillOutColumns|SimulateChange"},
    };
    for (const FailCase& c : cases) {
        SCOPED_TRACE(c.what);
        const SimulateOutcome out = Derive(RowCase{c.what, c.fileName, c.tags, c.tweak, {}});
        ASSERT_FALSE(out.ok());
        EXPECT_EQ(out.error->number(), c.number);
        EXPECT_TRUE(out.error->description().endsWith(c.trailEnd)) << out.error->description().toStdString();
        EXPECT_EQ(out.cells, SimRowTexts{});
    }
}

TEST(SimulateChange, LongNamesAreCutAtACharacter) {
    // Artist and title from the tags; the name may hold at most 255 bytes.
    struct LongCase {
        const char* what;
        QString title;
        QString expectedStem;
    };
    const QString accented(200, QChar(0xE9));  // two bytes each
    QString combining;
    for (int i = 0; i < 100; ++i) combining += QStringLiteral("e\u0301");  // three bytes each
    QString surrogates;
    for (int i = 0; i < 70; ++i) surrogates += QStringLiteral("\U0001F3B5");  // four bytes each
    const std::vector<LongCase> cases = {
        {"two-byte letters", accented, QString(125, QChar(0xE9))},
        {"a letter and its accent stay together", combining, combining.left(83 * 2)},
        {"a character outside the basic plane is not split", surrogates, surrogates.left(62 * 2)},
        {"blanks at the cut go", QString(250, QLatin1Char('a')) + QStringLiteral("   bbbbbbbb"), QString(250, QLatin1Char('a'))},
    };
    for (const LongCase& c : cases) {
        SCOPED_TRACE(c.what);
        CoordinatorOptions options = FirstRunRecords().options;
        CoordinatorAdvOptions adv = FirstRunRecords().adv;
        options.strFileNameFormat = "%T";
        options.blnID3v2TagPref = true;
        adv.blnCapitalise = {false, false};
        adv.blnDontChange = {true, true};
        adv.blnRemoveDoubleSpaces = false;
        const SimulateOutcome out = SimulateChange(
            ResultsRow("x - y.mp3", {{ScanColumn::ID3v2Title, c.title}}), options, adv);
        ASSERT_TRUE(out.ok());
        EXPECT_EQ(out.cells[SimColumn::Title], c.title);
        EXPECT_EQ(out.cells[SimColumn::NewFileName], c.expectedStem + ".mp3");
        EXPECT_LE(out.cells[SimColumn::NewFileName].toUtf8().size(), 255);
    }
}

TEST(SimulateChange, ReadsTheResultsModelRowAsItsCells) {
    ScanResultsModel results;
    results.appendRow(true, ResultsRow("03 - Artist - Song.mp3", {{ScanColumn::ID3v2Album, "Album"}}));
    results.appendRow(true, ResultsRow(QString::fromUtf8("04 - Björk - Jóga.mp3")));
    const CoordinatorRecords& r = FirstRunRecords();
    const NameDeriver deriver(r.options, r.adv);
    for (int row = 0; row < results.rows(); ++row) {
        const SimulateOutcome fromModel = deriver.simulate(results, row);
        const SimulateOutcome fromTexts = deriver.simulate(results.rowTexts(row));
        ASSERT_TRUE(fromModel.ok());
        EXPECT_EQ(fromModel.cells, fromTexts.cells);
    }
    EXPECT_EQ(deriver.simulate(results, 1).cells[SimColumn::NewFileName], QString::fromUtf8("04 - Björk - Jóga.mp3"));
}
