#include "units/naval_unit.h"

#include <cmath>
#include <set>

#include "core/lock.h"
#include "core/log.h"
#include "core/random.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "game/commanders.h"
#include "game/consts.h"
#include "game/game.h"
#include "game/play_counts.h"
#include "units/combat_support.h"
#include "units/land_unit.h"
#include "units/sea_battle.h"
#include "units/unit_access.h"
#include "units/unit_lists.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/sea_graph.h"
#include "world/world.h"

int cJednostkaMorska::RollDamage() const
{
    const sGameConsts* k = UnitConsts();
    int type = NavalTypeIndex(m_Type);
    if (!k || type < 0)
        return 0;
    return RandomInt(k->ShipDamageMin[type], k->ShipDamageMax[type]);
}

int cJednostkaMorska::GetRatingTechLevel() const
{
    const cPanstwo* owner = GetOwner();
    if (!owner)
        return 0;
    return owner->TechLevel[m_Type == UNIT_SUBMARINE ? TECH_SUBMARINES : TECH_NAVY];
}

float cJednostkaMorska::GetBombardmentValue() const
{
    const sGameConsts* k = UnitConsts();
    int type = NavalTypeIndex(m_Type);
    if (!k || type < 0)
        return 0.0f;
    int base = (k->ShipStrengthA[type] + k->ShipStrengthB[type]) / 2;
    return float(base) * (float(GetRatingTechLevel() - 1) * 0.1f + 0.5f);
}

void cJednostkaMorska::EnsureMinimumHitPoints()
{
    const sGameConsts* k = UnitConsts();
    if (!k)
        return;
    int least = TruncateToInt(std::floor(float(m_MaxHP) * k->CarrierMinHitPointsPercent / 100.0f));
    if (m_HP < least)
        m_HP = least;
}

int cJednostkaMorska::ChangeHitPoints(float delta)
{
    int hp = TruncateToInt(float(m_HP) + delta);
    hp = std::min(hp, m_MaxHP);
    m_HP = hp > 0 ? hp : 0;
    return m_HP;
}

void cJednostkaMorska::ResetBattleFlags()
{
    m_ActiveInBattle = true;
    m_Retreated = false;
    if (IsTransport())
        m_ActiveInBattle = false;
    const sGameConsts* k = UnitConsts();
    if (m_Type == UNIT_CARRIER && k && m_HP <= k->CarrierHitPointsForAir)
        m_ActiveInBattle = false;
}

int cJednostkaMorska::GetShotHitChance() const
{
    return (GetRatingTechLevel() + 3) * 10;
}

// 1-100 <=, not the formula's 0-100 <: that misses the rules' own edges (tech 5 always, tech 0 half).
int cJednostkaMorska::RollShotDamage() const
{
    return RandomInt(1, 100) <= (GetRatingTechLevel() + 5) * 10 ? 1 : 0;
}

namespace {

cFlota* MakeFleet(int owner, int nodeId, bool moved)
{
    auto* fleet = new cFlota();
    fleet->ID = NextFleetId();
    fleet->owner = owner;
    fleet->seaNode = nodeId;
    fleet->formation = 0;
    fleet->SetName(LangFormat("fleet_#%i", fleet->ID));
    fleet->movedThisTurn = moved ? 1 : 0;
    if (g_Gra)
        g_Gra->m_Fleets.push_back(fleet);
    return fleet;
}

// The owner's last fleet at the node (list order), optionally only one that has not moved.
cFlota* FindOwnFleetAt(int owner, int nodeId, bool onlyUnmoved)
{
    cFlota* found = nullptr;
    if (!g_Gra)
        return nullptr;
    for (cFlota* f : g_Gra->m_Fleets)
        if (f->owner == owner && f->seaNode == nodeId && (!onlyUnmoved || f->movedThisTurn == 0))
            found = f;
    return found;
}

// The owner's fleet at the node that a ship joins, made when there is none: a ship placed
// there as moved joins any fleet and a new fleet counts as moved; otherwise only a fleet
// that has not moved takes it.
cFlota* FleetToJoin(int owner, int nodeId, bool moved)
{
    cFlota* fleet = FindOwnFleetAt(owner, nodeId, !moved);
    return fleet ? fleet : MakeFleet(owner, nodeId, moved);
}

// The sea graph when it has the node; a ship in a fleet at a node that does not exist could
// never be saved and read.
cGrafMorz* GraphWithNode(int nodeId, const cJednostkaMorska& ship)
{
    cGrafMorz* graph = g_Gra ? g_Gra->m_SeaGraph : nullptr;
    if (graph && graph->GetNode(nodeId))
        return graph;
    LogLine(L"WARNING: Could not find sea node with ID = %i while assigning ship %s (ID = %i)", nodeId, ship.m_Name,
            ship.m_Id);
    return nullptr;
}

} // namespace

void cJednostkaMorska::EnterFleet(cFlota* fleet)
{
    // A ship belongs to one fleet only; a fleet left empty is gone.
    if (m_Fleet && m_Fleet != fleet) {
        cFlota* old = m_Fleet;
        m_Fleet = nullptr;
        RemoveFromList(old->ships, this);
        if (old->ships.empty())
            old->Delete();
    }
    if (m_Fleet == fleet)
        return;
    m_Fleet = fleet;
    m_FleetId = fleet->ID;
    fleet->ships.push_back(this);
    if (g_Gra) {
        RemoveFromList(g_Gra->m_NavalReserve, this);
        if (std::find(g_Gra->m_NavalUnits.begin(), g_Gra->m_NavalUnits.end(), this) == g_Gra->m_NavalUnits.end())
            g_Gra->m_NavalUnits.push_back(this);
    }
    m_InReserve = false;
}

void cJednostkaMorska::AssignToSeaNode(int nodeId)
{
    if (GraphWithNode(nodeId, *this))
        EnterFleet(FleetToJoin(m_Owner, nodeId, true));
}

void cJednostkaMorska::JoinOrCreateFleet(int nodeId)
{
    cGrafMorz* graph = GraphWithNode(nodeId, *this);
    if (!graph)
        return;
    EnterFleet(FleetToJoin(m_Owner, nodeId, false));
    graph->CalculateAllVisibility(m_Owner, false);
}

std::wstring cJednostkaMorska::LostAboardLine() const
{
    return m_Cargo ? LangFormat("report_lost_aboard_%s", m_Cargo->m_Name) : std::wstring();
}

std::wstring cJednostkaMorska::NameWithCargo() const
{
    return m_Cargo ? LangFormat("report_ship_%s_with_%s_aboard", m_Name, m_Cargo->m_Name) : m_Name;
}

void cJednostkaMorska::Kill(bool killCargo)
{
    GLOBAL_LOCK_SCOPE();
    LogLine(LangFormat("killing_%s_naval_unit", m_Name));
    // A battle under way must not keep pointing at the ship, nor its board show it.
    if (cSeaBattle* battle = CurrentSeaBattle())
        battle->ForgetShip(this);

    std::set<sWezelGrafuMorz*> shownBy;
    if (g_Gra && g_Gra->m_SeaGraph)
        for (sWezelGrafuMorz& node : g_Gra->m_SeaGraph->Nodes) {
            if (node.ShownOwnShip == this) {
                node.ShownOwnShip = nullptr;
                shownBy.insert(&node);
            }
            if (node.ShownEnemyShip == this) {
                node.ShownEnemyShip = nullptr;
                shownBy.insert(&node);
            }
        }

    // A ship killed with its cargo is lost; one killed without has put its cargo ashore.
    if (killCargo) {
        sShipLossRecord loss;
        StampWithGameDate(loss.date);
        loss.ship = m_Name;
        loss.country = CountryName(m_Owner);
        const sWezelGrafuMorz* node =
            m_Fleet && WorldSeaGraph() ? WorldSeaGraph()->GetNode(m_Fleet->seaNode) : nullptr;
        loss.zone = node ? node->Name : std::wstring();
        loss.by = m_LossBy ? m_LossBy : "other";
        loss.byCountry = m_LossByCountry > 0 ? CountryName(m_LossByCountry) : std::wstring();
        g_PlayCounts.RecordShipLoss(std::move(loss));
    }

    if (cJednostkaLadowa* cargo = m_Cargo) {
        if (!killCargo) {
            cargo->m_Transporter = nullptr;
            cargo->m_TransporterId = -1;
            m_Cargo = nullptr;
        } else {
            LogLine(LangFormat("killing_%s_carried_by_transport/amph.", cargo->m_Name));
            cargo->Kill();
            m_Cargo = nullptr;
        }
    }

    const int nodeId = m_Fleet ? m_Fleet->seaNode : 0;
    if (cFlota* fleet = m_Fleet) {
        m_Fleet = nullptr;
        if (fleet->ships.size() > 1)
            RemoveFromList(fleet->ships, this);
        else
            fleet->Delete();
    }

    // The ships it commanded look to the best commander left in the zone.
    if (m_Commander) {
        SendCommanderHome();
        if (sWezelGrafuMorz* node = WorldSeaGraph() ? WorldSeaGraph()->GetNode(nodeId) : nullptr)
            node->ShareBestCommander(m_Owner);
    }

    if (g_Gra) {
        RemoveFromList(g_Gra->m_NavalUnits, this);
        RemoveFromList(g_Gra->m_NavalReserve, this);
    }
    for (sWezelGrafuMorz* node : shownBy)
        node->RefreshDisplayedShips(true, true);
    delete this;
}

const std::wstring& FleetName(const cJednostkaMorska& ship)
{
    static const std::wstring none;
    return ship.m_Fleet ? ship.m_Fleet->name : none;
}
