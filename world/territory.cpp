// Territory control: who holds each hex, and how it changes hands when units enter,
// when pockets are cut off, when countries are annexed or make peace, and by the
// scripted effects on hexes.
#include <deque>
#include <vector>

#include "core/lock.h"
#include "core/log.h"
#include "core/stringbase.h"
#include "game/game.h"
#include "game/play_counts.h"
#include "units/land_unit.h"
#include "units/naval_unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/map.h"
#include "world/relations.h"
#include "world/sea_graph.h"
#include "world/world.h"

namespace {

bool IsCountryId(int id)
{
    return id >= 1 && id <= CountryCount();
}


// A fleet that cannot leave a port the enemy took goes down with its ships.
void LoseFleetInPort(cFlota* fleet, const cMiasto& port)
{
    LogLine(L"ERROR: %s cannot retreat to adjacent seazone from captured port!", fleet->name);
    if (g_Gra && g_Gra->m_Reports) {
        sRaport report;
        report.kind = 33;
        report.countryKey = fleet->owner;
        report.text = fleet->name + L" was lost in " + port.Name +
                      L": the port fell to the enemy and the fleet found no way out to sea.";
        std::wstring aboard;
        for (const cJednostkaMorska* ship : fleet->ships)
            if (ship->m_Cargo)
                aboard += (aboard.empty() ? L"" : L", ") + ship->m_Cargo->m_Name;
        if (!aboard.empty())
            report.text += L"\n" + LangFormat("report_lost_aboard_%s", aboard);
        g_Gra->m_Reports->AddReport(report);
    }
    if (fleet->ships.empty()) {
        fleet->Delete();
        return;
    }
    // The last ship's death deletes the fleet.
    const std::list<cJednostkaMorska*> ships = fleet->ships;
    for (cJednostkaMorska* ship : ships) {
        ship->MarkLoss("port captured", port.GetControllerId());
        ship->Kill(true);
    }
}

// A unit standing where a country's territory now belongs to another that it may not
// stand on goes to its owner's reserve pool.
void SendToReserveUnlessFriendOf(sHex& hex, int countryId)
{
    auto* unit = dynamic_cast<cJednostka*>(hex.unit);
    if (unit && !IsCountryOrAlly(unit->m_Owner, countryId))
        unit->MoveToReservePool();
}

} // namespace

bool cMapa::IsCoveredByEnemyUnit(int countryId, int x, int y) const
{
    // Off the map GetHex would answer with the first hex and its unit: nothing covers such a hex.
    if (!IsInside(x, y))
        return false;
    auto enemyOn = [&](int cx, int cy) {
        const cUnit* unit = IsInside(cx, cy) ? GetHex(cx, cy)->unit : nullptr;
        return unit && CountriesAtWar(countryId, unit->m_Owner);
    };
    if (enemyOn(x, y))
        return true;
    std::pair<int, int> around[6];
    GetNeighboursCoverOrder(x, y, around);
    for (const auto& [nx, ny] : around)
        if (enemyOn(nx, ny))
            return true;
    return false;
}

int cMapa::CaptureHex(int countryId, int x, int y, std::vector<sCapturedHex>* changes)
{
    // No exit in the middle of a game: a hex off the map or a country that does not exist is
    // logged, and nothing is taken.
    if (!IsInside(x, y) || !IsCountryId(countryId)) {
        LogLine(L"ERROR: hex (%i,%i) cannot be taken by country %i", x, y, countryId);
        return 0;
    }
    int taken = 0;
    auto take = [&](sHex& hex) {
        CheckCapturedPort(hex.x, hex.y);
        // Each record names the hex it took (a neighbour too), so that undo gives each back.
        if (changes)
            changes->push_back({hex.x, hex.y, hex.controller});
        hex.SetController(countryId);
        ++taken;
        ++g_PlayCounts.hexesCaptured;
    };
    sHex& hex = *GetHex(x, y);
    // A land hex that nobody holds has no country to be at war with: whoever enters it takes it.
    if (hex.IsLand() && hex.controller != countryId && (hex.controller == 0 || CountriesAtWar(countryId, hex.controller)))
        take(hex);
    std::pair<int, int> around[6];
    GetNeighboursCoverOrder(x, y, around);
    for (const auto& [nx, ny] : around) {
        if (!IsInside(nx, ny))
            continue;
        sHex& n = *GetHex(nx, ny);
        if (n.controller != 0 && !n.city && CountriesAtWar(countryId, n.controller) &&
            !IsCoveredByEnemyUnit(countryId, nx, ny))
            take(n);
    }
    return taken;
}

void cMapa::CheckCapturedPort(int x, int y)
{
    const cMiasto* city = IsInside(x, y) ? GetHex(x, y)->city : nullptr;
    if (!city || !city->IsPort())
        return;
    const cGrafMorz* graph = WorldSeaGraph();
    const int node = graph ? graph->FindNodeAtHex(x, y) : -1;
    if (node < 0) {
        // No exit in the middle of a game (loading refuses a port without a node): it goes on without its fleets.
        LogLine(LangFormat("critical_error!_port_%s_(%i,%i)_not_found_in_sea_graph!", city->Name, x, y));
        return;
    }
    if (!g_World.fleets)
        return;
    std::vector<cFlota*> inPort;
    for (cFlota* fleet : *g_World.fleets)
        if (fleet->seaNode == node)
            inPort.push_back(fleet);
    // No exit in the middle of a game: a fleet with no way out to sea is lost with the port.
    for (cFlota* fleet : inPort)
        if (!fleet->LeaveEnemyPort())
            LoseFleetInPort(fleet, *city);
}

int cMapa::AbsorbUnsuppliedHexes()
{
    GLOBAL_LOCK_SCOPE();
    LogLine(L"Wchlaniam hexy bez zaopatrzenia");
    if (m_Hexes.empty())
        return 0;
    auto index = [this](int x, int y) { return size_t(y) * size_t(width) + size_t(x); };
    // Every hex reached from a city over hexes of the city's side keeps its holder.
    std::vector<int> reach(m_Hexes.size(), 0);
    std::deque<const sHex*> queue;
    if (g_World.cities)
        for (const cMiasto* city : *g_World.cities)
            if (IsInside(city->X, city->Y)) {
                const sHex* hex = GetHex(city->X, city->Y);
                reach[index(hex->x, hex->y)] = hex->controller;
                queue.push_back(hex);
            }
    while (!queue.empty()) {
        const sHex* hex = queue.front();
        queue.pop_front();
        const int c = hex->controller;
        for (int d = 0; d < 6; ++d) {
            const sHex* n = GetNeighbour(hex->x, hex->y, d);
            if (!n || n->controller == 0 || reach[index(n->x, n->y)] != 0)
                continue;
            if (IsCountryOrAlly(n->controller, c)) {
                reach[index(n->x, n->y)] = n->controller;
                queue.push_back(n);
            }
        }
    }

    struct sCandidate
    {
        sHex* hex;
        int newController;
    };
    std::vector<sCandidate> candidates;
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < height; ++y) {
            sHex& hex = *GetHex(x, y);
            if (hex.IsSea() || hex.controller == 0 || reach[index(x, y)] != 0)
                continue;
            for (int d = 0; d < 6; ++d) {
                const sHex* n = GetNeighbour(x, y, d);
                if (n && reach[index(n->x, n->y)] != 0 && n->controller != 0 && CountriesAtWar(n->controller, hex.controller)) {
                    candidates.push_back({&hex, n->controller});
                    break;
                }
            }
        }

    std::vector<const cJednostkaLadowa*> mulberries;
    if (g_Gra)
        for (const cJednostkaLadowa* unit : g_Gra->m_LandUnits)
            if (unit->m_Type == UNIT_MULBERRY)
                mulberries.push_back(unit);
    const float protection = g_Gra ? g_Gra->m_Consts.Mulberry[1] : 0.0f;
    int absorbed = 0;
    for (const sCandidate& c : candidates) {
        bool isProtected = false;
        for (const cJednostkaLadowa* m : mulberries)
            if (IsCountryOrAlly(m->m_Owner, c.hex->controller) &&
                float(HexDistance(m->m_X, m->m_Y, c.hex->x, c.hex->y)) < protection)
                isProtected = true;
        if (!isProtected && !c.hex->unit) {
            c.hex->SetController(c.newController);
            ++absorbed;
        }
    }
    return absorbed;
}

void cMapa::CheckUnitOnAnnexedHex(int annexedId, cUnit* unit)
{
    auto* j = dynamic_cast<cJednostka*>(unit);
    if (!j)
        return;
    // The annexed country's own units too (a neutral one is allied with nobody): its land is no longer its own.
    if (IsCountryOrAlly(j->m_Owner, annexedId)) {
        j->MoveToReservePool();
        return;
    }
    if (CountriesAtWar(j->m_Owner, annexedId))
        return;
    const cPanstwo* owner = j->GetOwner();
    LogLine(LangFormat("critical_error!_while_annexing,_unit_%s_was_found", j->m_Name));
    LogLine(LangFormat("it_belongs_to_%s,_but_this_country_isn't_ally_or_enemy_of_annexed_nation",
                       owner ? owner->Name : std::wstring(L"?")));
    // No exit in the middle of a game: the unit may not stay where its country is at peace, so
    // its reserve pool takes it.
    LogLine(L"The unit goes to its country's reserve pool.");
    j->MoveToReservePool();
}

void cMapa::AnnexCountry(int annexedId, int annexingId)
{
    GLOBAL_LOCK_SCOPE();
    // No exit in the middle of a game: an annexation by or of a country that does not exist is logged only;
    // a country annexing itself would only send its own units off the map.
    if (!IsCountryId(annexedId) || !IsCountryId(annexingId) || annexedId == annexingId) {
        LogLine(L"ERROR: country %i cannot be annexed by country %i", annexedId, annexingId);
        return;
    }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            sHex& hex = *GetHex(x, y);
            if (hex.controller == annexedId) {
                if (hex.owner == annexedId) {
                    hex.SetOwner(annexingId);
                    hex.SetController(annexingId);
                } else if (hex.owner != 0) {
                    hex.SetController(hex.owner); // back to its owner
                } else {
                    // Nobody's land the annexed country held passes to the annexing one: a
                    // hex held by nobody counts for nobody, a city's victory points too.
                    hex.SetController(annexingId);
                }
                if (hex.unit)
                    CheckUnitOnAnnexedHex(annexedId, hex.unit);
                CheckCapturedPort(x, y);
            } else if (hex.owner == annexedId) {
                hex.SetOwner(hex.controller);
            }
        }
}

void cMapa::ReturnOccupiedHexes(int countryId)
{
    GLOBAL_LOCK_SCOPE();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            sHex& hex = *GetHex(x, y);
            // A hex that nobody owns stays with its holder: a city's hex must always be held by someone.
            if (hex.controller != hex.owner && hex.owner != 0 && (hex.controller == countryId || hex.owner == countryId))
                hex.SetController(hex.owner);
        }
}

namespace {

bool ChangeStripe(cMapa& map, int x, int y, int count, int countryId, bool originalOwnerToo)
{
    GLOBAL_LOCK_SCOPE();
    // An id with no country behind it would hold hexes whose holder no rule could find.
    if (x < 0 || x >= map.width || y < 0 || y >= map.height || count <= 0 || count > map.height - y ||
        !IsCountryId(countryId)) {
        LogLine(LangFormat("error:_hexstripe.changecontrollerandowner(%i_%i_%i_%i)_incorrect_parameter(s)!_ignoring_this...",
                           x, y, count, countryId));
        return false;
    }
    for (int row = y; row < y + count; ++row) {
        sHex& hex = *map.GetHex(x, row);
        hex.SetController(countryId);
        hex.SetOwner(countryId);
        if (originalOwnerToo)
            hex.originalOwner = uint8_t(countryId);
        SendToReserveUnlessFriendOf(hex, countryId);
    }
    return true;
}

} // namespace

bool cMapa::ChangeStripeControllerAndOwner(int x, int y, int count, int countryId)
{
    return ChangeStripe(*this, x, y, count, countryId, false);
}

bool cMapa::ChangeStripeControllerOwnerAndOriginalOwner(int x, int y, int count, int countryId)
{
    return ChangeStripe(*this, x, y, count, countryId, true);
}

bool cMapa::TransferCountryHexes(int fromId, int toId)
{
    GLOBAL_LOCK_SCOPE();
    // An id with no country behind it would hold hexes whose holder no rule could find.
    if (!IsCountryId(fromId) || !IsCountryId(toId)) {
        LogLine(L"ERROR: the territory of country %i cannot pass to country %i", fromId, toId);
        return false;
    }
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < height; ++y) {
            sHex& hex = *GetHex(x, y);
            if (hex.controller != fromId)
                continue;
            hex.SetController(toId);
            hex.SetOwner(toId);
            hex.originalOwner = uint8_t(toId);
            SendToReserveUnlessFriendOf(hex, toId);
        }
    return true;
}
