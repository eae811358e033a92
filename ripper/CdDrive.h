#pragma once
// The CD-audio layer: the drives the system offers, one opened drive (or disc
// image) with its table of contents, and reads of whole audio frames.  Built
// on libcdio for the drive list and the table of contents and on its cdda
// interface for the audio reads; nothing above this file knows either.
//
// A "drive" is named by its device path ("/dev/sr0") or by a disc image: a
// BIN/CUE pair, named by its .cue or its .bin file ("disc.cue" and
// "disc.bin" side by side).  The system's drives are listed first, then the
// images that the environment variable SONIVARD_CD_DEVICES names, separated
// by colons, so a machine without a drive can rip and query an image.  An
// image's CUE sheet is checked (ripper/CueSheet.h) before libcdio reads it:
// a sheet that is not well-formed is refused with a message saying why.
// Only devices (drives) and regular files (images) are opened: anything
// else named, a named pipe above all, is refused unread, never waited on.
// Tests and the benchmark may replace the whole list with their own images
// (SetCdDriveListerForTesting).
//
// Frames are 2352-byte CD-audio sectors of 16-bit little-endian stereo
// samples, addressed by their logical sector number counted from 0.  A
// track's end frame is the first frame after it, as the library reports the
// track's last sector (so a data session's gap after the last audio track is
// not part of that track).  Data tracks are listed, marked, and never read
// as audio.
//
// Failures are reported through error codes (CdError) whose texts are the
// string table's CD-library error texts (CdLibraryErrorText).

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// Bytes in one CD-audio frame.
constexpr int32_t kCdFrameBytes = 2352;

// The CD layer's error codes; each has its text in the string table.
namespace CdError {
constexpr int32_t None = 0;
constexpr int32_t LibraryNotLoaded = -1;
constexpr int32_t DeviceError = -4;       // the drive reported an error on a read
constexpr int32_t BufferTooSmall = -6;
constexpr int32_t InvalidHandle = -7;     // no drive is open
constexpr int32_t NotACdDevice = -10;     // the path could not be opened as a CD drive or image
constexpr int32_t HandleInUse = -12;
constexpr int32_t BadDiscImage = -100;  // a named disc image was refused before the library saw it
}  // namespace CdError

// The variable that names disc images to list as drives.
inline constexpr char kCdDevicesVariable[] = "SONIVARD_CD_DEVICES";

// The text for one of the CD layer's error codes (0, -1 to -15); an empty
// text for any other code.
QString CdLibraryErrorText(int32_t code);

// One track of the disc, in table-of-contents order.
struct CdTrack {
    int number = 0;           // the disc's own track number
    int32_t firstFrame = 0;   // the track's first frame
    int32_t endFrame = 0;     // the first frame after the track
    bool audio = true;        // false for a data track
};

struct CdTableOfContents {
    std::vector<CdTrack> tracks;
    int32_t leadOutFrame = 0;  // the first frame after the last track
};

// The device paths of the CD drives, in the system's order, then the disc
// images named in SONIVARD_CD_DEVICES; an empty list when there is none.
QStringList ListCdDrives();
// Tests and the benchmark replace the drive list (their disc images); an
// empty function restores the system's list.
void SetCdDriveListerForTesting(std::function<QStringList()> lister);

class CdDrive {
public:
    // Opens the drive or disc image at `device`; null when it cannot be
    // opened, with `error` set to CdError::NotACdDevice, or to
    // CdError::BadDiscImage for an image that was refused unread (not a
    // BIN/CUE pair, a sheet that is not well-formed, or neither a device nor
    // a regular file, such as a named pipe).  `why`, when given,
    // receives the text to show the user.
    static std::unique_ptr<CdDrive> Open(const QString& device, int32_t& error, QString* why = nullptr);
    ~CdDrive();
    CdDrive(const CdDrive&) = delete;
    CdDrive& operator=(const CdDrive&) = delete;

    QString Device() const { return m_device; }

    // Reads the table of contents; false (and an empty `toc`) when the drive
    // holds no readable disc.
    bool ReadToc(CdTableOfContents& toc);

    // Reads `count` audio frames from `firstFrame` into `out` (count x 2352
    // bytes).  True when all of them were read; false with LastError() set
    // otherwise (what stands in `out` then is undefined).
    bool ReadAudio(int32_t firstFrame, int32_t count, char* out);

    int32_t LastError() const { return m_lastError; }

private:
    struct Handles;
    CdDrive(QString device, std::unique_ptr<Handles> handles);
    QString m_device;
    std::unique_ptr<Handles> m_handles;
    int32_t m_lastError = CdError::None;
};
