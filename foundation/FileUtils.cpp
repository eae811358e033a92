#include "foundation/FileUtils.h"

#include "foundation/Errors.h"
#include "foundation/MessageUi.h"
#include "foundation/NativePath.h"
#include "foundation/ResourceStrings.h"
#include "foundation/StringUtils.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

namespace {

const QString kCrLf2 = QStringLiteral("\r\n\r\n");

// The platform error for an errno, with the platform's own text and nothing
// appended: the callers put the path into their message themselves.
[[noreturn]] void RaisePlainErrno(int err, bool writing) {
    const int32_t number = ErrnoToErrorNumber(err, writing);
    throw SvError(number, QStringLiteral("Sonivard"), StandardErrorText(number));
}

QByteArray Native(const QString& path) { return NativePath(path); }

int RealRename(const char* from, const char* to, unsigned flags) {
    return ::renameat2(AT_FDCWD, from, AT_FDCWD, to, flags) == 0 ? 0 : errno;
}

RenameFunction g_rename = &RealRename;

int RealMakeFolder(const char* path, unsigned mode) { return ::mkdir(path, mode_t(mode)) == 0 ? 0 : errno; }

MakeFolderFunction g_makeFolder = &RealMakeFolder;

// renameat2 where the file system supports it; otherwise link + unlink for a
// no-replace rename (still atomic), and as a last resort a checked rename.
int RenameNoReplace(const char* from, const char* to) {
    if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return 0;
    const int err = errno;
    if (err != EINVAL && err != ENOSYS && err != ENOTSUP) return err;
    if (::link(from, to) == 0) {
        ::unlink(from);
        return 0;
    }
    const int linkErr = errno;
    if (linkErr == EEXIST) return EEXIST;
    struct stat st;
    if (::lstat(to, &st) == 0) return EEXIST;
    return ::rename(from, to) == 0 ? 0 : errno;
}

int RenameWith(const char* from, const char* to, bool replace) {
    if (replace) return ::rename(from, to) == 0 ? 0 : errno;
    return RenameNoReplace(from, to);
}

QString NormaliseFolder(QString folder) {
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/'))) folder.chop(1);
    return folder;
}

QString ChildFolder(const QString& folder, const QString& name) {
    if (folder.endsWith(QLatin1Char('/'))) return folder + name;
    return folder + QLatin1Char('/') + name;
}

bool NameLess(const QString& a, const QString& b) {
    const int c = QString::compare(a, b, Qt::CaseInsensitive);
    if (c != 0) return c < 0;
    return a < b;
}

// A hidden, unused name in `folder` for a temporary file (the caller creates
// it with O_EXCL or a no-replace rename, so a clash only costs a retry).
QByteArray TemporarySibling(const QByteArray& folder, const QByteArray& name) {
    QByteArray path = folder;
    if (!path.endsWith('/')) path += '/';
    path += '.';
    path += name.left(100);
    path += ".sv-";
    path += QByteArray::number(QRandomGenerator::global()->generate64(), 36);
    return path;
}

QByteArray NativeParent(const QByteArray& path) {
    const int slash = path.lastIndexOf('/');
    if (slash < 0) return QByteArrayLiteral(".");
    if (slash == 0) return QByteArrayLiteral("/");
    return path.left(slash);
}

QByteArray NativeName(const QByteArray& path) {
    const int slash = path.lastIndexOf('/');
    return slash < 0 ? path : path.mid(slash + 1);
}

void SyncFolder(const QByteArray& folder) {
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

mode_t CurrentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// Copies the whole of `in` into `out` (both open); errno on failure.
int CopyContents(int in, int out) {
    for (;;) {
        const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, 1 << 30, 0);
        if (n > 0) continue;
        if (n == 0) return 0;
        if (errno == EINTR) continue;
        if (errno != EXDEV && errno != ENOSYS && errno != EINVAL && errno != EOPNOTSUPP) return errno;
        break;  // not supported between these file systems: plain copy
    }
    static thread_local std::vector<char> buffer(1 << 20);
    for (;;) {
        const ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n == 0) return 0;
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (!WriteAll(out, buffer.data(), static_cast<size_t>(n))) return errno;
    }
}

// Moves a file to another file system: copy to a hidden temporary file
// beside the destination, keep mode and times, fsync, rename into place, and
// only then remove the source.  Returns 0 or an errno.
int CrossDeviceMove(const QByteArray& from, const QByteArray& to, bool replace) {
    // The source must be removable afterwards, or the move would leave two
    // copies; find out before anything is written.
    if (::access(NativeParent(from).constData(), W_OK | X_OK) != 0) return errno;

    const int in = ::open(from.constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return errno;
    struct stat st;
    if (::fstat(in, &st) != 0) {
        const int err = errno;
        ::close(in);
        return err;
    }
    QByteArray temp;
    int out = -1;
    for (int attempt = 0; attempt < 100 && out < 0; ++attempt) {
        temp = TemporarySibling(NativeParent(to), NativeName(to));
        out = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (out < 0 && errno != EEXIST) break;
    }
    if (out < 0) {
        const int err = errno;
        ::close(in);
        return err;
    }
    int err = CopyContents(in, out);
    ::close(in);
    if (err == 0) {
        ::fchmod(out, st.st_mode & 07777);
        if (::fchown(out, st.st_uid, st.st_gid) != 0) { /* keeping the owner is best effort */ }
        const struct timespec times[2] = {st.st_atim, st.st_mtim};
        ::futimens(out, times);
        if (::fsync(out) != 0) err = errno;
    }
    if (::close(out) != 0 && err == 0) err = errno;
    if (err == 0) err = RenameWith(temp.constData(), to.constData(), replace);
    if (err != 0) {
        ::unlink(temp.constData());
        return err;
    }
    SyncFolder(NativeParent(to));
    if (::unlink(from.constData()) != 0) return errno;
    return 0;
}

int MovePath(const QByteArray& from, const QByteArray& to, bool replace) {
    int err = g_rename(from.constData(), to.constData(), replace ? 0u : unsigned(RENAME_NOREPLACE));
    if (err == EINVAL || err == ENOSYS || err == ENOTSUP) {
        // No renameat2 flags on this file system.
        if (replace) err = ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
        else err = RenameNoReplace(from.constData(), to.constData());
    }
    if (err == EXDEV) err = CrossDeviceMove(from, to, replace);
    return err;
}

// The intermediate place of a change of letter case records the old name
// whole, so a move cut short between its two renames is put back under that
// very name (RestoreInterruptedCaseChange): the name ".<old name>"
// kCaseMarker "<letters>" beside the file where that fits NAME_MAX, else the
// old name itself inside a new hidden folder kCaseMarker "<letters>" beside
// it (a name cannot both keep all of a long name and add the marker).  The
// letters are always kCaseLetters of kCaseAlphabet, so that only this exact
// form is taken for the program's own: a user's ".svcase-notes" is not.
constexpr char kCaseMarker[] = ".svcase-";
constexpr qsizetype kCaseMarkerSize = qsizetype(sizeof kCaseMarker - 1);
constexpr char kCaseAlphabet[] = "0123456789abcdefghijklmnopqrstuvwxyz";
constexpr qsizetype kCaseLetters = 7;
constexpr qsizetype kNameMax = 255;

QByteArray CaseLetters() {
    QByteArray letters(kCaseLetters, '0');
    for (char& c : letters) c = kCaseAlphabet[QRandomGenerator::global()->bounded(int(sizeof kCaseAlphabet - 1))];
    return letters;
}

// A name of `length` bytes leaves no room for the marker and the letters
// beside it: its change of letter case goes through a hiding folder.
bool NeedsHidingFolder(qsizetype length) { return 1 + length + kCaseMarkerSize + kCaseLetters > kNameMax; }

enum class CaseForm { None, Intermediate, HidingFolder };

// The form the name alone has: the marker and exactly kCaseLetters letters
// of the alphabet at its end, after nothing else (a hiding folder) or after
// "." and an old name (an intermediate name).
CaseForm CaseFormOfName(const char* name, qsizetype length) {
    constexpr qsizetype tail = kCaseMarkerSize + kCaseLetters;
    if (length < tail || name[0] != '.') return CaseForm::None;
    const char* marker = name + (length - tail);
    if (std::memcmp(marker, kCaseMarker, size_t(kCaseMarkerSize)) != 0) return CaseForm::None;
    for (const char* c = marker + kCaseMarkerSize; c < name + length; ++c)
        if (!std::memchr(kCaseAlphabet, *c, sizeof kCaseAlphabet - 1)) return CaseForm::None;
    if (marker == name) return CaseForm::HidingFolder;
    return marker - name >= 2 ? CaseForm::Intermediate : CaseForm::None;
}

struct CaseLeftover {
    CaseForm form = CaseForm::None;
    QByteArray oldName;  // what to put back; empty for an empty hiding folder
};

// `name` in the open folder `dirfd` as a leftover of a change of letter
// case, only in the exact form the program makes: an intermediate name that
// is a file or a link, or a hiding folder (a folder, no link to one) that
// holds nothing but at most one file or link whose name needed the folder.
CaseLeftover FindCaseLeftover(int dirfd, const char* name) {
    const qsizetype length = qsizetype(std::strlen(name));
    const CaseForm form = CaseFormOfName(name, length);
    if (form == CaseForm::None) return {};
    struct stat st;
    if (::fstatat(dirfd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) return {};
    if (form == CaseForm::Intermediate) {
        const QByteArray old(name + 1, length - 1 - kCaseMarkerSize - kCaseLetters);
        if ((!S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode)) || old == "." || old == "..") return {};
        return {form, old};
    }
    if (!S_ISDIR(st.st_mode)) return {};
    const int fd = ::openat(dirfd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return {};
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return {};
    }
    CaseLeftover found{form, {}};
    bool ours = true;
    while (const dirent* entry = ::readdir(dir)) {
        const char* inside = entry->d_name;
        if (inside[0] == '.' && (inside[1] == 0 || (inside[1] == '.' && inside[2] == 0))) continue;
        const qsizetype size = qsizetype(std::strlen(inside));
        struct stat entryStat;
        if (!found.oldName.isEmpty() || !NeedsHidingFolder(size) ||
            ::fstatat(::dirfd(dir), inside, &entryStat, AT_SYMLINK_NOFOLLOW) != 0 ||
            !(S_ISREG(entryStat.st_mode) || S_ISLNK(entryStat.st_mode))) {
            ours = false;
            break;
        }
        found.oldName = QByteArray(inside, size);
    }
    ::closedir(dir);
    return ours ? found : CaseLeftover{};
}

// A change of letter case alone: through an unused intermediate place, so a
// file system that ignores case never sees the new name as taken.  Returns
// 0 or an errno; `noHidingFolder` tells that the hiding folder could not be
// made, and nothing was moved.
int RenameCaseOnly(const QByteArray& from, const QByteArray& to, bool& noHidingFolder) {
    noHidingFolder = false;
    QByteArray folder = NativeParent(from);
    if (!folder.endsWith('/')) folder += '/';
    const QByteArray name = NativeName(from);
    const bool inHidingFolder = NeedsHidingFolder(name.size());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray letters = CaseLetters();
        const QByteArray hidingFolder = folder + kCaseMarker + letters;
        if (inHidingFolder) {
            const int made = g_makeFolder(hidingFolder.constData(), 0700);
            if (made == EEXIST) continue;
            if (made != 0) {
                noHidingFolder = true;
                return made;
            }
        }
        const QByteArray middle =
            inHidingFolder ? hidingFolder + '/' + name : folder + '.' + name + kCaseMarker + letters;
        int err = g_rename(from.constData(), middle.constData(), RENAME_NOREPLACE);
        if (err == EINVAL || err == ENOSYS || err == ENOTSUP) err = RenameNoReplace(from.constData(), middle.constData());
        if (err == 0) {
            err = RenameNoReplace(middle.constData(), to.constData());
            if (err != 0) RenameNoReplace(middle.constData(), from.constData());
        } else if (err == EEXIST && !inHidingFolder) {
            continue;  // the intermediate name is taken: another one
        }
        if (inHidingFolder) ::rmdir(hidingFolder.constData());  // empty again, whatever happened
        return err;
    }
    return EEXIST;
}

QString SizeInKb(qint64 bytes) { return QLocale().toString((bytes + 512) / 1024); }

// ---- folder walk ------------------------------------------------------------

// The entries of an open folder, read straight from the kernel in large
// batches on the folder's own descriptor: a walk over thousands of folders
// makes a few calls per folder.  The buffer is the caller's, shared by the
// levels of a walk (a folder is read whole before its subfolders are).
class FolderEntries {
public:
    FolderEntries(int fd, std::vector<char>& buffer) : m_fd(fd), m_buffer(buffer) {}
    const dirent64* next() {
        if (m_pos >= m_end) {
            ssize_t n;
            do {
                n = ::getdents64(m_fd, m_buffer.data(), m_buffer.size());
            } while (n < 0 && errno == EINTR);
            if (n <= 0) return nullptr;  // the end, or a folder that cannot be read on
            m_pos = 0;
            m_end = static_cast<size_t>(n);
        }
        const auto* entry = reinterpret_cast<const dirent64*>(m_buffer.data() + m_pos);
        m_pos += entry->d_reclen;
        return entry;
    }

private:
    int m_fd;
    std::vector<char>& m_buffer;
    size_t m_pos = 0;
    size_t m_end = 0;
};

enum class EntryKind { Other, File, Folder, FolderLink };

// Kind of a directory entry; `st` is filled (and `haveStat` set) when the
// entry had to be examined.  Links are followed to decide the kind, but a
// link to a folder stays a link.
EntryKind KindOf(int dirfd, const dirent64* entry, struct stat& st, bool& haveStat) {
    haveStat = false;
    switch (entry->d_type) {
    case DT_REG: return EntryKind::File;
    case DT_DIR: return EntryKind::Folder;
    case DT_LNK: break;
    case DT_UNKNOWN: {
        if (::fstatat(dirfd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) return EntryKind::Other;
        haveStat = true;
        if (S_ISREG(st.st_mode)) return EntryKind::File;
        if (S_ISDIR(st.st_mode)) return EntryKind::Folder;
        if (!S_ISLNK(st.st_mode)) return EntryKind::Other;
        break;
    }
    default: return EntryKind::Other;  // FIFOs, sockets, devices: never opened
    }
    if (::fstatat(dirfd, entry->d_name, &st, 0) != 0) return EntryKind::Other;  // dangling link
    haveStat = true;
    if (S_ISREG(st.st_mode)) return EntryKind::File;
    if (S_ISDIR(st.st_mode)) return EntryKind::FolderLink;
    return EntryKind::Other;
}

struct Walk {
    std::vector<FolderListEntry>& list;
    int32_t mask;
    FileNamePattern pattern;
    bool recurse;
    const bool& stop;
    ThrottledYield yield;
    const std::function<void(const std::vector<FolderListEntry>&)>& listed;
    std::vector<char> buffer = std::vector<char>(64 * 1024);

    bool allows(bool readOnly, bool hidden, bool folder) const {
        if (readOnly && !(mask & FileAttribute::ReadOnly)) return false;
        if (hidden && !(mask & FileAttribute::Hidden)) return false;
        if (folder && !(mask & FileAttribute::Directory)) return false;
        return true;
    }

    // Walks the open folder `fd` (taken over); returns false once stopped.
    bool run(int fd, const QString& folderText) {
        FolderEntries entries(fd, buffer);
        const bool needMode = !(mask & FileAttribute::ReadOnly);
        std::vector<QString> found;
        std::vector<std::pair<QString, QByteArray>> subfolders;
        bool stopped = false;
        while (const dirent64* entry = entries.next()) {
            const char* name = entry->d_name;
            if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0))) continue;
            yield();
            if (stop) {
                stopped = true;
                break;
            }
            struct stat st;
            bool haveStat = false;
            const EntryKind kind = KindOf(fd, entry, st, haveStat);
            if (kind == EntryKind::Other) continue;
            const bool hidden = name[0] == '.';
            const size_t length = std::strlen(name);
            const bool isFolder = kind != EntryKind::File;
            bool readOnlyKnown = false, readOnly = false;
            auto readOnlyNow = [&]() {
                if (!readOnlyKnown) {
                    if (!haveStat && ::fstatat(fd, name, &st, 0) == 0) haveStat = true;
                    readOnly = haveStat && !(st.st_mode & S_IWUSR);
                    readOnlyKnown = true;
                }
                return readOnly;
            };
            if (pattern.matches(name, length) && allows(needMode && readOnlyNow(), hidden, isFolder))
                found.push_back(PathFromNative(name, qsizetype(length)));
            if (recurse && kind == EntryKind::Folder && allows(needMode && readOnlyNow(), hidden, false))
                subfolders.emplace_back(PathFromNative(name, qsizetype(length)), QByteArray(name, qsizetype(length)));
        }
        if (!stopped) {
            std::sort(found.begin(), found.end(), NameLess);
            if (list.capacity() < list.size() + found.size())
                list.reserve(std::max(list.size() + found.size(), list.capacity() * 2));
            for (QString& name : found) list.push_back(FolderListEntry{folderText, std::move(name)});
            if (listed && !found.empty()) listed(list);
            std::sort(subfolders.begin(), subfolders.end(),
                      [](const auto& a, const auto& b) { return NameLess(a.first, b.first); });
            for (const auto& [name, raw] : subfolders) {
                yield();
                if (stop) {
                    stopped = true;
                    break;
                }
                const int child = ::openat(fd, raw.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
                if (child < 0) continue;
                if (!run(child, ChildFolder(folderText, name))) {
                    stopped = true;
                    break;
                }
            }
        }
        ::close(fd);
        return !stopped && !stop;
    }
};

struct Search {
    FileNamePattern pattern;
    const bool& stop;
    const std::function<void(const QString&)>& status;
    QString statusPrefix;
    ThrottledYield yield;
    std::vector<char> buffer = std::vector<char>(64 * 1024);

    // Searches the open folder `fd` (taken over); the folder text when found.
    QString run(int fd, const QString& folderText, const QString& shownText) {
        if (status) status(statusPrefix + shownText);
        FolderEntries entries(fd, buffer);
        bool here = false;
        std::vector<std::pair<QString, QByteArray>> subfolders;
        while (const dirent64* entry = entries.next()) {
            const char* name = entry->d_name;
            if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0))) continue;
            yield();
            if (stop) break;
            // A file a change of letter case left aside is in no place a
            // search should lead to.
            if (IsCaseChangeLeftover(fd, name)) continue;
            struct stat st;
            bool haveStat = false;
            const EntryKind kind = KindOf(fd, entry, st, haveStat);
            const size_t length = std::strlen(name);
            if (kind == EntryKind::File && pattern.matches(name, length)) {
                here = true;
                break;
            }
            if (kind == EntryKind::Folder)
                subfolders.emplace_back(PathFromNative(name, qsizetype(length)), QByteArray(name, qsizetype(length)));
        }
        if (stop) {
            ::close(fd);
            return QString();
        }
        if (here) {
            ::close(fd);
            return folderText;
        }
        std::sort(subfolders.begin(), subfolders.end(),
                  [](const auto& a, const auto& b) { return NameLess(a.first, b.first); });
        QString result;
        for (const auto& [name, raw] : subfolders) {
            yield();
            if (stop) break;
            const int child = ::openat(fd, raw.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (child < 0) continue;
            const QString childText = ChildFolder(folderText, name);
            result = run(child, childText, childText);
            if (!result.isEmpty() || stop) break;
        }
        ::close(fd);
        return stop ? QString() : result;
    }
};

// The freedesktop home trash ($XDG_DATA_HOME/Trash), created when missing.
bool HomeTrashReady() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty() || !QDir().mkpath(data)) return false;
    const QString trash = data + QStringLiteral("/Trash");
    if (QDir(data).mkdir(QStringLiteral("Trash")))
        QFile::setPermissions(trash, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QFileInfo info(trash);
    return info.isDir() && !info.isSymLink();
}

// Moves a file whose name Qt cannot spell (not UTF-8) to the home trash by
// its bytes: an info file that records the original path (percent-encoded,
// as the trash expects), then a rename into the trash's files.  False when
// the file lies on another file system than the trash: it is never copied or
// deleted instead.
bool MoveToHomeTrashByBytes(const QString& path) {
    if (!HomeTrashReady()) return false;
    const QByteArray trash =
        NativePath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Trash"));
    ::mkdir((trash + "/files").constData(), 0700);
    ::mkdir((trash + "/info").constData(), 0700);
    const QByteArray from = NativePath(QDir::isAbsolutePath(path) ? path : QDir::current().absoluteFilePath(path));
    const QByteArray name = NativeName(from);
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const QByteArray candidate = attempt == 0 ? name : name + '.' + QByteArray::number(attempt);
        const QByteArray info = trash + "/info/" + candidate + ".trashinfo";
        const int fd = ::open(info.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return false;
        }
        const QByteArray text = "[Trash Info]\nPath=" + from.toPercentEncoding("/") + "\nDeletionDate=" +
                                QDateTime::currentDateTime().toString(Qt::ISODate).toLatin1() + '\n';
        const bool written = WriteAll(fd, text.constData(), size_t(text.size())) && ::fsync(fd) == 0;
        ::close(fd);
        const QByteArray target = trash + "/files/" + candidate;
        if (!written || RenameNoReplace(from.constData(), target.constData()) != 0) {
            ::unlink(info.constData());
            return false;
        }
        return true;
    }
    return false;
}

}  // namespace

// ---- pattern ------------------------------------------------------------------

FileNamePattern::FileNamePattern(const QString& pattern) {
    if (pattern.isEmpty() || pattern == QLatin1String("*.*") || pattern == QLatin1String("*")) {
        m_kind = Kind::All;
        return;
    }
    const QByteArray bytes = pattern.toUtf8();
    bool ascii = true;
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) ascii = false;
    const QByteArray rest = bytes.startsWith('*') ? bytes.mid(1) : bytes;
    const bool restPlain = !rest.contains('*') && !rest.contains('?');
    if (ascii && restPlain) {
        m_kind = bytes.startsWith('*') ? Kind::Suffix : Kind::Exact;
        m_literal = rest.toLower();
        return;
    }
    if (!bytes.contains('*') && !bytes.contains('?')) {
        // A plain name with letters beyond ASCII: compared as text.
        m_kind = Kind::Exact;
        m_asciiLiteral = false;
        m_literal = bytes;
        return;
    }
    m_kind = Kind::Glob;
    // "[" has no special meaning in the program's masks.
    for (char c : bytes) {
        if (c == '[') m_glob += "[[]";
        else m_glob += c;
    }
}

bool FileNamePattern::matches(const char* name, size_t length) const {
    switch (m_kind) {
    case Kind::All: return true;
    case Kind::Suffix: {
        const size_t n = size_t(m_literal.size());
        if (length < n) return false;
        const char* tail = name + (length - n);
        for (size_t i = 0; i < n; ++i) {
            char c = tail[i];
            if (c >= 'A' && c <= 'Z') c = char(c + 32);
            if (c != m_literal[qsizetype(i)]) return false;
        }
        return true;
    }
    case Kind::Exact: {
        if (!m_asciiLiteral)
            return QString::compare(QString::fromUtf8(name, qsizetype(length)), QString::fromUtf8(m_literal),
                                    Qt::CaseInsensitive) == 0;
        if (length != size_t(m_literal.size())) return false;
        for (size_t i = 0; i < length; ++i) {
            char c = name[i];
            if (c >= 'A' && c <= 'Z') c = char(c + 32);
            if (c != m_literal[qsizetype(i)]) return false;
        }
        return true;
    }
    case Kind::Glob: return ::fnmatch(m_glob.constData(), name, FNM_CASEFOLD | FNM_NOESCAPE) == 0;
    }
    return false;
}

bool FileNamePattern::matches(const QString& name) const {
    const QByteArray bytes = name.toUtf8();
    return matches(bytes.constData(), size_t(bytes.size()));
}

// ---- yield --------------------------------------------------------------------

void ThrottledYield::operator()() {
    if (m_clock.due() && QCoreApplication::instance()) QCoreApplication::processEvents();
}

// ---- paths --------------------------------------------------------------------

QString JoinPath(const QString& folder, const QString& name) {
    if (folder.isEmpty()) return name;
    if (name.isEmpty()) return folder;
    return ChildFolder(folder, name);
}

QString FileNamePart(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? path : path.mid(slash + 1);
}

QString ParentFolder(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0) return QString();
    if (slash == 0) return QStringLiteral("/");
    return path.left(slash);
}

QString BaseNamePart(const QString& path) {
    QString name = FileNamePart(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot > 0) name.truncate(dot);
    return name;
}

bool FileExists(const QString& path) {
    struct stat st;
    return !path.isEmpty() && ::stat(Native(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

bool FolderExists(const QString& path) {
    struct stat st;
    return !path.isEmpty() && ::stat(Native(path).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

void SetRenameFunctionForTesting(RenameFunction function) { g_rename = function ? function : &RealRename; }

void SetMakeFolderFunctionForTesting(MakeFolderFunction function) {
    g_makeFolder = function ? function : &RealMakeFolder;
}

// ---- walk and search ------------------------------------------------------------

void GetFolderList(const QString& folder, std::vector<FolderListEntry>& list, int32_t attributeMask,
                   const QString& pattern, bool recurse, const bool& stopFlag,
                   const std::function<void(const std::vector<FolderListEntry>&)>& listed) {
    try {
        if (folder.isEmpty() || stopFlag) return;
        const int fd = ::open(Native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) return;
        Walk walk{list, attributeMask, FileNamePattern(pattern), recurse, stopFlag, ThrottledYield(), listed};
        walk.run(fd, NormaliseFolder(folder));
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("GetFolderList"), folder, QStringLiteral("list"), attributeMask,
                                pattern, recurse, stopFlag));
    }
}

QString FindFile(const QString& folder, const QString& fileName, const bool& stopFlag,
                 const std::function<void(const QString&)>& showStatus) {
    try {
        Search search{FileNamePattern(fileName), stopFlag, showStatus, GetResourceString(TextId::Common::Searching),
                      ThrottledYield()};
        const int fd = folder.isEmpty() ? -1 : ::open(Native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) {
            if (showStatus) showStatus(search.statusPrefix + folder);
            return QString();
        }
        const QString found = search.run(fd, NormaliseFolder(folder), folder);
        // The start folder comes back exactly as the caller wrote it.
        return found == NormaliseFolder(folder) ? folder : found;
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("FindFile"), folder, fileName));
    }
}

// ---- delete -----------------------------------------------------------------------

bool SendFileToRecycleBin(const QString& path) {
    try {
        // QFile::moveToTrash falls back to the current folder when it cannot
        // set up the home trash; make sure it exists first, or refuse.
        if (HasRawBytes(path)) return MoveToHomeTrashByBytes(path);
        if (!HomeTrashReady()) return false;
        return QFile::moveToTrash(path);
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("SendFileToRecycleBin"), path));
    }
}

bool DeleteFile(const QString& folder, const QString& fileName, bool toRecycleBin) {
    try {
        const QString path = JoinPath(folder, fileName);
        const QByteArray native = Native(path);
        struct stat st;
        auto present = [&]() {
            if (::lstat(native.constData(), &st) == 0) return !S_ISDIR(st.st_mode);
            if (errno == ENOENT || errno == ENOTDIR) return false;
            RaisePlainErrno(errno, false);
        };
        if (path.isEmpty() || !present()) return true;
        if (toRecycleBin) {
            SendFileToRecycleBin(path);
        } else {
            // Like the platform the program was designed on: a read-only
            // file is not deleted for good.
            if (S_ISREG(st.st_mode) && !(st.st_mode & S_IWUSR)) RaisePlainErrno(EACCES, true);
            if (::unlink(native.constData()) != 0) RaisePlainErrno(errno, true);
        }
        return !present();
    } catch (...) {
        const SvError error = CurrentError();
        if (error.number() == ErrNo::PathFileAccess) return false;
        PropagateError(CallSite(QStringLiteral("DeleteFile"), folder, fileName));
    }
}

// ---- move -------------------------------------------------------------------------

bool MoveFile(const QString& source, const QString& destination) {
    if (source == destination) return false;
    QString title;
    try {
        const bool sameFolder = ParentFolder(source) == ParentFolder(destination);
        title = GetResourceString(sameFolder ? TextId::Common::ErrorRenamingFile : TextId::Common::ErrorMovingFile);
        const QString sourceName = FileNamePart(source);
        const QByteArray from = Native(source);
        const QByteArray to = Native(destination);

        struct stat sst;
        if (::stat(from.constData(), &sst) != 0 || !S_ISREG(sst.st_mode)) {
            MsgBox(sourceName + kCrLf2 + GetResourceString(TextId::Common::SourceFileMissing),
                   Mb::OKOnly | Mb::Exclamation, title);
            return false;
        }
        const QString destinationFolder = ParentFolder(destination);
        if (!FolderExists(destinationFolder.isEmpty() ? QStringLiteral(".") : destinationFolder)) {
            MsgBox(FileNamePart(destination) + kCrLf2 + GetResourceString(TextId::Common::DestinationFolderMissing),
                   Mb::OKOnly | Mb::Exclamation, GetResourceString(TextId::Common::ErrorMovingFile));
            return false;
        }

        // The folders compared by identity, not spelling ("a/./b", "a//b" and
        // a linked folder are one folder).
        struct stat sourceFolder, destinationFolderStat;
        const bool oneFolder =
            sameFolder || (::stat(NativeParent(from).constData(), &sourceFolder) == 0 &&
                           ::stat(NativeParent(to).constData(), &destinationFolderStat) == 0 &&
                           sourceFolder.st_dev == destinationFolderStat.st_dev &&
                           sourceFolder.st_ino == destinationFolderStat.st_ino);
        const bool caseOnly = oneFolder && QString::compare(sourceName, FileNamePart(destination),
                                                            Qt::CaseInsensitive) == 0;
        struct stat dst;
        const bool destinationTaken = ::lstat(to.constData(), &dst) == 0;
        const bool destinationIsLink = destinationTaken && S_ISLNK(dst.st_mode);
        struct stat dstTarget;
        const bool sameFile = destinationTaken && ::stat(to.constData(), &dstTarget) == 0 &&
                              dstTarget.st_dev == sst.st_dev && dstTarget.st_ino == sst.st_ino;
        // The destination is the source's own entry spelled another way:
        // nothing to move, and deleting "the other name" would lose the file.
        if (sameFile && !destinationIsLink && oneFolder && NativeName(from) == NativeName(to)) return false;

        int err = 0;
        if (caseOnly && (!destinationTaken || sameFile)) {
            // Only the letter case changes (on a file system that ignores
            // case, the new name already "exists" and is the file itself).
            bool noHidingFolder = false;
            err = RenameCaseOnly(from, to, noHidingFolder);
            if (noHidingFolder) {
                // Nothing was moved: a failure of this file alone (no inode
                // left, say), reported with the system's reason.
                MsgBox(sourceName + kCrLf2 + StandardErrorText(ErrnoToErrorNumber(err, true)) + QLatin1Char('.'),
                       Mb::OKOnly | Mb::Exclamation, title);
                return false;
            }
        } else {
            bool replace = false;
            if (destinationTaken && !S_ISDIR(dst.st_mode)) {
                const qint64 destinationSize = ::stat(to.constData(), &dstTarget) == 0 ? dstTarget.st_size : dst.st_size;
                const QString question = QLatin1Char('\'') + destination + QStringLiteral("' (") +
                                         SizeInKb(destinationSize) +
                                         GetResourceString(TextId::Common::AlreadyExistsOverwrite) +
                                         SizeInKb(sst.st_size) + QStringLiteral("KB)?");
                if (MsgBox(question, Mb::YesNo | Mb::Exclamation,
                           GetResourceString(TextId::Common::FileAlreadyExists)) != Mb::Yes)
                    return false;
                replace = true;
            }
            if (replace && sameFile && !destinationIsLink) {
                // Two names (hard links) of one file: the destination already
                // holds it.  A link at the destination is replaced by the file.
                err = ::unlink(from.constData()) == 0 ? 0 : errno;
            } else {
                err = MovePath(from, to, replace);
            }
        }
        if (err == EEXIST || err == ENOTEMPTY || err == EISDIR) {
            // Something took the destination name meanwhile (or it is a
            // folder): nothing is replaced.
            MsgBox(sourceName + kCrLf2 + GetResourceString(TextId::Common::FileOperationUnsuccessful),
                   Mb::OKOnly | Mb::Exclamation, title);
            return false;
        }
        if (err != 0) RaisePlainErrno(err, true);
        return true;
    } catch (...) {
        const SvError error = CurrentError();
        if (error.number() == ErrNo::PathFileAccess && !title.isEmpty()) {
            MsgBox(FileNamePart(source) + kCrLf2 + error.description() + QLatin1Char('.'),
                   Mb::OKOnly | Mb::Exclamation, title);
            return false;
        }
        PropagateError(CallSite(QStringLiteral("MoveFile"), source, destination));
    }
}

bool IsCaseChangeLeftover(int folderFd, const char* name) {
    return FindCaseLeftover(folderFd, name).form != CaseForm::None;
}

namespace {
// `old` with " (n)" before its extension, the stem shortened (at a
// character boundary) so that the whole fits NAME_MAX: the number and the
// extension always stay.
QByteArray NumberedName(const QByteArray& old, int n) {
    const QByteArray number = " (" + QByteArray::number(n) + ')';
    const qsizetype dot = old.lastIndexOf('.');
    QByteArray stem = old, extension;
    if (dot > 0 && old.size() - dot + number.size() <= kNameMax) {
        stem = old.left(dot);
        extension = old.mid(dot);
    }
    qsizetype cut = kNameMax - number.size() - extension.size();
    if (stem.size() > cut) {
        for (int back = 0; back < 3 && cut > 0 && (static_cast<unsigned char>(stem[cut]) & 0xC0) == 0x80; ++back) --cut;
        stem.truncate(cut);
    }
    return stem + number + extension;
}

// Moves the file or link `from` (never what a link leads to) to `base`
// (ending in "/") under `old`, or when another file took that meanwhile,
// "stem (2).ext" and so on: never over another file.
void PutBack(const QByteArray& from, const QByteArray& base, const QByteArray& old) {
    for (int n = 1; n < 100; ++n) {
        const QByteArray to = n == 1 ? old : NumberedName(old, n);
        const int err = RenameNoReplace(from.constData(), (base + to).constData());
        if (err != EEXIST) break;  // put back, or a failure that another name would meet too
    }
}
}  // namespace

void RestoreInterruptedCaseChange(const QByteArray& folder, const char* name) {
    QByteArray base = folder.isEmpty() ? QByteArrayLiteral(".") : folder;
    const int dirfd = ::open(base.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirfd < 0) return;
    const CaseLeftover leftover = FindCaseLeftover(dirfd, name);
    ::close(dirfd);
    if (!base.endsWith('/')) base += '/';
    const QByteArray from = base + name;
    switch (leftover.form) {
    case CaseForm::None: return;
    case CaseForm::Intermediate: PutBack(from, base, leftover.oldName); return;
    case CaseForm::HidingFolder:
        // The file in it stands under its own name.
        if (!leftover.oldName.isEmpty()) PutBack(from + '/' + leftover.oldName, base, leftover.oldName);
        ::rmdir(from.constData());  // only once it is empty
        return;
    }
}

// ---- names ----------------------------------------------------------------------

QString EnsureFileNameCompatible(QString& name, const QString& extra) {
    try {
        static const QString forbidden = QStringLiteral("\\ / : * ? \" < > |");
        for (const QString& c : forbidden.split(QLatin1Char(' '))) name.remove(c, Qt::CaseSensitive);
        if (!extra.isEmpty()) name.remove(extra, Qt::CaseSensitive);
        return TrimBlanks(name);
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("EnsureFileNameCompatible"), name, extra));
    }
}

bool EnsureFileNameCompatibleTextBox(QString& text, int& caret, const QString& extra) {
    const QString before = text;
    EnsureFileNameCompatible(text, extra);
    if (text == before) return false;
    caret = std::max(0, caret - 1);
    return true;
}

bool IsWriteable(const QString& path, bool force) {
    try {
        const QByteArray native = Native(path);
        struct stat st;
        if (::stat(native.constData(), &st) != 0) RaiseErrno(errno, false, QStringLiteral("Sonivard"), path);
        if (st.st_mode & S_IWUSR) return true;
        if (!force) return false;
        if (::chmod(native.constData(), (st.st_mode & 07777) | S_IWUSR) != 0)
            RaiseErrno(errno, true, QStringLiteral("Sonivard"), path);
        if (::stat(native.constData(), &st) != 0) RaiseErrno(errno, false, QStringLiteral("Sonivard"), path);
        return (st.st_mode & S_IWUSR) != 0;
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("IsWriteable"), path, force));
    }
}

// ---- atomic rewrite -------------------------------------------------------------------

AtomicFileWriter::AtomicFileWriter(const QString& path) {
    m_target = Native(path);
    // Rewrite the file a link points to, not the link.
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (!canonical.isEmpty()) m_target = Native(canonical);

    struct stat old;
    const bool existed = ::stat(m_target.constData(), &old) == 0;
    for (int attempt = 0; attempt < 100 && m_fd < 0; ++attempt) {
        m_temp = TemporarySibling(NativeParent(m_target), NativeName(m_target));
        m_fd = ::open(m_temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (m_fd < 0 && errno != EEXIST) break;
    }
    if (m_fd < 0) RaisePlainErrno(errno, true);
    const mode_t mode = existed ? (old.st_mode & 07777) : (0666 & ~CurrentUmask());
    ::fchmod(m_fd, mode);
    if (existed && ::fchown(m_fd, old.st_uid, old.st_gid) != 0) { /* keeping the owner is best effort */ }
}

AtomicFileWriter::~AtomicFileWriter() { abandon(); }

void AtomicFileWriter::abandon() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    if (!m_temp.isEmpty()) ::unlink(m_temp.constData());
    m_temp.clear();
}

void AtomicFileWriter::write(const char* data, size_t size) {
    if (m_fd < 0) RaisePlainErrno(EBADF, true);
    if (!WriteAll(m_fd, data, size)) {
        const int err = errno;
        abandon();
        RaisePlainErrno(err, true);
    }
}

void AtomicFileWriter::writeAt(uint64_t offset, const char* data, size_t size) {
    if (m_fd < 0) RaisePlainErrno(EBADF, true);
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pwrite(m_fd, data + done, size - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const int err = n < 0 ? errno : EIO;
            abandon();
            RaisePlainErrno(err, true);
        }
        done += size_t(n);
    }
}

void AtomicFileWriter::commit() {
    if (m_fd < 0) RaisePlainErrno(EBADF, true);
    int err = ::fsync(m_fd) == 0 ? 0 : errno;
    if (::close(m_fd) != 0 && err == 0) err = errno;
    m_fd = -1;
    if (err == 0 && ::rename(m_temp.constData(), m_target.constData()) != 0) err = errno;
    if (err != 0) {
        abandon();
        RaisePlainErrno(err, true);
    }
    m_temp.clear();
    SyncFolder(NativeParent(m_target));
}

void WriteFileAtomically(const QString& path, const QByteArray& data) {
    AtomicFileWriter file(path);
    file.write(data.constData(), size_t(data.size()));
    file.commit();
}
