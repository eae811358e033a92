#pragma once
// File access of the tag object: POSIX only.  A file is replaced by writing a
// new file beside it (created exclusively), syncing it and renaming it over
// the old one, so that the old file stays whole until the new one is.

#include <sys/stat.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillmark::files {

// A file descriptor closed when it goes out of scope.
class Fd {
public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    ~Fd() { reset(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }
    void reset(int fd = -1);
    // Closes now and reports a failed close (errno) as an error.
    void close(bool writing);

private:
    int m_fd;
};

// Reads up to n bytes at `offset`; returns how many were read (fewer only at
// the end of the file).  Errors are raised.
size_t ReadAt(int fd, void* buffer, size_t n, uint64_t offset);

// The file a path names, symbolic links resolved.  A missing path, or one that
// names no regular file, raises 109 with `source`, quoting the path as given.
struct Target {
    std::string path;  // resolved
    struct stat info;
};
Target ResolveTarget(const std::string& givenPath, std::string_view source);

// Whether the owner may not write the file.
inline bool IsReadOnly(const struct stat& st) { return (st.st_mode & S_IWUSR) == 0; }

// Raises 111 (with `source`) for a read-only file unless the caller allows
// clearing that; raises the platform's access error when this process may
// not replace the file.
void CheckWritable(const Target& target, bool ignoreReadOnly, std::string_view source);

// The name "<name>.new" beside the file, or, when that is taken,
// "<hhmmss>-<name>" with the current time (a short hidden name when the
// name is too long for either): created exclusively, returned open.
struct TempFile {
    std::string path;
    int fd = -1;
};
TempFile CreateTempBeside(const std::string& resolvedPath);

// Replaces the file by `prefix` followed by the bytes [from, end of file) of
// the open source descriptor: new file, fsync, rename over.  The new file
// keeps the old one's owner (where allowed) and mode, with the owner's write
// bit added when `makeWritable`.
void Rewrite(const Target& target, int sourceFd, uint64_t sourceSize, const std::vector<uint8_t>& prefix,
             uint64_t from, bool makeWritable);

}  // namespace quillmark::files
