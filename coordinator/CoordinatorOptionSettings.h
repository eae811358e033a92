#pragma once
// The file name and tag coordinator's option group (sections
// "ComboFileNameFormat", "SourceSeparator", "FileNameTagCoordinator" and
// "SimulateRules"): its keys and defaults, written once here, and the two
// forms the group is kept in.
// - The program's record, CoordinatorOptions (foundation/OptionRecords.h,
//   where Options() holds it): GetFileNameTagCoordinatorOptions reads the
//   mask's text, the separators (a user separator is its first character, a
//   blank when none is stored), the order, the tag preference and the
//   double-barrel option as Booleans, and rebuilds the simulate rule array
//   whole (the rules, then one empty element); a rule count outside 0 to
//   MaxRuleCount is refused before the array is touched.  Errors pass up the
//   trail with "GetFileNameTagCoordinatorOptions".
// - CoordinatorChecks, the Options dialog's form of the separators and the
//   "FileNameTagCoordinator" keys: check boxes as their stored state ("0",
//   "1", "2" greyed; "True"/"False" read as 1 and 0), option buttons as
//   "True"/"False", texts as they are, starting at the defaults a new user
//   sees.  The dialog keeps the mask's box itself (a remembered list, stored
//   under kFileNameFormatCombo).  Its reader and writer leave the rules alone;
//   WriteSimulateRules stores them (keys of rules beyond the count stay from
//   a longer list: the count tells the reader where to stop).  Their errors
//   pass up unchanged: the dialog adds its name.

#include "foundation/OptionRecords.h"

#include <QString>
#include <array>
#include <vector>

// The file-name mask's box: its section, its default and how many masks it
// remembers.
inline const QString kFileNameFormatCombo = QStringLiteral("ComboFileNameFormat");
inline const QString kDefaultFileNameFormat = QStringLiteral("%N2 - :%A: - %T");
constexpr int kFileNameFormatHistory = 5;

void GetFileNameTagCoordinatorOptions(CoordinatorOptions& record = Options().Coordinator);

struct CoordinatorChecks {
    // "SourceSeparator": keys "0" to "5", "TextSourceSeparator1", "2".
    std::array<int, 6> CheckSourceSeparator;
    std::array<QString, 2> TextSourceSeparator;
    // "FileNameTagCoordinator"
    std::array<QString, 3> LabelOrder;  // "Order1" to "Order3"
    bool OptionID3v1TagPref;            // "ID3v1TagPref"
    bool OptionID3v2TagPref;            // "ID3v2TagPref"
    int CheckDoubleBarrel;              // "DoubleBarrel"

    CoordinatorChecks();  // the defaults
    void Read();
    void Write() const;
    bool operator==(const CoordinatorChecks&) const = default;
};

// Stores the rule list (shaped as the record's array: the rules, then one
// empty element) as "NumSimulateRules" and each rule's five keys.
void WriteSimulateRules(const std::vector<SimulateRule>& rules);
