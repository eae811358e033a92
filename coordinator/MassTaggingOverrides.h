#pragma once
// The mass tagging override set: for each tag version a "Tag en masse"
// switch, a "Remove" switch and, per field, a tick and the value to write.
// One model holds it for the whole program; the override tool window edits
// it, and Apply, the confirmation dialog and the coordinator's indicator read
// it (Apply takes a copy for its run, as the controls are off meanwhile).
//
// The rules every reader follows are here: a field override is in force when
// its tick and its group's "Tag en masse" are both on; a "Remove" likewise
// counts only while its group's "Tag en masse" is on, so a group switched off
// changes nothing in any file.
//
// Field order is the order the confirmation dialog lists them in (ID3v1:
// track, title, artist, album, year, genre, comment; ID3v2 adds composer,
// original artist, copyright, URL and encoded by).  Values are kept exactly as
// typed; the ID3v1 genre is its name ("" for none).

#include "coordinator/CoordinatorDialogSettings.h"

#include <QObject>
#include <QString>
#include <array>

namespace V1Field {
enum : int { Track, Title, Artist, Album, Year, Genre, Comment, Count };
}
namespace V2Field {
enum : int { Track, Title, Artist, Album, Year, Genre, Comment, Composer, OrigArtist, Copyright, URL, EncodedBy, Count };
}

struct MassOverrideField {
    bool checked = false;
    QString value;
    bool operator==(const MassOverrideField&) const = default;
};

struct MassTaggingOverrides {
    bool id3v1Tag = false, id3v1Remove = false;
    bool id3v2Tag = false, id3v2Remove = false;
    std::array<MassOverrideField, V1Field::Count> id3v1;
    std::array<MassOverrideField, V2Field::Count> id3v2;

    bool id3v1InForce(int field) const { return id3v1Tag && id3v1[size_t(field)].checked; }
    bool id3v2InForce(int field) const { return id3v2Tag && id3v2[size_t(field)].checked; }
    bool id3v1RemoveInForce() const { return id3v1Tag && id3v1Remove; }
    bool id3v2RemoveInForce() const { return id3v2Tag && id3v2Remove; }
    // A field override in force in either group (the coordinator's notice).
    bool anyFieldInForce() const;
    bool operator==(const MassTaggingOverrides&) const = default;
};

// The stored form: what the settings keep (not the ID3v1 track, its tick or
// the two Remove switches).  The ID3v1 genre is stored as its position in the
// tool's list (`genreItems`: the blank entry, then the names as listed).
MassTaggingOverrideToolSettings ToStoredSettings(const MassTaggingOverrides& set, const QStringList& genreItems);
// The set a stored record restores, with the fields that are not stored as
// `kept` has them.  A position outside the list gives the blank genre.
MassTaggingOverrides FromStoredSettings(const MassTaggingOverrideToolSettings& stored, const QStringList& genreItems,
                                        const MassTaggingOverrides& kept = {});
// The ID3v1 genre list of the tool: the blank entry, then the genre names in
// alphabetical order.
const QStringList& MassTaggingGenreItems();

class MassTaggingModel : public QObject {
    Q_OBJECT
public:
    explicit MassTaggingModel(QObject* parent = nullptr) : QObject(parent) {}

    const MassTaggingOverrides& values() const { return m_values; }
    void setValues(const MassTaggingOverrides& values);
    void setID3v1Tag(bool on);
    void setID3v2Tag(bool on);
    void setID3v1Remove(bool on);
    void setID3v2Remove(bool on);
    void setID3v1Checked(int field, bool checked);
    void setID3v2Checked(int field, bool checked);
    // A new value ticks its field: typing puts an override in force, also
    // when the value becomes empty.
    void setID3v1Value(int field, const QString& value);
    void setID3v2Value(int field, const QString& value);
    // Back to a fresh set (nothing ticked, every value empty).
    void reset() { setValues({}); }

signals:
    void changed();

private:
    MassTaggingOverrides m_values;
};

// The program's one override set.
MassTaggingModel& MassTagging();
