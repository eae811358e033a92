// The catalogue sort: the exchange sort's order of equal keys, numeric and
// text keys, the direction, unknown keys and Stop.

#include "CatalogueFixtures.h"
#include "cataloguer/Catalogue.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using namespace ScanColumn;

// The exchange sort itself, quadratic: what the fast order must equal.
std::vector<int32_t> ExchangeSorted(const std::vector<int32_t>& ranks) {
    std::vector<int32_t> a(ranks.size());
    for (size_t i = 0; i < a.size(); ++i) a[i] = int32_t(i);
    for (size_t i = 0; i + 1 < a.size(); ++i)
        for (size_t j = i + 1; j < a.size(); ++j)
            if (ranks[size_t(a[j])] < ranks[size_t(a[i])]) std::swap(a[i], a[j]);
    return a;
}

TEST(CatalogueSort, EqualKeysEndInTheExchangeSortsOrder) {
    // Small cases that show it is not list order.
    const std::vector<std::vector<int32_t>> fixed = {
        {}, {0}, {1, 1, 0}, {2, 1, 1, 0, 1}, {0, 0, 0}, {3, 2, 1, 0}, {1, 0, 1, 0, 1, 0},
    };
    for (const auto& ranks : fixed) EXPECT_EQ(ExchangeSortOrder(ranks), ExchangeSorted(ranks));
    EXPECT_EQ(ExchangeSortOrder(std::vector<int32_t>{1, 1, 0}), (std::vector<int32_t>{2, 1, 0}));

    std::mt19937 random(20);
    for (int trial = 0; trial < 3000; ++trial) {
        const int n = std::uniform_int_distribution<int>(0, 60)(random);
        const int distinct = std::uniform_int_distribution<int>(1, trial % 3 == 0 ? 3 : 12)(random);
        std::vector<int32_t> ranks(static_cast<size_t>(n));
        for (int32_t& r : ranks) r = std::uniform_int_distribution<int32_t>(0, distinct - 1)(random);
        ASSERT_EQ(ExchangeSortOrder(ranks), ExchangeSorted(ranks)) << "trial " << trial;
    }
}

// The file names of the entries after sorting `rows` (file name, then the
// cells) on `key`.
QString SortedNames(const std::vector<ScanRecord>& rows, const QString& key, bool descending,
                    TagPreference preference = TagPreference::ID3v1) {
    Catalogue catalogue(rows, CatalogueOutput::Text, 100);
    RecordingJob job;
    SortCatalogue(catalogue, key, descending, preference, job);
    return FileNames(catalogue).join(QLatin1Char(' '));
}

TEST(CatalogueSort, KeysCompareAsTheirColumnDoes) {
    const std::vector<ScanRecord> rows = {
        EntryFrom({{FileName, "a"}, {Size, "10000"}, {ID3v1Track, "9"}, {ID3v1Title, "apple"}, {LengthMs, "1999"}}),
        EntryFrom({{FileName, "b"}, {Size, "9000"}, {ID3v1Track, "10"}, {ID3v1Title, "Zebra"}, {LengthMs, "1001"}}),
        EntryFrom({{FileName, "c"}, {Size, "123456"}, {ID3v1Track, "2"}, {ID3v1Title, "app"}, {LengthMs, "1500"}}),
    };
    struct Case {
        const char* key;
        bool descending;
        const char* expected;
    };
    const Case cases[] = {
        {"File Size", false, "b a c"},  // numbers: 9,000 before 10,000
        {"File Size", true, "c a b"},
        {"Track", false, "b c a"},      // text: "10" before "2" before "9"
        {"Title", false, "b c a"},      // capitals first; a beginning sorts first
        {"Title", true, "a c b"},
        {"Length", false, "b c a"},     // milliseconds, though all show 00:00:01
        {"Bogus", false, "a b c"},      // not a column: the order stays
        {"title", true, "a b c"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SortedNames(rows, QString::fromUtf8(c.key), c.descending), c.expected) << c.key << c.descending;
}

TEST(CatalogueSort, TagColumnsSortOnThePreferredValue) {
    const std::vector<ScanRecord> rows = {
        EntryFrom({{FileName, "a"}, {ID3v1Artist, "Zed"}, {ID3v2Artist, "Abba"}}),
        EntryFrom({{FileName, "b"}, {ID3v1Artist, "Mid"}}),
        EntryFrom({{FileName, "c"}, {ID3v2Artist, "Yes"}}),
    };
    EXPECT_EQ(SortedNames(rows, QStringLiteral("Artist"), false, TagPreference::ID3v1), "b c a");
    EXPECT_EQ(SortedNames(rows, QStringLiteral("Artist"), false, TagPreference::ID3v2), "a b c");
}

TEST(CatalogueSort, DescendingTiesFollowTheExchangeSortToo) {
    // Descending swaps when the later key is larger, so ties behave as in
    // the ascending sort of the reversed keys.
    std::vector<ScanRecord> rows;
    const char* sizes[] = {"1", "2", "2", "1", "3", "2"};
    for (int i = 0; i < 6; ++i)
        rows.push_back(EntryFrom({{FileName, QString::number(i)}, {Size, QString::fromLatin1(sizes[i])}}));
    const std::vector<int32_t> reversed = {2, 1, 1, 2, 0, 1};
    QStringList expected;
    for (int32_t i : ExchangeSorted(reversed)) expected << QString::number(i);
    EXPECT_EQ(SortedNames(rows, QStringLiteral("File Size"), true), expected.join(QLatin1Char(' ')));
}

TEST(CatalogueSort, StopLeavesTheOrderAndSaysSo) {
    std::vector<ScanRecord> rows;
    for (const char* name : {"c", "b", "a"}) rows.push_back(EntryFrom({{FileName, name}, {ID3v1Title, name}}));
    Catalogue catalogue(rows, CatalogueOutput::Text, 100);
    RecordingJob job;
    job.stopAtYield = 2;
    SortCatalogue(catalogue, QStringLiteral("Title"), false, TagPreference::ID3v1, job);
    EXPECT_EQ(FileNames(catalogue).join(QString()), "cba");
    EXPECT_EQ(job.statuses, (QStringList{"Sorting Results 1 of 3 - Please wait...",
                                         "Sorting Results 2 of 3 - Please wait...", "Sorting interrupted by user"}));

    RecordingJob fresh;
    SortCatalogue(catalogue, QStringLiteral("Title"), false, TagPreference::ID3v1, fresh);
    EXPECT_EQ(FileNames(catalogue).join(QString()), "abc");
    EXPECT_EQ(fresh.statuses.last(), "Sorting complete");
}

}  // namespace
