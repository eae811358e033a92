#pragma once
// Helpers of the scanning centre window tests: a fixture that gives each test its own settings folder, scripted
// message boxes and dialogs, fresh options, and a loaded main window.

#include "scanning/ui/ScanningCentre.h"
#include "support/Mp3Recipes.h"
#include "support/QtPrinters.h"
#include "support/ScopedOptions.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedUi.h"
#include "support/TestFiles.h"

#include <QByteArray>
#include <QPointer>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <ostream>
#include <utility>
#include <vector>

// Readable failure messages.
inline std::ostream& operator<<(std::ostream& os, const QString& s) { return os << s.toStdString(); }

// One cell of a row by its file name ("" when there is no such row).
QString CellOf(const ScanResultsModel& model, const QString& fileName, int column);
int RowOf(const ScanResultsModel& model, const QString& fileName);
QStringList FileNames(const ScanResultsModel& model);

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A new main window (the previous one, if any, is closed first).
    FormMP3ScanningCentre& OpenWindow();
    // Closes the window through File > Exit and lets it go.
    void CloseWindow();
    // Lets deferred deletions run.
    static void Settle();
    // Scans `folder` through the Scan button.
    void Scan(const QString& folder, bool subfolders = false);
    // The texts of every box shown so far, joined for a failure message.
    QString Shown() const;
    bool WasShown(const QString& title) const;

    TempHome home;
    ScopedOptions options;
    ScriptedUi ui;
    ScriptedDialogs dialogs;
    QTemporaryDir work;
    QPointer<FormMP3ScanningCentre> window;
};
