#include "shell/menus/MusicPlayer.h"

#include "foundation/Dialogs.h"
#include "foundation/MessageUi.h"
#include "foundation/ResourceStrings.h"
#include "foundation/SettingsStore.h"
#include "foundation/SharedServices.h"
#include "shell/menus/ExternalPrograms.h"

#include <QFileInfo>

namespace {
const QString kSettings = QStringLiteral("Settings");
const QString kPlayerPath = QStringLiteral("PlayerPath");

void StartPlayerAt(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isFile()) return;  // nothing to start, nothing said
    if (path.endsWith(QLatin1String(".desktop"), Qt::CaseInsensitive)) {
        StartDesktopEntry(path);
        return;
    }
    ExternalPrograms().StartDetached(path, {});
}
}  // namespace

void StartMusicPlayer(CommonDialog& dialog) {
    const QString registered = ExternalPrograms().DefaultApplicationFor(QStringLiteral("audio/mpeg"));
    // A registered program whose entry cannot be read counts as none; one
    // that fails to start is not reported.
    if (const QString entry = DesktopEntryFile(registered); !entry.isEmpty()) {
        QString program;
        QStringList arguments;
        if (DesktopEntryCommand(entry, program, arguments)) {
            ExternalPrograms().StartDetached(program, arguments);
            return;
        }
    }

    QString path = GetOptionSetting(kSettings, kPlayerPath, QString(), SettingType::String).toString();
    if (!QFileInfo(path).isFile()) {
        if (MsgBox(GetResourceString(TextId::Menu::NoMusicPlayerFound), Mb::YesNo,
                   GetResourceString(TextId::Menu::MusicPlayerNotFound)) == Mb::Yes) {
            // Programs on this system carry no extension, so every file is offered.
            if (DisplayCommonDialogOpen(dialog, GetResourceString(TextId::Menu::SelectMusicPlayer),
                                        QStringLiteral("Executables (*)|*"), path, QString()))
                SaveOptionSetting(kSettings, kPlayerPath, path, SettingType::String);
        }
    }
    StartPlayerAt(path);
}
