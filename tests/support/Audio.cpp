#include "support/Audio.h"
#include "support/TestFiles.h"

#include <QProcess>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>
#include <cmath>
#include <cstdint>

QByteArray MakeWav(int sampleRate, int channels, int milliseconds, double frequency) {
    const int64_t frames = int64_t(sampleRate) * milliseconds / 1000;
    const uint32_t dataBytes = uint32_t(frames * channels * 2);
    QByteArray wav;
    auto u32 = [&](uint32_t v) {
        char b[4];
        qToLittleEndian(v, b);
        wav.append(b, 4);
    };
    auto u16 = [&](uint16_t v) {
        char b[2];
        qToLittleEndian(v, b);
        wav.append(b, 2);
    };
    wav += "RIFF";
    u32(36 + dataBytes);
    wav += "WAVEfmt ";
    u32(16);
    u16(1);
    u16(uint16_t(channels));
    u32(uint32_t(sampleRate));
    u32(uint32_t(sampleRate * channels * 2));
    u16(uint16_t(channels * 2));
    u16(16);
    wav += "data";
    u32(dataBytes);
    for (int64_t i = 0; i < frames; ++i) {
        const auto sample = int16_t(std::lround(9000.0 * std::sin(2.0 * M_PI * frequency * double(i) / sampleRate)));
        for (int c = 0; c < channels; ++c) u16(uint16_t(sample));
    }
    return wav;
}

QString LameProgram() { return QStandardPaths::findExecutable(QStringLiteral("lame")); }

bool RunLame(const QStringList& args, QString* errorText) {
    QProcess lame;
    lame.start(LameProgram(), QStringList{QStringLiteral("--quiet")} + args);
    if (!lame.waitForFinished(60000)) return false;
    if (errorText) *errorText = QString::fromLocal8Bit(lame.readAllStandardError());
    return lame.exitStatus() == QProcess::NormalExit && lame.exitCode() == 0;
}

const QByteArray& LameAudio() {
    static const QByteArray audio = [] {
        if (LameProgram().isEmpty()) return QByteArray();
        QTemporaryDir dir;
        const QString wav = dir.filePath(QStringLiteral("tone.wav"));
        const QString mp3 = dir.filePath(QStringLiteral("tone.mp3"));
        QFile out(wav);
        if (!out.open(QIODevice::WriteOnly)) return QByteArray();
        out.write(MakeWav(44100, 2, 600));
        out.close();
        if (!RunLame({QStringLiteral("-b"), QStringLiteral("128"), wav, mp3})) return QByteArray();
        return ReadBytes(mp3);
    }();
    return audio;
}
