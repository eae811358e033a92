// Stored values that a dialog's reader refuses (a position its control does
// not have) are reported once: the key gets its default back, so the next
// opening is clean.  And the default put in place of a value an option reader
// refused reads alike in the option reader and the Options dialog.

#include "windowsettings/SettingsFixture.h"

#include "encoder/EncoderOptionSettings.h"
#include "foundation/OptionRecords.h"
#include "foundation/ReadOptions.h"
#include "options/CataloguerDialogSettings.h"
#include "options/CoordinatorDialogSettings.h"
#include "options/OptionsSettings.h"
#include "support/ScopedOptions.h"

#include <functional>

namespace {

using RefusedValuesTest = SettingsTest;

TEST_F(RefusedValuesTest, DialogsRefuseAPositionOnceAndReadItsDefaultThen) {
    struct Case {
        std::function<void()> read;
        const char* section;
        const char* key;
        const char* refused;
        const char* repaired;
    };
    const Case cases[] = {
        {[] { OptionsSettings().Read(); }, "MusicCataloguerHTML", "SortOrder", "5", "0"},
        {[] { OptionsSettings().Read(); }, "MusicCataloguerText", "SortOrder", "-2", "0"},
        {[] { MassTaggingOverrideToolSettings().Read(); }, "MassTaggingOverrideTool", "ID3v1Genre", "500", "0"},
        {[] { HTMLCataloguerHeaderSettings().Read(); }, "MusicCataloguerHTML", "PageLinksAppear", "3", "0"},
        {[] { EncoderOptionSettings().Read(); }, "EncoderDecoder", "Bitrate", "19", "12"},
        {[] { EncoderOptionSettings().Read(); }, "EncoderDecoder", "Mode", "-1", "0"},
        {[] { EncoderOptionSettings().Read(); }, "EncoderDecoder", "OutputSamplingFrequency", "0", "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key + "=" + c.refused);
        TempHome fresh;
        Store(c.section, "Neighbour", "kept");
        Store(c.section, c.key, c.refused);
        EXPECT_EQ(ErrorOf(c.read).first, ErrNo::InvalidPropertyValue);
        EXPECT_EQ(Stored(c.section, c.key), c.repaired);
        EXPECT_EQ(Stored(c.section, "Neighbour"), "kept");
        EXPECT_EQ(ErrorOf(c.read).first, 0);
    }
}

TEST_F(RefusedValuesTest, ARefusedFlagReadsAsItsDefaultInTheOptionsDialogToo) {
    ScopedOptions saved;
    struct Case {
        const char* key;
        bool value;  // the default
        bool GeneralPreferences::*option;
        int OptionsSettings::*box;
    };
    const Case cases[] = {
        {"UseSkins", true, &GeneralPreferences::blnUseSkins, &OptionsSettings::CheckUseSkins},
        {"UseRecycleBin", false, &GeneralPreferences::blnUseRecycleBin, &OptionsSettings::CheckRecycleBin},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        TempHome fresh;
        Store("Preferences", c.key, "maybe");
        EXPECT_EQ(ErrorOf([] { GetPreferences(); }).first, ErrNo::TypeMismatch);
        EXPECT_EQ(ErrorOf([] { GetPreferences(); }).first, 0);
        EXPECT_EQ(Options().Preferences.*c.option, c.value);
        OptionsSettings dialog;
        dialog.Read();
        EXPECT_EQ(dialog.*c.box, c.value ? 1 : 0);
    }
}

}  // namespace
