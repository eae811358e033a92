#include "encoder/EncoderOptionSettings.h"

#include "foundation/Errors.h"
#include "foundation/StoredValues.h"

namespace {

const QString kSection = QStringLiteral("EncoderDecoder");

QString key(const char* name) { return QLatin1String(name); }

}  // namespace

void EncoderOptionSettings::Read() {
    using namespace Stored;
    // A list or slider position the control does not have stops the reading.
    WithTrail(QStringLiteral("ReadEncoderDecoderOptionsSettings"), [&] {
        const QString& s = kSection;
        SliderBitrate0 = LongIn(s, key("Bitrate"), QStringLiteral("12"), 1, 18);
        ComboMode = IntegerIn(s, key("Mode"), QStringLiteral("0"), 0, 6);
        OptionSameAsInputDir = Truth(s, key("SameAsInputDirectory"), QStringLiteral("True"));
        OptionUse = Truth(s, key("Use"), QStringLiteral("False"));
        TextUse = Text(s, key("UseFolder"));
        ComboOptimisation = IntegerIn(s, key("Optimisation"), QStringLiteral("0"), 0, 2);
        CheckIncCRCChecksums = Check(s, key("IncludeCRCChecksums"), QStringLiteral("0"));
        CheckCopy = Check(s, key("Copy"), QStringLiteral("0"));
        CheckCopyright = Check(s, key("Copyright"), QStringLiteral("0"));
        CheckDeleteSourceFile = Check(s, key("DeleteSourceFile"), QStringLiteral("0"));
        CheckEnableVBR = Check(s, key("EnableVBR"), QStringLiteral("1"));
        SliderBitrate1 = LongIn(s, key("MaximumVBRBitrate"), QStringLiteral("12"), 1, 18);
        TextQuality = Text(s, key("Quality"), QStringLiteral("4"));
        CheckDisableVBRTag = Check(s, key("DisableVBRTag"), QStringLiteral("0"));
        CheckEnforceMinBitrate = Check(s, key("EnforceMinimumBitrate"), QStringLiteral("0"));
        CheckUseABR = Check(s, key("UseABR"), QStringLiteral("0"));
        TextTargetBitrateForABR = Text(s, key("TargetBitrateForABR"), QStringLiteral("128"));
        CheckAllowBlockTypesToDiffer = Check(s, key("AllowBlockTypesToDiffer"), QStringLiteral("0"));
        CheckDisableAllFiltering = Check(s, key("DisableAllFiltering"), QStringLiteral("0"));
        CheckDisableBitReservoir = Check(s, key("DisableBitReservoir"), QStringLiteral("0"));
        CheckDisableShortBlocks = Check(s, key("DisableShortBlocks"), QStringLiteral("0"));
        CheckComplyISOMPEGSpec = Check(s, key("ComplyISOMPEGSpec"), QStringLiteral("0"));
        ComboATHControl = IntegerIn(s, key("ATHControl"), QStringLiteral("0"), 0, 3);
        ComboAlgorithmQuality = IntegerIn(s, key("AlgorithmQuality"), QStringLiteral("0"), 0, 10);
        TextCustomOptions = Text(s, key("CustomOptions"));
        CheckOnlyUseCustom = Check(s, key("OnlyUseCustom"), QStringLiteral("0"));
        ComboOutputSamplingFrequency = IntegerIn(s, key("OutputSamplingFrequency"), QStringLiteral("1"), 1, 10) - 1;
        CheckHighPassFreq = Check(s, key("HighPassFilteringFreq"), QStringLiteral("0"));
        TextHighPassFreq = Text(s, key("HighPassFilteringFreqkHz"), QStringLiteral("0.001"));
        CheckHighPassWidth = Check(s, key("WidthOfHighPassFilter"), QStringLiteral("0"));
        TextHighPassWidth = Text(s, key("WidthOfHighPassFilterkHz"), QStringLiteral("0"));
        CheckLowPassFreq = Check(s, key("LowPassFilteringFreq"), QStringLiteral("0"));
        TextLowPassFreq = Text(s, key("LowPassFilteringFreqkHz"), QStringLiteral("50000"));
        CheckLowPassWidth = Check(s, key("WidthOfLowPassFilter"), QStringLiteral("0"));
        TextLowPassWidth = Text(s, key("WidthOfLowPassFilterkHz"), QStringLiteral("0"));
    });
}

void EncoderOptionSettings::Write() const {
    using namespace Stored;
    WithTrail(QStringLiteral("WriteEncoderDecoderOptionsSettings"), [&] {
        const QString& s = kSection;
        SaveInteger(s, key("Bitrate"), SliderBitrate0);
        SaveInteger(s, key("Mode"), ComboMode);
        SaveTruth(s, key("SameAsInputDirectory"), OptionSameAsInputDir);
        SaveTruth(s, key("Use"), OptionUse);
        SaveText(s, key("UseFolder"), TextUse);
        SaveInteger(s, key("Optimisation"), ComboOptimisation);
        SaveCheck(s, key("IncludeCRCChecksums"), CheckIncCRCChecksums);
        SaveCheck(s, key("Copy"), CheckCopy);
        SaveCheck(s, key("Copyright"), CheckCopyright);
        SaveCheck(s, key("DeleteSourceFile"), CheckDeleteSourceFile);
        SaveCheck(s, key("EnableVBR"), CheckEnableVBR);
        SaveInteger(s, key("MaximumVBRBitrate"), SliderBitrate1);
        SaveText(s, key("Quality"), TextQuality);
        SaveCheck(s, key("DisableVBRTag"), CheckDisableVBRTag);
        SaveCheck(s, key("EnforceMinimumBitrate"), CheckEnforceMinBitrate);
        SaveCheck(s, key("UseABR"), CheckUseABR);
        SaveText(s, key("TargetBitrateForABR"), TextTargetBitrateForABR);
        SaveCheck(s, key("AllowBlockTypesToDiffer"), CheckAllowBlockTypesToDiffer);
        SaveCheck(s, key("DisableAllFiltering"), CheckDisableAllFiltering);
        SaveCheck(s, key("DisableBitReservoir"), CheckDisableBitReservoir);
        SaveCheck(s, key("DisableShortBlocks"), CheckDisableShortBlocks);
        SaveCheck(s, key("ComplyISOMPEGSpec"), CheckComplyISOMPEGSpec);
        SaveInteger(s, key("ATHControl"), ComboATHControl);
        SaveInteger(s, key("AlgorithmQuality"), ComboAlgorithmQuality);
        SaveText(s, key("CustomOptions"), TextCustomOptions);
        SaveCheck(s, key("OnlyUseCustom"), CheckOnlyUseCustom);
        SaveInteger(s, key("OutputSamplingFrequency"), ComboOutputSamplingFrequency + 1);
        SaveCheck(s, key("HighPassFilteringFreq"), CheckHighPassFreq);
        SaveText(s, key("HighPassFilteringFreqkHz"), TextHighPassFreq);
        SaveCheck(s, key("WidthOfHighPassFilter"), CheckHighPassWidth);
        SaveText(s, key("WidthOfHighPassFilterkHz"), TextHighPassWidth);
        SaveCheck(s, key("LowPassFilteringFreq"), CheckLowPassFreq);
        SaveText(s, key("LowPassFilteringFreqkHz"), TextLowPassFreq);
        SaveCheck(s, key("WidthOfLowPassFilter"), CheckLowPassWidth);
        SaveText(s, key("WidthOfLowPassFilterkHz"), TextLowPassWidth);
    });
}
