// Every file of the tag parser's corpus (the fuzzer's seeds and every input
// it ever crashed on) is read, from the file and from bytes in memory, and
// written back: no crash, only the numbered errors a bad tag may give, and
// what was read survives the write with the audio untouched.

#include "TagTestKit.h"

#include <QDir>
#include <QFile>
#include <map>

using namespace quillmark;
using namespace tagtest;

namespace {

std::map<eID3FrameIDs, std::string> AllValues(_clsID3v2& tag) {
    std::map<eID3FrameIDs, std::string> out;
    for (int id = eTrack; id <= eEncodedBy; ++id) out[eID3FrameIDs(id)] = Get(tag, eID3FrameIDs(id));
    return out;
}

TEST(CorpusReplay, EveryFileReadsAndWritesBack) {
    const QDir corpus(QStringLiteral(SV_TAGLIB_CORPUS_DIR));
    const QStringList names = corpus.entryList(QDir::Files, QDir::Name);
    ASSERT_FALSE(names.isEmpty());
    QTemporaryDir work;
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        const std::string file = work.filePath(name).toStdString();
        ASSERT_TRUE(QFile::copy(corpus.filePath(name), QString::fromStdString(file)));
        const Bytes original = ReadFile(file);

        auto tag = NewTag();
        const Status read = tag->ReadTag(file);
        EXPECT_TRUE(read == 0 || read == Err::CommentFrameInvalid || read == Err::TextFrameInvalid ||
                    read == Err::WebFrameInvalid || read == Err::InvalidFileSize)
            << read << " " << tag->LastError().description;
        const auto values = AllValues(*tag);
        auto fromBytes = NewTag();
        EXPECT_EQ(fromBytes->ReadTagFromBytes(file, original.data(), original.size()), read);
        EXPECT_EQ(fromBytes->HasTag(), tag->HasTag());
        EXPECT_EQ(AllValues(*fromBytes), values);
        if (read != 0) {
            EXPECT_EQ(ReadFile(file), original);
            continue;
        }
        // Written back (as 2.3), the values read stay and the audio is untouched.
        const bool hadTag = tag->HasTag();
        ASSERT_EQ(tag->WriteTag(file), 0) << tag->LastError().description;
        const Bytes written = ReadFile(file);
        const size_t oldLength = hadTag ? TagLength(original) + (original[3] == 4 && (original[5] & 0x10) ? 10 : 0) : 0;
        EXPECT_EQ(AfterTag(written), Bytes(original.begin() + long(oldLength), original.end()));
        auto again = NewTag();
        ASSERT_EQ(again->ReadTag(file), 0) << again->LastError().description;
        EXPECT_EQ(AllValues(*again), values);
    }
}

TEST(CorpusReplay, KnownFixturesReadAsExpected) {
    struct Case {
        const char* file;
        Status read;
        std::string title, artist, comment;
    };
    const Case cases[] = {
        {"mutagen-v23-utf16-picture.mp3", 0, "T\u00EFtle \u65E5", "Artist", "comment"},
        {"mutagen-v24-utf8.mp3", 0, "T\u00EFtle \u65E5", "A/B", "comment"},
        {"seven-bit-frame-sizes.mp3", 0, std::string(300, 'x'), "A", ""},
        {"plain-frame-sizes.mp3", 0, std::string(300, 'x'), "A", ""},
        {"v22.mp3", 0, "Ti", "A", "c"},
        {"v23-unsync.mp3", 0, "\u00FF\u00E9", "A", ""},
        {"odd-frame-id-after-a-picture.mp3", 0, "old", "", ""},
        {"comment-too-short.mp3", Err::CommentFrameInvalid, "T", "", ""},
        {"truncated.mp3", Err::InvalidFileSize, "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        auto tag = NewTag();
        EXPECT_EQ(tag->ReadTag(std::string(SV_TAGLIB_CORPUS_DIR "/") + c.file), c.read);
        EXPECT_EQ(Get(*tag, eTitle), c.title);
        EXPECT_EQ(Get(*tag, eArtist), c.artist);
        EXPECT_EQ(Get(*tag, eComment), c.comment);
    }
}

}  // namespace
