#pragma once
// The pause menu over a running game: resume, save, preferences, abort and exit.
#include "shell/menus/menu.h"

class cPauseMenu : public cMenu
{
public:
    cPauseMenu();

    void OnGUIEvent(unsigned event, int id, CDXUTControl* control) override;
    void OnRender(float elapsed) override;

    void OnResumePressed();
    void OnSavePressed();
    void OnPreferencesPressed();
    void OnAbortPressed();
    void OnExitPressed();
};

// Opens the pause menu over the map: in the player's phase, or after a play-by-e-mail turn
// was handed over (to save and leave); never while a move is being shown.
void OpenPauseMenu();
