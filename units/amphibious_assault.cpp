// Amphibious assaults: a land unit storms a hex from the ship that carries it, fighting
// the enemy there or paying the losses of a landing on an empty beach.
#include "core/lock.h"
#include "core/log.h"
#include "core/random.h"
#include "core/settings.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "game/consts.h"
#include "game/game.h"
#include "game/play_counts.h"
#include "game/play_state.h"
#include "game/presentation.h"
#include "units/combat_result.h"
#include "units/combat_support.h"
#include "units/land_attack.h"
#include "units/land_unit.h"
#include "units/naval_unit.h"
#include "units/unit_access.h"
#include "units/unit_lists.h"
#include "world/country.h"
#include "world/map.h"
#include "world/relations.h"
#include "world/sea_graph.h"
#include "world/world.h"

namespace {

// The map mark of a hex the computer is about to storm.
constexpr uint32_t kAssaultTargetMark = 2;

} // namespace

bool cJednostkaLadowa::AmphibiousAssault(int x, int y)
{
    return Assault(x, y, false);
}

bool cJednostkaLadowa::AiAmphibiousAssault(int x, int y)
{
    return Assault(x, y, true);
}

bool cJednostkaLadowa::Assault(int x, int y, bool byComputer)
{
    // Held from the start, not only around the combat: the unit leaves its ship's list and
    // the ship sinks before the fight, and the screen must not draw either half-done. The
    // pauses inside give the lock up.
    GLOBAL_LOCK_SCOPE();
    cJednostkaMorska* ship = m_Transporter;
    sHex* target = UnitHexAt(x, y);
    const sGameConsts* k = UnitConsts();
    if (!g_Gra || !k || !ship || !ship->IsTransport() || !target || !target->IsLand()) {
        LogLine(L"Unit %s (ID=%i) cannot make an amphibious assault on hex (%i, %i): no ship to land from, or no land there",
                m_Name, m_Id, x, y);
        return false;
    }
    // The players' clicks and the computer's plans offer only enemy hexes; a stale plan
    // keeps its unit aboard rather than ending the game.
    if (target->unit && !CountriesAtWar(target->unit->m_Owner, m_Owner)) {
        LogLine(L"Critical Error: Cannot assault with a friendly unit during the amphibious invasion!");
        return false;
    }

    RemoveFromList(ship->m_Type == UNIT_CARGO ? g_Gra->m_LandUnits2 : g_Gra->m_LandUnits3, this);
    g_Gra->m_LandUnits.push_back(this);
    ship->m_Cargo = nullptr;
    m_Transporter = nullptr;
    m_TransporterId = -1;
    ship->Kill(false);
    m_X = m_Y = -1;
    if (!byComputer) {
        m_Spotted = true;
    } else {
        LogLine(LangFormat("ai_unloading_amphib_unit_%s_to_hex_(%i,_%i)", m_Name, x, y));
        // Seen where it lands, for a moment, by the country whose view is shown.
        m_X = x;
        m_Y = y;
        const cPlayState* play = g_Gra->m_PlayState;
        CheckSpottedByEnemy(play ? play->GetViewCountry() : nullptr);
        ShowComputerStep(*this, x, y, DELAY_AI_MOVE_BEFORE);
        m_X = m_Y = -1;
    }

    if (!target->unit) {
        ++g_PlayCounts.landCombats;
        if (byComputer) {
            // The computer's landing either fails outright or costs nothing.
            const int loss = k->AmphibiousLandingLosses[RandomInt(1, 6) - 1];
            if (GetFullStrengthValue() * float(m_Strength - loss) / 100.0f < 0.1f) {
                DestroyInCombat(this);
                return false;
            }
        } else if (!target->IsHeldAndOwnedByFriend(m_Owner)) {
            const int loss = k->AmphibiousLandingLosses[RandomInt(1, 6) - 1];
            const float before = GetCombatStrength();
            m_Strength -= loss;
            const float lost = before - GetCombatStrength();
            const bool survived = GetCombatStrength() >= 0.1f;
            sPresentationRequest message;
            message.kind = eRequestKind::Message;
            message.title = LangText("invasion_no_enemy_title");
            message.text = survived ? LangFormat("invasion_no_enemy_success_unit_losses_strength", lost)
                                    : LangFormat("invasion_no_enemy_fail_unit_losses_strength", lost);
            message.countryId = m_Owner;
            Presentation().Post(std::move(message));
            if (!survived) {
                DestroyInCombat(this);
                return false;
            }
        }
        LandAfterAssault(x, y, byComputer);
        return true;
    }

    Presentation().PlaySound(L"data\\sound\\Invasion.wav");
    // The computer's landing is told to the person it lands on, and to one whose side sees
    // it come (at the beach, as above); not to a person far away.
    bool told = !byComputer;
    if (byComputer) {
        target->SetMark(kAssaultTargetMark, -1);
        m_X = x;
        m_Y = y;
        const cPanstwo* defender = target->unit->GetOwner();
        told = (defender && defender->HumanControlled) || (g_Gra->m_PlayState && g_Gra->m_PlayState->IsMoveShown(*this));
        ShowComputerStep(*this, x, y, DELAY_AI_MOVE_BEFORE);
        m_X = m_Y = -1;
    }
    // The rules table reads this value as 100 x (1 - value), the assault's own steps as value x 100;
    // the steps are kept (the bundled 0.5 gives 50 either way).
    m_Efficiency = TruncateToInt(k->AmphibiousEfficiencyCut * 100.0f);
    sLandAttack attack;
    attack.defender = target->unit;
    attack.x = x;
    attack.y = y;
    attack.SetAttacker(0, this);
    sCombatResult result;
    attack.Resolve(&result);
    // Left, the mark would show a target that nobody aims at, and a person's click would take
    // the hex for one.
    if (byComputer)
        target->ClearMark(kAssaultTargetMark, true);

    // The combat may have destroyed this unit: nothing of it is touched then.
    bool landed = false;
    if (!result.attackerKilled) {
        if (result.defenderKilled || result.defenderRetreated || !target->unit) {
            // A defender destroyed, surrendered or gone back has left the beach: there is no one
            // to weigh the landing against, and no one there to kill.
            m_Efficiency = 100;
            landed = true;
        } else {
            // The record tells the player which side this weighing destroyed.
            auto* defender = dynamic_cast<cJednostka*>(target->unit);
            const float defence = defender ? defender->GetEffectiveStrength() : 0.0f;
            if (defence * float(k->AmphibiousStrengthFactor) > GetEffectiveStrength()) {
                result.attackerKilled = true;
                DestroyInCombat(this);
            } else {
                result.defenderKilled = true;
                DestroyInCombat(target->unit);
                landed = true;
            }
        }
    }
    // The landing's own rule names the person's delay for both sides, the rule for every
    // computer combat the computer's (Delay/AICombatResult): the latter is kept, as the
    // computer's other combats are.
    if (told)
        PresentCombatResult(result, byComputer);
    if (landed)
        LandAfterAssault(x, y, byComputer);
    return landed;
}

void cJednostkaLadowa::LandAfterAssault(int x, int y, bool byComputer)
{
    const sGameConsts* k = UnitConsts();
    sHex* target = UnitHexAt(x, y);
    if (!k || !target)
        return;
    SetSupply(k->MaxSupply);
    RecalculateEfficiency();
    m_Transporter = nullptr;
    m_X = x;
    m_Y = y;
    target->unit = this;
    // A hex taken from an enemy empties its port, as every capture does; the landing's own
    // rule only names the new controller.
    if (CountriesAtWar(target->controller, m_Owner))
        TakeHexInCombat(x, y, m_Owner);
    else if (target->controller != m_Owner)
        target->SetController(m_Owner);
    ResetActionPoints();
    if (byComputer) {
        ShowComputerStep(*this, x, y, DELAY_AI_MOVE_AFTER);
        return;
    }
    RevealNearbyEnemies(false);
    g_World.hooks.clearSelection();
}
