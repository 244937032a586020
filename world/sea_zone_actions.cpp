// Naval actions that happen in a sea zone as a whole: the raiding of passing convoys.
#include <algorithm>
#include <vector>

#include "core/format.h"
#include "core/random.h"
#include "core/text.h"
#include "game/game.h"
#include "units/naval_unit.h"
#include "world/alliances.h"
#include "world/convoys.h"
#include "world/fleet.h"
#include "world/relations.h"
#include "world/sea_graph.h"
#include "world/world.h"

namespace {

// Wide, so that a scenario's huge bonus makes a raid certain instead of overflowing.
int64_t CommanderBonus(const sDowodca* commander)
{
    return commander ? int64_t(GameConsts().CommanderSeaBonus[1]) * g_World.units.commanderRating(commander) : 0;
}

void ReportRaid(int raiderOwner, const std::wstring& raider, const std::wstring& zone, int loss, sConvoyResult& record)
{
    if (loss > 0 && record.firstHitZone.empty()) {
        record.firstHitZone = zone;
        record.firstHitBy = raiderOwner;
    }
    if (!g_Gra || g_Gra->m_Turn <= 0 || !g_Gra->m_Reports)
        return;
    sRaport report;
    report.kind = 18;
    report.countryKey = raiderOwner;
    report.text = FormatText(L"%s attacked convoys on %s, inflicted %d STP loss", raider, zone, loss);
    g_Gra->m_Reports->AddReport(report);
}

} // namespace

int GetConvoyRaidChance(const sConvoyResult& record)
{
    const float* raiding = GameConsts().ConvoyRaiding;
    const int remaining = record.transportUsed - record.transportLost;
    const float factor = remaining <= 10 ? raiding[1] : remaining <= 20 ? raiding[2] : raiding[3];
    // A scenario's huge or negative value stops at an int's ends: certain, or never.
    return TruncateToInt(float(TruncateToInt(raiding[0])) * factor);
}

void sWezelGrafuMorz::RaidConvoy(int owner, int nodeId, sConvoyResult& record, bool lastNode)
{
    (void)nodeId; // the node is this one
    record.details += L"\n>>> " + Name;
    if (Kind != SEA_NODE_PORT && record.transportLost < record.transportUsed && g_World.fleets)
    {
        // One enemy fleet lying here may fall on the convoy; one without ships has nothing to
        // attack with, and no first ship to ask for a commander.
        std::vector<cFlota*> fleets;
        for (cFlota* fleet : *g_World.fleets)
            if (fleet->seaNode == ID && !fleet->ships.empty() && CountriesAtWar(fleet->owner, owner))
                fleets.push_back(fleet);
        if (!fleets.empty())
        {
            cFlota* fleet = fleets[size_t(RandomInt(1, int(fleets.size())) - 1)];
            const int64_t chance = GetConvoyRaidChance(record) + CommanderBonus(fleet->ships.front()->m_Commander);
            if (RandomInt(1, 100) <= chance)
            {
                const int loss = std::min(fleet->RollDamage(), record.transportUsed - record.transportLost);
                record.transportLost += loss;
                record.details +=
                    FormatText(L"[ATTACKED by enemy FLEET (%i ships), lost %i STP] ", int(fleet->ships.size()), loss);
                ReportRaid(fleet->owner, fleet->name, Name, loss, record);
            }
        }
        // Then every raider here, while the convoy still carries something.
        if (g_Gra)
            for (cJednostkaMorska* ship : g_Gra->m_NavalUnits)
            {
                if (record.transportLost >= record.transportUsed)
                    break;
                const cFlota* fleet = ship->m_Fleet;
                if (!fleet || fleet->seaNode != ID || fleet->formation != 1 || !CountriesAtWar(ship->m_Owner, owner))
                    continue;
                const int64_t chance =
                    TruncateToInt(float(GetConvoyRaidChance(record)) * GameConsts().ConvoyRaiding[4]) +
                    CommanderBonus(ship->m_Commander);
                if (RandomInt(1, 100) > chance)
                    continue;
                const int loss = std::min(ship->RollDamage(), record.transportUsed - record.transportLost);
                record.transportLost += loss;
                record.details += FormatText(L"[ATTACKED by enemy RAIDER, lost %i STP] ", loss);
                ReportRaid(ship->m_Owner, ship->m_Name, Name, loss, record);
            }
    }
    if (lastNode)
        record.details += L"\n";
}
