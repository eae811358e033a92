#pragma once
// The drawing of skin pictures.  The shipped schemes are drawn by the skin
// generator with these functions and saved as JPEG files; the skinned windows
// use the neutral palette for the pictures they are designed with (what a
// window shows when its scheme folder is missing).  Needs QtGui only.

#include <QColor>
#include <QImage>
#include <QString>
#include <array>

// The scheme's picture files in loading order: the title bar, the twelve
// pictures of ImageSkins (index 0 to 11), the background cell.
constexpr int kSkinPictureCount = 14;
const std::array<QString, kSkinPictureCount>& SkinPictureFiles();

struct SkinPalette {
    QColor titleTop, titleBottom, titleHighlight, titleShadow;  // title bar
    QColor background, backgroundStripe;                        // window background cell
    QColor faceTop, faceBottom, faceBorder;                     // push button released
    QColor downTop, downBottom, downBorder;                     // push button held down
    QColor boxFace, boxBorder, mark;                            // check box and option button
    QColor chromeFace, chromeBorder, chromeGlyph;               // minimise and restore buttons
    QColor closeFace, closeBorder;                              // close button
    int chromeSize = 18;  // pixels of the minimise, restore and close pictures
};

// Neutral grey-blue, the pictures windows are designed with: light enough
// for the default black title text, with title-bar buttons small enough for
// the default button positions.
SkinPalette DesignSkinPalette();
SkinPalette FunBlueSkinPalette();
SkinPalette SlateSkinPalette();

// Picture number n of SkinPictureFiles() in the palette's colours.
QImage DrawSkinPicture(int n, const SkinPalette& palette);
