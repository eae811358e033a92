#include "coordinator/SimRow.h"

#include "foundation/NativePath.h"

#include <QLatin1StringView>
#include <sys/stat.h>
#include <utility>

const std::array<QString, kSimColumnCount>& SimColumnCaptions() {
    static const std::array<QString, kSimColumnCount> captions = {
        QStringLiteral("Old File Name"), QStringLiteral("Folder"), QStringLiteral("Track"),
        QStringLiteral("Album"),         QStringLiteral("Artist"), QStringLiteral("Title"),
        QStringLiteral("New File Name"), QStringLiteral("Action"),
    };
    return captions;
}

QString SimActionText(SimAction action) {
    switch (action) {
    case SimAction::Change: return QStringLiteral("Change");
    case SimAction::ChangeQ: return QStringLiteral("Change ??");
    case SimAction::NoChange: return QStringLiteral("No Change");
    case SimAction::Delete: return QStringLiteral("Delete");
    }
    return QString();
}

std::optional<SimAction> ParseSimAction(QStringView text) {
    static constexpr std::pair<QLatin1StringView, SimAction> actions[] = {
        {QLatin1StringView("Change"), SimAction::Change},
        {QLatin1StringView("Change ??"), SimAction::ChangeQ},
        {QLatin1StringView("No Change"), SimAction::NoChange},
        {QLatin1StringView("Delete"), SimAction::Delete},
    };
    for (const auto& [name, action] : actions)
        if (text.size() == name.size() && text.compare(name, Qt::CaseInsensitive) == 0) return action;
    return std::nullopt;
}

std::optional<SimRowStyle> SimActionStyle(QStringView action, const CoordinatorAdvOptions& options) {
    const std::optional<SimAction> parsed = ParseSimAction(action);
    if (!parsed) return std::nullopt;
    switch (*parsed) {
    case SimAction::Change: return SimRowStyle{true, options.lngColourChange};
    case SimAction::ChangeQ: return SimRowStyle{true, options.lngColourChangeQ};
    case SimAction::NoChange: return SimRowStyle{false, options.lngColourNoChange};
    case SimAction::Delete: return SimRowStyle{true, options.lngColourDelete};
    }
    return std::nullopt;
}

FileIdentity IdentityOf(const QString& path) {
    struct stat st {};
    if (path.isEmpty() || ::stat(NativePath(path).constData(), &st) != 0 || !S_ISREG(st.st_mode)) return {};
    return IdentityOf(st);
}

FileIdentity IdentityOf(const struct stat& st) {
    return {static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino), static_cast<int64_t>(st.st_size),
            static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}
