// Every file of the tag parser's corpus (the fuzzer's seeds and every input
// it ever crashed on) is read, from the file and from bytes in memory, and
// written back: no crash, only the numbered errors a bad tag may give, and
// what was read survives the write with the audio untouched.  Values the
// program sets in a corpus file read back, here and in an independent reader.

#include "Oracle.h"
#include "TagTestKit.h"

#include <QDir>
#include <QFile>
#include <map>
#include <string>
#include <utility>
#include <vector>

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
        {"frames-inside-a-picture-to-its-end.mp3", 0, "Old title", "Old artist", std::string(200, 'c')},
        {"frames-inside-a-picture-after-values-written.mp3", 0, "Title \u00E9\u65E5", "Art\u00EFst \u2019",
         "Comment \u263A"},
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

// The first value of the first frame of each ID named (argv: IDs joined by
// commas, then files), in file order, as a JSON array of objects.
const char* kFirstValues = R"PY(
import sys, json
from mutagen.id3 import ID3
ids = sys.argv[1].split(",")
out = []
for path in sys.argv[2:]:
    t = ID3(path, translate=False)
    row = {}
    for i in ids:
        frames = t.getall(i)
        if frames:
            f = frames[0]
            row[i] = f.url if hasattr(f, "url") else str(f.text[0]) if f.text else ""
    out.append(row)
print(json.dumps(out))
)PY";

// Every corpus file the library reads without an error is written the way
// the program writes (read, set every value, write) and read again: each
// value reads back here and in the independent reader.
//
// frames-inside-a-picture-to-its-end.mp3 is a 2.3 tag as a writer of plain
// frame sizes lays it out: a title; a picture of 336 bytes (size 00 00 01 50,
// 208 as a 7-bit number) whose last 128 bytes are frames with 7-bit sizes
// (album, composer, copyright, original artist); an artist; a comment of 205
// bytes (size 00 00 00 CD, no 7-bit number); 100 bytes of padding; 64 bytes
// standing for audio.  Once the short comment is written, both readings of
// the sizes run through the tag, and the 7-bit one finds more frames.
// The fuzzer found crash-frames-inside-a-comment.mp3 and
// crash-frames-across-a-text-frame-end.mp3: text frames whose bodies, read
// with plain sizes, hold what reads as frames with 7-bit sizes; once the
// values are written after them, a frame of the 7-bit reading took the new
// frames in, running over the text frame's end.
// frames-inside-a-picture-after-values-written.mp3 is what this test writes
// into crash-frames-inside-a-picture.mp3 with its short values; the comment
// there was read with a language of bytes outside ASCII, for which other
// readers drop the whole frame.
TEST(CorpusValues, EveryValueWrittenReadsBack) {
    const bool oracle = OracleAvailable();
    const std::pair<eID3FrameIDs, const char*> ids[] = {
        {eTrack, "TRCK"},      {eTitle, "TIT2"},     {eArtist, "TPE1"},  {eAlbum, "TALB"},
        {eYear, "TYER"},       {eGenre, "TCON"},     {eComment, "COMM"}, {eComposer, "TCOM"},
        {eOrigArtist, "TOPE"}, {eCopyright, "TCOP"}, {eURL, "WXXX"},     {eEncodedBy, "TENC"},
    };
    struct ValueSet {
        const char* name;
        std::map<eID3FrameIDs, std::string> values;
        bool extend = false;  // every value as read, lengthened (the URL stays Latin-1)
    };
    const ValueSet sets[] = {
        {"short values",
         {{eTrack, "3/12"},
          {eTitle, "Title \u00E9\u65E5"},
          {eArtist, "Art\u00EFst \u2019"},
          {eAlbum, "Album"},
          {eYear, "2004"},
          {eGenre, "(17)"},
          {eComment, "Comment \u263A"},
          {eComposer, "Composer"},
          {eOrigArtist, "Original"},
          {eCopyright, "\u00A9 2004"},
          {eURL, "http://example.org/x"},
          {eEncodedBy, "Encoder"}}},
        // Frame sizes of 128 bytes and more, whose two readings differ.
        {"long values",
         {{eTrack, "1"},
          {eTitle, std::string(200, 't')},
          {eArtist, ""},
          {eAlbum, std::string(130, 'a')},
          {eYear, "1999"},
          {eGenre, "Genre"},
          {eComment, std::string(300, 'c')},
          {eComposer, std::string(126, 'm')},
          {eOrigArtist, "O"},
          {eCopyright, "C"},
          {eURL, "http://example.org/" + std::string(150, 'u')},
          {eEncodedBy, "E"}}},
        {"values as read, lengthened", {}, true},
    };
    const QDir corpus(QStringLiteral(SV_TAGLIB_CORPUS_DIR));
    const QStringList names = corpus.entryList(QDir::Files, QDir::Name);
    ASSERT_FALSE(names.isEmpty());
    QTemporaryDir work;
    struct Written {
        std::string file, trace;
        std::map<eID3FrameIDs, std::string> values;
    };
    std::vector<Written> written;
    int copies = 0;
    for (const ValueSet& set : sets) {
        for (const QString& name : names) {
            const std::string trace = name.toStdString() + ", " + set.name;
            SCOPED_TRACE(trace);
            const std::string file = work.filePath(QString::number(++copies) + ".mp3").toStdString();
            ASSERT_TRUE(QFile::copy(corpus.filePath(name), QString::fromStdString(file)));
            auto tag = NewTag();
            if (tag->ReadTag(file) != 0) continue;  // the program writes no tag it cannot read
            std::map<eID3FrameIDs, std::string> values = set.values;
            if (set.extend)
                for (const auto& [id, frameId] : ids) values[id] = Get(*tag, id) + (id == eURL ? "/x" : "\u00E9\u65E5");
            for (const auto& [id, value] : values) ASSERT_EQ(tag->SetFrameValue(id, value), 0);
            ASSERT_EQ(tag->WriteTag(file), 0) << tag->LastError().description;
            auto again = NewTag();
            ASSERT_EQ(again->ReadTag(file), 0) << again->LastError().description;
            for (const auto& [id, value] : values) EXPECT_EQ(Get(*again, id), value) << id;
            written.push_back({file, trace, values});
        }
    }
    if (!oracle) GTEST_SKIP() << "python3-mutagen is not installed";
    QStringList args{QString()};
    for (const auto& [key, id] : ids) args[0] += (args[0].isEmpty() ? "" : ",") + QString::fromLatin1(id);
    for (const Written& w : written) args << QString::fromStdString(w.file);
    const QJsonArray read = QJsonDocument::fromJson(RunPython(kFirstValues, args)).array();
    ASSERT_EQ(read.size(), qsizetype(written.size()));
    for (size_t i = 0; i < written.size(); ++i) {
        SCOPED_TRACE(written[i].trace);
        const QJsonObject frames = read[qsizetype(i)].toObject();
        for (const auto& [key, id] : ids)
            EXPECT_EQ(frames[QString::fromLatin1(id)].toString().toStdString(), written[i].values.at(key)) << id;
    }
}

}  // namespace
