#include "game/play_state.h"

#include <algorithm>
#include <deque>

#include "core/log.h"
#include "core/settings.h"
#include "game/game.h"
#include "game/game_state.h"
#include "game/presentation.h"
#include "units/air_unit.h"
#include "units/combat_result.h"
#include "units/land_attack.h"
#include "units/land_unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/hex_geometry.h"
#include "world/map.h"
#include "world/sea_graph.h"
#include "world/supply.h"

int sAssaultPlan::CountAttackers() const
{
    return int(std::count_if(std::begin(attackerIds), std::end(attackerIds), [](int id) { return id != 0; }));
}

bool sAssaultPlan::HasAttacker(int landUnitId) const
{
    return landUnitId != 0 && std::find(std::begin(attackerIds), std::end(attackerIds), landUnitId) != std::end(attackerIds);
}

bool sAssaultPlan::Involves(const cUnit& unit) const
{
    if (unit.m_Category == defenderCategory && unit.m_Id == defenderId)
        return true;
    return unit.m_Category == CATEGORY_LAND && HasAttacker(unit.m_Id);
}

cPlayState::cPlayState() = default;
cPlayState::~cPlayState() = default;

void cPlayState::SetActiveCountry(cPanstwo* country)
{
    // A plan belongs to the turn it was made in: the next country must not fight it.
    CancelAssaultPlan();
    m_ActiveCountry = country;
    m_ShowActions = !(country && country->SideHasMembers() && !g_UserSettings.showAlliesActions);
    Presentation().RefreshPoints();
}

int cPlayState::GetActiveCountryId() const
{
    return m_ActiveCountry ? m_ActiveCountry->ID : 0;
}

void cPlayState::CenterViewOnActiveCountry(bool scroll)
{
    const cMiasto* city = m_ActiveCountry ? m_ActiveCountry->FindBestOwnCity() : nullptr;
    if (!city || !g_Gra)
        return;
    CenterCameraOn(city->X, city->Y);
    if (scroll && g_Gra->GetGameState() != kStateComputer)
        g_Gra->SetGameState(kStateScroll);
}

void cPlayState::SetHoveredHex(sHex* hex)
{
    if (hex == m_HoveredHex)
        return;
    m_HoveredHex = hex;
    const cGrafMorz* graph = g_Gra ? g_Gra->m_SeaGraph : nullptr;
    // A port's display hexes name the port, a sea hex its zone; land names no node.
    const int node = !hex ? 0 : hex->seaNodeDisplay != 0 ? hex->seaNodeDisplay : hex->IsSea() ? hex->seaZone : 0;
    m_HoveredHint = node != 0 && graph ? graph->GetNode(node) : nullptr;
    // A node's counts are those of the last visibility pass: in the computer's phase that is
    // the computer's own view, which the person does not see.
    const int state = g_Gra ? g_Gra->GetGameState() : kStateHuman;
    Presentation().ShowHoverHint(state == kStateHuman || state == kStateHumanMove ? m_HoveredHint : nullptr);
}

void cPlayState::SelectHex(int x, int y)
{
    cMapa* map = g_Gra ? g_Gra->m_Mapa : nullptr;
    // Off the map there is nothing to select: a look-up there would give the first hex.
    if (!map || !map->IsInside(x, y)) {
        LogLine(L"Selection refused: hex (%i,%i) lies off the map", x, y);
        return;
    }
    m_SelectedHex = map->GetHex(x, y);
    Presentation().RefreshPanels();
    m_SelectedUnit = nullptr;
    // Every mark, with the shade an air unit's range lays on the hexes out of its reach.
    map->ClearMarks(~0u, true);
    if (m_SelectedHex->IsSea() && m_SelectedHex->seaZone != 0) {
        map->MarkZoneHexes(m_SelectedHex->seaZone, MARK_SEA_ZONE);
    } else {
        m_SelectedHex->SetMark(MARK_SELECTED, -1);
        m_SelectedUnit = m_SelectedHex->unit;
        Presentation().RefreshPanels();
    }
    const sWezelGrafuMorz* node = g_Gra->m_SeaGraph && m_SelectedHex->IsSea() && m_SelectedHex->seaZone != 0
                                      ? g_Gra->m_SeaGraph->GetNode(m_SelectedHex->seaZone)
                                      : nullptr;
    if (m_OrderMode != ORDER_AIR_BOMBARDMENT && node && node->CountOwnShips() > 0) {
        // The screen opens the fleets window unless another window is open.
        sPresentationRequest request;
        request.kind = eRequestKind::FleetsDialog;
        request.x = x;
        request.y = y;
        request.unitId = node->ID;
        Presentation().Post(std::move(request));
    }
}

void cPlayState::DeselectAll()
{
    m_SelectedHex = nullptr;
    Presentation().RefreshPanels();
    m_SelectedUnit = nullptr;
    // The move or rebase waiting for its destination belonged to the unit let go.
    if (m_OrderMode == ORDER_MOVE || m_OrderMode == ORDER_REBASE)
        m_OrderMode = ORDER_SELECT;
    if (g_Gra && g_Gra->m_Mapa)
        g_Gra->m_Mapa->ClearMarks(~0u, true);
    Presentation().RefreshPanels();
}

void cPlayState::SetOrderMode(int mode)
{
    // A plan kept past its order would stop the clicks that move or select a unit, which
    // only act while no plan exists.
    if (mode != ORDER_ASSAULT_PLAN)
        CancelAssaultPlan();
    m_OrderMode = mode;
}

void cPlayState::SetAssaultPlan(const sAssaultPlan& plan)
{
    m_AssaultPlan = std::make_unique<sAssaultPlan>(plan);
}

void cPlayState::CancelAssaultPlan()
{
    // Without a plan the attack panel shows none already: nothing to take back.
    if (!m_AssaultPlan)
        return;
    m_AssaultPlan.reset();
    // Whoever gives the plan up (another order, the next country, the attack fought), the
    // attack panel stops showing its odds.
    Presentation().RefreshPanels();
}

namespace {

cJednostka* FindUnitOnMap(int category, int id)
{
    return g_Gra && id != 0 ? g_Gra->FindMapUnit(category, id) : nullptr;
}

} // namespace

void cPlayState::ValidateAssaultPlan()
{
    if (!m_AssaultPlan)
        return;
    const int attackers = m_AssaultPlan->CountAttackers();
    const cJednostka* defender = FindUnitOnMap(m_AssaultPlan->defenderCategory, m_AssaultPlan->defenderId);
    if (defender && defender->m_WasAttacked && attackers > 1) {
        CancelAssaultPlan();
        return;
    }
    if (attackers < 2)
        return;
    for (int id : m_AssaultPlan->attackerIds)
        if (const cJednostka* attacker = FindUnitOnMap(CATEGORY_LAND, id); attacker && attacker->m_Attacked) {
            CancelAssaultPlan();
            return;
        }
}

bool cPlayState::BuildAssault(sLandAttack& attack) const
{
    if (!m_AssaultPlan)
        return false;
    attack.x = m_AssaultPlan->x;
    attack.y = m_AssaultPlan->y;
    attack.defender = FindUnitOnMap(m_AssaultPlan->defenderCategory, m_AssaultPlan->defenderId);
    for (int slot = 0; slot < kAttackSlots; ++slot)
        if (m_AssaultPlan->attackerIds[slot] != 0)
            attack.SetAttacker(slot, FindUnitOnMap(CATEGORY_LAND, m_AssaultPlan->attackerIds[slot]));
    return true;
}

bool cPlayState::ExecuteAssaultPlan(sCombatResult& result)
{
    sLandAttack attack;
    const bool planned = BuildAssault(attack);
    CancelAssaultPlan();
    if (!planned)
        return false;
    // A unit of the plan may have died since it was planned: nothing is fought then.
    if (!attack.defender || attack.CountAttackers() == 0 || !attack.Resolve(&result)) {
        LogLine(L"ERROR: while executing assault! no pointer to att. or_def.?");
        return false;
    }
    return true;
}

void cPlayState::ForgetUnit(const cUnit* unit)
{
    if (!unit)
        return;
    if (m_SelectedUnit == unit)
        m_SelectedUnit = nullptr;
    if (m_AssaultPlan && m_AssaultPlan->Involves(*unit))
        CancelAssaultPlan();
    if (m_Move.GetUnit() == unit)
        m_Move.Drop();
    if (m_Undo.IsFor(*unit))
        m_Undo.Clear();
}

void PostInfoPanelMessage(const std::wstring& text)
{
    if (!g_Gra || !g_Gra->HasHumanCountry())
        return;
    sPresentationRequest request;
    request.kind = eRequestKind::InfoMessage;
    request.text = text;
    std::replace(request.text.begin(), request.text.end(), L'\n', L' ');
    Presentation().Post(std::move(request));
}

void CenterCameraOn(int x, int y)
{
    if (!g_Gra || !g_Gra->m_Mapa)
        return;
    if (IsMainThread()) {
        g_Gra->m_Mapa->CenterAtHex(x, y);
        return;
    }
    if (!g_Gra->HasHumanCountry())
        return;
    sPresentationRequest request;
    request.kind = eRequestKind::CenterCamera;
    request.x = x;
    request.y = y;
    Presentation().Post(std::move(request));
}

void cPlayState::CreateSupplyWorkArea(const cMapa* map)
{
    m_Supply = std::make_unique<cZaopatrzenie>();
    m_Supply->AllocateGrid(map);
}

namespace {

bool IsLandInside(const cMapa& map, int x, int y)
{
    return map.IsInside(x, y) && map.GetHex(x, y)->IsLand();
}

// The row above, the row below, then the four side neighbours.
constexpr int kFloodOrder[6] = {0, 3, 1, 2, 4, 5};

} // namespace

void cPlayState::BuildWorldCityGroups(const cMapa& map, const std::list<cMiasto*>& cities)
{
    m_Width = map.width;
    m_Height = map.height;
    m_CityGroups.clear();
    LogLine(L"Liczďż˝ topografiďż˝ dla Caďż˝ego ďż˝wiata!!");
    std::vector<uint8_t> visited(size_t(m_Width) * size_t(m_Height), 0);
    auto index = [this](int x, int y) { return size_t(y) * size_t(m_Width) + size_t(x); };
    for (cMiasto* start : cities) {
        // A city off the map has no hex to flood from (nor to read the mark of).
        if (start->Type == CITY_RESOURCES || !map.IsInside(start->X, start->Y) || visited[index(start->X, start->Y)])
            continue;
        LogLine(L"Znalazďż˝em sprzyjajďż˝ce miasto: %s, rozpoczynam tworzenie grupy.", start->Name);
        std::list<cMiasto*> group;
        std::deque<std::pair<int, int>> queue;
        // The city's own hex starts the flood even on a coast marked as sea.
        visited[index(start->X, start->Y)] = 1;
        queue.emplace_back(start->X, start->Y);
        while (!queue.empty()) {
            const auto [x, y] = queue.front();
            queue.pop_front();
            const sHex* hex = map.GetHex(x, y);
            if (hex->city && hex->city->Type < CITY_RESOURCES)
                group.push_back(hex->city);
            for (int d : kFloodOrder) {
                std::pair<int, int> n;
                GetNeighbourCoords(x, y, d, n);
                if (!IsLandInside(map, n.first, n.second) || visited[index(n.first, n.second)])
                    continue;
                visited[index(n.first, n.second)] = 1;
                queue.push_back(n);
            }
        }
        LogLine(L"W grupie sďż˝ nastďż˝pujďż˝ce miasta:");
        for (const cMiasto* c : group)
            LogLine(c->Name);
        m_CityGroups.push_back(std::move(group));
    }
}

void cPlayState::BuildNearestCityMap(const cMapa& map, const std::list<cMiasto*>& cities)
{
    m_Width = map.width;
    m_Height = map.height;
    m_NearestCity.assign(size_t(m_Width) * size_t(m_Height), nullptr);
    auto index = [this](int x, int y) { return size_t(y) * size_t(m_Width) + size_t(x); };
    std::deque<std::pair<int, int>> queue;
    for (cMiasto* city : cities) {
        // A city off the map has no hex to start from.
        if (city->Type == CITY_RESOURCES || !map.IsInside(city->X, city->Y))
            continue;
        cMiasto*& slot = m_NearestCity[index(city->X, city->Y)];
        // Two cities on one hex: the earlier in the list keeps it, as at any equal distance.
        if (slot)
            continue;
        slot = city;
        queue.emplace_back(city->X, city->Y);
    }
    while (!queue.empty()) {
        const auto [x, y] = queue.front();
        queue.pop_front();
        cMiasto* city = m_NearestCity[index(x, y)];
        for (int d : kFloodOrder) {
            std::pair<int, int> n;
            GetNeighbourCoords(x, y, d, n);
            if (!IsLandInside(map, n.first, n.second) || m_NearestCity[index(n.first, n.second)])
                continue;
            m_NearestCity[index(n.first, n.second)] = city;
            queue.push_back(n);
        }
    }
}

cMiasto* cPlayState::NearestCity(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_Width || y >= m_Height || m_NearestCity.empty())
        return nullptr;
    return m_NearestCity[size_t(y) * size_t(m_Width) + size_t(x)];
}
