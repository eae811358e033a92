#pragma once
// The HTML colour table and the conversions between the platform's colour
// values (32-bit integers 0x00BBGGRR: red in the low byte) and HTML colour
// text (RRGGBB, red first).

#include <QColor>
#include <QString>
#include <QStringList>

#include <cstdint>

// Entry 0 is "Default" (000000), entries 1..140 the lower-case HTML colour
// names in alphabetical order; values are six upper-case digits RRGGBB.
constexpr int kHtmlColourCount = 141;
QStringList HtmlColourNames();
QStringList HtmlColourValues();

// The system colour "button face", the neutral preview colour.
constexpr int32_t kButtonFaceColour = static_cast<int32_t>(0x8000000Fu);

// Six upper-case digits RRGGBB of bits 0-23 of `colour`, "#" in front with `hash`.
QString VB2HTMLColour(int32_t colour, bool hash);

// True when `colourText` is a colour: a table name (any letter case) or six
// hexadecimal digits, with or without "#".  The text is rewritten in place:
// a name becomes its RRGGBB value, a leading "#" goes, and a colour becomes
// "&HBBGGRR" (upper case).  When it is no colour the text keeps those first
// two changes.
bool HTML2VBColour(QString& colourText);

// The colour of a platform RGB value (the high byte is ignored).
QColor ColourFromVB(int32_t colour);
