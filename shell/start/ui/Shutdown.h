#pragma once
// The end of the program, as the main window's close handlers run it:
// MainWindowMayClose is the unload-query part (a running job refuses; a
// close from the window's close box asks first), ShutdownProgram the unload
// part (the states of the tool windows for the next start, every other window
// unloaded, the tag object released, the message loop ended).

class IToolWindow;

// False when a job runs in the main window or one of the core tool windows
// (the user is told which), or when `ask` is set and the user answers No to
// "Closing ... will exit the program".
bool MainWindowMayClose(IToolWindow* main, bool ask);
// Runs after the main window has saved its own position and settings.
void ShutdownProgram(IToolWindow* main);
