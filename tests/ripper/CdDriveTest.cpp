#include "RipperTestSupport.h"

#include "foundation/ResourceStrings.h"

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
