// The operand methods of the event scripts: what each reads from the game.
#include <algorithm>

#include "core/log.h"
#include "core/random.h"
#include "events/event_methods.h"
#include "events/events.h"
#include "events/events_game.h"
#include "game/ai_params.h"
#include "game/game.h"
#include "units/land_unit.h"
#include "units/air_unit.h"
#include "units/naval_unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/map.h"
#include "world/relations.h"
#include "world/sea_graph.h"
#include "world/world.h"

namespace {

int32_t P(const cEventOperand& o, int i) { return EventParamToInt(o.param[size_t(i)]); }

// A reference that names nothing is the scenario's error: logged, and the operand reads 0.
double NamesNothing(const cEventOperand& o, const wchar_t* what, int32_t id)
{
    LogLine(L"ERROR: operand %s at line %i names %s %i, which does not exist; it reads 0", o.method, o.line, what, id);
    return 0.0;
}

double NoGame(const cEventOperand& o)
{
    LogLine(L"ERROR: operand %s at line %i read with no game; it reads 0", o.method, o.line);
    return 0.0;
}

// Game-wide values.

double GameGetCurrentTurn(const cEventOperand& o) { return g_Gra ? g_Gra->m_Turn : NoGame(o); }
double GetWinterBattle(const cEventOperand& o) { return g_Gra ? g_Gra->m_Consts.WinterBattleFactor : NoGame(o); }
double GetWinterMove(const cEventOperand& o) { return g_Gra ? g_Gra->m_Consts.WinterMoveFactor : NoGame(o); }
double GetMudBattle(const cEventOperand& o) { return g_Gra ? g_Gra->m_Consts.MudBattleFactor : NoGame(o); }
double GetMudMove(const cEventOperand& o) { return g_Gra ? g_Gra->m_Consts.MudMoveFactor : NoGame(o); }

double FlagGetValue(const cEventOperand& o)
{
    const int32_t index = P(o, 0);
    if (index < 0 || index >= kFlagCount) {
        LogLine(L"ERR: Flag.GetValue arg out of range: %d, max is %d", index, kFlagCount);
        return 0.0;
    }
    return g_Gra ? g_Gra->m_Flags[size_t(index)] : NoGame(o);
}

// Countries.

cPanstwo* CountryById(int32_t id)
{
    const std::vector<cPanstwo*>* countries = g_World.countries;
    if (!countries || id < 1 || size_t(id) > countries->size())
        return nullptr;
    return (*countries)[size_t(id) - 1];
}

// Reads one value of country p0, or 0 with a log line when p0 names no country.
template <typename Read>
double OfCountry(const cEventOperand& o, Read&& read)
{
    const cPanstwo* country = CountryById(P(o, 0));
    if (!country)
        return NamesNothing(o, L"country", P(o, 0));
    return double(read(*country));
}

// Entry p1 of a numbered array of country p0: from 1 for the AI weights, from 0 for
// technology categories.
template <size_t N>
double Entry(const cEventOperand& o, const int32_t (&values)[N], int32_t first)
{
    const int32_t index = P(o, 1) - first;
    if (index < 0 || size_t(index) >= N)
        return NamesNothing(o, L"entry", P(o, 1));
    return values[size_t(index)];
}

double CountryGetProductionPoints(const cEventOperand& o) { return OfCountry(o, [](const cPanstwo& c) { return c.PP; }); }
double CountryGetDiplomaticPoints(const cEventOperand& o) { return OfCountry(o, [](const cPanstwo& c) { return c.DP; }); }
double CountryGetPoliticalStrength(const cEventOperand& o)
{
    return OfCountry(o, [](const cPanstwo& c) { return c.PoliticalStrength; });
}
double CountryGetAllianceEntry(const cEventOperand& o) { return OfCountry(o, [](const cPanstwo& c) { return c.AllianceEntry; }); }
double CountryGetSocialUnrest(const cEventOperand& o) { return OfCountry(o, [](const cPanstwo& c) { return c.SocialUnrest; }); }
double CountryIsActive(const cEventOperand& o) { return OfCountry(o, [](const cPanstwo& c) { return c.IsActive ? 1 : 0; }); }
double CountryGetZoneOfInfluence(const cEventOperand& o)
{
    return OfCountry(o, [](const cPanstwo& c) { return c.ZoneOfInfluence; });
}
double CountryGetOrientation(const cEventOperand& o) { return OfCountry(o, [](const cPanstwo& c) { return c.Orientation; }); }
double CountryIsAIControlled(const cEventOperand& o)
{
    return OfCountry(o, [](const cPanstwo& c) { return c.HumanControlled ? 0 : 1; });
}
double CountryGetWarEconomy(const cEventOperand& o) { return OfCountry(o, [](const cPanstwo& c) { return c.WarEconomy; }); }
double CountryGetAlliance(const cEventOperand& o) { return OfCountry(o, [](const cPanstwo& c) { return c.Alliance; }); }
double CountryGetStrategicMovementPoints(const cEventOperand& o)
{
    return OfCountry(o, [](const cPanstwo& c) { return c.SMP; });
}
double CountryGetSTP(const cEventOperand& o) { return OfCountry(o, [](const cPanstwo& c) { return c.STP; }); }
double CountryGetAIP(const cEventOperand& o) { return OfCountry(o, [](const cPanstwo& c) { return c.AIP; }); }
double CountryGetWinterBattle(const cEventOperand& o) { return OfCountry(o, [](const cPanstwo& c) { return c.WinterBattle; }); }
double CountryGetWinterMove(const cEventOperand& o) { return OfCountry(o, [](const cPanstwo& c) { return c.WinterMove; }); }
double CountryGetMudBattle(const cEventOperand& o) { return OfCountry(o, [](const cPanstwo& c) { return c.MudBattle; }); }
double CountryGetMudMove(const cEventOperand& o) { return OfCountry(o, [](const cPanstwo& c) { return c.MudMove; }); }
double CountryGetUpkeepCost(const cEventOperand& o)
{
    return OfCountry(o, [](const cPanstwo& c) { return c.UnitUpkeepCostModifier; });
}
double CountryGetDifficultyLevel(const cEventOperand& o)
{
    return OfCountry(o, [](const cPanstwo& c) { return c.DifficultyLevel; });
}

double CountryIsAtWar(const cEventOperand& o)
{
    return OfCountry(o, [](const cPanstwo& c) { return c.IsAtWar() ? 1 : 0; });
}

double CountryHasWarWithCountry(const cEventOperand& o)
{
    if (!CountryById(P(o, 0)))
        return NamesNothing(o, L"country", P(o, 0));
    if (!CountryById(P(o, 1)))
        return NamesNothing(o, L"country", P(o, 1));
    const cRelationsMatrix* relations = WorldRelations();
    return relations && relations->IsAtWar(P(o, 0), P(o, 1)) ? 1.0 : 0.0;
}

double CountryGetTechLevel(const cEventOperand& o)
{
    const cPanstwo* c = CountryById(P(o, 0));
    return c ? Entry(o, c->TechLevel, 0) : NamesNothing(o, L"country", P(o, 0));
}
double CountryGetTechResearchProgress(const cEventOperand& o)
{
    const cPanstwo* c = CountryById(P(o, 0));
    return c ? Entry(o, c->TechProgress, 0) : NamesNothing(o, L"country", P(o, 0));
}
double CountryGetTechInvestment(const cEventOperand& o)
{
    const cPanstwo* c = CountryById(P(o, 0));
    return c ? Entry(o, c->TechInvestment, 0) : NamesNothing(o, L"country", P(o, 0));
}

// Hexes, cities and sea nodes.

// The hex at (p[ix], p[iy]); off the map it is logged and the operand reads 0, so that a
// slip in a script never quietly reads the first hex.
// The hex of a point inside the map.
const sHex& HexIn(cMapa& map, int32_t x, int32_t y)
{
    return map.Hexes()[size_t(y) * size_t(map.GetWidth()) + size_t(x)];
}

const sHex* HexAt(const cEventOperand& o, int ix, int iy)
{
    cMapa* map = WorldMap();
    const int32_t x = P(o, ix), y = P(o, iy);
    if (!map || !map->IsInside(x, y)) {
        LogLine(L"ERROR: operand %s at line %i points at hex (%d, %d), which is off the map; it reads 0", o.method,
                o.line, x, y);
        return nullptr;
    }
    return &HexIn(*map, x, y);
}

// Side 1 to 3 takes in its leader's code 4 to 6.
bool IsOnSideCode(int32_t alliance, int32_t side) { return alliance == side || (side >= 1 && side <= 3 && alliance == side + 3); }

// The controller's side, or -1 (logged with the operand's own message) for sea and uncontrolled hexes.
int32_t ControllerAlliance(const sHex& hex, const cEventOperand& o, const wchar_t* message)
{
    const cPanstwo* controller = hex.IsSea() ? nullptr : CountryById(hex.controller);
    if (!controller) {
        LogLine(message, P(o, 0), P(o, 1));
        return -1;
    }
    return controller->Alliance;
}

double HexControlledByAliance(const cEventOperand& o)
{
    const sHex* hex = HexAt(o, 0, 1);
    if (!hex)
        return 0.0;
    const int32_t alliance =
        ControllerAlliance(*hex, o, L"ERROR Hex.ControlledByAliance called with arg pointing hex (%d, %d) which is sea hex");
    return alliance >= 0 && IsOnSideCode(alliance, P(o, 2)) ? 1.0 : 0.0;
}

double HexOccupied(const cEventOperand& o)
{
    const sHex* hex = HexAt(o, 0, 1);
    return hex && hex->unit ? 1.0 : 0.0;
}

double HexOccupiedAndControlledByAlliance(const cEventOperand& o)
{
    const sHex* hex = HexAt(o, 0, 1);
    if (!hex)
        return 0.0;
    const int32_t alliance = ControllerAlliance(
        *hex, o, L"ERROR Hex.OccupiedAndControlledByAlliance called with arg pointing hex (%d, %d) which is sea hex");
    return alliance >= 0 && IsOnSideCode(alliance, P(o, 2)) && hex->unit ? 1.0 : 0.0;
}

double HexControlledByCountry(const cEventOperand& o)
{
    const sHex* hex = HexAt(o, 0, 1);
    return hex && hex->controller == P(o, 2) ? 1.0 : 0.0;
}

double CityWasBombed(const cEventOperand& o)
{
    const sHex* hex = HexAt(o, 0, 1);
    return hex && hex->city && hex->city->ProductionPointsLost > 0 ? 1.0 : 0.0;
}

// Counted by the game: the victory points of the cities whose hex the country controls.
double CountryGetVP(const cEventOperand& o)
{
    if (!CountryById(P(o, 0)))
        return NamesNothing(o, L"country", P(o, 0));
    return g_Gra ? g_Gra->CountCountryVictoryPoints(P(o, 0)) : NoGame(o);
}

const sWezelGrafuMorz* SeaNodeById(int32_t id)
{
    const cGrafMorz* graph = WorldSeaGraph();
    if (!graph || id < 1 || size_t(id) > graph->Nodes.size())
        return nullptr;
    return &graph->Nodes[size_t(id) - 1];
}

double PortGetSize(const cEventOperand& o)
{
    const sWezelGrafuMorz* node = SeaNodeById(P(o, 0));
    if (!node)
        return NamesNothing(o, L"sea node", P(o, 0));
    return std::min(node->SizeMax, node->SizeCurrent);
}

// Units.

double HexOccupiedByUnitOwnedByCountry(const cEventOperand& o)
{
    const sHex* hex = HexAt(o, 0, 1);
    return hex && hex->unit && hex->unit->m_Owner == P(o, 2) ? 1.0 : 0.0;
}

template <typename List>
int32_t CountOfType(const List& units, int32_t owner, int32_t type)
{
    int32_t n = 0;
    for (const cUnit* unit : units)
        if (unit->m_Owner == owner && unit->m_Type == type)
            ++n;
    return n;
}

// Units of type p1 that country p0 has on the map (land units aboard ships too); only p0's,
// since the operand names a country and a script asking about it means that country's army.
double CountryGetUnitCount(const cEventOperand& o)
{
    const int32_t owner = P(o, 0), type = P(o, 1);
    if (!CountryById(owner))
        return NamesNothing(o, L"country", owner);
    if (!g_Gra)
        return NoGame(o);
    if ((type >= 0 && type <= 6) || type == 60)
        return CountOfType(g_Gra->m_LandUnits, owner, type) + CountOfType(g_Gra->m_LandUnits2, owner, type) +
               CountOfType(g_Gra->m_LandUnits3, owner, type);
    if (type >= 20 && type <= 22)
        return CountOfType(g_Gra->m_AirUnits, owner, type);
    if (type >= 40 && type <= 45)
        return CountOfType(g_Gra->m_NavalUnits, owner, type);
    return 0.0;
}

// Ships of country p0 and type p2 in the fleets lying at sea node p1.
double CountryGetShipsAmountInSeaZone(const cEventOperand& o)
{
    const int32_t owner = P(o, 0), node = P(o, 1), type = P(o, 2);
    if (!CountryById(owner))
        return NamesNothing(o, L"country", owner);
    if (!g_Gra)
        return NoGame(o);
    int32_t n = 0;
    for (const cFlota* fleet : g_Gra->m_Fleets)
        if (fleet->seaNode == node)
            n += CountOfType(fleet->ships, owner, type);
    return n;
}

// The computer opponent's parameters of country p0.

EventAIParametersOf& AIParametersSource()
{
    static EventAIParametersOf source;
    return source;
}

template <typename Read>
double OfAIParameters(const cEventOperand& o, Read&& read)
{
    cPanstwo* country = CountryById(P(o, 0));
    if (!country)
        return NamesNothing(o, L"country", P(o, 0));
    if (!AIParametersSource()) {
        LogLine(L"ERROR: operand %s at line %i: the game has no computer opponent parameters; it reads 0", o.method,
                o.line);
        return 0.0;
    }
    return read(AIParametersSource()(*country));
}

double CountryGetMaxNumberOfFrontsForSeaInvasion(const cEventOperand& o)
{
    return OfAIParameters(o, [](const sAIParameters& a) { return double(a.MaxNumberOfFrontsForSeaInvasion); });
}
double CountryGetMaxSafeMoveCost(const cEventOperand& o)
{
    return OfAIParameters(o, [](const sAIParameters& a) { return double(a.MaxSafeMoveCost); });
}
double CountryGetMaxCoveringUnitDistance(const cEventOperand& o)
{
    return OfAIParameters(o, [](const sAIParameters& a) { return double(a.MaxCoveringUnitDistance); });
}
double CountryGetMaxUnitCountOnFront(const cEventOperand& o)
{
    return OfAIParameters(o, [](const sAIParameters& a) { return double(a.MaxUnitCountOnFront); });
}
double CountryGetMinRatioToPatchFront(const cEventOperand& o)
{
    return OfAIParameters(o, [](const sAIParameters& a) { return double(a.MinRatioToPatchFront); });
}
double CountryGetUnitPurchasePreferences(const cEventOperand& o)
{
    return OfAIParameters(o, [&o](const sAIParameters& a) { return Entry(o, a.NewUnitPurchasePreferences, 1); });
}
double CountryGetAICarrierTargetsPriorities(const cEventOperand& o)
{
    return OfAIParameters(o, [&o](const sAIParameters& a) { return Entry(o, a.CarrierTargetsPriorities, 1); });
}
double CountryGetDesiredLandForcesStructure(const cEventOperand& o)
{
    return OfAIParameters(o, [&o](const sAIParameters& a) { return Entry(o, a.DesiredLandForcesStructure, 1); });
}
double AIIsSeaZonePatrolled(const cEventOperand& o)
{
    return OfAIParameters(o, [&o](const sAIParameters& a) {
        for (const sSeaZoneToPatrol& zone : a.SeaZonesToPatrol)
            if (zone.a == P(o, 1))
                return 1.0;
        return 0.0;
    });
}

// A commander's level is his skill.
double CommanderGetLevel(const cEventOperand& o)
{
    if (!g_Gra)
        return NoGame(o);
    const sDowodca* commander = g_Gra->FindCommander(P(o, 0));
    return commander ? commander->Skill : NamesNothing(o, L"commander", P(o, 0));
}

double SystemGetRandomNumber(const cEventOperand& o) { return RandomInt(P(o, 0), P(o, 1)); }

double CountryWyswietlZajebisteOkienko(const cEventOperand& o)
{
    // Conditions run on the opponent's thread, which shows no window, and a box would stall a
    // game of computer countries: the scripts' debug probe reports to the log instead.
    LogLine(L"Country.WyswietlZajebisteOkienko at line %i: debug operand reached", o.line);
    return 666.0;
}

const sOperandMethod kOperands[] = {
    // 0 parameters
    {L"Get.WinterBattle", 0, GetWinterBattle},
    {L"Get.WinterMove", 0, GetWinterMove},
    {L"Get.MudBattle", 0, GetMudBattle},
    {L"Get.MudMove", 0, GetMudMove},
    {L"Game.GetCurrentTurn", 0, GameGetCurrentTurn},
    // 1 parameter
    {L"Country.GetProductionPoints", 1, CountryGetProductionPoints},
    {L"Country.GetDiplomaticPoints", 1, CountryGetDiplomaticPoints},
    {L"Country.GetVP", 1, CountryGetVP},
    {L"Country.GetPoliticalStrength", 1, CountryGetPoliticalStrength},
    {L"Country.GetAllianceEntry", 1, CountryGetAllianceEntry},
    {L"Country.GetSocialUnrest", 1, CountryGetSocialUnrest},
    {L"Country.IsActive", 1, CountryIsActive},
    {L"Country.GetZoneOfInfluence", 1, CountryGetZoneOfInfluence},
    {L"Country.GetOrientation", 1, CountryGetOrientation},
    {L"Flag.GetValue", 1, FlagGetValue},
    {L"Commander.GetLevel", 1, CommanderGetLevel},
    {L"Country.IsAIControlled", 1, CountryIsAIControlled},
    {L"Country.GetWarEconomy", 1, CountryGetWarEconomy},
    {L"Country.GetAlliance", 1, CountryGetAlliance},
    {L"Country.GetStrategicMovementPoints", 1, CountryGetStrategicMovementPoints},
    {L"Country.IsAtWar", 1, CountryIsAtWar},
    {L"Country.WyswietlZajebisteOkienko", 1, CountryWyswietlZajebisteOkienko},
    {L"Country.GetSTP", 1, CountryGetSTP},
    {L"Country.GetAIP", 1, CountryGetAIP},
    {L"Country.GetWinterBattle", 1, CountryGetWinterBattle},
    {L"Country.GetWinterMove", 1, CountryGetWinterMove},
    {L"Country.GetMudBattle", 1, CountryGetMudBattle},
    {L"Country.GetMudMove", 1, CountryGetMudMove},
    {L"Country.GetMaxNumberOfFrontsForSeaInvasion", 1, CountryGetMaxNumberOfFrontsForSeaInvasion},
    {L"Country.GetUpkeepCost", 1, CountryGetUpkeepCost},
    {L"Country.GetMaxSafeMoveCost", 1, CountryGetMaxSafeMoveCost},
    {L"Country.GetMaxCoveringUnitDistance", 1, CountryGetMaxCoveringUnitDistance},
    {L"Country.GetMaxUnitCountOnFront", 1, CountryGetMaxUnitCountOnFront},
    {L"Country.GetMinRatioToPatchFront", 1, CountryGetMinRatioToPatchFront},
    {L"Port.GetSize", 1, PortGetSize},
    {L"Country.GetDifficultyLevel", 1, CountryGetDifficultyLevel},
    // 2 parameters
    {L"Country.HasWarWithCountry", 2, CountryHasWarWithCountry},
    {L"System.GetRandomNumber", 2, SystemGetRandomNumber},
    {L"Hex.Occupied", 2, HexOccupied},
    {L"Country.GetUnitPurchasePreferences", 2, CountryGetUnitPurchasePreferences},
    {L"Country.GetTechLevel", 2, CountryGetTechLevel},
    {L"Country.GetAICarrierTargetsPriorities", 2, CountryGetAICarrierTargetsPriorities},
    {L"Country.GetTechResearchProgress", 2, CountryGetTechResearchProgress},
    {L"Country.GetTechInvestment", 2, CountryGetTechInvestment},
    {L"AI.IsSeaZonePatrolled", 2, AIIsSeaZonePatrolled},
    {L"Country.GetDesiredLandForcesStructure", 2, CountryGetDesiredLandForcesStructure},
    {L"Country.GetUnitCount", 2, CountryGetUnitCount},
    {L"City.WasBombed", 2, CityWasBombed},
    // 3 parameters
    {L"Hex.ControlledByAliance", 3, HexControlledByAliance},
    {L"Hex.OccupiedAndControlledByAlliance", 3, HexOccupiedAndControlledByAlliance},
    {L"Country.GetShipsAmountInSeaZone", 3, CountryGetShipsAmountInSeaZone},
    {L"Hex.ControlledByCountry", 3, HexControlledByCountry},
    {L"Hex.OccupiedByUnitOwnedByCountry", 3, HexOccupiedByUnitOwnedByCountry},
};

} // namespace

std::span<const sOperandMethod> OperandMethods() { return kOperands; }

void SetEventAIParameters(EventAIParametersOf parameters) { AIParametersSource() = std::move(parameters); }

sAIParameters* EventAIParameters(cPanstwo& country)
{
    return AIParametersSource() ? &AIParametersSource()(country) : nullptr;
}

std::wstring EventCountryName(int32_t countryId)
{
    const cPanstwo* country = CountryById(countryId);
    return country ? country->Name : std::wstring();
}
