#pragma once
// The launcher bar's place in the window registry.  Every tool window is
// built and registers its own factory; RegisterStandInWindows is called
// after them and adds the launcher bar's factory when none is there yet.

// Registers the launcher bar's factory unless one is registered.
void RegisterStandInWindows();
