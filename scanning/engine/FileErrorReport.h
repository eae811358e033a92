#pragma once
// One reporter for the failures that tag and header access meet again and
// again (a read-only file, a file held by another process, a tag-library
// error): a warning naming the file and the failed step.  It tells the caller
// whether the error was dealt with; if not, the caller passes it up the trail.

#include "foundation/Errors.h"

#include <QString>
#include <cstdint>

// Action codes: string-table codes of the failed step.
namespace FileAction {
constexpr int32_t ReadID3v1 = 197;
constexpr int32_t ReadID3v2 = 198;
constexpr int32_t ModifyID3v1 = 199;
constexpr int32_t ModifyID3v2 = 200;
constexpr int32_t ClearID3v1 = 201;
constexpr int32_t ClearID3v2 = 202;
constexpr int32_t ReadMPEG = 629;
}  // namespace FileAction

// Shows the warning for `error` when it is one the reporter knows and returns
// True; returns False and shows nothing otherwise.  Never changes the error.
bool ReportFileError(const QString& path, int32_t actionCode, const SvError& error);
// The same for the error being handled; only valid inside a catch block.
bool ReportFileError(const QString& path, int32_t actionCode);

// The scan's reporter: every failure of one file's read is reported for that
// file, the reporter's own errors as above, any other as a "Path/File Access
// Error" box with the file's name, the step and the system's text; true when
// a box was shown.  False only when the tag object is missing (error 91),
// which is no failure of the file.
bool ReportReadFailure(const QString& path, int32_t actionCode, const SvError& error);

// The text of a string-table code used by the scan engine.  The engine's
// failure messages must show even where the table lacks an entry, so a
// missing entry falls back to the US English text.
QString ScanEngineText(int32_t code);
