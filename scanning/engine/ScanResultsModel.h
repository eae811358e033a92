#pragma once
// The results list's rows: one checked-or-not row of 40 texts per scanned
// file, in the fixed column order of ScanRecord.h.  Built to hold 100,000
// rows: each row keeps its 40 texts in one packed block of a RowStore, and
// sorting works on precomputed collation keys.  The check marks, removing
// rows and sorting by a column's text are foundation/CheckedRowModel.h's;
// rows can also be dragged out of the list.

#include "foundation/CheckedRowModel.h"
#include "scanning/engine/RowStore.h"
#include "scanning/engine/ScanRecord.h"

#include <QString>
#include <QStringList>
#include <QAnyStringView>
#include <QStringView>
#include <array>
#include <span>
#include <cstdint>
#include <vector>

// One row: its 40 texts packed in the model's RowStore.
struct ScanResultsRow {
    const uint32_t* block = nullptr;
    bool checked = true;
};

class ScanResultsModel : public CheckedRowModel<ScanResultsRow> {
    Q_OBJECT
public:
    struct NewRow {
        bool checked = true;
        ScanRowTexts texts;
    };

    explicit ScanResultsModel(QObject* parent = nullptr);

    // ---- Qt model ----
    // A row's cells can be dragged as well.
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // ---- rows ----
    // Adds a row; `texts` beyond the 40th are ignored, missing ones are empty.
    void appendRow(bool checked, const QStringList& texts);
    void appendRow(bool checked, const ScanRowTexts& texts);
    // Adds a checked row from a record (a scan's new row).
    void appendRecord(const ScanRecord& record, bool checked = true);
    // Adds many rows with one insertion notice (list-file loads, scans).
    void appendRows(std::vector<NewRow>&& rows);
    // What a scan uses: a record's row is packed straight from its fields
    // (the cell texts of ScanRecordTexts, without making them one by one) and
    // held back; commitStaged adds the held rows with one insertion notice.
    void stageRecord(const ScanRecord& record, bool checked = true);
    // The same for a row of cell texts (a list-file load): texts beyond the
    // 40th are ignored, missing ones are empty.
    void stageRow(bool checked, std::span<const QStringView> cells);
    int stagedRows() const { return static_cast<int>(m_staged.size()); }
    void commitStaged();
    // Room for `count` rows in all, so a scan that knows its file count
    // never moves the rows it has added.
    void reserveRows(size_t count);
    // Removes every row (and every staged one).
    void clear() override;

    // Cell text by row and column index.
    QString text(int row, int column) const { return cellView(row, column).toString(); }
    // The cell's text as the model holds it (Latin-1 or UTF-16).
    QAnyStringView cellView(int row, int column) const;
    QStringList rowTexts(int row) const;
    // Sets one cell.
    void setText(int row, int column, const QString& text);
    // The full path of the row's file: folder cell joined with file-name cell.
    QString fullPath(int row) const;

    // A record rebuilt from the row's cells.
    ScanRecord record(int row) const;
    // Rewrites cells 2 to 39 from a fresh record; the file name, the folder and
    // the check mark stay.
    void updateRowFromRecord(int row, const ScanRecord& record);

protected:
    // Display and tool-tip roles: the text as well as it can be shown (a
    // name that is not UTF-8 is held with its bytes); edit role: the text.
    QVariant cellData(int row, int column, int role) const override;
    QString sortText(int row, int column) const override { return text(row, column); }
    // Gives the rows' blocks back to the store.
    void eraseRows(int first, int count) override;

private:
    using Row = ScanResultsRow;
    template <typename Texts>
    Row pack(bool checked, const Texts& texts, int count);
    void replaceTexts(Row& row, int firstColumn, const QString* texts, int count);
    void compactIfWasteful();

    RowStore m_store;
    std::vector<Row> m_staged;
};
