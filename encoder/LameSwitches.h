#pragma once
// What the encoder option record turns into on LAME's command line.  Two forms
// of the same switches: the switch string (one text, every switch preceded by
// a blank, the custom options last) that the user's options are described by
// and that the "--freeformat" test looks at, and the argument vector that the
// program really passes to LAME: fixed switches one argument each, the custom
// options split into words as a POSIX shell would split them (quotes and
// backslashes honoured, nothing expanded, nothing run).
//
// Numbers are always written with "." as the decimal point, whatever the
// locale.  Values that the options dialog cannot produce (an index beyond its
// list, a filter frequency outside 0.001 to 50000 kHz, a negative width) are
// refused by CheckSwitchValues before anything is built; the ABR target and the
// VBR quality are clamped into LAME's ranges (an empty box reads as 0 and
// would otherwise ask LAME for an average bitrate of 0).
//
// Decoding takes none of the encoding switches: with "--decode", "-t" means
// "write no WAV header", and the bitrate, mode, filter and resampling switches
// have nothing to act on.  Only the user's custom options go with a decode.

#include "foundation/OptionRecords.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>

// The bitrate scale of both sliders (position 1 to 18, kbit/s).
inline constexpr std::array<int32_t, 18> kLameBitrates = {8,   16,  24,  32,  40,  48,  56,  64,  80,
                                                          96,  112, 128, 144, 160, 192, 224, 256, 320};
// The bitrate text of slider position `index` (1 to 18); empty outside.
QString LameBitrateText(int32_t index);
// The output sampling rates of settings 2 to 10, in kHz as LAME takes them.
QString ResampleRateText(int32_t outputSamplingFrequency);

// The lowest and highest filter frequency in kHz that LAME is given.
inline constexpr double kMinFilterFrequencykHz = 0.001;
inline constexpr double kMaxFilterFrequencykHz = 50000.0;
// The ABR target's range in kbit/s and the VBR quality's range.
inline constexpr int kMinABRTarget = 4, kMaxABRTarget = 310;
inline constexpr int kMinVBRQuality = 0, kMaxVBRQuality = 9;

// A number as LAME reads it: the shortest form with up to 15 significant
// digits, "." as the decimal point, never an exponent (0.001 stays "0.001",
// 50000 stays "50000").
QString DecimalText(double value);

// The first value of `options` that the builders refuse: the key's name
// ("Bitrate", "LowPassFilteringFreqkHz", ...), or nothing when every value
// that reaches a switch is in range.  Only switches that are written count:
// a disabled low-pass filter's frequency is not looked at.
std::optional<QString> CheckSwitchValues(const EncoderDecoderOptions& options);
// True when the refused key is a filter frequency (its own message).
bool IsFilterFrequencyKey(const QString& key);

// The switch string: " -b 128 -V 4 -B 128 " for the defaults.  The caller has
// checked the values (CheckSwitchValues); an index outside its list raises
// error 380.
QString BuildLameSwitchString(const EncoderDecoderOptions& options);

// The custom options as words.  Nothing when a quotation mark is not closed
// or the text ends in a lone backslash.
std::optional<QStringList> SplitCustomOptions(const QString& text);

// The switches of a conversion as LAME's arguments, without "-S", "--decode"
// and the two paths: for an encode the switches of the switch string (or the
// custom options alone), for a decode the custom options alone.  Error 5 when
// the custom options cannot be split; error 380 as BuildLameSwitchString.
QStringList BuildLameArguments(const EncoderDecoderOptions& options, bool decoding);
