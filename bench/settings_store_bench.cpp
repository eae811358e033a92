// Settings store speed: the start-up pattern (hundreds of typed reads) and a
// window's unload (a burst of writes).  Prints reads and writes per second.
#include "foundation/SettingsStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    const int keys = 600;
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < keys; ++i)
        SaveOptionSetting(QStringLiteral("Section%1").arg(i % 30), QStringLiteral("Key%1").arg(i), i,
                          SettingType::Long);
    const double writeSecs = t.nsecsElapsed() / 1e9;
    t.restart();
    long long sum = 0;
    const int rounds = 20;
    for (int r = 0; r < rounds; ++r)
        for (int i = 0; i < keys; ++i)
            sum += GetOptionSetting(QStringLiteral("section%1").arg(i % 30), QStringLiteral("KEY%1").arg(i),
                                    QStringLiteral("0"), SettingType::Long)
                       .toInt();
    const double readSecs = t.nsecsElapsed() / 1e9;
    t.restart();
    for (int i = 0; i < keys; ++i)  // unchanged values: no rewrite needed
        SaveOptionSetting(QStringLiteral("Section%1").arg(i % 30), QStringLiteral("Key%1").arg(i), i,
                          SettingType::Long);
    const double sameSecs = t.nsecsElapsed() / 1e9;
    std::printf("writes: %.0f/s, unchanged writes: %.0f/s, reads: %.0f/s (checksum %lld)\n", keys / writeSecs,
                keys / sameSecs, keys * rounds / readSecs, sum);
    return 0;
}
