#pragma once
// Small measuring helpers the benchmarks share, the rows of a typical
// collection, and the set-up of the window benches (a program as a new user
// starts it, with its settings in a scratch folder, and a screenshot saver).

#include "foundation/Errors.h"
#include "foundation/FirstRun.h"
#include "foundation/Genres.h"
#include "foundation/OptionRecords.h"
#include "foundation/ReadOptions.h"
#include "options/MainOptions.h"
#include "foundation/Twips.h"
#include "options/FileAssociations.h"
#include "scanning/engine/ID3v2TagInfo.h"
#include "scanning/engine/ScanRecord.h"

#include <QByteArray>
#include <QFile>
#include <QPixmap>
#include <QScreen>
#include <QString>
#include <QWidget>
#include <cstdio>

// The resident memory of this process in KiB, -1 when it cannot be read.
inline long ResidentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

// Row i of a collection of albums of twelve songs, ten albums an artist, with
// full tags and the header of a 128 kbit/s file.
inline ScanRecord SampleCollectionRecord(int i) {
    ScanRecord r;
    const int album = i / 12;
    r.FolderListEntry.Folder =
        QStringLiteral("/home/someone/Music/Artist Number %1/Album Title %2").arg(album / 10).arg(album);
    r.FolderListEntry.FileName = QStringLiteral("%1 - Artist Number %2 - Song Title Number %3.mp3")
                                     .arg(i % 12 + 1, 2, 10, QLatin1Char('0'))
                                     .arg(album / 10)
                                     .arg(i);
    r.ID3v1Tag = ID3v1Tag{QStringLiteral("Song Title Number %1").arg(i), QStringLiteral("Artist Number %1").arg(album / 10),
                          uint8_t(i % 12 + 1), QStringLiteral("Album Title %1").arg(album), QStringLiteral("2003"),
                          QStringLiteral("Ripped"), uint8_t(i % 148)};
    r.ID3v2Tag.Title = r.ID3v1Tag.Title;
    r.ID3v2Tag.Artist = r.ID3v1Tag.Artist;
    r.ID3v2Tag.Track = QStringLiteral("%1/12").arg(i % 12 + 1);
    r.ID3v2Tag.Album = r.ID3v1Tag.Album;
    r.ID3v2Tag.Year = QStringLiteral("2003");
    r.ID3v2Tag.Genre = QStringLiteral("Rock");
    r.ID3v2Tag.EncodedBy = QStringLiteral("LAME 3.100");
    MPEGInfo& m = r.MPEGInfo;
    m.FileSize = 4000000 + i * 37;
    m.HeaderPosition = 4096;
    m.LengthMs = 250000 + i % 1000;
    m.Version = 1;
    m.Layer = 3;
    m.Bitrate = 128;
    m.FrameCount = 9570;
    m.SampleRate = 44100;
    m.ChannelMode = QStringLiteral("Joint-stereo");
    m.Private = m.CRCs = m.Copyrighted = QStringLiteral("No");
    m.Original = QStringLiteral("Yes");
    m.Emphasis = QStringLiteral("None");
    m.Channels = 2;
    r.FileDetails = {QString(), QStringLiteral("12/03/2004 18:22:41"), QStringLiteral("12/03/2004 18:22:41"),
                     QStringLiteral("01/06/2024 09:10:11")};
    return r;
}

// Settings and data of this run go below `home`: a bench never touches the
// user's own.
inline void UseScratchHome(const QString& home) {
    qputenv("XDG_CONFIG_HOME", home.toUtf8());
    qputenv("XDG_DATA_HOME", home.toUtf8());
}

// What the program's start does before its windows: twips, genre arrays, the
// tag library and the options, with the options a first run writes when
// `firstRun` (file associations left alone); then skins on or off, in the
// "Fun Blue" scheme.  A step that fails is reported and the next runs.
inline void StartBenchProgram(bool skins, bool firstRun = true) {
    InitialiseTwipsPerPixel();
    InitialiseArrays();
    ResumeNext([] { InitialiseQuillmarkClass(); });
    if (firstRun) {
        ResumeNext([] {
            SetAssociationRefresher([](const QString&) {});
            InitialiseFirstTimeOptions();
        });
    }
    ResumeNext([] { GetMainOptions(); });
    Options().Preferences.blnUseSkins = skins;
    const QString scheme = qEnvironmentVariable("SV_SKIN_SCHEME");
    Options().Preferences.strSkinScheme = scheme.isEmpty() ? QStringLiteral("Fun Blue") : scheme;
}

// Where and how large a window stands in a screenshot.  The screenshot
// scripts choose through SV_SHOT_SIZE: "opening" leaves the window where and
// as large as it opened on this screen, "minimum" shrinks it to the smallest
// size it allows; anything else moves it to `at` with the bench's own `size`.
inline void PlaceForShot(QWidget* window, const QPoint& at, const QSize& size) {
    const QString choice = qEnvironmentVariable("SV_SHOT_SIZE");
    if (choice == QLatin1String("opening")) return;
    if (choice == QLatin1String("minimum")) {
        window->resize(window->minimumSize());
        return;
    }
    window->move(at);
    window->resize(size);
}

// Saves the screen area of `widget` (with a margin) as a PNG and says so on
// standard error.
inline bool Grab(QWidget* widget, const QString& file) {
    const QRect area = widget->frameGeometry().adjusted(-10, -10, 10, 10);
    const QPixmap shot = widget->screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    const bool ok = shot.save(file, "PNG");
    std::fprintf(stderr, "%s %s (%dx%d)\n", ok ? "saved" : "could not save", qPrintable(file), shot.width(),
                 shot.height());
    return ok;
}
