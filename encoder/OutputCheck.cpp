#include "encoder/OutputCheck.h"

#include "foundation/Errors.h"
#include "foundation/ResourceStrings.h"
#include "scanning/engine/FileBytes.h"
#include "scanning/engine/ID3v1.h"
#include "scanning/engine/MPEGHeader.h"

#include <QtEndian>
#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace {

uint32_t Little32(const uint8_t* p) { return qFromLittleEndian<uint32_t>(p); }

OutputCheck Fault(OutputFault fault, int64_t expected = 0, int64_t actual = 0) { return {fault, expected, actual}; }

// Reads a stream front to back in large blocks, so walking a long file's
// frames costs a read per block, not per frame.
class BlockReader {
public:
    explicit BlockReader(ByteSource& source) : m_source(source), m_buffer(kBlock) {}
    // Up to `count` bytes at `offset` (fewer only at the end of the data);
    // valid until the next call.
    const uint8_t* at(int64_t offset, size_t count, size_t& got) {
        if (offset < m_start || offset + int64_t(count) > m_start + int64_t(m_size)) {
            m_start = offset;
            m_size = m_source.readAt(offset, m_buffer.data(), m_buffer.size());
        }
        const size_t from = size_t(offset - m_start);
        got = std::min(count, m_size - std::min(m_size, from));
        return m_buffer.data() + from;
    }

private:
    static constexpr size_t kBlock = 1 << 18;
    ByteSource& m_source;
    std::vector<uint8_t> m_buffer;
    int64_t m_start = 0;
    size_t m_size = 0;
};

// Two headers of one stream: the same version and layer, the same sampling
// rate.  Bit rate, padding and mode extension change from frame to frame.
bool SameStream(const uint8_t* a, const uint8_t* b) {
    return (a[1] & 0xFE) == (b[1] & 0xFE) && (a[2] & 0x0C) == (b[2] & 0x0C);
}

// The unpadded length of the free-format frames that start at `first`: the
// distance to the next header of the same stream (free format too, same
// mode), less the first frame's padding slot.  0 when no second frame
// follows before `audioEnd` (a stream of one frame).
int64_t FreeFormatSlot(BlockReader& reader, int64_t first, const uint8_t* header, int64_t audioEnd) {
    // A free-format Layer III frame is at most 640 kbit/s at 8 kHz: far
    // below this reach.
    constexpr int64_t kReach = 1 << 16;
    const int64_t slot = ((header[1] >> 1) & 3) == 3 ? 4 : 1;  // Layer I pads by 4 bytes
    const int64_t padding = ((header[2] >> 1) & 1) * slot;
    const int64_t end = std::min(audioEnd, first + kReach);
    for (int64_t p = first + 4; p + 4 <= end; ++p) {
        size_t got = 0;
        const uint8_t* h = reader.at(p, 4, got);
        if (got < 4) break;
        if (h[0] == 0xFF && IsMPEGFrameHeader(h) && SameStream(h, header) && (h[2] & 0xF0) == 0 &&
            (h[3] & 0xC0) == (header[3] & 0xC0))
            return p - first - padding;
    }
    return 0;
}

}  // namespace

OutputCheck CheckWavOutput(ByteSource& bytes) {
    const int64_t size = bytes.size();
    if (size == 0) return Fault(OutputFault::Empty);
    uint8_t head[12];
    if (bytes.readAt(0, head, sizeof head) < sizeof head || std::memcmp(head, "RIFF", 4) != 0 ||
        std::memcmp(head + 8, "WAVE", 4) != 0)
        return Fault(OutputFault::NoWavHeader);
    const int64_t riffEnd = 8 + int64_t(Little32(head + 4));
    // LAME first writes the largest length it can and puts the real one in
    // at the end; a file shorter than its RIFF length was cut off.
    if (riffEnd > size) return Fault(OutputFault::WavCutOff, riffEnd, size);
    bool haveFormat = false;
    for (int64_t pos = 12; pos + 8 <= riffEnd;) {
        uint8_t chunk[8];
        if (bytes.readAt(pos, chunk, sizeof chunk) < sizeof chunk) break;
        const int64_t length = Little32(chunk + 4);
        const int64_t chunkEnd = pos + 8 + length;
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            haveFormat = length >= 16 && chunkEnd <= riffEnd;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!haveFormat) break;
            if (chunkEnd > size) return Fault(OutputFault::WavCutOff, chunkEnd, size);
            return chunkEnd > riffEnd ? Fault(OutputFault::NoWavHeader) : OutputCheck{};
        }
        pos = chunkEnd + (length & 1);
    }
    return Fault(OutputFault::NoWavHeader);
}

OutputCheck CheckMp3Output(ByteSource& bytes) {
    const int64_t size = bytes.size();
    if (size == 0) return Fault(OutputFault::Empty);
    const int64_t start = ID3v2TagEnd(bytes);
    int64_t audioEnd = size;
    if (size - start >= kID3v1Size) {
        uint8_t marker[3];
        if (bytes.readAt(size - kID3v1Size, marker, 3) == 3 && std::memcmp(marker, "TAG", 3) == 0)
            audioEnd -= kID3v1Size;
    }
    uint8_t first[4];
    const int64_t firstFrame = FindMPEGHeader(bytes, start, first);
    if (firstFrame < 0 || firstFrame + 4 > audioEnd) return Fault(OutputFault::NoAudioFrame);

    BlockReader reader(bytes);
    int64_t frames = 0;
    int64_t freeSlot = -1;  // unknown until the first free-format frame
    int64_t pos = firstFrame;
    while (pos < audioEnd) {
        size_t got = 0;
        const uint8_t* h = reader.at(pos, 4, got);
        // What a cut-off frame still needs is counted against the whole file.
        auto cutOff = [&](int64_t frameEnd) {
            return Fault(OutputFault::FrameCutOff, size + (frameEnd - audioEnd), size);
        };
        if (pos + 4 > audioEnd || got < 4) return cutOff(pos + 4);
        if (!IsMPEGFrameHeader(h) || !SameStream(h, first)) return Fault(OutputFault::FramesBroken);
        int64_t length = MPEGFrameLength(h);
        if (length == 0) {
            if (freeSlot < 0) freeSlot = FreeFormatSlot(reader, pos, h, audioEnd);
            // A lone free-format frame reaches to the end: nothing says otherwise.
            if (freeSlot == 0) return {};
            const int64_t padding = ((h[2] >> 1) & 1) * (((h[1] >> 1) & 3) == 3 ? 4 : 1);
            length = freeSlot + padding;
        }
        if (pos + length > audioEnd) return cutOff(pos + length);
        pos += length;
        ++frames;
    }

    // LAME writes the stream's counts into its Xing/Info frame at the end; a
    // file cut at a frame's edge holds fewer than they say.
    std::array<uint8_t, 256> frame{};
    const size_t frameBytes = bytes.readAt(firstFrame, frame.data(), frame.size());
    const MPEGStreamCounts counts = ReadMPEGStreamCounts(frame.data(), frameBytes);
    const int64_t audioBytes = audioEnd - firstFrame;
    if (counts.bytes > audioBytes)
        return Fault(OutputFault::FewerThanCounted, size + (counts.bytes - audioBytes), size);
    if (counts.frames > frames) return Fault(OutputFault::FewerThanCounted);
    return {};
}

OutputCheck CheckConvertedFile(const QString& path, bool wav) {
    FileBytes file;
    if (!file.open(path)) RaiseError(ErrNo::FileNotFound);
    return wav ? CheckWavOutput(file) : CheckMp3Output(file);
}

QString OutputFaultText(const OutputCheck& check) {
    using namespace TextId::Encoder;
    int32_t id = 0;
    switch (check.fault) {
    case OutputFault::None: return QString();
    case OutputFault::Empty: id = OutputEmpty; break;
    case OutputFault::NoWavHeader: id = OutputNoWavHeader; break;
    case OutputFault::NoAudioFrame: id = OutputNoAudioFrame; break;
    case OutputFault::FramesBroken: id = OutputFramesBroken; break;
    case OutputFault::FrameCutOff: id = OutputLastFrameCutOff; break;
    case OutputFault::WavCutOff:
    case OutputFault::FewerThanCounted: id = OutputCutOff; break;
    }
    QString text = GetResourceString(id);
    if (check.expected > 0)
        text += GetResourceString(OutputBytesExpected) + QString::number(check.expected) +
                GetResourceString(OutputBytesWritten) + QString::number(check.actual);
    return text;
}
