// The Encoder Decoder's file list under Qt's model tester: filled, sorted
// both ways with a held index following its row, ticked, cut down, emptied.

#include "encoder/EncoderFileListModel.h"

#include <QAbstractItemModelTester>
#include <QPersistentModelIndex>
#include <gtest/gtest.h>

TEST(EncoderFileListModel, KeepsQtsModelContract) {
    EncoderFileListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    for (const char* path : {"/m/b.mp3", "/m/A.wav", "/n/c.mp3", "/m/b.mp3"}) model.appendPath(path);
    model.appendFile(QStringLiteral("/o"), QStringLiteral("d.mp3"));
    ASSERT_EQ(model.rowCount(), 5);
    EXPECT_EQ(model.checkedCount(), 5);

    const QPersistentModelIndex held = model.index(2, EncoderColumn::Folder);  // c.mp3
    model.sort(EncoderColumn::FileName);
    EXPECT_EQ(model.row(0).fileName, "A.wav");
    EXPECT_EQ(held.row(), 3);
    EXPECT_EQ(held.data().toString(), "/n");
    model.sort(EncoderColumn::FileName, Qt::DescendingOrder);
    EXPECT_EQ(model.row(0).fileName, "d.mp3");
    EXPECT_EQ(held.row(), 1);
    model.sort(EncoderColumn::Type);
    model.sort(EncoderColumn::Folder);

    EXPECT_TRUE(model.setData(model.index(0, EncoderColumn::FileName), Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_EQ(model.checkedCount(), 4);
    model.setAllChecked(false);
    EXPECT_EQ(model.checkedCount(), 0);
    EXPECT_TRUE(model.removeRows(1, 2));
    EXPECT_FALSE(model.removeRows(2, 5));
    EXPECT_EQ(model.rowCount(), 3);
    model.clear();
    EXPECT_EQ(model.rowCount(), 0);
    model.sort(EncoderColumn::FileName);
}
