#pragma once
// One attack plan of the computer opponent: a target, the own units that clear the hexes
// around it and those that approach and attack, with the air support and the enemy
// fighters that may intercept it.
#include <vector>

#include "units/land_attack.h"
#include "units/unit.h"

class cAI;
class cJednostkaLotnicza;

struct sPlanAtaku
{
    sPlanAtaku();

    cUnit* m_Target = nullptr;
    int m_TargetId = 0;        // the target by id: a strike or a bombardment may kill it
    int m_TargetCategory = 0;
    sPathStep m_Withdrawals[6];
    sPathStep m_Approaches[6];
    int m_Column = 0;
    bool m_HasAttacker = false;
    int m_Cost = 0;
    int m_GoodAirStrikes = 0;
    std::vector<cJednostkaLotnicza*> m_SupportingAirUnits;
    std::vector<cJednostkaLotnicza*> m_Interceptors;
    int m_CountryId = 0;
    // The land attack the plan would fight: the target and the approach units by side.
    sLandAttack m_Attack;

    // Target, column and every entry cleared; entry costs 9999 (no move).
    void ResetEntries();
    void SetTarget(cUnit* target);
    // The target hex holds a city.
    bool TargetOnCity() const;
    void CollectSupportingAirUnits(const cAI& ai);
    void CollectInterceptors(const cAI& ai);
    void CountGoodAirStrikes();
    bool IsTooRisky(const cAI& ai) const;
    // True when this plan ranks below the other: a smaller column, then no city target
    // against a city target, then a greater cost.
    bool RanksBelow(const sPlanAtaku& other) const;
    void Print(const cAI& ai) const;
    void PrintShort() const;
};

// Stronger first: strength plus level.
bool CompareStrengthAndLevel(const cJednostkaLotnicza* a, const cJednostkaLotnicza* b);
// The air range of a country's aircraft for the plans.
int AirRangeOfCountry(int countryId);
// The cheapest free hex of the unit's range (computed by the caller) that is not next to (x, y) nor one of the
// hexes taken; on success the step is found and its hex becomes taken[slot].
bool FindFreeHexAwayFrom(cJednostka& unit, int x, int y, std::pair<int, int> taken[6], sPathStep& found, int slot);
