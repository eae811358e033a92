// File associations as per-user desktop files: written into temporary XDG
// folders, found again, and removed without touching anything else.

#include "OptionsFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QXmlStreamReader>

#include <string>

namespace {

QString ReadText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QString();
    return QString::fromUtf8(file.readAll());
}

void WriteText(const QString& path, const QString& text) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text.toUtf8());
}

bool WellFormedXml(const QString& text) {
    QXmlStreamReader xml(text);
    while (!xml.atEnd()) xml.readNext();
    return !xml.hasError();
}

const AssociatedType kAllTypes[] = {AssociatedType::ScanResults, AssociatedType::SimulateResults,
                                    AssociatedType::M3UPlaylist, AssociatedType::PLSPlaylist};

class FileAssociationsTest : public OptionsTest {};

TEST_F(FileAssociationsTest, RegistrationWritesPackageDesktopEntryAndDefault) {
    struct Case {
        AssociatedType type;
        const char* mime;
        const char* glob;
        const char* description;
        bool subclassOfText;
        const char* desktopId;
    };
    const Case cases[] = {
        {AssociatedType::ScanResults, "application/x-sonivard-scan-results", "*.scn", "Scan Results File", true,
         "sonivard-scnfile.desktop"},
        {AssociatedType::SimulateResults, "application/x-sonivard-simulate-results", "*.sim",
         "Simulate Results File", true, "sonivard-simfile.desktop"},
        {AssociatedType::M3UPlaylist, "audio/x-mpegurl", "*.m3u", "M3U Playlist File", false,
         "sonivard-m3ufile.desktop"},
        {AssociatedType::PLSPlaylist, "audio/x-scpls", "*.pls", "PLS Playlist File", false,
         "sonivard-plsfile.desktop"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.glob);
        EXPECT_FALSE(IsFileTypeAssociated(c.type));
        RegisterFileType(c.type);

        const QString package = ReadText(AssociationMimePackage(c.type));
        EXPECT_TRUE(WellFormedXml(package)) << package.toStdString();
        EXPECT_TRUE(package.contains(QStringLiteral("<mime-type type=\"%1\">").arg(c.mime)));
        EXPECT_TRUE(package.contains(QStringLiteral("<comment>%1</comment>").arg(c.description)));
        EXPECT_TRUE(package.contains(QStringLiteral("<glob pattern=\"%1\"/>").arg(c.glob)));
        EXPECT_EQ(package.contains("<sub-class-of type=\"text/plain\"/>"), c.subclassOfText);

        const QString desktop = ReadText(AssociationDesktopFile(c.type));
        EXPECT_TRUE(desktop.startsWith("[Desktop Entry]\n"));
        EXPECT_TRUE(desktop.contains("\nExec=\"/opt/Sonivard/sonivard\" %f\n")) << desktop.toStdString();
        EXPECT_TRUE(desktop.contains(QStringLiteral("\nMimeType=%1;\n").arg(c.mime)));
        EXPECT_EQ(QFileInfo(AssociationDesktopFile(c.type)).fileName(), c.desktopId);

        const QString defaults = ReadText(MimeAppsListPath());
        const QString line = QStringLiteral("\n%1=%2;\n").arg(c.mime, c.desktopId);
        const qsizetype defaultSection = defaults.indexOf("[Default Applications]");
        const qsizetype addedSection = defaults.indexOf("[Added Associations]");
        ASSERT_GE(defaultSection, 0);
        ASSERT_GE(addedSection, 0);
        const qsizetype first = defaults.indexOf(line), second = defaults.indexOf(line, first + 1);
        EXPECT_TRUE(first > defaultSection && first < addedSection) << defaults.toStdString();
        EXPECT_GT(second, addedSection);

        EXPECT_TRUE(IsFileTypeAssociated(c.type));
    }
    EXPECT_EQ(refreshes, 4);
}

TEST_F(FileAssociationsTest, OtherEntriesSurviveRegisteringAndRemoving) {
    const QString original =
        "# kept as it is\n"
        "[Default Applications]\n"
        "text/html=browser.desktop;\n"
        "application/x-sonivard-scan-results=editor.desktop;\n"
        "\n"
        "[Added Associations]\n"
        "audio/x-mpegurl=player.desktop;other.desktop;\n"
        "\n"
        "[Removed Associations]\n"
        "image/png=viewer.desktop;\n";
    WriteText(MimeAppsListPath(), original);
    const QString otherDesktop = home.file("data/applications/player.desktop");
    WriteText(otherDesktop, "[Desktop Entry]\nExec=player %U\n");
    const QString otherPackage = home.file("data/mime/packages/player.xml");
    WriteText(otherPackage, "<mime-info/>\n");

    RegisterFileType(AssociatedType::ScanResults);
    RegisterFileType(AssociatedType::M3UPlaylist);
    const QString registered = ReadText(MimeAppsListPath());
    EXPECT_TRUE(registered.contains(
        "\napplication/x-sonivard-scan-results=sonivard-scnfile.desktop;editor.desktop;\n"));
    EXPECT_TRUE(registered.contains("\naudio/x-mpegurl=sonivard-m3ufile.desktop;player.desktop;other.desktop;\n"));
    EXPECT_TRUE(registered.contains("\ntext/html=browser.desktop;\n"));
    EXPECT_TRUE(registered.contains("[Removed Associations]\nimage/png=viewer.desktop;\n"));
    // Registering again changes nothing.
    RegisterFileType(AssociatedType::ScanResults);
    EXPECT_EQ(ReadText(MimeAppsListPath()), registered);

    RemoveFileType(AssociatedType::ScanResults);
    RemoveFileType(AssociatedType::M3UPlaylist);
    EXPECT_EQ(ReadText(MimeAppsListPath()), original);
    EXPECT_FALSE(QFileInfo::exists(AssociationDesktopFile(AssociatedType::ScanResults)));
    EXPECT_FALSE(QFileInfo::exists(AssociationMimePackage(AssociatedType::M3UPlaylist)));
    EXPECT_TRUE(QFileInfo::exists(otherDesktop));
    EXPECT_TRUE(QFileInfo::exists(otherPackage));

    // Removing what is not registered is no error and changes nothing.
    RemoveFileType(AssociatedType::PLSPlaylist);
    EXPECT_EQ(ReadText(MimeAppsListPath()), original);
}

TEST_F(FileAssociationsTest, OtherProgramsLinesKeepTheirBytes) {
    // Lines of other programs in Latin-1 and broken UTF-8, a CRLF line end,
    // and a line of one of our types naming another program in Latin-1.
    const QByteArray original =
        "# r\xE9glages de l'utilisateur\n"
        "[Default Applications]\n"
        "text/html=navigateur-\xE9t\xE9.desktop;\r\n"
        "audio/x-mpegurl=lecteur-\xE9.desktop;\n"
        "image/png=\xC3(viewer.desktop;\n"
        "\n"
        "[Added Associations]\n"
        "text/plain=\351diteur.desktop;\xFF\n";
    const QString list = MimeAppsListPath();
    QDir().mkpath(QFileInfo(list).absolutePath());
    auto write = [&](const QByteArray& bytes) {
        QFile file(list);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    };
    auto read = [&] {
        QFile file(list);
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
    };
    write(original);

    RegisterFileType(AssociatedType::M3UPlaylist);
    RegisterFileType(AssociatedType::ScanResults);
    EXPECT_EQ(read(),
              "# r\xE9glages de l'utilisateur\n"
              "[Default Applications]\n"
              "text/html=navigateur-\xE9t\xE9.desktop;\r\n"
              "audio/x-mpegurl=sonivard-m3ufile.desktop;lecteur-\xE9.desktop;\n"
              "image/png=\xC3(viewer.desktop;\n"
              "application/x-sonivard-scan-results=sonivard-scnfile.desktop;\n"
              "\n"
              "[Added Associations]\n"
              "text/plain=\351diteur.desktop;\xFF\n"
              "audio/x-mpegurl=sonivard-m3ufile.desktop;\n"
              "application/x-sonivard-scan-results=sonivard-scnfile.desktop;\n");

    RemoveFileType(AssociatedType::M3UPlaylist);
    RemoveFileType(AssociatedType::ScanResults);
    EXPECT_EQ(read(), original.toStdString());
}

TEST_F(FileAssociationsTest, DetectionComparesOnlyTheCommandIgnoringCase) {
    RegisterFileType(AssociatedType::SimulateResults);
    const QString desktop = AssociationDesktopFile(AssociatedType::SimulateResults);
    const QString text = ReadText(desktop);

    WriteText(desktop, QString(text).replace("/opt/Sonivard/sonivard", "/OPT/SONIVARD/Sonivard"));
    EXPECT_TRUE(IsFileTypeAssociated(AssociatedType::SimulateResults));

    // The program has moved: its command no longer matches.
    WriteText(desktop, text);
    SetAssociationProgramPath("/usr/local/bin/sonivard");
    EXPECT_FALSE(IsFileTypeAssociated(AssociatedType::SimulateResults));
    SetAssociationProgramPath("/opt/Sonivard/sonivard");

    // Another program's default for the type does not matter.
    WriteText(MimeAppsListPath(), "[Default Applications]\napplication/x-sonivard-simulate-results=other.desktop;\n");
    QFile::remove(AssociationMimePackage(AssociatedType::SimulateResults));
    EXPECT_TRUE(IsFileTypeAssociated(AssociatedType::SimulateResults));

    // An Exec line outside the main group is not the command.
    WriteText(desktop, "[Desktop Action open]\nExec=\"/opt/Sonivard/sonivard\" %f\n");
    EXPECT_FALSE(IsFileTypeAssociated(AssociatedType::SimulateResults));
    QFile::remove(desktop);
    EXPECT_FALSE(IsFileTypeAssociated(AssociatedType::SimulateResults));
}

TEST_F(FileAssociationsTest, ProgramPathIsQuotedForTheExecLine) {
    const QString path = QStringLiteral("/opt/My Music/\"q\"/$x/50%/c\\d/sonivard");
    SetAssociationProgramPath(path);
    EXPECT_EQ(AssociationCommand(), QStringLiteral("\"/opt/My Music/\\\\\"q\\\\\"/\\\\$x/50%%/c\\\\\\\\d/sonivard\" %f"));
    RegisterFileType(AssociatedType::ScanResults);
    EXPECT_TRUE(IsFileTypeAssociated(AssociatedType::ScanResults));

    const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
    if (validator.isEmpty()) GTEST_SKIP() << "desktop-file-validate is not installed";
    QProcess check;
    check.start(validator, {AssociationDesktopFile(AssociatedType::ScanResults)});
    ASSERT_TRUE(check.waitForFinished(20000));
    const QString report = QString::fromUtf8(check.readAllStandardOutput() + check.readAllStandardError());
    EXPECT_EQ(check.exitCode(), 0) << report.toStdString();
    EXPECT_FALSE(report.contains("error", Qt::CaseInsensitive)) << report.toStdString();
}

TEST_F(FileAssociationsTest, SymlinkedDefaultsListStaysALink) {
    const QString real = home.file("dotfiles/mimeapps.list");
    WriteText(real, "[Default Applications]\ntext/plain=editor.desktop;\n");
    QDir().mkpath(QFileInfo(MimeAppsListPath()).absolutePath());
    ASSERT_TRUE(QFile::link(real, MimeAppsListPath()));

    RegisterFileType(AssociatedType::PLSPlaylist);
    EXPECT_TRUE(QFileInfo(MimeAppsListPath()).isSymLink());
    EXPECT_TRUE(ReadText(real).contains("audio/x-scpls=sonivard-plsfile.desktop;"));
}

TEST_F(FileAssociationsTest, UnwritableFolderRaisesWithTheProcedureName) {
    WriteText(home.file("data/applications"), "not a folder");
    const char* names[] = {"SetScanResultsFilesAssociation", "SetSimResultsFilesAssociation",
                           "SetM3UPlaylistFilesAssociation", "SetPLSPlaylistFilesAssociation"};
    for (int i = 0; i < 4; ++i) {
        try {
            RegisterFileType(kAllTypes[i]);
            ADD_FAILURE() << "no error for " << names[i];
        } catch (const SvError& e) {
            EXPECT_NE(e.number(), 0);
            EXPECT_TRUE(e.description().endsWith(QLatin1Char('|') + QLatin1String(names[i])))
                << e.description().toStdString();
        }
    }
}

// ---- the Options dialog's boxes ------------------------------------------

TEST_F(FileAssociationsTest, DialogTicksWhatIsFoundAndAppliesOnlyChanges) {
    // First opening: nothing registered; the design ticks the list files.
    AssociationBoxes boxes = kAssociationBoxesDesign;
    FileAssociationFindings found = GetFileAssociations(boxes);
    EXPECT_EQ(found.found, (std::array<bool, 4>{false, false, false, false}));
    EXPECT_EQ(boxes, kAssociationBoxesDesign);
    SetFileAssociations(found, boxes);
    EXPECT_TRUE(IsFileTypeAssociated(AssociatedType::ScanResults));
    EXPECT_TRUE(IsFileTypeAssociated(AssociatedType::SimulateResults));
    EXPECT_FALSE(IsFileTypeAssociated(AssociatedType::M3UPlaylist));
    EXPECT_EQ(refreshes, 2);

    // Second opening: untick sim, tick pls, grey m3u.
    boxes = kAssociationBoxesDesign;
    found = GetFileAssociations(boxes);
    EXPECT_EQ(found.found, (std::array<bool, 4>{true, true, false, false}));
    boxes[1] = Qt::Unchecked;
    boxes[2] = Qt::PartiallyChecked;
    boxes[3] = Qt::Checked;
    refreshes = 0;
    SetFileAssociations(found, boxes);
    EXPECT_EQ(refreshes, 2);  // one removal, one registration; scn untouched
    EXPECT_TRUE(IsFileTypeAssociated(AssociatedType::ScanResults));
    EXPECT_FALSE(IsFileTypeAssociated(AssociatedType::SimulateResults));
    EXPECT_FALSE(QFileInfo::exists(AssociationMimePackage(AssociatedType::SimulateResults)));
    EXPECT_FALSE(IsFileTypeAssociated(AssociatedType::M3UPlaylist));
    EXPECT_TRUE(IsFileTypeAssociated(AssociatedType::PLSPlaylist));

    // Third opening: found boxes show ticked; OK without changes does nothing.
    boxes = kAssociationBoxesDesign;
    found = GetFileAssociations(boxes);
    EXPECT_EQ(boxes, (AssociationBoxes{Qt::Checked, Qt::Checked, Qt::Unchecked, Qt::Checked}));
    boxes[1] = Qt::Unchecked;  // sim was not found: clearing its box changes nothing
    refreshes = 0;
    SetFileAssociations(found, boxes);
    EXPECT_EQ(refreshes, 0);
}

TEST_F(FileAssociationsTest, MovedProgramIsRegisteredAgainForTheListFilesOnly) {
    for (AssociatedType type : kAllTypes) RegisterFileType(type);
    SetAssociationProgramPath("/home/me/apps/sonivard");

    AssociationBoxes boxes = kAssociationBoxesDesign;
    const FileAssociationFindings found = GetFileAssociations(boxes);
    EXPECT_EQ(found.found, (std::array<bool, 4>{false, false, false, false}));
    EXPECT_EQ(boxes, kAssociationBoxesDesign);
    SetFileAssociations(found, boxes);
    EXPECT_TRUE(IsFileTypeAssociated(AssociatedType::ScanResults));
    EXPECT_TRUE(IsFileTypeAssociated(AssociatedType::SimulateResults));
    EXPECT_FALSE(IsFileTypeAssociated(AssociatedType::M3UPlaylist));
    EXPECT_TRUE(ReadText(AssociationDesktopFile(AssociatedType::ScanResults)).contains("/home/me/apps/sonivard"));
}

TEST_F(FileAssociationsTest, FailedChangeIsReportedAndTheOtherTypesStillChange) {
    // A folder where M3U's desktop entry belongs: its registration cannot
    // be written; PLS's can.
    ASSERT_TRUE(QDir().mkpath(AssociationDesktopFile(AssociatedType::M3UPlaylist) + "/blocked"));
    AssociationBoxes boxes = {Qt::Unchecked, Qt::Unchecked, Qt::Checked, Qt::Checked};
    EXPECT_FALSE(SetFileAssociations(FileAssociationFindings{}, boxes));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_TRUE(ui.shown[0].prompt.contains("SetM3UPlaylistFilesAssociation|SetFileAssociations"))
        << ui.shown[0].prompt.toStdString();
    EXPECT_TRUE(IsFileTypeAssociated(AssociatedType::PLSPlaylist));

    // Removing a type whose entry cannot be deleted is reported too.
    ui.shown.clear();
    FileAssociationFindings found;
    found.found = {false, false, true, true};
    boxes = {Qt::Unchecked, Qt::Unchecked, Qt::Unchecked, Qt::Unchecked};
    EXPECT_FALSE(SetFileAssociations(found, boxes));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_TRUE(ui.shown[0].prompt.contains("SetFileAssociations"));
    EXPECT_FALSE(IsFileTypeAssociated(AssociatedType::PLSPlaylist));
}

}  // namespace
