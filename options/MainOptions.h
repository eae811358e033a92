#pragma once
// Reads every option group into the option records (foundation/OptionRecords.h).
// It lives with the Options dialog, above the tools, because some groups
// keep their keys and readers beside their tool (scanning/, ...); the start
// procedure reaches it through the hook the program's wiring installs
// (SetMainOptionsReader, shell/start/ui/StartHost.h).
//
// First-run defaults first (see foundation/FirstRun.h), then the groups in
// the order: preferences, scanning centre, coordinator, coordinator advanced,
// HTML catalogue, HTML header, HTML page properties, text catalogue, text
// header, encoder and decoder.  Values a group's reader refuses get their
// defaults back and the group is read to its end (ReadRepairing,
// foundation/SettingsStore.h), and so are the groups after it; the first
// refusal is raised once every group is read.  Any other error ends it:
// later groups are not read.  Errors pass up the trail with "GetMainOptions".

#include "foundation/OptionRecords.h"

void GetMainOptions(OptionRecords& records = Options());
