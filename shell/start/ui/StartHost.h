#pragma once
// The real host of the start procedure: windows through the window registry,
// the splash window, the option readers and the tag library (through the
// starter its owner sets).
//
// The list-file loader and the Playlist Manager's loader are reached through
// the two small functions below.

#include "shell/start/StartProcedure.h"

#include <functional>

class StartHost final : public IStartHost {
public:
    void InitialiseQuillmarkClass() override;
    void InitialiseArrays() override;
    void GetMainOptions() override;
    void InitialiseTwipsPerPixel() override;
    void ShowSplashScreen() override;
    void ShowWindow(const QString& name) override;
    void BringToFront(const QString& name) override;
    void LoadListFile(const QString& windowName, const QString& listName, const QString& path,
                      const QString& message) override;
    void LoadPlaylist(const QString& path) override;
};

// Loads a scan-results or simulate-results list file into the list named
// `listName` of the loaded window `windowName` (the list's model is read
// through its IListFileModel, else through an item-model adapter).
void OpenListFile(const QString& windowName, const QString& listName, const QString& path, const QString& message);
// The Playlist Manager's LoadPlaylist.
void OpenPlaylist(const QString& path);
// How InitialiseQuillmarkClass creates the tag object.  The object belongs to
// the scanning code, which sets this when it registers its window; unset,
// the step does nothing.
void SetTagLibraryStarter(std::function<void()> starter);
// How GetMainOptions reads the option groups: some groups' readers live
// beside their tools, which the start procedure does not know; the program's
// wiring sets it.  Unset, the step reads nothing.
void SetMainOptionsReader(std::function<void()> reader);
