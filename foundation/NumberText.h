#pragma once
// Reading numbers out of user texts the way the platform's numeric functions
// do: the value of the number a text begins with, and whether a whole text is
// a number.

#include <QString>

// The value of the number that `text` begins with: blanks (space, tab, line
// feed, carriage return) are skipped wherever they stand, then an optional
// sign, digits, one "." and an exponent (E or D) are read until a character
// cannot continue the number; "&H" and "&O" start hexadecimal and octal
// numbers.  No number gives 0.
// For what users type.  Stored settings are read by LenientNumber
// (foundation/SettingsStore.h), which must differ: a stored "&H" value is a
// 16- or 32-bit word and reads back signed ("&HFFFF" is -1 there, 65535
// here), a carriage return ends a stored value while here it is the blank of
// a pasted line end, and a stored word wider than 32 bits is an overflow.
double LeadingNumber(const QString& text);

// True when the whole of `text` (surrounding blanks aside) is a number: a sign
// in front or behind, digits with the locale's group separators, the locale's
// decimal separator, an exponent; or an "&H"/"&O" number.
bool IsNumericText(const QString& text);
