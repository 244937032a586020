#pragma once
// The preferences screen of the main menu: a wallpaper behind the preferences window (with
// its title), which lives on the dialog stack. Closing that window without a game brings the
// main menu back.
#include "shell/menus/menu.h"

class cSettingsMenu : public cMenu
{
public:
    cSettingsMenu();

    void OnRender(float elapsed) override;
};
