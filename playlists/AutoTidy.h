#pragma once
// Auto-Tidy of the open playlist: every entry gets a new title from its
// file's tags (or its file's base name), every entry whose file is missing
// is searched for from one start folder, pointed at the file where it was
// found, and removed where it was not.  Entries are visited from the last to
// the first, and the rows of the report come in that order.
//
// A missing entry's file is searched for by the part of its path after the
// last backslash or slash, so an entry written on a system whose paths use
// backslashes ("sub\b.mp3") is found by its file's name ("b.mp3").
//
// Relative entries are found beside the playlist file they belong to, so an
// entry whose file exists there is never taken for missing.  The start
// folder is asked for once, at the first missing file of a run; an empty
// answer removes every missing entry.  Removals are made in one pass at the
// end (also after a stop), so a playlist of many missing files costs one
// look-up per entry, not one shift of the list per removal.  A search cut
// short by Stop removes nothing.
//
// The entries' files are read a few at once on reader threads (one open per
// file, only the bytes a title needs), ahead of the entry being settled;
// the entries are settled strictly in visiting order on the caller's
// thread, so the results, the questions and the reports are those of
// reading each file in turn.  A file whose read fails is read again in turn
// so that its failure is reported as ever.

#include "playlists/PlaylistEntries.h"

#include <QString>
#include <functional>
#include <vector>

class JobHost;

struct AutoTidyFound {
    QString title;   // the entry's title before the run re-titled it
    QString name;    // the file name searched for
    QString folder;  // where it was found
};

struct AutoTidyUnfound {
    QString title;
    QString fileName;  // the entry's path as stored
};

struct AutoTidyReport {
    std::vector<AutoTidyFound> found;
    std::vector<AutoTidyUnfound> unfound;
    bool stopped = false;
};

struct AutoTidyServices {
    // The start folder of the searches ("" when the user cancelled).
    std::function<QString()> askStartFolder;
    // The folder under `start` that holds a file named `name`, or "" (also
    // when the search was stopped).
    std::function<QString(const QString& start, const QString& name)> findFile;
};

// Runs Auto-Tidy over `entries` of the playlist saved at `playlistFile` as
// a long job's body: per entry it shows "Working with: " and the entry's
// full path (at the host's yields) and advances the progress by one; it
// stops before the next entry once the host's stop flag is set, keeping what
// was done.
AutoTidyReport AutoTidyPlaylist(PlaylistEntries& entries, const QString& playlistFile, JobHost& job,
                                const AutoTidyServices& services);
