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

namespace {
QByteArray Latin1Field(const QString& text, int size) {
    QByteArray field = text.toLatin1().left(size);
    field.append(QByteArray(size - field.size(), '\0'));
    return field;
}

QByteArray BigEndian32(uint32_t v) {
    QByteArray b(4, '\0');
    b[0] = char(v >> 24);
    b[1] = char(v >> 16);
    b[2] = char(v >> 8);
    b[3] = char(v);
    return b;
}

QByteArray SyncSafe(uint32_t v) {
    QByteArray b(4, '\0');
    b[0] = char((v >> 21) & 0x7f);
    b[1] = char((v >> 14) & 0x7f);
    b[2] = char((v >> 7) & 0x7f);
    b[3] = char(v & 0x7f);
    return b;
}
}  // namespace

QByteArray MakeMp3(const Mp3Recipe& recipe) {
    QByteArray out;
    if (!recipe.v2.empty()) {
        QByteArray frames;
        for (const auto& [id, text] : recipe.v2) {
            QByteArray data(1, '\0');  // encoding 0
            if (id == "COMM") data += QByteArray("eng") + QByteArray(1, '\0');
            data += text.toLatin1();
            frames += id + BigEndian32(static_cast<uint32_t>(data.size())) + QByteArray(2, '\0') + data;
        }
        frames += QByteArray(64, '\0');  // padding
        out += QByteArray("ID3") + char(3) + char(0) + char(0) + SyncSafe(static_cast<uint32_t>(frames.size()));
        out += frames;
    }
    // MPEG-1 Layer III, 128 kbit/s, 44.1 kHz, joint stereo: 417-byte frames.
    QByteArray frame(417, '\0');
    frame[0] = char(0xFF);
    frame[1] = char(0xFB);
    frame[2] = char(0x90);
    frame[3] = char(0x64);
    for (int i = 0; i < recipe.frames; ++i) out += frame;
    if (recipe.v1) {
        QByteArray tag("TAG");
        tag += Latin1Field(recipe.v1Title, 30) + Latin1Field(recipe.v1Artist, 30) + Latin1Field(recipe.v1Album, 30);
        tag += Latin1Field(recipe.v1Year, 4);
        tag += Latin1Field(recipe.v1Comment, 28);
        tag += char(0);
        tag += char(recipe.v1Track);
        tag += char(recipe.v1Genre);
        out += tag;
    }
    return out;
}

QString WriteFile(const QString& folder, const QString& name, const QByteArray& bytes) {
    QDir().mkpath(folder);
    const QString path = folder + QLatin1Char('/') + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return {};
    file.write(bytes);
    return path;
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

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
