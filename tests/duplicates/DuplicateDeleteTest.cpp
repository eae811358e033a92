// Delete Selected Files on real files: the ticked rows whose files went leave
// the list and are counted, every failure stays listed, is named with its
// reason and is never counted; the results list loses exactly the rows of the
// deleted files.

#include "duplicates/DuplicateDelete.h"
#include "foundation/Errors.h"
#include "foundation/FileUtils.h"
#include "scanning/engine/ScanRecord.h"
#include "scanning/engine/ScanResultsModel.h"
#include "support/QtPrinters.h"
#include "support/ScriptedUi.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

class DuplicateDelete : public ::testing::Test {
protected:
    QString folder() const { return home.file("music"); }
    QString make(const QString& name) {
        QDir().mkpath(folder());
        QFile file(folder() + "/" + name);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("ID3 bytes of " + name.toUtf8());
        return file.fileName();
    }
    // A list of the given files, in this order (they share one title), with
    // the ticks given.
    void fill(const QStringList& names, const std::vector<bool>& ticks) {
        std::vector<DuplicateEntry> entries;
        for (const QString& name : names) entries.push_back(DuplicateEntry{name, folder(), {}, "Song", {}, {}});
        list.setEntries(entries);
        list.setTicks(ticks);
    }
    QStringList listed() const {
        QStringList names;
        for (int r = 0; r < list.rows(); ++r) names << list.text(r, DuplicateColumn::FileName) +
                                                           (list.isChecked(r) ? "+" : "");
        return names;
    }

    TempHome home;
    DuplicatesModel list;
    JobHost job;
};

DeleteFileFunction RealDelete(bool toTrash) {
    return [toTrash](const QString& f, const QString& n) { return DeleteFile(f, n, toTrash); };
}

}  // namespace

TEST_F(DuplicateDelete, DeletesTheTickedFilesAndTakesOnlyTheirRowsOut) {
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3", "d.mp3"}) make(name);
    fill({"a.mp3", "b.mp3", "c.mp3", "d.mp3"}, {true, false, true, false});

    const DeleteRunReport report = DeleteTickedDuplicates(list, job, RealDelete(false));
    EXPECT_EQ(report.deleted, 2);
    EXPECT_TRUE(report.failures.empty());
    EXPECT_EQ(listed(), QStringList({"b.mp3", "d.mp3"}));
    EXPECT_FALSE(FileExists(folder() + "/a.mp3"));
    EXPECT_FALSE(FileExists(folder() + "/c.mp3"));
    EXPECT_TRUE(FileExists(folder() + "/b.mp3"));
    // Bottom up.
    EXPECT_EQ(report.deletedPaths, QStringList({folder() + "/c.mp3", folder() + "/a.mp3"}));
}

TEST_F(DuplicateDelete, FailuresStayListedAreNamedAndAreNotCounted) {
    make("gone-later.mp3");
    make("kept.mp3");
    make("ok.mp3");
    fill({"gone-later.mp3", "kept.mp3", "missing.mp3", "ok.mp3", "raises.mp3"}, {true, true, true, true, true});
    make("raises.mp3");
    QFile::remove(folder() + "/gone-later.mp3");
    auto deleteSome = [&](const QString& f, const QString& n) {
        if (n == "kept.mp3") return false;  // the file is still there
        if (n == "raises.mp3") RaiseError(75, "Sonivard", "Path/File access error");
        return DeleteFile(f, n, false);
    };

    const DeleteRunReport report = DeleteTickedDuplicates(list, job, deleteSome);
    EXPECT_EQ(report.deleted, 1);
    EXPECT_EQ(listed(), QStringList({"gone-later.mp3+", "kept.mp3+", "missing.mp3+", "raises.mp3+"}));
    ASSERT_EQ(report.failures.size(), 4u);
    EXPECT_EQ(report.failures[0].path, folder() + "/raises.mp3");
    EXPECT_EQ(report.failures[0].reason, "Path/File access error");
    EXPECT_EQ(report.failures[1].path, folder() + "/missing.mp3");
    EXPECT_TRUE(report.failures[1].missing);
    EXPECT_EQ(report.failures[2].path, folder() + "/kept.mp3");
    EXPECT_FALSE(report.failures[2].missing);
    EXPECT_TRUE(report.failures[3].missing);
    EXPECT_TRUE(FileExists(folder() + "/kept.mp3"));
}

TEST_F(DuplicateDelete, ARecycleThatFailsNeverDeletesForGood) {
    // The trash cannot be made: its parent is a file.
    QFile blocker(home.file("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QByteArray oldData = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", home.file("blocker/data").toUtf8());
    QStandardPaths::setTestModeEnabled(false);
    make("a.mp3");
    fill({"a.mp3"}, {true});

    const DeleteRunReport report = DeleteTickedDuplicates(list, job, RealDelete(true));
    QStandardPaths::setTestModeEnabled(true);
    qputenv("XDG_DATA_HOME", oldData);
    EXPECT_EQ(report.deleted, 0);
    ASSERT_EQ(report.failures.size(), 1u);
    EXPECT_TRUE(FileExists(folder() + "/a.mp3"));
    EXPECT_EQ(listed(), QStringList({"a.mp3+"}));
}

TEST_F(DuplicateDelete, RecyclingMovesTheFileToTheTrash) {
    const QByteArray oldData = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", home.file("data").toUtf8());
    QStandardPaths::setTestModeEnabled(false);
    make("a.mp3");
    fill({"a.mp3"}, {true});

    const DeleteRunReport report = DeleteTickedDuplicates(list, job, RealDelete(true));
    QStandardPaths::setTestModeEnabled(true);
    qputenv("XDG_DATA_HOME", oldData);
    EXPECT_EQ(report.deleted, 1);
    EXPECT_FALSE(FileExists(folder() + "/a.mp3"));
    EXPECT_TRUE(FileExists(home.file("data/Trash/files/a.mp3")));
    EXPECT_EQ(list.rows(), 0);
}

TEST_F(DuplicateDelete, AStopLeavesTheRowsAboveAlone) {
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3"}) make(name);
    fill({"a.mp3", "b.mp3", "c.mp3"}, {true, true, true});
    struct StopAfterOne : JobHost {
        int YieldIntervalMs() const override { return 0; }
        void Yield() override {
            if (++yields == 2) mblnStopAll = true;
        }
        int yields = 0;
    } stopping;

    const DeleteRunReport report = DeleteTickedDuplicates(list, stopping, RealDelete(false));
    EXPECT_TRUE(report.stopped);
    EXPECT_EQ(report.deleted, 1);
    EXPECT_EQ(listed(), QStringList({"a.mp3+", "b.mp3+"}));
    EXPECT_TRUE(FileExists(folder() + "/a.mp3"));
}

TEST(DuplicateDeleteResults, TheResultsListLosesExactlyTheRowsOfDeletedFiles) {
    ScanResultsModel results;
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3", "d.mp3", "e.mp3", "B.mp3"}) {
        ScanRowTexts t;
        t[ScanColumn::FileName] = name;
        t[ScanColumn::Folder] = "/music";
        results.appendRow(true, t);
    }
    results.setChecked(4, false);
    const int64_t removed =
        RemoveResultsRowsOfFiles(results, {"/music/b.mp3", "/music/c.mp3", "/music/e.mp3", "/music/zz.mp3"});
    EXPECT_EQ(removed, 3);
    QStringList left;
    for (int r = 0; r < results.rows(); ++r) left << results.text(r, ScanColumn::FileName);
    EXPECT_EQ(left, QStringList({"a.mp3", "d.mp3", "B.mp3"}));
}
