#pragma once
#include <QString>

// The folder of the files the program ships with: the tag library, the skin
// schemes ("Skins") and the help pages ("WebHelp").
//
// They lie beside the program.  A program that runs elsewhere than that
// folder (test programs and scripts working in a build tree) names it in the
// environment variable SV_BIN_DIR.  No folder is compiled into the program
// and nothing else is searched, so no one who can create a folder elsewhere
// on the machine can put a library or a file in the program's way.  Tests may
// set the folder directly, which wins over the variable.
inline constexpr char kAppPathVariable[] = "SV_BIN_DIR";

QString AppPath();
void SetAppPathForTesting(const QString& path);

// The user's music folder: XDG_MUSIC_DIR as the environment or the user's
// folder settings ($XDG_CONFIG_HOME/user-dirs.dirs) give it, when that names
// an existing folder; the home folder otherwise.  A place the user may write
// to, unlike the program's own folder once it is installed.
QString UserMusicFolder();
