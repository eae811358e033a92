// Whether a converted file is whole: real LAME outputs in the forms LAME
// writes (constant and variable rate, free format, MPEG-2, tags at either
// end, a decoded WAV) pass; the same files cut short where a full disk would
// cut them, or damaged, fail with the fault that says why.

#include "encoder/OutputCheck.h"
#include "scanning/engine/FileBytes.h"
#include "scanning/engine/MPEGHeader.h"
#include "support/Audio.h"
#include "support/Mp3Recipes.h"
#include "support/QtPrinters.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <QtEndian>
#include <functional>
#include <gtest/gtest.h>
#include <map>

namespace {

// LAME's outputs, made once: name -> bytes.
class OutputCheckTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (LameProgram().isEmpty()) return;
        QTemporaryDir dir;
        const QString stereo = WriteFile(dir.path(), "stereo.wav", MakeWav(44100, 2, 700));
        const QString mono = WriteFile(dir.path(), "mono.wav", MakeWav(44100, 1, 700));
        const std::map<std::string, QStringList> encodes = {
            {"cbr", {"-b", "128", stereo}},
            {"vbr", {"-V", "2", stereo}},
            {"tagged", {"-b", "128", "--tt", "Title", "--ta", "Artist", "--add-id3v2", stereo}},
            {"free", {"-b", "128", "--freeformat", stereo}},
            {"mpeg2", {"-b", "32", "--resample", "16", mono}},
            {"noinfo", {"-b", "128", "-t", stereo}},
        };
        for (const auto& [name, args] : encodes) {
            const QString out = dir.path() + "/" + QString::fromStdString(name) + ".mp3";
            ASSERT_TRUE(RunLame(args + QStringList{out})) << name;
            files()[name] = ReadBytes(out);
        }
        const QString decoded = dir.path() + "/decoded.wav";
        ASSERT_TRUE(RunLame({"--decode", dir.path() + "/cbr.mp3", decoded}));
        files()["decoded"] = ReadBytes(decoded);
    }
    void SetUp() override {
        if (LameProgram().isEmpty()) GTEST_SKIP() << "lame is not installed";
    }
    static std::map<std::string, QByteArray>& files() {
        static std::map<std::string, QByteArray> made;
        return made;
    }
    static QByteArray file(const std::string& name) { return files().at(name); }

    // The offset of the last frame of an MP3 without an ID3v1 tag: the
    // header from which one frame length reaches the end.
    static qsizetype LastFrame(const QByteArray& mp3) {
        for (qsizetype p = mp3.size() - 4; p >= 0; --p) {
            const auto* h = reinterpret_cast<const uint8_t*>(mp3.constData() + p);
            if (IsMPEGFrameHeader(h) && p + MPEGFrameLength(h) == mp3.size()) return p;
        }
        return -1;
    }
};

struct Case {
    const char* name;
    std::function<QByteArray()> bytes;
    OutputFault fault;
};

void Check(const Case& c, bool wav) {
    SCOPED_TRACE(c.name);
    MemoryBytes bytes(c.bytes());
    const OutputCheck check = wav ? CheckWavOutput(bytes) : CheckMp3Output(bytes);
    EXPECT_EQ(int(check.fault), int(c.fault));
}

QByteArray Le32(uint32_t v) {
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

TEST_F(OutputCheckTest, Mp3sAreWholeOnlyWithEveryFrameWholeAndAllThatTheirInfoFrameCounts) {
    auto cut = [](const std::string& name, qsizetype drop) {
        return [name, drop] { return file(name).chopped(drop); };
    };
    auto lastFrameDropped = [](const std::string& name) {
        return [name] { return file(name).left(LastFrame(file(name))); };
    };
    const Case cases[] = {
        // what LAME writes
        {"constant rate", [] { return file("cbr"); }, OutputFault::None},
        {"variable rate", [] { return file("vbr"); }, OutputFault::None},
        {"ID3v2 and ID3v1 tags", [] { return file("tagged"); }, OutputFault::None},
        {"free format", [] { return file("free"); }, OutputFault::None},
        {"MPEG-2 at 16 kHz", [] { return file("mpeg2"); }, OutputFault::None},
        {"no Info frame", [] { return file("noinfo"); }, OutputFault::None},
        {"frames of a hand-made file", [] { return MakeMp3({}); }, OutputFault::None},
        // nothing there
        {"empty", [] { return QByteArray(); }, OutputFault::Empty},
        {"an ID3v2 tag alone",
         [] {
             Mp3Recipe tagOnly;
             tagOnly.v2 = {{"TIT2", "Title"}};
             tagOnly.frames = 0;
             return MakeMp3(tagOnly);
         },
         OutputFault::NoAudioFrame},
        {"no MPEG data", [] { return QByteArray(3000, 'x'); }, OutputFault::NoAudioFrame},
        // cut short
        {"constant rate cut inside its last frame", cut("cbr", 100), OutputFault::FrameCutOff},
        {"variable rate cut inside its last frame", cut("vbr", 7), OutputFault::FrameCutOff},
        {"free format cut inside its last frame", cut("free", 50), OutputFault::FrameCutOff},
        {"MPEG-2 cut inside its last frame", cut("mpeg2", 1), OutputFault::FrameCutOff},
        {"cut inside the last frame's header", [] { return file("cbr").left(LastFrame(file("cbr")) + 2); },
         OutputFault::FrameCutOff},
        {"constant rate cut at a frame's edge", lastFrameDropped("cbr"), OutputFault::FewerThanCounted},
        {"variable rate cut at a frame's edge", lastFrameDropped("vbr"), OutputFault::FewerThanCounted},
        {"tagged file cut inside its ID3v1 tag", cut("tagged", 60), OutputFault::FramesBroken},
        // damaged
        {"a frame header overwritten",
         [] {
             QByteArray b = file("cbr");
             const qsizetype last = LastFrame(b);
             b.replace(last, 4, QByteArray(4, '\0'));
             return b;
         },
         OutputFault::FramesBroken},
        {"data after the last frame", [] { return file("noinfo") + QByteArray(300, '\0'); }, OutputFault::FramesBroken},
    };
    for (const Case& c : cases) Check(c, false);
}

TEST_F(OutputCheckTest, WavsAreWholeOnlyWhenTheirHeaderSizesFitTheFile) {
    // "RIFF" size "WAVE", then chunks as given.
    auto riff = [](const QByteArray& chunks, qsizetype extraLength = 0) {
        return QByteArray("RIFF") + Le32(uint32_t(4 + chunks.size() + extraLength)) + "WAVE" + chunks;
    };
    const QByteArray fmt = MakeWav(8000, 1, 10).mid(12, 24);  // the "fmt " chunk
    auto data = [](qsizetype length, qsizetype have) {
        return QByteArray("data") + Le32(uint32_t(length)) + QByteArray(have, '\1');
    };
    const Case cases[] = {
        {"decoded by LAME", [] { return file("decoded"); }, OutputFault::None},
        {"made by hand", [] { return MakeWav(44100, 2, 50); }, OutputFault::None},
        {"a list chunk of odd length before the data",
         [&] { return riff(fmt + "LIST" + Le32(3) + QByteArray("abc\0", 4) + data(6, 6)); }, OutputFault::None},
        {"no samples", [&] { return riff(fmt + data(0, 0)); }, OutputFault::None},
        {"empty", [] { return QByteArray(); }, OutputFault::Empty},
        {"not a RIFF file", [] { return MakeMp3({}); }, OutputFault::NoWavHeader},
        {"cut inside RIFF's own header", [] { return QByteArray("RIFF"); }, OutputFault::NoWavHeader},
        {"no data chunk", [&] { return riff(fmt); }, OutputFault::NoWavHeader},
        {"data before the format", [&] { return riff(data(4, 4) + fmt); }, OutputFault::NoWavHeader},
        {"the data chunk runs past RIFF's length", [&] { return riff(fmt + data(40, 8)) + QByteArray(32, '\1'); },
         OutputFault::NoWavHeader},
        {"decoded and cut inside the samples", [] { return file("decoded").chopped(1000); }, OutputFault::WavCutOff},
        {"decoded and cut after the header", [] { return file("decoded").left(44); }, OutputFault::WavCutOff},
        {"cut inside the header", [] { return file("decoded").left(20); }, OutputFault::WavCutOff},
        {"the length still unknown (LAME's first header)",
         [] {
             QByteArray b = file("decoded");
             b.replace(4, 4, Le32(0x7FFFFFFF));
             b.replace(40, 4, Le32(0x7FFFFFFF - 36));
             return b;
         },
         OutputFault::WavCutOff},
        {"the data chunk longer than the file", [&] { return riff(fmt + data(400, 8)); }, OutputFault::WavCutOff},
    };
    for (const Case& c : cases) Check(c, true);
}

TEST_F(OutputCheckTest, TheFaultTextSaysHowMuchIsMissing) {
    const QByteArray wav = file("decoded");
    MemoryBytes cutWav(wav.chopped(1000));
    const OutputCheck check = CheckWavOutput(cutWav);
    EXPECT_EQ(check.expected, wav.size());
    EXPECT_EQ(check.actual, wav.size() - 1000);
    EXPECT_EQ(OutputFaultText(check), QStringLiteral("The file is cut off: it is shorter than its own header says. "
                                                     "Bytes expected: %1, bytes written: %2")
                                          .arg(wav.size())
                                          .arg(wav.size() - 1000));

    // A frame cut inside: the whole frame is what was expected.
    const QByteArray mp3 = file("cbr");
    const qsizetype last = LastFrame(mp3);
    MemoryBytes cutMp3(mp3.left(last + 10));
    const OutputCheck frame = CheckMp3Output(cutMp3);
    EXPECT_EQ(frame.expected, mp3.size());
    EXPECT_EQ(frame.actual, last + 10);
    EXPECT_TRUE(OutputFaultText(frame).startsWith("The file is cut off: its last MPEG audio frame is not whole."));

    MemoryBytes empty{QByteArray()};
    EXPECT_EQ(OutputFaultText(CheckMp3Output(empty)), QStringLiteral("The file is empty."));
}

}  // namespace
