#pragma once
// Helpers of the coordinator window tests: a main window that has scanned a
// folder of real MP3 files, the coordinator over it, the coordinator's
// options as a new user has them, and the row texts of the simulate table.

#include "coordinator/SimResultsModel.h"
#include "coordinator/ui/FileNameTagCoordinator.h"
#include "mainwin/MainWinSupport.h"

#include <QPointer>

class CoordinatorWindowTest : public MainWindowTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // A new coordinator (the previous one, if any, is closed first).
    FormFileNameTagCoordinator& OpenCoordinator();
    void CloseCoordinator();
    // Writes the files named (tags from their names are not written) into
    // `music` and scans the folder in the main window.
    void ScanFiles(const QStringList& names);
    // The table's cells of the row whose old file name is `name`.
    SimRowTexts RowOf(const QString& name) const;
    int SimRowIndex(const QString& name) const;
    QStringList OldNames() const;
    // Makes `row` the table's current, selected row.
    void SelectRow(int row);
    bool StatusIs(const QString& text) const;

    QString music;
    QPointer<FormFileNameTagCoordinator> coordinator;
};
