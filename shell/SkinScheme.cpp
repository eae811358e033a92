#include "shell/SkinScheme.h"

#include "foundation/AppPaths.h"
#include "foundation/Errors.h"
#include "foundation/OptionRecords.h"
#include "foundation/SettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

SkinSettings gudtSkinSettings;

QString SkinsFolder() { return AppPath() + QStringLiteral("/Skins"); }

QString SkinSchemeFolder() { return SkinsFolder() + QLatin1Char('/') + Options().Preferences.strSkinScheme; }

QStringList AvailableSkinSchemes() {
    QDir dir(SkinsFolder());
    QStringList names = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    names.sort(Qt::CaseInsensitive);
    return names;
}

namespace {
int32_t ReadColour(const QString& key, const QString& defaultText, const QString& iniFile) {
    return LoadFromIni(QStringLiteral("Colours"), key, defaultText, SettingType::Long, iniFile, true).toInt();
}
float ReadPosition(const QString& key, const QString& defaultText, const QString& iniFile) {
    return LoadFromIni(QStringLiteral("Positions"), key, defaultText, SettingType::Single, iniFile, true).toFloat();
}
}  // namespace

void ReadSkinSettings(const QString& iniFile, SkinSettings& s) {
    const QString black = QStringLiteral("0");
    const QString white = QStringLiteral("16777215");
    s.LabelForeColor = ReadColour(QStringLiteral("LabelForeColor"), black, iniFile);
    s.TitleForeColor = ReadColour(QStringLiteral("TitleForeColor"), black, iniFile);
    s.ButtonForeColor = ReadColour(QStringLiteral("ButtonForeColor"), black, iniFile);
    s.TextBoxBackColor = ReadColour(QStringLiteral("TextBoxBackColor"), white, iniFile);
    s.TextBoxForeColor = ReadColour(QStringLiteral("TextBoxForeColor"), black, iniFile);
    s.ListBoxBackColor = ReadColour(QStringLiteral("ListBoxBackColor"), white, iniFile);
    s.ButtonDownForeColor = ReadColour(QStringLiteral("ButtonDownForeColor"), black, iniFile);
    s.TitleFromLeft = ReadPosition(QStringLiteral("TitleFromLeft"), QStringLiteral("240"), iniFile);
    s.TitleFromTop = ReadPosition(QStringLiteral("TitleFromTop"), QStringLiteral("50"), iniFile);
    s.MinimiseFromRight = ReadPosition(QStringLiteral("MinimiseFromRight"), QStringLiteral("750"), iniFile);
    s.MinimiseFromTop = ReadPosition(QStringLiteral("MinimiseFromTop"), QStringLiteral("40"), iniFile);
    s.MaximiseFromRight = ReadPosition(QStringLiteral("MaximiseFromRight"), QStringLiteral("550"), iniFile);
    s.MaximiseFromTop = ReadPosition(QStringLiteral("MaximiseFromTop"), QStringLiteral("40"), iniFile);
    s.CloseFromRight = ReadPosition(QStringLiteral("CloseFromRight"), QStringLiteral("350"), iniFile);
    s.CloseFromTop = ReadPosition(QStringLiteral("CloseFromTop"), QStringLiteral("40"), iniFile);
}

QImage LoadSkinPicture(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        RaiseError(ErrNo::FileNotFound, QStringLiteral("Sonivard"),
                   StandardErrorText(ErrNo::FileNotFound) + QStringLiteral(" (") + path + QLatin1Char(')'));
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    QImage image = reader.read();
    if (image.isNull())
        RaiseError(ErrNo::InvalidPicture, QStringLiteral("Sonivard"),
                   StandardErrorText(ErrNo::InvalidPicture) + QStringLiteral(" (") + path + QLatin1Char(')'));
    return image;
}

QColor ColorFromValue(int32_t value) {
    const auto v = static_cast<uint32_t>(value);
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>((v >> 16) & 0xFF));
}

int32_t ValueFromColor(const QColor& colour) {
    return static_cast<int32_t>(static_cast<uint32_t>(colour.red()) | (static_cast<uint32_t>(colour.green()) << 8) |
                                (static_cast<uint32_t>(colour.blue()) << 16));
}

std::vector<QPointF> BackgroundCells(double screenW, double screenH, double cellW, double cellH) {
    std::vector<QPointF> cells;
    if (cellW <= 0 || cellH <= 0) return cells;
    for (double x = 0; x <= screenW; x += cellW)
        for (double y = 0; y <= screenH; y += cellH) cells.emplace_back(x, y);
    return cells;
}

void SetSkinColour(QPalette& palette, QPalette::ColorRole role, const QColor& colour) {
    palette.setColor(QPalette::Active, role, colour);
    palette.setColor(QPalette::Inactive, role, colour);
    const bool text = role == QPalette::WindowText || role == QPalette::Text || role == QPalette::ButtonText;
    QColor disabled = colour;
    if (text) disabled.setAlpha(110);
    palette.setColor(QPalette::Disabled, role, disabled);
}
