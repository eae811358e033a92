// The table of tool windows: the facts the start procedure, the window
// positions and the help keys read from it.

#include "foundation/Help.h"
#include "foundation/ResourceStrings.h"
#include "foundation/ToolWindows.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

TEST(ToolWindowsTest, ReopenWalkAndCoreToolsKeepTheirStoredOrderAndMembers) {
    // The order windows reopen in at start (the last one opened is in front).
    EXPECT_EQ(ReopenableWindows(),
              (QStringList{"FormFileNameTagCoordinator", "FormMusicCataloguer", "FormDuplicateFinder",
                           "FormPlaylistManager", "FormEncoderDecoder", "FormCDRipper",
                           "DialogMassTaggingOverrideTool"}));
    QStringList core;
    for (const ToolWindowInfo& window : ToolWindows())
        if (IsCoreTool(window.name)) core << window.name;
    EXPECT_EQ(core.size(), 6);
    for (const char* name : {"FormMP3ScanningCentre", "FormFileNameTagCoordinator", "FormMusicCataloguer",
                             "FormDuplicateFinder", "FormPlaylistManager", "FormEncoderDecoder"})
        EXPECT_TRUE(core.contains(QString::fromLatin1(name))) << name;
    // Exact names only.
    EXPECT_FALSE(IsCoreTool(QStringLiteral("formmp3scanningcentre")));
    EXPECT_FALSE(IsCoreTool(QString()));
}

TEST(ToolWindowsTest, EveryRowNamesOneWindowWithACaptionAndAHelpPage) {
    QSet<QString> names;
    QSet<int> reopenPlaces;
    for (const ToolWindowInfo& window : ToolWindows()) {
        EXPECT_FALSE(names.contains(window.name)) << window.name.toStdString();
        names.insert(window.name);
        if (window.reopenOrder >= 0) {
            EXPECT_FALSE(reopenPlaces.contains(window.reopenOrder)) << window.name.toStdString();
            reopenPlaces.insert(window.reopenOrder);
        }
        if (window.name != WindowNames::Integrator) {
            EXPECT_FALSE(GetResourceString(window.captionId).isEmpty()) << window.name.toStdString();
        }
        EXPECT_FALSE(HelpTopicPage(window.helpTopic).isEmpty()) << window.name.toStdString();
        EXPECT_EQ(FindToolWindow(window.name), &window);
    }
    EXPECT_EQ(FindToolWindow(QStringLiteral("FormNoSuchWindow")), nullptr);
    EXPECT_EQ(ToolWindow(QStringLiteral("FormNoSuchWindow")).name, QStringLiteral("FormNoSuchWindow"));
    EXPECT_FALSE(ToolWindow(QStringLiteral("FormNoSuchWindow")).coreTool);
}

}  // namespace
