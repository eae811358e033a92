// The duplicate search against a plain transcription of the pairwise search
// it replaces: the same files, in the same order, for thousands of random row
// sets (with letter case, both tag versions, repeated files and Stop at any
// pass), plus the cases a user meets.

#include "duplicates/DuplicateSearch.h"
#include "duplicates/DuplicatesModel.h"
#include "scanning/engine/ScanRecord.h"
#include "scanning/engine/ScanResultsModel.h"
#include "support/QtPrinters.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <random>

// Readable entries in failure messages.
void PrintTo(const DuplicateEntry& e, std::ostream* os) { *os << qPrintable(e.Folder + "/" + e.FileName); }

namespace {

bool Same(const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) == 0; }

// The search compares every pair: entry i with every later j; a match records
// i, then j, each only when no listed file has the same folder and file name.
// `stopAtPass` (1-based) is the pass whose start sees a Stop; 0 for none.
std::vector<DuplicateEntry> PairwiseReference(const std::vector<DuplicateEntry>& results, int64_t stopAtPass = 0) {
    std::vector<DuplicateEntry> found;
    auto titleMatch = [](const QString& mine, const QString& theirs) { return !mine.isEmpty() && Same(mine, theirs); };
    auto match = [&](const DuplicateEntry& i, const DuplicateEntry& j) {
        return titleMatch(i.ID3v1Title, j.ID3v1Title) || titleMatch(i.ID3v1Title, j.ID3v2Title) ||
               titleMatch(i.ID3v2Title, j.ID3v2Title) || titleMatch(i.ID3v2Title, j.ID3v1Title);
    };
    auto record = [&](const DuplicateEntry& e) {
        bool listed = false;
        for (const DuplicateEntry& d : found)
            if (Same(d.Folder, e.Folder) && Same(d.FileName, e.FileName)) listed = true;
        if (!listed) found.push_back(e);
    };
    const int64_t n = int64_t(results.size());
    for (int64_t i = 1; i <= n - 1; ++i) {
        if (i == stopAtPass) break;
        for (int64_t j = i + 1; j <= n; ++j)
            if (match(results[size_t(i - 1)], results[size_t(j - 1)])) {
                record(results[size_t(i - 1)]);
                record(results[size_t(j - 1)]);
            }
    }
    return found;
}

// Sets the stop flag at its `stopAtYield`-th yield (1-based; 0 never), and
// yields at every pass.
class StoppingHost : public JobHost {
public:
    explicit StoppingHost(int64_t stopAtYield = 0) : m_stopAt(stopAtYield) {}
    int YieldIntervalMs() const override { return 0; }
    void Yield() override {
        if (++yields == m_stopAt) mblnStopAll = true;
    }
    void ShowStatus(const QString& text) override { statuses << text; }
    int64_t yields = 0;
    QStringList statuses;

private:
    int64_t m_stopAt;
};

DuplicateEntry Entry(const QString& folder, const QString& file, const QString& v1Title, const QString& v2Title,
                     const QString& v1Artist = {}, const QString& v2Artist = {}) {
    return DuplicateEntry{file, folder, v1Artist, v1Title, v2Artist, v2Title};
}

QStringList Names(const std::vector<DuplicateEntry>& entries) {
    QStringList names;
    for (const DuplicateEntry& e : entries) names << e.Folder + "/" + e.FileName;
    return names;
}

// Titles that meet each other only ignoring case, some only in one of the
// two ways of folding, and characters outside the first plane.
const QStringList kTitlePool = {
    "", "", "Song", "song", "SONG", " song", "Song ", "Ärger", "äRGER", "straße", "STRASSE", "Straße",
    "ǅungla", "ǆungla", "Ǆungla", "ΣΑΣ", "σας", "σασ", QString::fromUtf8("\xF0\x90\x90\x80x"),
    QString::fromUtf8("\xF0\x90\x90\xA8X"), "İstanbul", "istanbul", "ıstanbul", "K", "k", "\u212A", "Blue", "blue"};
const QStringList kFolderPool = {"/music", "/Music", "/other"};
const QStringList kFilePool = {"a.mp3", "A.mp3", "b.mp3", "c.mp3", "d.mp3", "e.mp3"};

std::vector<DuplicateEntry> RandomEntries(std::mt19937& rng, int n) {
    auto pick = [&](const QStringList& pool) {
        return pool[std::uniform_int_distribution<int>(0, int(pool.size()) - 1)(rng)];
    };
    std::vector<DuplicateEntry> entries;
    for (int i = 0; i < n; ++i) {
        // Mostly distinct files; sometimes one listed twice under other letter case.
        const bool repeat = std::uniform_int_distribution<int>(0, 9)(rng) == 0;
        const QString file = repeat ? pick(kFilePool) : QStringLiteral("f%1.mp3").arg(i);
        entries.push_back(Entry(pick(kFolderPool), file, pick(kTitlePool), pick(kTitlePool)));
    }
    return entries;
}

}  // namespace

TEST(DuplicateKeys, FoldedKeysAreEqualExactlyWhenTheTextsCompareEqualIgnoringCase) {
    QStringList texts = kTitlePool;
    // Lone and paired surrogates, and pairs whose folding changes the code point.
    texts << QString(QChar(0xD801)) << QString(QChar(0xDC00)) << QString::fromUtf8("\xF0\x90\x90\x80")
          << QString::fromUtf8("\xF0\x90\x90\xA8") << QString::fromUtf16(u"\xD801\xDC00\xDC00")
          << QString::fromUtf16(u"\xDC00\xD801") << "ß" << "ss" << "ẞ" << "µ" << "μ" << "Μ";
    for (const QString& a : texts)
        for (const QString& b : texts)
            EXPECT_EQ(FoldCaseKey(a) == FoldCaseKey(b), Same(a, b)) << qPrintable(a) << " / " << qPrintable(b);
}

TEST(DuplicateSearch, GivesThePairwiseSearchsFilesInItsOrder) {
    std::mt19937 rng(20261211);
    for (int round = 0; round < 3000; ++round) {
        const int n = std::uniform_int_distribution<int>(0, 40)(rng);
        const std::vector<DuplicateEntry> entries = RandomEntries(rng, n);
        JobHost job;
        const DuplicateSearchResult result = FindDuplicates(entries, job);
        ASSERT_EQ(Names(result.duplicates), Names(PairwiseReference(entries))) << "round " << round;
        ASSERT_EQ(result.duplicates, PairwiseReference(entries)) << "round " << round;
        EXPECT_FALSE(result.stopped);
    }
}

TEST(DuplicateSearch, AStopAtAnyPassKeepsWhatThePairwiseSearchHadFound) {
    std::mt19937 rng(7);
    for (int round = 0; round < 2000; ++round) {
        const int n = std::uniform_int_distribution<int>(2, 40)(rng);
        const std::vector<DuplicateEntry> entries = RandomEntries(rng, n);
        const int64_t stopPass = std::uniform_int_distribution<int64_t>(1, n - 1)(rng);
        StoppingHost job(stopPass);  // one yield per pass: the pass-th yield comes before pass `stopPass`
        const DuplicateSearchResult result = FindDuplicates(entries, job);
        ASSERT_EQ(result.duplicates, PairwiseReference(entries, stopPass))
            << "round " << round << " stop at pass " << stopPass;
        EXPECT_TRUE(result.stopped);
        EXPECT_EQ(result.passes, stopPass - 1);
    }
}

TEST(DuplicateSearch, CasesAUserMeets) {
    struct Case {
        const char* what;
        std::vector<DuplicateEntry> entries;
        QStringList found;
    };
    const std::vector<Case> cases = {
        {"nothing read", {}, {}},
        {"one row: no pass runs", {Entry("/m", "a.mp3", "Song", "Song")}, {}},
        {"an ID3v2-only title meets an ID3v1-only title in other letter case",
         {Entry("/m", "a.mp3", "", "Blue Moon"), Entry("/m", "b.mp3", "BLUE MOON", "")},
         {"/m/a.mp3", "/m/b.mp3"}},
        {"the same, the other way round",
         {Entry("/m", "b.mp3", "BLUE MOON", ""), Entry("/m", "a.mp3", "", "Blue Moon")},
         {"/m/b.mp3", "/m/a.mp3"}},
        {"empty titles never match",
         {Entry("/m", "a.mp3", "", ""), Entry("/m", "b.mp3", "", ""), Entry("/m", "c.mp3", "", "")},
         {}},
        {"three alike give three rows",
         {Entry("/m", "a.mp3", "X", ""), Entry("/m", "b.mp3", "x", ""), Entry("/m", "c.mp3", "", "X")},
         {"/m/a.mp3", "/m/b.mp3", "/m/c.mp3"}},
        {"blanks at the ends count",
         {Entry("/m", "a.mp3", "Song", ""), Entry("/m", "b.mp3", "Song ", ""), Entry("/m", "c.mp3", " Song", "")},
         {}},
        {"a later match of an earlier title is listed at that title's pass",
         {Entry("/m", "1.mp3", "A", ""), Entry("/m", "2.mp3", "B", ""), Entry("/m", "3.mp3", "b", "a"),
          Entry("/m", "4.mp3", "B", "")},
         {"/m/1.mp3", "/m/3.mp3", "/m/2.mp3", "/m/4.mp3"}},
        {"one file listed twice in the results is listed once",
         {Entry("/m", "a.mp3", "Song", ""), Entry("/M", "A.MP3", "Song", ""), Entry("/m", "c.mp3", "song", "")},
         {"/m/a.mp3", "/m/c.mp3"}},
    };
    for (const Case& c : cases) {
        JobHost job;
        EXPECT_EQ(Names(FindDuplicates(c.entries, job).duplicates), c.found) << c.what;
        EXPECT_EQ(Names(PairwiseReference(c.entries)), c.found) << c.what << " (reference)";
    }
}

TEST(DuplicateSearch, ShowsItsPassesAndProgressAsItGoes) {
    std::vector<DuplicateEntry> entries;
    for (int i = 0; i < 4; ++i) entries.push_back(Entry("/m", QStringLiteral("%1.mp3").arg(i), "t", ""));
    StoppingHost job;
    FindDuplicates(entries, job);
    EXPECT_EQ(job.statuses, QStringList({"Searching for duplicates for Result 1 of 4 - Please wait...",
                                         "Searching for duplicates for Result 2 of 4 - Please wait...",
                                         "Searching for duplicates for Result 3 of 4 - Please wait..."}));
}

TEST(DuplicateSearch, ReadsTheCheckedRowsInListOrderAndStopsWhenAsked) {
    ScanResultsModel results;
    auto row = [](const QString& file, const QString& v1Title, const QString& v2Title) {
        ScanRowTexts t;
        t[ScanColumn::FileName] = file;
        t[ScanColumn::Folder] = "/music";
        t[ScanColumn::ID3v1Title] = v1Title;
        t[ScanColumn::ID3v1Artist] = "Artist " + file;
        t[ScanColumn::ID3v2Title] = v2Title;
        t[ScanColumn::ID3v2Artist] = "Artist2 " + file;
        t[ScanColumn::ID3v1Album] = "not read";
        return t;
    };
    results.appendRow(true, row("a.mp3", "One", "Uno"));
    results.appendRow(false, row("b.mp3", "Two", ""));
    results.appendRow(true, row("c.mp3", "", "Three"));

    StoppingHost job;
    const std::vector<DuplicateEntry> read = ReadCheckedResults(results, job, 4);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0], (DuplicateEntry{"a.mp3", "/music", "Artist a.mp3", "One", "Artist2 a.mp3", "Uno"}));
    EXPECT_EQ(read[1], (DuplicateEntry{"c.mp3", "/music", "Artist c.mp3", "", "Artist2 c.mp3", "Three"}));
    EXPECT_EQ(job.statuses.front(), "Reading Results: /music/a.mp3");

    StoppingHost stopped(2);  // Stop pressed while the second row is reached
    EXPECT_EQ(ReadCheckedResults(results, stopped, 4).size(), 1u);
    // The search then sees the flag at its first pass: nothing is listed.
    const DuplicateSearchResult result = FindDuplicates({read[0], read[0], read[1]}, stopped);
    EXPECT_TRUE(result.duplicates.empty());
    EXPECT_TRUE(result.stopped);
}

TEST(DuplicatesList, KeepsItsRowsInTitleOrderWithFoundOrderAmongEqualTitles) {
    DuplicatesModel list;
    list.setEntries({Entry("/m", "1.mp3", "beta", ""), Entry("/m", "2.mp3", "Alpha", "beta"),
                     Entry("/m", "3.mp3", "Beta", ""), Entry("/m", "4.mp3", "alpha", "")});
    QStringList files;
    for (int r = 0; r < list.rows(); ++r) files << list.text(r, DuplicateColumn::FileName);
    EXPECT_EQ(files, QStringList({"2.mp3", "4.mp3", "1.mp3", "3.mp3"}));
    EXPECT_EQ(list.checkedCount(), 0);
    EXPECT_EQ(list.headerData(3, Qt::Horizontal).toString(), "ID3v1 Title");
    EXPECT_EQ(list.headerData(0, Qt::Horizontal).toString(), "Folder");
}
