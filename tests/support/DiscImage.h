#pragma once
// Writes a BIN/CUE disc image for the CD Ripper's tests and benchmark: audio
// tracks of known 16-bit stereo PCM, optionally followed by one data track,
// all in one .bin file that the .cue describes.  libcdio opens the .cue as a
// disc.  Header only, so the benchmark and the screenshot demo use it too.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <cstdint>
#include <stdexcept>
#include <vector>

struct DiscImage {
    QString cuePath;
    QString binPath;
    std::vector<int32_t> trackFrames;  // frames of each track, data track last
    bool hasDataTrack = false;

    // The first frame of track `index` (0-based).
    int32_t FirstFrame(size_t index) const {
        int32_t frame = 0;
        for (size_t i = 0; i < index; ++i) frame += trackFrames[i];
        return frame;
    }
    int32_t EndFrame(size_t index) const { return FirstFrame(index) + trackFrames[index]; }
    // The bytes of frames [first, end) as the .bin holds them.
    QByteArray Bytes(int32_t first, int32_t end) const {
        QFile bin(binPath);
        if (!bin.open(QIODevice::ReadOnly)) throw std::runtime_error("cannot read the disc image");
        bin.seek(int64_t(first) * 2352);
        return bin.read(int64_t(end - first) * 2352);
    }
};

// The sample at sample position `i` (counted over the whole disc): a pattern
// that no byte-order mistake or frame shift can reproduce.
inline int16_t DiscImageSample(int64_t i) { return static_cast<int16_t>((i * 7919 + (i >> 11) * 31 + 13) & 0xffff); }

// Writes folder/name.bin and folder/name.cue: one audio track per entry of
// `audioFrames`, then a MODE1/2352 data track of `dataFrames` frames when it
// is not 0.
inline DiscImage WriteDiscImage(const QString& folder, const QString& name, const std::vector<int32_t>& audioFrames,
                                int32_t dataFrames) {
    DiscImage image;
    image.binPath = QDir(folder).filePath(name + QStringLiteral(".bin"));
    image.cuePath = QDir(folder).filePath(name + QStringLiteral(".cue"));
    image.trackFrames = audioFrames;
    if (dataFrames > 0) {
        image.trackFrames.push_back(dataFrames);
        image.hasDataTrack = true;
    }
    QFile bin(image.binPath);
    if (!bin.open(QIODevice::WriteOnly | QIODevice::Truncate)) throw std::runtime_error("cannot write the disc image");
    int64_t sample = 0;
    QByteArray block;
    for (size_t t = 0; t < image.trackFrames.size(); ++t) {
        const bool data = image.hasDataTrack && t + 1 == image.trackFrames.size();
        for (int32_t f = 0; f < image.trackFrames[t]; ++f) {
            block.resize(2352);
            auto* out = reinterpret_cast<uint8_t*>(block.data());
            for (int s = 0; s < 2352 / 2; ++s, ++sample) {
                const uint16_t v = data ? uint16_t(0x5a5a) : uint16_t(DiscImageSample(sample));
                out[2 * s] = uint8_t(v & 0xff);
                out[2 * s + 1] = uint8_t(v >> 8);
            }
            bin.write(block);
        }
    }
    bin.close();
    QByteArray cue = "FILE \"" + (name + QStringLiteral(".bin")).toUtf8() + "\" BINARY\r\n";
    for (size_t t = 0; t < image.trackFrames.size(); ++t) {
        const bool data = image.hasDataTrack && t + 1 == image.trackFrames.size();
        const int32_t start = image.FirstFrame(t);
        cue += QStringLiteral("  TRACK %1 %2\r\n    INDEX 01 %3:%4:%5\r\n")
                   .arg(t + 1, 2, 10, QLatin1Char('0'))
                   .arg(data ? QStringLiteral("MODE1/2352") : QStringLiteral("AUDIO"))
                   .arg(start / (75 * 60), 2, 10, QLatin1Char('0'))
                   .arg(start / 75 % 60, 2, 10, QLatin1Char('0'))
                   .arg(start % 75, 2, 10, QLatin1Char('0'))
                   .toUtf8();
    }
    QFile cueFile(image.cuePath);
    if (!cueFile.open(QIODevice::WriteOnly | QIODevice::Truncate)) throw std::runtime_error("cannot write the cue sheet");
    cueFile.write(cue);
    return image;
}
