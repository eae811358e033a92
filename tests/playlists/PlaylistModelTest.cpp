// The playlist's model under Qt's model tester: shown, ticked, cut down (the
// entries go with the rows), shown again after the entries change.

#include "playlists/PlaylistModel.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(PlaylistModel, KeepsQtsModelContract) {
    QTemporaryDir dir;
    QFile present(dir.filePath("here.mp3"));
    ASSERT_TRUE(present.open(QIODevice::WriteOnly));
    present.close();
    const QString list = dir.filePath("list.m3u");

    PlaylistEntries entries{{"here.mp3", "Here", 1000}, {"gone.mp3", "Gone", 0}, {dir.filePath("here.mp3"), "Abs", 5}};
    PlaylistModel model(entries);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.Populate(list);
    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_FALSE(model.isMissing(0));
    EXPECT_TRUE(model.isMissing(1));

    EXPECT_TRUE(model.setData(model.index(1, PlaylistColumn::Length), Qt::Checked, Qt::CheckStateRole));
    EXPECT_EQ(model.checkedCount(), 1);
    model.setAllChecked(true);
    EXPECT_EQ(model.checkedCount(), 3);
    EXPECT_TRUE(model.removeRows(0, 2));
    EXPECT_EQ(entries.size(), 1u);
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_FALSE(model.removeRows(0, 2));

    entries.push_back({"new.mp3", "New", 7});
    entries.push_back({"here.mp3", "Again", 8});
    model.Populate(list);
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.checkedCount(), 0);
    entries.clear();
    model.Populate(list);
    EXPECT_EQ(model.rowCount(), 0);
}
