#include "scanning/engine/FolderScan.h"

#include "foundation/Errors.h"
#include "foundation/MessageUi.h"
#include "foundation/NativePath.h"
#include "foundation/ResourceStrings.h"
#include "scanning/engine/FileReading.h"
#include "scanning/engine/ID3v2TagInfo.h"
#include "scanning/engine/ReadAhead.h"
#include "scanning/engine/ScanResultsModel.h"
#include "scanning/tagobject/QuillmarkLoader.h"

#include <QFile>
#include <QStandardPaths>
#include <span>
#include <unistd.h>

namespace {
// The scan takes read-only files; hidden files, system files and folders not.
constexpr int32_t kScanAttributes = FileAttribute::ReadOnly;

// A folder the scan can reach: it exists and can be listed.
bool FolderReady(const QString& folder) {
    return FolderExists(folder) && ::access(NativePath(folder).constData(), R_OK | X_OK) == 0;
}
}  // namespace

namespace {
// Whether the files a walk gave its readers are still the work list.
bool WalkedList(const ReadAhead& ahead, const std::vector<FolderListEntry>& work) {
    const int64_t n = static_cast<int64_t>(work.size());
    if (ahead.size() != n) return false;
    for (int64_t i : {int64_t(0), n / 2, n - 1}) {
        if (n == 0) break;
        const FolderListEntry& a = ahead.entry(i);
        const FolderListEntry& b = work[static_cast<size_t>(i)];
        if (a.Folder != b.Folder || a.FileName != b.FileName) return false;
    }
    return true;
}
}  // namespace

QString ResolveScanFolder(const QString& selected) {
    if (selected.compare(QLatin1String("Desktop"), Qt::CaseInsensitive) == 0)
        return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    return selected;
}

void FolderScan::ScanFolder(const QString& selected, bool includeSubfolders) {
    mblnScanInProgress = true;
    const ScanningCentreOptions options = m_options;
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
        ResumeNext([&] { InitialiseScan(options); });
        ResumeNext([&] { ScanFiles(folder, includeSubfolders, options); });
        ResumeNext([&] { ConcludeScan(options); });
    }
    mblnScanInProgress = false;
}

void FolderScan::InitialiseScan() { InitialiseScan(ScanningCentreOptions(m_options)); }

void FolderScan::InitialiseScan(const ScanningCentreOptions& options) {
    WithTrail(QStringLiteral("InitialiseScan"), [&] {
        m_walkAhead.reset();
        if (options.blnClearResults) std::vector<FolderListEntry>().swap(workList);
    });
}

void FolderScan::ScanFiles(const QString& folder, bool includeSubfolders) {
    ScanFiles(folder, includeSubfolders, ScanningCentreOptions(m_options));
}

void FolderScan::ScanFiles(const QString& folder, bool includeSubfolders, const ScanningCentreOptions& options) {
    try {
        std::vector<FolderListEntry> found;
        m_host.ShowStatus(GetResourceString(TextId::Scan::RetrievingFiles));
        mstrLastScannedFolder = folder;
        const QString pattern = options.strScanFilter.isEmpty() ? QStringLiteral("*.*") : options.strScanFilter;
        // The files are read while the walk still finds more: each folder's
        // files go to the readers as soon as they are listed.
        m_walkAhead.reset();
        const ReadPlan plan = planFor(folder);
        if (plan.readers > 1)
            m_walkAhead =
                std::make_unique<ReadAhead>(options, std::span(m_tagObjects).first(size_t(plan.readers)), plan.window);
        size_t fed = 0;
        auto listed = [&](const std::vector<FolderListEntry>& list) {
            if (m_walkAhead && m_walkAhead->append(list.data() + fed, list.size() - fed)) fed = list.size();
            else m_walkAhead.reset();
        };
        GetFolderList(folder, found, kScanAttributes, pattern, includeSubfolders, m_host.mblnStopAll,
                      m_walkAhead ? std::function<void(const std::vector<FolderListEntry>&)>(listed) : nullptr);
        if (m_walkAhead) m_walkAhead->finish();
        workList = std::move(found);
    } catch (...) {
        m_walkAhead.reset();
        PropagateError(CallSite(QStringLiteral("ScanFiles"), folder));
    }
}

void FolderScan::ConcludeScan() { ConcludeScan(ScanningCentreOptions(m_options)); }

void FolderScan::ConcludeScan(const ScanningCentreOptions& options) {
    WithTrail(QStringLiteral("ConcludeScan"), [&] {
        ProcessFiles(options.blnClearResults, options);
        m_host.ShowStatus(GetResourceString(TextId::Scan::ScanComplete));
    });
}

ReadPlan FolderScan::planFor(const QString& folder) {
    if (!gobjID3v2Tag.isSet()) return ReadPlan{};
    ReadPlan plan = ScanReadPlan(folder);
    if (m_readPlan.readers > 0) plan = m_readPlan;
    if (plan.readers < 2) return ReadPlan{};
    // Each reader parses tags with a tag object of its own.
    try {
        while (static_cast<int>(m_tagObjects.size()) < plan.readers) m_tagObjects.push_back(CreateQuillmarkTagObject());
    } catch (...) {
        return ReadPlan{};
    }
    return plan;
}

void FolderScan::ProcessFiles(bool clearFirst) { ProcessFiles(clearFirst, ScanningCentreOptions(m_options)); }

void FolderScan::ProcessFiles(bool clearFirst, const ScanningCentreOptions& filters) {
    auto flush = [&] {
        m_rowsAdded += m_results.stagedRows();
        m_results.commitStaged();
    };
    m_processed = 0;
    m_rowsAdded = 0;
    try {
        if (clearFirst) m_results.clear();
        const int64_t total = static_cast<int64_t>(workList.size());
        m_host.ShowProgress(0, total);
        m_results.reserveRows(static_cast<size_t>(m_results.rows() + total));
        const QString processing = GetResourceString(TextId::Scan::Processing);
        FileReader reader(gobjID3v2Tag);
        // The readers the walk started, when the work list is still the
        // walk's; else readers of their own for this list.
        std::unique_ptr<ReadAhead> ahead = std::move(m_walkAhead);
        if (ahead && !WalkedList(*ahead, workList)) ahead.reset();
        if (!ahead && total > 1) {
            const ReadPlan plan = planFor(workList.front().Folder);
            if (plan.readers > 1)
                ahead = std::make_unique<ReadAhead>(workList, filters,
                                                    std::span(m_tagObjects).first(size_t(plan.readers)), plan.window);
        }
        YieldClock clock(m_host.YieldIntervalMs());
        auto yieldAt = [&](int64_t i) {
            const FolderListEntry& entry = workList[static_cast<size_t>(i)];
            flush();
            m_host.ShowProgress(i + 1, total);
            m_host.ShowStatus(processing + PathForDisplay(JoinFolderFile(entry.Folder, entry.FileName)));
            m_host.Yield();
        };
        for (int64_t i = 0; i < total; ++i) {
            if (clock.due()) yieldAt(i);
            if (m_host.mblnStopAll) break;
            FileReading own;
            FileReading* reading = &own;
            if (ahead) {
                // The window stays alive while a slow disk delivers the file.
                while (!(reading = ahead->take(i, std::max(1, m_host.YieldIntervalMs())))) {
                    if (clock.due()) yieldAt(i);
                    if (m_host.mblnStopAll) break;
                }
                if (!reading) break;
            } else {
                reader.read(workList[static_cast<size_t>(i)], &filters, own);
            }
            ++m_processed;
            if (SettleReading(*reading)) m_results.stageRecord(reading->record);
            if (ahead) ahead->release(i);
        }
        // Reads in flight past a stop are dropped with the readers.
        ahead.reset();
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
