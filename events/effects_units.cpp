// Effects on units and commanders: new units on hexes, at sea and in the reserve pool,
// partisans, Mulberry harbours, moves, freezes, kills, hand-overs, the events bonus to
// efficiency, damage to ships and new commanders.
#include <algorithm>
#include <vector>

#include "core/csv.h"
#include "core/log.h"
#include "core/random.h"
#include "core/stringbase.h"
#include "events/effect_params.h"
#include "events/effects.h"
#include "game/consts.h"
#include "game/game.h"
#include "game/play_counts.h"
#include "game/play_state.h"
#include "game/turn_order.h"
#include "units/air_unit.h"
#include "units/land_unit.h"
#include "units/naval_unit.h"
#include "units/unit_access.h"
#include "units/unit_lists.h"
#include "units/unit_tables.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/hex_geometry.h"
#include "world/map.h"
#include "world/save_limits.h"
#include "world/sea_graph.h"
#include "world/world.h"

namespace event_effects {

namespace {

constexpr int kMaxCommanderSkill = 100;
constexpr int kMaxCommanderExperience = 1000;
constexpr int kMaxCommanderId = 99999999;
// City.FirePartisans: tries, and how far from the city a partisan unit may appear.
constexpr int kPartisanTries = 30;
constexpr int kPartisanRadius = 5;
constexpr int kLandingTask = 2;

// What a new unit is made of: owner, type, level, strength and name from the parameters.
struct sNewUnit
{
    cPanstwo* owner = nullptr;
    int type = 0;
    int level = 1;
    int strength = 100;
    std::wstring name;
};

// Reads owner, type, level and strength from the parameters named; false, logged, when the
// owner does not exist or the type is not of the family.
bool ReadNewUnit(const cEffectParams& p, int ownerParam, int typeParam, bool (*isType)(int), sNewUnit& unit)
{
    unit.owner = p.Country(ownerParam);
    unit.type = p.Int(typeParam);
    if (!unit.owner)
        return false;
    // A type of another family would read that family's tables with this one's index.
    if (!isType(unit.type)) {
        p.Refuse(FormatText(L"gives unit type %i, which is not of this kind", unit.type));
        return false;
    }
    // What the unit tables hold and a save accepts back: past it a unit would read beyond the
    // tables, stand dead on the map, or change when its game is loaded again.
    unit.level = ClampForEffect(p, p.Int(typeParam + 1), 1, 5, L"a unit level");
    unit.strength = ClampForEffect(p, p.Int(typeParam + 2), 1, 100, L"a unit strength");
    unit.name = p.Text(0);
    return true;
}

int FullSupply()
{
    return g_Gra ? g_Gra->m_Consts.MaxSupply : 0;
}

// A fresh unit of the family as the effects make it: off the map, no action points, no
// commander, no orders, spotted, available now and fully supplied.
template <typename Unit>
Unit* MakeUnit(const sNewUnit& data)
{
    auto* unit = new Unit();
    unit->m_Owner = data.owner->ID;
    unit->SetName(data.name);
    unit->SetType(data.type);
    unit->m_Level = data.level;
    unit->m_Strength = data.strength;
    unit->m_ActionPoints = 0;
    unit->m_StartingActionPoints = 0;
    unit->m_Attacked = false;
    unit->m_WasAttacked = false;
    unit->m_SupplySourceX = -1;
    unit->m_SupplySourceY = -1;
    unit->m_CommandingCommanderId = -1;
    unit->m_Spotted = true;
    unit->m_AvailableInTurns = 0;
    // A unit that has just arrived has not been cut off from supply.
    unit->m_TurnsWithoutSupply = 0;
    unit->SetSupply(FullSupply());
    unit->RecalculateEfficiency();
    return unit;
}

cJednostkaLadowa* MakeLandUnit(const sNewUnit& data)
{
    auto* unit = MakeUnit<cJednostkaLadowa>(data);
    unit->m_TransporterId = -1;
    unit->m_AiTargetX = unit->m_AiTargetY = -1;
    unit->m_AiUltimateTargetX = unit->m_AiUltimateTargetY = -1;
    unit->RecalculateEfficiency();
    return unit;
}

// Puts a new unit on the hex (it is on the map, the hex holds it).
template <typename Unit>
void PlaceOnHex(Unit* unit, std::list<Unit*>& list, sHex& hex)
{
    unit->m_InReserve = false;
    unit->m_X = hex.x;
    unit->m_Y = hex.y;
    unit->SetSupplySourceX(-1);
    unit->SetSupplySourceY(-1);
    unit->SetActionPoints(0);
    list.push_back(unit);
    hex.unit = unit;
}

void PutInReservePool(cJednostka* unit)
{
    unit->m_InReserve = true;
    unit->m_X = -1;
    unit->m_Y = -1;
    g_Gra->m_Reserve.push_back(unit);
}

// A fresh ship of the owner with the type's hit points.
cJednostkaMorska* MakeShip(const cPanstwo& owner, int type, const std::wstring& name, int hitPoints)
{
    auto* ship = new cJednostkaMorska();
    ship->m_Id = NextNavalUnitId();
    ship->m_Owner = owner.ID;
    ship->SetName(name);
    ship->SetType(type);
    ship->m_HP = ship->m_MaxHP = hitPoints;
    ship->m_CanBeRepaired = true;
    ship->m_CommandingCommanderId = -1;
    ship->m_AvailableInTurns = 0;
    return ship;
}

int TypeHitPoints(int type)
{
    return g_Gra ? std::max(g_Gra->m_Consts.ShipHitPoints[NavalTypeIndex(type)], 1) : 1;
}

void RecalculateNodeVisibility(sWezelGrafuMorz& node)
{
    node.CalculateVisibility(false);
}

// A landing fleet is seen as the country that moves next will see it.
void RecalculateNodeVisibilityForNextCountry(sWezelGrafuMorz& node)
{
    const cPanstwo* active = g_Gra->m_PlayState ? g_Gra->m_PlayState->GetActiveCountry() : nullptr;
    if (const cPanstwo* next = PickNextCountry(g_Gra->m_Countries, active))
        node.CalculateVisibilityForCountry(next->ID, false);
    else
        node.CalculateVisibility(false);
}

// The controller of the port's own hex is the owner.
bool PortHeldBy(const sWezelGrafuMorz& node, int owner)
{
    const cMapa* map = EffectMap();
    return map && map->IsInside(node.MainX, node.MainY) && map->GetHex(node.MainX, node.MainY)->controller == owner;
}

cFlota* NewTransporterFleet(int owner, int nodeId)
{
    auto* fleet = new cFlota();
    fleet->formation = 0;
    fleet->ID = NextFleetId();
    fleet->owner = owner;
    fleet->seaNode = nodeId;
    fleet->movedThisTurn = 0;
    fleet->SetName(LangFormat("new_transporter_fleet_#%i", fleet->ID));
    g_Gra->m_Fleets.push_back(fleet);
    return fleet;
}

enum class eTransportFleet { FirstAtNode, New, Landing };

// A land unit aboard a new transport at the node, in a fleet chosen by the rule.
void AddLandUnitAtSea(const cEventEffect& e, eTransportFleet rule)
{
    const cEffectParams p(e);
    sWezelGrafuMorz* node = p.SeaNode(0);
    const int shipType = p.Int(1);
    sNewUnit data;
    if (!node || !ReadNewUnit(p, 2, 3, IsLandType, data))
        return;
    // Only cargo and amphibious ships carry land units: a save with any other carrier is refused.
    if (shipType != UNIT_CARGO && shipType != UNIT_AMPHIBIOUS) {
        p.Refuse(FormatText(L"gives ship type %i to carry a land unit (44 or 45)", shipType));
        return;
    }
    // The opponent later looks the target zone and the landing hex up: one that names nothing
    // is refused now, not met in the middle of its turn.
    if (rule == eTransportFleet::New && !p.SeaNode(6))
        return;
    // The opponent's fleet orders run from -1 to 5: a save with another is refused.
    if (rule == eTransportFleet::New && (p.Int(7) < -1 || p.Int(7) > 5)) {
        p.Refuse(FormatText(L"gives the fleet order %i (-1 to 5)", p.Int(7)));
        return;
    }
    const sHex* landing = rule == eTransportFleet::Landing ? p.Hex(6, 7) : nullptr;
    if (rule == eTransportFleet::Landing && !landing)
        return;
    const int owner = data.owner->ID;
    if (node->Kind == SEA_NODE_SEA || (node->Kind == SEA_NODE_PORT && PortHeldBy(*node, owner))) {
        cJednostkaLadowa* unit = MakeLandUnit(data);
        unit->m_InReserve = false;
        cJednostkaMorska* ship = MakeShip(*data.owner, shipType, data.name, TypeHitPoints(shipType));
        g_Gra->m_NavalUnits.push_back(ship);

        cFlota* fleet = nullptr;
        if (rule == eTransportFleet::FirstAtNode) {
            for (cFlota* f : g_Gra->m_Fleets)
                if (!fleet && f->owner == owner && f->seaNode == node->ID)
                    fleet = f;
            if (!fleet)
                fleet = NewTransporterFleet(owner, node->ID);
        } else if (rule == eTransportFleet::New) {
            fleet = NewTransporterFleet(owner, node->ID);
            fleet->aiDestination = p.Int(6);
            fleet->aiOrder = p.Int(7);
        } else {
            for (cFlota* f : g_Gra->m_Fleets)
                if (!fleet && f->owner == owner && f->seaNode == node->ID && f->aiOrder == kLandingTask &&
                    f->aiInvasionX == landing->x && f->aiInvasionY == landing->y)
                    fleet = f;
            if (!fleet) {
                fleet = NewTransporterFleet(owner, node->ID);
                fleet->aiOrder = kLandingTask;
                fleet->aiInvasionX = landing->x;
                fleet->aiInvasionY = landing->y;
                fleet->aiDestination = landing->seaZone;
                if (landing->seaZone == 0) {
                    fleet->aiDestination = -1;
                    LogLine(L"Nieprawidłowy event SeaNode.AddLandingLandUnit: chce inwazji na hex %d, %d ktory jest "
                            L"srodladowy",
                            int(landing->x), int(landing->y));
                }
            }
        }
        fleet->ships.push_back(ship);
        ship->m_Fleet = fleet;
        ship->m_FleetId = fleet->ID;

        ship->m_Cargo = unit;
        unit->m_Transporter = ship;
        unit->m_TransporterId = ship->m_Id;
        (shipType == UNIT_CARGO ? g_Gra->m_LandUnits2 : g_Gra->m_LandUnits3).push_back(unit);
    }
    if (rule == eTransportFleet::Landing)
        RecalculateNodeVisibilityForNextCountry(*node);
    else
        RecalculateNodeVisibility(*node);
}

// The unit on hex (param0, param1), or null.
cUnit* UnitOnHex(const cEffectParams& p)
{
    const sHex* hex = p.Hex(0, 1);
    return hex ? hex->unit : nullptr;
}

cJednostkaLadowa* LandUnitOnHex(const cEffectParams& p)
{
    cUnit* unit = UnitOnHex(p);
    return unit && unit->m_Category == CATEGORY_LAND ? dynamic_cast<cJednostkaLadowa*>(unit) : nullptr;
}

void KillCounted(cUnit* unit)
{
    ++g_PlayCounts.unitsDestroyed;
    unit->Kill();
}

template <typename Change>
void OnCountry(const cEventEffect& e, Change&& change)
{
    const cEffectParams p(e);
    if (cPanstwo* c = p.Country(0))
        change(*c, p);
}

// A new land unit on the hex as Hex.AddUnitAndPassControlOverHexIfEmpty makes it.
void AddUnitAndTakeHex(const cEventEffect& e)
{
    const cEffectParams p(e);
    sHex* hex = p.Hex(0, 1);
    sNewUnit data;
    if (!hex || hex->unit || !ReadNewUnit(p, 2, 3, IsLandType, data))
        return;
    // A land unit cannot stand at sea.
    if (hex->IsSea()) {
        p.Refuse(FormatText(L"puts a land unit on the sea hex (%i, %i)", int(hex->x), int(hex->y)));
        return;
    }
    PlaceOnHex(MakeLandUnit(data), g_Gra->m_LandUnits, *hex);
    hex->SetController(data.owner->ID);
}

sDowodca* CommanderOf(const cEffectParams& p)
{
    sDowodca* commander = g_Gra ? g_Gra->FindCommander(p.Int(0)) : nullptr;
    if (!commander)
        p.Refuse(FormatText(L"names commander %i, who does not exist", p.Int(0)));
    return commander;
}

// Within what a saved game keeps: the game loaded from a save would go on with another count.
int32_t KeptFreezeTime(const cEffectParams& p, int i)
{
    return ClampForEffect(p, p.Int(i), 0, kMaxFreezeTime, L"a freeze time");
}

} // namespace

void HexAddLandUnit(const cEventEffect& e)
{
    const cEffectParams p(e);
    sNewUnit data;
    if (p.IsNoHex(0, 1)) {
        if (ReadNewUnit(p, 2, 3, IsLandType, data))
            PutInReservePool(MakeLandUnit(data));
        return;
    }
    sHex* hex = p.Hex(0, 1);
    if (!hex || hex->unit || hex->IsSea() || !ReadNewUnit(p, 2, 3, IsLandType, data))
        return;
    PlaceOnHex(MakeLandUnit(data), g_Gra->m_LandUnits, *hex);
}

void HexAddUnitAndPassControlOverHexIfEmpty(const cEventEffect& e)
{
    AddUnitAndTakeHex(e);
}

void CityFirePartisans(const cEventEffect& e)
{
    const cEffectParams p(e);
    cMapa* map = EffectMap();
    const sHex* city = p.Hex(0, 1);
    sNewUnit data;
    if (!map || !city || !ReadNewUnit(p, 2, 3, IsLandType, data) || city->controller == data.owner->ID)
        return;
    const int x = city->x, y = city->y;
    for (int i = 0; i < kPartisanTries; ++i) {
        const int cx = RandomInt(x - kPartisanRadius, x + kPartisanRadius + 1);
        const int cy = RandomInt(y - kPartisanRadius, y + kPartisanRadius + 1);
        if (!map->IsInside(cx, cy))
            continue;
        sHex& hex = *map->GetHex(cx, cy);
        if (hex.unit || hex.controller != city->controller || cx == x || cy == y ||
            HexDistance(cx, cy, x, y) > kPartisanRadius || !hex.IsLand() || !map->AreHexesInSameRegion(cx, cy, x, y))
            continue;
        PlaceOnHex(MakeLandUnit(data), g_Gra->m_LandUnits, hex);
        hex.SetController(data.owner->ID);
        return;
    }
}

void HexAddAirUnit(const cEventEffect& e)
{
    const cEffectParams p(e);
    sNewUnit data;
    sHex* hex = p.IsNoHex(1, 2) ? nullptr : p.Hex(1, 2);
    if ((!hex && !p.IsNoHex(1, 2)) || !ReadNewUnit(p, 0, 3, IsAirType, data))
        return;
    auto* unit = MakeUnit<cJednostkaLotnicza>(data);
    // An occupied hex leaves the wing in the reserve pool, and so does a sea hex: no wing is
    // ever based at sea.
    if (!hex || hex->unit || hex->IsSea())
        PutInReservePool(unit);
    else
        PlaceOnHex(unit, g_Gra->m_AirUnits, *hex);
}

void HexAddNavalUnit(const cEventEffect& e)
{
    const cEffectParams p(e);
    cPanstwo* owner = p.Country(0);
    const int type = p.Int(1);
    if (!owner)
        return;
    if (!IsNavalType(type)) {
        p.Refuse(FormatText(L"gives ship type %i (40 to 45)", type));
        return;
    }
    cJednostkaMorska* ship = MakeShip(*owner, type, p.Text(0), TypeHitPoints(type));
    ship->m_InReserve = true;
    g_Gra->m_NavalReserve.push_back(ship);
}

void SeaNodeAddNavalUnit(const cEventEffect& e)
{
    const cEffectParams p(e);
    sWezelGrafuMorz* node = p.SeaNode(0);
    cPanstwo* owner = p.Country(1);
    const int type = p.Int(2);
    if (!node || !owner)
        return;
    if (!IsNavalType(type)) {
        p.Refuse(FormatText(L"gives ship type %i (40 to 45)", type));
        return;
    }
    int hitPoints = TypeHitPoints(type);
    if (IsUnset(e.param[3]))
        LogLine(L"ERROR: param%i for effect at line %i is not defined!", 3, e.line);
    else // at least 1: a ship of 0 hit points is a sunk ship that stays afloat
        hitPoints = std::clamp(p.Int(3), 1, hitPoints);
    cJednostkaMorska* ship = MakeShip(*owner, type, p.Text(0), hitPoints);
    ship->m_InReserve = true;
    g_Gra->m_NavalReserve.push_back(ship);
    if (node->Kind == SEA_NODE_PORT) {
        if (PortHeldBy(*node, owner->ID))
            ship->JoinOrCreateFleet(node->ID);
    } else if (node->Kind == SEA_NODE_SEA) {
        ship->AssignToSeaNode(node->ID);
    }
    RecalculateNodeVisibility(*node);
}

void SeaNodeAddLandUnit(const cEventEffect& e)
{
    AddLandUnitAtSea(e, eTransportFleet::FirstAtNode);
}

void SeaNodeAddLandUnitWithDest(const cEventEffect& e)
{
    AddLandUnitAtSea(e, eTransportFleet::New);
}

void SeaNodeAddLandingLandUnit(const cEventEffect& e)
{
    AddLandUnitAtSea(e, eTransportFleet::Landing);
}

void HexAddMulberry(const cEventEffect& e)
{
    const cEffectParams p(e);
    cPanstwo* country = p.Country(0);
    sHex* hex = p.Hex(1, 2);
    if (!country || !hex)
        return;
    if (hex->unit || !hex->coastal || hex->IsSea()) {
        country->AddProductionPoints(double(g_Gra->m_Consts.Mulberry[0]) * 0.5);
        return;
    }
    auto* mulberry = new cMulberry();
    mulberry->m_Level = 1;
    mulberry->m_Strength = MulberryStrength();
    mulberry->m_RemainingMonths = MulberryLifeMonths();
    mulberry->m_Owner = country->ID;
    mulberry->SetName(p.Text(0));
    mulberry->m_Spotted = true;
    mulberry->m_TurnsWithoutSupply = 0;
    mulberry->SetSupply(FullSupply());
    mulberry->RecalculateEfficiency();
    mulberry->ResetActionPoints();
    PlaceOnHex<cJednostkaLadowa>(mulberry, g_Gra->m_LandUnits, *hex);
    LogLine(L"Mulberry  \"%s\" created at (%d, %d) for country %s", mulberry->m_Name, int(hex->x), int(hex->y),
            country->Name);
}

void UnitTeleport(const cEventEffect& e)
{
    const cEffectParams p(e);
    cUnit* unit = UnitOnHex(p);
    const sHex* destination = unit ? p.Hex(2, 3) : nullptr;
    if (!destination)
        return;
    // Land and air units stand on land only.
    if (destination->IsSea()) {
        p.Refuse(FormatText(L"moves a unit onto the sea hex (%i, %i)", int(destination->x), int(destination->y)));
        return;
    }
    unit->SetPosition(destination->x, destination->y);
}

void UnitFreeze(const cEventEffect& e)
{
    const cEffectParams p(e);
    if (cJednostkaLadowa* unit = LandUnitOnHex(p))
        unit->m_FreezeTime = KeptFreezeTime(p, 2);
}

void UnitFreezeIfOwnedByCountry(const cEventEffect& e)
{
    const cEffectParams p(e);
    cJednostkaLadowa* unit = LandUnitOnHex(p);
    if (unit && unit->m_Owner == p.Int(3))
        unit->m_FreezeTime = KeptFreezeTime(p, 2);
}

void UnitUnfreeze(const cEventEffect& e)
{
    const cEffectParams p(e);
    if (cJednostkaLadowa* unit = LandUnitOnHex(p))
        unit->Unfreeze();
}

void CountryUnFreezeAllUnits(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams&) { c.UnFreezeAllUnits(); });
}

void CountrySetFreezeLevelForAllFreezedUnits(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) {
        c.SetFreezeLevelForAllFrozenUnits(KeptFreezeTime(p, 1));
    });
}

void HexKillUnit(const cEventEffect& e)
{
    const cEffectParams p(e);
    cUnit* unit = UnitOnHex(p);
    if (!unit)
        return;
    // A ship never stands on a hex; what does is a land or air unit.
    KillCounted(unit);
}

void UnitRemove(const cEventEffect& e)
{
    const cEffectParams p(e);
    const int owner = p.Int(0), type = p.Int(1), id = p.Int(2);
    auto matches = [owner, type](const cUnit* u) { return (owner <= 0 || u->m_Owner == owner) && (type == -1 || u->m_Type == type); };
    if (id >= 0) {
        for (cJednostkaLadowa* u : g_Gra->m_LandUnits)
            if (u->m_Id == id && matches(u))
                return KillCounted(u);
        for (cJednostkaLotnicza* u : g_Gra->m_AirUnits)
            if (u->m_Id == id && matches(u))
                return KillCounted(u);
        return;
    }
    std::vector<cUnit*> found;
    for (cJednostkaLadowa* u : g_Gra->m_LandUnits)
        if (matches(u))
            found.push_back(u);
    for (cJednostkaLotnicza* u : g_Gra->m_AirUnits)
        if (matches(u))
            found.push_back(u);
    if (!found.empty())
        KillCounted(found[size_t(RandomInt(0, int(found.size()) - 1))]);
}

void CountryKillAllLandUnits(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams&) {
        while (KillNextLandUnitOfCountry(c.ID))
            ;
        while (KillNextCarriedLandUnitOfCountry(c.ID))
            ;
        while (KillNextCarriedLandUnitOfCountry2(c.ID))
            ;
    });
}

void CountryKillAllAirUnits(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams&) {
        while (KillNextAirUnitOfCountry(c.ID))
            ;
    });
}

void CountryKillAllNavalUnits(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams&) {
        while (KillNextNavalUnitOfCountry(c.ID))
            ;
    });
}

// The reserve pool of land and air units; ships waiting in the naval reserve stay.
void CountryKillAllUnitsInReserve(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams&) { DeleteReserveUnitsOfCountry(c.ID); });
}

void CountryChangeOwnershipOfAllNavalUnits(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) {
        if (const cPanstwo* to = p.Country(1))
            c.ChangeOwnershipOfAllNavalUnits(to->ID);
    });
}

void CountryChangeOwnershipOfAllAirUnits(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) {
        if (const cPanstwo* to = p.Country(1))
            c.ChangeOwnershipOfAllAirUnits(to->ID);
    });
}

void CountryChangeEffectivityOfAllUnits(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) {
        ChangeEffectivenessOfCountryUnits(c.ID, p.Int(1), p.Int(2));
    });
}

void AreaChangeEffectivityOfAllUnits(const cEventEffect& e)
{
    const cEffectParams p(e);
    ChangeEffectivenessInArea(p.Int(0), p.Int(1), p.Int(2), p.Int(3), p.Int(4), p.Int(5));
}

void CountryDamageRandomShipsInSeaZone(const cEventEffect& e)
{
    const cEffectParams p(e);
    sWezelGrafuMorz* node = p.SeaNode(1);
    if (!node)
        return;
    const double lo = p.Double(2), hi = p.Double(3);
    struct sSunk
    {
        cJednostkaMorska* ship;
        int owner;
        std::wstring text;
    };
    std::vector<sSunk> sunk;
    for (cJednostkaMorska* ship : g_Gra->m_NavalUnits) {
        if (!ship->m_Fleet || ship->m_Fleet->seaNode != node->ID)
            continue;
        // Below 0 a share would heal a ship past its hit points; above 1 it sinks it all the same.
        const double share = std::clamp(double(RandomFraction()) * (hi - lo) + lo, 0.0, 1.0);
        ship->m_HP -= int(share * ship->m_HP);
        // Named with its cargo, as every sinking's report line is: the unit aboard is lost too.
        if (ship->m_HP <= 0)
            sunk.push_back({ship, ship->m_Fleet->owner,
                            FormatText(L"%s\n%s;(no data);%s\nEvent", ship->NameWithCargo(), ship->m_Fleet->name,
                                       node->Name)});
    }
    for (const sSunk& s : sunk) {
        if (g_Gra->m_Reports) {
            sRaport report;
            report.kind = 33;
            report.countryKey = s.owner;
            report.text = s.text;
            g_Gra->m_Reports->AddReport(report);
        }
        g_PlayCounts.unitsDestroyed += s.ship->m_Cargo ? 2 : 1;
        s.ship->MarkLoss("event", 0);
        s.ship->Kill(true);
    }
    RecalculateNodeVisibility(*node);
}

void CommanderAddNew(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) {
        // One more than the highest, not the last: commanders.csv need not list them in order,
        // and a repeated id would make two commanders one.
        int highest = 0;
        for (const sDowodca* d : g_Gra->m_Commanders)
            highest = std::max(highest, d->ID);
        if (highest >= kMaxCommanderId) {
            p.Refuse(L"finds no free commander id");
            return;
        }
        auto* commander = new sDowodca;
        commander->ID = highest + 1;
        commander->CountryID = c.ID;
        // Kept within what commanders.csv accepts: a commander beyond it would be dropped from
        // the next save when it is loaded, and skill times a percentage is an int product.
        commander->Skill = ClampForEffect(p, p.Int(1), 0, kMaxCommanderSkill, L"a commander's skill");
        commander->Experience = ClampForEffect(p, p.Int(2), 0, kMaxCommanderExperience, L"a commander's experience");
        commander->State = 0;
        commander->Type = 0;
        commander->Name = CsvFieldText(p.Text(0).substr(0, kMaxNameLength));
        g_Gra->m_Commanders.push_back(commander);
    });
}

// A commander's level is his skill, as the scripts read it.
void CommanderChangeLevel(const cEventEffect& e)
{
    const cEffectParams p(e);
    if (sDowodca* commander = CommanderOf(p))
        commander->Skill = ClampForEffect(p, AddSaturated(commander->Skill, p.Int(1)), 0, kMaxCommanderSkill,
                                          L"a commander's skill");
}

void CommanderSetLevel(const cEventEffect& e)
{
    const cEffectParams p(e);
    if (sDowodca* commander = CommanderOf(p))
        commander->Skill = ClampForEffect(p, p.Int(1), 0, kMaxCommanderSkill, L"a commander's skill");
}

} // namespace event_effects
