#pragma once
// Twips: window positions and sizes are kept in twips (1/1440 inch), as the
// stored settings and the skin files give them.  The screen's twips per pixel
// are 1440 / logical DPI, read once at start-up by InitialiseTwipsPerPixel();
// until then they are 15 (96 DPI).

extern float gsngTwipsPerPixelX;
extern float gsngTwipsPerPixelY;

// Reads the primary screen's logical DPI (needs a QGuiApplication; without a
// screen the values stay as they are).
void InitialiseTwipsPerPixel();

double PixelsToTwipsX(double pixels);
double PixelsToTwipsY(double pixels);
// Rounded to the nearest whole pixel.
int TwipsToPixelsX(double twips);
int TwipsToPixelsY(double twips);
