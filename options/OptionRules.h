#pragma once
// The editing rules of the Options dialog, without widgets: the words its
// drop-down lists offer, the scan and simulate rule lists it edits as working
// copies, the filter limits of each scan target, the correction of a typed
// file-name mask, and the two lists of catalogue columns (not included /
// included, with a width per included column for the text catalogue).
//
// Rule lists keep the shape of the option records (foundation/OptionRecords.h):
// the rules, then one spare element, so n rules are n + 1 elements.  A list
// never grows beyond MaxRuleCount rules: the option readers refuse a larger
// count, so a longer list could be stored but never read back.

#include "cataloguer/CataloguerOptionSettings.h"
#include "foundation/OptionRecords.h"
#include "foundation/ReadOptions.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// ---- words of the lists ---------------------------------------------------------------

const QStringList& ScanRuleChoices();  // "Only include files", "Don't include files"
const QStringList& ScanRuleScopes();   // "equal to" ... "less than"
const QStringList& ScanRuleTargets();  // the 18 targets, "in File Name" first
const QStringList& ScanFilterMasks();  // the 24 masks of the scan filter box
const QStringList& SimRuleChoices();   // "Only include", "Don't include"
const QStringList& SimRuleRanges();    // "up to", "from", "between", "outside of"
const QStringList& SimRulePoints();    // "character", "separator"
const QStringList& SortOrders();       // "Ascending order", "Descending order"

// The text a rule is listed under: "Rule " and its number from 1.
QString RuleEntryText(int number);

// ---- scan rules -----------------------------------------------------------------------

// The longest filter a target allows (0: no limit), names compared ignoring case.
int ScanFilterLengthLimit(const QString& target);
// True for the two year targets, whose filter holds digits only.
bool ScanTargetIsYear(const QString& target);
// A rule can be added only when every list has a choice and the filter is not empty.
bool ScanRuleComplete(const ScanRule& rule);

// ---- simulate rules -------------------------------------------------------------------

bool SimRuleComplete(const SimulateRule& rule);
// True for "between" and "outside of" (any case): the ranges with a second point.
bool SimRangeHasSecondPoint(const QString& range);
// The number a point box's text stands for: its leading number rounded to
// the nearest integer (halves to the even one), 0 when it has none; nothing
// when it does not fit the 16-bit field a rule keeps it in.
std::optional<int> RulePointNumber(const QString& text);

// ---- both rule lists ------------------------------------------------------------------

// Appends `rule` as the last rule (the spare moves behind it).  False, and
// nothing changes, when the list already holds MaxRuleCount rules.
template <typename Rule>
bool AppendRule(std::vector<Rule>& rules, const Rule& rule);
// Removes rule `index` (0-based); later rules move up one place.
template <typename Rule>
void RemoveRuleAt(std::vector<Rule>& rules, int index);

// ---- file-name mask -------------------------------------------------------------------

// The mask as its box leaves it: a "%N" (any case) not followed by "1" or "2"
// gets a "1" after it (the first "%N" only).
QString CorrectedFileNameFormat(const QString& mask);

// ---- catalogue columns ----------------------------------------------------------------

// The 27 column names of the catalogues, in alphabetical order.
const QStringList& CatalogueColumnVocabulary();
// The widest a text catalogue column may be, and the width it gets when added.
int TextColumnMaxWidth(const QString& name);
int TextColumnAddedWidth(const QString& name);
// Case-insensitive order of the alphabetical lists.
bool ColumnNameLess(const QString& a, const QString& b);

// IncludedColumn: cataloguer/CataloguerOptionSettings.h

// The two column lists of one catalogue page.  Every operation that takes a
// row ignores a row outside its list (-1: nothing selected) and returns the
// row to select afterwards (-1 none).
class CatalogueColumnLists {
public:
    // `widths`: the text catalogue's lists, whose included rows carry a width.
    explicit CatalogueColumnLists(bool widths);

    const QStringList& NotIncluded() const { return m_notIncluded; }
    const std::vector<IncludedColumn>& Included() const { return m_included; }
    bool HasWidths() const { return m_widths; }

    // All 27 not included, nothing included.
    void Reset();
    // As a stored column comes back: appended to the included list with the
    // stored width as it is, every equal entry taken out of the other list.
    void Restore(const QString& name, const QString& width = QString());
    void ClearIncluded();  // the included list emptied, the other one kept

    // Moves not-included row `row` to the end of the included list; returns
    // the not-included row to select.
    int Add(int row);
    void AddAll();
    // Moves included row `row` back to its alphabetical place; returns the
    // included row to select.
    int Remove(int row);
    void RemoveAll();
    // Swap with the neighbour; returns the included row to select.
    int Up(int row);
    int Down(int row);

    // The width spinner on included row `row`: Up adds 1 up to the column's
    // maximum (a width without a leading number counts as 0); Down takes 1
    // off down to 1, and raises error 13 for a width that is no number.
    void WidthUp(int row);
    void WidthDown(int row);
    void SetWidth(int row, const QString& width);

    // The sort-key choices: the included names in alphabetical order.
    QStringList SortKeys() const;

private:
    void insertSorted(const QString& name);
    bool m_widths;
    QStringList m_notIncluded;
    std::vector<IncludedColumn> m_included;
};

// A width the text catalogue reader accepts and the page can use: a whole
// number from 1 to the column's maximum.
bool TextColumnWidthValid(const IncludedColumn& column);

// ---- template definitions -------------------------------------------------------------

template <typename Rule>
bool AppendRule(std::vector<Rule>& rules, const Rule& rule) {
    if (rules.empty()) rules.resize(1);
    if (RuleCount(rules) >= MaxRuleCount) return false;
    rules.back() = rule;
    rules.emplace_back();
    return true;
}

template <typename Rule>
void RemoveRuleAt(std::vector<Rule>& rules, int index) {
    const int count = RuleCount(rules);
    if (index < 0 || index >= count) return;
    rules.erase(rules.begin() + index);
}
