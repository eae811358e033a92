#pragma once
// One file of the Encoder Decoder's list converted by LAME: a WAV (or any
// non-MP3 file) encoded to MP3, or an MP3 (or any non-WAV file) decoded to
// WAV.  The checks come first, each ending the call with its own box: the
// source must exist, the output folder must exist, the options' values must
// be in range, and the chosen bitrates must be legal for the MPEG version and
// layer the check is about.  Then LAME runs from an argument vector (never a
// shell; every path absolute, so none reads as a switch) and writes into a
// hidden temporary file beside the output; that file becomes the output only
// when LAME ended with exit code 0 and the file proves whole
// (encoder/OutputCheck.h), and only after it is flushed to disk.  A new output
// gets the mode any new file gets under the user's umask; a replaced one keeps
// the old file's mode (and, where allowed, its owner).  An output that exists
// already is replaced only after the user's yes (Yes, Yes to All, No, Cancel),
// and the source is deleted (when the options ask for it) only after this
// run's output stands in its place (to the trash when the caller says so).
// A failed run leaves no temporary file behind, leaves an existing output as
// it was, and says why: LAME's last error line, or what is wrong with the
// file it wrote.  Partial outputs that a killed conversion left in an output
// folder are removed by the first conversion of a run into that folder.
//
// The converter keeps the few things that outlive one file: the switch string
// of the last file, the answer to the last decode refusal (No silences later
// refusals), "Yes to All", the folders swept in this run, and the stop flags
// it shares with its window.  Boxes go through the message service
// (foundation/MessageUi.h).

#include "foundation/OptionRecords.h"

#include <QSet>
#include <QString>
#include <cstdint>
#include <functional>

enum class ConversionMode : int32_t { Encode = 1, Decode = 2 };

enum class ConversionResult {
    Converted,   // the output stands in place
    Refused,     // a check refused the file (with its box, or silently after No)
    Skipped,     // the user kept the existing output (No, or Cancel which also stops)
    Failed,      // LAME ran and failed, or its output could not be saved; reported
    Stopped,     // the user ended LAME while it ran; nothing of its output is left
    NotStarted,  // LAME could not be run at all (missing or not executable)
};

// Where LAME is: "lame" beside the program when it is there and executable,
// else the first "lame" on PATH; empty when there is none.
QString FindLameProgram();

class LameConverter {
public:
    // `stopFlag` is the window's mblnStopAll: the checks set it when a batch
    // must end after this file.
    explicit LameConverter(bool& stopFlag) : mblnStopAll(stopFlag) {}

    // Converts folder/fileName.  `askFurther` (a decode batch): the boxes of a
    // refused file offer to stop the batch, and a refused decode asks whether
    // later refusals are to be shown.  `useRecycleBin` (the preference) sends
    // a source that the options delete to the trash instead of deleting it
    // for good.  Errors outside the checks (the MPEG reader, the file
    // system) pass up the error trail with
    // "RunLAME;<file name>;<mode>;<askFurther>".
    ConversionResult RunLAME(const QString& fileName, const QString& folder, ConversionMode mode, bool askFurther,
                             const EncoderDecoderOptions& options, bool useRecycleBin);
    // A new batch or single action: "Yes to All" is forgotten and every
    // output folder is swept again.
    void StartRun() {
        mblnReplaceAll = false;
        m_sweptFolders.clear();
    }

    bool& mblnStopAll;
    // Set while LAME runs (the window's second Stop): LAME is ended at once and
    // its partial output removed.  Cleared at the start of every run.
    bool mblnEndNow = false;
    // The switch string of the last file that got past the folder checks.
    QString mstrLAMESwitches;
    // The answer to the last decode refusal box (Mb::No silences the next).
    int32_t mlngNotifyAnswer = 0;
    // "Yes to All" was given to the overwrite question; a batch clears it first.
    bool mblnReplaceAll = false;
    // The LAME program to run; empty: FindLameProgram() at each run.
    QString lameProgram;
    // Runs between waits while LAME works (default: the event loop's pending
    // events), so Stop and painting stay alive.
    std::function<void()> yield;
    // LAME's last error line (or its exit code), or what is wrong with its
    // output, of the last failed run.
    QString lastFailure;

private:
    QSet<QString> m_sweptFolders;
};
