#pragma once
// The Encoder Decoder Options dialog's settings: one field per control, each
// stored as one key of section "EncoderDecoder", in the order and text forms
// that the encoder option reader (GetEncoderDecoderOptions) expects: slider
// positions 1 to 18 (not kbit), list positions from 0 except the output
// sampling frequency (position + 1), check boxes "0"/"1", the two folder
// options "True"/"False", the number boxes as their text.
//
// The keys and their defaults are written once, in EncoderOptionSettings.cpp:
// the program's record (EncoderDecoderOptions, foundation/OptionRecords.h)
// is read from the same table by GetEncoderDecoderOptions below.
//
// Read stops at the first bad entry and passes the error up the trail with
// "ReadEncoderDecoderOptionsSettings": the fields before it hold their stored
// values, the rest keep what they held.  A list position beyond its list, a
// slider position outside 1 to 18 (error 380) and an option text that is
// neither "True", "False" nor a number (error 13) are bad entries; a number
// key holding no number reads 0.  Write stores all 35 keys each time.

#include "foundation/OptionRecords.h"

#include <QString>
#include <cstdint>

struct EncoderOptionSettings {
    int32_t SliderBitrate0;            // "Bitrate"
    int ComboMode;                     // "Mode"
    bool OptionSameAsInputDir;         // "SameAsInputDirectory"
    bool OptionUse;                    // "Use"
    QString TextUse;                   // "UseFolder"
    int ComboOptimisation;             // "Optimisation"
    bool CheckIncCRCChecksums;
    bool CheckCopy;
    bool CheckCopyright;
    bool CheckDeleteSourceFile;
    bool CheckEnableVBR;
    int32_t SliderBitrate1;  // "MaximumVBRBitrate"
    QString TextQuality;     // "Quality"
    bool CheckDisableVBRTag;
    bool CheckEnforceMinBitrate;  // "EnforceMinimumBitrate"
    bool CheckUseABR;
    QString TextTargetBitrateForABR;
    bool CheckAllowBlockTypesToDiffer;
    bool CheckDisableAllFiltering;
    bool CheckDisableBitReservoir;
    bool CheckDisableShortBlocks;
    bool CheckComplyISOMPEGSpec;
    int ComboATHControl;
    int ComboAlgorithmQuality;
    QString TextCustomOptions;
    bool CheckOnlyUseCustom;
    int ComboOutputSamplingFrequency;  // the list position; stored + 1
    bool CheckHighPassFreq;            // "HighPassFilteringFreq"
    QString TextHighPassFreq;
    bool CheckHighPassWidth;  // "WidthOfHighPassFilter"
    QString TextHighPassWidth;
    bool CheckLowPassFreq;
    QString TextLowPassFreq;
    bool CheckLowPassWidth;
    QString TextLowPassWidth;

    EncoderOptionSettings();  // the defaults a new user sees
    void Read();
    void Write() const;
    bool operator==(const EncoderOptionSettings&) const = default;
};

// The program's reading of the section into its record: slider and list
// positions as whole numbers (any text that is no whole number is error 13),
// the quality and the ABR target as lenient numbers, the filter frequencies
// as decimals, check boxes and options as Booleans, texts as they are.  Each
// value lands in its field as soon as it is read; an error stops the reading
// and passes up the trail with "GetEncoderDecoderOptions".
void GetEncoderDecoderOptions(EncoderDecoderOptions& record = Options().EncoderDecoder);
