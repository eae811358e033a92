#include "options/ui/DialogSettingsUi.h"

#include "foundation/Errors.h"
#include "options/ui/ControlSettingsUi.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

template <typename T>
T* Required(T* control) {
    if (!control) RaiseError(ErrNo::ObjectNotSet);
    return control;
}

template <typename Settings, typename Controls>
struct CheckBinding {
    bool Settings::*setting;
    QCheckBox* Controls::*control;
};
template <typename Settings, typename Controls>
struct TextBinding {
    QString Settings::*setting;
    QLineEdit* Controls::*control;
};

template <typename Settings, typename Controls, size_t N>
void ShowChecks(const Settings& s, const Controls& c, const CheckBinding<Settings, Controls> (&bindings)[N]) {
    for (const auto& b : bindings) Required(c.*b.control)->setChecked(s.*b.setting);
}
template <typename Settings, typename Controls, size_t N>
void TakeChecks(Settings& s, const Controls& c, const CheckBinding<Settings, Controls> (&bindings)[N]) {
    for (const auto& b : bindings) s.*b.setting = Required(c.*b.control)->isChecked();
}
template <typename Settings, typename Controls, size_t N>
void ShowTexts(const Settings& s, const Controls& c, const TextBinding<Settings, Controls> (&bindings)[N]) {
    for (const auto& b : bindings) Required(c.*b.control)->setText(s.*b.setting);
}
template <typename Settings, typename Controls, size_t N>
void TakeTexts(Settings& s, const Controls& c, const TextBinding<Settings, Controls> (&bindings)[N]) {
    for (const auto& b : bindings) s.*b.setting = Required(c.*b.control)->text();
}

// ---- headers ------------------------------------------------------------------------

using Checks = CataloguerHeaderChecks;
using HeaderControls = CataloguerHeaderControls;

// The checks after the title's.
const CheckBinding<Checks, HeaderControls> kHeaderChecks[] = {
    {&Checks::CheckCollectionProperties, &HeaderControls::CheckCollectionProperties},
    {&Checks::CheckTotalNumFiles, &HeaderControls::CheckTotalNumFiles},
    {&Checks::CheckTotalSizeFiles, &HeaderControls::CheckTotalSizeFiles},
    {&Checks::CheckTotalLengthFiles, &HeaderControls::CheckTotalLengthFiles},
    {&Checks::CheckListProperties, &HeaderControls::CheckListProperties},
    {&Checks::CheckListCreationDate, &HeaderControls::CheckListCreationDate},
    {&Checks::CheckListCreationTime, &HeaderControls::CheckListCreationTime},
    {&Checks::CheckNumPagesInList, &HeaderControls::CheckNumPagesInList},
    {&Checks::CheckColumnHeadings, &HeaderControls::CheckColumnHeadings},
};

void ShowHeaderChecks(const Checks& s, const HeaderControls& c) {
    // Changing the title's text ticks its check; the stored check comes after.
    Required(c.TextTitle)->setText(s.TextTitle);
    Required(c.CheckTitle)->setChecked(s.CheckTitle);
    ShowChecks(s, c, kHeaderChecks);
}

void TakeHeaderChecks(Checks& s, const HeaderControls& c) {
    s.CheckTitle = Required(c.CheckTitle)->isChecked();
    s.TextTitle = Required(c.TextTitle)->text();
    TakeChecks(s, c, kHeaderChecks);
}

// ---- override tool --------------------------------------------------------------------

using Mass = MassTaggingOverrideToolSettings;
using MassControls = MassTaggingOverrideToolControls;

const TextBinding<Mass, MassControls> kID3v1Texts[] = {
    {&Mass::TextID3v1Artist, &MassControls::TextID3v1Artist},
    {&Mass::TextID3v1Title, &MassControls::TextID3v1Title},
    {&Mass::TextID3v1Album, &MassControls::TextID3v1Album},
    {&Mass::TextID3v1Year, &MassControls::TextID3v1Year},
    {&Mass::TextID3v1Comment, &MassControls::TextID3v1Comment},
};
const CheckBinding<Mass, MassControls> kID3v1Checks[] = {
    {&Mass::CheckID3v1Artist, &MassControls::CheckID3v1Artist},
    {&Mass::CheckID3v1Title, &MassControls::CheckID3v1Title},
    {&Mass::CheckID3v1Album, &MassControls::CheckID3v1Album},
    {&Mass::CheckID3v1Year, &MassControls::CheckID3v1Year},
    {&Mass::CheckID3v1Genre, &MassControls::CheckID3v1Genre},
    {&Mass::CheckID3v1Comment, &MassControls::CheckID3v1Comment},
};
const TextBinding<Mass, MassControls> kID3v2Texts[] = {
    {&Mass::TextID3v2Track, &MassControls::TextID3v2Track},
    {&Mass::TextID3v2Artist, &MassControls::TextID3v2Artist},
    {&Mass::TextID3v2Title, &MassControls::TextID3v2Title},
    {&Mass::TextID3v2Album, &MassControls::TextID3v2Album},
    {&Mass::TextID3v2Year, &MassControls::TextID3v2Year},
    {&Mass::TextID3v2Comment, &MassControls::TextID3v2Comment},
    {&Mass::TextID3v2Composer, &MassControls::TextID3v2Composer},
    {&Mass::TextID3v2OrigArtist, &MassControls::TextID3v2OrigArtist},
    {&Mass::TextID3v2Copyright, &MassControls::TextID3v2Copyright},
    {&Mass::TextID3v2URL, &MassControls::TextID3v2URL},
    {&Mass::TextID3v2Encodedby, &MassControls::TextID3v2Encodedby},
};
const CheckBinding<Mass, MassControls> kID3v2Checks[] = {
    {&Mass::CheckID3v2Track, &MassControls::CheckID3v2Track},
    {&Mass::CheckID3v2Artist, &MassControls::CheckID3v2Artist},
    {&Mass::CheckID3v2Title, &MassControls::CheckID3v2Title},
    {&Mass::CheckID3v2Album, &MassControls::CheckID3v2Album},
    {&Mass::CheckID3v2Year, &MassControls::CheckID3v2Year},
    {&Mass::CheckID3v2Genre, &MassControls::CheckID3v2Genre},
    {&Mass::CheckID3v2Comment, &MassControls::CheckID3v2Comment},
    {&Mass::CheckID3v2Composer, &MassControls::CheckID3v2Composer},
    {&Mass::CheckID3v2OrigArtist, &MassControls::CheckID3v2OrigArtist},
    {&Mass::CheckID3v2Copyright, &MassControls::CheckID3v2Copyright},
    {&Mass::CheckID3v2URL, &MassControls::CheckID3v2URL},
    {&Mass::CheckID3v2Encodedby, &MassControls::CheckID3v2Encodedby},
};

}  // namespace

// ---- headers ------------------------------------------------------------------------

void ShowTextHeaderSettings(const TextCataloguerHeaderSettings& settings, const CataloguerHeaderControls& controls) {
    ShowHeaderChecks(settings, controls);
}

TextCataloguerHeaderSettings TakeTextHeaderSettings(const CataloguerHeaderControls& controls) {
    TextCataloguerHeaderSettings settings;
    TakeHeaderChecks(settings, controls);
    return settings;
}

void ShowHTMLHeaderSettings(const HTMLCataloguerHeaderSettings& settings, const HTMLCataloguerHeaderControls& controls) {
    Required(controls.ComboPageLinks)->setCurrentIndex(settings.ComboPageLinks);
    ShowHeaderChecks(settings, controls);
    for (int n = 0; n < 5; ++n) {
        Required(controls.LabelFont[n])->setText(settings.LabelFont[n]);
        Required(controls.ComboFill[n])->setCurrentText(settings.ComboFill[n]);
        if (controls.ComboFill_LostFocus) controls.ComboFill_LostFocus(n);
    }
}

HTMLCataloguerHeaderSettings TakeHTMLHeaderSettings(const HTMLCataloguerHeaderControls& controls) {
    HTMLCataloguerHeaderSettings settings;
    settings.ComboPageLinks = Required(controls.ComboPageLinks)->currentIndex();
    TakeHeaderChecks(settings, controls);
    for (int n = 0; n < 5; ++n) {
        settings.LabelFont[n] = Required(controls.LabelFont[n])->text();
        settings.ComboFill[n] = Required(controls.ComboFill[n])->currentText();
    }
    return settings;
}

// ---- override tool --------------------------------------------------------------------

void ShowMassTaggingSettings(const MassTaggingOverrideToolSettings& settings,
                             const MassTaggingOverrideToolControls& controls) {
    // A value's change handler ticks its field check: values first, then the
    // checks as stored.
    Required(controls.CheckID3v1Tag)->setChecked(settings.CheckID3v1Tag);
    ShowTexts(settings, controls, kID3v1Texts);
    Required(controls.ComboID3v1Genre)->setCurrentIndex(settings.ComboID3v1Genre);
    ShowChecks(settings, controls, kID3v1Checks);
    ShowTexts(settings, controls, kID3v2Texts);
    Required(controls.ComboID3v2Genre)->setCurrentText(settings.ComboID3v2Genre);
    Required(controls.CheckID3v2Tag)->setChecked(settings.CheckID3v2Tag);
    ShowChecks(settings, controls, kID3v2Checks);
}

MassTaggingOverrideToolSettings TakeMassTaggingSettings(const MassTaggingOverrideToolControls& controls) {
    MassTaggingOverrideToolSettings settings;
    settings.CheckID3v1Tag = Required(controls.CheckID3v1Tag)->isChecked();
    TakeTexts(settings, controls, kID3v1Texts);
    settings.ComboID3v1Genre = Required(controls.ComboID3v1Genre)->currentIndex();
    TakeChecks(settings, controls, kID3v1Checks);
    settings.CheckID3v2Tag = Required(controls.CheckID3v2Tag)->isChecked();
    TakeTexts(settings, controls, kID3v2Texts);
    settings.ComboID3v2Genre = Required(controls.ComboID3v2Genre)->currentText();
    TakeChecks(settings, controls, kID3v2Checks);
    return settings;
}

// ---- HTML font editor -----------------------------------------------------------------

void ReadHTMLFontSettings(QComboBox* ComboFontCombination) {
    HTMLFontSettings settings;
    settings.ComboFontCombination = TakeComboBox(Required(ComboFontCombination));
    ReadThenShow([&] { settings.Read(); }, [&] { ShowComboBox(ComboFontCombination, settings.ComboFontCombination); });
}

void WriteHTMLFontSettings(QComboBox* ComboFontCombination) {
    HTMLFontSettings settings;
    settings.ComboFontCombination = TakeComboBox(Required(ComboFontCombination));
    const bool typed = ComboBoxTextTyped(ComboFontCombination);
    ReadThenShow([&] { settings.Write(typed); },
                 [&] { ShowComboBox(ComboFontCombination, settings.ComboFontCombination); });
}
