// Shows the CD Ripper with a generated disc image in its drive list (three
// audio tracks and a data track), for a look at the window; with
// --screenshot FILE saves a PNG of it and quits.
//   ripper_window_demo [--no-skins] [--scheme NAME] [--screenshot FILE] [--delay MS]

#include "foundation/MessageUi.h"
#include "foundation/OptionRecords.h"
#include "foundation/Twips.h"
#include "foundation/ui/QtMessageUi.h"
#include "ripper/CdDrive.h"
#include "ripper/ui/CDRipper.h"
#include "tests/support/DiscImage.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLineEdit>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sonivard"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("scheme"), QStringLiteral("Skin scheme."), QStringLiteral("name"),
                      QStringLiteral("Fun Blue")});
    parser.addOption({QStringLiteral("no-skins"), QStringLiteral("Plain window.")});
    parser.addOption({QStringLiteral("screenshot"), QStringLiteral("Save a PNG and quit."), QStringLiteral("file")});
    parser.addOption({QStringLiteral("delay"), QStringLiteral("Milliseconds before the screenshot."),
                      QStringLiteral("ms"), QStringLiteral("800")});
    parser.process(app);

    // Settings and the disc go to a scratch folder: the demo never touches the user's.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    InitialiseTwipsPerPixel();
    QtMessageUi messageUi;
    SetMessageUi(&messageUi);
    Options().Preferences.blnUseSkins = !parser.isSet(QStringLiteral("no-skins"));
    Options().Preferences.strSkinScheme = parser.value(QStringLiteral("scheme"));

    const DiscImage image = WriteDiscImage(home.path(), QStringLiteral("Demo Disc"), {16500, 13200, 20100}, 3000);
    const QString cue = image.cuePath;
    SetCdDriveListerForTesting([cue] { return QStringList{cue}; });

    auto* window = new FormCDRipper;
    window->TextOutputDirectory->setText(QStringLiteral("/home/someone/Music/Rips"));
    window->move(40, 40);

    if (parser.isSet(QStringLiteral("screenshot"))) {
        const QString file = parser.value(QStringLiteral("screenshot"));
        QTimer::singleShot(parser.value(QStringLiteral("delay")).toInt(), [window, file] {
            QScreen* screen = window->screen();
            const QRect area = window->frameGeometry().adjusted(-12, -12, 12, 12);
            const QPixmap shot = screen->grabWindow(0, area.x(), area.y(), area.width(), area.height());
            const bool ok = shot.save(file, "PNG");
            std::fprintf(stderr, "%s %s (%dx%d)\n", ok ? "saved" : "could not save", qPrintable(file), shot.width(),
                         shot.height());
            QApplication::exit(ok ? 0 : 1);
        });
    }
    const int rc = QApplication::exec();
    SetMessageUi(nullptr);
    return rc;
}
