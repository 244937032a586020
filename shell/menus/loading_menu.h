#pragma once
// The loading screen: a wallpaper and a progress bar that the loaders move while a game
// loads on the main thread. Each step draws a whole frame at once.
#include "shell/menus/menu.h"

class cLoadingMenu : public cMenu
{
public:
    cLoadingMenu();

    void OnRender(float elapsed) override;
    // Shows the percentage (0 to 100) and draws the frame.
    void SetProgress(int percent);
};

// The game has loaded: the computer opponent's thread starts and the scenario settings
// menu opens.
void StartScenarioSettingsMenu();
