// The duplicates list's model under Qt's model tester: filled (and so
// sorted), ticked by the view and by the program, cut down, refilled, emptied.

#include "duplicates/DuplicatesModel.h"

#include <QAbstractItemModelTester>
#include <gtest/gtest.h>

namespace {
DuplicateEntry Entry(const QString& name, const QString& title) {
    return {name, QStringLiteral("/m"), QStringLiteral("Artist"), title, QStringLiteral("Artist"), title};
}
}  // namespace

TEST(DuplicatesModel, KeepsQtsModelContract) {
    DuplicatesModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.setEntries({Entry("1.mp3", "b"), Entry("2.mp3", "A"), Entry("3.mp3", "B"), Entry("4.mp3", "a")});
    ASSERT_EQ(model.rowCount(), 4);
    EXPECT_EQ(model.text(0, DuplicateColumn::FileName), "2.mp3");
    EXPECT_EQ(model.text(3, DuplicateColumn::FileName), "3.mp3");

    EXPECT_TRUE(model.setData(model.index(1, 0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_EQ(model.checkedCount(), 1);
    model.setTicks({true, false, true, true});
    EXPECT_EQ(model.checkedCount(), 3);
    model.setChecked(0, false);
    EXPECT_TRUE(model.removeRows(0, 2));
    EXPECT_FALSE(model.removeRows(1, 4));
    EXPECT_EQ(model.rowCount(), 2);
    model.setEntries({Entry("5.mp3", "z")});
    EXPECT_EQ(model.rowCount(), 1);
    model.clear();
    EXPECT_EQ(model.rowCount(), 0);
}
