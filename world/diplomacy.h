#pragma once
// Diplomacy: what a country may do with its diplomatic points, at what cost and chance.
// Each check says whether the action is possible now and fills the text the diplomacy
// panel shows; each action pays, rolls and writes the text of the outcome.
#include <string>
#include <vector>

// bonus + count rolls of 1..sides, each of the three truncated; the bonus alone for a
// count below 1.
int RollDice(float count, float sides, float bonus);

// Costs and chances, on country ids.
int DelayAllianceEntryCost(int country);
int HastenAllianceEntryCost(int country);
int CoupChance(int target);
int CoupCost(int target);
int DeclareWarDpCost(int declarer, int target);
int DeclareWarUnrest(int declarer, int target);
int ExertPressureCost(int presser, int target);
int ExertPressureChance(int presser, int target);

bool CanDelayAllianceEntry(int country, std::wstring& text);
void DelayAllianceEntry(int country, std::wstring& text);
bool CanHastenAllianceEntry(int country, std::wstring& text);
void HastenAllianceEntry(int country, std::wstring& text);
bool CanHoldElections(int country, std::wstring& text);
// The winning orientation, 0 to 5; another one is refused and changes nothing.
void HoldElections(int country, int orientation, std::wstring& text);
// On success the text tells what the change costs (OrientationChangeCostText).
bool CanChangeOrientation(int country, std::wstring& text);
// What a change of orientation costs, told to the player: the diplomatic points and the least
// and most of each roll, for the one way a firm regime can turn or every way of another.
std::wstring OrientationChangeCostText(int country);
// The chosen orientation, 0 to 5; another one is refused and changes nothing.
void ChangeOrientation(int country, int orientation, std::wstring& text);
bool CanDeclareWar(int declarer, int target, std::wstring& text);
// Without pay (events, the computer opponent) neither points nor unrest change. Returns
// the case applied, 1 to 6; 0 when none did.
int DeclareWar(int declarer, int target, bool pay);
// What a declaration would bring, told before it is made: the side the target joins (0 for
// none) and the active countries not yet at war with the declarer that it sets against it,
// in id order.
struct sDeclarationOutcome
{
    int joinedSide = 0;
    std::vector<int> newEnemies;
};
sDeclarationOutcome DeclarationOutcome(int declarer, int target);
bool CanExertPressure(int presser, int target, std::wstring& text);
void ExertPressure(int presser, int target, std::wstring& text);
bool CanStageCoup(int instigator, int target, std::wstring& text);
void StageCoup(int instigator, int target, std::wstring& text);
