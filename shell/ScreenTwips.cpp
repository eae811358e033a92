#include "shell/ScreenTwips.h"

#include "foundation/Twips.h"

// The conversions themselves (TwipsToPixelsX/Y, PixelsToTwipsX/Y) are the
// ones of foundation/Twips.cpp: one ratio for the whole program, read from
// the screen by InitialiseTwipsPerPixel() at start-up.

float TwipsPerPixelX() { return gsngTwipsPerPixelX; }
float TwipsPerPixelY() { return gsngTwipsPerPixelY; }

void SetTwipsPerPixelForTesting(float x, float y) {
    if (x > 0 && y > 0) {
        gsngTwipsPerPixelX = x;
        gsngTwipsPerPixelY = y;
    } else {
        InitialiseTwipsPerPixel();
    }
}
