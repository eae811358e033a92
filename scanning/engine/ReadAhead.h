#pragma once
// Several files' reads in flight while the rows are made in walk order.  A
// small pool of readers takes the work list's files in order, each with its
// own open file, time formatter and tag object, and reads each one whole
// (open, statx, the first block, the last 128 bytes, the parsing, the
// filters); the scan's thread takes the readings back strictly by index and
// settles them (rows, reports, order) exactly as if it had read them itself.
// Readers stay at most a window of files ahead of the scan's thread (the
// pool, its order and its window are those of OrderedWorkers).
//
// Stopping drops what is read ahead: a reading has no effect of its own, so
// files read past the stop leave no row, no report and nothing changed.

#include "foundation/FileUtils.h"
#include "foundation/OptionRecords.h"
#include "foundation/OrderedWorkers.h"
#include "scanning/engine/FileReading.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <span>
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
    ~ReadAhead() = default;
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // Adds files to read, in order (the scan's thread only); false when they
    // do not fit (more than kCapacity files in all), and then none is added.
    bool append(const FolderListEntry* entries, size_t count) { return m_workers.submit(entries, count); }
    // No more files come.
    void finish() { m_workers.finish(); }
    // The files added so far.
    int64_t size() const { return m_workers.size(); }
    const FolderListEntry& entry(int64_t index) const { return m_workers.item(index); }
    static constexpr int64_t kCapacity = OrderedWorkers<FolderListEntry, FileReading>::kCapacity;

    // The reading of file `index`, once it is read, or null when it is not
    // read within `waitMs` milliseconds (the caller may yield and ask again).
    // Files are taken in order, each once.
    FileReading* take(int64_t index, int waitMs) { return m_workers.take(index, waitMs); }
    // Done with file `index`: its place is free for a file further on.
    void release(int64_t index) { m_workers.release(index); }

private:
    // A reading failure is the reading's own outcome, never raised.
    OrderedWorkers<FolderListEntry, FileReading> m_workers;
};
