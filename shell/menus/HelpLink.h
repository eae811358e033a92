#pragma once
// How the windows of the shell open their help: every key-down of a window
// passes through here with the window's topic number, and F1 opens that
// topic's page.  One function, so the windows do not depend on how help
// pages are found.

#include <QString>

// Opens topic `topic` when `keyCode` is F1 (112); any other key does nothing.
void ShowHelpTopic(int topic, int keyCode);

// The page of a topic (0 to 20), relative to the help folder, or the empty
// text for any other number.
QString HelpTopicPage(int topic);
