#pragma once
// A message box stand-in for tests: records every box, answers from a queue
// (then with each box's default button), and never blocks.

#include "foundation/MessageUi.h"

#include <QString>
#include <QTemporaryDir>
#include <deque>
#include <vector>

struct ShownBox {
    QString prompt;
    int style = 0;
    QString title;
};

class ScriptedUi final : public IMessageUi {
public:
    ScriptedUi() { m_previous = SetMessageUi(this); }
    ~ScriptedUi() override { SetMessageUi(m_previous); }
    ScriptedUi(const ScriptedUi&) = delete;
    ScriptedUi& operator=(const ScriptedUi&) = delete;

    int MsgBox(const QString& prompt, int style, const QString& title) override {
        shown.push_back({prompt, style, title});
        if (answers.empty()) return DefaultAnswer(style);
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<ShownBox> shown;
    std::deque<int> answers;

private:
    IMessageUi* m_previous = nullptr;
};

// A temporary folder that also serves as XDG_CONFIG_HOME / XDG_DATA_HOME for
// the test's lifetime, so nothing touches the real user's settings.
class TempHome {
public:
    TempHome();
    ~TempHome();
    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QByteArray m_oldConfig, m_oldData;
    bool m_hadConfig = false, m_hadData = false;
};
