#pragma once
// The per-user settings store and INI-file access.  The store is our own
// INI-syntax file at $XDG_CONFIG_HOME/Sonivard/Sonivard.ini (default
// ~/.config): one section per feature, names matched ignoring case (the first
// spelling kept), values stored verbatim as text, every write atomic.
// Every value is text in the store and converted on reading by a type code.

#include "foundation/Errors.h"

#include <QString>
#include <QVariant>
#include <cstdint>
#include <functional>
#include <optional>

// Type codes (the platform's variant type numbers).
namespace SettingType {
constexpr int Integer = 2;
constexpr int Long = 3;
constexpr int Single = 4;
constexpr int Double = 5;
constexpr int Currency = 6;
constexpr int String = 8;
constexpr int Boolean = 11;
constexpr int Decimal = 14;
constexpr int Byte = 17;
constexpr int StrictInteger = 36;
}  // namespace SettingType

// Stores the plain text of `value` (numbers in decimal, Booleans "True"/"False").
void SaveOptionSetting(const QString& section, const QString& key, const QVariant& value, int settingType);
// The key's text, or `defaultText` when it does not exist, converted by type
// code: lenient numbers, Boolean words; raises 13/6 as the conversion table says.
// A stored text that cannot be converted is refused once only: before the
// error is raised, the key's default takes its place (see RefuseStoredValue).
QVariant GetOptionSetting(const QString& section, const QString& key, const QString& defaultText, int settingType);

// For a reader that refuses a value the conversion took (a number outside
// what the reader can use): puts the key's default in the stored value's
// place, so the refusal is reported once and not at every start, then raises
// `errorNumber`.  The default goes in as a text that every reader of the key
// takes alike (a Boolean as "1" or "0"; "0" when the type cannot take the
// default either); a key that is not stored, or has changed meanwhile, is
// left alone, and every other key keeps its text.
[[noreturn]] void RefuseStoredValue(const QString& section, const QString& key, const QString& defaultText,
                                    int settingType, int32_t errorNumber);

// Reads a group of settings to its end although values in it are refused.
// `read` reads the group and stops at its first error.  When it stops at a
// refused value whose key got its default back (above), it runs again from
// the start, where that key now reads clean, until a run gets through:
// every refused value of the group is repaired at one reading and the keys
// after them are read.  Returns the error of the first run when a later run
// got through (nothing when the first one did), so the caller reports the
// group once.  A run that stops without a repair (the store unreadable, a
// repair that could not be written, a missing value nothing can stand for)
// ends it: the first run's error is raised.  A reading nested in another
// that gets through gives the outer one no cause to run again.
std::optional<SvError> ReadRepairing(const std::function<void()>& read);

// For a reader whose caller takes the record as it is: runs `read`, where
// refused values get their defaults back and the reading goes on to the end
// (ReadRepairing), then passes the first refusal on.
inline void ReadToTheEnd(const std::function<void()>& read) {
    if (std::optional<SvError> refused = ReadRepairing(read)) throw *refused;
}

// Removes a key or a whole section (the Options dialog's writers use it to
// drop rules that no longer exist).
void DeleteOptionSetting(const QString& section, const QString& key = QString());

QVariant LoadFromIni(const QString& section, const QString& key, const QString& defaultText, int settingType,
                     const QString& iniFile, bool useDefaultIfEmpty);
// The number a text begins with, as the store reads a number setting:
// blanks, TABs and line feeds are skipped wherever they stand, "&H" and "&O"
// start hexadecimal and octal digits, else an optional sign, digits, a
// fraction after "." and an exponent; reading stops at the first other
// character, and a text that does not begin with a number is 0.  Raises 6
// when the number is too large for a double.  Not LeadingNumber
// (foundation/NumberText.h): stored "&H" values are signed 16/32-bit words
// ("&HFFFF" reads -1, wider than 32 bits raises 6) and a carriage return
// ends the number.
double LenientNumber(const QString& text);
// The conversion LoadFromIni gives a value's text (or its default), for
// callers that read a parsed INI document themselves: a text loses one
// leading and one trailing "%20" (each read as a blank); a number type needs
// the whole text (blanks around it allowed) to be a number (13 type mismatch
// otherwise), rounded to the type (halves to even; 6 overflow beyond its
// range).
QVariant ConvertIniText(const QString& text, int settingType);

// The INI edge escapes: one leading and one trailing blank as "%20".
// Both change `text` as well as returning the result.
QString AnySpaces(QString& text);
QString ReplaceSpaces(QString& text);

// Window positions (WriteWindowPos, ReadWindowPos) are in
// foundation/ui/WindowPositions.h, beside the widgets they work on.

// Full path of the store file (follows $XDG_CONFIG_HOME on every call, so
// tests can point it at a temporary folder).
QString SettingsStorePath();
