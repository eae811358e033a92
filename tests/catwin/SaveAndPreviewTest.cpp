// Save and Preview of the cataloguer window: the page files on disk against
// the catalogue tests' golden pages, the names and extensions, the refusals,
// the background picture, a read-only page, Stop, and the preview files.

#include "catwin/CatWinSupport.h"

#include "CatalogueFixtures.h"
#include "foundation/MessageUi.h"
#include "foundation/OptionRecords.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTimer>

namespace {

class SaveAndPreviewTest : public CataloguerWindowTest {
protected:
    QString Folder(const char* name) {
        const QString folder = work.filePath(QString::fromLatin1(name));
        QDir().mkpath(folder);
        return folder;
    }
};

TEST_F(SaveAndPreviewTest, SaveWritesEveryPageAsItsGoldenFile) {
    AddRows();
    FormMusicCataloguer& w = OpenCataloguer();
    Build(QStringLiteral("3"));
    ui.shown.clear();
    const QString out = Folder("html");
    Save(out);

    EXPECT_EQ(FilesIn(out), (QStringList{"My Music Collection 001.html", "My Music Collection 002.html",
                                         "My Music Collection 003.html"}));
    EXPECT_EQ(Bytes(out + "/My Music Collection 001.html"), Golden("html-first-run-1.html"));
    EXPECT_EQ(Bytes(out + "/My Music Collection 003.html"), Golden("html-first-run-3.html"));
    EXPECT_TRUE(StatusIs("3 files successfully saved."));
    ASSERT_EQ(ui.shown.size(), 1u) << Shown();
    EXPECT_EQ(ui.shown[0].title, w.windowTitle());
    // Tab 1 again afterwards.
    EXPECT_EQ(w.ShownPage(), 1);
    EXPECT_EQ(w.PageText().toUtf8(), Golden("html-first-run-1.html"));
    EXPECT_FALSE(w.mblnProcessRunning);

    // A text build: the text golden pages under ".txt".
    w.OptionOutput_Click(1);
    Build(QStringLiteral("3"));
    const QString text = Folder("text");
    Save(text);
    EXPECT_EQ(FilesIn(text), (QStringList{"My Music Collection 001.txt", "My Music Collection 002.txt",
                                          "My Music Collection 003.txt"}));
    EXPECT_EQ(Bytes(text + "/My Music Collection 001.txt"), Golden("text-first-run-1.txt"));
    EXPECT_EQ(Bytes(text + "/My Music Collection 003.txt"), Golden("text-first-run-3.txt"));
}

TEST_F(SaveAndPreviewTest, TheExtensionFollowsTheBuiltOutputNotTheOptionOfTheMoment) {
    AddRows();
    Options().CataloguerHTML.strOutputExtension = QStringLiteral("htm");
    FormMusicCataloguer& w = OpenCataloguer();
    Build(QStringLiteral("100"));
    // Switched to text after an HTML build: still HTML pages, as ".htm".
    w.OptionOutput_Click(1);
    const QString html = Folder("html");
    Save(html);
    EXPECT_EQ(FilesIn(html), QStringList{"My Music Collection 001.htm"});
    EXPECT_TRUE(Bytes(html + "/My Music Collection 001.htm").startsWith("<html>"));
    w.BtnPreview_Click();
    ASSERT_EQ(desktop.opened.size(), 1);
    EXPECT_TRUE(desktop.opened[0].endsWith(".html")) << desktop.opened[0];

    // A text build with HTML chosen afterwards: ".txt", previewed as text.
    Build(QStringLiteral("100"));
    w.OptionOutput_Click(0);
    const QString text = Folder("text");
    Save(text);
    EXPECT_EQ(FilesIn(text), QStringList{"My Music Collection 001.txt"});
    w.BtnPreview_Click();
    ASSERT_EQ(desktop.opened.size(), 2);
    EXPECT_TRUE(desktop.opened[1].endsWith(".txt")) << desktop.opened[1];
    EXPECT_EQ(Bytes(desktop.opened[1]), Bytes(text + "/My Music Collection 001.txt"));
}

TEST_F(SaveAndPreviewTest, PreviewOpensThePageShownAndTheFilesGoWhenTheWindowUnloads) {
    AddRows();
    FormMusicCataloguer& w = OpenCataloguer();
    Build(QStringLiteral("3"));
    w.TabStripViewer->setCurrentIndex(1);
    w.BtnPreview_Click();
    w.BtnPreview_Click();
    ASSERT_EQ(desktop.opened.size(), 2);
    EXPECT_NE(desktop.opened[0], desktop.opened[1]);
    EXPECT_EQ(QFileInfo(desktop.opened[0]).absolutePath(), QFileInfo(QDir::tempPath()).absoluteFilePath());
    EXPECT_EQ(Bytes(desktop.opened[0]), w.PageText().toUtf8());
    EXPECT_EQ(w.PreviewFiles(), desktop.opened);

    const QStringList previews = desktop.opened;
    CloseCataloguer();
    for (const QString& path : previews) EXPECT_FALSE(QFile::exists(path)) << path;
}

TEST_F(SaveAndPreviewTest, SaveRefusesQuietlyOrWithItsMessages) {
    AddRows();
    FormMusicCataloguer& w = OpenCataloguer();
    const QString out = Folder("out");

    // Nothing built: asked for no folder.
    Save(out);
    EXPECT_TRUE(WasShown("No Output Produced")) << Shown();
    EXPECT_EQ(browses, 0);

    Build(QStringLiteral("100"));
    // An empty name, the input box cancelled: nothing, no message.
    w.TextOutputFileName->clear();
    ui.shown.clear();
    askedName.clear();
    Save(out);
    EXPECT_EQ(asks, 1);
    EXPECT_EQ(browses, 0);
    EXPECT_TRUE(ui.shown.empty()) << Shown();
    EXPECT_TRUE(FilesIn(out).isEmpty());

    // The name from the input box is taken; the folder browser cancelled.
    askedName = QStringLiteral("Rock: Best?");
    Save(QString());
    EXPECT_EQ(w.TextOutputFileName->text(), "Rock Best");
    EXPECT_EQ(browses, 1);
    EXPECT_TRUE(ui.shown.empty()) << Shown();
    EXPECT_FALSE(w.mblnProcessRunning);

    // A name too long is cut to leave room for the number and extension.
    w.TextOutputFileName->setText(QString(252, QLatin1Char('n')));
    Save(out);
    EXPECT_EQ(w.TextOutputFileName->text().size(), 248);
}

TEST_F(SaveAndPreviewTest, ALocalBackgroundPictureIsCopiedIntoImagesAndThePagesPointThere) {
    AddRows();
    const QString pictures = Folder("pictures");
    QFile picture(pictures + "/paper bg.png");
    ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
    picture.write("not really a png");
    picture.close();
    Options().CataloguerHTML.strBackgroundImage = picture.fileName();
    FormMusicCataloguer& w = OpenCataloguer();
    Build(QStringLiteral("3"));
    // The viewer's page names the picture where it is.
    EXPECT_TRUE(w.PageText().contains("background=\"" + picture.fileName() + "\""));

    const QString out = Folder("site");
    Save(out);
    EXPECT_EQ(FilesIn(out), (QStringList{"Images", "My Music Collection 001.html", "My Music Collection 002.html",
                                         "My Music Collection 003.html"}));
    EXPECT_EQ(Bytes(out + "/Images/paper bg.png"), "not really a png");
    for (const char* page : {"001", "003"}) {
        const QByteArray saved = Bytes(out + "/My Music Collection " + page + ".html");
        EXPECT_TRUE(saved.contains("<body background=\"Images/paper%20bg.png\"")) << page;
        EXPECT_FALSE(saved.contains(picture.fileName().toUtf8())) << page;
    }
    EXPECT_TRUE(StatusIs("3 files successfully saved."));

    // A missing picture: no page is written, the summary reports the failure.
    Options().CataloguerHTML.strBackgroundImage = pictures + "/gone.png";
    w.TabStripViewer->setCurrentIndex(1);
    const QString other = Folder("other");
    ui.shown.clear();
    Save(other);
    EXPECT_TRUE(FilesIn(other).isEmpty() || FilesIn(other) == QStringList{"Images"}) << FilesIn(other).join(",");
    EXPECT_TRUE(StatusIs("One or more errors occurred whilst saving"));
}

TEST_F(SaveAndPreviewTest, AReadOnlyPageIsRefusedNamedAndNeverReportedAsSaved) {
    AddRows();
    FormMusicCataloguer& w = OpenCataloguer();
    Build(QStringLiteral("3"));
    const QString out = Folder("out");
    const QString locked = out + "/My Music Collection 002.html";
    {
        QFile file(locked);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old page");
    }
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::ReadUser);
    ui.shown.clear();
    Save(out);

    EXPECT_EQ(Bytes(locked), "old page");
    EXPECT_EQ(Bytes(out + "/My Music Collection 001.html"), Golden("html-first-run-1.html"));
    EXPECT_EQ(Bytes(out + "/My Music Collection 003.html"), Golden("html-first-run-3.html"));
    ASSERT_EQ(ui.shown.size(), 2u) << Shown();
    EXPECT_EQ(ui.shown[0].title, "Path/File Access Error");
    EXPECT_EQ(ui.shown[0].prompt, "My Music Collection 002.html\r\n\r\nCannot save file. Path/File access error. A "
                                  "file of this name already exists and may be read-only.");
    EXPECT_TRUE(StatusIs("One or more errors occurred whilst saving"));
    EXPECT_EQ(ui.shown[1].title, w.windowTitle());
    EXPECT_TRUE(ui.shown[1].prompt.startsWith("One or more errors occurred whilst saving. The last error was:\r\n\r\n0 - "))
        << ui.shown[1].prompt;
    EXPECT_TRUE(ui.shown[1].prompt.contains("One or more files may not have been successfully created."));
    EXPECT_TRUE(ui.shown[1].prompt.endsWith("These files were not saved:\r\nMy Music Collection 002.html"))
        << ui.shown[1].prompt;
    EXPECT_FALSE(ui.shown[1].prompt.contains("successfully saved"));
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner);

    // An existing writable page is replaced whole.
    ui.shown.clear();
    Save(out);
    EXPECT_EQ(Bytes(locked), Bytes(out + "/My Music Collection 002.html"));
    EXPECT_NE(Bytes(locked), "old page");
    EXPECT_TRUE(StatusIs("3 files successfully saved."));
}

TEST_F(SaveAndPreviewTest, StopDuringASaveReportsThePagesHandled) {
    AddNumberedRows(10);
    Options().Preferences.blnDisplayMessageBox = false;
    FormMusicCataloguer& w = OpenCataloguer();
    Build(QStringLiteral("1"));
    ASSERT_EQ(w.TabStripViewer->count(), 10);
    const QString out = Folder("out");
    // Stop is seen before page 5 (the save yields before each page).
    QTimer stopper;
    QObject::connect(&stopper, &QTimer::timeout, &w, [&] {
        if (FilesIn(out).size() == 4) w.BtnStop_Click();
    });
    stopper.start(0);
    Save(out);
    stopper.stop();
    EXPECT_EQ(FilesIn(out).size(), 4) << FilesIn(out).join(",");
    EXPECT_TRUE(StatusIs("4 files successfully saved."));
    EXPECT_EQ(w.ShownPage(), 1);
}

}  // namespace
