#include "shell/ui/About.h"

#include "foundation/Errors.h"
#include "foundation/MessageUi.h"
#include "foundation/ResourceStrings.h"
#include "foundation/Twips.h"
#include "shell/menus/ExternalPrograms.h"
#include "shell/menus/HelpLink.h"
#include "shell/menus/KeyboardState.h"
#include "shell/menus/ui/KeyRouter.h"
#include "shell/start/VersionInfo.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <cmath>

namespace {

// The window's background: a deep blue field with a faint sound wave.
QPixmap AboutPicture(const QSize& size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, size.width(), size.height());
    sky.setColorAt(0, QColor(0x0b, 0x1f, 0x4a));
    sky.setColorAt(1, QColor(0x12, 0x5e, 0x7a));
    p.fillRect(image.rect(), sky);
    QPainterPath wave;
    const double mid = size.height() * 0.62;
    wave.moveTo(0, mid);
    for (int x = 0; x <= size.width(); x += 2) {
        const double t = x / 18.0;
        wave.lineTo(x, mid + std::sin(t) * 14 * std::sin(x / double(size.width()) * M_PI));
    }
    p.setPen(QPen(QColor(255, 255, 255, 45), 2));
    p.drawPath(wave);
    p.setPen(QPen(QColor(255, 255, 255, 25), 1));
    p.drawPath(wave.translated(0, 8));
    return QPixmap::fromImage(image);
}

QLabel* OverlayLabel(QWidget* parent, const QString& name, const QColor& colour) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAttribute(Qt::WA_TranslucentBackground);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

}  // namespace

const QStringList& FormAbout::SystemInfoPrograms() {
    static const QStringList programs = {QStringLiteral("hardinfo2"), QStringLiteral("hardinfo"),
                                         QStringLiteral("kinfocenter"), QStringLiteral("gnome-system-monitor")};
    return programs;
}

FormAbout::FormAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormAbout"));
    setWindowRole(objectName());
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFixedSize(TwipsToPixelsX(7500), TwipsToPixelsY(5250));

    ImageBackground = new QLabel(this);
    ImageBackground->setObjectName(QStringLiteral("ImageBackground"));
    ImageBackground->setScaledContents(true);

    const QColor text(0xe8, 0xf0, 0xff);
    LabelTitle = OverlayLabel(this, QStringLiteral("LabelTitle"), Qt::white);
    QFont titleFont = LabelTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 2.2);
    titleFont.setBold(true);
    LabelTitle->setFont(titleFont);
    LabelVersion = OverlayLabel(this, QStringLiteral("LabelVersion"), text);
    LabelCopyright = OverlayLabel(this, QStringLiteral("LabelCopyright"), text);
    LabelThanks = OverlayLabel(this, QStringLiteral("LabelThanks"), QColor(0xff, 0xe0, 0x8a));
    LabelThanks->setWordWrap(true);
    LabelThanksList = OverlayLabel(this, QStringLiteral("LabelThanksList"), text);
    LabelThanksList->setWordWrap(true);
    QFont small = LabelThanksList->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    LabelThanksList->setFont(small);

    BtnSystemInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    BtnSystemInfo->setObjectName(QStringLiteral("BtnSystemInfo"));
    BtnOK = new QPushButton(QStringLiteral("&OK"), this);
    BtnOK->setObjectName(QStringLiteral("BtnOK"));
    BtnOK->setDefault(true);
    connect(BtnSystemInfo, &QPushButton::clicked, this, [this] { BtnSystemInfo_Click(); });
    connect(BtnOK, &QPushButton::clicked, this, [this] { ResumeNext([&] { accept(); }); });

    // Layout in twips, as designed.
    const int margin = TwipsToPixelsX(240);
    const int width = this->width() - 2 * margin;
    LabelTitle->setGeometry(margin, TwipsToPixelsY(180), width, TwipsToPixelsY(600));
    LabelVersion->setGeometry(margin, TwipsToPixelsY(780), width, TwipsToPixelsY(270));
    LabelCopyright->setGeometry(margin, TwipsToPixelsY(1050), width, TwipsToPixelsY(270));
    LabelThanks->setGeometry(margin, TwipsToPixelsY(1440), width, TwipsToPixelsY(480));
    LabelThanks->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LabelThanksList->setGeometry(margin, TwipsToPixelsY(1980), width, TwipsToPixelsY(2520));
    LabelThanksList->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const int buttonWidth = TwipsToPixelsX(1400), buttonHeight = TwipsToPixelsY(360);
    const int buttonTop = height() - TwipsToPixelsY(540);
    BtnOK->setGeometry(this->width() - margin - buttonWidth, buttonTop, buttonWidth, buttonHeight);
    BtnSystemInfo->setGeometry(BtnOK->x() - TwipsToPixelsX(120) - buttonWidth, buttonTop, buttonWidth, buttonHeight);

    FormLoad();
}

void FormAbout::FormLoad() {
    ResumeNext([&] { InitialiseDialogText(); });
    ResumeNext([&] {
        ImageBackground->setGeometry(0, 0, this->width(), this->height());
        ImageBackground->setPixmap(AboutPicture(size()));
        ImageBackground->lower();
    });
    ResumeNext([&] { setWindowTitle(GetResourceString(TextId::About::Caption) + VersionInfo::Title()); });
    ResumeNext([&] { LabelTitle->setText(VersionInfo::Title()); });
    ResumeNext([&] { LabelVersion->setText(GetResourceString(TextId::About::Version) + VersionInfo::VersionText()); });
    ResumeNext([&] { LabelCopyright->setText(VersionInfo::LegalCopyright()); });
}

void FormAbout::InitialiseDialogText() {
    WithTrail(QStringLiteral("InitialiseDialogText"), [&] {
        LabelThanks->setText(GetResourceString(TextId::About::ThanksIntro));
        QString list;
        using namespace TextId::About;
        for (const int32_t code : {ThanksTesters, ThanksSuggestions, ThanksLame, ThanksCDLibraries, ThanksProofReaders,
                                   ThanksSkins, ThanksHelpPages, ThanksProblemReports, ThanksFamilies})
            list += GetResourceString(code) + QStringLiteral("\r\n");
        list += GetResourceString(TextId::About::ThanksOthers);
        LabelThanksList->setText(list);
    });
}

void FormAbout::BtnSystemInfo_Click() {
    QString program;
    try {
        for (const QString& name : SystemInfoPrograms()) {
            program = ExternalPrograms().FindExecutable(name);
            if (!program.isEmpty()) break;
        }
        if (!program.isEmpty() && ExternalPrograms().StartDetached(program, {})) return;
    } catch (...) {
        // A failure here means the same to the user as a program that did not start.
    }
    // Linux has no one system-information program: the box names the ones
    // looked for, or the one that was found and would not start.
    const QString text = program.isEmpty() ? GetResourceString(TextId::About::SystemInformationUnavailable) +
                                                 SystemInfoPrograms().join(QStringLiteral(", ")) + QLatin1Char('.')
                                           : GetResourceString(TextId::About::SystemInfoNotStarted) + program;
    MsgBox(text, Mb::OKOnly, VersionInfo::Title());
}

void FormAbout::keyPressEvent(QKeyEvent* event) {
    const int keyCode = PlatformKeyCode(event->key());
    ShowHelpTopic(0, keyCode);
    if (keyCode == KeyCode::F1) return;
    QDialog::keyPressEvent(event);
}

void FormAbout::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (ImageBackground) ImageBackground->setGeometry(rect());
}

void ShowAboutWindow() {
    FormAbout about;
    about.exec();
}
