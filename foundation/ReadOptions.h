#pragma once
// Where each option group's reader lives (every group keeps its keys beside
// its owner, named below; options/MainOptions.h reads them all), and the
// helpers the rule readers share.  A reader fills one option record of
// foundation/OptionRecords.h from the settings store, the program-wide
// instance unless told another record.  Every reader names each key's default, assigns each value to its
// field as soon as it is read, and on an error stops, keeps what it assigned
// so far and passes the error on with its own name appended.

#include "foundation/OptionRecords.h"

#include <QString>
#include <cstdint>
#include <vector>

// "Preferences": GeneralPreferences::Read (foundation/PreferenceSettings.h)
void GetPreferences(GeneralPreferences& record = Options().Preferences);
// "MP3ScanningCentre", "ScanRules": scanning/engine/ScanningCentreSettings.h
// "ComboFileNameFormat", "SourceSeparator", "FileNameTagCoordinator",
// "SimulateRules": coordinator/CoordinatorOptionSettings.h
// "FileNameTagCoordinator", "CSWFrom", "CSWTo", "SpecialWordsFormat":
// coordinator/CoordinatorDialogSettings.h
// "MusicCataloguerHTML", "MusicCataloguerText", "ComboFontCombination":
// cataloguer/CataloguerOptionSettings.h
// "EncoderDecoder": encoder/EncoderOptionSettings.h

// The largest rule count a store may announce ("NumScanRules",
// "NumSimulateRules"); a count outside 0 to this is refused before the rule
// array is touched (error 6 above, error 9 below 0).
constexpr int MaxRuleCount = 32766;

// The number of rules in a rule array (the rules, then one empty element).
template <typename Rule>
int RuleCount(const std::vector<Rule>& rules) {
    return rules.empty() ? 0 : static_cast<int>(rules.size()) - 1;
}

// A rule's key: its number first ("12Choice"), as the Options dialog stores
// it; with the number last, rule 12's "Point" and rule 2's "Point1" would
// share one key.
QString RuleKey(int32_t n, const char* field);

// A rule count from the store ("0" when none), refused before any array is
// sized for it.
int32_t ReadRuleCount(const QString& section, const QString& key);
