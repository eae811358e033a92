#pragma once
// Access-key marks of a window's captions.  While the keyboard emulation waits
// for the Alt key's release, the window where Alt went down shows its label
// captions without their marks: labels ask MnemonicFlag() when they paint.
// The caption texts themselves are never changed.

class QWidget;

// Hides (or shows again) the marks of every label of `window`.
void SetAccessKeysHidden(QWidget* window, bool hidden);
// Whether the window of `control` hides its marks now.
bool AccessKeysHidden(const QWidget* control);
// The text flag a label paints its caption with: Qt::TextShowMnemonic, or
// Qt::TextHideMnemonic while its window hides the marks ("&&" still shows
// one "&" either way).
int MnemonicFlag(const QWidget* label);
