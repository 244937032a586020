#include "world/convoy_execution.h"

#include <algorithm>
#include <cstdint>
#include <list>
#include <string>
#include <vector>

#include "core/log.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "game/game.h"
#include "game/play_counts.h"
#include "units/unit.h"
#include "world/alliances.h"
#include "world/city.h"
#include "world/country.h"
#include "world/map.h"
#include "world/relations.h"
#include "world/sea_graph.h"
#include "world/world.h"

namespace {

int ControllerOf(const cMiasto* city)
{
    const cMapa* map = WorldMap();
    return map && map->IsInside(city->X, city->Y) ? map->GetHex(city->X, city->Y)->controller : 0;
}

int& SupplyFor(cMiasto& city, int owner)
{
    if (city.SupplyByCountry.size() < size_t(owner))
        city.ResizeCountryTables(CountryCount());
    return city.SupplyByCountry[size_t(owner - 1)];
}

uint8_t& ConvoyFlagFor(cMiasto& city, int owner)
{
    if (city.ConvoyInfoByCountry.size() < size_t(owner))
        city.ResizeCountryTables(CountryCount());
    return city.ConvoyInfoByCountry[size_t(owner - 1)];
}

int NodeOf(const cMiasto* city)
{
    const cGrafMorz* graph = WorldSeaGraph();
    return graph ? graph->FindNodeAtHex(city->X, city->Y) : -1;
}

// The details start with a placeholder that the first line replaces.
class cDetails
{
public:
    explicit cDetails(std::wstring& text) : m_Text(text) { m_Text = LangText("details_here..."); }
    void Add(const std::wstring& line)
    {
        if (m_Started)
            m_Text += line;
        else
            m_Text = line;
        m_Started = true;
    }

private:
    std::wstring& m_Text;
    bool m_Started = false;
};

const tCityGroup* GroupHolding(const tCityGroups& groups, const cMiasto* city)
{
    for (const tCityGroup& group : groups)
        if (std::find(group.begin(), group.end(), city) != group.end())
            return &group;
    return nullptr;
}

} // namespace

sConvoyResult ExecuteConvoy(sKonwoj& convoy, const tCityGroups& groups, const tSupplySources& sources)
{
    sConvoyResult r;
    r.result = LangText("convoy_not_executed");
    cDetails details(r.details);
    const bool pp = convoy.type == CONVOY_PP;
    r.cargo = pp ? LangFormat("resources_(%i_pp)", convoy.value) : LangText("supplies");
    cPanstwo* owner = GetCountry(convoy.owner);
    cMiasto* departure = convoy.departure;
    cMiasto* destination = convoy.destination;
    cGrafMorz* graph = WorldSeaGraph();
    // A convoy without its owner, ports or sea graph cannot be judged: refused, never read.
    if (!owner || !departure || !destination || !graph)
    {
        LogLine(L"ERROR: convoy %i of country %i has no owner, ports or sea graph", convoy.id, convoy.owner);
        return r;
    }
    // The names come first, so that a refused convoy's result and report say which it was.
    r.departure = departure->Name;
    r.destination = destination->Name;
    const int maxSupply = GameConsts().MaxSupply;
    const int ownerId = owner->ID;
    const int departureController = ControllerOf(departure);
    const int destinationController = ControllerOf(destination);
    // A refused convoy keeps the value its player gave it: a lack of points in one impulse must
    // not cut what it carries for good.
    const int32_t value = convoy.value;
    auto refuse = [&](const std::wstring& why) {
        details.Add(why);
        convoy.value = value;
        return r;
    };

    if (departure == destination)
        return refuse(LangText("convoy_not_executed:_departure_city_is_the_same_like_arrival_city!"));
    if (!pp && owner->Alliance == ALLIANCE_NEUTRAL && !owner->IsAtWar())
        return refuse(LangFormat(
            "convoy_not_executed:_supply_convoys_are_not_executed_for_neutral_countries_not_waging_war_(like_%s),_all_units_owned_by_such_countries_recieve_peace-time_supply_(half_of_max_supply)_automatically.",
            owner->Name));
    if (pp && departureController != ownerId)
        return refuse(LangFormat("convoy_not_executed:_for_resource_convoys,_departure_city_must_be_controlled_by_convoy's_owner._%s_is_not_controlled_by_%s.",
                                 departure->Name, owner->Name));
    if (CountriesAtWar(destinationController, ownerId))
        return refuse(LangFormat("convoy_not_executed:_%s_is_controlled_by_enemy.", destination->Name));
    if (pp && destinationController == departureController)
        return refuse(LangFormat("convoy_not_executed:_both_%s_and_%s_are_controlled_by_%s._transporting_resources_within_one_country_is_not_needed.",
                                 destination->Name, departure->Name, owner->Name));
    if (!IsCountryOrAlly(departureController, ownerId))
        return refuse(LangFormat("convoy_not_executed:_invalid_departure_city._%s_must_be_friendly_controlled_to_serve_as_a_departure_city_for_a_convoy",
                                 departure->Name));
    if (!pp)
    {
        const int departureSupply = SupplyFor(*departure, ownerId);
        if (departureSupply < maxSupply || (departureSupply == maxSupply && ConvoyFlagFor(*departure, ownerId)))
            return refuse(LangFormat("convoy_not_executed:_invalid_departure_city._%s_must_have_land_connection_with_valid_supply_source_to_serve_as_a_departure_city_for_a_convoy",
                                     departure->Name));
        if (!IsCountryOrAlly(destinationController, ownerId))
            return refuse(LangText("convoy_not_executed:_cannot_send_supplies_to_enemy_or_neutral_countries"));
        const int destinationSupply = SupplyFor(*destination, ownerId);
        if (destinationSupply >= maxSupply * 80 / 100)
            return refuse(LangFormat("convoy_not_executed:_%s_is_already_well-supplied_(supply_%i)", destination->Name,
                                     destinationSupply));
    }
    std::list<int> route;
    if (!graph->FindPath(NodeOf(departure), NodeOf(destination), ownerId, true, route) || route.empty())
        return refuse(LangFormat("convoy_not_executed:_there_is_no_sea_connection_between_%s_and_%s_(at_least_one_strait_on_the_way_is_not_friendly_controlled)",
                                 departure->Name, destination->Name));
    if (pp)
    {
        if (convoy.value <= 0)
            return refuse(LangText("convoy_not_executed:_convoy_cannot_transport_0_production_points"));
        if (owner->PP < 1.0)
            return refuse(LangFormat("convoy_not_executed:_%s_has_no_production_points!", owner->Name));
        if (double(convoy.value) > owner->PP)
        {
            const int available = int(owner->PP);
            details.Add(LangFormat("note:_this_convoy_was_supposed_to_carry_resources_worth_%i_pp,_while_%s_has_only_%i_pp._amount_of_pp_carried_by_convoy_has_been_set_to_%i._",
                                   convoy.value, owner->Name, available, available));
            convoy.value = available;
        }
    }

    const tCityGroup* group = nullptr;
    if (pp)
    {
        r.cargo = LangFormat("resources_(%i_pp)", convoy.value);
        r.transportNeeded = std::max(1, TruncateToInt(float(convoy.value) * GameConsts().SupplyNeed[10]));
    }
    else
    {
        group = GroupHolding(groups, destination);
        // No exit in the middle of a game: the convoy is refused with the reason.
        if (!group)
        {
            LogLine(L"CRITICAL ERROR! City %s has not been found in any city group while determining supply convoy "
                    L"cost. Country id=%i. Report this as a bug.",
                    destination->Name, ownerId);
            return refuse(LangFormat("convoy_not_executed:_%s_is_not_connected_to_any_city_of_its_side",
                                     destination->Name));
        }
        int served = 0;
        float need = 0.0f;
        for (const sSupplySource& record : sources)
        {
            if (record.unit->m_Owner != ownerId || !record.city ||
                std::find(group->begin(), group->end(), record.city) == group->end())
                continue;
            ++served;
            const int type = record.unit->m_Type;
            // A Mulberry (type 60) has no column in the need row.
            if (record.unit->m_Category == CATEGORY_LAND && type >= 0 && type <= 9)
                need += GameConsts().SupplyNeed[type];
        }
        convoy.group = group;
        convoy.unitsServed = served;
        convoy.need = need;
        if (served == 0)
            return refuse(
                LangText("convoy_not_executed:_there_aren't_any_units_that_could_use_supplies_provided_by_this_convoy!"));
        r.cargo = LangFormat("supply_for_%i_units", served);
        // The convoy record says a value of 0 (every convoy the player makes) has its need worked
        // out here, the execution caps the points at the value: read as a cap of 0 it would carry
        // full supply for one point, so 0 leaves the need to decide.
        r.transportNeeded = std::max(1, convoy.value > 0 ? std::min(TruncateToInt(need), int(convoy.value)) : TruncateToInt(need));
    }

    r.transportUsed = r.transportNeeded;
    // The results list shows what a refused convoy used: nothing.
    if (owner->STP < 1)
    {
        r.transportUsed = 0;
        return refuse(LangFormat("convoy_not_executed:_%s_has_no_sea_transport_points", owner->Name));
    }
    if (owner->STP < r.transportNeeded)
    {
        if (pp)
        {
            r.transportUsed = 0;
            return refuse(LangFormat("convoy_not_executed:_%s_doesn't_have_enough_sea_transport_points_to_execute_this_convoy_(%i_available,_%i_needed)",
                                     owner->Name, owner->STP, r.transportNeeded));
        }
        details.Add(LangFormat("warning:_%s_doesn't_have_enough_sea_transport_points_to_carry_all_needed_supplies_(%i_available,_%i_needed)._all_available_sea_transport_points_have_been_used._",
                               owner->Name, owner->STP, r.transportNeeded));
        r.transportUsed = owner->STP;
    }

    owner->AddSeaTransportPoints(-r.transportUsed);
    details.Add(LangText("convoy_route:_"));
    // Raided in the order the path is found, the destination's node first, as the rules roll
    // their dice; told from the departure, as the convoy sails: read the other way, a convoy
    // from Alexandria reads as one sailing to it.
    std::vector<std::wstring> legs;
    for (auto it = route.begin(); it != route.end(); ++it)
        if (sWezelGrafuMorz* node = graph->GetNode(*it)) {
            const size_t before = r.details.size();
            node->RaidConvoy(ownerId, *it, r, std::next(it) == route.end());
            legs.push_back(r.details.substr(before));
            r.details.resize(before);
        }
    const bool lineEnded = !legs.empty() && !legs.back().empty() && legs.back().back() == L'\n';
    if (lineEnded)
        legs.back().pop_back();
    for (auto leg = legs.rbegin(); leg != legs.rend(); ++leg)
        r.details += *leg;
    if (lineEnded)
        r.details += L'\n';
    ++g_PlayCounts.convoysExecuted;
    if (r.transportLost > 0) {
        sConvoyHitRecord hit;
        StampWithGameDate(hit.date);
        hit.country = owner->Name;
        hit.zone = r.firstHitZone;
        hit.pointsLost = std::min(r.transportLost, r.transportUsed);
        const cPanstwo* by = GetCountry(r.firstHitBy);
        hit.byCountry = by ? by->Name : std::wstring();
        g_PlayCounts.RecordConvoyHit(std::move(hit));
    }

    if (r.transportLost >= r.transportUsed)
    {
        r.transportLost = r.transportUsed;
        details.Add(LangText("convoy_was_destroyed_and_did_not_reach_its_destination._"));
        r.result = LangText("failure");
    }
    else
    {
        r.result = LangText(r.transportLost == 0 ? "success" : "partial_success");
        const int arrived = r.transportUsed - r.transportLost;
        if (pp)
        {
            // In 64 bits: a convoy of 100,000 PP times its points arrived would overflow an int.
            const int delivered = int(int64_t(convoy.value) * arrived / r.transportUsed);
            owner->AddProductionPoints(-double(convoy.value));
            cPanstwo* receiver = GetCountry(destinationController);
            if (receiver)
                receiver->AddProductionPoints(double(delivered));
            details.Add(LangFormat("convoy_arrives,_carrying_resources_worth_%.1f_production_points._%s_collects_%.1f_pp._",
                                   double(delivered), receiver ? receiver->Name : std::wstring(), double(delivered)));
        }
        else
        {
            const int supply = arrived * maxSupply / r.transportNeeded;
            details.Add(LangFormat("convoy_arrives,_carrying_supplies_worth_%i._%s_and_all_cities_with_land_connection_recieve_supply_%i_unless_their_own_supply_value_is_higher._",
                                   supply, destination->Name, supply));
            for (cMiasto* city : *group)
            {
                ConvoyFlagFor(*city, ownerId) = 1;
                int& own = SupplyFor(*city, ownerId);
                if (own < supply)
                {
                    LogLine(LangFormat("%s_takes_supply_from_convoy_(%i)_because_its_own_supply_is_lower_(%i)",
                                       city->Name, supply, own));
                    own = supply;
                }
                else
                    LogLine(LangFormat("%s_does_not_take_supply_from_convoy_(%i)_because_its_own_supply_is_already_higher_(%i)",
                                       city->Name, supply, own));
            }
        }
    }
    convoy.value = value;
    owner->STPUsedByConvoys += r.transportUsed - r.transportLost;
    return r;
}

void ExecuteConvoysOfCountry(int countryId, const tCityGroups& groups, const tSupplySources& sources)
{
    cPanstwo* country = GetCountry(countryId);
    cKonwoje* convoys = g_World.convoys;
    if (!country || !convoys)
        return;
    LogLine(LangFormat("executing_all_convoys_for_%s", country->Name));
    // What the convoys took last impulse comes back, but for what was lost.
    country->AddSeaTransportPoints(country->STPUsedByConvoys);
    country->STPUsedByConvoys = 0;
    std::vector<sKonwoj>* list = convoys->OwnerConvoys(countryId);
    if (!list)
        return;
    if (convoys->Results.size() < convoys->Convoys.size())
        convoys->Results.resize(convoys->Convoys.size());
    std::vector<sConvoyResult>& results = convoys->Results[size_t(countryId - 1)];
    results.clear();
    for (sKonwoj& convoy : *list)
    {
        results.push_back(ExecuteConvoy(convoy, groups, sources));
        const sConvoyResult& r = results.back();
        if (g_Gra && g_Gra->m_Turn > 0 && g_Gra->m_Reports)
        {
            sRaport report;
            report.kind = 24;
            report.countryKey = countryId;
            report.text = FormatText(L"Convoy with %i of %s from %s to %s\n\nResult: %s\n\nDetails: %s", convoy.value,
                                     convoy.type == CONVOY_PP ? L"PP" : L"supply", r.departure, r.destination, r.result,
                                     r.details);
            g_Gra->m_Reports->AddReport(report);
        }
    }
}
