#include "shell/menus/ui/OptionDialogs.h"

#include "foundation/Errors.h"
#include "shell/ui/ControlUtils.h"
#include "shell/ui/Launcher.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace {

OptionDialogHandler& Handler() {
    static OptionDialogHandler handler;
    return handler;
}

OptionDialogHandler& OptionsTabHandler() {
    static OptionDialogHandler handler;
    return handler;
}

void ShowStandInDialog(int page) {
    QDialog dialog;
    const bool encoder = page == kEncoderDecoderOptionsPage;
    dialog.setObjectName(encoder ? QStringLiteral("DialogEncoderDecoderOptions") : QStringLiteral("DialogOptions"));
    dialog.setWindowTitle(encoder ? QStringLiteral("Encoder Decoder Options") : QStringLiteral("Options"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* label = new QLabel(&dialog);
    label->setText(encoder || page < 1 ? QStringLiteral("These options are not available yet.")
                                       : QStringLiteral("Page %1 of the options is not available yet.").arg(page));
    layout->addWidget(label);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    layout->addWidget(buttons);
    dialog.exec();
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
    else
        ShowStandInDialog(page);
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
