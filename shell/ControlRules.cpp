#include "shell/ControlRules.h"

#include "foundation/NumberText.h"

#include <QLocale>
#include <cmath>

double ProgBarStep(double min, double max, double present, double requested) {
    if (requested == -1 && max > present) return present + 1;
    if (min > requested) return min;
    if (max < requested) return max;
    return requested;
}

std::optional<QString> IncDecText(const QString& text, int32_t direction, int32_t limit, int32_t step) {
    const double number = LeadingNumber(text);
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
