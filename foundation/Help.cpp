#include "foundation/Help.h"

#include "foundation/AppPaths.h"
#include "foundation/DesktopServices.h"
#include "foundation/Errors.h"
#include "foundation/FileUtils.h"
#include "foundation/MessageUi.h"
#include "foundation/OptionRecords.h"
#include "foundation/ResourceStrings.h"

namespace {

const char* const kPages[HelpTopicCount] = {
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

QString HelpTopicPage(int topicIndex) {
    if (topicIndex < 0 || topicIndex >= HelpTopicCount) return QString();
    return QString::fromLatin1(kPages[topicIndex]);
}

QUrl WebHelpUrl(int topicIndex) {
    const QString page = HelpTopicPage(topicIndex);
    return page.isEmpty() ? QUrl() : QUrl(WebHelpBase + page);
}

QString LocalHelpPath(int topicIndex) {
    const QString page = HelpTopicPage(topicIndex);
    return page.isEmpty() ? QString() : JoinPath(JoinPath(AppPath(), QStringLiteral("WebHelp")), page);
}

void DisplayHelpTopic(int16_t topicIndex, int16_t keyCode) {
    if (keyCode != HelpKeyF1) return;
    if (HelpTopicPage(topicIndex).isEmpty()) return;

    // Each step runs on when the one before failed, as an event handler does.
    bool online = false;
    ResumeNext([&] { online = Options().Preferences.blnWebHelp && DesktopServices().isOnline(); });
    bool webOpen = false;
    if (online) {
        ResumeNext([&] {
            Options().Preferences.blnWebHelp = false;  // stays off unless the web page opens
            Options().Preferences.blnWebHelp = DesktopServices().openUrl(WebHelpUrl(topicIndex));
            webOpen = Options().Preferences.blnWebHelp;
        });
    }
    if (webOpen) return;

    bool localOpen = false;
    ResumeNext([&] { localOpen = DesktopServices().openUrl(QUrl::fromLocalFile(LocalHelpPath(topicIndex))); });
    if (localOpen) return;

    ResumeNext([] {
        MsgBox(GetResourceString(TextId::Common::OnlineHelpUnavailableText), Mb::OKOnly | Mb::Exclamation,
               GetResourceString(TextId::Common::OnlineHelpUnavailable));
    });
}
