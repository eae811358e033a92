#pragma once
// Services the scanning centre needs from outside its own subsystem, behind
// small replaceable hooks so tests (and the subsystems that own them) can
// stand in:
//  - the folder browser of the sort into folders;
//  - the playlist reader of Scan From Playlist, which the playlist manager
//    installs (until then no file counts as a playlist).

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

class QWidget;

// The folder the user picks in the folder browser (file-system folders only,
// the prompt shown whole inside it), or an empty text when the user cancels.
QString BrowseForFolder(QWidget* owner, const QString& prompt);
using FolderBrowser = std::function<QString(QWidget* owner, const QString& prompt)>;
// Installs a folder browser; an empty function restores the platform's.
void SetFolderBrowser(FolderBrowser browser);

// Reads a playlist's entries (the paths of their files, in playlist order;
// a relative entry is found beside the playlist) and returns its format: 0
// M3U, 1 PLS, 2 B4S, 3 not a playlist.  Failures are raised (the error
// trail).
using PlaylistFileReader = std::function<int32_t(const QString& path, QStringList& entryPaths)>;
void SetPlaylistFileReader(PlaylistFileReader reader);
int32_t ReadPlaylistEntries(const QString& path, QStringList& entryPaths);
constexpr int32_t kNotAPlaylist = 3;
