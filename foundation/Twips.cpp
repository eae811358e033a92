#include "foundation/Twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

float gsngTwipsPerPixelX = 15.0f;
float gsngTwipsPerPixelY = 15.0f;

void InitialiseTwipsPerPixel() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const double dpiX = screen->logicalDotsPerInchX();
    const double dpiY = screen->logicalDotsPerInchY();
    if (dpiX > 0) gsngTwipsPerPixelX = static_cast<float>(1440.0 / dpiX);
    if (dpiY > 0) gsngTwipsPerPixelY = static_cast<float>(1440.0 / dpiY);
}

double PixelsToTwipsX(double pixels) { return pixels * gsngTwipsPerPixelX; }
double PixelsToTwipsY(double pixels) { return pixels * gsngTwipsPerPixelY; }
int TwipsToPixelsX(double twips) { return static_cast<int>(std::lround(twips / gsngTwipsPerPixelX)); }
int TwipsToPixelsY(double twips) { return static_cast<int>(std::lround(twips / gsngTwipsPerPixelY)); }
