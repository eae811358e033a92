#pragma once
// Builders for the plain Qt controls a window or dialog lays out itself:
// each makes one control with its object name (the name the window's code,
// its stored settings, the skin engine and the tests find it by) and, where
// it has one, its caption, and returns it.  They keep no state and raise no
// error.  Skinned buttons, check boxes and options come from
// shell/ui/SkinnedControlBuilder.h instead.
//
//   auto* box = Named(new QCheckBox(caption, page), QStringLiteral("CheckExample"));
//   LabelFolder = MakeLabel(this, "LabelFolder");
//   TextTitle = MakeLineEdit(this, "TextTitle", 30);

#include <QString>

class QLabel;
class QLineEdit;
class QWidget;

// Gives `control` the object name `name` and returns it.
template <typename T>
T* Named(T* control, const QString& name) {
    control->setObjectName(name);
    return control;
}

// The object name of element `index` of a control array: "name_index".
QString Indexed(const char* name, int index);

// A label named `name` with `caption` (none: the window sets it later).
QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& caption = QString());

// A line edit named `name`; a positive `maxLength` caps its text, 0 keeps
// Qt's own cap.
QLineEdit* MakeLineEdit(QWidget* parent, const QString& name, int maxLength = 0);
