#pragma once
// Runs a child program with an argument vector (never through a shell),
// optionally waiting for it while the windows stay alive, and kills a child
// that still runs when the object is destroyed.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

class QProcess;

class clsProcess {
public:
    clsProcess();
    ~clsProcess();
    clsProcess(const clsProcess&) = delete;
    clsProcess& operator=(const clsProcess&) = delete;

    // Starts `program` (a path, or a name looked up on PATH) with `arguments`
    // passed exactly as given, one argument each.  With `waitForEnd` the call
    // returns once the child has ended, yielding to the event loop about ten
    // times a second meanwhile.  False when the child could not be started.
    // The child inherits the program's standard output and error; its input
    // is empty.  Starting again replaces (and ends) an earlier child.
    bool StartNewProcess(const QString& program, const QStringList& arguments, bool waitForEnd);

    // True while the last child runs.
    bool IsRunning() const;
    // The last child's exit code once it has ended normally; -1 while it runs,
    // when it crashed or was killed, or when none was started.
    int ExitCode() const;
    // The last child's process id while it runs, else 0.
    qint64 ProcessId() const;

    // Keep the child's standard error (the last 64 KiB of it) instead of
    // passing it on, so a caller can report the child's own words.  Set
    // before StartNewProcess.
    void SetKeepErrorOutput(bool keep) { m_keepErrorOutput = keep; }
    QByteArray ErrorOutput();
    // Waits at most `milliseconds` for a child started without waiting to
    // end, without yielding; true when no child runs any more.
    bool WaitForEnd(int milliseconds);
    // Ends the running child at once (it gets no chance to finish).
    void Kill();

private:
    void endChild();
    void collectErrorOutput();
    std::unique_ptr<QProcess> m_process;
    bool m_keepErrorOutput = false;
    QByteArray m_errorOutput;
};
