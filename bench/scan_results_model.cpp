// Results list at collection scale: fills 100,000 rows of typical texts,
// prints the memory they take and how long appending and sorting take.
// Run by hand: build/bin/scan_results_model [rows]

#include "bench/BenchSupport.h"
#include "scanning/engine/ScanResultsModel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int rows = argc > 1 ? atoi(argv[1]) : 100000;
    const long before = ResidentKiB();

    ScanResultsModel model;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < rows; ++i) {
        ScanRecord r;
        const int album = i / 12;
        r.FolderListEntry.Folder = QStringLiteral("/home/someone/Music/Artist Number %1/Album Title %2").arg(album / 10).arg(album);
        r.FolderListEntry.FileName = QStringLiteral("%1 - Artist Number %2 - Song Title Number %3.mp3").arg(i % 12 + 1, 2, 10, QLatin1Char('0')).arg(album / 10).arg(i);
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
        model.appendRecord(r);
    }
    const qint64 appendMs = timer.elapsed();
    const long after = ResidentKiB();
    std::printf("%d rows appended in %lld ms (%.0f rows/s)\n", rows, appendMs, rows * 1000.0 / std::max<qint64>(1, appendMs));
    std::printf("resident memory: %.1f MB for the rows (%.0f bytes a row)\n", (after - before) / 1024.0,
                (after - before) * 1024.0 / rows);

    for (int column : {ScanColumn::FileName, ScanColumn::Folder, ScanColumn::ID3v1Title, ScanColumn::Size,
                       ScanColumn::ID3v1Genre, ScanColumn::Accessed}) {
        for (Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
            timer.restart();
            model.sort(column, order);
            std::printf("sort by column %2d %s: %lld ms\n", column, order == Qt::AscendingOrder ? "up  " : "down",
                        timer.elapsed());
        }
    }
    return 0;
}
