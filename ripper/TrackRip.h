#pragma once
// Ripping audio tracks to WAV files: one batch over the ticked tracks of the
// open drive, each track read in chunks of at most 26 frames and written as
// 44.1 kHz 16-bit stereo PCM behind the 44-byte header.
//
// A track's file is written beside its target under a hidden temporary name
// and renamed into place only at the track's end, so a failed or abandoned
// rip never leaves half a file under the real name and a longer old file
// never keeps bytes past the new data.  A track that ends early (Stop, reads
// that keep failing) keeps the frames read so far, with both header sizes
// set to what the file really holds; a track stopped before its first chunk
// leaves no file.  An existing file is replaced only after the user's yes.
//
// The batch runs on the caller's thread and yields through its JobHost
// before chunks (at most about 30 times a second); Stop (the host's
// mblnStopAll) takes effect before the next chunk and the next track.
// Messages go through the message-box service.

#include "foundation/JobHost.h"
#include "ripper/CdDrive.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <vector>

// The most frames one read asks for.
constexpr int32_t kRipChunkFrames = 26;
// Tries of one chunk before the track is given up.
constexpr int kRipReadTries = 5;

// The 44-byte PCM WAV header (RIFF, "fmt " of 44100 Hz, 2 channels, 16 bits,
// "data") for `dataLength` bytes of samples.
QByteArray ConstructWavHeader(uint32_t dataLength);

// One row of the track list as the batch sees it.
struct RipTrackRow {
    QString name;            // the file name without ".wav"
    int32_t firstFrame = 0;
    int32_t endFrame = 0;    // the first frame after the track
    bool audio = true;       // data tracks are never ripped
    bool ticked = true;
};

// Where the progress bar stands for one track: `base` when the track began,
// out of `maximum` (100 per ticked track).
struct RipProgress {
    int64_t base = 0;
    int64_t maximum = 0;
};

// Rips frames [firstFrame, endFrame) of `drive` into the WAV file `path`.
// `firstFrame` advances as chunks are written.  True when this call wrote the
// file that now stands at `path` (also a shortened one after Stop or failed
// reads); false when it left no file of its own there (refused overwrite,
// file not creatable, write failure, stopped before the first chunk).  The
// answers to the create and write failure questions set job.mblnStopAll.
bool RipTrack(CdDrive* drive, int32_t& firstFrame, int32_t endFrame, const QString& path, const RipProgress& progress,
              JobHost& job);

// The batch: checks that `outputFolder` exists (else the warning and
// nothing), then rips every ticked audio row in order into
// outputFolder/name.wav until Stop.  `fileWritten` runs after each track
// whose file this run wrote, with its path.  Returns those paths in order.
QStringList RipTracks(CdDrive* drive, const std::vector<RipTrackRow>& rows, const QString& outputFolder, JobHost& job,
                      const std::function<void(const QString&)>& fileWritten = {});
