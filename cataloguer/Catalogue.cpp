#include "cataloguer/Catalogue.h"

#include "foundation/Errors.h"
#include "foundation/Genres.h"
#include "foundation/ResourceStrings.h"
#include "foundation/SharedServices.h"
#include "scanning/engine/GenreLookup.h"
#include "scanning/engine/ID3v1.h"
#include "foundation/NumberText.h"
#include "scanning/engine/ScanResultsModel.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <limits>
#include <numeric>

CatalogueSort SelectedCatalogueSort(CatalogueOutput output, const CataloguerHTMLOptions& html,
                                    const CataloguerTextOptions& text) {
    CatalogueSort s;
    if (output == CatalogueOutput::HTML) {
        s.sort = html.blnHTMLSortBy && !html.strHTMLSortKey.isEmpty();
        s.key = html.strHTMLSortKey;
        s.descending = html.lngHTMLSortOrder != 0;
    } else {
        s.sort = text.blnSortBy && !text.strSortKey.isEmpty();
        s.key = text.strSortKey;
        s.descending = text.lngSortOrder != 0;
    }
    return s;
}

bool HasCatalogueColumns(CatalogueOutput output, const CataloguerHTMLOptions& html, const CataloguerTextOptions& text) {
    return (output == CatalogueOutput::HTML ? html.intHTMLNumColumnHeadings : text.intNumColumnHeadings) > 0;
}

int EntriesPerPageFromText(const QString& text) {
    const double value = std::floor(LeadingNumber(text));
    if (!(value >= 1)) return 1;  // also NaN
    if (value >= double(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    return static_cast<int>(value);
}

QString CataloguePageNumber(int page) { return QStringLiteral("%1").arg(page, 3, 10, QLatin1Char('0')); }

QString CataloguePageTabCaption(int page) {
    return GetResourceString(TextId::Cataloguer::OutputTab) + CataloguePageNumber(page);
}

// ---- Catalogue --------------------------------------------------------------

namespace {

// A numeric cell's value as the results list's records read it: the whole
// text as a decimal number, 0 when it is empty or holds none.
int64_t CellNumber(QAnyStringView cell) {
    bool ok = false;
    const qlonglong value = cell.visit([&ok](auto view) -> qlonglong {
        if constexpr (std::is_same_v<decltype(view), QUtf8StringView>)
            return QString::fromUtf8(view.data(), view.size()).toLongLong(&ok);
        else
            return view.toLongLong(&ok);
    });
    return ok ? value : 0;
}

}  // namespace

Catalogue::Catalogue(const std::vector<ScanRecord>& records, CatalogueOutput output, int entriesPerPage) {
    m_entries.reserve(records.size());
    for (const ScanRecord& record : records) {
        const ScanRowTexts texts = ScanRecordTexts(record);
        std::array<QAnyStringView, kScanColumnCount> cells;
        for (int c = 0; c < kScanColumnCount; ++c) cells[size_t(c)] = texts[size_t(c)];
        append(cells.data());
    }
    finish(output, entriesPerPage);
}

void Catalogue::append(const QAnyStringView* row) {
    using namespace ScanColumn;
    // Build reads neither the header position nor the file details.
    std::array<QAnyStringView, kScanColumnCount> cells;
    std::copy(row, row + kScanColumnCount, cells.begin());
    for (int c : {int(HeaderFoundAt), int(Attributes), int(Created), int(Modified), int(Accessed)})
        cells[size_t(c)] = QAnyStringView();
    Entry e;
    e.texts = m_texts.pack(cells.data());
    e.fileSize = CellNumber(cells[Size]);
    e.lengthMs = CellNumber(cells[LengthMs]);
    e.frames = CellNumber(cells[Frames]);
    e.version = CellNumber(cells[MPEGVersion]);
    e.layer = CellNumber(cells[LayerVersion]);
    e.bitrate = CellNumber(cells[BitRate]);
    e.sampleRate = CellNumber(cells[Frequency]);
    if (!cells[ID3v1Track].isEmpty()) e.id3v1Track = GetID3v1Track(cells[ID3v1Track].toString());
    if (!cells[ID3v1Genre].isEmpty()) e.id3v1Genre = ScanGenreID(cells[ID3v1Genre].toString());
    m_entries.push_back(e);
}

void Catalogue::finish(CatalogueOutput output, int entriesPerPage) {
    m_output = output;
    m_entriesPerPage = std::max(entriesPerPage, 1);
    const int64_t n = static_cast<int64_t>(m_entries.size());
    m_pageCount = static_cast<int>((n + m_entriesPerPage - 1) / m_entriesPerPage);
    m_totalBytes = m_totalSeconds = 0;
    for (const Entry& e : m_entries) {
        m_totalBytes += e.fileSize;
        m_totalSeconds += e.lengthMs / 1000;
    }
}

Catalogue::PageRange Catalogue::pageEntries(int page) const {
    if (page < 1 || page > m_pageCount)
        RaiseError(ErrNo::SubscriptOutOfRange, QStringLiteral("Sonivard"),
                   StandardErrorText(ErrNo::SubscriptOutOfRange) + QStringLiteral(" (page ") + QString::number(page) +
                       QStringLiteral(" of ") + QString::number(m_pageCount) + QLatin1Char(')'));
    const int64_t first = int64_t(page - 1) * m_entriesPerPage;
    const int64_t end = std::min<int64_t>(first + m_entriesPerPage, int64_t(m_entries.size()));
    return {static_cast<int>(first), static_cast<int>(end)};
}

QAnyStringView Catalogue::text(const Entry& e, int column) const { return RowStore::Cell(e.texts, column); }

QString Catalogue::preferred(const Entry& e, int id3v1Column, int id3v2Column, TagPreference preference) const {
    const QAnyStringView v1 = text(e, id3v1Column), v2 = text(e, id3v2Column);
    if (preference == TagPreference::ID3v1) return (v1.isEmpty() ? v2 : v1).toString();
    return (v2.isEmpty() ? v1 : v2).toString();
}

int64_t Catalogue::number(int entry, CatalogueColumn column) const {
    const Entry& e = m_entries[size_t(entry)];
    switch (column) {
    case CatalogueColumn::Bitrate: return e.bitrate;
    case CatalogueColumn::MPEGVersion: return e.version;
    case CatalogueColumn::LayerVersion: return e.layer;
    case CatalogueColumn::FileSize: return e.fileSize;
    case CatalogueColumn::Frames: return e.frames;
    case CatalogueColumn::Frequency: return e.sampleRate;
    case CatalogueColumn::Length: return e.lengthMs;  // milliseconds, not the shown time
    default: return 0;
    }
}

QString Catalogue::cell(int entry, CatalogueColumn column, TagPreference preference) const {
    using namespace ScanColumn;
    const Entry& e = m_entries[size_t(entry)];
    auto plain = [&](int c) { return text(e, c).toString(); };
    switch (column) {
    case CatalogueColumn::Album: return preferred(e, ID3v1Album, ID3v2Album, preference);
    case CatalogueColumn::Artist: return preferred(e, ID3v1Artist, ID3v2Artist, preference);
    case CatalogueColumn::Comment: return preferred(e, ID3v1Comment, ID3v2Comment, preference);
    case CatalogueColumn::Title: return preferred(e, ID3v1Title, ID3v2Title, preference);
    case CatalogueColumn::Year: return preferred(e, ID3v1Year, ID3v2Year, preference);
    case CatalogueColumn::Genre: return ChooseID3Field(GetGenreFromID(e.id3v1Genre), plain(ID3v2Genre), preference);
    case CatalogueColumn::Track:
        return ChooseID3Field(QString::number(e.id3v1Track), plain(ID3v2Track), preference);
    case CatalogueColumn::Composer: return plain(ID3v2Composer);
    case CatalogueColumn::Copyright: return plain(ID3v2Copyright);
    case CatalogueColumn::EncodedBy: return plain(ID3v2EncodedBy);
    case CatalogueColumn::OrigArtist: return plain(ID3v2OrigArtist);
    case CatalogueColumn::URL: return plain(ID3v2URL);
    case CatalogueColumn::Copyrighted: return plain(Copyrighted);
    case CatalogueColumn::CRCs: return plain(CRCs);
    case CatalogueColumn::Emphasis: return plain(Emphasis);
    case CatalogueColumn::Mode: return plain(Mode);
    case CatalogueColumn::Original: return plain(Original);
    case CatalogueColumn::Private: return plain(Private);
    case CatalogueColumn::FileName: return plain(FileName);
    case CatalogueColumn::Path: return plain(Folder);
    case CatalogueColumn::Length: return TimeFromSeconds(e.lengthMs / 1000);
    case CatalogueColumn::Bitrate:
    case CatalogueColumn::FileSize:
    case CatalogueColumn::Frames:
    case CatalogueColumn::Frequency:
    case CatalogueColumn::LayerVersion:
    case CatalogueColumn::MPEGVersion: return QString::number(number(entry, column));
    case CatalogueColumn::Unknown: break;
    }
    return QString();
}

QString Catalogue::cell(int entry, const QString& columnName, TagPreference preference) const {
    return cell(entry, CatalogueColumnFromName(columnName), preference);
}

ScanRecord Catalogue::record(int entry) const {
    const Entry& e = m_entries[size_t(entry)];
    QStringList texts;
    texts.reserve(kScanColumnCount);
    for (int c = 0; c < kScanColumnCount; ++c) texts << text(e, c).toString();
    return ScanRecordFromTexts(texts);
}

// ---- Build ------------------------------------------------------------------

Catalogue BuildCatalogue(const ScanResultsModel& rows, const CatalogueBuildRequest& request,
                         const CataloguerHTMLOptions& html, const CataloguerTextOptions& text, JobHost& job) {
    return WithTrail(QStringLiteral("BuildCatalogue"), [&] {
        const CatalogueSort sort = SelectedCatalogueSort(request.output, html, text);
        const int64_t checked = rows.checkedCount();
        const int64_t maximum = checked * (sort.sort ? 2 : 1);

        Catalogue catalogue;
        catalogue.m_entries.reserve(static_cast<size_t>(checked));
        std::array<QAnyStringView, kScanColumnCount> cells;
        YieldClock clock(job.YieldIntervalMs());
        for (int row = 0; row < rows.rows(); ++row) {
            if (clock.due()) {
                job.ShowProgress(catalogue.entryCount(), maximum);
                job.ShowStatus(GetResourceString(TextId::Cataloguer::ReadingResults) + rows.fullPath(row));
                job.Yield();
            }
            if (job.mblnStopAll) break;
            if (!rows.isChecked(row)) continue;
            for (int c = 0; c < kScanColumnCount; ++c) cells[size_t(c)] = rows.cellView(row, c);
            catalogue.append(cells.data());
        }
        job.ShowProgress(catalogue.entryCount(), maximum);
        catalogue.finish(request.output, EntriesPerPageFromText(request.entriesPerPage));

        if (sort.sort)
            SortCatalogue(catalogue, sort.key, sort.descending, request.preference, job, checked, maximum);
        return catalogue;
    });
}

// ---- the sort ---------------------------------------------------------------

namespace {

// How a key compares.
enum class KeyKind { Number, Text, None };

KeyKind KindOfKey(CatalogueColumn column) {
    switch (column) {
    case CatalogueColumn::Bitrate:
    case CatalogueColumn::MPEGVersion:
    case CatalogueColumn::LayerVersion:
    case CatalogueColumn::FileSize:
    case CatalogueColumn::Frames:
    case CatalogueColumn::Frequency:
    case CatalogueColumn::Length: return KeyKind::Number;
    case CatalogueColumn::Unknown: return KeyKind::None;
    default: return KeyKind::Text;
    }
}

// Dense ranks 0.. of `keys` (equal keys, equal ranks), reversed when descending.
template <typename Key>
std::vector<int32_t> Ranks(const std::vector<Key>& keys, bool descending) {
    std::vector<int32_t> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int32_t a, int32_t b) { return keys[size_t(a)] < keys[size_t(b)]; });
    std::vector<int32_t> ranks(keys.size());
    int32_t rank = 0;
    for (size_t i = 0; i < order.size(); ++i) {
        if (i > 0 && keys[size_t(order[i - 1])] < keys[size_t(order[i])]) ++rank;
        ranks[size_t(order[i])] = rank;
    }
    if (descending)
        for (int32_t& r : ranks) r = rank - r;
    return ranks;
}

// Counts of positions added so far below a position (a Fenwick tree).
class PositionCounter {
public:
    explicit PositionCounter(size_t n) : m_tree(n + 1, 0) {}
    void add(size_t position) {
        for (size_t i = position + 1; i < m_tree.size(); i += i & (~i + 1)) ++m_tree[i];
    }
    // How many added positions are below `position`.
    int32_t below(size_t position) const {
        int32_t count = 0;
        for (size_t i = position; i > 0; i -= i & (~i + 1)) count += m_tree[i];
        return count;
    }

private:
    std::vector<int32_t> m_tree;
};

void RotateLeft(std::deque<int32_t>& queue, int64_t steps) {
    if (queue.size() < 2) return;
    const auto size = static_cast<int64_t>(queue.size());
    int64_t r = steps % size;
    if (r <= size / 2) {
        for (; r > 0; --r) {
            queue.push_back(queue.front());
            queue.pop_front();
        }
    } else {
        for (r = size - r; r > 0; --r) {
            queue.push_front(queue.back());
            queue.pop_back();
        }
    }
}

}  // namespace

// Why this gives the exchange sort's order.  Pass i of that sort leaves at i
// the first of the smallest remaining items; what it does to the items of
// one rank x depends only on which remaining items are smaller (L), equal
// (E) or larger, and larger items never move an E.  While L items remain,
// each pass takes out the first L; when the first E comes before it, that E
// moves into the L's place, past the E items between.  Seen on the E and L
// items alone, the leading run of E items turns by one each time an L after
// it goes, and the run then grows by the E items up to the next L.  Once the
// L items are gone the E items leave in the order they then have.  So each
// rank's items are a queue that turns by the number of smaller items
// standing between its members in the list, which a count of smaller items
// before each position gives.
std::vector<int32_t> ExchangeSortOrder(std::span<const int32_t> ranks) {
    const size_t n = ranks.size();
    std::vector<int32_t> order;
    order.reserve(n);
    if (n == 0) return order;
    const int32_t highest = *std::max_element(ranks.begin(), ranks.end());
    // Positions of each rank, in list order (a counting sort).
    std::vector<int32_t> start(size_t(highest) + 2, 0);
    for (int32_t r : ranks) ++start[size_t(r) + 1];
    for (size_t r = 1; r < start.size(); ++r) start[r] += start[r - 1];
    std::vector<int32_t> byRank(n);
    {
        std::vector<int32_t> next(start.begin(), start.end() - 1);
        for (size_t p = 0; p < n; ++p) byRank[size_t(next[size_t(ranks[p])]++)] = static_cast<int32_t>(p);
    }

    PositionCounter smaller(n);
    std::deque<int32_t> queue;
    for (size_t r = 0; r + 1 < start.size(); ++r) {
        const int32_t first = start[r], end = start[r + 1];
        if (first == end) continue;
        const int32_t smallerTotal = first;  // items of lower ranks
        queue.clear();
        int32_t passed = 0;  // smaller items before the last member
        for (int32_t k = first; k < end; ++k) {
            const auto p = size_t(byRank[size_t(k)]);
            const int32_t before = smaller.below(p);
            RotateLeft(queue, before - passed);
            queue.push_back(static_cast<int32_t>(p));
            passed = before;
        }
        RotateLeft(queue, smallerTotal - passed);
        order.insert(order.end(), queue.begin(), queue.end());
        for (int32_t k = first; k < end; ++k) smaller.add(size_t(byRank[size_t(k)]));
    }
    return order;
}

void SortCatalogue(Catalogue& catalogue, const QString& key, bool descending, TagPreference preference,
                   JobHost& job, int64_t progressBase, int64_t progressMaximum) {
    WithTrail(CallSite(QStringLiteral("SortCatalogue"), key, descending), [&] {
        const CatalogueColumn column = CatalogueColumnFromName(key);
        const KeyKind kind = KindOfKey(column);
        const int n = catalogue.entryCount();
        if (progressMaximum <= 0) progressMaximum = progressBase + n;

        // Each key once; a stop while reading them leaves the order alone.
        std::vector<int64_t> numbers;
        std::vector<QString> texts;
        if (kind == KeyKind::Number) numbers.resize(size_t(n));
        if (kind == KeyKind::Text) texts.resize(size_t(n));
        YieldClock clock(job.YieldIntervalMs());
        for (int i = 0; i < n && kind != KeyKind::None; ++i) {
            if (clock.due()) {
                job.ShowProgress(progressBase + i, progressMaximum);
                job.ShowStatus(GetResourceString(TextId::Cataloguer::SortingResults) + QString::number(i + 1) +
                               GetResourceString(TextId::Cataloguer::Of) + QString::number(n) +
                               GetResourceString(TextId::Cataloguer::PleaseWait));
                job.Yield();
            }
            if (job.mblnStopAll) break;
            if (kind == KeyKind::Number) numbers[size_t(i)] = catalogue.number(i, column);
            else texts[size_t(i)] = catalogue.cell(i, column, preference);
        }
        // A build stopped while reading its rows comes here with the request
        // still set: the sort then ends at once.
        if (job.mblnStopAll) {
            job.ShowStatus(GetResourceString(TextId::Cataloguer::SortingInterrupted));
            return;
        }
        if (kind != KeyKind::None && n > 1) {
            const std::vector<int32_t> ranks =
                kind == KeyKind::Number ? Ranks(numbers, descending) : Ranks(texts, descending);
            const std::vector<int32_t> order = ExchangeSortOrder(ranks);
            std::vector<Catalogue::Entry> sorted;
            sorted.reserve(size_t(n));
            for (int32_t i : order) sorted.push_back(catalogue.m_entries[size_t(i)]);
            catalogue.m_entries = std::move(sorted);
        }
        job.ShowProgress(progressBase + n, progressMaximum);
        job.ShowStatus(GetResourceString(TextId::Cataloguer::SortingComplete));
    });
}
