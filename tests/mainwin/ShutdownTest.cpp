// Closing the main window: the exit question (asked once, and only for the
// platform's close and the skinned close button), the refusal while a job
// runs, the window states for the next start, and the other windows going
// with it.

#include "mainwin/MainWinSupport.h"

#include "foundation/MessageUi.h"
#include "foundation/OptionRecords.h"
#include "foundation/ResourceStrings.h"
#include "foundation/SettingsStore.h"
#include "foundation/WindowProtocol.h"

#include <QPointer>
#include <QWidget>

namespace {

// Another tool window: registered by name, with a job flag, hidden or shown.
class OtherWindow : public QWidget, public IToolWindow, public ILongJobHost {
public:
    OtherWindow(QString name, QString caption) : m_name(std::move(name)), m_caption(std::move(caption)) {
        setAttribute(Qt::WA_DeleteOnClose);
        WindowRegistry::Register(this);
    }
    ~OtherWindow() override { WindowRegistry::Unregister(this); }
    QString Name() const override { return m_name; }
    QString Caption() const override { return m_caption; }
    void ShowWindow() override { show(); }
    void UnloadWindow() override {
        ++*unloads;
        close();
    }
    // A window this one takes with it when it unloads (the coordinator and
    // its override tool).
    QPointer<OtherWindow> companion;
    void EnableControls(bool) override {}
    void SetProgBarValue(double) override {}
    void SetProgBarMax(double) override {}
    void SetStatusBarCaption(const QString&) override {}
    void SetBusyPointer(bool) override {}

    std::shared_ptr<int> unloads = std::make_shared<int>(0);

protected:
    void closeEvent(QCloseEvent* event) override {
        if (companion) companion->UnloadWindow();
        WindowRegistry::Unregister(this);
        QWidget::closeEvent(event);
    }

private:
    QString m_name, m_caption;
};

class ShutdownTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        OpenWindow();
    }
    bool Loaded() const { return window && WindowRegistry::Find(WindowNames::ScanningCentre) != nullptr; }
    static QString State(const QString& name) {
        return GetOptionSetting("WindowStates", name, "(none)", 8).toString();
    }
    const QString exitQuestion =
        QStringLiteral("Closing VE3 Zuvarozu Riride will exit the program. Are you sure you wish to do this?");
};

TEST_F(ShutdownTest, ThePlatformsCloseAsksAndNoKeepsTheWindow) {
    ui.answers.push_back(Mb::No);
    window->CloseFromWindowMenu();
    Settle();
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].prompt, exitQuestion);
    EXPECT_EQ(ui.shown[0].title, "Exit Program");
    EXPECT_EQ(ui.shown[0].style, Mb::YesNo);
    EXPECT_TRUE(Loaded());

    ui.answers.push_back(Mb::Yes);
    window->CloseFromWindowMenu();
    Settle();
    EXPECT_EQ(ui.shown.size(), 2u);
    EXPECT_FALSE(Loaded());
    // The window's settings were saved on the way out.
    EXPECT_NE(GetOptionSetting("MP3ScanningCentre", "IncludeSubfolders", "(none)", 8).toString(), "(none)");
}

TEST_F(ShutdownTest, TheExitQuestionInBothLanguages) {
    const std::pair<StringTableLanguage, QString> questions[] = {
        {StringTableLanguage::US, exitQuestion},
        {StringTableLanguage::UK,
         QStringLiteral("Closing ZA3 Redozozo Reveva will exit the program. Are you sure you wish to do this?")},
    };
    for (const auto& [language, question] : questions) {
        SetStringTableLanguage(language);
        ui.shown.clear();
        ui.answers.push_back(Mb::No);
        window->CloseFromWindowMenu();
        ASSERT_EQ(ui.shown.size(), 1u);
        EXPECT_EQ(ui.shown[0].prompt, question);
        EXPECT_EQ(ui.shown[0].title, "Exit Program");
    }
}

TEST_F(ShutdownTest, FileExitClosesWithoutAsking) {
    window->mnuFileExit_Click();
    Settle();
    EXPECT_FALSE(Loaded());
    EXPECT_TRUE(ui.shown.empty()) << Shown();
}

TEST_F(ShutdownTest, TheSkinnedCloseButtonAsksOnlyOnce) {
    ui.answers.push_back(Mb::No);
    window->ImageSystemMenuClose_Click();
    EXPECT_TRUE(Loaded());
    ui.answers.push_back(Mb::Yes);
    window->ImageSystemMenuClose_Click();
    Settle();
    EXPECT_FALSE(Loaded());
    ASSERT_EQ(ui.shown.size(), 2u) << Shown();
    EXPECT_EQ(ui.shown[1].prompt, exitQuestion);
    EXPECT_EQ(ui.shown[1].style, Mb::YesNo | Mb::Exclamation);
}

TEST_F(ShutdownTest, ARunningJobAnywhereRefusesTheClose) {
    auto* finder = new OtherWindow(WindowNames::DuplicateFinder, "Duplicate Finder");
    finder->mblnProcessRunning = true;
    for (auto close : {+[](FormMP3ScanningCentre& w) { w.CloseFromWindowMenu(); },
                       +[](FormMP3ScanningCentre& w) { w.mnuFileExit_Click(); }}) {
        ui.shown.clear();
        close(*window);
        Settle();
        EXPECT_TRUE(Loaded());
        ASSERT_EQ(ui.shown.size(), 1u) << Shown();  // no exit question
        EXPECT_EQ(ui.shown[0].title, "Process Running");
        EXPECT_EQ(ui.shown[0].prompt, "There is currently a process running in Duplicate Finder. Please stop the "
                                      "process before closing the window.");
    }
    // After Stop the same close asks the exit question.
    finder->mblnProcessRunning = false;
    ui.shown.clear();
    ui.answers.push_back(Mb::Yes);
    window->CloseFromWindowMenu();
    Settle();
    EXPECT_FALSE(Loaded());
    EXPECT_EQ(ui.shown.size(), 1u);
}

TEST_F(ShutdownTest, OtherWindowsAreUnloadedAndTheirStatesKept) {
    Options().Preferences.blnRetainWindows = true;
    auto* coordinator = new OtherWindow(WindowNames::Coordinator, "File Name and Tag Coordinator");
    coordinator->show();
    const auto coordinatorUnloads = coordinator->unloads;
    // The coordinator keeps the override tool loaded but hidden.
    auto* overrides = new OtherWindow(WindowNames::MassTagging, "Mass Tagging Override Tool");
    const auto overrideUnloads = overrides->unloads;
    window->mnuFileExit_Click();
    Settle();
    EXPECT_EQ(*coordinatorUnloads, 1);
    EXPECT_EQ(*overrideUnloads, 1);
    EXPECT_EQ(State(WindowNames::Coordinator), "True");
    EXPECT_EQ(State(WindowNames::MassTagging), "False");
    EXPECT_EQ(State(WindowNames::PlaylistManager), "False");
    EXPECT_EQ(State(WindowNames::CDRipper), "False");
    EXPECT_TRUE(WindowRegistry::Loaded().empty());

    // A visible override tool counts as open; without RetainWindows nothing is written.
    OpenWindow();
    (new OtherWindow(WindowNames::MassTagging, "Mass Tagging Override Tool"))->show();
    window->mnuFileExit_Click();
    Settle();
    EXPECT_EQ(State(WindowNames::MassTagging), "True");
    Options().Preferences.blnRetainWindows = false;
    OpenWindow();
    window->mnuFileExit_Click();
    Settle();
    EXPECT_EQ(State(WindowNames::MassTagging), "True");
}

TEST_F(ShutdownTest, AWindowThatAnotherTookAlongIsNotUnloadedTwice) {
    auto* coordinator = new OtherWindow(WindowNames::Coordinator, "File Name and Tag Coordinator");
    auto* overrides = new OtherWindow(WindowNames::MassTagging, "Mass Tagging Override Tool");
    coordinator->companion = overrides;
    const auto overrideUnloads = overrides->unloads;
    window->mnuFileExit_Click();
    Settle();
    EXPECT_EQ(*overrideUnloads, 1);
    EXPECT_TRUE(WindowRegistry::Loaded().empty());
}

}  // namespace

namespace {

TEST_F(ShutdownTest, AClickOnTheCloseButtonPictureAsksFirst) {
    Options().Preferences.blnUseSkins = true;
    OpenWindow();
    ASSERT_NE(window->ImageSystemMenu[2], nullptr);
    ui.answers.push_back(Mb::No);
    emit window->ImageSystemMenu[2]->Click();
    Settle();
    EXPECT_TRUE(Loaded());
    ASSERT_EQ(ui.shown.size(), 1u) << Shown();
    EXPECT_EQ(ui.shown[0].title, "Exit Program");
}

}  // namespace
