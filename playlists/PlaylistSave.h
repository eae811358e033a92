#pragma once
// Saving the Playlist Manager's text over a playlist file.  The new file is
// always written beside the old one and renamed over it, so a failed save
// leaves the old file whole.  A playlist that is read-only is refused and
// stays as it is.  With the recycle bin in use, the old file goes to the
// trash, but only once the new text is written in full; when it cannot go
// there nothing is replaced.

#include <QString>

enum class PlaylistSaveResult {
    Saved,
    ReadOnly,        // a read-only file stands at the path: nothing written
    NotRecyclable,   // the old file could not go to the trash: nothing written
};

// Writes PlaylistFileBytes(text) to `path` as above.  Failures of the write
// itself raise the platform error (70 permission denied, 75 path/file
// access, ...) and leave the old file as it was.
PlaylistSaveResult SavePlaylistText(const QString& path, const QString& text, bool useRecycleBin);
