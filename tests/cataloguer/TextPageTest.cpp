// The text page writer's parts: cells, the collection and list properties,
// page boundaries and Stop.

#include "CatalogueFixtures.h"
#include "cataloguer/TextCataloguePage.h"
#include "foundation/Errors.h"

#include <gtest/gtest.h>

namespace {

using namespace ScanColumn;

TEST(TextPage, CellsAreCutOrPaddedToTheirWidth) {
    struct Case {
        const char* text;
        int width;
        const char* cell;
    };
    const Case cases[] = {
        {"Artist", 10, "Artist    "},
        {"A longer title", 6, "A long"},
        {"", 3, "   "},
        {"exact", 5, "exact"},
        {"anything", 0, ""},
        {"J\u00f3ga", 4, "J\u00f3ga"},
        {"ab\U0001F3B5", 3, "ab "},  // never half a character
        {"ab\U0001F3B5", 4, "ab\U0001F3B5"},
        {"<b>&amp;", 8, "<b>&amp;"},  // raw
        {"line one\r\nline\ttwo", 20, "line one  line two  "},  // a row never splits
    };
    for (const Case& c : cases) EXPECT_EQ(TextCatalogueCell(QString::fromUtf8(c.text), c.width), c.cell) << c.text;
    EXPECT_THROW(TextCatalogueCell(QStringLiteral("x"), -1), SvError);
}

Catalogue WithSizes(std::initializer_list<std::pair<const char*, const char*>> sizesAndLengths) {
    std::vector<ScanRecord> entries;
    for (const auto& [size, ms] : sizesAndLengths)
        entries.push_back(EntryFrom({{Size, QString::fromUtf8(size)}, {LengthMs, QString::fromUtf8(ms)}}));
    return Catalogue(std::move(entries), CatalogueOutput::Text, 100);
}

TEST(TextPage, CollectionPropertiesTotalTheWholeCatalogue) {
    CataloguerTextOptions o = FirstRunTextOptions();
    struct Case {
        Catalogue catalogue;
        bool files, size, length;
        const char* expected;
    };
    std::vector<ScanRecord> many(120, EntryFrom({{LengthMs, "999"}}));
    const Case cases[] = {
        {WithSizes({{"3145728", "1000"}, {"524288", "2500"}}), true, true, true,
         "\t\t2 Files, 3.0MB, 00:00:03 Total Length"},
        {WithSizes({{"1048575", "0"}}), true, true, false, "\t\t1 Files, 0.0MB"},
        {WithSizes({{"1293942784", "0"}}), false, true, false, ", 1,234.0MB"},  // starts with ", " after the title
        {Catalogue(std::move(many), CatalogueOutput::Text, 100), false, false, true, ", 00:00:00 Total Length"},
        {WithSizes({{"3000000000", "0"}, {"3000000000", "0"}}), false, true, false, ", 5,722.0MB"},  // past 32 bits
    };
    for (const Case& c : cases) {
        o.blnTotalNumFiles = c.files;
        o.blnTotalSizeFiles = c.size;
        o.blnTotalLengthFiles = c.length;
        EXPECT_EQ(TextCataloguePage(c.catalogue, o, FixedContext()).CollectionProps_Text(), c.expected);
    }
    o.blnCollectionProps = false;
    EXPECT_EQ(TextCataloguePage(cases[0].catalogue, o, FixedContext()).CollectionProps_Text(), "");
}

TEST(TextPage, ListPropertiesFollowTheirSwitches) {
    const Catalogue catalogue = WithSizes({{"1", "1"}});
    struct Case {
        bool list, date, time, pages;
        const char* expected;
    };
    const Case cases[] = {
        {true, true, true, true, "List Created: Monday, March 4, 2024, 3:04:05 PM\r\nNumber of Pages: 1\r\n\r\n"},
        {true, true, false, false, "List Created: Monday, March 4, 2024\r\n\r\n"},
        {true, false, true, true, "\r\nNumber of Pages: 1\r\n\r\n"},
        {true, false, false, false, "\r\n\r\n"},
        {false, true, true, true, ""},
    };
    for (const Case& c : cases) {
        CataloguerTextOptions o = FirstRunTextOptions();
        o.blnListProps = c.list;
        o.blnListCreationDate = c.date;
        o.blnListCreationTime = c.time;
        o.blnNumPagesInList = c.pages;
        EXPECT_EQ(TextCataloguePage(catalogue, o, FixedContext()).ListProps_Text(), c.expected)
            << c.list << c.date << c.time << c.pages;
    }
    // The long formats of another locale, without a time zone.
    CataloguePageContext british = FixedContext();
    british.locale = QLocale(QLocale::English, QLocale::UnitedKingdom);
    EXPECT_EQ(TextCataloguePage(catalogue, FirstRunTextOptions(), british).ListProps_Text(),
              "List Created: Monday, 4 March 2024, 15:04:05\r\nNumber of Pages: 1\r\n\r\n");
}

TEST(TextPage, HeaderWithEverythingOffIsTwoEmptyLines) {
    CataloguerTextOptions o = FirstRunTextOptions();
    o.blnHeaderTitle = o.blnCollectionProps = o.blnListProps = o.blnColumnHeadings = false;
    EXPECT_EQ(TextCataloguePage(WithSizes({{"1", "1"}}), o, FixedContext()).CreatePageHeader_Text(), "\r\n\r\n");
}

TEST(TextPage, EachPageHoldsItsOwnLinesAndStopKeepsThoseMade) {
    std::vector<ScanRecord> entries(250);
    for (int i = 0; i < 250; ++i) entries[size_t(i)].FolderListEntry.FileName = QString::number(i + 1);
    const Catalogue catalogue(std::move(entries), CatalogueOutput::Text, 100);
    CataloguerTextOptions o = FirstRunTextOptions();
    SetTextColumns(o, {{"File Name", 4}});
    const TextCataloguePage writer(catalogue, o, FixedContext());
    const std::tuple<int, const char*, const char*, int> cases[] = {
        {1, "1   ", "100 ", 100}, {2, "101 ", "200 ", 100}, {3, "201 ", "250 ", 50}};
    for (const auto& [page, first, last, count] : cases) {
        RecordingJob job;
        QStringList lines = writer.CreateList_Text(page, job).split(QStringLiteral("\r\n"));
        ASSERT_EQ(lines.takeLast(), "");  // every line ends with CR LF
        ASSERT_EQ(lines.size(), count);
        EXPECT_EQ(lines.first(), QString::fromUtf8(first) + QLatin1Char(' '));
        EXPECT_EQ(lines.last(), QString::fromUtf8(last) + QLatin1Char(' '));
        EXPECT_EQ(job.lastMaximum, count + 1);
    }
    RecordingJob job;
    job.stopAtYield = 3;
    EXPECT_EQ(writer.CreateList_Text(2, job), "101  \r\n102  \r\n");

    // Past 32,767 entries, with a last page larger than that.
    const Catalogue large(std::vector<ScanRecord>(40000), CatalogueOutput::Text, 35000);
    RecordingJob quiet;
    EXPECT_EQ(TextCataloguePage(large, o, FixedContext()).CreateList_Text(2, quiet).count(QStringLiteral("\r\n")),
              5000);
    EXPECT_TRUE(writer.page(2, job).endsWith("\r\nGenerated using Sonivard 1.0.0 by Brellick Software"));
}

}  // namespace
