#pragma once
// The scanning centre's option group (sections "MP3ScanningCentre" and
// "ScanRules"): its keys and defaults, written once here, and the two forms
// the group is kept in.
// - The program's record, ScanningCentreOptions (foundation/OptionRecords.h,
//   where Options() holds it): GetScanningCentreOptions reads each check key
//   as a Boolean, the filter as text, and rebuilds the rule array whole (the
//   rules, then one empty element); a rule count outside 0 to MaxRuleCount
//   is refused before the array is touched.  Errors pass up the trail with
//   "GetScanningCentreOptions".
// - ScanningCentreChecks, the Options dialog's form: each check box's state
//   as stored ("0", "1", "2" greyed; "True"/"False" read as 1 and 0) and the
//   filter, starting at the defaults a new user sees.  Its reader and writer
//   leave the rules alone; WriteScanRules stores them (keys of rules beyond
//   the count stay from a longer list: the count tells the reader where to
//   stop).  Their errors pass up unchanged: the dialog adds its name.

#include "foundation/OptionRecords.h"

#include <QString>
#include <vector>

void GetScanningCentreOptions(ScanningCentreOptions& record = Options().ScanningCentre);

struct ScanningCentreChecks {
    int CheckClearResults;      // "ClearResults"
    int CheckIncludeID3v1;      // "IncFilesWithID3v1"
    int CheckDontIncludeID3v1;  // "IncFilesWithoutID3v1"
    int CheckIncludeID3v2;      // "IncFilesWithID3v2"
    int CheckDontIncludeID3v2;  // "IncFilesWithoutID3v2"
    QString ComboScanFilter;    // "ScanFilter"

    ScanningCentreChecks();  // the defaults
    void Read();
    void Write() const;
    bool operator==(const ScanningCentreChecks&) const = default;
};

// Stores the rule list (shaped as the record's array: the rules, then one
// empty element) as "NumScanRules" and each rule's five keys.
void WriteScanRules(const std::vector<ScanRule>& rules);
