#include "shell/ui/Splash.h"

#include "foundation/Errors.h"
#include "foundation/Twips.h"
#include "shell/start/VersionInfo.h"
#include "shell/ui/ControlUtils.h"
#include "shell/ui/SkinWidgets.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QScreen>
#include <QTimer>
#include <cmath>

namespace {

SplashWait::Clock MonotonicClock() {
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    return [timer] { return static_cast<int64_t>(timer->elapsed()); };
}

// The splash picture (534 x 308): a night-blue stage with a rising sound
// wave and the program's name.
QPixmap SplashPicture() {
    const QSize size(534, 308);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(0x07, 0x12, 0x33));
    sky.setColorAt(1, QColor(0x1b, 0x4b, 0x78));
    p.fillRect(image.rect(), sky);
    QRadialGradient glow(QPointF(400, 90), 260);
    glow.setColorAt(0, QColor(0x5f, 0xc8, 0xff, 90));
    glow.setColorAt(1, QColor(0x5f, 0xc8, 0xff, 0));
    p.fillRect(image.rect(), glow);
    // Equaliser bars.
    for (int i = 0; i < 26; ++i) {
        const double h = 20 + 70 * std::fabs(std::sin(i * 0.55) * std::cos(i * 0.21));
        QLinearGradient bar(0, 250 - h, 0, 250);
        bar.setColorAt(0, QColor(0x8c, 0xf0, 0xc8));
        bar.setColorAt(1, QColor(0x22, 0x8f, 0xb5));
        p.fillRect(QRectF(24 + i * 19.5, 250 - h, 13, h), bar);
    }
    // A sound wave across the stage.
    QPainterPath wave;
    wave.moveTo(0, 200);
    for (int x = 0; x <= size.width(); x += 2)
        wave.lineTo(x, 200 + 22 * std::sin(x / 23.0) * std::sin(x / double(size.width()) * M_PI));
    p.setPen(QPen(QColor(255, 255, 255, 110), 2));
    p.drawPath(wave);
    // The name.
    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(58);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(0, 0, 0, 90));
    p.drawText(QRect(26, 38, 500, 80), Qt::AlignLeft | Qt::AlignVCenter, VersionInfo::Title());
    p.setPen(Qt::white);
    p.drawText(QRect(22, 34, 500, 80), Qt::AlignLeft | Qt::AlignVCenter, VersionInfo::Title());
    QFont sub(QStringLiteral("DejaVu Sans"));
    sub.setPixelSize(15);
    p.setFont(sub);
    p.setPen(QColor(0xc8, 0xe6, 0xff));
    p.drawText(QRect(26, 108, 500, 24), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Tools for large MP3 collections"));
    return QPixmap::fromImage(image);
}

QLabel* PictureLabel(QWidget* parent, const QString& name, const QFont& font) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    return label;
}

}  // namespace

// Topmost from the start: changing a shown window's flags hides it for a
// moment, and hiding a modal dialog ends its wait.
SplashScreen::SplashScreen(QWidget* parent, SplashWait::Clock clock, int64_t durationMs)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_wait(clock ? std::move(clock) : MonotonicClock(), durationMs) {
    setObjectName(QStringLiteral("SplashScreen"));
    setWindowRole(objectName());
    setFixedSize(TwipsToPixelsX(7332), TwipsToPixelsY(4212));

    ImageBackground = new SkinImage(this);
    ImageBackground->setObjectName(QStringLiteral("ImageBackground"));
    ImageBackground->SetStretch(true);
    ImageBackground->SetPicture(SplashPicture());
    connect(ImageBackground, &SkinImage::Click, this, [this] { ResumeNext([&] { ImageBackground_Click(); }); });

    QFont arial(QStringLiteral("Arial"));
    arial.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    arial.setPointSize(12);
    arial.setBold(true);
    LabelPlatform = PictureLabel(this, QStringLiteral("LabelPlatform"), arial);
    LabelPlatform->setText(QStringLiteral("Linux"));
    LabelPlatform->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    QFont tahoma(QStringLiteral("Tahoma"));
    tahoma.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")});
    tahoma.setPointSizeF(7.8);
    LabelCopyright = PictureLabel(this, QStringLiteral("LabelCopyright"), tahoma);

    m_timer = new QTimer(this);
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, [this] { CheckTimeUp(); });

    // Form_Load.
    ResumeNext([&] { ImageBackground->setGeometry(0, 0, width(), height()); });
    ResumeNext([&] { LabelCopyright->setText(VersionInfo::LegalCopyright()); });
    LabelPlatform->setGeometry(width() - TwipsToPixelsX(2600), height() - TwipsToPixelsY(840), TwipsToPixelsX(2400),
                               TwipsToPixelsY(330));
    LabelCopyright->setGeometry(TwipsToPixelsX(180), height() - TwipsToPixelsY(360), width() - TwipsToPixelsX(360),
                                TwipsToPixelsY(240));

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
}

void SplashScreen::Form_Activate() {
    if (m_wait.Started()) return;
    ResumeNext([&] { SetOnTop(this, true); });
    m_wait.Activate();
    CheckTimeUp();
}

void SplashScreen::ImageBackground_Click() {
    m_wait.Click();
    if (m_wait.Started()) CheckTimeUp();
}

void SplashScreen::CheckTimeUp() {
    if (!m_wait.Started()) return;
    if (m_wait.Finished()) {
        m_timer->stop();
        accept();
        return;
    }
    m_timer->start(static_cast<int>(std::max<int64_t>(1, m_wait.RemainingMs())));
}

void SplashScreen::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    activateWindow();
    // Where no window manager hands out activation, being on screen counts.
    QTimer::singleShot(0, this, [this] { Form_Activate(); });
}

void SplashScreen::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) Form_Activate();
}

void ShowSplashScreen() {
    SplashScreen splash;
    splash.exec();
}
