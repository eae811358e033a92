#pragma once
// A raw file handle for writing a file from memory buffers (the CD ripper's
// WAV files): opened for reading and writing, created when missing, never
// shared with another handle, every write flushed to disk before it returns.

#include <QString>
#include <cstdint>

class clsFileIO {
public:
    clsFileIO() = default;
    ~clsFileIO();
    clsFileIO(const clsFileIO&) = delete;
    clsFileIO& operator=(const clsFileIO&) = delete;

    // Opens (or creates) the file, positioned at its start; false when it
    // cannot be opened or another handle holds it.  A file still open in this
    // object is closed first.
    bool OpenFile(const QString& strFileName);
    // Closes the open file; false when none was open.  A file that was
    // written to is cut to the end of what was written, so a shorter rewrite
    // leaves no stale bytes behind.
    bool CloseFile();
    // Writes `count` bytes at the current position and flushes them to disk.
    bool WriteBytes(const void* buffer, int32_t count);
    // Reads up to `count` bytes; non-zero on success (also at the end of the
    // file), 0 on failure or when no file is open.  BytesTransferred() says
    // how many bytes came.
    int32_t ReadBytes(void* buffer, int32_t count);

    bool IsOpen() const { return !m_fileName.isEmpty() && m_handle >= 0; }
    int32_t BytesTransferred() const { return m_bytesTransferred; }
    int32_t LastResult() const { return m_lastResult; }
    const QString& FileName() const { return m_fileName; }

private:
    int m_handle = 0;  // 0 before the first open, -1 after a failed one
    int32_t m_lastResult = 0;
    int32_t m_bytesTransferred = 0;
    QString m_fileName;
    bool m_written = false;
    int64_t m_writtenEnd = 0;
};
