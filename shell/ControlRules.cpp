#include "shell/ControlRules.h"

#include <QLocale>
#include <cmath>

double ProgBarStep(double min, double max, double present, double requested) {
    if (requested == -1 && max > present) return present + 1;
    if (min > requested) return min;
    if (max < requested) return max;
    return requested;
}

double TextBoxNumber(const QString& text) {
    QString digits;
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto skipBlanks = [&] {
        while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t'))) ++i;
    };
    skipBlanks();
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) digits += text[i++];
    bool any = false, point = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t')) continue;
        if (c.isDigit() && c.unicode() < 128) {
            digits += c;
            any = true;
        } else if (c == QLatin1Char('.') && !point) {
            digits += c;
            point = true;
        } else {
            break;
        }
    }
    if (!any) return 0;
    // An exponent only counts when digits follow it.
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        QString exponent = QStringLiteral("e");
        if (j < n && (text[j] == QLatin1Char('-') || text[j] == QLatin1Char('+'))) exponent += text[j++];
        bool expDigits = false;
        while (j < n && text[j].isDigit() && text[j].unicode() < 128) {
            exponent += text[j++];
            expDigits = true;
        }
        if (expDigits) digits += exponent;
    }
    bool ok = false;
    const double value = digits.toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0;
}

std::optional<QString> IncDecText(const QString& text, int32_t direction, int32_t limit, int32_t step) {
    const double number = TextBoxNumber(text);
    if (!((direction == 1 && number < limit) || (direction == -1 && number > limit))) return std::nullopt;
    const double result = number + static_cast<double>(step) * direction;
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(result, 'g', 15);
}

NumericTextFix EnsureNumericText(const QString& entryText, int caret, bool allowZero, bool allowMinus,
                                 bool allowDecimal) {
    QString text = entryText;
    if (text == QLatin1String("0") && !allowZero) text.clear();
    if (text.startsWith(QLatin1Char('-')) && !allowMinus) text.remove(0, 1);
    bool pointSeen = false;
    const qsizetype length = text.size();
    for (qsizetype i = 0; i < length; ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('.') && allowDecimal && !pointSeen) {
            pointSeen = true;
            continue;
        }
        if (c.isDigit() && c.unicode() < 128) continue;
        if (c == QLatin1Char('-') && i == 0) continue;
        text.remove(i, 1);
        break;
    }
    NumericTextFix fix;
    fix.changed = text != entryText;
    fix.text = text;
    fix.caret = std::max(0, fix.changed ? caret - 1 : caret);
    return fix;
}

SortState NextSortState(const SortState& state, int header) {
    SortState next = state;
    next.sorted = true;
    if (header == state.sortKey + 1) {
        next.sortOrder = state.sortOrder == 0 ? 1 : 0;
    } else {
        next.sortKey = header - 1;
        next.sortOrder = 0;
    }
    return next;
}
