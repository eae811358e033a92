// Changing the open playlist in the Playlist Manager: the Edit commands on
// the list, the Actions menu and its "Playlist Entry" dialog, and files and
// playlists dropped on the list.

#include "playlistwin/PlaylistWinSupport.h"

#include "playlists/PlaylistModel.h"
#include "playlists/ui/PlaylistEntryDialog.h"
#include "playlists/ui/PlaylistView.h"
#include "shell/edit/ui/EditCommands.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QUrl>

namespace {

class EditDropTest : public PlaylistWindowTest {
protected:
    void SetUp() override {
        PlaylistWindowTest::SetUp();
        OpenManager();
    }
    // Five entries a to e (files that do not exist), shown.
    void FiveEntries() {
        gPlaylistEntries.clear();
        for (const char* name : {"a", "b", "c", "d", "e"})
            gPlaylistEntries.push_back({QStringLiteral("/m/%1.mp3").arg(name), QString::fromLatin1(name).toUpper(), 1000});
        manager->UpdatePlaylistDisplay();
    }
    void SelectRows(std::initializer_list<int> rows) {
        QItemSelectionModel* selection = manager->ListViewPlaylist->selectionModel();
        selection->clear();
        for (int row : rows)
            selection->select(manager->Playlist()->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        selection->setCurrentIndex(manager->Playlist()->index(*rows.begin(), 0), QItemSelectionModel::NoUpdate);
    }
    QStringList Titles() const {
        QStringList titles;
        for (const PlaylistEntryInfo& entry : gPlaylistEntries) titles << entry.Title;
        return titles;
    }
};

TEST_F(EditDropTest, CutAndDeleteInTheListRemoveTheEntriesAndTheTextSaveWritesFollows) {
    for (const int item : {EditItem::Cut, EditItem::Delete}) {
        SCOPED_TRACE(item);
        FiveEntries();
        SelectRows({1, 2});
        manager->mnuEdit_Click(item);
        EXPECT_EQ(Titles(), (QStringList{"A", "D", "E"}));
        EXPECT_EQ(Rows().size(), 3);
        // The removed entries are gone from what Save would write.
        EXPECT_FALSE(manager->PlaylistText().contains("/m/b.mp3"));
        EXPECT_TRUE(manager->PlaylistText().contains("/m/d.mp3"));
    }
    // In the text view the Edit commands leave the entries alone.
    FiveEntries();
    manager->ImagePlaylist_Click(2);
    manager->RichPlaylist->selectAll();
    manager->mnuEdit_Click(EditItem::Delete);
    EXPECT_EQ(Titles().size(), 5);
    EXPECT_TRUE(manager->PlaylistText().isEmpty());
}

TEST_F(EditDropTest, TheViewTabsSwapTheListAndItsOptionsForTheText) {
    manager->ImagePlaylist_Click(2);
    EXPECT_EQ(manager->CurrentView(), 2);
    EXPECT_FALSE(manager->ListViewPlaylist->isVisibleTo(manager));
    EXPECT_TRUE(manager->RichPlaylist->isVisibleTo(manager));
    EXPECT_FALSE(manager->moptionFileInfo.Visible());
    EXPECT_FALSE(manager->ImagePlaylist[2]->isEnabled());  // the current view's tab does not respond
    EXPECT_EQ(manager->EditControl(), manager->RichPlaylist);
    manager->ProcessShortcutKeys(89, 4);  // Alt+Y
    EXPECT_EQ(manager->CurrentView(), 1);
    EXPECT_TRUE(manager->ListViewPlaylist->isVisibleTo(manager));
    EXPECT_TRUE(manager->moptionFileInfo.Visible());
}

TEST_F(EditDropTest, TheEntryDialogEditsInsertsAndAddsAndRefusesAnEmptyField) {
    FiveEntries();
    SelectRows({0});
    // Edit: the dialog shows the entry; OK stores what it holds.
    SetPlaylistEntryDialogDriver([](DialogPlaylistEntry& d) {
        EXPECT_EQ(d.windowTitle(), "Playlist Entry");
        EXPECT_EQ(d.TextTitle->text(), "A");
        EXPECT_EQ(d.TextFile->text(), "/m/a.mp3");
        d.TextTitle->setText(QStringLiteral("Alpha"));
        d.OKButton_Click();
    });
    manager->mnuActionsEditEntry_Click();
    EXPECT_EQ(gPlaylistEntries[0], (PlaylistEntryInfo{"/m/a.mp3", "Alpha", 1000}));
    EXPECT_TRUE(manager->PlaylistText().contains("Alpha"));

    // Insert at the selected row: the new entry goes before it.
    SetPlaylistEntryDialogDriver([](DialogPlaylistEntry& d) {
        EXPECT_TRUE(d.TextFile->text().isEmpty());
        d.TextTitle->setText(QStringLiteral("New"));
        d.TextFile->setText(QStringLiteral("/m/new.mp3"));
        d.OKButton_Click();
    });
    SelectRows({0});
    manager->mnuActionsInsertEntry_Click();
    EXPECT_EQ(Titles(), (QStringList{"New", "Alpha", "B", "C", "D", "E"}));

    // Add: at the end, length 0; a title of blanks is a title.
    SetPlaylistEntryDialogDriver([](DialogPlaylistEntry& d) {
        d.TextTitle->setText(QStringLiteral("  "));
        d.TextFile->setText(QStringLiteral("/m/z.mp3"));
        d.OKButton_Click();
    });
    manager->mnuActionsAddEntry_Click();
    EXPECT_EQ(gPlaylistEntries.back(), (PlaylistEntryInfo{"/m/z.mp3", "  ", 0}));

    // An empty title: refused, the dialog stays, nothing changes.
    bool stayedOpen = false;
    SetPlaylistEntryDialogDriver([&](DialogPlaylistEntry& d) {
        d.TextFile->setText(QStringLiteral("/m/y.mp3"));
        d.OKButton_Click();
        stayedOpen = d.isVisible();
    });
    ui.shown.clear();
    manager->mnuActionsAddEntry_Click();
    EXPECT_TRUE(stayedOpen);
    EXPECT_FALSE(manager->mblnPlaylistChanged);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].title, "Fields Incomplete");
    EXPECT_EQ(gPlaylistEntries.size(), 7u);
}

TEST_F(EditDropTest, CheckedRowsAreRemovedOrRetitledAsTheyWereNumberedAndNoRowStaysChecked) {
    FiveEntries();
    manager->Playlist()->setChecked(1, true);
    manager->Playlist()->setChecked(2, true);
    ui.answers = {Mb::Yes};
    manager->mnuActionsRemoveSelectedEntries_Click();
    EXPECT_EQ(Titles(), (QStringList{"A", "D", "E"}));
    EXPECT_EQ(manager->Playlist()->checkedCount(), 0);
    ASSERT_FALSE(ui.shown.empty());
    EXPECT_EQ(ui.shown.back().title, "Remove Entries");

    // Re-titled from the file name where the tags give nothing.
    manager->Playlist()->setChecked(0, true);
    ui.answers = {Mb::Yes};
    manager->mnuActionsSyncTitlesWithID3Tags_Click();
    EXPECT_EQ(Titles(), (QStringList{"a", "D", "E"}));
    // No: nothing changes.
    manager->Playlist()->setChecked(1, true);
    ui.answers = {Mb::No};
    manager->mnuActionsRemoveSelectedEntries_Click();
    EXPECT_EQ(Titles().size(), 3);
}

TEST_F(EditDropTest, TheActionsMenuFollowsTheSelectionAndWhetherTheFileExists) {
    const QString song = WriteFile(music, QStringLiteral("song.mp3"), MakeMp3({}));
    gPlaylistEntries = {{song, "Song", 0}, {"/m/missing.mp3", "Gone", 0}};
    manager->UpdatePlaylistDisplay();
    manager->ActionsMenuRootSelect();
    EXPECT_FALSE(manager->mnuActionsEditEntry->isEnabled());
    EXPECT_FALSE(manager->mnuActionsSearchForFile->isEnabled());
    EXPECT_TRUE(manager->mnuActionsAddEntry->isEnabled());
    EXPECT_TRUE(manager->mnuActionsSortPlaylist->isEnabled());
    SelectRows({1});
    manager->ActionsMenuRootSelect();
    EXPECT_TRUE(manager->mnuActionsEditEntry->isEnabled());
    EXPECT_TRUE(manager->mnuActionsSearchForFile->isEnabled());
    EXPECT_FALSE(manager->mnuActionsPlay->isEnabled());
    EXPECT_FALSE(manager->mnuActionsFileInfo->isEnabled());
    SelectRows({0});
    manager->ActionsMenuRootSelect();
    EXPECT_TRUE(manager->mnuActionsPlay->isEnabled());
    EXPECT_TRUE(manager->mnuActionsSyncTitleWithID3Tag->isEnabled());
    EXPECT_TRUE(manager->Playlist()->isMissing(1));
    EXPECT_FALSE(manager->Playlist()->isMissing(0));
}

TEST_F(EditDropTest, DroppedFilesAndPlaylistsAreAppendedInTheirOrder) {
    gPlaylistEntries = {{"/m/first.mp3", "First", 5}};
    manager->UpdatePlaylistDisplay();
    const QString one = WriteFile(music, QStringLiteral("one.mp3"), TaggedMp3("Band", "Uno"));
    const QString list = WriteText(QStringLiteral("two.m3u"), "#EXTM3U\r\n#EXTINF:7,Two\r\n/m/two.mp3\r\n");
    const QString notes = WriteText(QStringLiteral("notes.txt"), "just words\r\n");
    const QString three = WriteFile(music, QStringLiteral("three.mp3"), MakeMp3({}));

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(one), QUrl::fromLocalFile(list), QUrl::fromLocalFile(notes),
                  QUrl::fromLocalFile(three)});
    QWidget* viewport = manager->ListViewPlaylist->viewport();
    const QPoint at(10, 10);
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &enter);
    QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &move);
    EXPECT_TRUE(move.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(drop.dropAction(), Qt::CopyAction);
    Settle();
    ASSERT_EQ(gPlaylistEntries.size(), 5u) << Shown();

    EXPECT_EQ(EntryFiles(), (QStringList{"/m/first.mp3", one, "/m/two.mp3", notes, three}));
    EXPECT_EQ(gPlaylistEntries[1].Title, "Band - Uno");
    EXPECT_GT(gPlaylistEntries[1].Length, 0);
    EXPECT_EQ(gPlaylistEntries[3].Title, "notes");
    EXPECT_EQ(gPlaylistEntries[3].Length, 0);
    EXPECT_EQ(Rows().size(), 5);
    EXPECT_TRUE(manager->PlaylistText().contains("/m/two.mp3"));
    // A drop adds to the open playlist; its path stays.
    EXPECT_TRUE(manager->PlaylistFile().isEmpty());
}

}  // namespace
