#include "coordinator/ApplyChanges.h"

#include "coordinator/NameDerivation.h"
#include "coordinator/SimResultsModel.h"
#include "foundation/Errors.h"
#include "foundation/FileUtils.h"
#include "foundation/Genres.h"
#include "foundation/MessageUi.h"
#include "foundation/NativePath.h"
#include "foundation/ResourceStrings.h"
#include "quillmark/Quillmark.h"
#include "scanning/engine/FileBytes.h"
#include "scanning/engine/FileErrorReport.h"
#include "scanning/engine/ID3v1.h"
#include "scanning/engine/ID3v2TagInfo.h"

#include <QRandomGenerator>
#include <QScopeGuard>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

ApplyWriteFault g_writeFault = nullptr;

constexpr const char* kSource = "Sonivard";

// The marker of the hidden files a tag rewrite writes before it renames them
// over their file: ".<name>" + kTempMarker + random letters.  Only Apply
// makes such files, and none of them is ever the only copy of anything, so
// any one left by an interrupted run can go.
constexpr const char kTempMarker[] = ".svtag-";

[[noreturn]] void RaiseWrite(int err) { RaiseErrno(err, true, QString::fromLatin1(kSource)); }
[[noreturn]] void RaiseRead(int err, const QString& path) { RaiseErrno(err, false, QString::fromLatin1(kSource), path); }

bool WriteAllBytes(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        data += n;
        size -= size_t(n);
    }
    return true;
}

bool PreadAll(int fd, char* data, size_t size, off_t offset) {
    while (size > 0) {
        const ssize_t n = ::pread(fd, data, size, offset);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        data += n;
        size -= size_t(n);
        offset += n;
    }
    return true;
}

// Copies `length` bytes of `in` from `offset` to the end of `out`.
bool CopyRange(int in, off_t offset, uint64_t length, int out) {
    while (length > 0) {
        const ssize_t n = ::copy_file_range(in, &offset, out, nullptr, size_t(std::min<uint64_t>(length, 1u << 30)), 0);
        if (n > 0) {
            length -= uint64_t(n);
            continue;
        }
        if (n == 0) {
            errno = EIO;  // the file became shorter meanwhile
            return false;
        }
        if (errno == EINTR) continue;
        if (errno != EXDEV && errno != ENOSYS && errno != EINVAL && errno != EOPNOTSUPP) return false;
        break;
    }
    static thread_local std::vector<char> buffer(1 << 20);
    while (length > 0) {
        const size_t chunk = size_t(std::min<uint64_t>(length, buffer.size()));
        if (!PreadAll(in, buffer.data(), chunk, offset)) return false;
        if (!WriteAllBytes(out, buffer.data(), chunk)) return false;
        offset += off_t(chunk);
        length -= chunk;
    }
    return true;
}

QByteArray Base36Random() { return QByteArray::number(QRandomGenerator::global()->generate64(), 36); }

// The marker of a hidden file's name: its last occurrence (a file's own
// name may hold the same letters).
const char* FindMarker(const char* name) {
    const char* found = nullptr;
    for (const char* at = std::strstr(name, kTempMarker); at; at = std::strstr(at + 1, kTempMarker)) found = at;
    return found;
}

// A hidden file of Apply: ".<name>.svtag-<letters>", or, for a file that is
// renamed as it is rewritten, ".<old name>.svtag-<letters>-<old inode>".
bool IsApplyTemporary(const char* name) {
    if (name[0] != '.') return false;
    const char* marker = FindMarker(name + 1);
    if (!marker || marker == name + 1) return false;
    const char* tail = marker + sizeof kTempMarker - 1;
    if (*tail == '\0' || *tail == '-') return false;
    int dashes = 0;
    for (const char* c = tail; *c; ++c) {
        if (*c == '-') {
            if (++dashes > 1 || c[1] == '\0') return false;
            continue;
        }
        if (!((*c >= '0' && *c <= '9') || (*c >= 'a' && *c <= 'z'))) return false;
    }
    return true;
}

// A rename with a rewrite puts the new file in place under its new name
// (a second name of the hidden file) before it removes the old file.  A
// run killed in between leaves both, and the hidden name, which still
// names the new file, records the old one: its name and its inode.  The old
// file is removed only while it is that very file and has no other name.
void FinishInterruptedMove(int dfd, const char* hiddenName, const struct stat& hidden) {
    if (hidden.st_nlink < 2) return;  // the new file never got its new name
    const char* marker = FindMarker(hiddenName + 1);
    const char* dash = std::strchr(marker + sizeof kTempMarker - 1, '-');
    if (!dash) return;
    char* end = nullptr;
    errno = 0;
    const unsigned long long inode = std::strtoull(dash + 1, &end, 36);
    if (errno != 0 || !end || *end != '\0') return;
    const std::string oldName(hiddenName + 1, marker);
    struct stat old;
    if (::fstatat(dfd, oldName.c_str(), &old, AT_SYMLINK_NOFOLLOW) != 0) return;  // already gone
    if (!S_ISREG(old.st_mode) || old.st_dev != hidden.st_dev || uint64_t(old.st_ino) != inode ||
        old.st_ino == hidden.st_ino || old.st_nlink != 1)
        return;
    ::unlinkat(dfd, oldName.c_str(), 0);
}

// Removes the hidden files an interrupted run left in `folder`, first
// finishing a move that was cut short, and puts back a file a change of
// letter case left under its intermediate name.  The folder is read once
// per run anyway, so finding them costs no call per file.
void RemoveStaleTemporaries(const QByteArray& folder) {
    DIR* dir = ::opendir(folder.isEmpty() ? "." : folder.constData());
    if (!dir) return;
    const int dfd = ::dirfd(dir);
    std::vector<std::string> stale, cutShort;
    while (const dirent* entry = ::readdir(dir)) {
        if (IsApplyTemporary(entry->d_name)) stale.emplace_back(entry->d_name);
        else if (IsCaseChangeLeftover(dfd, entry->d_name)) cutShort.emplace_back(entry->d_name);
    }
    for (const std::string& name : cutShort) RestoreInterruptedCaseChange(folder, name.c_str());
    for (const std::string& name : stale) {
        struct stat st;
        if (::fstatat(dfd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode)) continue;
        FinishInterruptedMove(dfd, name.c_str(), st);
        ::unlinkat(dfd, name.c_str(), 0);
    }
    ::closedir(dir);
}

QString Text(int32_t id) { return GetResourceString(id); }

void Warn(const QString& path, int32_t textId, int32_t titleId) {
    MsgBox(path + QStringLiteral("\r\n\r\n") + Text(textId), Mb::OKOnly | Mb::Exclamation, Text(titleId));
}

// Reports the error being handled for `path` in the program's file-error
// form: the file's name, the failed step and the system's reason (a full
// disk, say).  Only a missing tag object, no fault of the file, goes to the
// critical error box.
void ReportFailure(const QString& path, int32_t action) {
    const SvError error = CurrentError();
    if (!ReportReadFailure(path, action, error)) DisplayErrorMessage(error);
}

bool IsEmpty(const ID3v1Tag& tag) { return CompareID3v1(tag, ID3v1Tag{}); }
bool IsEmpty(const ID3v2Tag& tag) { return CompareID3v2(tag, ID3v2Tag{}); }

// Opens the file whose tags are read and rewritten, once for both.  A file
// that cannot be opened stays closed here: the reads by path then meet the
// same failure and report it as they always do.
void OpenForTags(FileBytes& file, const QString& path) {
    try {
        file.open(path);
    } catch (...) {
        file.close();
    }
}

// What stat would say of the open file.
struct stat StatOf(const struct statx& x) {
    struct stat st {};
    st.st_dev = makedev(x.stx_dev_major, x.stx_dev_minor);
    st.st_ino = x.stx_ino;
    st.st_mode = x.stx_mode;
    st.st_nlink = x.stx_nlink;
    st.st_uid = x.stx_uid;
    st.st_gid = x.stx_gid;
    st.st_size = off_t(x.stx_size);
    st.st_mtim = {time_t(x.stx_mtime.tv_sec), long(x.stx_mtime.tv_nsec)};
    st.st_ctim = {time_t(x.stx_ctime.tv_sec), long(x.stx_ctime.tv_nsec)};
    st.st_atim = {time_t(x.stx_atime.tv_sec), long(x.stx_atime.tv_nsec)};
    return st;
}

// ---- new files, written beside their targets and put in place in batches -----------

// A file rewritten beside its target and not yet renamed over it.  The
// reading thread plans its content; a writer thread writes it.
struct StagedFile {
    QString path;        // the target, as the row names it
    QByteArray target;   // its native path
    QByteArray moveTo;   // the new name's native path, when the file is renamed too
    QString movePath;    // the same, as the row names it
    FileIdentity source; // the target the new file was made from
    dev_t device = 0;    // the file system it is on
    int row = -1;        // the table row it serves
    // The file it replaces, held open: the new content is copied from it,
    // the rename then only drops its name, and freeing its space (the slow
    // part) happens when a reaper thread closes it.
    int oldFd = -1;
    int32_t failAction = FileAction::ModifyID3v2;  // what a failure reports
    size_t folderHash = 0;  // its folder's, which picks its writer thread

    // The new content: `prefix`, then `copyLength` bytes of the old file
    // from `copyFrom`, then the ID3v1 block when `writeBlock`.
    QByteArray tempStem;  // the hidden name up to its random letters
    QByteArray record;    // what follows them (the old inode, for a move)
    QByteArray prefix;
    off_t copyFrom = 0;
    uint64_t copyLength = 0;
    ID3v1Block block{};
    bool writeBlock = false;
    uid_t uid = 0;
    gid_t gid = 0;
    mode_t mode = 0;
    int fault = 0;  // a failure a test injects

    // Written by the writer thread.
    QByteArray temp;  // the hidden new file beside the target
    int fd = -1;      // the new file, open until it is in place
    int error = 0;    // why it could not be written; 0 when it was
};

// Writes one new file in full, or leaves none behind and says why.
void WriteNewFile(StagedFile& f) {
    for (int attempt = 0; attempt < 100 && f.fd < 0; ++attempt) {
        f.temp = f.tempStem + Base36Random() + f.record;
        f.fd = ::open(f.temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (f.fd < 0 && errno != EEXIST) break;
    }
    if (f.fd < 0) {
        f.error = errno;
        return;
    }
    const auto written = [&] {
        if (f.fault != 0) return errno = f.fault, false;
        if (!WriteAllBytes(f.fd, f.prefix.constData(), size_t(f.prefix.size()))) return false;
        if (!CopyRange(f.oldFd, f.copyFrom, f.copyLength, f.fd)) return false;
        if (f.writeBlock && !WriteAllBytes(f.fd, reinterpret_cast<const char*>(f.block.data()), f.block.size()))
            return false;
        // Owner first (changing it clears set-id bits), then the mode.
        if (::fchown(f.fd, f.uid, f.gid) != 0) { /* keeping the owner is best effort */ }
        return ::fchmod(f.fd, f.mode) == 0;
    };
    if (written()) return;
    f.error = errno != 0 ? errno : EIO;
    ::close(std::exchange(f.fd, -1));
    ::unlink(f.temp.constData());
}

// The new files of one batch: written by the writers, made durable by the
// flusher, put in place by the reading thread.
struct StagedBatch {
    std::deque<StagedFile> files;  // a deque: the writers hold pointers into it
    std::vector<int> syncResults;  // 0 or the errno value of the flush, per file
    std::mutex mutex;
    std::condition_variable changed;
    int writing = 0;     // files handed to a writer and not yet written
    bool synced = true;  // the flush asked for is done
};

// Jobs run in the order they come, by threads of their own; the destructor
// lets the jobs still queued run, then joins.  With `room`, a push waits
// while that many jobs are queued or running, so what they hold stays within
// a budget.
template <typename Job>
class WorkQueue {
public:
    WorkQueue(unsigned threads, std::function<void(Job&)> run, size_t room = SIZE_MAX)
        : m_run(std::move(run)), m_room(room) {
        for (unsigned i = 0; i < threads; ++i) m_threads.emplace_back([this] { work(); });
    }
    ~WorkQueue() {
        {
            const std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_wake.notify_all();
        for (std::thread& t : m_threads) t.join();
    }
    WorkQueue(const WorkQueue&) = delete;
    WorkQueue& operator=(const WorkQueue&) = delete;

    template <typename It>
    void push(It first, It last) {
        if (first == last) return;
        {
            std::unique_lock lock(m_mutex);
            m_hasRoom.wait(lock, [&] { return m_jobs.size() + m_running <= m_room; });
            m_jobs.insert(m_jobs.end(), first, last);
        }
        m_wake.notify_all();
    }
    void push(const Job& job) { push(&job, &job + 1); }

private:
    void work() {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_wake.wait(lock, [&] { return m_stopping || !m_jobs.empty(); });
            if (m_jobs.empty()) return;
            Job job = std::move(m_jobs.front());
            m_jobs.pop_front();
            ++m_running;
            lock.unlock();
            m_run(job);
            lock.lock();
            --m_running;
            m_hasRoom.notify_all();
        }
    }

    const std::function<void(Job&)> m_run;
    const size_t m_room;
    std::mutex m_mutex;
    std::condition_variable m_wake, m_hasRoom;
    std::deque<Job> m_jobs;
    size_t m_running = 0;
    bool m_stopping = false;
    std::vector<std::thread> m_threads;  // last: they start once the rest is ready
};

// How many threads work on files side by side.
unsigned FileThreads() { return std::clamp(std::thread::hardware_concurrency(), 1u, 8u); }

// Writes new files on a few threads: creating a file and copying its audio
// is most of the cost of a rewrite, and the file system does it side by
// side for files in different folders.  The files of one folder go to one
// thread, in list order, so they never wait for each other's folder lock.
class WriterPool {
public:
    WriterPool() {
        for (unsigned i = 0; i < FileThreads(); ++i) m_lanes.push_back(std::make_unique<WorkQueue<Job>>(1, &Write));
    }

    void write(StagedFile& file, StagedBatch& batch, size_t folderHash) {
        {
            const std::lock_guard lock(batch.mutex);
            ++batch.writing;
        }
        m_lanes[folderHash % m_lanes.size()]->push({&file, &batch});
    }

private:
    struct Job {
        StagedFile* file;
        StagedBatch* batch;
    };
    static void Write(Job& job) {
        WriteNewFile(*job.file);
        {
            const std::lock_guard done(job.batch->mutex);
            --job.batch->writing;
        }
        job.batch->changed.notify_all();
    }

    std::vector<std::unique_ptr<WorkQueue<Job>>> m_lanes;
};

// Makes the new files of a batch durable on a thread of its own, once they
// are written, while the next batch is read and written.  One flush of each
// file system the batch touches (syncfs) puts all their data on disk in one
// commit, far cheaper than a flush per file; it also waits for other
// programs' writing on that file system.  When it reports an error (which
// may be another file's), each file of that file system is flushed on its
// own, so only the files that really failed are reported.
class SyncWorker {
public:
    void start(StagedBatch& batch) {
        batch.syncResults.assign(batch.files.size(), 0);
        {
            const std::lock_guard lock(batch.mutex);
            batch.synced = false;
        }
        m_queue.push(&batch);
    }
    static void wait(StagedBatch& batch) {
        std::unique_lock lock(batch.mutex);
        batch.changed.wait(lock, [&] { return batch.synced; });
    }

private:
    static void Sync(StagedBatch*& job) {
        StagedBatch& batch = *job;
        {
            std::unique_lock lock(batch.mutex);
            batch.changed.wait(lock, [&] { return batch.writing == 0; });
        }
        std::map<dev_t, std::vector<size_t>> byDevice;
        for (size_t i = 0; i < batch.files.size(); ++i)
            if (batch.files[i].fd >= 0) byDevice[batch.files[i].device].push_back(i);
        for (const auto& [device, members] : byDevice) {
            if (::syncfs(batch.files[members.front()].fd) == 0) continue;
            for (const size_t i : members)
                batch.syncResults[i] = ::fdatasync(batch.files[i].fd) == 0 ? 0 : errno;
        }
        {
            const std::lock_guard done(batch.mutex);
            batch.synced = true;
        }
        batch.changed.notify_all();
    }

    WorkQueue<StagedBatch*> m_queue{1, &Sync};
};

// New files on their way into place, in list order: a batch being read and
// written, and the batch before it, which the disk is making durable
// meanwhile.  A batch goes in place only once each of its files is durable.
class Staging {
public:
    Staging(int64_t& failed, SimResultsModel& table) : m_failed(failed), m_table(table) {}
    ~Staging() { flush(); }

    bool holds(const QByteArray& target) const { return m_targets.contains(target); }

    // True the first time a row's file fails: a file counts once however
    // many of its steps fail, here or on the reading thread.
    bool firstFailure(int row) {
        if (m_counted.contains(row)) return false;
        m_counted.insert(row);
        return true;
    }

    void add(StagedFile file) {
        m_targets.insert(file.target);
        if (!file.moveTo.isEmpty()) m_targets.insert(file.moveTo);
        StagedFile& added = m_open->files.emplace_back(std::move(file));
        writers().write(added, *m_open, added.folderHash);
        if (m_open->files.size() >= kBatch) {
            finishFlushing();
            startFlushing();
        }
    }

    // Puts every new file in place, and makes the renames durable.
    void flush() {
        if (m_flushing) return;  // a report shown while a batch goes in place
        finishFlushing();
        startFlushing();
        finishFlushing();
        // The renames become durable with one commit per file system.
        for (const auto& [device, folder] : m_folders) {
            const int dfd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (dfd >= 0) {
                ::syncfs(dfd);
                ::close(dfd);
            }
        }
        m_folders.clear();
    }

    static QByteArray NativeParentOf(const QByteArray& path) {
        const qsizetype slash = path.lastIndexOf('/');
        if (slash < 0) return QByteArrayLiteral(".");
        if (slash == 0) return QByteArrayLiteral("/");
        return path.left(slash);
    }

private:
    // Each file of a batch holds two descriptors (the new file, the old),
    // two batches are open at a time and up to a batch of replaced files
    // waits to be closed: a sixth of what the process may open, less a
    // reserve for the rest of the program.  Larger batches mean fewer
    // flushes of the file system.
    static size_t BatchSize() {
        struct rlimit limit {};
        const rlim_t open = ::getrlimit(RLIMIT_NOFILE, &limit) == 0 ? limit.rlim_cur : 1024;
        const rlim_t usable = open == RLIM_INFINITY ? 4096 : open;
        return size_t(std::clamp<rlim_t>((usable > 256 ? usable - 256 : 0) / 6, 32, 512));
    }
    const size_t kBatch = BatchSize();

    WriterPool& writers() {
        if (!m_writers) m_writers = std::make_unique<WriterPool>();
        return *m_writers;
    }
    SyncWorker& worker() {
        if (!m_worker) m_worker = std::make_unique<SyncWorker>();
        return *m_worker;
    }
    // Closes the replaced files, which frees their space: on a file system
    // that discards freed blocks at once, each free waits for the device,
    // so several threads do it side by side, apart from the writing and the
    // flushing.  At most a batch of them waits.
    WorkQueue<int>& reaper() {
        if (!m_reaper) m_reaper = std::make_unique<WorkQueue<int>>(FileThreads(), [](int& fd) { ::close(fd); }, kBatch);
        return *m_reaper;
    }

    void startFlushing() {
        if (m_open->files.empty()) return;
        std::swap(m_open, m_inFlight);
        worker().start(*m_inFlight);
    }

    void finishFlushing() {
        if (m_inFlight->files.empty()) return;
        SyncWorker::wait(*m_inFlight);
        m_flushing = true;
        const auto reset = qScopeGuard([&] {
            m_flushing = false;
            std::vector<int> old;
            for (const StagedFile& f : m_inFlight->files)
                if (f.oldFd >= 0) old.push_back(f.oldFd);
            reaper().push(old.begin(), old.end());
            m_inFlight->files.clear();
        });
        for (size_t i = 0; i < m_inFlight->files.size(); ++i)
            place(m_inFlight->files[i], m_inFlight->syncResults[i]);
    }

    // Renames one durable new file over its target (or to its new name).
    void place(StagedFile& f, int syncResult) {
        m_targets.remove(f.target);
        m_targets.remove(f.moveTo);
        if (f.error != 0) {
            notWritten(f);
            return;
        }
        try {
            if (syncResult != 0) RaiseWrite(syncResult);
            // A rename changes neither inode, size nor time: the new file's
            // identity now is its identity in place.
            struct stat written;
            const bool knowWritten = ::fstat(f.fd, &written) == 0;
            if (::close(std::exchange(f.fd, -1)) != 0) RaiseWrite(errno);
            // The file must still be the one the new file was made from.
            struct stat st;
            if (::lstat(f.target.constData(), &st) != 0 || !(IdentityOf(st) == f.source)) {
                ::unlink(f.temp.constData());
                count(f);
                Warn(f.path, TextId::Coordinator::FileReplacedText, TextId::Coordinator::FileSkipped);
                return;
            }
            if (!m_folders.count(f.device)) m_folders.emplace(f.device, NativeParentOf(f.target));
            if (f.moveTo.isEmpty()) {
                if (::rename(f.temp.constData(), f.target.constData()) != 0) RaiseWrite(errno);
            } else {
                // Renamed and rewritten: the new file takes its new name
                // (never over another file), then the old file goes.  Until
                // then the hidden name records the old file, so a run that
                // dies here is finished by the next one.
                if (::link(f.temp.constData(), f.moveTo.constData()) != 0) RaiseWrite(errno);
                if (::unlink(f.target.constData()) != 0) {
                    const int err = errno;
                    // Both stay: the old file is whole and the new one too.
                    ::unlink(f.temp.constData());
                    RaiseWrite(err);
                }
                ::unlink(f.temp.constData());
            }
            // The row now stands for the new file, so a later run over the
            // same table still finds the file it changed.
            if (f.row >= 0 && f.row < m_table.rows() && knowWritten) m_table.setIdentity(f.row, IdentityOf(written));
        } catch (...) {
            if (f.fd >= 0) ::close(std::exchange(f.fd, -1));
            ::unlink(f.temp.constData());
            count(f);
            ReportFailure(f.path, f.failAction);
        }
    }

    // A file whose new content could not be written is as it was; the
    // rename asked for with it still happens, on its own.
    void notWritten(const StagedFile& f) {
        count(f);
        try {
            RaiseWrite(f.error);
        } catch (...) {
            ReportFailure(f.path, f.failAction);
        }
        if (f.movePath.isEmpty()) return;
        // Renamed only while it is still the file the row was made from.
        struct stat st;
        if (::lstat(f.target.constData(), &st) != 0 || !(IdentityOf(st) == f.source)) {
            Warn(f.path, TextId::Coordinator::FileReplacedText, TextId::Coordinator::FileSkipped);
            return;
        }
        try {
            MoveFile(f.path, f.movePath);  // asks before it replaces a file; reports its own failures
        } catch (...) {
            DisplayErrorMessage();
        }
    }

    void count(const StagedFile& f) {
        if (firstFailure(f.row)) ++m_failed;
    }

    int64_t& m_failed;
    SimResultsModel& m_table;
    std::unique_ptr<StagedBatch> m_open = std::make_unique<StagedBatch>();
    std::unique_ptr<StagedBatch> m_inFlight = std::make_unique<StagedBatch>();
    bool m_flushing = false;
    QSet<QByteArray> m_targets;
    QSet<int> m_counted;  // rows already counted as failed
    std::map<dev_t, QByteArray> m_folders;  // a folder of each file system renamed in
    std::unique_ptr<WriterPool> m_writers;
    std::unique_ptr<SyncWorker> m_worker;
    std::unique_ptr<WorkQueue<int>> m_reaper;
};

// Boxes shown during a run wait until the files before them are in place, so
// the user reads them in list order.
class InOrderBoxes final : public IMessageUi {
public:
    InOrderBoxes() : m_inner(MessageUi()) { m_previous = SetMessageUi(this); }
    ~InOrderBoxes() override { SetMessageUi(m_previous); }
    void follow(Staging* staging) { m_staging = staging; }
    int MsgBox(const QString& prompt, int style, const QString& title) override {
        if (m_staging) m_staging->flush();
        return m_inner.MsgBox(prompt, style, title);
    }

private:
    IMessageUi& m_inner;
    IMessageUi* m_previous = nullptr;
    Staging* m_staging = nullptr;
};

// ---- one file's tags ---------------------------------------------------------------

enum class Plan { Keep, Write, Remove };

struct TagWork {
    Plan v1 = Plan::Keep;
    ID3v1Tag id3v1;
    Plan v2 = Plan::Keep;
    ID3v2Tag id3v2;
    QByteArray v2Bytes;  // the new tag, for Plan::Write
};

class ApplyRun {
public:
    // `tagObject` reads each file's ID3v2 tag and renders its new one; the
    // run holds it from that read to that render.
    ApplyRun(const ApplySettings& settings, ApplyReport& report, SimResultsModel& table, ID3v2TagObject& tagObject)
        : m_settings(settings),
          m_report(report),
          m_table(table),
          m_tagObject(tagObject),
          m_staging(report.failed, table) {}

    void row(int index, const SimRowTexts& cells, const FileIdentity& identity);
    void flush() { m_staging.flush(); }
    Staging& staging() { return m_staging; }

private:
    bool deleteFile(const QString& folder, const QString& name, const QString& path);
    // The name the tags are written under: the new one after a rename.
    QString rename(const QString& folder, const QString& oldName, const QString& newName, bool& failed);
    bool tags(const QString& path, const SimRowTexts& cells);
    // Both plans read the file held open in `file` (each tag read once); a
    // file that could not be opened is read by its path, which reports why.
    bool planID3v1(const QString& path, FileBytes& file, const SimRowTexts& cells, TagWork& work);
    bool planID3v2(const QString& path, FileBytes& file, const SimRowTexts& cells, TagWork& work);
    // Stages the file's new content; with `newName`, under that name in the
    // same step.  False when there was nothing to write.
    bool rewrite(const QString& path, FileBytes& file, const TagWork& work, const QString& newName = QString());
    // The rename and the tag changes of a row as one step; false when this
    // row cannot take that way (the caller renames, then writes the tags).
    bool renameWithTags(const QString& folder, const QString& oldName, const QString& newName,
                        const SimRowTexts& cells, bool& failed);
    bool writeID3v1InPlace(const QString& path, const TagWork& work);
    // Counts the row being applied as failed, once.
    void countFailed() {
        if (m_staging.firstFailure(m_row)) ++m_report.failed;
    }
    void flushFor(const QString& path) {
        if (m_staging.holds(NativePath(path))) m_staging.flush();
    }
    void flushFor(const QByteArray& native) {
        if (m_staging.holds(native)) m_staging.flush();
    }
    void cleanFolder(const QString& folder) {
        if (m_cleaned.contains(folder)) return;
        m_cleaned.insert(folder);
        RemoveStaleTemporaries(NativePath(folder));
    }

    const ApplySettings& m_settings;
    ApplyReport& m_report;
    SimResultsModel& m_table;
    ID3v2TagObject& m_tagObject;
    Staging m_staging;
    int m_row = -1;  // the row being applied
    // The row's path when lstat found a plain file there, not a link, and
    // that file's identity: a rewrite of it needs no resolving of the path.
    QString m_plainPath;
    FileIdentity m_plainIdentity;
    QSet<QString> m_cleaned;
};

void ApplyRun::row(int index, const SimRowTexts& cells, const FileIdentity& identity) {
    m_row = index;
    const QString& folder = cells[SimColumn::Folder];
    const QString& oldName = cells[SimColumn::OldFileName];
    const QString path = JoinPath(folder, oldName);
    cleanFolder(folder);

    // Only the file the row was made from is touched (as it is once the
    // work waiting for it is in place).
    flushFor(path);
    // A plain file (the usual case) is known by lstat alone; a link counts
    // as the file it leads to.
    FileIdentity now;
    m_plainPath.clear();
    struct stat st;
    if (::lstat(NativePath(path).constData(), &st) == 0 && S_ISREG(st.st_mode)) {
        now = IdentityOf(st);
        m_plainPath = path;
        m_plainIdentity = now;
    } else {
        now = IdentityOf(path);
    }
    if (!now.known()) {
        ++m_report.failed;
        Warn(path, TextId::Coordinator::FileGoneText, TextId::Coordinator::FileSkipped);
        return;
    }
    if (identity.known() && !(identity == now)) {
        ++m_report.failed;
        Warn(path, TextId::Coordinator::FileReplacedText, TextId::Coordinator::FileSkipped);
        return;
    }

    const std::optional<SimAction> action = ParseSimAction(cells[SimColumn::Action]);
    if (action == SimAction::Delete) {
        if (m_settings.deleteFiles && !deleteFile(folder, oldName, path)) ++m_report.failed;
        return;
    }
    bool failed = false;
    if (renameWithTags(folder, oldName, cells[SimColumn::NewFileName], cells, failed)) {
        if (failed) countFailed();
        return;
    }
    const QString current = rename(folder, oldName, cells[SimColumn::NewFileName], failed);
    if (!tags(JoinPath(folder, current), cells)) failed = true;
    if (failed) countFailed();
}

bool ApplyRun::deleteFile(const QString& folder, const QString& name, const QString& path) {
    flushFor(path);
    const bool toTrash = m_settings.useRecycleBin;
    bool gone = false;
    try {
        gone = DeleteFile(folder, name, toTrash);
    } catch (...) {
        DisplayErrorMessage();
        return false;
    }
    if (!gone)
        Warn(path, toTrash ? TextId::Coordinator::RecycleFailedText : TextId::Coordinator::DeleteFailedText,
             TextId::Coordinator::DeleteFailed);
    return gone;
}

QString ApplyRun::rename(const QString& folder, const QString& oldName, const QString& newName, bool& failed) {
    // Exact comparison: a change of letter case alone is a rename too.
    if (!m_settings.changeFileName || newName == oldName) return oldName;
    if (!IsPlainNewFileName(newName)) {
        failed = true;
        Warn(JoinPath(folder, oldName), TextId::Coordinator::InvalidNewFileNameText,
             TextId::Coordinator::InvalidNewFileName);
        return oldName;
    }
    const QString from = JoinPath(folder, oldName);
    const QString to = JoinPath(folder, newName);
    flushFor(from);
    flushFor(to);
    try {
        // MoveFile asks before it replaces a file and reports its own failures.
        if (MoveFile(from, to)) return newName;
    } catch (...) {
        DisplayErrorMessage();
    }
    failed = true;
    return oldName;
}

bool ApplyRun::renameWithTags(const QString& folder, const QString& oldName, const QString& newName,
                              const SimRowTexts& cells, bool& failed) {
    if (!m_settings.changeFileName || newName == oldName || !IsPlainNewFileName(newName)) return false;
    const QString from = JoinPath(folder, oldName);
    const QByteArray fromNative = NativePath(from);
    const QByteArray toNative = NativePath(JoinPath(folder, newName));
    // The hidden file records the old name in full beside its marker.
    const QByteArray oldNative = fromNative.mid(fromNative.lastIndexOf('/') + 1);
    if (oldNative.size() > 200) return false;
    flushFor(fromNative);
    flushFor(toNative);
    // Only a plain file whose new name is free; a link, a name taken (the
    // user is asked) and a change of letter case the file system ignores go
    // the way of a rename first.
    struct stat st;
    if (::lstat(fromNative.constData(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    if (::lstat(toNative.constData(), &st) == 0 || errno != ENOENT) return false;

    TagWork work;
    bool staged = false;
    try {
        FileBytes file;
        OpenForTags(file, from);
        if (planID3v1(from, file, cells, work)) {
            if (!planID3v2(from, file, cells, work)) failed = true;
            if (work.v1 != Plan::Keep || work.v2 != Plan::Keep) staged = rewrite(from, file, work, newName);
        } else {
            failed = true;
        }
    } catch (...) {
        ReportFailure(from, work.v2 != Plan::Keep ? FileAction::ModifyID3v2 : FileAction::ModifyID3v1);
        failed = true;
    }
    if (staged) return true;
    // Nothing to write, or the writing failed (the file is as it was): the
    // rename alone.
    try {
        if (!MoveFile(from, JoinPath(folder, newName))) failed = true;
    } catch (...) {
        DisplayErrorMessage();
        failed = true;
    }
    return true;
}

bool ApplyRun::tags(const QString& path, const SimRowTexts& cells) {
    TagWork work;
    try {
        // A failed ID3v1 read was reported: the ID3v2 step is skipped too, so
        // one unreadable file gives one warning.
        FileBytes file;
        OpenForTags(file, path);
        if (!planID3v1(path, file, cells, work)) return false;
        const bool v2Read = planID3v2(path, file, cells, work);
        if (work.v2 != Plan::Keep) {
            rewrite(path, file, work);
        } else if (work.v1 != Plan::Keep) {
            file.close();
            const bool written = writeID3v1InPlace(path, work);
            // The row stands for the file as written now (its size and time
            // changed), so a later run over the same table still finds it.
            const FileIdentity now = IdentityOf(path);
            if (now.known()) m_table.setIdentity(m_row, now);
            if (!written) return false;
        }
        return v2Read;
    } catch (...) {
        ReportFailure(path, work.v2 != Plan::Keep ? FileAction::ModifyID3v2 : FileAction::ModifyID3v1);
        return false;
    }
}

bool ApplyRun::planID3v1(const QString& path, FileBytes& file, const SimRowTexts& cells, TagWork& work) {
    const MassTaggingOverrides& o = m_settings.overrides;
    if (o.id3v1RemoveInForce()) {
        work.v1 = Plan::Remove;
        return true;
    }
    ID3v1Tag tag;
    bool hadTag = false, ignored = false;
    if (!(file.isOpen() ? ReadID3v1TagInfo(file, path, tag, hadTag, ignored, nullptr)
                        : ReadID3v1TagInfo(path, tag, hadTag, ignored, nullptr)))
        return false;
    const ID3v1Tag before = tag;
    const bool fromRow = m_settings.changeID3v1Tag;
    const auto value = [&](int field) -> const QString& { return o.id3v1[size_t(field)].value; };
    if (o.id3v1InForce(V1Field::Track)) tag.Track = GetID3v1Track(value(V1Field::Track));
    else if (fromRow) tag.Track = GetID3v1Track(cells[SimColumn::Track]);
    if (o.id3v1InForce(V1Field::Title)) tag.Title = value(V1Field::Title);
    else if (fromRow) tag.Title = cells[SimColumn::Title];
    if (o.id3v1InForce(V1Field::Artist)) tag.Artist = value(V1Field::Artist);
    else if (fromRow) tag.Artist = cells[SimColumn::Artist];
    if (o.id3v1InForce(V1Field::Album)) tag.Album = value(V1Field::Album);
    else if (fromRow) tag.Album = cells[SimColumn::Album];
    if (o.id3v1InForce(V1Field::Year)) tag.Year = value(V1Field::Year);
    if (o.id3v1InForce(V1Field::Genre)) tag.Genre = GetIDFromGenre(value(V1Field::Genre));
    if (o.id3v1InForce(V1Field::Comment)) tag.Comment = value(V1Field::Comment);
    // A file without a tag gets one only when something is set in it.
    const bool change = hadTag ? !CompareID3v1(before, tag) : !IsEmpty(tag);
    work.v1 = change ? Plan::Write : Plan::Keep;
    work.id3v1 = tag;
    return true;
}

bool ApplyRun::planID3v2(const QString& path, FileBytes& file, const SimRowTexts& cells, TagWork& work) {
    const MassTaggingOverrides& o = m_settings.overrides;
    if (o.id3v2RemoveInForce()) {
        work.v2 = Plan::Remove;
        return true;
    }
    ID3v2Tag tag;
    bool hadTag = false, ignored = false;
    if (!ReadID3v2TagInfo(m_tagObject, file, path, tag, hadTag, ignored, nullptr)) return false;
    const ID3v2Tag before = tag;
    const bool fromRow = m_settings.changeID3v2Tag;
    const auto set = [&](int field, QString& slot, const QString* rowValue) {
        if (o.id3v2InForce(field)) slot = o.id3v2[size_t(field)].value;
        else if (fromRow && rowValue) slot = *rowValue;
    };
    set(V2Field::Track, tag.Track, &cells[SimColumn::Track]);
    set(V2Field::Title, tag.Title, &cells[SimColumn::Title]);
    set(V2Field::Artist, tag.Artist, &cells[SimColumn::Artist]);
    set(V2Field::Album, tag.Album, &cells[SimColumn::Album]);
    set(V2Field::Year, tag.Year, nullptr);
    set(V2Field::Genre, tag.Genre, nullptr);
    set(V2Field::Comment, tag.Comment, nullptr);
    set(V2Field::Composer, tag.Composer, nullptr);
    set(V2Field::OrigArtist, tag.OrigArtist, nullptr);
    set(V2Field::Copyright, tag.Copyright, nullptr);
    set(V2Field::URL, tag.URL, nullptr);
    set(V2Field::EncodedBy, tag.EncodedBy, nullptr);
    const bool change = hadTag ? !CompareID3v2(before, tag) : !IsEmpty(tag);
    if (!change) return true;
    // The object holds this file's frames (the read above): frames that no
    // field replaces go into the new tag unchanged.
    work.v2Bytes = RenderID3v2Tag(m_tagObject, tag);
    work.v2 = Plan::Write;
    work.id3v2 = tag;
    return true;
}

// The file's new content as a whole: the new ID3v2 tag (or none), the
// audio as it is, the ID3v1 tag as planned.
bool ApplyRun::rewrite(const QString& path, FileBytes& file, const TagWork& work, const QString& newName) {
    QByteArray native = NativePath(path);
    // The file a link points to is rewritten, not the link.  The row's own
    // plain file, still the one lstat saw, needs no resolving.
    const bool plain = file.isOpen() && path == m_plainPath && IdentityOf(StatOf(file.status())) == m_plainIdentity;
    if (!plain) {
        file.close();
        if (char* resolved = ::realpath(native.constData(), nullptr)) {
            native = QByteArray(resolved);
            std::free(resolved);
        }
    }
    struct Closer {
        int fd = -1;
        ~Closer() {
            if (fd >= 0) ::close(fd);
        }
    } closeIn;
    int in = file.fd();
    struct stat st;
    if (in >= 0) {
        st = StatOf(file.status());
    } else {
        in = closeIn.fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
        if (in < 0) RaiseRead(errno, path);
        if (::fstat(in, &st) != 0) RaiseRead(errno, path);
    }
    const uint64_t size = uint64_t(st.st_size);
    const bool readOnly = !(st.st_mode & S_IWUSR);
    if (readOnly && !m_settings.writeReadOnly)
        throw SvError(quillmark::Err::ReadOnly, QStringLiteral("clsID3v2::WriteTag"),
                      StandardErrorText(ErrNo::PathFileAccess));
    // The owner's write bit says it for the owner; anyone else asks.
    if (!readOnly && st.st_uid != ::geteuid() && ::access(native.constData(), W_OK) != 0) RaiseWrite(errno);

    // The blocks the tag reads kept serve again when the file is still open.
    const auto readAt = [&](uint64_t offset, uint8_t* into, size_t count) {
        if (file.isOpen()) return file.readAt(int64_t(offset), into, count) == count || (errno = EIO, false);
        return PreadAll(in, reinterpret_cast<char*>(into), count, off_t(offset));
    };
    uint8_t head[10] = {};
    uint64_t oldTag = 0;
    if (size >= 10) {
        if (!readAt(0, head, sizeof head)) RaiseRead(errno, path);
        if (head[0] == 'I' && head[1] == 'D' && head[2] == '3') {
            oldTag = 10ull + (uint64_t(head[6]) << 21) + (uint64_t(head[7]) << 14) + (uint64_t(head[8]) << 7) + head[9];
            if (head[3] == 4 && (head[5] & 0x10)) oldTag += 10;
        }
    }
    if (work.v2 == Plan::Remove && oldTag == 0 && work.v1 == Plan::Keep) return false;  // nothing to remove
    ID3v1Block block{};
    bool hasV1 = false;
    if (size > uint64_t(kID3v1Size)) {
        if (!readAt(size - kID3v1Size, block.data(), block.size())) RaiseRead(errno, path);
        hasV1 = std::memcmp(block.data(), "TAG", 3) == 0;
    }
    const uint64_t audioEnd = size - (hasV1 ? kID3v1Size : 0);
    if (oldTag > audioEnd)
        throw SvError(quillmark::Err::InvalidFileSize, QStringLiteral("ID3v2::WriteTag"),
                      QStringLiteral("The file %1 has an invalid file size.").arg(path));
    bool writeBlock = hasV1;
    if (work.v1 == Plan::Write) {
        if (!hasV1) block = NewID3v1Block();
        FillID3v1Block(block, work.id3v1);
        writeBlock = true;
    } else if (work.v1 == Plan::Remove && hasV1) {
        // As the ID3v1 clear does: the marker blanked, the bytes kept.
        std::memcpy(block.data(), "   ", 3);
    }

    StagedFile staged;
    staged.path = path;
    staged.target = native;
    staged.source = IdentityOf(st);
    staged.device = st.st_dev;
    staged.row = m_row;
    staged.failAction = work.v2 != Plan::Keep ? FileAction::ModifyID3v2 : FileAction::ModifyID3v1;
    const QByteArray folder = Staging::NativeParentOf(native);
    const QByteArray name = native.mid(native.lastIndexOf('/') + 1);
    staged.folderHash = qHash(folder);
    if (!newName.isEmpty()) {
        staged.moveTo = folder + '/' + NativePath(newName);
        staged.movePath = JoinPath(ParentFolder(path), newName);
        staged.record = '-' + QByteArray::number(qulonglong(st.st_ino), 36);
    }
    staged.tempStem = folder + '/' + '.' + (newName.isEmpty() ? name.left(100) : name) + kTempMarker;
    if (work.v2 == Plan::Write) staged.prefix = work.v2Bytes;
    // A kept ID3v2 tag is copied with the audio.
    const uint64_t from = work.v2 == Plan::Keep ? 0 : oldTag;
    staged.copyFrom = off_t(from);
    staged.copyLength = audioEnd - from;
    staged.block = block;
    staged.writeBlock = writeBlock;
    staged.uid = st.st_uid;
    staged.gid = st.st_gid;
    staged.mode = (st.st_mode & 07777) | (readOnly ? S_IWUSR : 0);
    staged.fault = g_writeFault ? g_writeFault(native) : 0;
    // The writer copies the audio from the file as it is open now.
    staged.oldFd = ::fcntl(in, F_DUPFD_CLOEXEC, 0);
    if (staged.oldFd < 0) RaiseRead(errno, path);
    m_staging.add(std::move(staged));
    return true;
}

bool ApplyRun::writeID3v1InPlace(const QString& path, const TagWork& work) {
    if (work.v1 == Plan::Remove) {
        ClearID3v1Tag(path, m_settings.writeReadOnly);  // reports its own failures
        return true;
    }
    // One write of the block (appended when the file has none; a failed
    // append is cut off again).  The writer reports its failures; a file too
    // short to hold a tag behind audio gets none.
    if (WriteID3v1TagInfo(path, work.id3v1, m_settings.writeReadOnly)) return true;
    struct stat st {};
    return ::stat(NativePath(path).constData(), &st) == 0 && st.st_size <= kID3v1Size;
}

}  // namespace

ApplyReport ApplyChanges(SimResultsModel& table, const ApplySettings& settings, JobHost& job) {
    ApplyReport report;
    const int64_t total = table.checkedCount();
    const QString workingWith = GetResourceString(TextId::Common::WorkingWith);
    InOrderBoxes boxes;
    ApplyRun run(settings, report, table, gobjID3v2Tag);
    boxes.follow(&run.staging());
    YieldClock clock(job.YieldIntervalMs());
    QString lastPath;
    const int rows = table.rows();
    for (int row = 0; row < rows; ++row) {
        if (clock.due()) {
            // New files keep going in place in the background; Stop ends the
            // run below, which puts every one of them in place first.
            job.ShowProgress(report.processed, total);
            if (!lastPath.isEmpty()) job.ShowStatus(workingWith + lastPath);
            job.Yield();
        }
        if (job.mblnStopAll) {
            report.stopped = true;
            break;
        }
        if (!table.isChecked(row)) continue;
        ++report.processed;
        const SimRowTexts cells = table.rowTexts(row);
        lastPath = JoinPath(cells[SimColumn::Folder], cells[SimColumn::OldFileName]);
        try {
            run.row(row, cells, table.identity(row));
        } catch (...) {
            ++report.failed;
            DisplayErrorMessage();
        }
    }
    run.flush();
    job.ShowProgress(report.processed, total);
    if (!lastPath.isEmpty()) job.ShowStatus(workingWith + lastPath);
    return report;
}

QString ApplyEndText(const ApplyReport& report) {
    if (report.stopped) return GetResourceString(TextId::Coordinator::ApplyInterrupted);
    if (report.failed == 0) return GetResourceString(TextId::Coordinator::ApplyComplete);
    return GetResourceString(TextId::Coordinator::ApplyFinishedWithFailures)
        .arg(report.failed)
        .arg(report.processed);
}

void SetApplyWriteFaultForTesting(ApplyWriteFault fault) { g_writeFault = fault; }
