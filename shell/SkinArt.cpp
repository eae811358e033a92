#include "shell/SkinArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

const std::array<QString, kSkinPictureCount>& SkinPictureFiles() {
    static const std::array<QString, kSkinPictureCount> files = {
        QStringLiteral("TitleBar.jpg"),  QStringLiteral("ButtonUP.Jpg"),   QStringLiteral("ButtonDN.Jpg"),
        QStringLiteral("CheckON.Jpg"),   QStringLiteral("CheckOFF.Jpg"),   QStringLiteral("CloseUP.Jpg"),
        QStringLiteral("CloseDN.Jpg"),   QStringLiteral("MinimizeUP.Jpg"), QStringLiteral("MinimizeDN.Jpg"),
        QStringLiteral("RadioON.Jpg"),   QStringLiteral("RadioOFF.Jpg"),   QStringLiteral("RestoreUP.Jpg"),
        QStringLiteral("RestoreDN.Jpg"), QStringLiteral("800x600.Jpg"),
    };
    return files;
}

SkinPalette FunBlueSkinPalette() {
    SkinPalette p;
    // Deep enough under the gloss for the white title to read (4.5:1).
    p.titleTop = QColor(0x26, 0x60, 0xb0);
    p.titleBottom = QColor(0x16, 0x3c, 0x80);
    p.titleHighlight = QColor(0x9c, 0xc6, 0xf5);
    p.titleShadow = QColor(0x12, 0x35, 0x70);
    p.background = QColor(0xe6, 0xef, 0xfb);
    p.backgroundStripe = QColor(0xdd, 0xe9, 0xf8);
    p.faceTop = QColor(0xf6, 0xfa, 0xff);
    p.faceBottom = QColor(0xc9, 0xde, 0xf9);
    p.faceBorder = QColor(0x2f, 0x6a, 0xc0);
    // The held-down face carries the white caption: 4.5:1 or more all down.
    p.downTop = QColor(0x1f, 0x55, 0xa8);
    p.downBottom = QColor(0x2f, 0x6c, 0xc4);
    p.downBorder = QColor(0x15, 0x3f, 0x85);
    p.boxFace = QColor(0xff, 0xff, 0xff);
    p.boxBorder = QColor(0x2f, 0x6a, 0xc0);
    p.mark = QColor(0x1c, 0x4f, 0xa3);
    p.chromeFace = QColor(0x6c, 0xa2, 0xea);
    p.chromeBorder = QColor(0xd8, 0xe8, 0xfc);
    p.chromeGlyph = QColor(0xff, 0xff, 0xff);
    p.closeFace = QColor(0xd9, 0x4b, 0x45);
    p.closeBorder = QColor(0xfb, 0xd9, 0xd6);
    return p;
}

SkinPalette SlateSkinPalette() {
    SkinPalette p;
    p.titleTop = QColor(0x4b, 0x55, 0x60);
    p.titleBottom = QColor(0x2b, 0x32, 0x3a);
    p.titleHighlight = QColor(0x7d, 0x88, 0x94);
    p.titleShadow = QColor(0x16, 0x1a, 0x1e);
    p.background = QColor(0xec, 0xee, 0xef);
    p.backgroundStripe = QColor(0xe4, 0xe7, 0xe9);
    p.faceTop = QColor(0xfb, 0xfb, 0xfb);
    p.faceBottom = QColor(0xd5, 0xda, 0xde);
    p.faceBorder = QColor(0x1f, 0x8a, 0x84);
    // The held-down face carries the white caption: 4.5:1 or more all down.
    p.downTop = QColor(0x13, 0x5f, 0x5b);
    p.downBottom = QColor(0x1c, 0x7d, 0x77);
    p.downBorder = QColor(0x0f, 0x4f, 0x4b);
    p.boxFace = QColor(0xff, 0xff, 0xff);
    p.boxBorder = QColor(0x1f, 0x8a, 0x84);
    p.mark = QColor(0x17, 0x6e, 0x69);
    p.chromeFace = QColor(0x5d, 0x68, 0x74);
    p.chromeBorder = QColor(0xa9, 0xb3, 0xbd);
    p.chromeGlyph = QColor(0xf2, 0xf4, 0xf5);
    p.closeFace = QColor(0x1f, 0x8a, 0x84);
    p.closeBorder = QColor(0xb5, 0xe3, 0xdf);
    return p;
}

SkinPalette DesignSkinPalette() {
    SkinPalette p = FunBlueSkinPalette();
    p.titleTop = QColor(0xe6, 0xeb, 0xf2);
    p.titleBottom = QColor(0xbf, 0xc9, 0xd6);
    p.titleHighlight = QColor(0xf7, 0xf9, 0xfb);
    p.titleShadow = QColor(0x8e, 0x9a, 0xaa);
    p.background = QColor(0xee, 0xf0, 0xf3);
    p.backgroundStripe = QColor(0xee, 0xf0, 0xf3);
    p.chromeFace = QColor(0x7d, 0x8c, 0xa0);
    p.chromeBorder = QColor(0xf0, 0xf3, 0xf7);
    p.closeFace = QColor(0xb0, 0x5a, 0x55);
    p.chromeSize = 13;
    return p;
}

namespace {

QImage Canvas(int w, int h, const QColor& fill) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

QImage TitleBar(const SkinPalette& p) {
    QImage image = Canvas(800, 26, p.titleBottom);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 0, 26);
    gradient.setColorAt(0.0, p.titleTop);
    gradient.setColorAt(1.0, p.titleBottom);
    painter.fillRect(image.rect(), gradient);
    // A soft gloss over the upper half.
    QLinearGradient gloss(0, 0, 0, 13);
    QColor white(255, 255, 255, 60);
    gloss.setColorAt(0.0, white);
    gloss.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.fillRect(QRect(0, 0, 800, 13), gloss);
    painter.setPen(p.titleHighlight);
    painter.drawLine(0, 0, 799, 0);
    painter.setPen(p.titleShadow);
    painter.drawLine(0, 25, 799, 25);
    return image;
}

QImage Background(const SkinPalette& p) {
    QImage image = Canvas(800, 600, p.background);
    if (p.backgroundStripe != p.background) {
        QPainter painter(&image);
        painter.setPen(p.backgroundStripe);
        // Diagonal pin-stripes every 8 pixels: 800 and 600 are multiples of
        // 8, so the cells tile without a seam.
        for (int k = -600; k < 800; k += 8) painter.drawLine(k, 600, k + 600, 0);
    }
    return image;
}

QImage PushButton(const SkinPalette& p, bool down) {
    QImage image = Canvas(96, 26, p.background);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 0, 26);
    gradient.setColorAt(0.0, down ? p.downTop : p.faceTop);
    gradient.setColorAt(1.0, down ? p.downBottom : p.faceBottom);
    QPainterPath path;
    path.addRoundedRect(QRectF(0.5, 0.5, 95, 25), 5, 5);
    painter.fillPath(path, gradient);
    painter.setPen(QPen(down ? p.downBorder : p.faceBorder, 1));
    painter.drawPath(path);
    if (!down) {
        painter.setPen(QPen(QColor(255, 255, 255, 150), 1));
        painter.drawLine(QPointF(5, 1.5), QPointF(91, 1.5));
    }
    return image;
}

QImage CheckBox(const SkinPalette& p, bool on) {
    QImage image = Canvas(15, 15, p.boxFace);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(p.boxBorder, 1));
    painter.drawRect(QRectF(0.5, 0.5, 14, 14));
    if (on) {
        QPen pen(p.mark, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        painter.setPen(pen);
        QPainterPath tick;
        tick.moveTo(3.5, 7.5);
        tick.lineTo(6.2, 10.5);
        tick.lineTo(11.5, 4.0);
        painter.drawPath(tick);
    }
    return image;
}

QImage Radio(const SkinPalette& p, bool on) {
    QImage image = Canvas(15, 15, p.background);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(p.boxBorder, 1));
    painter.setBrush(p.boxFace);
    painter.drawEllipse(QRectF(0.5, 0.5, 14, 14));
    if (on) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(p.mark);
        painter.drawEllipse(QRectF(4, 4, 7, 7));
    }
    return image;
}

enum class Glyph { Minimise, Restore, Close };

QImage ChromeButton(const SkinPalette& p, Glyph glyph, bool down) {
    // The buttons sit on the title bar: the corners take its colour there.
    // Drawn on an 18-pixel grid, scaled to the palette's size.
    QImage image = Canvas(p.chromeSize, p.chromeSize, p.titleBottom);
    QPainter painter(&image);
    painter.scale(p.chromeSize / 18.0, p.chromeSize / 18.0);
    QLinearGradient under(0, -4, 0, 22);
    under.setColorAt(0.0, p.titleTop);
    under.setColorAt(1.0, p.titleBottom);
    painter.fillRect(QRect(0, 0, 18, 18), under);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor face = glyph == Glyph::Close ? p.closeFace : p.chromeFace;
    QColor border = glyph == Glyph::Close ? p.closeBorder : p.chromeBorder;
    if (down) face = face.darker(135);
    QPainterPath path;
    path.addRoundedRect(QRectF(0.5, 0.5, 17, 17), 4, 4);
    painter.fillPath(path, face);
    painter.setPen(QPen(border, 1));
    painter.drawPath(path);
    QPen pen(p.chromeGlyph, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const qreal o = down ? 0.5 : 0.0;
    switch (glyph) {
    case Glyph::Minimise:
        painter.drawLine(QPointF(5 + o, 12.5 + o), QPointF(13 + o, 12.5 + o));
        break;
    case Glyph::Restore:
        painter.drawRect(QRectF(5 + o, 5 + o, 8, 8));
        break;
    case Glyph::Close:
        painter.drawLine(QPointF(5.5 + o, 5.5 + o), QPointF(12.5 + o, 12.5 + o));
        painter.drawLine(QPointF(12.5 + o, 5.5 + o), QPointF(5.5 + o, 12.5 + o));
        break;
    }
    return image;
}

}  // namespace

QImage DrawSkinPicture(int n, const SkinPalette& p) {
    switch (n) {
    case 0: return TitleBar(p);
    case 1: return PushButton(p, false);
    case 2: return PushButton(p, true);
    case 3: return CheckBox(p, true);
    case 4: return CheckBox(p, false);
    case 5: return ChromeButton(p, Glyph::Close, false);
    case 6: return ChromeButton(p, Glyph::Close, true);
    case 7: return ChromeButton(p, Glyph::Minimise, false);
    case 8: return ChromeButton(p, Glyph::Minimise, true);
    case 9: return Radio(p, true);
    case 10: return Radio(p, false);
    case 11: return ChromeButton(p, Glyph::Restore, false);
    case 12: return ChromeButton(p, Glyph::Restore, true);
    case 13: return Background(p);
    default: return QImage();
    }
}
