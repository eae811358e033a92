#include "ScanTestSupport.h"
#include "scanning/engine/FileErrorReport.h"
#include "scanning/engine/FileBytes.h"
#include "scanning/engine/ID3v1.h"
#include "scanning/engine/MPEGHeader.h"
#include "support/QtPrinters.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

TEST(FileErrorReport, KnownErrorsShowTheirWarning) {
    const int32_t base = ErrNo::ComponentErrorBase;
    const struct {
        int32_t number;
        int32_t action;
        const char* title;
        const char* prompt;
    } cases[] = {
        {base + 111, FileAction::ModifyID3v2, "Path/File Access Error",
         "song.mp3\r\n\r\nCannot modify ID3v2 Tag. DESC. The file may be read-only."},
        {ErrNo::PathFileAccess, FileAction::ModifyID3v1, "Path/File Access Error",
         "song.mp3\r\n\r\nCannot modify ID3v1 Tag. DESC. The file may be read-only."},
        {ErrNo::PermissionDenied, FileAction::ReadID3v1, "Permission Denied",
         "song.mp3\r\n\r\nCannot read ID3v1 Tag. DESC. The file may be locked by another process."},
        {base + 109, FileAction::ReadID3v2, "ID3v2 Tag Error", "song.mp3\r\n\r\nCannot read ID3v2 Tag. DESC"},
        {base + 101, FileAction::ClearID3v2, "ID3v2 Tag Error", "song.mp3\r\n\r\nCannot clear ID3v2 Tag. DESC"},
        {base + 113, FileAction::ClearID3v1, "ID3v2 Tag Error", "song.mp3\r\n\r\nCannot clear ID3v1 Tag. DESC"},
        {ErrNo::PermissionDenied, FileAction::ReadMPEG, "Permission Denied",
         "song.mp3\r\n\r\nCannot read MPEG information. DESC. The file may be locked by another process."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number);
        ScriptedUi ui;
        bool shown = false;
        try {
            throw SvError(c.number, "src", "DESC");
        } catch (...) {
            shown = ReportFileError(QStringLiteral("/music/some folder/song.mp3"), c.action);
        }
        EXPECT_TRUE(shown);
        ASSERT_EQ(ui.shown.size(), 1u);
        EXPECT_EQ(ui.shown[0].title, c.title);
        EXPECT_EQ(ui.shown[0].prompt, c.prompt);
        EXPECT_EQ(ui.shown[0].style, Mb::OKOnly | Mb::Exclamation);
    }
}

TEST(FileErrorReport, TheDescriptionAndTheEndingShareOneFullStop) {
    const int32_t base = ErrNo::ComponentErrorBase;
    const struct {
        int32_t number;
        const char* description;
        const char* prompt;
    } cases[] = {
        // The tag library's own text ends in a full stop.
        {base + 111, "Path/File access error.",
         "song.mp3\r\n\r\nCannot modify ID3v2 Tag. Path/File access error. The file may be read-only."},
        {ErrNo::PathFileAccess, "Path/File access error",
         "song.mp3\r\n\r\nCannot modify ID3v2 Tag. Path/File access error. The file may be read-only."},
        {ErrNo::PermissionDenied, "Permission denied.",
         "song.mp3\r\n\r\nCannot modify ID3v2 Tag. Permission denied. The file may be locked by another process."},
        // Without an ending the description stays as it is.
        {base + 109, "File not found.", "song.mp3\r\n\r\nCannot modify ID3v2 Tag. File not found."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        ScriptedUi ui;
        EXPECT_TRUE(ReportFileError("/music/song.mp3", FileAction::ModifyID3v2, SvError(c.number, "src", c.description)));
        ASSERT_EQ(ui.shown.size(), 1u);
        EXPECT_EQ(ui.shown[0].prompt, c.prompt);
    }
}

// An error that travelled up the trail carries its call sites after a "|":
// the box shows the reason alone, whichever box it is.
TEST(FileErrorReport, TheMessageShowsTheDescriptionUpToItsTrail) {
    const int32_t base = ErrNo::ComponentErrorBase;
    const struct {
        int32_t number;
        const char* description;
        const char* title;
        const char* prompt;
    } cases[] = {
        {ErrNo::PermissionDenied, "Permission denied|ReadID3v1TagInfo;/m/song.mp3;False;True", "Permission Denied",
         "song.mp3\r\n\r\nCannot read ID3v1 Tag. Permission denied. The file may be locked by another process."},
        {base + 111, "Path/File access error.|WriteTag;/m/song.mp3|ApplyChanges", "Path/File Access Error",
         "song.mp3\r\n\r\nCannot read ID3v1 Tag. Path/File access error. The file may be read-only."},
        {base + 109, "File not found.|ReadTag;/m/song.mp3", "ID3v2 Tag Error",
         "song.mp3\r\n\r\nCannot read ID3v1 Tag. File not found."},
        // Not one of the reporter's own: the failure box of the read.
        {ErrNo::DeviceIO, "Device I/O error|ReadID3v1TagInfo;/m/song.mp3;False;True", "Path/File Access Error",
         "song.mp3\r\n\r\nCannot read ID3v1 Tag. Device I/O error"},
        // A trail without a reason before it leaves nothing of it.
        {ErrNo::DeviceIO, "|ReadID3v1TagInfo", "Path/File Access Error", "song.mp3\r\n\r\nCannot read ID3v1 Tag. "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        ScriptedUi ui;
        EXPECT_TRUE(ReportReadFailure("/m/song.mp3", FileAction::ReadID3v1, SvError(c.number, "src", c.description)));
        ASSERT_EQ(ui.shown.size(), 1u);
        EXPECT_EQ(ui.shown[0].title, c.title);
        EXPECT_EQ(ui.shown[0].prompt, c.prompt);
    }
}

TEST(FileErrorReport, OtherErrorsShowNothing) {
    const int32_t base = ErrNo::ComponentErrorBase;
    for (int32_t number : {ErrNo::OutOfMemory, ErrNo::Overflow, ErrNo::FileNotFound, ErrNo::DeviceIO, base + 100,
                           base + 114, 0}) {
        ScriptedUi ui;
        EXPECT_FALSE(ReportFileError("/a/b.mp3", FileAction::ReadID3v1, SvError(number, "src", "d"))) << number;
        EXPECT_TRUE(ui.shown.empty());
    }
}

namespace {
// Bytes whose every read fails with one error.
class FailingSource final : public ByteSource {
public:
    explicit FailingSource(int32_t number) : m_number(number) {}
    int64_t size() const override { return 1000; }
    size_t readAt(int64_t, uint8_t*, size_t) override { RaiseError(m_number); }

private:
    int32_t m_number;
};
}  // namespace

TEST(FileErrorReport, ReadersReportKnownFailuresAndPassOthersUpTheTrail) {
    const IncludeOptions include;
    {
        ScriptedUi ui;
        FailingSource locked(ErrNo::PermissionDenied);
        ID3v1Tag tag;
        bool hasTag = false, filtered = false;
        EXPECT_FALSE(ReadID3v1TagInfo(locked, "/m/a.mp3", tag, hasTag, filtered, &include));
        bool found = false;
        const MPEGInfo info = ReadMPEGInfo(locked, "/m/a.mp3", found);
        EXPECT_EQ(info.FileSize, 1000);  // what was built before the failure
        ASSERT_EQ(ui.shown.size(), 2u);
        EXPECT_TRUE(ui.shown[0].prompt.startsWith("a.mp3\r\n\r\nCannot read ID3v1 Tag. Permission denied"));
        EXPECT_EQ(ui.shown[1].title, "Permission Denied");
    }
    {
        ScriptedUi ui;
        FailingSource broken(ErrNo::DeviceIO);
        ID3v1Tag tag;
        bool hasTag = false, filtered = true;
        try {
            ReadID3v1TagInfo(broken, "/m/b.mp3", tag, hasTag, filtered, &include);
            ADD_FAILURE() << "no error";
        } catch (const SvError& e) {
            EXPECT_EQ(e.number(), ErrNo::DeviceIO);
            EXPECT_EQ(e.description(), "Device I/O error|ReadID3v1TagInfo;/m/b.mp3;False;True");
        }
        bool found = true;
        try {
            ReadMPEGInfo(broken, "/m/b.mp3", found);
            ADD_FAILURE() << "no error";
        } catch (const SvError& e) {
            EXPECT_EQ(e.description(), "Device I/O error|ReadMPEGInfo;/m/b.mp3;True");
        }
        EXPECT_TRUE(ui.shown.empty());
    }
}
