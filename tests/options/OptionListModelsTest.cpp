// The Options dialog's list models under Qt's model tester: rule entries
// grown and shrunk, and both column lists as columns move between them.

#include "options/ui/OptionListModels.h"

#include <QAbstractItemModelTester>
#include <gtest/gtest.h>

TEST(OptionListModels, RuleEntriesKeepQtsModelContract) {
    RuleEntriesModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.SetCount(3);
    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.index(2, 0).data().toString(), "Rule 3");
    model.SetCount(5);
    model.SetCount(1);
    EXPECT_EQ(model.rowCount(), 1);
    model.SetCount(0);
    EXPECT_EQ(model.rowCount(), 0);
}

TEST(OptionListModels, ColumnListsKeepQtsModelContract) {
    for (bool widths : {false, true}) {
        CatalogueColumnLists lists(widths);
        lists.Reset();
        ColumnListModel notIncluded(&lists, ColumnListModel::Side::NotIncluded);
        ColumnListModel included(&lists, ColumnListModel::Side::Included);
        QAbstractItemModelTester testOut(&notIncluded, QAbstractItemModelTester::FailureReportingMode::Fatal);
        QAbstractItemModelTester testIn(&included, QAbstractItemModelTester::FailureReportingMode::Fatal);
        EXPECT_EQ(notIncluded.rowCount(), 27);
        EXPECT_EQ(included.columnCount(), widths ? 2 : 1);

        auto refresh = [&] {
            notIncluded.Refresh();
            included.Refresh();
        };
        lists.Add(0);
        lists.Add(3);
        refresh();
        EXPECT_EQ(included.rowCount(), 2);
        EXPECT_EQ(notIncluded.rowCount(), 25);
        lists.Down(0);
        lists.Remove(1);
        refresh();
        EXPECT_EQ(included.rowCount(), 1);
        lists.AddAll();
        refresh();
        EXPECT_EQ(notIncluded.rowCount(), 0);
        lists.RemoveAll();
        refresh();
        EXPECT_EQ(included.rowCount(), 0);
    }
}
