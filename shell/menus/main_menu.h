#pragma once
// The main menu: start (the scenario list), preferences, the credits and exit.
#include "shell/menus/menu.h"

class cMainMenu : public cMenu
{
public:
    cMainMenu();

    void OnGUIEvent(unsigned event, int id, CDXUTControl* control) override;
    void OnRender(float elapsed) override;

    void OnStartPressed();
    void OnPreferencesPressed();
    void OnCreditsPressed();
    void OnExitPressed();
};

// The credits movie with its music; only Escape ends it early.
void PlayCredits();
