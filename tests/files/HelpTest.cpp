// F1 help: which page opens from where, the fallback to the local pages, the
// failure box, and the pages themselves.

#include "FilesTestSupport.h"
#include "foundation/AppPaths.h"
#include "foundation/DesktopServices.h"
#include "foundation/Help.h"
#include "foundation/OptionRecords.h"
#include "support/ScopedOptions.h"
#include "support/ScriptedUi.h"

#include <QDirIterator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace filetest;

namespace {

// Records what would be opened; local pages open when they exist, web pages
// as the test says.
class RecordingDesktop final : public IDesktopServices {
public:
    RecordingDesktop() { m_previous = SetDesktopServices(this); }
    ~RecordingDesktop() override { SetDesktopServices(m_previous); }
    bool openUrl(const QUrl& url) override {
        opened << url;
        if (url.isLocalFile()) return QFileInfo::exists(url.toLocalFile());
        return browserWorks;
    }
    bool isOnline() override { return online; }

    QList<QUrl> opened;
    bool online = true;
    bool browserWorks = true;

private:
    IDesktopServices* m_previous = nullptr;
};

class Help : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(program.isValid());
        SetAppPathForTesting(program.path());
        WriteBytes(program.filePath("WebHelp/MP3_Scanning_Centre/MP3_Scanning_Centre.htm"), "<html></html>");
    }
    void TearDown() override {
        SetAppPathForTesting(QString());
    }
    QUrl localPage() const {
        return QUrl::fromLocalFile(program.path() + "/WebHelp/MP3_Scanning_Centre/MP3_Scanning_Centre.htm");
    }
    const QUrl webPage{"https://www.brellick.example/WebHelp/MP3_Scanning_Centre/MP3_Scanning_Centre.htm"};

    QTemporaryDir program;
    RecordingDesktop desktop;
    ScriptedUi ui;
    ScopedOptions options;
};

}  // namespace

TEST_F(Help, OnlyF1WithAKnownTopicDoesAnything) {
    Options().Preferences.blnWebHelp = false;
    DisplayHelpTopic(1, 113);  // F2
    DisplayHelpTopic(1, 13);   // Enter
    DisplayHelpTopic(21, HelpKeyF1);
    DisplayHelpTopic(-1, HelpKeyF1);
    EXPECT_TRUE(desktop.opened.isEmpty());
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(Help, WebOrLocalPageByPreferenceAndConnection) {
    struct Case {
        const char* what;
        bool webHelp, online;
        bool web;  // the web page is asked for (else only the local one)
    };
    for (const Case& c : {Case{"WebHelp off, online", false, true, false}, Case{"WebHelp off, offline", false, false, false},
                          Case{"WebHelp on, online", true, true, true}, Case{"WebHelp on, offline", true, false, false}}) {
        Options().Preferences.blnWebHelp = c.webHelp;
        desktop.online = c.online;
        desktop.opened.clear();
        DisplayHelpTopic(1, HelpKeyF1);
        EXPECT_EQ(desktop.opened, QList<QUrl>{c.web ? webPage : localPage()}) << c.what;
        EXPECT_EQ(Options().Preferences.blnWebHelp, c.webHelp) << c.what;
        EXPECT_TRUE(ui.shown.empty()) << c.what;
    }
}

TEST_F(Help, FailedBrowserFallsBackAndLaterPressesStayLocal) {
    Options().Preferences.blnWebHelp = true;
    desktop.browserWorks = false;
    SetAppPathForTesting(program.filePath("elsewhere"));  // no local pages either
    DisplayHelpTopic(1, HelpKeyF1);
    EXPECT_EQ(desktop.opened.size(), 2);
    EXPECT_EQ(desktop.opened.value(0), webPage);
    EXPECT_TRUE(desktop.opened.value(1).isLocalFile());
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].title, "Online Help Unavailable");
    EXPECT_TRUE(ui.shown[0].prompt.startsWith("The online Help system was unable to be loaded."));
    EXPECT_EQ(ui.shown[0].style, Mb::OKOnly | Mb::Exclamation);
    EXPECT_FALSE(Options().Preferences.blnWebHelp);

    SetAppPathForTesting(program.path());
    desktop.opened.clear();
    ui.shown.clear();
    DisplayHelpTopic(1, HelpKeyF1);
    EXPECT_EQ(desktop.opened, QList<QUrl>{localPage()}) << "no second web attempt in the same run";
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(Help, MissingLocalPageShowsTheBox) {
    Options().Preferences.blnWebHelp = false;
    DisplayHelpTopic(0, HelpKeyF1);  // only topic 1 exists in this program folder
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].title, "Online Help Unavailable");
}

TEST(HelpPages, EveryTopicHasItsPageAndEveryLinkResolves) {
    const QString source = QDir::cleanPath(QStringLiteral(SV_TEST_DATA_DIR "/../../resources/WebHelp"));
    const QString installed = QStringLiteral(SV_BIN_DIR "/WebHelp");
    for (int topic = 0; topic < HelpTopicCount; ++topic) {
        const QString page = HelpTopicPage(topic);
        ASSERT_FALSE(page.isEmpty());
        EXPECT_FALSE(page.contains('\\'));
        EXPECT_TRUE(QFileInfo::exists(source + '/' + page)) << qPrintable(page);
        EXPECT_TRUE(QFileInfo::exists(installed + '/' + page)) << "copied beside the program: " << qPrintable(page);
        EXPECT_EQ(WebHelpUrl(topic).toString(), "https://www.brellick.example/WebHelp/" + page);
    }
    EXPECT_EQ(HelpTopicPage(21), QString());
    EXPECT_EQ(HelpTopicPage(10), "Customising_Options/Music_Cataloguer_(HTML)_Options.htm");

    const QRegularExpression link(QStringLiteral("(?:href|src)=\"([^\"#:]+)\""));
    QDirIterator it(source, {"*.htm"}, QDir::Files, QDirIterator::Subdirectories);
    int pages = 0;
    while (it.hasNext()) {
        const QString file = it.next();
        ++pages;
        const QString text = QString::fromUtf8(ReadBytes(file));
        for (auto m = link.globalMatch(text); m.hasNext();) {
            const QString target = QFileInfo(file).absolutePath() + '/' + m.next().captured(1);
            EXPECT_TRUE(QFileInfo::exists(target)) << qPrintable(file) << " links to " << qPrintable(target);
        }
    }
    EXPECT_EQ(pages, HelpTopicCount) << "one page per topic, no strays";
}

TEST(DesktopServicesTest, MissingLocalFileIsAFailedOpen) {
    // The real implementation: nothing is launched for a missing file.
    EXPECT_FALSE(DesktopServices().openUrl(QUrl::fromLocalFile("/no/such/page.htm")));
    EXPECT_EQ(UrlFromText("https://www.brellick.example/"), QUrl("https://www.brellick.example/"));
    EXPECT_EQ(UrlFromText("/tmp/a b.htm"), QUrl::fromLocalFile("/tmp/a b.htm"));
    EXPECT_EQ(UrlFromText("relative/page.htm"), QUrl::fromLocalFile("relative/page.htm"));
}
