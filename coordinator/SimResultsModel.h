#pragma once
// The simulate results table's rows: per row a check mark, the eight cells of
// coordinator/SimRow.h and, once its action has set one, the colour of its
// text.  A ticked row is one that Apply processes.  Rows made by the
// derivation engine are ticked and coloured by their action
// (updateSimResultEntry); rows loaded from a ".sim" list file keep the check
// marks stored there and the list's default colour.
//
// The check marks, removing rows and sorting by a column's text (letter case
// ignored, equal texts keeping their order) are foundation/CheckedRowModel.h's.
// The view's own check-box clicks come in through setData and are announced
// by checkToggledByUser, so the window can rewrite the row's action from the
// new tick; ticks set here (setChecked, updateSimResultEntry) are not.

#include "coordinator/SimRow.h"
#include "foundation/CheckedRowModel.h"
#include "foundation/ListFiles.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

// One row of the table.
struct SimResultsRow {
    SimRowTexts cells;
    bool checked = false;
    bool coloured = false;
    int32_t colour = 0;
    FileIdentity identity;
};

class SimResultsModel : public CheckedRowModel<SimResultsRow> {
    Q_OBJECT
public:
    explicit SimResultsModel(QObject* parent = nullptr);

    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // ---- rows ----
    // Adds a row without colour.
    void appendRow(bool checked, const SimRowTexts& cells);
    // Adds rows without colour with one insertion notice (list-file loads).
    struct NewRow {
        bool checked = false;
        SimRowTexts cells;
    };
    void appendRows(std::vector<NewRow>&& rows);
    // Adds a derived row: ticked and coloured by its action, as
    // updateSimResultEntry does.
    void appendDerivedRow(const SimRowTexts& cells, const CoordinatorAdvOptions& colours);
    // The same for many rows at once, with one insertion notice.
    void appendDerivedRows(std::vector<SimRowTexts> rows, const CoordinatorAdvOptions& colours);

    // Sets the row's tick and colour from its action cell; an action that is
    // none of the four leaves both as they are.
    void updateSimResultEntry(int row, const CoordinatorAdvOptions& colours);

    const QString& text(int row, int column) const { return m_rows[size_t(row)].cells[size_t(column)]; }
    const SimRowTexts& rowTexts(int row) const { return m_rows[size_t(row)].cells; }
    void setText(int row, int column, const QString& text);
    // The file the row was derived from (unknown for rows of a list file).
    const FileIdentity& identity(int row) const { return m_rows[size_t(row)].identity; }
    void setIdentity(int row, const FileIdentity& identity) { m_rows[size_t(row)].identity = identity; }
    // The row's colour value (foundation/SharedServices.h), if it has one.
    std::optional<int32_t> colour(int row) const;

signals:
    // The user ticked or unticked `row` through the view.
    void checkToggledByUser(int row, bool checked);

protected:
    // Display, edit and tool-tip roles: the cell's text; foreground: the
    // row's colour when it has one.
    QVariant cellData(int row, int column, int role) const override;
    QString sortText(int row, int column) const override { return text(row, column); }
    void checkedByUser(int row, bool checked) override { emit checkToggledByUser(row, checked); }

private:
    using Row = SimResultsRow;
    Row makeRow(SimRowTexts cells);
    static void Style(Row& row, const CoordinatorAdvOptions& colours);
};

// The table as the list-file reader and writer see it (".sim" files).
class SimResultsListFile final : public IListFileModel {
public:
    explicit SimResultsListFile(SimResultsModel& model) : m_model(model) {}

    QString listName() const override { return ListFileName::SimResults; }
    int rowCount() const override { return m_model.rows(); }
    int columnCount() const override { return kSimColumnCount; }
    bool isChecked(int row) const override { return m_model.isChecked(row); }
    QString cellText(int row, int column) const override { return m_model.text(row, column); }
    void clearRows() override {
        m_staged.clear();
        m_model.clear();
    }
    void appendRow(bool checked, std::span<const QStringView> cells) override;
    void beginLoad() override;
    void endLoad() override;

private:
    SimResultsModel& m_model;
    int m_loads = 0;
    std::vector<SimResultsModel::NewRow> m_staged;  // rows of a load not yet in the model
};
