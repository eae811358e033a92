#include "RipperTestSupport.h"

#include "foundation/ResourceStrings.h"
#include "ripper/CueSheet.h"
#include "support/QtPrinters.h"
#include "support/ScopedEnvironment.h"

#include <QFile>

namespace {

// A BIN file of `frames` silent frames.
void WriteBin(const QString& path, int frames) {
    QFile bin(path);
    ASSERT_TRUE(bin.open(QIODevice::WriteOnly | QIODevice::Truncate));
    bin.write(QByteArray(qsizetype(frames) * kCdFrameBytes, '\0'));
}

// `tracks` audio tracks of 10 frames each in one BIN file.
QByteArray SheetOfTracks(int tracks) {
    QByteArray cue = "FILE \"disc.bin\" BINARY\n";
    for (int t = 1; t <= tracks; ++t) {
        const int frame = (t - 1) * 10;
        cue += QStringLiteral("  TRACK %1 AUDIO\n    INDEX 01 %2:%3:%4\n")
                   .arg(t, 2, 10, QLatin1Char('0'))
                   .arg(frame / 4500, 2, 10, QLatin1Char('0'))
                   .arg(frame / 75 % 60, 2, 10, QLatin1Char('0'))
                   .arg(frame % 75, 2, 10, QLatin1Char('0'))
                   .toLatin1();
    }
    return cue;
}

const QByteArray kHead = "FILE \"disc.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n";

}  // namespace

// Every sheet the check lets through is one libcdio reads as it describes.
TEST_F(RipperTest, WellFormedSheetsPassAndOpenWithTheirTracks) {
    const struct {
        const char* name;
        QByteArray text;
        size_t tracks;
    } cases[] = {
        {"the test disc's own sheet", ReadBytes(image.cuePath), 3},
        {"every command in its place, LF ends, tabs",
         "REM GENRE Rock\nREM DATE 2001\nCATALOG 0123456789012\nPERFORMER \"The Band\"\nTITLE \"An Album\"\n"
         "FILE \"my disc (2001).bin\" BINARY\n\tTRACK 01 AUDIO\n\t\tTITLE \"One, Two\"\n\t\tPERFORMER Solo\n"
         "\t\tSONGWRITER \"\"\n\t\tISRC GBAYE0000351\n\t\tFLAGS DCP PRE\n\t\tINDEX 01 00:00:00\n"
         "\tTRACK 02 AUDIO\n\t\tPREGAP 00:02:00\n\t\tINDEX 00 00:01:00\n\t\tINDEX 01 00:02:00\n"
         "\t\tINDEX 02 00:03:00\n\tTRACK 03 MODE1/2352\n\t\tINDEX 01 00:03:10\n\n\n",
         3},
        {"bare words and short numbers", "FILE disc.bin BINARY\r\nTITLE Word\r\nTRACK 1 AUDIO\r\nINDEX 1 0:0:0", 1},
        {"the most tracks a CD holds", SheetOfTracks(99), 99},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CueCheck check = CheckCueSheetText(c.text);
        EXPECT_TRUE(check.Ok()) << int(check.problem) << " at " << check.line;
        const QString cue = WriteFile(home.file("good"), QStringLiteral("sheet.cue"), c.text);
        WriteBin(home.file("good/sheet.bin"), 1000);
        EXPECT_TRUE(CheckCueSheetFile(cue).Ok());
        int32_t error = 1;
        auto drive = CdDrive::Open(cue, error);
        ASSERT_TRUE(drive);
        CdTableOfContents toc;
        ASSERT_TRUE(drive->ReadToc(toc));
        EXPECT_EQ(toc.tracks.size(), c.tracks);
    }
}

TEST(CueSheetTest, MalformedSheetsAreRefusedWithTheLineAtFault) {
    const QByteArray track2 = "  TRACK 02 AUDIO\n    INDEX 01 00:01:00\n";
    const struct {
        const char* name;
        QByteArray text;
        CueProblem problem;
        int line;
    } cases[] = {
        {"a control byte", "FILE \"disc.bin\" BINA\x01RY\n", CueProblem::NotText, 1},
        {"a NUL byte", kHead + QByteArray("REM a\0b\n", 8), CueProblem::NotText, 4},
        {"a lone CR", "FILE \"disc.bin\" BINARY\r  TRACK 01 AUDIO\n", CueProblem::NotText, 1},
        {"a line too long", kHead + "REM " + QByteArray(kCueLineMaxBytes, 'x') + "\n", CueProblem::NotText, 4},
        {"too large", kHead + QByteArray(kCueSheetMaxBytes, '\n'), CueProblem::TooLarge, 0},
        {"a byte order mark", "\xEF\xBB\xBF" + kHead, CueProblem::UnknownCommand, 1},
        {"a lower-case keyword", "file \"disc.bin\" BINARY\n", CueProblem::UnknownCommand, 1},
        {"a command libcdio does not know", kHead + "    POSTGAP 00:02:00\n", CueProblem::UnknownCommand, 4},
        {"a further file to read", "CDTEXTFILE \"disc.cdt\"\n" + kHead, CueProblem::UnknownCommand, 1},
        {"an unclosed quote", "FILE \"disc.bin BINARY\n", CueProblem::BadValues, 1},
        {"a quote inside a word", "FILE disc\"s.bin BINARY\n", CueProblem::BadValues, 1},
        {"a file without a type", "FILE \"disc.bin\"\n", CueProblem::BadValues, 1},
        {"an unknown file type", "FILE \"disc.bin\" FLAC\n", CueProblem::BadValues, 1},
        {"an unknown track mode", "FILE \"disc.bin\" BINARY\n  TRACK 01 CDG\n", CueProblem::BadValues, 2},
        {"a word too many", "FILE \"disc.bin\" BINARY\n  TRACK 01 AUDIO extra\n", CueProblem::BadValues, 2},
        {"a hundredth track", SheetOfTracks(99) + "  TRACK 100 AUDIO\n", CueProblem::BadValues, 200},
        {"60 seconds", "FILE \"disc.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:60:00\n", CueProblem::BadValues, 3},
        {"75 frames", "FILE \"disc.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:75\n", CueProblem::BadValues, 3},
        {"100 minutes", "FILE \"disc.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 100:00:00\n", CueProblem::BadValues,
         3},
        {"a time without frames", "FILE \"disc.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00\n",
         CueProblem::BadValues, 3},
        {"a short catalogue number", "CATALOG 012345678901\n" + kHead, CueProblem::BadValues, 1},
        {"an ISRC of the wrong length", kHead + "    ISRC GBAYE00003\n", CueProblem::BadValues, 4},
        {"an unknown flag", kHead + "    FLAGS DCP LOUD\n", CueProblem::BadValues, 4},
        {"a title of two words", "TITLE Two Words\n" + kHead, CueProblem::BadValues, 1},
        {"a title without text", "TITLE\n" + kHead, CueProblem::BadValues, 1},
        {"a track before any file", "  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n", CueProblem::OutOfOrder, 1},
        {"an index before any track", "FILE \"disc.bin\" BINARY\n    INDEX 01 00:00:00\n", CueProblem::OutOfOrder, 2},
        {"a first track that is not 1", "FILE \"disc.bin\" BINARY\n  TRACK 02 AUDIO\n", CueProblem::OutOfOrder, 2},
        {"a track number again", kHead + "  TRACK 01 AUDIO\n", CueProblem::OutOfOrder, 4},
        {"a track number skipped", kHead + "  TRACK 03 AUDIO\n", CueProblem::OutOfOrder, 4},
        {"an index number skipped", kHead + "    INDEX 03 00:01:00\n", CueProblem::OutOfOrder, 4},
        {"a first index of 2", "FILE \"disc.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 02 00:00:00\n",
         CueProblem::OutOfOrder, 3},
        {"an index time going back", "FILE \"disc.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:05:00\n" + track2,
         CueProblem::OutOfOrder, 5},
        {"two files in a row", "FILE \"a.bin\" BINARY\nFILE \"b.bin\" BINARY\n" + kHead.mid(23), CueProblem::OutOfOrder,
         2},
        {"a file with no track", kHead + "FILE \"b.bin\" BINARY\n", CueProblem::OutOfOrder, 4},
        {"an index between a file and its track", kHead + "FILE \"b.bin\" BINARY\n    INDEX 02 00:01:00\n",
         CueProblem::OutOfOrder, 5},
        {"a catalogue number inside a track", kHead + "CATALOG 0123456789012\n", CueProblem::OutOfOrder, 4},
        {"a second catalogue number", "CATALOG 0123456789012\nCATALOG 0123456789012\n" + kHead, CueProblem::OutOfOrder,
         2},
        {"a pregap after the index", kHead + "    PREGAP 00:02:00\n", CueProblem::OutOfOrder, 4},
        {"a second ISRC", kHead + "    ISRC GBAYE0000351\n    ISRC GBAYE0000352\n", CueProblem::OutOfOrder, 5},
        {"flags outside a track", "FLAGS DCP\n" + kHead, CueProblem::OutOfOrder, 1},
        {"nothing", "", CueProblem::NoTracks, 0},
        {"only remarks and a file", "REM nothing here\nFILE \"disc.bin\" BINARY\n", CueProblem::NoTracks, 0},
        {"a track without INDEX 01", "FILE \"disc.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 00 00:00:00\n" + track2,
         CueProblem::MissingIndex, 1},
        {"a last track without INDEX 01", kHead + "  TRACK 02 AUDIO\n", CueProblem::MissingIndex, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CueCheck check = CheckCueSheetText(c.text);
        EXPECT_EQ(check.problem, c.problem);
        EXPECT_EQ(check.line, c.line);
    }
}

// The sheets that crash libcdio or make it leak never reach it; the user
// learns which line is wrong.
TEST_F(RipperTest, SheetsThatBreakLibcdioAreRefusedUnreadWithAClearMessage) {
    const struct {
        const char* fixture;
        CueCheck check;
    } cases[] = {
        {"malformed-crashes-libcdio.cue", {CueProblem::BadValues, 1}},
        {"malformed-leaks-libcdio.cue", {CueProblem::NotText, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fixture);
        const QByteArray text = ReadBytes(QStringLiteral(SV_TEST_DATA_DIR "/cue/") + QString::fromLatin1(c.fixture));
        ASSERT_FALSE(text.isEmpty());
        // With a BIN file beside it, so that libcdio would go on to read it.
        const QString cue = WriteFile(home.file("bad"), QStringLiteral("broken.cue"), text);
        WriteBin(home.file("bad/broken.bin"), 1000);
        const CueCheck check = CheckCueSheetFile(cue);
        EXPECT_EQ(check.problem, c.check.problem);
        EXPECT_EQ(check.line, c.check.line);

        int32_t error = 0;
        QString why;
        EXPECT_FALSE(CdDrive::Open(cue, error, &why));
        EXPECT_EQ(error, CdError::BadDiscImage);
        EXPECT_EQ(why, CueProblemText(check, cue));
    }
    const QString cue = home.file("bad/broken.cue");
    EXPECT_EQ(CueProblemText({CueProblem::OutOfOrder, 3}, cue),
              "The CUE sheet '" + cue + "' was not opened: line 3 is out of place or out of sequence.");
    EXPECT_EQ(CueProblemText({CueProblem::MissingBinFile, 0}, cue),
              "The CUE sheet '" + cue + "' was not opened: the BIN file '" + home.file("bad/broken.bin") +
                  "' that belongs to it does not exist.");
}

// libcdio pairs a sheet with the BIN file of its own name; either names the
// image, and nothing else is handed to it as one.
TEST_F(RipperTest, AnImageIsNamedByItsSheetOrItsBinFileAndNothingElse) {
    const auto tracksOf = [](const QString& path) -> int {
        int32_t error = 1;
        auto drive = CdDrive::Open(path, error);
        CdTableOfContents toc;
        return drive && drive->ReadToc(toc) ? int(toc.tracks.size()) : -1;
    };
    EXPECT_EQ(tracksOf(image.cuePath), 3);
    EXPECT_EQ(tracksOf(image.binPath), 3);
    QDir().mkpath(home.file("upper"));
    const DiscImage upper = WriteDiscImage(home.file("upper"), QStringLiteral("DISC"), {20}, 0);
    ASSERT_TRUE(QFile::rename(upper.cuePath, home.file("upper/DISC.CUE")));
    ASSERT_TRUE(QFile::rename(upper.binPath, home.file("upper/DISC.BIN")));
    EXPECT_EQ(tracksOf(home.file("upper/DISC.BIN")), 1);

    const QString mixed = WriteFile(home.file("other"), QStringLiteral("disc.Cue"), ReadBytes(image.cuePath));
    const QString notes = WriteFile(home.file("other"), QStringLiteral("notes.txt"), "FILE");
    const QString lonelyBin = WriteFile(home.file("other"), QStringLiteral("lonely.bin"), QByteArray(2352, '\0'));
    const QString lonelyCue = WriteFile(home.file("other"), QStringLiteral("lonely2.cue"), ReadBytes(image.cuePath));
    const struct {
        QString path;
        QString why;
    } refused[] = {
        {mixed, GetResourceString(TextId::Ripper::NotADiscImage).arg(mixed)},
        {notes, GetResourceString(TextId::Ripper::NotADiscImage).arg(notes)},
        {lonelyBin, CueProblemText({CueProblem::Unreadable, 0}, home.file("other/lonely.cue"))},
        {lonelyCue, CueProblemText({CueProblem::MissingBinFile, 0}, lonelyCue)},
    };
    for (const auto& r : refused) {
        SCOPED_TRACE(r.path.toStdString());
        int32_t error = 0;
        QString why;
        EXPECT_FALSE(CdDrive::Open(r.path, error, &why));
        EXPECT_EQ(error, CdError::BadDiscImage);
        EXPECT_EQ(why, r.why);
    }
}

TEST_F(RipperTest, TheEnvironmentNamesImagesThatAreListedAfterTheSystemsDrives) {
    SetCdDriveListerForTesting({});
    ScopedEnvironment devices(kCdDevicesVariable, std::nullopt);
    const QStringList system = ListCdDrives();
    const QString broken = home.file("broken.cue");
    devices.Set(QFile::encodeName(image.cuePath + "::" + broken + ":" + image.binPath + ":"));
    const QStringList images{image.cuePath, broken, image.binPath};
    EXPECT_EQ(ListCdDrives(), system + images);
}
