#include "foundation/NumberText.h"

#include <QLocale>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {
bool IsBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r');
}
bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

int DigitValue(QChar c, int base) {
    int v = -1;
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9') v = u - '0';
    else if (u >= 'a' && u <= 'f') v = u - 'a' + 10;
    else if (u >= 'A' && u <= 'F') v = u - 'A' + 10;
    return v >= 0 && v < base ? v : -1;
}

double ParseDecimal(const std::string& s) {
    if (s.empty()) return 0.0;
    double value = 0.0;
    const auto res = std::from_chars(s.data(), s.data() + s.size(), value, std::chars_format::general);
    if (res.ec == std::errc::result_out_of_range) {
        // Too large or too small for a double: the sign decides which infinity
        // (or zero) it is.
        const bool negative = s[0] == '-';
        const size_t e = s.find_first_of("eE");
        const bool tiny = e != std::string::npos && s.find('-', e) != std::string::npos;
        if (tiny) return negative ? -0.0 : 0.0;
        return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    }
    if (res.ec != std::errc()) return 0.0;
    return value;
}
}  // namespace

double LeadingNumber(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto skipBlanks = [&] {
        while (i < n && IsBlank(text[i])) ++i;
    };
    skipBlanks();
    // "&H1F", "&O17": integers in base 16 or 8.
    if (i + 1 < n && text[i] == QLatin1Char('&')) {
        const QChar kind = text[i + 1].toUpper();
        const int base = kind == QLatin1Char('H') ? 16 : kind == QLatin1Char('O') ? 8 : 0;
        if (base == 0) return 0.0;
        i += 2;
        double value = 0.0;
        for (;; ++i) {
            skipBlanks();
            if (i >= n) break;
            const int d = DigitValue(text[i], base);
            if (d < 0) break;
            value = value * base + d;
        }
        return value;
    }
    std::string s;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        if (text[i] == QLatin1Char('-')) s += '-';
        ++i;
    }
    bool point = false;
    bool digits = false;
    for (;; ++i) {
        skipBlanks();
        if (i >= n) break;
        const QChar c = text[i];
        if (IsDigit(c)) {
            s += static_cast<char>(c.unicode());
            digits = true;
        } else if (c == QLatin1Char('.') && !point) {
            s += '.';
            point = true;
        } else {
            break;
        }
    }
    if (!digits) return 0.0;
    // An exponent counts only with at least one digit after it.
    if (i < n) {
        const QChar e = text[i].toUpper();
        if (e == QLatin1Char('E') || e == QLatin1Char('D')) {
            qsizetype j = i + 1;
            std::string exp = "e";
            while (j < n && IsBlank(text[j])) ++j;
            if (j < n && (text[j] == QLatin1Char('-') || text[j] == QLatin1Char('+'))) {
                exp += static_cast<char>(text[j].unicode());
                ++j;
            }
            bool expDigits = false;
            for (;; ++j) {
                while (j < n && IsBlank(text[j])) ++j;
                if (j >= n || !IsDigit(text[j])) break;
                exp += static_cast<char>(text[j].unicode());
                expDigits = true;
            }
            if (expDigits) s += exp;
        }
    }
    if (s == "-" || s == "." || s == "-.") return 0.0;
    return ParseDecimal(s);
}

bool IsNumericText(const QString& text) {
    const QLocale locale;  // the default locale: the system's unless the program set one
    const QString decimal = locale.decimalPoint();
    const QString group = locale.groupSeparator();
    qsizetype i = 0;
    qsizetype n = text.size();
    while (i < n && IsBlank(text[i])) ++i;
    while (n > i && IsBlank(text[n - 1])) --n;
    if (i >= n) return false;

    if (text[i] == QLatin1Char('&')) {
        if (i + 2 > n) return false;
        const QChar kind = text[i + 1].toUpper();
        const int base = kind == QLatin1Char('H') ? 16 : kind == QLatin1Char('O') ? 8 : 0;
        if (base == 0 || i + 2 == n) return false;
        for (qsizetype j = i + 2; j < n; ++j)
            if (DigitValue(text[j], base) < 0) return false;
        return true;
    }

    bool sign = false;
    if (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')) {
        sign = true;
        ++i;
        while (i < n && IsBlank(text[i])) ++i;
    }
    if (!sign && n - 1 > i && (text[n - 1] == QLatin1Char('-') || text[n - 1] == QLatin1Char('+'))) {
        --n;
        while (n > i && IsBlank(text[n - 1])) --n;
    }
    auto at = [&](qsizetype pos, const QString& what) {
        return !what.isEmpty() && QStringView(text).mid(pos).startsWith(what);
    };
    bool digits = false;
    // Integer part with group separators.
    while (i < n) {
        if (IsDigit(text[i])) {
            digits = true;
            ++i;
        } else if (digits && at(i, group)) {
            i += group.size();
        } else {
            break;
        }
    }
    if (i < n && at(i, decimal)) {
        i += decimal.size();
        while (i < n && IsDigit(text[i])) {
            digits = true;
            ++i;
        }
    }
    if (!digits) return false;
    if (i < n) {
        const QChar e = text[i].toUpper();
        if (e != QLatin1Char('E') && e != QLatin1Char('D')) return false;
        ++i;
        if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) ++i;
        bool expDigits = false;
        while (i < n && IsDigit(text[i])) {
            expDigits = true;
            ++i;
        }
        if (!expDigits) return false;
    }
    return i == n;
}
