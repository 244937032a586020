// Effects on the computer opponent's parameters of a country.
#include <algorithm>

#include "core/log.h"
#include "events/effect_params.h"
#include "events/effects.h"
#include "events/events_game.h"
#include "game/ai_params.h"
#include "game/game.h"
#include "world/city.h"
#include "world/country.h"
#include "world/map.h"
#include "world/save_limits.h"
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
    if (number >= 1 && size_t(number) <= N)
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
        a.CurrentTargets.push_back({p.Int(1), p.Int(2), p.Int(3)});
    });
}

// Not through RemovePairFromList: the records' description has the targets as pairs, the computer
// opponent's parameters as triples, and a triple goes whatever its third value.
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

void AIAddPortForObligatoryInvasion(const cEventEffect& e)
{
    OnParameters(e, [](sAIParameters& a, const cEffectParams& p) {
        cMiasto* city = CityOnHex(p);
        if (!city)
            return;
        // Only a port: a save whose list held another city would be refused when it is loaded.
        if (!city->IsPort()) {
            p.Refuse(FormatText(L"names %s, which is no port", city->Name));
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

void AIAddSeaZoneToPatrolList(const cEventEffect& e)
{
    OnParameters(e, [](sAIParameters& a, const cEffectParams& p) {
        // The patrols send fleets to the zone: an id that names no sea node is refused.
        const sWezelGrafuMorz* zone = p.SeaNode(1);
        if (!zone)
            return;
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
        if (category >= 0 && category <= 6)
            a.DesiredTechLevels[category] = p.Int(2);
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

void CountryNewUnitPurchasePreferences(const cEventEffect& e)
{
    OnParameters(e, [](sAIParameters& a, const cEffectParams& p) { SetNumbered(a.NewUnitPurchasePreferences, p); });
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
    // Within what a save's ai_data.csv reads back.
    OnParameters(e, [](sAIParameters& a, const cEffectParams& p) {
        a.MinRatioToPatchFront = float(ClampForEffect(p, p.Double(1), -kMaxAIDecimal, kMaxAIDecimal, L"the ratio"));
    });
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
