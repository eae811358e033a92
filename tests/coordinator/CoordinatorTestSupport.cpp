#include "CoordinatorTestSupport.h"

#include "foundation/FirstRun.h"
#include "coordinator/CoordinatorDialogSettings.h"
#include "coordinator/CoordinatorOptionSettings.h"
#include "foundation/ReadOptions.h"
#include "options/FileAssociations.h"
#include "scanning/engine/ScanRecord.h"
#include "support/ScriptedUi.h"

const CoordinatorRecords& FirstRunRecords() {
    static const CoordinatorRecords records = [] {
        TempHome home;
        ScriptedUi ui;
        const AssociationRefresher previous = SetAssociationRefresher([](const QString&) {});
        InitialiseFirstTimeOptions();
        CoordinatorRecords r;
        GetFileNameTagCoordinatorOptions(r.options);
        GetFileNameTagCoordinatorAdvOptions(r.adv);
        SetAssociationRefresher(previous);
        return r;
    }();
    return records;
}

QStringList ResultsRow(const QString& fileName, const std::map<int, QString>& cells, const QString& folder) {
    QStringList row(kScanColumnCount);
    row[ScanColumn::FileName] = fileName;
    row[ScanColumn::Folder] = folder;
    for (const auto& [column, text] : cells) row[column] = text;
    return row;
}
