#include "foundation/SettingsStore.h"

#include "foundation/Errors.h"
#include "foundation/IniFile.h"

#include <QDir>
#include <QLocale>

#include <charconv>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

namespace {

// ---- numbers -------------------------------------------------------------------

[[noreturn]] void Overflow() { RaiseError(ErrNo::Overflow); }
[[noreturn]] void TypeMismatch() { RaiseError(ErrNo::TypeMismatch); }

// "&H" / "&O" digits: a value that fits in 16 bits is a signed 16-bit number,
// a larger one a signed 32-bit number.  Returns false when a digit is not of
// the radix (the value read so far is in `value`).
double RadixValue(uint64_t magnitude) {
    if (magnitude <= 0xFFFFu) return static_cast<int16_t>(static_cast<uint16_t>(magnitude));
    if (magnitude <= 0xFFFFFFFFu) return static_cast<int32_t>(static_cast<uint32_t>(magnitude));
    Overflow();
}

int RadixDigit(QChar c, int radix) {
    const char16_t u = c.unicode();
    int d = -1;
    if (u >= u'0' && u <= u'9') d = u - u'0';
    else if (u >= u'a' && u <= u'f') d = u - u'a' + 10;
    else if (u >= u'A' && u <= u'F') d = u - u'A' + 10;
    return d < radix ? d : -1;
}

// Reads radix digits from `s` at `pos`; stops at the first other character.
uint64_t ReadRadixDigits(QStringView s, qsizetype& pos, int radix, int& count) {
    uint64_t v = 0;
    count = 0;
    for (; pos < s.size(); ++pos) {
        const int d = RadixDigit(s[pos], radix);
        if (d < 0) break;
        v = v * static_cast<uint64_t>(radix) + static_cast<uint64_t>(d);
        if (v > 0xFFFFFFFFull) Overflow();
        ++count;
    }
    return v;
}

bool IsDigit(QChar c) { return c.unicode() >= u'0' && c.unicode() <= u'9'; }

struct DecimalParts {
    bool negative = false;
    std::string intDigits, fracDigits;
    long long exponent = 0;
    bool any = false;  // at least one mantissa digit
};

double DecimalValue(const DecimalParts& p) {
    if (!p.any) return 0.0;
    std::string text = p.intDigits.empty() ? std::string("0") : p.intDigits;
    if (!p.fracDigits.empty()) text += '.' + p.fracDigits;
    text += 'e' + std::to_string(p.exponent);
    double v = 0.0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        // Too large overflows; too small is zero.  Where does the first
        // significant digit stand relative to the decimal point?
        long long magnitude = p.exponent;
        const auto firstInt = p.intDigits.find_first_not_of('0');
        if (firstInt != std::string::npos) {
            magnitude += static_cast<long long>(p.intDigits.size() - firstInt);
        } else {
            const auto firstFrac = p.fracDigits.find_first_not_of('0');
            if (firstFrac == std::string::npos) return 0.0;
            magnitude -= static_cast<long long>(firstFrac);
        }
        if (magnitude > 0) Overflow();
        v = 0.0;
    }
    return p.negative ? -v : v;
}

// Reads an exponent ("E"/"D", optional sign, digits) at `pos`; leaves `pos`
// untouched when there is none.
bool ReadExponent(QStringView s, qsizetype& pos, long long& exponent) {
    qsizetype i = pos;
    if (i >= s.size()) return false;
    const char16_t e = s[i].unicode();
    if (e != u'e' && e != u'E' && e != u'd' && e != u'D') return false;
    ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-'))) negative = s[i++] == QLatin1Char('-');
    if (i >= s.size() || !IsDigit(s[i])) return false;
    long long v = 0;
    for (; i < s.size() && IsDigit(s[i]); ++i) {
        if (v < 100000000) v = v * 10 + (s[i].unicode() - u'0');
    }
    exponent = negative ? -v : v;
    pos = i;
    return true;
}

QStringView TrimBlanks(QStringView s) {
    qsizetype b = 0, e = s.size();
    while (b < e && (s[b] == QLatin1Char(' ') || s[b] == QLatin1Char('\t'))) ++b;
    while (e > b && (s[e - 1] == QLatin1Char(' ') || s[e - 1] == QLatin1Char('\t'))) --e;
    return s.mid(b, e - b);
}

// The whole text (blanks around it allowed) must be a number: "&H"/"&O"
// digits, or a sign, digits with one decimal separator ("." or the user's)
// and an exponent.  Group separators are not taken: "1,5" must not quietly
// become 15.  Returns false when the text is no number.
bool StrictNumber(const QString& text, double& value) {
    const QStringView s = TrimBlanks(text);
    if (s.isEmpty()) return false;
    qsizetype pos = 0;
    if (s.size() >= 2 && s[0] == QLatin1Char('&')) {
        const char16_t r = s[1].toUpper().unicode();
        if (r != u'H' && r != u'O') return false;
        pos = 2;
        int count = 0;
        const uint64_t v = ReadRadixDigits(s, pos, r == u'H' ? 16 : 8, count);
        if (count == 0 || pos != s.size()) return false;
        value = RadixValue(v);
        return true;
    }
    static const QString localeDecimal = QLocale::system().decimalPoint();
    DecimalParts p;
    if (s[pos] == QLatin1Char('+') || s[pos] == QLatin1Char('-')) p.negative = s[pos++] == QLatin1Char('-');
    for (; pos < s.size() && IsDigit(s[pos]); ++pos) p.intDigits += static_cast<char>(s[pos].unicode());
    if (pos < s.size() && (s[pos] == QLatin1Char('.') || s.mid(pos).startsWith(localeDecimal))) {
        pos += s[pos] == QLatin1Char('.') ? 1 : localeDecimal.size();
        for (; pos < s.size() && IsDigit(s[pos]); ++pos) p.fracDigits += static_cast<char>(s[pos].unicode());
    }
    p.any = !p.intDigits.empty() || !p.fracDigits.empty();
    if (!p.any) return false;
    ReadExponent(s, pos, p.exponent);
    if (pos != s.size()) return false;
    value = DecimalValue(p);
    return true;
}

// Nearest whole number, a half going to the even neighbour.
double RoundHalfEven(double v) {
    const double r = std::round(v);
    if (std::fabs(v - std::trunc(v)) == 0.5) return 2.0 * std::round(v / 2.0);
    return r;
}

int RoundedInRange(double v, double lo, double hi) {
    const double r = RoundHalfEven(v);
    if (!(r >= lo && r <= hi)) Overflow();
    return static_cast<int>(r);
}

// A number converted to the type of `settingType` (a number type).
QVariant NumberToType(double v, int settingType) {
    switch (settingType) {
    case SettingType::Integer:
    case SettingType::StrictInteger: return RoundedInRange(v, -32768.0, 32767.0);
    case SettingType::Long: return RoundedInRange(v, -2147483648.0, 2147483647.0);
    case SettingType::Byte: return RoundedInRange(v, 0.0, 255.0);
    case SettingType::Single: {
        if (!std::isfinite(v) || std::fabs(v) > static_cast<double>(FLT_MAX)) Overflow();
        return static_cast<double>(static_cast<float>(v));
    }
    case SettingType::Double:
        if (!std::isfinite(v)) Overflow();
        return v;
    case SettingType::Currency: {
        // 64-bit fixed point with four decimals.
        const double scaled = RoundHalfEven(v * 10000.0);
        if (!(std::fabs(scaled) <= 9223372036854775807.0)) Overflow();
        return scaled / 10000.0;
    }
    case SettingType::Decimal:
        if (!(std::fabs(v) <= 79228162514264337593543950335.0)) Overflow();
        return v;
    default: return QVariant();
    }
}

bool BooleanText(const QString& text) {
    const QStringView t = TrimBlanks(text);
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return false;
    double v = 0.0;
    if (!StrictNumber(text, v)) TypeMismatch();
    return v != 0.0;
}

bool IsNumberType(int settingType) {
    switch (settingType) {
    case SettingType::Integer:
    case SettingType::Long:
    case SettingType::Single:
    case SettingType::Double:
    case SettingType::Currency:
    case SettingType::Decimal:
    case SettingType::Byte:
    case SettingType::StrictInteger: return true;
    default: return false;
    }
}

QVariant StrictToType(const QString& text, int settingType) {
    double v = 0.0;
    if (!StrictNumber(text, v)) TypeMismatch();
    return NumberToType(v, settingType);
}

// The store column of the conversion table.
QVariant ConvertStoreText(const QString& text, int settingType) {
    if (settingType == SettingType::String) return text;
    if (settingType == SettingType::Boolean) return BooleanText(text);
    if (settingType == SettingType::StrictInteger) return StrictToType(text, settingType);
    if (IsNumberType(settingType)) return NumberToType(LenientNumber(text), settingType);
    return QVariant();
}

QString ShortestNumber(double v) {
    if (v == 0.0) return QStringLiteral("0");  // also -0
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return QString::fromLatin1(buf, r.ptr - buf);
}

QString ShortestNumber(float v) {
    if (v == 0.0f) return QStringLiteral("0");
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return QString::fromLatin1(buf, r.ptr - buf);
}

// The plain text of a value: numbers in decimal, Booleans "True"/"False".
QString StoredText(const QVariant& value) {
    if (!value.isValid()) return QString();
    switch (value.typeId()) {
    case QMetaType::Bool: return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Double: return ShortestNumber(value.toDouble());
    case QMetaType::Float: return ShortestNumber(value.toFloat());
    case QMetaType::QString: return value.toString();
    default: return value.toString();
    }
}

const QString kStoreSource = QStringLiteral("SettingsStore");

// The text that takes the place of a refused value: the default in a form
// every reader of the key takes alike (the Options dialog reads as numbers
// the keys the option readers read as Booleans, so a Boolean goes in as "1"
// or "0"); "0" when the type cannot take the default either.
QString RepairText(const QString& defaultText, int settingType) {
    try {
        const QVariant value = ConvertStoreText(defaultText, settingType);
        if (settingType == SettingType::Boolean) return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
        return defaultText;
    } catch (const SvError&) {
        return QStringLiteral("0");
    }
}

// How many refused values this thread has had replaced and no reading has
// read past yet: a reader that failed while this grew is worth running again.
thread_local int g_repairs = 0;

// Puts the repair text in place of `refused`, unless the key has changed
// since.  A failure to write is not reported: the value is refused again at
// its next read, as before.
void ReplaceRefused(const QString& section, const QString& key, const QString& refused, const QString& defaultText,
                    int settingType) {
    try {
        const QString repair = RepairText(defaultText, settingType);
        bool replaced = false;
        UpdateStoreFile(SettingsStorePath(), [&](IniDocument& doc) {
            const QString* now = doc.value(section, key);
            replaced = now && *now == refused && doc.setValue(section, key, repair);
            return replaced;
        });
        if (replaced) ++g_repairs;
    } catch (...) {
    }
}

}  // namespace

// The number a text begins with: blanks, TABs and line feeds are skipped
// wherever they stand, reading stops at the first other character, and a text
// that does not begin with a number is 0.
double LenientNumber(const QString& text) {
    QString s;
    s.reserve(text.size());
    for (QChar c : text)
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n')) s += c;
    qsizetype pos = 0;
    if (s.size() >= 2 && s[0] == QLatin1Char('&')) {
        const char16_t r = s[1].toUpper().unicode();
        if (r == u'H' || r == u'O') {
            pos = 2;
            int count = 0;
            return RadixValue(ReadRadixDigits(s, pos, r == u'H' ? 16 : 8, count));
        }
    }
    DecimalParts p;
    if (pos < s.size() && (s[pos] == QLatin1Char('+') || s[pos] == QLatin1Char('-'))) p.negative = s[pos++] == QLatin1Char('-');
    for (; pos < s.size() && IsDigit(s[pos]); ++pos) p.intDigits += static_cast<char>(s[pos].unicode());
    if (pos < s.size() && s[pos] == QLatin1Char('.')) {
        ++pos;
        for (; pos < s.size() && IsDigit(s[pos]); ++pos) p.fracDigits += static_cast<char>(s[pos].unicode());
    }
    p.any = !p.intDigits.empty() || !p.fracDigits.empty();
    if (p.any) ReadExponent(s, pos, p.exponent);
    return DecimalValue(p);
}

// The INI column of the conversion table.
QVariant ConvertIniText(const QString& text, int settingType) {
    if (settingType == SettingType::String) {
        QString copy = text;
        return ReplaceSpaces(copy);
    }
    if (settingType == SettingType::Boolean) return BooleanText(text);
    if (IsNumberType(settingType)) return StrictToType(text, settingType);
    return QVariant();
}

QString SettingsStorePath() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base)) base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/Sonivard/Sonivard.ini");
}

void SaveOptionSetting(const QString& section, const QString& key, const QVariant& value, int settingType) {
    const QString text = StoredText(value);
    try {
        UpdateStoreFile(SettingsStorePath(), [&](IniDocument& doc) { return doc.setValue(section, key, text); });
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("SaveOptionSetting"), section, key, text, settingType));
    }
}

QVariant GetOptionSetting(const QString& section, const QString& key, const QString& defaultText, int settingType) {
    try {
        const auto doc = ReadIniFile(SettingsStorePath(), IniSyntax::Store);
        const QString* stored = doc->value(section, key);
        if (!stored) return ConvertStoreText(defaultText, settingType);
        try {
            return ConvertStoreText(*stored, settingType);
        } catch (const SvError&) {
            ReplaceRefused(section, key, *stored, defaultText, settingType);
            throw;
        }
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("GetOptionSetting"), section, key, defaultText, settingType));
    }
}

void RefuseStoredValue(const QString& section, const QString& key, const QString& defaultText, int settingType,
                       int32_t errorNumber) {
    const auto doc = ReadIniFile(SettingsStorePath(), IniSyntax::Store);
    if (const QString* stored = doc->value(section, key))
        ReplaceRefused(section, key, *stored, defaultText, settingType);
    RaiseError(errorNumber);
}

std::optional<SvError> ReadRepairing(const std::function<void()>& read) {
    const int before = g_repairs;
    std::optional<SvError> first;
    for (;;) {
        const int repairs = g_repairs;
        try {
            read();
            // Read past: a reading around this one need not run again for
            // these repairs.
            g_repairs = before;
            return first;
        } catch (...) {
            // Each run that goes on replaces at least one stored text for
            // good, so the runs come to an end.
            if (g_repairs != repairs) {
                if (!first) first = CurrentError();
                continue;
            }
            if (first) throw *first;
            throw;
        }
    }
}

void DeleteOptionSetting(const QString& section, const QString& key) {
    try {
        UpdateStoreFile(SettingsStorePath(), [&](IniDocument& doc) {
            return key.isNull() ? doc.removeSection(section) : doc.removeKey(section, key);
        });
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("DeleteOptionSetting"), section, key));
    }
}

QVariant LoadFromIni(const QString& section, const QString& key, const QString& defaultText, int settingType,
                     const QString& iniFile, bool useDefaultIfEmpty) {
    try {
        const auto doc = ReadIniFile(iniFile, IniSyntax::Platform);
        const QString* stored = doc->value(section, key);
        QString text = stored ? *stored : defaultText;
        if (text.isEmpty() && useDefaultIfEmpty) text = defaultText;
        return ConvertIniText(text, settingType);
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("LoadFromIni"), section, key, defaultText, settingType, iniFile,
                                useDefaultIfEmpty));
    }
}

QString AnySpaces(QString& text) {
    if (text.startsWith(QLatin1Char(' '))) text.replace(0, 1, QStringLiteral("%20"));
    if (text.endsWith(QLatin1Char(' '))) text.replace(text.size() - 1, 1, QStringLiteral("%20"));
    return text;
}

QString ReplaceSpaces(QString& text) {
    if (text.startsWith(QLatin1String("%20"))) text.replace(0, 3, QStringLiteral(" "));
    if (text.endsWith(QLatin1String("%20"))) text.replace(text.size() - 3, 3, QStringLiteral(" "));
    return text;
}

