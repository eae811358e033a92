#include "RipperTestSupport.h"

#include "foundation/MessageUi.h"
#include "foundation/ResourceStrings.h"
#include "ripper/TrackRip.h"

#include <QFileInfo>

namespace {

// Yields before every chunk; presses Stop at yield number `stopAt` (0: never)
// and records where the progress bar stood.
class StoppingHost : public JobHost {
public:
    explicit StoppingHost(int stopAt = 0) : m_stopAt(stopAt) {}
    int YieldIntervalMs() const override { return 0; }
    void Yield() override {
        if (++yields == m_stopAt) mblnStopAll = true;
    }
    void ShowProgress(int64_t position, int64_t maximum) override {
        positions.push_back(position);
        lastMaximum = maximum;
    }
    int yields = 0;
    std::vector<int64_t> positions;
    int64_t lastMaximum = 0;

private:
    int m_stopAt;
};

std::vector<RipTrackRow> Rows(const DiscImage& image) {
    std::vector<RipTrackRow> rows;
    for (size_t i = 0; i < image.trackFrames.size(); ++i)
        rows.push_back({QStringLiteral("Track %1").arg(i + 1), image.FirstFrame(i), image.EndFrame(i),
                        !(image.hasDataTrack && i + 1 == image.trackFrames.size()), true});
    return rows;
}

}  // namespace

TEST(WavHeaderTest, TheHeaderDescribesCdAudio) {
    const QByteArray h = ConstructWavHeader(141120);
    ASSERT_EQ(h.size(), 44);
    EXPECT_EQ(h.mid(0, 4), "RIFF");
    EXPECT_EQ(LE32(h, 4), 141156u);
    EXPECT_EQ(h.mid(8, 8), "WAVEfmt ");
    EXPECT_EQ(LE32(h, 16), 16u);
    EXPECT_EQ(LE32(h, 20), 1u | 2u << 16);  // PCM, two channels
    EXPECT_EQ(LE32(h, 24), 44100u);
    EXPECT_EQ(LE32(h, 28), 176400u);
    EXPECT_EQ(LE32(h, 32), 4u | 16u << 16);  // 4 bytes a sample frame, 16 bits
    EXPECT_EQ(h.mid(36, 4), "data");
    EXPECT_EQ(LE32(h, 40), 141120u);
}

TEST_F(RipperTest, TheTickedAudioTracksBecomeWavFilesOfExactlyTheirSamples) {
    auto drive = OpenImage();
    StoppingHost job;
    QStringList announced;
    const QStringList written =
        RipTracks(drive.get(), Rows(image), output, job, [&](const QString& path) { announced << path; });
    const QStringList expected = {OutFile("Track 1.wav"), OutFile("Track 2.wav")};
    EXPECT_EQ(written, expected);
    EXPECT_EQ(announced, expected);
    for (int t = 0; t < 2; ++t) {
        const QByteArray wav = ReadBytes(expected[t]);
        ExpectConsistentWav(wav);
        EXPECT_EQ(wav.mid(0, 44), ConstructWavHeader(uint32_t(image.trackFrames[t] * kCdFrameBytes)));
        EXPECT_TRUE(wav.mid(44) == image.Bytes(image.FirstFrame(t), image.EndFrame(t))) << "track " << t + 1;
    }
    // The data track was ticked, yet it is no audio: no file, no box.
    EXPECT_FALSE(QFileInfo::exists(OutFile("Track 3.wav")));
    EXPECT_TRUE(ui.shown.empty());
    // Nothing but the WAV files is left in the folder.
    EXPECT_EQ(QDir(output).entryList(QDir::Files | QDir::Hidden).size(), 2);
    // 100 a ticked audio track; the 60-frame track is read as 26, 26 and 8.
    EXPECT_EQ(job.lastMaximum, 200);
    const std::vector<int64_t> secondTrack(job.positions.end() - 3, job.positions.end());
    EXPECT_EQ(secondTrack, (std::vector<int64_t>{100, 143, 186}));
}

TEST_F(RipperTest, UntickedRowsAreSkippedAndAnEmptyTrackGivesAHeaderOnly) {
    auto drive = OpenImage();
    StoppingHost job;
    std::vector<RipTrackRow> rows = Rows(image);
    rows[0].ticked = false;
    rows[1].endFrame = rows[1].firstFrame;  // first and end frame equal
    EXPECT_EQ(RipTracks(drive.get(), rows, output, job), QStringList{OutFile("Track 2.wav")});
    EXPECT_FALSE(QFileInfo::exists(OutFile("Track 1.wav")));
    EXPECT_EQ(ReadBytes(OutFile("Track 2.wav")), ConstructWavHeader(0));
}

TEST_F(RipperTest, AMissingOutputFolderIsReportedAndNothingIsRead) {
    auto drive = OpenImage();
    StoppingHost job;
    EXPECT_TRUE(RipTracks(drive.get(), Rows(image), home.file("nowhere"), job).isEmpty());
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].prompt, GetResourceString(TextId::Ripper::OutputDirectoryMissingText));
    EXPECT_EQ(ui.shown[0].title, QStringLiteral("Output Directory Doesn't Exist"));
    EXPECT_EQ(ui.shown[0].style, Mb::OKOnly | Mb::Exclamation);
    EXPECT_EQ(job.yields, 0);
}

TEST_F(RipperTest, StopEndsTheTrackWithAWavWhoseSizesMatchItsDataAndRipsNoMore) {
    auto drive = OpenImage();
    // Track 1 has 100 frames: chunks before yields 1..4; Stop at the third
    // yield leaves two chunks in the file.
    StoppingHost job(3);
    QStringList announced;
    const QStringList written =
        RipTracks(drive.get(), Rows(image), output, job, [&](const QString& path) { announced << path; });
    EXPECT_EQ(written, QStringList{OutFile("Track 1.wav")});
    EXPECT_EQ(announced, written);
    const QByteArray wav = ReadBytes(OutFile("Track 1.wav"));
    ExpectConsistentWav(wav);
    EXPECT_EQ(wav.size(), 44 + 52 * kCdFrameBytes);
    EXPECT_TRUE(wav.mid(44) == image.Bytes(0, 52));
    EXPECT_FALSE(QFileInfo::exists(OutFile("Track 2.wav")));
    EXPECT_EQ(QDir(output).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(RipperTest, StopBeforeTheFirstChunkLeavesNoFile) {
    auto drive = OpenImage();
    StoppingHost job(1);
    EXPECT_TRUE(RipTracks(drive.get(), Rows(image), output, job).isEmpty());
    EXPECT_TRUE(QDir(output).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST_F(RipperTest, AnExistingWavIsReplacedOnlyAfterYesAndThenHoldsNoOldBytes) {
    auto drive = OpenImage();
    const QByteArray old(2'000'000, 'x');  // longer than the new file
    for (const QString& name : {QStringLiteral("Track 1.wav"), QStringLiteral("Track 2.wav")}) {
        QFile f(OutFile(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(old);
    }
    ui.answers = {Mb::No, Mb::Yes};  // keep track 1's file, replace track 2's
    StoppingHost job;
    const QStringList written = RipTracks(drive.get(), Rows(image), output, job);
    // Only the file this run wrote is reported.
    EXPECT_EQ(written, QStringList{OutFile("Track 2.wav")});
    ASSERT_EQ(ui.shown.size(), 2u);
    EXPECT_EQ(ui.shown[0].prompt,
              QStringLiteral("The file '%1' already exists. Do you wish to overwrite it?").arg(OutFile("Track 1.wav")));
    EXPECT_EQ(ui.shown[0].title, QStringLiteral("File Already Exists"));
    EXPECT_EQ(ui.shown[0].style, Mb::YesNo | Mb::Exclamation | Mb::DefaultButton2);
    EXPECT_EQ(ReadBytes(OutFile("Track 1.wav")), old);
    const QByteArray wav = ReadBytes(OutFile("Track 2.wav"));
    EXPECT_EQ(wav.size(), 44 + 60 * kCdFrameBytes);
    ExpectConsistentWav(wav);
}

TEST_F(RipperTest, AFileThatCannotBeCreatedAsksWhetherToGoOn) {
    auto drive = OpenImage();
    for (const int answer : {Mb::Yes, Mb::No}) {
        SCOPED_TRACE(answer);
        QDir(output).removeRecursively();
        QDir().mkpath(output);
        ui.shown.clear();
        ui.answers = {answer};
        std::vector<RipTrackRow> rows = Rows(image);
        rows[0].name = QStringLiteral("no such folder/Track 1");
        StoppingHost job;
        const QStringList written = RipTracks(drive.get(), rows, output, job);
        ASSERT_EQ(ui.shown.size(), 1u);
        const QString path = OutFile("no such folder/Track 1.wav");
        EXPECT_EQ(ui.shown[0].prompt, QStringLiteral("Unable to create file '%1' to rip CD audio data to. Do you wish "
                                                     "to continue ripping further tracks?")
                                          .arg(path));
        EXPECT_EQ(ui.shown[0].title, QStringLiteral("File Could Not Be Created"));
        EXPECT_EQ(ui.shown[0].style, Mb::YesNo | Mb::Exclamation);
        EXPECT_EQ(written, answer == Mb::Yes ? QStringList{OutFile("Track 2.wav")} : QStringList{});
        EXPECT_EQ(job.mblnStopAll, answer == Mb::No);
    }
}

TEST_F(RipperTest, ReadsThatKeepFailingEndTheTrackWithTheChunksReadSoFar) {
    auto drive = OpenImage();
    StoppingHost job;
    // A track said to run 40 frames past the end of the disc.
    const int32_t end = image.EndFrame(2) + 40;
    int32_t first = image.EndFrame(2) - 30;
    const bool wrote = RipTrack(drive.get(), first, end, OutFile("long.wav"), RipProgress{0, 100}, job);
    EXPECT_TRUE(wrote);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].style, Mb::OKOnly);
    EXPECT_EQ(ui.shown[0].prompt, CdLibraryErrorText(drive->LastError()));
    EXPECT_FALSE(ui.shown[0].prompt.isEmpty());
    const QByteArray wav = ReadBytes(OutFile("long.wav"));
    ExpectConsistentWav(wav);
    EXPECT_EQ((wav.size() - 44) % kCdFrameBytes, 0);
    EXPECT_LT(wav.size() - 44, 70 * kCdFrameBytes);
    EXPECT_FALSE(job.mblnStopAll);  // the batch would go on with the next track
}
