#pragma once
// The general preferences (section "Preferences"): their keys and defaults,
// written once here, and the two forms the group is kept in.
// - GeneralPreferences: the program's record (Options().Preferences).  Read
//   takes each check key as a Boolean ("True"/"False" or a number) and
//   refuses other text once (GetOptionSetting, foundation/SettingsStore.h);
//   it passes errors up the trail with "GetPreferences".  Before the first
//   read every field is false or empty.
// - PreferenceChecks: the Options dialog's form, each check box's state as
//   stored ("0", "1", "2" greyed; "True"/"False" in any case read as 1 and
//   0), starting at the defaults a new user sees.  Write stores the states as
//   numbers and the scheme only when it is not empty (no scheme ticked leaves
//   the stored one as it was).  Its errors pass up unchanged: the dialog's
//   reader and writer add their names.

#include <QString>

struct GeneralPreferences {
    bool blnDisplayMessageBox = false;  // "DisplayMessageBox"
    bool blnUseRecycleBin = false;      // "UseRecycleBin"
    bool blnWebHelp = false;            // "WebHelp"
    bool blnWriteReadOnly = false;      // "WriteReadOnly"
    bool blnShowSplashScreen = false;   // "SplashScreen"
    bool blnRetainWindows = false;      // "RetainWindows"
    bool blnUseSkins = false;           // "UseSkins"
    QString strSkinScheme;              // "SkinScheme"

    void Read();
};

struct PreferenceChecks {
    int CheckDisplayMessageBox;
    int CheckRecycleBin;
    int CheckWebHelp;
    int CheckWriteReadOnly;
    int CheckSplashScreen;
    int CheckRetainWindows;
    int CheckUseSkins;
    QString SkinScheme;

    PreferenceChecks();  // the defaults
    void Read();
    void Write() const;
    bool operator==(const PreferenceChecks&) const = default;
};
