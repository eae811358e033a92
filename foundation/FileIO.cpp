#include "foundation/FileIO.h"

#include "foundation/Errors.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

clsFileIO::~clsFileIO() {
    try {
        CloseFile();
    } catch (...) {
        DisplayErrorMessage();
    }
}

bool clsFileIO::OpenFile(const QString& strFileName) {
    try {
        if (IsOpen()) CloseFile();
        m_fileName.clear();
        m_written = false;
        m_writtenEnd = 0;
        int fd = ::open(QFile::encodeName(strFileName).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        // No sharing: a second handle on the same file (this program's or a
        // cooperating one's) is refused.
        if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            ::close(fd);
            fd = -1;
        }
        m_handle = fd;
        if (fd < 0) return false;
        m_fileName = strFileName;
        return true;
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("OpenFile"), strFileName));
    }
}

bool clsFileIO::CloseFile() {
    try {
        if (!IsOpen()) return false;
        int result = 0;
        if (m_written) {
            const off_t end = ::lseek(m_handle, 0, SEEK_END);
            if (end > m_writtenEnd && ::ftruncate(m_handle, m_writtenEnd) == 0) ::fdatasync(m_handle);
        }
        result = ::close(m_handle);
        m_lastResult = result == 0 ? 1 : 0;
        m_handle = -1;
        m_fileName.clear();
        return true;
    } catch (...) {
        PropagateError(QStringLiteral("CloseFile"));
    }
}

bool clsFileIO::WriteBytes(const void* buffer, int32_t count) {
    try {
        if (!IsOpen() || count < 0 || (count > 0 && !buffer)) return false;
        const char* p = static_cast<const char*>(buffer);
        int32_t left = count;
        m_bytesTransferred = 0;
        while (left > 0) {
            const ssize_t n = ::write(m_handle, p, size_t(left));
            if (n < 0) {
                if (errno == EINTR) continue;
                m_lastResult = 0;
                return false;
            }
            p += n;
            left -= int32_t(n);
            m_bytesTransferred += int32_t(n);
        }
        m_written = true;
        m_writtenEnd = std::max<int64_t>(m_writtenEnd, ::lseek(m_handle, 0, SEEK_CUR));
        m_lastResult = ::fdatasync(m_handle) == 0 ? 1 : 0;
        return true;
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("WriteBytes"), qint64(reinterpret_cast<quintptr>(buffer)), count));
    }
}

int32_t clsFileIO::ReadBytes(void* buffer, int32_t count) {
    try {
        if (!IsOpen() || count < 0 || (count > 0 && !buffer)) return 0;
        ssize_t n;
        do {
            n = ::read(m_handle, buffer, size_t(count));
        } while (n < 0 && errno == EINTR);
        if (n < 0) {
            m_bytesTransferred = 0;
            return 0;
        }
        m_bytesTransferred = int32_t(n);
        return 1;
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("ReadBytes"), qint64(reinterpret_cast<quintptr>(buffer)), count));
    }
}
