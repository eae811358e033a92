#include "scanning/engine/FolderScan.h"

#include "foundation/Errors.h"
#include "foundation/MessageUi.h"
#include "foundation/ResourceStrings.h"
#include "scanning/engine/FileBytes.h"
#include "scanning/engine/FileErrorReport.h"
#include "scanning/engine/FileTimeText.h"
#include "scanning/engine/ID3v1.h"
#include "scanning/engine/ID3v2TagInfo.h"
#include "scanning/engine/MPEGHeader.h"
#include "scanning/engine/ScanResultsModel.h"
#include "scanning/engine/ScanRules.h"

#include <QFile>
#include <QStandardPaths>
#include <unistd.h>

namespace {
// The scan takes read-only files; hidden files, system files and folders not.
constexpr int32_t kScanAttributes = FileAttribute::ReadOnly;

// A folder the scan can reach: it exists and can be listed.
bool FolderReady(const QString& folder) {
    return FolderExists(folder) && ::access(QFile::encodeName(folder).constData(), R_OK | X_OK) == 0;
}
}  // namespace

QString ResolveScanFolder(const QString& selected) {
    if (selected.compare(QLatin1String("Desktop"), Qt::CaseInsensitive) == 0)
        return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    return selected;
}

bool ReadScanRecord(ScanRecord& record, const ScanningCentreOptions* filters, FileTimeText& times) {
    const QString& fileName = record.FolderListEntry.FileName;
    const QString path = JoinFolderFile(record.FolderListEntry.Folder, fileName);
    bool hasID3v1 = false, filteredID3v1 = false;
    bool hasID3v2 = false, filteredID3v2 = false;

    FileBytes file;
    bool opened = false;
    try {
        opened = file.open(path);
    } catch (...) {
        // The ID3v1 read is the first to touch the file: a file that cannot
        // be opened fails there.
        if (ReportFileError(path, FileAction::ReadID3v1)) return false;
        PropagateError(CallSite(QStringLiteral("ReadID3v1TagInfo"), path, hasID3v1, filteredID3v1));
    }
    // A file that vanished since the walk reads as empty, as each reader
    // leaves its part of the record when there is no file.
    if (opened && !ReadID3v1TagInfo(file, path, record.ID3v1Tag, hasID3v1, filteredID3v1)) return false;
    if (!ReadID3v2TagInfo(file, path, record.ID3v2Tag, hasID3v2, filteredID3v2)) return false;
    if (filters) {
        // The readers' own filter flags follow the program-wide options; the
        // scan goes by the options it was given.  One passing filter is enough.
        // A file that vanished since the walk has no tag state to go by.
        filteredID3v1 =
            opened && !IncludedByTagState(hasID3v1, filters->blnIncFilesWithID3v1, filters->blnIncFilesWithoutID3v1);
        filteredID3v2 =
            opened && !IncludedByTagState(hasID3v2, filters->blnIncFilesWithID3v2, filters->blnIncFilesWithoutID3v2);
        if (filteredID3v1 && filteredID3v2) return false;
        if (!ApplyScanRules(filters->udtScanRules, record.ID3v1Tag, record.ID3v2Tag, fileName)) return false;
    }
    if (opened) {
        bool found = false;
        record.MPEGInfo = ReadMPEGInfo(file, path, found);
        record.FileDetails = FileDetailsFromStatus(fileName, file.status(), times);
    }
    return true;
}

void FolderScan::ScanFolder(const QString& selected, bool includeSubfolders) {
    mblnScanInProgress = true;
    ResumeNext([&] { m_host.ShowStatus(GetResourceString(TextId::Scan::SearchingForMusicFiles)); });
    QString folder;
    bool ready = false;
    ResumeNext([&] {
        folder = ResolveScanFolder(selected);
        ready = FolderReady(folder);
    });
    if (!ready) {
        MsgBox(GetResourceString(TextId::Scan::DriveNotReadyText), Mb::OKOnly | Mb::Exclamation,
               GetResourceString(TextId::Scan::DriveNotReady));
    } else {
        ResumeNext([&] { InitialiseScan(); });
        ResumeNext([&] { ScanFiles(folder, includeSubfolders); });
        ResumeNext([&] { ConcludeScan(); });
    }
    mblnScanInProgress = false;
}

void FolderScan::InitialiseScan() {
    WithTrail(QStringLiteral("InitialiseScan"), [&] {
        if (m_options.blnClearResults) std::vector<FolderListEntry>().swap(mudtScanRecords);
    });
}

void FolderScan::ScanFiles(const QString& folder, bool includeSubfolders) {
    try {
        std::vector<FolderListEntry> found;
        m_host.ShowStatus(GetResourceString(TextId::Scan::RetrievingFiles));
        mstrLastScannedFolder = folder;
        const QString pattern = m_options.strScanFilter.isEmpty() ? QStringLiteral("*.*") : m_options.strScanFilter;
        GetFolderList(folder, found, kScanAttributes, pattern, includeSubfolders, m_host.mblnStopAll);
        mudtScanRecords = std::move(found);
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("ScanFiles"), folder));
    }
}

void FolderScan::ConcludeScan() {
    WithTrail(QStringLiteral("ConcludeScan"), [&] {
        ProcessFiles(m_options.blnClearResults);
        m_host.ShowStatus(GetResourceString(TextId::Scan::ScanComplete));
    });
}

void FolderScan::ProcessFiles(bool clearFirst) {
    auto flush = [&] {
        m_rowsAdded += m_results.stagedRows();
        m_results.commitStaged();
    };
    m_processed = 0;
    m_rowsAdded = 0;
    try {
        if (clearFirst) m_results.clear();
        const int64_t total = static_cast<int64_t>(mudtScanRecords.size());
        m_host.ShowProgress(0, total);
        m_results.reserveRows(static_cast<size_t>(m_results.rows() + total));
        const QString processing = GetResourceString(TextId::Scan::Processing);
        FileTimeText times;
        YieldClock clock(m_host.YieldIntervalMs());
        for (int64_t i = 0; i < total; ++i) {
            const FolderListEntry& entry = mudtScanRecords[static_cast<size_t>(i)];
            if (clock.due()) {
                flush();
                m_host.ShowProgress(i + 1, total);
                m_host.ShowStatus(processing + JoinFolderFile(entry.Folder, entry.FileName));
                m_host.Yield();
            }
            if (m_host.mblnStopAll) break;
            ++m_processed;
            ScanRecord record;
            record.FolderListEntry = entry;
            if (!ReadScanRecord(record, &m_options, times)) continue;
            m_results.stageRecord(record);
        }
        flush();
        m_host.ShowProgress(m_processed, total);
    } catch (...) {
        // The rows made before the failure stay.
        try {
            flush();
        } catch (...) {
        }
        PropagateError(QStringLiteral("ProcessFiles"));
    }
}
