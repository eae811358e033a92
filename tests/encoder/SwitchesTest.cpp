// The switch string and the argument vector built from encoder option
// records, the value checks before LAME runs, and the custom-option splitter.

#include "encoder/LameSwitches.h"
#include "foundation/Errors.h"

#include <QLocale>
#include <clocale>
#include <functional>
#include <gtest/gtest.h>

namespace {

// The record as the reader fills it when the section is empty.
EncoderDecoderOptions Defaults() {
    EncoderDecoderOptions o;
    o.lngBitrate = 12;
    o.lngMaximumVBRBitrate = 12;
    o.intQuality = 4;
    o.intTargetBitrateForABR = 128;
    o.lngOutputSamplingFrequency = 1;
    o.blnSameAsInputDirectory = true;
    o.blnEnableVBR = true;
    o.dblHighPassFilteringFreqkHz = 0.001;
    o.dblLowPassFilteringFreqkHz = 50000;
    return o;
}

struct SwitchCase {
    const char* name;
    std::function<void(EncoderDecoderOptions&)> set;
    const char* switches;  // the switch string
    const char* encodeArgs;  // the encode arguments joined by "|"
};

EncoderDecoderOptions With(const std::function<void(EncoderDecoderOptions&)>& set) {
    EncoderDecoderOptions o = Defaults();
    set(o);
    return o;
}

}  // namespace

TEST(LameSwitches, EveryModeAndOptionMixInOrder) {
    const SwitchCase cases[] = {
        {"defaults (VBR)", [](auto&) {}, " -b 128 -V 4 -B 128 ", "-b|128|-V|4|-B|128"},
        {"CBR 192", [](auto& o) { o.blnEnableVBR = false; o.lngBitrate = 15; }, " -b 192 ", "-b|192"},
        {"CBR ignores the VBR group",
         [](auto& o) {
             o.blnEnableVBR = false;
             o.blnUseABR = true;
             o.blnDisableVBRTag = true;
             o.blnEnforceMinimumBitrate = true;
             o.lngMaximumVBRBitrate = 18;
         },
         " -b 128 ", "-b|128"},
        {"ABR with tag and minimum flags",
         [](auto& o) {
             o.blnUseABR = true;
             o.intTargetBitrateForABR = 200;
             o.blnDisableVBRTag = true;
             o.blnEnforceMinimumBitrate = true;
             o.lngMaximumVBRBitrate = 18;
         },
         " -b 128 --abr 200 -B 320 -t -F ", "-b|128|--abr|200|-B|320|-t|-F"},
        {"VBR quality 0 and bitrate ends of the list",
         [](auto& o) { o.intQuality = 0; o.lngBitrate = 1; o.lngMaximumVBRBitrate = 18; },
         " -b 8 -V 0 -B 320 ", "-b|8|-V|0|-B|320"},
        {"every flag, mode, optimisation, ATH, quality, resample",
         [](auto& o) {
             o.blnEnableVBR = false;
             o.lngMode = 6;
             o.lngOptimisation = 2;
             o.blnIncludeCRCChecksums = true;
             o.blnCopy = true;
             o.blnCopyright = true;
             o.blnAllowBlockTypesToDiffer = true;
             o.blnDisableAllFiltering = true;
             o.blnDisableBitReservoir = true;
             o.blnDisableShortBlocks = true;
             o.blnComplyISOMPEGSpec = true;
             o.lngATHControl = 3;
             o.lngAlgorithmQuality = 10;
             o.lngOutputSamplingFrequency = 9;
         },
         " -b 128 -m a -h -p -o -c -d -k --nores --noshort --strictly-enforce-ISO --athshort -q 9 --resample 44.1 ",
         "-b|128|-m|a|-h|-p|-o|-c|-d|-k|--nores|--noshort|--strictly-enforce-ISO|--athshort|-q|9|--resample|44.1"},
        {"stereo, speed, ATH only, quality 0, 8 kHz",
         [](auto& o) {
             o.blnEnableVBR = false;
             o.lngMode = 1;
             o.lngOptimisation = 1;
             o.lngATHControl = 1;
             o.lngAlgorithmQuality = 1;
             o.lngOutputSamplingFrequency = 2;
         },
         " -b 128 -m s -f --athonly -q 0 --resample 8 ", "-b|128|-m|s|-f|--athonly|-q|0|--resample|8"},
        {"filters with widths",
         [](auto& o) {
             o.blnEnableVBR = false;
             o.blnHighPassFilteringFreq = true;
             o.dblHighPassFilteringFreqkHz = 0.001;
             o.blnWidthOfHighPassFilter = true;
             o.dblWidthOfHighPassFilterkHz = 0.5;
             o.blnLowPassFilteringFreq = true;
             o.dblLowPassFilteringFreqkHz = 50000;
             o.blnWidthOfLowPassFilter = true;
             o.dblWidthOfLowPassFilterkHz = 2.25;
         },
         " -b 128 --highpass 0.001 --highpass-width 0.5 --lowpass 50000 --lowpass-width 2.25 ",
         "-b|128|--highpass|0.001|--highpass-width|0.5|--lowpass|50000|--lowpass-width|2.25"},
        {"a width without its filter writes nothing",
         [](auto& o) {
             o.blnEnableVBR = false;
             o.blnWidthOfHighPassFilter = true;
             o.dblWidthOfHighPassFilterkHz = 3;
             o.blnWidthOfLowPassFilter = true;
             o.dblWidthOfLowPassFilterkHz = 3;
         },
         " -b 128 ", "-b|128"},
        {"custom options last, split into words",
         [](auto& o) {
             o.blnEnableVBR = false;
             o.strCustomOptions = QStringLiteral("--tt \"My Song\" --ta 'A B'");
         },
         " -b 128 --tt \"My Song\" --ta 'A B'", "-b|128|--tt|My Song|--ta|A B"},
        {"only custom options", [](auto& o) { o.blnOnlyUseCustom = true; o.strCustomOptions = QStringLiteral("-b 64 -h"); },
         " -b 64 -h", "-b|64|-h"},
        {"only custom options, none given", [](auto& o) { o.blnOnlyUseCustom = true; o.lngBitrate = 99; }, " ", ""},
        {"an empty ABR target is clamped to 4",
         [](auto& o) { o.blnUseABR = true; o.intTargetBitrateForABR = 0; }, " -b 128 --abr 4 -B 128 ",
         "-b|128|--abr|4|-B|128"},
        {"an ABR target above 310 is clamped", [](auto& o) { o.blnUseABR = true; o.intTargetBitrateForABR = 999; },
         " -b 128 --abr 310 -B 128 ", "-b|128|--abr|310|-B|128"},
        {"a VBR quality above 9 is clamped", [](auto& o) { o.intQuality = 12; }, " -b 128 -V 9 -B 128 ",
         "-b|128|-V|9|-B|128"},
    };
    for (const SwitchCase& c : cases) {
        SCOPED_TRACE(c.name);
        const EncoderDecoderOptions o = With(c.set);
        EXPECT_EQ(BuildLameSwitchString(o), QString::fromUtf8(c.switches));
        const QStringList expected =
            QString::fromUtf8(c.encodeArgs).split(QLatin1Char('|'), Qt::SkipEmptyParts);
        EXPECT_EQ(BuildLameArguments(o, false), expected);
    }
}

TEST(LameSwitches, DecodingTakesOnlyTheCustomOptions) {
    // With --decode, "-t" would mean "no WAV header": neither it nor any other
    // encoding switch may reach a decode.
    EncoderDecoderOptions o = Defaults();
    o.blnDisableVBRTag = true;
    o.lngMode = 5;
    o.blnLowPassFilteringFreq = true;
    o.lngOutputSamplingFrequency = 4;
    EXPECT_EQ(BuildLameArguments(o, true), QStringList());
    o.strCustomOptions = QStringLiteral("--scale 2");
    EXPECT_EQ(BuildLameArguments(o, true), (QStringList{"--scale", "2"}));
    EXPECT_TRUE(BuildLameSwitchString(o).contains(QStringLiteral(" -t")));
}

TEST(LameSwitches, NumbersUseAPointWhateverTheLocale) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const char* previousC = std::setlocale(LC_NUMERIC, nullptr);
    const std::string savedC = previousC ? previousC : "C";
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    EncoderDecoderOptions o = Defaults();
    o.blnEnableVBR = false;
    o.blnHighPassFilteringFreq = true;
    o.dblHighPassFilteringFreqkHz = 0.125;
    o.blnLowPassFilteringFreq = true;
    o.dblLowPassFilteringFreqkHz = 16.5;
    o.lngOutputSamplingFrequency = 6;
    const QString switches = BuildLameSwitchString(o);
    std::setlocale(LC_NUMERIC, savedC.c_str());
    QLocale::setDefault(previous);
    EXPECT_EQ(switches, QStringLiteral(" -b 128 --resample 22.05 --highpass 0.125 --lowpass 16.5 "));
}

TEST(LameSwitches, DecimalTextIsShortAndNeverAnExponent) {
    const std::pair<double, const char*> cases[] = {
        {0.001, "0.001"}, {50000, "50000"}, {44.1, "44.1"}, {0, "0"}, {0.00001, "0.00001"}, {1e21, "1000000000000000000000"},
    };
    for (const auto& [value, expected] : cases) EXPECT_EQ(DecimalText(value), QString::fromUtf8(expected)) << value;
}

TEST(LameSwitches, ValuesNoDialogCouldStoreAreRefusedBeforeAnythingIsBuilt) {
    struct Case {
        std::function<void(EncoderDecoderOptions&)> set;
        const char* refused;  // nullptr: accepted
    };
    const Case cases[] = {
        {[](auto&) {}, nullptr},
        {[](auto& o) { o.lngBitrate = 0; }, "Bitrate"},
        {[](auto& o) { o.lngBitrate = 19; }, "Bitrate"},
        {[](auto& o) { o.lngMode = 7; }, "Mode"},
        {[](auto& o) { o.lngOptimisation = -1; }, "Optimisation"},
        {[](auto& o) { o.lngMaximumVBRBitrate = 40; }, "MaximumVBRBitrate"},
        {[](auto& o) { o.blnEnableVBR = false; o.lngMaximumVBRBitrate = 40; }, nullptr},
        {[](auto& o) { o.lngATHControl = 4; }, "ATHControl"},
        {[](auto& o) { o.lngAlgorithmQuality = 11; }, "AlgorithmQuality"},
        {[](auto& o) { o.lngOutputSamplingFrequency = 0; }, "OutputSamplingFrequency"},
        {[](auto& o) { o.lngOutputSamplingFrequency = 11; }, "OutputSamplingFrequency"},
        {[](auto& o) { o.blnHighPassFilteringFreq = true; o.dblHighPassFilteringFreqkHz = 0; }, "HighPassFilteringFreqkHz"},
        {[](auto& o) { o.blnHighPassFilteringFreq = false; o.dblHighPassFilteringFreqkHz = 0; }, nullptr},
        {[](auto& o) { o.blnLowPassFilteringFreq = true; o.dblLowPassFilteringFreqkHz = 50000.5; }, "LowPassFilteringFreqkHz"},
        {[](auto& o) { o.blnLowPassFilteringFreq = true; o.dblLowPassFilteringFreqkHz = 50000; }, nullptr},
        {[](auto& o) {
             o.blnLowPassFilteringFreq = true;
             o.blnWidthOfLowPassFilter = true;
             o.dblWidthOfLowPassFilterkHz = -1;
         },
         "WidthOfLowPassFilterkHz"},
        {[](auto& o) {
             o.blnHighPassFilteringFreq = true;
             o.blnWidthOfHighPassFilter = true;
             o.dblWidthOfHighPassFilterkHz = 0;
         },
         nullptr},
        {[](auto& o) { o.blnOnlyUseCustom = true; o.lngBitrate = 99; }, nullptr},
    };
    int i = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(i++);
        const auto refused = CheckSwitchValues(With(c.set));
        if (c.refused) {
            ASSERT_TRUE(refused.has_value());
            EXPECT_EQ(*refused, QString::fromUtf8(c.refused));
        } else {
            EXPECT_FALSE(refused.has_value()) << refused->toStdString();
        }
    }
    // Built regardless, a bad index raises instead of writing a malformed switch.
    try {
        BuildLameSwitchString(With([](auto& o) { o.lngMode = 9; }));
        FAIL() << "no error";
    } catch (const SvError& e) {
        EXPECT_EQ(e.number(), ErrNo::InvalidPropertyValue);
        EXPECT_TRUE(e.description().endsWith(QStringLiteral("|GetEncoderDecoderOptions")));
    }
}

TEST(LameSwitches, CustomOptionsSplitAsAShellWouldWithoutRunningOne) {
    struct Case {
        const char* text;
        std::optional<QStringList> words;
    };
    const Case cases[] = {
        {"", QStringList{}},
        {"   ", QStringList{}},
        {"-b 64  --tt x", QStringList{"-b", "64", "--tt", "x"}},
        {"--tt \"two words\"", QStringList{"--tt", "two words"}},
        {"--tt 'it''s'", QStringList{"--tt", "its"}},
        {"--tt \"say \\\"hi\\\"\"", QStringList{"--tt", "say \"hi\""}},
        {"--tt 'a \\ b'", QStringList{"--tt", "a \\ b"}},
        {"a\\ b", QStringList{"a b"}},
        {"$(touch /tmp/x) `id` ; rm -rf * | cat > f", QStringList{"$(touch", "/tmp/x)", "`id`", ";", "rm", "-rf", "*", "|",
                                                                 "cat", ">", "f"}},
        {"\"\"", QStringList{""}},
        {"--tt \"open", std::nullopt},
        {"--tt 'open", std::nullopt},
        {"trailing\\", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(SplitCustomOptions(QString::fromUtf8(c.text)), c.words);
    }
    EncoderDecoderOptions o = Defaults();
    o.strCustomOptions = QStringLiteral("--tt \"open");
    try {
        BuildLameArguments(o, false);
        FAIL() << "no error";
    } catch (const SvError& e) {
        EXPECT_EQ(e.number(), ErrNo::InvalidCall);
    }
}
