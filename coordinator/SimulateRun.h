#pragma once
// A Simulate run: rows of the results list, in list order, derived one by one
// into the simulate results table.  `take` picks the rows (the ticked rows for
// the Simulate button, the selected rows for rows dragged in); the others are
// passed over.  Before each row the job may yield and the run leaves when the
// stop flag is set; each taken row advances the progress by one, shows
// "Working with: " and its path, and adds its derived row, ticked and
// coloured by its action.  A row that cannot be derived is shown in the
// critical error box and the run goes on with the next one.
//
// Rows reach the table in batches (at each yield and at the end), so the
// table announces few insertions however many rows a run makes.  Nothing on
// disk changes.  The caller reports the end (complete or interrupted).

#include "foundation/JobHost.h"
#include "foundation/OptionRecords.h"

#include <cstdint>
#include <functional>

class NameDeriver;
class ScanResultsModel;
class SimResultsModel;

struct SimulateRunReport {
    int64_t added = 0;   // rows added to the table
    int64_t failed = 0;  // taken rows that could not be derived
    bool stopped = false;
};

// `total` is the number of rows `take` picks (the progress bar's maximum).
SimulateRunReport SimulateResultsRows(const ScanResultsModel& results, const std::function<bool(int row)>& take,
                                      int64_t total, const NameDeriver& deriver, SimResultsModel& table,
                                      const CoordinatorAdvOptions& colours, JobHost& job);
