#include "playlistwin/PlaylistWinSupport.h"

#include "playlists/PlaylistModel.h"
#include "playlists/ui/AutoTidyResultsDialog.h"
#include "playlists/ui/PlaylistEntryDialog.h"

#include <QLabel>

QByteArray TaggedMp3(const QString& artist, const QString& title) {
    Mp3Recipe recipe;
    recipe.v1 = true;
    recipe.v1Artist = artist;
    recipe.v1Title = title;
    return MakeMp3(recipe);
}

void PlaylistWindowTest::SetUp() {
    MainWindowTest::SetUp();
    gPlaylistEntries.clear();
    SetPlaylistEntryDialogDriver({});
    SetAutoTidyResultsDialogDriver({});
    music = work.path() + QStringLiteral("/Music");
}

void PlaylistWindowTest::TearDown() {
    CloseManager();
    SetPlaylistEntryDialogDriver({});
    SetAutoTidyResultsDialogDriver({});
    gPlaylistEntries.clear();
    MainWindowTest::TearDown();
}

FormPlaylistManager& PlaylistWindowTest::OpenManager() {
    CloseManager();
    manager = new FormPlaylistManager;
    return *manager;
}

void PlaylistWindowTest::CloseManager() {
    if (manager) {
        manager->mblnProcessRunning = false;
        manager->mnuFileExit_Click();
    }
    Settle();
}

QStringList PlaylistWindowTest::Rows() const {
    QStringList rows;
    const PlaylistModel& model = *manager->Playlist();
    for (int r = 0; r < model.rows(); ++r) {
        QStringList cells;
        for (int c = 0; c < PlaylistColumn::Count; ++c) cells << model.index(r, c).data().toString();
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

QStringList PlaylistWindowTest::EntryFiles() const {
    QStringList files;
    for (const PlaylistEntryInfo& entry : gPlaylistEntries) files << entry.FileName;
    return files;
}

QString PlaylistWindowTest::Status() const {
    return manager && manager->LabelStatusBar ? manager->LabelStatusBar->text() : QString();
}

QString PlaylistWindowTest::WriteText(const QString& name, const QByteArray& bytes) const {
    return WriteFile(work.path(), name, bytes);
}
