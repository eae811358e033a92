#include "mainwin/MainWinSupport.h"

#include "foundation/Genres.h"
#include "foundation/OptionRecords.h"
#include "foundation/ResourceStrings.h"
#include "foundation/codec/Cp1252.h"
#include "scanning/engine/ID3v2TagInfo.h"
#include "scanning/engine/ScanResultsModel.h"
#include "scanning/ui/FileInfoDialog.h"
#include "scanning/ui/FolderTree.h"
#include "scanning/ui/WindowServices.h"
#include "shell/start/StartProcedure.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

int RowOf(const ScanResultsModel& model, const QString& fileName) {
    for (int r = 0; r < model.rows(); ++r)
        if (model.text(r, ScanColumn::FileName) == fileName) return r;
    return -1;
}

QString CellOf(const ScanResultsModel& model, const QString& fileName, int column) {
    const int row = RowOf(model, fileName);
    return row < 0 ? QString() : model.text(row, column);
}

QStringList FileNames(const ScanResultsModel& model) {
    QStringList names;
    for (int r = 0; r < model.rows(); ++r) names << model.text(r, ScanColumn::FileName);
    return names;
}

void MainWindowTest::SetUp() {
    ASSERT_TRUE(work.isValid());
    // The texts the tests expect are the US table's, whatever the desktop's
    // language; a test that looks at the UK texts picks that table itself.
    SetStringTableLanguage(StringTableLanguage::US);
    InitialiseArrays();
    GeneralPreferences& preferences = Options().Preferences;
    preferences.blnUseSkins = false;
    preferences.strSkinScheme = QStringLiteral("Fun Blue");
    preferences.blnDisplayMessageBox = true;
    preferences.blnRetainWindows = false;
    preferences.blnUseRecycleBin = false;
    preferences.blnWriteReadOnly = false;
    ScanningCentreOptions& scanning = Options().ScanningCentre;
    scanning.blnClearResults = true;
    scanning.blnIncFilesWithID3v1 = scanning.blnIncFilesWithoutID3v1 = true;
    scanning.blnIncFilesWithID3v2 = scanning.blnIncFilesWithoutID3v2 = true;
    scanning.strScanFilter = QStringLiteral("*.mp3");
    if (!gobjID3v2Tag.isSet()) InitialiseQuillmarkClass();
    SetFolderBrowser({});
    SetPlaylistFileReader({});
    SetFileInfoDialogDriver({});
}

void MainWindowTest::TearDown() {
    CloseWindow();
    SetFolderBrowser({});
    SetPlaylistFileReader({});
    SetFileInfoDialogDriver({});
}

FormMP3ScanningCentre& MainWindowTest::OpenWindow() {
    CloseWindow();
    // The last window's end released the tag object, as the program's end does.
    if (!gobjID3v2Tag.isSet()) InitialiseQuillmarkClass();
    window = new FormMP3ScanningCentre;
    return *window;
}

void MainWindowTest::CloseWindow() {
    if (window) {
        window->mblnProcessRunning = false;
        window->mnuFileExit_Click();
    }
    Settle();
}

void MainWindowTest::Settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void MainWindowTest::Scan(const QString& folder, bool subfolders) {
    window->FolderTreeview->SetSelectedFolder(folder);
    window->mcheckIncSubfolders.SetValue(subfolders ? 1 : 0);
    window->BtnScan_Click();
}

QString MainWindowTest::Shown() const {
    QStringList texts;
    for (const ShownBox& box : ui.shown) texts << box.title + QStringLiteral(": ") + box.prompt;
    return texts.join(QLatin1Char('\n'));
}

bool MainWindowTest::WasShown(const QString& title) const {
    for (const ShownBox& box : ui.shown)
        if (box.title == title) return true;
    return false;
}
