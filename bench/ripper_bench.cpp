// Rips a ten-minute disc image of two audio tracks to WAV files through the
// CD-audio layer and the rip engine, and times it against a yardstick in the
// same run: copying the image's bytes to one file through a plain
// read-and-write loop (with the same fsync at the end).  Target: the rip
// under 5 seconds.

#include "foundation/JobHost.h"
#include "ripper/CdDrive.h"
#include "ripper/TrackRip.h"
#include "tests/support/DiscImage.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

double CopyYardstick(const QString& from, const QString& to) {
    QElapsedTimer timer;
    timer.start();
    QFile in(from), out(to);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly)) return -1;
    QByteArray chunk;
    while (!(chunk = in.read(kRipChunkFrames * kCdFrameBytes)).isEmpty()) out.write(chunk);
    out.flush();
    ::fsync(out.handle());
    return double(timer.nsecsElapsed()) / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const int32_t half = 5 * 60 * 75;  // five minutes a track
    const DiscImage image = WriteDiscImage(dir.path(), QStringLiteral("disc"), {half, half}, 0);

    const double yardstick = CopyYardstick(image.binPath, dir.filePath(QStringLiteral("copy.raw")));

    QElapsedTimer timer;
    timer.start();
    int32_t error = 0;
    auto drive = CdDrive::Open(image.cuePath, error);
    if (!drive) {
        std::fprintf(stderr, "cannot open the image (%d)\n", error);
        return 1;
    }
    std::vector<RipTrackRow> rows = {{QStringLiteral("Track 1"), 0, half, true, true},
                                     {QStringLiteral("Track 2"), half, 2 * half, true, true}};
    JobHost job;
    const QStringList files = RipTracks(drive.get(), rows, dir.path(), job);
    const double rip = double(timer.nsecsElapsed()) / 1e9;
    if (files.size() != 2) {
        std::fprintf(stderr, "the rip wrote %d files\n", int(files.size()));
        return 1;
    }
    std::printf("ten-minute two-track image (%d frames, %.1f MB): rip %.2f s (target < 5 s), "
                "plain copy %.2f s, ratio %.2f\n",
                2 * half, 2.0 * half * kCdFrameBytes / 1e6, rip, yardstick, yardstick > 0 ? rip / yardstick : 0.0);
    return rip < 5.0 ? 0 : 2;
}
