#include "ScanTestSupport.h"
#include "scanning/engine/ID3v1.h"
#include "support/ScriptedUi.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

namespace {
// A tag block from field bytes; each field is padded with `pad`.
QByteArray Block(const QByteArray& title, const QByteArray& artist, const QByteArray& album, const QByteArray& year,
                 const QByteArray& comment, int genre, char pad = '\0') {
    QByteArray b = "TAG";
    b += title.leftJustified(30, pad, true);
    b += artist.leftJustified(30, pad, true);
    b += album.leftJustified(30, pad, true);
    b += year.leftJustified(4, pad, true);
    b += comment.leftJustified(30, pad, true);
    b += char(genre);
    return b;
}

QByteArray Audio(int size) {
    QByteArray a(size, '\0');
    for (int i = 0; i < size; ++i) a[i] = char(i * 7 + 1);
    return a;
}

ID3v1Tag Tag(const QString& title, const QString& artist, int track, const QString& album, const QString& year,
             const QString& comment, int genre) {
    ID3v1Tag t;
    t.Title = title;
    t.Artist = artist;
    t.Track = uint8_t(track);
    t.Album = album;
    t.Year = year;
    t.Comment = comment;
    t.Genre = uint8_t(genre);
    return t;
}

void ExpectTag(const ID3v1Tag& actual, const ID3v1Tag& expected) {
    EXPECT_EQ(actual.Title, expected.Title);
    EXPECT_EQ(actual.Artist, expected.Artist);
    EXPECT_EQ(int(actual.Track), int(expected.Track));
    EXPECT_EQ(actual.Album, expected.Album);
    EXPECT_EQ(actual.Year, expected.Year);
    EXPECT_EQ(actual.Comment, expected.Comment);
    EXPECT_EQ(int(actual.Genre), int(expected.Genre));
}
}  // namespace

TEST(ID3v1, TagBlocksDecode) {
    QByteArray v11 = Block("Title", "Artist", "Album", "1999", "Comment", 17);
    v11[125] = 0;
    v11[126] = 5;
    QByteArray v11NoTrack = v11;
    v11NoTrack[126] = 0;
    QByteArray fullComment = Block("T", "A", "B", "2001", "123456789012345678901234567890", 147, ' ');
    QByteArray trackByteNoMarker = Block("T", "A", "B", "2001", "", 0, ' ');
    trackByteNoMarker[126] = 'X';  // byte 125 is a blank: no track, 126 is comment
    const QByteArray cutAtZero = Block(QByteArray("Left\0Right", 10), "  padded  ", "", "", "", 255);
    const QByteArray ansi = Block("Caf\xe9 \x80 \x93quoted\x94", "", "", "", "", 200);

    const struct {
        const char* what;
        QByteArray block;
        ID3v1Tag expected;
    } cases[] = {
        {"ID3v1.1 with track 5", v11, Tag("Title", "Artist", 5, "Album", "1999", "Comment", 17)},
        {"ID3v1.1 marker with track 0", v11NoTrack, Tag("Title", "Artist", 0, "Album", "1999", "Comment", 17)},
        {"ID3v1 30-character comment", fullComment,
         Tag("T", "A", 0, "B", "2001", "123456789012345678901234567890", 147)},
        {"blank at 125 is no track marker", trackByteNoMarker, Tag("T", "A", 0, "B", "2001", "X", 0)},
        {"cut at the first zero, blanks trimmed", cutAtZero, Tag("Left", "padded", 0, "", "", "", 255)},
        {"Windows-1252 text", ansi,
         Tag(QString::fromUtf8("Café € “quoted”"), "", 0, "", "", "", 200)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(c.block.size(), 128);
        ExpectTag(ParseID3v1Block(reinterpret_cast<const uint8_t*>(c.block.constData())), c.expected);
    }
}

TEST(ID3v1, ReadingFilesAndTheIncludeFlags) {
    ScriptedUi ui;
    ScanTempDir dir;
    const QByteArray tag = Block("Song", "Band", "Record", "2003", "Nice", 17);
    const QString tagged = dir.write("tagged.mp3", Audio(1000) + tag);
    const QString untagged = dir.write("plain.mp3", Audio(1000));
    const QString onlyTag = dir.write("only.mp3", tag);  // exactly 128 bytes
    QByteArray lower = tag;
    lower.replace(0, 3, "tag");
    const QString lowerCase = dir.write("lower.mp3", Audio(200) + lower);

    const struct {
        QString path;
        bool hasTag;
    } files[] = {{tagged, true}, {untagged, false}, {onlyTag, false}, {lowerCase, false}};
    // withV1, withoutV1 -> whether a tagged / an untagged file is flagged.
    const bool options[4][2] = {{true, true}, {false, true}, {true, false}, {false, false}};
    for (const auto& f : files) {
        for (const auto& o : options) {
            SCOPED_TRACE(f.path.toStdString() + " with=" + std::to_string(o[0]) + " without=" + std::to_string(o[1]));
            const IncludeOptions include(o[0], o[1]);
            ID3v1Tag read = Tag("old", "old", 3, "old", "old", "old", 1);
            bool hasTag = false, filtered = false;
            ASSERT_TRUE(ReadID3v1TagInfo(f.path, read, hasTag, filtered, &include));
            EXPECT_EQ(hasTag, f.hasTag);
            EXPECT_EQ(filtered, f.hasTag ? !o[0] : !o[1]);
            if (f.hasTag)
                ExpectTag(read, Tag("Song", "Band", 0, "Record", "2003", "Nice", 17));
            else
                ExpectTag(read, ID3v1Tag());
            // The flags are only ever set.
            bool hasTagIn = true, filteredIn = true;
            ASSERT_TRUE(ReadID3v1TagInfo(f.path, read, hasTagIn, filteredIn, &include));
            EXPECT_TRUE(hasTagIn);
            EXPECT_TRUE(filteredIn);
        }
    }

    const IncludeOptions include;
    ID3v1Tag untouched = Tag("keep", "", 1, "", "", "", 2);
    bool hasTag = false, filtered = false;
    EXPECT_TRUE(ReadID3v1TagInfo(dir.file("missing.mp3"), untouched, hasTag, filtered, &include));
    ExpectTag(untouched, Tag("keep", "", 1, "", "", "", 2));
    EXPECT_FALSE(hasTag);
    EXPECT_TRUE(ui.shown.empty());
}

TEST(ID3v1, WritingAppendsOrOverwritesTheTagInPlace) {
    ScriptedUi ui;
    ScanTempDir dir;
    const QByteArray audio = Audio(5000);

    // A new tag is appended; the audio before it stays byte for byte.
    const QString path = dir.write("new.mp3", audio);
    const ID3v1Tag tag = Tag("A title that is longer than thirty", "Artist", 7, "Album", "99", "Comment", 17);
    ASSERT_TRUE(WriteID3v1TagInfo(path, tag, false));
    QByteArray file = ReadBytes(path);
    ASSERT_EQ(file.size(), 5128);
    EXPECT_EQ(file.left(5000), audio);
    QByteArray expected = Block("A title that is longer than th", "Artist", "Album", "99", "Comment", 17, ' ');
    expected[125] = 0;
    expected[126] = 7;
    EXPECT_EQ(file.mid(5000), expected);

    // Track 0 over an ID3v1.1 tag: the comment runs to byte 126 again.
    ASSERT_TRUE(WriteID3v1TagInfo(path, Tag("T", "A", 0, "B", "2004", "C", 255), false));
    file = ReadBytes(path);
    ASSERT_EQ(file.size(), 5128);
    EXPECT_EQ(file.mid(5000), Block("T", "A", "B", "2004", "C", 255, ' '));
    bool hasTag = false, filtered = false;
    ID3v1Tag back;
    ASSERT_TRUE(ReadID3v1TagInfo(path, back, hasTag, filtered, nullptr));
    ExpectTag(back, Tag("T", "A", 0, "B", "2004", "C", 255));

    // Characters outside Windows-1252 become "?".
    ASSERT_TRUE(WriteID3v1TagInfo(path, Tag(QString::fromUtf8("€uro ✓"), "", 0, "", "", "", 0), false));
    EXPECT_EQ(ReadBytes(path).mid(5003, 6), QByteArray("\x80uro ?"));
    EXPECT_TRUE(ui.shown.empty());
}

TEST(ID3v1, WriteRefusals) {
    ScriptedUi ui;
    ScanTempDir dir;

    // An equal tag is not written: the file and its time stay.
    const QString same = dir.write("same.mp3", Audio(300) + Block("T", "A", "B", "2000", "C", 3, ' '));
    struct utimbuf old {1000000000, 1000000000};
    ASSERT_EQ(::utime(QFile::encodeName(same).constData(), &old), 0);
    EXPECT_FALSE(WriteID3v1TagInfo(same, Tag("T", "A", 0, "B", "2000", "C", 3), false));
    struct stat st {};
    ::stat(QFile::encodeName(same).constData(), &st);
    EXPECT_EQ(st.st_mtime, 1000000000);

    // Too short to hold a tag behind audio: nothing written, and no success.
    const QByteArray shortBytes = Block("Only", "Tag", "", "", "", 1);
    const QString tiny = dir.write("tiny.mp3", shortBytes);
    EXPECT_FALSE(WriteID3v1TagInfo(tiny, Tag("New", "", 0, "", "", "", 1), false));
    EXPECT_EQ(ReadBytes(tiny), shortBytes);
    const QString empty = dir.write("empty.mp3", QByteArray());
    EXPECT_FALSE(WriteID3v1TagInfo(empty, Tag("New", "", 0, "", "", "", 1), false));
    EXPECT_EQ(FileSizeOf(empty), 0);

    EXPECT_FALSE(WriteID3v1TagInfo(dir.file("missing.mp3"), Tag("New", "", 0, "", "", "", 1), false));
    EXPECT_TRUE(ui.shown.empty());
}

TEST(ID3v1, ReadOnlyFiles) {
    ScriptedUi ui;
    ScanTempDir dir;
    const QByteArray original = Audio(400) + Block("T", "A", "B", "2000", "C", 3, ' ');

    // Without the preference the write fails with the read-only warning.
    const QString locked = dir.write("locked.mp3", original);
    SetMode(locked, 0444);
    bool written = true;
    {
        WithoutFileRights unprivileged;
        written = WriteID3v1TagInfo(locked, Tag("New", "", 0, "", "", "", 1), false);
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadBytes(locked), original);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].title, "Path/File Access Error");
    EXPECT_EQ(ui.shown[0].style, Mb::OKOnly | Mb::Exclamation);
    EXPECT_EQ(ui.shown[0].prompt,
              "locked.mp3\r\n\r\nCannot modify ID3v1 Tag. Path/File access error. The file may be read-only.");

    // With it, the owner gets write permission back and the tag is written.
    const QString forced = dir.write("forced.mp3", original);
    SetMode(forced, 0444);
    EXPECT_TRUE(WriteID3v1TagInfo(forced, Tag("New", "", 0, "", "", "", 1), true));
    EXPECT_TRUE(ModeOf(forced) & 0200);
    ID3v1Tag back;
    bool hasTag = false, filtered = false;
    ReadID3v1TagInfo(forced, back, hasTag, filtered, nullptr);
    EXPECT_EQ(back.Title, "New");

    // An unreadable file: the read reports it and says so.
    const QString secret = dir.write("secret.mp3", original);
    SetMode(secret, 0);
    ui.shown.clear();
    bool read = true;
    {
        WithoutFileRights unprivileged;
        read = ReadID3v1TagInfo(secret, back, hasTag, filtered, nullptr);
    }
    EXPECT_FALSE(read);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].title, "Permission Denied");
    EXPECT_EQ(ui.shown[0].prompt,
              "secret.mp3\r\n\r\nCannot read ID3v1 Tag. Permission denied. The file may be locked by another process.");
}

TEST(ID3v1, ClearingBlanksTheMarkerOnly) {
    ScriptedUi ui;
    ScanTempDir dir;
    const QByteArray block = Block("T", "A", "B", "2000", "C", 3, ' ');
    const QString path = dir.write("c.mp3", Audio(300) + block);
    ClearID3v1Tag(path, false);
    const QByteArray file = ReadBytes(path);
    ASSERT_EQ(file.size(), 428);
    EXPECT_EQ(file.mid(300, 3), "   ");
    EXPECT_EQ(file.mid(303), block.mid(3));
    ID3v1Tag back;
    bool hasTag = false, filtered = false;
    ASSERT_TRUE(ReadID3v1TagInfo(path, back, hasTag, filtered, nullptr));
    EXPECT_FALSE(hasTag);

    // No tag, or no file: nothing happens, not even on a read-only file.
    const QString plain = dir.write("p.mp3", Audio(300));
    SetMode(plain, 0444);
    {
        WithoutFileRights unprivileged;
        ClearID3v1Tag(plain, false);
        ClearID3v1Tag(dir.file("missing.mp3"), false);
    }
    EXPECT_EQ(ReadBytes(plain), Audio(300));
    EXPECT_TRUE(ui.shown.empty());
}

TEST(ID3v1, TheCallersOptionsCountNotTheProgramWideRecords) {
    ScriptedUi ui;
    ScanTempDir dir;
    // The program-wide records say the opposite of what the caller hands over.
    ScopedOptions global;
    Options().ScanningCentre.blnIncFilesWithID3v1 = Options().ScanningCentre.blnIncFilesWithoutID3v1 = false;
    Options().Preferences.blnWriteReadOnly = true;
    const QByteArray original = Audio(400) + Block("T", "A", "B", "2000", "C", 3, ' ');
    const QString tagged = dir.write("tagged.mp3", original);
    const QString plain = dir.write("plain.mp3", Audio(400));

    const IncludeOptions include;
    for (const QString& path : {tagged, plain}) {
        SCOPED_TRACE(path.toStdString());
        for (const ScanningCentreOptions* filters : {static_cast<const ScanningCentreOptions*>(&include),
                                                     static_cast<const ScanningCentreOptions*>(nullptr)}) {
            ID3v1Tag tag;
            bool hasTag = false, filtered = false;
            ASSERT_TRUE(ReadID3v1TagInfo(path, tag, hasTag, filtered, filters));
            EXPECT_EQ(hasTag, path == tagged);
            EXPECT_FALSE(filtered);
        }
    }

    // Writes and clears leave a read-only file alone unless the caller allows it.
    SetMode(tagged, 0444);
    {
        WithoutFileRights unprivileged;
        EXPECT_FALSE(WriteID3v1TagInfo(tagged, Tag("New", "", 0, "", "", "", 1), false));
        ClearID3v1Tag(tagged, false);
    }
    EXPECT_EQ(ReadBytes(tagged), original);
    EXPECT_EQ(ModeOf(tagged) & 0777, 0444u);
    EXPECT_EQ(ui.shown.size(), 2u);
}

TEST(ID3v1, TrackTextToByte) {
    const struct {
        const char* text;
        int track;
    } cases[] = {
        {"7", 7},      {"3/12", 3},  {"", 0},     {"300", 0},  {"255", 255}, {"256", 0}, {"  12", 12},
        {"04", 4},     {"2.5", 2},   {"3.5", 4},  {"abc", 0},  {"1e2", 100}, {"-3", 0},  {"-0.4", 0},
        {"255.4", 0},  {"+9", 9},    {"&H10", 16}, {"1 2", 12},
    };
    for (const auto& c : cases) EXPECT_EQ(int(GetID3v1Track(QString::fromUtf8(c.text))), c.track) << c.text;
}

TEST(ID3v1, CompareIsExact) {
    const ID3v1Tag a = Tag("T", "A", 1, "B", "2000", "C", 3);
    EXPECT_TRUE(CompareID3v1(a, a));
    ID3v1Tag b = a;
    b.Title = "t";
    EXPECT_FALSE(CompareID3v1(a, b));
    b = a;
    b.Track = 2;
    EXPECT_FALSE(CompareID3v1(a, b));
    b = a;
    b.Genre = 255;
    EXPECT_FALSE(CompareID3v1(a, b));
    b = a;
    b.Comment = "C ";
    EXPECT_FALSE(CompareID3v1(a, b));
}
