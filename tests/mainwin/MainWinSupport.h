#pragma once
// Helpers of the scanning centre window tests: small MP3 files made here
// (real MPEG-1 Layer III frame headers, hand-built ID3v1 and ID3v2.3 tags),
// and a fixture that gives each test its own settings folder, scripted
// message boxes and dialogs, fresh options, and a loaded main window.

#include "scanning/ui/ScanningCentre.h"
#include "support/QtPrinters.h"
#include "support/ScopedOptions.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedUi.h"

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

struct Mp3Recipe {
    // ID3v1 (written when `v1` is set).
    bool v1 = false;
    QString v1Title, v1Artist, v1Album, v1Year, v1Comment;
    int v1Track = 0;
    int v1Genre = 255;
    // ID3v2.3 text frames by identifier (written when not empty), e.g.
    // {"TIT2", "Title"}; "COMM" becomes a comment frame.
    std::vector<std::pair<QByteArray, QString>> v2;
    int frames = 12;
};

QByteArray MakeMp3(const Mp3Recipe& recipe);
// Writes `bytes` to `folder`/`name` (creating the folder) and returns the path.
QString WriteFile(const QString& folder, const QString& name, const QByteArray& bytes);
QByteArray ReadBytes(const QString& path);

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
