#pragma once
// The scenario settings: for each country whether a person or the computer plays it and
// how hard the computer plays, the country's figures, and a new game made a play-by-e-mail
// game with its name and players. OK starts play; Back drops the loaded game.
#include <string>

#include "shell/menus/menu.h"

class cPanstwo;
struct sPbemPlayer;

class cScenarioSettingsMenu : public cMenu
{
public:
    cScenarioSettingsMenu();

    bool MsgProc(unsigned message, uintptr_t wParam, intptr_t lParam) override;
    void OnGUIEvent(unsigned event, int id, CDXUTControl* control) override;
    void OnKeyboard(unsigned key, bool down, bool alt) override;
    void OnRender(float elapsed) override;

    void OnCountrySelected();
    void OnControllerChanged();
    void OnPbemBoxChanged();
    void OnPlayerSelected();
    void OnSavePlayerPressed();
    void OnRemovePlayerPressed();
    void OnOkPressed();
    void OnBackPressed();

    cPanstwo* GetSelectedCountry() const { return m_Country; }

private:
    void FillCountries();
    void FillPlayers();
    void RefreshStatistics();
    void RefreshControllerControls();
    std::wstring ControllerText(const cPanstwo& country) const;
    // The first check that fails, as its message and title; false when all pass.
    bool FailedCheck(std::wstring& message, std::wstring& title) const;
    // The game takes the new play-by-e-mail settings: players numbered 1 to n again.
    void ApplyNewPbemGame();
    bool IsNewGame() const;

    cPanstwo* m_Country = nullptr;
    int m_PlayerNumber = 0; // the selected player's number; 0 for none
};
