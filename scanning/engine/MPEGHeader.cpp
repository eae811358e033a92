#include "scanning/engine/MPEGHeader.h"

#include "foundation/Errors.h"
#include "foundation/NativePath.h"
#include "scanning/engine/FileBytes.h"
#include "scanning/engine/FileErrorReport.h"
#include "scanning/engine/ID3v1.h"

#include <QByteArrayView>
#include <QFile>
#include <algorithm>
#include <cstring>
#include <sys/stat.h>

QString gstrMPEGHeaderBits;

namespace {
constexpr size_t kChunk = 4096;
// Bytes of the first frame needed to read a Xing/Info or VBRI frame count.
constexpr size_t kFrameProbe = 256;

// Writes the 32 bits of `header` as "0"/"1" into `bits`, reusing its buffer.
void SetHeaderBits(QString& bits, const uint8_t* header) {
    struct Table {
        char16_t digits[256][8];
        Table() {
            for (int b = 0; b < 256; ++b)
                for (int i = 0; i < 8; ++i) digits[b][i] = (b & (0x80 >> i)) ? u'1' : u'0';
        }
    };
    static const Table table;
    bits.resize(32);
    char16_t* out = reinterpret_cast<char16_t*>(bits.data());
    for (int i = 0; i < 4; ++i) std::memcpy(out + 8 * i, table.digits[header[i]], sizeof table.digits[0]);
}

int32_t VersionOf(uint8_t b1) {
    switch ((b1 >> 3) & 3) {
    case 0: return 25;
    case 2: return 2;
    case 3: return 1;
    default: return 0;
    }
}

int32_t LayerOf(uint8_t b1) {
    switch ((b1 >> 1) & 3) {
    case 1: return 3;
    case 2: return 2;
    case 3: return 1;
    default: return 0;
    }
}

const BitrateTable* TableFor(int32_t version, int32_t layer) {
    static constexpr BitrateTable v1l1 = {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448};
    static constexpr BitrateTable v1l2 = {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384};
    static constexpr BitrateTable v1l3 = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
    static constexpr BitrateTable v2l1 = {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256};
    static constexpr BitrateTable v2l23 = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
    if (version == 1) {
        if (layer == 1) return &v1l1;
        if (layer == 2) return &v1l2;
        if (layer == 3) return &v1l3;
    } else if (version == 2 || version == 25) {
        if (layer == 1) return &v2l1;
        if (layer == 2 || layer == 3) return &v2l23;
    }
    return nullptr;
}

int32_t SampleRateOf(int32_t version, int index) {
    static constexpr int32_t v1[4] = {44100, 48000, 32000, 0};
    static constexpr int32_t v2[4] = {22050, 24000, 16000, 0};
    static constexpr int32_t v25[4] = {11025, 12000, 8000, 0};
    switch (version) {
    case 1: return v1[index];
    case 2: return v2[index];
    default: return v25[index];
    }
}

QString YesNo(bool yes) { return yes ? QStringLiteral("Yes") : QStringLiteral("No"); }

uint32_t BigEndian32(const uint8_t* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}

MPEGStreamCounts ReadVbrCounts(const uint8_t* frame, size_t n, int32_t version, bool mono, bool crc) {
    const size_t sideInfo = version == 1 ? (mono ? 17 : 32) : (mono ? 9 : 17);
    // Xing/Info sits behind the side information; some encoders leave the CRC
    // out of that reckoning, so both places are looked at.
    for (size_t offset : {4 + (crc ? 2 : 0) + sideInfo, 4 + sideInfo}) {
        if (offset + 8 > n) continue;
        const uint8_t* p = frame + offset;
        const bool xing = std::memcmp(p, "Xing", 4) == 0;
        if (!xing && std::memcmp(p, "Info", 4) != 0) continue;
        const uint32_t flags = BigEndian32(p + 4);
        MPEGStreamCounts counts;
        counts.variable = xing;
        size_t field = offset + 8;
        if (flags & 1) {
            if (field + 4 > n) return counts;
            counts.frames = BigEndian32(frame + field);
            field += 4;
        }
        if ((flags & 2) && field + 4 <= n) counts.bytes = BigEndian32(frame + field);
        return counts;
    }
    // VBRI: 32 bytes behind the header whatever the mode; bytes, then frames.
    constexpr size_t vbri = 4 + 32;
    if (vbri + 18 <= n && std::memcmp(frame + vbri, "VBRI", 4) == 0)
        return MPEGStreamCounts{int64_t(BigEndian32(frame + vbri + 14)), int64_t(BigEndian32(frame + vbri + 10)), true};
    return {};
}

int32_t SamplesPerFrame(int32_t version, int32_t layer) {
    if (layer == 1) return 384;
    if (layer == 3 && version != 1) return 576;
    return 1152;
}
}  // namespace

bool IsMPEGFrameHeader(const uint8_t* b) {
    return b[0] == 0xFF && (b[1] & 0xE0) == 0xE0  // frame sync
           && ((b[1] >> 3) & 3) != 1              // version not reserved
           && ((b[1] >> 1) & 3) != 0              // layer not reserved
           && (b[2] >> 4) != 15                   // bit-rate index not forbidden
           && ((b[2] >> 2) & 3) != 3;             // sampling rate not reserved
}

int32_t MPEGFrameLength(const uint8_t* header) {
    const int32_t version = VersionOf(header[1]), layer = LayerOf(header[1]);
    const BitrateTable* table = TableFor(version, layer);
    const int index = header[2] >> 4;
    if (!table || index == 15) return 0;
    const int32_t bitrate = (*table)[static_cast<size_t>(index)];
    const int32_t sampleRate = SampleRateOf(version, (header[2] >> 2) & 3);
    if (bitrate <= 0 || sampleRate <= 0) return 0;
    const int32_t padding = (header[2] >> 1) & 1;
    if (layer == 1) return (12000 * bitrate / sampleRate + padding) * 4;
    if (layer == 3 && version != 1) return 72000 * bitrate / sampleRate + padding;
    return 144000 * bitrate / sampleRate + padding;
}

MPEGStreamCounts ReadMPEGStreamCounts(const uint8_t* frame, size_t frameBytes) {
    if (frameBytes < 4 || LayerOf(frame[1]) != 3 || VersionOf(frame[1]) == 0) return {};
    return ReadVbrCounts(frame, frameBytes, VersionOf(frame[1]), (frame[3] >> 6) == 3, (frame[1] & 1) == 0);
}

int64_t ID3v2TagEnd(ByteSource& source) {
    const int64_t size = source.size();
    int64_t end = 0;
    // Stacked tags are skipped one after another; a handful is plenty.
    for (int tags = 0; tags < 8; ++tags) {
        uint8_t h[10];
        if (source.readAt(end, h, sizeof h) < sizeof h) break;
        if (std::memcmp(h, "ID3", 3) != 0 || h[3] == 0xFF || h[4] == 0xFF ||
            ((h[6] | h[7] | h[8] | h[9]) & 0x80))
            break;
        const int64_t body = (int64_t(h[6]) << 21) | (int64_t(h[7]) << 14) | (int64_t(h[8]) << 7) | int64_t(h[9]);
        const int64_t footer = (h[3] >= 4 && (h[5] & 0x10)) ? 10 : 0;
        const int64_t next = end + 10 + body + footer;
        if (next > size) return end;  // a size past the end of the data is no tag to trust
        end = next;
    }
    return end;
}

namespace {
// The search: the offset of the first valid header at or after `start`, or -1.
// `frame` receives up to kFrameProbe bytes from the header on (what the chunk
// holds of them, zeros after) and `frameBytes` their count.
int64_t Search(ByteSource& source, int64_t start, uint8_t* frame, size_t& frameBytes) {
    const int64_t size = source.size();
    uint8_t buffer[kChunk + 3];
    int64_t pos = std::max<int64_t>(start, 0);
    while (pos < size) {
        // A block the source holds already (the file's first bytes) is
        // searched where it lies; otherwise a chunk is read with the 3 bytes
        // after it, so a header that straddles two chunks is seen whole.
        const uint8_t* data = buffer;
        size_t got;
        const QByteArrayView held = source.heldAt(pos);
        if (held.size() >= 4) {
            data = reinterpret_cast<const uint8_t*>(held.data());
            got = static_cast<size_t>(held.size());
        } else {
            got = source.readAt(pos, buffer, sizeof buffer);
        }
        // A header is a header only when all four of its bytes lie in the
        // data: the last positions looked at are 4 bytes before the end.
        if (got < 4) break;
        const size_t limit = got - 3;
        const uint8_t* p = data;
        const uint8_t* end = data + limit;
        while (p < end) {
            p = static_cast<const uint8_t*>(std::memchr(p, 0xFF, static_cast<size_t>(end - p)));
            if (!p) break;
            const size_t i = static_cast<size_t>(p - data);
            if (IsMPEGFrameHeader(p)) {
                std::memset(frame, 0, kFrameProbe);
                frameBytes = std::min(kFrameProbe, got - i);
                std::memcpy(frame, p, frameBytes);
                return pos + static_cast<int64_t>(i);
            }
            ++p;
        }
        pos += static_cast<int64_t>(limit);
    }
    return -1;
}
}  // namespace

int64_t FindMPEGHeader(ByteSource& source, int64_t start, uint8_t header[4]) {
    uint8_t frame[kFrameProbe];
    size_t frameBytes = 0;
    const int64_t position = Search(source, start, frame, frameBytes);
    if (position >= 0) std::memcpy(header, frame, 4);
    return position;
}

void DecodeMPEGFrame(MPEGInfo& info, const uint8_t* frame, size_t frameBytes, int64_t audioEnd) {
    const uint8_t b1 = frame[1], b2 = frame[2], b3 = frame[3];
    info.Version = VersionOf(b1);
    info.Layer = LayerOf(b1);
    static const QString modes[4] = {QStringLiteral("Stereo"), QStringLiteral("Joint-stereo"),
                                     QStringLiteral("Dual channels"), QStringLiteral("Mono")};
    static const QString emphases[4] = {QStringLiteral("None"), QStringLiteral("50/15 ms"),
                                        QStringLiteral("Reserved"), QStringLiteral("CCITT J.17")};
    const int mode = b3 >> 6;
    info.ChannelMode = modes[mode];
    info.Emphasis = emphases[b3 & 3];
    info.Channels = mode == 3 ? 1 : 2;
    if (info.Version == 0) return;

    info.SampleRate = SampleRateOf(info.Version, (b2 >> 2) & 3);
    info.Original = YesNo((b3 >> 2) & 1);
    info.Copyrighted = YesNo((b3 >> 3) & 1);
    info.Private = YesNo(b2 & 1);
    const bool crc = (b1 & 1) == 0;
    info.CRCs = YesNo(crc);

    const BitrateTable* table = TableFor(info.Version, info.Layer);
    const int index = b2 >> 4;
    if (!table || index == 15) return;
    info.Bitrate = (*table)[static_cast<size_t>(index)];
    if (info.Bitrate <= 0) return;

    const int64_t audioBytes = std::max<int64_t>(0, audioEnd - info.HeaderPosition);
    const MPEGStreamCounts vbr = (info.Layer == 3 && info.SampleRate > 0)
                                     ? ReadVbrCounts(frame, frameBytes, info.Version, mode == 3, crc)
                                     : MPEGStreamCounts{};
    const int64_t vbrFrames = vbr.frames;
    if (vbrFrames > 0) {
        info.LengthMs = vbrFrames * SamplesPerFrame(info.Version, info.Layer) * 1000 / info.SampleRate;
        // The first frame of a VBR file is the Xing/VBRI frame itself, whose
        // rate says nothing of the music: with the stream's byte count the
        // cell shows the average rate, in step with the length.  A file of
        // constant rate keeps the rate of its frames.
        if (vbr.variable && vbr.bytes > 0 && info.LengthMs > 0)
            info.Bitrate = static_cast<int32_t>((vbr.bytes * 8 + info.LengthMs / 2) / info.LengthMs);
    } else {
        info.LengthMs = audioBytes * 8 / info.Bitrate;
    }
    if (info.SampleRate < 1) return;

    info.Padding = (b2 >> 1) & 1;
    // The length of the first frame, from its own rate.
    info.FrameLength = MPEGFrameLength(frame);
    info.FrameCount = vbrFrames > 0 ? vbrFrames : audioBytes / info.FrameLength;
}

namespace {
MPEGInfo Analyse(ByteSource& source, bool& found, int64_t searchStart, uint8_t header[4]) {
    MPEGInfo info;
    info.FileSize = source.size();
    const int64_t start = searchStart >= 0 ? searchStart : ID3v2TagEnd(source);
    uint8_t frame[kFrameProbe];
    size_t frameBytes = 0;
    const int64_t position = Search(source, start, frame, frameBytes);
    found = position >= 0;
    if (!found) {
        info.HeaderPosition = info.FileSize;
        return info;
    }
    info.HeaderPosition = position;
    std::memcpy(header, frame, 4);
    // A header near the end of its chunk: the rest of the frame's start is
    // read on its own.
    if (frameBytes < kFrameProbe && position + int64_t(frameBytes) < info.FileSize) {
        const size_t got = source.readAt(position, frame, kFrameProbe);
        if (got >= 4) frameBytes = got;
    }
    int64_t audioEnd = info.FileSize;
    if (info.FileSize > kID3v1Size) {
        uint8_t marker[3];
        if (source.readAt(info.FileSize - kID3v1Size, marker, 3) == 3 && std::memcmp(marker, "TAG", 3) == 0)
            audioEnd -= kID3v1Size;
    }
    DecodeMPEGFrame(info, frame, frameBytes, audioEnd);
    return info;
}

}  // namespace

MPEGInfo AnalyseMPEG(ByteSource& source, bool& found, int64_t searchStart) {
    uint8_t header[4];
    return Analyse(source, found, searchStart, header);
}

MPEGInfo ReadMPEGInfo(ByteSource& file, const QString& path, bool& found, int64_t searchStart) {
    MPEGInfo info;
    try {
        info.FileSize = file.size();
        bool hit = false;
        uint8_t header[4];
        info = Analyse(file, hit, searchStart, header);
        found = hit;
        if (hit) SetHeaderBits(gstrMPEGHeaderBits, header);
        return info;
    } catch (...) {
        if (ReportFileError(path, FileAction::ReadMPEG)) return info;
        PropagateError(CallSite(QStringLiteral("ReadMPEGInfo"), path, found));
    }
}

MPEGInfo ReadMPEGInfo(const QString& path, bool& found) {
    FileBytes file;
    try {
        if (!file.open(path)) return MPEGInfo();
    } catch (...) {
        if (ReportFileError(path, FileAction::ReadMPEG)) {
            // A file that cannot be opened still has a length, which the
            // record holds before the search fails.
            MPEGInfo info;
            struct stat st {};
            if (::stat(NativePath(path).constData(), &st) == 0) info.FileSize = st.st_size;
            return info;
        }
        PropagateError(CallSite(QStringLiteral("ReadMPEGInfo"), path, found));
    }
    return ReadMPEGInfo(file, path, found);
}

bool GetMPEGHeader(const QString& path, int64_t& position) {
    try {
        FileBytes file;
        if (!file.open(path)) RaiseError(ErrNo::FileNotFound);
        const int64_t start = position > 0 ? position : ID3v2TagEnd(file);
        uint8_t header[4];
        const int64_t found = FindMPEGHeader(file, start, header);
        if (found < 0) {
            position = file.size();
            return false;
        }
        position = found;
        SetHeaderBits(gstrMPEGHeaderBits, header);
        return true;
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("GetMPEGHeader"), path, position));
    }
}

bool GetBitrate(int32_t version, int32_t layer, int32_t& bitrate) {
    BitrateTable table;
    if (!GetBitrateTable(version, layer, table)) {
        bitrate = 0;
        return false;
    }
    int index = 0;
    const QString bits = gstrMPEGHeaderBits.mid(16, 4);
    for (QChar c : bits) index = index * 2 + (c == QLatin1Char('1') ? 1 : 0);
    if (index > 14) return false;
    bitrate = table[static_cast<size_t>(index)];
    return true;
}

bool GetBitrateTable(int32_t version, int32_t layer, BitrateTable& table) {
    const BitrateTable* row = TableFor(version, layer);
    if (!row) return false;
    table = *row;
    return true;
}
