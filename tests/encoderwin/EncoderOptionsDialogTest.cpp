// The Encoder Decoder Options dialog offscreen: what it shows on a first run,
// the round trip through section "EncoderDecoder" and the option record, the
// enabling rules, the number boxes, and the ways out of it.

#include "encoder/ui/EncoderOptionsDialog.h"
#include "foundation/OptionRecords.h"
#include "foundation/ReadOptions.h"
#include "foundation/SettingsStore.h"
#include "support/ScopedOptions.h"
#include "support/ScriptedUi.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabBar>
#include <gtest/gtest.h>
#include <memory>

namespace {

// The control's own state (a control on a page not shown is off with its page).
bool OwnEnabled(const QWidget* w) { return !w->testAttribute(Qt::WA_ForceDisabled); }

// The focus leaves `from` for `to`, as the application announces it.
void MoveFocus(QWidget* from, QWidget* to) {
    from->setFocus();
    emit qApp->focusChanged(from, to);
}

// A key pressed and released on `target`.
void KeyClick(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(target, &release);
}

const QString kSection = QStringLiteral("EncoderDecoder");

QString Stored(const char* key) {
    return GetOptionSetting(kSection, QLatin1String(key), QStringLiteral("<none>"), SettingType::String).toString();
}

class EncoderOptionsDialogTest : public ::testing::Test {
protected:
    std::unique_ptr<DialogEncoderDecoderOptions> Open() {
        auto d = std::make_unique<DialogEncoderDecoderOptions>();
        d->show();
        d->activateWindow();
        QApplication::setActiveWindow(d.get());
        for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
        return d;
    }
    TempHome home;
    ScopedOptions options;
    ScriptedUi ui;
};

TEST_F(EncoderOptionsDialogTest, AFirstRunShowsTheDefaultsAndOKStoresAll35Keys) {
    auto d = Open();
    EXPECT_EQ(d->windowTitle(), "Encoder Decoder Options");
    EXPECT_EQ(d->SliderBitrate[0]->value(), 12);
    EXPECT_EQ(d->LabelCurrentBitrate[0]->text(), "Current bitrate: 128 kbit");
    EXPECT_EQ(d->ComboMode->currentIndex(), 0);
    EXPECT_TRUE(d->OptionSameAsInputDir->isChecked());
    EXPECT_TRUE(d->CheckEnableVBR->isChecked());
    EXPECT_EQ(d->TextQuality->text(), "4");
    EXPECT_EQ(d->TextTargetBitrateForABR->text(), "128");
    EXPECT_EQ(d->TextHighPassFreq->text(), "0.001");
    EXPECT_EQ(d->TextLowPassFreq->text(), "50000");
    EXPECT_EQ(d->TabStripOptions->currentIndex(), 0);
    EXPECT_FALSE(d->TextUse->isEnabled());
    EXPECT_EQ(d->ComboMode->toolTip(), "Default is joint stereo with fixed bitrates of 160 kbit or less or VBR quality 4 or greater. Otherwise, default is stereo.");
    d->OKButton->click();
    const std::pair<const char*, const char*> expected[] = {
        {"Bitrate", "12"}, {"Mode", "0"}, {"SameAsInputDirectory", "True"}, {"Use", "False"}, {"UseFolder", ""},
        {"Optimisation", "0"}, {"IncludeCRCChecksums", "0"}, {"EnableVBR", "1"}, {"MaximumVBRBitrate", "12"},
        {"Quality", "4"}, {"TargetBitrateForABR", "128"}, {"AlgorithmQuality", "0"}, {"CustomOptions", ""},
        {"OutputSamplingFrequency", "1"}, {"HighPassFilteringFreqkHz", "0.001"}, {"WidthOfHighPassFilterkHz", "0"},
        {"LowPassFilteringFreqkHz", "50000"}, {"WidthOfLowPassFilter", "0"}, {"WidthOfLowPassFilterkHz", "0"}};
    for (const auto& [key, value] : expected) EXPECT_EQ(Stored(key), QLatin1String(value)) << key;
}

TEST_F(EncoderOptionsDialogTest, OKStoresEveryControlTheRecordFollowsAndTheNextDialogShowsThem) {
    {
        auto d = Open();
        d->SliderBitrate[0]->setValue(15);
        EXPECT_EQ(d->LabelCurrentBitrate[0]->text(), "Current bitrate: 192 kbit");
        d->ComboMode->setCurrentIndex(5);
        EXPECT_EQ(d->ComboMode->toolTip(),
                  "The input will be encoded as a mono signal. If it was a stereo signal, it will be downsampled to mono.");
        d->CheckUseABR->setChecked(true);
        d->TextTargetBitrateForABR->setText("200");
        d->ComboOutputSamplingFrequency->setCurrentIndex(9);
        d->CheckLowPassFreq->setChecked(true);
        d->TextLowPassFreq->setText("16.5");
        d->TextCustomOptions->setText("--tt \"x y\"");
        d->CheckDeleteSourceFile->setChecked(true);
        d->OKButton->click();
    }
    EXPECT_EQ(Stored("Bitrate"), "15");
    EXPECT_EQ(Stored("Mode"), "5");
    EXPECT_EQ(Stored("UseABR"), "1");
    EXPECT_EQ(Stored("OutputSamplingFrequency"), "10");
    EXPECT_EQ(Stored("LowPassFilteringFreqkHz"), "16.5");
    const EncoderDecoderOptions& o = Options().EncoderDecoder;
    EXPECT_EQ(o.lngBitrate, 15);
    EXPECT_EQ(o.lngMode, 5);
    EXPECT_TRUE(o.blnUseABR);
    EXPECT_EQ(o.intTargetBitrateForABR, 200);
    EXPECT_EQ(o.lngOutputSamplingFrequency, 10);
    EXPECT_DOUBLE_EQ(o.dblLowPassFilteringFreqkHz, 16.5);
    EXPECT_TRUE(o.blnDeleteSourceFile);
    EXPECT_EQ(o.strCustomOptions, "--tt \"x y\"");

    auto again = Open();
    EXPECT_EQ(again->SliderBitrate[0]->value(), 15);
    EXPECT_EQ(again->ComboMode->currentIndex(), 5);
    EXPECT_EQ(again->ComboMode->toolTip(),
              "The input will be encoded as a mono signal. If it was a stereo signal, it will be downsampled to mono.");
    EXPECT_EQ(again->ComboOutputSamplingFrequency->currentText(), "48 kHz");
    EXPECT_EQ(again->TabStripOptions->currentIndex(), 0);
}

TEST_F(EncoderOptionsDialogTest, CancelAndTheCloseBoxStoreNothingEvenWithABadFrequencyInABox) {
    for (const bool closeBox : {false, true}) {
        auto d = Open();
        d->TabStripOptions->setCurrentIndex(4);
        d->CheckHighPassFreq->setChecked(true);
        d->TextHighPassFreq->setText("0");
        d->TextHighPassFreq->setFocus();
        d->SliderBitrate[0]->setValue(3);
        if (closeBox)
            d->close();
        else
            {
            d->CancelButton->setFocus();  // a click gives the button the focus first
            d->CancelButton->click();
        }
        EXPECT_FALSE(d->isVisible()) << closeBox;
        EXPECT_EQ(Stored("Bitrate"), "<none>");
        EXPECT_TRUE(ui.shown.empty());
    }
}

TEST_F(EncoderOptionsDialogTest, AFrequencyOutOfRangeKeepsTheFocusAndOKStoresNothing) {
    auto d = Open();
    d->TabStripOptions->setCurrentIndex(4);
    d->CheckHighPassFreq->setChecked(true);
    d->TextHighPassFreq->setFocus();
    d->TextHighPassFreq->setText("50000.5");
    MoveFocus(d->TextHighPassFreq, d->TextHighPassWidth);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].prompt, "Filtering frequencies must be in the range 0.001 kHz to 50000 kHz.");
    EXPECT_EQ(ui.shown[0].title, "Frequency Out of Range");
    EXPECT_EQ(ui.shown[0].style, Mb::OKOnly);
    EXPECT_EQ(QApplication::focusWidget(), d->TextHighPassFreq);
    EXPECT_EQ(d->TextHighPassFreq->text(), "50000.5");
    // Enter presses OK from the box: refused again, nothing stored, still open.
    KeyClick(d->TextHighPassFreq, Qt::Key_Return);
    EXPECT_EQ(ui.shown.size(), 2u);
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(Stored("HighPassFilteringFreqkHz"), "<none>");
    // A second point is taken out while typing; the bounds pass.
    d->TextHighPassFreq->setText("44.1.");
    EXPECT_EQ(d->TextHighPassFreq->text(), "44.1");
    d->TextHighPassFreq->setText("50000");
    MoveFocus(d->TextHighPassFreq, d->TextHighPassWidth);
    EXPECT_EQ(ui.shown.size(), 2u);
    d->OKButton->click();
    EXPECT_EQ(Stored("HighPassFilteringFreqkHz"), "50000");
}

TEST_F(EncoderOptionsDialogTest, NumberBoxesFilterStepAndClamp) {
    auto d = Open();
    d->TabStripOptions->setCurrentIndex(2);
    d->TextQuality->setText("");
    d->TextQuality->setText("a");
    EXPECT_EQ(d->TextQuality->text(), "");
    KeyClick(d->TextQuality, Qt::Key_Up);
    EXPECT_EQ(d->TextQuality->text(), "1");
    d->TextQuality->setText("9");
    KeyClick(d->TextQuality, Qt::Key_Up);
    EXPECT_EQ(d->TextQuality->text(), "9");
    d->CheckUseABR->setChecked(true);
    d->TextTargetBitrateForABR->setText("0");
    EXPECT_EQ(d->TextTargetBitrateForABR->text(), "");
    d->TextTargetBitrateForABR->setFocus();
    d->TextTargetBitrateForABR->setText("3");
    MoveFocus(d->TextTargetBitrateForABR, d->CheckUseABR);
    EXPECT_EQ(d->TextTargetBitrateForABR->text(), "4");
    d->TextTargetBitrateForABR->setFocus();
    d->TextTargetBitrateForABR->setText("999");
    MoveFocus(d->TextTargetBitrateForABR, d->CheckUseABR);
    EXPECT_EQ(d->TextTargetBitrateForABR->text(), "310");
    KeyClick(d->TextTargetBitrateForABR, Qt::Key_Down);
    EXPECT_EQ(d->TextTargetBitrateForABR->text(), "309");
}

TEST_F(EncoderOptionsDialogTest, CustomOnlyGreysTheSwitchesAndAccessKeysSkipDisabledControls) {
    auto d = Open();
    d->TabStripOptions->setCurrentIndex(3);
    d->CheckOnlyUseCustom->setChecked(true);
    for (QWidget* w : std::initializer_list<QWidget*>{d->SliderBitrate[0], d->ComboMode, d->CheckEnableVBR,
                                                      d->TextQuality, d->ComboAlgorithmQuality, d->CheckHighPassFreq})
        EXPECT_FALSE(OwnEnabled(w)) << w->objectName().toStdString();
    EXPECT_TRUE(OwnEnabled(d->TextCustomOptions));
    EXPECT_TRUE(OwnEnabled(d->CheckDeleteSourceFile));
    d->CheckOnlyUseCustom->setChecked(false);
    EXPECT_TRUE(OwnEnabled(d->TextQuality));

    // On the VBR page with ABR off, the target's access key moves nothing.
    d->TabStripOptions->setCurrentIndex(2);
    d->CheckEnableVBR->setFocus();
    KeyClick(d.get(), Qt::Key_T, Qt::AltModifier);
    EXPECT_NE(QApplication::focusWidget(), d->TextTargetBitrateForABR);
    KeyClick(d.get(), Qt::Key_Q, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), d->TextQuality);
    // The pages not shown take no focus at all.
    EXPECT_FALSE(d->FrameOptions[0]->isEnabled());
    EXPECT_TRUE(d->FrameOptions[2]->isEnabled());
}

TEST_F(EncoderOptionsDialogTest, AStoredValueTheListDoesNotHaveStopsTheReadingThere) {
    SaveOptionSetting(kSection, "Bitrate", 3, SettingType::Long);
    SaveOptionSetting(kSection, "Mode", 7, SettingType::Integer);
    SaveOptionSetting(kSection, "Copy", "True", SettingType::String);
    auto d = Open();
    EXPECT_EQ(d->SliderBitrate[0]->value(), 3);
    EXPECT_EQ(d->ComboMode->currentIndex(), 0);
    ASSERT_EQ(ui.shown.size(), 1u);  // the error box
    EXPECT_TRUE(ui.shown[0].prompt.contains("ReadEncoderDecoderOptionsSettings")) << ui.shown[0].prompt.toStdString();
}

}  // namespace
