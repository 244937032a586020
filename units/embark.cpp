// Land units going aboard ships: the embarkation of a unit onto a new ship and fleet, the
// player's loading onto a new ship in the port's fleet, and putting a carried unit back
// aboard its ship when a game loads.
#include <algorithm>

#include "core/log.h"
#include "core/stringbase.h"
#include "game/consts.h"
#include "game/game.h"
#include "units/land_unit.h"
#include "units/naval_unit.h"
#include "units/unit_access.h"
#include "units/unit_lists.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/sea_graph.h"

namespace {

// A new cargo or amphibious ship of the owner, afloat with its full hit points and in the
// game's naval units; the caller names it and gives it a fleet.
cJednostkaMorska* NewTransportShip(int shipType, int owner, const sGameConsts& k)
{
    auto* ship = new cJednostkaMorska();
    ship->m_Id = NextNavalUnitId();
    ship->m_Owner = owner;
    ship->SetType(shipType);
    ship->m_HP = ship->m_MaxHP = k.ShipHitPoints[NavalTypeIndex(shipType)];
    ship->m_CanBeRepaired = true;
    ship->m_ShoreBombardmentDone = false;
    ship->m_AirstrikeDone = false;
    ship->m_ReconDone = false;
    ship->m_Selected = false;
    ship->m_InReserve = false;
    ship->m_AvailableInTurns = 0;
    ship->m_Commander = nullptr;
    ship->m_CommandingCommanderId = -1;
    ship->m_FleetId = -1;
    g_Gra->m_NavalUnits.push_back(ship);
    return ship;
}

} // namespace

bool cJednostkaLadowa::CanEmbark(int shipType, int seaNodeId) const
{
    if (shipType != UNIT_CARGO && shipType != UNIT_AMPHIBIOUS) {
        LogLine(L"ERROR: unit %s (ID=%i) cannot embark on a ship of type %i", m_Name, m_Id, shipType);
        return false;
    }
    if (LandTypeIndex(m_Type) < 0 || m_Transporter || m_InReserve) {
        LogLine(L"ERROR: unit %s (ID=%i) cannot embark: it is not a land unit on the map", m_Name, m_Id);
        return false;
    }
    cGrafMorz* graph = g_Gra ? g_Gra->m_SeaGraph : nullptr;
    if (!UnitConsts() || !graph || !graph->GetNode(seaNodeId)) {
        LogLine(L"ERROR: unit %s (ID=%i) cannot embark: there is no sea node %i", m_Name, m_Id, seaNodeId);
        return false;
    }
    return true;
}

void cJednostkaLadowa::BoardShip(cJednostkaMorska* ship)
{
    FreeOwnHex(true);
    ship->m_Cargo = this;
    m_Transporter = ship;
    m_TransporterId = ship->m_Id;
    m_InReserve = false;
    m_Spotted = false;
    m_X = -1;
    m_Y = -1;
    if (!g_Gra)
        return;
    RemoveFromList(g_Gra->m_LandUnits, this);
    RemoveFromList(g_Gra->m_Reserve, this);
    auto& aboard = ship->m_Type == UNIT_CARGO ? g_Gra->m_LandUnits2 : g_Gra->m_LandUnits3;
    if (std::find(aboard.begin(), aboard.end(), this) == aboard.end())
        aboard.push_back(this);
}

cFlota* cJednostkaLadowa::EmbarkOnFleet(int shipType, int seaNodeId, int fleetOrder)
{
    if (!CanEmbark(shipType, seaNodeId))
        return nullptr;
    const int type = LandTypeIndex(m_Type);
    const sGameConsts* k = UnitConsts();

    LogLine(LangFormat("loading_%s_onto_transport/amphibious_fleet...", m_Name));
    cPanstwo* owner = GetOwner();
    if (owner) {
        if (shipType == UNIT_CARGO)
            owner->AddSeaTransportPoints(-k->SeaTransportCost[type]);
        else
            owner->AddAmphibiousInvasionPoints(-k->AmphibiousCost[type]);
    }
    m_InReserve = false;
    m_Spotted = false;

    // Ship and fleet belong to the unit's owner, who pays for them (the computer embarks only
    // its own units, so this is the moving country).
    cJednostkaMorska* ship = NewTransportShip(shipType, m_Owner, *k);
    std::wstring typeName = owner ? owner->GetUnitTypeName(shipType) : std::wstring();
    ship->SetName(FormatText(L"#%i %s %s", ship->m_Id, m_Name, typeName));

    LogLine(L"Loading unit: new fleet will be created");
    auto* fleet = new cFlota();
    fleet->ID = NextFleetId();
    fleet->owner = m_Owner;
    fleet->formation = 0;
    fleet->seaNode = seaNodeId;
    fleet->SetName(shipType == UNIT_CARGO ? LangFormat("fleet_transporter_#%i", fleet->ID)
                                          : LangFormat("fleet_amphibious_#%i", fleet->ID));
    fleet->movedThisTurn = 1;
    fleet->ships.clear();
    fleet->ships.push_back(ship);
    fleet->aiOrder = fleetOrder;
    ship->m_Fleet = fleet;
    // Not left at -1: every ship's id of its fleet names the fleet that holds it.
    ship->m_FleetId = fleet->ID;
    g_Gra->m_Fleets.push_back(fleet);

    BoardShip(ship);
    return fleet;
}

cFlota* cJednostkaLadowa::LoadIntoTransport(int shipType, int seaNodeId)
{
    if (!CanEmbark(shipType, seaNodeId))
        return nullptr;
    const sGameConsts& k = *UnitConsts();
    const int type = LandTypeIndex(m_Type);
    if (cPanstwo* owner = GetOwner()) {
        if (shipType == UNIT_CARGO)
            owner->AddSeaTransportPoints(-k.SeaTransportCost[type]);
        else
            owner->AddAmphibiousInvasionPoints(-k.AmphibiousCost[type]);
    }
    cJednostkaMorska* ship = NewTransportShip(shipType, m_Owner, k);
    ship->SetName(LangFormat(shipType == UNIT_CARGO ? "transport_#%i" : "landing_task_force_#%i", ship->m_Id));

    // The ship joins the owner's fleet in the port, so that it sails with it; a fleet made
    // for it has not moved yet, so that it can sail at once.
    cFlota* fleet = g_Gra->FindActiveFleet(seaNodeId, m_Owner);
    if (!fleet) {
        LogLine(L"Loading unit: new fleet will be created");
        fleet = new cFlota();
        fleet->ID = NextFleetId();
        fleet->owner = m_Owner;
        fleet->seaNode = seaNodeId;
        fleet->isActive = 1;
        fleet->movedThisTurn = 0;
        fleet->SetName(LangFormat("fleet_#%i", fleet->ID));
        g_Gra->m_Fleets.push_back(fleet);
    } else {
        LogLine(L"Loading unit: transport will be added to existing fleet");
    }
    fleet->ships.push_back(ship);
    ship->m_Fleet = fleet;
    ship->m_FleetId = fleet->ID;
    m_Spotted = false;
    BoardShip(ship);
    return fleet;
}

bool cJednostkaLadowa::LoadIntoFleet()
{
    // Ships in the naval reserve count too, so that whatever the game wrote reads back.
    cJednostkaMorska* ship = nullptr;
    if (g_Gra) {
        for (cJednostkaMorska* s : g_Gra->m_NavalUnits)
            if (!ship && s->m_Id == m_TransporterId)
                ship = s;
        for (cJednostkaMorska* s : g_Gra->m_NavalReserve)
            if (!ship && s->m_Id == m_TransporterId)
                ship = s;
    }
    if (!ship) {
        LogLine(L"Data integrity error: %s (ID=%i) is supposed to be loaded into ship ID=%i, but no such ship exists",
                m_Name, m_Id, m_TransporterId);
        return false;
    }
    LogLine(LangFormat("loading_%s_into_%s", m_Name, ship->m_Name));
    if (!ship->IsTransport()) {
        LogLine(LangFormat("%s_is_supposed_to_be_loaded_into_%s", m_Name, ship->m_Name));
        LogLine(LangText("but_this_isn't_transport_or_amphib._fleet._data_integrity_error!_game_terminated."));
        return false;
    }
    if (ship->m_Cargo && ship->m_Cargo != this) {
        LogLine(L"Data integrity error: %s (ID=%i) is supposed to be loaded into %s (ID=%i), which already carries %s (ID=%i)",
                m_Name, m_Id, ship->m_Name, ship->m_Id, ship->m_Cargo->m_Name, ship->m_Cargo->m_Id);
        return false;
    }
    // Boarding hides a unit that sets sail; one loaded from a save was seen or not as it
    // was saved.
    const bool spotted = m_Spotted;
    BoardShip(ship);
    m_Spotted = spotted;
    return true;
}
