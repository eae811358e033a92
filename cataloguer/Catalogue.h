#pragma once
// A catalogue: the entries that Build copies from the checked rows of the
// results list, in list order or sorted on one column, with the output type
// and the page size fixed when it is built.  The page writers
// (cataloguer/HtmlCataloguePage.h, cataloguer/TextCataloguePage.h) make each
// page from it; the Music Cataloguer window keeps the last one until the next
// Build.
//
// What Build fixes stays fixed: the entries and their order, the output
// type, the entries per page (at least 1, whatever the box held) and so the
// number of pages, which the viewer's tabs, the page links and the list
// properties all take from here.  Counts and positions are plain ints: a
// catalogue holds as many entries as the results list has rows.  Each entry
// keeps its row's texts packed as the results list keeps them, with the
// numbers read from them once, so 100,000 entries take a few tens of
// megabytes and the sort moves no texts.
//
// How the window's Build uses it, after the long-job start check and the
// column check (HasCatalogueColumns, else the "No Column Headings Selected"
// box):
//
//   m_catalogue = BuildCatalogue(model, {output, TextEntriesPerPage text, preference},
//                                Options().CataloguerHTML, Options().CataloguerText, job);
//   one tab per page 1 .. m_catalogue.pageCount(), captioned CataloguePageTabCaption(p)
//
// The sort orders the entries on the selected output type's sort key exactly
// as an exchange sort of whole records would (equal keys end up in that
// sort's order, which is not their list order), but computes each key once
// and ranks: n log n steps for usual collections, never more than about
// n times the square root of n.

#include "cataloguer/CatalogueColumns.h"
#include "foundation/JobHost.h"
#include "foundation/OptionRecords.h"
#include "scanning/engine/RowStore.h"
#include "scanning/engine/ScanRecord.h"

#include <QString>
#include <cstdint>
#include <span>
#include <vector>

class ScanResultsModel;
struct CatalogueBuildRequest;

enum class CatalogueOutput { HTML = 0, Text = 1 };

// The sort settings of the selected output type.
struct CatalogueSort {
    bool sort = false;  // "SortBy" on and a "SortKey" given
    QString key;        // a column name
    bool descending = false;
};
CatalogueSort SelectedCatalogueSort(CatalogueOutput output, const CataloguerHTMLOptions& html,
                                    const CataloguerTextOptions& text);
// Whether the selected output type has any column to show.
bool HasCatalogueColumns(CatalogueOutput output, const CataloguerHTMLOptions& html, const CataloguerTextOptions& text);

// The entries per page that a box text gives: the number it begins with,
// whole, at least 1 (an empty box, "0" or no number give 1) and at most
// 2,147,483,647.
int EntriesPerPageFromText(const QString& text);

// A page number written with at least three digits: 1 gives "001", 1000 "1000".
QString CataloguePageNumber(int page);
// The caption of page p's viewer tab: "Output " and the page number.
QString CataloguePageTabCaption(int page);

class Catalogue {
public:
    // Nothing built: no entries, no pages.
    Catalogue() = default;
    // A catalogue of `records`, in their order, each taken as its results row
    // would hold it.  `entriesPerPage` below 1 counts as 1.
    Catalogue(const std::vector<ScanRecord>& records, CatalogueOutput output, int entriesPerPage);
    Catalogue(Catalogue&&) noexcept = default;
    Catalogue& operator=(Catalogue&&) noexcept = default;

    int entryCount() const { return static_cast<int>(m_entries.size()); }
    CatalogueOutput output() const { return m_output; }
    int entriesPerPage() const { return m_entriesPerPage; }
    // ceil(entries / entries per page); 0 without entries.
    int pageCount() const { return m_pageCount; }

    // The 0-based entry indexes [first, end) of page `page` (1-based).
    // Error 9 for a page outside 1 to pageCount().
    struct PageRange {
        int first = 0;
        int end = 0;
    };
    PageRange pageEntries(int page) const;

    // Over all entries: the file sizes in bytes, and the lengths in whole
    // seconds, each entry's milliseconds rounded down before adding.
    int64_t totalBytes() const { return m_totalBytes; }
    int64_t totalSeconds() const { return m_totalSeconds; }

    // The text of one cell of entry `entry` (0-based), with `preference`
    // choosing between the two tags' values (the window's choice of the
    // moment).  A name that is none of the 27 gives an empty cell.  Numbers
    // are plain decimal ("0" for a cell the list left empty); "Length" is the
    // whole seconds as hh:mm:ss; the ID3v1 track is "0" when the tag has
    // none, so under the ID3v1 preference it always wins over the ID3v2 one;
    // the ID3v1 genre is its name in the genre table, none when the table
    // lacks it.
    QString cell(int entry, CatalogueColumn column, TagPreference preference) const;
    QString cell(int entry, const QString& columnName, TagPreference preference) const;
    // The entry as a record: its cells converted as the results list's rows
    // are; the file details and the header position are empty.
    ScanRecord record(int entry) const;

private:
    friend Catalogue BuildCatalogue(const ScanResultsModel&, const CatalogueBuildRequest&,
                                    const CataloguerHTMLOptions&, const CataloguerTextOptions&, JobHost&);
    friend void SortCatalogue(Catalogue&, const QString&, bool, TagPreference, JobHost&, int64_t, int64_t);

    // One entry: its row's texts packed in m_texts, and the numbers read from
    // them once.
    struct Entry {
        const uint32_t* texts = nullptr;
        int64_t fileSize = 0;
        int64_t lengthMs = 0;
        int64_t frames = 0;
        int64_t version = 0;
        int64_t layer = 0;
        int64_t bitrate = 0;
        int64_t sampleRate = 0;
        uint8_t id3v1Track = 0;
        uint8_t id3v1Genre = 255;
    };
    // Adds an entry from a row's 40 cells.
    void append(const QAnyStringView* cells);
    // Fixes the output type and the pages once every entry is in.
    void finish(CatalogueOutput output, int entriesPerPage);
    QAnyStringView text(const Entry& e, int column) const;
    QString preferred(const Entry& e, int id3v1Column, int id3v2Column, TagPreference preference) const;
    int64_t number(int entry, CatalogueColumn column) const;

    RowStore m_texts;
    std::vector<Entry> m_entries;
    CatalogueOutput m_output = CatalogueOutput::HTML;
    int m_entriesPerPage = 1;
    int m_pageCount = 0;
    int64_t m_totalBytes = 0;
    int64_t m_totalSeconds = 0;
};

struct CatalogueBuildRequest {
    CatalogueOutput output = CatalogueOutput::HTML;
    QString entriesPerPage = QStringLiteral("100");  // the window's box text
    TagPreference preference = TagPreference::ID3v1;
};

// Build: every checked row of `rows`, in list order, becomes an entry (its
// cells converted as the results list's rows are; an empty or unreadable
// number reads as 0, the file details and the header position stay empty);
// then the entries are sorted when the selected output type asks for it.
// Reports through `job`: at each yield the progress (checked rows, twice
// over when sorting) and "Reading Results: " with the row's path; the sort's
// own status texts.  A stop (job.mblnStopAll, read before each row) keeps
// the rows read so far, unsorted; the caller reports the end.
Catalogue BuildCatalogue(const ScanResultsModel& rows, const CatalogueBuildRequest& request,
                         const CataloguerHTMLOptions& html, const CataloguerTextOptions& text, JobHost& job);

// Sorts the entries on column `key` (numeric for the MPEG numbers, the file
// size and the length in milliseconds; by character code for every other of
// the 27 columns, on the cell text under `preference`).  A key that is none
// of the 27 leaves the order as it is.  Shows "Sorting Results i of n -
// Please wait..." at yields, then "Sorting complete", or "Sorting interrupted
// by user" when a stop is seen, in which case the order stays as it was.
// `progressBase` is where the progress bar stands when the sort starts;
// each key read advances it by one of `progressMaximum`.
void SortCatalogue(Catalogue& catalogue, const QString& key, bool descending, TagPreference preference,
                   JobHost& job, int64_t progressBase = 0, int64_t progressMaximum = 0);

// The order in which an exchange sort leaves items of ascending `ranks`:
//   for i in 0 .. n-2: for j in i+1 .. n-1: if rank[a[j]] < rank[a[i]]: swap a[i], a[j]
// returned as the item indexes in their final order.  Ranks are 0 or more.
std::vector<int32_t> ExchangeSortOrder(std::span<const int32_t> ranks);
