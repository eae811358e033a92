#pragma once
// The open playlist, kept for the whole run (also while the Playlist Manager
// is closed), so the playlist stays as the user left it when the window opens
// again.  The start procedure gives it its empty sentinel; the Playlist
// Manager fills and edits it.

#include <QString>
#include <cstdint>
#include <vector>

struct PlaylistEntryInfo {
    QString FileName;   // the path exactly as the playlist stores it
    QString Title;
    int32_t Length = 0; // milliseconds; 0 when unknown
};

// Element n (1-based) is at index n - 1; the last element is an always-empty
// sentinel, so the number of entries is size() - 1.
extern std::vector<PlaylistEntryInfo> gPlaylistEntries;
