#include "shell/map_orders.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/log.h"
#include "core/stringbase.h"
#include "dialogs/convoys_dialog.h"
#include "dialogs/dialog_stack.h"
#include "dialogs/fleets_manager.h"
#include "dialogs/units_manager.h"
#include "game/game.h"
#include "game/play_state.h"
#include "game/presentation.h"
#include "shell/game_frame.h"
#include "units/air_unit.h"
#include "units/combat_result.h"
#include "units/combat_support.h"
#include "units/land_unit.h"
#include "units/naval_unit.h"
#include "world/city.h"
#include "world/convoys.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/map.h"
#include "world/sea_graph.h"

namespace {

constexpr uint32_t kAllButSelection = ~uint32_t(MARK_SELECTED);
constexpr uint32_t kAllButZoneAndSelection = ~uint32_t(MARK_SELECTED | MARK_SEA_ZONE);

bool IsFleetOrder(int mode)
{
    return mode == ORDER_FLEET_MOVE || mode == ORDER_UNLOAD || mode == ORDER_SHORE_BOMBARDMENT;
}

bool IsDeployOrder(int mode)
{
    return mode == ORDER_DEPLOY || mode == ORDER_DEPLOY_2 || mode == ORDER_SHIP_TO_SEA;
}

// The fleets window that hid itself for an order of one chosen fleet, or null.
cDialogFlot* FleetsWindowWithOneFleet()
{
    cDialogFlot* fleets = CurrentFleetsDialog();
    return fleets && fleets->SelectedFleets().size() == 1 ? fleets : nullptr;
}

cDialogJednostek* UnitsWindow()
{
    cDialog* top = CurrentDialog();
    return top && top->KindId() == kUnitsDialogKind ? static_cast<cDialogJednostek*>(top) : nullptr;
}

// The window that stood aside for the order shows again (after its own delay) rather than
// closing: the map's click handling closes it, the fleets and units windows come back after
// the deploy and recon delays; the two disagree, and closing would leave those delays unused.
void BringBackWindow(int mode)
{
    if (IsDeployOrder(mode)) {
        if (cDialogJednostek* units = UnitsWindow())
            units->OnReactivate();
        return;
    }
    if (cDialogFlot* fleets = CurrentFleetsDialog())
        fleets->OnReactivate();
}

// A ship chosen in the fleets window is the one the order was given to, whatever unit the
// map had selected.
void Reconnoitre(const sMapClick& click, cDialogFlot* fleets)
{
    const sHex& hex = click.hex;
    const int node = SeaNodeOfHex(hex);
    sCombatResult result;
    if (fleets) {
        cJednostkaMorska* ship = fleets->GetSelectedShip(0);
        if (!ship)
            return;
        if (hex.IsSea()) {
            ship->ReconSeaNode(hex.seaZone, &result);
        } else {
            ship->ReconAroundHex(hex.x, hex.y, &result);
            if (hex.city && hex.city->IsPort() && node > 0)
                ship->ReconSeaNode(node, &result);
        }
        // The carrier's aircraft report what they found, as a plane's recon does.
        PresentCombatResult(result, false);
        return;
    }
    auto* plane = dynamic_cast<cJednostkaLotnicza*>(click.selected);
    if (!plane)
        return;
    if (hex.IsSea()) {
        plane->ReconSeaNode(hex.seaZone, &result);
    } else {
        const int found = plane->FlyReconMission(hex.x, hex.y, &result);
        // The port is seen on the same flight, unless an interceptor ended it (and perhaps
        // the plane with it); a second action point would take a plane that had one to -1.
        if (found == 0 && !result.interceptionSucceeded && hex.city && hex.city->IsPort() && node > 0)
            plane->FlyOverSeaNode(node, &result);
    }
    // What the flight found, or the interceptor that fought it, is what the player must see:
    // the ships counted at a sea node are shown nowhere else, so the flight would be for nothing.
    if (result.interceptionFought || result.kind == COMBAT_AIR_RECON)
        PresentCombatResult(result, false);
}

void Unload(const sMapClick& click, cDialogFlot& fleets)
{
    cJednostkaMorska* ship = fleets.GetSelectedShip(0);
    sWezelGrafuMorz* node = ship && ship->m_Fleet ? ship->m_Fleet->GetSeaNode() : nullptr;
    click.map.ClearMarks(MARK_ACTION_TARGET, false);
    // An empty ship has nothing to land, and a ship not in a fleet lies at no sea node.
    if (!ship || !node || !ship->m_Cargo)
        return;
    const sHex& hex = click.hex;
    const bool friendly = IsCountryOrAlly(hex.controller, ship->m_Owner);
    const sHex* port = click.map.IsInside(node->MainX, node->MainY) ? click.map.GetHex(node->MainX, node->MainY) : nullptr;
    cJednostkaLadowa* cargo = ship->m_Cargo;
    if ((!friendly || !port || !port->city) && hex.seaZone != 0 && hex.coastal) {
        cargo->AmphibiousAssault(hex.x, hex.y);
    } else if (friendly) {
        // The ship is gone only once its cargo stands on the hex.
        if (cJednostkaLadowa* landed = ship->UnloadToHex(hex.x, hex.y, node->MainX, node->MainY)) {
            landed->m_Spotted = true;
            ship->Kill(false);
        }
    }
    if (const cPanstwo* active = click.play.GetActiveCountry())
        node->CalculateVisibilityForCountry(active->ID, true);
}

void BombardShore(const sMapClick& click, cDialogFlot& fleets)
{
    cFlota* fleet = fleets.SelectedFleets().front();
    sCombatResult result;
    if (fleet->BombardHex(click.hex.x, click.hex.y, &result, false))
        PresentCombatResult(result, false);
    else
        Presentation().PushMessage(LangText("shore_bombardment_result_message_no_unit_or_missed"),
                                   LangText("shore_bombardment_result_title"));
}

void Deploy(const sMapClick& click, int mode)
{
    cUnit* unit = UnitsMgrSelectedUnit();
    if (!unit)
        return;
    if (mode == ORDER_SHIP_TO_SEA) {
        if (auto* ship = dynamic_cast<cJednostkaMorska*>(unit); ship && SeaNodeOfHex(click.hex) > 0)
            ship->JoinOrCreateFleet(SeaNodeOfHex(click.hex));
    } else if (auto* deployed = dynamic_cast<cJednostka*>(unit)) {
        // Only a unit that stands on the map can be seen by the enemy.
        if (deployed->DeployNearCity(click.hex.x, click.hex.y))
            deployed->m_Spotted = true;
    }
    click.play.GetUndo().Clear();
}

// The ports a click on the hex may pick for a convoy, in the order it tries them: those whose
// own-ships hex it is, where their marks lie, then the one the hex shows (a hex two ports
// share shows only one of them).
std::vector<int> ConvoyPortsOfHex(const sHex& hex)
{
    std::vector<int> ports;
    const cGrafMorz* graph = g_Gra ? g_Gra->m_SeaGraph : nullptr;
    if (!graph)
        return ports;
    for (const sWezelGrafuMorz& node : graph->Nodes)
        if (node.Kind == SEA_NODE_PORT && node.OwnShipsX == hex.x && node.OwnShipsY == hex.y)
            ports.push_back(node.ID);
    const sWezelGrafuMorz* shown = graph->GetNode(SeaNodeOfHex(hex));
    if (shown && shown->Kind == SEA_NODE_PORT && std::find(ports.begin(), ports.end(), shown->ID) == ports.end())
        ports.push_back(shown->ID);
    return ports;
}

// The first of the hex's ports that the new convoy may take, else 0 with the reason the first
// of them is refused, or that the hex names no port (isPort false).
int PickConvoyPort(const sMapClick& click, std::wstring& why, bool& isPort)
{
    why.clear();
    isPort = false;
    const std::vector<int> ports = ConvoyPortsOfHex(click.hex);
    if (ports.empty() || !g_Gra || !g_Gra->m_Convoys) {
        why = LangText("convoy_pick_given_up_no_port");
        return 0;
    }
    isPort = true;
    const int departure = click.play.GetOrderMode() == ORDER_CONVOY_START ? 0 : g_ConvoyPick.departureNode;
    const int owner = click.play.GetActiveCountryId();
    for (int port : ports)
        if (g_Gra->m_Convoys->MayTakePort(owner, departure, port, nullptr))
            return port;
    g_Gra->m_Convoys->MayTakePort(owner, departure, ports.front(), &why);
    return 0;
}

} // namespace

int SeaNodeOfHex(const sHex& hex)
{
    if (hex.seaNodeDisplay != 0)
        return hex.seaNodeDisplay;
    return hex.IsSea() ? hex.seaZone : 0;
}

bool AbandonOrder(cPlayState& play, cMapa& map)
{
    const int mode = play.GetOrderMode();
    if (mode == ORDER_SELECT || mode == ORDER_MOVE || mode == ORDER_REBASE)
        return false;
    // Logged with the refusal or the Escape that gave it up, which the player would lose unsaid.
    LogLine(L"Player action: order %i given up", mode);
    // The convoy window notices the pick's end itself and takes its port marks along.
    if (mode != ORDER_CONVOY_START && mode != ORDER_CONVOY_END)
        map.ClearMarks(kAllButSelection, false);
    play.SetOrderMode(ORDER_SELECT);
    if (IsFleetOrder(mode) || IsDeployOrder(mode) || ((mode == ORDER_RECONNAISSANCE || mode == ORDER_AIR_BOMBARDMENT) &&
                                                      CurrentFleetsDialog() && !CurrentFleetsDialog()->GetVisible()))
        BringBackWindow(mode);
    Presentation().RefreshPanels();
    return true;
}

std::wstring WhyOrderCannotGoThere(const sMapClick& click)
{
    const int mode = click.play.GetOrderMode();
    // The unit the order was given to: the map's selected one, or the fleets window's ship.
    const cDialogFlot* fleets = mode == ORDER_RECONNAISSANCE ? FleetsWindowWithOneFleet() : nullptr;
    const cUnit* unit = fleets ? fleets->GetSelectedShip(0) : click.selected;
    const std::wstring name = unit ? unit->m_Name : std::wstring();
    switch (mode) {
    case ORDER_STRATEGIC_MOVE: return unit ? LangFormat("rail_move_refused_%s", name) : std::wstring();
    case ORDER_RECONNAISSANCE: return unit ? LangFormat("recon_refused_%s", name) : std::wstring();
    case ORDER_AIR_ATTACK: return unit ? LangFormat("air_fight_refused_%s", name) : std::wstring();
    case ORDER_AIR_BOMBARDMENT: return unit ? LangFormat("bombardment_refused_%s", name) : std::wstring();
    case ORDER_NUCLEAR_STRIKE: return unit ? LangFormat("nuclear_strike_refused_%s", name) : std::wstring();
    case ORDER_AIRBORNE_ASSAULT: return unit ? LangFormat("airborne_drop_refused_%s", name) : std::wstring();
    case ORDER_CONVOY_START:
    case ORDER_CONVOY_END: {
        std::wstring why;
        bool isPort = false;
        PickConvoyPort(click, why, isPort);
        return why;
    }
    case ORDER_FLEET_MOVE: {
        // A click on land is no destination: it gives the order up.
        const cDialogFlot* window = SeaNodeOfHex(click.hex) != 0 ? CurrentFleetsDialog() : nullptr;
        std::wstring names;
        for (const cFlota* fleet : window ? window->SelectedFleets() : std::vector<cFlota*>{})
            names += (names.empty() ? L"" : L", ") + fleet->name;
        return names.empty() ? std::wstring() : LangFormat("fleet_move_refused_%s", names);
    }
    default: return {};
    }
}

eOrderClick CarryOutWindowOrder(const sMapClick& click)
{
    cPlayState& play = click.play;
    const int mode = play.GetOrderMode();
    const sHex& hex = click.hex;
    cDialogFlot* fleets = FleetsWindowWithOneFleet();

    switch (mode) {
    case ORDER_RECONNAISSANCE:
        if (!fleets && !dynamic_cast<cJednostkaLotnicza*>(click.selected))
            return eOrderClick::NotAWindowOrder;
        if (!click.isTarget)
            return eOrderClick::Abandoned;
        click.map.ClearMarks(kAllButZoneAndSelection, false);
        Reconnoitre(click, fleets);
        if (fleets)
            BringBackWindow(mode);
        Presentation().RefreshPanels();
        return eOrderClick::Done;

    case ORDER_AIR_BOMBARDMENT: {
        // The unit panel's bomber is the map's own order; this is a carrier's strike.
        if (!fleets)
            return eOrderClick::NotAWindowOrder;
        click.map.ClearMarks(kAllButZoneAndSelection, false);
        if (click.isTarget) {
            if (cJednostkaMorska* carrier = fleets->GetSelectedShip(0)) {
                sCombatResult result;
                click.hex.AirBombard(&result, carrier);
                PresentCombatResult(result, false);
            }
        }
        BringBackWindow(mode);
        Presentation().RefreshPanels();
        return eOrderClick::Done;
    }

    case ORDER_AIRBORNE_ASSAULT: {
        // A marked hex may hold a unit the player has not seen: the drop finds it there.
        auto* land = dynamic_cast<cJednostkaLadowa*>(click.selected);
        if (!land || !click.isTarget)
            return eOrderClick::Abandoned;
        LogLine(L"Player action: Airborne assault / %s on (%i, %i)", land->m_Name, hex.x, hex.y);
        const std::wstring name = land->m_Name;
        std::wstring text;
        int landed = 0;
        // A refused drop is given up, and the status line says why.
        if (!land->AirborneAssault(hex.x, hex.y, text, landed))
            return eOrderClick::Abandoned;
        click.map.ClearMarks(kAllButSelection, false);
        if (!text.empty())
            Presentation().PushMessage(text, LangFormat("airborne_assault_title_unit%s", name));
        Presentation().RefreshPanels();
        return eOrderClick::Done;
    }

    case ORDER_STRATEGIC_MOVE: {
        auto* unit = dynamic_cast<cJednostka*>(click.selected);
        if (!unit || !click.isTarget)
            return eOrderClick::Abandoned;
        unit->StrategicMoveTo(hex.x, hex.y);
        play.GetUndo().Clear();
        click.map.ClearMarks(~0u, false);
        Presentation().RefreshPanels();
        return eOrderClick::Done;
    }

    case ORDER_DEPLOY:
    case ORDER_DEPLOY_2:
    case ORDER_SHIP_TO_SEA:
        if (!click.isTarget || !UnitsMgrSelectedUnit())
            return eOrderClick::Abandoned;
        Deploy(click, mode);
        // The deployment hexes would stay marked as targets of an order that has ended.
        click.map.ClearMarks(kAllButSelection, false);
        BringBackWindow(mode);
        Presentation().RefreshPanels();
        return eOrderClick::Done;

    case ORDER_FLEET_MOVE: {
        cDialogFlot* window = CurrentFleetsDialog();
        const int node = SeaNodeOfHex(hex);
        if (!window || window->SelectedFleets().empty() || node == 0)
            return eOrderClick::Abandoned;
        // Any water of a sea zone in reach is that zone, as its marked hex is: the player need
        // not find the marker. A port is reached by its own marked hex only.
        const sWezelGrafuMorz* zone = g_Gra && g_Gra->m_SeaGraph ? g_Gra->m_SeaGraph->GetNode(node) : nullptr;
        const bool zoneInReach = zone && zone->Kind == SEA_NODE_SEA && hex.IsSea() &&
                                 window->SelectedFleets().front()->IsReachable(node);
        if (!click.isTarget && !zoneInReach) {
            // A sea zone or port out of reach: the order stands with its marks (the window
            // would cover the reason), and the status line says why.
            window->SelectedFleets().front()->MarkReachableZones();
            PostOrderRefusal(WhyOrderCannotGoThere(click));
            return eOrderClick::KeepMode;
        }
        for (cFlota* fleet : window->SelectedFleets()) {
            fleet->MoveTo(node);
        }
        click.map.ClearMarks(~0u, false);
        BringBackWindow(mode);
        play.DeselectAll();
        return eOrderClick::Done;
    }

    case ORDER_CONVOY_START:
    case ORDER_CONVOY_END: {
        // The window makes the convoy from the two ports and comes back by itself.
        std::wstring why;
        bool isPort = false;
        const int port = PickConvoyPort(click, why, isPort);
        if (!isPort)
            return eOrderClick::Abandoned;
        if (port == 0) {
            // A port not offered: the pick stands with its marks (the click's selection took
            // them), and the status line says why.
            const int owner = play.GetActiveCountryId();
            if (mode == ORDER_CONVOY_START)
                g_Gra->m_Convoys->HighlightOwnPortsForConvoy(owner);
            else
                g_Gra->m_Convoys->HighlightAlliedPortsForConvoy(owner, g_ConvoyPick.departureNode);
            PostOrderRefusal(why);
            return eOrderClick::KeepMode;
        }
        if (TakeConvoyPortPick(port))
            return play.GetOrderMode() == ORDER_CONVOY_END ? eOrderClick::KeepMode : eOrderClick::Done;
        return eOrderClick::Abandoned;
    }

    case ORDER_UNLOAD:
        if (!fleets || !click.isTarget)
            return eOrderClick::Abandoned;
        Unload(click, *fleets);
        BringBackWindow(mode);
        play.DeselectAll();
        return eOrderClick::Done;

    case ORDER_SHORE_BOMBARDMENT:
        if (!fleets || !click.isTarget || !hex.IsLand())
            return eOrderClick::Abandoned;
        BombardShore(click, *fleets);
        // The targets would stay marked for an order that has ended.
        click.map.ClearMarks(kAllButSelection, false);
        BringBackWindow(mode);
        play.DeselectAll();
        return eOrderClick::Done;

    default:
        return eOrderClick::NotAWindowOrder;
    }
}
