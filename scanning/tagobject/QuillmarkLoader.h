#pragma once
// The tag library is not linked into the program: it is loaded at run time
// from the folder of the program's files (AppPath(): beside the program, or
// the folder SV_BIN_DIR names) and from nowhere else, and its clsID3v2 is
// created through the library's class factory by class identifier.
//
// The start procedure creates the one tag object like this, so a missing
// library shows the critical error box and the program runs on with an empty
// handle (every use of which is error 91):
//
//     ResumeNext([] {
//         WithTrail(QStringLiteral("InitialiseQuillmarkClass"),
//                   [] { gobjID3v2Tag = CreateQuillmarkTagObject(); });
//     });

#include "scanning/tagobject/ID3v2TagObject.h"

#include <QString>
#include <QStringList>

// A new tag object; raises SvError when the library cannot be found (53),
// loaded (48), has no class factory (453), or the object cannot be made (the
// library's own error).
ID3v2TagObject CreateQuillmarkTagObject();

namespace QuillmarkLoader {

// The file name of the library.
QString LibraryFileName();
// The folders searched: AppPath() alone.
QStringList SearchFolders();
// The path the library was loaded from (empty before the first success).
QString LoadedPath();
// Tests replace the folders searched; an empty list restores the default.
void SetSearchFoldersForTesting(const QStringList& folders);

}  // namespace QuillmarkLoader
