#pragma once
// Several files' reads in flight while the rows are made in walk order.  A
// small pool of readers takes the work list's files in order, each with its
// own open file, time formatter and tag object, and reads each one whole
// (open, statx, the first block, the last 128 bytes, the parsing, the
// filters); the scan's thread takes the readings back strictly by index and
// settles them (rows, reports, order) exactly as if it had read them itself.
// Readers stay at most a window of files ahead of the scan's thread.
//
// Stopping drops what is read ahead: a reading has no effect of its own, so
// files read past the stop leave no row, no report and nothing changed.

#include "foundation/FileUtils.h"
#include "foundation/OptionRecords.h"
#include "scanning/engine/FileReading.h"

#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <thread>
#include <vector>

class ID3v2TagObject;

// How a scan reads ahead: `readers` files read at once, at most `window`
// files ahead of the row being made.
struct ReadPlan {
    int readers = 1;
    int window = 1;
};

// The plan for the disk that holds `folder`: eight readers, or four where
// the disk is rotational.  The files in flight are always the next few of
// the walk, which lie close together (the files of a folder), so a
// rotational disk's queue orders them into one sweep of its heads; a file's
// reads are a few small blocks, never a stream that other readers would
// break up.  A virtual disk's rotation flag says nothing of the medium
// behind it and is not taken as rotation.
ReadPlan ScanReadPlan(const QString& folder);

class ReadAhead {
public:
    // Starts one reader per tag object, with the include options and scan
    // rules of `filters`, reading at most `window` files ahead of the file
    // last released.  The files come through append() (while a walk is still
    // finding them) and finish(), or all at once through the second form.
    ReadAhead(const ScanningCentreOptions& filters, std::span<ID3v2TagObject> tagObjects, int window);
    ReadAhead(const std::vector<FolderListEntry>& work, const ScanningCentreOptions& filters,
              std::span<ID3v2TagObject> tagObjects, int window);
    // Stops the readers and waits for the reads in flight.
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // Adds files to read, in order (the scan's thread only); false when they
    // do not fit (more than kCapacity files in all), and then none is added.
    bool append(const FolderListEntry* entries, size_t count);
    // No more files come.
    void finish();
    // The files added so far.
    int64_t size() const { return m_available.load(); }
    const FolderListEntry& entry(int64_t index) const;
    static constexpr int64_t kCapacity = int64_t(1) << 24;

    // The reading of file `index`, once it is read, or null when it is not
    // read within `waitMs` milliseconds (the caller may yield and ask again).
    // Files are taken in order, each once.
    FileReading* take(int64_t index, int waitMs);
    // Done with file `index`: its place is free for a file further on.
    void release(int64_t index);

private:
    struct Slot {
        std::atomic<int64_t> index{-1};  // the file whose reading the slot holds
        FileReading reading;
    };
    static constexpr int64_t kChunk = 4096;  // files per block of the list
    void run(ID3v2TagObject& tagObject);
    void stop();
    static void Sleep(std::atomic<uint32_t>& seq, std::atomic<int>& waiters, const std::function<bool()>& ready);

    const ScanningCentreOptions m_filters;
    // The files: blocks that never move, so readers read them while more
    // are added.
    std::unique_ptr<std::unique_ptr<FolderListEntry[]>[]> m_blocks;
    std::atomic<int64_t> m_available{0};
    std::atomic<bool> m_complete{false};
    std::unique_ptr<Slot[]> m_slots;
    int64_t m_window = 1;
    int64_t m_wakeStep = 1;  // readers waiting for room are woken every so many files
    std::atomic<int64_t> m_next{0};       // the next file a reader takes
    std::atomic<int64_t> m_released{0};   // files the scan is done with
    std::atomic<bool> m_stopping{false};
    // Sleeping is done on futex words: the scan's thread on m_readySeq while
    // it waits for file m_awaited, readers on m_roomSeq while they wait for
    // room or on m_feedSeq while they wait for files to read; each side wakes
    // the other only when it sleeps, so a scan whose files are at hand makes
    // no wake-up calls.
    std::atomic<int64_t> m_awaited{-1};
    std::atomic<uint32_t> m_readySeq{0};
    std::atomic<uint32_t> m_roomSeq{0};
    std::atomic<int> m_roomWaiters{0};
    std::atomic<uint32_t> m_feedSeq{0};
    std::atomic<int> m_feedWaiters{0};
    std::vector<std::thread> m_threads;
};
