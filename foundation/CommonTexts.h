#pragma once
// The texts every skinned tool window shares: the title-bar buttons' tool
// tips, the context-menu mark, the five menu-bar labels and the shared Edit,
// Tools and Help menus.  They are fetched from the string table each time, so
// a window always shows the user's language.

#include "foundation/WindowProtocol.h"

// Fills every common text of a core tool window (which must offer
// ICommonControlsHost; a missing control stops the fill there with its error).
void UpdateCommonControls(IToolWindow* Form);
// Fills only the three title-bar buttons' tool tips (the CD Ripper calls it
// itself, having no menus).
void UpdateSystemMenuToolTips(IToolWindow* Form);
