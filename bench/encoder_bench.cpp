// The Encoder Decoder window, driven for real (offscreen or under Xvfb).
//
//   encoder_bench [--files N] [--ms M]
//       Writes N short WAV files (default 20 of 300 ms), then times, three
//       times each in one run: LAME alone (the same arguments, one file after
//       the other, straight from this program) and the window's Encode All
//       over the same files.  Prints the best of each and what the window
//       adds per file in milliseconds.
//
//   encoder_bench --screenshot FILE [--dialog options [--page N]] [--no-skins] [--delay MS]
//       Shows the window with a few rows (or the Encoder Decoder Options
//       dialog) and saves a PNG of it (scripts/screenshot-encoder.sh runs it
//       under Xvfb).

#include "encoder/EncoderFileListModel.h"
#include "encoder/LameSwitches.h"
#include "encoder/ui/EncoderDecoder.h"
#include "encoder/ui/EncoderOptionsDialog.h"
#include "foundation/MessageUi.h"
#include "foundation/OptionRecords.h"
#include "foundation/ResourceStrings.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

QByteArray MakeWav(int sampleRate, int channels, int milliseconds) {
    const int64_t frames = int64_t(sampleRate) * milliseconds / 1000;
    const uint32_t dataBytes = uint32_t(frames * channels * 2);
    QByteArray wav;
    auto u32 = [&](uint32_t v) { char b[4]; qToLittleEndian(v, b); wav.append(b, 4); };
    auto u16 = [&](uint16_t v) { char b[2]; qToLittleEndian(v, b); wav.append(b, 2); };
    wav += "RIFF";
    u32(36 + dataBytes);
    wav += "WAVEfmt ";
    u32(16); u16(1); u16(uint16_t(channels)); u32(uint32_t(sampleRate));
    u32(uint32_t(sampleRate * channels * 2)); u16(uint16_t(channels * 2)); u16(16);
    wav += "data";
    u32(dataBytes);
    for (int64_t i = 0; i < frames; ++i) {
        const auto s = int16_t(std::lround(9000.0 * std::sin(2.0 * M_PI * 440.0 * double(i) / sampleRate)));
        for (int c = 0; c < channels; ++c) u16(uint16_t(s));
    }
    return wav;
}

EncoderDecoderOptions Defaults() {
    EncoderDecoderOptions o;
    o.lngBitrate = 12;
    o.lngMaximumVBRBitrate = 12;
    o.intQuality = 4;
    o.intTargetBitrateForABR = 128;
    o.lngOutputSamplingFrequency = 1;
    o.blnSameAsInputDirectory = true;
    o.blnEnableVBR = true;
    o.dblHighPassFilteringFreqkHz = 0.001;
    o.dblLowPassFilteringFreqkHz = 50000;
    return o;
}

// Answers every box with its default (OK): the batch question included.
class SilentUi final : public IMessageUi {
public:
    int MsgBox(const QString&, int style, const QString&) override { return DefaultAnswer(style); }
};

void RemoveOutputs(const QString& dir) {
    for (const QString& name : QDir(dir).entryList({QStringLiteral("*.mp3")}, QDir::Files)) QFile::remove(dir + "/" + name);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sonivard"));
    SetStringTableLanguage(StringTableLanguage::US);
    QCommandLineParser parser;
    parser.addOption({"files", "files in the batch", "N", "20"});
    parser.addOption({"ms", "length of each file", "M", "300"});
    parser.addOption({"screenshot", "save a PNG", "FILE"});
    parser.addOption({"dialog", "the dialog to show", "NAME"});
    parser.addOption({"page", "the options dialog's page (1 to 5)", "N", "1"});
    parser.addOption({"no-skins", "plain controls"});
    parser.addOption({"delay", "wait before the shot", "MS", "800"});
    parser.process(app);

    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    Options().EncoderDecoder = Defaults();
    Options().Preferences.blnUseSkins = !parser.isSet("no-skins");
    SilentUi silent;
    SetMessageUi(&silent);

    QTemporaryDir dir;
    const int files = parser.value("files").toInt();
    QStringList paths;
    for (int i = 0; i < files; ++i) {
        const QString path = dir.filePath(QStringLiteral("Track %1.wav").arg(i + 1, 2, 10, QLatin1Char('0')));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(MakeWav(44100, 2, parser.value("ms").toInt()));
        paths << path;
    }

    if (parser.isSet("screenshot")) {
        QWidget* shown = nullptr;
        FormEncoderDecoder* window = nullptr;
        std::unique_ptr<DialogEncoderDecoderOptions> dialog;
        if (parser.value("dialog") == QLatin1String("options")) {
            dialog = std::make_unique<DialogEncoderDecoderOptions>();
            dialog->show();
            dialog->TabStripOptions->setCurrentIndex(parser.value("page").toInt() - 1);
            shown = dialog.get();
        } else {
            window = new FormEncoderDecoder;
            window->AddFilesToEncoderList(paths.mid(0, 6));
            window->Files()->setChecked(2, false);
            window->ListViewFiles->setCurrentIndex(window->Files()->index(1, 0));
            shown = window;
        }
        QTimer::singleShot(parser.value("delay").toInt(), [&] {
            shown->grab().save(parser.value("screenshot"));
            app.quit();
        });
        return app.exec();
    }

    const QString lame = QStandardPaths::findExecutable(QStringLiteral("lame"));
    if (lame.isEmpty()) {
        std::fprintf(stderr, "lame is not installed\n");
        return 1;
    }
    const QStringList switches = BuildLameArguments(Defaults(), false);
    double lameBest = 1e99, windowBest = 1e99;
    for (int round = 0; round < 3; ++round) {
        RemoveOutputs(dir.path());
        QElapsedTimer t;
        t.start();
        for (const QString& path : paths) {
            QProcess p;
            p.start(lame, QStringList{QStringLiteral("-S")} + switches +
                              QStringList{path, path.chopped(4) + QStringLiteral(".mp3")});
            p.waitForFinished(-1);
        }
        lameBest = std::min(lameBest, double(t.elapsed()));

        RemoveOutputs(dir.path());
        auto* window = new FormEncoderDecoder;
        window->Converter().lameProgram = lame;
        window->AddFilesToEncoderList(paths);
        t.restart();
        window->BtnEncodeAll_Click();
        windowBest = std::min(windowBest, double(t.elapsed()));
        window->mnuFileExit_Click();
        QCoreApplication::processEvents();
    }
    std::printf("files %d, LAME alone %.0f ms, window batch %.0f ms, window adds %.1f ms per file\n", files,
                lameBest, windowBest, (windowBest - lameBest) / files);
    return 0;
}
