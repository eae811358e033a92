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

#include "foundation/OptionRecords.h"

#include <QString>
#include <array>

// The title of catalogue pages and headers on a first run.
inline const QString kDefaultCatalogueTitle = QStringLiteral("My Music Collection");
// The keywords of catalogue pages on a first run.
QString DefaultPageKeywords();

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
