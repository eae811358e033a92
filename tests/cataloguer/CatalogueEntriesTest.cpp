// Catalogue entries: the cells of each column, the tag preference, Build's
// rows, the page count and the page ranges.

#include "CatalogueFixtures.h"
#include "cataloguer/Catalogue.h"
#include "cataloguer/CatalogueColumns.h"
#include "foundation/Errors.h"
#include "scanning/engine/ScanResultsModel.h"

#include <gtest/gtest.h>

namespace {

using namespace ScanColumn;

// One row with every cell that a column reads.
ScanRecord FullEntry() {
    return EntryFrom({{FileName, "song.mp3"},        {Folder, "/music/x"},        {ID3v1Title, "T1"},
                      {ID3v1Artist, "A1"},           {ID3v1Track, ""},            {ID3v1Album, "Al1"},
                      {ID3v1Year, "1999"},           {ID3v1Comment, "C1"},        {ID3v1Genre, "No Such Genre"},
                      {ID3v2Title, "T2"},            {ID3v2Artist, ""},           {ID3v2Track, "5"},
                      {ID3v2Album, ""},              {ID3v2Year, "2001"},         {ID3v2Comment, "C2"},
                      {ID3v2Genre, "Jazz (v2)"},     {ID3v2Composer, "Comp"},     {ID3v2OrigArtist, "Orig"},
                      {ID3v2Copyright, "(c) Me"},    {ID3v2URL, "http://x/"},     {ID3v2EncodedBy, "Enc"},
                      {Size, "10000"},               {HeaderFoundAt, "417"},      {LengthMs, "61999"},
                      {MPEGVersion, "2"},            {LayerVersion, "3"},         {BitRate, "160"},
                      {Frames, "2372"},              {Frequency, "22050"},        {Mode, "Mono"},
                      {Private, "No"},               {CRCs, "Yes"},               {Copyrighted, "No"},
                      {Original, "Yes"},             {Emphasis, "50/15 ms"},      {Channels, "1"}});
}

TEST(CatalogueColumns, EveryColumnCellUnderEachPreference) {
    const Catalogue one({FullEntry()}, CatalogueOutput::HTML, 1);
    struct Case {
        const char* column;
        const char* underID3v1;
        const char* underID3v2;
    };
    const Case cases[] = {
        {"Album", "Al1", "Al1"},          // the ID3v2 album is empty
        {"Artist", "A1", "A1"},           // the ID3v2 artist is empty
        {"Bitrate", "160", "160"},
        {"Comment", "C1", "C2"},
        {"Composer", "Comp", "Comp"},
        {"Copyright", "(c) Me", "(c) Me"},
        {"Copyrighted", "No", "No"},
        {"CRC's", "Yes", "Yes"},
        {"Emphasis", "50/15 ms", "50/15 ms"},
        {"Encoded by", "Enc", "Enc"},
        {"File Size", "10000", "10000"},
        {"File Name", "song.mp3", "song.mp3"},
        {"Frames", "2372", "2372"},
        {"Frequency", "22050", "22050"},
        {"Genre", "Jazz (v2)", "Jazz (v2)"},  // an unknown ID3v1 genre reads as none
        {"Layer Version", "3", "3"},
        {"Length", "00:01:01", "00:01:01"},   // 61,999 ms: whole seconds
        {"Mode", "Mono", "Mono"},
        {"MPEG Version", "2", "2"},
        {"Orig. Artist", "Orig", "Orig"},
        {"Original", "Yes", "Yes"},
        {"Path", "/music/x", "/music/x"},
        {"Private", "No", "No"},
        {"Title", "T1", "T2"},
        {"Track", "0", "5"},  // no ID3v1 track is "0", which is not empty
        {"URL", "http://x/", "http://x/"},
        {"Year", "1999", "2001"},
        {"title", "", ""},  // names match with their capitals
        {"Header Found At", "", ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(one.cell(0, QString::fromUtf8(c.column), TagPreference::ID3v1), c.underID3v1) << c.column;
        EXPECT_EQ(one.cell(0, QString::fromUtf8(c.column), TagPreference::ID3v2), c.underID3v2) << c.column;
    }
    EXPECT_EQ(CatalogueColumnNames().size(), 27);
    for (const QString& name : CatalogueColumnNames())
        EXPECT_NE(CatalogueColumnFromName(name), CatalogueColumn::Unknown) << name.toStdString();
}

TEST(CatalogueColumns, ChooseID3FieldFallsBackToTheOtherTag) {
    struct Case {
        const char* v1;
        const char* v2;
        TagPreference preference;
        const char* expected;
    };
    const Case cases[] = {
        {"one", "two", TagPreference::ID3v1, "one"}, {"one", "two", TagPreference::ID3v2, "two"},
        {"", "two", TagPreference::ID3v1, "two"},    {"one", "", TagPreference::ID3v2, "one"},
        {"", "", TagPreference::ID3v1, ""},          {" ", "two", TagPreference::ID3v1, " "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChooseID3Field(QString::fromUtf8(c.v1), QString::fromUtf8(c.v2), c.preference), c.expected)
            << c.v1 << "|" << c.v2;
}

TEST(CatalogueColumns, KnownGenreNameShowsUnderEitherPreference) {
    const Catalogue one({EntryFrom({{ID3v1Genre, "rock"}, {ID3v2Genre, "Metal"}})}, CatalogueOutput::HTML, 1);
    // The name comes back in the genre table's spelling.
    EXPECT_EQ(one.cell(0, QStringLiteral("Genre"), TagPreference::ID3v1), "Rock");
    EXPECT_EQ(one.cell(0, QStringLiteral("Genre"), TagPreference::ID3v2), "Metal");
}

// ---- Build ----------------------------------------------------------------------

TEST(CatalogueBuild, CheckedRowsInListOrderWithEmptyNumbersAsZero) {
    ScanResultsModel model;
    AddSampleRows(model);
    RecordingJob job;
    CataloguerHTMLOptions html = FirstRunHTMLOptions();
    html.blnHTMLSortBy = false;
    const Catalogue c = BuildCatalogue(model, {CatalogueOutput::HTML, QStringLiteral("3"), TagPreference::ID3v1},
                                       html, FirstRunTextOptions(), job);
    ASSERT_EQ(c.entryCount(), 7);
    EXPECT_EQ(FileNames(c).join(QLatin1Char('|')),
              QString::fromUtf8("01 - Intro.mp3|AC-DC & Friends.mp3|<script>alert('x')</script>.mp3|"
                                "Bj\u00f6rk - J\u00f3ga.mp3|First Love.mp3|02 - Outro.mp3|03 - Reprise.mp3"));
    EXPECT_EQ(c.cell(5, QStringLiteral("File Size"), TagPreference::ID3v1), "0");
    EXPECT_EQ(c.cell(5, QStringLiteral("Length"), TagPreference::ID3v1), "00:00:00");
    EXPECT_EQ(c.cell(5, QStringLiteral("Bitrate"), TagPreference::ID3v1), "0");
    // What Build does not read stays empty.
    EXPECT_EQ(c.record(0).MPEGInfo.HeaderPosition, 0);
    EXPECT_EQ(c.record(0).ID3v1Tag.Title, "Intro");
    EXPECT_EQ(c.output(), CatalogueOutput::HTML);
    EXPECT_EQ(c.entriesPerPage(), 3);
    EXPECT_EQ(c.pageCount(), 3);
    EXPECT_EQ(c.totalBytes(), 3145728 + 5242880 + 1048575 + 7340032 + 6291456 + 2097152);
    EXPECT_EQ(c.totalSeconds(), 61 + 245 + 0 + 305 + 260 + 120);
    EXPECT_EQ(job.statuses.first(), "Reading Results: /music/Alpha/01 - Intro.mp3");
    EXPECT_EQ(job.lastMaximum, 7);  // the checked rows, once: no sort
}

TEST(CatalogueBuild, SortFollowsTheSelectedOutputTypeOnly) {
    ScanResultsModel model;
    for (const char* artist : {"b", "C", "a", "B"})
        model.appendRow(true, RowCells({{FileName, QString::fromUtf8(artist)}, {ID3v1Artist, QString::fromUtf8(artist)}}));
    CataloguerHTMLOptions html;
    CataloguerTextOptions text;
    html.blnHTMLSortBy = true;
    html.strHTMLSortKey = QStringLiteral("Artist");
    text.blnSortBy = true;
    text.strSortKey = QStringLiteral("Artist");
    text.lngSortOrder = 1;
    auto order = [&](CatalogueOutput output) {
        RecordingJob job;
        const Catalogue c = BuildCatalogue(model, {output, QStringLiteral("100"), TagPreference::ID3v1}, html, text, job);
        return FileNames(c).join(QString());
    };
    EXPECT_EQ(order(CatalogueOutput::HTML), "BCab");  // capitals first
    EXPECT_EQ(order(CatalogueOutput::Text), "baCB");
    html.strHTMLSortKey.clear();  // on, but no key: no sort
    EXPECT_EQ(order(CatalogueOutput::HTML), "bCaB");
    EXPECT_TRUE(HasCatalogueColumns(CatalogueOutput::Text, html, FirstRunTextOptions()));
    EXPECT_FALSE(HasCatalogueColumns(CatalogueOutput::HTML, html, FirstRunTextOptions()));
}

TEST(CatalogueBuild, StopKeepsTheRowsReadSoFarUnsorted) {
    ScanResultsModel model;
    for (const char* artist : {"d", "c", "b", "a", "e"})
        model.appendRow(true, RowCells({{FileName, QString::fromUtf8(artist)}, {ID3v1Artist, QString::fromUtf8(artist)}}));
    RecordingJob job;
    job.stopAtYield = 4;  // Stop pressed before the fourth row
    const Catalogue c = BuildCatalogue(model, {CatalogueOutput::Text, QStringLiteral("2"), TagPreference::ID3v1},
                                       FirstRunHTMLOptions(), FirstRunTextOptions(), job);
    EXPECT_EQ(FileNames(c).join(QString()), "dcb");
    EXPECT_EQ(c.pageCount(), 2);
    EXPECT_EQ(job.statuses.last(), "Sorting interrupted by user");
}

TEST(CatalogueBuild, EntriesPerPageFromTheBoxText) {
    const std::pair<const char*, int> cases[] = {
        {"100", 100}, {"1", 1},         {"", 1},          {"0", 1},       {"abc", 1},
        {"-5", 1},    {"12abc", 12},    {"9999999", 9999999}, {"99999999999", 2147483647},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(EntriesPerPageFromText(QString::fromUtf8(text)), expected) << text;
}

TEST(CatalogueBuild, PagesAndTheirEntries) {
    struct Case {
        int entries;
        int perPage;
        int pages;
        int lastFirst;  // 0-based first entry of the last page
        int lastEnd;
    };
    const Case cases[] = {
        {250, 100, 3, 200, 250},
        {200, 100, 2, 100, 200},
        {1, 100, 1, 0, 1},
        {7, 3, 3, 6, 7},
        {40000, 35000, 2, 35000, 40000},  // past 32,767 entries and a large last page
        {40000, 1, 40000, 39999, 40000},
        {5, 0, 5, 4, 5},  // a page size below 1 counts as 1
    };
    for (const Case& c : cases) {
        const Catalogue catalogue(std::vector<ScanRecord>(size_t(c.entries)), CatalogueOutput::Text, c.perPage);
        ASSERT_EQ(catalogue.pageCount(), c.pages) << c.entries << "/" << c.perPage;
        const Catalogue::PageRange last = catalogue.pageEntries(c.pages);
        EXPECT_EQ(last.first, c.lastFirst) << c.entries << "/" << c.perPage;
        EXPECT_EQ(last.end, c.lastEnd) << c.entries << "/" << c.perPage;
        EXPECT_EQ(catalogue.pageEntries(1).first, 0);
    }
    const Catalogue none;
    EXPECT_EQ(none.pageCount(), 0);
    const Catalogue three(std::vector<ScanRecord>(7), CatalogueOutput::Text, 3);
    for (const int page : {0, 4, -1}) {
        try {
            three.pageEntries(page);
            ADD_FAILURE() << "page " << page;
        } catch (const SvError& e) {
            EXPECT_EQ(e.number(), ErrNo::SubscriptOutOfRange);
        }
    }
}

TEST(CatalogueBuild, TabCaptionsKeepEveryDigit) {
    EXPECT_EQ(CataloguePageTabCaption(1), "Output 001");
    EXPECT_EQ(CataloguePageTabCaption(12), "Output 012");
    EXPECT_EQ(CataloguePageTabCaption(1000), "Output 1000");
    EXPECT_EQ(CataloguePageFileName(QStringLiteral("My Music Collection"), 1, QStringLiteral("html")),
              "My Music Collection 001.html");
}

}  // namespace
