#pragma once
// A common-dialog stand-in for tests: records every dialog shown (kind and
// the properties it was shown with) and answers from a queue; an empty queue
// cancels.  An answer may change the dialog's properties as the user would.

#include "foundation/Dialogs.h"

#include <deque>
#include <functional>
#include <vector>

struct ShownDialog {
    CommonDialog::Kind kind;
    QString name;  // the dialog control's name
    QString title, filter, fileName, initDir;
    int32_t flags = 0;
    int32_t color = 0;
};

class ScriptedDialogs final : public IDialogUi {
public:
    // Returns false to cancel; may set FileName, Color, Font... on OK.
    using Answer = std::function<bool(CommonDialog&)>;

    ScriptedDialogs() { m_previous = SetDialogUi(this); }
    ~ScriptedDialogs() override { SetDialogUi(m_previous); }
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    bool ShowDialog(CommonDialog::Kind kind, CommonDialog& d) override {
        shown.push_back({kind, d.name(), d.DialogTitle, d.Filter, d.FileName, d.InitDir, d.Flags, d.Color});
        if (answers.empty()) return false;
        Answer answer = std::move(answers.front());
        answers.pop_front();
        return answer(d);
    }

    // Common answers.
    static Answer Cancel() { return [](CommonDialog&) { return false; }; }
    static Answer ChooseFile(QString path) {
        return [path](CommonDialog& d) { d.FileName = path; return true; };
    }
    static Answer ChooseColour(int32_t colour) {
        return [colour](CommonDialog& d) { d.Color = colour; return true; };
    }

    std::vector<ShownDialog> shown;
    std::deque<Answer> answers;

private:
    IDialogUi* m_previous = nullptr;
};
