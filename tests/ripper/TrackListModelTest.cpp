// The track list's model under Qt's model tester: filled from a table of
// contents, renamed and ticked through the view's own calls, refilled, emptied.

#include "ripper/TrackListModel.h"

#include <QAbstractItemModelTester>
#include <gtest/gtest.h>

TEST(TrackListModel, KeepsQtsModelContract) {
    TrackListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    CdTableOfContents toc;
    toc.tracks = {{3, 0, 1000, true}, {4, 1000, 2500, true}, {5, 2500, 4000, false}};
    toc.leadOutFrame = 4000;
    model.SetTracks(toc);
    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.TickedCount(), 2);

    EXPECT_TRUE(model.setData(model.index(0, TrackListModel::ColumnTrack), QStringLiteral("Intro"), Qt::EditRole));
    EXPECT_EQ(model.Name(0), "Intro");
    EXPECT_TRUE(model.setData(model.index(1, TrackListModel::ColumnTrack), Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_EQ(model.TickedCount(), 1);
    // A data track cannot be ticked.
    model.setData(model.index(2, TrackListModel::ColumnTrack), Qt::Checked, Qt::CheckStateRole);
    EXPECT_EQ(model.TickedCount(), 1);

    toc.tracks.pop_back();
    model.SetTracks(toc);
    EXPECT_EQ(model.rowCount(), 2);
    model.Clear();
    EXPECT_EQ(model.rowCount(), 0);
    model.SetTracks(CdTableOfContents{});
    EXPECT_EQ(model.rowCount(), 0);
}
