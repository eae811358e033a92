#include "scanning/engine/ReadAhead.h"

#include "foundation/NativePath.h"
#include "scanning/tagobject/ID3v2TagObject.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <climits>
#include <linux/futex.h>
#include <pthread.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {
// Files read at once: several where the disk answers many requests at once,
// fewer where its heads serve them in turn.
constexpr int kReaders = 8;
constexpr int kRotationalReaders = 4;
// Files read ahead of the row being made.  Wide, so that readers never wait
// for room (a wait and a wake-up cost more than a file from the page cache).
constexpr int kWindow = 1024;
// Checks of a slot before the scan's thread sleeps (some tens of microseconds).
constexpr int kSpins = 2000;

// Whether the block device `dev` has rotating heads: 1 yes, 0 no, -1 when
// it cannot be told (no device of its own, no such information, or a virtual
// disk, whose driver reports rotation by default whatever the host keeps
// its data on).
int Rotational(dev_t dev) {
    const QString device = QStringLiteral("/sys/dev/block/%1:%2").arg(major(dev)).arg(minor(dev));
    const QString where = QFileInfo(device).canonicalFilePath();
    if (where.isEmpty() || where.contains(QLatin1String("/virtio")) || where.contains(QLatin1String("/xen")))
        return -1;
    // A partition has no queue of its own: its disk's is one folder up.
    for (const char* flag : {"/queue/rotational", "/../queue/rotational"}) {
        QFile file(where + QLatin1String(flag));
        if (file.open(QIODevice::ReadOnly)) return file.readAll().trimmed() == "1" ? 1 : 0;
    }
    return -1;
}
}  // namespace

ReadPlan ScanReadPlan(const QString& folder) {
    struct stat st {};
    const bool rotational = ::stat(NativePath(folder).constData(), &st) == 0 && Rotational(st.st_dev) == 1;
    return ReadPlan{rotational ? kRotationalReaders : kReaders, kWindow};
}

namespace {
void FutexWait(std::atomic<uint32_t>& word, uint32_t value, const timespec* timeout) {
    ::syscall(SYS_futex, reinterpret_cast<uint32_t*>(&word), FUTEX_WAIT_PRIVATE, value, timeout, nullptr, 0);
}
void FutexWake(std::atomic<uint32_t>& word, int count) {
    ::syscall(SYS_futex, reinterpret_cast<uint32_t*>(&word), FUTEX_WAKE_PRIVATE, count, nullptr, nullptr, 0);
}
static_assert(sizeof(std::atomic<uint32_t>) == sizeof(uint32_t));
}  // namespace

ReadAhead::ReadAhead(const ScanningCentreOptions& filters, std::span<ID3v2TagObject> tagObjects, int window)
    : m_filters(filters) {
    m_blocks = std::make_unique<std::unique_ptr<FolderListEntry[]>[]>(size_t(kCapacity / kChunk));
    m_window = std::max(window, 1);
    m_wakeStep = std::max<int64_t>(1, m_window / 2);
    m_slots = std::make_unique<Slot[]>(static_cast<size_t>(m_window));
    try {
        m_threads.reserve(tagObjects.size());
        for (ID3v2TagObject& object : tagObjects) m_threads.emplace_back([this, &object] { run(object); });
    } catch (...) {
        stop();
        throw;
    }
}

ReadAhead::ReadAhead(const std::vector<FolderListEntry>& work, const ScanningCentreOptions& filters,
                     std::span<ID3v2TagObject> tagObjects, int window)
    : ReadAhead(filters, tagObjects, static_cast<int>(std::clamp<int64_t>(int64_t(work.size()), 1, window))) {
    append(work.data(), work.size());
    finish();
}

ReadAhead::~ReadAhead() { stop(); }

void ReadAhead::stop() {
    m_stopping = true;
    for (std::atomic<uint32_t>* seq : {&m_roomSeq, &m_feedSeq}) {
        seq->fetch_add(1);
        FutexWake(*seq, INT_MAX);
    }
    for (std::thread& t : m_threads)
        if (t.joinable()) t.join();
    m_threads.clear();
}

bool ReadAhead::append(const FolderListEntry* entries, size_t count) {
    const int64_t have = m_available.load();
    if (have + int64_t(count) > kCapacity) return false;
    for (size_t i = 0; i < count; ++i) {
        const int64_t at = have + int64_t(i);
        auto& block = m_blocks[size_t(at / kChunk)];
        if (!block) block = std::make_unique<FolderListEntry[]>(size_t(kChunk));
        block[size_t(at % kChunk)] = entries[i];
    }
    m_available.store(have + int64_t(count));
    if (m_feedWaiters.load() > 0) {
        m_feedSeq.fetch_add(1);
        FutexWake(m_feedSeq, INT_MAX);
    }
    return true;
}

void ReadAhead::finish() {
    m_complete = true;
    m_feedSeq.fetch_add(1);
    FutexWake(m_feedSeq, INT_MAX);
}

const FolderListEntry& ReadAhead::entry(int64_t index) const {
    return m_blocks[size_t(index / kChunk)][size_t(index % kChunk)];
}

void ReadAhead::Sleep(std::atomic<uint32_t>& seq, std::atomic<int>& waiters, const std::function<bool()>& ready) {
    waiters.fetch_add(1);
    const uint32_t value = seq.load();
    if (!ready()) FutexWait(seq, value, nullptr);
    waiters.fetch_sub(1);
}

void ReadAhead::run(ID3v2TagObject& tagObject) {
    ::pthread_setname_np(::pthread_self(), "scan reader");
    FileReader reader(tagObject);
    for (;;) {
        const int64_t index = m_next.fetch_add(1);
        // The file must be listed (the walk may still be finding files) ...
        auto listed = [&] { return m_stopping || index < m_available.load() || m_complete.load(); };
        while (!listed()) Sleep(m_feedSeq, m_feedWaiters, listed);
        if (m_stopping || index >= m_available.load()) return;
        // ... and the slot's previous file released.
        auto room = [&] { return m_stopping || index < m_released.load() + m_window; };
        while (!room()) Sleep(m_roomSeq, m_roomWaiters, room);
        if (m_stopping) return;
        // The slot is this reader's alone until the reading is handed over.
        Slot& slot = m_slots[static_cast<size_t>(index % m_window)];
        slot.reading = FileReading();
        try {
            reader.read(entry(index), &m_filters, slot.reading);
        } catch (...) {
            slot.reading.outcome = FileReading::Outcome::Failed;
            slot.reading.step = 0;
            slot.reading.error = CurrentError();
        }
        slot.index.store(index);
        if (m_awaited.load() == index) {
            m_readySeq.fetch_add(1);
            FutexWake(m_readySeq, 1);
        }
    }
}

FileReading* ReadAhead::take(int64_t index, int waitMs) {
    Slot& slot = m_slots[static_cast<size_t>(index % m_window)];
    // A file from the page cache is read in a few microseconds: waiting that
    // long costs less than going to sleep and being woken.
    for (int spin = 0; spin < kSpins; ++spin) {
        if (slot.index.load(std::memory_order_acquire) == index) return &slot.reading;
        __builtin_ia32_pause();
    }
    m_awaited.store(index);
    const uint32_t seq = m_readySeq.load();
    if (slot.index.load() != index) {
        const timespec timeout{waitMs / 1000, (waitMs % 1000) * 1000000L};
        FutexWait(m_readySeq, seq, &timeout);
    }
    m_awaited.store(-1);
    return slot.index.load() == index ? &slot.reading : nullptr;
}

void ReadAhead::release(int64_t index) {
    m_released.store(index + 1);
    // Waiting readers are woken in steps, not for every file.
    if ((index + 1) % m_wakeStep == 0 && m_roomWaiters.load() > 0) {
        m_roomSeq.fetch_add(1);
        FutexWake(m_roomSeq, INT_MAX);
    }
}
