#pragma once
// The skin engine: dresses a skinnable window for the current preferences
// (blnUseSkins, strSkinScheme of Options().Preferences) and re-dresses every
// loaded one after the scheme changed.
//
// With skins on a window loses the platform frame, takes the scheme's
// colours and positions (gudtSkinSettings) and pictures, and its background
// is tiled with the scheme's cell.  With skins off it wears the platform
// frame, its picture chrome is hidden, the standard controls are shown and
// its direct child controls (but option buttons) move up by the title bar's
// height.  Dressing is repeatable: a window dressed plain twice moves once,
// and a window dressed again with skins on after a plain dressing gets its
// chrome, positions and frameless look back.
//
// Windows reach the engine as QWidget: the chrome steps need a
// SkinnedWindow and are skipped on any other window (error 438 skipped, as
// for a control without the property).

#include <cstdint>

class QWidget;

// Shows the window once dressed, unless it was hidden before (a window the
// user hid, or one that is being loaded hidden: WindowRegistry::LoadHidden).
void LoadSkin(QWidget* frm);
void SkinForms();
// Takes the platform frame off (blnBorder True also takes away the sizing
// border).  Stored window heights include the caption, so a sizable window in
// its normal state gives the caption's height back (CaptionHeightPixels) the
// first time; a window already without a caption is not shrunk again.
void RemoveTitleBar(QWidget* frm, bool blnBorder);
void PaintForm(QWidget* frm);
void SystemMenuItemSelect(QWidget* frm, int Index);
// The height (twips) of the window's platform caption, 0 when it has none
// (frameless).  Note: a widget's geometry is its client area, so layout code
// that places controls from height() needs no correction for the caption.
int32_t TitleBarHeight(QWidget* frm);

// The platform frame again (skins switched off on a dressed window); the
// caption's height is added back as RemoveTitleBar took it.
void RestoreTitleBar(QWidget* frm);
// True when the window was last dressed with skins off.
bool IsDressedPlain(const QWidget* frm);
