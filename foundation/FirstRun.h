#pragma once
// The first run of the program for a user: stores the starting values of the
// list-shaped options (file-name formats, change-word pairs, special words,
// catalogue columns, fonts and colours, font combinations), registers the two
// list-file types (".scn", ".sim") with the desktop, and last marks the store
// as initialised ("Settings"/"Initialised" = True).  Because the mark comes
// last, a first run that was interrupted is done again at the next start.
// A failed file-type registration is reported in the error box and the first
// run goes on; any other error is passed on with "InitialiseFirstTimeOptions".

// Does nothing when the store is already marked as initialised.
void InitialiseFirstTimeOptions();
