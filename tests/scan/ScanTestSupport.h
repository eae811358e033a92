#pragma once

#include "support/Audio.h"
// Helpers shared by the scan engine tests: files in a temporary folder, the
// include options, losing file rights while running as root, WAV and LAME.

#include "foundation/OptionRecords.h"
#include "support/ScopedOptions.h"
#include "support/TestFiles.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <vector>

// A temporary folder that others may enter (so a test can drop its file
// rights and still reach the files).
class ScanTempDir {
public:
    ScanTempDir();
    QString file(const QString& name) const { return m_dir.filePath(name); }
    QString path() const { return m_dir.path(); }
    QString write(const QString& name, const QByteArray& bytes) const;

private:
    QTemporaryDir m_dir;
};

int64_t FileSizeOf(const QString& path);

// A scanning record with the four include options set (every other field as
// a new record has it), as a caller hands it to the tag readers.
struct IncludeOptions : ScanningCentreOptions {
    IncludeOptions(bool withV1 = true, bool withoutV1 = true, bool withV2 = true, bool withoutV2 = true);
};



// Walks the MPEG Layer III frames from `offset` by their headers and counts
// them (independent of the engine's own parser).
struct FrameWalk {
    int64_t frames = 0;
    int64_t end = 0;  // offset after the last frame walked
    int sampleRate = 0;
    int samplesPerFrame = 0;
};
FrameWalk WalkLayer3Frames(const QByteArray& file, int64_t offset);
// Size of the ID3v2 tag at the start of `file` (0 when none).
int64_t ID3v2Size(const QByteArray& file);
