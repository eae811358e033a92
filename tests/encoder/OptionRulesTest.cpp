// The enabling table of the encoder options and the checks of the number boxes.

#include "encoder/OptionRules.h"

#include <QLocale>
#include <QStringList>
#include <gtest/gtest.h>
#include <map>
#include <string>

namespace {

std::map<std::string, bool> States(const EncoderOptionConditions& c) {
    std::map<std::string, bool> m;
    for (const ControlState& s : EncoderControlStates(c)) m[s.name] = s.enabled;
    return m;
}

}  // namespace

TEST(EncoderOptionRules, EnablingFollowsTheConditions) {
    struct Case {
        const char* name;
        EncoderOptionConditions c;
        // control -> expected state (only the ones this case is about)
        std::map<std::string, bool> expect;
    };
    EncoderOptionConditions base;
    auto with = [&](auto f) {
        EncoderOptionConditions c = base;
        f(c);
        return c;
    };
    const Case cases[] = {
        {"defaults: VBR quality on, ABR target off, filters off, own folder off",
         base,
         {{"SliderBitrate0", true},
          {"CheckEnableVBR", true},
          {"SliderBitrate1", true},
          {"TextQuality", true},
          {"UpDownQuality", true},
          {"TextTargetBitrateForABR", false},
          {"CheckHighPassFreq", true},
          {"TextHighPassFreq", false},
          {"CheckHighPassWidth", false},
          {"TextHighPassWidth", false},
          {"TextUse", false},
          {"BtnBrowse", false}}},
        {"custom only greys every switch control, the VBR box included",
         with([](auto& c) {
             c.onlyUseCustom = true;
             c.highPassFreq = c.highPassWidth = true;
             c.useFolder = true;
         }),
         {{"SliderBitrate0", false},
          {"ComboMode", false},
          {"CheckEnableVBR", false},
          {"TextQuality", false},
          {"ComboOutputSamplingFrequency", false},
          {"TextHighPassWidth", false},
          {"CheckLowPassFreq", false},
          {"TextUse", true},
          {"BtnBrowse", true}}},
        {"ABR: the target instead of the quality",
         with([](auto& c) { c.useABR = true; }),
         {{"TextQuality", false}, {"LabelQuality", false}, {"TextTargetBitrateForABR", true}, {"UpDownTargetBitrateForABR", true}}},
        {"VBR off: quality and target grey whatever ABR holds",
         with([](auto& c) {
             c.enableVBR = false;
             c.useABR = true;
         }),
         {{"TextQuality", false}, {"TextTargetBitrateForABR", false}, {"CheckUseABR", false}, {"SliderBitrate1", false},
          {"SliderBitrate0", true}}},
        {"a width box checked under an unchecked filter stays grey",
         with([](auto& c) { c.highPassWidth = c.lowPassWidth = true; }),
         {{"CheckHighPassWidth", false}, {"TextHighPassWidth", false}, {"TextLowPassWidth", false}}},
        {"a checked filter enables its width text only with its width box",
         with([](auto& c) {
             c.highPassFreq = true;
             c.lowPassFreq = c.lowPassWidth = true;
         }),
         {{"TextHighPassFreq", true}, {"CheckHighPassWidth", true}, {"TextHighPassWidth", false}, {"TextLowPassWidth", true}}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        const auto states = States(k.c);
        for (const auto& [control, enabled] : k.expect) {
            ASSERT_TRUE(states.count(control)) << control;
            EXPECT_EQ(states.at(control), enabled) << control;
        }
    }
    // Unticking custom-only gives back exactly what the other boxes imply.
    EncoderOptionConditions c = base;
    c.useABR = true;
    const auto before = States(c);
    c.onlyUseCustom = true;
    c.onlyUseCustom = false;
    EXPECT_EQ(States(c), before);
}

TEST(EncoderOptionRules, NumberBoxesOnLeaving) {
    const std::pair<const char*, const char*> abr[] = {{"3", "4"}, {"", "4"}, {"999", "310"}, {"50", "50"},
                                                       {"4", "4"}, {"310", "310"}};
    for (const auto& [in, out] : abr) EXPECT_EQ(ABRTargetOnLeaving(QString::fromUtf8(in)), QString::fromUtf8(out)) << in;

    const std::pair<const char*, bool> freq[] = {{"0", false},     {"", false},       {".", false},     {"0.001", true},
                                                 {"44.1", true},   {"50000", true},   {"50000.5", false}, {"0.0009", false}};
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));  // "," would be the point there
    for (const auto& [in, ok] : freq) EXPECT_EQ(FilterFrequencyAccepted(QString::fromUtf8(in)), ok) << in;
    EXPECT_DOUBLE_EQ(BoxValue(QStringLiteral("44.1")), 44.1);
    QLocale::setDefault(previous);

    EXPECT_EQ(QualityOnStoring(QString()), QStringLiteral("4"));
    EXPECT_EQ(QualityOnStoring(QStringLiteral("0")), QStringLiteral("0"));
}
