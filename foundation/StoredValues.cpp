#include "foundation/StoredValues.h"

#include "foundation/Errors.h"
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

int CheckState(const QString& section, const QString& key, const QString& defaultText) {
    // Read as a number, "True" would show the box unticked and OK would then
    // store the option as off.
    const QString text = Text(section, key, defaultText).trimmed();
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return 1;
    if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return 0;
    return Integer(section, key, defaultText);
}

int Integer(const QString& section, const QString& key, const QString& defaultText) {
    return GetOptionSetting(section, key, defaultText, SettingType::Integer).toInt();
}

int32_t Long(const QString& section, const QString& key, const QString& defaultText) {
    return GetOptionSetting(section, key, defaultText, SettingType::Long).toInt();
}

int IntegerIn(const QString& section, const QString& key, const QString& defaultText, int low, int high) {
    const int value = Integer(section, key, defaultText);
    if (value < low || value > high)
        RefuseStoredValue(section, key, defaultText, SettingType::Integer, ErrNo::InvalidPropertyValue);
    return value;
}

int32_t LongIn(const QString& section, const QString& key, const QString& defaultText, int32_t low, int32_t high) {
    const int32_t value = Long(section, key, defaultText);
    if (value < low || value > high)
        RefuseStoredValue(section, key, defaultText, SettingType::Long, ErrNo::InvalidPropertyValue);
    return value;
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
