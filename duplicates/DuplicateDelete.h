#pragma once
// Delete Selected Files without the window: the ticked rows of the
// duplicates list, from the bottom up, each file deleted through the given
// delete (the program's DeleteFile with the caller's UseRecycleBin reading:
// to the trash when it is on, never a permanent delete when the trash
// fails).  A row whose file is gone afterwards leaves the list and counts;
// every other ticked row stays, and its file is named in the failures with
// why (missing, or not deleted), so nothing that failed is counted as done.
// Ticks are read as each row is reached (the list stays usable meanwhile); a
// Stop leaves the rows above alone.
//
// RemoveResultsRowsOfFiles keeps the Scanning Centre's results list in step:
// the rows of the deleted files go, every other row stays as it was.

#include "duplicates/DuplicatesModel.h"
#include "foundation/JobHost.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <vector>

class ScanResultsModel;

struct DeleteFailure {
    QString path;
    bool missing = false;  // no file at the path: nothing was tried
    QString reason;        // the error's text, where one was raised
};

struct DeleteRunReport {
    int64_t deleted = 0;
    QStringList deletedPaths;
    std::vector<DeleteFailure> failures;
    bool stopped = false;
};

// `deleteFile(folder, fileName)` is true when no file is left at the path; it
// may raise (the failure is then the error's text).
using DeleteFileFunction = std::function<bool(const QString& folder, const QString& fileName)>;
DeleteRunReport DeleteTickedDuplicates(DuplicatesModel& list, JobHost& job, const DeleteFileFunction& deleteFile);

// Removes the rows of `results` whose full path is one of `paths` (exactly);
// returns how many went.
int64_t RemoveResultsRowsOfFiles(ScanResultsModel& results, const QStringList& paths);
