#include "coordinator/MassTaggingOverrides.h"

#include "foundation/Genres.h"

#include <algorithm>

bool MassTaggingOverrides::anyFieldInForce() const {
    for (int f = 0; f < V1Field::Count; ++f)
        if (id3v1InForce(f)) return true;
    for (int f = 0; f < V2Field::Count; ++f)
        if (id3v2InForce(f)) return true;
    return false;
}

const QStringList& MassTaggingGenreItems() {
    static const QStringList items = [] {
        QStringList names = GenreComboItems(false);
        std::stable_sort(names.begin(), names.end(),
                         [](const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) < 0; });
        names.prepend(QString());
        return names;
    }();
    return items;
}

namespace {

using Mass = MassTaggingOverrideToolSettings;

// The stored fields of each group, by field index (nullptr: not stored).
struct StoredField {
    QString Mass::*value;
    bool Mass::*check;
};
const StoredField kV1[V1Field::Count] = {
    {nullptr, nullptr},  // the track is not kept
    {&Mass::TextID3v1Title, &Mass::CheckID3v1Title},
    {&Mass::TextID3v1Artist, &Mass::CheckID3v1Artist},
    {&Mass::TextID3v1Album, &Mass::CheckID3v1Album},
    {&Mass::TextID3v1Year, &Mass::CheckID3v1Year},
    {nullptr, &Mass::CheckID3v1Genre},  // a list position
    {&Mass::TextID3v1Comment, &Mass::CheckID3v1Comment},
};
const StoredField kV2[V2Field::Count] = {
    {&Mass::TextID3v2Track, &Mass::CheckID3v2Track},
    {&Mass::TextID3v2Title, &Mass::CheckID3v2Title},
    {&Mass::TextID3v2Artist, &Mass::CheckID3v2Artist},
    {&Mass::TextID3v2Album, &Mass::CheckID3v2Album},
    {&Mass::TextID3v2Year, &Mass::CheckID3v2Year},
    {&Mass::ComboID3v2Genre, &Mass::CheckID3v2Genre},
    {&Mass::TextID3v2Comment, &Mass::CheckID3v2Comment},
    {&Mass::TextID3v2Composer, &Mass::CheckID3v2Composer},
    {&Mass::TextID3v2OrigArtist, &Mass::CheckID3v2OrigArtist},
    {&Mass::TextID3v2Copyright, &Mass::CheckID3v2Copyright},
    {&Mass::TextID3v2URL, &Mass::CheckID3v2URL},
    {&Mass::TextID3v2Encodedby, &Mass::CheckID3v2Encodedby},
};

}  // namespace

MassTaggingOverrideToolSettings ToStoredSettings(const MassTaggingOverrides& set, const QStringList& genreItems) {
    Mass stored;
    stored.CheckID3v1Tag = set.id3v1Tag;
    stored.CheckID3v2Tag = set.id3v2Tag;
    for (int f = 0; f < V1Field::Count; ++f) {
        if (kV1[f].value) stored.*kV1[f].value = set.id3v1[size_t(f)].value;
        if (kV1[f].check) stored.*kV1[f].check = set.id3v1[size_t(f)].checked;
    }
    const qsizetype genre = genreItems.indexOf(set.id3v1[V1Field::Genre].value);
    stored.ComboID3v1Genre = genre < 0 ? 0 : int(genre);
    for (int f = 0; f < V2Field::Count; ++f) {
        stored.*kV2[f].value = set.id3v2[size_t(f)].value;
        stored.*kV2[f].check = set.id3v2[size_t(f)].checked;
    }
    return stored;
}

MassTaggingOverrides FromStoredSettings(const MassTaggingOverrideToolSettings& stored, const QStringList& genreItems,
                                        const MassTaggingOverrides& kept) {
    MassTaggingOverrides set = kept;
    set.id3v1Tag = stored.CheckID3v1Tag;
    set.id3v2Tag = stored.CheckID3v2Tag;
    for (int f = 0; f < V1Field::Count; ++f) {
        if (kV1[f].value) set.id3v1[size_t(f)].value = stored.*kV1[f].value;
        if (kV1[f].check) set.id3v1[size_t(f)].checked = stored.*kV1[f].check;
    }
    const int genre = stored.ComboID3v1Genre;
    set.id3v1[V1Field::Genre].value = genre >= 0 && genre < genreItems.size() ? genreItems.at(genre) : QString();
    for (int f = 0; f < V2Field::Count; ++f) {
        set.id3v2[size_t(f)].value = stored.*kV2[f].value;
        set.id3v2[size_t(f)].checked = stored.*kV2[f].check;
    }
    return set;
}

void MassTaggingModel::setValues(const MassTaggingOverrides& values) {
    if (values == m_values) return;
    m_values = values;
    emit changed();
}

namespace {
template <typename T>
bool Assign(T& slot, const T& value) {
    if (slot == value) return false;
    slot = value;
    return true;
}
}  // namespace

void MassTaggingModel::setID3v1Tag(bool on) {
    if (Assign(m_values.id3v1Tag, on)) emit changed();
}
void MassTaggingModel::setID3v2Tag(bool on) {
    if (Assign(m_values.id3v2Tag, on)) emit changed();
}
void MassTaggingModel::setID3v1Remove(bool on) {
    if (Assign(m_values.id3v1Remove, on)) emit changed();
}
void MassTaggingModel::setID3v2Remove(bool on) {
    if (Assign(m_values.id3v2Remove, on)) emit changed();
}
void MassTaggingModel::setID3v1Checked(int field, bool checked) {
    if (Assign(m_values.id3v1.at(size_t(field)).checked, checked)) emit changed();
}
void MassTaggingModel::setID3v2Checked(int field, bool checked) {
    if (Assign(m_values.id3v2.at(size_t(field)).checked, checked)) emit changed();
}
void MassTaggingModel::setID3v1Value(int field, const QString& value) {
    MassOverrideField& f = m_values.id3v1.at(size_t(field));
    if (Assign(f.value, value) | Assign(f.checked, true)) emit changed();
}
void MassTaggingModel::setID3v2Value(int field, const QString& value) {
    MassOverrideField& f = m_values.id3v2.at(size_t(field));
    if (Assign(f.value, value) | Assign(f.checked, true)) emit changed();
}

MassTaggingModel& MassTagging() {
    static MassTaggingModel* model = new MassTaggingModel;
    return *model;
}
