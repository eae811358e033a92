#include "foundation/ReadOptions.h"

#include "foundation/Errors.h"
#include "foundation/FirstRun.h"
#include "foundation/OptionRecords.h"
#include "foundation/SettingsStore.h"

namespace {

// One key each, with its default text and type code.
QString readText(const QString& section, const QString& key, const QString& defaultText = QString()) {
    return GetOptionSetting(section, key, defaultText, SettingType::String).toString();
}
bool readBool(const QString& section, const QString& key, const QString& defaultText) {
    return GetOptionSetting(section, key, defaultText, SettingType::Boolean).toBool();
}
bool readBool(const QString& section, const QString& key, bool defaultValue) {
    return readBool(section, key, defaultValue ? QStringLiteral("True") : QStringLiteral("False"));
}
int readInteger(const QString& section, const QString& key, const QString& defaultText) {
    return GetOptionSetting(section, key, defaultText, SettingType::Integer).toInt();
}
int32_t readLong(const QString& section, const QString& key, const QString& defaultText) {
    return GetOptionSetting(section, key, defaultText, SettingType::Long).toInt();
}
int readStrictInteger(const QString& section, const QString& key, const QString& defaultText) {
    return GetOptionSetting(section, key, defaultText, SettingType::StrictInteger).toInt();
}

QString numbered(const char* key, qsizetype n) { return QLatin1String(key) + QString::number(n); }

}  // namespace

QString RuleKey(int32_t n, const char* field) { return QString::number(n) + QLatin1String(field); }

int32_t ReadRuleCount(const QString& section, const QString& key) {
    const QString none = QStringLiteral("0");
    const int32_t count = readLong(section, key, none);
    if (count > MaxRuleCount) RefuseStoredValue(section, key, none, SettingType::Long, ErrNo::Overflow);
    if (count < 0) RefuseStoredValue(section, key, none, SettingType::Long, ErrNo::SubscriptOutOfRange);
    return count;
}

void GetPreferences(GeneralPreferences& o) { o.Read(); }

void GetMusicCataloguerTextOptions(CataloguerTextOptions& o) {
    WithTrail(QStringLiteral("GetMusicCataloguerTextOptions"), [&] {
        const QString s = QStringLiteral("MusicCataloguerText");
        const int count = readInteger(s, QStringLiteral("NumColumnHeadings"), QStringLiteral("0"));
        o.intNumColumnHeadings = count;
        if (count > 0) {
            o.strColumnHeadings.assign(static_cast<size_t>(count), QString());
            o.intColumnHeadingWidths.assign(static_cast<size_t>(count), 0);
            for (int n = 1; n <= count; ++n) {
                o.strColumnHeadings[static_cast<size_t>(n - 1)] = readText(s, numbered("ColumnHeading", n));
                // A width is stored as text and must hold a whole number: a
                // missing or non-numeric width is an error.
                o.intColumnHeadingWidths[static_cast<size_t>(n - 1)] =
                    readStrictInteger(s, numbered("ColumnHeadingWidth", n), QString());
            }
        }
        o.blnSortBy = readBool(s, QStringLiteral("SortBy"), false);
        o.strSortKey = readText(s, QStringLiteral("SortKey"));
        o.lngSortOrder = readStrictInteger(s, QStringLiteral("SortOrder"), QStringLiteral("0"));
    });
}
