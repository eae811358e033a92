#include "CatalogueFixtures.h"

#include "scanning/engine/ScanResultsModel.h"

QStringList RowCells(std::initializer_list<std::pair<int, QString>> cells) {
    QStringList row(kScanColumnCount, QString());
    for (const auto& [column, text] : cells) row[column] = text;
    return row;
}

ScanRecord EntryFrom(std::initializer_list<std::pair<int, QString>> cells) {
    return ScanRecordFromTexts(RowCells(cells));
}

QStringList FileNames(const Catalogue& catalogue) {
    QStringList names;
    for (int i = 0; i < catalogue.entryCount(); ++i)
        names << catalogue.cell(i, CatalogueColumn::FileName, TagPreference::ID3v1);
    return names;
}

void SetTextColumns(CataloguerTextOptions& options, std::initializer_list<std::pair<const char*, int>> columns) {
    options.intNumColumnHeadings = int(columns.size());
    options.strColumnHeadings.clear();
    options.intColumnHeadingWidths.clear();
    for (const auto& [name, width] : columns) {
        options.strColumnHeadings.push_back(QString::fromUtf8(name));
        options.intColumnHeadingWidths.push_back(width);
    }
}

void SetHTMLColumns(CataloguerHTMLOptions& options, std::initializer_list<const char*> columns) {
    options.intHTMLNumColumnHeadings = int(columns.size());
    options.strHTMLColumnHeadings.clear();
    for (const char* name : columns) options.strHTMLColumnHeadings.push_back(QString::fromUtf8(name));
}

CataloguerHTMLOptions FirstRunHTMLOptions() {
    CataloguerHTMLOptions o;
    SetHTMLColumns(o, {"File Name", "Artist", "Title", "Length", "File Size"});
    o.blnHTMLSortBy = true;
    o.strHTMLSortKey = QStringLiteral("Artist");
    o.lngHTMLSortOrder = 0;
    o.strListTextFont = QStringLiteral("Font: Tahoma, Size Default, Colour lime");
    o.strListTextColour = QStringLiteral("black");
    o.strOutputExtension = QStringLiteral("html");
    o.lngPageLinksAppear = 0;
    o.blnHTMLHeaderTitle = o.blnHTMLCollectionProps = o.blnHTMLTotalNumFiles = o.blnHTMLTotalSizeFiles =
        o.blnHTMLTotalLengthFiles = o.blnHTMLListProps = o.blnHTMLListCreationDate = o.blnHTMLListCreationTime =
            o.blnHTMLNumPagesInList = o.blnHTMLColumnHeadings = true;
    o.strHTMLTitleText = QStringLiteral("My Music Collection");
    o.strHeaderFont = {QStringLiteral("Font: Default, Size Default, Colour Default"),
                       QStringLiteral("Font: Tahoma, Size +2, Colour lime, Bold"),
                       QStringLiteral("Font: Tahoma, Size Default, Colour lime"),
                       QStringLiteral("Font: Tahoma, Size Default, Colour lime"),
                       QStringLiteral("Font: Comic Sans MS, Size Default, Colour lime")};
    o.strHeaderColour = {QStringLiteral("black"), QStringLiteral("black"), QStringLiteral("black"),
                         QStringLiteral("darkgreen"), QStringLiteral("darkgreen")};
    o.strPageTitle = QStringLiteral("My Music Collection");
    o.strPageDescription = QStringLiteral("My Music Collection");
    o.strPageKeywords = QStringLiteral("Brellick Software, Sonivard, MP3, Music");
    o.strPageColour = {QStringLiteral("black"), QStringLiteral("lime"), QStringLiteral("lightblue"),
                       QStringLiteral("blue"), QStringLiteral("lime")};
    return o;
}

CataloguerTextOptions FirstRunTextOptions() {
    CataloguerTextOptions o;
    SetTextColumns(o, {{"File Name", 36}, {"Artist", 20}, {"Title", 25}, {"Length", 8}, {"File Size", 9}});
    o.blnSortBy = true;
    o.strSortKey = QStringLiteral("Artist");
    o.lngSortOrder = 0;
    o.blnHeaderTitle = o.blnCollectionProps = o.blnTotalNumFiles = o.blnTotalSizeFiles = o.blnTotalLengthFiles =
        o.blnListProps = o.blnListCreationDate = o.blnListCreationTime = o.blnNumPagesInList = o.blnColumnHeadings =
            true;
    o.strTitleText = QStringLiteral("My Music Collection");
    return o;
}

CataloguePageContext FixedContext(TagPreference preference) {
    CataloguePageContext c;
    c.now = QDateTime(QDate(2024, 3, 4), QTime(15, 4, 5));
    c.locale = QLocale(QLocale::English, QLocale::UnitedStates);
    c.outputFileName = QStringLiteral("My Music Collection");
    c.preference = preference;
    c.program = {QStringLiteral("Sonivard"), QStringLiteral("Brellick Software"), 1, 0, 0,
                 QStringLiteral("https://www.brellick.example/")};
    return c;
}

void AddSampleRows(ScanResultsModel& model) {
    using namespace ScanColumn;
    // The MPEG cells of an ordinary file.
    auto mpeg = [](QStringList row, const char* size, const char* ms) {
        row[Size] = QString::fromLatin1(size);
        row[LengthMs] = QString::fromLatin1(ms);
        row[MPEGVersion] = QStringLiteral("1");
        row[LayerVersion] = QStringLiteral("3");
        row[BitRate] = QStringLiteral("128");
        row[Frames] = QStringLiteral("2372");
        row[Frequency] = QStringLiteral("44100");
        row[Mode] = QStringLiteral("Joint-stereo");
        row[Private] = QStringLiteral("No");
        row[CRCs] = QStringLiteral("No");
        row[Copyrighted] = QStringLiteral("No");
        row[Original] = QStringLiteral("Yes");
        row[Emphasis] = QStringLiteral("None");
        row[Channels] = QStringLiteral("2");
        return row;
    };
    model.appendRow(true, mpeg(RowCells({{FileName, "01 - Intro.mp3"},
                                         {Folder, "/music/Alpha"},
                                         {ID3v1Title, "Intro"},
                                         {ID3v1Artist, "Alpha"},
                                         {ID3v1Track, "1"},
                                         {ID3v1Genre, "Rock"},
                                         {ID3v2Title, "Intro (v2)"},
                                         {ID3v2Artist, "Alpha"},
                                         {ID3v2Track, "1/12"}}),
                           "3145728", "61999"));
    model.appendRow(true, mpeg(RowCells({{FileName, "AC-DC & Friends.mp3"},
                                         {Folder, "/music/R&B <live>"},
                                         {ID3v1Title, "Tom \"The Bomb\" Jones"},
                                         {ID3v1Artist, "AC/DC & Friends"}}),
                           "5242880", "245000"));
    model.appendRow(true, mpeg(RowCells({{FileName, "<script>alert('x')</script>.mp3"},
                                         {Folder, "/music/zed"},
                                         {ID3v1Title, "<script>alert(\"x\")</script>"},
                                         {ID3v1Artist, "zed"}}),
                           "1048575", "999"));
    model.appendRow(true, mpeg(RowCells({{FileName, "Bj\u00f6rk - J\u00f3ga.mp3"},
                                         {Folder, "/music/Bj\u00f6rk"},
                                         {ID3v1Title, "J\u00f3ga"},
                                         {ID3v1Artist, "Bj\u00f6rk"},
                                         {ID3v2Title, "J\u00f3ga \U0001F3B5"},
                                         {ID3v2Artist, "Bj\u00f6rk"}}),
                           "7340032", "305123"));
    model.appendRow(true, mpeg(RowCells({{FileName, "First Love.mp3"},
                                         {Folder, "/music/\u5b87\u591a\u7530"},
                                         {ID3v2Title, "First Love"},
                                         {ID3v2Artist, "\u5b87\u591a\u7530\u30d2\u30ab\u30eb"}}),
                           "6291456", "260000"));
    // Numbers the list never held: they read as 0.
    model.appendRow(true, RowCells({{FileName, "02 - Outro.mp3"},
                                    {Folder, "/music/Alpha"},
                                    {ID3v1Title, "Outro"},
                                    {ID3v1Artist, "Alpha"}}));
    model.appendRow(false, mpeg(RowCells({{FileName, "unchecked.mp3"},
                                          {Folder, "/music/Beta"},
                                          {ID3v1Artist, "Beta"}}),
                            "1000", "1000"));
    model.appendRow(true, mpeg(RowCells({{FileName, "03 - Reprise.mp3"},
                                         {Folder, "/music/Alpha"},
                                         {ID3v1Title, "Reprise"},
                                         {ID3v1Artist, "Alpha"},
                                         {ID3v1Track, "3"}}),
                           "2097152", "120500"));
}
