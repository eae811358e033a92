#include "coordinator/ApplyConfirmation.h"

#include "foundation/ResourceStrings.h"

namespace {

constexpr double kFirstTop = 840, kLineHeight = 255, kTwoLineHeight = 492;

QString Text(int32_t id) { return GetResourceString(id); }

const int32_t kV1Endings[V1Field::Count] = {
    TextId::ApplyChanges::InTheTrackField, TextId::ApplyChanges::InTheTitleField,
    TextId::ApplyChanges::InTheArtistField, TextId::ApplyChanges::InTheAlbumField,
    TextId::ApplyChanges::InTheYearField, TextId::ApplyChanges::InTheGenreField,
    TextId::ApplyChanges::InTheCommentField,
};
const int32_t kV2Endings[V2Field::Count] = {
    TextId::ApplyChanges::InTheTrackField,     TextId::ApplyChanges::InTheTitleField,
    TextId::ApplyChanges::InTheArtistField,    TextId::ApplyChanges::InTheAlbumField,
    TextId::ApplyChanges::InTheYearField,      TextId::ApplyChanges::InTheGenreField,
    TextId::ApplyChanges::InTheCommentField,   TextId::ApplyChanges::InTheComposerField,
    TextId::ApplyChanges::InTheOrigArtistField, TextId::ApplyChanges::InTheCopyrightField,
    TextId::ApplyChanges::InTheURLField,       TextId::ApplyChanges::InTheEncodedByField,
};

// The columns a tag switch takes from the table: all four while the group
// is off, else those whose override is not ticked.
QString ColumnList(int32_t opening, bool groupOn, const std::array<bool, 4>& ticked) {
    static const char* const names[4] = {"'Track'", "'Title'", "'Artist'", "'Album'"};
    QStringList columns;
    for (int i = 0; i < 4; ++i)
        if (!groupOn || !ticked[size_t(i)]) columns << QLatin1String(names[i]);
    if (columns.isEmpty()) return {};
    return Text(opening) + columns.join(QStringLiteral(", ")) +
           Text(columns.size() >= 2 ? TextId::ApplyChanges::ColumnsInSimulateResults
                                    : TextId::ApplyChanges::ColumnInSimulateResults);
}

}  // namespace

std::vector<ConfirmationRow> ApplyConfirmationRows(const ApplyConfirmationInput& input) {
    std::vector<ConfirmationRow> rows;
    double top = kFirstTop;
    const auto add = [&](int index, const QString& caption) {
        const bool twoLines = index >= 19 && index <= 21;
        rows.push_back({index, caption, top, twoLines ? kTwoLineHeight : kLineHeight});
        top += index >= 18 && index <= 21 ? 480 : 240;
    };
    const MassTaggingOverrides& o = input.overrides;
    for (int f = 0; f < V1Field::Count; ++f)
        if (o.id3v1InForce(f))
            add(ConfirmRow::FirstID3v1 + f, Text(TextId::ApplyChanges::AllID3v1TagsUpdatedWith) +
                                                o.id3v1[size_t(f)].value + Text(kV1Endings[f]));
    for (int f = 0; f < V2Field::Count; ++f)
        if (o.id3v2InForce(f))
            add(ConfirmRow::FirstID3v2 + f, Text(TextId::ApplyChanges::AllID3v2TagsUpdatedWith) +
                                                o.id3v2[size_t(f)].value + Text(kV2Endings[f]));
    if (input.changeFileName) add(ConfirmRow::FileName, Text(TextId::ApplyChanges::AllFileNamesChanged));
    // A switch whose every column is overridden takes nothing from the
    // table: it is not listed.
    if (input.changeID3v1Tag && !o.id3v1RemoveInForce()) {
        const QString text = ColumnList(TextId::ApplyChanges::AllID3v1TagsChanged, o.id3v1Tag,
                                        {o.id3v1[V1Field::Track].checked, o.id3v1[V1Field::Title].checked,
                                         o.id3v1[V1Field::Artist].checked, o.id3v1[V1Field::Album].checked});
        if (!text.isEmpty()) add(ConfirmRow::ID3v1Table, text);
    }
    if (input.changeID3v2Tag && !o.id3v2RemoveInForce()) {
        const QString text = ColumnList(TextId::ApplyChanges::AllID3v2TagsChanged, o.id3v2Tag,
                                        {o.id3v2[V2Field::Track].checked, o.id3v2[V2Field::Title].checked,
                                         o.id3v2[V2Field::Artist].checked, o.id3v2[V2Field::Album].checked});
        if (!text.isEmpty()) add(ConfirmRow::ID3v2Table, text);
    }
    if (o.id3v1RemoveInForce()) add(ConfirmRow::RemoveID3v1, Text(TextId::ApplyChanges::RemoveAllID3v1Tags));
    if (o.id3v2RemoveInForce()) add(ConfirmRow::RemoveID3v2, Text(TextId::ApplyChanges::RemoveAllID3v2Tags));
    if (input.deleteRows > 0)
        add(ConfirmRow::DeleteFiles, Text(input.useRecycleBin ? TextId::ApplyChanges::RecycleMarkedFiles
                                                              : TextId::ApplyChanges::DeleteMarkedFiles));
    return rows;
}

double ApplyConfirmationHeight(const std::vector<ConfirmationRow>& rows) {
    if (rows.empty()) return 0;
    return rows.back().top + rows.back().height + 1020;
}
