#pragma once
// Checks a disc image's CUE sheet before the CD layer lets libcdio read it.
// libcdio's CUE reader trusts its input: more than 99 tracks write past its
// table, and control bytes, stray FILE lines or misplaced commands make it
// crash or leak.  A sheet is handed over only when every line is one of the
// commands below, in its place and with valid values:
//
//   REM ...                     anywhere
//   CATALOG <13 digits>         before the first TRACK
//   FILE <name> <type>          type BINARY, MOTOROLA, AIFF, WAVE or MP3;
//                               each FILE is followed by a TRACK before
//                               any other FILE, FLAGS, ISRC, PREGAP or INDEX
//   TRACK <n> <mode>            numbered 1, 2, ... up to 99; mode AUDIO,
//                               MODE1/2048, MODE1/2352, MODE2/2048,
//                               MODE2/2324, MODE2/2336 or MODE2/2352
//   FLAGS, ISRC, PREGAP, INDEX  inside a track
//   TITLE, PERFORMER, SONGWRITER, COMPOSER, ARRANGER, MESSAGE <text>
//
// Keywords are upper case, values are single words or "quoted" texts, times
// are mm:ss:ff (minutes up to 99, frames up to 74).  A track's indexes are
// numbered from 0 or 1 in sequence, every track has INDEX 01, and index
// times never go back (libcdio reads them as places in one BIN file).  Lines
// end in LF or CR LF; a sheet is at most kCueSheetMaxBytes long, a line at
// most kCueLineMaxBytes.  Commands that make libcdio read further files
// (CDTEXTFILE) are refused.
//
// libcdio pairs a sheet with the BIN file of the same name ("disc.cue" with
// "disc.bin", "DISC.CUE" with "DISC.BIN"), whatever its FILE line says; that
// file must exist.

#include <QByteArray>
#include <QString>

inline constexpr qint64 kCueSheetMaxBytes = 256 * 1024;
inline constexpr int kCueLineMaxBytes = 1024;

enum class CueProblem {
    None,
    Unreadable,      // the sheet cannot be read
    TooLarge,        // longer than kCueSheetMaxBytes
    NotText,         // `line` holds control bytes or is too long
    UnknownCommand,  // `line` is no command a sheet may hold
    BadValues,       // `line`'s values are missing, extra or invalid
    OutOfOrder,      // `line` stands where it may not, or out of sequence
    NoTracks,        // the sheet lists no track
    MissingIndex,    // track `line` has no INDEX 01 (here `line` is a track number)
    MissingBinFile,  // the BIN file beside the sheet does not exist
};

struct CueCheck {
    CueProblem problem = CueProblem::None;
    int line = 0;  // 1-based; the track number for MissingIndex; 0 when not about a line
    bool Ok() const { return problem == CueProblem::None; }
};

// Checks the text of a sheet (the BIN file is not looked at).
CueCheck CheckCueSheetText(const QByteArray& text);

// Reads and checks the sheet at `cuePath`, then looks for its BIN file.
// Only a regular file is read; anything else (a named pipe, a device) is
// Unreadable, found so without waiting on it.
CueCheck CheckCueSheetFile(const QString& cuePath);

// The sheet of a disc image named by its sheet or its BIN file, as libcdio
// pairs them; empty when `path` names neither ("x.cue", "x.CUE", "x.bin",
// "x.BIN").
QString CueSheetOfImage(const QString& path);
// The BIN file libcdio reads for `cuePath`.
QString BinFileOfCueSheet(const QString& cuePath);

// The message that says why the sheet at `cuePath` is refused.
QString CueProblemText(const CueCheck& check, const QString& cuePath);
