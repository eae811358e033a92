#pragma once
// The settings of three of the music cataloguer's option windows: the HTML
// and the text page header, and the HTML font editor's history of font faces
// (the HTML page properties keep theirs in
// cataloguer/CataloguerOptionSettings.h).  One record per window, its fields
// named after the window's controls, with its reader and writer over the
// settings store; each record starts at the defaults a new user sees.  These
// are the entries GetHTMLCataloguerHeaderOptions and
// GetTextCataloguerHeaderOptions read into the cataloguer's options.
//
// A dialog uses its pair as every window does (options/WindowSettings.h):
// start a record from the controls, ReadThenShow it on load, and on OK take
// the record from the controls, Write it and re-read its option group.  For
// the two header dialogs and the font editor use the control bindings of
// options/ui/DialogSettingsUi.h: they restore a header title's text before
// its check (the text's change handler ticks the check, and a stored
// unticked title must come back unticked) and keep the font history.
//
// Kinds of entry: check state ("1"/"0", read by number: any number but 0 is
// ticked), list position (a number), text (as it is; colours and font
// descriptions are texts).  An error ends the reading or writing at its
// entry and passes up the trail with the procedure's name.

#include "cataloguer/CataloguerOptionSettings.h"
#include "options/ControlSettings.h"

#include <QString>
#include <array>

// The font description of a header part on a first run.
inline const QString kDefaultHeaderFont = QStringLiteral("Font: Default, Size Default, Colour Default");

// What a page header shows: the same keys in both header dialogs.
struct CataloguerHeaderChecks {
    bool CheckTitle = true;                           // "HeaderTitle"
    QString TextTitle = kDefaultCatalogueTitle;       // "TitleText"
    bool CheckCollectionProperties = true;            // "CollectionProps"
    bool CheckTotalNumFiles = true;                   // "TotalNumFiles"
    bool CheckTotalSizeFiles = true;                  // "TotalSizeFiles"
    bool CheckTotalLengthFiles = true;                // "TotalLengthFiles"
    bool CheckListProperties = true;                  // "ListProps"
    bool CheckListCreationDate = true;                // "ListCreationDate"
    bool CheckListCreationTime = true;                // "ListCreationTime"
    bool CheckNumPagesInList = true;                  // "NumPagesInList"
    bool CheckColumnHeadings = true;                  // "ColumnHeadings"

    bool operator==(const CataloguerHeaderChecks&) const = default;

protected:
    void ReadChecks(const QString& section);
    void WriteChecks(const QString& section) const;
};

// DialogHTMLCataloguerHeader, section "MusicCataloguerHTML".
struct HTMLCataloguerHeaderSettings : CataloguerHeaderChecks {
    // "PageLinksAppear": 0 top and bottom, 1 top, 2 bottom of each page.
    // Any other position is refused with error 380 when read.
    int ComboPageLinks = 0;
    // Parts 0 page links, 1 title, 2 collection properties, 3 list
    // properties, 4 column headings: "HeaderFont<n>" the caption of
    // LabelFont(n), a font description; "HeaderColour<n>" the text of
    // ComboFill(n), a colour text, default "".
    std::array<QString, 5> LabelFont{kDefaultHeaderFont, kDefaultHeaderFont, kDefaultHeaderFont, kDefaultHeaderFont,
                                     kDefaultHeaderFont};
    std::array<QString, 5> ComboFill;

    // Reads "PageLinksAppear", the header checks and title, then for each
    // part its font and its fill.
    void Read();
    void Write() const;
    bool operator==(const HTMLCataloguerHeaderSettings&) const = default;
};

// DialogTextCataloguerHeader, section "MusicCataloguerText".
struct TextCataloguerHeaderSettings : CataloguerHeaderChecks {
    void Read();
    void Write() const;
    bool operator==(const TextCataloguerHeaderSettings&) const = default;
};

// DialogHTMLFont: the history of ComboFontCombination in section
// "ComboFontCombination", up to 12 entries, text "Default" on a first run.
struct HTMLFontSettings {
    static inline const QString ComboName = QStringLiteral("ComboFontCombination");
    static constexpr int Limit = 12;

    ComboBoxSettings ComboFontCombination;

    void Read();
    // Stores only a combination of several faces (a text with a comma):
    // a single face or "Default" leaves the history and its text as stored.
    // `typed` as for ComboBoxSettings::Write.
    void Write(bool typed);
};
