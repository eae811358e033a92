#include "scanning/engine/RowRefresh.h"

#include "foundation/Errors.h"
#include "scanning/engine/FileTimeText.h"
#include "scanning/engine/FolderScan.h"
#include "scanning/engine/ScanResultsModel.h"

bool UpdateScanResult(ScanResultsModel& results, int row) {
    try {
        if (row < 0 || row >= results.rows()) RaiseError(ErrNo::SubscriptOutOfRange);
        ScanRecord record;
        record.FolderListEntry.Folder = results.text(row, ScanColumn::Folder);
        record.FolderListEntry.FileName = results.text(row, ScanColumn::FileName);
        FileTimeText times;
        if (!ReadScanRecord(record, nullptr, times)) return false;
        results.updateRowFromRecord(row, record);
        return true;
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("UpdateScanResult"), row + 1));
    }
}
