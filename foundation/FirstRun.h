#pragma once
// The first run of the program for a user: stores the starting values of the
// list-shaped options (file-name formats, change-word pairs, special words,
// catalogue columns, fonts and colours, font combinations), registers the two
// list-file types (".scn", ".sim") with the desktop, and last marks the store
// as initialised ("Settings"/"Initialised" = True).  Because the mark comes
// last, a first run that was interrupted is done again at the next start.
// A failed file-type registration is reported in the error box and the first
// run goes on; any other error is passed on with "InitialiseFirstTimeOptions".

#include <functional>
#include <vector>

// Does nothing when the store is already marked as initialised.
void InitialiseFirstTimeOptions();

// The desktop registrations the first run makes, in order (the program sets
// the two list-file types at start-up, before the options are read; see
// InstallFirstRunAssociations in options/FileAssociations.h).  Each one runs
// on its own: a failure is shown and the next one runs.  None are set to
// begin with, so a first run without them only stores the starting values.
void SetFirstRunRegistrations(std::vector<std::function<void()>> registrations);
