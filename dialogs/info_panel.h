#pragma once
// The strip of the game screen with the player's country, its points, a status line, the
// buttons that fold the four other panels away, and the buttons of the game's windows.
// The game-screen hotkeys press these buttons, so a key and its button do the same.
#include <functional>
#include <string>

#include "dialogs/panel.h"

constexpr int kInfoPanelRow = 292;
constexpr int kInfoStatusId = 293;
constexpr int kInfoFlagId = 331;
constexpr int kInfoCountryNameId = 332;
constexpr int kInfoProductionId = 294;
constexpr int kInfoDiplomacyId = 296;
constexpr int kInfoStrategicId = 298;
constexpr int kInfoSeaTransportId = 300;
constexpr int kInfoInvasionId = 302;
constexpr int kInfoNuclearId = 304;
constexpr int kFoldUnitPanelId = 350;
constexpr int kFoldHexPanelId = 400;
constexpr int kFoldAttackPanelId = 450;
constexpr int kFoldDiplomacyPanelId = 600;
constexpr int kWaitImageId = 7542;
constexpr int kPurchasesButtonId = 336;
constexpr int kUnitsButtonId = 337;
constexpr int kResearchButtonId = 339;
constexpr int kReportsButtonId = 340;
constexpr int kConvoysButtonId = 341;
constexpr int kPauseButtonId = 342;
constexpr int kEndTurnButtonId = 343;
constexpr int kHotkeysButtonId = 344;

// The windows of later parts of the game that the buttons open; an empty maker opens
// nothing.
struct sInfoPanelWindows
{
    std::function<cDialog*()> purchases; // kind 740
    std::function<cDialog*()> units;     // kind 480, for the country that moves
    std::function<cDialog*()> research;  // kind 790
    std::function<cDialog*()> reports;   // kind 810
    std::function<cDialog*()> convoys;   // kind 940
};
extern sInfoPanelWindows g_InfoPanelWindows;

class cInfoPanel : public cPanel
{
public:
    cInfoPanel();

    void OnRender(float elapsed) override;
    // The commands of its buttons, as the game's command handler receives them.
    void OnGUIEvent(unsigned event, int controlId, CDXUTControl* control) override;

    // The flag, name and points of the country that moves.
    void RefreshPoints();
    void SetStatusText(const std::wstring& text);
    std::wstring StatusText();
    void ShowWaitIndicator();
    void HideWaitIndicator();
    // A hotkey: the button's click, only in the player's phase and while no window waits
    // for an answer.
    void PressButton(int id);

private:
    void AddWindowButton(int id, int column, const char* hintKey);
    void ShowFoldButtons(bool shown);
    void EnableWindowButtons(bool enabled);
    void ToggleWindow(int kind, const std::function<cDialog*()>& make);

    void OnPurchasesPressed();
    void OnUnitsPressed();
    void OnResearchPressed();
    void OnReportsPressed();
    void OnConvoysPressed();
    void OnPausePressed();
    void OnEndTurnPressed();
    void OnHotkeysPressed();
    void OnFoldPressed(iPanelScreen* panel);
};

// The info panel of the running game, or null.
cInfoPanel* InfoPanel();
// True in the player's phase (game states 7 and 8) of a war still fought, when the window
// buttons act.
bool IsPlayersPhase();
