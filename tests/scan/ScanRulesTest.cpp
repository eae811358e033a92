#include "foundation/NumberText.h"
#include "scanning/engine/ScanRules.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {
ScanRule Rule(const char* choice, const char* scope, const char* filter, const char* target, bool caseSensitive = false) {
    return ScanRule{QString::fromUtf8(choice), QString::fromUtf8(scope), QString::fromUtf8(filter),
                    QString::fromUtf8(target), caseSensitive};
}
const char* const kOut = "Don't include files";
const char* const kOnly = "Only include files";

// The rule list as the options hold it: the rules, then one spare element.
std::vector<ScanRule> Rules(std::initializer_list<ScanRule> rules) {
    std::vector<ScanRule> list(rules);
    list.emplace_back();
    return list;
}

struct File {
    QString name = QStringLiteral("01 - Song.mp3");
    ID3v1Tag v1;
    ID3v2Tag v2;
};
}  // namespace

TEST(ScanRules, FirstDecidingRuleWins) {
    File rock;
    rock.v1.Genre = 17;  // Rock
    rock.v1.Year = QStringLiteral("2003");
    rock.v1.Artist = QStringLiteral("The Band");
    rock.v2.Composer = QStringLiteral("Writer");
    File untagged;
    untagged.name = QStringLiteral("LIVE take.MP3");

    const struct {
        const char* what;
        std::vector<ScanRule> rules;
        const File& file;
        bool included;
    } cases[] = {
        {"no rules", Rules({}), rock, true},
        {"an empty list without the spare element", {}, rock, true},
        {"leave out names containing a text, any case", Rules({Rule(kOut, "containing", "live", "in File Name")}),
         untagged, false},
        {"... others stay", Rules({Rule(kOut, "containing", "live", "in File Name")}), rock, true},
        {"only a genre by name", Rules({Rule(kOnly, "equal to", "rock", "in ID3v1 Genre")}), rock, true},
        {"... a file without ID3v1 tag is out", Rules({Rule(kOnly, "equal to", "Rock", "in ID3v1 Genre")}), untagged,
         false},
        {"only-rule that matches ends evaluation",
         Rules({Rule(kOnly, "equal to", "Rock", "in ID3v1 Genre"), Rule(kOut, "containing", "Band", "in ID3v1 Artist")}),
         rock, true},
        {"no decision by rule 1, rule 2 only-rule does not match",
         Rules({Rule(kOut, "equal to", "Jazz", "in ID3v1 Genre"), Rule(kOnly, "equal to", "1999", "in ID3v1 Year")}),
         rock, false},
        {"don't-rule after a non-matching don't-rule",
         Rules({Rule(kOut, "equal to", "Jazz", "in ID3v1 Genre"), Rule(kOut, "not equal to", "", "in ID3v2 Composer")}),
         rock, false},
        {"every rule passed without decision",
         Rules({Rule(kOut, "equal to", "Jazz", "in ID3v1 Genre"), Rule(kOut, "greater than", "2010", "in ID3v1 Year")}),
         rock, true},
        {"choice, scope and target ignore letter case",
         Rules({Rule("ONLY INCLUDE FILES", "EQUAL TO", "writer", "IN ID3V2 COMPOSER")}), rock, true},
        {"unrecognised choice never decides",
         Rules({Rule("Maybe include files", "equal to", "Rock", "in ID3v1 Genre")}), rock, true},
        {"unrecognised scope matches nothing", Rules({Rule(kOnly, "resembling", "Rock", "in ID3v1 Genre")}), rock,
         false},
        {"unrecognised target compares an empty value", Rules({Rule(kOnly, "equal to", "", "in ID3v1 Track")}), rock,
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ApplyScanRules(c.rules, c.file.v1, c.file.v2, c.file.name), c.included);
    }
}

TEST(ScanRules, EveryTargetReadsItsField) {
    File f;
    f.name = QStringLiteral("name.mp3");
    f.v1 = ID3v1Tag{"t1", "a1", 4, "b1", "y1", "c1", 147};
    f.v2 = ID3v2Tag{"t2", "a2", "9", "b2", "y2", "c2", "(17)", "k2", "o2", "r2", "u2", "e2"};
    const struct {
        const char* target;
        const char* value;
    } cases[] = {
        {"in File Name", "name.mp3"},      {"in ID3v1 Title", "t1"},      {"in ID3v1 Artist", "a1"},
        {"in ID3v1 Album", "b1"},          {"in ID3v1 Year", "y1"},       {"in ID3v1 Comment", "c1"},
        {"in ID3v1 Genre", "Synthpop"},    {"in ID3v2 Title", "t2"},      {"in ID3v2 Artist", "a2"},
        {"in ID3v2 Album", "b2"},          {"in ID3v2 Year", "y2"},       {"in ID3v2 Comment", "c2"},
        {"in ID3v2 Genre", "(17)"},        {"in ID3v2 Composer", "k2"},   {"in ID3v2 Orig. Artist", "o2"},
        {"in ID3v2 Copyright", "r2"},      {"in ID3v2 URL", "u2"},        {"in ID3v2 Encoded by", "e2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        EXPECT_TRUE(ApplyScanRules(Rules({Rule(kOnly, "equal to", c.value, c.target, true)}), f.v1, f.v2, f.name));
        EXPECT_FALSE(ApplyScanRules(Rules({Rule(kOnly, "equal to", "other", c.target, true)}), f.v1, f.v2, f.name));
    }
}

TEST(ScanRules, Comparisons) {
    const struct {
        const char* scope;
        const char* value;
        const char* filter;
        bool caseSensitive;
        bool matches;
    } cases[] = {
        {"equal to", "rock", "Rock", true, false},
        {"equal to", "rock", "Rock", false, true},
        {"not equal to", "rock", "Rock", true, true},
        {"not equal to", "rock", "Rock", false, false},
        {"containing", "Hard Rock Live", "rock", false, true},
        {"containing", "Hard Rock Live", "rock", true, false},
        {"containing", "anything", "", false, true},
        {"containing", "", "", false, false},
        {"not containing", "", "", false, true},
        {"not containing", "Hard Rock", "Jazz", false, true},
        {"greater than", "2003", "2000", false, true},
        {"greater than", "1999", "2000", false, false},
        {"greater than", "", "2000", false, false},
        {"less than", "", "2000", false, true},
        {"less than", "9", "10", false, true},      // numbers, not texts
        {"greater than", "9", "10", true, false},   // numbers whatever the case flag
        {"greater than", " 1e3 ", "999.5", false, true},
        {"less than", "-5", "+2", false, true},
        {"less than", "abc", "B", false, true},
        {"less than", "c", "B", false, false},
        {"less than", "abc", "B", true, false},     // exact codes: "a" comes after "B"
        {"greater than", "9a", "10", false, true},  // not numeric: compared as texts
        {"less than", "Zebra", "apple", true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.scope) + " '" + c.value + "' '" + c.filter + "'");
        EXPECT_EQ(ScanRuleMatches(Rule(kOnly, c.scope, c.filter, "in File Name", c.caseSensitive),
                                  QString::fromUtf8(c.value)),
                  c.matches);
    }
}

TEST(ScanRules, NumericTexts) {
    // Group and decimal separators are the locale's.
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const struct {
        const char* text;
        bool numeric;
        double value;
    } cases[] = {
        {"2000", true, 2000},   {" 12 ", true, 12},   {"-3.5", true, -3.5}, {"+7", true, 7},
        {"1e3", true, 1000},    {"2D2", true, 200},   {"1,000", true, 1},   {"5-", true, 5},
        {".5", true, 0.5},      {"&H1F", true, 31},   {"&O17", true, 15},   {"", false, 0},
        {"abc", false, 0},      {"12abc", false, 12}, {"1e", false, 1},     {"-", false, 0},
        {"1.2.3", false, 1.2},  {"3/12", false, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(IsNumericText(QString::fromUtf8(c.text)), c.numeric);
        EXPECT_DOUBLE_EQ(LeadingNumber(QString::fromUtf8(c.text)), c.value);
    }
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_TRUE(IsNumericText("1.000,5"));
    EXPECT_DOUBLE_EQ(LeadingNumber("1.000,5"), 1.0);  // read with the period as decimal point
    QLocale::setDefault(saved);
}
