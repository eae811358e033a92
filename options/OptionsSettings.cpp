#include "options/OptionsSettings.h"

#include "foundation/Errors.h"
#include "foundation/StoredValues.h"

#include <limits>

void OptionsSettings::Read() {
    WithTrail(QStringLiteral("ReadOptionsSettings"), [this] {
        PreferenceChecks::Read();
        ScanningCentreChecks::Read();

        ComboFileNameFormat.Read(kFileNameFormatCombo, kFileNameFormatHistory, kDefaultFileNameFormat);

        CoordinatorChecks::Read();

        HTMLCatalogueChecks::Read();

        TextCatalogueChecks::Read();
    });
}

void OptionsSettings::Write(const std::vector<ScanRule>& scanRules,
                            const std::vector<SimulateRule>& simulateRules) const {
    WithTrail(QStringLiteral("WriteOptionsSettings"), [&] {
        PreferenceChecks::Write();
        ScanningCentreChecks::Write();
        WriteScanRules(scanRules);

        ComboBoxSettings format = ComboFileNameFormat;
        format.Write(kFileNameFormatCombo, kFileNameFormatHistory, FileNameFormatTyped);

        CoordinatorChecks::Write();
        WriteSimulateRules(simulateRules);

        HTMLCatalogueChecks::Write();

        TextCatalogueChecks::Write();
    });
}

std::optional<OptionsProblem> CheckOptionsForStore(const OptionsSettings& settings,
                                                   const std::vector<ScanRule>& scanRules,
                                                   const std::vector<SimulateRule>& simulateRules) {
    using K = OptionsProblem::Kind;
    if (RuleCount(scanRules) > MaxRuleCount) return OptionsProblem{K::TooManyScanRules, 0, -1, {}, 0};
    if (RuleCount(simulateRules) > MaxRuleCount)
        return OptionsProblem{K::TooManySimulateRules, 1, -1, {}, 0};
    // The reader takes points as 16-bit numbers.
    constexpr int lowest = std::numeric_limits<int16_t>::min(), highest = std::numeric_limits<int16_t>::max();
    for (int n = 0; n < RuleCount(simulateRules); ++n) {
        const SimulateRule& rule = simulateRules[static_cast<size_t>(n)];
        if (rule.Point1 < lowest || rule.Point1 > highest || rule.Point2 < lowest || rule.Point2 > highest)
            return OptionsProblem{K::RulePointOutOfRange, 1, n, {}, 0};
    }
    // The reader takes a width only as a whole number, and a wider cell than
    // the column's largest would break the page's layout.
    for (int n = 0; n < static_cast<int>(settings.ListIncludedText.size()); ++n) {
        const IncludedColumn& column = settings.ListIncludedText[static_cast<size_t>(n)];
        if (!TextColumnWidthValid(column))
            return OptionsProblem{K::ColumnWidthOutOfRange, 3, n, column.name, TextColumnMaxWidth(column.name)};
    }
    return std::nullopt;
}
