#pragma once
// Small measuring helpers the benchmarks share.

#include <QByteArray>
#include <QFile>
#include <QString>

// The resident memory of this process in KiB, -1 when it cannot be read.
inline long ResidentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}
