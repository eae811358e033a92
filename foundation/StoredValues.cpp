#include "foundation/StoredValues.h"

#include "foundation/SettingsStore.h"

namespace Stored {

QString Text(const QString& section, const QString& key, const QString& defaultText) {
    return GetOptionSetting(section, key, defaultText, SettingType::String).toString();
}

bool Truth(const QString& section, const QString& key, const QString& defaultText) {
    return GetOptionSetting(section, key, defaultText, SettingType::Boolean).toBool();
}

bool Check(const QString& section, const QString& key, const QString& defaultText) {
    return GetOptionSetting(section, key, defaultText, SettingType::Integer).toInt() != 0;
}

int Integer(const QString& section, const QString& key, const QString& defaultText) {
    return GetOptionSetting(section, key, defaultText, SettingType::Integer).toInt();
}

int32_t Long(const QString& section, const QString& key, const QString& defaultText) {
    return GetOptionSetting(section, key, defaultText, SettingType::Long).toInt();
}

void SaveText(const QString& section, const QString& key, const QString& value) {
    SaveOptionSetting(section, key, value, SettingType::String);
}

void SaveTruth(const QString& section, const QString& key, bool value) {
    SaveOptionSetting(section, key, value, SettingType::Boolean);
}

void SaveCheck(const QString& section, const QString& key, bool ticked) {
    SaveOptionSetting(section, key, ticked ? 1 : 0, SettingType::Integer);
}

void SaveInteger(const QString& section, const QString& key, int32_t value) {
    SaveOptionSetting(section, key, value, SettingType::Long);
}

}  // namespace Stored
