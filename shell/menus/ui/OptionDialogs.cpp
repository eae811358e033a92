#include "shell/menus/ui/OptionDialogs.h"

#include "foundation/Errors.h"
#include "shell/ui/ControlUtils.h"
#include "shell/ui/Launcher.h"

namespace {

OptionDialogHandler& Handler() {
    static OptionDialogHandler handler;
    return handler;
}

OptionDialogHandler& OptionsTabHandler() {
    static OptionDialogHandler handler;
    return handler;
}

// The launcher bar leaves the topmost band while a modal dialog shows, so the
// dialog is never hidden behind it.
void ShowWithLauncherLowered(int page) {
    FormIntegrator* bar = FormIntegrator::Instance();
    if (bar) SetOnTop(bar, false);
    if (page != kEncoderDecoderOptionsPage && OptionsTabHandler())
        OptionsTabHandler()(page);
    else if (Handler())
        Handler()(page);
    if ((bar = FormIntegrator::Instance())) bar->ApplyStayOnTop();
}

}  // namespace

void ShowOptionsTab(int tab) {
    try {
        ShowWithLauncherLowered(tab);
    } catch (...) {
        DisplayErrorMessage();
    }
}

void ShowEncoderDecoderOptions() { ShowWithLauncherLowered(kEncoderDecoderOptionsPage); }

OptionDialogHandler SetOptionDialogHandler(OptionDialogHandler handler) {
    OptionDialogHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}

OptionDialogHandler SetOptionsTabHandler(OptionDialogHandler handler) {
    OptionDialogHandler previous = std::move(OptionsTabHandler());
    OptionsTabHandler() = std::move(handler);
    return previous;
}
