#pragma once
// The program's ID3v2 access: the one tag object of the tag library, created
// at start-up and kept for the whole run, the four procedures every tool
// uses with an ID3v2Tag record, and the one mapping between that record and
// a tag object's frames.
//
// Every read and every write starts with a read of its own file, so the
// object never carries one file's frames into another file's write.  The
// procedures that take a tag object work on the object the caller passes and
// holds for one file's read-modify-write (a read, then a render or write of
// the same object); the ones without it use the program's object.  Library
// and file-access failures become the warnings of ReportFileError (the
// procedure then returns its failure result and the caller skips the file);
// other failures travel up the error trail.  An empty object (the library
// could not be loaded) raises error 91 on every use, which no reporter takes,
// so it ends in the calling window's critical error box.  The options that
// steer the procedures (the include filters, the write-read-only preference)
// are the caller's parameters: nothing here reads the program-wide records.

#include "scanning/engine/TagRecords.h"
#include "scanning/tagobject/ID3v2TagObject.h"

#include <QByteArray>
#include <QString>

class FileBytes;
struct ScanningCentreOptions;

// The one tag object; empty before it is created, after a failed creation
// and after its release.
extern ID3v2TagObject gobjID3v2Tag;

// Copies the twelve frame values of the tag `object` holds into `tag`, in
// the order the read fetches them.
void FetchID3v2Frames(ID3v2TagObject& object, ID3v2Tag& tag);
// Sets the twelve frame values of `object` from `tag`; frames no field names
// stay as the object holds them.  Its order is also the frame order of a tag
// made from nothing.
void StoreID3v2Frames(ID3v2TagObject& object, const ID3v2Tag& tag);
// The tag `object` would write after StoreID3v2Frames(object, tag), as
// bytes, without touching any file.
QByteArray RenderID3v2Tag(ID3v2TagObject& object, const ID3v2Tag& tag);

// Creates the tag object; a failure goes up the trail with
// "InitialiseQuillmarkClass" (the start procedure shows it and runs on
// without a tag object).
void InitialiseQuillmarkClass();
// Releases the tag object ("TerminateID3v2Class" on the trail).
void TerminateID3v2Class();

// Reads the file's tag into `tag`, sets `hasTag`, and sets `filtered` when the
// include options of `include` (blnIncFilesWithID3v2 / blnIncFilesWithoutID3v2)
// exclude the file's ID3v2 state (never clears it); with `include` null
// nothing is filtered.  True also when the file does not exist (nothing is
// touched then); False only after a failure that ReportFileError showed.
// The read leaves the file's frames in the object it used (for a render or
// write of that file), except when the file does not exist.
bool ReadID3v2TagInfo(const QString& path, ID3v2Tag& tag, bool& hasTag, bool& filtered,
                      const ScanningCentreOptions* include);
bool ReadID3v2TagInfo(ID3v2TagObject& object, const QString& path, ID3v2Tag& tag, bool& hasTag, bool& filtered,
                      const ScanningCentreOptions* include);
// The same on a file the caller holds open: the tag is parsed from the file's
// first block when it lies wholly inside it.
bool ReadID3v2TagInfo(FileBytes& file, const QString& path, ID3v2Tag& tag, bool& hasTag, bool& filtered,
                      const ScanningCentreOptions* include);
bool ReadID3v2TagInfo(ID3v2TagObject& object, FileBytes& file, const QString& path, ID3v2Tag& tag, bool& hasTag,
                      bool& filtered, const ScanningCentreOptions* include);
// Writes `tag` as the file's ID3v2 tag; with `writeReadOnly` (the preference)
// a read-only file is made writeable first, without it the write is refused
// with the library's read-only error.  True when it wrote; False when the
// file does not exist, when its tag already equals `tag`, when reading the
// current tag failed, and after a reported failure.
bool WriteID3v2TagInfo(const QString& path, const ID3v2Tag& tag, bool writeReadOnly);
bool WriteID3v2TagInfo(ID3v2TagObject& object, const QString& path, const ID3v2Tag& tag, bool writeReadOnly);
// Removes the file's ID3v2 tag (nothing when the file does not exist);
// read-only files as WriteID3v2TagInfo treats them.
void ClearID3v2Tag(const QString& path, bool writeReadOnly);
// True when all twelve texts are equal, letter case included.
bool CompareID3v2(const ID3v2Tag& a, const ID3v2Tag& b);
