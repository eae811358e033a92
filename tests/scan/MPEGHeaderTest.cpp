#include "ScanTestSupport.h"
#include "scanning/engine/FileBytes.h"
#include "scanning/engine/MPEGHeader.h"
#include "scanning/engine/ScanRecord.h"
#include "support/ScriptedUi.h"

#include <QFile>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {
QByteArray Bytes(std::initializer_list<int> values) {
    QByteArray b;
    for (int v : values) b.append(char(v));
    return b;
}

// A file of `size` zero bytes with `frame` written at `position`.
QByteArray FileWith(const QByteArray& frame, int64_t size, int64_t position = 0) {
    QByteArray file(size, '\0');
    file.replace(position, frame.size(), frame);
    return file;
}

// Cells 21 to 35 of the results row of an MPEGInfo.
QStringList MpegCells(const MPEGInfo& info) {
    ScanRecord record;
    record.MPEGInfo = info;
    const ScanRowTexts texts = ScanRecordTexts(record);
    QStringList cells;
    for (int c = ScanColumn::Size; c <= ScanColumn::Channels; ++c) cells << texts[size_t(c)];
    return cells;
}

QStringList Cells(const char* text) { return QString::fromUtf8(text).split(QLatin1Char('|')); }

struct HeaderCase {
    const char* what;
    QByteArray header;
    int64_t fileSize;
    // Size|Header Found At|Length|Version|Layer|Bit Rate|Frames|Frequency|Mode|
    // Private|CRC's|Copyrighted|Original|Emphasis|Channels
    const char* cells;
    int frameLength;
    int padding;
};
}  // namespace

TEST(MPEGHeader, HeaderBytesGiveTheColumnTexts) {
    const HeaderCase cases[] = {
        {"MPEG-1 Layer III 128 kbit/s", Bytes({0xFF, 0xFB, 0x90, 0x64}), 5000000,
         "5000000|0|312500|1|3|128|11990|44100|Joint-stereo|No|No|No|Yes|None|2", 417, 0},
        {"padding bit set", Bytes({0xFF, 0xFB, 0x92, 0x64}), 5000000,
         "5000000|0|312500|1|3|128|11961|44100|Joint-stereo|No|No|No|Yes|None|2", 418, 1},
        {"index 14 is 320 kbit/s", Bytes({0xFF, 0xFB, 0xE0, 0x64}), 1000000,
         "1000000|0|25000|1|3|320|957|44100|Joint-stereo|No|No|No|Yes|None|2", 1044, 0},
        {"free format", Bytes({0xFF, 0xFB, 0x00, 0x64}), 1000,
         "1000|0|0|1|3|0|0|44100|Joint-stereo|No|No|No|Yes|None|2", 0, 0},
        {"mono", Bytes({0xFF, 0xFB, 0x90, 0xC4}), 10000,
         "10000|0|625|1|3|128|23|44100|Mono|No|No|No|Yes|None|1", 417, 0},
        {"CRC present", Bytes({0xFF, 0xFA, 0x90, 0x64}), 4170,
         "4170|0|260|1|3|128|10|44100|Joint-stereo|No|Yes|No|Yes|None|2", 417, 0},
        {"private, copyright, original, CCITT J.17", Bytes({0xFF, 0xFB, 0x91, 0x6F}), 4170,
         "4170|0|260|1|3|128|10|44100|Joint-stereo|Yes|No|Yes|Yes|CCITT J.17|2", 417, 0},
        {"dual channels, 50/15 ms", Bytes({0xFF, 0xFB, 0x90, 0x85}), 4170,
         "4170|0|260|1|3|128|10|44100|Dual channels|No|No|No|Yes|50/15 ms|2", 417, 0},
        {"stereo, reserved emphasis, not original", Bytes({0xFF, 0xFB, 0x90, 0x02}), 4170,
         "4170|0|260|1|3|128|10|44100|Stereo|No|No|No|No|Reserved|2", 417, 0},
        {"MPEG-2 Layer III: 72000 per frame", Bytes({0xFF, 0xF3, 0x80, 0x64}), 100000,
         "100000|0|12500|2|3|64|480|22050|Joint-stereo|No|No|No|Yes|None|2", 208, 0},
        {"MPEG-2.5 Layer III", Bytes({0xFF, 0xE3, 0x40, 0xC4}), 50000,
         "50000|0|12500|25|3|32|240|11025|Mono|No|No|No|Yes|None|1", 208, 0},
        {"MPEG-1 Layer I", Bytes({0xFF, 0xFF, 0x10, 0x00}), 32000,
         "32000|0|8000|1|1|32|1000|44100|Stereo|No|No|No|No|None|2", 32, 0},
        {"MPEG-1 Layer II", Bytes({0xFF, 0xFD, 0xC4, 0x00}), 76800,
         "76800|0|2400|1|2|256|100|48000|Stereo|No|No|No|No|None|2", 768, 0},
        {"MPEG-2 Layer I", Bytes({0xFF, 0xF7, 0x94, 0x00}), 2880,
         "2880|0|160|2|1|144|10|24000|Stereo|No|No|No|No|None|2", 288, 0},
        {"MPEG-2 Layer II", Bytes({0xFF, 0xF5, 0xA8, 0x00}), 8640,
         "8640|0|720|2|2|96|10|16000|Stereo|No|No|No|No|None|2", 864, 0},
    };
    for (const HeaderCase& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryBytes source(FileWith(c.header, c.fileSize));
        bool found = false;
        const MPEGInfo info = AnalyseMPEG(source, found);
        EXPECT_TRUE(found);
        EXPECT_EQ(MpegCells(info), Cells(c.cells));
        EXPECT_EQ(info.FrameLength, c.frameLength);
        EXPECT_EQ(info.Padding, c.padding);
    }
}

TEST(MPEGHeader, SearchFindsTheFirstValidHeaderWhereverItStands) {
    struct {
        const char* what;
        QByteArray file;
        int64_t position;
        int32_t version;
    } cases[] = {
        {"sync pair split over the first two chunks", FileWith(Bytes({0xFF, 0xFB, 0x90, 0x64}), 8192, 4095), 4095, 1},
        {"header at 5000", FileWith(Bytes({0xFF, 0xF3, 0x80, 0x64}), 8192, 5000), 5000, 2},
        {"reserved version code skipped",
         FileWith(Bytes({0xFF, 0xEB, 0x90, 0x64}), 300, 10).replace(100, 4, Bytes({0xFF, 0xFB, 0x90, 0x64})), 100, 1},
        {"reserved layer code skipped",
         FileWith(Bytes({0xFF, 0xF9, 0x90, 0x64}), 300, 10).replace(200, 4, Bytes({0xFF, 0xE3, 0x40, 0xC4})), 200, 25},
        {"forbidden bit-rate index skipped",
         FileWith(Bytes({0xFF, 0xFB, 0xF0, 0x64}), 300, 10).replace(100, 4, Bytes({0xFF, 0xFB, 0x90, 0x64})), 100, 1},
        {"reserved sampling rate skipped",
         FileWith(Bytes({0xFF, 0xFB, 0x9C, 0x64}), 300, 10).replace(100, 4, Bytes({0xFF, 0xFB, 0x90, 0x64})), 100, 1},
        {"a run of 0xFF bytes before the header",
         FileWith(QByteArray(8, char(0xFF)) + Bytes({0xFB, 0x90, 0x64}), 300, 3), 10, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryBytes source(c.file);
        bool found = false;
        const MPEGInfo info = AnalyseMPEG(source, found);
        ASSERT_TRUE(found);
        EXPECT_EQ(info.HeaderPosition, c.position);
        EXPECT_EQ(info.Version, c.version);
    }
}

TEST(MPEGHeader, NoHeaderLeavesOnlySizeAndPosition) {
    // A header is a header only when all four of its bytes lie in the file:
    // the bytes past the end are no zeros to complete one.
    QByteArray noise(10000, char(0x11));
    noise[50] = char(0xFF);  // 0xFF followed by a byte that is no sync
    noise[9999] = char(0xFF);  // 0xFF as the very last byte
    QByteArray syncAtTheEnd(300, char(0x11));
    syncAtTheEnd.replace(297, 3, Bytes({0xFF, 0xFB, 0x90}));
    struct {
        const char* what;
        QByteArray file;
    } cases[] = {
        {"no sync", noise},
        {"a file of 0xFF bytes", QByteArray(10000, char(0xFF))},
        {"0xFF bytes past the first chunk", QByteArray(4099, char(0xFF))},
        {"three bytes of a header at the end", syncAtTheEnd},
        {"three bytes of a header and nothing else", Bytes({0xFF, 0xFB, 0x90})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryBytes source(c.file);
        bool found = true;
        const MPEGInfo info = AnalyseMPEG(source, found);
        EXPECT_FALSE(found);
        const QString size = QString::number(c.file.size());
        EXPECT_EQ(MpegCells(info), (size + "|" + size + "|0|0|0|0|0|0|||||||0").split(QLatin1Char('|')));
    }
}

TEST(MPEGHeader, SearchStartsAfterTheID3v2Tag) {
    // A tag whose body (a picture, say) holds a sync pattern of its own.
    QByteArray tag = Bytes({'I', 'D', '3', 3, 0, 0, 0, 0, 0x02, 0x00});  // body of 256 bytes
    QByteArray body(256, '\0');
    body.replace(20, 4, Bytes({0xFF, 0xFB, 0x90, 0x64}));
    const QByteArray audio = FileWith(Bytes({0xFF, 0xF3, 0x80, 0x64}), 20800);
    MemoryBytes source(tag + body + audio);
    bool found = false;
    const MPEGInfo info = AnalyseMPEG(source, found);
    ASSERT_TRUE(found);
    EXPECT_EQ(info.HeaderPosition, 266);
    EXPECT_EQ(info.Version, 2);
    EXPECT_EQ(info.FrameCount, 20800 / 208);  // the tag's bytes are not audio
    EXPECT_EQ(info.LengthMs, 20800 * 8 / 64);

    // A version 2.4 tag with a footer: the footer is skipped too.
    QByteArray tag24 = Bytes({'I', 'D', '3', 4, 0, 0x10, 0, 0, 0, 0x10});
    QByteArray body24(16, char(0xFF));
    QByteArray footer = Bytes({'3', 'D', 'I', 4, 0, 0x10, 0, 0, 0, 0x10});
    MemoryBytes source24(tag24 + body24 + footer + FileWith(Bytes({0xFF, 0xFB, 0x90, 0x64}), 4170));
    const MPEGInfo info24 = AnalyseMPEG(source24, found);
    ASSERT_TRUE(found);
    EXPECT_EQ(info24.HeaderPosition, 36);
    EXPECT_EQ(ID3v2TagEnd(source24), 36);

    // An explicit start overrides the tag.
    const MPEGInfo fromStart = AnalyseMPEG(source, found, 0);
    EXPECT_EQ(fromStart.HeaderPosition, 30);
}

TEST(MPEGHeader, TrailingID3v1TagIsNotCountedAsAudio) {
    QByteArray file = FileWith(Bytes({0xFF, 0xFB, 0x90, 0x64}), 100000);
    QByteArray tag(128, ' ');
    tag.replace(0, 3, "TAG");
    MemoryBytes source(file + tag);
    bool found = false;
    const MPEGInfo info = AnalyseMPEG(source, found);
    EXPECT_EQ(info.FileSize, 100128);
    EXPECT_EQ(info.LengthMs, 100000 * 8 / 128);
    EXPECT_EQ(info.FrameCount, 100000 / 417);
}

TEST(MPEGHeader, XingInfoAndVbriFramesGiveCountLengthAndAverageRate) {
    auto be32 = [](uint32_t v) { return Bytes({int(v >> 24), int((v >> 16) & 0xFF), int((v >> 8) & 0xFF), int(v & 0xFF)}); };
    // A VBR file's first frame is its Xing or VBRI frame, at whatever rate;
    // with the stream's byte count the bit rate is the average (bytes x 8 /
    // length, rounded).  An Info frame marks a file of constant rate, whose
    // rate stays that of its frames.
    struct {
        const char* what;
        QByteArray header;
        int offset;  // of the tag inside the frame
        QByteArray tag;
        int64_t frames;
        int64_t lengthMs;
        int32_t bitrate;
    } cases[] = {
        {"Xing, MPEG-1 stereo, no byte count", Bytes({0xFF, 0xFB, 0x90, 0x64}), 36,
         "Xing" + be32(0x0F) + be32(1000) + be32(0), 1000, 1000LL * 1152 * 1000 / 44100, 128},
        {"Xing with a byte count", Bytes({0xFF, 0xFB, 0x90, 0x64}), 36, "Xing" + be32(0x03) + be32(1000) + be32(600000),
         1000, 26122, 184},  // 4,800,000 bits in 26,122 ms: 183.75
        {"Xing with a byte count but no frame count", Bytes({0xFF, 0xFB, 0x90, 0x64}), 36,
         "Xing" + be32(0x02) + be32(600000), 100000 / 417, 100000 * 8 / 128, 128},
        {"Info, MPEG-2 mono", Bytes({0xFF, 0xF3, 0x80, 0xC4}), 13, "Info" + be32(0x01) + be32(500), 500,
         500LL * 576 * 1000 / 22050, 64},
        {"Info with a byte count keeps the frames' rate", Bytes({0xFF, 0xFB, 0x90, 0x64}), 36,
         "Info" + be32(0x03) + be32(1000) + be32(440000), 1000, 26122, 128},
        {"Xing behind a CRC", Bytes({0xFF, 0xFA, 0x90, 0x64}), 38, "Xing" + be32(0x03) + be32(10) + be32(2000), 10,
         10LL * 1152 * 1000 / 44100, 61},  // 16,000 bits in 261 ms
        {"Xing, MPEG-2.5 stereo", Bytes({0xFF, 0xE3, 0x40, 0x44}), 21, "Xing" + be32(0x01) + be32(77), 77,
         77LL * 576 * 1000 / 11025, 32},
        {"VBRI", Bytes({0xFF, 0xFB, 0x90, 0x64}), 36,
         "VBRI" + Bytes({0, 1, 4, 0, 0, 75}) + be32(1234567) + be32(2000), 2000, 2000LL * 1152 * 1000 / 44100,
         189},  // 9,876,536 bits in 52,244 ms: 189.05
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QByteArray file = FileWith(c.header, 100000);
        file.replace(c.offset, c.tag.size(), c.tag);
        MemoryBytes source(file);
        bool found = false;
        const MPEGInfo info = AnalyseMPEG(source, found);
        EXPECT_EQ(info.FrameCount, c.frames);
        EXPECT_EQ(info.LengthMs, c.lengthMs);
        EXPECT_EQ(info.Bitrate, c.bitrate);
        // The first frame's length follows its own header's rate.
        const int32_t frameRate = info.Version == 1 ? 128 : info.Version == 2 ? 64 : 32;
        EXPECT_EQ(info.FrameLength, (info.Layer == 3 && info.Version != 1 ? 72000 : 144000) * frameRate /
                                        info.SampleRate + info.Padding);
    }

    // A Xing frame without a frame count falls back to the audio bytes.
    QByteArray file = FileWith(Bytes({0xFF, 0xFB, 0x90, 0x64}), 100000);
    file.replace(36, 12, "Xing" + be32(0x0E) + be32(999));
    MemoryBytes source(file);
    bool found = false;
    const MPEGInfo info = AnalyseMPEG(source, found);
    EXPECT_EQ(info.FrameCount, 100000 / 417);
    EXPECT_EQ(info.LengthMs, 100000 * 8 / 128);
}

namespace {
// A source as large as a long recording, without the bytes.
class HugeSource final : public ByteSource {
public:
    int64_t size() const override { return 3000000000LL; }
    size_t readAt(int64_t offset, uint8_t* buffer, size_t count) override {
        const size_t n = size_t(std::min<int64_t>(int64_t(count), size() - offset));
        std::memset(buffer, 0, n);
        static const uint8_t header[4] = {0xFF, 0xFB, 0x90, 0x64};
        for (int i = 0; i < 4; ++i)
            if (offset <= i && i < offset + int64_t(n)) buffer[i - offset] = header[i];
        return n;
    }
};
}  // namespace

TEST(MPEGHeader, SizesPastTwoGigabytesDoNotOverflow) {
    HugeSource source;
    bool found = false;
    const MPEGInfo info = AnalyseMPEG(source, found);
    EXPECT_EQ(MpegCells(info),
              Cells("3000000000|0|187500000|1|3|128|7194244|44100|Joint-stereo|No|No|No|Yes|None|2"));

    // The same through a real (sparse) file.
    ScanTempDir dir;
    const QString path = dir.write("big.mp3", Bytes({0xFF, 0xFB, 0x90, 0x64}));
    ASSERT_EQ(::truncate(QFile::encodeName(path).constData(), 3000000000LL), 0);
    const MPEGInfo fromFile = ReadMPEGInfo(path, found);
    EXPECT_TRUE(found);
    EXPECT_EQ(fromFile.FileSize, 3000000000LL);
    EXPECT_EQ(fromFile.LengthMs, 187500000);
}

TEST(MPEGHeader, PathProceduresAndTheSharedHeaderBits) {
    ScriptedUi ui;
    ScanTempDir dir;
    const QString path = dir.write("a.mp3", FileWith(Bytes({0xFF, 0xFA, 0x92, 0x64}), 8192, 5000));

    int64_t position = 0;
    ASSERT_TRUE(GetMPEGHeader(path, position));
    EXPECT_EQ(position, 5000);
    EXPECT_EQ(gstrMPEGHeaderBits, "11111111111110101001001001100100");
    int32_t bitrate = -1;
    EXPECT_TRUE(GetBitrate(1, 3, bitrate));
    EXPECT_EQ(bitrate, 128);
    EXPECT_FALSE(GetBitrate(0, 3, bitrate));
    EXPECT_EQ(bitrate, 0);

    // The forbidden index in the shared bits leaves the bit rate alone.
    gstrMPEGHeaderBits = QStringLiteral("11111111111110111111000001100100");
    bitrate = 77;
    EXPECT_FALSE(GetBitrate(1, 3, bitrate));
    EXPECT_EQ(bitrate, 77);

    const QString none = dir.write("n.mp3", QByteArray(600, 'x'));
    position = 0;
    EXPECT_FALSE(GetMPEGHeader(none, position));
    EXPECT_EQ(position, 600);

    bool found = true;
    const MPEGInfo missing = ReadMPEGInfo(dir.file("missing.mp3"), found);
    EXPECT_TRUE(found);  // left as passed
    EXPECT_EQ(MpegCells(missing), Cells("0|0|0|0|0|0|0|0|||||||0"));
    found = false;
    EXPECT_EQ(ReadMPEGInfo(path, found).HeaderPosition, 5000);
    EXPECT_TRUE(found);
    EXPECT_TRUE(ui.shown.empty());
}

TEST(MPEGHeader, BitrateTables) {
    BitrateTable table{};
    ASSERT_TRUE(GetBitrateTable(25, 3, table));
    EXPECT_EQ(table, (BitrateTable{0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160}));
    ASSERT_TRUE(GetBitrateTable(1, 1, table));
    EXPECT_EQ(table[14], 448);
    ASSERT_TRUE(GetBitrateTable(2, 1, table));
    EXPECT_EQ(table[9], 144);
    BitrateTable untouched{};
    untouched.fill(-1);
    EXPECT_FALSE(GetBitrateTable(0, 3, untouched));
    EXPECT_FALSE(GetBitrateTable(1, 0, untouched));
    EXPECT_FALSE(GetBitrateTable(3, 3, untouched));
    EXPECT_EQ(untouched[0], -1);
}

TEST(MPEGHeader, UnreadableFileIsReportedAndGivesWhatWasBuilt) {
    ScriptedUi ui;
    ScanTempDir dir;
    const QString path = dir.write("locked.mp3", FileWith(Bytes({0xFF, 0xFB, 0x90, 0x64}), 1000));
    SetMode(path, 0);
    bool found = false;
    MPEGInfo info;
    {
        WithoutFileRights unprivileged;
        info = ReadMPEGInfo(path, found);
    }
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].title, "Permission Denied");
    EXPECT_TRUE(ui.shown[0].prompt.startsWith("locked.mp3\r\n\r\nCannot read MPEG information. Permission denied"))
        << ui.shown[0].prompt.toStdString();
    EXPECT_FALSE(found);
    // The length is known before the search fails; nothing after it is.
    EXPECT_EQ(MpegCells(info), Cells("1000|0|0|0|0|0|0|0|||||||0"));
}

namespace {
class CountingSource final : public ByteSource {
public:
    explicit CountingSource(QByteArray bytes) : m_bytes(std::move(bytes)) {}
    int64_t size() const override { return m_bytes.size(); }
    size_t readAt(int64_t offset, uint8_t* buffer, size_t count) override {
        ++reads;
        return m_bytes.readAt(offset, buffer, count);
    }
    int reads = 0;

private:
    MemoryBytes m_bytes;
};
}  // namespace

TEST(MPEGHeader, ATaggedFileCostsAFewReads) {
    QByteArray tag = Bytes({'I', 'D', '3', 3, 0, 0, 0, 0, 0x40, 0x00});  // 8192 bytes of tag body
    tag += QByteArray(8192, char(0xFF));
    QByteArray trailer(128, ' ');
    trailer.replace(0, 3, "TAG");
    CountingSource source(tag + FileWith(Bytes({0xFF, 0xFB, 0x90, 0x64}), 50000) + trailer);
    bool found = false;
    const MPEGInfo info = AnalyseMPEG(source, found);
    EXPECT_EQ(info.HeaderPosition, 8202);
    EXPECT_EQ(info.FrameCount, 50000 / 417);
    // Tag header, a look for a second tag, one search chunk, the trailer.
    EXPECT_LE(source.reads, 4);
}
