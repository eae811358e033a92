#include "foundation/ComboBoxSettings.h"

#include "foundation/Errors.h"
#include "foundation/StoredValues.h"

#include <algorithm>

void ComboBoxSettings::Read(const QString& comboName, int limit, const QString& defaultText) {
    WithTrail(CallSite(QStringLiteral("ReadComboBoxSettings"), comboName, limit, defaultText), [&] {
        for (int k = limit; k >= 1; --k) {
            const QString entry = Stored::Text(comboName, QString::number(k));
            // Typing a listed entry again once stored it again; it comes back once.
            if (!entry.isEmpty() && !List.contains(entry)) List.append(entry);
        }
        Text = Stored::Text(comboName, QStringLiteral("Text"), defaultText);
    });
}

void ComboBoxSettings::Write(const QString& comboName, int limit, bool typed) {
    WithTrail(CallSite(QStringLiteral("WriteComboBoxSettings"), comboName, limit), [&] {
        if (typed && !Text.isEmpty()) {
            if (!List.contains(Text)) List.append(Text);
            // Key "1" takes the last entry, "2" the one before, and so on.
            const qsizetype count = std::min<qsizetype>(List.size(), std::max(0, limit));
            for (qsizetype k = 1; k <= count; ++k)
                Stored::SaveText(comboName, QString::number(k), List.at(List.size() - k));
        }
        Stored::SaveText(comboName, QStringLiteral("Text"), Text);
    });
}
