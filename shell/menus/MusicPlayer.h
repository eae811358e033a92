#pragma once
// The Tools menu's Music Player: starts the user's player on its own, with no
// file.  The player is the desktop's default program for MP3 files
// (audio/mpeg); when there is none, the path stored under
// "Settings"/"PlayerPath"; when no file is there either, the user is asked
// whether to browse for one, and a program picked in `dialog` is stored and
// started.  No temporary file is made: the desktop is asked by file type.

class CommonDialog;

// `dialog` is the main window's file dialog (its CommonDialogFile).
void StartMusicPlayer(CommonDialog& dialog);
