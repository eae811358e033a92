#include "foundation/ResourceStrings.h"

#include "foundation/Errors.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QMediaDevices>
#include <QPointer>
#include <QSoundEffect>
#include <QTemporaryFile>
#include <QThread>
#include <QUrl>

// The sounds are compiled in with the string tables; register them before the
// first look-up, as the static library's initialiser may have been dropped.
static void InitCompiledSounds() { Q_INIT_RESOURCE(resources); }

namespace {

QString SoundResourcePath(int32_t lngId) { return QStringLiteral(":/sounds/%1.wav").arg(lngId); }

// The multimedia layer reports a missing sound server with a warning of its
// own; on a machine without one that is expected and says nothing useful, so
// it is kept out of the log while the outputs are listed.
QtMessageHandler g_forwardTo = nullptr;

void DropSoundServerWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg && message.startsWith(QLatin1String("PulseAudioService:"))) return;
    if (g_forwardTo) g_forwardTo(type, context, message);
}

bool AnyAudioOutput() {
    g_forwardTo = qInstallMessageHandler(DropSoundServerWarnings);
    const bool any = !QMediaDevices::audioOutputs().isEmpty();
    qInstallMessageHandler(g_forwardTo);
    g_forwardTo = nullptr;
    return any;
}

// Keeps every sound that has been played loaded for the rest of the run: the
// effect plays from a private temporary copy of the wave image (the effect
// needs a URL), and both live until the application object goes away.
class SoundCache : public QObject {
public:
    explicit SoundCache(QObject* parent) : QObject(parent) {
        // With no audio output at all (a build server, a virtual display) the
        // effects are never created, so nothing tries to open a device.
        m_haveOutput = AnyAudioOutput();
    }

    ~SoundCache() override {
        // The effects go before the files they read.
        for (QSoundEffect* effect : std::as_const(m_effects)) delete effect;
        m_effects.clear();
    }

    // The effect for a sound, created on first use; null when nothing can play.
    QSoundEffect* effectFor(int32_t lngId) {
        if (auto it = m_effects.constFind(lngId); it != m_effects.constEnd()) return *it;
        // Reading the bytes first reports an unknown sound even without a device.
        const QByteArray bytes = ResourceSoundBytes(lngId);
        if (!m_haveOutput) {
            m_effects.insert(lngId, nullptr);
            return nullptr;
        }

        auto* file = new QTemporaryFile(QStringLiteral("%1/sonivard-sound-XXXXXX.wav").arg(QDir::tempPath()), this);
        if (!file->open() || file->write(bytes) != bytes.size() || !file->flush()) {
            delete file;
            m_effects.insert(lngId, nullptr);  // no second attempt this run
            return nullptr;
        }
        auto* effect = new QSoundEffect;
        effect->setSource(QUrl::fromLocalFile(file->fileName()));
        m_effects.insert(lngId, effect);
        return effect;
    }

private:
    bool m_haveOutput = false;
    QHash<int32_t, QSoundEffect*> m_effects;
};

SoundCache* Cache() {
    static QPointer<SoundCache> cache;
    if (!cache) {
        QCoreApplication* app = QCoreApplication::instance();
        if (!app) return nullptr;
        cache = new SoundCache(app);
    }
    return cache;
}

}  // namespace

QByteArray ResourceSoundBytes(int32_t lngId) {
    static const bool initialised = (InitCompiledSounds(), true);
    (void)initialised;
    QFile file(SoundResourcePath(lngId));
    if (!file.open(QIODevice::ReadOnly)) RaiseError(ErrNo::ResourceNotFound);
    return file.readAll();
}

void PlayResourceSound(int32_t lngId) {
    WithTrail(QStringLiteral("PlayResourceSound"), [&] {
        // Sounds play from the program's own thread; without an application
        // object (or from a worker thread) there is no event loop to play them.
        QCoreApplication* app = QCoreApplication::instance();
        if (!app || QThread::currentThread() != app->thread()) {
            ResourceSoundBytes(lngId);
            return;
        }
        SoundCache* cache = Cache();
        if (QSoundEffect* effect = cache ? cache->effectFor(lngId) : nullptr) {
            // A click during the previous one starts it again from the top.
            effect->stop();
            effect->play();
        }
    });
}
