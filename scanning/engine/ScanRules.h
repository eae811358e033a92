#pragma once
// The user's scan rules: which files a scan admits to the results list.

#include "foundation/OptionRecords.h"
#include "scanning/engine/TagRecords.h"

#include <QString>
#include <vector>

// Decides a file by `rules` (element n at index n - 1, one spare element at the
// end): the first rule that decides wins; without a decision the file is in.
bool ApplyScanRules(const std::vector<ScanRule>& rules, const ID3v1Tag& id3v1, const ID3v2Tag& id3v2,
                    const QString& fileName);

// Whether the include options keep a file by one tag's state: `withTag`
// when the file has that tag, `withoutTag` when it has not.
inline bool IncludedByTagState(bool hasTag, bool withTag, bool withoutTag) { return hasTag ? withTag : withoutTag; }

// Whether one rule's comparison holds for `value` (Choice aside).
bool ScanRuleMatches(const ScanRule& rule, const QString& value);
