// The About window's texts and its System Info button.

#include "foundation/AppPaths.h"
#include "foundation/DesktopServices.h"
#include "foundation/ResourceStrings.h"
#include "shell/menus/ExternalPrograms.h"
#include "shell/ui/About.h"
#include "support/ScriptedUi.h"

#include <QApplication>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class FakePrograms final : public IExternalPrograms {
public:
    FakePrograms() { m_previous = SetExternalPrograms(this); }
    ~FakePrograms() override { SetExternalPrograms(m_previous); }
    QString DefaultApplicationFor(const QString&) override { return {}; }
    bool StartDetached(const QString& program, const QStringList&) override {
        started << program;
        return startWorks;
    }
    QString FindExecutable(const QString& name) override { return found.value(name); }
    QHash<QString, QString> found;
    QStringList started;
    bool startWorks = true;

private:
    IExternalPrograms* m_previous = nullptr;
};

}  // namespace

TEST(About, ShowsTitleVersionNoticeAndCredits) {
    ScriptedUi ui;
    FormAbout about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Sonivard"));
    EXPECT_EQ(about.LabelTitle->text(), QStringLiteral("Sonivard"));
    EXPECT_EQ(about.LabelVersion->text(), QStringLiteral("Version ") + QStringLiteral(SV_VERSION));
    EXPECT_TRUE(about.LabelCopyright->text().contains(QStringLiteral("Brellick")));
    EXPECT_EQ(about.LabelThanks->text(),
              QStringLiteral("Thanks go out to the following people for their fantastic help and support:"));
    const QStringList lines = about.LabelThanksList->text().split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 10);
    EXPECT_EQ(lines[0], GetResourceString(TextId::About::ThanksTesters));
    EXPECT_EQ(lines[7], GetResourceString(TextId::About::ThanksProblemReports));
    EXPECT_EQ(lines[8], GetResourceString(TextId::About::ThanksFamilies));
    EXPECT_EQ(lines[9], QStringLiteral("And thanks to all the other people who have contributed"));
    EXPECT_EQ(about.BtnSystemInfo->text(), QStringLiteral("&System Info..."));
    EXPECT_EQ(about.BtnOK->text(), QStringLiteral("&OK"));
    EXPECT_TRUE(ui.shown.empty());
}

// Linux has no one system-information program: the box names the programs
// looked for, or the one found that would not start.
TEST(About, SystemInfoStartsTheFirstProgramFoundOrSaysWhatItLookedFor) {
    struct Case {
        const char* name;
        QHash<QString, QString> found;
        bool startWorks;
        QStringList started;
        QString message;  // empty: no box
    };
    const std::vector<Case> cases = {
        {"none found",
         {},
         true,
         {},
         "No system information program was found. System Info starts the first of these that is installed: "
         "hardinfo2, hardinfo, kinfocenter, gnome-system-monitor."},
        {"found but does not start",
         {{"kinfocenter", "/usr/bin/kinfocenter"}},
         false,
         {"/usr/bin/kinfocenter"},
         "The system information program could not be started: /usr/bin/kinfocenter"},
        {"the first in order wins",
         {{"kinfocenter", "/usr/bin/kinfocenter"}, {"hardinfo", "/usr/bin/hardinfo"}},
         true,
         {"/usr/bin/hardinfo"},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedUi ui;
        FakePrograms programs;
        programs.found = c.found;
        programs.startWorks = c.startWorks;
        FormAbout about;
        about.BtnSystemInfo->click();
        EXPECT_EQ(programs.started, c.started);
        ASSERT_EQ(ui.shown.size(), c.message.isEmpty() ? 0u : 1u);
        if (!c.message.isEmpty()) {
            EXPECT_EQ(ui.shown[0].prompt, c.message);
            EXPECT_EQ(ui.shown[0].style, Mb::OKOnly);
            EXPECT_EQ(ui.shown[0].title, QStringLiteral("Sonivard"));
        }
    }
}

namespace {
class RecordingDesktop final : public IDesktopServices {
public:
    RecordingDesktop() { m_previous = SetDesktopServices(this); }
    ~RecordingDesktop() override { SetDesktopServices(m_previous); }
    bool openUrl(const QUrl& url) override {
        opened << url.toLocalFile();
        return true;
    }
    bool isOnline() override { return false; }
    QStringList opened;

private:
    IDesktopServices* m_previous = nullptr;
};
}  // namespace

TEST(About, F1OpensTheHelpStartPageAndOtherKeysNothing) {
    ScriptedUi ui;
    RecordingDesktop desktop;
    QTemporaryDir app;
    SetAppPathForTesting(app.path());
    FormAbout about;
    for (const int key : {Qt::Key_A, Qt::Key_F2, Qt::Key_F1}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&about, &press);
    }
    EXPECT_EQ(desktop.opened, QStringList{app.path() + QStringLiteral("/WebHelp/Sonivard.htm")});
    SetAppPathForTesting(QString());
}
