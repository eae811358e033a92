#include "scanning/engine/ScanRecord.h"

#include <gtest/gtest.h>

namespace {
ScanRecord FullRecord() {
    ScanRecord r;
    r.FolderListEntry = {"/music/album", "01 - Song.mp3"};
    r.FileDetails = {"R", "01/02/2003 04:05:06", "02/02/2003 04:05:06", "03/02/2003 04:05:06"};
    r.ID3v1Tag = ID3v1Tag{"t1", "a1", 7, "b1", "2003", "c1", 147};
    r.ID3v2Tag = ID3v2Tag{"t2", "a2", "3/12", "b2", "2004", "c2", "(17)", "k2", "o2", "r2", "http://u2", "e2"};
    MPEGInfo& m = r.MPEGInfo;
    m.FileSize = 3000000000LL;
    m.HeaderPosition = 4096;
    m.LengthMs = -1;
    m.Version = 25;
    m.Layer = 3;
    m.Bitrate = 32;
    m.Padding = 1;
    m.FrameLength = 209;
    m.FrameCount = 123456789012LL;
    m.SampleRate = 11025;
    m.ChannelMode = "Mono";
    m.Private = "Yes";
    m.CRCs = "No";
    m.Copyrighted = "Yes";
    m.Original = "No";
    m.Emphasis = "CCITT J.17";
    m.Channels = 1;
    return r;
}

QStringList ToList(const ScanRowTexts& texts) { return QStringList(texts.begin(), texts.end()); }
}  // namespace

TEST(ScanRecord, RecordToFortyTexts) {
    const QStringList expected = {
        "01 - Song.mp3", "/music/album", "t1", "a1", "7", "b1", "2003", "c1", "Synthpop",
        "t2", "a2", "3/12", "b2", "2004", "c2", "(17)", "k2", "o2", "r2", "http://u2", "e2",
        "3000000000", "4096", "-1", "25", "3", "32", "123456789012", "11025",
        "Mono", "Yes", "No", "Yes", "No", "CCITT J.17", "1",
        "R", "01/02/2003 04:05:06", "02/02/2003 04:05:06", "03/02/2003 04:05:06"};
    EXPECT_EQ(ToList(ScanRecordTexts(FullRecord())), expected);
}

TEST(ScanRecord, EmptyTagsAndMissingHeaderCells) {
    ScanRecord r;  // a fresh record: no ID3v1 tag (track 0, genre 255), nothing else
    r.FolderListEntry = {"/m", "x.mp3"};
    r.MPEGInfo.FileSize = 500;
    r.MPEGInfo.HeaderPosition = 500;
    const ScanRowTexts t = ScanRecordTexts(r);
    for (int c = ScanColumn::ID3v1Title; c <= ScanColumn::ID3v2EncodedBy; ++c) EXPECT_EQ(t[size_t(c)], "") << c;
    EXPECT_EQ(t[ScanColumn::Size], "500");
    EXPECT_EQ(t[ScanColumn::HeaderFoundAt], "500");
    for (int c : {ScanColumn::LengthMs, ScanColumn::MPEGVersion, ScanColumn::LayerVersion, ScanColumn::BitRate,
                  ScanColumn::Frames, ScanColumn::Frequency, ScanColumn::Channels})
        EXPECT_EQ(t[size_t(c)], "0") << c;
    for (int c = ScanColumn::Mode; c <= ScanColumn::Emphasis; ++c) EXPECT_EQ(t[size_t(c)], "") << c;

    // Genre bytes outside the table show empty; the last entry shows its name.
    for (int genre : {148, 200, 254, 255}) {
        r.ID3v1Tag.Genre = uint8_t(genre);
        EXPECT_EQ(ScanRecordTexts(r)[ScanColumn::ID3v1Genre], "") << genre;
    }
    r.ID3v1Tag.Genre = 0;
    EXPECT_EQ(ScanRecordTexts(r)[ScanColumn::ID3v1Genre], "Blues");
}

TEST(ScanRecord, RowTextsBackToRecord) {
    ScanRecord original = FullRecord();
    original.MPEGInfo.Padding = 0;  // no column: not carried by a row
    original.MPEGInfo.FrameLength = 0;
    const ScanRecord back = ScanRecordFromTexts(ToList(ScanRecordTexts(original)));
    EXPECT_EQ(ToList(ScanRecordTexts(back)), ToList(ScanRecordTexts(original)));
    EXPECT_EQ(int(back.ID3v1Tag.Track), 7);
    EXPECT_EQ(int(back.ID3v1Tag.Genre), 147);
    EXPECT_EQ(back.MPEGInfo.FileSize, 3000000000LL);
    EXPECT_EQ(back.MPEGInfo.FrameCount, 123456789012LL);
    EXPECT_EQ(back.MPEGInfo.Padding, 0);

    // A short row (an old list file): missing cells are empty, numbers 0.
    const ScanRecord partial = ScanRecordFromTexts({"a.mp3", "/m", "Title", "", "", "", "", "", "Rock"});
    EXPECT_EQ(partial.ID3v1Tag.Title, "Title");
    EXPECT_EQ(int(partial.ID3v1Tag.Genre), 17);
    EXPECT_EQ(int(partial.ID3v1Tag.Track), 0);
    EXPECT_EQ(partial.MPEGInfo.FileSize, 0);
    EXPECT_EQ(partial.FileDetails.Accessed, "");
}

TEST(ScanRecord, CaptionsAndPaths) {
    const auto& captions = ScanColumnCaptions();
    EXPECT_EQ(captions[0], "File Name");
    EXPECT_EQ(captions[1], "Folder");
    EXPECT_EQ(captions[8], "ID3v1 Genre");
    EXPECT_EQ(captions[17], "ID3v2 Orig. Artist");
    EXPECT_EQ(captions[20], "ID3v2 Encoded by");
    EXPECT_EQ(captions[23], "Length (ms)");
    EXPECT_EQ(captions[31], "CRC's");
    EXPECT_EQ(captions[39], "Accessed");

    EXPECT_EQ(JoinFolderFile("/music/a", "x.mp3"), "/music/a/x.mp3");
    EXPECT_EQ(JoinFolderFile("/music/a/", "x.mp3"), "/music/a/x.mp3");
    EXPECT_EQ(JoinFolderFile("/music/a//", "x.mp3"), "/music/a/x.mp3");
    EXPECT_EQ(JoinFolderFile("/", "x.mp3"), "/x.mp3");
    EXPECT_EQ(JoinFolderFile("", "x.mp3"), "x.mp3");
}
