#include "foundation/ReadOptions.h"

#include "foundation/Errors.h"
#include "foundation/FirstRun.h"
#include "foundation/OptionRecords.h"
#include "foundation/SettingsStore.h"

namespace {

const QString kDefaultFont = QStringLiteral("Font: Default, Size Default, Colour Default");

ICataloguerOutputView* g_cataloguerView = nullptr;

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

void SetCataloguerOutputView(ICataloguerOutputView* view) { g_cataloguerView = view; }

void GetPreferences(GeneralPreferences& o) { o.Read(); }

void GetMusicCataloguerHTMLOptions(CataloguerHTMLOptions& o) {
    WithTrail(QStringLiteral("GetMusicCataloguerHTMLOptions"), [&] {
        const QString s = QStringLiteral("MusicCataloguerHTML");
        const int count = readInteger(s, QStringLiteral("NumColumnHeadings"), QStringLiteral("0"));
        o.intHTMLNumColumnHeadings = count;
        if (count > 0) {
            o.strHTMLColumnHeadings.assign(static_cast<size_t>(count), QString());
            for (int n = 1; n <= count; ++n)
                o.strHTMLColumnHeadings[static_cast<size_t>(n - 1)] = readText(s, numbered("ColumnHeading", n));
        }
        o.blnHTMLSortBy = readBool(s, QStringLiteral("SortBy"), false);
        o.strHTMLSortKey = readText(s, QStringLiteral("SortKey"));
        o.lngHTMLSortOrder = readStrictInteger(s, QStringLiteral("SortOrder"), QStringLiteral("0"));
        o.strListTextFont = readText(s, QStringLiteral("ListTextFont"), kDefaultFont);
        o.strListTextColour = readText(s, QStringLiteral("ListTextColour"));
        o.strOutputExtension = readText(s, QStringLiteral("OutputExtension"), QStringLiteral("html"));

        if (g_cataloguerView && g_cataloguerView->IsHTMLOutputSelected())
            g_cataloguerView->SetExtensionCaption(QStringLiteral("XXX.") + o.strOutputExtension);
    });
}

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
