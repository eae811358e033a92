#pragma once
// The three playlist formats: extended M3U, PLS version 2 and B4S (XML whose
// root is WinampXML).  Reading decides the format by content, never by the
// file's extension; building turns entries into the whole text of a file;
// saving writes that text.
//
// Reading.  A file's bytes lose a UTF-8 byte-order mark at their start; a
// line of nothing but a mark further on is an empty line (anywhere else the
// mark is a character of its line); each line is UTF-8 when it is valid
// UTF-8, else Windows-1252; CR LF, LF and a lone CR each end a line.
// The reader of a file and the reader of its bytes take the same entries.
// A file is extended M3U when its first line is exactly "#EXTM3U", PLS when
// it is exactly "[playlist]" (read through the INI reader with the rules of
// other programs' INI files: names ignore case, values are trimmed and lose
// one pair of quotes), and B4S when it is well-formed XML with at least one
// element entry in a playlist in a WinampXML.  A B4S file is read
// without a DTD: a document that has one is not taken, so no entity, internal
// or external, is ever expanded or loaded.  A damaged entry never costs the
// rest of the file: an M3U file cut off after an "#EXTINF:" line loses only
// that last entry, and a number that is not a number, or is too large, reads
// as 0 (a length) and never ends the load.
//
// Writing.  The builders give the text with CR LF after every line (PLS ends
// with "Version=2" and no line end); a CR, LF or NUL in a title or path is
// written as a blank, so a tag can never add lines or entries to a playlist.
// B4S texts are escaped for XML (characters XML cannot carry become blanks).
// SavePlaylistFile writes UTF-8 with CR LF line ends through a temporary file
// beside the target that is renamed over it.  Lengths are whole seconds in
// M3U and PLS (milliseconds / 1000 rounded down: 215999 -> 215, -500 -> -1)
// and milliseconds in B4S.

#include "playlists/PlaylistEntries.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <cstdint>

class JobHost;

// The result of LoadPlaylistFile and the positions of the Playlist Manager's
// format list.
namespace PlaylistFileFormat {
constexpr int32_t M3U = 0;
constexpr int32_t PLS = 1;
constexpr int32_t B4S = 2;
constexpr int32_t NotAPlaylist = 3;
}  // namespace PlaylistFileFormat

// ---- reading ------------------------------------------------------------------

// Reads the playlist file at `path` and appends its entries to `entries`
// (after emptying it when `clearFirst` is set); returns its format, or
// NotAPlaylist (nothing appended).  A file that may not be read gives one
// "Permission Denied" warning and NotAPlaylist.  Other failures (a missing
// file, 53) travel up the trail with "LoadPlaylistFile;" and the path; the
// entries appended before stay.
int32_t LoadPlaylistFile(const QString& path, PlaylistEntries& entries, bool clearFirst);

// The readers on the bytes of a file, each appending what it finds.  False
// (nothing appended) when the bytes are not of its format.  ReadPLSText
// takes the titles of a PLS file whose Version is not 2 from the files' tags,
// finding relative entries beside `playlistFile`; an entry whose path can
// name no file (too long for the system) is kept with its base name.
bool ReadM3UText(QByteArrayView bytes, PlaylistEntries& entries);
bool ReadPLSText(QByteArrayView bytes, const QString& playlistFile, PlaylistEntries& entries);
bool ReadB4SText(QByteArrayView bytes, PlaylistEntries& entries);

// The Scanning Centre's Scan From Playlist: the paths of the playlist's
// entries, relative ones joined to the playlist's folder, and the format.
int32_t ReadPlaylistFilePaths(const QString& path, QStringList& paths);

// ---- building and saving ------------------------------------------------------

// The whole text of a playlist file of `entries`.  With a job host the
// builders run as a long job's body: before entry i (from 1) of n they show
// "Creating <format> playlist entry i of n - Please wait..." and the
// progress i of n + 1 and yield (at most about 30 times a second), and they
// stop before the next entry once the host's stop flag is set: the entries
// added so far make the text (PLS counts them in NumberOfEntries; B4S still
// gives all n in num_entries).
QString ConstructM3UPlaylist(const PlaylistEntries& entries, JobHost* job = nullptr);
QString ConstructPLSPlaylist(const PlaylistEntries& entries, JobHost* job = nullptr);
QString ConstructB4SPlaylist(const PlaylistEntries& entries, JobHost* job = nullptr);
// The builder of a format (M3U, PLS or B4S); an empty text for any other.
QString ConstructPlaylist(int32_t format, const PlaylistEntries& entries, JobHost* job = nullptr);

// The playlist path a format's text is saved under: the same folder and base
// name with ".m3u", ".pls" or ".b4s" (a path that names a folder becomes a
// file named after it, beside it); an empty path stays empty, and any other
// format leaves the path as it is.
QString PlaylistPathForFormat(const QString& playlistFile, int32_t format);

// The bytes SavePlaylistFile writes for `text`: UTF-8, every line end (CR LF,
// LF or a lone CR, as a text view gives them) written as CR LF, no
// byte-order mark, nothing added.
QByteArray PlaylistFileBytes(const QString& text);
// Writes PlaylistFileBytes(text) over `path` atomically (the old file stays
// whole until the new one is complete; its mode is kept).  Raises the
// platform error of a failed step (70 permission denied, 75 path/file
// access, ...) and leaves the old file as it was.  It does not ask or check
// whether a read-only file may be replaced: that is the caller's.
void SavePlaylistFile(const QString& path, const QString& text);
