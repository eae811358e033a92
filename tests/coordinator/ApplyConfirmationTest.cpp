// What the Apply Changes dialog lists: which kinds of change, their texts
// joined from the table's pieces, and where each row stands.

#include "coordinator/ApplyConfirmation.h"
#include "foundation/ResourceStrings.h"

#include <gtest/gtest.h>

namespace {

std::vector<int> Indices(const std::vector<ConfirmationRow>& rows) {
    std::vector<int> out;
    for (const ConfirmationRow& r : rows) out.push_back(r.index);
    return out;
}

QString Text(int32_t id) { return GetResourceString(id); }

TEST(ApplyConfirmation, OnlyTheFileNameSwitchGivesOneRowAtTheTop) {
    ApplyConfirmationInput in;
    in.changeFileName = true;
    const auto rows = ApplyConfirmationRows(in);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].index, ConfirmRow::FileName);
    EXPECT_EQ(rows[0].caption, "All file names to be changed according to the 'New File Name' column in the "
                               "Simulate Results table.");
    EXPECT_EQ(rows[0].top, 840);
    EXPECT_TRUE(ApplyConfirmationRows({}).empty());
}

TEST(ApplyConfirmation, TheTagSwitchNamesTheColumnsNoOverrideTakes) {
    struct Case {
        std::vector<int> ticked;  // ID3v1 track, title, artist, album overrides
        bool groupOn;
        QString columns;
    };
    const std::vector<Case> cases = {
        {{V1Field::Track, V1Field::Title}, true, "'Artist', 'Album' columns in the Simulate Results table."},
        {{V1Field::Track, V1Field::Title, V1Field::Artist}, true, "'Album' column in the Simulate Results table."},
        {{V1Field::Track, V1Field::Title}, false,
         "'Track', 'Title', 'Artist', 'Album' columns in the Simulate Results table."},
    };
    for (const Case& c : cases) {
        ApplyConfirmationInput in;
        in.changeID3v1Tag = true;
        in.overrides.id3v1Tag = c.groupOn;
        for (int f : c.ticked) in.overrides.id3v1[size_t(f)] = {true, QStringLiteral("v%1").arg(f)};
        const auto rows = ApplyConfirmationRows(in);
        ASSERT_FALSE(rows.empty());
        EXPECT_EQ(rows.back().index, ConfirmRow::ID3v1Table);
        EXPECT_EQ(rows.back().caption, "All ID3v1 Tags to be changed according to the " + c.columns);
        EXPECT_EQ(int(rows.size()), c.groupOn ? int(c.ticked.size()) + 1 : 1);
    }
    // The override rows: the value between quotation marks.
    ApplyConfirmationInput in;
    in.overrides.id3v1Tag = true;
    in.overrides.id3v1[V1Field::Track] = {true, QStringLiteral("5")};
    in.overrides.id3v1[V1Field::Title] = {true, QStringLiteral("Hello")};
    const auto rows = ApplyConfirmationRows(in);
    ASSERT_EQ(Indices(rows), (std::vector<int>{0, 1}));
    EXPECT_EQ(rows[0].caption, "All ID3v1 Tags to be updated with \"5\" in the Track field.");
    EXPECT_EQ(rows[1].caption, "All ID3v1 Tags to be updated with \"Hello\" in the Title field.");
}

TEST(ApplyConfirmation, RowsStandWhereTheDialogPutsThem) {
    // Every override in force and the file-name switch: rows 0 to 19.
    ApplyConfirmationInput in;
    in.overrides.id3v1Tag = in.overrides.id3v2Tag = true;
    for (auto& f : in.overrides.id3v1) f.checked = true;
    for (auto& f : in.overrides.id3v2) f.checked = true;
    in.changeFileName = true;
    // With all four of a tag's columns overridden its switch takes nothing
    // from the table, so it is not listed.
    in.changeID3v1Tag = in.changeID3v2Tag = true;
    auto rows = ApplyConfirmationRows(in);
    ASSERT_EQ(rows.size(), 20u);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(rows[size_t(i)].index, i);
    EXPECT_EQ(rows[17].top, 840 + 17 * 240);
    EXPECT_EQ(rows[18].top, 5160);
    EXPECT_EQ(rows[19].top, 5640);
    EXPECT_EQ(rows[18].height, 255);
    EXPECT_EQ(rows[19].height, 492);
    EXPECT_EQ(ApplyConfirmationHeight(rows), 5640 + 492 + 1020);

    // The three switches alone: two-line rows 480 apart.
    ApplyConfirmationInput switches;
    switches.changeFileName = switches.changeID3v1Tag = switches.changeID3v2Tag = true;
    rows = ApplyConfirmationRows(switches);
    ASSERT_EQ(Indices(rows), (std::vector<int>{19, 20, 21}));
    EXPECT_EQ(rows[1].top, 1320);
    EXPECT_EQ(rows[2].top, 1800);
    EXPECT_EQ(ApplyConfirmationHeight(rows), 1800 + 492 + 1020);
}

TEST(ApplyConfirmation, RemovalsAndDeletionsAreListedAndOverridesOfAGroupSwitchedOffAreNot) {
    ApplyConfirmationInput in;
    in.changeID3v1Tag = true;
    in.overrides.id3v1Remove = true;  // group off: no removal, the switch stays
    in.overrides.id3v2[V2Field::Title] = {true, QStringLiteral("x")};  // group off: no row
    EXPECT_EQ(Indices(ApplyConfirmationRows(in)), (std::vector<int>{ConfirmRow::ID3v1Table}));

    in.overrides.id3v1Tag = true;  // now the tag goes: no row 20, a removal row
    in.deleteRows = 3;
    const auto rows = ApplyConfirmationRows(in);
    EXPECT_EQ(Indices(rows), (std::vector<int>{ConfirmRow::RemoveID3v1, ConfirmRow::DeleteFiles}));
    EXPECT_EQ(rows[0].caption, Text(TextId::ApplyChanges::RemoveAllID3v1Tags));
    EXPECT_EQ(rows[1].caption, Text(TextId::ApplyChanges::DeleteMarkedFiles));
    in.useRecycleBin = true;
    EXPECT_EQ(ApplyConfirmationRows(in).back().caption, Text(TextId::ApplyChanges::RecycleMarkedFiles));

    // A delete-only Apply has something to confirm.
    ApplyConfirmationInput deletesOnly;
    deletesOnly.deleteRows = 1;
    EXPECT_EQ(Indices(ApplyConfirmationRows(deletesOnly)), (std::vector<int>{ConfirmRow::DeleteFiles}));
}

}  // namespace
