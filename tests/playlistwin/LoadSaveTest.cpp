// Opening, showing and saving playlists through the Playlist Manager: the
// text view keeps a loaded file's own text, a failed open changes nothing,
// Save replaces the file safely and refuses a read-only one, and the
// window's place in the program (registry, command line, settings).

#include "playlistwin/PlaylistWinSupport.h"

#include "foundation/SettingsStore.h"
#include "playlists/PlaylistModel.h"
#include "shell/start/ui/StartHost.h"

#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray kPls =
    "[playlist]\r\nFile1=/m/a.mp3\r\nTitle1=Alpha\r\nLength1=61\r\nFile2=/m/b.mp3\r\nTitle2=Beta\r\nLength2=-1\r\n"
    "NumberOfEntries=2\r\nVersion=2\r\n";

class LoadSaveTest : public PlaylistWindowTest {
protected:
    void SetUp() override {
        PlaylistWindowTest::SetUp();
        OpenManager();
    }
    int Format() const { return manager->ComboPlaylistFormat->currentIndex(); }
    QString Text() const { return manager->PlaylistText(); }
};

TEST_F(LoadSaveTest, AnOpenedPlsFileShowsItsOwnTextAndSavesBackUnchanged) {
    const QString path = WriteText(QStringLiteral("list.pls"), kPls);
    manager->LoadPlaylist(path);
    EXPECT_EQ(Rows(), (QStringList{"61000|Alpha|/m/a.mp3", "-1000|Beta|/m/b.mp3"}));
    EXPECT_EQ(Format(), 1);
    // Not rebuilt: the file's own lines, every one ending with a line break.
    EXPECT_EQ(Text(), QString::fromLatin1(kPls).replace("\r\n", "\n"));
    EXPECT_EQ(manager->PlaylistFile(), path);
    EXPECT_EQ(manager->LoadedPlaylistFile(), path);
    EXPECT_EQ(Status(), path);
    // Missing files are red, and there are rows to tidy.
    EXPECT_TRUE(manager->Playlist()->isMissing(0));
    EXPECT_TRUE(manager->BtnAutoTidy->isEnabled());

    manager->mnuFileSave_Click();
    EXPECT_TRUE(dialogs.shown.empty());  // loaded here: Save asks nothing
    EXPECT_EQ(ReadBytes(path), kPls);
    EXPECT_TRUE(ui.shown.empty()) << Shown();
}

TEST_F(LoadSaveTest, AFailedOpenLeavesTheOpenPlaylistItsViewsAndItsPath) {
    const QString good = WriteText(QStringLiteral("good.pls"), kPls);
    manager->LoadPlaylist(good);
    const QStringList rows = Rows();
    const QString text = Text();
    const struct {
        const char* what;
        QString path;
        QString title;  // of the box the user sees
    } cases[] = {
        {"a text file", WriteText(QStringLiteral("notes.m3u"), "just some words\r\n"), "Invalid Playlist File"},
        {"a missing file", work.path() + QStringLiteral("/gone.m3u"), "Critical Error"},
        {"an empty file", WriteText(QStringLiteral("empty.pls"), ""), "Invalid Playlist File"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ui.shown.clear();
        manager->LoadPlaylist(c.path);
        ASSERT_EQ(ui.shown.size(), 1u) << Shown();
        EXPECT_EQ(ui.shown[0].title, c.title);
        EXPECT_EQ(gPlaylistEntries.size(), 2u);
        EXPECT_EQ(Rows(), rows);
        EXPECT_EQ(Text(), text);
        EXPECT_EQ(manager->PlaylistFile(), good);
        EXPECT_EQ(Format(), 1);
    }
    EXPECT_EQ(ui.shown[0].prompt, "This is not a valid playlist file.");
}

TEST_F(LoadSaveTest, AnotherFormatRebuildsTheTextAndTheNextSaveAsksForTheNewName) {
    const QString path = WriteText(QStringLiteral("list.pls"), kPls);
    manager->LoadPlaylist(path);
    manager->RichPlaylist->setPlainText(QStringLiteral("hand edit"));
    manager->ComboPlaylistFormat->setCurrentIndex(0);
    EXPECT_EQ(Text(), QStringLiteral("#EXTM3U\n#EXTINF:61,Alpha\n/m/a.mp3\n#EXTINF:-1,Beta\n/m/b.mp3\n"));
    EXPECT_EQ(Status(), "Creation of playlist complete");
    const QString renamed = work.path() + QStringLiteral("/list.m3u");
    EXPECT_EQ(manager->PlaylistFile(), renamed);

    dialogs.answers.push_back(ScriptedDialogs::ChooseFile(renamed));
    manager->mnuFileSave_Click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "Save Playlist");
    EXPECT_EQ(dialogs.shown[0].filter, "M3U Playlist|*.m3u");
    EXPECT_EQ(dialogs.shown[0].fileName, renamed);
    EXPECT_EQ(ReadBytes(renamed), "#EXTM3U\r\n#EXTINF:61,Alpha\r\n/m/a.mp3\r\n#EXTINF:-1,Beta\r\n/m/b.mp3\r\n");
    EXPECT_EQ(ReadBytes(path), kPls);
    EXPECT_EQ(GetOptionSetting("Settings", "PlaylistsLocation", QString(), SettingType::String).toString(),
              work.path());
    // Saved under another name: the next Save asks again.
    manager->mnuFileSave_Click();
    EXPECT_EQ(dialogs.shown.size(), 2u);
}

// A text rebuilt in another format takes that format's extension, so the
// next Save asks for the new name rather than writing it over the loaded file.
TEST_F(LoadSaveTest, ARebuiltTextTakesItsFormatsExtensionAndSaveAsksBeforeWriting) {
    const QByteArray m3u = "#EXTM3U\r\n#EXTINF:61,Alpha\r\n/m/a.mp3\r\n";
    const struct {
        const char* loaded;
        QByteArray content;
        int format;
        const char* renamed;
        const char* textStart;
    } cases[] = {
        {"list.pls", kPls, 2, "list.b4s", "<?xml"},
        {"list.m3u", m3u, 2, "list.b4s", "<?xml"},
        {"mix", m3u, 2, "mix.b4s", "<?xml"},
        {"list.pls", kPls, 0, "list.m3u", "#EXTM3U"},
        {"list.b4s.m3u", m3u, 1, "list.b4s.pls", "[playlist]"},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.loaded) + " as " + std::to_string(c.format));
        const QString folder = work.path() + QStringLiteral("/rebuilt%1").arg(++n);
        const QString loaded = WriteFile(folder, QString::fromLatin1(c.loaded), c.content);
        manager->LoadPlaylist(loaded);
        manager->ComboPlaylistFormat->setCurrentIndex(c.format);
        const QString renamed = folder + QLatin1Char('/') + QString::fromLatin1(c.renamed);
        EXPECT_EQ(manager->PlaylistFile(), renamed);

        dialogs.shown.clear();
        dialogs.answers.push_back([](CommonDialog&) { return true; });  // Enter
        manager->mnuFileSave_Click();
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].fileName, renamed);
        EXPECT_TRUE(ReadBytes(renamed).startsWith(c.textStart)) << ReadBytes(renamed).constData();
        EXPECT_EQ(ReadBytes(loaded), c.content);
    }
    EXPECT_TRUE(ui.shown.empty()) << Shown();
}

TEST_F(LoadSaveTest, SaveRenamesANewFileOverTheOldOneAndLeavesNoTemporaryFile) {
    const QString path = WriteText(QStringLiteral("list.pls"), kPls);
    const QString link = work.path() + QStringLiteral("/old-copy.pls");
    ASSERT_EQ(::link(QFile::encodeName(path).constData(), QFile::encodeName(link).constData()), 0);
    manager->LoadPlaylist(path);
    manager->RichPlaylist->setPlainText(QStringLiteral("[playlist]\nNumberOfEntries=0\nVersion=2"));
    manager->mnuFileSave_Click();
    // A shorter text leaves only itself; the old file (still reachable
    // through its other name) was never written into.
    EXPECT_EQ(ReadBytes(path), "[playlist]\r\nNumberOfEntries=0\r\nVersion=2");
    EXPECT_EQ(ReadBytes(link), kPls);
    EXPECT_EQ(QDir(work.path()).entryList({"*list*"}, QDir::Files | QDir::Hidden), QStringList{"list.pls"});
}

TEST_F(LoadSaveTest, WithTheRecycleBinTheOldFileGoesToTheTrashOnlyWithTheNewOneInPlace) {
    Options().Preferences.blnUseRecycleBin = true;
    // A name of this run alone, so the trash holds one file of that name.
    const QString name = QFileInfo(work.path()).fileName() + QStringLiteral(".pls");
    const QString path = WriteText(name, kPls);
    manager->LoadPlaylist(path);
    manager->ComboPlaylistFormat->setCurrentIndex(2);
    // The B4S text is saved over the loaded file by the user's choice.
    dialogs.answers.push_back(ScriptedDialogs::ChooseFile(path));
    manager->mnuFileSave_Click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    ASSERT_EQ(manager->PlaylistFile(), path);
    EXPECT_TRUE(ReadBytes(path).startsWith("<?xml")) << ReadBytes(path).constData();
    // The old text is in the trash, whole.
    const QString trash = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Trash");
    EXPECT_EQ(ReadBytes(trash + QStringLiteral("/files/") + name), kPls);
    QFile::remove(trash + QStringLiteral("/files/") + name);
    QFile::remove(trash + QStringLiteral("/info/") + name + QStringLiteral(".trashinfo"));
    EXPECT_TRUE(ui.shown.empty()) << Shown();
}

TEST_F(LoadSaveTest, AReadOnlyPlaylistIsRefusedNotReplaced) {
    for (const bool recycle : {false, true}) {
        SCOPED_TRACE(recycle ? "recycle bin" : "no recycle bin");
        Options().Preferences.blnUseRecycleBin = recycle;
        const QString path = WriteText(QStringLiteral("locked.pls"), kPls);
        ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        manager->LoadPlaylist(path);
        manager->RichPlaylist->setPlainText(QStringLiteral("new text"));
        ui.shown.clear();
        manager->mnuFileSave_Click();
        ASSERT_EQ(ui.shown.size(), 1u) << Shown();
        EXPECT_EQ(ui.shown[0].title, "Path/File Access Error");
        EXPECT_EQ(ui.shown[0].prompt, path + "\r\n\r\nCannot save file. Path/File access error. A file of this name "
                                             "already exists and may be read-only.");
        EXPECT_EQ(ReadBytes(path), kPls);
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QFile::remove(path);
    }
}

TEST_F(LoadSaveTest, SaveAsAlwaysAsksAndACancelWritesNothing) {
    const QString path = WriteText(QStringLiteral("list.pls"), kPls);
    manager->LoadPlaylist(path);
    manager->RichPlaylist->setPlainText(QStringLiteral("changed"));
    dialogs.answers.push_back(ScriptedDialogs::Cancel());
    manager->mnuFileSaveAs_Click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].filter, "PLS Playlist|*.pls");
    EXPECT_EQ(ReadBytes(path), kPls);
    EXPECT_EQ(manager->PlaylistFile(), path);
}

// Enter in the Save dialog takes the proposed name: it carries the chosen
// format's extension, so no file of another format is offered for the text.
TEST_F(LoadSaveTest, SaveAsProposesTheNameWithTheChosenFormatsExtension) {
    const QByteArray m3u = "#EXTM3U\r\n#EXTINF:61,Alpha\r\n/m/a.mp3\r\n";
    const struct {
        const char* loaded;
        QByteArray content;
        int format;  // chosen before Save As (-1: as loaded)
        const char* proposed;
        const char* textStart;
    } cases[] = {
        {"all.pls", kPls, 2, "all.b4s", "<?xml"},
        {"all.pls", kPls, 0, "all.m3u", "#EXTM3U"},
        {"all.pls", kPls, -1, "all.pls", "[playlist]"},
        {"mix.txt", m3u, -1, "mix.m3u", "#EXTM3U"},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.loaded) + " as " + std::to_string(c.format));
        const QString folder = work.path() + QStringLiteral("/case%1").arg(++n);
        const QString loaded = WriteFile(folder, QString::fromLatin1(c.loaded), c.content);
        manager->LoadPlaylist(loaded);
        if (c.format >= 0) manager->ComboPlaylistFormat->setCurrentIndex(c.format);
        dialogs.shown.clear();
        dialogs.answers.push_back([](CommonDialog&) { return true; });  // Enter
        manager->mnuFileSaveAs->trigger();
        ASSERT_EQ(dialogs.shown.size(), 1u);
        const QString proposed = folder + QLatin1Char('/') + QString::fromLatin1(c.proposed);
        EXPECT_EQ(dialogs.shown[0].fileName, proposed);
        EXPECT_TRUE(ReadBytes(proposed).startsWith(c.textStart)) << ReadBytes(proposed).constData();
        if (proposed != loaded) {
            EXPECT_EQ(ReadBytes(loaded), c.content);
        }
        EXPECT_EQ(manager->PlaylistFile(), proposed);
    }
    EXPECT_TRUE(ui.shown.empty()) << Shown();
}

TEST_F(LoadSaveTest, FileOpenStartsInTheLastFolderAndRemembersTheChosenOneEvenForABadFile) {
    QDir().mkpath(music);
    SaveOptionSetting("Settings", "PlaylistsLocation", music, SettingType::String);
    const QString bad = WriteFile(work.path() + QStringLiteral("/other"), QStringLiteral("bad.m3u"), "nothing");
    dialogs.answers.push_back(ScriptedDialogs::ChooseFile(bad));
    manager->mnuFileOpen_Click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "Open Playlist");
    EXPECT_EQ(dialogs.shown[0].filter, "Playlist Files (*.m3u,*.pls,*.b4s)|*.m3u;*.pls;*.b4s");
    EXPECT_EQ(dialogs.shown[0].initDir, music);
    EXPECT_TRUE(WasShown("Invalid Playlist File"));
    EXPECT_EQ(GetOptionSetting("Settings", "PlaylistsLocation", QString(), SettingType::String).toString(),
              work.path() + QStringLiteral("/other"));
}

TEST_F(LoadSaveTest, TheRegistryAndTheCommandLineReachTheRealWindowAndItRemembersItsChoices) {
    CloseManager();
    RegisterPlaylistManagerWindow();
    const QString path = WriteText(QStringLiteral("cmd.m3u"), "#EXTM3U\r\n#EXTINF:3,Song\r\n/x/song.mp3\r\n");
    StartHost host;
    host.LoadPlaylist(path);
    manager = WindowRegistry::FindAs<FormPlaylistManager>(WindowNames::PlaylistManager);
    ASSERT_TRUE(manager);
    EXPECT_EQ(Rows(), QStringList{"3000|Song|/x/song.mp3"});
    // No saved choices: M3U and file names.
    EXPECT_EQ(Format(), 0);
    EXPECT_TRUE(manager->moptionFileInfo.Value());

    manager->ComboPlaylistFormat->setCurrentIndex(2);
    manager->OptionShow_Click(0);
    CloseManager();
    // The open playlist outlives the window; the choices come back.
    EXPECT_EQ(gPlaylistEntries.size(), 1u);
    OpenManager();
    EXPECT_EQ(Format(), 2);
    EXPECT_TRUE(manager->moptionTitleInfo.Value());
    EXPECT_FALSE(manager->moptionFileInfo.Value());
    EXPECT_EQ(Rows().size(), 0);  // shown only once loaded, read or dropped
    EXPECT_TRUE(Text().startsWith("<?xml")) << Text();
}

}  // namespace
