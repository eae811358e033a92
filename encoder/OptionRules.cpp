#include "encoder/OptionRules.h"

#include "encoder/LameSwitches.h"

std::vector<ControlState> EncoderControlStates(const EncoderOptionConditions& c) {
    const bool s = !c.onlyUseCustom;
    const bool sv = s && c.enableVBR;
    const bool hf = s && c.highPassFreq;
    const bool lf = s && c.lowPassFreq;
    return {
        {"FrameBitrate", s},
        {"LabelCurrentBitrate0", s},
        {"SliderBitrate0", s},
        {"LabelPoorQuality", s},
        {"LabelGoodQuality", s},
        {"LabelSmallFile", s},
        {"LabelBigFile", s},
        {"FrameMode", s},
        {"ComboMode", s},
        {"LabelOptimisation", s},
        {"ComboOptimisation", s},
        {"CheckIncCRCChecksums", s},
        {"FrameFlags", s},
        {"CheckCopy", s},
        {"CheckCopyright", s},
        {"CheckEnableVBR", s},
        {"FrameMaximumVBRBitrate", sv},
        {"LabelCurrentBitrate1", sv},
        {"SliderBitrate1", sv},
        {"CheckDisableVBRTag", sv},
        {"CheckEnforceMinBitrate", sv},
        {"CheckUseABR", sv},
        {"LabelQuality", sv && !c.useABR},
        {"TextQuality", sv && !c.useABR},
        {"UpDownQuality", sv && !c.useABR},
        {"LabelTargetBitrateABR", sv && c.useABR},
        {"TextTargetBitrateForABR", sv && c.useABR},
        {"UpDownTargetBitrateForABR", sv && c.useABR},
        {"CheckAllowBlockTypesToDiffer", s},
        {"CheckDisableAllFiltering", s},
        {"CheckDisableBitReservoir", s},
        {"CheckDisableShortBlocks", s},
        {"CheckComplyISOMPEGSpec", s},
        {"LabelATHControl", s},
        {"ComboATHControl", s},
        {"LabelAlgorithmQuality", s},
        {"ComboAlgorithmQuality", s},
        {"LabelOutputSamplingFrequency", s},
        {"ComboOutputSamplingFrequency", s},
        {"FrameHighPassFilter", s},
        {"CheckHighPassFreq", s},
        {"FrameLowPassFilter", s},
        {"CheckLowPassFreq", s},
        {"TextHighPassFreq", hf},
        {"CheckHighPassWidth", hf},
        {"TextHighPassWidth", hf && c.highPassWidth},
        {"TextLowPassFreq", lf},
        {"CheckLowPassWidth", lf},
        {"TextLowPassWidth", lf && c.lowPassWidth},
        {"TextUse", c.useFolder},
        {"BtnBrowse", c.useFolder},
    };
}

double BoxValue(const QString& text) {
    // Digits and at most one "."; the boxes' filters let nothing else in, and
    // anything after what a number can hold is not part of it.
    qsizetype end = 0;
    bool point = false;
    while (end < text.size()) {
        const QChar ch = text[end];
        if (ch == QLatin1Char('.') && !point) point = true;
        else if (!(ch.unicode() >= '0' && ch.unicode() <= '9')) break;
        ++end;
    }
    bool ok = false;
    const double value = text.left(end).toDouble(&ok);  // QString::toDouble ignores the locale
    return ok ? value : 0.0;
}

QString ABRTargetOnLeaving(const QString& text) {
    const double value = BoxValue(text);
    if (value < kMinABRTarget) return QString::number(kMinABRTarget);
    if (value > kMaxABRTarget) return QString::number(kMaxABRTarget);
    return text;
}

bool FilterFrequencyAccepted(const QString& text) {
    const double value = BoxValue(text);
    return value >= kMinFilterFrequencykHz && value <= kMaxFilterFrequencykHz;
}

QString QualityOnStoring(const QString& text) { return text.isEmpty() ? QStringLiteral("4") : text; }
