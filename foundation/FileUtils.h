#pragma once
// File and folder operations shared by the tool windows: the folder walk
// behind every scan, the recursive search for one file, delete (to the trash
// or for good), rename/move with its overwrite question, file-name cleaning
// and read-only clearing.  Plus the low-level helpers other writers reuse:
// the atomic file rewrite and the event-loop yield throttle.
//
// Paths use "/" only.  File attributes follow the Linux mapping: read-only
// when the owner-write bit is clear, hidden when the name starts with ".",
// never system.

#include "foundation/YieldClock.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

// One file (or folder) found by a folder walk.
struct FolderListEntry {
    QString Folder;    // the folder it was found in, no trailing "/"
    QString FileName;  // its name
};

// Attribute bits, as the callers' masks and the attribute texts use them.
namespace FileAttribute {
constexpr int32_t ReadOnly = 1;
constexpr int32_t Hidden = 2;
constexpr int32_t System = 4;
constexpr int32_t Directory = 16;
constexpr int32_t Archive = 32;
}  // namespace FileAttribute

// A file-name pattern as the program's masks use it: "*" and "?" are the only
// wildcards ("[" is an ordinary character), letter case is ignored, and "*.*"
// or "" match every name.
class FileNamePattern {
public:
    explicit FileNamePattern(const QString& pattern);
    bool matchesAll() const { return m_kind == Kind::All; }
    bool hasWildcards() const { return m_kind != Kind::Exact; }
    // `name` is the name's bytes as the file system stores them (UTF-8).
    bool matches(const char* name, size_t length) const;
    bool matches(const QString& name) const;

private:
    enum class Kind { All, Suffix, Exact, Glob };
    Kind m_kind = Kind::All;
    QByteArray m_literal;  // Suffix/Exact: the ASCII-lower-case literal
    bool m_asciiLiteral = true;
    QByteArray m_glob;     // the pattern for fnmatch, "[" made literal
};

// Yields to the event loop from long-running loops when its YieldClock is
// due (the first call always yields).
class ThrottledYield {
public:
    explicit ThrottledYield(int minimumIntervalMs = 33) : m_clock(minimumIntervalMs) {}
    void operator()();

private:
    YieldClock m_clock;
};

// Appends to `list` every entry of `folder` whose name matches `pattern` and
// whose attributes the mask allows (read-only 1, hidden 2, folder 16; a plain
// file is always allowed), sorted by name ignoring case; with `recurse`, then
// walks every subfolder the mask allows (hidden only with 2, read-only only
// with 1) in the same order, depth first.  Regular files and folders only:
// FIFOs, sockets and devices are skipped and never opened; a symbolic link to
// a file counts as that file, a link to a folder is listed (with mask bit 16)
// but never walked, so link loops cannot trap the walk.  Yields to the event
// loop while it works and stops as soon as `stopFlag` reads true.  A folder
// that cannot be read adds nothing.
// `listed`, when given, is called after each folder's files were added to
// `list` (so a scan can start on them while the walk goes on).
void GetFolderList(const QString& folder, std::vector<FolderListEntry>& list, int32_t attributeMask,
                   const QString& pattern, bool recurse, const bool& stopFlag,
                   const std::function<void(const std::vector<FolderListEntry>&)>& listed = {});

// Searches `folder`, then its subfolders depth first (sorted by name ignoring
// case; hidden folders too, folder links not followed), for a file matching
// `fileName` (wildcards allowed) and returns the first folder that holds one,
// without a trailing "/" (the start folder exactly as passed when the file is
// in it), or an empty text when nothing is found or `stopFlag` became true.
// The leftovers of a change of letter case cut short (IsCaseChangeLeftover)
// are passed over: neither such a file nor anything in such a folder is found.
// `showStatus` receives "Searching: <folder>" for every folder searched.
QString FindFile(const QString& folder, const QString& fileName, const bool& stopFlag,
                 const std::function<void(const QString&)>& showStatus);

// Deletes folder/fileName (to the trash when `toRecycleBin`, the caller's
// reading of the preference UseRecycleBin, is set) and returns true when no
// file is left at that path.  A read-only file is not deleted for good
// (false, no message).  A failed move to the trash is never followed by a
// permanent delete.
bool DeleteFile(const QString& folder, const QString& fileName, bool toRecycleBin);

// Moves `path` to the freedesktop trash; true on success.
bool SendFileToRecycleBin(const QString& path);

// Renames or moves `source` to `destination` with the user dialogue (missing
// source or destination folder, overwrite question).  Never deletes before
// the move, never replaces a file without the user's yes, moves across file
// systems by copy, fsync, rename and only then removal of the source.  A
// change of letter case alone renames in two steps through an intermediate
// place that keeps the old name whole: the hidden name
// ".<old name>.svcase-<letters>" beside the file, or, for a name too long
// for that within NAME_MAX (255 bytes), the old name itself inside a new
// hidden folder ".svcase-<letters>" beside the file, removed again after
// the second step.  The letters are always seven of a-z and 0-9.  The old
// name is never shortened there.  A hiding folder that cannot be made (no
// inode left, say) is reported for the file like a refused rename, with the
// system's reason, and the file is left as it was.  True when the file now
// stands at the destination.
bool MoveFile(const QString& source, const QString& destination);

// A file (or link) that a change of letter case cut short (the program was
// killed between its two renames) stands only in its intermediate place.
// True when `name`, an entry of the open folder `folderFd` (native bytes),
// is such a place in exactly the form MoveFile makes it, so that a user's
// own folders and files of like names are left alone: an intermediate name
// that is a file or a link, or a hiding folder (a real folder, not a link to
// one) that holds nothing but at most one file or link, under a name too
// long for an intermediate name.  The one test of both the restore below
// and the file search.
bool IsCaseChangeLeftover(int folderFd, const char* name);
// Puts such a leftover of `folder` back under the old name its intermediate
// place records (the file or link of a hiding folder under its own name,
// and the emptied folder removed), or, when another file has taken that
// name, under "<stem> (2)<extension>" and so on, the stem shortened at a
// character boundary so the number and the extension fit NAME_MAX.  A link
// is moved as the link itself, never followed.  It never replaces another
// file and is never deleted.  Does nothing for anything else.
void RestoreInterruptedCaseChange(const QByteArray& folder, const char* name);

// Removes \ / : * ? " < > | and every occurrence of `extra` from `name`, then
// trims spaces and NULs from both ends.  `name` receives the result too.
QString EnsureFileNameCompatible(QString& name, const QString& extra);

// The text-box form: cleans `text` in place; when it changed, moves `caret`
// one place left (not below 0) and returns true, so the caller can beep.
bool EnsureFileNameCompatibleTextBox(QString& text, int& caret, const QString& extra);

// True when the file's read-only attribute (owner-write bit clear) is clear.
// With `force`, a read-only file is made writable first (owner-write bit set,
// the other mode bits kept).  A missing file raises error 53.
bool IsWriteable(const QString& path, bool force);

// ---- helpers shared with other writers ---------------------------------------

// Joins a folder and a name with one "/" (either part may be empty).
QString JoinPath(const QString& folder, const QString& name);
// The last part of a path, and the folder before it (no trailing "/").
QString FileNamePart(const QString& path);
QString ParentFolder(const QString& path);
// The last part of a path without its last extension (the text from its last
// "." on); a leading "." starts no extension, so ".hidden" stays whole.
QString BaseNamePart(const QString& path);
// A regular file (a link to one counts) exists at `path`.
bool FileExists(const QString& path);
bool FolderExists(const QString& path);

// Replaces the file at `path` with `data` safely: symbolic links are resolved,
// the bytes go to a new hidden file in the same folder, are flushed (fsync)
// and renamed over the old file, whose mode (and, where allowed, owner) the
// new file keeps.  On any failure the old file is untouched, the temporary
// file removed, and the errno is raised as the platform error for a write.
void WriteFileAtomically(const QString& path, const QByteArray& data);

// The same for a file written in pieces: the constructor creates the hidden
// temporary file (raising on failure), write() appends, commit() flushes and
// renames it over the target; a writer destroyed without commit() removes
// its temporary file and leaves the old file as it was.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(const QString& path);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;
    void write(const char* data, size_t size);
    void write(const QByteArray& data) { write(data.constData(), size_t(data.size())); }
    // Overwrites bytes already written (a header whose sizes are known only
    // at the end), leaving the end of the file where it is.
    void writeAt(uint64_t offset, const char* data, size_t size);
    void commit();

private:
    void abandon();
    QByteArray m_target;
    QByteArray m_temp;
    int m_fd = -1;
};

// Tests replace the rename call of MoveFile to reach paths a single machine
// cannot produce (a cross-device rename, say).  The hook gets the two paths
// and the renameat2 flags and returns 0 or an errno value.  nullptr restores
// the real call.
using RenameFunction = int (*)(const char* from, const char* to, unsigned flags);
void SetRenameFunctionForTesting(RenameFunction function);
// The same for the folders MoveFile makes (the hiding folder of a change of
// letter case): the hook gets the path and mode and returns 0 or an errno
// value (no inode left, say).  nullptr restores the real call.
using MakeFolderFunction = int (*)(const char* path, unsigned mode);
void SetMakeFolderFunctionForTesting(MakeFolderFunction function);
