// The folder tree: one Desktop node over the branches and the desktop
// folder's own subfolders, folders only, the selection as a path.

#include "mainwin/MainWinSupport.h"

#include "scanning/ui/FolderTree.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QThread>

namespace {

// Runs the event loop until `done` holds (the folders load in the background).
template <typename F>
bool WaitFor(F done, int ms = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return done();
}

QStringList Children(const QAbstractItemModel& model, const QModelIndex& parent) {
    QStringList names;
    for (int r = 0; r < model.rowCount(parent); ++r) names << model.index(r, 0, parent).data().toString();
    return names;
}

class FolderTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = dir.path();
        for (const char* folder : {"Desktop/Inbox", "home/Music/Rock", "home/Music/Jazz", "home/.cache"})
            QDir().mkpath(root + "/" + folder);
        WriteFile(root + "/home/Music", "song.mp3", "x");
        tree = std::make_unique<FolderTreeControl>(
            root + "/Desktop", std::vector<FolderTreeModel::Branch>{{"Home", root + "/home"}, {"Disk", root}});
    }

    QTemporaryDir dir;
    QString root;
    std::unique_ptr<FolderTreeControl> tree;
};

TEST_F(FolderTreeTest, TheDesktopNodeHoldsTheBranchesThenItsOwnFolders) {
    FolderTreeModel& model = *tree->folderModel();
    ASSERT_EQ(model.rowCount(), 1);
    const QModelIndex desktop = model.index(0, 0);
    EXPECT_EQ(desktop.data().toString(), "Desktop");
    EXPECT_TRUE(model.isDesktop(desktop));
    ASSERT_TRUE(WaitFor([&] { return model.rowCount(desktop) == 3; })) << Children(model, desktop).join(',');
    EXPECT_EQ(Children(model, desktop), (QStringList{"Home", "Disk", "Inbox"}));
    EXPECT_EQ(model.filePath(model.index(2, 0, desktop)), root + "/Desktop/Inbox");

    // Folders only, hidden ones left out.
    const QModelIndex home = model.index(0, 0, desktop);
    EXPECT_EQ(model.filePath(home), root + "/home");
    model.fetchMore(home);
    ASSERT_TRUE(WaitFor([&] { return model.rowCount(home) == 1; }));
    const QModelIndex music = model.index(0, 0, home);
    EXPECT_EQ(music.data().toString(), "Music");
    EXPECT_EQ(model.parent(music), home);
    model.fetchMore(music);
    ASSERT_TRUE(WaitFor([&] { return model.rowCount(music) == 2; }));
    QStringList names = Children(model, music);
    names.sort();
    EXPECT_EQ(names, (QStringList{"Jazz", "Rock"}));
}

TEST_F(FolderTreeTest, TheSelectionReadsAsAPathOrAsDesktop) {
    EXPECT_EQ(tree->SelectedFolder(), "");
    tree->SetSelectedFolder(root + "/home/Music/Rock/");
    EXPECT_EQ(tree->SelectedFolder(), root + "/home/Music/Rock");
    // The closest branch holds it.
    EXPECT_EQ(tree->folderModel()->parent(tree->currentIndex()).data().toString(), "Music");
    tree->SetSelectedFolder("DESKTOP");
    EXPECT_EQ(tree->SelectedFolder(), "Desktop");
    EXPECT_EQ(tree->DesktopPath(), root + "/Desktop");
    // A folder that does not exist leaves the selection alone.
    tree->SetSelectedFolder(root + "/nowhere");
    EXPECT_EQ(tree->SelectedFolder(), "Desktop");
    tree->SetSelectedFolder(root + "/Desktop/Inbox");
    EXPECT_EQ(tree->SelectedFolder(), root + "/Desktop/Inbox");
}

}  // namespace

TEST_F(FolderTreeTest, KeepsQtsModelContractAsFoldersComeAndGo) {
    FolderTreeModel& model = *tree->folderModel();
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    const QModelIndex desktop = model.index(0, 0);
    ASSERT_TRUE(WaitFor([&] { return model.rowCount(desktop) == 3; }));
    const QModelIndex home = model.index(0, 0, desktop);
    model.fetchMore(home);
    ASSERT_TRUE(WaitFor([&] { return model.rowCount(home) == 1; }));
    const QModelIndex music = model.index(0, 0, home);
    model.fetchMore(music);
    ASSERT_TRUE(WaitFor([&] { return model.rowCount(music) == 2; }));

    // Folders made and taken away while the tree watches them.
    ASSERT_TRUE(QDir().mkpath(root + "/home/Music/Blues"));
    ASSERT_TRUE(WaitFor([&] { return model.rowCount(music) == 3; }));
    ASSERT_TRUE(QDir(root + "/home/Music/Rock").removeRecursively());
    ASSERT_TRUE(WaitFor([&] { return model.rowCount(music) == 2; }));
    ASSERT_TRUE(QDir().mkpath(root + "/Desktop/Outbox"));
    ASSERT_TRUE(WaitFor([&] { return model.rowCount(desktop) == 4; }));
    tree->SetSelectedFolder(root + "/home/Music/Blues");
    EXPECT_EQ(tree->SelectedFolder(), root + "/home/Music/Blues");
}
