#pragma once
// Reading a file's bytes by position.  The header and tag parsers work on a
// ByteSource, so the folder scan can open each file once and serve them all
// from a few positioned reads (the first block, the audio frame, the last 128
// bytes); tests hand them bytes in memory.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <fcntl.h>
#include <sys/stat.h>
#include <array>
#include <cstddef>
#include <cstdint>

class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual int64_t size() const = 0;
    // Copies up to `count` bytes from `offset`; fewer only at the end of the
    // data.  Raises the platform's error on a failed read.
    virtual size_t readAt(int64_t offset, uint8_t* buffer, size_t count) = 0;
    // Bytes from `offset` on that the source already holds in memory (they
    // may stop before the end of the data); empty when it holds none there.
    // Searches use it to look at a block without copying or reading it again.
    virtual QByteArrayView heldAt(int64_t offset) {
        (void)offset;
        return {};
    }
};

class MemoryBytes final : public ByteSource {
public:
    explicit MemoryBytes(QByteArray bytes) : m_bytes(std::move(bytes)) {}
    int64_t size() const override { return m_bytes.size(); }
    size_t readAt(int64_t offset, uint8_t* buffer, size_t count) override;
    QByteArrayView heldAt(int64_t offset) override;

private:
    QByteArray m_bytes;
};

// A file opened for reading, with its first block and its last 128 bytes kept
// after the first read of each.  Opening takes one statx of the open file,
// whose result the caller may use for the file's details.
class FileBytes final : public ByteSource {
public:
    static constexpr size_t kHeadSize = 4096;
    static constexpr size_t kTailSize = 128;

    FileBytes() = default;
    ~FileBytes() override;
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;

    // Opens `path` read-only.  False when no regular file stands at the path
    // (nothing there, or a link that leads nowhere);
    // raises the platform's error (70 permission denied, ...) for other failures.
    bool open(const QString& path);
    // The same with the path in the file system's bytes.
    bool open(const QByteArray& nativePath);
    void close();
    bool isOpen() const { return m_fd >= 0; }
    int fd() const { return m_fd; }

    int64_t size() const override { return m_size; }
    size_t readAt(int64_t offset, uint8_t* buffer, size_t count) override;
    // The first block (read on first use) for an offset inside it, else the
    // kept tail when it holds the offset.
    QByteArrayView heldAt(int64_t offset) override;

    // What statx reported when the file was opened (basic facts and, where the
    // file system keeps it, the birth time).
    const struct statx& status() const { return m_status; }

    // The file's first min(size, kHeadSize) bytes.
    QByteArrayView head();
    // The file's last min(size, kTailSize) bytes.
    QByteArrayView tail();

private:
    size_t preadAll(int64_t offset, uint8_t* buffer, size_t count);

    int m_fd = -1;
    int64_t m_size = 0;
    QByteArray m_faultPath;  // kept only while a test's fault hook is set
    struct statx m_status {};
    // Kept in the object, not on the heap: a scan opens one file after
    // another and allocates nothing for their blocks.
    size_t m_headSize = 0;
    size_t m_tailSize = 0;
    int64_t m_tailOffset = 0;
    bool m_haveHead = false;
    bool m_haveTail = false;
    std::array<uint8_t, kTailSize> m_tail;
    std::array<uint8_t, kHeadSize> m_head;
};

// Raises the platform's error for a failed open or read of a file; errors
// other than a permission or access error carry the system's own text too
// ("Device I/O error (Input/output error)").
[[noreturn]] void RaiseReadErrno(int err);

// Tests make chosen files fail: the hook is asked before each open (with
// `reading` false) and each read of a FileBytes with the file's path and
// returns the errno value to fail with, or 0.  nullptr removes it.
using FileFaultFunction = int (*)(const QByteArray& nativePath, bool reading);
void SetFileFaultForTesting(FileFaultFunction function);

// Opens `path` with `flags` (O_CLOEXEC added); -1 with errno set on failure.
int OpenPath(const QString& path, int flags);
int OpenPath(const QByteArray& nativePath, int flags);
