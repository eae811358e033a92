#pragma once
// The text catalogue page: one page of the catalogue as plain text in fixed
// columns.  With every header option on it reads, line by line: the title
// with (after two TABs) the number of files, the size and the length; an
// empty line; "List Created: " with the long date and time; "Number of
// Pages: "; an empty line; the column headings; an empty line; one line per
// entry; an empty line; "Generated using ..." without a line end.  Lines end
// with CR LF.
//
// A cell of width w shows its text cut to w characters or padded with blanks
// to w, and is followed by one blank; a character made of two UTF-16 halves
// is never cut in two (the cell is then one blank shorter in text and padded).
// A TAB, CR or LF in a cell becomes a blank, so a comment of several lines
// cannot split its row; otherwise texts are written as they stand: no
// escaping.
//
// The window renders a page when its tab is selected:
//
//   const TextCataloguePage writer(catalogue, Options().CataloguerText, context);
//   RichViewer.setText(writer.page(tab, job));
//
// The rows yield, report and stop as the HTML writer's do
// (cataloguer/HtmlCataloguePage.h); a stopped page keeps the rows made so far
// and still ends with the footer.  A negative column width raises error 5.

#include "cataloguer/Catalogue.h"
#include "cataloguer/CataloguePages.h"
#include "foundation/JobHost.h"
#include "foundation/OptionRecords.h"

#include <QString>

// `text` as a cell of `width` characters, without the blank that follows it.
QString TextCatalogueCell(const QString& text, int width);

class TextCataloguePage {
public:
    TextCataloguePage(const Catalogue& catalogue, const CataloguerTextOptions& options,
                      const CataloguePageContext& context);

    // The whole page `page` (1 to the catalogue's page count).
    QString page(int page, JobHost& job) const;

    // Its pieces.  The header is the title, the collection properties on the
    // same line, two line ends, the list properties and the column headings.
    QString CreatePageHeader_Text() const;
    QString Title_Text() const;
    QString CollectionProps_Text() const;
    QString ListProps_Text() const;
    QString ColumnHeadings_Text() const;
    QString CreateList_Text(int page, JobHost& job) const;
    QString CreateFooter_Text() const;

private:
    // The width of column j (0-based): 0 where the record has none.
    int width(int column) const;

    const Catalogue& m_catalogue;  // must outlive the writer
    CataloguerTextOptions m_options;
    CataloguePageContext m_context;
};
