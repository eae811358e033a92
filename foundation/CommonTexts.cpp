#include "foundation/CommonTexts.h"

#include "foundation/Errors.h"
#include "foundation/ResourceStrings.h"

namespace {

ICommonControlsHost& ControlsOf(IToolWindow* form) {
    if (!form) RaiseError(ErrNo::ObjectNotSet);
    auto* host = dynamic_cast<ICommonControlsHost*>(form);
    if (!host) RaiseError(ErrNo::MemberNotFound);
    return *host;
}

struct ItemText {
    int index;
    int32_t code;
};

namespace Menu = TextId::Menu;
constexpr ItemText kLabelMenu[] = {
    {0, Menu::File}, {1, Menu::Edit}, {2, Menu::Tools}, {3, Menu::Actions}, {4, Menu::Help}};
constexpr ItemText kEdit[] = {{0, Menu::Cut},    {1, Menu::Copy},      {2, Menu::Paste},
                              {3, Menu::Delete}, {5, Menu::SelectAll}, {6, Menu::InvertSelection}};
constexpr ItemText kTools[] = {{0, Menu::ToolScanningCentre},  {2, Menu::ToolCoordinator},
                               {3, Menu::ToolMusicCataloguer}, {4, Menu::ToolDuplicateFinder},
                               {5, Menu::ToolPlaylistManager}, {6, Menu::ToolEncoderDecoder},
                               {8, Menu::ToolMusicPlayer},     {10, Menu::Options},
                               {11, Menu::Preferences}};
constexpr ItemText kHelp[] = {{0, Menu::ContentsAndIndex}, {3, Menu::GoToWebSite}, {5, Menu::About}};

}  // namespace

void UpdateSystemMenuToolTips(IToolWindow* Form) {
    WithTrail(CallSite(QStringLiteral("UpdateSystemMenuToolTips"), Form ? Form->Name() : QString()), [&] {
        ICommonControlsHost& host = ControlsOf(Form);
        host.SetSystemMenuToolTip(0, GetResourceString(TextId::Common::Minimize));
        host.SetSystemMenuToolTip(1, GetResourceString(TextId::Common::Maximize));
        host.SetSystemMenuToolTip(2, GetResourceString(TextId::Common::Close));
    });
}

void UpdateCommonControls(IToolWindow* Form) {
    WithTrail(CallSite(QStringLiteral("UpdateCommonControls"), Form ? Form->Name() : QString()), [&] {
        ICommonControlsHost& host = ControlsOf(Form);
        UpdateSystemMenuToolTips(Form);
        host.SetGreenIndicatorToolTip(GetResourceString(TextId::Common::ContextMenuAvailable));
        for (const ItemText& item : kLabelMenu) host.SetLabelMenuCaption(item.index, GetResourceString(item.code));
        for (const ItemText& item : kEdit)
            host.SetMenuItemCaption(ICommonControlsHost::Menu::Edit, item.index, GetResourceString(item.code));
        for (const ItemText& item : kTools)
            host.SetMenuItemCaption(ICommonControlsHost::Menu::Tools, item.index, GetResourceString(item.code));
        for (const ItemText& item : kHelp)
            host.SetMenuItemCaption(ICommonControlsHost::Menu::Help, item.index, GetResourceString(item.code));
    });
}
