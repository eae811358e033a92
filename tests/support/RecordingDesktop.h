#pragma once
// The desktop's "open" and online state for tests: records what would have
// been opened instead of starting a browser or a player.  Offline unless told;
// a local file opens when it exists, a web address when `webOpens` is set.

#include "foundation/DesktopServices.h"

#include <QFileInfo>
#include <QStringList>

class RecordingDesktop final : public IDesktopServices {
public:
    RecordingDesktop() { m_previous = SetDesktopServices(this); }
    ~RecordingDesktop() override { SetDesktopServices(m_previous); }
    RecordingDesktop(const RecordingDesktop&) = delete;
    RecordingDesktop& operator=(const RecordingDesktop&) = delete;

    bool openUrl(const QUrl& url) override {
        const QString target = url.isLocalFile() ? url.toLocalFile() : url.toString();
        if (url.isLocalFile() ? !QFileInfo::exists(target) : !webOpens) return false;
        opened << target;
        return true;
    }
    bool isOnline() override { return online; }

    QStringList opened;  // local files as paths, anything else as its address
    bool online = false;
    bool webOpens = true;

private:
    IDesktopServices* m_previous = nullptr;
};
