// Catalogues at collection scale: 100,000 checked rows of typical texts made
// into an HTML and a text catalogue of 100 entries a page (read, sorted by
// artist as a first run sorts, every page made), each timed from the rows to
// the last page; the yardstick is one read of every row's cells, which any
// build must do.  Also prints the resident memory the entries take.
// Run by hand: build/bin/catalogue_bench [rows] [entries per page]

#include "bench/BenchSupport.h"
#include "cataloguer/Catalogue.h"
#include "cataloguer/HtmlCataloguePage.h"
#include "cataloguer/TextCataloguePage.h"
#include "scanning/engine/ScanResultsModel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

namespace {

void FillRows(ScanResultsModel& model, int rows) {
    for (int i = 0; i < rows; ++i) {
        ScanRecord r = SampleCollectionRecord(i);
        // Artists repeat (about 120 files each) all over the list, so the
        // sort has many ties to order.
        r.ID3v1Tag.Artist = r.ID3v2Tag.Artist = QStringLiteral("Artist Number %1").arg((i / 12 * 7919) % 833);
        model.appendRecord(r);
    }
}

// Five columns sorted by artist, every header part, fonts and colours on
// every cell: what a first run writes.
CataloguerHTMLOptions HtmlOptions() {
    CataloguerHTMLOptions o;
    o.strHTMLColumnHeadings = {QStringLiteral("File Name"), QStringLiteral("Artist"), QStringLiteral("Title"),
                               QStringLiteral("Length"), QStringLiteral("File Size")};
    o.intHTMLNumColumnHeadings = 5;
    o.blnHTMLSortBy = true;
    o.strHTMLSortKey = QStringLiteral("Artist");
    o.strListTextFont = QStringLiteral("Font: Tahoma, Size Default, Colour lime");
    o.strListTextColour = QStringLiteral("black");
    o.strOutputExtension = QStringLiteral("html");
    o.blnHTMLHeaderTitle = o.blnHTMLCollectionProps = o.blnHTMLTotalNumFiles = o.blnHTMLTotalSizeFiles =
        o.blnHTMLTotalLengthFiles = o.blnHTMLListProps = o.blnHTMLListCreationDate = o.blnHTMLListCreationTime =
            o.blnHTMLNumPagesInList = o.blnHTMLColumnHeadings = true;
    o.strHTMLTitleText = o.strPageTitle = o.strPageDescription = QStringLiteral("My Music Collection");
    o.strHeaderFont.fill(QStringLiteral("Font: Tahoma, Size +1, Colour lime, Bold"));
    o.strHeaderColour.fill(QStringLiteral("darkgreen"));
    o.strPageColour.fill(QStringLiteral("black"));
    return o;
}

CataloguerTextOptions TextOptions() {
    CataloguerTextOptions o;
    o.strColumnHeadings = {QStringLiteral("File Name"), QStringLiteral("Artist"), QStringLiteral("Title"),
                           QStringLiteral("Length"), QStringLiteral("File Size")};
    o.intColumnHeadingWidths = {36, 20, 25, 8, 9};
    o.intNumColumnHeadings = 5;
    o.blnSortBy = true;
    o.strSortKey = QStringLiteral("Artist");
    o.blnHeaderTitle = o.blnCollectionProps = o.blnTotalNumFiles = o.blnTotalSizeFiles = o.blnTotalLengthFiles =
        o.blnListProps = o.blnListCreationDate = o.blnListCreationTime = o.blnNumPagesInList = o.blnColumnHeadings =
            true;
    o.strTitleText = QStringLiteral("My Music Collection");
    return o;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int rows = argc > 1 ? atoi(argv[1]) : 100000;
    const QString perPage = argc > 2 ? QString::fromLatin1(argv[2]) : QStringLiteral("100");

    ScanResultsModel model;
    FillRows(model, rows);
    CataloguePageContext context;
    context.now = QDateTime::currentDateTime();
    context.outputFileName = QStringLiteral("My Music Collection");
    context.program = ThisProgram();
    const CataloguerHTMLOptions html = HtmlOptions();
    const CataloguerTextOptions text = TextOptions();
    JobHost job;
    QElapsedTimer timer;

    timer.start();
    qint64 cells = 0;
    for (int row = 0; row < rows; ++row) cells += model.record(row).FolderListEntry.FileName.size();
    const qint64 yardstickMs = std::max<qint64>(1, timer.elapsed());
    std::printf("yardstick: every row's cells read once: %lld ms (%lld)\n", yardstickMs, cells);

    {
        // The two halves of a build apart: reading the rows, then the sort.
        CataloguerHTMLOptions unsorted = html;
        unsorted.blnHTMLSortBy = false;
        timer.restart();
        Catalogue read = BuildCatalogue(model, {CatalogueOutput::HTML, perPage, TagPreference::ID3v1}, unsorted, text,
                                        job);
        const qint64 readMs = timer.elapsed();
        timer.restart();
        SortCatalogue(read, QStringLiteral("Artist"), false, TagPreference::ID3v1, job);
        std::printf("reading %d rows: %lld ms; sorting them by artist: %lld ms\n", read.entryCount(), readMs,
                    timer.elapsed());
    }

    for (const CatalogueOutput output : {CatalogueOutput::HTML, CatalogueOutput::Text}) {
        const char* kind = output == CatalogueOutput::HTML ? "HTML" : "text";
        const long before = ResidentKiB();
        timer.restart();
        const Catalogue catalogue = BuildCatalogue(model, {output, perPage, TagPreference::ID3v1}, html, text, job);
        const qint64 buildMs = timer.elapsed();
        const long after = ResidentKiB();
        qint64 bytes = 0;
        timer.restart();
        if (output == CatalogueOutput::HTML) {
            const HtmlCataloguePage writer(catalogue, html, context);
            for (int p = 1; p <= catalogue.pageCount(); ++p) bytes += writer.page(p, job).size();
        } else {
            const TextCataloguePage writer(catalogue, text, context);
            for (int p = 1; p <= catalogue.pageCount(); ++p) bytes += writer.page(p, job).size();
        }
        const qint64 pagesMs = timer.elapsed();
        std::printf("%s: %d entries read and sorted in %lld ms, %d pages (%.1f MB of text) made in %lld ms; "
                    "total %.2f s (%.1f x yardstick); entries take %.0f MB\n",
                    kind, catalogue.entryCount(), buildMs, catalogue.pageCount(), bytes * 2 / 1048576.0, pagesMs,
                    (buildMs + pagesMs) / 1000.0, double(buildMs + pagesMs) / double(yardstickMs),
                    (after - before) / 1024.0);
    }
    return 0;
}
