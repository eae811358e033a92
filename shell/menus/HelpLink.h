#pragma once
// How the windows of the shell open their help: every key-down of a window
// passes through here with the window's topic number, and F1 opens that
// topic's page (see foundation/Help.h).

// Opens topic `topic` when `keyCode` is F1 (112); any other key does nothing.
void ShowHelpTopic(int topic, int keyCode);
