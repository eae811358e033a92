// The one-call builder of skinned buttons, check boxes and option buttons:
// names, tags and places of the three controls, the wrapper they are bound
// to, the routed clicks, and the caption that stays beside its box.

#include "SkinFixture.h"

#include "foundation/Errors.h"
#include "foundation/OptionRecords.h"
#include "foundation/ResourceStrings.h"
#include "foundation/Twips.h"
#include "shell/ui/SkinnedControlBuilder.h"
#include "shell/ui/Skins.h"
#include "support/ScopedOptions.h"

#include <QImage>
#include <QImageWriter>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const TwipsRect kApplyAt{300, 900, 1440, 375};
const TwipsRect kChangeAt{300, 1500, 2400, 300};
const std::vector<TwipsRect> kOutputAt{{300, 2100, 1500, 300}, {2100, 2100, 1500, 300}};

// A tool window that builds one control of each kind the way new windows do.
class BuiltWindow : public SkinnedJobWindow {
public:
    BuiltWindow() : SkinnedJobWindow(QStringLiteral("FormBuilderTest")) {
        SetMinimumSizeTwips(3000, 6000);
        resize(600, 400);
        apply = BuildSkinnedButton(this, mbuttonApply, QStringLiteral("Apply"), kApplyAt, [this] { ++applied; });
        change = BuildSkinnedCheckBox(this, mcheckChangeFileName, QStringLiteral("ChangeFileName"), kChangeAt,
                                      [this] { ++changes; });
        output = BuildSkinnedOptionGroup(this, {&moptionHTMLOutput, &moptionTextOutput}, QStringLiteral("Output"),
                                         kOutputAt, [this](int index) { chosen.push_back(index); });
        LoadWindow(true);
    }
    void InitialiseDialogText() override {
        SetCaption(QStringLiteral("Builder Test"));
        mbuttonApply.SetCaption(QStringLiteral("A&pply"));
        mcheckChangeFileName.SetCaption(QStringLiteral("Change File &Name on Apply"));
        moptionHTMLOutput.SetCaption(QStringLiteral("&HTML"));
        moptionTextOutput.SetCaption(QStringLiteral("&Text"));
    }
    void EnableControls(bool) override {}

    clsButton mbuttonApply;
    clsCheckBox mcheckChangeFileName;
    clsOption moptionHTMLOutput, moptionTextOutput;
    SkinnedParts<QPushButton> apply;
    SkinnedParts<QCheckBox> change;
    std::vector<SkinnedParts<QRadioButton>> output;
    int applied = 0;
    int changes = 0;
    std::vector<int> chosen;
};

class SkinnedControlBuilder : public ::testing::Test {
protected:
    void SetUp() override {
        SetStringTableLanguage(StringTableLanguage::US);
        folder.UseScheme(QStringLiteral("Test Blue"), 0);
    }
    void TearDown() override { FlushDeletes(); }
    static int Shown(const SkinImage* image) { return SkinFolder::PictureNumber(image->Picture(), 0); }
    // Where a caption beside its box belongs: right of the picture, centred on it.
    static QPoint BesideBox(const SkinImage* picture, const QLabel* label) {
        return {picture->x() + picture->width() + TwipsToPixelsX(60),
                picture->y() + (picture->height() - label->height()) / 2};
    }

    ScopedOptions options;
    SkinFolder folder;
    ScriptedUi ui;
};

// Picture numbers of the test schemes (SkinPictureFiles order).
constexpr int kButtonUp = 1, kCheckOff = 4, kRadioOff = 10;

}  // namespace

TEST_F(SkinnedControlBuilder, EachKindIsNamedTaggedPlacedAndBoundToItsWrapper) {
    BuiltWindow w;
    struct Case {
        const char* what;
        QWidget* standard;
        SkinImage* picture;
        SkinLabel* label;
        const clsSkinnedControl& wrapper;
        QString standardName, pictureName, labelName, tag;
        TwipsRect at;
        int picture0;  // the picture the dressed window shows
        int index;     // the control-array index, -1 for none
    };
    const Case cases[] = {
        {"button", w.apply.standard, w.apply.picture, w.apply.label, w.mbuttonApply, "BtnApply", "ImageApply",
         "LabelApply", "Button", kApplyAt, kButtonUp, -1},
        {"check box", w.change.standard, w.change.picture, w.change.label, w.mcheckChangeFileName,
         "CheckChangeFileName", "ImageChangeFileName", "LabelChangeFileName", "Check", kChangeAt, kCheckOff, -1},
        {"option 0", w.output[0].standard, w.output[0].picture, w.output[0].label, w.moptionHTMLOutput,
         "OptionOutput", "ImageOutput", "LabelOutput", "Option", kOutputAt[0], kRadioOff, 0},
        {"option 1", w.output[1].standard, w.output[1].picture, w.output[1].label, w.moptionTextOutput,
         "OptionOutput", "ImageOutput", "LabelOutput", "Option", kOutputAt[1], kRadioOff, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(c.standard && c.picture && c.label);
        EXPECT_EQ(c.standard->objectName(), c.standardName);
        EXPECT_EQ(c.picture->objectName(), c.pictureName);
        EXPECT_EQ(c.label->objectName(), c.labelName);
        EXPECT_EQ(ControlTag(c.picture), c.tag);
        EXPECT_EQ(ControlTag(c.label), c.tag);
        EXPECT_EQ(c.wrapper.StandardControl(), c.standard);
        EXPECT_EQ(c.wrapper.Picture(), c.picture);
        EXPECT_EQ(c.wrapper.CaptionLabel(), c.label);
        EXPECT_EQ(c.wrapper.Window(), &w);
        // The standard control holds the designed place; so do the wrapper's fields.
        EXPECT_EQ(c.standard->geometry(), c.at.pixels());
        EXPECT_FLOAT_EQ(c.wrapper.Left(), static_cast<float>(c.at.left));
        EXPECT_FLOAT_EQ(c.wrapper.Top(), static_cast<float>(c.at.top));
        EXPECT_EQ(c.picture->pos(), c.at.pixels().topLeft());
        // Dressed with skins: the picture and its caption, not the standard control.
        EXPECT_EQ(Shown(c.picture), c.picture0);
        EXPECT_FALSE(c.standard->isVisible());
        EXPECT_TRUE(c.picture->isVisible());
        EXPECT_TRUE(c.label->isVisible());
        EXPECT_EQ(c.standard->property("Index").isValid(), c.index >= 0);
        if (c.index >= 0) {
            for (QWidget* control : {c.standard, static_cast<QWidget*>(c.picture), static_cast<QWidget*>(c.label)})
                EXPECT_EQ(control->property("Index").toInt(), c.index) << control->objectName().toStdString();
        }
    }
    // The button's picture fills its place with the caption centred on it.
    EXPECT_EQ(w.apply.picture->geometry(), kApplyAt.pixels());
    EXPECT_EQ(w.apply.label->geometry(), kApplyAt.pixels());
    EXPECT_EQ(w.apply.label->alignment(), Qt::AlignCenter);
    EXPECT_EQ(w.apply.label->text(), "A&pply");
    EXPECT_EQ(w.moptionTextOutput.Index(), "1");

    // With skins off only the standard controls show.
    Options().Preferences.blnUseSkins = false;
    LoadSkin(&w);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_TRUE(c.standard->isVisible());
        EXPECT_FALSE(c.picture->isVisible());
        EXPECT_FALSE(c.label->isVisible());
    }
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(SkinnedControlBuilder, AClickOnAnyOfTheThreeReachesTheWrapperOnce) {
    BuiltWindow w;
    QTest::mouseClick(w.apply.picture, Qt::LeftButton);
    QTest::mouseClick(w.apply.label, Qt::LeftButton);
    w.apply.standard->click();
    EXPECT_EQ(w.applied, 3);

    QTest::mouseClick(w.change.picture, Qt::LeftButton);
    EXPECT_EQ(w.mcheckChangeFileName.Value(), 1);
    QTest::mouseClick(w.change.label, Qt::LeftButton);
    EXPECT_EQ(w.mcheckChangeFileName.Value(), 0);
    w.change.standard->click();
    EXPECT_EQ(w.mcheckChangeFileName.Value(), 1);
    EXPECT_EQ(w.changes, 3);
    // The window's own assignment (reading its settings) is no click.
    w.mcheckChangeFileName.SetValue(0);
    EXPECT_EQ(w.changes, 3);

    QTest::mouseClick(w.output[1].label, Qt::LeftButton);
    QTest::mouseClick(w.output[0].picture, Qt::LeftButton);
    EXPECT_EQ(w.chosen, (std::vector<int>{1, 0}));
    EXPECT_TRUE(w.moptionHTMLOutput.Value());
    EXPECT_FALSE(w.moptionTextOutput.Value());
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(SkinnedControlBuilder, ACaptionStaysBesideItsBoxWhateverTheSchemesPictures) {
    BuiltWindow w;
    QCoreApplication::processEvents();
    SkinImage* box = w.change.picture;
    SkinLabel* caption = w.change.label;
    EXPECT_EQ(box->size(), QSize(24, 24));
    EXPECT_EQ(caption->pos(), BesideBox(box, caption));
    // The caption is as wide as its text, also after a longer one.
    EXPECT_EQ(caption->size(), caption->sizeHint());
    w.mcheckChangeFileName.SetCaption(QStringLiteral("Change the File &Name of every checked row on Apply"));
    EXPECT_EQ(caption->size(), caption->sizeHint());

    // A scheme whose boxes are larger: the caption moves out with the box.
    folder.AddScheme(QStringLiteral("Big Boxes"), 1);
    QImage big(40, 40, QImage::Format_RGB32);
    big.fill(Qt::gray);
    for (const char* file : {"CheckOFF.Jpg", "RadioOFF.Jpg"})
        QImageWriter(folder.SchemePath(QStringLiteral("Big Boxes")) + QLatin1Char('/') + QLatin1String(file), "jpeg")
            .write(big);
    Options().Preferences.strSkinScheme = QStringLiteral("Big Boxes");
    LoadSkin(&w);
    QCoreApplication::processEvents();
    EXPECT_EQ(box->size(), QSize(40, 40));
    for (const auto& parts : {SkinnedParts<QWidget>{nullptr, box, caption},
                              SkinnedParts<QWidget>{nullptr, w.output[1].picture, w.output[1].label}}) {
        SCOPED_TRACE(parts.label->objectName().toStdString());
        EXPECT_EQ(parts.label->pos(), BesideBox(parts.picture, parts.label));
    }

    // Moved by the wrapper's Top, the caption stays centred on the box.
    w.mcheckChangeFileName.SetTop(3000);
    EXPECT_EQ(box->y(), TwipsToPixelsY(3000));
    EXPECT_EQ(caption->pos(), BesideBox(box, caption));
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(SkinnedControlBuilder, WithoutAWindowOrWithUnmatchedPlacesNothingIsBuilt) {
    clsButton button;
    clsOption first, second;
    BuiltWindow w;
    struct Case {
        const char* what;
        std::function<void()> build;
        int32_t error;
    };
    const Case cases[] = {
        {"button without a window", [&] { BuildSkinnedButton(nullptr, button, "Go", kApplyAt, {}); },
         ErrNo::ObjectNotSet},
        {"two options, one place",
         [&] { BuildSkinnedOptionGroup(&w, {&first, &second}, "Pick", {kOutputAt[0]}, {}); }, ErrNo::InvalidCall},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            c.build();
            ADD_FAILURE() << "no error";
        } catch (const SvError& e) {
            EXPECT_EQ(e.number(), c.error);
        }
    }
    EXPECT_EQ(w.findChild<QRadioButton*>(QStringLiteral("OptionPick")), nullptr);
    EXPECT_EQ(button.StandardControl(), nullptr);
}
