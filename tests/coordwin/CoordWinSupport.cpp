#include "coordwin/CoordWinSupport.h"

#include "coordinator/ui/SimResultsView.h"
#include "foundation/FirstRun.h"
#include "coordinator/CoordinatorDialogSettings.h"
#include "coordinator/CoordinatorOptionSettings.h"
#include "foundation/ReadOptions.h"
#include "options/FileAssociations.h"

#include <QCoreApplication>
#include <QLabel>

void CoordinatorWindowTest::SetUp() {
    MainWindowTest::SetUp();
    // The coordinator's options as the first run stores them.
    const AssociationRefresher previous = SetAssociationRefresher([](const QString&) {});
    InitialiseFirstTimeOptions();
    SetAssociationRefresher(previous);
    GetFileNameTagCoordinatorOptions();
    GetFileNameTagCoordinatorAdvOptions();
    music = work.path() + QStringLiteral("/Music");
    OpenWindow();
}

void CoordinatorWindowTest::TearDown() {
    CloseCoordinator();
    MainWindowTest::TearDown();
}

FormFileNameTagCoordinator& CoordinatorWindowTest::OpenCoordinator() {
    CloseCoordinator();
    coordinator = new FormFileNameTagCoordinator;
    return *coordinator;
}

void CoordinatorWindowTest::CloseCoordinator() {
    if (coordinator) {
        coordinator->mblnProcessRunning = false;
        coordinator->mnuFileExit_Click();
    }
    Settle();
}

void CoordinatorWindowTest::ScanFiles(const QStringList& names) {
    for (const QString& name : names) WriteFile(music, name, MakeMp3({}));
    Scan(music);
}

int CoordinatorWindowTest::SimRowIndex(const QString& name) const {
    const SimResultsModel& model = *coordinator->SimResults();
    for (int r = 0; r < model.rows(); ++r)
        if (model.text(r, SimColumn::OldFileName) == name) return r;
    return -1;
}

SimRowTexts CoordinatorWindowTest::RowOf(const QString& name) const {
    const int row = SimRowIndex(name);
    return row < 0 ? SimRowTexts{} : coordinator->SimResults()->rowTexts(row);
}

QStringList CoordinatorWindowTest::OldNames() const {
    QStringList names;
    const SimResultsModel& model = *coordinator->SimResults();
    for (int r = 0; r < model.rows(); ++r) names << model.text(r, SimColumn::OldFileName);
    return names;
}

void CoordinatorWindowTest::SelectRow(int row) {
    SimResultsView* list = coordinator->ListViewSimResults;
    list->setCurrentIndex(list->model()->index(row, 0));
}

bool CoordinatorWindowTest::StatusIs(const QString& text) const {
    return coordinator->LabelStatusBar && coordinator->LabelStatusBar->text() == text;
}
