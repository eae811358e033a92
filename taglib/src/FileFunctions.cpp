#include "FileFunctions.h"

#include "QmErrors.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

namespace quillmark::files {

void Fd::reset(int fd) {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = fd;
}

void Fd::close(bool writing) {
    if (m_fd < 0) return;
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 && errno != EINTR) RaiseErrno(errno, writing);
}

size_t ReadAt(int fd, void* buffer, size_t n, uint64_t offset) {
    size_t done = 0;
    auto* out = static_cast<char*>(buffer);
    while (done < n) {
        const ssize_t r = ::pread(fd, out + done, n - done, static_cast<off_t>(offset + done));
        if (r < 0) {
            if (errno == EINTR) continue;
            RaiseErrno(errno, false);
        }
        if (r == 0) break;
        done += static_cast<size_t>(r);
    }
    return done;
}

namespace {

void WriteAll(int fd, const uint8_t* p, size_t n) {
    while (n > 0) {
        const ssize_t w = ::write(fd, p, n);
        if (w < 0) {
            if (errno == EINTR) continue;
            RaiseErrno(errno, true);
        }
        p += w;
        n -= static_cast<size_t>(w);
    }
}

// Copies `length` bytes from `src` at `offset` to the end of `dst`.
void CopyRange(int src, uint64_t offset, uint64_t length, int dst) {
    bool kernelCopy = true;
    while (length > 0 && kernelCopy) {
        loff_t in = static_cast<loff_t>(offset);
        const size_t chunk = length > (1u << 30) ? (1u << 30) : static_cast<size_t>(length);
        const ssize_t r = ::copy_file_range(src, &in, dst, nullptr, chunk, 0);
        if (r < 0) {
            if (errno == EINTR) continue;
            if (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP || errno == EBADF) {
                kernelCopy = false;  // not offered here: copy through a buffer
                break;
            }
            RaiseErrno(errno, true);
        }
        if (r == 0) RaisePlatform(57);  // the file became shorter while it was copied
        offset += static_cast<uint64_t>(r);
        length -= static_cast<uint64_t>(r);
    }
    if (length == 0) return;
    std::vector<uint8_t> buffer(length < (1u << 20) ? static_cast<size_t>(length) : (1u << 20));
    while (length > 0) {
        const size_t want = length < buffer.size() ? static_cast<size_t>(length) : buffer.size();
        const size_t got = ReadAt(src, buffer.data(), want, offset);
        if (got == 0) RaisePlatform(57);
        WriteAll(dst, buffer.data(), got);
        offset += got;
        length -= got;
    }
}

std::string Folder(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string Name(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

Target ResolveTarget(const std::string& givenPath, std::string_view source) {
    Target t;
    char* resolved = givenPath.empty() ? nullptr : ::realpath(givenPath.c_str(), nullptr);
    if (!resolved) {
        const int err = givenPath.empty() ? ENOENT : errno;
        if (err == ENOENT || err == ENOTDIR || err == ELOOP)
            RaiseError(Msg::FileNotFound, source, {"%FILE%"}, {givenPath});
        RaiseErrno(err, false);
    }
    t.path = resolved;
    std::free(resolved);
    if (::stat(t.path.c_str(), &t.info) != 0) {
        if (errno == ENOENT) RaiseError(Msg::FileNotFound, source, {"%FILE%"}, {givenPath});
        RaiseErrno(errno, false);
    }
    if (!S_ISREG(t.info.st_mode)) RaiseError(Msg::FileNotFound, source, {"%FILE%"}, {givenPath});
    return t;
}

void CheckWritable(const Target& target, bool ignoreReadOnly, std::string_view source) {
    if (IsReadOnly(target.info)) {
        if (!ignoreReadOnly) RaiseError(Msg::ReadOnly, source);
        // Only the owner may make the file writable again.
        const uid_t me = ::geteuid();
        if (me != 0 && me != target.info.st_uid) RaiseErrno(EPERM, true);
        return;
    }
    if (::access(target.path.c_str(), W_OK) != 0) RaiseErrno(errno, true);
}

TempFile CreateTempBeside(const std::string& resolvedPath) {
    const std::string folder = Folder(resolvedPath);
    const std::string name = Name(resolvedPath);
    const std::string prefix = folder == "/" ? "/" : folder + "/";
    std::string candidate = prefix + name + ".new";
    // The time-stamped names repeat within a second: a taken one is retried
    // once the clock has moved on, a few seconds at most.
    for (int attempt = 0; attempt < 40; ++attempt) {
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) return {candidate, fd};
        if (errno == ENAMETOOLONG) {
            // A name near the file system's limit has no room for ".new" or a
            // time stamp: a short hidden name in the same folder serves.
            std::string pattern = prefix + ".quillmark-XXXXXX";
            const int shortFd = ::mkostemp(pattern.data(), O_CLOEXEC);
            if (shortFd < 0) RaiseErrno(errno, true);
            return {pattern, shortFd};
        }
        if (errno != EEXIST) RaiseErrno(errno, true);
        if (attempt > 0) {
            const timespec pause{0, 100 * 1000 * 1000};
            ::nanosleep(&pause, nullptr);
        }
        const time_t now = ::time(nullptr);
        struct tm local {};
        ::localtime_r(&now, &local);
        char stamp[16];
        std::snprintf(stamp, sizeof stamp, "%02d%02d%02d-", local.tm_hour, local.tm_min, local.tm_sec);
        candidate = prefix + stamp + name;
    }
    RaisePlatform(58);
}

void Rewrite(const Target& target, int sourceFd, uint64_t sourceSize, const std::vector<uint8_t>& prefix,
             uint64_t from, bool makeWritable) {
    TempFile temp = CreateTempBeside(target.path);
    Fd out(temp.fd);
    try {
        WriteAll(out.get(), prefix.data(), prefix.size());
        if (sourceSize > from) CopyRange(sourceFd, from, sourceSize - from, out.get());
        // Owner first (changing it clears set-id bits), then the mode.
        if (::fchown(out.get(), target.info.st_uid, target.info.st_gid) != 0)
            (void)!::fchown(out.get(), static_cast<uid_t>(-1), target.info.st_gid);
        mode_t mode = target.info.st_mode & 07777;
        if (makeWritable) mode |= S_IWUSR;
        if (::fchmod(out.get(), mode) != 0) RaiseErrno(errno, true);
        if (::fsync(out.get()) != 0) RaiseErrno(errno, true);
        out.close(true);
        if (::rename(temp.path.c_str(), target.path.c_str()) != 0) RaiseErrno(errno, true);
    } catch (...) {
        out.reset();
        ::unlink(temp.path.c_str());
        throw;
    }
    // Make the rename itself durable; the file is already complete either way.
    Fd dir(::open(Folder(target.path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());
}

}  // namespace quillmark::files
