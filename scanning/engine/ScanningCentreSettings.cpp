#include "scanning/engine/ScanningCentreSettings.h"

#include "foundation/Errors.h"
#include "foundation/ReadOptions.h"
#include "foundation/SettingsStore.h"
#include "foundation/StoredValues.h"

namespace {

const QString kSection = QStringLiteral("MP3ScanningCentre");
const QString kRules = QStringLiteral("ScanRules");
const QString kRuleCountKey = QStringLiteral("NumScanRules");
const QString kFilterKey = QStringLiteral("ScanFilter");
const QString kDefaultFilter = QStringLiteral("*.mp3");

// One row per check key, in stored order: the key, its default and the
// field of each form.
struct ScanCheckKey {
    const char* key;
    bool ticked;
    bool ScanningCentreOptions::*option;
    int ScanningCentreChecks::*check;
};
const ScanCheckKey kKeys[] = {
    {"ClearResults", true, &ScanningCentreOptions::blnClearResults, &ScanningCentreChecks::CheckClearResults},
    {"IncFilesWithID3v1", true, &ScanningCentreOptions::blnIncFilesWithID3v1, &ScanningCentreChecks::CheckIncludeID3v1},
    {"IncFilesWithoutID3v1", true, &ScanningCentreOptions::blnIncFilesWithoutID3v1,
     &ScanningCentreChecks::CheckDontIncludeID3v1},
    {"IncFilesWithID3v2", true, &ScanningCentreOptions::blnIncFilesWithID3v2, &ScanningCentreChecks::CheckIncludeID3v2},
    {"IncFilesWithoutID3v2", true, &ScanningCentreOptions::blnIncFilesWithoutID3v2,
     &ScanningCentreChecks::CheckDontIncludeID3v2},
};

QString readText(const QString& section, const QString& key, const QString& defaultText = QString()) {
    return GetOptionSetting(section, key, defaultText, SettingType::String).toString();
}
bool readBool(const QString& section, const QString& key, const QString& defaultText) {
    return GetOptionSetting(section, key, defaultText, SettingType::Boolean).toBool();
}

}  // namespace

void GetScanningCentreOptions(ScanningCentreOptions& o) {
    WithTrail(QStringLiteral("GetScanningCentreOptions"), [&] {
        for (const ScanCheckKey& k : kKeys)
            o.*k.option = readBool(kSection, QLatin1String(k.key), Stored::TruthText(k.ticked));
        o.strScanFilter = readText(kSection, kFilterKey, kDefaultFilter);

        const int32_t count = ReadRuleCount(kRules, kRuleCountKey);
        // Rebuilt whole: the rules, then one empty element.
        o.udtScanRules.assign(static_cast<size_t>(count) + 1, ScanRule{});
        for (int32_t n = 1; n <= count; ++n) {
            ScanRule& rule = o.udtScanRules[static_cast<size_t>(n - 1)];
            rule.Choice = readText(kRules, RuleKey(n, "Choice"));
            rule.Scope = readText(kRules, RuleKey(n, "Scope"));
            rule.Filter = readText(kRules, RuleKey(n, "Filter"));
            rule.Target = readText(kRules, RuleKey(n, "Target"));
            rule.CaseSensitive = readBool(kRules, RuleKey(n, "CaseSensitive"), QString());
        }
    });
}

ScanningCentreChecks::ScanningCentreChecks() : ComboScanFilter(kDefaultFilter) {
    for (const ScanCheckKey& k : kKeys) this->*k.check = k.ticked ? 1 : 0;
}

void ScanningCentreChecks::Read() {
    for (const ScanCheckKey& k : kKeys)
        this->*k.check = Stored::CheckState(kSection, QLatin1String(k.key), Stored::CheckText(k.ticked));
    ComboScanFilter = Stored::Text(kSection, kFilterKey, kDefaultFilter);
}

void ScanningCentreChecks::Write() const {
    for (const ScanCheckKey& k : kKeys) Stored::SaveInteger(kSection, QLatin1String(k.key), this->*k.check);
    Stored::SaveText(kSection, kFilterKey, ComboScanFilter);
}

void WriteScanRules(const std::vector<ScanRule>& rules) {
    const int count = RuleCount(rules);
    Stored::SaveInteger(kRules, kRuleCountKey, count);
    for (int n = 1; n <= count; ++n) {
        const ScanRule& rule = rules[static_cast<size_t>(n - 1)];
        Stored::SaveText(kRules, RuleKey(n, "Choice"), rule.Choice);
        Stored::SaveText(kRules, RuleKey(n, "Scope"), rule.Scope);
        Stored::SaveText(kRules, RuleKey(n, "Filter"), rule.Filter);
        Stored::SaveText(kRules, RuleKey(n, "Target"), rule.Target);
        Stored::SaveTruth(kRules, RuleKey(n, "CaseSensitive"), rule.CaseSensitive);
    }
}
