#include "scanning/engine/ScanResultsListFile.h"

void ScanResultsListFile::clearRows() { m_model.clear(); }

void ScanResultsListFile::appendRow(bool checked, std::span<const QStringView> cells) {
    // Packed straight from the reader's line; outside a load the row shows at
    // once, inside one the rows go to the model in large batches.
    m_model.stageRow(checked, cells);
    if (m_loads == 0 || m_model.stagedRows() >= 4096) m_model.commitStaged();
}

void ScanResultsListFile::beginLoad() { ++m_loads; }

void ScanResultsListFile::endLoad() {
    if (m_loads > 0) --m_loads;
    m_model.commitStaged();
}
