#include "shell/menus/HelpLink.h"

#include "foundation/AppPaths.h"
#include "foundation/Errors.h"
#include "foundation/MessageUi.h"
#include "foundation/ResourceStrings.h"
#include "foundation/SharedServices.h"

#include <QFileInfo>

namespace {
constexpr int kF1 = 112;
const char* const kPages[] = {
    "Sonivard.htm",
    "MP3_Scanning_Centre/MP3_Scanning_Centre.htm",
    "File_Name_and_Tag_Coordinator/File_Name_and_Tag_Coordinator.htm",
    "Music_Cataloguer/Music_Cataloguer.htm",
    "Duplicate_Finder/Duplicate_Finder.htm",
    "Playlist_Manager/Playlist_Manager.htm",
    "Encoder_Decoder/Encoder_Decoder.htm",
    "Customising_Options/Preferences.htm",
    "Customising_Options/MP3_Scanning_Centre_Options.htm",
    "Customising_Options/File_Name_and_Tag_Coordinator_Options.htm",
    "Customising_Options/Music_Cataloguer_(HTML)_Options.htm",
    "Customising_Options/Music_Cataloguer_(Text)_Options.htm",
    "Customising_Options/Encoder_Decoder_Options.htm",
    "Customising_Options/File_Name_and_Tag_Coordinator_Advanced_Options.htm",
    "Customising_Options/HTML_Cataloguer_Page_Properties.htm",
    "Customising_Options/HTML_Cataloguer_Header_Options.htm",
    "Customising_Options/Text_Cataloguer_Header_Options.htm",
    "Actions_Topics/Music_Player.htm",
    "Encoder_Decoder/CD_Ripper.htm",
    "Customising_Options/HTML_Colours.htm",
    "Customising_Options/HTML_Fonts.htm",
};
}  // namespace

QString HelpTopicPage(int topic) {
    if (topic < 0 || topic >= static_cast<int>(std::size(kPages))) return {};
    return QString::fromLatin1(kPages[topic]);
}

void ShowHelpTopic(int topic, int keyCode) {
    if (keyCode != kF1) return;
    const QString page = HelpTopicPage(topic);
    if (page.isEmpty()) return;
    ResumeNext([&] {
        const QString path = AppPath() + QStringLiteral("/WebHelp/") + page;
        // A missing page is reported here: the desktop would accept the
        // request and fail on its own, out of our sight.
        if (QFileInfo(path).isFile() && OpenWebBrowser(path)) return;
        MsgBox(GetResourceString(653), Mb::OKOnly | Mb::Exclamation, GetResourceString(654));
    });
}
