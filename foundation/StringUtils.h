#pragma once
// Small pure helpers shared by the whole program: text cleaning and padding,
// Max/Min and the waiting loop Pause, binary and hexadecimal texts and byte
// arrays.  Texts are Unicode strings; "character" means one string character
// (UTF-16 code unit), and comparisons are exact (by character code) unless a
// helper says otherwise.  Helpers that take a text by non-const reference
// leave their result in the caller's variable as well as returning it.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <type_traits>

// ---- text ------------------------------------------------------------------------

// The first character in upper case, the rest in lower case.
QString Capitalise(const QString& text);
// True when the text lies in one of the ranges "A".."Z", "a".."z",
// U+00C0..U+00D6, U+00D8..U+00F6, U+00F8..U+00FF (the Latin-1 letters without
// the multiplication and division signs).  A text of more than one character
// is compared as a whole with each bound; the empty text gives false.
bool IsAlphabetic(const QString& character);
// The text up to, not including, its first NUL.
QString TerminateAtNull(const QString& text);
// TrimChars with blank and NUL.
QString TrimBlanks(QString& text);
// Strips every character of `chars` from both ends (in repeated passes, so
// the order of the set does not matter).
QString TrimChars(QString& text, const QString& chars);
// Cut to `length` characters (on the right whatever the side) or padded to it
// with the first character of `pad`: on the left when `side` is not 0, on the
// right when it is 0.  Raises 5 when padding is needed and `pad` is empty,
// or when `length` is negative.
QString PadChars(const QString& text, int16_t length, const QString& pad, int32_t side);
// The text from its first decimal digit on / up to its last decimal digit;
// empty without digits.
QString TruncToNum(QString text);
QString TruncFromNum(QString text);
// One Windows-1252 character per byte.  A zero byte is left out (skipNul),
// else becomes a blank (nulAsSpace), else stays a NUL character.
QString AsciiBytesToString(const QByteArray& bytes, bool skipNul, bool nulAsSpace);

// ---- Max, Min, Pause -------------------------------------------------------------

// a when a > b, else b (so b on a tie).
template <typename A, typename B>
auto Max(const A& a, const B& b) {
    using R = std::common_type_t<A, B>;
    return a > b ? R(a) : R(b);
}
// a when a < b, else b (so b on a tie).
template <typename A, typename B>
auto Min(const A& a, const B& b) {
    using R = std::common_type_t<A, B>;
    return a < b ? R(a) : R(b);
}
inline QString Max(const QString& a, const QString& b) { return a > b ? a : b; }
inline QString Min(const QString& a, const QString& b) { return a < b ? a : b; }

// Waits `seconds`, yielding to the event loop (at least once), and returns as
// soon as the time has passed or `abort` is true; `abort` is read after every
// yield, so an event handler that sets it ends the wait.  Measured on a
// monotonic clock (midnight and clock changes do not matter).
void Pause(float seconds, bool& abort);

// ---- binary and hexadecimal ------------------------------------------------------

// The text read as a binary number, most significant digit first; every
// character but "1" counts as 0.  Raises 6 at 2^31 or more.
int32_t Binary2Decimal(const QString& bits);
// Eight "0"/"1" characters per byte, most significant bit first.
QString BytesToBits(const QByteArray& bytes);
// The bytes read big-endian as a signed 32-bit number; raises 6 at 2^31 or more.
int32_t BytesToLong(const QByteArray& bytes);
// True when the text, less a leading "0x" (lower-case x), is not empty and
// holds only the digits 0-9 and the letters A-F in either case.
bool IsHex(const QString& text);
// Upper-case hexadecimal digits of `value` (a negative value gives its eight
// two's-complement digits), made exactly `digits` long by PadChars (zeros on
// the left; a longer text keeps its first digits), "0x" in front with `prefix`.
QString ZHex(int32_t value, int16_t digits, bool prefix);
