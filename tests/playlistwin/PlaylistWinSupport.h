#pragma once
// Helpers of the Playlist Manager window tests: a main window (for Read Scan
// Results and Scan From Playlist), the Playlist Manager over it with an
// empty open playlist, and small real files to put in playlists.

#include "mainwin/MainWinSupport.h"
#include "playlists/PlaylistEntries.h"
#include "playlists/ui/PlaylistManager.h"

#include <QPointer>

// A small MP3 file whose ID3v1 tag holds `artist` and `title`.
QByteArray TaggedMp3(const QString& artist, const QString& title);

class PlaylistWindowTest : public MainWindowTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // A new Playlist Manager (the previous one, if any, is closed first).
    FormPlaylistManager& OpenManager();
    void CloseManager();
    // The rows of the list as "length|title|file" texts.
    QStringList Rows() const;
    // The stored paths of the open playlist, in order.
    QStringList EntryFiles() const;
    QString Status() const;
    // Writes a text file (bytes as given) and returns its path.
    QString WriteText(const QString& name, const QByteArray& bytes) const;

    QString music;
    QPointer<FormPlaylistManager> manager;
};
