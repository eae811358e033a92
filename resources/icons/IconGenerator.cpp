// Draws the program's icon for the desktop's menus and saves it as PNG files
// in the layout of an icon theme:
//   icon_generator <output folder> <size>...
// writes <output folder>/<size>x<size>/apps/sonivard.png for each size.  Run by
// the build; the pictures are not kept in the source tree.
//
// The icon: a blue tile in the colours of the "Fun Blue" skin holding a list
// of ticked rows (the results list) and a double music note in front of it.
// Drawn afresh for every size, so small sizes stay sharp; below 32 pixels the
// rows are left out.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cstdio>

namespace {

QImage DrawIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);  // drawn on a 256 x 256 grid

    // Outlines at least one pixel wide.
    const qreal pixel = 256.0 / size;
    const QColor rim(0x12, 0x35, 0x70);

    // The tile.
    const QRectF tile(8, 8, 240, 240);
    QLinearGradient face(0, 8, 0, 248);
    face.setColorAt(0, QColor(0x4a, 0x8b, 0xe0));
    face.setColorAt(1, QColor(0x1f, 0x55, 0xa8));
    p.setPen(QPen(rim, std::max<qreal>(6, pixel)));
    p.setBrush(face);
    p.drawRoundedRect(tile.adjusted(3, 3, -3, -3), 44, 44);

    // The results list: three rows with a ticked box each.
    if (size >= 32) {
        for (int row = 0; row < 3; ++row) {
            const qreal y = 52 + row * 44;
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0xe6, 0xef, 0xfb));
            p.drawRoundedRect(QRectF(40, y, 112, 28), 6, 6);
            p.setBrush(Qt::white);
            p.setPen(QPen(QColor(0x2f, 0x6a, 0xc0), 3));
            p.drawRect(QRectF(46, y + 5, 18, 18));
            QPainterPath tick;
            tick.moveTo(49, y + 14);
            tick.lineTo(54, y + 19);
            tick.lineTo(62, y + 8);
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(QColor(0x1c, 0x4f, 0xa3), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPath(tick);
        }
    }

    // The double note: two heads, two stems, one beam; white with a dark rim.
    // Alone, it takes the middle, larger.
    if (size < 32) {
        p.translate(128, 134);
        p.scale(1.3, 1.3);
        p.translate(-128, -134);
    }
    const qreal x = size >= 32 ? 0 : -40;
    QPainterPath note;
    note.addEllipse(QRectF(x + 110, 168, 50, 38));
    note.addEllipse(QRectF(x + 176, 152, 50, 38));
    note.addRect(QRectF(x + 146, 78, 14, 108));
    note.addRect(QRectF(x + 212, 62, 14, 108));
    QPainterPath beam;
    beam.moveTo(x + 146, 78);
    beam.lineTo(x + 226, 62);
    beam.lineTo(x + 226, 92);
    beam.lineTo(x + 146, 108);
    beam.closeSubpath();
    note = note.united(beam);
    p.setPen(QPen(rim, std::max<qreal>(8, pixel), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPath(note);
    p.end();
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: icon_generator <output folder> <size>...\n");
        return 2;
    }
    for (qsizetype i = 2; i < args.size(); ++i) {
        bool ok = false;
        const int size = args[i].toInt(&ok);
        if (!ok || size < 16 || size > 1024) {
            std::fprintf(stderr, "icon_generator: not a size: %s\n", qPrintable(args[i]));
            return 2;
        }
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(args[1], QString::number(size));
        if (!QDir().mkpath(folder)) {
            std::fprintf(stderr, "icon_generator: cannot create %s\n", qPrintable(folder));
            return 1;
        }
        const QString path = folder + QStringLiteral("/sonivard.png");
        QImageWriter writer(path, "png");
        if (!writer.write(DrawIcon(size))) {
            std::fprintf(stderr, "icon_generator: %s: %s\n", qPrintable(path), qPrintable(writer.errorString()));
            return 1;
        }
    }
    return 0;
}
