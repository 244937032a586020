#pragma once
#include "shell/menus/menu.h"
class cScenarioSettingsMenu : public cMenu
{
public:
    cScenarioSettingsMenu() {}
};
