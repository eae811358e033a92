#pragma once
// The settings of the Options dialog: one record whose fields are named
// after the dialog's controls, its reader and writer over the settings store,
// and the check OK makes before anything is stored.  The record starts at the
// dialog's design state, which is also what a new user sees.
//
// Every group comes from its own record (foundation/PreferenceSettings.h,
// scanning/engine/ScanningCentreSettings.h,
// coordinator/CoordinatorOptionSettings.h,
// cataloguer/CataloguerOptionSettings.h), keys and defaults included, which
// the program's option readers read too.  Rule keys put the rule number first ("3Choice"),
// column keys put it last ("ColumnHeading3").  Check boxes are stored as
// their value ("0", "1", "2" greyed), option buttons as "True"/"False".
//
// Read fills the record in the writer's order and does not touch the rule
// sections (the dialog shows the rules from the option records).  An error
// ends Read or Write at that entry and passes up the trail with
// "ReadOptionsSettings" or "WriteOptionsSettings": what was read or written
// before it stays.  Use ReadThenShow (options/ControlSettings.h) on load.

#include "cataloguer/CataloguerOptionSettings.h"
#include "coordinator/CoordinatorOptionSettings.h"
#include "foundation/OptionRecords.h"
#include "foundation/PreferenceSettings.h"
#include "options/ControlSettings.h"
#include "scanning/engine/ScanningCentreSettings.h"
#include "options/OptionRules.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

// The groups that keep their keys beside their tool come in as bases, in
// the reader's order: "Preferences" (foundation/PreferenceSettings.h),
// "MP3ScanningCentre" (scanning/engine/ScanningCentreSettings.h), the
// separators and "FileNameTagCoordinator" (coordinator/CoordinatorOptionSettings.h),
// "MusicCataloguerHTML" and "MusicCataloguerText"
// (cataloguer/CataloguerOptionSettings.h).
struct OptionsSettings : PreferenceChecks,
                         ScanningCentreChecks,
                         CoordinatorChecks,
                         HTMLCatalogueChecks,
                         TextCatalogueChecks {
    // ---- "ComboFileNameFormat": the remembered masks and the text ----
    ComboBoxSettings ComboFileNameFormat{{kDefaultFileNameFormat}, kDefaultFileNameFormat};
    bool FileNameFormatTyped = false;  // the text was typed, so Write remembers it

    void Read();
    // Also stores the two rule lists (shaped as the option records' arrays).
    void Write(const std::vector<ScanRule>& scanRules, const std::vector<SimulateRule>& simulateRules) const;
    bool operator==(const OptionsSettings&) const = default;
};

// What OK must refuse before it stores anything: values the option readers
// would reject (so a later start could not read its options) or a page could
// not use.  `page` is the dialog's page (0 scan, 1 file name, 2 HTML, 3 text),
// `row` the rule or column concerned (0-based, -1 none).
struct OptionsProblem {
    enum class Kind { TooManyScanRules, TooManySimulateRules, RulePointOutOfRange, ColumnWidthOutOfRange };
    Kind kind;
    int page = 0;
    int row = -1;
    QString column;  // the column of a bad width
    int maximum = 0;  // its largest width
};
std::optional<OptionsProblem> CheckOptionsForStore(const OptionsSettings& settings,
                                                   const std::vector<ScanRule>& scanRules,
                                                   const std::vector<SimulateRule>& simulateRules);
