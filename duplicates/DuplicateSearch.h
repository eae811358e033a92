#pragma once
// Finding the files whose titles match.  Each checked row of the results list
// becomes a DuplicateEntry; two entries match when a non-empty title of one
// (ID3v1 or ID3v2) equals a title of the other (either version), ignoring
// letter case as QString::compare with Qt::CaseInsensitive does.  Artists,
// file names and folders play no part in the match.
//
// The found list holds every entry that matches at least one other, each file
// (folder and file name, compared ignoring case) once, in the order of an
// outer pass over the entries: pass p lists entry p when a later entry
// matches it, then every later entry that matches it, in entry order, each
// only where it was not listed before.  The search reaches that order
// without comparing pairs: every title is folded to a key once, a hash gives
// each key its first entry and its number of entries, and an entry's pass
// (its "place") is the smallest first entry over its keys; the found list is
// the entries that share a key, by (place, entry).  A Stop seen before pass p
// keeps exactly the entries whose place is below p.
//
// The search runs as a long job: it yields between passes (YieldClock),
// shows "Searching for duplicates for Result i of n - Please wait..." and
// leaves when the host's stop flag is set.

#include "foundation/JobHost.h"

#include <QString>
#include <cstdint>
#include <string>
#include <vector>

class ScanResultsModel;

// One file as the finder sees it: six texts of its results row.
struct DuplicateEntry {
    QString FileName;
    QString Folder;
    QString ID3v1Artist;
    QString ID3v1Title;
    QString ID3v2Artist;
    QString ID3v2Title;

    bool operator==(const DuplicateEntry&) const = default;
};

// The text folded so that two texts have equal keys exactly when
// QString::compare(a, b, Qt::CaseInsensitive) == 0: one element per UTF-16
// unit, a low surrogate after a high one standing for its whole folded code
// point.
using FoldedKey = std::u32string;
FoldedKey FoldCaseKey(const QString& text);

// Reads the checked rows of `results` in row order.  Before each row it may
// yield (showing "Reading Results: " and the row's path, and progress over
// `progressMaximum`); it leaves as soon as the stop flag is set.
std::vector<DuplicateEntry> ReadCheckedResults(const ScanResultsModel& results, JobHost& job,
                                               int64_t progressMaximum);

struct DuplicateSearchResult {
    // The found entries, in the order they were found.
    std::vector<DuplicateEntry> duplicates;
    // The passes that ran (n - 1 for a search that was not stopped).
    int64_t passes = 0;
    bool stopped = false;
};

// Searches `entries` as above.  Progress runs from `progressBase` (the rows
// read) by one per pass, over `progressMaximum`.
DuplicateSearchResult FindDuplicates(const std::vector<DuplicateEntry>& entries, JobHost& job,
                                     int64_t progressBase = 0, int64_t progressMaximum = 0);

// The place of every entry (its pass, 0-based), -1 for an entry that matches
// none; for tests and the benchmark.
std::vector<int64_t> DuplicatePlaces(const std::vector<DuplicateEntry>& entries);
