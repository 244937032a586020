#pragma once
// The pause menu over a running game: resume, save, preferences, abort and exit.
#include "shell/menus/menu.h"

class cPauseMenu : public cMenu
{
public:
    cPauseMenu();
    ~cPauseMenu() override;

    void OnGUIEvent(unsigned event, int id, CDXUTControl* control) override;
    void OnRender(float elapsed) override;

    void OnResumePressed();
    void OnSavePressed();
    void OnPreferencesPressed();
    void OnAbortPressed();
    void OnExitPressed();

    // Opened while the computer plays: its thread waits, saving and the preferences wait
    // for the player's own turn.
    bool IsOverComputerPlay() const { return m_OverComputerPlay; }

private:
    bool m_OverComputerPlay = false;
};

// Opens the pause menu over the map in every state of a running game: in the player's
// phase (the game waits in state 2), after a play-by-e-mail turn was handed over (to save
// and leave), or while the computer plays (its thread waits at its next safe point). A
// move the player is shown ends first; another menu (the sea-battle screen) keeps the
// screen.
void OpenPauseMenu();
