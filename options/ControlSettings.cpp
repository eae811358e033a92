#include "options/ControlSettings.h"

#include "foundation/Errors.h"
#include "foundation/SettingsStore.h"
#include "foundation/StoredValues.h"

#include <algorithm>
#include <cmath>

namespace {

const QString kDefaultWidth = QStringLiteral("1440");

QString ColumnKey(int column, const char* what) { return QString::number(column + 1) + QLatin1String(what); }

}  // namespace

// ---- sort -----------------------------------------------------------------------

void ListSortSettings::Read(const QString& listName) {
    WithTrail(CallSite(QStringLiteral("ReadSortSettings"), listName), [&] {
        Sorted = Stored::Truth(listName, QStringLiteral("Sorted"), QStringLiteral("False"));
        SortKey = std::max(0, Stored::Integer(listName, QStringLiteral("SortKey"), QStringLiteral("0")));
        SortOrder = Stored::Integer(listName, QStringLiteral("SortOrder"), QStringLiteral("0")) == 1 ? 1 : 0;
    });
}

void ListSortSettings::Write(const QString& listName) const {
    WithTrail(CallSite(QStringLiteral("WriteSortSettings"), listName), [&] {
        Stored::SaveTruth(listName, QStringLiteral("Sorted"), Sorted);
        Stored::SaveInteger(listName, QStringLiteral("SortKey"), SortKey);
        Stored::SaveInteger(listName, QStringLiteral("SortOrder"), SortOrder);
    });
}

// ---- columns --------------------------------------------------------------------

void ListColumnSettings::Read(const QString& listName, int columnCount) {
    WithTrail(CallSite(QStringLiteral("ReadColumnSettings"), listName), [&] {
        Widths.clear();
        for (int c = 0; c < columnCount; ++c) {
            const bool visible = Stored::Truth(listName, ColumnKey(c, "Visible"), QStringLiteral("True"));
            Widths.push_back(visible ? StoredWidth(listName, c) : 0.0);
        }
    });
}

void ListColumnSettings::Write(const QString& listName) const {
    WithTrail(CallSite(QStringLiteral("WriteColumnSettings"), listName), [&] {
        for (int c = 0; c < static_cast<int>(Widths.size()); ++c) {
            const double width = Widths[static_cast<size_t>(c)];
            if (width > 0) {
                Stored::SaveTruth(listName, ColumnKey(c, "Visible"), true);
                SaveOptionSetting(listName, ColumnKey(c, "Width"), static_cast<float>(width), SettingType::Single);
            } else {
                Stored::SaveTruth(listName, ColumnKey(c, "Visible"), false);
            }
        }
    });
}

double ListColumnSettings::StoredWidth(const QString& listName, int column) {
    // A shown column of no width would be hidden with no way to tell it from
    // a hidden one, and a negative width is no width at all.
    const double width =
        GetOptionSetting(listName, ColumnKey(column, "Width"), kDefaultWidth, SettingType::Single).toDouble();
    return width > 0 ? width : kDefaultWidth.toDouble();
}

// ---- font -----------------------------------------------------------------------

void FontSettings::Read(const QString& controlName) {
    WithTrail(CallSite(QStringLiteral("ReadFontSettings"), controlName), [&] {
        FontName = Stored::Text(controlName, QStringLiteral("FontName"));
        FontSize = GetOptionSetting(controlName, QStringLiteral("FontSize"), QStringLiteral("0"), SettingType::Currency)
                       .toDouble();
        FontItalic = Stored::Truth(controlName, QStringLiteral("FontItalic"), QStringLiteral("False"));
        FontBold = Stored::Truth(controlName, QStringLiteral("FontBold"), QStringLiteral("False"));
    });
}

void FontSettings::Write(const QString& controlName) const {
    WithTrail(CallSite(QStringLiteral("WriteFontSettings"), controlName), [&] {
        Stored::SaveText(controlName, QStringLiteral("FontName"), FontName);
        // Four decimals, as the size is read back.
        const double size = std::round(FontSize * 10000.0) / 10000.0;
        SaveOptionSetting(controlName, QStringLiteral("FontSize"), size, SettingType::Currency);
        Stored::SaveTruth(controlName, QStringLiteral("FontItalic"), FontItalic);
        Stored::SaveTruth(controlName, QStringLiteral("FontBold"), FontBold);
    });
}
