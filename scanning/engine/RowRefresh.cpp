#include "scanning/engine/RowRefresh.h"

#include "foundation/Errors.h"
#include "scanning/engine/FileReading.h"
#include "scanning/engine/ID3v2TagInfo.h"
#include "scanning/engine/ScanResultsModel.h"

bool UpdateScanResult(ScanResultsModel& results, int row) {
    try {
        if (row < 0 || row >= results.rows()) RaiseError(ErrNo::SubscriptOutOfRange);
        const FolderListEntry entry{results.text(row, ScanColumn::Folder), results.text(row, ScanColumn::FileName)};
        // Read like a scan's file, without the include filters and rules.
        FileReader reader(gobjID3v2Tag);
        FileReading reading;
        reader.read(entry, nullptr, reading);
        if (!SettleReading(reading)) return false;
        results.updateRowFromRecord(row, reading.record);
        return true;
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("UpdateScanResult"), row + 1));
    }
}
