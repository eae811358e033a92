#include "coordinator/NameDerivation.h"

#include "foundation/Errors.h"
#include "foundation/StringUtils.h"

#include <QTextBoundaryFinder>
#include <algorithm>
#include <optional>

namespace {

// ---- characters -----------------------------------------------------------------

// A to Z, a to z and the Latin-1 letters (without the multiplication and
// division signs).
bool IsLetter(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || (u >= 0xC0 && u <= 0xD6) ||
           (u >= 0xD8 && u <= 0xF6) || (u >= 0xF8 && u <= 0xFF);
}

bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// Blanks as the number reader skips them.
bool IsNumberBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r');
}

bool IsBlankOrUnderscore(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('_'); }

// True for the enabled separators, and with `includeBlanks` also for a blank
// or "_".
inline bool IsSeparatorChar(QChar c, bool includeBlanks, const DerivationSettings& settings) {
    const char16_t u = c.unicode();
    if (u < 128) {
        if (includeBlanks && (u == u' ' || u == u'_')) return true;
        return (settings.asciiSeparators[u / 64] >> (u % 64)) & 1;
    }
    for (QChar s : settings.separators)
        if (s == c) return true;
    return false;
}

// Case changes one character for one character: the simple mappings, and a
// character whose mapping would change its length in UTF-16 stays as it is.
enum class CaseChange { Upper, Lower };

char32_t MapCase(char32_t ucs, CaseChange change) {
    return change == CaseChange::Upper ? QChar::toUpper(ucs) : QChar::toLower(ucs);
}

// Changes the characters of `text` from index `from` (to the end, or `count`
// units) in place.
void ChangeCase(QString& text, CaseChange change, qsizetype from = 0, qsizetype count = -1) {
    const qsizetype end = count < 0 ? text.size() : std::min(text.size(), from + count);
    QChar* data = text.data();
    for (qsizetype i = from; i < end; ++i) {
        const char16_t u = data[i].unicode();
        if (u < 0x80) {
            if (change == CaseChange::Upper && u >= 'a' && u <= 'z') data[i] = QChar(char16_t(u - 32));
            else if (change == CaseChange::Lower && u >= 'A' && u <= 'Z') data[i] = QChar(char16_t(u + 32));
            continue;
        }
        if (QChar::isHighSurrogate(u) && i + 1 < end && data[i + 1].isLowSurrogate()) {
            const char32_t mapped = MapCase(QChar::surrogateToUcs4(data[i], data[i + 1]), change);
            if (QChar::requiresSurrogates(mapped)) {
                data[i] = QChar(QChar::highSurrogate(mapped));
                data[i + 1] = QChar(QChar::lowSurrogate(mapped));
            }
            ++i;
            continue;
        }
        const char32_t mapped = MapCase(u, change);
        if (!QChar::requiresSurrogates(mapped)) data[i] = QChar(char16_t(mapped));
    }
}

QString WithCase(QString text, CaseChange change) {
    ChangeCase(text, change);
    return text;
}

// The first character in upper case, the rest from `from` on in lower case.
void CapitaliseFrom(QString& text, qsizetype from) {
    if (from >= text.size()) return;
    const qsizetype first = (text[from].isHighSurrogate() && from + 1 < text.size() && text[from + 1].isLowSurrogate()) ? 2 : 1;
    ChangeCase(text, CaseChange::Upper, from, first);
    ChangeCase(text, CaseChange::Lower, from + first);
}

QString Capitalised(QString text) {
    CapitaliseFrom(text, 0);
    return text;
}

bool SameIgnoringCase(QStringView a, QStringView b) {
    return a.size() == b.size() && a.compare(b, Qt::CaseInsensitive) == 0;
}

// ---- rule keywords --------------------------------------------------------------

using RuleChoice = DerivationSettings::Rule::Choice;
using RuleRange = DerivationSettings::Rule::Range;
using RulePoint = DerivationSettings::Rule::Point;

std::optional<RuleChoice> ChoiceOf(const QString& text) {
    if (SameIgnoringCase(text, u"Only include")) return RuleChoice::OnlyInclude;
    if (SameIgnoringCase(text, u"Don't include")) return RuleChoice::DontInclude;
    return std::nullopt;
}

std::optional<RulePoint> PointOf(const QString& text) {
    if (SameIgnoringCase(text, u"character")) return RulePoint::Character;
    if (SameIgnoringCase(text, u"separator")) return RulePoint::Separator;
    return std::nullopt;
}

std::optional<RuleRange> RangeOf(const QString& text) {
    if (SameIgnoringCase(text, u"up to")) return RuleRange::UpTo;
    if (SameIgnoringCase(text, u"from")) return RuleRange::From;
    if (SameIgnoringCase(text, u"between")) return RuleRange::Between;
    if (SameIgnoringCase(text, u"outside of")) return RuleRange::OutsideOf;
    return std::nullopt;
}

// What a rule keeps of the name: one stretch of it, or two joined.
struct Kept {
    Kept() = default;
    Kept(QStringView f, QStringView s = {}) : first(f), second(s) {}
    QStringView first, second;
};

// ---- character rules ------------------------------------------------------------
// Counts are checked before any text is cut: a negative count or a start
// before the first character is the caller's error (5), never "the rest of
// the text".

QStringView Left(QStringView s, qsizetype n) {
    if (n < 0) RaiseError(ErrNo::InvalidCall);
    return s.left(n);
}

QStringView Right(QStringView s, qsizetype n) {
    if (n < 0) RaiseError(ErrNo::InvalidCall);
    return s.right(n);
}

// `length` characters from the 1-based position `start`.
QStringView Mid(QStringView s, qsizetype start, qsizetype length) {
    if (start < 1 || length < 0) RaiseError(ErrNo::InvalidCall);
    return s.mid(start - 1, length);
}

Kept KeepCharactersBetween(QStringView s, qsizetype p1, qsizetype p2) {
    const qsizetype L = s.size();
    if (p1 > L) return {s};
    return {Mid(s, p1, std::min(L, p2) - p1 + 1)};
}

Kept KeepCharactersOutside(QStringView s, qsizetype p1, qsizetype p2) {
    const qsizetype L = s.size();
    return {Left(s, std::min(L, p1 - 1)), Right(s, std::max<qsizetype>(0, L - p2))};
}

Kept ApplyCharacterRule(QStringView s, RuleChoice choice, RuleRange range, qsizetype p1, qsizetype p2) {
    const qsizetype L = s.size();
    if (choice == RuleChoice::OnlyInclude) {
        switch (range) {
        case RuleRange::UpTo: return {Left(s, std::min(L, p1))};
        case RuleRange::From: return {Right(s, std::max<qsizetype>(0, L - p1 + 1))};
        case RuleRange::Between: return KeepCharactersBetween(s, p1, p2);
        case RuleRange::OutsideOf: return KeepCharactersOutside(s, p1, p2);
        }
    } else {
        switch (range) {
        case RuleRange::UpTo: return {Right(s, std::max<qsizetype>(0, L - p1))};
        case RuleRange::From: return {Left(s, std::min(L, p1 - 1))};
        case RuleRange::Between: return KeepCharactersOutside(s, p1, p2);
        case RuleRange::OutsideOf: return KeepCharactersBetween(s, p1, p2);
        }
    }
    return {s};
}

// ---- separator rules ------------------------------------------------------------
// The parts of a freshly split and trimmed name cover it without gaps, so
// each scheme keeps one or two stretches of the name.

// Part j, 1-based; a part before the first is error 9.
const NamePart& PartAt(const std::vector<NamePart>& parts, qsizetype j) {
    if (j < 1) RaiseError(ErrNo::SubscriptOutOfRange);
    return parts[size_t(j - 1)];
}

QStringView Stretch(const QChar* from, const QChar* to) { return QStringView(from, to - from); }

// Parts 1 to min(n, p) with the separators between them, without the
// Trailing text of the last.
QStringView KeepUpTo(QStringView name, const std::vector<NamePart>& parts, qsizetype p) {
    const qsizetype m = std::min(qsizetype(parts.size()), p);
    if (m < 1) return name.first(0);
    return Stretch(name.data(), PartAt(parts, m).Text.end());
}

// Parts p + 1 to n with all their separator texts.
QStringView KeepFrom(QStringView name, const std::vector<NamePart>& parts, qsizetype p) {
    if (p + 1 > qsizetype(parts.size())) return name.last(0);
    return Stretch(PartAt(parts, p + 1).Leading.begin(), name.data() + name.size());
}

// Parts p1 + 1 to min(n, p2), without the Leading text of the first and the
// Trailing text of the last.
QStringView KeepBetween(QStringView name, const std::vector<NamePart>& parts, qsizetype p1, qsizetype p2) {
    const qsizetype m = std::min(qsizetype(parts.size()), p2);
    if (p1 + 1 > m) return name.first(0);
    return Stretch(PartAt(parts, p1 + 1).Text.begin(), PartAt(parts, m).Text.end());
}

// The parts up to p1 and after p2.  Where the two pieces meet, the separator
// after the last part of the first piece stays, so the parts on either side
// of the removed ones remain apart.
Kept KeepOutside(QStringView name, const std::vector<NamePart>& parts, qsizetype p1, qsizetype p2) {
    QStringView first = KeepUpTo(name, parts, p1);
    const QStringView second = KeepFrom(name, parts, p2);
    const qsizetype last = std::min(qsizetype(parts.size()), p1);
    if (last >= 1 && !second.isEmpty()) first = Stretch(name.data(), PartAt(parts, last).Trailing.end());
    return {first, second};
}

Kept ApplySeparatorRule(QStringView name, RuleChoice choice, RuleRange range, qsizetype p1, qsizetype p2,
                        const DerivationSettings& settings) {
    std::vector<NamePart> parts = DeriveNames(name, settings);
    TrimDerivedNames(parts, settings);
    const bool only = choice == RuleChoice::OnlyInclude;
    switch (range) {
    case RuleRange::UpTo: return {only ? KeepUpTo(name, parts, p1) : KeepFrom(name, parts, p1)};
    case RuleRange::From: return {only ? KeepFrom(name, parts, p1) : KeepUpTo(name, parts, p1)};
    case RuleRange::Between: return only ? Kept{KeepBetween(name, parts, p1, p2)} : KeepOutside(name, parts, p1, p2);
    case RuleRange::OutsideOf: return only ? KeepOutside(name, parts, p1, p2) : Kept{KeepBetween(name, parts, p1, p2)};
    }
    return {name};
}

// ---- numbers --------------------------------------------------------------------

// True when the text, without blanks at its ends, is one number: a sign in
// front or behind (blanks may stand between the number and a sign behind it,
// as in "01 -"), digits with at most one decimal point.
bool IsWholeNumber(QStringView text) {
    qsizetype i = 0, n = text.size();
    while (i < n && IsNumberBlank(text[i])) ++i;
    while (n > i && IsNumberBlank(text[n - 1])) --n;
    if (i >= n) return false;
    const auto isSign = [](QChar c) { return c == QLatin1Char('+') || c == QLatin1Char('-'); };
    if (isSign(text[i])) {
        ++i;
        while (i < n && IsNumberBlank(text[i])) ++i;
    } else if (n - 1 > i && isSign(text[n - 1])) {
        --n;
        while (n > i && IsNumberBlank(text[n - 1])) --n;
    }
    bool digits = false, point = false;
    for (; i < n; ++i) {
        if (IsDigit(text[i])) digits = true;
        else if (text[i] == QLatin1Char('.') && !point) point = true;
        else return false;
    }
    return digits;
}

int WithinLimit(int n, const DerivationSettings& settings) {
    return settings.trackNumLimit > 0 && n > settings.trackNumLimit ? 0 : n;
}

// ---- mask -----------------------------------------------------------------------

// Values stand in the mask being filled as one marker character each, so the
// filling is worked out once per pattern of empty values and never reads a
// value's text as mask text.
constexpr char16_t kSlotMarker = 0xE000;

// The mask being filled: its text and, per character, whether it is the
// mask's own text (true) or a value's marker (false).
struct MaskText {
    QString text;
    std::vector<bool> own;
    std::vector<bool> twoDigits;  // per marker of the track: padded to two digits

    qsizetype size() const { return text.size(); }
    bool isOwn(qsizetype i, QChar c) const { return i >= 0 && i < size() && own[size_t(i)] && text[i] == c; }

    // The index of the first own "%" followed by an own `letter` (either case).
    qsizetype find(QChar letter) const {
        const QChar lower = letter.toLower(), upper = letter.toUpper();
        for (qsizetype i = 0; i + 1 < size(); ++i)
            if (isOwn(i, QLatin1Char('%')) && own[size_t(i + 1)] && (text[i + 1] == lower || text[i + 1] == upper))
                return i;
        return -1;
    }

    // Keeps [0, keepTo) and [resumeAt, end), with a marker between when
    // `slot` is not None.
    void splice(qsizetype keepTo, MaskPlan::Slot slot, bool pad, qsizetype resumeAt) {
        resumeAt = std::min(resumeAt, size());
        QString t = text.left(keepTo);
        std::vector<bool> o(own.begin(), own.begin() + keepTo);
        std::vector<bool> d(twoDigits.begin(), twoDigits.begin() + keepTo);
        if (slot != MaskPlan::None) {
            t += QChar(char16_t(kSlotMarker + slot));
            o.push_back(false);
            d.push_back(pad);
        }
        t += QStringView(text).mid(resumeAt);
        o.insert(o.end(), own.begin() + resumeAt, own.end());
        d.insert(d.end(), twoDigits.begin() + resumeAt, twoDigits.end());
        text = std::move(t);
        own = std::move(o);
        twoDigits = std::move(d);
    }
};

// Fills the first placeholder "%" + `letter`: with the value's marker, or,
// when the value is empty, by removing the placeholder's section.  The track's
// placeholder takes the character after it as its width ("2": two digits).
void InsertNameIntoMask(MaskText& m, MaskPlan::Slot slot, bool empty, QChar letter) {
    const qsizetype p = m.find(letter);  // 0-based
    if (p < 0) return;
    // The section: from the last own ":" before the placeholder (kept) to
    // the first own ":" after it (removed with the section).
    qsizetype open = 0;  // characters kept before the section
    for (qsizetype i = p - 1; i >= 0; --i)
        if (m.isOwn(i, QLatin1Char(':'))) {
            open = i + 1;
            break;
        }
    qsizetype close = m.size();  // index after the section
    for (qsizetype i = p + 2; i < m.size(); ++i)
        if (m.isOwn(i, QLatin1Char(':'))) {
            close = i + 1;
            break;
        }
    if (empty) {
        m.splice(open, MaskPlan::None, false, close);
        return;
    }
    if (slot != MaskPlan::Track) {
        m.splice(p, slot, false, p + 2);
        return;
    }
    // A bare "%N" (at the end, or before a value) counts as "%N1".
    const bool hasWidth = p + 2 < m.size() && m.own[size_t(p + 2)];
    m.splice(p, slot, hasWidth && m.text[p + 2] == QLatin1Char('2'), p + (hasWidth ? 3 : 2));
}

bool IsForbiddenInFileName(QChar c) {
    switch (c.unicode()) {
    case u'\\': case u'/': case u':': case u'*': case u'?': case u'"': case u'<': case u'>': case u'|': case u'\0':
        return true;
    default:
        return false;
    }
}

// A control character (a TAB or a line break in a tag, say) stands in a
// file name as a blank.
QChar FileNameCharacter(QChar c) {
    const char16_t u = c.unicode();
    return u < 0x20 || (u >= 0x7F && u <= 0x9F) ? QLatin1Char(' ') : c;
}

void AppendFileNameCharacters(QString& out, QStringView text) {
    for (QChar c : text)
        if (!IsForbiddenInFileName(c)) out += FileNameCharacter(c);
}

MaskPlan PlanFor(const QString& mask, unsigned emptyBits) {
    MaskText m{mask, std::vector<bool>(size_t(mask.size()), true), std::vector<bool>(size_t(mask.size()), false)};
    InsertNameIntoMask(m, MaskPlan::Album, emptyBits & 1, QLatin1Char('L'));
    InsertNameIntoMask(m, MaskPlan::Track, emptyBits & 2, QLatin1Char('N'));
    InsertNameIntoMask(m, MaskPlan::Artist, emptyBits & 4, QLatin1Char('A'));
    InsertNameIntoMask(m, MaskPlan::Title, emptyBits & 8, QLatin1Char('T'));
    MaskPlan plan;
    QString literal;
    for (qsizetype i = 0; i < m.size(); ++i) {
        const QChar c = m.text[i];
        if (m.own[size_t(i)]) {
            // The mask's own "%" signs go with the characters no name may hold.
            if (c != QLatin1Char('%') && !IsForbiddenInFileName(c)) literal += FileNameCharacter(c);
            continue;
        }
        if (!literal.isEmpty()) plan.pieces.push_back({std::exchange(literal, {}), MaskPlan::None, false});
        plan.pieces.push_back({QString(), MaskPlan::Slot(c.unicode() - kSlotMarker), m.twoDigits[size_t(i)]});
    }
    if (!literal.isEmpty()) plan.pieces.push_back({literal, MaskPlan::None, false});
    return plan;
}

// The length of a text in UTF-8.
qsizetype Utf8Length(QStringView text) {
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u < 0x80) n += 1;
        else if (u < 0x800) n += 2;
        else if (QChar::isHighSurrogate(u) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            n += 4;
            ++i;
        } else n += 3;
    }
    return n;
}

}  // namespace

// ---- settings -----------------------------------------------------------------------

DerivationSettings CompileDerivationSettings(const CoordinatorOptions& options, const CoordinatorAdvOptions& adv) {
    DerivationSettings s;
    static const char16_t fixed[4] = {u'-', u'~', u';', u','};
    for (size_t i = 0; i < 6; ++i) {
        if (!options.blnSourceSeparators[i]) continue;
        QChar c;
        if (i < 4) c = QChar(fixed[i]);
        else if (options.strSourceSeparators[i - 4].size() == 1) c = options.strSourceSeparators[i - 4][0];
        else continue;
        s.separators.push_back(c);
        if (c.unicode() < 128) s.asciiSeparators[c.unicode() / 64] |= uint64_t(1) << (c.unicode() % 64);
    }
    s.doubleBarrel = options.blnDoubleBarrel;
    s.id3v1TagPref = options.blnID3v1TagPref;
    s.id3v2TagPref = options.blnID3v2TagPref;
    s.order = options.strOrder;
    // The rule array ends with its empty element, which is never applied; a
    // rule whose keywords match nothing does nothing.
    for (size_t i = 0; i + 1 < options.udtSimulateRules.size(); ++i) {
        const SimulateRule& rule = options.udtSimulateRules[i];
        const std::optional<RuleChoice> choice = ChoiceOf(rule.Choice);
        const std::optional<RuleRange> range = RangeOf(rule.Range);
        const std::optional<RulePoint> point = PointOf(rule.Point);
        if (choice && range && point) s.rules.push_back({*choice, *range, *point, rule.Point1, rule.Point2});
    }
    s.mask = options.strFileNameFormat;
    s.maskPlans = CompileMask(s.mask);
    s.rigorousTrackNum = adv.blnRigorousTrackNum;
    s.trackNumLimit = adv.intTrackNumLimit;
    for (int k = 0; k < 2; ++k) {
        DerivationSettings::NameFormat& f = s.format[size_t(k)];
        const auto kk = size_t(k);
        // The first style that is set wins, in this order.
        f.caseStyle = adv.blnCapitalise[kk]   ? DerivationSettings::CaseStyle::Capitalise
                      : adv.blnUpperCase[kk]  ? DerivationSettings::CaseStyle::Upper
                      : adv.blnLowerCase[kk]  ? DerivationSettings::CaseStyle::Lower
                                              : DerivationSettings::CaseStyle::Unchanged;
        f.removeUnderscores = adv.blnRemoveUnder[kk];
        for (size_t j = 0; j < 7; ++j) {
            const size_t entry = 7 * kk + j;
            if (!adv.strCSWFrom[entry].isEmpty()) f.replacements.emplace_back(adv.strCSWFrom[entry], adv.strCSWTo[entry]);
        }
        const SpecialWordLists& lists = adv.udtSpecialWords[kk];
        const auto take = [](const std::vector<QString>& words, int count) {
            const size_t n = std::min(words.size(), size_t(std::max(0, count)));
            return std::vector<QString>(words.begin(), words.begin() + qsizetype(n));
        };
        f.upperWords = take(lists.UpperCase, adv.intNumUpperCaseWords[kk]);
        f.lowerWords = take(lists.LowerCase, adv.intNumLowerCaseWords[kk]);
        f.capitalisedWords = take(lists.Capitalised, adv.intNumCapitalisedWords[kk]);
    }
    s.theAtEnd = adv.blnTheAtEnd;
    s.removeDoubleSpaces = adv.blnRemoveDoubleSpaces;
    return s;
}

// ---- simulate rules -------------------------------------------------------------------

QString ApplySimRules(const QString& baseName, const DerivationSettings& settings) {
    return WithTrail(QStringLiteral("ApplySimRules"), [&] {
        QString name = baseName;
        for (const DerivationSettings::Rule& rule : settings.rules) {
            const Kept kept = rule.point == RulePoint::Character
                                  ? ApplyCharacterRule(name, rule.choice, rule.range, rule.point1, rule.point2)
                                  : ApplySeparatorRule(name, rule.choice, rule.range, rule.point1, rule.point2, settings);
            // A rule that keeps the whole name leaves it as it is.
            if (kept.second.isEmpty() && kept.first.data() == name.constData() && kept.first.size() == name.size())
                continue;
            QString next;
            next.reserve(kept.first.size() + kept.second.size());
            next += kept.first;
            next += kept.second;
            name = std::move(next);
        }
        return name;
    });
}

// ---- parts and track number -------------------------------------------------------------

std::vector<NamePart> DeriveNames(QStringView baseName, const DerivationSettings& settings) {
    std::vector<NamePart> parts;
    const auto add = [&](qsizetype from, qsizetype to) {
        parts.push_back({baseName.mid(from, 0), baseName.mid(from, to - from), baseName.mid(to, 0)});
    };
    qsizetype start = 0;
    const qsizetype n = baseName.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = baseName[i];
        if (!IsSeparatorChar(c, false, settings)) continue;
        // A hyphen between two letters joins a double-barrelled word.
        if (settings.doubleBarrel && c == QLatin1Char('-') && i > 0 && i + 1 < n && IsLetter(baseName[i - 1]) &&
            IsLetter(baseName[i + 1]))
            continue;
        add(start, i + 1);
        start = i + 1;
    }
    add(start, n);
    return parts;
}

void TrimDerivedNames(std::vector<NamePart>& parts, const DerivationSettings& settings) {
    // The Leading text of removed parts that had no part before them.
    const QChar* carriedFrom = nullptr;
    for (size_t i = 0; i < parts.size();) {
        NamePart& part = parts[i];
        const QStringView text = part.Text;
        qsizetype a = 0, b = text.size();
        while (a < b && IsSeparatorChar(text[a], true, settings)) ++a;
        while (b > a && IsSeparatorChar(text[b - 1], true, settings)) --b;
        if (a == b && parts.size() >= 2) {
            if (i > 0) parts[i - 1].Trailing = Stretch(parts[i - 1].Trailing.begin(), part.Trailing.end());
            else if (!carriedFrom) carriedFrom = part.Leading.begin();
            parts.erase(parts.begin() + qsizetype(i));
            continue;
        }
        part.Leading = Stretch(carriedFrom ? carriedFrom : part.Leading.begin(), text.begin() + a);
        part.Trailing = Stretch(text.begin() + b, part.Trailing.end());
        part.Text = text.mid(a, b - a);
        carriedFrom = nullptr;
        ++i;
    }
}

int TrackValue(QStringView t) {
    qsizetype i = 0;
    const qsizetype n = t.size();
    const auto skipBlanks = [&] {
        while (i < n && IsNumberBlank(t[i])) ++i;
    };
    skipBlanks();
    bool negative = false;
    if (i < n && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-'))) {
        negative = t[i] == QLatin1Char('-');
        ++i;
    }
    // Whole part (held up to a bound past the 16-bit range), first decimal
    // and whether any later decimal is not zero: enough to round halves to
    // the even neighbour.
    int64_t whole = 0;
    int firstDecimal = -1;
    bool laterDecimals = false, point = false, digits = false;
    for (;; ++i) {
        skipBlanks();
        if (i >= n) break;
        const QChar c = t[i];
        if (IsDigit(c)) {
            digits = true;
            const int d = c.unicode() - u'0';
            if (!point) whole = std::min<int64_t>(whole * 10 + d, int64_t(1) << 40);
            else if (firstDecimal < 0) firstDecimal = d;
            else if (d != 0) laterDecimals = true;
        } else if (c == QLatin1Char('.') && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!digits) return 0;
    if (firstDecimal > 5 || (firstDecimal == 5 && (laterDecimals || whole % 2 == 1))) ++whole;
    const int64_t value = negative ? -whole : whole;
    return value < -32768 || value > 32767 ? 0 : int(value);
}

int FindTrackNumber(std::vector<NamePart>& parts, int id3v1Track, QStringView id3v2Track,
                    const DerivationSettings& settings) {
    return WithTrail(QStringLiteral("FindTrackNumber"), [&] {
        int track = 0;
        // What is left of a part once its number is taken out.
        const auto keep = [](NamePart& part, QStringView rest) {
            part.Text = rest;
            part.Leading = rest.first(0);
            part.Trailing = rest.last(0);
        };
        for (NamePart& part : parts) {
            const QStringView text = part.Text;
            if (settings.rigorousTrackNum) {
                // The part up to its last digit: a number at its start.
                qsizetype last = text.size() - 1;
                while (last >= 0 && !IsDigit(text[last])) --last;
                if (last < 0) continue;
                int n = WithinLimit(TrackValue(text.left(last + 1)), settings);
                if (n > 0) {
                    track = n;
                    keep(part, text.mid(last + 1));
                    break;
                }
                // The part from its first digit: a number at its end.
                qsizetype first = 0;
                while (!IsDigit(text[first])) ++first;
                n = WithinLimit(TrackValue(text.mid(first)), settings);
                if (n > 0) {
                    track = n;
                    keep(part, text.left(first));
                    break;
                }
            } else if (IsWholeNumber(text)) {
                const int n = WithinLimit(TrackValue(text), settings);
                if (n > 0) {
                    track = n;
                    keep(part, text.first(0));
                    break;
                }
            }
        }
        // The tags: a preferred tag's number wins over the name's; ID3v1 last.
        const int v2 = TrackValue(id3v2Track);
        if (v2 > 0 && (settings.id3v2TagPref || track == 0)) track = v2;
        if (id3v1Track > 0 && (settings.id3v1TagPref || track == 0)) track = id3v1Track;
        return track;
    });
}

// ---- field assignment ---------------------------------------------------------------------

QString ChooseID3Field(const QString& id3v1, const QString& id3v2, QStringView nameValue,
                       const DerivationSettings& settings) {
    if (!nameValue.isEmpty() && (SameIgnoringCase(nameValue, id3v1) || SameIgnoringCase(nameValue, id3v2)))
        return nameValue.toString();
    if (settings.id3v1TagPref) return id3v1.isEmpty() ? id3v2 : id3v1;
    return id3v2.isEmpty() ? id3v1 : id3v2;
}

namespace {
bool TitleFirst(const DerivationSettings& s) {
    return SameIgnoringCase(s.order[0], u"Title") ||
           (SameIgnoringCase(s.order[1], u"Title") && SameIgnoringCase(s.order[2], u"Artist"));
}

// 1, 2 or 3; 0 when the order lacks the field.
int OrderPos(const DerivationSettings& s, QStringView field) {
    for (int i = 0; i < 3; ++i)
        if (SameIgnoringCase(s.order[size_t(i)], field)) return i + 1;
    return 0;
}
}  // namespace

DerivedNames WorkOutDerivedNames(const std::vector<NamePart>& parts, const TagNames& tags,
                                 const DerivationSettings& settings) {
    return WithTrail(QStringLiteral("WorkOutDerivedNames"), [&] {
        DerivedNames d;
        const bool pref = settings.id3v1TagPref || settings.id3v2TagPref;
        const auto choose = [&](const QString& v1, const QString& v2, QStringView nameValue) {
            return ChooseID3Field(v1, v2, nameValue, settings);
        };
        // The tag's choice, or the name's value when the tags give none.
        const auto chooseOrName = [&](const QString& v1, const QString& v2, QStringView nameValue) {
            const QString chosen = choose(v1, v2, nameValue);
            return chosen.isEmpty() ? nameValue.toString() : chosen;
        };
        const size_t n = parts.size();
        if (n <= 1) {
            const QStringView p1 = n == 1 ? parts[0].Text : QStringView();
            d.Album = choose(tags.ID3v1Album, tags.ID3v2Album, {});
            // An empty part agrees with an empty tag value here.
            const auto equalsEither = [&](const QString& a, const QString& b) {
                return SameIgnoringCase(p1, a) || SameIgnoringCase(p1, b);
            };
            if (equalsEither(tags.ID3v2Artist, tags.ID3v1Artist)) {
                d.Artist = p1.toString();
                d.Title = choose(tags.ID3v1Title, tags.ID3v2Title, p1);
            }
            if (equalsEither(tags.ID3v2Title, tags.ID3v1Title)) {
                d.Title = p1.toString();
                d.Artist = choose(tags.ID3v1Artist, tags.ID3v2Artist, p1);
            }
            if (d.Title.isEmpty() && d.Artist.isEmpty()) {
                d.Uncertain = true;
                d.Artist = choose(tags.ID3v1Artist, tags.ID3v2Artist, p1);
                d.Title = pref ? chooseOrName(tags.ID3v1Title, tags.ID3v2Title, p1) : p1.toString();
            }
        } else if (n == 2) {
            const bool titleFirst = TitleFirst(settings);
            const QStringView a = titleFirst ? parts[1].Text : parts[0].Text;
            const QStringView t = titleFirst ? parts[0].Text : parts[1].Text;
            d.Album = choose(tags.ID3v1Album, tags.ID3v2Album, {});
            if (!pref) {
                d.Title = t.toString();
                d.Artist = a.toString();
            } else {
                d.Artist = chooseOrName(tags.ID3v1Artist, tags.ID3v2Artist, a);
                d.Title = chooseOrName(tags.ID3v1Title, tags.ID3v2Title, t);
            }
        } else if (n == 3) {
            d.Uncertain = true;
            const auto partFor = [&](QStringView field) {
                const int pos = OrderPos(settings, field);
                if (pos < 1) RaiseError(ErrNo::SubscriptOutOfRange);
                return parts[size_t(pos - 1)].Text;
            };
            const QStringView album = partFor(u"Album");
            const QStringView artist = partFor(u"Artist");
            const QStringView title = partFor(u"Title");
            if (!pref) {
                d.Album = album.toString();
                d.Artist = artist.toString();
                d.Title = title.toString();
            } else {
                d.Album = chooseOrName(tags.ID3v1Album, tags.ID3v2Album, album);
                d.Artist = chooseOrName(tags.ID3v1Artist, tags.ID3v2Artist, artist);
                d.Title = chooseOrName(tags.ID3v1Title, tags.ID3v2Title, title);
            }
        } else {
            // Too many parts: the name is not used.
            d.Album = choose(tags.ID3v1Album, tags.ID3v2Album, {});
            d.Artist = choose(tags.ID3v1Artist, tags.ID3v2Artist, {});
            d.Title = choose(tags.ID3v1Title, tags.ID3v2Title, {});
            if (d.Title.isEmpty() || d.Artist.isEmpty()) d.NoChange = true;
            else if (!pref) d.Uncertain = true;
        }
        return d;
    });
}

// ---- formatting -----------------------------------------------------------------------------

namespace {

// Step 1: the case style.
void ApplyCaseStyle(QString& name, DerivationSettings::CaseStyle style) {
    switch (style) {
    case DerivationSettings::CaseStyle::Capitalise: {
        CapitaliseFrom(name, 0);
        // The first letter after each blank or underscore (from the second
        // character on) is upper case too.
        const qsizetype n = name.size();
        qsizetype i = 1;
        while (i < n - 1) {
            while (i < n && !IsBlankOrUnderscore(name[i])) ++i;
            while (i < n && !IsLetter(name[i])) ++i;
            if (i < n) ChangeCase(name, CaseChange::Upper, i, 1);
            else break;
        }
        break;
    }
    case DerivationSettings::CaseStyle::Upper: ChangeCase(name, CaseChange::Upper); break;
    case DerivationSettings::CaseStyle::Lower: ChangeCase(name, CaseChange::Lower); break;
    case DerivationSettings::CaseStyle::Unchanged: break;
    }
}

bool InList(QStringView word, const std::vector<QString>& words) {
    for (const QString& w : words)
        if (SameIgnoringCase(word, w)) return true;
    return false;
}

// The special word that replaces `word`, if any.  Later matches win: the
// replacement pairs in order, then the upper-case, lower-case (not for the
// first or last word) and capitalised lists.
std::optional<QString> SpecialWord(QStringView word, bool firstOrLast, const DerivationSettings::NameFormat& f) {
    if (InList(word, f.capitalisedWords)) return Capitalised(word.toString());
    if (!firstOrLast && InList(word, f.lowerWords)) return WithCase(word.toString(), CaseChange::Lower);
    if (InList(word, f.upperWords)) return WithCase(word.toString(), CaseChange::Upper);
    for (auto it = f.replacements.rbegin(); it != f.replacements.rend(); ++it)
        if (SameIgnoringCase(word, it->first)) return it->second;
    return std::nullopt;
}

// Step 2: the walk over the words.  A word is a run of letters; the last one
// runs to the end of the name.  A replaced word is not looked at again.
void ApplySpecialWords(QString& name, const DerivationSettings::NameFormat& f) {
    if (f.replacements.empty() && f.upperWords.empty() && f.lowerWords.empty() && f.capitalisedWords.empty()) return;
    const auto lastBlank = [&name] {
        qsizetype j = name.size() - 1;
        while (j >= 0 && !IsBlankOrUnderscore(name[j])) --j;
        return j;
    };
    qsizetype lastBlankAt = lastBlank();
    qsizetype b = 0;  // start of the current word
    for (qsizetype i = 0; i < name.size(); ++i) {
        const bool last = i == name.size() - 1;
        if (IsLetter(name[i]) && !last) continue;
        const qsizetype length = last ? name.size() - b : i - b;
        if (length > 0) {
            const QStringView word = QStringView(name).mid(b, length);
            // First: it starts the name; last: no blank or "_" from its start on.
            const bool firstOrLast = b == 0 || lastBlankAt < b;
            if (std::optional<QString> r = SpecialWord(word, firstOrLast, f)) {
                name.replace(b, length, *r);
                if (last) break;
                i = b + r->size();  // the character that ended the word
                lastBlankAt = lastBlank();
            }
        }
        b = i + 1;
    }
}

}  // namespace

QString FormatName(const QString& input, int kind, const DerivationSettings& settings) {
    // Runs for every name of a simulation: the call-site text is built only
    // when an error passes, not on every call as WithTrail would.
    try {
        const DerivationSettings::NameFormat& f = settings.format[size_t(kind == TitleTarget ? 1 : 0)];
        QString name = input;
        ApplyCaseStyle(name, f.caseStyle);
        ApplySpecialWords(name, f);
        if (f.removeUnderscores) name.replace(QLatin1Char('_'), QLatin1Char(' '));
        if (kind == ArtistTarget && settings.theAtEnd && name.size() >= 4 &&
            SameIgnoringCase(QStringView(name).left(3), u"The") && IsBlankOrUnderscore(name[3]))
            name = name.mid(4) + QStringLiteral(", ") + name.left(3);
        if (settings.removeDoubleSpaces) {
            for (int pass = 0; pass < 2; ++pass) name.replace(QLatin1String("  "), QLatin1String(" "));
        }
        static const QString blank = QStringLiteral(" ");
        return TrimChars(name, blank);
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("FormatName"), input, kind));
    }
}

// ---- the new name ---------------------------------------------------------------------------

std::array<MaskPlan, 16> CompileMask(const QString& mask) {
    std::array<MaskPlan, 16> plans;
    for (unsigned bits = 0; bits < 16; ++bits) plans[bits] = PlanFor(mask, bits);
    return plans;
}

QString FillFileNameMask(const std::array<MaskPlan, 16>& plans, const QString& album, const QString& trackText,
                         const QString& artist, const QString& title) {
    const QString* values[] = {&album, &trackText, &artist, &title};
    unsigned bits = 0;
    for (unsigned i = 0; i < 4; ++i)
        if (values[i]->isEmpty()) bits |= 1u << i;
    QString out;
    out.reserve(album.size() + trackText.size() + artist.size() + title.size() + 16);
    for (const MaskPlan::Piece& piece : plans[bits].pieces) {
        if (piece.slot == MaskPlan::None) {
            out += piece.literal;
            continue;
        }
        const QString& value = *values[piece.slot];
        if (piece.twoDigits && value.size() < 2) out += QLatin1Char('0');
        AppendFileNameCharacters(out, value);
    }
    return TrimBlanks(out);
}

QString FillFileNameMask(const QString& mask, const QString& album, const QString& trackText, const QString& artist,
                         const QString& title) {
    return FillFileNameMask(CompileMask(mask), album, trackText, artist, title);
}

bool IsPlainFileName(QStringView name) {
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(QLatin1Char('/')) &&
           !name.contains(QChar(0)) && Utf8Length(name) <= kMaxFileNameBytes;
}

bool IsPlainNewFileName(QStringView name) { return IsPlainFileName(name) && !name.startsWith(QLatin1Char('.')); }

void RequirePlainFileName(const QString& name) {
    if (!IsPlainFileName(name))
        RaiseError(ErrNo::BadFileNameOrNumber, QStringLiteral("Sonivard"),
                   StandardErrorText(ErrNo::BadFileNameOrNumber) + QStringLiteral(" (") + name + QLatin1Char(')'));
}

QString PlainFileName(const QString& stem, const QString& extension) {
    const auto bytes = Utf8Length;
    QString name = stem + QLatin1Char('.') + extension;
    if (bytes(name) > kMaxFileNameBytes) {
        // Shorten the stem at a character boundary until the whole fits.
        const qsizetype room = kMaxFileNameBytes - bytes(extension) - 1;
        QString cut;
        if (room > 0) {
            QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, stem);
            qsizetype end = 0;
            for (qsizetype next = finder.toNextBoundary(); next > 0; next = finder.toNextBoundary()) {
                if (bytes(QStringView(stem).left(next)) > room) break;
                end = next;
            }
            cut = stem.left(end);
            while (!cut.isEmpty() && cut.back() == QLatin1Char(' ')) cut.chop(1);
        }
        if (!cut.isEmpty()) name = cut + QLatin1Char('.') + extension;
    }
    RequirePlainFileName(name);
    return name;
}
