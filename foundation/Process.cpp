#include "foundation/Process.h"

#include "foundation/Errors.h"

#include <QCoreApplication>
#include <QProcess>

namespace {
// How long one wait for the child lasts before the event loop runs again.
constexpr int kWaitSliceMs = 100;
}  // namespace

clsProcess::clsProcess() = default;

clsProcess::~clsProcess() {
    try {
        endChild();
    } catch (...) {
        DisplayErrorMessage();
    }
}

void clsProcess::endChild() {
    if (!m_process) return;
    if (m_process->state() != QProcess::NotRunning) {
        m_process->kill();
        m_process->waitForFinished(5000);
    }
    m_process.reset();
}

bool clsProcess::StartNewProcess(const QString& program, const QStringList& arguments, bool waitForEnd) {
    try {
        endChild();
        m_process = std::make_unique<QProcess>();
        m_errorOutput.clear();
        m_process->setProcessChannelMode(m_keepErrorOutput ? QProcess::ForwardedOutputChannel
                                                           : QProcess::ForwardedChannels);
        m_process->setStandardInputFile(QProcess::nullDevice());
        m_process->setProgram(program);
        m_process->setArguments(arguments);
        m_process->start();
        if (!m_process->waitForStarted(-1)) return false;
        if (waitForEnd) {
            while (!m_process->waitForFinished(kWaitSliceMs)) {
                if (m_process->state() == QProcess::NotRunning) break;
                QCoreApplication::processEvents();
            }
            QCoreApplication::processEvents();
        }
        return true;
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("StartNewProcess"), program, arguments.join(QLatin1Char(' ')), waitForEnd));
    }
}

bool clsProcess::IsRunning() const { return m_process && m_process->state() != QProcess::NotRunning; }

int clsProcess::ExitCode() const {
    if (!m_process || m_process->state() != QProcess::NotRunning) return -1;
    if (m_process->error() == QProcess::FailedToStart) return -1;
    if (m_process->exitStatus() != QProcess::NormalExit) return -1;
    return m_process->exitCode();
}

qint64 clsProcess::ProcessId() const { return m_process ? m_process->processId() : 0; }

void clsProcess::collectErrorOutput() {
    if (!m_process || !m_keepErrorOutput) return;
    m_errorOutput += m_process->readAllStandardError();
    constexpr qsizetype kKeep = 64 * 1024;
    if (m_errorOutput.size() > kKeep) m_errorOutput.remove(0, m_errorOutput.size() - kKeep);
}

QByteArray clsProcess::ErrorOutput() {
    collectErrorOutput();
    return m_errorOutput;
}

bool clsProcess::WaitForEnd(int milliseconds) {
    if (!m_process) return true;
    if (m_process->state() != QProcess::NotRunning) m_process->waitForFinished(milliseconds);
    collectErrorOutput();
    return m_process->state() == QProcess::NotRunning;
}

void clsProcess::Kill() {
    if (!m_process || m_process->state() == QProcess::NotRunning) return;
    m_process->kill();
    m_process->waitForFinished(5000);
    collectErrorOutput();
}
