#pragma once
// The results list as the list-file reader and writer see it (".scn" files).
// A load gathers the rows and hands them to the model in large batches.

#include "foundation/ListFiles.h"
#include "scanning/engine/ScanResultsModel.h"


class ScanResultsListFile final : public IListFileModel {
public:
    explicit ScanResultsListFile(ScanResultsModel& model) : m_model(model) {}

    QString listName() const override { return ListFileName::ScanResults; }
    int rowCount() const override { return m_model.rows(); }
    int columnCount() const override { return kScanColumnCount; }
    bool isChecked(int row) const override { return m_model.isChecked(row); }
    QString cellText(int row, int column) const override { return m_model.text(row, column); }
    void clearRows() override;
    void appendRow(bool checked, std::span<const QStringView> cells) override;
    void beginLoad() override;
    void endLoad() override;

private:
    ScanResultsModel& m_model;
    int m_loads = 0;
};
