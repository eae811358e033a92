#include "encoder/LameSwitches.h"

#include "foundation/Errors.h"

#include <algorithm>
#include <cmath>

namespace {

const char* const kModeLetters[] = {"s", "j", "f", "d", "m", "a"};
const char* const kOptimisationSwitches[] = {"-f", "-h"};
const char* const kATHSwitches[] = {"--athonly", "--noath", "--athshort"};
const char* const kResampleRates[] = {"8", "11.025", "12", "16", "22.05", "24", "32", "44.1", "48"};

bool inRange(int32_t value, int32_t low, int32_t high) { return value >= low && value <= high; }

bool frequencyInRange(double kHz) {
    return std::isfinite(kHz) && kHz >= kMinFilterFrequencykHz && kHz <= kMaxFilterFrequencykHz;
}
bool widthInRange(double kHz) { return std::isfinite(kHz) && kHz >= 0; }

// One switch of the string: an index into its list, refused outside it.
template <size_t N>
QString listEntry(const char* const (&list)[N], int32_t oneBased) {
    if (oneBased < 1 || size_t(oneBased) > N) RaiseError(ErrNo::InvalidPropertyValue);
    return QLatin1String(list[oneBased - 1]);
}

QString bitrateEntry(int32_t index) {
    const QString text = LameBitrateText(index);
    if (text.isEmpty()) RaiseError(ErrNo::InvalidPropertyValue);
    return text;
}

// The switches of the string as (switch, value) words, in their order; the
// string and the argument vector are both made from this one list.
QStringList switchWords(const EncoderDecoderOptions& o) {
    QStringList w;
    w << QStringLiteral("-b") << bitrateEntry(o.lngBitrate);
    if (o.lngMode != 0) w << QStringLiteral("-m") << listEntry(kModeLetters, o.lngMode);
    if (o.lngOptimisation != 0) w << listEntry(kOptimisationSwitches, o.lngOptimisation);
    if (o.blnIncludeCRCChecksums) w << QStringLiteral("-p");
    if (o.blnCopy) w << QStringLiteral("-o");
    if (o.blnCopyright) w << QStringLiteral("-c");
    if (o.blnEnableVBR) {
        if (o.blnUseABR)
            w << QStringLiteral("--abr")
              << QString::number(std::clamp(o.intTargetBitrateForABR, kMinABRTarget, kMaxABRTarget));
        else
            w << QStringLiteral("-V") << QString::number(std::clamp(o.intQuality, kMinVBRQuality, kMaxVBRQuality));
        w << QStringLiteral("-B") << bitrateEntry(o.lngMaximumVBRBitrate);
        if (o.blnDisableVBRTag) w << QStringLiteral("-t");
        if (o.blnEnforceMinimumBitrate) w << QStringLiteral("-F");
    }
    if (o.blnAllowBlockTypesToDiffer) w << QStringLiteral("-d");
    if (o.blnDisableAllFiltering) w << QStringLiteral("-k");
    if (o.blnDisableBitReservoir) w << QStringLiteral("--nores");
    if (o.blnDisableShortBlocks) w << QStringLiteral("--noshort");
    if (o.blnComplyISOMPEGSpec) w << QStringLiteral("--strictly-enforce-ISO");
    if (o.lngATHControl != 0) w << listEntry(kATHSwitches, o.lngATHControl);
    if (o.lngAlgorithmQuality != 0) {
        if (!inRange(o.lngAlgorithmQuality, 1, 10)) RaiseError(ErrNo::InvalidPropertyValue);
        w << QStringLiteral("-q") << QString::number(o.lngAlgorithmQuality - 1);
    }
    if (o.lngOutputSamplingFrequency != 1) {
        const QString rate = ResampleRateText(o.lngOutputSamplingFrequency);
        if (rate.isEmpty()) RaiseError(ErrNo::InvalidPropertyValue);
        w << QStringLiteral("--resample") << rate;
    }
    if (o.blnHighPassFilteringFreq) {
        w << QStringLiteral("--highpass") << DecimalText(o.dblHighPassFilteringFreqkHz);
        if (o.blnWidthOfHighPassFilter)
            w << QStringLiteral("--highpass-width") << DecimalText(o.dblWidthOfHighPassFilterkHz);
    }
    if (o.blnLowPassFilteringFreq) {
        w << QStringLiteral("--lowpass") << DecimalText(o.dblLowPassFilteringFreqkHz);
        if (o.blnWidthOfLowPassFilter)
            w << QStringLiteral("--lowpass-width") << DecimalText(o.dblWidthOfLowPassFilterkHz);
    }
    return w;
}

}  // namespace

QString LameBitrateText(int32_t index) {
    if (!inRange(index, 1, int32_t(kLameBitrates.size()))) return QString();
    return QString::number(kLameBitrates[size_t(index - 1)]);
}

QString ResampleRateText(int32_t outputSamplingFrequency) {
    if (!inRange(outputSamplingFrequency, 2, 10)) return QString();
    return QLatin1String(kResampleRates[outputSamplingFrequency - 2]);
}

QString DecimalText(double value) {
    if (!std::isfinite(value)) return QString::number(0);
    // QString::number ignores the locale, so "." is the point everywhere.
    QString text = QString::number(value, 'g', 15);
    if (!text.contains(QLatin1Char('e'))) return text;
    // Very small or very large: write it out in full, then drop trailing zeros.
    text = QString::number(value, 'f', 15);
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0'))) text.chop(1);
        if (text.endsWith(QLatin1Char('.'))) text.chop(1);
    }
    return text;
}

std::optional<QString> CheckSwitchValues(const EncoderDecoderOptions& o) {
    if (o.blnOnlyUseCustom) return std::nullopt;
    auto refuse = [](const char* key) { return std::optional<QString>(QLatin1String(key)); };
    if (!inRange(o.lngBitrate, 1, 18)) return refuse("Bitrate");
    if (!inRange(o.lngMode, 0, 6)) return refuse("Mode");
    if (!inRange(o.lngOptimisation, 0, 2)) return refuse("Optimisation");
    if (o.blnEnableVBR && !inRange(o.lngMaximumVBRBitrate, 1, 18)) return refuse("MaximumVBRBitrate");
    if (!inRange(o.lngATHControl, 0, 3)) return refuse("ATHControl");
    if (!inRange(o.lngAlgorithmQuality, 0, 10)) return refuse("AlgorithmQuality");
    if (!inRange(o.lngOutputSamplingFrequency, 1, 10)) return refuse("OutputSamplingFrequency");
    if (o.blnHighPassFilteringFreq) {
        if (!frequencyInRange(o.dblHighPassFilteringFreqkHz)) return refuse("HighPassFilteringFreqkHz");
        if (o.blnWidthOfHighPassFilter && !widthInRange(o.dblWidthOfHighPassFilterkHz))
            return refuse("WidthOfHighPassFilterkHz");
    }
    if (o.blnLowPassFilteringFreq) {
        if (!frequencyInRange(o.dblLowPassFilteringFreqkHz)) return refuse("LowPassFilteringFreqkHz");
        if (o.blnWidthOfLowPassFilter && !widthInRange(o.dblWidthOfLowPassFilterkHz))
            return refuse("WidthOfLowPassFilterkHz");
    }
    return std::nullopt;
}

bool IsFilterFrequencyKey(const QString& key) {
    return key == QLatin1String("HighPassFilteringFreqkHz") || key == QLatin1String("LowPassFilteringFreqkHz");
}

QString BuildLameSwitchString(const EncoderDecoderOptions& o) {
    return WithTrail(QStringLiteral("GetEncoderDecoderOptions"), [&]() -> QString {
        if (o.blnOnlyUseCustom) return QLatin1Char(' ') + o.strCustomOptions;
        QString text;
        for (const QString& word : switchWords(o)) {
            text += QLatin1Char(' ');
            text += word;
        }
        return text + QLatin1Char(' ') + o.strCustomOptions;
    });
}

std::optional<QStringList> SplitCustomOptions(const QString& text) {
    QStringList words;
    QString word;
    bool inWord = false;
    enum class Quote { None, Single, Double } quote = Quote::None;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        switch (quote) {
        case Quote::Single:
            if (c == QLatin1Char('\'')) quote = Quote::None;
            else word += c;
            continue;
        case Quote::Double:
            if (c == QLatin1Char('"')) {
                quote = Quote::None;
            } else if (c == QLatin1Char('\\') && i + 1 < text.size() &&
                       QStringLiteral("\"\\$`").contains(text[i + 1])) {
                word += text[++i];
            } else {
                word += c;
            }
            continue;
        case Quote::None: break;
        }
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            if (inWord) words << word;
            word.clear();
            inWord = false;
        } else if (c == QLatin1Char('\'')) {
            quote = Quote::Single;
            inWord = true;
        } else if (c == QLatin1Char('"')) {
            quote = Quote::Double;
            inWord = true;
        } else if (c == QLatin1Char('\\')) {
            if (i + 1 >= text.size()) return std::nullopt;
            word += text[++i];
            inWord = true;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (quote != Quote::None) return std::nullopt;
    if (inWord) words << word;
    return words;
}

QStringList BuildLameArguments(const EncoderDecoderOptions& o, bool decoding) {
    return WithTrail(QStringLiteral("BuildLameArguments"), [&]() -> QStringList {
        const std::optional<QStringList> custom = SplitCustomOptions(o.strCustomOptions);
        if (!custom) RaiseError(ErrNo::InvalidCall);
        if (decoding || o.blnOnlyUseCustom) return *custom;
        return switchWords(o) + *custom;
    });
}
