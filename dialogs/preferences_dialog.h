#pragma once
// The preferences: six tabs of settings, each change applied at once to the game and to
// Settings.ini's store; OK writes Settings.ini and closes the window.
#include <cstdint>
#include <string>
#include <vector>

#include "dialogs/dialog_stack.h"

constexpr int kPreferencesTitleId = 80;
constexpr int kPreferencesDialogKind = 82;
constexpr int kPreferencesTabsId = 83;
constexpr int kPreferencesResolutionId = 85;
constexpr int kPreferencesWindowedId = 86;
constexpr int kPreferencesFpsLimitId = 88;
constexpr int kPreferencesUnitsSkinId = 91;
constexpr int kPreferencesDynamicUnitsId = 92;
constexpr int kPreferencesUnitNamesId = 95;
constexpr int kPreferencesMapSkinId = 97;
constexpr int kPreferencesGridId = 98;
constexpr int kPreferencesWeatherId = 99;
constexpr int kPreferencesCityNamesId = 100;
constexpr int kPreferencesSeaZoneNamesId = 101;
constexpr int kPreferencesApLeftId = 102;
constexpr int kPreferencesBorderColourId = 104;
constexpr int kPreferencesVisibilityId = 113;
constexpr int kPreferencesSeaBattleId = 146;
constexpr int kPreferencesAlliesActionsId = 147;
constexpr int kPreferencesSoundVolumeId = 150;
constexpr int kPreferencesMusicVolumeId = 153;
constexpr int kPreferencesEndTurnQuestionId = 154;
constexpr int kPreferencesSoundOffId = 170; // on the audio tab, only on a machine without sound
constexpr int kPreferencesOkId = 171;

// A screen size the preferences offer.
struct sResolutionOption
{
    int index = 0;
    int width = 0;
    int height = 0;
};
// Filled when the window opens: the sizes that have a layout file, and the current one.
extern std::vector<sResolutionOption> g_OfferedResolutions;

// One colour of the border-colour list.
struct sBorderColour
{
    uint32_t argb;
    const char* nameKey;
};
constexpr int kBorderColourCount = 148;
extern const sBorderColour kBorderColours[kBorderColourCount];

class cDialogUstawien : public cDialog
{
public:
    cDialogUstawien();

    void OnGUIEvent(unsigned event, int controlId, CDXUTControl* control) override;

private:
    void DetectResolutions();
    void AddGeneralTab();
    void AddAudioTab();
    void AddSeaBattleRow();
    void AddUnitsTab();
    void AddDelayRows();
    void AddMapTab();
    void AddTabs();
    void FillSkinList(int listId, const std::wstring& prefix, const std::wstring& current,
                      std::vector<std::wstring>& names);
    void ShowBorderSamples();
    void RefreshVisibilityText();
    void RefreshDelayTexts();
    void RefreshSeaBattleText();
    void RefreshVolumeTexts();
    void ShowSoundOffNote();

    void OnResolutionChosen();
    void OnWindowedChanged();
    void OnFpsLimitChosen();
    void OnUnitsSkinChosen();
    void OnMapSkinChosen();
    void OnDisplayOptionChanged(int checkBoxId);
    void OnBorderColourChosen();
    void OnVisibilityChanged();
    void OnDelayChanged(int sliderId);
    void OnSeaBattleDelayChanged();
    void OnVolumeChanged();
    void OnEndTurnQuestionChanged();
    void OnOkPressed();

    std::vector<std::wstring> m_UnitsSkins;
    std::vector<std::wstring> m_MapSkins;
};

// Opens the preferences on top, unless a game is in a phase that is not the player's
// (the window's OK would hand the map back to the player in the computer's phase).
void OpenPreferences();
