#pragma once
// The tool windows, in one table: each window's name (its objectName and the
// key of its settings), whether it is one of the six core tool windows (they
// get the larger default size and the full menu row), its place in the
// "reopen at start" walk, the text id of its caption and its help topic.
// Everything that asks "which windows ..." reads this table; a new window
// adds its name below and its row in ToolWindows.cpp.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

// ---- names of the windows -------------------------------------------------
namespace WindowNames {
inline const QString ScanningCentre = QStringLiteral("FormMP3ScanningCentre");
inline const QString Coordinator = QStringLiteral("FormFileNameTagCoordinator");
inline const QString PlaylistManager = QStringLiteral("FormPlaylistManager");
inline const QString MusicCataloguer = QStringLiteral("FormMusicCataloguer");
inline const QString DuplicateFinder = QStringLiteral("FormDuplicateFinder");
inline const QString EncoderDecoder = QStringLiteral("FormEncoderDecoder");
inline const QString CDRipper = QStringLiteral("FormCDRipper");
inline const QString MassTagging = QStringLiteral("DialogMassTaggingOverrideTool");
inline const QString Integrator = QStringLiteral("FormIntegrator");
}  // namespace WindowNames

struct ToolWindowInfo {
    QString name;
    bool coreTool = false;
    // Place in the walk that reopens the last run's windows (0 first); -1 for
    // the windows the start procedure always shows (launcher bar, main window).
    int reopenOrder = -1;
    // Text id of the caption; 0 for the launcher bar, whose caption is fixed.
    int32_t captionId = 0;
    int helpTopic = 0;
};

// Every tool window, in the table's order.
const std::vector<ToolWindowInfo>& ToolWindows();
// The row of the window of that exact name, or null.
const ToolWindowInfo* FindToolWindow(const QString& name);
// The row of the window of that name; for a name not in the table, a row
// with the name and nothing else.
ToolWindowInfo ToolWindow(const QString& name);

// The windows reopened at start, in their reopen order.
const QStringList& ReopenableWindows();
// True for the six core tool windows' exact names.
bool IsCoreTool(const QString& formName);
