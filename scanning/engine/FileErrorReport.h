#pragma once
// One reporter for the failures that tag and header access meet again and
// again (a read-only file, a file held by another process, a tag-library
// error): a warning naming the file and the failed step.  It tells the caller
// whether the error was dealt with; if not, the caller passes it up the trail.

#include "foundation/Errors.h"
#include "resources/StringIds.h"

#include <QString>
#include <cstdint>

// Action codes: the texts of the failed steps.
namespace FileAction {
constexpr int32_t ReadID3v1 = TextId::Common::CannotReadID3v1Tag;
constexpr int32_t ReadID3v2 = TextId::Common::CannotReadID3v2Tag;
constexpr int32_t ModifyID3v1 = TextId::Common::CannotModifyID3v1Tag;
constexpr int32_t ModifyID3v2 = TextId::Common::CannotModifyID3v2Tag;
constexpr int32_t ClearID3v1 = TextId::Common::CannotClearID3v1Tag;
constexpr int32_t ClearID3v2 = TextId::Common::CannotClearID3v2Tag;
constexpr int32_t ReadMPEG = TextId::Common::CannotReadMPEGInformation;
}  // namespace FileAction

// Shows the warning for `error` when it is one the reporter knows and returns
// True; returns False and shows nothing otherwise.  Never changes the error.
bool ReportFileError(const QString& path, int32_t actionCode, const SvError& error);
// The same for the error being handled; only valid inside a catch block.
bool ReportFileError(const QString& path, int32_t actionCode);

// The reporter of the scan's reads and of Apply's writes: every failure of
// one file is reported for that file, the reporter's own errors as above, any
// other as a "Path/File Access Error" box with the file's name, the step and
// the system's text; true when a box was shown.  Every box shows the error's
// description up to its first "|" (the call sites of the trail stay out).  False only when the tag
// object is missing (error 91), which is no failure of the file.
bool ReportReadFailure(const QString& path, int32_t actionCode, const SvError& error);

// The text of a string-table code used by the scan engine.  The engine's
// failure messages must show even where the table lacks an entry, so a
// missing entry falls back to the US English text.
QString ScanEngineText(int32_t code);
