#include "SkinFixture.h"

#include "foundation/AppPaths.h"
#include "foundation/OptionRecords.h"
#include "foundation/Twips.h"
#include "shell/SkinArt.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>

SkinFolder::SkinFolder() {
    m_oldTppX = gsngTwipsPerPixelX;
    m_oldTppY = gsngTwipsPerPixelY;
    gsngTwipsPerPixelX = gsngTwipsPerPixelY = 15.0f;
    QDir(m_dir.path()).mkpath(QStringLiteral("Skins"));
    SetAppPathForTesting(m_dir.path());
}

SkinFolder::~SkinFolder() {
    SetAppPathForTesting(QString());
    gsngTwipsPerPixelX = m_oldTppX;
    gsngTwipsPerPixelY = m_oldTppY;
}

QString SkinFolder::SchemePath(const QString& name) const { return m_dir.path() + QStringLiteral("/Skins/") + name; }

QString SkinFolder::DefaultIni() {
    return QStringLiteral(
        "[Colours]\r\nLabelForeColor=255\r\nTitleForeColor=65280\r\nButtonForeColor=16711680\r\n"
        "TextBoxBackColor=65535\r\nTextBoxForeColor=16711935\r\nListBoxBackColor=16776960\r\n"
        "ButtonDownForeColor=8421504\r\n\r\n"
        "[Positions]\r\nTitleFromLeft=300\r\nTitleFromTop=60\r\nMinimiseFromRight=1200\r\nMinimiseFromTop=45\r\n"
        "MaximiseFromRight=900\r\nMaximiseFromTop=45\r\nCloseFromRight=600\r\nCloseFromTop=45\r\n");
}

void SkinFolder::AddScheme(const QString& name, int variant, const QString& ini, const QStringList& omit) {
    const QString folder = SchemePath(name);
    QDir().mkpath(folder);
    const auto& files = SkinPictureFiles();
    for (int n = 0; n < kSkinPictureCount; ++n) {
        const QString file = files[static_cast<size_t>(n)];
        if (omit.contains(file)) continue;
        QImage image(n == 0 ? 200 : 24, n == 0 ? 26 : 24, QImage::Format_RGB32);
        image.fill(PictureColour(variant, n));
        QImageWriter writer(folder + QLatin1Char('/') + file, "jpeg");
        writer.setQuality(100);
        writer.write(image);
    }
    if (!ini.isNull()) {
        QFile file(folder + QStringLiteral("/Settings.ini"));
        if (file.open(QIODevice::WriteOnly)) file.write(ini.toUtf8());
    }
}

QColor SkinFolder::PictureColour(int variant, int n) {
    return QColor::fromHsv((n * 25 + variant * 12) % 360, 255, 210);
}

int SkinFolder::PictureNumber(const QPixmap& pixmap, int variant) {
    if (pixmap.isNull()) return -1;
    const QImage image = pixmap.toImage();
    const QColor c = image.pixelColor(image.width() / 2, image.height() / 2);
    for (int n = 0; n < kSkinPictureCount; ++n) {
        const QColor want = PictureColour(variant, n);
        if (std::abs(c.red() - want.red()) <= 10 && std::abs(c.green() - want.green()) <= 10 &&
            std::abs(c.blue() - want.blue()) <= 10)
            return n;
    }
    return -1;
}

namespace {
template <typename T>
T* Named(T* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}
}  // namespace

TestWindow::TestWindow(const QString& name, Features features) : SkinnedJobWindow(name, features) {
    SetMinimumSizeTwips(3000, 6000);
    resize(600, 400);

    CmdScan = Named(new QPushButton(QStringLiteral("&Scan"), this), "BtnScan");
    CmdScan->setGeometry(15, 60, 96, 25);
    CmdScan->hide();
    ImageScan = Named(new SkinImage(this), "ImageScan");
    ImageScan->setGeometry(15, 60, 96, 25);
    SetControlTag(ImageScan, QStringLiteral("Button"));
    LabelScan = Named(new SkinLabel(QStringLiteral("&Scan"), this), "LabelScan");
    LabelScan->setGeometry(20, 66, 86, 13);
    SetControlTag(LabelScan, QStringLiteral("Button"));
    mbuttonScan.SetControls(this, CmdScan, ImageScan, LabelScan);

    CheckSub = Named(new QCheckBox(QStringLiteral("&Include Subfolders"), this), "CheckIncSubfolders");
    CheckSub->setGeometry(130, 60, 150, 20);
    CheckSub->hide();
    ImageSub = Named(new SkinImage(this), "ImageIncSubfolders");
    ImageSub->SetStretch(false);
    ImageSub->move(130, 63);
    SetControlTag(ImageSub, QStringLiteral("Check"));
    LabelSub = Named(new SkinLabel(QStringLiteral("&Include Subfolders"), this), "LabelIncSubfolders");
    LabelSub->move(150, 62);
    mcheckSub.SetControls(this, CheckSub, ImageSub, LabelSub);
    RouteCheckBoxEvents(mcheckSub);

    OptionA = Named(new QRadioButton(QStringLiteral("&Title"), this), "OptionShow");
    OptionA->setProperty("Index", 0);
    OptionA->setGeometry(300, 60, 80, 20);
    OptionA->hide();
    ImageOptionA = Named(new SkinImage(this), "ImageShow");
    ImageOptionA->SetStretch(false);
    ImageOptionA->move(300, 63);
    SetControlTag(ImageOptionA, QStringLiteral("Option"));
    LabelOptionA = Named(new SkinLabel(QStringLiteral("&Title"), this), "LabelShow");
    LabelOptionA->move(320, 62);
    SetControlTag(LabelOptionA, QStringLiteral("SkinLabel"));
    moptionA.SetControls(this, OptionA, ImageOptionA, LabelOptionA);

    LabelPlain = Named(new QLabel(QStringLiteral("Folder:"), this), "LabelFolder");
    LabelPlain->move(15, 100);
    TextName = Named(new QLineEdit(this), "TextOutputDirectory");
    TextName->setGeometry(80, 100, 200, 22);
    ComboRules = Named(new QComboBox(this), "ComboScanRules");
    ComboRules->setGeometry(300, 100, 200, 22);
    ListFiles = Named(new QListWidget(this), "ListFiles");
    ListFiles->setGeometry(15, 140, 200, 100);
    FrameGroup = Named(new QGroupBox(QStringLiteral("Output"), this), "FrameOutput");
    FrameGroup->setGeometry(250, 140, 200, 100);
    FrameGroup->hide();
    LabelInFrame = Named(new QLabel(QStringLiteral("Inside"), FrameGroup), "LabelInFrame");
    LabelInFrame->move(10, 30);
}

void TestWindow::InitialiseDialogText() {
    ++dialogTextCalls;
    SetCaption(QStringLiteral("Skin Test"));
}

void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
