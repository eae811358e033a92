// The CD Ripper and the Encoder Decoder as the program registers them: the
// Encoder Decoder's Rip CD opens the ripper through the window registry, and
// what a rip of the disc image writes lands in the Encoder Decoder's own list.

#include "../ripper/RipperTestSupport.h"

#include "encoder/EncoderFileListModel.h"
#include "encoder/ui/EncoderDecoder.h"
#include "foundation/OptionRecords.h"
#include "ripper/ui/CDRipper.h"
#include "foundation/WindowProtocol.h"
#include "support/ScopedOptions.h"

#include <QCoreApplication>
#include <QLineEdit>

namespace {

class RipToEncoderTest : public RipperTest {
protected:
    void SetUp() override {
        RipperTest::SetUp();
        RegisterCDRipperWindow();
        RegisterEncoderDecoderWindow();
    }
    void TearDown() override {
        // The ripper goes with the Encoder Decoder.
        if (IToolWindow* w = WindowRegistry::Find(WindowNames::EncoderDecoder)) w->UnloadWindow();
        if (IToolWindow* w = WindowRegistry::Find(WindowNames::CDRipper)) w->UnloadWindow();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        WindowRegistry::SetFactory(WindowNames::CDRipper, nullptr);
        WindowRegistry::SetFactory(WindowNames::EncoderDecoder, nullptr);
        RipperTest::TearDown();
    }
    static QStringList Paths(const EncoderFileListModel& files) {
        QStringList out;
        for (int r = 0; r < files.rows(); ++r) out << files.row(r).path();
        return out;
    }
    ScopedOptions options;
};

TEST_F(RipToEncoderTest, RippedFilesReachTheEncoderDecodersListThroughTheRegistry) {
    auto* encoder = dynamic_cast<FormEncoderDecoder*>(WindowRegistry::Show(WindowNames::EncoderDecoder));
    ASSERT_NE(encoder, nullptr);
    // As the running program finds it: by name and interface, not by class.
    EXPECT_EQ(WindowRegistry::FindAs<IEncoderFileList>(WindowNames::EncoderDecoder),
              static_cast<IEncoderFileList*>(encoder));

    encoder->BtnRipCD_Click();
    auto* ripper = dynamic_cast<FormCDRipper*>(WindowRegistry::Find(WindowNames::CDRipper));
    ASSERT_NE(ripper, nullptr);
    ripper->TextOutputDirectory->setText(output);
    ripper->BtnRip_Click();

    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(Paths(*encoder->Files()), (QStringList{OutFile("Track 1.wav"), OutFile("Track 2.wav")}));
    for (int r = 0; r < encoder->Files()->rows(); ++r) EXPECT_TRUE(encoder->Files()->row(r).checked);
    EXPECT_TRUE(ReadBytes(OutFile("Track 1.wav")).mid(44) == image.Bytes(0, 100));
    // Both jobs are over and the new rows can be encoded.
    EXPECT_FALSE(encoder->mblnProcessRunning);
    EXPECT_FALSE(ripper->mblnProcessRunning);
    EXPECT_TRUE(encoder->mbuttonEncodeAll.Enabled());
    EXPECT_TRUE(encoder->ListViewFiles->isVisible());
}

TEST_F(RipToEncoderTest, ARipFromTheRipperAloneLoadsTheEncoderDecoderAndListsTheFilesThere) {
    auto* ripper = dynamic_cast<FormCDRipper*>(WindowRegistry::Show(WindowNames::CDRipper));
    ASSERT_NE(ripper, nullptr);
    ripper->TextOutputDirectory->setText(output);
    ripper->BtnRip_Click();
    auto* encoder = dynamic_cast<FormEncoderDecoder*>(WindowRegistry::Find(WindowNames::EncoderDecoder));
    ASSERT_NE(encoder, nullptr);
    EXPECT_EQ(Paths(*encoder->Files()), (QStringList{OutFile("Track 1.wav"), OutFile("Track 2.wav")}));
}

}  // namespace
