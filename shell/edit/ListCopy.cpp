#include "shell/edit/ListCopy.h"

#include <QAbstractItemModel>

namespace {
constexpr double kCheckBoxWidthTwips = 230;

void AppendCell(QString& out, const QString& cell) {
    const qsizetype start = out.size();
    out += cell;
    for (qsizetype i = start; i < out.size(); ++i) {
        const QChar c = out.at(i);
        if (c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n')) out[i] = QLatin1Char(' ');
    }
}
}  // namespace

bool FirstColumnShown(bool checkboxes, double widthTwips) {
    return checkboxes ? widthTwips > kCheckBoxWidthTwips : widthTwips > 0;
}

QString ListRowsAsText(const QAbstractItemModel& model, const std::vector<int>& rows,
                       const std::vector<bool>& columnShown) {
    const int columns = model.columnCount();
    std::vector<int> shown;
    for (int c = 0; c < columns; ++c)
        if (static_cast<size_t>(c) < columnShown.size() && columnShown[static_cast<size_t>(c)]) shown.push_back(c);

    QString text;
    for (const int row : rows) {
        for (const int c : shown) {
            // The row's own text (column 0) has no tab before it; every
            // further shown cell does, even when column 0 is hidden.
            if (c > 0) text += QLatin1Char('\t');
            AppendCell(text, model.data(model.index(row, c), Qt::DisplayRole).toString());
        }
        text += QLatin1String("\r\n");
    }
    return text;
}
