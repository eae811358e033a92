#include "duplicates/DuplicateDelete.h"

#include "foundation/Errors.h"
#include "foundation/FileUtils.h"
#include "scanning/engine/ScanResultsModel.h"

#include <QSet>
#include <algorithm>

DeleteRunReport DeleteTickedDuplicates(DuplicatesModel& list, JobHost& job, const DeleteFileFunction& deleteFile) {
    DeleteRunReport report;
    YieldClock clock(job.YieldIntervalMs());
    for (int row = list.rows() - 1; row >= 0; --row) {
        if (clock.due()) job.Yield();
        if (job.mblnStopAll) {
            report.stopped = true;
            break;
        }
        // Rows may have left the list during the yield (the Edit menu's Cut).
        row = std::min(row, list.rows() - 1);
        if (row < 0) break;
        if (!list.isChecked(row)) continue;
        const DuplicateEntry entry = list.entry(row);
        const QString path = JoinPath(entry.Folder, entry.FileName);
        if (!FileExists(path)) {
            report.failures.push_back({path, true, QString()});
            continue;
        }
        bool gone = false;
        QString reason;
        try {
            gone = deleteFile(entry.Folder, entry.FileName);
        } catch (...) {
            reason = CurrentError().description();
        }
        if (!gone) {
            report.failures.push_back({path, false, reason});
            continue;
        }
        list.removeRows(row, 1);
        ++report.deleted;
        report.deletedPaths << path;
    }
    return report;
}

int64_t RemoveResultsRowsOfFiles(ScanResultsModel& results, const QStringList& paths) {
    if (paths.isEmpty()) return 0;
    const QSet<QString> gone(paths.begin(), paths.end());
    int64_t removed = 0;
    // From the bottom up, a run of neighbouring rows at a time.
    int row = results.rows() - 1;
    while (row >= 0) {
        if (!gone.contains(results.fullPath(row))) {
            --row;
            continue;
        }
        int first = row;
        while (first > 0 && gone.contains(results.fullPath(first - 1))) --first;
        results.removeRows(first, row - first + 1);
        removed += row - first + 1;
        row = first - 1;
    }
    return removed;
}
