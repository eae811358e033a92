#pragma once
// Window positions in the settings store's section "WindowPositions", in
// twips (keys: the window's objectName() followed by "State", "Top",
// "Height", "Left", "Width").
//
// A window is known by its objectName().  It is "skinnable" when its dynamic
// property "Tag" is the text "Skinnable".  It is sizable unless its minimum
// and maximum sizes are equal or it has Qt::MSWindowsFixedSizeDialogHint.
// Left and Top are the window's position (frame included), Width and Height
// the size of its client area, all in twips.  The screen is the available
// area of the screen the stored position lies on (else the window's screen).
//
// A window for which no position is stored opens at its default place
// (foundation/WindowPlaces.h): beside the launcher bar when the bar is on
// screen, on the bar's screen.  A stored position is used as stored.

#include "foundation/ToolWindows.h"

#include <QRect>
#include <QString>

class QWidget;

void WriteWindowPos(QWidget* form);
void ReadWindowPos(QWidget* form);
double DefaultHeight(QWidget* form);
double DefaultWidth(QWidget* form);
// True for the six core tool windows (by objectName()).
bool IsCoreTool(QWidget* form);

// The title bar height in pixels that a window manager would add; the skin
// engine takes the same amount away when it removes the title bar.
int CaptionHeightPixels(const QWidget* form);

// Whether "WindowPositions" holds a position (Left or Top) for the window.
bool HasStoredWindowPos(const QString& name);

// Tests pin the available screen area (in pixels); an empty rectangle
// returns to the real screens.
void SetScreenAreaForTesting(const QRect& pixels);
