#include "shell/ScreenTwips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace {
float g_testX = 0, g_testY = 0;

float FromScreen(bool across) {
    static float x = 0, y = 0;
    if (x <= 0 || y <= 0) {
        float dpiX = 96, dpiY = 96;
        if (QGuiApplication::instance()) {
            if (const QScreen* screen = QGuiApplication::primaryScreen()) {
                if (screen->logicalDotsPerInchX() > 0) dpiX = static_cast<float>(screen->logicalDotsPerInchX());
                if (screen->logicalDotsPerInchY() > 0) dpiY = static_cast<float>(screen->logicalDotsPerInchY());
            }
            x = 1440.0f / dpiX;
            y = 1440.0f / dpiY;
        } else {
            return 15.0f;  // no screen yet: the common 96 DPI, not remembered
        }
    }
    return across ? x : y;
}

int RoundHalfEven(double v) { return static_cast<int>(std::nearbyint(v)); }
}  // namespace

float TwipsPerPixelX() { return g_testX > 0 ? g_testX : FromScreen(true); }
float TwipsPerPixelY() { return g_testY > 0 ? g_testY : FromScreen(false); }

int TwipsToPixelsX(double twips) { return RoundHalfEven(twips / TwipsPerPixelX()); }
int TwipsToPixelsY(double twips) { return RoundHalfEven(twips / TwipsPerPixelY()); }
double PixelsToTwipsX(double pixels) { return pixels * TwipsPerPixelX(); }
double PixelsToTwipsY(double pixels) { return pixels * TwipsPerPixelY(); }

void SetTwipsPerPixelForTesting(float x, float y) {
    g_testX = x;
    g_testY = y;
}
