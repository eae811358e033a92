#pragma once
// Small services that several tool windows share: the separator and
// double-barrel tests of the file-name derivation, opening a page or file in
// its associated program, lengths as "hh:mm:ss", the colour and file dialogs of
// a window, taking a font description apart, the context-menu indicator, and
// the mapping of stored colour values to colours for painting.

#include <QColor>
#include <QString>
#include <cstdint>

class CommonDialog;
class QObject;
class QPalette;

// True when `blnIncludeBlanks` is set and `strChar` is "_" or a blank, or when
// `strChar` equals one of the enabled separators ("-", "~", ";", ",", then the
// two user separators; see blnSourceSeparators / strSourceSeparators of
// Options().Coordinator).
bool IsSeparator(const QString& strChar, bool blnIncludeBlanks);

// True when the double-barrel option is on and the character at the 1-based
// position `intPos` is a hyphen with a letter on each side.
bool IsDoubleBarrel(const QString& strText, int intPos);

// Asks the desktop to open `strURL` (a web address or a local file path) with
// its associated program.  True when the desktop accepted the request; a
// failure is only reported by the result.  `owner` is only named in the trail.
bool OpenWebBrowser(const QString& strURL, QObject* owner = nullptr);


// A length in seconds as "hh:mm:ss".  Lengths of a day or more keep counting
// hours ("25:00:00", "100:00:00"); minutes and seconds stay two digits.  A
// negative length gives "00:00:00".  64-bit, so the total of a whole
// collection fits.
QString TimeFromSeconds(int64_t lngSeconds);

// Shows the colour dialog `dialog` (the window's CommonDialogColour) preset to
// `backColour` with `lngFlags` plus the preset flag.  On OK `backColour` takes
// the chosen colour value and the result is true; a cancel gives false and
// leaves it unchanged.  `pictureName` names the swatch in the error trail.
// Windows pass their swatch widget through the overload in foundation/ui/QtDialogs.h.
bool ColourFromDialog(CommonDialog& dialog, int32_t& backColour, int32_t lngFlags, const QString& pictureName);

// Takes a font description ("Font: " faces ", Size " size ", Colour " colour
// [", " style][" Underline"]) apart.  The three flags are only ever set, never
// cleared, so callers pass them cleared.  A text without ", Size" from position
// 8 on, or without a comma after the size, raises error 5.
void GetFont(const QString& strDescription, QString& strFace, QString& strSize, QString& strColour, bool& blnItalic,
             bool& blnBold, bool& blnUnderline);

// Brings the window's child "ImageGreenIndicator" to the front (true) or sends
// it to the back (false).  A window without it raises error 438.
void ShowContextMenuIndicator(QObject* form, bool blnShow);

// The window's file dialog `dialog` (its CommonDialogFile) with the given title,
// filter, file name and initial folder; its flags are whatever the window set.
// On OK `strFileName` takes the chosen name and the result is true; a cancel
// gives false and leaves `strFileName` as it was.
bool DisplayCommonDialogOpen(CommonDialog& dialog, const QString& strTitle, const QString& strFilter,
                             QString& strFileName, const QString& strInitDir);
bool DisplayCommonDialogSave(CommonDialog& dialog, const QString& strTitle, const QString& strFilter,
                             QString& strFileName, const QString& strInitDir);

// ---- colour values --------------------------------------------------------
// Options and controls keep colours as the platform's 32-bit colour values:
// red in the low byte, then green, then blue; with the high bit set the low
// byte is the index of a system colour (8 window text, 15 button face, ...),
// which only becomes a real colour here, from the palette, when painting.
constexpr bool IsSystemColour(int32_t colour) { return colour < 0; }
QColor PaintColour(int32_t colour, const QPalette& palette);
QColor PaintColour(int32_t colour);  // with the application's palette
// The colour value of an actual colour (never a system colour).
int32_t ColourValue(const QColor& colour);
