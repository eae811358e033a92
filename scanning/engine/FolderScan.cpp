#include "scanning/engine/FolderScan.h"

#include "foundation/Errors.h"
#include "foundation/MessageUi.h"
#include "foundation/NativePath.h"
#include "foundation/ResourceStrings.h"
#include "scanning/engine/FileReading.h"
#include "scanning/engine/ID3v2TagInfo.h"
#include "scanning/engine/ScanResultsModel.h"

#include <QFile>
#include <QStandardPaths>
#include <unistd.h>

namespace {
// The scan takes read-only files; hidden files, system files and folders not.
constexpr int32_t kScanAttributes = FileAttribute::ReadOnly;

// A folder the scan can reach: it exists and can be listed.
bool FolderReady(const QString& folder) {
    return FolderExists(folder) && ::access(NativePath(folder).constData(), R_OK | X_OK) == 0;
}
}  // namespace

QString ResolveScanFolder(const QString& selected) {
    if (selected.compare(QLatin1String("Desktop"), Qt::CaseInsensitive) == 0)
        return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    return selected;
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
        // The options as they stand now hold for the whole run.
        const ScanningCentreOptions filters = m_options;
        FileReader reader(gobjID3v2Tag);
        YieldClock clock(m_host.YieldIntervalMs());
        for (int64_t i = 0; i < total; ++i) {
            const FolderListEntry& entry = mudtScanRecords[static_cast<size_t>(i)];
            if (clock.due()) {
                flush();
                m_host.ShowProgress(i + 1, total);
                m_host.ShowStatus(processing + PathForDisplay(JoinFolderFile(entry.Folder, entry.FileName)));
                m_host.Yield();
            }
            if (m_host.mblnStopAll) break;
            ++m_processed;
            FileReading reading;
            reader.read(entry, &filters, reading);
            if (SettleReading(reading)) m_results.stageRecord(reading.record);
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
