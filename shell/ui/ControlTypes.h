#pragma once
// What kind of control a widget is, in the platform's type names that the
// skin engine and the menus go by, and the walk over a window's controls.

#include <QList>
#include <QString>

class QWidget;

// "Image" (SkinImage), "Label", "TextBox", "ListBox", "ComboBox",
// "CommandButton", "CheckBox", "OptionButton", "Frame" (a group box),
// "TabStrip", "ListView" (a list with columns), "ProgressBar",
// "RichTextBox", "PictureBox" (a plain container), or the class name.
QString ControlTypeName(const QWidget* control);

// Every control of `window`: its child widgets in creation order, and the
// controls inside frames, plain containers and tab pages, each container
// before its contents.  Compound controls are not opened (a combo box's own
// list, a spin box's line edit), nor are separate windows such as menus.
QList<QWidget*> WindowControls(QWidget* window);
// Only the window's direct child controls.
QList<QWidget*> DirectControls(QWidget* window);
