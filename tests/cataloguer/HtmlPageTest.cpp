// The HTML page writer's parts: escaping, colours, font tags, page links,
// page boundaries and Stop.

#include "CatalogueFixtures.h"
#include "cataloguer/HtmlCataloguePage.h"
#include "foundation/Errors.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

using namespace ScanColumn;

TEST(HtmlPage, TextIsEscapedForElementsAndQuotedValues) {
    const std::pair<const char*, const char*> cases[] = {
        {"plain text 123", "plain text 123"},
        {"<script>alert(\"x\")</script>", "&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt;"},
        {"R&B 'live'", "R&amp;B 'live'"},
        {"Bj\u00f6rk", "Bj&#246;rk"},
        {"\u5b87\u591a\u7530", "&#23431;&#22810;&#30000;"},
        {"\U0001F3B5", "&#127925;"},  // one reference for the pair of halves
        {"a\tb\r\nc", "a\tb\r\nc"},
        {"a\x01" "b", "a b"},  // control characters would make the page invalid
        {"\u0085", "&#65533;"},
    };
    for (const auto& [text, escaped] : cases) EXPECT_EQ(HtmlText(QString::fromUtf8(text)), escaped) << text;
    EXPECT_EQ(HtmlText(QString(QChar(0xD800))), "&#65533;");  // half a pair alone
    EXPECT_EQ(HtmlLinkTarget(QString::fromUtf8("My Music & <Co> 100% #1 \u00e9 001.html")),
              "My%20Music%20%26%20%3CCo%3E%20100%25%20%231%20%C3%A9%20001.html");
}

TEST(HtmlPage, ColourAttributes) {
    const std::pair<const char*, const char*> cases[] = {
        {"lime", " bgcolor=lime"},
        {"#1A2B3C", " bgcolor=\"#1A2B3C\""},
        {"Default", ""},
        {"DEFAULT", ""},  // "Default" in any capitals sets no colour
        {"default", ""},
        {"", ""},
        {"lime onclick=alert(1)", " bgcolor=\"lime onclick=alert(1)\""},
        {"#\"><b>", " bgcolor=\"#&quot;&gt;&lt;b&gt;\""},
    };
    for (const auto& [colour, attribute] : cases)
        EXPECT_EQ(HtmlCataloguePage::bgcolor(QString::fromUtf8(colour)), attribute) << colour;
}

TEST(HtmlPage, FontTagsOpenAndCloseInOrder) {
    struct Case {
        const char* description;
        const char* opening;
        const char* closing;
    };
    const Case cases[] = {
        {"Font: Tahoma, Size +2, Colour lime, Bold", "<font size=\"+2\" face=\"Tahoma\" color=lime><b>", "</b></font>"},
        {"Font: Default, Size Default, Colour Default", "<font size=\"\" face=\"\">", "</font>"},
        {"Font: Default, Size Default, Colour ", "<font size=\"\" face=\"\">", "</font>"},
        {"Font: Arial, Helvetica, Size 3, Colour #FF0000, Bold Italic Underline",
         "<font size=\"3\" face=\"Arial, Helvetica\" color=\"#FF0000\"><i><b><u>", "</u></b></i></font>"},
        {"Font: Arial, Size 1, Colour navy Underline", "<font size=\"1\" face=\"Arial\" color=navy><u>",
         "</u></font>"},
        {"Font: default, Size default, Colour default", "<font size=\"default\" face=\"default\">", "</font>"},
        {"Font: A\"B, Size 1, Colour red", "<font size=\"1\" face=\"A&quot;B\" color=red>", "</font>"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HtmlCataloguePage::FontTag(QString::fromUtf8(c.description), true), c.opening) << c.description;
        EXPECT_EQ(HtmlCataloguePage::FontTag(QString::fromUtf8(c.description), false), c.closing) << c.description;
    }
    try {
        HtmlCataloguePage::FontTag(QStringLiteral("Tahoma bold"), true);
        ADD_FAILURE() << "no error";
    } catch (const SvError& e) {
        EXPECT_EQ(e.number(), ErrNo::InvalidCall);
        EXPECT_TRUE(e.description().endsWith("|FontTag;Tahoma bold;1")) << e.description().toStdString();
    }
}

// The tags of a page, in order, without their attributes.
QStringList Tags(const QString& page) {
    static const QRegularExpression tag(QStringLiteral("<(/?[A-Za-z]+)"));
    QStringList tags;
    for (auto it = tag.globalMatch(page); it.hasNext();) tags << it.next().captured(1);
    return tags;
}

TEST(HtmlPage, HostileTextsLeaveTheMarkupAsPlainTextsDo) {
    const QString hostile = QStringLiteral("</td></tr></table><script>alert(\"x\")</script><a href='x'>&amp;\"");
    auto page = [](const QString& text) {
        std::vector<ScanRecord> entries;
        for (int column = 0; column < kScanColumnCount; ++column) {
            QStringList cells(kScanColumnCount, text);
            for (int n : {Size, HeaderFoundAt, LengthMs, MPEGVersion, LayerVersion, BitRate, Frames, Frequency,
                          Channels})
                cells[n] = QStringLiteral("1");
            entries.push_back(ScanRecordFromTexts(cells));
        }
        const Catalogue catalogue(std::move(entries), CatalogueOutput::HTML, 100);
        CataloguerHTMLOptions o = FirstRunHTMLOptions();
        o.strHTMLColumnHeadings = {CatalogueColumnNames().begin(), CatalogueColumnNames().end()};
        o.strHTMLColumnHeadings.push_back(text);
        o.intHTMLNumColumnHeadings = int(o.strHTMLColumnHeadings.size());
        o.strPageTitle = o.strPageDescription = o.strPageKeywords = o.strHTMLTitleText = o.strBackgroundImage = text;
        o.strMargin.fill(text);
        o.strHeaderFont[1] = QStringLiteral("Font: ") + text + QStringLiteral(", Size 2, Colour red");
        CataloguePageContext context = FixedContext();
        context.outputFileName = text;
        JobHost job;
        return HtmlCataloguePage(catalogue, o, context).page(1, job);
    };
    const QString plain = page(QStringLiteral("plain"));
    const QString made = page(hostile);
    EXPECT_EQ(Tags(made), Tags(plain));
    EXPECT_FALSE(made.contains(QStringLiteral("<script"), Qt::CaseInsensitive));
    EXPECT_FALSE(made.contains(QStringLiteral("<a href='x'")));
}

// A catalogue of `count` entries named 1, 2, 3, ...
Catalogue Numbered(int count, int perPage) {
    std::vector<ScanRecord> entries(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) entries[size_t(i)].FolderListEntry.FileName = QString::number(i + 1);
    return Catalogue(std::move(entries), CatalogueOutput::HTML, perPage);
}

CataloguerHTMLOptions FileNameOnly() {
    CataloguerHTMLOptions o = FirstRunHTMLOptions();
    SetHTMLColumns(o, {"File Name"});
    o.strListTextFont = QStringLiteral("Font: Default, Size Default, Colour Default");
    o.strListTextColour.clear();
    return o;
}

QStringList RowNames(const QString& page) {
    static const QRegularExpression cell(QStringLiteral("<td align=\"left\"><font size=\"\" face=\"\">([^<]*)</font>"));
    QStringList names;
    for (auto it = cell.globalMatch(page); it.hasNext();) names << it.next().captured(1);
    return names;
}

TEST(HtmlPage, EachPageHoldsItsOwnEntries) {
    const Catalogue catalogue = Numbered(250, 100);
    const CataloguerHTMLOptions options = FileNameOnly();
    const CataloguePageContext context = FixedContext();
    const HtmlCataloguePage writer(catalogue, options, context);
    const std::tuple<int, const char*, const char*, int> cases[] = {
        {1, "1", "100", 100}, {2, "101", "200", 100}, {3, "201", "250", 50}};
    for (const auto& [page, first, last, count] : cases) {
        RecordingJob job;
        const QStringList names = RowNames(writer.CreateList_HTML(page, job));
        ASSERT_EQ(names.size(), count) << page;
        EXPECT_EQ(names.first(), first);
        EXPECT_EQ(names.last(), last);
        EXPECT_EQ(job.lastMaximum, count + 1);  // the page's entries plus one
        EXPECT_EQ(job.statuses.last(),
                  QStringLiteral("Creating list item %1 of 250 - Please wait...").arg(QString::fromUtf8(last)));
    }
}

TEST(HtmlPage, PageLinksStandWhereTheOptionSays) {
    const Catalogue catalogue = Numbered(7, 3);
    const CataloguePageContext context = FixedContext();
    CataloguerHTMLOptions options = FileNameOnly();
    options.strOutputExtension = QStringLiteral("htm");
    const QString links = QStringLiteral("<a href=\"My%20Music%20Collection%20001.htm\">1 </a>\r\n\t\t\t"
                                         "<a href=\"My%20Music%20Collection%20002.htm\">2 </a>\r\n\t\t\t"
                                         "<a href=\"My%20Music%20Collection%20003.htm\">3 </a>\r\n");
    const std::tuple<int, bool, bool> cases[] = {{0, true, true}, {1, true, false}, {2, false, true}, {3, false, false}};
    for (const auto& [where, top, bottom] : cases) {
        options.lngPageLinksAppear = where;
        const HtmlCataloguePage writer(catalogue, options, context);
        EXPECT_EQ(writer.CreatePageHeader_HTML().contains(links), top) << where;
        EXPECT_EQ(writer.CreateFooter_HTML().contains(links), bottom) << where;
    }
}

TEST(HtmlPage, StopEndsTheRowsButClosesTheTable) {
    const Catalogue catalogue = Numbered(10, 10);
    const HtmlCataloguePage writer(catalogue, FileNameOnly(), FixedContext());
    RecordingJob stopped;
    stopped.mblnStopAll = true;  // a Build that was stopped renders its first page
    EXPECT_EQ(writer.CreateList_HTML(1, stopped), "\t<tr>\r\n\t</tr>\r\n</table>");

    RecordingJob job;
    job.stopAtYield = 4;
    const QString list = writer.CreateList_HTML(1, job);
    EXPECT_EQ(RowNames(list), (QStringList{"1", "2", "3"}));
    EXPECT_TRUE(list.endsWith("\t</tr>\r\n</table>"));
}

TEST(HtmlPage, ListPropertiesFollowTheirSwitches) {
    const Catalogue catalogue = Numbered(7, 3);
    struct Case {
        bool date, time, pages;
        const char* expected;
    };
    const Case cases[] = {
        {true, true, true, "List Created: Monday, March 4, 2024, 3:04:05 PM\r\n\t\t<br>Number of Pages: 3"},
        {true, false, false, "List Created: Monday, March 4, 2024"},
        {false, true, true, "\r\n\t\t<br>Number of Pages: 3"},  // the time only with the date
        {false, false, false, ""},
    };
    for (const Case& c : cases) {
        CataloguerHTMLOptions o = FileNameOnly();
        o.blnHTMLListCreationDate = c.date;
        o.blnHTMLListCreationTime = c.time;
        o.blnHTMLNumPagesInList = c.pages;
        const QString header = HtmlCataloguePage(catalogue, o, FixedContext()).CreatePageHeader_HTML();
        const QString start = QStringLiteral("<td bgcolor=darkgreen align=\"left\" nowrap><font size=\"\" face=\"Tahoma\" color=lime>");
        const qsizetype from = header.indexOf(start) + start.size();
        EXPECT_EQ(header.mid(from, header.indexOf(QStringLiteral("</font></td>"), from) - from), c.expected)
            << c.date << c.time << c.pages;
    }
}

}  // namespace
