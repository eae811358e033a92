// What a rewrite may and may not do to a file: read-only files, modes, links,
// tags that claim more than the file holds, and a write that fails halfway.

#include "TagTestKit.h"

#include <QDir>
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace quillmark;
using namespace tagtest;

namespace {

class FileSafety : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::string path(const char* name = "song.mp3") const { return dir.filePath(name).toStdString(); }
    std::string put(const Bytes& bytes, const char* name = "song.mp3") {
        WriteFile(path(name), bytes);
        return path(name);
    }
    QStringList entries() const {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    }
};

TEST_F(FileSafety, ReadOnlyFilesAreWrittenOnlyWhenAllowed) {
    const Bytes original = Tag(TextFrame("TIT2", "old"), 20) + Audio(800);
    struct Case {
        const char* source;
        Status (*call)(_clsID3v2&, const std::string&, bool);
    };
    const Case calls[] = {
        {"clsID3v2::WriteTag", [](_clsID3v2& t, const std::string& p, bool i) { return t.WriteTag(p, i); }},
        {"clsID3v2::RemoveTag", [](_clsID3v2& t, const std::string& p, bool i) { return t.RemoveTag(p, i); }},
    };
    for (const Case& c : calls) {
        SCOPED_TRACE(c.source);
        const std::string file = put(original);
        ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
        auto tag = NewTag();
        ASSERT_EQ(tag->SetFrameValue(eTitle, "new"), 0);
        EXPECT_EQ(c.call(*tag, file, false), int32_t(0x8004006F));
        EXPECT_EQ(tag->LastError().source, c.source);
        EXPECT_EQ(tag->LastError().description, "Path/File access error.");
        EXPECT_EQ(ReadFile(file), original);
        EXPECT_EQ(ModeOf(file), 0444u);
        // Allowed (the default): written, and no longer read-only.
        EXPECT_EQ(c.call(*tag, file, true), 0) << tag->LastError().description;
        EXPECT_NE(ReadFile(file), original);
        EXPECT_EQ(AfterTag(ReadFile(file)), AfterTag(original));
        EXPECT_EQ(ModeOf(file), 0644u);
        EXPECT_EQ(entries().size(), 1);
        ASSERT_EQ(::unlink(file.c_str()), 0);
    }
    // Leaving the argument out allows it.
    const std::string file = put(original);
    ASSERT_EQ(::chmod(file.c_str(), 0400), 0);
    auto tag = NewTag();
    EXPECT_EQ(tag->WriteTag(file), 0);
    EXPECT_EQ(ModeOf(file), 0600u);
}

TEST_F(FileSafety, ModeAndSymbolicLinksSurviveARewrite) {
    const Bytes audio = Audio(5000);
    const std::string real = put(Tag(TextFrame("TIT2", "old")) + audio, "real.mp3");
    ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
    ASSERT_EQ(::symlink("real.mp3", path("link.mp3").c_str()), 0);
    auto tag = NewTag();
    ASSERT_EQ(tag->SetFrameValue(eTitle, "through the link"), 0);
    ASSERT_EQ(tag->WriteTag(path("link.mp3")), 0) << tag->LastError().description;
    struct stat st {};
    ASSERT_EQ(::lstat(path("link.mp3").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode)) << "the link stays a link";
    EXPECT_EQ(ModeOf(real), 0640u);
    EXPECT_EQ(AfterTag(ReadFile(real)), audio);
    auto reader = NewTag();
    ASSERT_EQ(reader->ReadTag(real), 0);
    EXPECT_EQ(Get(*reader, eTitle), "through the link");
    EXPECT_EQ(entries().size(), 2);
}

TEST_F(FileSafety, TagLongerThanTheFileIsAnErrorAndChangesNothing) {
    struct Case {
        const char* name;
        Bytes file;
    };
    const Bytes whole = Tag(TextFrame("TIT2", "Title"), 100);
    const Case cases[] = {
        {"truncated inside the frames", Bytes(whole.begin(), whole.begin() + 40)},
        // Size bytes of 0xFF each, read whole: over 500 MB that the file lacks.
        {"size field beyond anything", S("ID3") + B({3, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}) + TextFrame("TIT2", "x")},
        {"2.4 footer missing", S("ID3") + B({4, 0, 0x10}) + Seven(12) + TextFrame("TIT2", "ab", SizeForm::Seven)},
    };
    struct Call {
        const char* source;
        Status (*call)(_clsID3v2&, const std::string&);
    };
    const Call calls[] = {
        {"ID3v2::ReadTag", [](_clsID3v2& t, const std::string& p) { return t.ReadTag(p); }},
        {"ID3v2::WriteTag", [](_clsID3v2& t, const std::string& p) { return t.WriteTag(p, false); }},
        {"clsID3v2::RemoveTag", [](_clsID3v2& t, const std::string& p) { return t.RemoveTag(p, false); }},
    };
    for (const Case& c : cases) {
        const std::string file = put(c.file);
        for (const Call& call : calls) {
            SCOPED_TRACE(std::string(c.name) + " / " + call.source);
            auto tag = NewTag();
            EXPECT_EQ(call.call(*tag, file), int32_t(0x80040070));
            EXPECT_EQ(tag->LastError().source, call.source);
            EXPECT_EQ(tag->LastError().description, "The file " + file + " has an invalid file size.");
            EXPECT_EQ(ReadFile(file), c.file);
            // From bytes the caller read, the same: the bytes cannot hold the tag.
            EXPECT_EQ(tag->ReadTagFromBytes(file, c.file.data(), c.file.size()), Err::InvalidFileSize);
        }
        EXPECT_EQ(entries().size(), 1);
    }
}

TEST_F(FileSafety, LongestFileNamesCanBeRewritten) {
    // A name of 255 bytes leaves no room for ".new" or a time stamp.
    const std::string name = std::string(251, 'n') + ".mp3";
    const Bytes audio = Audio(900);
    const std::string file = put(Tag(TextFrame("TIT2", "old"), 20) + audio, name.c_str());
    auto tag = NewTag();
    ASSERT_EQ(tag->SetFrameValue(eTitle, "new"), 0);
    ASSERT_EQ(tag->WriteTag(file), 0) << tag->LastError().description;
    EXPECT_EQ(AfterTag(ReadFile(file)), audio);
    ASSERT_EQ(tag->ReadTag(file), 0);
    EXPECT_EQ(Get(*tag, eTitle), "new");
    ASSERT_EQ(tag->RemoveTag(file), 0) << tag->LastError().description;
    EXPECT_EQ(ReadFile(file), audio);
    EXPECT_EQ(entries(), QStringList{QString::fromStdString(name)});
}

TEST_F(FileSafety, LargeFilesAreMeasuredIn64Bits) {
    const std::string file = put(Tag(TextFrame("TIT2", "big"), 30));
    const int fd = ::open(file.c_str(), O_WRONLY);
    ASSERT_GE(fd, 0);
    const bool sparse = ::ftruncate(fd, off_t(5) << 30) == 0;  // 5 GB, holes after the tag
    ::close(fd);
    if (!sparse) GTEST_SKIP() << "no sparse files here";
    auto tag = NewTag();
    ASSERT_EQ(tag->ReadTag(file), 0);
    EXPECT_EQ(Get(*tag, eTitle), "big");
}

TEST_F(FileSafety, AWriteThatFailsHalfwayLeavesTheFileAsItWas) {
    const Bytes original = Tag(TextFrame("TIT2", "old"), 20) + Audio(256 * 1024);
    const std::string file = put(original);
    auto tag = NewTag();
    ASSERT_EQ(tag->SetFrameValue(eTitle, "new"), 0);
    // No file may grow beyond 64 KiB: the new file fails while it is written.
    struct rlimit old {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 64 * 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const Status got = tag->WriteTag(file);
    const Status gotRemove = tag->RemoveTag(file);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(got, 61) << tag->LastError().description;  // "Disk full"
    EXPECT_EQ(gotRemove, 61);
    EXPECT_EQ(ReadFile(file), original);
    EXPECT_EQ(entries(), QStringList{"song.mp3"}) << "no temporary file is left";
}

}  // namespace
