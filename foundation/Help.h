#pragma once
// Help topics: F1 in a window opens that window's help page in the browser,
// from the maker's web site when the WebHelp preference is on and the machine
// is online, else from the "WebHelp" folder beside the program.

#include <QString>
#include <QUrl>
#include <cstdint>

// The key code of F1 as the windows pass it.
constexpr int16_t HelpKeyF1 = 112;
constexpr int HelpTopicCount = 21;

// Acts on F1 only: opens the page of `topicIndex` (0 to 20; other numbers do
// nothing).  A failed web attempt clears the preference blnWebHelp, so later
// F1 presses of the run go straight to the local pages.  When no page opens, shows "Online
// Help Unavailable".  Handles its own errors.
void DisplayHelpTopic(int16_t topicIndex, int16_t keyCode);

// The page of a topic, relative to the help folder, with "/" between folder
// and file; empty for an unknown topic.
QString HelpTopicPage(int topicIndex);
// Where a topic's page is published and where it lies beside the program.
QUrl WebHelpUrl(int topicIndex);
QString LocalHelpPath(int topicIndex);

// The maker's web help folder.
inline const QString WebHelpBase = QStringLiteral("https://www.brellick.example/WebHelp/");
