#include "scanning/engine/ScanRules.h"

#include "foundation/Errors.h"
#include "scanning/engine/GenreLookup.h"
#include "foundation/NumberText.h"

#include <QCollator>
#include <QLocale>

namespace {
bool Is(const QString& text, QLatin1StringView word) { return text.compare(word, Qt::CaseInsensitive) == 0; }

// The compared value of a target text; `known` false for a target that is
// none of the list (such a rule compares an empty value).
QString TargetValue(const QString& target, const ID3v1Tag& v1, const ID3v2Tag& v2, const QString& fileName) {
    struct Entry {
        QLatin1StringView name;
        int field;
    };
    static constexpr Entry targets[] = {
        {QLatin1StringView("in File Name"), 0},          {QLatin1StringView("in ID3v1 Title"), 1},
        {QLatin1StringView("in ID3v1 Artist"), 2},       {QLatin1StringView("in ID3v1 Album"), 3},
        {QLatin1StringView("in ID3v1 Year"), 4},         {QLatin1StringView("in ID3v1 Comment"), 5},
        {QLatin1StringView("in ID3v1 Genre"), 6},        {QLatin1StringView("in ID3v2 Title"), 7},
        {QLatin1StringView("in ID3v2 Artist"), 8},       {QLatin1StringView("in ID3v2 Album"), 9},
        {QLatin1StringView("in ID3v2 Year"), 10},        {QLatin1StringView("in ID3v2 Comment"), 11},
        {QLatin1StringView("in ID3v2 Genre"), 12},       {QLatin1StringView("in ID3v2 Composer"), 13},
        {QLatin1StringView("in ID3v2 Orig. Artist"), 14}, {QLatin1StringView("in ID3v2 Copyright"), 15},
        {QLatin1StringView("in ID3v2 URL"), 16},         {QLatin1StringView("in ID3v2 Encoded by"), 17},
    };
    for (const Entry& e : targets) {
        if (!Is(target, e.name)) continue;
        switch (e.field) {
        case 0: return fileName;
        case 1: return v1.Title;
        case 2: return v1.Artist;
        case 3: return v1.Album;
        case 4: return v1.Year;
        case 5: return v1.Comment;
        case 6: return ScanGenreName(v1.Genre);
        case 7: return v2.Title;
        case 8: return v2.Artist;
        case 9: return v2.Album;
        case 10: return v2.Year;
        case 11: return v2.Comment;
        case 12: return v2.Genre;
        case 13: return v2.Composer;
        case 14: return v2.OrigArtist;
        case 15: return v2.Copyright;
        case 16: return v2.URL;
        default: return v2.EncodedBy;
        }
    }
    return QString();
}

// Sort order of two texts: exact character codes when case counts, else the
// locale's order ignoring case.
int CompareTexts(const QString& a, const QString& b, bool caseSensitive) {
    if (caseSensitive) return a.compare(b, Qt::CaseSensitive);
    static thread_local QCollator collator = [] {
        QCollator c{QLocale()};
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator.compare(a, b);
}

// <0, 0, >0: the numbers when both texts are numeric, else the texts.
int CompareForOrder(const QString& value, const QString& filter, bool caseSensitive) {
    if (IsNumericText(value) && IsNumericText(filter)) {
        const double v = LeadingNumber(value), f = LeadingNumber(filter);
        return v < f ? -1 : (v > f ? 1 : 0);
    }
    return CompareTexts(value, filter, caseSensitive);
}

bool Contains(const QString& value, const QString& filter, bool caseSensitive) {
    if (filter.isEmpty()) return !value.isEmpty();
    return value.contains(filter, caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
}
}  // namespace

bool ScanRuleMatches(const ScanRule& rule, const QString& value) {
    const QString& scope = rule.Scope;
    const QString& filter = rule.Filter;
    const Qt::CaseSensitivity cs = rule.CaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (Is(scope, QLatin1StringView("equal to"))) return value.compare(filter, cs) == 0;
    if (Is(scope, QLatin1StringView("not equal to"))) return value.compare(filter, cs) != 0;
    if (Is(scope, QLatin1StringView("containing"))) return Contains(value, filter, rule.CaseSensitive);
    if (Is(scope, QLatin1StringView("not containing"))) return !Contains(value, filter, rule.CaseSensitive);
    if (Is(scope, QLatin1StringView("greater than"))) return CompareForOrder(value, filter, rule.CaseSensitive) > 0;
    if (Is(scope, QLatin1StringView("less than"))) return CompareForOrder(value, filter, rule.CaseSensitive) < 0;
    return false;
}

bool ApplyScanRules(const std::vector<ScanRule>& rules, const ID3v1Tag& id3v1, const ID3v2Tag& id3v2,
                    const QString& fileName) {
    try {
        // The last element is the spare one, not a rule.
        for (size_t i = 0; i + 1 < rules.size(); ++i) {
            const ScanRule& rule = rules[i];
            const bool matches = ScanRuleMatches(rule, TargetValue(rule.Target, id3v1, id3v2, fileName));
            if (Is(rule.Choice, QLatin1StringView("Don't include files"))) {
                if (matches) return false;
            } else if (Is(rule.Choice, QLatin1StringView("Only include files"))) {
                return matches;
            }
        }
        return true;
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("ApplyScanRules"), fileName));
    }
}
