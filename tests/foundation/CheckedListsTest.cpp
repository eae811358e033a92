// The program's checked-row lists side by side: what they share (a check box
// in column 0, the tick through the view's own call) and where they differ on
// purpose: the results list's rows can be dragged, the track list's names
// are edited and its data tracks cannot be ticked, the duplicates list keeps
// its own order, a playlist keeps its entries' order, and the track list
// never loses rows through the Edit commands.

#include "coordinator/SimResultsModel.h"
#include "duplicates/DuplicatesModel.h"
#include "encoder/EncoderFileListModel.h"
#include "playlists/PlaylistModel.h"
#include "ripper/TrackListModel.h"
#include "scanning/engine/ScanRecord.h"
#include "scanning/engine/ScanResultsModel.h"

#include <QAbstractItemModelTester>
#include <QPersistentModelIndex>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

constexpr Qt::ItemFlags kChecked =
    Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren | Qt::ItemIsUserCheckable;
constexpr Qt::ItemFlags kPlain = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;

// One list filled with three rows whose first-column texts ("b", "C", "a")
// are out of order, all unticked but the first; `sortColumn` is a column
// whose text is those names.
struct List {
    const char* name;
    std::function<std::unique_ptr<QAbstractItemModel>()> make;
    int sortColumn;
    bool sortable;
    bool removable;
    Qt::ItemFlags firstColumn;  // of row 0
    Qt::ItemFlags otherColumn;  // column 1 of row 0
};

QStringList Names(const QAbstractItemModel& model, int column) {
    QStringList names;
    for (int r = 0; r < model.rowCount(); ++r) names << model.index(r, column).data().toString().left(1);
    return names;
}

const QStringList kFilled{"b", "C", "a"};
const QStringList kSorted{"a", "b", "C"};

}  // namespace

TEST(CheckedLists, ShareTheCheckBoxAndKeepTheirOwnDifferences) {
    PlaylistEntries entries;
    QTemporaryDir dir;
    const std::vector<List> lists = {
        {"scan results",
         [] {
             auto m = std::make_unique<ScanResultsModel>();
             for (const char* n : {"b", "C", "a"}) m->appendRow(QByteArray(n) == "b", QStringList{n, "/m"});
             return m;
         },
         ScanColumn::FileName, true, true, kChecked | Qt::ItemIsDragEnabled, kPlain | Qt::ItemIsDragEnabled},
        {"simulate results",
         [] {
             auto m = std::make_unique<SimResultsModel>();
             for (const char* n : {"b", "C", "a"})
                 m->appendRow(QByteArray(n) == "b", SimRowTexts{n, "/m", "", "", "", "", "", ""});
             return m;
         },
         SimColumn::OldFileName, true, true, kChecked, kPlain},
        {"encoder files",
         [] {
             auto m = std::make_unique<EncoderFileListModel>();
             for (const char* n : {"b", "C", "a"}) m->appendFile("/m", n);
             for (int r = 1; r < 3; ++r) m->setChecked(r, false);
             return m;
         },
         EncoderColumn::FileName, true, true, kChecked, kPlain},
        {"duplicates",
         [] {
             auto m = std::make_unique<DuplicatesModel>();
             // Filled in title order: the file names stay out of order.
             m->setEntries({{"b", "/m", "", "1", "", ""}, {"C", "/m", "", "2", "", ""}, {"a", "/m", "", "3", "", ""}});
             m->setChecked(0, true);
             return m;
         },
         DuplicateColumn::FileName, false, true, kChecked, kPlain},
        {"playlist",
         [&] {
             entries = {{"b", "b", 1}, {"C", "C", 2}, {"a", "a", 3}};
             auto m = std::make_unique<PlaylistModel>(entries);
             m->Populate(dir.filePath("list.m3u"));
             m->setChecked(0, true);
             return m;
         },
         PlaylistColumn::FileName, false, true, kChecked, kPlain},
        {"tracks",
         [] {
             auto m = std::make_unique<TrackListModel>();
             CdTableOfContents toc;
             toc.tracks = {{1, 0, 100, true}, {2, 100, 200, true}, {3, 200, 300, false}};
             m->SetTracks(toc);
             const char* names[] = {"b", "C", "a"};
             for (int r = 0; r < 3; ++r) m->setData(m->index(r, 0), QString::fromLatin1(names[r]), Qt::EditRole);
             m->setData(m->index(1, 0), Qt::Unchecked, Qt::CheckStateRole);
             return m;
         },
         TrackListModel::ColumnTrack, false, false,
         Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsUserCheckable,
         Qt::ItemIsEnabled | Qt::ItemIsSelectable},
    };

    for (const List& list : lists) {
        SCOPED_TRACE(list.name);
        std::unique_ptr<QAbstractItemModel> model = list.make();
        QAbstractItemModelTester tester(model.get(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        ASSERT_EQ(Names(*model, list.sortColumn), kFilled);

        EXPECT_EQ(model->flags(model->index(0, 0)), list.firstColumn);
        EXPECT_EQ(model->flags(model->index(0, 1)), list.otherColumn);
        EXPECT_EQ(model->flags(QModelIndex()), Qt::NoItemFlags);
        EXPECT_EQ(model->index(0, 0).data(Qt::CheckStateRole).toInt(), Qt::Checked);
        EXPECT_EQ(model->index(1, 0).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
        EXPECT_FALSE(model->index(0, 1).data(Qt::CheckStateRole).isValid());
        // The tick of a cell beyond column 0 is refused.
        EXPECT_FALSE(model->setData(model->index(1, 1), Qt::Checked, Qt::CheckStateRole));
        EXPECT_EQ(model->index(1, 0).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
        EXPECT_TRUE(model->setData(model->index(1, 0), Qt::Checked, Qt::CheckStateRole));
        EXPECT_EQ(model->index(1, 0).data(Qt::CheckStateRole).toInt(), Qt::Checked);

        // Sorting: a list that sorts moves its rows (marks and held indexes
        // with them); the others stay as they are.
        const QPersistentModelIndex held = model->index(2, 1);  // "a"
        model->sort(list.sortColumn, Qt::AscendingOrder);
        EXPECT_EQ(Names(*model, list.sortColumn), list.sortable ? kSorted : kFilled);
        EXPECT_EQ(held.row(), list.sortable ? 0 : 2);
        if (list.sortable) {
            EXPECT_EQ(model->index(1, 0).data(Qt::CheckStateRole).toInt(), Qt::Checked);  // "b"
            EXPECT_EQ(model->index(0, 0).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
        }

        EXPECT_EQ(model->removeRows(0, 1), list.removable);
        EXPECT_EQ(model->rowCount(), list.removable ? 2 : 3);
        EXPECT_FALSE(model->removeRows(1, 5));
    }
    // A playlist's rows take their entries with them.
    EXPECT_EQ(entries.size(), 2u);
}
