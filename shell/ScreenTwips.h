#pragma once
// Twips and pixels.  Positions and sizes are kept in twips (1440 to the
// logical inch); widgets are placed in pixels.  Every conversion in the shell
// goes through these functions, so the twips-per-pixel ratio is read in one
// place only.

// Twips per pixel across and down: 1440 / the screen's logical DPI, read once
// (15 at 96 DPI).
float TwipsPerPixelX();
float TwipsPerPixelY();

// Rounded to the nearest pixel, an exact half to the even neighbour.
int TwipsToPixelsX(double twips);
int TwipsToPixelsY(double twips);
double PixelsToTwipsX(double pixels);
double PixelsToTwipsY(double pixels);

// Tests fix the ratio (0 returns to the screen's).
void SetTwipsPerPixelForTesting(float x, float y);
