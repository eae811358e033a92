// ID3v2 access through the one tag object: reading into the record, the
// include filters, writing (compare first, frame order, frames kept), removal,
// and how failures reach the user.

#include "ScanJobSupport.h"
#include "scanning/engine/ID3v2TagInfo.h"
#include "support/ScriptedUi.h"

#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

class ID3v2TagInfoTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (LameAudio().isEmpty()) GTEST_SKIP() << "lame is not installed";
    }
    ID3v2Tag read(const QString& path, bool* hasTag = nullptr) {
        ID3v2Tag tag;
        bool has = false, filtered = false;
        EXPECT_TRUE(ReadID3v2TagInfo(path, tag, has, filtered, nullptr));
        if (hasTag) *hasTag = has;
        return tag;
    }
    ScanOptions options;
    ScriptedUi ui;
    MusicFolder music;
};

TEST_F(ID3v2TagInfoTest, WriteToAnUntaggedFileMakesAllTwelveFramesInOrder) {
    const QString path = music.mp3(QStringLiteral("a.mp3"));
    bool has = true;
    const ID3v2Tag before = read(path, &has);
    EXPECT_FALSE(has);
    EXPECT_TRUE(CompareID3v2(before, ID3v2Tag()));

    ID3v2Tag tag = SampleID3v2();
    tag.Composer.clear();  // an empty field is written like any other
    ASSERT_TRUE(WriteID3v2TagInfo(path, tag, false));
    const QByteArray bytes = ReadBytes(path);
    EXPECT_EQ(FrameIDs(bytes), (QList<QByteArray>{"TRCK", "TIT2", "TPE1", "TALB", "TYER", "COMM", "TCON", "TCOM",
                                                   "TOPE", "TCOP", "WXXX", "TENC"}));
    EXPECT_TRUE(bytes.endsWith(LameAudio().right(4096)));
    EXPECT_TRUE(CompareID3v2(read(path, &has), tag));
    EXPECT_TRUE(has);
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(ID3v2TagInfoTest, EqualRecordWritesNothingAndCaseCounts) {
    const ID3v2Tag tag = SampleID3v2();
    const QString path = music.mp3(QStringLiteral("a.mp3"), nullptr, &tag);
    const QByteArray before = ReadBytes(path);
    const QDateTime modified = QFileInfo(path).lastModified();
    EXPECT_FALSE(WriteID3v2TagInfo(path, tag, false));
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(QFileInfo(path).lastModified(), modified);

    ID3v2Tag other = tag;
    other.Title = tag.Title.toUpper();
    EXPECT_FALSE(CompareID3v2(tag, other));
    EXPECT_TRUE(WriteID3v2TagInfo(path, other, false));
    EXPECT_EQ(read(path).Title, other.Title);
}

TEST_F(ID3v2TagInfoTest, FramesNoFieldReplacesGoBackUnchanged) {
    const QByteArray tag = ID3v23Tag({{"COMM", CommentBody("", "first")},
                                      {"COMM", CommentBody("other", "second comment")},
                                      {"TIT2", TextBody("Old Title")}},
                                     64);
    const QString path = music.write(QStringLiteral("two-comments.mp3"), tag + LameAudio());
    const ID3v2Tag before = read(path);
    EXPECT_EQ(before.Comment, QStringLiteral("first"));
    EXPECT_EQ(before.Title, QStringLiteral("Old Title"));

    ID3v2Tag changed = before;
    changed.Comment = QStringLiteral("changed");
    ASSERT_TRUE(WriteID3v2TagInfo(path, changed, false));
    const QByteArray after = ReadBytes(path);
    EXPECT_EQ(FrameIDs(after).count("COMM"), 2);
    EXPECT_TRUE(after.contains("second comment"));
    EXPECT_EQ(read(path).Comment, QStringLiteral("changed"));
}

TEST_F(ID3v2TagInfoTest, FilteredFlagFollowsTheIncludeOptions) {
    const ID3v2Tag sample = SampleID3v2();
    const QString tagged = music.mp3(QStringLiteral("tagged.mp3"), nullptr, &sample);
    const QString untagged = music.mp3(QStringLiteral("untagged.mp3"));
    struct Case {
        bool withTag, withoutTag;
        bool taggedFiltered, untaggedFiltered;
    };
    for (const Case& c : {Case{true, true, false, false}, Case{false, true, true, false},
                          Case{true, false, false, true}, Case{false, false, true, true}}) {
        SCOPED_TRACE(::testing::Message() << c.withTag << c.withoutTag);
        ScanningCentreOptions filters = FirstRunScanOptions();
        filters.blnIncFilesWithID3v2 = c.withTag;
        filters.blnIncFilesWithoutID3v2 = c.withoutTag;
        for (const auto& [path, expected] : {std::pair{tagged, c.taggedFiltered}, {untagged, c.untaggedFiltered}}) {
            ID3v2Tag tag;
            bool has = false, filtered = false;
            ASSERT_TRUE(ReadID3v2TagInfo(path, tag, has, filtered, &filters));
            EXPECT_EQ(filtered, expected);
            // The flag is only ever set by the read, never cleared.
            filtered = true;
            ASSERT_TRUE(ReadID3v2TagInfo(path, tag, has, filtered, &filters));
            EXPECT_TRUE(filtered);
        }
    }
}

TEST_F(ID3v2TagInfoTest, MissingFileIsLeftAlone) {
    const QString path = music.file(QStringLiteral("missing.mp3"));
    ID3v2Tag tag = SampleID3v2();
    bool has = true, filtered = false;
    ScanningCentreOptions filters = FirstRunScanOptions();
    filters.blnIncFilesWithoutID3v2 = false;
    EXPECT_TRUE(ReadID3v2TagInfo(path, tag, has, filtered, &filters));
    EXPECT_TRUE(CompareID3v2(tag, SampleID3v2()));
    EXPECT_TRUE(has);
    EXPECT_FALSE(filtered);
    EXPECT_FALSE(WriteID3v2TagInfo(path, tag, false));
    ClearID3v2Tag(path, false);
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(ID3v2TagInfoTest, ReadOnlyFileFollowsTheWriteReadOnlyPreference) {
    const ID3v2Tag sample = SampleID3v2();
    const QString path = music.mp3(QStringLiteral("ro.mp3"), nullptr, &sample);
    SetMode(path, 0444);
    const QByteArray before = ReadBytes(path);
    ID3v2Tag changed = sample;
    changed.Artist = QStringLiteral("Someone Else");

    EXPECT_FALSE(WriteID3v2TagInfo(path, changed, false));
    EXPECT_EQ(ReadBytes(path), before);
    ClearID3v2Tag(path, false);
    EXPECT_EQ(ReadBytes(path), before);
    ASSERT_EQ(ui.shown.size(), 2u);
    for (const ShownBox& box : ui.shown) {
        EXPECT_EQ(box.title, QStringLiteral("Path/File Access Error"));
        EXPECT_TRUE(box.prompt.endsWith(QStringLiteral(". The file may be read-only.")));
        EXPECT_EQ(box.style, Mb::OKOnly | Mb::Exclamation);
    }
    EXPECT_EQ(ui.shown[0].prompt,
              QStringLiteral("ro.mp3\r\n\r\nCannot modify ID3v2 Tag. Path/File access error. The file may be read-only."));
    EXPECT_EQ(ui.shown[1].prompt,
              QStringLiteral("ro.mp3\r\n\r\nCannot clear ID3v2 Tag. Path/File access error. The file may be read-only."));

    EXPECT_TRUE(WriteID3v2TagInfo(path, changed, true));
    EXPECT_EQ(read(path).Artist, changed.Artist);
    EXPECT_TRUE(QFileInfo(path).permissions() & QFileDevice::WriteOwner);
    EXPECT_EQ(ui.shown.size(), 2u);
}

TEST_F(ID3v2TagInfoTest, TheCallersOptionsCountNotTheProgramWideRecords) {
    // The program-wide records say the opposite of what the caller hands over.
    Options().ScanningCentre.blnIncFilesWithID3v2 = Options().ScanningCentre.blnIncFilesWithoutID3v2 = false;
    Options().Preferences.blnWriteReadOnly = true;
    const ID3v2Tag sample = SampleID3v2();
    const QString tagged = music.mp3(QStringLiteral("tagged.mp3"), nullptr, &sample);
    const QString untagged = music.mp3(QStringLiteral("untagged.mp3"));
    const ScanningCentreOptions include = FirstRunScanOptions();
    for (const QString& path : {tagged, untagged}) {
        SCOPED_TRACE(path.toStdString());
        for (const ScanningCentreOptions* filters : {&include, static_cast<const ScanningCentreOptions*>(nullptr)}) {
            ID3v2Tag tag;
            bool has = false, filtered = false;
            ASSERT_TRUE(ReadID3v2TagInfo(path, tag, has, filtered, filters));
            EXPECT_EQ(has, path == tagged);
            EXPECT_FALSE(filtered);
        }
    }

    SetMode(tagged, 0444);
    const QByteArray before = ReadBytes(tagged);
    ID3v2Tag changed = sample;
    changed.Artist = QStringLiteral("Someone Else");
    EXPECT_FALSE(WriteID3v2TagInfo(tagged, changed, false));
    ClearID3v2Tag(tagged, false);
    EXPECT_EQ(ReadBytes(tagged), before);
    EXPECT_EQ(ModeOf(tagged) & 0777, 0444u);
    EXPECT_EQ(ui.shown.size(), 2u);
}

TEST_F(ID3v2TagInfoTest, ClearRemovesTheTagAndKeepsTheAudio) {
    const ID3v2Tag sample = SampleID3v2();
    const QString path = music.mp3(QStringLiteral("a.mp3"), nullptr, &sample);
    ClearID3v2Tag(path, false);
    EXPECT_EQ(ReadBytes(path), LameAudio());
    bool has = true;
    read(path, &has);
    EXPECT_FALSE(has);
}

TEST_F(ID3v2TagInfoTest, EmptyTagObjectIsErrorNinetyOneUpTheTrail) {
    const QString path = music.mp3(QStringLiteral("a.mp3"));
    ID3v2TagObject kept = std::move(gobjID3v2Tag);
    ID3v2Tag tag;
    bool has = false, filtered = false;
    try {
        ReadID3v2TagInfo(path, tag, has, filtered, nullptr);
        ADD_FAILURE() << "no error";
    } catch (const SvError& e) {
        EXPECT_EQ(e.number(), ErrNo::ObjectNotSet);
        EXPECT_TRUE(e.description().endsWith(QStringLiteral("|ReadID3v2TagInfo;") + path + QStringLiteral(";False;False")));
    }
    EXPECT_THROW(WriteID3v2TagInfo(path, SampleID3v2(), false), SvError);
    EXPECT_THROW(ClearID3v2Tag(path, false), SvError);
    gobjID3v2Tag = std::move(kept);
    EXPECT_TRUE(ui.shown.empty());  // no warning: the caller's critical box shows it
}

TEST(TagObjectLifetime, CreateAndRelease) {
    ID3v2TagObject kept = std::move(gobjID3v2Tag);
    InitialiseQuillmarkClass();
    EXPECT_TRUE(gobjID3v2Tag.isSet());
    TerminateID3v2Class();
    EXPECT_FALSE(gobjID3v2Tag.isSet());
    gobjID3v2Tag = std::move(kept);
}

}  // namespace
