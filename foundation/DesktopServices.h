#pragma once
// The desktop's services that tests must control: opening a web address or a
// file with the user's preferred program, and whether the machine is online.
// The program uses the real implementation; tests install one that records
// what would have been opened.

#include <QString>
#include <QUrl>

class IDesktopServices {
public:
    virtual ~IDesktopServices() = default;
    // Opens `url` in the user's browser or the program associated with it;
    // false when that could not be started.  A local file that does not exist
    // is a failed open.
    virtual bool openUrl(const QUrl& url) = 0;
    // True when the machine has a route to the Internet.
    virtual bool isOnline() = 0;
};

// The installed implementation (the real one unless a test installed another).
IDesktopServices& DesktopServices();
// Installs `services` (not owned; nullptr restores the real one) and returns
// the one it replaces.
IDesktopServices* SetDesktopServices(IDesktopServices* services);

// A web address ("https://...", "mailto:...") as it stands, anything else as
// a local file path.
QUrl UrlFromText(const QString& urlOrPath);
