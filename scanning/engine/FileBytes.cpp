#include "scanning/engine/FileBytes.h"

#include "foundation/Errors.h"
#include "foundation/NativePath.h"

#include <QFile>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const QString kSource = QStringLiteral("Sonivard");
std::atomic<FileFaultFunction> g_fault{nullptr};
}  // namespace

void SetFileFaultForTesting(FileFaultFunction function) { g_fault = function; }

void RaiseReadErrno(int err) {
    const int32_t number = ErrnoToErrorNumber(err, false);
    if (number == ErrNo::PermissionDenied || number == ErrNo::PathFileAccess) RaiseErrno(err, false, kSource);
    const char* text = ::strerrordesc_np(err);
    RaiseErrno(err, false, kSource, text ? QString::fromUtf8(text) : QString());
}

int OpenPath(const QByteArray& nativePath, int flags) {
    int fd;
    do {
        fd = ::open(nativePath.constData(), flags | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

int OpenPath(const QString& path, int flags) { return OpenPath(NativePath(path), flags); }

QByteArrayView MemoryBytes::heldAt(int64_t offset) {
    if (offset < 0 || offset >= m_bytes.size()) return {};
    return QByteArrayView(m_bytes).sliced(offset);
}

size_t MemoryBytes::readAt(int64_t offset, uint8_t* buffer, size_t count) {
    if (offset < 0 || offset >= m_bytes.size()) return 0;
    const size_t n = std::min<size_t>(count, static_cast<size_t>(m_bytes.size() - offset));
    std::memcpy(buffer, m_bytes.constData() + offset, n);
    return n;
}

FileBytes::~FileBytes() { close(); }

void FileBytes::close() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    m_size = 0;
    m_headSize = m_tailSize = 0;
    m_tailOffset = 0;
    m_haveHead = m_haveTail = false;
    m_status = {};
    m_faultPath.clear();
}

bool FileBytes::open(const QString& path) { return open(NativePath(path)); }

bool FileBytes::open(const QByteArray& nativePath) {
    close();
    // O_NONBLOCK: a FIFO put in the file's place must not hang the open; it is
    // refused below as not a regular file.
    const FileFaultFunction fault = g_fault;
    if (fault) {
        m_faultPath = nativePath;
        if (const int err = fault(nativePath, false)) RaiseReadErrno(err);
    }
    const int fd = OpenPath(nativePath, O_RDONLY | O_NONBLOCK);
    if (fd < 0) {
        const int err = errno;
        if (err == ENOENT || err == ENOTDIR || err == ELOOP) return false;
        RaiseReadErrno(err);
    }
    if (::statx(fd, "", AT_EMPTY_PATH | AT_STATX_SYNC_AS_STAT, STATX_BASIC_STATS | STATX_BTIME, &m_status) != 0) {
        const int err = errno;
        ::close(fd);
        RaiseReadErrno(err);
    }
    if (!S_ISREG(m_status.stx_mode)) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_size = static_cast<int64_t>(m_status.stx_size);
    return true;
}

size_t FileBytes::preadAll(int64_t offset, uint8_t* buffer, size_t count) {
    if (const FileFaultFunction fault = g_fault)
        if (const int err = fault(m_faultPath, true)) RaiseReadErrno(err);
    size_t done = 0;
    while (done < count) {
        const ssize_t n = ::pread(m_fd, buffer + done, count - done, offset + static_cast<int64_t>(done));
        if (n < 0) {
            if (errno == EINTR) continue;
            RaiseReadErrno(errno);
        }
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    return done;
}

size_t FileBytes::readAt(int64_t offset, uint8_t* buffer, size_t count) {
    if (m_fd < 0) RaiseError(ErrNo::BadFileNameOrNumber, kSource);
    if (offset < 0 || offset >= m_size || count == 0) return 0;
    const int64_t want = std::min<int64_t>(static_cast<int64_t>(count), m_size - offset);
    // Served from the kept blocks when the range lies inside one of them.
    if (m_haveHead && offset + want <= static_cast<int64_t>(m_headSize)) {
        std::memcpy(buffer, m_head.data() + offset, static_cast<size_t>(want));
        return static_cast<size_t>(want);
    }
    if (m_haveTail && offset >= m_tailOffset && offset + want <= m_tailOffset + static_cast<int64_t>(m_tailSize)) {
        std::memcpy(buffer, m_tail.data() + (offset - m_tailOffset), static_cast<size_t>(want));
        return static_cast<size_t>(want);
    }
    // A small read near the start keeps the file's first block: tag headers
    // are asked for there.
    if (!m_haveHead && offset + want <= static_cast<int64_t>(kHeadSize) && want < 64) {
        head();
        return readAt(offset, buffer, count);
    }
    // A read of the file's last bytes keeps them: the ID3v1 tag and the audio
    // end are both asked for.
    if (!m_haveTail && offset + want == m_size && want <= static_cast<int64_t>(kTailSize)) {
        tail();
        return readAt(offset, buffer, count);
    }
    return preadAll(offset, buffer, static_cast<size_t>(want));
}

QByteArrayView FileBytes::heldAt(int64_t offset) {
    if (m_fd < 0 || offset < 0 || offset >= m_size) return {};
    if (offset < static_cast<int64_t>(kHeadSize)) {
        const QByteArrayView block = head();
        return offset < block.size() ? block.sliced(offset) : QByteArrayView();
    }
    if (m_haveTail && offset >= m_tailOffset && offset < m_tailOffset + static_cast<int64_t>(m_tailSize))
        return QByteArrayView(m_tail.data() + (offset - m_tailOffset), static_cast<qsizetype>(m_tailSize - size_t(offset - m_tailOffset)));
    return {};
}

QByteArrayView FileBytes::head() {
    if (!m_haveHead) {
        const size_t n = static_cast<size_t>(std::min<int64_t>(m_size, kHeadSize));
        m_headSize = n ? preadAll(0, m_head.data(), n) : 0;
        m_haveHead = true;
    }
    return QByteArrayView(m_head.data(), static_cast<qsizetype>(m_headSize));
}

QByteArrayView FileBytes::tail() {
    if (!m_haveTail) {
        const size_t n = static_cast<size_t>(std::min<int64_t>(m_size, kTailSize));
        m_tailOffset = m_size - static_cast<int64_t>(n);
        m_tailSize = n ? preadAll(m_tailOffset, m_tail.data(), n) : 0;
        m_haveTail = true;
    }
    return QByteArrayView(m_tail.data(), static_cast<qsizetype>(m_tailSize));
}
