// Effects on the computer opponent's parameters of a country. What the opponent reads back
// later (hexes, cities, sea zones, countries) is checked when it is stored.
#include <algorithm>
#include <numeric>

#include "core/log.h"
#include "events/effect_params.h"
#include "events/effects.h"
#include "events/events_game.h"
#include "game/ai_params.h"
#include "game/game.h"
#include "world/city.h"
#include "world/country.h"
#include "world/map.h"
#include "world/sea_graph.h"

namespace event_effects {

namespace {

// Runs change on the AI parameters of the country of param0.
template <typename Change>
void OnParameters(const cEventEffect& e, Change&& change)
{
    const cEffectParams p(e);
    cPanstwo* country = p.Country(0);
    if (!country)
        return;
    if (sAIParameters* parameters = EventAIParameters(*country))
        change(*parameters, p);
    else
        p.Refuse(L"finds no computer opponent parameters in the game");
}

// Entry number param1 (from 1) of a numbered array gets param2; another number changes
// nothing.
template <size_t N>
void SetNumbered(int (&values)[N], const cEffectParams& p)
{
    const int32_t number = p.Int(1);
    if (number < 1 || size_t(number) > N) {
        p.Refuse(FormatText(L"names entry %i (1 to %i)", number, int(N)));
        return;
    }
    values[number - 1] = p.Int(2);
}

// The city on hex (param1, param2), or null (logged when the hex is off the map).
cMiasto* CityOnHex(const cEffectParams& p)
{
    return p.CityAt(1, 2);
}

void AddCityOnce(std::list<cMiasto*>& cities, const cEffectParams& p)
{
    cMiasto* city = CityOnHex(p);
    if (city && std::find(cities.begin(), cities.end(), city) == cities.end())
        cities.push_back(city);
}

} // namespace

void AIAddInvasionTarget(const cEventEffect& e)
{
    OnParameters(e, [](sAIParameters& a, const cEffectParams& p) {
        if (p.Hex(1, 2))
            a.CurrentTargets.push_back({p.Int(1), p.Int(2), p.Int(3)});
    });
}

void AIRemoveInvasionTarget(const cEventEffect& e)
{
    OnParameters(e, [](sAIParameters& a, const cEffectParams& p) {
        a.CurrentTargets.remove_if([&p](const sAITarget& t) { return t.a == p.Int(1) && t.b == p.Int(2); });
    });
}

void AISetMakesSeaInvasionsParameter(const cEventEffect& e)
{
    OnParameters(e, [](sAIParameters& a, const cEffectParams& p) { a.MakesSeaInvasions = p.Flag(1); });
}

void AISetMaxNumberOfFrontsForSeaInvasion(const cEventEffect& e)
{
    OnParameters(e, [](sAIParameters& a, const cEffectParams& p) { a.MaxNumberOfFrontsForSeaInvasion = p.Int(1); });
}

// The opponent lands on the target from its sea zone: only a port on a coastal hex will do.
void AIAddPortForObligatoryInvasion(const cEventEffect& e)
{
    OnParameters(e, [](sAIParameters& a, const cEffectParams& p) {
        const sHex* hex = p.Hex(1, 2);
        cMiasto* city = hex ? hex->city : nullptr;
        if (!city)
            return;
        if (!city->IsPort() || !hex->coastal) {
            p.Refuse(FormatText(L"names %s, which is no port on the coast", city->Name));
            return;
        }
        if (p.Int(3) == 0)
            a.ObligatorySeaInvasionTargets.push_back(city);
        else
            a.ObligatorySeaInvasionTargets.push_front(city);
    });
}

void AIRemovePortForObligatoryInvasion(const cEventEffect& e)
{
    OnParameters(e, [](sAIParameters& a, const cEffectParams& p) {
        if (cMiasto* city = CityOnHex(p))
            a.ObligatorySeaInvasionTargets.remove(city);
    });
}

void AIAddDoNotAttackCity(const cEventEffect& e)
{
    OnParameters(e, [](sAIParameters& a, const cEffectParams& p) { AddCityOnce(a.DoNotAttackCities, p); });
}

void AIRemoveDoNotAttackCity(const cEventEffect& e)
{
    OnParameters(e, [](sAIParameters& a, const cEffectParams& p) {
        auto& cities = a.DoNotAttackCities;
        auto it = std::find_if(cities.begin(), cities.end(),
                               [&p](const cMiasto* c) { return c && c->X == p.Int(1) && c->Y == p.Int(2); });
        if (it != cities.end())
            cities.erase(it);
    });
}

void AIAddExtraCityToGarrison(const cEventEffect& e)
{
    OnParameters(e, [](sAIParameters& a, const cEffectParams& p) { AddCityOnce(a.ExtraCitiesToGarrison, p); });
}

// Patrols sail sea zones: the id must name a sea node that is open sea.
void AIAddSeaZoneToPatrolList(const cEventEffect& e)
{
    OnParameters(e, [](sAIParameters& a, const cEffectParams& p) {
        const sWezelGrafuMorz* zone = p.SeaNode(1);
        if (!zone)
            return;
        if (zone->Kind != SEA_NODE_SEA) {
            p.Refuse(FormatText(L"names sea node %i, which is a port and no sea zone", zone->ID));
            return;
        }
        for (sSeaZoneToPatrol& entry : a.SeaZonesToPatrol)
            if (entry.a == zone->ID) {
                entry.b = p.Int(2);
                return;
            }
        a.SeaZonesToPatrol.push_back({zone->ID, p.Int(2)});
    });
}

void AIRemoveSeaZoneFromPatrolList(const cEventEffect& e)
{
    OnParameters(e, [](sAIParameters& a, const cEffectParams& p) {
        auto& zones = a.SeaZonesToPatrol;
        auto it = std::find_if(zones.begin(), zones.end(), [&p](const sSeaZoneToPatrol& z) { return z.a == p.Int(1); });
        if (it != zones.end())
            zones.erase(it);
    });
}

void AIAddCountryToPress(const cEventEffect& e)
{
    OnParameters(e, [](sAIParameters& a, const cEffectParams& p) {
        if (const cPanstwo* pressed = p.Country(1))
            a.CountriesToPress.push_back(pressed->ID);
    });
}

void AISetDesiredStrategicMovementPoints(const cEventEffect& e)
{
    OnParameters(e, [](sAIParameters& a, const cEffectParams& p) { a.DesiredStrategicMovementPoints = p.Int(1); });
}

void AISetDesiredTechLevel(const cEventEffect& e)
{
    OnParameters(e, [](sAIParameters& a, const cEffectParams& p) {
        const int32_t category = p.Int(1);
        if (category < 0 || category > 6) {
            p.Refuse(FormatText(L"names technology category %i (0 to 6)", category));
            return;
        }
        a.DesiredTechLevels[category] = ClampForEffect(p, p.Int(2), 0, kMaxTechLevel, L"a desired technology level");
    });
}

void AITransportUnitsToFrontsBySea(const cEventEffect& e)
{
    OnParameters(e, [](sAIParameters& a, const cEffectParams& p) { a.TransportsUnitsToFrontsBySea = p.Int(1) != 0; });
}

void AISetMultipleSideAttackPreferences(const cEventEffect& e)
{
    OnParameters(e, [](sAIParameters& a, const cEffectParams& p) {
        for (int i = 0; i < 3; ++i)
            a.MultipleSideAttackPreferences[i] = p.Int(i + 1);
    });
}

void AISetOneSideAttackPreferences(const cEventEffect& e)
{
    OnParameters(e, [](sAIParameters& a, const cEffectParams& p) {
        for (int i = 0; i < 3; ++i)
            a.OneSideAttackPreferences[i] = p.Int(i + 1);
    });
}

void AISetFortLevelToHoldAtAllCost(const cEventEffect& e)
{
    OnParameters(e, [](sAIParameters& a, const cEffectParams& p) { a.FortLevelToHoldAtAllCost = p.Int(1); });
}

// The purchases draw a unit category by these weights: a negative weight or none left at
// all would leave nothing to draw.
void CountryNewUnitPurchasePreferences(const cEventEffect& e)
{
    OnParameters(e, [](sAIParameters& a, const cEffectParams& p) {
        const int32_t number = p.Int(1), value = p.Int(2);
        auto& weights = a.NewUnitPurchasePreferences;
        if (number < 1 || number > 14) {
            p.Refuse(FormatText(L"names purchase preference %i (1 to 14)", number));
            return;
        }
        if (value < 0) {
            p.Refuse(FormatText(L"gives purchase preference %i the weight %i", number, value));
            return;
        }
        const int64_t others = std::accumulate(std::begin(weights), std::end(weights), int64_t(0)) - weights[number - 1];
        if (others + value <= 0) {
            p.Refuse(L"would leave every purchase preference at 0");
            return;
        }
        weights[number - 1] = value;
    });
}

void CountrySetMaxSafeMoveCost(const cEventEffect& e)
{
    OnParameters(e, [](sAIParameters& a, const cEffectParams& p) { a.MaxSafeMoveCost = p.Int(1); });
}

void CountrySetDesiredLandForcesStructure(const cEventEffect& e)
{
    OnParameters(e, [](sAIParameters& a, const cEffectParams& p) { SetNumbered(a.DesiredLandForcesStructure, p); });
}

void CountrySetMinRatioToPatchFront(const cEventEffect& e)
{
    OnParameters(e, [](sAIParameters& a, const cEffectParams& p) { a.MinRatioToPatchFront = p.Float(1); });
}

void CountrySetMaxUnitCountOnFront(const cEventEffect& e)
{
    OnParameters(e, [](sAIParameters& a, const cEffectParams& p) { a.MaxUnitCountOnFront = p.Int(1); });
}

void CountrySetMaxCoveringUnitDistance(const cEventEffect& e)
{
    OnParameters(e, [](sAIParameters& a, const cEffectParams& p) { a.MaxCoveringUnitDistance = p.Int(1); });
}

void CountrySetAICarrierTargetsPriorities(const cEventEffect& e)
{
    const cEffectParams p(e);
    if (!g_Gra)
        return;
    for (cPanstwo* country : g_Gra->m_Countries)
        if (sAIParameters* a = EventAIParameters(*country))
            for (int k = 0; k < 9; ++k)
                a->CarrierTargetsPriorities[k] = p.Int(k);
}

void CountryChangeAICarrierTargetsPriorities(const cEventEffect& e)
{
    OnParameters(e, [](sAIParameters& a, const cEffectParams& p) { SetNumbered(a.CarrierTargetsPriorities, p); });
}

} // namespace event_effects
