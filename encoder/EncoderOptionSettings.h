#pragma once
// The Encoder Decoder Options dialog's settings: one field per control, each
// stored as one key of section "EncoderDecoder", in the order and text forms
// that the encoder option reader (GetEncoderDecoderOptions) expects: slider
// positions 1 to 18 (not kbit), list positions from 0 except the output
// sampling frequency (position + 1), check boxes "0"/"1", the two folder
// options "True"/"False", the number boxes as their text.
//
// Read stops at the first bad entry and passes the error up the trail with
// "ReadEncoderDecoderOptionsSettings": the fields before it hold their stored
// values, the rest keep what they held.  A list position beyond its list, a
// slider position outside 1 to 18 (error 380) and an option text that is
// neither "True", "False" nor a number (error 13) are bad entries; a number
// key holding no number reads 0.  Write stores all 35 keys each time.

#include <QString>
#include <cstdint>

struct EncoderOptionSettings {
    int32_t SliderBitrate0 = 12;       // "Bitrate"
    int ComboMode = 0;                 // "Mode"
    bool OptionSameAsInputDir = true;  // "SameAsInputDirectory"
    bool OptionUse = false;            // "Use"
    QString TextUse;                   // "UseFolder"
    int ComboOptimisation = 0;         // "Optimisation"
    bool CheckIncCRCChecksums = false;
    bool CheckCopy = false;
    bool CheckCopyright = false;
    bool CheckDeleteSourceFile = false;
    bool CheckEnableVBR = true;
    int32_t SliderBitrate1 = 12;                           // "MaximumVBRBitrate"
    QString TextQuality = QStringLiteral("4");             // "Quality"
    bool CheckDisableVBRTag = false;
    bool CheckEnforceMinBitrate = false;                   // "EnforceMinimumBitrate"
    bool CheckUseABR = false;
    QString TextTargetBitrateForABR = QStringLiteral("128");
    bool CheckAllowBlockTypesToDiffer = false;
    bool CheckDisableAllFiltering = false;
    bool CheckDisableBitReservoir = false;
    bool CheckDisableShortBlocks = false;
    bool CheckComplyISOMPEGSpec = false;
    int ComboATHControl = 0;
    int ComboAlgorithmQuality = 0;
    QString TextCustomOptions;
    bool CheckOnlyUseCustom = false;
    int ComboOutputSamplingFrequency = 0;  // the list position; stored + 1
    bool CheckHighPassFreq = false;        // "HighPassFilteringFreq"
    QString TextHighPassFreq = QStringLiteral("0.001");
    bool CheckHighPassWidth = false;       // "WidthOfHighPassFilter"
    QString TextHighPassWidth = QStringLiteral("0");
    bool CheckLowPassFreq = false;
    QString TextLowPassFreq = QStringLiteral("50000");
    bool CheckLowPassWidth = false;
    QString TextLowPassWidth = QStringLiteral("0");

    void Read();
    void Write() const;
    bool operator==(const EncoderOptionSettings&) const = default;
};
