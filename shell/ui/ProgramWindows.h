#pragma once
// The program's windows and option dialogs, registered in the order the
// program needs: the Scanning Centre (the main window) first, the launcher
// bar last.  The program's start and the tests that start the program
// register through this one list, so a new window cannot be missed by either.

void RegisterProgramWindows();
// The launcher bar's factory alone (RegisterProgramWindows adds it last).
void RegisterLauncherWindow();
