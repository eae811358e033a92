#include "scanning/engine/ScanResultsListFile.h"

void ScanResultsListFile::clearRows() {
    m_pending.clear();
    m_model.clear();
}

void ScanResultsListFile::appendRow(bool checked, std::span<const QStringView> cells) {
    ScanResultsModel::NewRow row;
    row.checked = checked;
    const int n = std::min<int>(static_cast<int>(cells.size()), kScanColumnCount);
    for (int i = 0; i < n; ++i) row.texts[static_cast<size_t>(i)] = cells[static_cast<size_t>(i)].toString();
    m_pending.push_back(std::move(row));
    // Outside a load every row goes in at once; inside one, in large batches
    // so the gathered texts never pile up.
    if (m_loads == 0 || m_pending.size() >= 4096) flush();
}

void ScanResultsListFile::beginLoad() { ++m_loads; }

void ScanResultsListFile::endLoad() {
    if (m_loads > 0) --m_loads;
    flush();
}

void ScanResultsListFile::flush() {
    if (m_pending.empty()) return;
    m_model.appendRows(std::move(m_pending));
    m_pending.clear();
}
