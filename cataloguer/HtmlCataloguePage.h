#pragma once
// The HTML catalogue page: the complete text of one page of an HTML
// catalogue, as the viewer shows it and Save writes it.  A page is, in this
// order: the document head with the page properties and the body tag; the
// header table (title, collection properties, list properties); the links to
// every page (at the top, the bottom or both); the catalogue table with its
// row of column headings and one row per entry of the page; a CR LF; the
// bottom links and a line naming the program.  Lines end with CR LF, TAB
// indents, and the body and html elements are left open.
//
// Every text that comes from tags or options is escaped: "&", "<", ">" and
// '"' become references, and so does every character outside ASCII and
// every control character but TAB, CR and LF, so the page means the same in
// any encoding a browser assumes and no title can break the markup.  Link
// targets are percent-encoded file names.  A colour that is "Default" (in
// any capitals) or empty gives no colour attribute at all; a colour name is
// written bare, "#" and digits in double quotes, and any other text quoted
// and escaped.  Text pages (cataloguer/TextCataloguePage.h) stay raw.
//
// The window renders a page when its tab is selected:
//
//   const HtmlCataloguePage writer(catalogue, Options().CataloguerHTML, context);
//   RichViewer.setText(writer.page(tab, job));   // job: the window's host
//
// While the list rows are made the writer yields to the event loop through
// `job`, shows "Creating list item i of n - Please wait..." and the progress
// (the page's entries plus one), and stops adding rows when job.mblnStopAll
// is set: the tables are still closed, so the page stays whole.  A failure
// (a font description that cannot be read, a page outside the catalogue)
// raises an error with the writer's step in its trail.

#include "cataloguer/Catalogue.h"
#include "cataloguer/CataloguePages.h"
#include "foundation/JobHost.h"
#include "foundation/OptionRecords.h"

#include <QString>

// Text made safe for HTML element content and double-quoted attribute values.
QString HtmlText(const QString& text);
// A file name made safe as a relative link target: UTF-8, every byte but
// letters, digits and "-._~" percent-encoded.
QString HtmlLinkTarget(const QString& fileName);

class HtmlCataloguePage {
public:
    HtmlCataloguePage(const Catalogue& catalogue, const CataloguerHTMLOptions& options,
                      const CataloguePageContext& context);

    // The whole page `page` (1 to the catalogue's page count).
    QString page(int page, JobHost& job) const;

    // Its pieces, in page order.
    // From "<html>" to the end of the body tag.
    QString CreateHTMLHeader_HTML() const;
    // The header table, the top page links and the opening of the catalogue
    // table with its heading row.
    QString CreatePageHeader_HTML() const;
    // The page's rows and the end of the catalogue table, no line end after.
    QString CreateList_HTML(int page, JobHost& job) const;
    // The bottom page links and the closing line, no line end after.
    QString CreateFooter_HTML() const;

    // The font tags of a description: opening gives "<font ...>" and then
    // "<i>", "<b>", "<u>" as set; closing gives "</u>", "</b>", "</i>" as set,
    // then "</font>".
    static QString FontTag(const QString& description, bool opening);
    // " bgcolor=" and the colour, or nothing for an empty or default colour.
    static QString bgcolor(const QString& colour);

private:
    QString bodyTag() const;
    QString collectionProperties() const;
    QString listProperties() const;
    QString pageLinks(int position) const;
    // The table of links to every page: the same on every page of the
    // catalogue, so it is made once per writer.
    const QString& linksTable() const;
    QString columnHeadings() const;

    const Catalogue& m_catalogue;  // must outlive the writer
    CataloguerHTMLOptions m_options;
    CataloguePageContext m_context;
    mutable QString m_links;
    mutable bool m_linksMade = false;
};
