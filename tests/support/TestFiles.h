#pragma once
// Files on disk for tests: whole files written and read back, permission
// bits set and read, and file rights given up for a while.  Tests run as
// root in CI, where permission bits alone stop nothing: WithoutFileRights
// makes them count.

#include <QByteArray>
#include <QString>

// Writes `bytes` to `folder`/`name` (making the folder) and returns the path;
// an empty path (and a test failure) when it cannot be written.
QString WriteFile(const QString& folder, const QString& name, const QByteArray& bytes);
// The whole file; empty when it cannot be read.
QByteArray ReadBytes(const QString& path);

// The permission bits (07777) of a file, and setting them.
void SetMode(const QString& path, unsigned mode);
unsigned ModeOf(const QString& path);

// While alive, file access checks run as an unprivileged user (nobody), so a
// file's permission bits apply even when the tests run as root.  Files the
// test must still reach lie in folders others may enter.
class WithoutFileRights {
public:
    WithoutFileRights();
    ~WithoutFileRights();
    WithoutFileRights(const WithoutFileRights&) = delete;
    WithoutFileRights& operator=(const WithoutFileRights&) = delete;

private:
    bool m_switched = false;
};
