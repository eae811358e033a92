// The three ways of ticking duplicates, as a table of lists and the ticks
// they must get, and against a plain transcription of the row-by-row
// comparison with the kept rows on random lists.

#include "duplicates/DuplicateSelect.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <random>

namespace {

// Title v1, title v2, artist v1, artist v2.
DuplicateEntry Row(const QString& t1, const QString& t2, const QString& a1 = {}, const QString& a2 = {}) {
    return DuplicateEntry{"f.mp3", "/m", a1, t1, a2, t2};
}

std::vector<bool> Ticks(const char* pattern) {
    std::vector<bool> ticks;
    for (const char* c = pattern; *c; ++c) ticks.push_back(*c == 'x');
    return ticks;
}

bool Same(const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) == 0; }

// Each row against the kept rows, element by element.
std::vector<bool> Reference(const std::vector<DuplicateEntry>& rows, DuplicateSelectRule rule) {
    std::vector<bool> ticks;
    std::vector<DuplicateEntry> kept;
    auto oneOf = [](const QString& a, const QString& b, const QString& x, const QString& y) {
        return (!a.isEmpty() && (Same(a, x) || Same(a, y))) || (!b.isEmpty() && (Same(b, x) || Same(b, y)));
    };
    for (const DuplicateEntry& r : rows) {
        bool duplicate = rule == DuplicateSelectRule::All;
        for (const DuplicateEntry& k : kept) {
            if (duplicate) break;
            const bool title = oneOf(r.ID3v1Title, r.ID3v2Title, k.ID3v1Title, k.ID3v2Title);
            const bool artist = oneOf(r.ID3v1Artist, r.ID3v2Artist, k.ID3v1Artist, k.ID3v2Artist);
            duplicate = rule == DuplicateSelectRule::BarOne ? title : title && artist;
        }
        ticks.push_back(duplicate);
        if (!duplicate) kept.push_back(r);
    }
    return ticks;
}

}  // namespace

TEST(DuplicateSelect, TicksAsEachRuleSays) {
    using R = DuplicateSelectRule;
    struct Case {
        const char* what;
        R rule;
        std::vector<DuplicateEntry> rows;
        const char* ticks;
    };
    const std::vector<Case> cases = {
        {"all", R::All, {Row("a", ""), Row("b", ""), Row("a", "")}, "xxx"},
        {"all of nothing", R::All, {}, ""},
        {"bar one: two groups of 3 and 2 keep their top rows",
         R::BarOne,
         {Row("Alpha", ""), Row("alpha", ""), Row("ALPHA", ""), Row("Beta", ""), Row("beta", "")},
         "-xx-x"},
        {"bar one: an ID3v2 title meets a kept ID3v1 title", R::BarOne, {Row("Song", ""), Row("", "SONG")}, "-x"},
        {"bar one: a ticked row adds nothing to what is kept",
         R::BarOne,
         {Row("A", ""), Row("a", "B"), Row("b", "")},
         "-x-"},
        {"bar one: empty titles never meet", R::BarOne, {Row("", ""), Row("", "")}, "--"},
        {"same artist: title and artist of one kept row",
         R::SameArtistBarOne,
         {Row("Song", "", "Band"), Row("", "song", "", "BAND")},
         "-x"},
        {"same artist: the title meets but not the artist, so the row is kept",
         R::SameArtistBarOne,
         {Row("Song", "", "Band"), Row("Song", "", "Other"), Row("song", "", "other")},
         "--x"},
        {"same artist: artist and title from two different kept rows do not make a pair",
         R::SameArtistBarOne,
         {Row("One", "", "X"), Row("Two", "", "Y"), Row("Two", "", "X")},
         "---"},
        {"same artist: a row without any artist is never ticked",
         R::SameArtistBarOne,
         {Row("Song", ""), Row("Song", "")},
         "--"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SelectDuplicateRows(c.rows, c.rule), Ticks(c.ticks)) << c.what;
        EXPECT_EQ(Reference(c.rows, c.rule), Ticks(c.ticks)) << c.what << " (reference)";
    }
}

TEST(DuplicateSelect, AgreesWithTheRowByRowComparisonOnRandomLists) {
    const QStringList pool = {"", "", "a", "A", "b", "B ", "ab", "ä", "Ä", "ss", "ß"};
    std::mt19937 rng(3);
    auto pick = [&] { return pool[std::uniform_int_distribution<int>(0, int(pool.size()) - 1)(rng)]; };
    for (int round = 0; round < 2000; ++round) {
        std::vector<DuplicateEntry> rows;
        const int n = std::uniform_int_distribution<int>(0, 30)(rng);
        for (int i = 0; i < n; ++i) rows.push_back(Row(pick(), pick(), pick(), pick()));
        for (DuplicateSelectRule rule : {DuplicateSelectRule::BarOne, DuplicateSelectRule::SameArtistBarOne})
            ASSERT_EQ(SelectDuplicateRows(rows, rule), Reference(rows, rule)) << "round " << round;
    }
}
