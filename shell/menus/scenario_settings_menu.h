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
    // Each row of the countries list shows its country's controller and difficulty again.
    void RefreshCountryRows();
    void FillPlayers();
    // The new player's row chosen, its samples in the edits.
    void ChooseNewPlayerRow();
    // After the play-by-e-mail box changed: which persons' countries it leaves to persons
    // at this screen, or which still need their player by e-mail.
    void TellWhatTheBoxChanged(bool byEmail);
    void RefreshStatistics();
    void RefreshControllerControls();
    std::wstring ControllerText(const cPanstwo& country) const;
    // The countries list's row of the country: name, controller and difficulty.
    std::wstring CountryRow(const cPanstwo& country) const;
    // The first check that fails, as its message and title; false when all pass.
    bool FailedCheck(std::wstring& message, std::wstring& title) const;
    // The game takes the play-by-e-mail settings: players numbered 1 to n again and, for a
    // game made one here, its name and folder.
    void ApplyPbemGame();
    bool IsNewGame() const;
    // Whether the play-by-e-mail game is made here: any game but a loaded one played by e-mail.
    bool IsNewPbemGame() const { return !m_LoadedPbemGame; }
    bool PbemBoxChecked() const;

    cPanstwo* m_Country = nullptr;
    bool m_LoadedPbemGame = false;
    int m_PlayerNumber = 0; // the selected player's number; 0 for none
};
