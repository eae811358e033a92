#pragma once
// The open playlist and what can be done to its entries whatever the file
// format: add, insert, edit, remove, sort, shuffle, title an entry from its
// file's tags, and find the file an entry names.
//
// The open playlist is one program-wide list, gPlaylistEntries, that lives
// for the whole run (also while the Playlist Manager is closed) and starts
// empty.  Entries are numbered from 0 in playlist order, so list row n shows
// entry n; there is no spare element after the last entry.  Nothing here
// limits the number of entries.
//
// An entry keeps its file path exactly as the playlist stored it or as it was
// added: an absolute path, or one relative to the playlist file's folder.
// Stored paths are never rewritten; GetFullPathOfFileInPlaylist gives the
// path to open.
//
// Failures travel up the error trail with the operation's name; the tag and
// header readers report an unreadable file themselves (a warning naming the
// file) and the operation goes on with what they delivered.

#include "scanning/engine/TagRecords.h"

#include <QString>
#include <cstdint>
#include <vector>

class QRandomGenerator;

struct PlaylistEntryInfo {
    QString FileName;    // the path as the playlist stores it
    QString Title;       // the title shown and written
    int32_t Length = 0;  // play length in milliseconds; 0 when none was found

    bool operator==(const PlaylistEntryInfo&) const = default;
};

using PlaylistEntries = std::vector<PlaylistEntryInfo>;

// The open playlist.
extern PlaylistEntries gPlaylistEntries;

// ---- adding and removing ------------------------------------------------------

// A new entry after the last one, with the length 0.
void AddPlaylistEntry(PlaylistEntries& entries, const QString& fileName, const QString& title);
// A new entry at `index` (0 to size()); the entries from there on move one
// place down.  The new entry's length is 0.
void InsertPlaylistEntry(PlaylistEntries& entries, size_t index, const QString& fileName, const QString& title);
// New path and title for the entry at `index`; its length stays.
void EditPlaylistEntry(PlaylistEntries& entries, size_t index, const QString& fileName, const QString& title);
// Removes the entry at `index`; the others keep their order.
void RemovePlaylistEntry(PlaylistEntries& entries, size_t index);
// Removes every entry whose index is in `indexes` (any order; repeated or
// out-of-range indexes are ignored), all in one pass: the indexes name the
// entries as they were before the call.
void RemovePlaylistEntries(PlaylistEntries& entries, const std::vector<size_t>& indexes);

// ---- order --------------------------------------------------------------------

namespace PlaylistSortKey {
constexpr int32_t FileName = 0;
constexpr int32_t Title = 1;
}  // namespace PlaylistSortKey

// Puts the entries in ascending order of their path (key 0) or title (key
// 1), compared by character code (case-sensitive, no locale rules: "B"
// before "a"; a text before a longer one that begins with it).  Entries with
// equal keys end in the order of the playlist's long-standing exchange sort
// (for every position in turn, each later entry with a smaller key swaps
// places with it), so a playlist sorts exactly as it always has; titled B, B
// and A the two B entries change places.  That order is computed in
// O(n log n): each key is read once, then ranked.  Any other key leaves the
// order as it is.  The caller refreshes its display in every case.
void SortPlaylist(PlaylistEntries& entries, int32_t sortKey);

// Shuffles the entries, every order equally likely (Fisher-Yates), drawing
// from `generator`; the default generator is seeded afresh at every program
// start, so each run shuffles differently.  False, with nothing changed,
// for an empty playlist; the caller refreshes its display only after True.
bool RandomisePlaylist(PlaylistEntries& entries);
bool RandomisePlaylist(PlaylistEntries& entries, QRandomGenerator& generator);

// ---- titles, lengths and files -------------------------------------------------

// The title the file's tags give (file path as given; a missing file has no
// tags): artist and title of the ID3v2 tag, each taken from the ID3v1 tag
// where the ID3v2 one is empty, or both from the ID3v1 tag when the file has
// no ID3v2 tag.  Both found: "artist - title", True; one found: that one,
// True.  Neither: with `useFileName` the file's base name (its name without
// folder and last extension), else `title` stays; False either way.  The
// tag texts are used as read (no trimming, no case change).
bool GetTitleFromID3(const QString& path, QString& title, bool useFileName);
// The title part of GetTitleFromID3 on tags in hand (null where the file has
// no such tag): True with `title` set, or False with `title` untouched.
bool TitleFromTags(const ID3v1Tag* v1, const ID3v2Tag* v2, QString& title);
// GetTitleFromID3 for the entry at `index`, on the file its path names in
// the playlist saved at `playlistFile` (see GetFullPathOfFileInPlaylist).
bool SyncTitleWithID3(PlaylistEntries& entries, size_t index, bool useFileName, const QString& playlistFile);

// The path to open for a stored entry path: an absolute path or a URL
// ("scheme://...") as it is; a relative path joined to the folder of
// `playlistFile`, the playlist file it belongs to (as it is when there is no
// playlist file, or it names no folder).  When a relative path with
// backslashes names no file as written, its backslashes are taken as folder
// separators, and that path is the one to open where a file stands there
// ("sub\b.mp3" opens "sub/b.mp3"); the stored path stays as written.
QString GetFullPathOfFileInPlaylist(const QString& playlistFile, const QString& fileName);
// A regular file (not a folder) stands at the entry's full path.
bool FileInPlaylistExists(const QString& playlistFile, const QString& fileName);

// The entry a file gives when it is added from outside a playlist (dropped
// on the list, taken from the scan results): its path, the title from its
// tags or else its base name, and the length its MPEG audio header gives (0
// without one).
PlaylistEntryInfo PlaylistEntryForFile(const QString& path);
