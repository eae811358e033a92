// The base of the checked-row lists, through a small list of names: the
// check box of column 0 and who may set it, the case-blind stable sort with
// its held indexes, the removal of a run of rows, and a list that allows
// neither.

#include "foundation/CheckedRowModel.h"

#include <QAbstractItemModelTester>
#include <QPersistentModelIndex>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

struct NameRow {
    QString name;
    QString note;
    bool checked = false;
};

// Column 0 the name, column 1 the note.
class NameList final : public CheckedRowModel<NameRow> {
public:
    explicit NameList(CheckedRowShape shape = {.columns = 2, .removable = true, .sortable = true})
        : CheckedRowModel(shape, nullptr) {}
    void add(const QString& name, bool checked = false, const QString& note = QString()) {
        addRow({name, note, checked});
    }
    QString name(int row) const { return m_rows[size_t(row)].name; }
    QStringList names() const {
        QStringList all;
        for (const NameRow& r : m_rows) all << r.name;
        return all;
    }
    std::vector<std::pair<int, bool>> userTicks;
    std::vector<std::pair<int, int>> erased;
    int rowsWhileErasing = -1;

protected:
    QVariant cellData(int row, int column, int role) const override {
        if (role != Qt::DisplayRole) return {};
        return column == 0 ? m_rows[size_t(row)].name : m_rows[size_t(row)].note;
    }
    // The name column sorts by the text shown.
    QString sortText(int row, int column) const override {
        return column == 1 ? m_rows[size_t(row)].note : CheckedRowModel::sortText(row, column);
    }
    void checkedByUser(int row, bool checked) override { userTicks.push_back({row, checked}); }
    void eraseRows(int first, int count) override {
        erased.push_back({first, count});
        rowsWhileErasing = rowCount();
        CheckedRowModel::eraseRows(first, count);
    }
};

}  // namespace

TEST(CheckedRowModel, CheckBoxInColumnZero) {
    NameList list;
    QAbstractItemModelTester tester(&list, QAbstractItemModelTester::FailureReportingMode::Fatal);
    list.add("a", true);
    list.add("b");
    QSignalSpy changed(&list, &QAbstractItemModel::dataChanged);

    EXPECT_EQ(list.flags(list.index(0, 0)),
              Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren | Qt::ItemIsUserCheckable);
    EXPECT_EQ(list.flags(list.index(0, 1)), Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren);
    EXPECT_EQ(list.data(list.index(0, 0), Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_EQ(list.data(list.index(1, 0), Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_FALSE(list.data(list.index(0, 1), Qt::CheckStateRole).isValid());
    EXPECT_EQ(list.data(list.index(1, 0)).toString(), "b");

    // Only the check state of column 0 of a row in the table is taken.
    EXPECT_FALSE(list.setData(list.index(1, 1), Qt::Checked, Qt::CheckStateRole));
    EXPECT_FALSE(list.setData(list.index(1, 0), "x", Qt::EditRole));
    EXPECT_FALSE(list.setData(QModelIndex(), Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(changed.isEmpty());
    EXPECT_TRUE(list.userTicks.empty());

    // The view's tick is set, announced for column 0 and passed on, even
    // when the mark was already so (the window may act on it).
    EXPECT_TRUE(list.setData(list.index(1, 0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(list.setData(list.index(0, 0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_EQ(list.userTicks, (std::vector<std::pair<int, bool>>{{1, true}, {0, true}}));
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex(), list.index(1, 0));
    EXPECT_EQ(changed[0][1].toModelIndex(), list.index(1, 0));
    EXPECT_EQ(changed[0][2].value<QList<int>>(), QList<int>{Qt::CheckStateRole});

    // The program's own marks: no announcement to the window; nothing for a
    // mark already so or a row outside the table.
    changed.clear();
    list.setChecked(0, true);
    list.setChecked(2, false);
    list.setChecked(-1, false);
    EXPECT_TRUE(changed.isEmpty());
    list.setChecked(0, false);
    EXPECT_EQ(list.checkedCount(), 1);
    list.setAllChecked(true);
    EXPECT_EQ(list.checkedCount(), 2);
    ASSERT_EQ(changed.size(), 2);
    EXPECT_EQ(changed[1][0].toModelIndex(), list.index(0, 0));
    EXPECT_EQ(changed[1][1].toModelIndex(), list.index(1, 0));
    EXPECT_EQ(list.userTicks.size(), 2u);
}

TEST(CheckedRowModel, SortsIgnoringCaseAndHeldIndexesFollow) {
    NameList list;
    QAbstractItemModelTester tester(&list, QAbstractItemModelTester::FailureReportingMode::Fatal);
    list.add("b", false, "2");
    list.add("B", true, "1");
    list.add("a", false, "3");
    list.add("C", true, "1");
    const QPersistentModelIndex heldA = list.index(2, 1);
    const QPersistentModelIndex heldUpperB = list.index(1, 0);

    list.sort(0, Qt::AscendingOrder);
    EXPECT_EQ(list.names(), QStringList({"a", "b", "B", "C"}));  // equal texts keep their order
    EXPECT_EQ(heldA.row(), 0);
    EXPECT_EQ(heldA.column(), 1);
    EXPECT_EQ(heldUpperB.row(), 2);
    EXPECT_TRUE(list.isChecked(2));  // marks travel with their rows
    EXPECT_FALSE(list.isChecked(1));

    list.sort(0, Qt::DescendingOrder);
    EXPECT_EQ(list.names(), QStringList({"C", "b", "B", "a"}));
    EXPECT_EQ(heldA.row(), 3);
    EXPECT_EQ(heldUpperB.data().toString(), "B");

    list.sort(1, Qt::AscendingOrder);  // by the note
    EXPECT_EQ(list.names(), QStringList({"C", "B", "b", "a"}));
    EXPECT_EQ(list.name(heldUpperB.row()), "B");

    // A column outside the table leaves the rows as they are.
    QSignalSpy layout(&list, &QAbstractItemModel::layoutChanged);
    list.sort(2, Qt::AscendingOrder);
    list.sort(-1, Qt::AscendingOrder);
    EXPECT_EQ(list.names(), QStringList({"C", "B", "b", "a"}));
    EXPECT_TRUE(layout.isEmpty());
}

TEST(CheckedRowModel, RemovesARunOfRows) {
    struct Case {
        int row, count;
        bool removed;
        QStringList left;
    };
    const std::vector<Case> cases = {
        {1, 2, true, {"a", "d"}},
        {0, 4, true, {}},
        {3, 1, true, {"a", "b", "c"}},
        {3, 2, false, {"a", "b", "c", "d"}},
        {-1, 1, false, {"a", "b", "c", "d"}},
        {0, 0, false, {"a", "b", "c", "d"}},
        {2, 2147483647, false, {"a", "b", "c", "d"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.row << " + " << c.count);
        NameList list;
        QAbstractItemModelTester tester(&list, QAbstractItemModelTester::FailureReportingMode::Fatal);
        for (const char* n : {"a", "b", "c", "d"}) list.add(n);
        EXPECT_EQ(list.removeRows(c.row, c.count), c.removed);
        EXPECT_EQ(list.names(), c.left);
        if (c.removed) {
            EXPECT_EQ(list.erased, (std::vector<std::pair<int, int>>{{c.row, c.count}}));
            EXPECT_EQ(list.rowsWhileErasing, 4);  // between the notices
        } else {
            EXPECT_TRUE(list.erased.empty());
        }
    }
    NameList list;
    list.add("a");
    EXPECT_FALSE(list.removeRows(0, 1, list.index(0, 0)));  // no rows under a row
    QSignalSpy reset(&list, &QAbstractItemModel::modelReset);
    list.clear();
    list.clear();
    EXPECT_EQ(list.rowCount(), 0);
    EXPECT_EQ(reset.size(), 1);  // none for a list already empty
}

TEST(CheckedRowModel, AListThatNeitherRemovesNorSorts) {
    NameList list({.columns = 2});
    for (const char* n : {"b", "a"}) list.add(n);
    QSignalSpy layout(&list, &QAbstractItemModel::layoutChanged);
    list.sort(0, Qt::AscendingOrder);
    EXPECT_EQ(list.names(), QStringList({"b", "a"}));
    EXPECT_TRUE(layout.isEmpty());
    EXPECT_FALSE(list.removeRows(0, 1));
    EXPECT_EQ(list.rowCount(), 2);
    EXPECT_TRUE(list.erased.empty());
}
