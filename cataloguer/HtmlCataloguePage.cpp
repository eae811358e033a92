#include "cataloguer/HtmlCataloguePage.h"

#include "cataloguer/FontDescription.h"
#include "foundation/Errors.h"
#include "foundation/SharedServices.h"

#include <QUrl>

namespace {

const QString CRLF = QStringLiteral("\r\n");
const QString TAB = QStringLiteral("\t");
const QString kDefault = QStringLiteral("Default");

bool IsDefaultColour(const QString& colour) {
    return colour.isEmpty() || colour.compare(kDefault, Qt::CaseInsensitive) == 0;
}

bool IsBareToken(const QString& text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (!((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9'))) return false;
    }
    return !text.isEmpty();
}

// A colour as an attribute value: a name bare, anything else in double quotes.
QString ColourValue(const QString& colour) {
    if (colour.startsWith(QLatin1Char('#')) || !IsBareToken(colour))
        return QLatin1Char('"') + HtmlText(colour) + QLatin1Char('"');
    return colour;
}

// " name=colour", or nothing for an empty or default colour.
QString ColourAttribute(const QString& name, const QString& colour) {
    if (IsDefaultColour(colour)) return QString();
    return QLatin1Char(' ') + name + QLatin1Char('=') + ColourValue(colour);
}

// "Default" (exact capitals) leaves the value to the browser.
QString ValueOrEmpty(const QString& text) { return text == kDefault ? QString() : HtmlText(text); }

}  // namespace

QString HtmlText(const QString& text) {
    QString out;
    out.reserve(text.size() + text.size() / 8);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        switch (c) {
        case '&': out += QLatin1String("&amp;"); continue;
        case '<': out += QLatin1String("&lt;"); continue;
        case '>': out += QLatin1String("&gt;"); continue;
        case '"': out += QLatin1String("&quot;"); continue;
        case '\t':
        case '\r':
        case '\n': out += QChar(c); continue;
        default: break;
        }
        if (c >= 0x20 && c < 0x7F) {
            out += QChar(c);
            continue;
        }
        char32_t code = c;
        if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(text[i + 1].unicode())) {
            code = QChar::surrogateToUcs4(c, text[i + 1].unicode());
            ++i;
        } else if (QChar::isSurrogate(c) || c < 0x20 || (c >= 0x7F && c < 0xA0)) {
            // Control characters and halves of a pair have no reference a
            // page may hold.
            code = c < 0x20 ? U' ' : U'\uFFFD';
        }
        if (code == U' ') out += QLatin1Char(' ');
        else out += QLatin1String("&#") + QString::number(uint32_t(code)) + QLatin1Char(';');
    }
    return out;
}

QString HtmlLinkTarget(const QString& fileName) { return QString::fromLatin1(QUrl::toPercentEncoding(fileName)); }

HtmlCataloguePage::HtmlCataloguePage(const Catalogue& catalogue, const CataloguerHTMLOptions& options,
                                     const CataloguePageContext& context)
    : m_catalogue(catalogue), m_options(options), m_context(context) {}

QString HtmlCataloguePage::page(int page, JobHost& job) const {
    return WithTrail(CallSite(QStringLiteral("HtmlCataloguePage"), page), [&] {
        const QString header = CreateHTMLHeader_HTML() + CreatePageHeader_HTML();
        const QString list = CreateList_HTML(page, job);
        const QString footer = CreateFooter_HTML();
        QString text;
        text.reserve(header.size() + list.size() + CRLF.size() + footer.size());
        text += header;
        text += list;
        text += CRLF;
        text += footer;
        return text;
    });
}

// ---- helpers ----------------------------------------------------------------

QString HtmlCataloguePage::bgcolor(const QString& colour) { return ColourAttribute(QStringLiteral("bgcolor"), colour); }

QString HtmlCataloguePage::FontTag(const QString& description, bool opening) {
    return WithTrail(CallSite(QStringLiteral("FontTag"), description, opening ? 1 : 2), [&] {
        const FontDescription font = ParseFontDescription(description);
        QString tag;
        if (opening) {
            tag = QStringLiteral("<font size=\"") + ValueOrEmpty(font.size) + QStringLiteral("\" face=\"") +
                  ValueOrEmpty(font.faces) + QLatin1Char('"') + ColourAttribute(QStringLiteral("color"), font.colour) +
                  QLatin1Char('>');
            if (font.italic) tag += QStringLiteral("<i>");
            if (font.bold) tag += QStringLiteral("<b>");
            if (font.underline) tag += QStringLiteral("<u>");
        } else {
            if (font.underline) tag += QStringLiteral("</u>");
            if (font.bold) tag += QStringLiteral("</b>");
            if (font.italic) tag += QStringLiteral("</i>");
            tag += QStringLiteral("</font>");
        }
        return tag;
    });
}

// ---- the document head and the body tag -------------------------------------

QString HtmlCataloguePage::CreateHTMLHeader_HTML() const {
    return WithTrail(QStringLiteral("CreateHTMLHeader_HTML"), [&] {
        const CatalogueProgram& program = m_context.program;
        return QStringLiteral("<html>") + CRLF + QStringLiteral("<head>") + CRLF + QStringLiteral("<title>") +
               HtmlText(m_options.strPageTitle) + QStringLiteral("</title>") + CRLF +
               QStringLiteral("<meta name=\"description\" content=\"") + HtmlText(m_options.strPageDescription) +
               QStringLiteral("\">") + CRLF + QStringLiteral("<meta name=\"keywords\" content=\"") +
               HtmlText(m_options.strPageKeywords) + QStringLiteral("\">") + CRLF +
               QStringLiteral("<meta name=\"generator\" content=\"") + HtmlText(program.title) +
               QStringLiteral(" by ") + HtmlText(program.company) + QStringLiteral("\">") + CRLF +
               QStringLiteral("</head>") + CRLF + bodyTag();
    });
}

QString HtmlCataloguePage::bodyTag() const {
    QString tag = QStringLiteral("<body");
    if (!m_options.strBackgroundImage.isEmpty())
        tag += QStringLiteral(" background=\"") + HtmlText(m_options.strBackgroundImage) + QLatin1Char('"');
    static const char* const colourNames[5] = {"bgcolor", "text", "link", "vlink", "alink"};
    for (int k = 0; k < 5; ++k)
        tag += ColourAttribute(QString::fromLatin1(colourNames[k]), m_options.strPageColour[size_t(k)]);
    static const char* const marginNames[4] = {"leftmargin", "topmargin", "marginwidth", "marginheight"};
    for (int k = 0; k < 4; ++k) {
        const QString& margin = m_options.strMargin[size_t(k)];
        if (!margin.isEmpty())
            tag += QLatin1Char(' ') + QString::fromLatin1(marginNames[k]) + QStringLiteral("=\"") + HtmlText(margin) +
                   QLatin1Char('"');
    }
    return tag + QLatin1Char('>') + CRLF;
}

// ---- the page header --------------------------------------------------------

QString HtmlCataloguePage::CreatePageHeader_HTML() const {
    return WithTrail(QStringLiteral("CreatePageHeader_HTML"), [&] {
        const auto& font = m_options.strHeaderFont;
        const auto& fill = m_options.strHeaderColour;
        QString text = QStringLiteral("<table border=\"0\" width=\"100%\" cellpadding=\"4\" cellspacing=\"0\"") +
                       bgcolor(m_options.strPageColour[0]) + QLatin1Char('>') + CRLF;
        text += TAB + QStringLiteral("<tr>") + CRLF;
        if (m_options.blnHTMLHeaderTitle)
            text += TAB + TAB + QStringLiteral("<td") + bgcolor(fill[1]) + QStringLiteral(" align=\"left\" nowrap>") +
                    FontTag(font[1], true) + HtmlText(m_options.strHTMLTitleText) + FontTag(font[1], false) +
                    QStringLiteral("</td>") + CRLF;
        if (m_options.blnHTMLCollectionProps)
            text += TAB + TAB + QStringLiteral("<td") + bgcolor(fill[2]) +
                    QStringLiteral(" align=\"center\" nowrap>") + FontTag(font[2], true) + collectionProperties() +
                    FontTag(font[2], false) + QStringLiteral("</td>") + CRLF;
        text += TAB + QStringLiteral("</tr>") + CRLF;
        if (m_options.blnHTMLListProps) {
            text += TAB + QStringLiteral("<tr>") + CRLF;
            text += TAB + TAB + QStringLiteral("<td") + bgcolor(fill[3]) + QStringLiteral(" align=\"left\" nowrap>") +
                    FontTag(font[3], true) + listProperties() + FontTag(font[3], false) + QStringLiteral("</td>") +
                    CRLF;
            text += TAB + TAB + QStringLiteral("<td") + bgcolor(fill[3]) + QStringLiteral(" nowrap></td>") + CRLF;
            text += TAB + QStringLiteral("</tr>") + CRLF;
        }
        text += QStringLiteral("</table>") + CRLF;
        return text + pageLinks(1) + columnHeadings();
    });
}

QString HtmlCataloguePage::collectionProperties() const {
    QString text;
    if (m_options.blnHTMLTotalNumFiles) text = QString::number(m_catalogue.entryCount()) + QStringLiteral(" Files");
    if (m_options.blnHTMLTotalSizeFiles)
        text += QStringLiteral(", ") + HtmlText(CatalogueMegabytes(m_catalogue.totalBytes(), m_context.locale)) +
                QStringLiteral("MB");
    if (m_options.blnHTMLTotalLengthFiles)
        text += QStringLiteral(", ") + TimeFromSeconds(m_catalogue.totalSeconds()) + QStringLiteral(" Total Length");
    return text;
}

QString HtmlCataloguePage::listProperties() const {
    QString text;
    if (m_options.blnHTMLListCreationDate) {
        text = QStringLiteral("List Created: ") + HtmlText(CatalogueLongDate(m_context.now, m_context.locale));
        if (m_options.blnHTMLListCreationTime)
            text += QStringLiteral(", ") + HtmlText(CatalogueLongTime(m_context.now, m_context.locale));
    }
    if (m_options.blnHTMLNumPagesInList)
        text += CRLF + TAB + TAB + QStringLiteral("<br>Number of Pages: ") + QString::number(m_catalogue.pageCount());
    return text;
}

QString HtmlCataloguePage::pageLinks(int position) const {
    const int32_t where = m_options.lngPageLinksAppear;
    if (where != 0 && where != position) return QString();
    return linksTable();
}

const QString& HtmlCataloguePage::linksTable() const {
    if (m_linksMade) return m_links;
    const QString& font = m_options.strHeaderFont[0];
    QString text = QStringLiteral("<table border=\"0\" width=\"100%\" cellpadding=\"0\" cellspacing=\"0\"") +
                   bgcolor(m_options.strHeaderColour[0]) + QLatin1Char('>') + CRLF;
    text += TAB + QStringLiteral("<tr>") + CRLF;
    text += TAB + TAB + QStringLiteral("<td align=\"center\">") + CRLF;
    text += TAB + TAB + TAB + FontTag(font, true) + CRLF;
    const int pages = m_catalogue.pageCount();
    // Every target is the output name, the number and the extension; the
    // name and the extension are encoded once.
    const QString name = HtmlLinkTarget(m_context.outputFileName + QLatin1Char(' '));
    const QString extension = HtmlLinkTarget(QLatin1Char('.') + m_options.strOutputExtension);
    const QString linkStart = TAB + TAB + TAB + QStringLiteral("<a href=\"") + name;
    text.reserve(text.size() + qsizetype(pages) * (linkStart.size() + extension.size() + 24) + 64);
    for (int q = 1; q <= pages; ++q)
        text += linkStart + CataloguePageNumber(q) + extension + QStringLiteral("\">") + QString::number(q) +
                QStringLiteral(" </a>") + CRLF;
    text += TAB + TAB + TAB + FontTag(font, false) + CRLF;
    text += TAB + TAB + QStringLiteral("</td>") + CRLF;
    text += TAB + QStringLiteral("</tr>") + CRLF;
    text += QStringLiteral("</table>") + CRLF;
    m_links = std::move(text);
    m_linksMade = true;
    return m_links;
}

QString HtmlCataloguePage::columnHeadings() const {
    QString text = QStringLiteral("<table border=\"0\" width=\"100%\" cellpadding=\"2\" cellspacing=\"0\">") + CRLF;
    if (!m_options.blnHTMLColumnHeadings) return text;
    const QString& font = m_options.strHeaderFont[4];
    const QString open = FontTag(font, true), close = FontTag(font, false);
    const QString cellStart = TAB + TAB + QStringLiteral("<td align=\"left\"") + bgcolor(m_options.strHeaderColour[4]) +
                              QLatin1Char('>') + open;
    text += TAB + QStringLiteral("<tr>") + CRLF;
    const auto& names = m_options.strHTMLColumnHeadings;
    for (int j = 0; j < m_options.intHTMLNumColumnHeadings; ++j) {
        const QString name = size_t(j) < names.size() ? names[size_t(j)] : QString();
        text += cellStart + HtmlText(name) + close + QStringLiteral("</td>") + CRLF;
    }
    text += TAB + QStringLiteral("</tr>") + CRLF;
    return text;
}

// ---- the rows ---------------------------------------------------------------

QString HtmlCataloguePage::CreateList_HTML(int page, JobHost& job) const {
    return WithTrail(CallSite(QStringLiteral("CreateList_HTML"), page, m_catalogue.entriesPerPage()), [&] {
        const std::vector<CatalogueColumn> columns =
            CatalogueColumnsFromNames(m_options.strHTMLColumnHeadings, m_options.intHTMLNumColumnHeadings);
        // The list font is the same for every cell: its tags are made once.
        const QString cellStart = TAB + TAB + TAB + QStringLiteral("<td align=\"left\"") +
                                  bgcolor(m_options.strListTextColour) + QLatin1Char('>') +
                                  FontTag(m_options.strListTextFont, true);
        const QString cellEnd = FontTag(m_options.strListTextFont, false) + QStringLiteral("</td>") + CRLF;
        const QString rowStart = TAB + TAB + QStringLiteral("<tr>") + CRLF;
        const QString rowEnd = CRLF + TAB + TAB + QStringLiteral("</tr>") + CRLF;

        QString text = TAB + QStringLiteral("<tr>") + CRLF;
        ForEachPageEntry(m_catalogue, page, job, [&](int i) {
            text += rowStart;
            for (const CatalogueColumn column : columns)
                text += cellStart + HtmlText(m_catalogue.cell(i, column, m_context.preference)) + cellEnd;
            text += rowEnd;
        });
        return text + TAB + QStringLiteral("</tr>") + CRLF + QStringLiteral("</table>");
    });
}

// ---- the footer -------------------------------------------------------------

QString HtmlCataloguePage::CreateFooter_HTML() const {
    return WithTrail(QStringLiteral("CreateFooter_HTML"), [&] {
        const CatalogueProgram& program = m_context.program;
        return pageLinks(2) + QStringLiteral("<br>") + CRLF + QStringLiteral("<font size=1>") +
               HtmlText(CatalogueGeneratedUsing(program)) + QStringLiteral(" by <a href=\"") +
               HtmlText(program.webAddress) + QStringLiteral("\">") + HtmlText(program.company) +
               QStringLiteral("</a></font>");
    });
}
