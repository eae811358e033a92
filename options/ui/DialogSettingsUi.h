#pragma once
// Control bindings of the option windows whose settings must reach the
// controls in a particular order: the two catalogue header dialogs, the
// Mass Tagging Override Tool and the HTML font editor.  A window fills a
// controls struct with its own controls (every pointer set, except the
// parts a window lacks where noted), then on load
//
//     HTMLCataloguerHeaderSettings s = TakeHTMLHeaderSettings(controls);
//     ResumeNext([&] { ReadThenShow([&] { s.Read(); }, [&] { ShowHTMLHeaderSettings(s, controls); }); });
//
// and on OK or unload ResumeNext([&] { TakeHTMLHeaderSettings(controls).Write(); }).
// Show sets controls through their normal setters, so the window's own
// handlers run as they would for a click or an edit (a title's text change
// ticks its check, a field's value change ticks its field check, a check
// enables what depends on it); Show orders the steps so that every control
// ends as stored all the same.

#include "cataloguer/CataloguerOptionSettings.h"
#include "coordinator/CoordinatorDialogSettings.h"

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

// ---- catalogue page headers ----

struct CataloguerHeaderControls {
    QCheckBox* CheckTitle = nullptr;
    QLineEdit* TextTitle = nullptr;
    QCheckBox* CheckCollectionProperties = nullptr;
    QCheckBox* CheckTotalNumFiles = nullptr;
    QCheckBox* CheckTotalSizeFiles = nullptr;
    QCheckBox* CheckTotalLengthFiles = nullptr;
    QCheckBox* CheckListProperties = nullptr;
    QCheckBox* CheckListCreationDate = nullptr;
    QCheckBox* CheckListCreationTime = nullptr;
    QCheckBox* CheckNumPagesInList = nullptr;
    QCheckBox* CheckColumnHeadings = nullptr;
};

struct HTMLCataloguerHeaderControls : CataloguerHeaderControls {
    QComboBox* ComboPageLinks = nullptr;  // three places, index = stored position
    std::array<QLabel*, 5> LabelFont{};   // caption = font description
    std::array<QComboBox*, 5> ComboFill{};
    // Runs after ComboFill(n) got its text (the window repaints PictureFill(n)).
    std::function<void(int)> ComboFill_LostFocus;
};

// The title's text is set before its check.
void ShowTextHeaderSettings(const TextCataloguerHeaderSettings& settings, const CataloguerHeaderControls& controls);
TextCataloguerHeaderSettings TakeTextHeaderSettings(const CataloguerHeaderControls& controls);
void ShowHTMLHeaderSettings(const HTMLCataloguerHeaderSettings& settings, const HTMLCataloguerHeaderControls& controls);
HTMLCataloguerHeaderSettings TakeHTMLHeaderSettings(const HTMLCataloguerHeaderControls& controls);

// ---- Mass Tagging Override Tool ----

struct MassTaggingOverrideToolControls {
    QCheckBox* CheckID3v1Tag = nullptr;
    QLineEdit *TextID3v1Artist = nullptr, *TextID3v1Title = nullptr, *TextID3v1Album = nullptr,
              *TextID3v1Year = nullptr;
    QComboBox* ComboID3v1Genre = nullptr;  // the empty entry, then the genres
    QLineEdit* TextID3v1Comment = nullptr;
    QCheckBox *CheckID3v1Artist = nullptr, *CheckID3v1Title = nullptr, *CheckID3v1Album = nullptr,
              *CheckID3v1Year = nullptr, *CheckID3v1Genre = nullptr, *CheckID3v1Comment = nullptr;

    QCheckBox* CheckID3v2Tag = nullptr;
    QLineEdit *TextID3v2Track = nullptr, *TextID3v2Artist = nullptr, *TextID3v2Title = nullptr,
              *TextID3v2Album = nullptr, *TextID3v2Year = nullptr;
    QComboBox* ComboID3v2Genre = nullptr;  // editable: its text is stored
    QLineEdit *TextID3v2Comment = nullptr, *TextID3v2Composer = nullptr, *TextID3v2OrigArtist = nullptr,
              *TextID3v2Copyright = nullptr, *TextID3v2URL = nullptr, *TextID3v2Encodedby = nullptr;
    QCheckBox *CheckID3v2Track = nullptr, *CheckID3v2Artist = nullptr, *CheckID3v2Title = nullptr,
              *CheckID3v2Album = nullptr, *CheckID3v2Year = nullptr, *CheckID3v2Genre = nullptr,
              *CheckID3v2Comment = nullptr, *CheckID3v2Composer = nullptr, *CheckID3v2OrigArtist = nullptr,
              *CheckID3v2Copyright = nullptr, *CheckID3v2URL = nullptr, *CheckID3v2Encodedby = nullptr;
};

// Every value of a tag before any of its field checks.
void ShowMassTaggingSettings(const MassTaggingOverrideToolSettings& settings,
                             const MassTaggingOverrideToolControls& controls);
MassTaggingOverrideToolSettings TakeMassTaggingSettings(const MassTaggingOverrideToolControls& controls);

// ---- HTML font editor ----

// ReadHTMLFontSettings: the stored history joins the box's list and the
// stored text becomes its text (the editor then sets the description's own
// faces).  WriteHTMLFontSettings: a typed combination of several faces joins
// the list and the history is stored; a single face stores nothing.
void ReadHTMLFontSettings(QComboBox* ComboFontCombination);
void WriteHTMLFontSettings(QComboBox* ComboFontCombination);
