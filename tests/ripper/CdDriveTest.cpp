#include "RipperTestSupport.h"

#include "foundation/ResourceStrings.h"
#include "ripper/CueSheet.h"
#include "support/ScopedEnvironment.h"

#include <chrono>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

TEST_F(RipperTest, TheImageOpensAsADiscWithItsTracksAndTheirTypes) {
    EXPECT_EQ(ListCdDrives(), QStringList{image.cuePath});
    auto drive = OpenImage();
    ASSERT_TRUE(drive);
    CdTableOfContents toc;
    ASSERT_TRUE(drive->ReadToc(toc));
    ASSERT_EQ(toc.tracks.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(toc.tracks[i].number, int(i + 1));
        EXPECT_EQ(toc.tracks[i].firstFrame, image.FirstFrame(i));
        EXPECT_EQ(toc.tracks[i].endFrame, image.EndFrame(i));
        EXPECT_EQ(toc.tracks[i].audio, i < 2);
    }
    EXPECT_EQ(toc.leadOutFrame, image.EndFrame(2));
}

TEST_F(RipperTest, AudioReadsReturnTheImagesSamplesInTheirByteOrder) {
    auto drive = OpenImage();
    ASSERT_TRUE(drive);
    // Across the border of the two audio tracks, more than one library read long.
    QByteArray buffer(60 * kCdFrameBytes, '\0');
    ASSERT_TRUE(drive->ReadAudio(70, 60, buffer.data()));
    EXPECT_EQ(buffer, image.Bytes(70, 130));
}

TEST_F(RipperTest, APathThatIsNoDriveOrImageDoesNotOpen) {
    for (const QString& path : {home.file("missing.cue"), QString(), home.path()}) {
        int32_t error = 0;
        EXPECT_FALSE(CdDrive::Open(path, error)) << path.toStdString();
        EXPECT_EQ(error, CdError::NotACdDevice);
    }
}

// A named pipe blocks its first read until something writes to it: named as
// a drive, whatever its name, it is refused unread, and so is an image whose
// sheet is one.
TEST_F(RipperTest, ANamedPipeCalledLikeASheetIsNeverReadAsOne) {
    const QString folder = home.file(QStringLiteral("pipes"));
    QDir().mkpath(folder);
    QStringList pipes;
    auto pipe = [&](const QString& name) {
        const QString path = QDir(folder).filePath(name);
        EXPECT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0) << path.toStdString();
        pipes << path;
        return path;
    };
    const QString sheet = pipe(QStringLiteral("pipe.cue"));
    const QString bin = pipe(QStringLiteral("pipe.bin"));
    const QString bare = pipe(QStringLiteral("pipe"));
    // A real BIN file beside a sheet that is a pipe.
    const QString binBesidePipe = WriteFile(folder, QStringLiteral("beside.bin"), QByteArray(kCdFrameBytes, '\0'));
    const QString sheetBesideBin = pipe(QStringLiteral("beside.cue"));

    const struct {
        QString device;
        QString why;
    } cases[] = {
        {sheet, GetResourceString(TextId::Ripper::NotADiscImage).arg(sheet)},
        {bin, GetResourceString(TextId::Ripper::NotADiscImage).arg(bin)},
        {bare, GetResourceString(TextId::Ripper::NotADiscImage).arg(bare)},
        {binBesidePipe, CueProblemText({CueProblem::Unreadable, 0}, sheetBesideBin)},
    };
    QStringList named;
    for (const auto& c : cases) named << c.device;
    SetCdDriveListerForTesting({});
    ScopedEnvironment devices(kCdDevicesVariable, QFile::encodeName(named.join(QLatin1Char(':'))));

    struct Outcome {
        QStringList listed;
        std::vector<std::pair<int32_t, QString>> refusals;  // error and text of each named device
        int opened = 0;
    };
    // In a thread of its own: a read that blocks fails the test rather than
    // hanging the suite.
    std::future<Outcome> outcome = std::async(std::launch::async, [named] {
        Outcome out;
        out.listed = ListCdDrives();
        for (const QString& device : named) {
            int32_t error = CdError::None;
            QString why;
            if (CdDrive::Open(device, error, &why)) ++out.opened;
            out.refusals.emplace_back(error, why);
        }
        return out;
    });
    if (outcome.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        ADD_FAILURE() << "opening a named pipe blocked";
        // A writer that comes and goes ends each blocked open or read.
        auto release = [&] {
            for (const QString& path : pipes) {
                const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) ::close(fd);
            }
        };
        auto ready = [&] { return outcome.wait_for(std::chrono::milliseconds(20)) == std::future_status::ready; };
        for (int round = 0; round < 1000 && !ready(); ++round) release();
        ASSERT_EQ(outcome.wait_for(std::chrono::seconds(0)), std::future_status::ready) << "still blocked";
    }
    const Outcome out = outcome.get();
    // Listed as named: the list opens nothing.
    EXPECT_EQ(out.listed.mid(out.listed.size() - named.size()), named);
    EXPECT_EQ(out.opened, 0);
    ASSERT_EQ(out.refusals.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].device.toStdString());
        EXPECT_EQ(out.refusals[i].first, CdError::BadDiscImage);
        EXPECT_EQ(out.refusals[i].second.toStdString(), cases[i].why.toStdString());
    }
}

TEST(CdLibraryErrorTextTest, EveryCodeHasItsTextAndOthersNone) {
    const struct {
        int32_t code;
        int32_t text;
    } cases[] = {{0, TextId::Ripper::CDNoError},          {-1, TextId::Ripper::CDLibraryNotLoaded},
                 {-4, TextId::Ripper::CDManagerError},    {-5, TextId::Ripper::CDUnused},
                 {-6, TextId::Ripper::CDBufferTooSmall},  {-7, TextId::Ripper::CDInvalidHandle},
                 {-10, TextId::Ripper::CDNotACDROM},      {-15, TextId::Ripper::CDJitterAdjustFailed}};
    for (const auto& c : cases) EXPECT_EQ(CdLibraryErrorText(c.code), GetResourceString(c.text)) << c.code;
    for (int32_t code : {1, -16, 36}) EXPECT_TRUE(CdLibraryErrorText(code).isEmpty()) << code;
}
