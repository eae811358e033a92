// A change of skin scheme while every tool window is open: each skinned check
// box and option button shows the value the program uses (and a click on its
// picture turns over exactly what the picture shows), plain boxes keep their
// state, and a window loaded hidden stays hidden, across the change and when
// the window that loads it opens.

#include "allwindows/AllWindowsSupport.h"

#include "foundation/OptionRecords.h"
#include "foundation/WindowProtocol.h"
#include "shell/SkinScheme.h"
#include "shell/ui/Launcher.h"
#include "shell/ui/SkinWidgets.h"
#include "shell/ui/SkinnedWindow.h"
#include "shell/ui/Skins.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QTest>

namespace {

// A check box or option button of a window, and its picture where it is one
// of the window's skinned controls (the picture "Image<name>" of the
// standard control "Check<name>" or "Option<name>", of the same index).
struct Box {
    QAbstractButton* standard = nullptr;
    SkinImage* picture = nullptr;
    QString name() const {
        const QVariant index = standard->property("Index");
        return standard->window()->objectName() + QLatin1Char('.') + standard->objectName() +
               (index.isValid() ? QStringLiteral("(%1)").arg(index.toInt()) : QString());
    }
};

std::vector<Box> BoxesOf(QWidget* window) {
    std::vector<Box> boxes;
    const QList<SkinImage*> pictures = window->findChildren<SkinImage*>();
    for (QAbstractButton* standard : window->findChildren<QAbstractButton*>()) {
        if (!qobject_cast<QCheckBox*>(standard) && !qobject_cast<QRadioButton*>(standard)) continue;
        Box box{standard};
        const QString name = standard->objectName();
        const QString prefix = qobject_cast<QCheckBox*>(standard) ? QStringLiteral("Check") : QStringLiteral("Option");
        if (name.startsWith(prefix)) {
            const QString pictureName = QStringLiteral("Image") + name.mid(prefix.size());
            for (SkinImage* picture : pictures)
                if (picture->objectName() == pictureName && picture->property("Index") == standard->property("Index") &&
                    ControlTag(picture) == prefix)
                    box.picture = picture;
        }
        boxes.push_back(box);
    }
    return boxes;
}

class SkinChangeTest : public AllWindowsTest {
protected:
    void SetUp() override {
        AllWindowsTest::SetUp();
        Options().Preferences.blnUseSkins = true;
        Options().Preferences.strSkinScheme = QStringLiteral("Fun Blue");
    }
    // The options dialog's OK with another scheme chosen.
    static void ChangeScheme(const QString& scheme) {
        Options().Preferences.strSkinScheme = scheme;
        SkinForms();
        Settle();
    }
    // Every window of the program, loaded and shown.
    std::vector<QWidget*> OpenEveryWindow() {
        OpenWindow();
        std::vector<QWidget*> windows{window};
        for (const QString& name : ReopenableWindows()) windows.push_back(Show(name));
        windows.push_back(Show(WindowNames::Integrator));
        return windows;
    }
    // What each box's face shows: its picture's (on or off) where it has
    // one, else its own state.
    static bool ShowsOn(const Box& box) {
        auto* skinned = qobject_cast<SkinnedWindow*>(box.standard->window());
        const bool check = qobject_cast<QCheckBox*>(box.standard) != nullptr;
        const QImage face = box.picture->Picture().toImage();
        EXPECT_NE(skinned->ImageSkins[check ? SkinPicture::CheckOn : SkinPicture::RadioOn].toImage(),
                  skinned->ImageSkins[check ? SkinPicture::CheckOff : SkinPicture::RadioOff].toImage());
        if (face == skinned->ImageSkins[check ? SkinPicture::CheckOn : SkinPicture::RadioOn].toImage()) return true;
        EXPECT_EQ(face, skinned->ImageSkins[check ? SkinPicture::CheckOff : SkinPicture::RadioOff].toImage())
            << box.name();
        return false;
    }
    // Each skinned box's picture shows the state of the box behind it (the
    // state the window's wrapper keeps and the program reads).
    static void ExpectFacesShowTheirState(const std::vector<QWidget*>& windows) {
        for (QWidget* w : windows)
            for (const Box& box : BoxesOf(w))
                if (box.picture) {
                    EXPECT_EQ(ShowsOn(box), box.standard->isChecked()) << box.name();
                }
    }
    static std::map<QString, bool> States(const std::vector<QWidget*>& windows) {
        std::map<QString, bool> states;
        for (QWidget* w : windows)
            for (const Box& box : BoxesOf(w)) states[box.name()] = box.standard->isChecked();
        return states;
    }
};

TEST_F(SkinChangeTest, EveryBoxShowsTheStateTheProgramUsesAcrossASkinChange) {
    const std::vector<QWidget*> windows = OpenEveryWindow();
    for (QWidget* w : windows) ASSERT_TRUE(w);
    window->mcheckIncSubfolders.SetValue(1);
    ExpectFacesShowTheirState(windows);

    int skinned = 0;
    for (const QString& scheme : {QStringLiteral("Slate"), QStringLiteral("Fun Blue")}) {
        SCOPED_TRACE(scheme.toStdString());
        const std::map<QString, bool> before = States(windows);
        ChangeScheme(scheme);
        EXPECT_EQ(States(windows), before);
        ExpectFacesShowTheirState(windows);
        // A click turns over what the picture shows, once: every box the
        // other way round for the next scheme.
        for (QWidget* w : windows) {
            for (const Box& box : BoxesOf(w)) {
                if (!box.picture || !box.picture->isVisible() || !box.picture->isEnabled()) continue;
                ++skinned;
                const bool shown = ShowsOn(box);
                QTest::mouseClick(box.picture, Qt::LeftButton);
                if (qobject_cast<QCheckBox*>(box.standard)) {
                    EXPECT_NE(box.standard->isChecked(), shown) << box.name();
                }
                EXPECT_EQ(ShowsOn(box), box.standard->isChecked()) << box.name();
            }
        }
    }
    EXPECT_GE(skinned, 2 * 11);  // the scanning centre's, the coordinator's, the cataloguer's, the playlists'
    // The subfolder box was ticked and clicked twice: ticked, and scans go
    // into subfolders.
    EXPECT_EQ(window->mcheckIncSubfolders.Value(), 1);
    EXPECT_TRUE(window->CheckIncSubfolders->isChecked());
}

TEST_F(SkinChangeTest, TheLauncherBarsStayOnTopBoxShowsItsStateAcrossASkinChange) {
    OpenEveryWindow();
    FormIntegrator* bar = FormIntegrator::Instance();
    ASSERT_TRUE(bar);
    for (const int16_t onTop : {1, 0}) {
        if (bar->mintCheckStayOnTop != onTop) bar->CheckStayOnTop_Click();
        ChangeScheme(onTop ? QStringLiteral("Slate") : QStringLiteral("Fun Blue"));
        EXPECT_EQ(bar->mintCheckStayOnTop, onTop);
        EXPECT_EQ(bar->CheckStayOnTop->Picture().toImage(), (onTop ? bar->ImageCheckON : bar->ImageCheckOFF).toImage());
    }
}

// Counts the times a window of one name is shown.
class ShowWatch final : public QObject {
public:
    explicit ShowWatch(const QString& name) : m_name(name) { qApp->installEventFilter(this); }
    ~ShowWatch() override { qApp->removeEventFilter(this); }
    int shows = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->objectName() == m_name && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow())
            ++shows;
        return false;
    }

private:
    QString m_name;
};

TEST_F(SkinChangeTest, TheOverrideToolLoadedHiddenStaysHiddenWhenTheCoordinatorOpensAndAcrossASkinChange) {
    for (const bool skins : {true, false}) {
        SCOPED_TRACE(skins ? "skinned" : "plain");
        Options().Preferences.blnUseSkins = skins;
        CloseToolWindows();
        ShowWatch watch(WindowNames::MassTagging);
        // As the start reopens it (and as the launcher bar or the Tools menu opens it).
        Show(WindowNames::Coordinator);
        auto* tool = dynamic_cast<QWidget*>(WindowRegistry::Find(WindowNames::MassTagging));
        ASSERT_TRUE(tool);
        EXPECT_FALSE(tool->isVisible());
        ChangeScheme(QStringLiteral("Slate"));
        ChangeScheme(QStringLiteral("Fun Blue"));
        EXPECT_FALSE(tool->isVisible());
        EXPECT_EQ(watch.shows, 0);

        // Shown by the user, it stays shown; hidden again, it stays hidden.
        WindowRegistry::Show(WindowNames::MassTagging);
        ChangeScheme(QStringLiteral("Slate"));
        EXPECT_TRUE(tool->isVisible());
        tool->hide();
        ChangeScheme(QStringLiteral("Fun Blue"));
        EXPECT_FALSE(tool->isVisible());
    }
}

}  // namespace
