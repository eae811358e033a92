#include "encoder/EncoderOptionSettings.h"

#include "foundation/Errors.h"
#include "foundation/SettingsStore.h"
#include "foundation/StoredValues.h"

#include <iterator>

namespace {

const QString kSection = QStringLiteral("EncoderDecoder");

// Every key of the section, in stored order, with its default: both forms of
// the group (the dialog's record below and the program's record read by
// GetEncoderDecoderOptions) take their keys and defaults from here.
enum EncoderKey : int {
    Bitrate,
    Mode,
    SameAsInputDirectory,
    Use,
    UseFolder,
    Optimisation,
    IncludeCRCChecksums,
    Copy,
    Copyright,
    DeleteSourceFile,
    EnableVBR,
    MaximumVBRBitrate,
    Quality,
    DisableVBRTag,
    EnforceMinimumBitrate,
    UseABR,
    TargetBitrateForABR,
    AllowBlockTypesToDiffer,
    DisableAllFiltering,
    DisableBitReservoir,
    DisableShortBlocks,
    ComplyISOMPEGSpec,
    ATHControl,
    AlgorithmQuality,
    CustomOptions,
    OnlyUseCustom,
    OutputSamplingFrequency,
    HighPassFilteringFreq,
    HighPassFilteringFreqkHz,
    WidthOfHighPassFilter,
    WidthOfHighPassFilterkHz,
    LowPassFilteringFreq,
    LowPassFilteringFreqkHz,
    WidthOfLowPassFilter,
    WidthOfLowPassFilterkHz,
};

struct KeyDefault {
    const char* key;
    const char* defaultText;
};
const KeyDefault kKeys[] = {
    {"Bitrate", "12"},
    {"Mode", "0"},
    {"SameAsInputDirectory", "True"},
    {"Use", "False"},
    {"UseFolder", ""},
    {"Optimisation", "0"},
    {"IncludeCRCChecksums", "0"},
    {"Copy", "0"},
    {"Copyright", "0"},
    {"DeleteSourceFile", "0"},
    {"EnableVBR", "1"},
    {"MaximumVBRBitrate", "12"},
    {"Quality", "4"},
    {"DisableVBRTag", "0"},
    {"EnforceMinimumBitrate", "0"},
    {"UseABR", "0"},
    {"TargetBitrateForABR", "128"},
    {"AllowBlockTypesToDiffer", "0"},
    {"DisableAllFiltering", "0"},
    {"DisableBitReservoir", "0"},
    {"DisableShortBlocks", "0"},
    {"ComplyISOMPEGSpec", "0"},
    {"ATHControl", "0"},
    {"AlgorithmQuality", "0"},
    {"CustomOptions", ""},
    {"OnlyUseCustom", "0"},
    {"OutputSamplingFrequency", "1"},
    {"HighPassFilteringFreq", "0"},
    {"HighPassFilteringFreqkHz", "0.001"},
    {"WidthOfHighPassFilter", "0"},
    {"WidthOfHighPassFilterkHz", "0"},
    {"LowPassFilteringFreq", "0"},
    {"LowPassFilteringFreqkHz", "50000"},
    {"WidthOfLowPassFilter", "0"},
    {"WidthOfLowPassFilterkHz", "0"},
};
static_assert(std::size(kKeys) == WidthOfLowPassFilterkHz + 1);

QString key(EncoderKey k) { return QLatin1String(kKeys[k].key); }
QString defaultOf(EncoderKey k) {
    const QLatin1String text(kKeys[k].defaultText);
    return text.isEmpty() ? QString() : QString(text);
}
// The default of a check or option key as the program's Boolean reading
// names it.
QString truthOf(EncoderKey k) {
    const QString text = defaultOf(k);
    return Stored::TruthText(text == QLatin1String("1") || text == QLatin1String("True"));
}

QString readText(EncoderKey k) {
    return GetOptionSetting(kSection, key(k), defaultOf(k), SettingType::String).toString();
}
bool readBool(EncoderKey k) { return GetOptionSetting(kSection, key(k), truthOf(k), SettingType::Boolean).toBool(); }
int readInteger(EncoderKey k) { return GetOptionSetting(kSection, key(k), defaultOf(k), SettingType::Integer).toInt(); }
int readStrictInteger(EncoderKey k) {
    return GetOptionSetting(kSection, key(k), defaultOf(k), SettingType::StrictInteger).toInt();
}
double readDouble(EncoderKey k) {
    return GetOptionSetting(kSection, key(k), defaultOf(k), SettingType::Double).toDouble();
}

}  // namespace

// Each default converted as Read converts a missing key's default.
EncoderOptionSettings::EncoderOptionSettings() {
    SliderBitrate0 = defaultOf(Bitrate).toInt();
    ComboMode = defaultOf(Mode).toInt();
    OptionSameAsInputDir = defaultOf(SameAsInputDirectory) == QLatin1String("True");
    OptionUse = defaultOf(Use) == QLatin1String("True");
    TextUse = defaultOf(UseFolder);
    ComboOptimisation = defaultOf(Optimisation).toInt();
    CheckIncCRCChecksums = defaultOf(IncludeCRCChecksums).toInt() != 0;
    CheckCopy = defaultOf(Copy).toInt() != 0;
    CheckCopyright = defaultOf(Copyright).toInt() != 0;
    CheckDeleteSourceFile = defaultOf(DeleteSourceFile).toInt() != 0;
    CheckEnableVBR = defaultOf(EnableVBR).toInt() != 0;
    SliderBitrate1 = defaultOf(MaximumVBRBitrate).toInt();
    TextQuality = defaultOf(Quality);
    CheckDisableVBRTag = defaultOf(DisableVBRTag).toInt() != 0;
    CheckEnforceMinBitrate = defaultOf(EnforceMinimumBitrate).toInt() != 0;
    CheckUseABR = defaultOf(UseABR).toInt() != 0;
    TextTargetBitrateForABR = defaultOf(TargetBitrateForABR);
    CheckAllowBlockTypesToDiffer = defaultOf(AllowBlockTypesToDiffer).toInt() != 0;
    CheckDisableAllFiltering = defaultOf(DisableAllFiltering).toInt() != 0;
    CheckDisableBitReservoir = defaultOf(DisableBitReservoir).toInt() != 0;
    CheckDisableShortBlocks = defaultOf(DisableShortBlocks).toInt() != 0;
    CheckComplyISOMPEGSpec = defaultOf(ComplyISOMPEGSpec).toInt() != 0;
    ComboATHControl = defaultOf(ATHControl).toInt();
    ComboAlgorithmQuality = defaultOf(AlgorithmQuality).toInt();
    TextCustomOptions = defaultOf(CustomOptions);
    CheckOnlyUseCustom = defaultOf(OnlyUseCustom).toInt() != 0;
    ComboOutputSamplingFrequency = defaultOf(OutputSamplingFrequency).toInt() - 1;
    CheckHighPassFreq = defaultOf(HighPassFilteringFreq).toInt() != 0;
    TextHighPassFreq = defaultOf(HighPassFilteringFreqkHz);
    CheckHighPassWidth = defaultOf(WidthOfHighPassFilter).toInt() != 0;
    TextHighPassWidth = defaultOf(WidthOfHighPassFilterkHz);
    CheckLowPassFreq = defaultOf(LowPassFilteringFreq).toInt() != 0;
    TextLowPassFreq = defaultOf(LowPassFilteringFreqkHz);
    CheckLowPassWidth = defaultOf(WidthOfLowPassFilter).toInt() != 0;
    TextLowPassWidth = defaultOf(WidthOfLowPassFilterkHz);
}

void EncoderOptionSettings::Read() {
    using namespace Stored;
    // A list or slider position the control does not have stops the reading.
    WithTrail(QStringLiteral("ReadEncoderDecoderOptionsSettings"), [&] {
        const QString& s = kSection;
        SliderBitrate0 = LongIn(s, key(Bitrate), defaultOf(Bitrate), 1, 18);
        ComboMode = IntegerIn(s, key(Mode), defaultOf(Mode), 0, 6);
        OptionSameAsInputDir = Truth(s, key(SameAsInputDirectory), defaultOf(SameAsInputDirectory));
        OptionUse = Truth(s, key(Use), defaultOf(Use));
        TextUse = Text(s, key(UseFolder), defaultOf(UseFolder));
        ComboOptimisation = IntegerIn(s, key(Optimisation), defaultOf(Optimisation), 0, 2);
        CheckIncCRCChecksums = Check(s, key(IncludeCRCChecksums), defaultOf(IncludeCRCChecksums));
        CheckCopy = Check(s, key(Copy), defaultOf(Copy));
        CheckCopyright = Check(s, key(Copyright), defaultOf(Copyright));
        CheckDeleteSourceFile = Check(s, key(DeleteSourceFile), defaultOf(DeleteSourceFile));
        CheckEnableVBR = Check(s, key(EnableVBR), defaultOf(EnableVBR));
        SliderBitrate1 = LongIn(s, key(MaximumVBRBitrate), defaultOf(MaximumVBRBitrate), 1, 18);
        TextQuality = Text(s, key(Quality), defaultOf(Quality));
        CheckDisableVBRTag = Check(s, key(DisableVBRTag), defaultOf(DisableVBRTag));
        CheckEnforceMinBitrate = Check(s, key(EnforceMinimumBitrate), defaultOf(EnforceMinimumBitrate));
        CheckUseABR = Check(s, key(UseABR), defaultOf(UseABR));
        TextTargetBitrateForABR = Text(s, key(TargetBitrateForABR), defaultOf(TargetBitrateForABR));
        CheckAllowBlockTypesToDiffer = Check(s, key(AllowBlockTypesToDiffer), defaultOf(AllowBlockTypesToDiffer));
        CheckDisableAllFiltering = Check(s, key(DisableAllFiltering), defaultOf(DisableAllFiltering));
        CheckDisableBitReservoir = Check(s, key(DisableBitReservoir), defaultOf(DisableBitReservoir));
        CheckDisableShortBlocks = Check(s, key(DisableShortBlocks), defaultOf(DisableShortBlocks));
        CheckComplyISOMPEGSpec = Check(s, key(ComplyISOMPEGSpec), defaultOf(ComplyISOMPEGSpec));
        ComboATHControl = IntegerIn(s, key(ATHControl), defaultOf(ATHControl), 0, 3);
        ComboAlgorithmQuality = IntegerIn(s, key(AlgorithmQuality), defaultOf(AlgorithmQuality), 0, 10);
        TextCustomOptions = Text(s, key(CustomOptions), defaultOf(CustomOptions));
        CheckOnlyUseCustom = Check(s, key(OnlyUseCustom), defaultOf(OnlyUseCustom));
        ComboOutputSamplingFrequency =
            IntegerIn(s, key(OutputSamplingFrequency), defaultOf(OutputSamplingFrequency), 1, 10) - 1;
        CheckHighPassFreq = Check(s, key(HighPassFilteringFreq), defaultOf(HighPassFilteringFreq));
        TextHighPassFreq = Text(s, key(HighPassFilteringFreqkHz), defaultOf(HighPassFilteringFreqkHz));
        CheckHighPassWidth = Check(s, key(WidthOfHighPassFilter), defaultOf(WidthOfHighPassFilter));
        TextHighPassWidth = Text(s, key(WidthOfHighPassFilterkHz), defaultOf(WidthOfHighPassFilterkHz));
        CheckLowPassFreq = Check(s, key(LowPassFilteringFreq), defaultOf(LowPassFilteringFreq));
        TextLowPassFreq = Text(s, key(LowPassFilteringFreqkHz), defaultOf(LowPassFilteringFreqkHz));
        CheckLowPassWidth = Check(s, key(WidthOfLowPassFilter), defaultOf(WidthOfLowPassFilter));
        TextLowPassWidth = Text(s, key(WidthOfLowPassFilterkHz), defaultOf(WidthOfLowPassFilterkHz));
    });
}

void EncoderOptionSettings::Write() const {
    using namespace Stored;
    WithTrail(QStringLiteral("WriteEncoderDecoderOptionsSettings"), [&] {
        const QString& s = kSection;
        SaveInteger(s, key(Bitrate), SliderBitrate0);
        SaveInteger(s, key(Mode), ComboMode);
        SaveTruth(s, key(SameAsInputDirectory), OptionSameAsInputDir);
        SaveTruth(s, key(Use), OptionUse);
        SaveText(s, key(UseFolder), TextUse);
        SaveInteger(s, key(Optimisation), ComboOptimisation);
        SaveCheck(s, key(IncludeCRCChecksums), CheckIncCRCChecksums);
        SaveCheck(s, key(Copy), CheckCopy);
        SaveCheck(s, key(Copyright), CheckCopyright);
        SaveCheck(s, key(DeleteSourceFile), CheckDeleteSourceFile);
        SaveCheck(s, key(EnableVBR), CheckEnableVBR);
        SaveInteger(s, key(MaximumVBRBitrate), SliderBitrate1);
        SaveText(s, key(Quality), TextQuality);
        SaveCheck(s, key(DisableVBRTag), CheckDisableVBRTag);
        SaveCheck(s, key(EnforceMinimumBitrate), CheckEnforceMinBitrate);
        SaveCheck(s, key(UseABR), CheckUseABR);
        SaveText(s, key(TargetBitrateForABR), TextTargetBitrateForABR);
        SaveCheck(s, key(AllowBlockTypesToDiffer), CheckAllowBlockTypesToDiffer);
        SaveCheck(s, key(DisableAllFiltering), CheckDisableAllFiltering);
        SaveCheck(s, key(DisableBitReservoir), CheckDisableBitReservoir);
        SaveCheck(s, key(DisableShortBlocks), CheckDisableShortBlocks);
        SaveCheck(s, key(ComplyISOMPEGSpec), CheckComplyISOMPEGSpec);
        SaveInteger(s, key(ATHControl), ComboATHControl);
        SaveInteger(s, key(AlgorithmQuality), ComboAlgorithmQuality);
        SaveText(s, key(CustomOptions), TextCustomOptions);
        SaveCheck(s, key(OnlyUseCustom), CheckOnlyUseCustom);
        SaveInteger(s, key(OutputSamplingFrequency), ComboOutputSamplingFrequency + 1);
        SaveCheck(s, key(HighPassFilteringFreq), CheckHighPassFreq);
        SaveText(s, key(HighPassFilteringFreqkHz), TextHighPassFreq);
        SaveCheck(s, key(WidthOfHighPassFilter), CheckHighPassWidth);
        SaveText(s, key(WidthOfHighPassFilterkHz), TextHighPassWidth);
        SaveCheck(s, key(LowPassFilteringFreq), CheckLowPassFreq);
        SaveText(s, key(LowPassFilteringFreqkHz), TextLowPassFreq);
        SaveCheck(s, key(WidthOfLowPassFilter), CheckLowPassWidth);
        SaveText(s, key(WidthOfLowPassFilterkHz), TextLowPassWidth);
    });
}

void GetEncoderDecoderOptions(EncoderDecoderOptions& o) {
    WithTrail(QStringLiteral("GetEncoderDecoderOptions"), [&] {
        o.lngBitrate = readStrictInteger(Bitrate);
        o.lngMode = readStrictInteger(Mode);
        o.blnSameAsInputDirectory = readBool(SameAsInputDirectory);
        o.blnUse = readBool(Use);
        o.strUseFolder = readText(UseFolder);
        o.lngOptimisation = readStrictInteger(Optimisation);
        o.blnIncludeCRCChecksums = readBool(IncludeCRCChecksums);
        o.blnCopy = readBool(Copy);
        o.blnCopyright = readBool(Copyright);
        o.blnDeleteSourceFile = readBool(DeleteSourceFile);
        o.blnEnableVBR = readBool(EnableVBR);
        o.lngMaximumVBRBitrate = readStrictInteger(MaximumVBRBitrate);
        o.intQuality = readInteger(Quality);
        o.blnDisableVBRTag = readBool(DisableVBRTag);
        o.blnEnforceMinimumBitrate = readBool(EnforceMinimumBitrate);
        o.blnUseABR = readBool(UseABR);
        o.intTargetBitrateForABR = readInteger(TargetBitrateForABR);
        o.blnAllowBlockTypesToDiffer = readBool(AllowBlockTypesToDiffer);
        o.blnDisableAllFiltering = readBool(DisableAllFiltering);
        o.blnDisableBitReservoir = readBool(DisableBitReservoir);
        o.blnDisableShortBlocks = readBool(DisableShortBlocks);
        o.blnComplyISOMPEGSpec = readBool(ComplyISOMPEGSpec);
        o.lngATHControl = readStrictInteger(ATHControl);
        o.lngAlgorithmQuality = readStrictInteger(AlgorithmQuality);
        o.strCustomOptions = readText(CustomOptions);
        o.blnOnlyUseCustom = readBool(OnlyUseCustom);
        o.lngOutputSamplingFrequency = readStrictInteger(OutputSamplingFrequency);
        o.blnHighPassFilteringFreq = readBool(HighPassFilteringFreq);
        o.dblHighPassFilteringFreqkHz = readDouble(HighPassFilteringFreqkHz);
        o.blnWidthOfHighPassFilter = readBool(WidthOfHighPassFilter);
        o.dblWidthOfHighPassFilterkHz = readDouble(WidthOfHighPassFilterkHz);
        o.blnLowPassFilteringFreq = readBool(LowPassFilteringFreq);
        o.dblLowPassFilteringFreqkHz = readDouble(LowPassFilteringFreqkHz);
        o.blnWidthOfLowPassFilter = readBool(WidthOfLowPassFilter);
        o.dblWidthOfLowPassFilterkHz = readDouble(WidthOfLowPassFilterkHz);
    });
}
