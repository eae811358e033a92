#pragma once
// The steps of the file-name derivation, each a pure function of its inputs
// and of DerivationSettings (the coordinator's two option records, compiled
// once per run): the simulate rules that cut a base name down, splitting a
// name into parts at the enabled separators, finding the track number,
// choosing album, artist and title among the parts and the tag values,
// formatting artist and title, and filling the file-name mask.
// SimulateChange.h strings them together for one results row; the options
// dialogs may call single steps (FormatName) to show their effect.
//
// Positions in texts count from 1 where the user gives them (rule points);
// "character" means one UTF-16 unit.  Keyword and name comparisons ignore
// letter case; separator tests compare exactly.  Case changes map each
// character to exactly one character, so a name never changes length through
// them ("ß" stays "ß" in upper case).
//
// A step that cannot go on (a rule pointing before the start of the name, a
// field order without one of the three fields) raises an SvError with the
// step's name in its trail; nothing else is rejected.

#include "foundation/OptionRecords.h"

#include <QChar>
#include <QString>
#include <QStringView>
#include <array>
#include <cstdint>
#include <vector>

// The new-file-name mask worked out for one pattern of empty values: the
// mask's own text (already without the "%" signs and the characters no file
// name may hold) and the places of the values.
struct MaskPlan {
    enum Slot { Album, Track, Artist, Title, None };
    struct Piece {
        QString literal;   // with slot None
        Slot slot = None;
        bool twoDigits = false;  // the track, padded to two digits
    };
    std::vector<Piece> pieces;
};

// The option records in the form the derivation uses them.
struct DerivationSettings {
    // Separator characters that are enabled (exact comparison); a user
    // separator that is not one UTF-16 unit never matches.
    std::vector<QChar> separators;
    uint64_t asciiSeparators[2] = {0, 0};  // the same, as bits, for codes below 128
    bool doubleBarrel = true;
    bool id3v1TagPref = false;
    bool id3v2TagPref = false;
    std::array<QString, 3> order;  // Order1..Order3
    // The rules in force whose keywords are known, in order.
    struct Rule {
        enum class Choice { OnlyInclude, DontInclude } choice;
        enum class Range { UpTo, From, Between, OutsideOf } range;
        enum class Point { Character, Separator } point;
        int point1 = 0, point2 = 0;
    };
    std::vector<Rule> rules;
    QString mask;                     // the new-file-name mask
    // The mask's plan for each pattern of empty values: bit 0 album, 1 track,
    // 2 artist, 3 title set when that value is empty.
    std::array<MaskPlan, 16> maskPlans;
    bool rigorousTrackNum = true;
    int trackNumLimit = 30;  // 0: no limit

    enum class CaseStyle { Capitalise, Upper, Lower, Unchanged };
    struct NameFormat {
        CaseStyle caseStyle = CaseStyle::Unchanged;
        bool removeUnderscores = false;
        // Word replacement pairs in entry order (empty from-texts left out).
        std::vector<std::pair<QString, QString>> replacements;
        // The special words, as many of each list as its count says.
        std::vector<QString> upperWords, lowerWords, capitalisedWords;
    };
    std::array<NameFormat, 2> format;  // ArtistTarget, TitleTarget
    bool theAtEnd = false;
    bool removeDoubleSpaces = true;
};

DerivationSettings CompileDerivationSettings(const CoordinatorOptions& options, const CoordinatorAdvOptions& adv);

// ---- simulate rules ---------------------------------------------------------------

// The base name after every rule, in order.  Character rules keep or drop a
// range of characters; separator rules keep or drop parts (as DeriveNames and
// TrimDerivedNames give them) with their separator texts.  A rule whose
// keywords match nothing is skipped.  A rule that asks for a negative number
// of characters or a start before the first character raises error 5; a
// separator rule that asks for a part before the first raises error 9 (trail
// "ApplySimRules").
QString ApplySimRules(const QString& baseName, const DerivationSettings& settings);

// ---- parts and track number -------------------------------------------------------

// One part of a name, as views of the name it was cut from (the caller keeps
// that name alive and unchanged while it uses the parts): its text, and the
// separator and blank texts that trimming took off its front (Leading) and
// end (Trailing).  Straight from DeriveNames and TrimDerivedNames, the parts
// cover the name without gaps: Leading, Text, Trailing of the first part,
// then of the next, and so on.
struct NamePart {
    QStringView Leading;
    QStringView Text;
    QStringView Trailing;
};

// The base name cut after every separator (a hyphen inside a word does not
// cut while the double-barrel option is on).  A separator stays at the end of
// the part it closes; an empty name gives one empty part.
std::vector<NamePart> DeriveNames(QStringView baseName, const DerivationSettings& settings);

// Strips separators and blanks from both ends of every part's text (into its
// Leading and Trailing) and removes parts that become empty, unless only one
// part is left.  A removed part's text goes to the Trailing text of the part
// before it, or to the Leading text of the part after it when it was first,
// so the parts still cover the whole name and a rebuild keeps every
// separator.
void TrimDerivedNames(std::vector<NamePart>& parts, const DerivationSettings& settings);

// The number a text begins with: blanks skipped, an optional sign, digits
// with at most one decimal point (blanks between them skipped), rounded to a
// whole number, halves to the even neighbour.  No number, or one outside
// -32768..32767, gives 0.
int TrackValue(QStringView text);

// Finds the first part that gives a track number above 0 (and not above the
// limit, when there is one), records it and takes it out of the part; then
// falls back to the tags: the ID3v2 track (its cell text, read with
// TrackValue) and then the ID3v1 track, each when it is above 0 and its tag is
// preferred or no number was found yet.  A tag number of 0 or below is never
// taken.  Returns the track, 0 for none.
int FindTrackNumber(std::vector<NamePart>& parts, int id3v1Track, QStringView id3v2Track,
                    const DerivationSettings& settings);

// ---- field assignment -------------------------------------------------------------

// The row's tag values the assignment looks at (cell texts without blanks and
// NULs at their ends).
struct TagNames {
    QString ID3v1Title, ID3v1Artist, ID3v1Album;
    QString ID3v2Title, ID3v2Artist, ID3v2Album;
};

struct DerivedNames {
    QString Album, Artist, Title;
    bool Uncertain = false;  // shown as "Change ??"
    bool NoChange = false;   // shown as "No Change"
};

// The name value when it agrees with a tag value (ignoring case); else the
// preferred tag's value (ID3v1 with its preference on, else ID3v2), or the
// other tag's when that is empty.
QString ChooseID3Field(const QString& id3v1, const QString& id3v2, QStringView nameValue,
                       const DerivationSettings& settings);

// Album, artist and title from the trimmed parts (at least one) and the tag
// values, by the number of parts, the field order and the tag preference.  A
// three-part name with an order that lacks one of the fields raises error 9
// (trail "WorkOutDerivedNames").
DerivedNames WorkOutDerivedNames(const std::vector<NamePart>& parts, const TagNames& tags,
                                 const DerivationSettings& settings);

// ---- formatting and the new name --------------------------------------------------

// Artist (kind ArtistTarget) or title (TitleTarget) in its case style, with
// the word replacements and special words, underscores as blanks, a leading
// "The" moved to the end (artists, when set), double blanks collapsed and
// blanks at both ends removed.  The caller passes the name without blanks at
// its ends.
QString FormatName(const QString& name, int kind, const DerivationSettings& settings);

// The mask with its placeholders filled: "%L" album, "%N" and a width
// character the track ("2" pads one digit with a leading "0"; a bare "%N"
// counts as "%N1"), "%A" artist, "%T" title, each found ignoring case and
// filled once, in that order; a placeholder whose value is empty takes its
// section (from the ":" before it to the ":" after it) with it.  Only the
// mask's own text is read as mask: a value is never searched for
// placeholders or section marks, and keeps its "%" signs.  Then the
// characters no file name may hold (\ / : * ? " < > | and NUL) and the mask's
// own "%" signs are removed, every other control character (a TAB or a line
// break in a tag) becomes a blank, and blanks at both ends go.  The
// extension is not added here.
QString FillFileNameMask(const QString& mask, const QString& album, const QString& trackText,
                         const QString& artist, const QString& title);
// The same with the plans of a compiled mask.
QString FillFileNameMask(const std::array<MaskPlan, 16>& plans, const QString& album, const QString& trackText,
                         const QString& artist, const QString& title);
// The plans of `mask` (see DerivationSettings::maskPlans).
std::array<MaskPlan, 16> CompileMask(const QString& mask);

// The longest file name, in bytes of UTF-8.
constexpr qsizetype kMaxFileNameBytes = 255;

// True for a name a file can have in a folder: not empty, not "." or "..",
// no "/" or NUL, at most kMaxFileNameBytes bytes of UTF-8.
bool IsPlainFileName(QStringView name);
// True for a name Apply may rename a file to: a plain name that does not
// start with "." (that would hide the file, from the program's own scan too).
bool IsPlainNewFileName(QStringView name);
// Raises error 52, naming the name, when it is not plain.
void RequirePlainFileName(const QString& name);

// `stem` "." `extension` as a plain file name; when the whole is too long,
// the stem is shortened at a character boundary (blanks at its new end
// removed).  Raises error 52 when no plain name comes of it.
QString PlainFileName(const QString& stem, const QString& extension);
