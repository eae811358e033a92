#pragma once
// Apply: the one step of the coordinator that changes files.  It walks the
// ticked rows of the simulate results table in list order and, per file,
// either deletes it (rows whose action is "Delete") or renames it to its new
// name and then writes its ID3v1 and its ID3v2 tag, taking each field from
// the mass tagging override in force, else from the row when the tag's
// switch is on, else keeping the value the file has.
//
// What it guarantees for the user's files:
//   - A row whose path no longer names the file it was derived from (another
//     file stands there, or none, or the file was rewritten since: its size
//     or modification time differs) is skipped and reported.
//   - A rename never replaces another file without the user's yes, and a
//     change of letter case alone is carried out (through an intermediate
//     name).  A new name that is no plain file name (empty, starting with
//     ".", with "/", more than 255 bytes) is reported, and the row's tags
//     are still written.
//   - The tag changes of one file are one step: the new file (new ID3v2 tag,
//     the audio, the ID3v1 tag) is written beside it under a hidden name and
//     renamed over it, so the file is always either as it was or as it should
//     be.  A tag that only changes in place (an ID3v1 tag alone) is one write.
//     A file renamed and retagged gets its new name only as the finished new
//     file; the old file goes after that (a run killed in between leaves
//     both, whole, and the next run removes the old one).  Hidden files of an
//     interrupted run are removed when a later run meets their folder.
//     The new files are written on a few threads (the files of one folder
//     on one thread) while the calling thread reads the next ones.
//     Durability is batched: the new files of a batch are flushed to disk
//     together (one flush of their file system, while the next batch is
//     written) before any of them replaces its file, in list order; a file
//     that could not be written is reported then, and boxes still come in
//     list order.
//   - A tag is never created on a file that has none when nothing would be
//     set in it, and a "Remove" acts only while its group is switched on.
//   - Every failure is reported for its file (a box) and counted; the caller
//     says "complete" only when none failed.  A failed move to the trash is
//     never turned into a permanent delete.
//
// The run reads no program-wide option: the caller hands over the
// preferences it needs in ApplySettings, read once for the whole run.
//
// Stop takes effect between files.  No cell or tick of the table changes;
// a row whose file was rewritten is told the new file's identity, so a
// later run over the same table still finds it.

#include "coordinator/MassTaggingOverrides.h"
#include "foundation/JobHost.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

class SimResultsModel;

struct ApplySettings {
    bool changeFileName = false;  // "Change File Name on Apply"
    bool changeID3v1Tag = false;  // "Change ID3v1 Tag on Apply"
    bool changeID3v2Tag = false;  // "Change ID3v2 Tag on Apply"
    bool deleteFiles = true;      // rows marked "Delete" delete their files
    bool writeReadOnly = false;   // the preference: tags of read-only files are written too
    bool useRecycleBin = false;   // the preference: deleted files go to the trash
    MassTaggingOverrides overrides;
};

struct ApplyReport {
    int64_t processed = 0;  // ticked rows reached
    int64_t failed = 0;     // files with at least one failed step
    bool stopped = false;
};

ApplyReport ApplyChanges(SimResultsModel& table, const ApplySettings& settings, JobHost& job);

// The end text of a run: interrupted, complete, or the count of failures.
QString ApplyEndText(const ApplyReport& report);

// Tests make the writing of new files fail: the hook gets the target's path
// and returns the errno value to fail with, or 0.  nullptr removes it.
using ApplyWriteFault = int (*)(const QByteArray& nativeTarget);
void SetApplyWriteFaultForTesting(ApplyWriteFault fault);
