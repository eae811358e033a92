// The ID3v1 genre table and the start-up sizing of the shared arrays.
#include "foundation/Genres.h"
#include "foundation/OptionRecords.h"
#include "foundation/ui/GenreCombo.h"

#include <QComboBox>
#include <gtest/gtest.h>

TEST(Genres, BothWaysOverTheWholeTable) {
    InitialiseArrays();
    ASSERT_EQ(gstrGenres.size(), kGenreCount);
    for (int i = 0; i < kGenreCount; ++i) {
        EXPECT_EQ(GetGenreFromID(static_cast<uint8_t>(i)), gstrGenres[i]);
        EXPECT_EQ(GetIDFromGenre(gstrGenres[i]), i) << gstrGenres[i].toStdString();
        EXPECT_EQ(GetIDFromGenre(gstrGenres[i].toUpper()), i);
        EXPECT_FALSE(gstrGenres[i].isEmpty());
        EXPECT_EQ(gstrGenres[i], gstrGenres[i].trimmed());
    }
    for (int b = kGenreCount; b <= 255; ++b) EXPECT_EQ(GetGenreFromID(static_cast<uint8_t>(b)), QString());
}

TEST(Genres, NamesAsTheTableSpellsThem) {
    struct {
        const char* name;
        uint8_t id;
    } cases[] = {
        {"Blues", 0},         {"rock", 17},           {"ROCK", 17},        {"Synthpop", 147},
        {"Phychedelic", 67},  {"Psychedelic", 255},   {"Psychedelic Rock", 93},
        {"AlternRock", 40},   {"Bebob", 85},          {"Humour", 100},     {"A Capella", 123},
        {"BritPop", 132},     {"JPop", 146},          {"R&B", 14},         {"Rock & Roll", 78},
        {"Top 40", 60},       {"Jazz+Funk", 29},      {"Pop/Punk", 62},    {"Drum & Bass", 127},
        {"", 255},            {" Rock", 255},         {"Rock ", 255},      {"Blues|Classic Rock", 255},
    };
    for (const auto& c : cases) EXPECT_EQ(GetIDFromGenre(c.name), c.id) << c.name;
    EXPECT_EQ(GetGenreFromID(0), QStringLiteral("Blues"));
    EXPECT_EQ(GetGenreFromID(147), QStringLiteral("Synthpop"));
    EXPECT_EQ(GetGenreFromID(255), QString());
}

TEST(Genres, ComboBoxItems) {
    QComboBox plain;
    GenresIntoComboBox(&plain, false);
    ASSERT_EQ(plain.count(), 148);
    EXPECT_EQ(plain.itemText(0), QStringLiteral("Blues"));
    EXPECT_EQ(plain.itemText(147), QStringLiteral("Synthpop"));

    QComboBox withBlank;
    GenresIntoComboBox(&withBlank, true);
    ASSERT_EQ(withBlank.count(), 149);
    EXPECT_EQ(withBlank.itemText(0), QString());
    EXPECT_EQ(withBlank.itemText(1), QStringLiteral("Blues"));

    EXPECT_EQ(GenreComboItems(true).size(), 149);
}

TEST(Genres, InitialiseArraysLeavesOneEmptyElementEach) {
    std::vector<ScanRule>& scanRules = Options().ScanningCentre.udtScanRules;
    std::vector<SimulateRule>& simulateRules = Options().Coordinator.udtSimulateRules;
    scanRules.assign(4, ScanRule{"Only include files", "equal to", "x", "in File Name", true});
    simulateRules.assign(3, SimulateRule{"Only include", "up to", 2, 3, "character"});
    InitialiseArrays();
    ASSERT_EQ(scanRules.size(), 1u);
    EXPECT_TRUE(scanRules[0].Choice.isEmpty() && scanRules[0].Filter.isEmpty());
    EXPECT_FALSE(scanRules[0].CaseSensitive);
    ASSERT_EQ(simulateRules.size(), 1u);
    EXPECT_EQ(simulateRules[0].Point1, 0);
    EXPECT_TRUE(simulateRules[0].Range.isEmpty());
}
