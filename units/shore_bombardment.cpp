// Shore bombardment: battleships and cruisers fire on a coastal land unit. It kills no
// strength; it takes efficiency away until the end of the impulse.
#include <algorithm>
#include <cmath>
#include <vector>

#include "core/format.h"
#include "core/log.h"
#include "core/random.h"
#include "core/stringbase.h"
#include "game/consts.h"
#include "game/play_counts.h"
#include "game/presentation.h"
#include "units/combat_result.h"
#include "units/combat_support.h"
#include "units/land_unit.h"
#include "units/naval_unit.h"
#include "units/unit_access.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/map.h"

namespace {

// What the ships of one type add: each ship counts by its hit points against the base
// hit points of its type (a ship without a maximum counts whole). A base of 0 in the data
// would divide by nothing and make the total infinite or undefined: the ship counts whole too.
float AddShips(const std::vector<cJednostkaMorska*>& ships, float value, int baseHP, float massing, std::wstring& info)
{
    float total = 0.0f;
    for (cJednostkaMorska* ship : ships) {
        ship->m_ShoreBombardmentDone = true;
        info += ship->m_Name + L"\n  ";
        const float h = ship->m_MaxHP > 0 && baseHP > 0 ? float(ship->m_HP) / float(baseHP) : 1.0f;
        total += h * value * massing;
    }
    return total;
}

} // namespace

void cJednostkaLadowa::ShoreBombardment(cFlota& fleet, sCombatResult* result, bool wholeFleet)
{
    const sGameConsts* k = UnitConsts();
    if (!result || !k)
        return;
    m_Spotted = true;
    result->kind = COMBAT_SHORE_BOMBARDMENT;
    result->attackerCountry = fleet.owner;
    result->defenderCountry = m_Owner;

    std::vector<cJednostkaMorska*> battleships, cruisers;
    for (cJednostkaMorska* ship : fleet.ships) {
        if (ship->m_ShoreBombardmentDone || (!wholeFleet && !ship->m_Selected))
            continue;
        if (ship->m_Type == UNIT_BATTLESHIP)
            battleships.push_back(ship);
        else if (ship->m_Type == UNIT_CRUISER)
            cruisers.push_back(ship);
    }
    const int die = RandomInt(1, 6);
    const int n = int(battleships.size() + cruisers.size());
    // More ships add less each; the divisor is refused at load when 0.
    const float massing = std::pow(float(std::max(n, 1)), -1.0f / k->ShoreBombardment[12]);

    result->attackerInfo += L"Shore bombardment\n----------\n Fleet: " + fleet.name + L"\n";
    float total = 0.0f;
    if (!battleships.empty()) {
        result->attackerInfo += L" Battleships:\n  ";
        total += AddShips(battleships, k->ShoreBombardment[die - 1], k->ShipHitPoints[1], massing, result->attackerInfo);
        result->attackerInfo += L"\n";
    }
    if (!cruisers.empty()) {
        result->attackerInfo += L" Cruisers:\n  ";
        total += AddShips(cruisers, k->ShoreBombardment[die + 5], k->ShipHitPoints[2], massing, result->attackerInfo);
        result->attackerInfo += L"\n";
    }
    const float strength = GetCombatStrength();
    total = std::min(total, strength);
    const cPanstwo* owner = GetCountry(fleet.owner);
    // Navy level 0 fires as level 1; a target without strength loses nothing more.
    const int navy = owner ? owner->TechLevel[TECH_NAVY] : 1;
    const float effect =
        strength > 0.0f ? total * k->ShoreBombTechFactor[TableLevelIndex(navy)] / strength * float(m_Efficiency) : 0.0f;
    m_ShoreBombardmentEffect = effect;
    ++g_PlayCounts.airMissions;

    const std::wstring head = FormatText(L"Shore bombardment: hex (%d, %d)\n\n", m_X, m_Y);
    std::wstring defenderReport = head + FormatText(L"Unit %s was attacked from sea by %s (%s)\n\n", m_Name, fleet.name,
                                                    CountryName(fleet.owner));
    std::wstring attackerReport =
        head + FormatText(L"Attacked unit %s (%s) from sea with %s\n\n", m_Name, CountryName(m_Owner), fleet.name);
    result->defenderInfo += LangFormat("report_details_shorebombardment_def", int(effect));

    RecalculateEfficiency();
    defenderReport += result->defenderInfo;
    attackerReport += result->attackerLossText;
    const int defenderOwner = m_Owner;
    if (GetCombatStrength() < 0.1f) {
        result->defenderKilled = true;
        DestroyInCombat(this);
    }
    // The reports window lists shore bombardments under kind 14.
    AddCombatReport(14, defenderOwner, defenderReport);
    AddCombatReport(14, fleet.owner, attackerReport);
}

bool cFlota::BombardHex(int x, int y, sCombatResult* result, bool wholeFleet)
{
    sHex* hex = UnitHexAt(x, y);
    Presentation().PlaySound(L"data\\sound\\ShoreBombardment.wav");
    // The shelling is a land unit's to take: on any other there is nothing it could do.
    auto* target = hex ? dynamic_cast<cJednostkaLadowa*>(hex->unit) : nullptr;
    const cPanstwo* attacker = GetCountry(owner);
    if (!result || !target || target->m_ShoreBombardmentEffect != 0.0f || !attacker ||
        !attacker->IsAtWarWith(target->m_Owner))
        return false;
    target->ShoreBombardment(*this, result, wholeFleet);
    // One bombardment an impulse for the whole fleet: ships left out of it do not fire later.
    for (cJednostkaMorska* ship : ships)
        ship->m_ShoreBombardmentDone = true;
    return true;
}
