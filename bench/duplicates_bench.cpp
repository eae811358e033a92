// duplicates_bench [ROWS] [PAIRWISE_ROWS]: the duplicate search over a
// generated results list (default 100,000 rows, a tenth of them sharing a
// title with an earlier row in other letter case, titles in either or both tag
// versions): reading the checked rows, the search, and the list's sort, as
// Find Duplicates does them.  Beside it in the same run: the pairwise
// comparison the search replaces, on a smaller list (default 5,000 rows), and
// the fast search on that same list, for the ratio; and a plain case-folded
// sort of the big list's titles as a yardstick.

#include "duplicates/DuplicateSearch.h"
#include "duplicates/DuplicatesModel.h"
#include "scanning/engine/ScanRecord.h"
#include "scanning/engine/ScanResultsModel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <random>

namespace {

bool Same(const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) == 0; }

// The search as first written: every pair, and the found list scanned for
// each file recorded.
std::vector<DuplicateEntry> Pairwise(const std::vector<DuplicateEntry>& e) {
    std::vector<DuplicateEntry> found;
    auto titleMatch = [](const QString& mine, const QString& theirs) { return !mine.isEmpty() && Same(mine, theirs); };
    auto record = [&](const DuplicateEntry& x) {
        bool listed = false;
        for (const DuplicateEntry& d : found)
            if (Same(d.Folder, x.Folder) && Same(d.FileName, x.FileName)) listed = true;
        if (!listed) found.push_back(x);
    };
    for (size_t i = 0; i + 1 < e.size(); ++i)
        for (size_t j = i + 1; j < e.size(); ++j)
            if (titleMatch(e[i].ID3v1Title, e[j].ID3v1Title) || titleMatch(e[i].ID3v1Title, e[j].ID3v2Title) ||
                titleMatch(e[i].ID3v2Title, e[j].ID3v2Title) || titleMatch(e[i].ID3v2Title, e[j].ID3v1Title)) {
                record(e[i]);
                record(e[j]);
            }
    return found;
}

QString MixCase(QString text, std::mt19937& rng) {
    for (QChar& c : text)
        if (rng() % 2) c = c.isUpper() ? c.toLower() : c.toUpper();
    return text;
}

void Fill(ScanResultsModel& results, int rows, uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<QString> titles;
    titles.reserve(size_t(rows));
    std::vector<ScanResultsModel::NewRow> batch;
    batch.reserve(size_t(rows));
    for (int i = 0; i < rows; ++i) {
        QString title = QStringLiteral("Song Title Number %1").arg(i);
        if (i > 0 && rng() % 10 == 0) title = MixCase(titles[rng() % titles.size()], rng);
        titles.push_back(title);
        ScanResultsModel::NewRow row;
        row.checked = true;
        row.texts[ScanColumn::FileName] = QStringLiteral("%1 - Song.mp3").arg(i);
        row.texts[ScanColumn::Folder] = QStringLiteral("/home/someone/Music/Album %1").arg(i / 12);
        row.texts[ScanColumn::ID3v1Artist] = QStringLiteral("Artist %1").arg(i / 120);
        row.texts[ScanColumn::ID3v2Artist] = row.texts[ScanColumn::ID3v1Artist];
        switch (rng() % 3) {
        case 0: row.texts[ScanColumn::ID3v1Title] = title; break;
        case 1: row.texts[ScanColumn::ID3v2Title] = title; break;
        default:
            row.texts[ScanColumn::ID3v1Title] = title.left(30);  // an ID3v1 title holds 30 characters
            row.texts[ScanColumn::ID3v2Title] = title;
        }
        batch.push_back(std::move(row));
    }
    results.appendRows(std::move(batch));
}

struct Timed {
    double ms = 0;
    size_t found = 0;
};

// Read, search, list: what Find Duplicates does without its window.
Timed FastFind(const ScanResultsModel& results) {
    QElapsedTimer timer;
    timer.start();
    JobHost job;
    const std::vector<DuplicateEntry> entries = ReadCheckedResults(results, job, 2 * results.rows());
    DuplicateSearchResult found = FindDuplicates(entries, job, int64_t(entries.size()), 2 * results.rows());
    const size_t count = found.duplicates.size();
    DuplicatesModel list;
    list.setEntries(std::move(found.duplicates));
    return {double(timer.nsecsElapsed()) / 1e6, count};
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int pairwiseRows = argc > 2 ? std::atoi(argv[2]) : 5000;

    ScanResultsModel big;
    Fill(big, rows, 1);
    const Timed fast = FastFind(big);

    // Yardstick: one case-folded sort of every title of the big list.
    QElapsedTimer timer;
    timer.start();
    std::vector<QString> keys;
    keys.reserve(size_t(rows));
    for (int r = 0; r < big.rows(); ++r)
        keys.push_back((big.text(r, ScanColumn::ID3v1Title) + big.text(r, ScanColumn::ID3v2Title)).toCaseFolded());
    std::sort(keys.begin(), keys.end());
    const double sortMs = double(timer.nsecsElapsed()) / 1e6;

    ScanResultsModel small;
    Fill(small, pairwiseRows, 2);
    const Timed fastSmall = FastFind(small);
    JobHost job;
    const std::vector<DuplicateEntry> smallEntries = ReadCheckedResults(small, job, 0);
    timer.restart();
    const size_t pairwiseFound = Pairwise(smallEntries).size();
    const double pairwiseMs = double(timer.nsecsElapsed()) / 1e6;

    std::printf("find duplicates, %d rows:     %9.1f ms, %zu found (%s a second)\n", rows, fast.ms, fast.found,
                fast.ms < 1000 ? "under" : "NOT under");
    std::printf("plain sort of %d titles:      %9.1f ms (find / sort = %.1f)\n", rows, sortMs, fast.ms / sortMs);
    std::printf("find duplicates, %d rows:       %9.1f ms, %zu found\n", pairwiseRows, fastSmall.ms, fastSmall.found);
    std::printf("pairwise search, %d rows:       %9.1f ms, %zu found (pairwise / find = %.0f)\n", pairwiseRows,
                pairwiseMs, pairwiseFound, pairwiseMs / std::max(fastSmall.ms, 0.001));
    return pairwiseFound == fastSmall.found ? 0 : 1;
}
