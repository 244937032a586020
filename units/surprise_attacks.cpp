// Surprise attacks: before the sea battles of an impulse, a carrier or a raider submarine
// may fall on one enemy ship of its sea node with a single roll.
#include <vector>

#include "core/format.h"
#include "core/log.h"
#include "core/random.h"
#include "core/stringbase.h"
#include "game/consts.h"
#include "game/game.h"
#include "game/presentation.h"
#include "units/combat_support.h"
#include "units/naval_unit.h"
#include "units/sea_battle.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/relations.h"
#include "world/sea_graph.h"

namespace {

bool IsRaiderSubmarine(const cJednostkaMorska& ship)
{
    return ship.m_Type == UNIT_SUBMARINE && ship.m_Fleet && ship.m_Fleet->formation == 1;
}

const std::wstring& NodeNameOf(const cJednostkaMorska& ship)
{
    static const std::wstring none;
    const sWezelGrafuMorz* node = ship.m_Fleet ? ship.m_Fleet->GetSeaNode() : nullptr;
    return node ? node->Name : none;
}

// The persons told of an attack: those of the attacker's side, its own first, and the person
// whose ship was attacked. Not the side of the country that moves: at the end of an impulse
// that is the first of the next, whoever plays it.
std::vector<int> PersonsToTell(int attackerId, int targetOwnerId)
{
    std::vector<int> persons;
    const cPanstwo* attacker = GetCountry(attackerId);
    if (!attacker || !g_Gra)
        return persons;
    if (attacker->HumanControlled)
        persons.push_back(attackerId);
    for (const cPanstwo* c : g_Gra->m_Countries)
        if (c->ID != attackerId && c->IsActive && c->HumanControlled && c->IsAlliedWith(attackerId))
            persons.push_back(c->ID);
    // The person whose ship was hit would otherwise learn of it only in Reports.
    if (const cPanstwo* target = GetCountry(targetOwnerId); target && target->HumanControlled)
        persons.push_back(targetOwnerId);
    return persons;
}

} // namespace

bool cJednostkaMorska::TrySurpriseAttack(std::wstring& text, int* targetOwner)
{
    text = LangText("wait...");
    const sGameConsts& k = GameConsts();
    int chance = 0;
    if (m_Type == UNIT_CARRIER)
        chance = k.SeaBattleDetection[6];
    else if (IsRaiderSubmarine(*this))
        chance = k.SeaBattleDetection[7];
    if (chance < 1 || !m_Fleet || !g_Gra)
        return false;
    if (RandomInt(1, 1000) > chance) {
        LogLine(LangFormat("%s_tries_to_launch_a_surprise_attack._check_failed.", m_Name));
        return false;
    }
    LogLine(LangFormat("%s_tries_to_launch_a_surprise_attack._check_passed._searching_for_enemies...", m_Name));
    std::vector<cJednostkaMorska*> targets;
    for (cJednostkaMorska* ship : g_Gra->m_NavalUnits)
        if (ship->m_HP > 0 && ship->m_Fleet && ship->m_Fleet->seaNode == m_Fleet->seaNode &&
            CountriesAtWar(m_Owner, ship->m_Owner))
            targets.push_back(ship);
    if (targets.empty()) {
        LogLine(LangText("no_enemy_ships_present_in_sea_zone"));
        return false;
    }
    cJednostkaMorska* target = targets[size_t(RandomInt(1, int(targets.size())) - 1)];
    LogLine(LangFormat("target_chosen:_%s", target->m_Name));
    if (targetOwner)
        *targetOwner = target->m_Owner;

    const bool planes = m_Type == UNIT_CARRIER;
    const cPanstwo* owner = GetOwner();
    const int tech = owner ? owner->TechLevel[planes ? TECH_NAVY : TECH_SUBMARINES] : 0;
    const int hitChance = (tech * 5 + 15) * 2;
    const int damage = RollShotDamage();
    const std::wstring& ownerName = CountryName(m_Owner);
    const std::wstring& targetOwnerName = CountryName(target->m_Owner);
    if (RandomInt(1, 100) > hitChance) {
        text = planes ? LangFormat("aircraft_from_%s_(%s)_detected_and_attacked_%s_(%s)._attack_failed.", m_Name,
                                   ownerName, target->m_Name, targetOwnerName)
                      : LangFormat("%s_(%s)_detected_%s_(%s)_and_launched_surprise_attack._attack_failed.", m_Name,
                                   ownerName, target->m_Name, targetOwnerName);
        return true;
    }
    target->ChangeHitPoints(-float(damage));
    if (target->m_HP > 0) {
        text = planes ? LangFormat("aircraft_from_%s_(%s)_detected_and_attacked_%s_(%s)._target_was_damaged.", m_Name,
                                   ownerName, target->m_Name, targetOwnerName)
                      : LangFormat("%s_(%s)_detected_%s_(%s)_and_launched_surprise_attack._target_was_damaged.", m_Name,
                                   ownerName, target->m_Name, targetOwnerName);
        return true;
    }
    text = planes ? LangFormat("aircraft_from_%s_(%s)_detected_and_attacked_%s_(%s)._target_was_destroyed!", m_Name,
                               ownerName, target->m_Name, targetOwnerName)
                  : LangFormat("%s_(%s)_detected_%s_(%s)_and_launched_surprise_attack._target_was_destroyed!", m_Name,
                               ownerName, target->m_Name, targetOwnerName);
    // Else the land unit lost aboard would be named nowhere: the message names the ship alone.
    if (target->m_Cargo)
        text += L"\n" + target->LostAboardLine();
    // For the record of the war at sea kept with the play counts: how the ship went down.
    target->MarkLoss("surprise attack", m_Owner);
    AddCombatReport(33, target->m_Fleet ? target->m_Fleet->owner : target->m_Owner,
                    FormatText(L"%s\n%s;%s\n%s;%s\nSurprise attack", target->NameWithCargo(),
                               target->m_Fleet ? target->m_Fleet->name : std::wstring(), m_Name, ownerName,
                               NodeNameOf(*this)));
    return true;
}

void RunSurpriseAttacks()
{
    if (!g_Gra)
        return;
    // Nothing sinks out of the list here (a ship brought to 0 hit points is removed after),
    // but a person's message is waited for without the lock: the ships are taken by id.
    std::vector<int> ids;
    for (const cJednostkaMorska* ship : g_Gra->m_NavalUnits)
        ids.push_back(ship->m_Id);
    for (int id : ids) {
        cJednostkaMorska* ship = g_Gra->FindNavalUnitById(id);
        if (!ship || (ship->m_Type != UNIT_CARRIER && !IsRaiderSubmarine(*ship)))
            continue;
        std::wstring text;
        int targetOwner = 0;
        if (!ship->TrySurpriseAttack(text, &targetOwner))
            continue;
        const std::wstring report = L"Raiders activity - " + NodeNameOf(*ship) + L"\n\n" + text;
        AddCombatReport(18, ship->m_Owner, report);
        // The side whose ship was attacked may read its window: the report is kept there too.
        AddCombatReport(18, targetOwner, report);
        const std::vector<int> persons = PersonsToTell(ship->m_Owner, targetOwner);
        if (persons.empty())
            continue;
        LogLine(L"Bede pokazywal raport o raiderach komunikujacy:");
        LogLine(text);
        LogLine(report);
        sPresentationRequest message;
        message.kind = eRequestKind::Message;
        // "Raiders" through the table as the message under it: a fixed title would mix two languages.
        message.title = LangText("surprise_attack_title");
        message.text = text;
        message.countryId = persons.front();
        message.otherReaders.assign(persons.begin() + 1, persons.end());
        Presentation().Post(std::move(message))->Wait();
    }
}
