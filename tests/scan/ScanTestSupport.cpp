#include "ScanTestSupport.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QtEndian>
#include <cmath>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

ScanTempDir::ScanTempDir() { ::chmod(QFile::encodeName(m_dir.path()).constData(), 0777); }

QString ScanTempDir::write(const QString& name, const QByteArray& bytes) const {
    const QString path = file(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write test file");
    return path;
}

int64_t FileSizeOf(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_size : -1;
}

IncludeOptions::IncludeOptions(bool withV1, bool withoutV1, bool withV2, bool withoutV2) {
    blnIncFilesWithID3v1 = withV1;
    blnIncFilesWithoutID3v1 = withoutV1;
    blnIncFilesWithID3v2 = withV2;
    blnIncFilesWithoutID3v2 = withoutV2;
}

FrameWalk WalkLayer3Frames(const QByteArray& file, int64_t offset) {
    static const int v1[16] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, -1};
    static const int v2[16] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, -1};
    static const int rates[3][3] = {{44100, 48000, 32000}, {22050, 24000, 16000}, {11025, 12000, 8000}};
    FrameWalk walk;
    int64_t pos = offset;
    const auto* d = reinterpret_cast<const uint8_t*>(file.constData());
    while (pos + 4 <= file.size() && d[pos] == 0xFF && (d[pos + 1] & 0xE0) == 0xE0) {
        const int version = (d[pos + 1] >> 3) & 3;  // 3: MPEG-1, 2: MPEG-2, 0: MPEG-2.5
        if (version == 1 || ((d[pos + 1] >> 1) & 3) != 1) break;  // Layer III only
        const int row = version == 3 ? 0 : version == 2 ? 1 : 2;
        const int bitrate = (version == 3 ? v1 : v2)[d[pos + 2] >> 4];
        const int srIndex = (d[pos + 2] >> 2) & 3;
        if (bitrate <= 0 || srIndex == 3) break;
        const int sampleRate = rates[row][srIndex];
        const int padding = (d[pos + 2] >> 1) & 1;
        const int length = (version == 3 ? 144000 : 72000) * bitrate / sampleRate + padding;
        walk.sampleRate = sampleRate;
        walk.samplesPerFrame = version == 3 ? 1152 : 576;
        pos += length;
        ++walk.frames;
    }
    walk.end = pos;
    return walk;
}

int64_t ID3v2Size(const QByteArray& file) {
    if (file.size() < 10 || !file.startsWith("ID3")) return 0;
    const auto* h = reinterpret_cast<const uint8_t*>(file.constData());
    return 10 + ((int64_t(h[6]) << 21) | (int64_t(h[7]) << 14) | (int64_t(h[8]) << 7) | int64_t(h[9]));
}
