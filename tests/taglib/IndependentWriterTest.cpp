// Tags written by an independent writer (python3-mutagen, a test-only
// oracle) read right here, and what this library writes back reads right
// there: pictures, lyrics and other frames survive byte for byte, and so
// does the audio.

#include "Oracle.h"
#include "TagTestKit.h"

using namespace quillmark;
using namespace tagtest;

namespace {

// Writes a tag of a shape (argv: file, shape) onto an existing file.
const char* kWriter = R"PY(
import sys
from mutagen.id3 import (ID3, TIT2, TPE1, TALB, TRCK, TYER, TDRC, TCON, COMM, APIC, USLT, TPOS, TXXX,
                         PRIV, WXXX, TCOP)
path, shape = sys.argv[1], sys.argv[2]
picture = bytes(range(256)) * (1200 if shape == "v23big" else 40)
t = ID3()
v24 = shape == "v24"
enc = 3 if v24 else 1
t.add(TIT2(encoding=enc, text="\u00dcn\u00efc\u00f8d\u00e9 \u65e5\u672c"))
t.add(TPE1(encoding=0, text=["Artist", "Second"] if v24 else "Artist"))
t.add(APIC(encoding=enc, mime="image/png", type=3, desc="Cover \u2603", data=picture))
t.add(TALB(encoding=0, text="Album"))
t.add(TRCK(encoding=0, text="3/12"))
t.add(TDRC(encoding=0, text="2004-05-06") if v24 else TYER(encoding=0, text="2004"))
t.add(TCON(encoding=0, text="(17)"))
t.add(COMM(encoding=enc, lang="eng", desc="", text="Comment \u263a"))
t.add(USLT(encoding=enc, lang="eng", desc="words", text="la la\nla \u266b"))
t.add(TPOS(encoding=0, text="1/2"))
t.add(TXXX(encoding=enc, desc="MOOD", text="calm \u00e9"))
t.add(PRIV(owner="test.example", data=b"\x00\x01\xff\xfe"))
t.add(WXXX(encoding=0, desc="", url="http://example.org/x"))
t.add(TCOP(encoding=enc, text="\u00a9 2004"))
t.save(path, v2_version=4 if v24 else 3, padding=lambda info: 1024)
)PY";

class IndependentWriter : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        if (!OracleAvailable()) GTEST_SKIP() << "python3-mutagen is not installed";
    }
    QTemporaryDir dir;
};

TEST_P(IndependentWriter, ReadsItsTagsAndWritesBackEverythingItDoesNotChange) {
    const std::string shape = GetParam();
    const std::string file = dir.filePath("song.mp3").toStdString();
    const Bytes audio = Audio(40000);
    WriteFile(file, audio);
    RunPython(kWriter, {QString::fromStdString(file), QString::fromStdString(shape)});
    const Bytes before = ReadFile(file);
    ASSERT_EQ(AfterTag(before), audio);
    const QJsonObject oracleBefore = OracleRead(file);
    ASSERT_EQ(oracleBefore["version"].toString(), shape == "v24" ? "2.4" : "2.3");

    auto tag = NewTag();
    ASSERT_EQ(tag->ReadTag(file), 0) << tag->LastError().description;
    EXPECT_TRUE(tag->HasTag());
    EXPECT_EQ(Get(*tag, eTitle), "\u00DCn\u00EFc\u00F8d\u00E9 \u65E5\u672C");
    EXPECT_EQ(Get(*tag, eArtist), shape == "v24" ? "Artist/Second" : "Artist");
    EXPECT_EQ(Get(*tag, eAlbum), "Album");
    EXPECT_EQ(Get(*tag, eTrack), "3/12");
    EXPECT_EQ(Get(*tag, eYear), "2004");
    EXPECT_EQ(Get(*tag, eGenre), "(17)");
    EXPECT_EQ(Get(*tag, eComment), "Comment \u263A");
    EXPECT_EQ(Get(*tag, eURL), "http://example.org/x");
    EXPECT_EQ(Get(*tag, eCopyright), "\u00A9 2004");

    ASSERT_EQ(tag->SetFrameValue(eTitle, "New title \u2603"), 0);
    ASSERT_EQ(tag->SetFrameValue(eAlbum, "Caf\u00E9"), 0);
    ASSERT_EQ(tag->WriteTag(file, false), 0) << tag->LastError().description;
    const Bytes after = ReadFile(file);
    EXPECT_EQ(AfterTag(after), audio) << "the audio is untouched";
    EXPECT_EQ(after[3], 3);

    if (shape != "v24") {
        // Every frame not set keeps its bytes and flags exactly.
        const auto old = FramesOf(before);
        const auto now = FramesOf(after);
        ASSERT_EQ(old.size(), now.size());
        for (size_t i = 0; i < old.size(); ++i) {
            EXPECT_EQ(old[i].id, now[i].id);
            if (old[i].id != "TIT2" && old[i].id != "TALB") {
                EXPECT_TRUE(old[i] == now[i]) << old[i].id;
            }
        }
    }

    // The independent reader sees the new values and everything else as before.
    const QJsonObject oracleAfter = OracleRead(file);
    EXPECT_EQ(oracleAfter["version"].toString(), "2.3");
    const QJsonObject framesBefore = oracleBefore["frames"].toObject();
    const QJsonObject framesAfter = oracleAfter["frames"].toObject();
    EXPECT_EQ(framesAfter["TIT2"].toObject()["text"].toString(), QString::fromUtf8("New title \u2603"));
    EXPECT_EQ(framesAfter["TALB"].toObject()["text"].toString(), QString::fromUtf8("Caf\u00E9"));
    for (auto it = framesBefore.begin(); it != framesBefore.end(); ++it) {
        const QString key = it.key();
        if (key == "TIT2" || key == "TALB") continue;
        QJsonObject expected = it.value().toObject();
        if (key == "TPE1") expected["text"] = shape == "v24" ? "Artist/Second" : "Artist";
        if (key == "TDRC") {  // a 2.3 tag holds the recording time as year and date
            EXPECT_FALSE(framesAfter.contains("TDRC"));
            EXPECT_EQ(framesAfter["TYER"].toObject()["text"].toString(), "2004");
            EXPECT_EQ(framesAfter["TDAT"].toObject()["text"].toString(), "0605");
            continue;
        }
        EXPECT_EQ(framesAfter[key].toObject(), expected) << key.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Shapes, IndependentWriter, ::testing::Values("v23", "v23big", "v24"));

TEST(IndependentReader, ReadsWhatThisLibraryWritesFromScratch) {
    if (!OracleAvailable()) GTEST_SKIP() << "python3-mutagen is not installed";
    QTemporaryDir dir;
    const std::string file = dir.filePath("new.mp3").toStdString();
    const Bytes audio = Audio(1000);
    WriteFile(file, audio);
    auto tag = NewTag();
    const std::string longText(5000, 'y');  // a frame size of several 7-bit bytes
    ASSERT_EQ(tag->SetFrameValue(eTitle, "\u65E5\u672C\u8A9E"), 0);
    ASSERT_EQ(tag->SetFrameValue(eArtist, "Ren\u00E9e \u20AC"), 0);
    ASSERT_EQ(tag->SetFrameValue(eComment, longText), 0);
    ASSERT_EQ(tag->SetFrameValue(eURL, "http://example.org/"), 0);
    ASSERT_EQ(tag->SetFrameValue(eEncodedBy, "Quillmark"), 0);
    ASSERT_EQ(tag->WriteTag(file), 0);
    EXPECT_EQ(AfterTag(ReadFile(file)), audio);
    const QJsonObject frames = OracleRead(file)["frames"].toObject();
    EXPECT_EQ(frames["TIT2"].toObject()["text"].toString(), QString::fromUtf8("\u65E5\u672C\u8A9E"));
    EXPECT_EQ(frames["TPE1"].toObject()["text"].toString(), QString::fromUtf8("Ren\u00E9e \u20AC"));
    EXPECT_EQ(frames[QStringLiteral("COMM::") + QString(3, QChar(0))].toObject()["text"].toString().size(), 5000);
    EXPECT_EQ(frames["WXXX:"].toObject()["url"].toString(), "http://example.org/");
    EXPECT_EQ(frames["TENC"].toObject()["text"].toString(), "Quillmark");
}

}  // namespace
