#include "shell/menus/HelpLink.h"

#include "foundation/Help.h"

void ShowHelpTopic(int topic, int keyCode) {
    DisplayHelpTopic(static_cast<int16_t>(topic), static_cast<int16_t>(keyCode));
}
