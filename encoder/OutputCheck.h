#pragma once
// Whether a file that LAME wrote is whole, before it may replace anything.
// LAME can end with exit code 0 and a file cut short (a disk that filled up
// while it wrote, a write error it did not notice), so its exit code alone
// proves nothing.
//
// A WAV is whole when its RIFF header and every chunk up to and including
// "data" lie inside the file, after a "fmt " chunk: a header whose sizes run
// past the end of the file (or still hold the unknown-length mark that LAME
// writes first) is a cut-off file.  An MP3 is whole when it holds at least
// one MPEG audio frame and the frames, from the first one after an ID3v2 tag,
// follow each other without a gap up to the end of the file (less a trailing
// ID3v1 tag), the last one whole; and when its Xing/Info frame counts no more
// frames or bytes than the file holds (a file cut at a frame's edge).
// Free-format frames take their length from the distance between the first
// two frames.

#include <QString>
#include <cstdint>

class ByteSource;

enum class OutputFault {
    None,
    Empty,            // no bytes at all
    NoWavHeader,      // no RIFF/WAVE header with "fmt " and "data" chunks
    WavCutOff,        // the header's sizes run past the end of the file
    NoAudioFrame,     // no MPEG audio frame
    FramesBroken,     // where the next frame should start, there is none
    FrameCutOff,      // the last frame runs past the end of the file
    FewerThanCounted  // fewer frames or bytes than the Xing/Info frame counts
};

struct OutputCheck {
    OutputFault fault = OutputFault::None;
    // The length the file's own header or frames call for, and its real
    // length (WavCutOff, FrameCutOff, FewerThanCounted); 0 otherwise.
    int64_t expected = 0;
    int64_t actual = 0;
    bool whole() const { return fault == OutputFault::None; }
};

OutputCheck CheckWavOutput(ByteSource& bytes);
OutputCheck CheckMp3Output(ByteSource& bytes);
// Opens `path` and checks it as a WAV (`wav`) or as an MP3.  A file that
// cannot be read raises the platform's error.
OutputCheck CheckConvertedFile(const QString& path, bool wav);
// The sentence that says what is wrong, for the failure box.
QString OutputFaultText(const OutputCheck& check);
