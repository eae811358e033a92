#pragma once
// Real audio for tests: a 16-bit PCM WAV of a sine tone, and LAME run on it.

#include <QByteArray>
#include <QString>
#include <QStringList>

// A WAV image (44-byte header) of `milliseconds` of a sine at `frequency`.
QByteArray MakeWav(int sampleRate, int channels, int milliseconds, double frequency = 440.0);
// Full path of Debian's lame, or empty when it is not installed.
QString LameProgram();
// Runs lame --quiet with `args`; true on a clean exit 0.
bool RunLame(const QStringList& args, QString* errorText = nullptr);
// LAME output of a short stereo tone (44.1 kHz, 128 kbit/s CBR), made once
// per test program; empty when lame is missing.
const QByteArray& LameAudio();
