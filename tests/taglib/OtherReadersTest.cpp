// What this library makes of tags in the forms users' files hold, checked by
// an independent reader (python3-mutagen): tags with 7-bit frame sizes keep
// every frame through a read and a write, text beyond Latin-1 is written so
// that other readers show it, and a 2.4 tag is written back as a 2.3 tag
// holding only 2.3 frames, its values converted where 2.3 can hold them.

#include "Oracle.h"
#include "TagTestKit.h"

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

using namespace quillmark;
using namespace tagtest;

namespace {

class OtherReaders : public ::testing::Test {
protected:
    void SetUp() override {
        if (!OracleAvailable()) GTEST_SKIP() << "python3-mutagen is not installed";
    }
    std::string path(const char* name = "song.mp3") const { return dir.filePath(name).toStdString(); }
    QTemporaryDir dir;
};

QString TextOf(const QJsonObject& frames, const QString& key) {
    const QJsonObject f = frames[key].toObject();
    return f.contains("url") ? f["url"].toString() : f["text"].toString();
}

// The key under which the oracle lists a frame the program sets.
QString OracleKey(const std::string& id) {
    if (id == "COMM") return QStringLiteral("COMM::") + QString(3, QChar(0));
    if (id == "WXXX") return QStringLiteral("WXXX:");
    return QString::fromStdString(id);
}

// ---- tags with 7-bit frame sizes ----------------------------------------------------

// The frames the program sets, in the order it sets them.
const std::pair<eID3FrameIDs, const char*> kProgramOrder[] = {
    {eTrack, "TRCK"},      {eTitle, "TIT2"},     {eArtist, "TPE1"}, {eAlbum, "TALB"},
    {eYear, "TYER"},       {eComment, "COMM"},   {eGenre, "TCON"},  {eComposer, "TCOM"},
    {eOrigArtist, "TOPE"}, {eCopyright, "TCOP"}, {eURL, "WXXX"},    {eEncodedBy, "TENC"},
};

// A tag as a writer of frames with encoding 0, empty descriptions and
// terminated texts lays it out, padded to a multiple of 257 bytes or not.
Bytes ProgramTag(const std::map<eID3FrameIDs, std::string>& values, SizeForm form, bool padded) {
    Bytes frames;
    for (const auto& [key, id] : kProgramOrder) {
        const Bytes text = S(values.at(key)) + B({0});
        const std::string sid = id;
        const Bytes body = sid == "COMM" ? B({0, 0, 0, 0, 0}) + text : sid == "WXXX" ? B({0, 0}) + text : B({0}) + text;
        frames = frames + Frame(sid, body, form);
    }
    const size_t padding = padded && frames.size() % 257 ? 257 - frames.size() % 257 : 0;
    return Tag(frames, padding);
}

TEST_F(OtherReaders, TagsWithEitherFrameSizeFormKeepEveryFrame) {
    struct Case {
        const char* name;
        size_t titleLength, commentLength;  // bodies: title + 2, comment + 6 bytes
    };
    const Case cases[] = {
        {"bodies below 128 bytes", 20, 40},
        {"comment body of 128 bytes", 20, 122},
        {"comment body of 156 bytes", 20, 150},
        {"comment body of 255 bytes", 20, 249},
        {"title of 200 and comment of 150 bytes", 198, 144},
        {"comment body above 255 bytes", 20, 400},
        {"title above 255 and comment of 130 bytes", 700, 124},
    };
    struct Written {
        std::string file, trace;
        std::map<eID3FrameIDs, std::string> values;
    };
    std::vector<Written> written;
    const Bytes audio = Audio(600);
    for (const Case& c : cases) {
        const std::map<eID3FrameIDs, std::string> values = {
            {eTrack, "7/12"},
            {eTitle, std::string(c.titleLength, 't')},
            {eArtist, "Artist"},
            {eAlbum, "Album"},
            {eYear, "1999"},
            {eComment, std::string(c.commentLength, 'c')},
            {eGenre, "(17)"},
            {eComposer, "Composer"},
            {eOrigArtist, "Origin"},
            {eCopyright, "2001 Label"},
            {eURL, "http://example.org/"},
            {eEncodedBy, "Encoder"},
        };
        for (SizeForm form : {SizeForm::Seven, SizeForm::Plain}) {
            for (bool padded : {true, false}) {
                const std::string trace = std::string(c.name) +
                                          (form == SizeForm::Seven ? ", 7-bit sizes" : ", plain sizes") +
                                          (padded ? ", padded" : ", no padding");
                SCOPED_TRACE(trace);
                const std::string file = path(std::to_string(written.size()).c_str());
                WriteFile(file, ProgramTag(values, form, padded) + audio);
                auto tag = NewTag();
                ASSERT_EQ(tag->ReadTag(file), 0) << tag->LastError().description;
                for (const auto& [key, value] : values) EXPECT_EQ(Get(*tag, key), value) << key;
                ASSERT_EQ(tag->WriteTag(file), 0) << tag->LastError().description;
                EXPECT_EQ(AfterTag(ReadFile(file)), audio);
                written.push_back({file, trace, values});
            }
        }
    }

    // Written back, every frame is there for another reader.
    std::vector<std::string> files;
    for (const Written& w : written) files.push_back(w.file);
    const QJsonArray tags = OracleReadAll(files);
    for (size_t i = 0; i < written.size() && i < size_t(tags.size()); ++i) {
        SCOPED_TRACE(written[i].trace);
        const QJsonObject frames = tags[qsizetype(i)].toObject()["frames"].toObject();
        EXPECT_EQ(frames.size(), qsizetype(std::size(kProgramOrder)));
        for (const auto& [key, id] : kProgramOrder)
            EXPECT_EQ(TextOf(frames, OracleKey(id)).toStdString(), written[i].values.at(key)) << id;
    }
}

// ---- text beyond Latin-1 -----------------------------------------------------------

TEST_F(OtherReaders, TextOutsideLatin1IsWrittenSoOtherReadersShowIt) {
    // The characters that only Windows-1252 puts at 0x80-0x9F are no Latin-1
    // characters: other readers show those bytes as control characters.
    struct Case {
        eID3FrameIDs key;
        std::string value;
        std::string shownAs;  // by the other reader; empty: the value
        int encoding;         // of the body written
    };
    const Case cases[] = {
        {eTitle, "Don\u2019t Stop", "", 1},
        {eArtist, "\u201CQuoted\u201D \u2013 Band \u2014 Live", "", 1},
        {eAlbum, "Wait\u2026 \u20AC5", "", 1},
        {eComment,
         "\u0152uvre \u2030 \u2020 \u2021 \u2022 \u2122 \u0161 \u017E \u0178 \u0192 \u02C6 \u02DC \u2039 "
         "\u203A \u201A \u201E \u0160 \u017D \u0153 \u2018",
         "", 1},
        {eComposer, "Caf\u00E9 \u00F1 \u00FF \u00A0\u00BF", "", 0},
        {eOrigArtist, "plain ASCII", "", 0},
        {eURL, "http://example.org/\u20AC", "http://example.org/%E2%82%AC", 0},
    };
    const std::string file = path();
    WriteFile(file, Audio(300));
    auto tag = NewTag();
    for (const Case& c : cases) ASSERT_EQ(tag->SetFrameValue(c.key, c.value), 0);
    ASSERT_EQ(tag->WriteTag(file), 0) << tag->LastError().description;

    const auto written = FramesOf(ReadFile(file));
    ASSERT_EQ(written.size(), std::size(cases));
    const QJsonObject frames = OracleRead(file)["frames"].toObject();
    auto reader = NewTag();
    ASSERT_EQ(reader->ReadTag(file), 0);
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.value);
        EXPECT_EQ(written[i].body[0], c.encoding);
        EXPECT_EQ(TextOf(frames, OracleKey(written[i].id)).toStdString(), c.shownAs.empty() ? c.value : c.shownAs);
        if (c.shownAs.empty()) {
            EXPECT_EQ(Get(*reader, c.key), c.value);
        }
    }
}

// ---- frames with odd IDs ---------------------------------------------------------

// Frames whose IDs are not four upper-case letters or digits, beside binary
// frames with zero bytes where a 7-bit reading of their size would end (as
// pictures have): every frame is kept, and every value written reads back,
// here and in another reader.
TEST_F(OtherReaders, FramesWithOddIdsKeepEveryValueReadable) {
    // A picture body of `size` bytes (low size byte below 128) holding a zero
    // where its size read as a 7-bit number ends.
    auto picture = [](uint32_t size) {
        Bytes body = B({0}) + S("image/png") + B({0, 3, 0});
        for (uint32_t i = uint32_t(body.size()); i < size; ++i) body.push_back(static_cast<uint8_t>(1 + i % 200));
        body[(size >> 8) * 128 + (size & 0x7F)] = 0;
        return body;
    };
    const Bytes odd = B({0}) + S("kept as it is");
    struct Case {
        const char* name;
        Bytes frames;       // the tag's frames before the program writes
        std::string title;  // the title they hold
    };
    const Case cases[] = {
        {"lower-case ID after a picture", Frame("APIC", picture(300)) + Frame("tit2", odd), ""},
        {"ID with a blank between a picture and a title",
         Frame("APIC", picture(600)) + Frame("TXX ", odd) + TextFrame("TIT2", "old"), "old"},
        {"odd IDs around a picture",
         Frame("\304BCD", odd) + Frame("APIC", picture(300)) + Frame("XY!Z", odd) + TextFrame("TIT2", "old"), "old"},
        {"odd ID alone", Frame("Abcd", odd), ""},
    };
    const Bytes audio = Audio(400);
    std::vector<std::string> originals, files;
    std::vector<std::map<eID3FrameIDs, std::string>> written;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        originals.push_back(path(("original " + std::to_string(files.size())).c_str()));
        WriteFile(originals.back(), Tag(c.frames, 300) + audio);
        files.push_back(path(std::to_string(files.size()).c_str()));
        const std::string& file = files.back();
        WriteFile(file, Tag(c.frames, 300) + audio);
        const std::vector<RawFrame> before = FramesOf(ReadFile(file));

        std::map<eID3FrameIDs, std::string> values;
        for (int id = eTrack; id <= eEncodedBy; ++id) values[eID3FrameIDs(id)] = "value " + std::to_string(id);
        values[eArtist] = "Art\u00EFst \u2019";
        auto tag = NewTag();
        ASSERT_EQ(tag->ReadTag(file), 0) << tag->LastError().description;
        EXPECT_EQ(Get(*tag, eTitle), c.title);
        for (const auto& [key, value] : values) ASSERT_EQ(tag->SetFrameValue(key, value), 0);
        ASSERT_EQ(tag->WriteTag(file), 0) << tag->LastError().description;
        written.push_back(values);

        const Bytes after = ReadFile(file);
        EXPECT_EQ(AfterTag(after), audio);
        const std::vector<RawFrame> frames = FramesOf(after);
        for (const RawFrame& f : before) {
            if (f.id == "TIT2") continue;  // the program's own
            EXPECT_NE(std::find(frames.begin(), frames.end(), f), frames.end()) << f.id << " is lost";
        }
        auto reader = NewTag();
        ASSERT_EQ(reader->ReadTag(file), 0) << reader->LastError().description;
        for (const auto& [key, value] : values) EXPECT_EQ(Get(*reader, key), value) << key;
    }

    // The other reader reads the tags as this library does, before and after.
    const QJsonArray before = OracleReadAll(originals), tags = OracleReadAll(files);
    for (size_t i = 0; i < files.size() && i < size_t(tags.size()) && i < size_t(before.size()); ++i) {
        SCOPED_TRACE(cases[i].name);
        EXPECT_EQ(TextOf(before[qsizetype(i)].toObject()["frames"].toObject(), "TIT2").toStdString(), cases[i].title);
        const QJsonObject frames = tags[qsizetype(i)].toObject()["frames"].toObject();
        EXPECT_EQ(TextOf(frames, "TIT2").toStdString(), written[i].at(eTitle));
        EXPECT_EQ(TextOf(frames, "TPE1").toStdString(), written[i].at(eArtist));
        EXPECT_EQ(TextOf(frames, "TENC").toStdString(), written[i].at(eEncodedBy));
    }
}

// ---- 2.4 tags written back as 2.3 ---------------------------------------------------

// Writes 2.4 tags onto existing files (argv: file, python list of frames,
// file, list, ...), each with an artist, a user text and a picture besides.
const char* kV24Writer = R"PY(
import sys
import mutagen.id3
from mutagen.id3 import ID3, TPE1, TXXX, APIC
for path, frames in zip(sys.argv[1::2], sys.argv[2::2]):
    t = ID3()
    t.add(TPE1(encoding=3, text="Artist \u00e9"))
    for f in eval(frames, vars(mutagen.id3)):
        t.add(f)
    t.add(TXXX(encoding=3, desc="MOOD", text="calm"))
    t.add(APIC(encoding=3, mime="image/png", type=3, desc="", data=bytes(range(256)) * 3))
    t.save(path, v2_version=4, padding=lambda info: 100)
)PY";

TEST_F(OtherReaders, Version24TagIsWrittenBackWithVersion23FramesOnly) {
    struct Case {
        const char* name;
        const char* frames;                   // written in the 2.4 tag
        std::map<QString, QString> expected;  // 2.3 frames written back (text, or people as role=name lines)
        std::string year;                     // as GetFrameValue gives it
    };
    const Case cases[] = {
        {"full recording time",
         "[TDRC(encoding=3, text='2004-05-06T07:08:09')]",
         {{"TYER", "2004"}, {"TDAT", "0605"}, {"TIME", "0708"}},
         "2004"},
        {"recording year", "[TDRC(encoding=0, text='1987')]", {{"TYER", "1987"}}, "1987"},
        {"recording year and month", "[TDRC(encoding=3, text='2010-11')]", {{"TYER", "2010"}}, "2010"},
        {"recording date and hour",
         "[TDRC(encoding=3, text='2010-11-12T13')]",
         {{"TYER", "2010"}, {"TDAT", "1211"}},
         "2010"},
        {"original release time", "[TDOR(encoding=3, text='1969-01-02')]", {{"TORY", "1969"}}, ""},
        {"involved people and musicians",
         "[TIPL(encoding=3, people=[['producer', 'P'], ['mixer', 'M \\u00f1']]),"
         " TMCL(encoding=1, people=[['guitar', 'G \\u2019']])]",
         {{"IPLS", "producer=P\nmixer=M \u00F1\nguitar=G \u2019"}},
         ""},
        {"frames 2.3 has no place for",
         "[TSOP(encoding=3, text='Artist, The'), TSOA(encoding=3, text='Album, The'),"
         " TSOT(encoding=3, text='Title, The'), TDRL(encoding=3, text='2005'), TDEN(encoding=3, text='2006'),"
         " TDTG(encoding=3, text='2007-01-01'), TMOO(encoding=3, text='calm'), TPRO(encoding=3, text='2004 P'),"
         " TSST(encoding=3, text='Disc one'), RVA2(desc='track', channel=1, gain=-3.0, peak=0.5),"
         " SIGN(group=1, sig=b'sig')]",
         {},
         ""},
    };
    // 2.4 frames that a 2.3 tag must not hold.
    const QStringList v24Only = {"TDRC", "TDOR", "TIPL", "TMCL", "TSOP", "TSOA", "TSOT", "TDRL",
                                 "TDEN", "TDTG", "TMOO", "TPRO", "TSST", "RVA2", "SIGN"};
    const Bytes audio = Audio(500);
    std::vector<std::string> files;
    QStringList writerArgs;
    for (const Case& c : cases) {
        files.push_back(path(c.name));
        WriteFile(files.back(), audio);
        writerArgs << QString::fromStdString(files.back()) << QString::fromUtf8(c.frames);
    }
    RunPython(kV24Writer, writerArgs);
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].name);
        ASSERT_EQ(ReadFile(files[i])[3], 4);
        auto tag = NewTag();
        ASSERT_EQ(tag->ReadTag(files[i]), 0) << tag->LastError().description;
        EXPECT_EQ(Get(*tag, eYear), cases[i].year);
        ASSERT_EQ(tag->WriteTag(files[i]), 0) << tag->LastError().description;
        EXPECT_EQ(AfterTag(ReadFile(files[i])), audio);
    }

    const QJsonArray tags = OracleReadAll(files);
    for (size_t i = 0; i < std::size(cases) && i < size_t(tags.size()); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.name);
        const QJsonObject oracle = tags[qsizetype(i)].toObject();
        EXPECT_EQ(oracle["version"].toString(), "2.3");
        const QJsonObject frames = oracle["frames"].toObject();
        for (const QString& key : frames.keys()) {
            EXPECT_FALSE(v24Only.contains(frames[key].toObject()["id"].toString())) << key.toStdString();
        }
        for (const auto& [id, text] : c.expected) {
            const QJsonObject f = frames[id].toObject();
            EXPECT_EQ((f.contains("people") ? f["people"] : f["text"]).toString().toStdString(), text.toStdString())
                << id.toStdString();
        }
        // Frames 2.3 has stay as they were.
        EXPECT_EQ(frames["TPE1"].toObject()["text"].toString().toStdString(), "Artist \u00E9");
        EXPECT_EQ(frames["TXXX:MOOD"].toObject()["text"].toString(), "calm");
        EXPECT_TRUE(frames.contains("APIC:"));
        EXPECT_EQ(frames.size(), qsizetype(c.expected.size() + 3));
    }
}

}  // namespace
