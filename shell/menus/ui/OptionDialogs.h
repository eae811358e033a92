#pragma once
// The two option dialogs that the Tools menu and the launcher bar open: the
// Options dialog at a page (1 scanning centre, 2 file name and tag
// coordinator, 3 catalogue in HTML, 4 catalogue in text, 5 preferences, -1 no
// page chosen) and the encoder and decoder options dialog.  Both are shown
// modally, with the launcher bar out of the topmost band meanwhile and back
// in its stay-on-top state afterwards.
//
// The dialogs themselves are shown by handlers that their windows install
// (ConnectTools in app/ui/ProgramWindows.h installs both); with none installed,
// nothing shows.

#include <functional>

// Page 6 stands for the encoder and decoder options dialog.
constexpr int kEncoderDecoderOptionsPage = 6;

// ShowOptionsTab of the Options dialog; handles its own errors.
void ShowOptionsTab(int tab);
// The encoder and decoder options dialog.
void ShowEncoderDecoderOptions();

// Shows the dialog of `page` modally and returns when it has closed.
using OptionDialogHandler = std::function<void(int page)>;
// Installs the handler (an empty one removes it) and returns the one it
// replaces.
OptionDialogHandler SetOptionDialogHandler(OptionDialogHandler handler);
// The Options dialog's own handler (pages 1 to 5 and -1); when installed it
// takes those pages from the handler above.
OptionDialogHandler SetOptionsTabHandler(OptionDialogHandler handler);
