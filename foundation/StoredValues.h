#pragma once
// Typed access to one key of the settings store, by the kind of value a
// window keeps there.  Each reader takes the key's default text and converts
// the stored text (or the default) as the store does (SettingsStore.h):
//   Text     the text as stored
//   Truth    "True"/"False" in any case or a number (0 is False); any other
//            text, the empty text included, raises error 13
//   Check    a check box state stored as a number ("0" unticked, "1"
//            ticked); lenient: text without a number reads 0, any number
//            but 0 is ticked
//   CheckState a check box state as the Options dialog shows it: "0", "1"
//            or "2" (greyed) as stored, and "True"/"False" in any case as 1
//            and 0 (a hand-edited file may hold them; the program's readers
//            take them as on and off); other text as Integer
//   Integer  a lenient 16-bit number (text without a number reads 0; out of
//            range raises error 6)
//   Long     a lenient 32-bit number, "&H" hexadecimal accepted (colours)
// Writers store the plain text: Truth as "True"/"False", Check as "1"/"0",
// numbers in decimal.  Errors pass up unchanged; the caller adds its name.

#include <QString>
#include <cstdint>

namespace Stored {

QString Text(const QString& section, const QString& key, const QString& defaultText = QString());
bool Truth(const QString& section, const QString& key, const QString& defaultText);
bool Check(const QString& section, const QString& key, const QString& defaultText);
int CheckState(const QString& section, const QString& key, const QString& defaultText);
int Integer(const QString& section, const QString& key, const QString& defaultText);
int32_t Long(const QString& section, const QString& key, const QString& defaultText);
// Integer and Long for a control that holds the positions `low` to `high`
// only: another stored number is refused with error 380 (invalid property
// value), its key getting its default back (RefuseStoredValue of
// foundation/SettingsStore.h), so the refusal is reported once.
int IntegerIn(const QString& section, const QString& key, const QString& defaultText, int low, int high);
int32_t LongIn(const QString& section, const QString& key, const QString& defaultText, int32_t low, int32_t high);

void SaveText(const QString& section, const QString& key, const QString& value);
void SaveTruth(const QString& section, const QString& key, bool value);
void SaveCheck(const QString& section, const QString& key, bool ticked);
void SaveInteger(const QString& section, const QString& key, int32_t value);

// "True"/"False" and "1"/"0": the default texts of Truth and Check keys.
inline QString TruthText(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }
inline QString CheckText(bool ticked) { return ticked ? QStringLiteral("1") : QStringLiteral("0"); }

}  // namespace Stored
