#include "coordinator/CoordinatorDialogSettings.h"

#include "foundation/Errors.h"
#include "foundation/Genres.h"
#include "foundation/StoredValues.h"
#include "foundation/SettingsStore.h"

namespace {

// ---- advanced options -------------------------------------------------------------

const QString kCoordinator = QStringLiteral("FileNameTagCoordinator");
const QString kCSWFrom = QStringLiteral("CSWFrom");
const QString kCSWTo = QStringLiteral("CSWTo");
const QString kSpecialWords = QStringLiteral("SpecialWordsFormat");
const QString kNoWords = QStringLiteral("0");  // a special word list's count when none is stored
const QString kTrackNumLimitKey = QStringLiteral("TrackNumLimit");
const QString kDefaultTrackNumLimit = QStringLiteral("30");

using Adv = FileNameTagCoordAdvSettings;

const char* const kNames[2] = {"Artist", "Title"};

// The keys and defaults of this group are written once, here: both the
// dialog's record and the program's record (CoordinatorAdvOptions, read by
// GetFileNameTagCoordinatorAdvOptions) go by these tables.
using Program = CoordinatorAdvOptions;

// The case options of one name, in reading order.
struct CaseOption {
    const char* key;
    std::array<bool, 2> Adv::*option;
    bool on;
    std::array<bool, 2> Program::*programOption;
};
const CaseOption kCaseOptions[] = {
    {"UpperCase", &Adv::OptionAllUppercase, false, &Program::blnUpperCase},
    {"LowerCase", &Adv::OptionAllLowercase, false, &Program::blnLowerCase},
    {"Capitalise", &Adv::OptionCapitaliseEachWord, true, &Program::blnCapitalise},
    {"DontChange", &Adv::OptionDontChange, false, &Program::blnDontChange},
};
// Each name's "RemoveUnder" check.
const char* const kRemoveUnderKey = "RemoveUnder";
constexpr bool kRemoveUnderOn = true;

// The checks after the special words, in reading order.
struct CheckEntry {
    const char* key;
    bool on;
    bool Adv::*check;
    bool Program::*programOption;
};
const CheckEntry kChecks[] = {
    {"TheAtEnd", false, &Adv::CheckTheAtEnd, &Program::blnTheAtEnd},
    {"RemoveDoubleSpaces", true, &Adv::CheckRemoveDoubleSpaces, &Program::blnRemoveDoubleSpaces},
    {"RigorousTrackNum", true, &Adv::CheckRigorousTrackNum, &Program::blnRigorousTrackNum},
};

struct ColourEntry {
    const char* key;
    const char* defaultText;
    int32_t Program::*programColour;
};
const ColourEntry kColours[4] = {
    {"ColourChange", "&H80000008", &Program::lngColourChange},
    {"ColourChangeQ", "&H00C00000", &Program::lngColourChangeQ},
    {"ColourNoChange", "&H00808080", &Program::lngColourNoChange},
    {"ColourDelete", "&H000000C0", &Program::lngColourDelete},
};

QString readText(const QString& section, const QString& key, const QString& defaultText = QString()) {
    return GetOptionSetting(section, key, defaultText, SettingType::String).toString();
}
bool readBool(const QString& section, const QString& key, bool defaultValue) {
    return GetOptionSetting(section, key, Stored::TruthText(defaultValue), SettingType::Boolean).toBool();
}
int readInteger(const QString& section, const QString& key, const QString& defaultText) {
    return GetOptionSetting(section, key, defaultText, SettingType::Integer).toInt();
}
int32_t readLong(const QString& section, const QString& key, const QString& defaultText) {
    return GetOptionSetting(section, key, defaultText, SettingType::Long).toInt();
}

QString NameKey(int name, const char* what) { return QLatin1String(kNames[name]) + QLatin1String(what); }

// ---- override tool ------------------------------------------------------------------

const QString kOverride = QStringLiteral("MassTaggingOverrideTool");

using Mass = MassTaggingOverrideToolSettings;

// One field: its key after "ID3v1"/"ID3v2", its value (none for the ID3v1
// genre, a list position) and its check.
struct OverrideField {
    const char* key;
    QString Mass::*value;
    bool Mass::*check;
};
const OverrideField kID3v1Fields[] = {
    {"Artist", &Mass::TextID3v1Artist, &Mass::CheckID3v1Artist},
    {"Title", &Mass::TextID3v1Title, &Mass::CheckID3v1Title},
    {"Album", &Mass::TextID3v1Album, &Mass::CheckID3v1Album},
    {"Year", &Mass::TextID3v1Year, &Mass::CheckID3v1Year},
    {"Genre", nullptr, &Mass::CheckID3v1Genre},
    {"Comment", &Mass::TextID3v1Comment, &Mass::CheckID3v1Comment},
};
const OverrideField kID3v2Fields[] = {
    {"Track", &Mass::TextID3v2Track, &Mass::CheckID3v2Track},
    {"Artist", &Mass::TextID3v2Artist, &Mass::CheckID3v2Artist},
    {"Title", &Mass::TextID3v2Title, &Mass::CheckID3v2Title},
    {"Album", &Mass::TextID3v2Album, &Mass::CheckID3v2Album},
    {"Year", &Mass::TextID3v2Year, &Mass::CheckID3v2Year},
    {"Genre", &Mass::ComboID3v2Genre, &Mass::CheckID3v2Genre},
    {"Comment", &Mass::TextID3v2Comment, &Mass::CheckID3v2Comment},
    {"Composer", &Mass::TextID3v2Composer, &Mass::CheckID3v2Composer},
    {"OrigArtist", &Mass::TextID3v2OrigArtist, &Mass::CheckID3v2OrigArtist},
    {"Copyright", &Mass::TextID3v2Copyright, &Mass::CheckID3v2Copyright},
    {"URL", &Mass::TextID3v2URL, &Mass::CheckID3v2URL},
    {"Encodedby", &Mass::TextID3v2Encodedby, &Mass::CheckID3v2Encodedby},
};

QString ValueKey(const char* tag, const OverrideField& field) { return QLatin1String(tag) + QLatin1String(field.key); }
QString CheckKey(const char* tag, const OverrideField& field) {
    return QStringLiteral("Override") + ValueKey(tag, field);
}

template <size_t N>
void ReadValues(Mass& s, const char* tag, const OverrideField (&fields)[N]) {
    for (const OverrideField& f : fields) {
        if (f.value) {
            s.*f.value = Stored::Text(kOverride, ValueKey(tag, f));
            continue;
        }
        // The genre box holds the empty entry and the genres; it refuses
        // any other position.
        s.ComboID3v1Genre = Stored::IntegerIn(kOverride, ValueKey(tag, f), QStringLiteral("0"), -1, kGenreCount);
    }
}
template <size_t N>
void ReadChecks(Mass& s, const char* tag, const OverrideField (&fields)[N]) {
    for (const OverrideField& f : fields) s.*f.check = Stored::Check(kOverride, CheckKey(tag, f), QStringLiteral("0"));
}
template <size_t N>
void WriteValues(const Mass& s, const char* tag, const OverrideField (&fields)[N]) {
    for (const OverrideField& f : fields) {
        if (f.value) Stored::SaveText(kOverride, ValueKey(tag, f), s.*f.value);
        else Stored::SaveInteger(kOverride, ValueKey(tag, f), s.ComboID3v1Genre);
    }
}
template <size_t N>
void WriteChecks(const Mass& s, const char* tag, const OverrideField (&fields)[N]) {
    for (const OverrideField& f : fields) Stored::SaveCheck(kOverride, CheckKey(tag, f), s.*f.check);
}

}  // namespace

// ---- advanced options -------------------------------------------------------------

FileNameTagCoordAdvSettings::FileNameTagCoordAdvSettings() : TextTrackNumLimit(kDefaultTrackNumLimit) {
    for (int name = 0; name < 2; ++name) {
        for (const CaseOption& option : kCaseOptions) (this->*option.option)[name] = option.on;
        CheckRemoveUnderscores[name] = kRemoveUnderOn;
    }
    for (const CheckEntry& c : kChecks) this->*c.check = c.on;
    for (int c = 0; c < 4; ++c)
        PictureColour[c] = static_cast<int32_t>(LenientNumber(QLatin1String(kColours[c].defaultText)));
}

void GetFileNameTagCoordinatorAdvOptions(CoordinatorAdvOptions& o) {
    WithTrail(QStringLiteral("GetFileNameTagCoordinatorAdvOptions"), [&] {
        for (int t = 0; t < 2; ++t) {
            for (const CaseOption& option : kCaseOptions)
                (o.*option.programOption)[t] = readBool(kCoordinator, NameKey(t, option.key), option.on);
            o.blnRemoveUnder[t] = readBool(kCoordinator, NameKey(t, kRemoveUnderKey), kRemoveUnderOn);
        }

        for (size_t i = 0; i < o.strCSWFrom.size(); ++i) {
            o.strCSWFrom[i] = readText(kCSWFrom, QString::number(i));
            o.strCSWTo[i] = readText(kCSWTo, QString::number(i));
        }

        // List L = 3 x target + kind; read kind by kind, Artist before Title.
        std::array<int, 2>* counts[3] = {&o.intNumUpperCaseWords, &o.intNumLowerCaseWords, &o.intNumCapitalisedWords};
        for (int kind = 0; kind < 3; ++kind) {
            for (int target = 0; target < 2; ++target) {
                const int list = 3 * target + kind;
                const int count = readInteger(kSpecialWords, QString::number(list), kNoWords);
                (*counts[kind])[target] = count;
                SpecialWordLists& lists = o.udtSpecialWords[target];
                std::vector<QString>& words = kind == 0   ? lists.UpperCase
                                              : kind == 1 ? lists.LowerCase
                                                          : lists.Capitalised;
                if (count <= 0) continue;  // the old words stay; the count says none apply
                words.resize(static_cast<size_t>(count));
                for (int n = 1; n <= count; ++n)
                    words[static_cast<size_t>(n - 1)] =
                        readText(kSpecialWords, QString::number(list) + QString::number(n));
            }
        }

        for (const CheckEntry& c : kChecks) o.*c.programOption = readBool(kCoordinator, QLatin1String(c.key), c.on);
        for (const ColourEntry& c : kColours)
            o.*c.programColour = readLong(kCoordinator, QLatin1String(c.key), QLatin1String(c.defaultText));
        o.intTrackNumLimit = readInteger(kCoordinator, kTrackNumLimitKey, kDefaultTrackNumLimit);
    });
}

void FileNameTagCoordAdvSettings::Read() {
    // Reading appends to the lists: a reading that starts again after a
    // refused value got its default back starts from what they held.
    const std::array<QStringList, 6> lists = ListSpecialWordsFormat;
    WithTrail(QStringLiteral("ReadFileNameTagCoordinatorAdvSettings"), [&] {
        ReadToTheEnd([&] {
            ListSpecialWordsFormat = lists;
            for (int name = 0; name < 2; ++name) {
                for (const CaseOption& option : kCaseOptions) {
                    const bool value =
                        Stored::Truth(kCoordinator, NameKey(name, option.key), Stored::TruthText(option.on));
                    if (value)
                        for (const CaseOption& other : kCaseOptions) (this->*other.option)[name] = false;
                    (this->*option.option)[name] = value;
                }
                CheckRemoveUnderscores[name] =
                    Stored::Check(kCoordinator, NameKey(name, kRemoveUnderKey), Stored::CheckText(kRemoveUnderOn));
            }
            for (int n = 0; n < 14; ++n) {
                TextChangeSpecialWordFrom[n] = Stored::Text(kCSWFrom, QString::number(n));
                TextChangeSpecialWordTo[n] = Stored::Text(kCSWTo, QString::number(n));
            }
            for (int list = 0; list < 6; ++list) {
                const QString countKey = QString::number(list);
                const int count = Stored::Integer(kSpecialWords, countKey, kNoWords);
                for (int i = 1; i <= count; ++i)
                    ListSpecialWordsFormat[list].append(Stored::Text(kSpecialWords, countKey + QString::number(i)));
            }
            for (const CheckEntry& c : kChecks)
                this->*c.check = Stored::Check(kCoordinator, QLatin1String(c.key), Stored::CheckText(c.on));
            for (int c = 0; c < 4; ++c)
                PictureColour[c] =
                    Stored::Long(kCoordinator, QLatin1String(kColours[c].key), QLatin1String(kColours[c].defaultText));
            TextTrackNumLimit = Stored::Text(kCoordinator, kTrackNumLimitKey, kDefaultTrackNumLimit);
        });
    });
}

void FileNameTagCoordAdvSettings::Write() const {
    WithTrail(QStringLiteral("WriteFileNameTagCoordinatorAdvOptionsSettings"), [&] {
        for (int name = 0; name < 2; ++name) {
            for (const CaseOption& option : kCaseOptions)
                Stored::SaveTruth(kCoordinator, NameKey(name, option.key), (this->*option.option)[name]);
            Stored::SaveCheck(kCoordinator, NameKey(name, kRemoveUnderKey), CheckRemoveUnderscores[name]);
        }
        for (int n = 0; n < 14; ++n) {
            Stored::SaveText(kCSWFrom, QString::number(n), TextChangeSpecialWordFrom[n]);
            Stored::SaveText(kCSWTo, QString::number(n), TextChangeSpecialWordTo[n]);
        }
        // Keys of entries beyond a shortened list stay; the count says how
        // many are read.
        for (int list = 0; list < 6; ++list) {
            const QString countKey = QString::number(list);
            const QStringList& words = ListSpecialWordsFormat[list];
            Stored::SaveInteger(kSpecialWords, countKey, static_cast<int32_t>(words.size()));
            for (qsizetype i = 0; i < words.size(); ++i)
                Stored::SaveText(kSpecialWords, countKey + QString::number(i + 1), words.at(i));
        }
        for (const CheckEntry& c : kChecks) Stored::SaveCheck(kCoordinator, QLatin1String(c.key), this->*c.check);
        for (int c = 0; c < 4; ++c) Stored::SaveInteger(kCoordinator, QLatin1String(kColours[c].key), PictureColour[c]);
        Stored::SaveText(kCoordinator, kTrackNumLimitKey, TextTrackNumLimit);
    });
}

// ---- override tool ------------------------------------------------------------------

void MassTaggingOverrideToolSettings::Read() {
    WithTrail(QStringLiteral("ReadMassTaggingOverrideToolSettings"), [&] {
        ReadToTheEnd([&] {
            CheckID3v1Tag = Stored::Check(kOverride, QStringLiteral("OverrideID3v1Tag"), QStringLiteral("0"));
            ReadValues(*this, "ID3v1", kID3v1Fields);
            ReadChecks(*this, "ID3v1", kID3v1Fields);
            ReadValues(*this, "ID3v2", kID3v2Fields);
            CheckID3v2Tag = Stored::Check(kOverride, QStringLiteral("OverrideID3v2Tag"), QStringLiteral("0"));
            ReadChecks(*this, "ID3v2", kID3v2Fields);
        });
    });
}

void MassTaggingOverrideToolSettings::Write() const {
    WithTrail(QStringLiteral("WriteMassTaggingOverrideToolSettings"), [&] {
        Stored::SaveCheck(kOverride, QStringLiteral("OverrideID3v1Tag"), CheckID3v1Tag);
        WriteValues(*this, "ID3v1", kID3v1Fields);
        WriteChecks(*this, "ID3v1", kID3v1Fields);
        Stored::SaveCheck(kOverride, QStringLiteral("OverrideID3v2Tag"), CheckID3v2Tag);
        WriteValues(*this, "ID3v2", kID3v2Fields);
        WriteChecks(*this, "ID3v2", kID3v2Fields);
    });
}
