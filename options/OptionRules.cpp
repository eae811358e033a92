#include "options/OptionRules.h"

#include "foundation/Errors.h"
#include "foundation/SettingsStore.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace {

QStringList sortedColumns() {
    QStringList names = {"Album",      "Artist",       "Bitrate",  "Comment",      "Composer",  "Copyright", "Copyrighted",
                         "CRC's",      "Emphasis",     "Encoded by", "File Name",  "File Size", "Frames",    "Frequency",
                         "Genre",      "Layer Version", "Length",  "Mode",         "MPEG Version", "Orig. Artist",
                         "Original",   "Path",         "Private",  "Title",        "Track",     "URL",       "Year"};
    std::stable_sort(names.begin(), names.end(), ColumnNameLess);
    return names;
}

struct WidthLimit {
    const char* name;
    int maximum;
};
const WidthLimit kWidthLimits[] = {
    {"Bitrate", 8},   {"Copyrighted", 12}, {"CRC's", 6},   {"Emphasis", 9},      {"File Name", 256}, {"File Size", 12},
    {"Frames", 10},   {"Frequency", 10},   {"Layer Version", 13}, {"Length", 10}, {"Mode", 16},      {"MPEG Version", 13},
    {"Original", 9},  {"Path", 260},       {"Private", 8}, {"Year", 7},
};
constexpr int kOtherColumnMaxWidth = 999;
constexpr int kAddedWidthCap = 15;

}  // namespace

// ---- words ----------------------------------------------------------------------------

const QStringList& ScanRuleChoices() {
    static const QStringList words = {"Only include files", "Don't include files"};
    return words;
}
const QStringList& ScanRuleScopes() {
    static const QStringList words = {"equal to", "not equal to", "containing", "not containing", "greater than",
                                      "less than"};
    return words;
}
const QStringList& ScanRuleTargets() {
    static const QStringList words = {
        "in File Name",      "in ID3v1 Title",  "in ID3v1 Artist",   "in ID3v1 Album",    "in ID3v1 Year",
        "in ID3v1 Comment",  "in ID3v1 Genre",  "in ID3v2 Title",    "in ID3v2 Artist",   "in ID3v2 Album",
        "in ID3v2 Year",     "in ID3v2 Comment", "in ID3v2 Genre",   "in ID3v2 Composer", "in ID3v2 Orig. Artist",
        "in ID3v2 Copyright", "in ID3v2 URL",   "in ID3v2 Encoded by"};
    return words;
}
const QStringList& ScanFilterMasks() {
    static const QStringList words = {"*.mp3", "*.mp2", "*.mp1", "*.wma", "*.MJF", "*.as",  "*.VOC", "*.wav",
                                      "*.CDA", "*.nst", "*.mod", "*.stm", "*.s3m", "*.it",  "*.xm",  "*.mtm",
                                      "*.ult", "*.MID", "*.RMI", "*.HMP", "*.HMI", "*.XMI", "*.MIZ", "*.*"};
    return words;
}
const QStringList& SimRuleChoices() {
    static const QStringList words = {"Only include", "Don't include"};
    return words;
}
const QStringList& SimRuleRanges() {
    static const QStringList words = {"up to", "from", "between", "outside of"};
    return words;
}
const QStringList& SimRulePoints() {
    static const QStringList words = {"character", "separator"};
    return words;
}
const QStringList& SortOrders() {
    static const QStringList words = {"Ascending order", "Descending order"};
    return words;
}

QString RuleEntryText(int number) { return QStringLiteral("Rule ") + QString::number(number); }

// ---- scan rules -----------------------------------------------------------------------

int ScanFilterLengthLimit(const QString& target) {
    auto is = [&target](const char* name) { return target.compare(QLatin1String(name), Qt::CaseInsensitive) == 0; };
    if (is("in File Name")) return 256;
    if (is("in ID3v1 Title") || is("in ID3v1 Artist") || is("in ID3v1 Album") || is("in ID3v1 Comment")) return 30;
    if (is("in ID3v1 Year")) return 4;
    if (is("in ID3v1 Genre")) return 25;
    // Frames of the newer tag hold a year of up to seven digits.
    if (is("in ID3v2 Year")) return 7;
    return 0;
}

bool ScanTargetIsYear(const QString& target) {
    return target.compare(QLatin1String("in ID3v1 Year"), Qt::CaseInsensitive) == 0 ||
           target.compare(QLatin1String("in ID3v2 Year"), Qt::CaseInsensitive) == 0;
}

bool ScanRuleComplete(const ScanRule& rule) {
    return !rule.Choice.isEmpty() && !rule.Scope.isEmpty() && !rule.Target.isEmpty() && !rule.Filter.isEmpty();
}

// ---- simulate rules -------------------------------------------------------------------

bool SimRuleComplete(const SimulateRule& rule) {
    return !rule.Choice.isEmpty() && !rule.Range.isEmpty() && !rule.Point.isEmpty();
}

bool SimRangeHasSecondPoint(const QString& range) {
    return range.compare(QLatin1String("between"), Qt::CaseInsensitive) == 0 ||
           range.compare(QLatin1String("outside of"), Qt::CaseInsensitive) == 0;
}

std::optional<int> RulePointNumber(const QString& text) {
    double value = 0;
    try {
        value = LenientNumber(text);
    } catch (const SvError&) {
        return std::nullopt;
    }
    const double rounded = std::nearbyint(value);  // the default rounding: halves to even
    if (!(rounded >= std::numeric_limits<int16_t>::min() && rounded <= std::numeric_limits<int16_t>::max()))
        return std::nullopt;
    return static_cast<int>(rounded);
}

// ---- file-name mask -------------------------------------------------------------------

QString CorrectedFileNameFormat(const QString& mask) {
    const qsizetype p = mask.indexOf(QLatin1String("%N"), 0, Qt::CaseInsensitive);
    if (p < 0) return mask;
    const qsizetype after = p + 2;
    if (after < mask.size() && (mask[after] == QLatin1Char('1') || mask[after] == QLatin1Char('2'))) return mask;
    return mask.left(after) + QLatin1Char('1') + mask.mid(after);
}

// ---- catalogue columns ----------------------------------------------------------------

bool ColumnNameLess(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; }

const QStringList& CatalogueColumnVocabulary() {
    static const QStringList names = sortedColumns();
    return names;
}

int TextColumnMaxWidth(const QString& name) {
    for (const WidthLimit& limit : kWidthLimits)
        if (name.compare(QLatin1String(limit.name), Qt::CaseInsensitive) == 0) return limit.maximum;
    return kOtherColumnMaxWidth;
}

int TextColumnAddedWidth(const QString& name) { return std::min(TextColumnMaxWidth(name), kAddedWidthCap); }

bool TextColumnWidthValid(const IncludedColumn& column) {
    bool ok = false;
    const int width = column.width.trimmed().toInt(&ok);
    return ok && width >= 1 && width <= TextColumnMaxWidth(column.name);
}

CatalogueColumnLists::CatalogueColumnLists(bool widths) : m_widths(widths) { Reset(); }

void CatalogueColumnLists::Reset() {
    m_notIncluded = CatalogueColumnVocabulary();
    m_included.clear();
}

void CatalogueColumnLists::ClearIncluded() { m_included.clear(); }

void CatalogueColumnLists::insertSorted(const QString& name) {
    const auto at = std::upper_bound(m_notIncluded.begin(), m_notIncluded.end(), name, ColumnNameLess);
    m_notIncluded.insert(at, name);
}

void CatalogueColumnLists::Restore(const QString& name, const QString& width) {
    m_included.push_back({name, m_widths ? width : QString()});
    m_notIncluded.removeAll(name);
}

int CatalogueColumnLists::Add(int row) {
    if (row < 0 || row >= m_notIncluded.size()) return -1;
    const QString name = m_notIncluded.takeAt(row);
    m_included.push_back({name, m_widths ? QString::number(TextColumnAddedWidth(name)) : QString()});
    if (m_notIncluded.isEmpty()) return -1;
    return std::min<int>(row, static_cast<int>(m_notIncluded.size()) - 1);
}

void CatalogueColumnLists::AddAll() {
    for (const QString& name : std::as_const(m_notIncluded))
        m_included.push_back({name, m_widths ? QString::number(TextColumnAddedWidth(name)) : QString()});
    m_notIncluded.clear();
}

int CatalogueColumnLists::Remove(int row) {
    if (row < 0 || row >= static_cast<int>(m_included.size())) return -1;
    insertSorted(m_included[static_cast<size_t>(row)].name);
    m_included.erase(m_included.begin() + row);
    if (m_included.empty()) return -1;
    return std::min<int>(row, static_cast<int>(m_included.size()) - 1);
}

void CatalogueColumnLists::RemoveAll() {
    for (const IncludedColumn& column : m_included) insertSorted(column.name);
    m_included.clear();
}

int CatalogueColumnLists::Up(int row) {
    if (row < 1 || row >= static_cast<int>(m_included.size())) return row;
    std::swap(m_included[static_cast<size_t>(row - 1)], m_included[static_cast<size_t>(row)]);
    return row - 1;
}

int CatalogueColumnLists::Down(int row) {
    if (row < 0 || row >= static_cast<int>(m_included.size()) - 1) return row;
    std::swap(m_included[static_cast<size_t>(row)], m_included[static_cast<size_t>(row + 1)]);
    return row + 1;
}

void CatalogueColumnLists::WidthUp(int row) {
    if (row < 0 || row >= static_cast<int>(m_included.size())) return;
    IncludedColumn& column = m_included[static_cast<size_t>(row)];
    double width = 0;
    try {
        width = LenientNumber(column.width);
    } catch (const SvError&) {
        width = TextColumnMaxWidth(column.name);
    }
    const double raised = std::min<double>(std::floor(width) + 1, TextColumnMaxWidth(column.name));
    column.width = QString::number(static_cast<int>(std::max(1.0, raised)));
}

void CatalogueColumnLists::WidthDown(int row) {
    if (row < 0 || row >= static_cast<int>(m_included.size())) return;
    IncludedColumn& column = m_included[static_cast<size_t>(row)];
    bool ok = false;
    const int width = column.width.trimmed().toInt(&ok);
    if (!ok) RaiseError(ErrNo::TypeMismatch);
    // Never below 1: a width of 0 or less (a damaged store) is left for OK to refuse.
    if (width <= 1) return;
    column.width = QString::number(std::min(width - 1, TextColumnMaxWidth(column.name)));
}

void CatalogueColumnLists::SetWidth(int row, const QString& width) {
    if (row < 0 || row >= static_cast<int>(m_included.size())) return;
    m_included[static_cast<size_t>(row)].width = width;
}

QStringList CatalogueColumnLists::SortKeys() const {
    QStringList keys;
    for (const IncludedColumn& column : m_included) keys << column.name;
    std::stable_sort(keys.begin(), keys.end(), ColumnNameLess);
    return keys;
}
