#include "foundation/Errors.h"
#include "foundation/ResourceStrings.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {
uint32_t U32(const QByteArray& b, int at) { return qFromLittleEndian<quint32>(b.constData() + at); }
uint16_t U16(const QByteArray& b, int at) { return qFromLittleEndian<quint16>(b.constData() + at); }
int16_t S16(const QByteArray& b, int at) { return qFromLittleEndian<qint16>(b.constData() + at); }

void SpinEvents(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}
}  // namespace

// The click is a plain PCM wave image: RIFF/WAVE, a 16-byte "fmt " chunk for
// one channel at 22050 Hz and 16 bits, then 594 bytes of samples.
TEST(ClickSound, IsAShortMonoPcmWave) {
    const QByteArray wav = ResourceSoundBytes(101);
    ASSERT_EQ(wav.size(), 44 + 594);
    EXPECT_EQ(wav.left(4), "RIFF");
    EXPECT_EQ(U32(wav, 4), uint32_t(wav.size() - 8));
    EXPECT_EQ(wav.mid(8, 4), "WAVE");
    EXPECT_EQ(wav.mid(12, 4), "fmt ");
    EXPECT_EQ(U32(wav, 16), 16u);
    EXPECT_EQ(U16(wav, 20), 1u);          // PCM
    EXPECT_EQ(U16(wav, 22), 1u);          // channels
    EXPECT_EQ(U32(wav, 24), 22050u);      // samples per second
    EXPECT_EQ(U32(wav, 28), 22050u * 2);  // bytes per second
    EXPECT_EQ(U16(wav, 32), 2u);          // block align
    EXPECT_EQ(U16(wav, 34), 16u);         // bits per sample
    EXPECT_EQ(wav.mid(36, 4), "data");
    EXPECT_EQ(U32(wav, 40), 594u);

    // Audible, yet starting and ending at silence so it does not pop.
    int peak = 0;
    for (int at = 44; at < wav.size(); at += 2) peak = std::max(peak, std::abs(int(S16(wav, at))));
    EXPECT_GT(peak, 8000);
    EXPECT_EQ(S16(wav, 44), 0);
    EXPECT_LT(std::abs(int(S16(wav, wav.size() - 2))), 100);
}

TEST(ClickSound, UnknownSoundRaisesResourceNotFound) {
    try {
        ResourceSoundBytes(102);
        FAIL() << "no error";
    } catch (const SvError& e) {
        EXPECT_EQ(e.number(), ErrNo::ResourceNotFound);
    }
    try {
        PlayResourceSound(102);
        FAIL() << "no error";
    } catch (const SvError& e) {
        EXPECT_EQ(e.number(), ErrNo::ResourceNotFound);
        EXPECT_TRUE(e.description().endsWith("|PlayResourceSound")) << e.description().toStdString();
    }
}

// Playing starts the sound and returns: on a machine without any audio device
// (the test machines) that is silent, and it must neither block nor fail.
TEST(ClickSound, PlayingReturnsAtOnceAndNeverFails) {
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 20; ++i) EXPECT_NO_THROW(PlayResourceSound(101));
    // Generous: only a call that waits for the sound, or for a device, fails this.
    EXPECT_LT(timer.elapsed(), 2000);
    SpinEvents(100);  // let any loading or playback that did start run its course
    EXPECT_NO_THROW(PlayResourceSound(101));
    SpinEvents(50);
}

TEST(ClickSound, PlayingFromAWorkerThreadIsHarmless) {
    bool threw = false;
    QThread* worker = QThread::create([&] {
        try {
            PlayResourceSound(101);
        } catch (...) {
            threw = true;
        }
    });
    worker->start();
    ASSERT_TRUE(worker->wait(5000));
    delete worker;
    EXPECT_FALSE(threw);
}
