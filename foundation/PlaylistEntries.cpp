#include "foundation/PlaylistEntries.h"

std::vector<PlaylistEntryInfo> gPlaylistEntries(1);
