#include "coordinator/SimulateRun.h"

#include "coordinator/SimResultsModel.h"
#include "coordinator/SimulateChange.h"
#include "foundation/Errors.h"
#include "foundation/ResourceStrings.h"
#include "scanning/engine/ScanResultsModel.h"

#include <utility>
#include <vector>

SimulateRunReport SimulateResultsRows(const ScanResultsModel& results, const std::function<bool(int row)>& take,
                                      int64_t total, const NameDeriver& deriver, SimResultsModel& table,
                                      const CoordinatorAdvOptions& colours, JobHost& job) {
    SimulateRunReport report;
    std::vector<SimRowTexts> pending;
    std::vector<FileIdentity> identities;  // of the pending rows
    const auto flush = [&] {
        if (pending.empty()) return;
        report.added += static_cast<int64_t>(pending.size());
        const int first = table.rows();
        table.appendDerivedRows(std::exchange(pending, {}), colours);
        for (size_t i = 0; i < identities.size(); ++i) table.setIdentity(first + int(i), identities[i]);
        identities.clear();
    };
    const QString workingWith = GetResourceString(TextId::Common::WorkingWith);
    YieldClock clock(job.YieldIntervalMs());
    int64_t done = 0;
    int lastTaken = -1;
    const int rows = results.rows();
    for (int row = 0; row < rows; ++row) {
        if (clock.due()) {
            // The rows made so far show once the run ends (the list is hidden
            // meanwhile); handing them over here keeps each insertion small.
            flush();
            job.ShowProgress(done, total);
            if (lastTaken >= 0) job.ShowStatus(workingWith + results.fullPath(lastTaken));
            job.Yield();
        }
        if (job.mblnStopAll) {
            report.stopped = true;
            break;
        }
        if (!take(row)) continue;
        ++done;
        lastTaken = row;
        SimulateOutcome outcome = deriver.simulate(results, row);
        if (outcome.ok()) {
            // Apply later acts only on this very file.
            identities.push_back(IdentityOf(results.fullPath(row)));
            pending.push_back(std::move(outcome.cells));
        } else {
            ++report.failed;
            flush();
            job.ShowProgress(done, total);
            DisplayErrorMessage(*outcome.error);
        }
    }
    flush();
    job.ShowProgress(done, total);
    if (lastTaken >= 0) job.ShowStatus(workingWith + results.fullPath(lastTaken));
    return report;
}
