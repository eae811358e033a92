#pragma once
// The program's composition root: its windows and option dialogs,
// registered in the order the program needs (the Scanning Centre, the main
// window, first; the launcher bar last), and every hook by which one part of
// the program reaches another's window or dialog, installed in one place.
// The program's start and the tests that start the program register
// through this one list, so a new window or hook cannot be missed by either.

// The windows' factories, then ConnectTools().
void RegisterProgramWindows();
// The launcher bar's factory alone (RegisterProgramWindows adds it last).
void RegisterLauncherWindow();
// The hooks between the parts of the program: how the start procedure
// creates the tag object, the playlist reader of Scan From Playlist, the
// Options dialog and the Encoder Decoder Options dialog behind the Tools
// menu and the launcher bar, and the cataloguer's own dialogs behind the
// Options dialog's buttons.  Installing them again changes nothing.
void ConnectTools();
