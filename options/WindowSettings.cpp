#include "options/WindowSettings.h"

#include "foundation/AppPaths.h"
#include "foundation/Errors.h"
#include "foundation/StoredValues.h"

namespace {

const QString kIntegrator = QStringLiteral("Integrator");
const QString kScanningCentre = QStringLiteral("MP3ScanningCentre");
const QString kCoordinator = QStringLiteral("FileNameTagCoordinator");
const QString kCataloguer = QStringLiteral("MusicCataloguer");
const QString kPlaylistManager = QStringLiteral("PlaylistManager");
const QString kCDRipper = QStringLiteral("CDRipper");

const QString kTicked = QStringLiteral("1");
const QString kTrue = QStringLiteral("True");

constexpr int kPlaylistFormats = 3;

}  // namespace

// ---- launcher bar -----------------------------------------------------------------

void IntegratorSettings::Read() {
    WithTrail(QStringLiteral("ReadIntegratorSettings"), [&] {
        CheckStayOnTop = Stored::Integer(kIntegrator, QStringLiteral("StayOnTop"), kTicked) == 1;
    });
}

void IntegratorSettings::Write() const {
    WithTrail(QStringLiteral("WriteIntegratorSettings"),
              [&] { Stored::SaveCheck(kIntegrator, QStringLiteral("StayOnTop"), CheckStayOnTop); });
}

// ---- scanning centre ----------------------------------------------------------------

void ScanningCentreSettings::Read(int columnCount) {
    WithTrail(QStringLiteral("ReadScanningCentreSettings"), [&] {
        SelectedFolder = Stored::Text(kScanningCentre, QStringLiteral("SelectedFolder"));
        CheckIncSubfolders = Stored::Check(kScanningCentre, QStringLiteral("IncludeSubfolders"), QStringLiteral("0"));
        ListViewScanResultsSort.Read(ListName);
        ListViewScanResultsColumns.Read(ListName, columnCount);
    });
}

void ScanningCentreSettings::Write() const {
    WithTrail(QStringLiteral("WriteScanningCentreSettings"), [&] {
        Stored::SaveText(kScanningCentre, QStringLiteral("SelectedFolder"), SelectedFolder);
        Stored::SaveCheck(kScanningCentre, QStringLiteral("IncludeSubfolders"), CheckIncSubfolders);
        ListViewScanResultsSort.Write(ListName);
        ListViewScanResultsColumns.Write(ListName);
    });
}

// ---- file name and tag coordinator ------------------------------------------------------

void FileNameTagCoordinatorSettings::Read() {
    WithTrail(QStringLiteral("ReadFileNameTagCoordinatorSettings"), [&] {
        CheckChangeFileName = Stored::Check(kCoordinator, QStringLiteral("FormatFileName"), kTicked);
        CheckChangeID3v1Tag = Stored::Check(kCoordinator, QStringLiteral("ChangeID3v1Tag"), kTicked);
        CheckChangeID3v2Tag = Stored::Check(kCoordinator, QStringLiteral("ChangeID3v2Tag"), kTicked);
        ListViewSimResults.Read(ListName);
    });
}

void FileNameTagCoordinatorSettings::Write() const {
    WithTrail(QStringLiteral("WriteFileNameTagCoordinatorSettings"), [&] {
        Stored::SaveCheck(kCoordinator, QStringLiteral("FormatFileName"), CheckChangeFileName);
        Stored::SaveCheck(kCoordinator, QStringLiteral("ChangeID3v1Tag"), CheckChangeID3v1Tag);
        Stored::SaveCheck(kCoordinator, QStringLiteral("ChangeID3v2Tag"), CheckChangeID3v2Tag);
        ListViewSimResults.Write(ListName);
    });
}

// ---- music cataloguer -------------------------------------------------------------------

void MusicCataloguerSettings::Read() {
    WithTrail(QStringLiteral("ReadMusicCataloguerSettings"), [&] {
        OptionHTMLOutput = Stored::Truth(kCataloguer, QStringLiteral("HTMLOutput"), kTrue);
        OptionTextOutput = !OptionHTMLOutput;
        OptionID3v1Pref = Stored::Truth(kCataloguer, QStringLiteral("ID3v1Pref"), kTrue);
        OptionID3v2Pref = !OptionID3v1Pref;
        TextEntriesPerPage = Stored::Text(kCataloguer, QStringLiteral("NumEntriesPerPage"), QStringLiteral("100"));
        TextOutputFileName =
            Stored::Text(kCataloguer, QStringLiteral("OutputFileName"), QStringLiteral("My Music Collection"));
        RichViewer.Read(ViewerName);
    });
}

void MusicCataloguerSettings::Write() const {
    WithTrail(QStringLiteral("WriteMusicCataloguerSettings"), [&] {
        Stored::SaveTruth(kCataloguer, QStringLiteral("HTMLOutput"), OptionHTMLOutput);
        Stored::SaveTruth(kCataloguer, QStringLiteral("TextOutput"), OptionTextOutput);
        Stored::SaveTruth(kCataloguer, QStringLiteral("ID3v1Pref"), OptionID3v1Pref);
        Stored::SaveTruth(kCataloguer, QStringLiteral("ID3v2Pref"), OptionID3v2Pref);
        Stored::SaveText(kCataloguer, QStringLiteral("OutputFileName"), TextOutputFileName);
        Stored::SaveText(kCataloguer, QStringLiteral("NumEntriesPerPage"), TextEntriesPerPage);
        RichViewer.Write(ViewerName);
    });
}

// ---- playlist manager ---------------------------------------------------------------------

void PlaylistManagerSettings::Read() {
    WithTrail(QStringLiteral("ReadPlaylistManagerSettings"), [&] {
        ReadToTheEnd([&] {
            const int format = Stored::Integer(kPlaylistManager, QStringLiteral("PlaylistFormat"), QStringLiteral("0"));
            ComboPlaylistFormat = format >= 0 && format < kPlaylistFormats ? format : 0;
            OptionFileInfo = Stored::Truth(kPlaylistManager, QStringLiteral("FileInfo"), kTrue);
            OptionTitleInfo = !OptionFileInfo;
        });
    });
}

void PlaylistManagerSettings::Write() const {
    WithTrail(QStringLiteral("WritePlaylistManagerSettings"), [&] {
        Stored::SaveInteger(kPlaylistManager, QStringLiteral("PlaylistFormat"), ComboPlaylistFormat);
        Stored::SaveTruth(kPlaylistManager, QStringLiteral("TitleInfo"), OptionTitleInfo);
        Stored::SaveTruth(kPlaylistManager, QStringLiteral("FileInfo"), OptionFileInfo);
    });
}

// ---- encoder decoder ------------------------------------------------------------------------

void EncoderDecoderSettings::Read() {
    WithTrail(QStringLiteral("ReadEncoderDecoderSettings"), [&] { ListViewFiles.Read(ListName); });
}

void EncoderDecoderSettings::Write() const {
    WithTrail(QStringLiteral("WriteEncoderDecoderSettings"), [&] { ListViewFiles.Write(ListName); });
}

// ---- CD ripper ------------------------------------------------------------------------------

CDRipperSettings::CDRipperSettings() : TextOutputDirectory(UserMusicFolder()) {}

void CDRipperSettings::Read() {
    WithTrail(QStringLiteral("ReadCDRipperSettings"), [&] {
        TextOutputDirectory = Stored::Text(kCDRipper, QStringLiteral("OutputDirectory"), UserMusicFolder());
    });
}

void CDRipperSettings::Write() const {
    WithTrail(QStringLiteral("WriteCDRipperSettings"),
              [&] { Stored::SaveText(kCDRipper, QStringLiteral("OutputDirectory"), TextOutputDirectory); });
}
