#include "foundation/ReadOptions.h"

#include "foundation/Errors.h"
#include "foundation/FirstRun.h"
#include "foundation/OptionRecords.h"
#include "foundation/SettingsStore.h"

namespace {

int32_t readLong(const QString& section, const QString& key, const QString& defaultText) {
    return GetOptionSetting(section, key, defaultText, SettingType::Long).toInt();
}

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
