#include "foundation/MessageUi.h"

#include <cstdio>

namespace {
class ConsoleMessageUi final : public IMessageUi {
public:
    int MsgBox(const QString& prompt, int style, const QString& title) override {
        std::fprintf(stderr, "[%s] %s\n", qPrintable(title), qPrintable(prompt));
        return DefaultAnswer(style);
    }
};

ConsoleMessageUi g_console;
IMessageUi* g_ui = nullptr;
}  // namespace

IMessageUi& MessageUi() { return g_ui ? *g_ui : g_console; }

IMessageUi* SetMessageUi(IMessageUi* ui) {
    IMessageUi* old = g_ui;
    g_ui = ui;
    return old;
}

int DefaultAnswer(int style) {
    static const int answers[6][3] = {
        {Mb::OK, Mb::OK, Mb::OK},
        {Mb::OK, Mb::Cancel, Mb::Cancel},
        {Mb::Abort, Mb::Retry, Mb::Ignore},
        {Mb::Yes, Mb::No, Mb::Cancel},
        {Mb::Yes, Mb::No, Mb::No},
        {Mb::Retry, Mb::Cancel, Mb::Cancel},
    };
    int buttons = style & Mb::ButtonsMask;
    if (buttons == Mb::YesYesToAllNoCancel) {
        static const int four[4] = {Mb::Yes, Mb::YesToAll, Mb::No, Mb::Cancel};
        const int which = (style & 0xF00) >> 8;
        return four[which < 4 ? which : 0];
    }
    if (buttons > 5) buttons = 0;
    int which = (style & 0xF00) >> 8;
    if (which > 2) which = 0;
    return answers[buttons][which];
}
