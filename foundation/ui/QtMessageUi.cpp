#include "foundation/ui/QtMessageUi.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <vector>

int QtMessageUi::MsgBox(const QString& prompt, int style, const QString& title) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title);
    box.setText(prompt);
    switch (style & Mb::IconMask) {
    case Mb::Critical: box.setIcon(QMessageBox::Critical); break;
    case Mb::Question: box.setIcon(QMessageBox::Question); break;
    case Mb::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case Mb::Information: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
    }
    struct Choice { QMessageBox::StandardButton button; int result; };
    std::vector<Choice> choices;
    switch (style & Mb::ButtonsMask) {
    case Mb::OKCancel: choices = {{QMessageBox::Ok, Mb::OK}, {QMessageBox::Cancel, Mb::Cancel}}; break;
    case Mb::AbortRetryIgnore:
        choices = {{QMessageBox::Abort, Mb::Abort}, {QMessageBox::Retry, Mb::Retry}, {QMessageBox::Ignore, Mb::Ignore}};
        break;
    case Mb::YesNoCancel:
        choices = {{QMessageBox::Yes, Mb::Yes}, {QMessageBox::No, Mb::No}, {QMessageBox::Cancel, Mb::Cancel}};
        break;
    case Mb::YesNo: choices = {{QMessageBox::Yes, Mb::Yes}, {QMessageBox::No, Mb::No}}; break;
    case Mb::RetryCancel: choices = {{QMessageBox::Retry, Mb::Retry}, {QMessageBox::Cancel, Mb::Cancel}}; break;
    case Mb::YesYesToAllNoCancel:
        choices = {{QMessageBox::Yes, Mb::Yes},
                   {QMessageBox::YesToAll, Mb::YesToAll},
                   {QMessageBox::No, Mb::No},
                   {QMessageBox::Cancel, Mb::Cancel}};
        break;
    default: choices = {{QMessageBox::Ok, Mb::OK}}; break;
    }
    QMessageBox::StandardButtons buttons;
    for (const Choice& c : choices) buttons |= c.button;
    box.setStandardButtons(buttons);
    const size_t def = static_cast<size_t>((style & 0xF00) >> 8);
    box.setDefaultButton(choices[def < choices.size() ? def : 0].button);
    const auto pressed = static_cast<QMessageBox::StandardButton>(box.exec());
    for (const Choice& c : choices)
        if (c.button == pressed) return c.result;
    // Closed without a button: the box's cancel answer, else its default.
    return DefaultAnswer(style);
}
