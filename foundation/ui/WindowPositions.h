#pragma once
// Window positions in the settings store's section "WindowPositions", in
// twips (keys: the window's objectName() followed by "State", "Top",
// "Height", "Left", "Width").
//
// A window is known by its objectName().  It is "skinnable" when its dynamic
// property "Tag" is the text "Skinnable".  It is sizable unless its minimum
// and maximum sizes are equal or it has Qt::MSWindowsFixedSizeDialogHint.
// Left and Top are the window's position (the outer corner of its frame),
// Width and Height the size of its client area, all in twips.  The screen is
// the available area of the screen the stored position lies on (else the
// window's screen).  A window's smallest size is its minimum size or what its
// layout needs, whichever is more.
//
// A window for which no position is stored opens at its default place
// (foundation/WindowPlaces.h): beside the launcher bar when the bar is on
// screen, on the bar's screen.  A stored position is used as stored while the
// whole window, frame included, lies on the screen; otherwise the window is
// moved onto the screen, beside the launcher bar where there is room.

#include "foundation/ToolWindows.h"

#include <QMargins>
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

// The decorations the window manager puts around the window: the real ones
// once it is shown and framed, else those of another framed window of the
// program, else a title bar and a thin border; none for a frameless window
// or a skinned one while skins are on.
QMargins WindowDecorations(const QWidget* form);

// Whether "WindowPositions" holds a position (Left or Top) for the window.
bool HasStoredWindowPos(const QString& name);

// Tests pin the available screen area (in pixels); an empty rectangle
// returns to the real screens.
void SetScreenAreaForTesting(const QRect& pixels);
