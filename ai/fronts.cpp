// The computer opponent's unit lists, the fronts with their strengths, the saving of
// poorly defended fronts and the strategic move of one unit.
#include <algorithm>
#include <set>

#include "ai/ai.h"
#include "ai/ai_presentation.h"
#include "core/lock.h"
#include "core/log.h"
#include "game/game.h"
#include "game/play_state.h"
#include "units/air_unit.h"
#include "units/land_unit.h"
#include "units/naval_unit.h"
#include "world/city.h"
#include "world/city_graph.h"
#include "world/country.h"
#include "world/map.h"
#include "world/relations.h"
#include "world/topography.h"
#include "world/world.h"


cMiasto* HomeCityOfHex(int x, int y)
{
    if (!g_Gra || !g_Gra->m_PlayState)
        return nullptr;
    return g_Gra->m_PlayState->NearestCity(x, y);
}

sWezelDiagramuMiast* NodeOfCity(const cMiasto* city)
{
    cDiagramMiast* graph = g_Gra ? g_Gra->m_CityGraph : nullptr;
    if (!city || !graph || city->GraphIndex < 0 || size_t(city->GraphIndex) >= graph->Nodes.size())
        return nullptr;
    return &graph->Nodes[size_t(city->GraphIndex)];
}

int cAI::CountryId() const
{
    return m_Country ? m_Country->ID : 0;
}

bool cAI::IsFriend(int holder) const
{
    return holder != 0 && CountryId() != 0 && IsCountryOrAlly(holder, CountryId());
}

bool cAI::IsEnemy(int holder) const
{
    const cRelationsMatrix* relations = WorldRelations();
    return holder != 0 && CountryId() != 0 && relations && relations->IsAtWar(CountryId(), holder);
}

namespace {

bool AtWarWithEachOther(int a, int b)
{
    const cRelationsMatrix* relations = WorldRelations();
    return a != 0 && b != 0 && relations && relations->IsAtWar(a, b);
}

void Trace(const wchar_t* format, const std::wstring& unit, const std::wstring& city, float added, float total)
{
    LogLine(format, unit, city, added, total);
}

void TraceAir(const wchar_t* format, const std::wstring& unit, const std::wstring& city, int added, int total)
{
    LogLine(format, unit, city, added, total);
}

} // namespace

void cAI::SortOwnLandUnits()
{
    std::stable_sort(m_OwnLandUnits.begin(), m_OwnLandUnits.end(),
                     [](const cJednostkaLadowa* a, const cJednostkaLadowa* b) {
                         return a->GetEffectiveStrength() > b->GetEffectiveStrength();
                     });
}

void cAI::BuildUnitLists()
{
    LogLine(L"[AI %s] Wyznaczam listy jednostek", m_Country ? m_Country->Name : std::wstring());
    for (auto* list : {&m_OwnLandUnits, &m_AlliedLandUnits, &m_EnemyLandUnits, &m_OtherLandUnits})
        list->clear();
    for (auto* list : {&m_OwnAirUnits, &m_AlliedAirUnits, &m_EnemyAirUnits, &m_OtherAirUnits})
        list->clear();
    m_OwnNavalUnits.clear();
    if (!g_Gra || !m_Country)
        return;
    const int me = CountryId();
    for (cJednostkaLadowa* unit : g_Gra->m_LandUnits)
    {
        // Off the map (nor aboard) a unit has no hex to be planned from.
        if (unit->m_Transporter || !unit->IsOnMap())
            continue;
        const int owner = unit->m_Owner;
        if (owner == me)
            m_OwnLandUnits.push_back(unit);
        else if (IsFriend(owner))
            m_AlliedLandUnits.push_back(unit);
        else if (IsEnemy(owner))
            m_EnemyLandUnits.push_back(unit);
        else
            m_OtherLandUnits.push_back(unit);
    }
    for (cJednostkaLotnicza* unit : g_Gra->m_AirUnits)
    {
        if (!unit->IsOnMap()) // a wing in the reserve pool has no hex
            continue;
        const int owner = unit->m_Owner;
        if (owner == me)
            m_OwnAirUnits.push_back(unit);
        else if (IsFriend(owner))
            m_AlliedAirUnits.push_back(unit);
        else if (IsEnemy(owner))
            m_EnemyAirUnits.push_back(unit);
        else
            m_OtherAirUnits.push_back(unit);
    }
    for (cJednostkaMorska* ship : g_Gra->m_NavalUnits)
        if (ship->m_Owner == me)
            m_OwnNavalUnits.push_back(ship);
    SortOwnLandUnits();
}

void cAI::EvaluateNodeStrengths()
{
    if (!g_Gra || !g_Gra->m_CityGraph)
        return;
    g_Gra->m_CityGraph->ResetSearchFields();
    auto nodeOf = [](const cUnit* unit) { return NodeOfCity(HomeCityOfHex(unit->m_X, unit->m_Y)); };

    for (cJednostkaLadowa* unit : m_OwnLandUnits)
    {
        sWezelDiagramuMiast* node = nodeOf(unit);
        if (!node)
        {
            LogLine(L"Wlasna %s nie ma połączenia z zadnym miastem", unit->m_Name);
            continue;
        }
        const float strength = unit->GetEffectiveStrength();
        node->OwnLand += strength;
        node->OurLand += strength;
        ++node->OwnUnitCount;
        Trace(L"Wlasna %s Wezel %s. Dod.sile %5.2f. Silawezla=%5.2f", unit->m_Name, node->City->GetName(), strength,
              node->OurLand);
    }
    for (cJednostkaLadowa* unit : m_AlliedLandUnits)
        if (sWezelDiagramuMiast* node = nodeOf(unit))
        {
            node->OurLand += unit->GetEffectiveStrength();
            Trace(L"Nasza %s Wezel %s. Dod.sile %5.2f. Silawezla=%5.2f", unit->m_Name, node->City->GetName(),
                  unit->GetEffectiveStrength(), node->OurLand);
        }
    // Their lists of possible attackers need no emptying here: each attack phase clears them
    // all at its end.
    for (cJednostkaLadowa* unit : m_EnemyLandUnits)
        if (sWezelDiagramuMiast* node = nodeOf(unit))
        {
            node->EnemyLand += unit->GetEffectiveStrength();
            Trace(L"Wroga %s Wezel %s. Dod.sile %5.2f. Silawezla=%5.2f", unit->m_Name, node->City->GetName(),
                  unit->GetEffectiveStrength(), node->EnemyLand);
        }
    LogLine(L"==Lotnicze:");
    auto counts = [](const cJednostkaLotnicza* unit) { return unit->m_Type != UNIT_STRATEGIC_BOMBER; };
    for (cJednostkaLotnicza* unit : m_OwnAirUnits)
        if (sWezelDiagramuMiast* node = nodeOf(unit); node && counts(unit))
        {
            ++node->OurAirCount;
            ++node->OwnAirCount;
            ++node->OwnUnitCount;
            node->OurAirStrength += unit->m_Strength;
            node->OwnAirStrength += unit->m_Strength;
            TraceAir(L"Wlasna %s Wezel %s. Dod.PS %i. Silawezla=%i", unit->m_Name, node->City->GetName(),
                     unit->m_Strength, node->OurAirStrength);
        }
    for (cJednostkaLotnicza* unit : m_AlliedAirUnits)
        if (sWezelDiagramuMiast* node = nodeOf(unit); node && counts(unit))
        {
            ++node->OurAirCount;
            node->OurAirStrength += unit->m_Strength;
            TraceAir(L"Nasza %s Wezel %s. Dod.PS %i. Silawezla=%i", unit->m_Name, node->City->GetName(),
                     unit->m_Strength, node->OurAirStrength);
        }
    for (cJednostkaLotnicza* unit : m_EnemyAirUnits)
        if (sWezelDiagramuMiast* node = nodeOf(unit); node && counts(unit))
        {
            ++node->EnemyAirCount;
            node->EnemyAirStrength += unit->m_Strength;
            TraceAir(L"Wroga %s Wezel %s. Dod.PS %i. Silawezla=%i", unit->m_Name, node->City->GetName(),
                     unit->m_Strength, node->EnemyAirStrength);
        }
}

void cAI::UpdateFronts()
{
    m_Fronts.clear();
    if (!g_Gra || !g_Gra->m_CityGraph || !m_Country)
        return;
    for (sWezelDiagramuMiast& seed : g_Gra->m_CityGraph->Nodes)
    {
        if (seed.Visited || !IsFriend(seed.City->GetControllerId()))
            continue;
        for (const sLukDiagramuMiast& link : seed.Links)
        {
            if (link.Value != 0 || link.Target->Visited || !IsEnemy(link.Target->City->GetControllerId()))
                continue;
            seed.Visited = 1;
            sFront front;
            front.m_Name = FormatText(L"Front miasta %s", seed.City->GetName());
            front.m_Nodes.push_back(&seed);
            for (size_t i = 0; i < front.m_Nodes.size(); ++i)
            {
                sWezelDiagramuMiast* node = front.m_Nodes[i];
                const int holder = node->City->GetControllerId();
                for (const sLukDiagramuMiast& next : node->Links)
                {
                    if (next.Value != 0 || next.Target->Visited)
                        continue;
                    const int other = next.Target->City->GetControllerId();
                    if (AtWarWithEachOther(holder, other) && (IsFriend(holder) || IsFriend(other)))
                    {
                        next.Target->Visited = 1;
                        front.m_Nodes.push_back(next.Target);
                    }
                }
            }
            m_Fronts.push_back(std::move(front));
        }
    }
    LogLine(L"Kraj ID = %d (%s) zaktualizowal liste frontow do liczby %d", CountryId(), m_Country->Name,
            int(m_Fronts.size()));
}

void cAI::SumFrontStrengths()
{
    for (sFront& front : m_Fronts)
    {
        front.m_OurLand = front.m_OwnLand = front.m_EnemyLand = 0.0f;
        front.m_OurAirCount = front.m_OwnAirCount = front.m_EnemyAirCount = 0;
        front.m_OurAirStrength = front.m_OwnAirStrength = front.m_EnemyAirStrength = 0;
        for (const sWezelDiagramuMiast* node : front.m_Nodes)
        {
            front.m_OurLand += node->OurLand;
            front.m_OwnLand += node->OwnLand;
            front.m_EnemyLand += node->EnemyLand;
            front.m_OurAirCount += node->OurAirCount;
            front.m_OwnAirCount += node->OwnAirCount;
            front.m_EnemyAirCount += node->EnemyAirCount;
            front.m_OurAirStrength += node->OurAirStrength;
            front.m_OwnAirStrength += node->OwnAirStrength;
            front.m_EnemyAirStrength += node->EnemyAirStrength;
        }
        if (front.m_EnemyLand == 0.0f)
            front.m_Superiority = front.m_OurLand == 0.0f ? 1.0f : 99999.0f;
        else
            front.m_Superiority = front.m_OurLand / front.m_EnemyLand;
        // Compared in float, so that a ratio of exactly 0.33 or 0.8 lands on the upper state.
        if (front.m_Superiority < 0.33f)
            front.m_State = 2;
        else if (front.m_Superiority < 0.8f)
            front.m_State = 1;
        else
            front.m_State = 0;
    }
    if (!g_Gra)
        return;
    for (cMiasto* city : g_Gra->m_Cities)
        city->FrontState = 3;
    for (const sFront& front : m_Fronts)
        for (sWezelDiagramuMiast* node : front.m_Nodes)
            node->City->FrontState = front.m_State;
}

void cAI::SavePoorlyDefendedFronts()
{
    SortOwnLandUnits();
    // A unit moves at most once: a unit that keeps its full action points after a move
    // (none to start with) would otherwise be moved back and forth without end.
    std::set<int> moved;
    while (ThreadMayRun())
    {
        LogLine(L"[AI] %ls: Saving poorly defended fronts", m_Country->Name);
        EvaluateNodeStrengths();
        UpdateFronts();
        SumFrontStrengths();
        LogLine(L".");
        for (const sFront& front : m_Fronts)
            front.Print();
        LogLine(L",");
        bool didMove = false;
        for (const sFront& front : m_Fronts)
        {
            if (front.m_State != 2)
                continue;
            std::vector<sWezelDiagramuMiast*> nodes = front.m_Nodes;
            std::stable_sort(nodes.begin(), nodes.end(), [](const sWezelDiagramuMiast* a, const sWezelDiagramuMiast* b) {
                return a->OurLand < b->OurLand;
            });
            for (sWezelDiagramuMiast* node : nodes)
            {
                LogLine(L",,");
                for (cJednostkaLadowa* unit : m_OwnLandUnits)
                {
                    const cMiasto* home = HomeCityOfHex(unit->m_X, unit->m_Y);
                    if (!home)
                    {
                        LogLine(L"oj nieladnie");
                        continue;
                    }
                    if (IsCityOnFrontWithState(home, 2))
                        continue;
                    if (unit->m_AiOrder == 2 || moved.count(unit->m_Id))
                        continue;
                    int x = -1, y = -1;
                    if (!unit->CanStrategicMoveTo(node->City->X, node->City->Y, x, y))
                        continue;
                    moved.insert(unit->m_Id);
                    PrzeniesStrategicznieJednostke(unit, node->City, x, y);
                    didMove = true;
                    break;
                }
                if (didMove)
                    break;
            }
            if (didMove)
                break;
        }
        if (!didMove)
        {
            LogLine(L"Cannot find other units. Ending saving poorly defended front procedure.");
            return;
        }
    }
}

void cAI::PrzeniesStrategicznieJednostke(cJednostkaLadowa* unit, cMiasto* target, int x, int y)
{
    if (!unit || !target || !g_Gra || !g_Gra->m_Mapa || !g_Gra->m_Mapa->IsInside(x, y))
        return;
    LogLine(L"[AI] PrzeniesStrategicznieJednostke");
    LogLine(L"[AI] %s: %s - strategic move to %s (%i SMP left)", m_Country->Name, unit->m_Name, target->GetName(),
            m_Country->SMP);
    // The pauses are for a person watching, and the one after the move comes also when the
    // move was not shown; a game of computers never waits.
    const bool shown = IsShownToPerson(unit);
    if (shown)
    {
        CenterCameraOn(unit->m_X, unit->m_Y);
        PauseForPerson(DELAY_AI_MOVE_BEFORE);
        {
            // The unit leaves its hex while the view goes to its destination.
            GLOBAL_LOCK_SCOPE();
            if (sHex* from = g_Gra->m_Mapa->GetHex(unit->m_X, unit->m_Y); from->unit == unit)
                from->unit = nullptr;
        }
        PauseForPerson(DELAY_AI_MOVE_BETWEEN);
        CenterCameraOn(x, y);
        PauseForPerson(DELAY_AI_MOVE_BETWEEN);
    }
    {
        GLOBAL_LOCK_SCOPE();
        sHex* from = g_Gra->m_Mapa->GetHex(unit->m_X, unit->m_Y);
        if (!unit->RelocateAndPay(x, y) && !from->unit)
            from->unit = unit; // refused: the unit stays where it stood
    }
    PauseForPerson(DELAY_AI_MOVE_AFTER);
}

// ---- front queries ----

bool cAI::IsCityOnFrontWithState(const cMiasto* city, int state) const
{
    for (const sFront& front : m_Fronts)
        if (front.m_State == state)
            for (const sWezelDiagramuMiast* node : front.m_Nodes)
                if (node->City == city)
                    return true;
    return false;
}

bool cAI::IsCityOnAnyFront(const cMiasto* city) const
{
    for (const sFront& front : m_Fronts)
        for (const sWezelDiagramuMiast* node : front.m_Nodes)
            if (node->City == city)
                return true;
    return false;
}

bool cAI::GetCityFrontStrength(const cMiasto* city, int& out) const
{
    out = -1;
    for (const sFront& front : m_Fronts)
        for (const sWezelDiagramuMiast* node : front.m_Nodes)
            if (node->City == city)
            {
                out = int(node->OwnLand + node->OurLand);
                return true;
            }
    return false;
}

cMiasto* cAI::FindNearestFrontCity(const cJednostkaLadowa* unit) const
{
    const cMiasto* home = unit ? HomeCityOfHex(unit->m_X, unit->m_Y) : nullptr;
    if (!home || !g_Gra || !g_Gra->m_StrategicMoves)
        return nullptr;
    const cTopografia& topography = *g_Gra->m_StrategicMoves;
    const cTopografia::sUnitView view{unit->m_Owner, unit->m_Category, unit->m_SupplySourceX, unit->m_SupplySourceY};
    cMiasto* best = nullptr;
    int bestHops = 0;
    int bestDistance = 0;
    for (const sFront& front : m_Fronts)
        for (const sWezelDiagramuMiast* node : front.m_Nodes)
        {
            cMiasto* city = node->City;
            if (!IsFriend(city->GetControllerId()))
                continue;
            bool candidate = topography.IsHexReachable(view, *city);
            for (auto link = node->Links.begin(); !candidate && link != node->Links.end(); ++link)
                candidate = link->Value == 0 && IsFriend(link->Target->City->GetControllerId()) &&
                            topography.IsHexReachable(view, *link->Target->City);
            if (!candidate)
                continue;
            // A city the graph does not join to the unit's region is no way to go.
            const int hops = home->GetGraphDistanceTo(*city);
            if (hops < 0)
                continue;
            const int distance = HexDistance(unit->m_X, unit->m_Y, city->X, city->Y);
            if (!best || hops < bestHops || (hops == bestHops && distance < bestDistance))
            {
                best = city;
                bestHops = hops;
                bestDistance = distance;
            }
        }
    return best;
}

// ---- sFront ----

std::vector<sWezelDiagramuMiast*> sFront::CollectFriendlyNodes(int countryId) const
{
    std::vector<sWezelDiagramuMiast*> nodes;
    for (sWezelDiagramuMiast* node : m_Nodes)
        if (IsCountryOrAlly(node->City->GetControllerId(), countryId))
            nodes.push_back(node);
    return nodes;
}

bool sFront::HasSingleEnclosedFriendlyCity(int countryId) const
{
    const std::vector<sWezelDiagramuMiast*> nodes = CollectFriendlyNodes(countryId);
    return nodes.size() == 1 && nodes.front()->City->IsFullyEnclosed();
}

sWezelDiagramuMiast* sFront::GetStrongestNode() const
{
    sWezelDiagramuMiast* best = nullptr;
    for (sWezelDiagramuMiast* node : m_Nodes)
        if (!best || node->OurLand > best->OurLand)
            best = node;
    return best;
}

sWezelDiagramuMiast* sFront::GetWeakestNode(int countryId) const
{
    // An enemy city, empty of our units, would always be the weakest, and no strategic
    // move can end there.
    sWezelDiagramuMiast* best = nullptr;
    for (sWezelDiagramuMiast* node : CollectFriendlyNodes(countryId))
        if (!best || node->OurLand < best->OurLand)
            best = node;
    return best;
}

void sFront::Print() const
{
    LogLine(L"FRONT: %s", m_Name);
    LogLine(L"Jedn lotn: Nasze=%i Wlasne=%i Wrogie=%i", m_OurAirCount, m_OwnAirCount, m_EnemyAirCount);
    LogLine(L"Sila lotn: Nasza=%i Wlasna=%i Wroga=%i", m_OurAirStrength, m_OwnAirStrength, m_EnemyAirStrength);
    LogLine(L"Siła lądowa: Nasza=%.2f Wlasna=%.2f Wroga=%.2f", m_OurLand, m_OwnLand, m_EnemyLand);
    LogLine(L"Stan frontu = %i", m_State);
    LogLine(L"MIASTA FRONTOWE:");
    LogLine(L"|");
    for (const sWezelDiagramuMiast* node : m_Nodes)
        LogLine(L"|- %s", node->City->GetName());
    LogLine(L"-");
}

void sFront::PrintSummary() const
{
    LogLine(L"Front (%s), miasta: %i, Przewaga=%.2f", m_Nodes.empty() ? std::wstring() : m_Nodes.front()->City->GetName(),
            int(m_Nodes.size()), m_Superiority);
}
