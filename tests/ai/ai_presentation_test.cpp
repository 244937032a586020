// The computer opponent's pauses for a person who watches the screen.
#include <algorithm>
#include <chrono>
#include <functional>
#include <iterator>
#include <tuple>
#include <vector>

#include "ai/ai.h"
#include "ai/ai_presentation.h"
#include "core/ini.h"
#include "core/settings.h"
#include "game/play_counts.h"
#include "game/presentation.h"
#include "tests/game/testland_game.h"
#include "tests/test_support.h"
#include "units/air_unit.h"
#include "units/combat_result.h"
#include "units/combat_support.h"
#include "units/land_unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/hex_geometry.h"
#include "world/map.h"

namespace {

using namespace testland;
using Clock = std::chrono::steady_clock;

class cWatchedScreen : public cNullPresentation
{
public:
    bool HasScreen() const override { return true; }
};

// A screen on which the game goes on while it serves a request.
class cEventfulScreen : public cRequestRecorder
{
public:
    RequestHandle Post(sPresentationRequest request) override
    {
        if (during)
            during(request);
        return cRequestRecorder::Post(std::move(request));
    }
    std::function<void(const sPresentationRequest&)> during;
};

class ComputerPauses : public TestlandGame
{
protected:
    ~ComputerPauses() override { SetPresentation(nullptr); }
    static double PauseSeconds(int ms)
    {
        const Clock::time_point start = Clock::now();
        PauseMsForPerson(ms);
        return std::chrono::duration<double>(Clock::now() - start).count();
    }
};

} // namespace

TEST_F(ComputerPauses, PauseOnlyWhereAPersonPlaysAndSeesAScreen)
{
    for (cPanstwo* c : game->m_Countries)
        c->HumanControlled = c->ID == kAlbion;
    // A headless game with a stand-in for the person (velmorant-tool play) must not sleep:
    // a minute's pause would hold the test for a minute.
    EXPECT_LT(PauseSeconds(60000), 30.0);
    cWatchedScreen screen;
    SetPresentation(&screen);
    // The pause counts whole milliseconds of the tick clock, so it may end up to 1 ms early.
    testing_support::ClearLog();
    EXPECT_GE(PauseSeconds(50), 0.045);
    EXPECT_TRUE(testing_support::LogStartsWith(L"S: ")) << "a pause is a logged sleep";
    Country(kAlbion).HumanControlled = false;
    EXPECT_LT(PauseSeconds(60000), 30.0) << "a game of computers never pauses";
}

TEST_F(ComputerPauses, WithTheShippedSettingsAFarCountryIsNotShownMoveByMove)
{
    // Read aside: the settings store writes itself back to the file it loaded.
    cIniFile shipped;
    ASSERT_TRUE(shipped.Load(testing_support::SourceDir() / "data" / "Settings.ini"));
    const int sight = shipped.GetInt("Gameplay/FogOfWar", 0);
    g_UserSettings.fogOfWar = sight;
    ASSERT_GT(sight, 0) << "the person sees what lies near their units";
    const int ownResult = shipped.GetInt("Delay/HumanCombatResult", 0);
    EXPECT_TRUE(ownResult == -1 || ownResult >= 3000) << "the result of a person's own attack stays to be read";
    for (cPanstwo* c : game->m_Countries)
        c->HumanControlled = c->ID == kAlbion;
    SetWar(kAlbion, kBorussia, true);
    // The hexes near the person's side and those beyond its sight.
    auto nearest = [&](int x, int y) {
        int best = 1 << 20;
        for (const cJednostkaLadowa* u : game->m_LandUnits)
            if (u->IsOnMap() && (u->m_Owner == kAlbion || Country(kAlbion).IsAlliedWith(u->m_Owner)))
                best = std::min(best, HexDistance(x, y, u->m_X, u->m_Y));
        return best;
    };
    cJednostkaLadowa *nearUnit = nullptr, *farUnit = nullptr;
    for (int y = 0; y < game->m_Mapa->height; ++y)
        for (int x = 0; x < game->m_Mapa->width; ++x) {
            const sHex& hex = Hex(x, y);
            if (hex.IsSea() || hex.unit)
                continue;
            const int d = nearest(x, y);
            if (!nearUnit && d == 2)
                nearUnit = AddLandUnit(kBorussia, x, y);
            else if (!farUnit && d > sight + 1)
                farUnit = AddLandUnit(kBorussia, x, y);
        }
    ASSERT_TRUE(nearUnit && farUnit);
    Country(kAlbion).RecalculateUnitsVisibility();
    Activate(kBorussia);
    EXPECT_TRUE(Play().IsMoveShown(*nearUnit));
    EXPECT_TRUE(IsShownToPerson(nearUnit));
    EXPECT_FALSE(Play().IsMoveShown(*farUnit));
    EXPECT_FALSE(IsShownToPerson(farUnit));
    // The spotted flag is every side's: seen by another country only, it is still not shown.
    farUnit->m_Spotted = true;
    EXPECT_FALSE(Play().IsMoveShown(*farUnit));
    EXPECT_FALSE(IsShownToPerson(farUnit));
    ResetSettingsToDefaults();
}

TEST_F(ComputerPauses, AWatchedRebaseLeavesTheOldBaseThenTakesTheNewWithTheMovePausesBetween)
{
    struct sRestore
    {
        ~sRestore() { ResetSettingsToDefaults(); }
    } restore;
    for (cPanstwo* c : game->m_Countries)
        c->HumanControlled = c->ID == kAlbion;
    g_UserSettings.showAlliesActions = true;
    Activate(kBorussia);
    cJednostkaLotnicza* plane = game->FindAirUnitById(2);
    ASSERT_NE(plane, nullptr);
    plane->m_Spotted = true;
    ASSERT_TRUE(Play().IsMoveShown(*plane));
    const int fromX = plane->m_X, fromY = plane->m_Y;
    const sHex* to = nullptr;
    for (int d = 0; d < 6 && !to; ++d)
        if (const sHex* n = game->m_Mapa->GetNeighbour(fromX, fromY, d); n && n->IsLand() && !n->unit)
            to = n;
    ASSERT_NE(to, nullptr);
    g_DelayValues[DELAY_AI_MOVE_BEFORE] = 11.0f;
    g_DelayValues[DELAY_AI_MOVE_BETWEEN] = 22.0f;
    g_DelayValues[DELAY_AI_MOVE_AFTER] = 33.0f;
    screen.requests.clear();
    const int heard = screen.Played(L"PlaneFlying");
    ASSERT_TRUE(plane->AiRebase(to->x, to->y));
    std::vector<std::tuple<int, int, int>> steps;
    for (const sPresentationRequest& r : screen.requests)
        if (r.kind == eRequestKind::CenterCamera)
            steps.emplace_back(r.x, r.y, r.delayMs);
    const std::vector<std::tuple<int, int, int>> expected = {
        {fromX, fromY, 11}, {fromX, fromY, 22}, {to->x, to->y, 22}, {to->x, to->y, 33}};
    EXPECT_EQ(steps, expected);
    EXPECT_EQ(screen.Played(L"PlaneFlying"), heard + 1);
    // A step pauses for the first and the last delay of the settings, for none beyond them.
    for (const auto& [delay, pauses] : {std::pair{0, true}, std::pair{kDelayCount - 1, true}, std::pair{-1, false},
                                        std::pair{kDelayCount, false}}) {
        screen.requests.clear();
        ShowComputerStep(*plane, to->x, to->y, delay);
        ASSERT_EQ(screen.Count(eRequestKind::CenterCamera), pauses ? 1 : 0) << delay;
        if (pauses) {
            EXPECT_EQ(screen.requests.front().delayMs, int(g_DelayValues[size_t(delay)])) << delay;
        }
    }

    // A taken hex is refused before the person hears or sees anything.
    cJednostkaLadowa& first = *game->m_LandUnits.front();
    cJednostkaLadowa& second = **std::next(game->m_LandUnits.begin());
    screen.requests.clear();
    EXPECT_FALSE(plane->AiRebase(first.m_X, first.m_Y));
    EXPECT_TRUE(screen.requests.empty());
    EXPECT_EQ(screen.Played(L"PlaneFlying"), heard + 1);

    // Units that move while the rebase is shown take the new base, then the old one too: the
    // plane goes back to its old base while that is free, and never pushes a unit off a hex.
    cEventfulScreen eventful;
    SetPresentation(&eventful);
    for (const bool oldTaken : {false, true}) {
        const int baseX = plane->m_X, baseY = plane->m_Y;
        const sHex* next = nullptr;
        for (int d = 0; d < 6 && !next; ++d)
            if (const sHex* n = game->m_Mapa->GetNeighbour(baseX, baseY, d); n && n->IsLand() && !n->unit)
                next = n;
        ASSERT_NE(next, nullptr);
        eventful.during = [&](const sPresentationRequest& r) {
            if (r.kind != eRequestKind::CenterCamera || r.delayMs != 22)
                return;
            if (r.x == next->x && r.y == next->y)
                Place(first, r.x, r.y);
            else if (oldTaken)
                Place(second, r.x, r.y);
        };
        EXPECT_FALSE(plane->AiRebase(next->x, next->y)) << oldTaken;
        EXPECT_EQ(next->unit, &first) << oldTaken;
        EXPECT_EQ(Hex(baseX, baseY).unit, oldTaken ? static_cast<cUnit*>(&second) : plane) << oldTaken;
    }
    SetPresentation(&screen);
}

TEST_F(ComputerPauses, ACarrierStrikeNobodySawStillPausesAfterIt)
{
    struct sRestore
    {
        ~sRestore() { ResetSettingsToDefaults(); }
    } restore;
    for (cPanstwo* c : game->m_Countries)
        c->HumanControlled = c->ID == kAlbion;
    cWatchedScreen watched;
    SetPresentation(&watched);
    g_DelayValues[DELAY_AI_COMBAT_BEFORE] = 0.0f;
    g_DelayValues[DELAY_AI_COMBAT_AFTER] = 7.0f;
    Activate(kBorussia);
    cAI& ai = *game->m_AIs[kBorussia - 1];
    ai.m_Country = &Country(kBorussia);
    sCombatResult result;
    testing_support::ClearLog();
    ai.ShowStrikeOnHex(result, 3, 3, false);
    auto pauses = [](const wchar_t* ms) {
        const std::vector<std::wstring> lines = testing_support::LogLines();
        return std::count_if(lines.begin(), lines.end(), [ms](const std::wstring& line) { return line.ends_with(ms); });
    };
    EXPECT_EQ(pauses(L" : 7 ms"), 1);
    // An air fight shown to the person whose fighter is attacked pauses as long before its window.
    auto* fighter = new cJednostkaLotnicza();
    fighter->m_Owner = kBorussia;
    fighter->SetType(UNIT_FIGHTER);
    fighter->m_Strength = 10;
    fighter->m_ActionPoints = 3;
    game->m_AirUnits.push_back(fighter);
    fighter->SetPosition(9, 3);
    ai.BuildUnitLists();
    testing_support::ClearLog();
    ai.FightAirUnitsOfType(UNIT_FIGHTER);
    EXPECT_EQ(pauses(L" : 7 ms"), 1);
    // The bombing of the person's city opens its window with no pause on the map before it.
    if (cJednostkaLotnicza* guard = game->FindAirUnitById(1))
        guard->MoveToReservePool();
    for (cMiasto* city : game->m_Cities)
        city->ProductionPoints = city->Name == L"Dover" ? 20.0f : 0.0f;
    game->FindAirUnitById(3)->m_ActionPoints = 1;
    ai.BuildUnitLists();
    testing_support::ClearLog();
    const int strikes = g_PlayCounts.airStrikes.load();
    ai.BombEnemyCities();
    EXPECT_EQ(g_PlayCounts.airStrikes.load(), strikes + 1);
    EXPECT_EQ(pauses(L" : 7 ms"), 0);
}
