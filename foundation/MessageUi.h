#pragma once
// Message boxes go through this interface so the logic never opens a window
// itself: the program installs a Qt implementation, tests install a scripted one
// that records every box and answers from a queue.

#include <QString>
#include <memory>

// Box styles and answers, with the platform's values so stored and computed
// styles keep their meaning.
namespace Mb {
// Buttons
constexpr int OKOnly = 0, OKCancel = 1, AbortRetryIgnore = 2, YesNoCancel = 3, YesNo = 4, RetryCancel = 5;
// Icons
constexpr int Critical = 16, Question = 32, Exclamation = 48, Information = 64;
// Default button
constexpr int DefaultButton1 = 0, DefaultButton2 = 256, DefaultButton3 = 512;
// Answers
constexpr int OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7;
// Beyond the platform's sets: Yes, Yes to All, No, Cancel (the overwrite
// question of a batch), whose second button answers YesToAll.
constexpr int YesYesToAllNoCancel = 8;
constexpr int YesToAll = 8;
constexpr int ButtonsMask = 0x0F;
constexpr int IconMask = 0xF0;
}  // namespace Mb

class IMessageUi {
public:
    virtual ~IMessageUi() = default;
    // Shows a modal box and returns the pressed button (Mb::Result).
    virtual int MsgBox(const QString& prompt, int style, const QString& title) = 0;
};

// The installed implementation.  Without one (a headless tool), boxes go to
// standard error and answer with their default button.
IMessageUi& MessageUi();
// Installs `ui` (not owned) and returns the one it replaces.
IMessageUi* SetMessageUi(IMessageUi* ui);

// Shorthand used across the program.
inline int MsgBox(const QString& prompt, int style, const QString& title) {
    return MessageUi().MsgBox(prompt, style, title);
}

// The answer a box gives when nobody is asked: its default button.
int DefaultAnswer(int style);
