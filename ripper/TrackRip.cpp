#include "ripper/TrackRip.h"

#include "foundation/Errors.h"
#include "foundation/FileUtils.h"
#include "foundation/MessageUi.h"
#include "foundation/ResourceStrings.h"
#include "shell/start/VersionInfo.h"

#include <QtEndian>
#include <cmath>
#include <vector>

namespace {

void PutLE32(char* at, uint32_t value) { qToLittleEndian<quint32>(value, at); }
void PutLE16(char* at, uint16_t value) { qToLittleEndian<quint16>(value, at); }

// Asks whether to go on with the next track after a failed file; No stops
// the batch.
void AskToContinue(JobHost& job, int32_t firstCode, const QString& path, int32_t titleCode) {
    const QString prompt = GetResourceString(firstCode) + path + GetResourceString(TextId::Ripper::ContinueRippingQuestion);
    const int answer = MsgBox(prompt, Mb::YesNo | Mb::Exclamation, GetResourceString(titleCode));
    job.mblnStopAll = answer == Mb::No;
}

}  // namespace

QByteArray ConstructWavHeader(uint32_t dataLength) {
    return WithTrail(CallSite(QStringLiteral("ConstructWavHeader"), dataLength), [&] {
        QByteArray header(44, '\0');
        char* h = header.data();
        memcpy(h, "RIFF", 4);
        PutLE32(h + 4, dataLength + 36);
        memcpy(h + 8, "WAVE", 4);
        memcpy(h + 12, "fmt ", 4);
        PutLE32(h + 16, 16);
        PutLE16(h + 20, 1);
        PutLE16(h + 22, 2);
        PutLE32(h + 24, 44100);
        PutLE32(h + 28, 176400);
        PutLE16(h + 32, 4);
        PutLE16(h + 34, 16);
        memcpy(h + 36, "data", 4);
        PutLE32(h + 40, dataLength);
        return header;
    });
}

bool RipTrack(CdDrive* drive, int32_t& firstFrame, int32_t endFrame, const QString& path, const RipProgress& progress,
              JobHost& job) {
    const int32_t endAtCall = endFrame;
    // Not WithTrail: the trail names the frame the rip had reached when it
    // failed, and firstFrame advances during the call.
    try {
        const int64_t total = std::max<int64_t>(0, int64_t(endFrame) - firstFrame);
        // 4 GiB of samples cannot be described by a WAV header (a CD holds
        // far less).
        if (total * kCdFrameBytes > int64_t(UINT32_MAX) - 36) RaiseError(ErrNo::Overflow);

        if (FileExists(path)) {
            const QString prompt = GetResourceString(TextId::Ripper::TheFile) + path +
                                   GetResourceString(TextId::Ripper::OverwriteQuestion);
            const int answer = MsgBox(prompt, Mb::YesNo | Mb::Exclamation | Mb::DefaultButton2,
                                      GetResourceString(TextId::Ripper::FileExists));
            if (answer != Mb::Yes) return false;
        }

        std::unique_ptr<AtomicFileWriter> file;
        try {
            file = std::make_unique<AtomicFileWriter>(path);
        } catch (const SvError&) {
            AskToContinue(job, TextId::Ripper::UnableToCreateFile, path, TextId::Ripper::FileNotCreated);
            return false;
        }

        std::vector<char> buffer(size_t(kRipChunkFrames) * kCdFrameBytes);
        int64_t remaining = total;
        int64_t written = 0;  // frames in the file
        int32_t chunk = kRipChunkFrames;
        YieldClock clock(job.YieldIntervalMs());
        try {
            file->write(ConstructWavHeader(uint32_t(total * kCdFrameBytes)));
            while (remaining > 0) {
                if (clock.due()) {
                    job.ShowProgress(progress.base + int64_t(std::floor(double(total - remaining) / double(total) * 100)),
                                     progress.maximum);
                    job.Yield();
                }
                if (job.mblnStopAll) break;
                if (remaining < chunk) chunk = int32_t(remaining);
                bool read = false;
                for (int attempt = 0; attempt < kRipReadTries && !read; ++attempt)
                    read = drive && drive->ReadAudio(firstFrame, chunk, buffer.data());
                if (!read) {
                    MsgBox(CdLibraryErrorText(drive ? drive->LastError() : CdError::InvalidHandle), Mb::OKOnly,
                           VersionInfo::Title());
                    break;
                }
                file->write(buffer.data(), size_t(chunk) * kCdFrameBytes);
                firstFrame += chunk;
                remaining -= chunk;
                written += chunk;
            }
            if (written == 0 && total > 0) return false;  // nothing read: no file (the writer removes it)
            if (written < total) {
                // The header promised the whole track: make it say what the file holds.
                const QByteArray header = ConstructWavHeader(uint32_t(written * kCdFrameBytes));
                file->writeAt(0, header.constData(), size_t(header.size()));
            }
            file->commit();
        } catch (const SvError&) {
            file.reset();  // the temporary file goes; the old file, if any, stays
            AskToContinue(job, TextId::Ripper::UnableToWriteFile, path, TextId::Ripper::FileNotWritten);
            return false;
        }
        return true;
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("RipTrack"), firstFrame, endAtCall, path));
    }
}

QStringList RipTracks(CdDrive* drive, const std::vector<RipTrackRow>& rows, const QString& outputFolder, JobHost& job,
                      const std::function<void(const QString&)>& fileWritten) {
    QStringList written;
    if (!FolderExists(outputFolder)) {
        MsgBox(GetResourceString(TextId::Ripper::OutputDirectoryMissingText), Mb::OKOnly | Mb::Exclamation,
               GetResourceString(TextId::Encoder::OutputDirectoryMissing));
        return written;
    }
    int64_t ticked = 0;
    for (const RipTrackRow& row : rows)
        if (row.ticked && row.audio) ++ticked;
    RipProgress progress{0, 100 * ticked};
    job.ShowProgress(0, progress.maximum);
    for (const RipTrackRow& row : rows) {
        if (job.mblnStopAll) break;
        if (!row.ticked || !row.audio) continue;
        const QString path = JoinPath(outputFolder, row.name + QStringLiteral(".wav"));
        int32_t first = row.firstFrame;
        if (RipTrack(drive, first, row.endFrame, path, progress, job)) {
            written << path;
            if (fileWritten) fileWritten(path);
        }
        progress.base += 100;
    }
    return written;
}
