#pragma once
// What the CD Ripper's tests share: a disc image in a temporary home, the
// drive list naming it, and readers of the WAV files a rip writes.

#include "ripper/CdDrive.h"
#include "support/DiscImage.h"
#include "support/ScriptedUi.h"
#include "support/TestFiles.h"

#include <QByteArray>
#include <QString>
#include <gtest/gtest.h>
#include <memory>

// Frames of the standard test disc: two audio tracks and a data track.
inline const std::vector<int32_t> kAudioFrames = {100, 60};
constexpr int32_t kDataFrames = 50;

class RipperTest : public ::testing::Test {
protected:
    void SetUp() override {
        image = WriteDiscImage(home.path(), QStringLiteral("disc"), kAudioFrames, kDataFrames);
        const QString cue = image.cuePath;
        SetCdDriveListerForTesting([cue] { return QStringList{cue}; });
        output = home.file(QStringLiteral("out"));
        QDir().mkpath(output);
    }
    void TearDown() override { SetCdDriveListerForTesting({}); }

    std::unique_ptr<CdDrive> OpenImage() {
        int32_t error = 1;
        auto drive = CdDrive::Open(image.cuePath, error);
        EXPECT_EQ(error, CdError::None);
        return drive;
    }
    QString OutFile(const QString& name) const { return QDir(output).filePath(name); }

    TempHome home;
    ScriptedUi ui;
    DiscImage image;
    QString output;
};

inline uint32_t LE32(const QByteArray& b, int at) {
    return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 | uint32_t(uint8_t(b[at + 2])) << 16 |
           uint32_t(uint8_t(b[at + 3])) << 24;
}
// A WAV whose two header sizes describe exactly the data behind the header.
inline void ExpectConsistentWav(const QByteArray& wav) {
    ASSERT_GE(wav.size(), 44);
    EXPECT_EQ(wav.left(4), "RIFF");
    EXPECT_EQ(LE32(wav, 40), uint32_t(wav.size() - 44));
    EXPECT_EQ(LE32(wav, 4), uint32_t(wav.size() - 8));
}
