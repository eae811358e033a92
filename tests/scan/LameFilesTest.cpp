// Real encoder output: files made by LAME from WAVs written here, checked
// against a frame-by-frame walk of the same bytes.

#include "ScanTestSupport.h"
#include "scanning/engine/FileBytes.h"
#include "scanning/engine/ID3v1.h"
#include "scanning/engine/MPEGHeader.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

namespace {
struct Encoding {
    const char* what;
    int wavRate;
    int channels;
    int milliseconds;
    QStringList args;
    int32_t version;
    int32_t sampleRate;
    bool infoFrame;  // LAME writes a Xing/Info frame unless told not to
};

class LameFiles : public ::testing::Test {
protected:
    void SetUp() override {
        if (LameProgram().isEmpty()) GTEST_SKIP() << "lame is not installed";
    }
    // Encodes a tone with `args` and returns the MP3's path.
    QString encode(const Encoding& e, const QString& name) {
        const QString wav = dir.write(name + ".wav", MakeWav(e.wavRate, e.channels, e.milliseconds));
        const QString mp3 = dir.file(name + ".mp3");
        QString error;
        if (!RunLame(e.args + QStringList{wav, mp3}, &error)) {
            ADD_FAILURE() << "lame failed: " << error.toStdString();
            return {};
        }
        return mp3;
    }
    ScanTempDir dir;
};
}  // namespace

TEST_F(LameFiles, LengthAndFrameCountMatchTheEncodedFrames) {
    const Encoding encodings[] = {
        {"CBR 128 kbit/s, 44.1 kHz stereo", 44100, 2, 700, {"-b", "128"}, 1, 44100, true},
        {"VBR -V 2", 44100, 2, 700, {"-V", "2"}, 1, 44100, true},
        {"MPEG-1 mono 48 kHz", 48000, 1, 400, {"-m", "m", "-b", "64"}, 1, 48000, true},
        {"MPEG-2, 22.05 kHz", 22050, 2, 600, {"-b", "64"}, 2, 22050, true},
        {"MPEG-2.5, 8 kHz mono", 8000, 1, 900, {"-m", "m", "-b", "32"}, 25, 8000, true},
        // Frames of 144 bytes are too small for an Info frame: LAME leaves it out.
        {"MPEG-2.5, 8 kHz mono at 16 kbit/s", 8000, 1, 900, {"-m", "m", "-b", "16"}, 25, 8000, false},
        {"CBR without an Info frame", 44100, 2, 700, {"-b", "128", "-t"}, 1, 44100, false},
    };
    int n = 0;
    for (const Encoding& e : encodings) {
        SCOPED_TRACE(e.what);
        const QString path = encode(e, QString("e%1").arg(n++));
        ASSERT_FALSE(path.isEmpty());
        const QByteArray bytes = ReadBytes(path);
        const FrameWalk walk = WalkLayer3Frames(bytes, 0);
        ASSERT_GT(walk.frames, 2);
        ASSERT_EQ(walk.end, bytes.size()) << "the walk must cover the whole file";

        bool found = false;
        const MPEGInfo info = ReadMPEGInfo(path, found);
        ASSERT_TRUE(found);
        EXPECT_EQ(info.HeaderPosition, 0);
        EXPECT_EQ(info.Version, e.version);
        EXPECT_EQ(info.Layer, 3);
        EXPECT_EQ(info.SampleRate, e.sampleRate);
        EXPECT_EQ(info.Channels, e.channels);
        EXPECT_EQ(info.FileSize, bytes.size());
        if (e.infoFrame) {
            // The Info frame counts the audio frames behind it.
            EXPECT_EQ(info.FrameCount, walk.frames - 1);
            EXPECT_EQ(info.LengthMs, (walk.frames - 1) * walk.samplesPerFrame * 1000 / walk.sampleRate);
        } else {
            EXPECT_NEAR(double(info.FrameCount), double(walk.frames), 1.0);
            EXPECT_EQ(info.LengthMs, int64_t(bytes.size()) * 8 / info.Bitrate);
        }
        // The encoder adds its delay and fills the last frame, never more
        // than a few frames.
        const int64_t frameMs = int64_t(walk.samplesPerFrame) * 1000 / walk.sampleRate;
        EXPECT_GE(info.LengthMs, e.milliseconds - frameMs);
        EXPECT_LE(info.LengthMs, e.milliseconds + 3 * frameMs);
    }
}

TEST_F(LameFiles, TagsAroundTheAudio) {
    ScriptedUi ui;
    const Encoding e{"tagged", 44100, 2, 700,
                     {"-b", "128", "--add-id3v2", "--pad-id3v2-size", "2000", "--tt", "Title", "--ta",
                      "Artist", "--tl", "Album", "--ty", "2003", "--tc", "Comment", "--tn", "7", "--tg", "Rock"},
                     1, 44100, true};
    const QString path = encode(e, "tagged");
    ASSERT_FALSE(path.isEmpty());
    const QByteArray bytes = ReadBytes(path);
    const int64_t tagSize = ID3v2Size(bytes);
    ASSERT_GT(tagSize, 2000);
    const FrameWalk walk = WalkLayer3Frames(bytes, tagSize);
    ASSERT_EQ(walk.end, bytes.size() - 128) << "audio runs up to the ID3v1 tag";

    bool found = false;
    const MPEGInfo info = ReadMPEGInfo(path, found);
    ASSERT_TRUE(found);
    EXPECT_EQ(info.HeaderPosition, tagSize);
    EXPECT_EQ(info.FrameCount, walk.frames - 1);

    ID3v1Tag tag;
    bool hasTag = false, filtered = false;
    ASSERT_TRUE(ReadID3v1TagInfo(path, tag, hasTag, filtered, nullptr));
    EXPECT_TRUE(hasTag);
    EXPECT_EQ(tag.Title, "Title");
    EXPECT_EQ(tag.Artist, "Artist");
    EXPECT_EQ(tag.Album, "Album");
    EXPECT_EQ(tag.Year, "2003");
    EXPECT_EQ(tag.Comment, "Comment");
    EXPECT_EQ(int(tag.Track), 7);
    EXPECT_EQ(int(tag.Genre), 17);

    // The same through one open file, as the folder scan reads it.
    FileBytes file;
    ASSERT_TRUE(file.open(path));
    ID3v1Tag viaFile;
    bool hasTag2 = false;
    ASSERT_TRUE(ReadID3v1TagInfo(file, path, viaFile, hasTag2, filtered, nullptr));
    EXPECT_TRUE(CompareID3v1(viaFile, tag));
    const MPEGInfo viaOpenFile = ReadMPEGInfo(file, path, found);
    EXPECT_EQ(viaOpenFile.HeaderPosition, info.HeaderPosition);
    EXPECT_EQ(viaOpenFile.LengthMs, info.LengthMs);

    // Rewriting the ID3v1 tag leaves every audio byte alone.
    ID3v1Tag changed = tag;
    changed.Title = "Other";
    changed.Track = 0;
    ASSERT_TRUE(WriteID3v1TagInfo(path, changed, false));
    const QByteArray after = ReadBytes(path);
    ASSERT_EQ(after.size(), bytes.size());
    EXPECT_EQ(after.left(bytes.size() - 128), bytes.left(bytes.size() - 128));
    EXPECT_TRUE(ui.shown.empty());
}
