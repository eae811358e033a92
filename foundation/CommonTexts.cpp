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

constexpr ItemText kLabelMenu[] = {{0, 476}, {1, 477}, {2, 478}, {3, 479}, {4, 480}};
constexpr ItemText kEdit[] = {{0, 482}, {1, 483}, {2, 484}, {3, 485}, {5, 486}, {6, 487}};
constexpr ItemText kTools[] = {{0, 634}, {2, 635}, {3, 636}, {4, 637}, {5, 638},
                               {6, 642}, {8, 639}, {10, 488}, {11, 489}};
constexpr ItemText kHelp[] = {{0, 493}, {3, 495}, {5, 496}};

}  // namespace

void UpdateSystemMenuToolTips(IToolWindow* Form) {
    try {
        ICommonControlsHost& host = ControlsOf(Form);
        host.SetSystemMenuToolTip(0, GetResourceString(630));
        host.SetSystemMenuToolTip(1, GetResourceString(631));
        host.SetSystemMenuToolTip(2, GetResourceString(632));
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("UpdateSystemMenuToolTips"), Form ? Form->Name() : QString()));
    }
}

void UpdateCommonControls(IToolWindow* Form) {
    try {
        ICommonControlsHost& host = ControlsOf(Form);
        UpdateSystemMenuToolTips(Form);
        host.SetGreenIndicatorToolTip(GetResourceString(633));
        for (const ItemText& item : kLabelMenu) host.SetLabelMenuCaption(item.index, GetResourceString(item.code));
        for (const ItemText& item : kEdit)
            host.SetMenuItemCaption(ICommonControlsHost::Menu::Edit, item.index, GetResourceString(item.code));
        for (const ItemText& item : kTools)
            host.SetMenuItemCaption(ICommonControlsHost::Menu::Tools, item.index, GetResourceString(item.code));
        for (const ItemText& item : kHelp)
            host.SetMenuItemCaption(ICommonControlsHost::Menu::Help, item.index, GetResourceString(item.code));
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("UpdateCommonControls"), Form ? Form->Name() : QString()));
    }
}
