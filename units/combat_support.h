#pragma once
// Small services every combat uses: losses between countries, reports, sounds and the
// removal of a unit that a fight destroyed.
#include <cstddef>
#include <string>

#include "units/unit_fwd.h"

// Books what the dealer's forces destroyed of the sufferer's; nobody (0) books nothing.
void BookLosses(int dealerId, int sufferer, float amount);
// Adds a report of a kind for a country.
void AddCombatReport(int kind, int countryId, const std::wstring& text);
// Made before an interception is fought into a result record; when it goes, what the fight
// added is reported as its window shows it, under air combat: to the owner of the unit that
// flew the mission (kind 2) and to the interceptor's (kind 3).
class cInterceptionReport
{
public:
    explicit cInterceptionReport(const sCombatResult& result);
    ~cInterceptionReport();
    cInterceptionReport(const cInterceptionReport&) = delete;
    cInterceptionReport& operator=(const cInterceptionReport&) = delete;

private:
    const sCombatResult& m_Result;
    size_t m_AttackerLossText, m_DefenderLossText, m_AttackerInfo, m_DefenderInfo;
    float m_AttackerLoss, m_DefenderLoss;
};
// Plays an effect (data\sound\<name>.wav) when either unit is visible to the enemy.
void PlayCombatSound(const wchar_t* name, const cUnit* unit, const cUnit* other = nullptr);
// Removes a land or air unit that combat destroyed from the game, and counts it; a ship
// goes down with whatever it carries. Nothing may use the unit afterwards.
void DestroyInCombat(cUnit* unit);
// The unit is seen by the enemy, and a land unit is kept on the spotter's list of units
// its reconnaissance found (once).
void NoteDiscovered(int spotterId, cUnit* unit);
// Adds a line to a text of a combat result.
void AppendLine(std::wstring& text, const std::wstring& line);
// A look from the air around (x, y) within reach: every unit not yet seen there is
// discovered; told gains where the look went and the enemies it found. Returns how many
// units were discovered.
int DiscoverAroundHex(int spotterId, int x, int y, int reach, std::wstring& told);
// A unit that fought its way onto (x, y) takes the hex for the country: the fleets in a
// port there must leave it, and the capture is counted.
void TakeHexInCombat(int x, int y, int countryId);
// A person who watches the unit's moves sees the camera go to (x, y) and stay there for
// the delay setting; the computer waits for it without the lock.
void ShowComputerStep(const cJednostka& unit, int x, int y, int delay);
// A country's name, or an empty text for nobody.
const std::wstring& CountryName(int countryId);
// Shows a combat's result to the person playing: after the player's own combat for
// Delay/HumanCombatResult; after the computer's for Delay/AICombatResult, and the computer
// waits until the window has closed. Nothing when no human country plays or the delay is
// 0. True when it was shown.
bool PresentCombatResult(const sCombatResult& result, bool byComputer);
