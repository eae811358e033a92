#pragma once
// The music cataloguer's option groups, each with its keys and defaults
// written once (CataloguerOptionSettings.cpp): the program's reader fills the
// cataloguer's option record (foundation/OptionRecords.h) from them, and the
// option window's record, its fields named after the window's controls,
// reads and writes the same keys.  Each window record starts at the defaults
// a new user sees.
//
// The program's readers assign each value to its field as soon as it is
// read; on an error they stop, keep what they assigned and pass the error on
// with their own name appended.  A window record's Read and Write stop the
// same way at their entry and pass up the trail with their own name.
//
// A dialog uses its pair as every window does (options/WindowSettings.h):
// start a record from the controls, ReadThenShow it on load, and on OK take
// the record from the controls, Write it and re-read its option group.  For
// the two header dialogs and the font editor use the control bindings of
// options/ui/DialogSettingsUi.h: they restore a header title's text before
// its check (the text's change handler ticks the check, and a stored
// unticked title must come back unticked) and keep the font history.
//
// Kinds of entry in the window records: check state ("1"/"0", read by
// number: any number but 0 is ticked), list position (a number), text (as it
// is; colours and font descriptions are texts).  The program's readers take
// the same check keys as Booleans ("True"/"False" or a number).

#include "foundation/ComboBoxSettings.h"
#include "foundation/OptionRecords.h"

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

// The title of catalogue pages and headers on a first run.
inline const QString kDefaultCatalogueTitle = QStringLiteral("My Music Collection");
// The keywords of catalogue pages on a first run.
QString DefaultPageKeywords();
// The font description of a header part on a first run.
inline const QString kDefaultHeaderFont = QStringLiteral("Font: Default, Size Default, Colour Default");
// The font description of the list text on a first run.
inline const QString kDefaultListTextFont = QStringLiteral("Font: Default, Size Default, Colour Default");

// ---- "MusicCataloguerHTML": columns, sort, list font and fill, extension ----

// The Options dialog's HTML catalogue page.  The sort check is stored as its
// state ("0", "1", "2" greyed), and the window refuses a stored order other
// than -1 to 1 with error 380 (the box has two entries).
struct HTMLCatalogueChecks {
    QStringList ListIncludedHTML;                                  // "NumColumnHeadings", "ColumnHeading" n
    int CheckSortByHTML = 0;                                       // "SortBy"
    QString ComboSortKeyHTML;                                      // "SortKey" (read: empty leaves the box alone)
    int ComboOrderHTML = 0;                                        // "SortOrder": index, -1 none
    QString LabelFont = kDefaultListTextFont;                      // "ListTextFont"
    QString ComboFill;                                             // "ListTextColour"
    QString TextOutputFileNameExtension = QStringLiteral("html");  // "OutputExtension"

    // No trail names of their own: the Options dialog's reader and writer
    // name the trail.
    void Read();
    void Write() const;
    bool operator==(const HTMLCatalogueChecks&) const = default;
};

// The program's reading of the section's columns, sort, list font and fill
// and extension into its record (trail name "GetMusicCataloguerHTMLOptions"):
// the count as a number, the sort check as a Boolean, the order as a strict
// number, texts as they are.  A count of 0 or less leaves the record's
// headings as they were.  While the registered cataloguer window has HTML
// output selected, its extension label follows the extension read.
void GetMusicCataloguerHTMLOptions(CataloguerHTMLOptions& record = Options().CataloguerHTML);

// ---- "MusicCataloguerText": columns, widths, sort ----

// A catalogue column as the Options dialog lists it.
struct IncludedColumn {
    QString name;
    QString width;  // the text catalogue's width in characters, as text; empty for HTML
    bool operator==(const IncludedColumn&) const = default;
};

// The Options dialog's text catalogue page: the same kinds of entry as its
// HTML page.
struct TextCatalogueChecks {
    std::vector<IncludedColumn> ListIncludedText;  // "ColumnHeading" n, "ColumnHeadingWidth" n
    int CheckSortByText = 0;                       // "SortBy"
    QString ComboSortKeyText;                      // "SortKey"
    int ComboOrderText = 0;                        // "SortOrder"

    // No trail names of their own, as for the HTML page.
    void Read();
    void Write() const;
    bool operator==(const TextCatalogueChecks&) const = default;
};

// The program's reading of the section's columns, widths and sort into its
// record (trail name "GetMusicCataloguerTextOptions"), as for the HTML
// columns.  A width is stored as text and must hold a whole number: a
// missing or non-numeric width is an error.
void GetMusicCataloguerTextOptions(CataloguerTextOptions& record = Options().CataloguerText);

// The open Music Cataloguer window as the HTML reader sees it: while HTML
// output is selected its extension label follows the stored extension.  The
// window registers itself when it loads and unregisters (nullptr) when it
// unloads.
class ICataloguerOutputView {
public:
    virtual ~ICataloguerOutputView() = default;
    virtual bool IsHTMLOutputSelected() const = 0;
    virtual void SetExtensionCaption(const QString& caption) = 0;  // "XXX." + extension
};
void SetCataloguerOutputView(ICataloguerOutputView* view);

// ---- "MusicCataloguerHTML": page properties ----

// DialogHTMLPageProperties.  Every entry is a text, stored as it is.
struct HTMLPagePropertiesSettings {
    QString TextTitle = kDefaultCatalogueTitle;        // "Title"
    QString TextDescription = kDefaultCatalogueTitle;  // "Description"
    QString TextKeywords = DefaultPageKeywords();      // "Keywords"
    QString TextBackgroundImage;                       // "BackgroundImage", a picture's path
    // "PageColour0" to "PageColour4": background, text, links, visited
    // links, active links; a colour text, default "Default".
    std::array<QString, 5> ComboColour{QStringLiteral("Default"), QStringLiteral("Default"), QStringLiteral("Default"),
                                       QStringLiteral("Default"), QStringLiteral("Default")};
    // "Margin0" to "Margin3": left, top, width, height; digits, default "".
    std::array<QString, 4> TextMargin;

    // Trail names "ReadHTMLPagePropertiesSettings", "WriteHTMLPagePropertiesSettings".
    void Read();
    void Write() const;
    bool operator==(const HTMLPagePropertiesSettings&) const = default;
};

// The program's reading of the page properties into its record (trail name
// "GetHTMLPageProperties").
void GetHTMLPageProperties(CataloguerHTMLOptions& record = Options().CataloguerHTML);

// ---- "MusicCataloguerHTML" and "MusicCataloguerText": page headers ----

// What a page header shows: the same keys in both header dialogs.
struct CataloguerHeaderChecks {
    bool CheckTitle = true;                      // "HeaderTitle"
    QString TextTitle = kDefaultCatalogueTitle;  // "TitleText"
    bool CheckCollectionProperties = true;       // "CollectionProps"
    bool CheckTotalNumFiles = true;              // "TotalNumFiles"
    bool CheckTotalSizeFiles = true;             // "TotalSizeFiles"
    bool CheckTotalLengthFiles = true;           // "TotalLengthFiles"
    bool CheckListProperties = true;             // "ListProps"
    bool CheckListCreationDate = true;           // "ListCreationDate"
    bool CheckListCreationTime = true;           // "ListCreationTime"
    bool CheckNumPagesInList = true;             // "NumPagesInList"
    bool CheckColumnHeadings = true;             // "ColumnHeadings"

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

// The program's reading of the page headers into its records (trail names
// "GetHTMLCataloguerHeaderOptions", "GetTextCataloguerHeaderOptions"): the
// page-links place as a strict number (SettingType::StrictInteger; no place
// is refused), the checks as Booleans, texts as they are, in the window
// records' order.
void GetHTMLCataloguerHeaderOptions(CataloguerHTMLOptions& record = Options().CataloguerHTML);
void GetTextCataloguerHeaderOptions(CataloguerTextOptions& record = Options().CataloguerText);

// ---- "ComboFontCombination": the HTML font editor's history ----

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
