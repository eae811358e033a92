#include "foundation/PreferenceSettings.h"

#include "foundation/Errors.h"
#include "foundation/SettingsStore.h"
#include "foundation/StoredValues.h"

namespace {

const QString kSection = QStringLiteral("Preferences");
const QString kSkinSchemeKey = QStringLiteral("SkinScheme");
const QString kDefaultSkinScheme = QStringLiteral("Fun Blue");

// One row per check key, in stored order: the key, its default and the
// field of each form.
struct PreferenceKey {
    const char* key;
    bool ticked;
    bool GeneralPreferences::*option;
    int PreferenceChecks::*check;
};
const PreferenceKey kKeys[] = {
    {"DisplayMessageBox", true, &GeneralPreferences::blnDisplayMessageBox, &PreferenceChecks::CheckDisplayMessageBox},
    {"UseRecycleBin", false, &GeneralPreferences::blnUseRecycleBin, &PreferenceChecks::CheckRecycleBin},
    {"WebHelp", false, &GeneralPreferences::blnWebHelp, &PreferenceChecks::CheckWebHelp},
    {"WriteReadOnly", false, &GeneralPreferences::blnWriteReadOnly, &PreferenceChecks::CheckWriteReadOnly},
    {"SplashScreen", true, &GeneralPreferences::blnShowSplashScreen, &PreferenceChecks::CheckSplashScreen},
    {"RetainWindows", false, &GeneralPreferences::blnRetainWindows, &PreferenceChecks::CheckRetainWindows},
    {"UseSkins", true, &GeneralPreferences::blnUseSkins, &PreferenceChecks::CheckUseSkins},
};

}  // namespace

void GeneralPreferences::Read() {
    WithTrail(QStringLiteral("GetPreferences"), [this] {
        for (const PreferenceKey& k : kKeys)
            this->*k.option =
                GetOptionSetting(kSection, QLatin1String(k.key), Stored::TruthText(k.ticked), SettingType::Boolean)
                    .toBool();
        strSkinScheme = GetOptionSetting(kSection, kSkinSchemeKey, kDefaultSkinScheme, SettingType::String).toString();
    });
}

PreferenceChecks::PreferenceChecks() : SkinScheme(kDefaultSkinScheme) {
    for (const PreferenceKey& k : kKeys) this->*k.check = k.ticked ? 1 : 0;
}

void PreferenceChecks::Read() {
    for (const PreferenceKey& k : kKeys)
        this->*k.check = Stored::CheckState(kSection, QLatin1String(k.key), Stored::CheckText(k.ticked));
    SkinScheme = Stored::Text(kSection, kSkinSchemeKey, kDefaultSkinScheme);
}

void PreferenceChecks::Write() const {
    for (const PreferenceKey& k : kKeys) Stored::SaveInteger(kSection, QLatin1String(k.key), this->*k.check);
    if (!SkinScheme.isEmpty()) Stored::SaveText(kSection, kSkinSchemeKey, SkinScheme);
}
