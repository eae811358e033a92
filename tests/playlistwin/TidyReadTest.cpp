// Playlists made from the Scanning Centre's checked results (Read Scan
// Results), Auto-Tidy with its results dialog, and the Scanning Centre's
// Scan From Playlist reading a playlist's files into its results list.

#include "playlistwin/PlaylistWinSupport.h"

#include "playlists/PlaylistFiles.h"
#include "playlists/PlaylistModel.h"
#include "playlists/ui/AutoTidyResultsDialog.h"
#include "scanning/engine/ScanResultsModel.h"
#include "scanning/ui/WindowServices.h"

#include "foundation/ResourceStrings.h"
#include "support/ModalDialogs.h"

#include <QAbstractItemModel>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTreeView>

namespace {

class TidyReadTest : public PlaylistWindowTest {
protected:
    void SetUp() override {
        PlaylistWindowTest::SetUp();
        OpenWindow();
        OpenManager();
    }
    // The rows of one of the results dialog's lists.
    static QStringList ListRows(const QTreeView* list) {
        QStringList rows;
        const QAbstractItemModel* model = list->model();
        for (int r = 0; r < model->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < model->columnCount(); ++c) cells << model->index(r, c).data().toString();
            rows << cells.join(QLatin1Char('|'));
        }
        return rows;
    }
    // Scripts the folder browser: `answer` for every prompt, counted.
    void BrowserAnswers(const QString& answer) {
        SetFolderBrowser([this, answer](QWidget*, const QString& prompt) {
            prompts << prompt;
            return answer;
        });
    }
    QStringList prompts;
};

TEST_F(TidyReadTest, AutoTidyKeepsARelativeEntryWhoseFileIsBesideThePlaylist) {
    // The program runs elsewhere: the entry is found beside its playlist.
    const QString folder = work.path() + QStringLiteral("/lists");
    WriteFile(folder + QStringLiteral("/sub"), QStringLiteral("here.mp3"),
              TaggedMp3("Band", "Here"));
    const QString list = WriteFile(folder, QStringLiteral("rel.m3u"), "#EXTM3U\r\n#EXTINF:1,old\r\nsub/here.mp3\r\n");
    ASSERT_NE(QDir::currentPath(), folder);
    manager->LoadPlaylist(list);
    EXPECT_FALSE(manager->Playlist()->isMissing(0));
    BrowserAnswers(QString());
    ui.answers = {Mb::Yes};
    manager->BtnAutoTidy_Click();
    EXPECT_TRUE(prompts.isEmpty());  // nothing was missing
    ASSERT_EQ(gPlaylistEntries.size(), 1u);
    EXPECT_EQ(gPlaylistEntries[0].FileName, "sub/here.mp3");  // stored as it was
    EXPECT_EQ(gPlaylistEntries[0].Title, "Band - Here");
    // Nothing missing: the end box only with DisplayMessageBox (on here).
    ASSERT_EQ(ui.shown.size(), 2u) << Shown();
    EXPECT_EQ(ui.shown[1].prompt, "Auto-Tidy of playlist complete. ");
}

TEST_F(TidyReadTest, AutoTidyKeepsAnEntryWrittenWithBackslashesAndWritesItBackAsItWas) {
    const QString folder = work.path() + QStringLiteral("/lists");
    WriteFile(folder + QStringLiteral("/sub"), QStringLiteral("b.mp3"), TaggedMp3("Band", "Bee"));
    const QString list = WriteFile(folder, QStringLiteral("win.m3u"),
                                   "#EXTM3U\r\n#EXTINF:1,old\r\nsub\\b.mp3\r\n#EXTINF:2,gone\r\n"
                                   "sub\\gone.mp3\r\n");
    manager->LoadPlaylist(list);
    EXPECT_FALSE(manager->Playlist()->isMissing(0));
    EXPECT_TRUE(manager->Playlist()->isMissing(1));
    BrowserAnswers(QString());  // the missing one is not searched for
    ui.answers = {Mb::Yes, Mb::No};
    manager->BtnAutoTidy_Click();
    EXPECT_EQ(prompts.size(), 1);
    EXPECT_EQ(EntryFiles(), QStringList{"sub\\b.mp3"});
    EXPECT_EQ(gPlaylistEntries[0].Title, "Band - Bee");
    EXPECT_EQ(Rows(), QStringList{"1000|Band - Bee|sub\\b.mp3"});
    EXPECT_FALSE(manager->Playlist()->isMissing(0));
    EXPECT_EQ(manager->PlaylistText(), "#EXTM3U\n#EXTINF:1,Band - Bee\nsub\\b.mp3\n");
}

TEST_F(TidyReadTest, AutoTidyAsksForTheFolderOnceFindsWhatItCanAndRemovesTheRest) {
    const QString found = WriteFile(music + QStringLiteral("/deep/er"), QStringLiteral("moved.mp3"), MakeMp3({}));
    gPlaylistEntries = {{"/gone/lost1.mp3", "Lost one", 1},
                        {"/old/place/moved.mp3", "Moved", 2},
                        {"/gone/lost2.mp3", "Lost two", 3}};
    manager->UpdatePlaylistDisplay();
    BrowserAnswers(music);
    QStringList foundRows, unfoundRows;
    QString caption;
    SetAutoTidyResultsDialogDriver([&](DialogAutoTidyResults& d) {
        caption = d.windowTitle();
        foundRows = ListRows(d.ListViewFound);
        unfoundRows = ListRows(d.ListViewUnfound);
    });
    ui.answers = {Mb::Yes, Mb::Yes};
    manager->BtnAutoTidy_Click();
    EXPECT_EQ(prompts.size(), 1);
    EXPECT_EQ(EntryFiles(), QStringList{found});
    EXPECT_EQ(gPlaylistEntries[0].Title, "moved");  // re-titled from its name
    EXPECT_EQ(Rows().size(), 1);
    EXPECT_FALSE(manager->PlaylistText().contains("lost"));
    EXPECT_EQ(caption, "Auto-Tidy Results");
    EXPECT_EQ(foundRows, QStringList{"Moved|moved.mp3|" + music + "/deep/er"});
    // Visited from the last entry: the later one first.
    EXPECT_EQ(unfoundRows, (QStringList{"Lost two|/gone/lost2.mp3", "Lost one|/gone/lost1.mp3"}));
    ASSERT_EQ(ui.shown.size(), 2u) << Shown();
    EXPECT_EQ(ui.shown[0].title, "Auto-Tidy Playlist");
    EXPECT_EQ(ui.shown[1].prompt,
              "Auto-Tidy of playlist complete. Do you wish to view the results for the entries whose files were missing?");
}

TEST_F(TidyReadTest, AutoTidyCancelledAtTheFolderRemovesEveryMissingEntryAndNoSaysNoToTheResults) {
    gPlaylistEntries = {{"/gone/a.mp3", "A", 1}, {"/gone/b.mp3", "B", 2}};
    manager->UpdatePlaylistDisplay();
    BrowserAnswers(QString());
    bool shown = false;
    SetAutoTidyResultsDialogDriver([&](DialogAutoTidyResults&) { shown = true; });
    ui.answers = {Mb::Yes, Mb::No};
    manager->BtnAutoTidy_Click();
    EXPECT_EQ(prompts.size(), 1);
    EXPECT_TRUE(gPlaylistEntries.empty());
    EXPECT_FALSE(shown);

    // A No at the start changes nothing.
    gPlaylistEntries = {{"/gone/a.mp3", "A", 1}};
    manager->UpdatePlaylistDisplay();
    prompts.clear();
    ui.answers = {Mb::No};
    manager->BtnAutoTidy_Click();
    EXPECT_TRUE(prompts.isEmpty());
    EXPECT_EQ(gPlaylistEntries.size(), 1u);
}

TEST_F(TidyReadTest, AutoTidysFolderPickerShowsItsWholeInstructionInsideTheDialog) {
    // The real picker: its title may be cut by the window manager, so the
    // instruction, Cancel's meaning included, stands whole inside it.
    const QString prompt = GetResourceString(TextId::Playlist::AutoTidyFolderPrompt);
    ASSERT_TRUE(prompt.contains("Pressing Cancel will remove these entries"));
    const QString found = WriteFile(music + QStringLiteral("/deep"), QStringLiteral("moved.mp3"), MakeMp3({}));
    SetAutoTidyResultsDialogDriver([](DialogAutoTidyResults&) {});
    // Answers the picker with `folder` typed and Enter, or with Escape.
    auto answer = [&](const QString& folder) {
        OnNextModal([&, folder](QDialog& picker) {
            const QLabel* shown = nullptr;
            for (const QLabel* label : picker.findChildren<QLabel*>())
                if (label->isVisible() && label->text() == prompt) shown = label;
            EXPECT_NE(shown, nullptr) << "the instruction is not inside the picker";
            if (shown) {
                // All of it: every line of the wrapped text has room.
                EXPECT_GE(shown->height(), shown->heightForWidth(shown->width()));
                EXPECT_TRUE(picker.rect().contains(QRect(shown->mapTo(&picker, QPoint(0, 0)), shown->size())));
            }
            EXPECT_TRUE(picker.screen()->availableGeometry().contains(picker.frameGeometry()));
            auto* folders = picker.findChild<QFileDialog*>();
            if (!folders) folders = qobject_cast<QFileDialog*>(&picker);
            ASSERT_NE(folders, nullptr);
            if (folder.isEmpty()) {
                QTest::keyClick(folders, Qt::Key_Escape);
                return;
            }
            auto* edit = folders->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(edit, nullptr);
            edit->setText(folder);
            QTest::keyClick(edit, Qt::Key_Return);
        });
    };
    gPlaylistEntries = {{"/gone/a.mp3", "A", 1}, {"/old/moved.mp3", "Moved", 2}};
    manager->UpdatePlaylistDisplay();
    answer(QString());
    ui.answers = {Mb::Yes, Mb::No};
    manager->BtnAutoTidy_Click();
    EXPECT_TRUE(gPlaylistEntries.empty());  // Cancel removed them

    gPlaylistEntries = {{"/gone/a.mp3", "A", 1}, {"/old/moved.mp3", "Moved", 2}};
    manager->UpdatePlaylistDisplay();
    answer(music);
    ui.answers = {Mb::Yes, Mb::No};
    manager->BtnAutoTidy_Click();
    EXPECT_EQ(EntryFiles(), QStringList{found});
}

TEST_F(TidyReadTest, ReadScanResultsMakesAPlaylistOfTheCheckedRows) {
    WriteFile(music, QStringLiteral("a.mp3"), TaggedMp3("Art", "Ay"));
    WriteFile(music, QStringLiteral("b.mp3"), MakeMp3({}));
    WriteFile(music, QStringLiteral("c.mp3"), MakeMp3({}));
    Scan(music);
    ScanResultsModel& results = *window->ScanResults();
    ASSERT_EQ(results.rows(), 3);
    results.setChecked(RowOf(results, "b.mp3"), false);
    gPlaylistEntries = {{"/old/one.mp3", "Old", 1}};
    manager->BtnRead_Click();
    EXPECT_EQ(EntryFiles(), (QStringList{music + "/a.mp3", music + "/c.mp3"}));
    EXPECT_EQ(gPlaylistEntries[0].Title, "Art - Ay");
    EXPECT_EQ(gPlaylistEntries[1].Title, "c");
    EXPECT_GT(gPlaylistEntries[0].Length, 0);
    EXPECT_EQ(Rows().size(), 2);
    // The playlist is named after the scanned folder.
    EXPECT_EQ(manager->PlaylistFile(), music + ".m3u");
    EXPECT_TRUE(WasShown("Playlist Manager")) << Shown();
    EXPECT_EQ(Status(), "Scan Results Read complete");
}

TEST_F(TidyReadTest, ScanFromPlaylistReadsThePlaylistsFilesIntoTheResults) {
    RegisterPlaylistManagerWindow();
    SetPlaylistFileReader(ReadPlaylistFilePaths);  // as the program wires it (ConnectTools)
    WriteFile(music, QStringLiteral("x.mp3"), MakeMp3({}));
    WriteFile(music + QStringLiteral("/in"), QStringLiteral("y.mp3"), MakeMp3({}));
    WriteFile(music, QStringLiteral("not-listed.mp3"), MakeMp3({}));
    const QString list = WriteFile(music, QStringLiteral("list.pls"),
                                   "[playlist]\r\nFile1=x.mp3\r\nTitle1=X\r\nFile2=in/y.mp3\r\nTitle2=Y\r\n"
                                   "NumberOfEntries=2\r\nVersion=2\r\n");
    dialogs.answers.push_back(ScriptedDialogs::ChooseFile(list));
    window->mnuActionsScanFromPlaylist_Click();
    EXPECT_EQ(FileNames(*window->ScanResults()), (QStringList{"x.mp3", "y.mp3"})) << Shown();
}

}  // namespace
