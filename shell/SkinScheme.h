#pragma once
// Skin schemes: the folder "Skins" beside the program holds one folder per
// scheme, each with "Settings.ini" ([Colours], [Positions]) and 14 JPEG
// pictures.  This is the part of the skin engine without widgets: where a
// scheme lives, reading its settings, loading its pictures and the geometry of
// the tiled background.

#include "shell/SkinArt.h"

#include <QColor>
#include <QImage>
#include <QPalette>
#include <QPoint>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

// The current scheme's colours (the platform's colour values: red in the
// lowest byte, then green, then blue) and title-bar positions in twips.
// All zero until the first dressing with skins on.
struct SkinSettings {
    int32_t LabelForeColor = 0;
    int32_t TitleForeColor = 0;
    int32_t ButtonForeColor = 0;
    int32_t TextBoxBackColor = 0;
    int32_t TextBoxForeColor = 0;
    int32_t ListBoxBackColor = 0;
    int32_t ButtonDownForeColor = 0;
    float TitleFromLeft = 0;
    float TitleFromTop = 0;
    float MinimiseFromRight = 0;
    float MinimiseFromTop = 0;
    float MaximiseFromRight = 0;
    float MaximiseFromTop = 0;
    float CloseFromRight = 0;
    float CloseFromTop = 0;
};
extern SkinSettings gudtSkinSettings;

// The folder of the scheme in use: AppPath() + "/Skins/" + Options().Preferences.strSkinScheme.
QString SkinSchemeFolder();
// The folder that holds every scheme.
QString SkinsFolder();
// The schemes on offer: the sub-folders of "Skins", by name, sorted ignoring case.
QStringList AvailableSkinSchemes();

// Reads all 15 values from `iniFile` in the order of the record, each with
// its default (also for an empty value).  A value that does not convert is
// an error; values read before it are kept.
void ReadSkinSettings(const QString& iniFile, SkinSettings& settings);

// The scheme's pictures: SkinPictureFiles() (shell/SkinArt.h).
// Indices into ImageSkins.
namespace SkinPicture {
constexpr int ButtonUp = 0, ButtonDown = 1, CheckOn = 2, CheckOff = 3, CloseUp = 4, CloseDown = 5,
              MinimiseUp = 6, MinimiseDown = 7, RadioOn = 8, RadioOff = 9, RestoreUp = 10, RestoreDown = 11;
}

// Loads one picture: error 53 when the file is missing, 481 ("Invalid
// picture") when it is not a picture.
QImage LoadSkinPicture(const QString& path);

// The platform colour value as a colour, and back.
QColor ColorFromValue(int32_t value);
int32_t ValueFromColor(const QColor& colour);

// Gives `role` the skin's colour in the active and inactive groups.  Text
// roles of a disabled control get the colour faded, so a disabled skinned
// button or label reads as disabled over any picture.
void SetSkinColour(QPalette& palette, QPalette::ColorRole role, const QColor& colour);

// Top-left corners (twips) of the background cells of cellW x cellH twips
// that cover a screen of screenW x screenH twips: column by column from the
// left, each column from the top, as long as the corner is not beyond the
// screen's edge.
std::vector<QPointF> BackgroundCells(double screenW, double screenH, double cellW, double cellH);
