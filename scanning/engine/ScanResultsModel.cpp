#include "scanning/engine/ScanResultsModel.h"

#include "foundation/NativePath.h"
#include "scanning/engine/GenreLookup.h"

#include <algorithm>
#include <cstring>

ScanResultsModel::ScanResultsModel(QObject* parent)
    : CheckedRowModel({.columns = kScanColumnCount, .removable = true, .sortable = true}, parent) {}

template <typename Texts>
ScanResultsModel::Row ScanResultsModel::pack(bool checked, const Texts& texts, int count) {
    QAnyStringView cells[kScanColumnCount];
    for (int i = 0; i < kScanColumnCount && i < count; ++i) cells[i] = texts[i];
    return Row{m_store.pack(cells), checked};
}

void ScanResultsModel::replaceTexts(Row& row, int firstColumn, const QString* texts, int count) {
    QAnyStringView cells[kScanColumnCount];
    for (int i = 0; i < kScanColumnCount; ++i)
        cells[i] = i >= firstColumn && i < firstColumn + count ? QAnyStringView(texts[i - firstColumn])
                                                                 : RowStore::Cell(row.block, i);
    const uint32_t* old = row.block;
    row.block = m_store.pack(cells);
    m_store.release(old);
}

void ScanResultsModel::compactIfWasteful() {
    // Worth a copy only when most of a sizeable store is waste.
    if (m_store.wastedWords() < (size_t(1) << 20) || m_store.wastedWords() * 2 < m_store.usedWords()) return;
    RowStore fresh;
    QAnyStringView cells[kScanColumnCount];
    for (std::vector<Row>* rows : {&m_rows, &m_staged}) {
        for (Row& r : *rows) {
            for (int i = 0; i < kScanColumnCount; ++i) cells[i] = RowStore::Cell(r.block, i);
            r.block = fresh.pack(cells);
        }
    }
    m_store = std::move(fresh);
}

QAnyStringView ScanResultsModel::cellView(int row, int column) const {
    return RowStore::Cell(m_rows[static_cast<size_t>(row)].block, column);
}

QVariant ScanResultsModel::cellData(int row, int column, int role) const {
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        // A name that is not UTF-8 is held with its bytes; it is shown as
        // well as it can be.
        return PathForDisplay(cellView(row, column).toString());
    }
    if (role == Qt::EditRole) return cellView(row, column).toString();
    return {};
}

Qt::ItemFlags ScanResultsModel::flags(const QModelIndex& index) const {
    const Qt::ItemFlags f = CheckedRowModel::flags(index);
    return index.isValid() ? f | Qt::ItemIsDragEnabled : f;
}

QVariant ScanResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < kScanColumnCount)
        return ScanColumnCaptions()[static_cast<size_t>(section)];
    return QAbstractTableModel::headerData(section, orientation, role);
}

void ScanResultsModel::eraseRows(int first, int count) {
    for (int i = first; i < first + count; ++i) m_store.release(m_rows[static_cast<size_t>(i)].block);
    CheckedRowModel::eraseRows(first, count);
    compactIfWasteful();
}

void ScanResultsModel::appendRow(bool checked, const QStringList& texts) {
    const int row = rows();
    beginInsertRows(QModelIndex(), row, row);
    m_rows.push_back(pack(checked, texts, static_cast<int>(texts.size())));
    endInsertRows();
}

void ScanResultsModel::appendRow(bool checked, const ScanRowTexts& texts) {
    const int row = rows();
    beginInsertRows(QModelIndex(), row, row);
    m_rows.push_back(pack(checked, texts, kScanColumnCount));
    endInsertRows();
}

void ScanResultsModel::appendRecord(const ScanRecord& record, bool checked) {
    appendRow(checked, ScanRecordTexts(record));
}

void ScanResultsModel::appendRows(std::vector<NewRow>&& newRows) {
    if (newRows.empty()) return;
    const int first = rows();
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(newRows.size()) - 1);
    // Grown by doubling: an exact reserve per batch would move every row
    // again for each batch a scan hands over.
    if (m_rows.capacity() < m_rows.size() + newRows.size())
        m_rows.reserve(std::max(m_rows.size() + newRows.size(), m_rows.capacity() * 2));
    for (NewRow& r : newRows) m_rows.push_back(pack(r.checked, r.texts, kScanColumnCount));
    endInsertRows();
}

namespace {
// A number's decimal text (no grouping) in a small buffer.
struct Digits {
    char16_t text[24];
    int size = 0;
    explicit Digits(int64_t value) {
        const bool negative = value < 0;
        uint64_t v = negative ? uint64_t(0) - uint64_t(value) : uint64_t(value);
        char16_t reversed[24];
        int n = 0;
        do {
            reversed[n++] = char16_t(u'0' + v % 10);
            v /= 10;
        } while (v != 0);
        if (negative) reversed[n++] = u'-';
        while (n > 0) text[size++] = reversed[--n];
    }
    QStringView view() const { return QStringView(text, size); }
};
}  // namespace

void ScanResultsModel::stageRecord(const ScanRecord& r, bool checked) {
    const ID3v1Tag& v1 = r.ID3v1Tag;
    const ID3v2Tag& v2 = r.ID3v2Tag;
    const MPEGInfo& m = r.MPEGInfo;
    const QString genre = ScanGenreName(v1.Genre);
    const Digits track(v1.Track);
    const Digits size(m.FileSize), position(m.HeaderPosition), length(m.LengthMs), version(m.Version),
        layer(m.Layer), bitrate(m.Bitrate), frames(m.FrameCount), rate(m.SampleRate), channels(m.Channels);
    // The cells in column order (the texts of ScanRecordTexts).
    const QStringView cells[kScanColumnCount] = {
        r.FolderListEntry.FileName, r.FolderListEntry.Folder, v1.Title, v1.Artist,
        v1.Track != 0 ? track.view() : QStringView(), v1.Album, v1.Year, v1.Comment, genre,
        v2.Title, v2.Artist, v2.Track, v2.Album, v2.Year, v2.Comment, v2.Genre, v2.Composer, v2.OrigArtist,
        v2.Copyright, v2.URL, v2.EncodedBy, size.view(), position.view(), length.view(), version.view(),
        layer.view(), bitrate.view(), frames.view(), rate.view(), m.ChannelMode, m.Private, m.CRCs,
        m.Copyrighted, m.Original, m.Emphasis, channels.view(), r.FileDetails.Attributes,
        r.FileDetails.Created, r.FileDetails.Modified, r.FileDetails.Accessed};
    m_staged.push_back(Row{m_store.pack(cells), checked});
}

void ScanResultsModel::stageRow(bool checked, std::span<const QStringView> cells) {
    QStringView all[kScanColumnCount];
    for (size_t i = 0; i < cells.size() && i < size_t(kScanColumnCount); ++i) all[i] = cells[i];
    m_staged.push_back(Row{m_store.pack(all), checked});
}

void ScanResultsModel::commitStaged() {
    if (m_staged.empty()) return;
    const int first = rows();
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(m_staged.size()) - 1);
    if (m_rows.capacity() < m_rows.size() + m_staged.size())
        m_rows.reserve(std::max(m_rows.size() + m_staged.size(), m_rows.capacity() * 2));
    m_rows.insert(m_rows.end(), m_staged.begin(), m_staged.end());
    m_staged.clear();
    endInsertRows();
}

void ScanResultsModel::reserveRows(size_t count) {
    if (count > m_rows.capacity()) m_rows.reserve(count);
}

void ScanResultsModel::clear() {
    m_staged.clear();
    if (m_rows.empty()) {
        m_store.clear();
        return;
    }
    beginResetModel();
    std::vector<Row>().swap(m_rows);
    m_store.clear();
    endResetModel();
}

QStringList ScanResultsModel::rowTexts(int row) const {
    QStringList texts;
    texts.reserve(kScanColumnCount);
    for (int c = 0; c < kScanColumnCount; ++c) texts.push_back(text(row, c));
    return texts;
}

void ScanResultsModel::setText(int row, int column, const QString& text) {
    replaceTexts(m_rows[static_cast<size_t>(row)], column, &text, 1);
    compactIfWasteful();
    const QModelIndex idx = index(row, column);
    emit dataChanged(idx, idx, {Qt::DisplayRole, Qt::EditRole, Qt::ToolTipRole});
}

QString ScanResultsModel::fullPath(int row) const {
    return JoinFolderFile(text(row, ScanColumn::Folder), text(row, ScanColumn::FileName));
}

ScanRecord ScanResultsModel::record(int row) const { return ScanRecordFromTexts(rowTexts(row)); }

void ScanResultsModel::updateRowFromRecord(int row, const ScanRecord& record) {
    const ScanRowTexts texts = ScanRecordTexts(record);
    constexpr int first = ScanColumn::ID3v1Title;
    replaceTexts(m_rows[static_cast<size_t>(row)], first, texts.data() + first, kScanColumnCount - first);
    compactIfWasteful();
    emit dataChanged(index(row, first), index(row, kScanColumnCount - 1),
                     {Qt::DisplayRole, Qt::EditRole, Qt::ToolTipRole});
}
