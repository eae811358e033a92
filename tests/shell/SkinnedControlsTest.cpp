#include "SkinFixture.h"

#include "foundation/Errors.h"
#include "foundation/OptionRecords.h"
#include "foundation/ResourceStrings.h"
#include "foundation/Twips.h"
#include "shell/SkinScheme.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

class SkinnedControls : public ::testing::Test {
protected:
    void SetUp() override {
        SetStringTableLanguage(StringTableLanguage::US);
        folder.UseScheme(QStringLiteral("Test Blue"), 0);
        w = new TestWindow;
        w->Load(true);
        ASSERT_TRUE(ui.shown.empty());
    }
    void TearDown() override {
        delete w;
        FlushDeletes();
    }
    int Shown(const SkinImage* image) const { return SkinFolder::PictureNumber(image->Picture(), 0); }

    SkinFolder folder;
    ScriptedUi ui;
    TestWindow* w = nullptr;
};

constexpr int kButtonUp = 1, kButtonDown = 2, kCheckOn = 3, kCheckOff = 4, kRadioOn = 9, kRadioOff = 10;

}  // namespace

TEST_F(SkinnedControls, OnlyTheLeftButtonPressesAndReleasesAPushButton) {
    const QColor released = ColorFromValue(gudtSkinSettings.ButtonForeColor);
    const QColor held = ColorFromValue(gudtSkinSettings.ButtonDownForeColor);
    for (int button : {2, 4, 3, 0}) {
        w->mbuttonScan.ButtonDown(button);
        EXPECT_EQ(Shown(w->ImageScan), kButtonUp) << button;
        EXPECT_EQ(w->LabelScan->palette().color(QPalette::WindowText), released) << button;
    }
    w->mbuttonScan.ButtonDown(1);
    EXPECT_EQ(Shown(w->ImageScan), kButtonDown);
    EXPECT_EQ(w->LabelScan->palette().color(QPalette::WindowText), held);
    w->mbuttonScan.ButtonUp(2);
    EXPECT_EQ(Shown(w->ImageScan), kButtonDown);
    w->mbuttonScan.ButtonUp(1);
    EXPECT_EQ(Shown(w->ImageScan), kButtonUp);
    EXPECT_EQ(w->LabelScan->palette().color(QPalette::WindowText), released);

    // With skins off the hidden picture follows all the same.
    Options().Preferences.blnUseSkins = false;
    w->mbuttonScan.ButtonDown(1);
    EXPECT_EQ(Shown(w->ImageScan), kButtonDown);
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(SkinnedControls, AClickOnAnyOfTheThreeRunsTheButtonsCommandOnce) {
    int runs = 0;
    RouteButtonEvents(w->mbuttonScan, [&] { ++runs; });
    QTest::mouseClick(w->ImageScan, Qt::LeftButton);
    EXPECT_EQ(runs, 1);
    QTest::mouseClick(w->LabelScan, Qt::LeftButton);
    EXPECT_EQ(runs, 2);
    QTest::mouseClick(w->ImageScan, Qt::RightButton);
    EXPECT_EQ(runs, 2);
    w->CmdScan->click();
    EXPECT_EQ(runs, 3);
    EXPECT_EQ(Shown(w->ImageScan), kButtonUp);
}

namespace {
// What the window system delivers for a double click: press, release, then
// a double-click event in place of the second press, and its release.
void DoubleClick(QWidget* control) {
    const QPointF at(4, 4);
    const QPointF global = control->mapToGlobal(at);
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                     QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, global, Qt::LeftButton, held, Qt::NoModifier);
        QCoreApplication::sendEvent(control, &event);
    }
}
}  // namespace

TEST_F(SkinnedControls, ADoubleClickIsOneClickFollowedByADoubleClick) {
    // Each picture and label reports mouse down, mouse up, click, double
    // click, mouse up: the second press is no click of its own.
    for (QWidget* control : {static_cast<QWidget*>(w->ImageScan), static_cast<QWidget*>(w->LabelScan)}) {
        SCOPED_TRACE(control->objectName().toStdString());
        QStringList events;
        auto record = [&](const char* name) { return [&events, name] { events << QString::fromLatin1(name); }; };
        QList<QMetaObject::Connection> connections;
        if (auto* image = qobject_cast<SkinImage*>(control)) {
            connections << QObject::connect(image, &SkinImage::MouseDown, control, record("down"))
                        << QObject::connect(image, &SkinImage::MouseUp, control, record("up"))
                        << QObject::connect(image, &SkinImage::Click, control, record("click"))
                        << QObject::connect(image, &SkinImage::DblClick, control, record("dblclick"));
        } else {
            auto* label = qobject_cast<SkinLabel*>(control);
            connections << QObject::connect(label, &SkinLabel::MouseDown, control, record("down"))
                        << QObject::connect(label, &SkinLabel::MouseUp, control, record("up"))
                        << QObject::connect(label, &SkinLabel::Click, control, record("click"))
                        << QObject::connect(label, &SkinLabel::DblClick, control, record("dblclick"));
        }
        DoubleClick(control);
        EXPECT_EQ(events, (QStringList{"down", "up", "click", "dblclick", "up"}));
        for (const auto& c : connections) QObject::disconnect(c);
    }

    // So a double click on a skinned push button runs its command once, and
    // one on a skinned check box toggles it once.
    int runs = 0;
    RouteButtonEvents(w->mbuttonScan, [&] { ++runs; });
    DoubleClick(w->ImageScan);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(Shown(w->ImageScan), kButtonUp);
    ASSERT_EQ(w->mcheckSub.Value(), 0);
    DoubleClick(w->ImageSub);
    EXPECT_EQ(w->mcheckSub.Value(), 1);
    DoubleClick(w->LabelSub);
    EXPECT_EQ(w->mcheckSub.Value(), 0);
}

TEST_F(SkinnedControls, SetControlsCopiesTheStandardControlAndVisibilityFollowsTheSkins) {
    auto* standard = new QPushButton(QStringLiteral("&Stop"), w);
    standard->setGeometry(30, 200, 96, 25);
    standard->setEnabled(false);
    standard->setToolTip(QStringLiteral("Stop the scan"));
    auto* picture = new SkinImage(w);
    auto* label = new SkinLabel(w);
    clsButton stop;
    stop.SetControls(w, standard, picture, label);
    EXPECT_EQ(stop.Caption(), "&Stop");
    EXPECT_FALSE(stop.Enabled());
    EXPECT_EQ(stop.ToolTipText(), "Stop the scan");
    EXPECT_EQ(stop.Top(), 3000.0f);
    EXPECT_EQ(stop.Left(), 450.0f);
    EXPECT_FALSE(stop.Visible());  // whatever the standard control shows
    EXPECT_EQ(label->text(), QString());  // the picture and label are left alone

    stop.SetVisible(true);
    EXPECT_TRUE(stop.Visible());
    EXPECT_TRUE(standard->isHidden());
    EXPECT_FALSE(picture->isHidden());
    EXPECT_FALSE(label->isHidden());
    Options().Preferences.blnUseSkins = false;
    stop.SetVisible(true);
    EXPECT_FALSE(standard->isHidden());
    EXPECT_TRUE(picture->isHidden());
    EXPECT_TRUE(label->isHidden());
    stop.SetVisible(false);
    EXPECT_TRUE(standard->isHidden() && picture->isHidden() && label->isHidden());

    stop.SetCaption(QStringLiteral("S&top"));
    stop.SetEnabled(true);
    stop.SetToolTipText(QStringLiteral("Stop"));
    EXPECT_EQ(standard->text(), "S&top");
    EXPECT_EQ(label->text(), "S&top");
    for (QWidget* c : {static_cast<QWidget*>(standard), static_cast<QWidget*>(picture), static_cast<QWidget*>(label)}) {
        EXPECT_TRUE(c->isEnabled());
        EXPECT_EQ(c->toolTip(), "Stop");
    }
}

TEST_F(SkinnedControls, TheCaptionLabelIsCentredOnThePicture) {
    w->ImageScan->resize(TwipsToPixelsX(1440), TwipsToPixelsY(375));
    w->LabelScan->resize(TwipsToPixelsX(1290), TwipsToPixelsY(195));
    w->mbuttonScan.SetTop(600);
    EXPECT_EQ(w->mbuttonScan.Top(), 600.0f);
    EXPECT_EQ(w->CmdScan->y(), TwipsToPixelsY(600));
    EXPECT_EQ(w->ImageScan->y(), TwipsToPixelsY(600));
    EXPECT_EQ(w->LabelScan->y(), TwipsToPixelsY(690));
    w->mbuttonScan.SetLeft(300);
    EXPECT_EQ(w->ImageScan->x(), TwipsToPixelsX(300));
    EXPECT_EQ(w->LabelScan->x(), TwipsToPixelsX(300 + 720 - 645));
    EXPECT_EQ(w->LabelScan->y(), TwipsToPixelsY(690));  // the other axis stays
}

TEST_F(SkinnedControls, CheckBoxChangesToggleOnceWhicheverWayTheyCome) {
    clsCheckBox& check = w->mcheckSub;
    EXPECT_EQ(check.Value(), 0);

    // The window assigns: the standard box raises its change during the
    // assignment, and the assigned value stands.
    check.SetValue(1);
    EXPECT_EQ(check.Value(), 1);
    EXPECT_EQ(w->CheckSub->checkState(), Qt::Checked);
    EXPECT_EQ(Shown(w->ImageSub), kCheckOn);

    // The user clicks the picture, then the label: one toggle each.
    QTest::mouseClick(w->ImageSub, Qt::LeftButton);
    EXPECT_EQ(check.Value(), 0);
    EXPECT_EQ(w->CheckSub->checkState(), Qt::Unchecked);
    EXPECT_EQ(Shown(w->ImageSub), kCheckOff);
    QTest::mouseClick(w->LabelSub, Qt::LeftButton);
    EXPECT_EQ(check.Value(), 1);

    // Skins off: the user clicks the standard box itself.
    Options().Preferences.blnUseSkins = false;
    w->CheckSub->show();
    w->CheckSub->click();
    EXPECT_EQ(check.Value(), 0);
    EXPECT_EQ(w->CheckSub->checkState(), Qt::Unchecked);
    EXPECT_EQ(Shown(w->ImageSub), kCheckOn);  // untouched with skins off
    Options().Preferences.blnUseSkins = true;
    check.Refresh();
    EXPECT_EQ(Shown(w->ImageSub), kCheckOff);
}

TEST_F(SkinnedControls, AGreyCheckBoxShowsOffAndBecomesCheckedOnItsFirstClick) {
    clsCheckBox& check = w->mcheckSub;
    check.SetValue(2);
    EXPECT_EQ(check.Value(), 2);
    EXPECT_EQ(w->CheckSub->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(Shown(w->ImageSub), kCheckOff);
    check.Click();
    EXPECT_EQ(check.Value(), 1);
    EXPECT_EQ(Shown(w->ImageSub), kCheckOn);
    try {
        check.SetValue(3);
        ADD_FAILURE() << "no error";
    } catch (const SvError& e) {
        EXPECT_EQ(e.number(), ErrNo::InvalidPropertyValue);
        EXPECT_EQ(e.description(), QStringLiteral("Invalid property value"));
    }
    EXPECT_EQ(check.Value(), 1);
}

TEST_F(SkinnedControls, ReentryFlagsAreReleasedWhenAnAssignmentFails) {
    // Controls on a window without a picture store: the state picture fails.
    QWidget plain;
    auto* box = new QCheckBox(&plain);
    auto* radio = new QRadioButton(&plain);
    clsCheckBox check;
    check.SetControls(&plain, box, new SkinImage(&plain), new SkinLabel(&plain));
    clsOption option;
    option.SetControls(&plain, radio, new SkinImage(&plain), new SkinLabel(&plain));

    EXPECT_THROW(check.SetValue(1), SvError);
    EXPECT_THROW(option.SetValue(true), SvError);
    EXPECT_FALSE(option.mblnValueChanging);

    Options().Preferences.blnUseSkins = false;
    check.SetValue(0);
    EXPECT_EQ(check.Value(), 0);
    EXPECT_EQ(box->checkState(), Qt::Unchecked);
    check.Click();
    EXPECT_EQ(check.Value(), 1);
    option.SetValue(false);
    EXPECT_FALSE(radio->isChecked());
}

TEST_F(SkinnedControls, TheWindowKeepsAnOptionGroupExclusive) {
    auto makeOption = [this](int index) {
        auto* radio = new QRadioButton(w);
        radio->setProperty("Index", index);
        auto* picture = new SkinImage(w);
        picture->SetStretch(false);
        auto* option = new clsOption;
        option->SetControls(w, radio, picture, new SkinLabel(w));
        return option;
    };
    std::unique_ptr<clsOption> a(makeOption(0)), b(makeOption(1));
    std::vector<int> chosen;
    RouteOptionGroup({a.get(), b.get()}, [&](int i) { chosen.push_back(i); });

    // Assignments raise the option's own click, which the group ignores.
    a->SetValue(true);
    b->SetValue(false);
    EXPECT_TRUE(chosen.empty());
    EXPECT_EQ(SkinFolder::PictureNumber(a->Picture()->Picture(), 0), kRadioOn);
    EXPECT_EQ(SkinFolder::PictureNumber(b->Picture()->Picture(), 0), kRadioOff);

    QTest::mouseClick(b->Picture(), Qt::LeftButton);
    EXPECT_EQ(chosen, std::vector<int>{1});
    EXPECT_FALSE(a->Value());
    EXPECT_TRUE(b->Value());
    EXPECT_FALSE(static_cast<QRadioButton*>(a->StandardControl())->isChecked());
    EXPECT_EQ(SkinFolder::PictureNumber(a->Picture()->Picture(), 0), kRadioOff);
    EXPECT_EQ(SkinFolder::PictureNumber(b->Picture()->Picture(), 0), kRadioOn);

    // Skins off: a click on the chosen option's own button keeps it chosen.
    Options().Preferences.blnUseSkins = false;
    auto* standardB = static_cast<QRadioButton*>(b->StandardControl());
    standardB->show();
    standardB->click();
    EXPECT_TRUE(standardB->isChecked());
    EXPECT_TRUE(b->Value());

    EXPECT_EQ(a->Index(), "0");
    EXPECT_EQ(b->Index(), "1");
    clsOption loose;
    loose.SetControls(w, new QRadioButton(w), new SkinImage(w), new SkinLabel(w));
    try {
        (void)loose.Index();
        ADD_FAILURE() << "no error";
    } catch (const SvError& e) {
        EXPECT_EQ(e.number(), ErrNo::ObjectNotAnArray);
    }
}

TEST_F(SkinnedControls, ADisabledButtonsCaptionReadsAsDisabled) {
    const QColor released = ColorFromValue(gudtSkinSettings.ButtonForeColor);
    w->mbuttonScan.SetEnabled(false);
    EXPECT_FALSE(w->LabelScan->isEnabled());
    const QPalette palette = w->LabelScan->palette();
    EXPECT_EQ(palette.color(QPalette::Active, QPalette::WindowText), released);
    EXPECT_NE(palette.color(QPalette::Disabled, QPalette::WindowText), released);
    w->mbuttonScan.SetEnabled(true);
    EXPECT_TRUE(w->LabelScan->isEnabled());
}
