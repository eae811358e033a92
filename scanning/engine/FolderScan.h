#pragma once
// The folder scan without its window: walk a folder into a work list, read
// each file (ID3v1, ID3v2, MPEG header, details), filter it by the include
// options and the scan rules, and add a checked row of 40 cells per file that
// passes.  The scanning window wraps it in its long-job protocol and connects
// the host to its status line, progress bar and Stop button; the playlist
// scan and dropped files fill the work list themselves and call
// ConcludeScan.
//
// The scan's options (clear first, the file mask, the include options and the
// scan rules) come from the ScanningCentreOptions record it is given; the
// window hands over the program-wide one, a test or a benchmark its own.
// Each job reads the record once, when it starts: options stored while it
// runs count from the next job.
//
// Each file is opened once: one statx of the open file, a read of its first
// block (the ID3v2 tag, parsed from those bytes when it fits, and the first
// audio frame), a read of its last 128 bytes (ID3v1), nothing more for a
// typical file.  Rows go to the model in batches, at each yield and at the
// end, so a stop or a failure keeps the rows made so far.

#include "foundation/FileUtils.h"
#include "foundation/JobHost.h"
#include "foundation/OptionRecords.h"
#include "scanning/engine/ReadAhead.h"
#include "scanning/engine/ScanRecord.h"
#include "scanning/tagobject/ID3v2TagObject.h"

#include <QString>
#include <memory>
#include <cstdint>
#include <vector>

class ScanResultsModel;

class FolderScan {
public:
    // `options` is read at the start of each call (ScanFolder reads it once
    // for all its steps), so options read again between two scans are in
    // force from the next one; it must outlive the scan.
    FolderScan(ScanResultsModel& results, JobHost& host, const ScanningCentreOptions& options)
        : m_results(results), m_host(host), m_options(options) {}
    FolderScan(ScanResultsModel&, JobHost&, ScanningCentreOptions&&) = delete;

    // The work list of the current run: the files to turn into rows.
    std::vector<FolderListEntry> workList;
    // The folder of the most recent folder scan (the playlist manager's
    // default folder); the playlist scan and drops leave it.
    QString mstrLastScannedFolder;
    // True while ScanFolder runs.
    bool mblnScanInProgress = false;

    // The Scan button's job inside the long-job protocol: status "Searching
    // for music files - Please wait...", the drive check ("Drive Not Ready"
    // when the folder cannot be reached: nothing is scanned), then
    // InitialiseScan, ScanFiles and ConcludeScan.  A failing step is shown in
    // the critical error box and the next step runs.  `folder` may be the
    // folder tree's "Desktop".
    void ScanFolder(const QString& folder, bool includeSubfolders);

    // Empties the work list when the option ClearResults is on.
    void InitialiseScan();
    // Walks `folder` (ScanFilter, "*.*" when empty; read-only files taken,
    // hidden ones not) into the work list, replacing it.
    void ScanFiles(const QString& folder, bool includeSubfolders);
    // ProcessFiles (emptying the list first when ClearResults is on), then
    // the status "Scan complete".
    void ConcludeScan();
    // Turns the work list into rows: with `clearFirst` the list is emptied
    // first, otherwise rows are added (dropped files always are).  Files whose
    // reading failed (a warning was shown), that both tag filters reject, or
    // that the scan rules reject get no row.  Stops before the next file once
    // the host's stop flag is set.
    void ProcessFiles(bool clearFirst);

    // How ProcessFiles reads ahead: by default as the disk of the work list's
    // first folder wants it (ScanReadPlan); `readers` 1 reads every file on
    // the scan's own thread.  The rows, the reports and their order are the
    // same for every plan.
    void setReadPlan(int readers, int window) { m_readPlan = ReadPlan{readers, window}; }

    // What the last ProcessFiles did.
    int64_t filesProcessed() const { return m_processed; }
    int64_t rowsAdded() const { return m_rowsAdded; }

private:
    ScanResultsModel& m_results;
    JobHost& m_host;
    const ScanningCentreOptions& m_options;
    int64_t m_processed = 0;
    int64_t m_rowsAdded = 0;
    ReadPlan m_readPlan{0, 0};  // readers 0: the disk's plan
    // The readers' tag objects, made once and kept for the next scans.
    std::vector<ID3v2TagObject> m_tagObjects;

    // The plan for files in `folder`; makes the readers' tag objects.  One
    // reader: the files are read on this thread.
    ReadPlan planFor(const QString& folder);
    // The steps with the options of the job they belong to.
    void InitialiseScan(const ScanningCentreOptions& options);
    void ScanFiles(const QString& folder, bool includeSubfolders, const ScanningCentreOptions& options);
    void ConcludeScan(const ScanningCentreOptions& options);
    void ProcessFiles(bool clearFirst, const ScanningCentreOptions& options);
    // The readers ScanFiles started on the files as the walk found them;
    // ProcessFiles takes them over when the work list is still the walk's.
    std::unique_ptr<ReadAhead> m_walkAhead;
};

// The folder a scan of the folder tree's selection walks: the desktop
// directory for the tree's "Desktop" node (any letter case), else `selected`.
QString ResolveScanFolder(const QString& selected);
