// The tag object: reading (all versions, the frame walk), the written layout,
// getting and setting values, removing, and the numbered errors.

#include "TagTestKit.h"

#include <QDir>
#include <QFileInfo>
#include <sys/stat.h>
#include <unistd.h>

using namespace quillmark;
using namespace tagtest;
using namespace std::string_literals;

namespace {

class TagObject : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::string path(const char* name = "song.mp3") const { return dir.filePath(name).toStdString(); }
    std::string put(const Bytes& bytes, const char* name = "song.mp3") {
        WriteFile(path(name), bytes);
        return path(name);
    }
};

// ---- reading --------------------------------------------------------------------

struct ReadCase {
    const char* name;
    Bytes tag;
    bool hasTag;
    std::string title, artist;
    bool audio = true;  // audio bytes after the tag
};

TEST_F(TagObject, ReadsTheFramesOfEveryVersion) {
    const std::string longTitle(299, 'x');
    const ReadCase cases[] = {
        {"no tag", S("RIFF0123456789"), false, "", ""},
        {"file shorter than a header", S("ID3"), false, "", "", false},
        {"ID3v2.3", Tag(TextFrame("TIT2", "Title") + TextFrame("TPE1", "Artist"), 100), true, "Title", "Artist"},
        // Frame sizes are plain 32-bit numbers: 300 is 00 00 01 2C.
        {"frame of 300 bytes, plain size", Tag(TextFrame("TIT2", longTitle) + TextFrame("TPE1", "A"), 50), true,
         longTitle, "A"},
        // Tags this library once wrote carry 7-bit frame sizes (00 00 02 2C).
        {"frame of 300 bytes, 7-bit size",
         Tag(TextFrame("TIT2", longTitle, SizeForm::Seven) + TextFrame("TPE1", "A", SizeForm::Seven), 50), true,
         longTitle, "A"},
        {"7-bit size as the last frame",
         Tag(TextFrame("TPE1", "A") + TextFrame("TIT2", longTitle, SizeForm::Seven)), true, longTitle, "A"},
        {"frame ID of four NULs ends the walk",
         Tag(TextFrame("TIT2", "T") + Frame(std::string(4, '\0'), S("zz")) + TextFrame("TPE1", "A")), true, "T", ""},
        {"frame ID of four blanks does not",
         Tag(TextFrame("TIT2", "T") + Frame("    ", S("zzz")) + TextFrame("TPE1", "A")), true, "T", "A"},
        {"lower-case ID is not a title", Tag(TextFrame("tit2", "T") + TextFrame("TPE1", "A")), true, "", "A"},
        {"frame size 0 costs its header", Tag(Frame("TIT2", {}) + TextFrame("TPE1", "A")), true, "", "A"},
        {"frame larger than the tag costs its header",
         Tag(S("TIT2") + Be32(5000) + B({0, 0}) + TextFrame("TPE1", "A")), true, "", "A"},
        {"frame past the end of the tag reads zeros",
         Tag(TextFrame("TPE1", "A") + S("TIT2") + Be32(20) + B({0, 0}) + B({0}) + S("abcd")), true, "abcd", "A"},
        {"text with NULs inside", Tag(TextFrame("TIT2", "a\0b\0"s)), true, "ab", ""},
        {"UTF-16 title", Tag(Frame("TIT2", B({1, 0xFF, 0xFE, 0xE9, 0, 't', 0, 0, 0}))), true, "\u00E9t", ""},
        // The whole 2.3 tag is unsynchronised; frame sizes count the bytes
        // before that.
        {"unsynchronised 2.3 tag",
         Tag(S("TIT2") + Be32(3) + B({0, 0}) + B({0, 0xFF, 0x00, 0xE9}) + TextFrame("TPE1", "A"), 4, 3, 0x80), true,
         "\u00FF\u00E9", "A"},
        {"2.3 extended header skipped",
         Tag(Be32(6) + B({0, 0, 0, 0, 0, 0}) + TextFrame("TIT2", "T"), 10, 3, 0x40), true, "T", ""},
        {"2.4 with 7-bit sizes and UTF-8",
         Tag(Frame("TIT2", B({3}) + S("\xC3\xA9t\xC3\xA9"), SizeForm::Seven) + TextFrame("TPE1", "A", SizeForm::Seven),
             20, 4),
         true, "\u00E9t\u00E9", "A"},
        {"2.4 values joined", Tag(Frame("TPE1", B({0}) + S("A\0B"s), SizeForm::Seven), 0, 4), true, "", "A/B"},
        {"2.4 extended header skipped",
         Tag(Seven(6) + B({1, 0}) + TextFrame("TIT2", "T", SizeForm::Seven), 0, 4, 0x40), true, "T", ""},
        {"2.4 frame unsynchronised",
         Tag(Frame("TIT2", B({0, 'a', 0xFF, 0x00, 0xE9}), SizeForm::Seven, 0, 0x02), 0, 4), true, "a\u00FF\u00E9", ""},
        {"2.4 frame with data length indicator",
         Tag(Frame("TIT2", Seven(3) + B({0, 'o', 'k'}), SizeForm::Seven, 0, 0x01), 0, 4), true, "ok", ""},
        {"2.2", Tag(S("TT2") + B({0, 0, 3}) + B({0, 'T', 'i'}) + S("TP1") + B({0, 0, 2}) + B({0, 'A'}), 10, 2), true,
         "Ti", "A"},
        {"unknown version", Tag(TextFrame("TIT2", "T"), 0, 5), true, "", ""},
        {"tag of size 0", Tag({}), true, "", ""},
    };
    auto tag = NewTag();
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = put(c.audio ? c.tag + Audio(100) : c.tag);
        ASSERT_EQ(tag->ReadTag(file), 0) << tag->LastError().description;
        EXPECT_EQ(tag->HasTag(), c.hasTag);
        EXPECT_EQ(Get(*tag, eTitle), c.title);
        EXPECT_EQ(Get(*tag, eArtist), c.artist);

        // The same from bytes the caller has read: the whole file, and too
        // few bytes (then the file is read).
        const Bytes image = ReadFile(file);
        for (size_t n : {image.size(), std::min(image.size(), size_t(12))}) {
            ASSERT_EQ(tag->ReadTagFromBytes(file, image.data(), n), 0) << tag->LastError().description;
            EXPECT_EQ(tag->HasTag(), c.hasTag);
            EXPECT_EQ(Get(*tag, eTitle), c.title);
            EXPECT_EQ(Get(*tag, eArtist), c.artist);
        }
    }
}

TEST_F(TagObject, BytesThatHoldTheWholeTagAreEnoughWithoutTheFile) {
    const Bytes image = Tag(TextFrame("TIT2", "From memory"), 10) + Audio(20);
    auto tag = NewTag();
    ASSERT_EQ(tag->ReadTagFromBytes(path("never-written.mp3"), image.data(), image.size()), 0);
    EXPECT_EQ(Get(*tag, eTitle), "From memory");
    // Cut inside the tag: the file is needed, and there is none.
    EXPECT_EQ(tag->ReadTagFromBytes(path("never-written.mp3"), image.data(), 15), Err::FileNotFound);
}

TEST_F(TagObject, TheRenderedTagIsTheOneAWriteWouldPutInFrontOfTheAudio) {
    struct Case {
        const char* name;
        Bytes file;
    };
    const std::vector<Case> cases = {
        {"no tag", Audio(200)},
        {"a tag with padding and a frame no field names",
         Tag(TextFrame("TIT2", "Old") + Frame("PRIV", S("owner") + B({0, 1, 2})) + TextFrame("TPE1", "A"), 300) +
             Audio(200)},
        {"a 2.4 tag", Tag(Frame("TIT2", B({3}) + S("Old"), SizeForm::Seven), 0, 4) + Audio(200)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = put(c.file);
        auto tag = NewTag();
        ASSERT_EQ(tag->ReadTag(file), 0) << tag->LastError().description;
        ASSERT_EQ(tag->SetFrameValue(eTitle, "New"), 0);
        Bytes rendered{1, 2, 3};  // whatever it held goes
        ASSERT_EQ(tag->RenderTag(rendered), 0) << tag->LastError().description;
        EXPECT_EQ(ReadFile(file), c.file);  // rendering touches no file
        ASSERT_EQ(tag->WriteTag(file, false), 0) << tag->LastError().description;
        const Bytes written = ReadFile(file);
        EXPECT_EQ(Bytes(written.begin(), written.begin() + ptrdiff_t(TagLength(written))), rendered);
    }
}

TEST_F(TagObject, Version24YearAndFooter) {
    // A 2.4 tag with a footer: the recording time becomes year and date, and
    // a write replaces header, frames and footer.
    const Bytes frames = Frame("TDRC", B({3}) + S("1999-04-01"), SizeForm::Seven) +
                         Frame("TIT2", B({3}) + S("T"), SizeForm::Seven);
    const Bytes header = S("ID3") + B({4, 0, 0x10}) + Seven(uint32_t(frames.size()));
    const Bytes footer = S("3DI") + B({4, 0, 0x10}) + Seven(uint32_t(frames.size()));
    const Bytes audio = Audio(500);
    const std::string file = put(header + frames + footer + audio);
    auto tag = NewTag();
    ASSERT_EQ(tag->ReadTag(file), 0);
    EXPECT_EQ(Get(*tag, eYear), "1999");
    ASSERT_EQ(tag->WriteTag(file), 0) << tag->LastError().description;
    const Bytes written = ReadFile(file);
    EXPECT_EQ(written[3], 3);
    EXPECT_EQ(AfterTag(written), audio);
    std::vector<std::string> ids;
    for (const RawFrame& f : FramesOf(written)) ids.push_back(f.id);
    EXPECT_EQ(ids, (std::vector<std::string>{"TYER", "TDAT", "TIT2"}));
    EXPECT_EQ(FramesOf(written)[1].body, B({0}) + S("0104"));
}

TEST_F(TagObject, Version24TimesAreWrittenInTheirVersion23Frames) {
    // What an independent writer cannot produce: a recording time that is no
    // time stamp, a space before the hour, a tag that already holds a year.
    struct Case {
        const char* name;
        Bytes frames;  // of the 2.4 tag, before a title
        std::vector<std::pair<std::string, std::string>> written;  // ID and text of each frame before the title
    };
    const Case cases[] = {
        {"no time stamp", Frame("TDRC", B({3}) + S("spring 1971"), SizeForm::Seven), {{"TRDA", "spring 1971"}}},
        {"space before the hour", Frame("TDRC", B({0}) + S("1999-04-01 12:30"), SizeForm::Seven),
         {{"TYER", "1999"}, {"TDAT", "0104"}, {"TIME", "1230"}}},
        {"year already there",
         Frame("TYER", B({0}) + S("2001"), SizeForm::Seven) + Frame("TDRC", B({0}) + S("1999-04-01"), SizeForm::Seven),
         {{"TYER", "2001"}, {"TDAT", "0104"}}},
        {"original year", Frame("TDOR", B({0}) + S("1969"), SizeForm::Seven), {{"TORY", "1969"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes audio = Audio(50);
        const std::string file = put(Tag(c.frames + TextFrame("TIT2", "T", SizeForm::Seven), 20, 4) + audio);
        auto tag = NewTag();
        ASSERT_EQ(tag->ReadTag(file), 0) << tag->LastError().description;
        ASSERT_EQ(tag->WriteTag(file), 0) << tag->LastError().description;
        const Bytes written = ReadFile(file);
        EXPECT_EQ(AfterTag(written), audio);
        std::vector<std::pair<std::string, std::string>> got;
        for (const RawFrame& f : FramesOf(written))
            got.emplace_back(f.id, std::string(f.body.begin() + 1, f.body.end()));
        ASSERT_FALSE(got.empty());
        EXPECT_EQ(got.back(), (std::pair<std::string, std::string>{"TIT2", "T"}));
        got.pop_back();
        EXPECT_EQ(got, c.written);
    }
}

TEST_F(TagObject, CommentTooShortEndsTheReadAfterTheFramesBeforeIt) {
    const std::string file =
        put(Tag(TextFrame("TIT2", "T") + Frame("COMM", B({0, 'e', 'n', 'g'})) + TextFrame("TPE1", "A")) + Audio(10));
    auto tag = NewTag();
    EXPECT_EQ(tag->ReadTag(file), Err::CommentFrameInvalid);
    EXPECT_EQ(tag->LastError().source, "Comment_Frame::parseBytes");
    EXPECT_TRUE(tag->HasTag());
    EXPECT_EQ(Get(*tag, eTitle), "T");
    EXPECT_EQ(Get(*tag, eArtist), "");
}

// ---- damaged tags: frames of both size forms ----------------------------------------

class DamagedOldForm : public TagObject {};

// A tag whose frames mix plain and 7-bit sizes, so that neither form reads
// through it, is read frame by frame: a frame takes the size that lands where
// a frame may follow.  Inside a frame's body, bytes that look like a frame
// header but state a size running past the tag are no such place, even when
// that size alone would be the form the version prefers.
TEST_F(DamagedOldForm, EachFrameTakesTheSizeThatLandsOnTheNextFrame) {
    // Looks like a frame header; its size, read either way, overruns any tag here.
    const Bytes lookalike = S("TYER") + B({0x7F, 0x7F, 0x7F, 0x7F, 0, 0});
    // A private frame's body of `size` bytes with the look-alike at `at`.
    auto privateBody = [&](size_t size, size_t at) {
        Bytes body = S("owner") + B({0});
        while (body.size() < size) body.push_back(static_cast<uint8_t>(1 + body.size() % 90));
        std::copy(lookalike.begin(), lookalike.end(), body.begin() + long(at));
        return body;
    };
    const std::string title(199, 'x'), comment(195, 'c');
    // Plain size 200 is 00 00 00 C8: no 7-bit number, so a 7-bit reading of
    // the whole tag fails there.  7-bit 200 is 00 00 01 48, plain 328.
    const Bytes plainComment = Frame("COMM", B({0}) + S("eng") + B({0}) + S(comment));
    const Bytes sevenComment = Frame("COMM", B({0}) + S("eng") + B({0}) + S(comment), SizeForm::Seven);
    struct Case {
        const char* name;
        Bytes tag;
    };
    const Case cases[] = {
        // 2.3: the title's plain size (328) lands on the look-alike in the
        // private frame's body (10 + 328 - 237 = 101), its 7-bit size (200)
        // on the artist.
        {"2.3, 7-bit size lands on a frame, plain size on a look-alike",
         Tag(TextFrame("TIT2", title, SizeForm::Seven) + TextFrame("TPE1", "Artist") +
                 Frame("PRIV", privateBody(120, 101)) + plainComment,
             40, 3)},
        // 2.4: the private frame's 7-bit reading (200) lands on the look-alike
        // in its own body, its plain size (328) on the title; the last frame's
        // plain size (328) overruns the tag.
        {"2.4, plain size lands on a frame, 7-bit size on a look-alike",
         Tag(Frame("PRIV", privateBody(328, 200)) + TextFrame("TIT2", title) + TextFrame("TPE1", "Artist") +
                 sevenComment,
             0, 4)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = put(c.tag + Audio(100));
        auto tag = NewTag();
        ASSERT_EQ(tag->ReadTag(file), 0) << tag->LastError().description;
        EXPECT_EQ(Get(*tag, eTitle), title);
        EXPECT_EQ(Get(*tag, eArtist), "Artist");
        EXPECT_EQ(Get(*tag, eComment), comment);
    }
}

// ---- writing -----------------------------------------------------------------------

TEST_F(TagObject, WrittenTagSizeFollowsThePaddingRule) {
    struct Case {
        const char* name;
        std::vector<std::pair<eID3FrameIDs, std::string>> values;
        Bytes sizeBytes;
        size_t padding;
    };
    // A text frame set to t has a body of 1 + |t| + 1 bytes.
    const Case cases[] = {
        {"no frames", {}, B({0, 0, 0, 0}), 0},
        {"F = 300", {{eTitle, std::string(288, 'a')}}, B({0, 0, 4, 2}), 214},
        {"F = 257", {{eTitle, std::string(245, 'a')}}, B({0, 0, 2, 1}), 0},
        {"five frames of 20 bytes",
         {{eTitle, std::string(18, 'a')},
          {eArtist, std::string(18, 'b')},
          {eAlbum, std::string(18, 'c')},
          {eYear, std::string(18, 'd')},
          {eGenre, std::string(18, 'e')}},
         B({0, 0, 2, 1}),
         107},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes audio = Audio(64);
        // The old header's flags do not survive.
        const std::string file = put(Tag({}, 20, 3, 0xE0) + audio);
        auto tag = NewTag();
        for (const auto& [id, value] : c.values) ASSERT_EQ(tag->SetFrameValue(id, value), 0);
        ASSERT_EQ(tag->WriteTag(file), 0) << tag->LastError().description;
        const Bytes w = ReadFile(file);
        EXPECT_EQ(Hex(Bytes(w.begin(), w.begin() + 10)), Hex(S("ID3") + B({3, 0, 0}) + c.sizeBytes));
        const size_t tagLength = TagLength(w);
        EXPECT_EQ(Bytes(w.begin() + long(tagLength - c.padding), w.begin() + long(tagLength)), Bytes(c.padding, 0));
        EXPECT_EQ(AfterTag(w), audio);
        EXPECT_TRUE(tag->HasTag());
    }
}

TEST_F(TagObject, WriteThenReadGivesTheSameFramesInOrder) {
    const Bytes audio = Audio(4000);
    const std::string file = put(audio);  // no tag: the new one goes in front of everything
    const std::pair<eID3FrameIDs, std::string> values[] = {
        {eTrack, "7/12"},        {eTitle, "Caf\u00E9 \u20AC"}, {eArtist, "\u65E5\u672C"}, {eAlbum, "Album"},
        {eYear, "1999"},         {eComment, "A comment"},      {eGenre, "(17)"},            {eComposer, "Comp"},
        {eOrigArtist, "Orig"},   {eCopyright, "\u00A9 2001"},  {eURL, "http://e.org/x"},   {eEncodedBy, ""},
    };
    auto writer = NewTag();
    for (const auto& [id, value] : values) ASSERT_EQ(writer->SetFrameValue(id, value), 0);
    ASSERT_EQ(writer->WriteTag(file), 0) << writer->LastError().description;
    const Bytes w = ReadFile(file);
    EXPECT_EQ(AfterTag(w), audio);
    std::vector<std::string> ids;
    for (const RawFrame& f : FramesOf(w)) ids.push_back(f.id);
    EXPECT_EQ(ids, (std::vector<std::string>{"TRCK", "TIT2", "TPE1", "TALB", "TYER", "COMM", "TCON", "TCOM",
                                             "TOPE", "TCOP", "WXXX", "TENC"}));
    EXPECT_EQ(FramesOf(w)[5].body, B({0, 0, 0, 0, 0}) + S("A comment") + B({0}));
    EXPECT_EQ(FramesOf(w)[11].body, B({0, 0})) << "an empty value still makes a frame";

    auto reader = NewTag();
    ASSERT_EQ(reader->ReadTag(file), 0);
    for (const auto& [id, value] : values) EXPECT_EQ(Get(*reader, id), value) << id;
    // Written again unchanged, the tag is byte for byte the same.
    ASSERT_EQ(reader->WriteTag(file), 0);
    EXPECT_EQ(ReadFile(file), w);
}

TEST_F(TagObject, FirstFrameOfAnIdIsTheOneGotAndSet) {
    const std::string file =
        put(Tag(TextFrame("TIT2", "first") + TextFrame("TIT2", "second") + Frame("APIC", S("pic"))) + Audio(10));
    auto tag = NewTag();
    ASSERT_EQ(tag->ReadTag(file), 0);
    EXPECT_EQ(Get(*tag, eTitle), "first");
    ASSERT_EQ(tag->SetFrameValue(eTitle, "changed"), 0);
    ASSERT_EQ(tag->SetFrameValue(eComment, "hi"), 0);
    ASSERT_EQ(tag->WriteTag(file), 0);
    const auto frames = FramesOf(ReadFile(file));
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_EQ(frames[0].body, B({0}) + S("changed") + B({0}));
    EXPECT_EQ(frames[1].body, B({0}) + S("second"));
    EXPECT_EQ(frames[2].id, "APIC");
    EXPECT_EQ(frames[3].body, B({0, 0, 0, 0, 0, 'h', 'i', 0}));
}

TEST_F(TagObject, FramesItDoesNotHandleGoBackUnchanged) {
    // Pictures, lyrics, other frames, frames in unexpected case and frames
    // it cannot decode (compressed, encrypted, grouped) keep their bytes,
    // flags and place; Get and Set pass them by.
    const Bytes picture = Audio(700);
    const Bytes kept[] = {
        Frame("APIC", B({0}) + S("image/png") + B({0, 3, 0}) + picture, SizeForm::Plain, 0x40, 0),
        Frame("USLT", B({0}) + S("eng") + B({0}) + S("la la la")),
        Frame("TPOS", B({0}) + S("1/2")),
        Frame("TXXX", B({0}) + S("key") + B({0}) + S("value")),
        Frame("PRIV", S("owner") + B({0, 1, 2, 3})),
        Frame("tit2", B({0}) + S("lower")),
        Frame("TIT2", B({0, 0, 0, 9}) + S("compressed"), SizeForm::Plain, 0, 0x80),
        Frame("TPE1", B({1}) + S("encrypted"), SizeForm::Plain, 0, 0x40),
    };
    Bytes frames = TextFrame("TALB", "Album");
    for (const Bytes& f : kept) frames = frames + f;
    const Bytes audio = Audio(2000);
    const std::string file = put(Tag(frames, 300) + audio);
    auto tag = NewTag();
    ASSERT_EQ(tag->ReadTag(file), 0);
    EXPECT_EQ(Get(*tag, eTitle), "");
    EXPECT_EQ(Get(*tag, eArtist), "");
    ASSERT_EQ(tag->SetFrameValue(eAlbum, "New album"), 0);
    ASSERT_EQ(tag->SetFrameValue(eTitle, "New title"), 0);
    ASSERT_EQ(tag->WriteTag(file), 0);
    const Bytes w = ReadFile(file);
    EXPECT_EQ(AfterTag(w), audio);
    const auto got = FramesOf(w);
    ASSERT_EQ(got.size(), 10u);
    EXPECT_EQ(got[0].body, B({0}) + S("New album") + B({0}));
    for (size_t i = 0; i < std::size(kept); ++i) {
        const Bytes& f = kept[i];
        EXPECT_EQ(got[i + 1].id, std::string(f.begin(), f.begin() + 4));
        EXPECT_EQ(got[i + 1].flags, Bytes(f.begin() + 8, f.begin() + 10));
        EXPECT_EQ(got[i + 1].body, Bytes(f.begin() + 10, f.end())) << got[i + 1].id;
    }
    EXPECT_EQ(got[9].id, "TIT2");
    EXPECT_EQ(got[9].body, B({0}) + S("New title") + B({0}));
}

TEST_F(TagObject, RemoveTag) {
    const Bytes audio = Audio(1500);
    const std::string untagged = put(audio, "plain.mp3");
    auto tag = NewTag();
    ASSERT_EQ(tag->SetFrameValue(eTitle, "kept"), 0);
    // A file without a tag: nothing changes, the object neither.
    ASSERT_EQ(tag->RemoveTag(untagged), 0);
    EXPECT_EQ(ReadFile(untagged), audio);
    EXPECT_EQ(Get(*tag, eTitle), "kept");

    for (int major : {2, 3, 4}) {
        const std::string file = put(Tag(TextFrame("TIT2", "x"), 30, major) + audio);
        ASSERT_EQ(tag->ReadTag(file), 0);
        ASSERT_EQ(tag->RemoveTag(file), 0);
        EXPECT_EQ(ReadFile(file), audio) << major;
        EXPECT_FALSE(tag->HasTag());
        EXPECT_EQ(Get(*tag, eTitle), "");
    }
    // A file that is all tag becomes empty.
    const std::string allTag = put(Tag(TextFrame("TIT2", "x")), "tagonly.mp3");
    ASSERT_EQ(tag->RemoveTag(allTag), 0);
    EXPECT_TRUE(ReadFile(allTag).empty());
}

TEST_F(TagObject, TemporaryFileIsNewBesideTheTargetAndNeverLeftBehind) {
    // A file that happens to carry the temporary name is not touched.
    const Bytes theirs = S("someone else's file");
    WriteFile(path("song.mp3.new"), theirs);
    const std::string file = put(Tag(TextFrame("TIT2", "a")) + Audio(100));
    auto tag = NewTag();
    ASSERT_EQ(tag->ReadTag(file), 0);
    ASSERT_EQ(tag->SetFrameValue(eTitle, "b"), 0);
    ASSERT_EQ(tag->WriteTag(file), 0);
    EXPECT_EQ(ReadFile(path("song.mp3.new")), theirs);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    ASSERT_EQ(tag->ReadTag(file), 0);
    EXPECT_EQ(Get(*tag, eTitle), "b");
}

// ---- errors ----------------------------------------------------------------------------

TEST_F(TagObject, UnknownFrameIdsAndMissingFiles) {
    auto tag = NewTag();
    std::string value = "untouched";
    for (int bad : {0, 13}) {
        EXPECT_EQ(tag->GetFrameValue(static_cast<eID3FrameIDs>(bad), value), int32_t(0x8004006C));
        EXPECT_EQ(tag->LastError().source, "ID3v2::LookupFrameID");
        EXPECT_EQ(tag->LastError().description, "An unknown frame ID (%FRAMEID%)  was supplied.");
        EXPECT_EQ(tag->SetFrameValue(static_cast<eID3FrameIDs>(bad), "x"), Err::UnknownFrameId);
    }
    EXPECT_EQ(value, "untouched");

    const std::string missing = dir.filePath("no such  file.mp3").toStdString();
    // Neither a folder nor a pipe is a file (and a pipe must not block the call).
    const std::string pipe = dir.filePath("pipe.mp3").toStdString();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    struct Case {
        const char* source;
        Status (*call)(_clsID3v2&, const std::string&);
    };
    const Case calls[] = {
        {"ID3v2::ReadTag", [](_clsID3v2& t, const std::string& p) { return t.ReadTag(p); }},
        {"clsID3v2::WriteTag", [](_clsID3v2& t, const std::string& p) { return t.WriteTag(p, false); }},
        {"clsID3v2::RemoveTag", [](_clsID3v2& t, const std::string& p) { return t.RemoveTag(p, false); }},
    };
    for (const Case& c : calls) {
        for (const std::string& p : {missing, dir.path().toStdString(), pipe}) {
            EXPECT_EQ(c.call(*tag, p), int32_t(0x8004006D)) << c.source;
            EXPECT_EQ(tag->LastError().source, c.source);
            EXPECT_EQ(tag->LastError().description, "The file, " + p + ", was not found.");
        }
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System),
              QStringList{"pipe.mp3"});
}

}  // namespace
