#include "scanning/engine/ID3v1.h"

#include "foundation/Errors.h"
#include "foundation/NativePath.h"
#include "foundation/OptionRecords.h"
#include "foundation/codec/Cp1252.h"
#include "scanning/engine/FileBytes.h"
#include "scanning/engine/FileErrorReport.h"
#include "foundation/NumberText.h"

#include <QFile>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const QString kSource = QStringLiteral("Sonivard");

// Field offsets and widths inside the tag block.
constexpr int kTitle = 3, kArtist = 33, kAlbum = 63, kYear = 93, kComment = 97;
constexpr int kTextWidth = 30, kYearWidth = 4;
constexpr int kTrackMarker = 125, kTrack = 126, kGenre = 127;

QString FieldText(const uint8_t* block, int offset, int width) {
    const uint8_t* start = block + offset;
    const void* zero = std::memchr(start, 0, static_cast<size_t>(width));
    size_t last = zero ? static_cast<size_t>(static_cast<const uint8_t*>(zero) - start) : static_cast<size_t>(width);
    // Only blanks can be left at the ends: the text was cut at its first zero.
    size_t first = 0;
    while (first < last && start[first] == ' ') ++first;
    while (last > first && start[last - 1] == ' ') --last;
    if (first == last) return QString();
    QString text(static_cast<qsizetype>(last - first), Qt::Uninitialized);
    QChar* out = text.data();
    for (size_t i = first; i < last; ++i) *out++ = QChar(cp1252::DecodeByte(start[i]));
    return text;
}

void PutField(ID3v1Block& block, int offset, int width, const QString& text) {
    const std::string bytes =
        cp1252::Encode(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size())));
    for (int i = 0; i < width; ++i)
        block[static_cast<size_t>(offset + i)] = i < static_cast<int>(bytes.size()) ? static_cast<uint8_t>(bytes[static_cast<size_t>(i)]) : 0x20;
}

bool FileMissing(const QString& path) {
    struct stat st {};
    return ::stat(NativePath(path).constData(), &st) != 0 || !S_ISREG(st.st_mode);
}

// A file descriptor that closes itself.
struct Fd {
    int fd = -1;
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
};

int64_t FileSizeOf(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) RaiseErrno(errno, false, kSource);
    return st.st_size;
}

void ReadExactly(int fd, int64_t offset, uint8_t* buffer, size_t count) {
    size_t done = 0;
    while (done < count) {
        const ssize_t n = ::pread(fd, buffer + done, count - done, offset + static_cast<int64_t>(done));
        if (n < 0) {
            if (errno == EINTR) continue;
            RaiseErrno(errno, false, kSource);
        }
        if (n == 0) RaiseError(ErrNo::DeviceIO, kSource);  // the file shrank under us
        done += static_cast<size_t>(n);
    }
}

// Writes all of `count` bytes; raises the platform's write error otherwise.
void WriteExactly(int fd, int64_t offset, const uint8_t* buffer, size_t count) {
    size_t done = 0;
    while (done < count) {
        const ssize_t n = ::pwrite(fd, buffer + done, count - done, offset + static_cast<int64_t>(done));
        if (n < 0) {
            if (errno == EINTR) continue;
            RaiseErrno(errno, true, kSource);
        }
        if (n == 0) RaiseErrno(ENOSPC, true, kSource);
        done += static_cast<size_t>(n);
    }
}

void SyncFile(int fd) {
    if (::fsync(fd) != 0 && errno != EINVAL && errno != EROFS) RaiseErrno(errno, true, kSource);
}

int OpenForWriting(const QString& path) {
    const int fd = OpenPath(path, O_RDWR);
    if (fd < 0) RaiseErrno(errno, true, kSource);
    return fd;
}
}  // namespace

bool HasID3v1Tag(int64_t fileSize, QByteArrayView tail) {
    return fileSize > kID3v1Size && tail.size() >= kID3v1Size &&
           std::memcmp(tail.data() + (tail.size() - kID3v1Size), "TAG", 3) == 0;
}

ID3v1Tag ParseID3v1Block(const uint8_t* block) {
    ID3v1Tag tag;
    tag.Title = FieldText(block, kTitle, kTextWidth);
    tag.Artist = FieldText(block, kArtist, kTextWidth);
    tag.Album = FieldText(block, kAlbum, kTextWidth);
    tag.Year = FieldText(block, kYear, kYearWidth);
    tag.Comment = FieldText(block, kComment, kTextWidth);
    tag.Track = block[kTrackMarker] == 0 ? block[kTrack] : 0;
    tag.Genre = block[kGenre];
    return tag;
}

void ReadID3v1FromTail(int64_t fileSize, QByteArrayView tail, ID3v1Tag& tag, bool& hasTag, bool& filtered,
                       const ScanningCentreOptions* include) {
    if (HasID3v1Tag(fileSize, tail)) {
        hasTag = true;
        if (include && !include->blnIncFilesWithID3v1) filtered = true;
        tag = ParseID3v1Block(reinterpret_cast<const uint8_t*>(tail.data() + (tail.size() - kID3v1Size)));
    } else {
        if (include && !include->blnIncFilesWithoutID3v1) filtered = true;
        tag = ID3v1Tag();
    }
}

ID3v1Block NewID3v1Block() {
    ID3v1Block block{};
    block[0] = 'T';
    block[1] = 'A';
    block[2] = 'G';
    block[kGenre] = 255;
    return block;
}

void FillID3v1Block(ID3v1Block& block, const ID3v1Tag& tag) {
    PutField(block, kTitle, kTextWidth, tag.Title);
    PutField(block, kArtist, kTextWidth, tag.Artist);
    PutField(block, kAlbum, kTextWidth, tag.Album);
    PutField(block, kYear, kYearWidth, tag.Year);
    PutField(block, kComment, kTextWidth, tag.Comment);
    if (tag.Track != 0) {
        block[kTrackMarker] = 0;
        block[kTrack] = tag.Track;
    }
    block[kGenre] = tag.Genre;
}

bool ReadID3v1TagInfo(ByteSource& file, const QString& path, ID3v1Tag& tag, bool& hasTag, bool& filtered,
                      const ScanningCentreOptions* include) {
    try {
        const int64_t size = file.size();
        uint8_t tail[kID3v1Size];
        size_t got = 0;
        if (size > kID3v1Size) got = file.readAt(size - kID3v1Size, tail, sizeof tail);
        ReadID3v1FromTail(size, QByteArrayView(tail, static_cast<qsizetype>(got)), tag, hasTag, filtered, include);
        return true;
    } catch (...) {
        if (ReportFileError(path, FileAction::ReadID3v1)) return false;
        PropagateError(CallSite(QStringLiteral("ReadID3v1TagInfo"), path, hasTag, filtered));
    }
}

bool ReadID3v1TagInfo(const QString& path, ID3v1Tag& tag, bool& hasTag, bool& filtered,
                      const ScanningCentreOptions* include) {
    try {
        FileBytes file;
        if (!file.open(path)) return true;
        ReadID3v1FromTail(file.size(), file.tail(), tag, hasTag, filtered, include);
        return true;
    } catch (...) {
        if (ReportFileError(path, FileAction::ReadID3v1)) return false;
        PropagateError(CallSite(QStringLiteral("ReadID3v1TagInfo"), path, hasTag, filtered));
    }
}

void MakeWriteableIfForced(const QString& path, bool force) {
    if (!force) return;
    const QByteArray native = NativePath(path);
    struct stat st {};
    if (::stat(native.constData(), &st) != 0) return;
    if (!(st.st_mode & S_IWUSR)) ::chmod(native.constData(), (st.st_mode & 07777) | S_IWUSR);
}

bool WriteID3v1TagInfo(const QString& path, const ID3v1Tag& tag, bool writeReadOnly) {
    try {
        if (FileMissing(path)) return false;
        ID3v1Tag current;
        bool hadTag = false;
        bool ignored = false;
        if (!ReadID3v1TagInfo(path, current, hadTag, ignored, nullptr)) return false;
        if (hadTag && CompareID3v1(current, tag)) return false;

        MakeWriteableIfForced(path, writeReadOnly);
        Fd file{OpenForWriting(path)};
        const int64_t length = FileSizeOf(file.fd);
        // Too short to hold a tag behind any audio: nothing is written, and the
        // caller learns that the tag was not stored.
        if (length <= kID3v1Size) return false;

        ID3v1Block block;
        ReadExactly(file.fd, length - kID3v1Size, block.data(), block.size());
        int64_t offset = length - kID3v1Size;
        const bool append = std::memcmp(block.data(), "TAG", 3) != 0;
        if (append) {
            block = NewID3v1Block();
            offset = length;
        }
        FillID3v1Block(block, tag);
        // One write of the whole block: an existing tag is overwritten in place,
        // a new one appended; a failed append is cut off again so the file
        // never ends in half a tag.
        try {
            WriteExactly(file.fd, offset, block.data(), block.size());
            SyncFile(file.fd);
        } catch (...) {
            if (append && ::ftruncate(file.fd, length) == 0) ::fsync(file.fd);
            throw;
        }
        return true;
    } catch (...) {
        if (ReportFileError(path, FileAction::ModifyID3v1)) return false;
        PropagateError(CallSite(QStringLiteral("WriteID3v1TagInfo"), path));
    }
}

void ClearID3v1Tag(const QString& path, bool writeReadOnly) {
    try {
        if (FileMissing(path)) return;
        MakeWriteableIfForced(path, writeReadOnly);
        {
            // Only a file that has a tag is opened for writing, so clearing a
            // file without one never fails on a read-only file.
            FileBytes probe;
            if (!probe.open(path) || !HasID3v1Tag(probe.size(), probe.tail())) return;
        }
        Fd file{OpenForWriting(path)};
        const int64_t length = FileSizeOf(file.fd);
        if (length <= kID3v1Size) return;
        uint8_t marker[3];
        ReadExactly(file.fd, length - kID3v1Size, marker, sizeof marker);
        if (std::memcmp(marker, "TAG", 3) != 0) return;
        static const uint8_t blanks[3] = {' ', ' ', ' '};
        WriteExactly(file.fd, length - kID3v1Size, blanks, sizeof blanks);
        SyncFile(file.fd);
    } catch (...) {
        if (ReportFileError(path, FileAction::ClearID3v1)) return;
        PropagateError(CallSite(QStringLiteral("ClearID3v1Tag"), path));
    }
}

bool CompareID3v1(const ID3v1Tag& a, const ID3v1Tag& b) {
    return a.Title == b.Title && a.Artist == b.Artist && a.Album == b.Album && a.Year == b.Year &&
           a.Comment == b.Comment && a.Genre == b.Genre && a.Track == b.Track;
}

uint8_t GetID3v1Track(const QString& text) {
    const double value = LeadingNumber(text);
    if (!(value >= 0.0) || value > 255.0) return 0;
    return static_cast<uint8_t>(std::nearbyint(value));
}
