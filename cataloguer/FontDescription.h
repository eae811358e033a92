#pragma once
// The HTML font description: the one line of text that says how one kind of
// text of the HTML catalogue pages is drawn, the only form in which such a
// font is held (settings, the option dialogs' font labels, the option
// records).  Its form:
//
//   "Font: " faces ", Size " size ", Colour " colour [", " style] [" Underline"]
//
// faces: one face or several joined by ", ", or "Default"; size: "Default",
// "1".."7", "+1".."+7", "-1".."-7" or another number; colour: "Default", a
// colour name of the HTML colour table, "#" and six hexadecimal digits, or
// empty; style: "Italic", "Bold" or "Bold Italic" ("Regular" is never
// written).  The word "Colour" is the same in every interface language.
// "Default" means the page sets nothing of its own for that part.
//
// The font dialog builds a description on OK; the dialog and the HTML page
// writer take one apart.  Reading counts characters (GetFont of
// foundation/SharedServices.h): a face may hold commas, the size may not,
// and the colour runs to the next comma.

#include <QString>

// What a description holds once taken apart.
struct FontDescription {
    QString faces;
    QString size;
    QString colour;
    bool italic = false;
    bool bold = false;
    bool underline = false;
};

// The description that every reader takes for a missing setting.
inline const QString kDefaultFontDescription = QStringLiteral("Font: Default, Size Default, Colour Default");

// The four style words of the font dialog's style list, in its order.
inline const QString kFontStyles[4] = {QStringLiteral("Regular"), QStringLiteral("Italic"), QStringLiteral("Bold"),
                                       QStringLiteral("Bold Italic")};
// The style word of two flags: "Regular", "Italic", "Bold" or "Bold Italic".
QString FontStyleWord(bool italic, bool bold);

// A description from the font dialog's boxes: an empty faces or size text
// becomes "Default", the colour is taken as it is (empty included), a style
// other than "Regular" (in any capitals) or empty is appended after ", " as
// given, and
// " Underline" last when underlined.
QString BuildFontDescription(const QString& faces, const QString& size, const QString& colour, const QString& style,
                             bool underline);

// Takes a description apart.  Only the exact words "Italic", "Bold" and
// "Underline" after the size set the flags.  A text without ", Size" from its
// eighth character on, or without a comma after the size, raises error 5
// with "GetFont;..." and "ParseFontDescription;" + the text in its trail.
FontDescription ParseFontDescription(const QString& description);

// Whether the font dialog's size box holds an acceptable size: empty,
// "Default" in any capitals, or a number (an optional sign, digits, the
// locale's separators), so every entry of the size list counts.
bool IsFontSizeText(const QString& size);
