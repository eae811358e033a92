#include "foundation/DesktopServices.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QNetworkInformation>
#include <QNetworkInterface>

namespace {

// Reachability from the platform's network-information backend when one
// exists and knows the state; otherwise "some interface other than loopback
// is up and has an address".
bool MachineIsOnline() {
    static const bool backend = QNetworkInformation::loadDefaultBackend();
    if (backend) {
        if (QNetworkInformation* info = QNetworkInformation::instance()) {
            const auto reachability = info->reachability();
            if (reachability != QNetworkInformation::Reachability::Unknown)
                return reachability == QNetworkInformation::Reachability::Online;
        }
    }
    const QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface& iface : interfaces) {
        const auto flags = iface.flags();
        if (!(flags & QNetworkInterface::IsUp) || !(flags & QNetworkInterface::IsRunning) ||
            (flags & QNetworkInterface::IsLoopBack))
            continue;
        if (!iface.addressEntries().isEmpty()) return true;
    }
    return false;
}

class RealDesktopServices final : public IDesktopServices {
public:
    bool openUrl(const QUrl& url) override {
        if (!url.isValid()) return false;
        if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile())) return false;
        return QDesktopServices::openUrl(url);
    }
    bool isOnline() override { return MachineIsOnline(); }
};

RealDesktopServices g_real;
IDesktopServices* g_current = &g_real;

}  // namespace

IDesktopServices& DesktopServices() { return *g_current; }

IDesktopServices* SetDesktopServices(IDesktopServices* services) {
    IDesktopServices* previous = g_current;
    g_current = services ? services : &g_real;
    return previous;
}

QUrl UrlFromText(const QString& urlOrPath) {
    const QUrl url(urlOrPath, QUrl::StrictMode);
    // A scheme of two letters or more (a single letter would be a drive).
    if (url.isValid() && url.scheme().size() > 1) return url;
    return QUrl::fromLocalFile(urlOrPath);
}
