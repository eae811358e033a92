#include "catwin/CatWinSupport.h"

#include "CatalogueFixtures.h"
#include "foundation/OptionRecords.h"
#include "scanning/engine/ScanResultsModel.h"
#include "scanning/ui/WindowServices.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>

void CataloguerWindowTest::SetUp() {
    MainWindowTest::SetUp();
    OpenWindow();
    Options().CataloguerHTML = FirstRunHTMLOptions();
    Options().CataloguerText = FirstRunTextOptions();
    Options().Preferences.blnUseRecycleBin = false;
    SetFolderBrowser([this](QWidget*, const QString&) {
        ++browses;
        return browsed;
    });
    SetOutputNameAsker([this](QWidget*, const QString&, const QString&) {
        ++asks;
        return askedName;
    });
}

void CataloguerWindowTest::TearDown() {
    CloseCataloguer();
    DialogFind::Unload();
    SetFolderBrowser({});
    SetOutputNameAsker({});
    MainWindowTest::TearDown();
}

FormMusicCataloguer& CataloguerWindowTest::OpenCataloguer() {
    CloseCataloguer();
    RegisterMusicCataloguerWindow();
    cataloguer = dynamic_cast<FormMusicCataloguer*>(WindowRegistry::Load(WindowNames::MusicCataloguer));
    EXPECT_TRUE(cataloguer);
    const CataloguePageContext fixed = FixedContext();
    cataloguer->clock = [now = fixed.now] { return now; };
    cataloguer->locale = fixed.locale;
    return *cataloguer;
}

void CataloguerWindowTest::CloseCataloguer() {
    if (!cataloguer) return;
    cataloguer->mnuFileExit_Click();
    Settle();
    delete cataloguer.data();
    Settle();
}

void CataloguerWindowTest::AddRows() { AddSampleRows(*window->ScanResults()); }

void CataloguerWindowTest::AddNumberedRows(int count) {
    ScanResultsModel& model = *window->ScanResults();
    for (int i = 0; i < count; ++i) {
        ScanRecord r;
        r.FolderListEntry.Folder = QStringLiteral("/music");
        r.FolderListEntry.FileName = QStringLiteral("Song %1.mp3").arg(i + 1, 4, 10, QLatin1Char('0'));
        r.ID3v1Tag.Title = QStringLiteral("Title %1").arg(i + 1);
        r.ID3v1Tag.Artist = QStringLiteral("Artist");
        model.appendRecord(r);
    }
}

void CataloguerWindowTest::Build(const QString& perPage) {
    cataloguer->TextEntriesPerPage->setText(perPage);
    cataloguer->BtnBuild_Click();
}

void CataloguerWindowTest::Save(const QString& folder) {
    browsed = folder;
    cataloguer->BtnSave_Click();
}

QByteArray CataloguerWindowTest::Bytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QByteArray("<missing ") + path.toUtf8() + '>';
    return file.readAll();
}

QByteArray CataloguerWindowTest::Golden(const QString& name) {
    return Bytes(QStringLiteral(SV_TEST_DATA_DIR "/catalogue/") + name);
}

QStringList CataloguerWindowTest::FilesIn(const QString& folder) {
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

bool CataloguerWindowTest::StatusIs(const QString& text) const {
    return cataloguer && cataloguer->LabelStatusBar && cataloguer->LabelStatusBar->text() == text;
}
