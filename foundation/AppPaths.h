#pragma once
#include <QString>

// The folder the program runs from: skins ("Skins"), help pages ("WebHelp") and
// the tag library live beside it.  Tests may point it elsewhere.
QString AppPath();
void SetAppPathForTesting(const QString& path);
