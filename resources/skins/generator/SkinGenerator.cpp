// Draws the pictures of the shipped skin schemes and saves them as JPEG files:
//   skin_generator <scheme name> <output folder>
// Run by the build; the pictures are not kept in the source tree.

#include "shell/SkinArt.h"

#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: skin_generator <scheme> <output folder>\n");
        return 2;
    }
    const QString scheme = args[1];
    SkinPalette palette;
    if (scheme == QLatin1String("Fun Blue"))
        palette = FunBlueSkinPalette();
    else if (scheme == QLatin1String("Slate"))
        palette = SlateSkinPalette();
    else {
        std::fprintf(stderr, "skin_generator: unknown scheme %s\n", qPrintable(scheme));
        return 2;
    }
    QDir out(args[2]);
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "skin_generator: cannot create %s\n", qPrintable(args[2]));
        return 1;
    }
    const auto& files = SkinPictureFiles();
    for (int n = 0; n < kSkinPictureCount; ++n) {
        const QString path = out.filePath(files[static_cast<size_t>(n)]);
        const QString temporary = path + QStringLiteral(".part");
        QImageWriter writer(temporary, "jpeg");
        writer.setQuality(95);
        if (!writer.write(DrawSkinPicture(n, palette))) {
            std::fprintf(stderr, "skin_generator: %s: %s\n", qPrintable(path), qPrintable(writer.errorString()));
            QFile::remove(temporary);
            return 1;
        }
        QFile::remove(path);
        if (!QFile::rename(temporary, path)) {
            std::fprintf(stderr, "skin_generator: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
