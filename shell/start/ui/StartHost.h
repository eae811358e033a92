#pragma once
// The real host of the start procedure: windows through the window registry,
// the splash window, the option readers and the tag library.
//
// The list-file loader, the Playlist Manager's loader and the tag object are
// reached through the small functions below, each a single call into the
// module that provides it.

#include "shell/start/StartProcedure.h"

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

// The one tag object of the program: created at start, released at the end.
void CreateTagObject();
void ReleaseTagObject();
// Loads a scan-results or simulate-results list file into `listName` of the
// loaded window `windowName`.
void OpenListFile(const QString& windowName, const QString& listName, const QString& path, const QString& message);
// The Playlist Manager's LoadPlaylist.
void OpenPlaylist(const QString& path);
