// The end of an impulse on the test scenario: its steps in order, the date, the units'
// refresh, and the end of the game with its table of results.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "core/stringbase.h"
#include "game/game_over.h"
#include "game/play_state.h"
#include "units/air_unit.h"
#include "units/land_unit.h"
#include "units/naval_unit.h"
#include "tests/game/testland_game.h"
#include "tests/test_support.h"
#include "world/city.h"
#include "world/convoys.h"
#include "world/sea_graph.h"

using namespace testland;
using testing_support::LogContains;
using testing_support::LogHasInOrder;

namespace {

class EndOfImpulse : public TestlandGame
{
protected:
    void SetDate(int impulse, int month, int year)
    {
        game->m_Date[0] = impulse;
        game->m_Date[1] = month;
        game->m_Date[2] = year;
    }
    std::vector<int> Date() const { return {game->m_Date[0], game->m_Date[1], game->m_Date[2]}; }
    // Victory points so that the sides' totals are Allies, Axis and Comintern.
    void SetSideTotals(int allies, int axis, int comintern)
    {
        for (cMiasto* city : game->m_Cities)
            city->VictoryPoints = 0;
        auto cityOf = [this](int countryId) {
            for (cMiasto* city : game->m_Cities)
                if (city->GetControllerId() == countryId)
                    return city;
            return game->m_Cities.front();
        };
        cityOf(kValdonia)->VictoryPoints = allies;
        cityOf(kBorussia)->VictoryPoints = axis;
        cityOf(kRuthenia)->VictoryPoints = comintern;
    }
    // The text of the game-over window, or nothing when none was shown.
    std::wstring GameOverText() const
    {
        for (const auto& r : screen.requests)
            if (r.kind == eRequestKind::Message && r.title == LangText("game_over"))
                return r.text;
        return L"";
    }
};

} // namespace

TEST_F(EndOfImpulse, LogRunsThroughEveryStepInOrder)
{
    game->EndImpulse(true);
    EXPECT_TRUE(LogHasInOrder({L"Zaczynam wykonywanie konca impulsu", L"Losuje pogode",
                               L"Modyfikuje jednostkam bonusy z okopania",
                               L"Dow\u0102\u0142dcy w drodze do sztabu docieraja do nich",
                               L"Zaznaczam kazdemu panstwu rozne pierdoly", L"Odbudowuje zniszczenia produkcji",
                               L"Odbudowuje zniszczenia z portow", L"Zeruje efektywnosci z eventu dla jedn ladowych",
                               L"CHECKING FOR SURRENDERS...", L"CHECKING FOR SIEGES...",
                               L"CALCULATING PRODUCTION...", L"CALCULATING UNITS UPKEEP COSTS...",
                               L"CALCULATING RESEARCH...", L"CHECKING EVENTS...", L"CHECKING EVENTS FINISHED",
                               L"CHECKING FOR GAME OVER...", L"CHECKING FOR GAME OVER FINISHED",
                               L"Rozgrywam dodatkowe", L"Refreshuje wspolczynniki dla jednostek ladowych",
                               L"Refreshuje wspolczynniki dla jednostek lotniczych",
                               L"Refreshuje wspolczynniki dla jednostek morskich", L"Refreshuje wspolczynniki dla flot",
                               L"Zmniejszam czas produkcji...", L"Czyszcze listy odkrytych jednostek",
                               L"Odswiezam rozne wspolczynniki dla wszystkich krajow", L"Rozgrywam bitwy morskie",
                               L"---- Game state = 4", L"Zmieniam date", L"Koniec impulsu wykonany"}));
}

TEST_F(EndOfImpulse, TheCreationPassSkipsTheFullStepsButMovesTheDateOn)
{
    SetDate(2, 9, 1939);
    game->m_DisplayedDate[0] = 11;
    const int turn = game->m_Turn, left = game->m_TurnsLeft;
    game->EndImpulse(false);
    EXPECT_EQ(game->m_DisplayedDate[0], 11) << "the first turn shows the day the scenario starts on";
    EXPECT_FALSE(LogContains(L"CHECKING FOR SURRENDERS..."));
    EXPECT_FALSE(LogContains(L"Rozgrywam bitwy morskie"));
    EXPECT_FALSE(LogContains(L"Zmniejszam czas produkcji..."));
    EXPECT_TRUE(LogContains(L"Koniec impulsu wykonany"));
    EXPECT_EQ(Date(), (std::vector<int>{3, 9, 1939}));
    EXPECT_EQ(game->m_Turn, turn + 1);
    EXPECT_EQ(game->m_TurnsLeft, left - 1);
}

TEST_F(EndOfImpulse, DecembersLastImpulseIsFollowedByJanuarysFirst)
{
    SetDate(3, 12, 1940);
    game->EndImpulse(true);
    EXPECT_EQ(Date(), (std::vector<int>{1, 1, 1941}));
    EXPECT_EQ((std::vector<int>{game->m_DisplayedDate[0], game->m_DisplayedDate[1], game->m_DisplayedDate[2]}),
              (std::vector<int>{1, 1, 1941}));
    // An impulse beyond its month's count (a save of another calendar) starts the next month.
    SetDate(5, 4, 1941);
    game->EndImpulse(true);
    EXPECT_EQ(Date(), (std::vector<int>{1, 5, 1941}));
}

TEST_F(EndOfImpulse, UnitsThatStayEntrenchAndUnitsThatMoveLoseIt)
{
    cJednostkaLadowa& still = Land(4);
    cJednostkaLadowa& moved = Land(5);
    cJednostkaLadowa& spent = Land(7);
    // Without action points a unit entrenches, unless it was just deployed.
    cJednostkaLadowa& resting = Land(6);
    cJednostkaLadowa& deployed = Land(8);
    for (cJednostkaLadowa* u : {&still, &moved, &spent, &resting, &deployed}) {
        u->m_StartingActionPoints = 3;
        u->m_LastX = u->m_X;
        u->m_LastY = u->m_Y;
        u->m_TrenchBonus = 1;
    }
    still.m_ActionPoints = 3;
    spent.m_ActionPoints = 1;
    moved.m_ActionPoints = 1;
    moved.m_LastX = moved.m_X + 1;
    still.m_TrenchBonus = game->m_Consts.EntrenchmentCeiling;
    resting.m_StartingActionPoints = deployed.m_StartingActionPoints = 0;
    resting.m_ActionPoints = deployed.m_ActionPoints = 0;
    deployed.m_JustDeployed = true;
    game->EndImpulse(true);
    EXPECT_EQ(still.m_TrenchBonus, game->m_Consts.EntrenchmentCeiling);
    EXPECT_EQ(spent.m_TrenchBonus, 1);
    EXPECT_EQ(resting.m_TrenchBonus, 2);
    EXPECT_EQ(deployed.m_TrenchBonus, 1);
    EXPECT_EQ(moved.m_TrenchBonus, 0);
    EXPECT_EQ(moved.m_LastX, moved.m_X);
}

TEST_F(EndOfImpulse, AnEnemyUncoveredThisImpulseIsNoLongerNewsInTheNext)
{
    // Once the impulse is over, the undo hint of a unit no longer says it found an enemy.
    for (cUnit* u : game->m_LandUnits)
        u->m_Spotted = false;
    for (cUnit* u : game->m_AirUnits)
        u->m_Spotted = false;
    cJednostkaLadowa& panzer = Land(4);
    cJednostkaLotnicza& bombers = **std::next(game->m_AirUnits.begin());
    ASSERT_EQ(bombers.m_Owner, kBorussia);
    panzer.RevealNearbyEnemies(true);
    for (cUnit* u : game->m_LandUnits)
        u->m_Spotted = false;
    bombers.RevealNearbyEnemies(true);
    ASSERT_TRUE(panzer.m_SpottedEnemy);
    ASSERT_TRUE(bombers.m_SpottedEnemy);
    game->EndImpulse(true);
    EXPECT_FALSE(panzer.m_SpottedEnemy);
    EXPECT_FALSE(bombers.m_SpottedEnemy);
}

TEST_F(EndOfImpulse, WarEconomyGrowsOnlyOnTheFirstImpulseOfAMonth)
{
    cPanstwo& borussia = Country(kBorussia);
    ASSERT_TRUE(borussia.IsAtWar());
    borussia.WarEconomy = 50.0f;
    SetDate(2, 10, 1939);
    game->EndImpulse(true);
    EXPECT_EQ(borussia.WarEconomy, 50.0f);
    // At a month's first impulse: democracies grow by one share, regimes by another, growth
    // stops at 100, and a full war economy changes by a third.
    float* shares = game->m_Consts.ProductionShares;
    shares[3] = 7.0f;
    shares[4] = 11.0f;
    shares[6] = -2.0f;
    const struct
    {
        int orientation;
        float before, after;
    } cases[] = {
        {ORIENTATION_DEMOCRACY, 50.0f, 57.0f},   {ORIENTATION_PRO_AXIS, 50.0f, 57.0f},
        {ORIENTATION_NATIONALIST, 50.0f, 61.0f}, {ORIENTATION_COMMUNIST, 50.0f, 61.0f},
        {ORIENTATION_DEMOCRACY, 99.5f, 100.0f},  {ORIENTATION_DEMOCRACY, 100.0f, 98.0f},
    };
    for (const auto& c : cases) {
        borussia.Orientation = c.orientation;
        borussia.WarEconomy = c.before;
        SetDate(1, 11, 1939);
        game->EndImpulse(true);
        EXPECT_EQ(borussia.WarEconomy, c.after) << c.orientation << " " << c.before;
    }
}

TEST_F(EndOfImpulse, CountersMoveOnByOneAndStopAtTheirEnds)
{
    // Commanders on their way arrive; the assigned stay assigned.
    ASSERT_GE(game->m_Commanders.size(), 2u);
    sDowodca& travelling = *game->m_Commanders[0];
    sDowodca& assigned = *game->m_Commanders[1];
    travelling.State = 1;
    assigned.State = 2;
    // Bombed ports are mended by one size a turn, never beyond their size; sea zones have none.
    std::vector<sWezelGrafuMorz*> port, sea;
    for (sWezelGrafuMorz& node : game->m_SeaGraph->Nodes)
        (node.Kind == SEA_NODE_PORT ? port : sea).push_back(&node);
    ASSERT_GE(port.size(), 2u);
    ASSERT_FALSE(sea.empty());
    port[0]->SizeMax = 3;
    port[0]->SizeCurrent = 1;
    port[1]->SizeMax = 3;
    port[1]->SizeCurrent = 3;
    sea[0]->SizeMax = 3;
    sea[0]->SizeCurrent = 1;
    // Units being built wait a turn less, down to none.
    ASSERT_FALSE(game->m_Reserve.empty());
    ASSERT_FALSE(game->m_NavalReserve.empty());
    game->m_Reserve.front()->m_AvailableInTurns = 0;
    game->m_Reserve.back()->m_AvailableInTurns = 1;
    game->m_NavalReserve.front()->m_AvailableInTurns = 1;
    // A freeze wears off by one a turn, down to none; one of 10000 or more lasts. The events'
    // bonus lasts one impulse.
    Land(4).m_FreezeTime = 10000;
    Land(5).m_FreezeTime = 1;
    Land(6).m_FreezeTime = 0;
    Land(7).m_EventsEffect = 10;
    // Bombed production comes back a point a turn.
    cMiasto& bombed = *game->m_Cities.front();
    cMiasto& whole = *game->m_Cities.back();
    bombed.ProductionPointsLost = 1;
    whole.ProductionPointsLost = 0;
    const float production[] = {bombed.ProductionPoints, whole.ProductionPoints};
    // A Mulberry harbour lasts its months: one with a month left is gone at the next month,
    // and so is one of the lowest life, which must not wrap round to the highest.
    std::vector<cMulberry*> harbours;
    for (int months : {1, 2, INT_MIN}) {
        auto* harbour = new cMulberry();
        harbour->m_Owner = kBorussia;
        harbour->m_RemainingMonths = months;
        game->m_LandUnits.push_back(harbour);
        harbours.push_back(harbour);
    }
    const int harbourId = harbours[0]->m_Id;
    const int keptId = harbours[1]->m_Id;
    const int lowestId = harbours[2]->m_Id;
    game->m_MulberryMonth = game->m_Date[1] - 1;
    game->EndImpulse(true);
    EXPECT_EQ(game->FindLandUnitById(harbourId), nullptr);
    EXPECT_EQ(game->FindLandUnitById(lowestId), nullptr);
    ASSERT_NE(game->FindLandUnitById(keptId), nullptr);
    EXPECT_EQ(harbours[1]->m_RemainingMonths, 1);
    EXPECT_EQ(travelling.State, 0);
    EXPECT_EQ(assigned.State, 2);
    EXPECT_EQ(port[0]->SizeCurrent, 2);
    EXPECT_EQ(port[1]->SizeCurrent, 3);
    EXPECT_EQ(sea[0]->SizeCurrent, 1);
    EXPECT_EQ(game->m_Reserve.front()->m_AvailableInTurns, 0);
    EXPECT_EQ(game->m_Reserve.back()->m_AvailableInTurns, 0);
    EXPECT_EQ(game->m_NavalReserve.front()->m_AvailableInTurns, 0);
    EXPECT_EQ(Land(4).m_FreezeTime, 10000);
    EXPECT_EQ(Land(5).m_FreezeTime, 0);
    EXPECT_EQ(Land(6).m_FreezeTime, 0);
    EXPECT_EQ(Land(7).m_EventsEffect, 0);
    EXPECT_EQ(bombed.ProductionPoints, production[0] + 1.0f);
    EXPECT_EQ(bombed.ProductionPointsLost, 0);
    EXPECT_EQ(whole.ProductionPoints, production[1]);
    EXPECT_EQ(whole.ProductionPointsLost, 0);
}

TEST_F(EndOfImpulse, WeatherOfTheMonthEndingAndAHarbourCutToItsCeiling)
{
    // Winter is certain on this hex in May (month index 4) and never in another month.
    cJednostkaLadowa& unit = Land(4);
    sHex& hex = Hex(unit.m_X, unit.m_Y);
    std::fill(std::begin(hex.winterChance), std::end(hex.winterChance), 0);
    std::fill(std::begin(hex.mudChance), std::end(hex.mudChance), 0);
    hex.winterChance[4] = 100;
    hex.weatherApplies = 1;
    hex.weather = WEATHER_CLEAR;
    SetDate(2, 5, 1940);
    // A harbour above the ceiling is cut to it; a land unit stronger than that keeps its strength.
    game->m_Consts.Mulberry[2] = 5.0f;
    auto* harbour = new cMulberry();
    harbour->m_Owner = kBorussia;
    harbour->m_RemainingMonths = 5;
    harbour->m_Strength = 9;
    game->m_LandUnits.push_back(harbour);
    const int strength = unit.m_Strength;
    game->EndImpulse(true);
    EXPECT_EQ(hex.weather, WEATHER_WINTER);
    EXPECT_EQ(harbour->m_Strength, 5);
    EXPECT_EQ(unit.m_Strength, strength);
}

TEST_F(EndOfImpulse, TheGameEndsWhenTimeRunsOutAndTheDateStays)
{
    // The impulse before the last goes on to the last, the turn that the scenario counts as
    // its last ("turn N of N").
    game->m_TurnsLeft = 1;
    SetDate(2, 12, 1941);
    game->EndImpulse(true);
    EXPECT_FALSE(game->m_GameOver);
    EXPECT_EQ(Date(), (std::vector<int>{3, 12, 1941}));
    testing_support::ClearLog();

    game->EndImpulse(true);
    EXPECT_TRUE(game->m_GameOver);
    EXPECT_NE(GameOverText().find(LangText("game_over:_time_has_run_out")), std::wstring::npos);
    EXPECT_EQ(Date(), (std::vector<int>{3, 12, 1941}));
    EXPECT_FALSE(LogContains(L"Koniec impulsu wykonany"));
}

TEST_F(EndOfImpulse, AllianceTotalsDecideTheResult)
{
    game->m_TurnsLeft = 0;
    SetSideTotals(7, 7, 7);
    game->CheckGameOver();
    EXPECT_NE(GameOverText().find(LangText("result:_draw")), std::wstring::npos);
    EXPECT_NE(GameOverText().find(LangText("alliance_score:") + LangFormat("axis:_%i_vp", 7) +
                                  LangFormat("allies:_%i_vp", 7) + LangFormat("comintern:_%i_vp", 7) +
                                  LangText("individual_score:")),
              std::wstring::npos);

    // Allies, Axis and Comintern totals, and the row of the result they give.
    const struct
    {
        int allies, axis, comintern;
        const char* key;
    } rows[] = {
        {0, 0, 0, "result:_all_major_alliances_eliminated,_no_result!"},
        {7, 7, 7, "result:_draw"},
        {5, 5, 2, "result:_axis-allied_draw_comintern_defeat"},
        {9, 4, 9, "result:_allied-comintern_draw_axis_defeat"},
        {3, 6, 6, "result:_axis-comintern_draw_allied_defeat"},
        {4, 8, 5, "result:_axis_victory"},
        {5, 8, 5, "result:_axis_victory"},
        {8, 4, 5, "result:_allied_victory"},
        {8, 5, 5, "result:_allied_victory"},
        {4, 5, 8, "result:_comintern_victory"},
        {5, 5, 8, "result:_comintern_victory"},
    };
    for (const auto& row : rows) {
        SetSideTotals(row.allies, row.axis, row.comintern);
        EXPECT_STREQ(GameResultKey(*game), row.key) << row.allies << " " << row.axis << " " << row.comintern;
    }
}

// Each reason to end the war, the first that holds.
TEST_F(EndOfImpulse, TheWarEndsForTheFirstReasonThatHolds)
{
    const struct
    {
        std::vector<int> leaders;  // the countries that keep their lead
        int turnsLeft;
        const char* key;
    } rows[] = {
        {{kAlbion, kBorussia, kRuthenia}, 1, nullptr},
        {{kAlbion, kBorussia, kRuthenia}, 0, "game_over:_time_has_run_out"},
        {{kAlbion, kBorussia, kRuthenia}, -1, "game_over:_time_has_run_out"},
        {{kAlbion, kBorussia}, 1, nullptr},
        {{kBorussia}, 1, "game_over:_only_one_major_alliance_left"},
        {{kRuthenia}, 0, "game_over:_only_one_major_alliance_left"},
        {{}, 0, "game_over:_all_alliances_eliminated_(uncommon_ending)"},
    };
    const int codes[] = {Country(kAlbion).Alliance, Country(kBorussia).Alliance, Country(kRuthenia).Alliance};
    for (const auto& row : rows) {
        for (int id : {kAlbion, kBorussia, kRuthenia}) {
            const bool leads = std::count(row.leaders.begin(), row.leaders.end(), id) > 0;
            Country(id).Alliance = leads ? codes[id - kAlbion] : 0;
        }
        game->m_TurnsLeft = row.turnsLeft;
        const char* key = GameOverReasonKey(*game);
        EXPECT_STREQ(key ? key : "", row.key ? row.key : "") << row.leaders.size() << " " << row.turnsLeft;
    }
}

TEST_F(EndOfImpulse, AGameOfComputerCountriesDoesNotEndForLackOfAPerson)
{
    Country(kAlbion).HumanControlled = false;  // Testland's one person
    game->StartGame();
    game->CheckGameOver();
    EXPECT_FALSE(game->m_GameOver);
    EXPECT_EQ(GameOverText(), L"");

    // A game that started with a person ends once no person's country is left: conquered, a
    // country keeps its person's mark.
    Country(kAlbion).HumanControlled = true;
    game->StartGame();
    Country(kAlbion).IsActive = false;
    game->CheckGameOver();
    EXPECT_TRUE(game->m_GameOver);
    // The person whose countries fell still reads the table, and the log keeps it too.
    EXPECT_NE(GameOverText().find(LangText("game_over:_all_human-controlled_countries_annexed")), std::wstring::npos);
    bool logged = false;
    for (const std::wstring& line : testing_support::LogLines())
        logged |= line.find(LangText("game_over:_all_human-controlled_countries_annexed")) != std::wstring::npos;
    EXPECT_TRUE(logged);
    // Handed to the computer instead (the testing window's AI tick), it was not conquered.
    Country(kAlbion).IsActive = true;
    Country(kAlbion).HumanControlled = false;
    EXPECT_STREQ(GameOverReasonKey(*game), "game_over:_no_country_is_played_by_a_person");
}

TEST_F(EndOfImpulse, ABesiegedCityReportsToEveryCountryAndShowsItsPersonOneMessage)
{
    // Borussia's five land units close the land sides of Londinium, held by Albion's
    // Guards; the sixth side becomes sea.
    cJednostkaLotnicza* fighter = game->FindAirUnitById(1);  // Fighter Command, beside the city
    Hex(fighter->m_X, fighter->m_Y).unit = nullptr;
    fighter->m_X = fighter->m_Y = 1;
    Hex(1, 1).unit = fighter;
    int next = 4;
    for (int d = 0; d < 6; ++d)
        if (sHex* n = game->m_Mapa->GetNeighbour(2, 2, d); n && n->IsLand() && !n->unit) {
            if (next <= 8)
                Place(Land(next++), n->x, n->y);
            else
                n->terrain = kTerrainSea;
        }
    game->CheckSieges();
    EXPECT_EQ(testing_support::CountLogLinesStartingWith(L"Checking city "), int(game->m_Cities.size()));
    int sieges = 0;
    for (const sRaport& r : game->m_Reports->GetReports())
        sieges += r.kind == 21 && r.text.rfind(L"Siege of Londinium (Albion)", 0) == 0 ? 1 : 0;
    EXPECT_EQ(sieges, int(game->m_Countries.size()));
    EXPECT_EQ(screen.Count(eRequestKind::Message), 1);
    // A person of neither side reads it in Reports only: no window holds them.
    Country(kAlbion).HumanControlled = false;
    Country(kHelvetia).HumanControlled = true;
    game->CheckSieges();
    EXPECT_EQ(screen.Count(eRequestKind::Message), 1);
}

// Each window of convoy results is its own country's, and only for whom sees it: in an
// ordinary game the persons' countries, by e-mail every country of the player at this machine.
TEST_F(EndOfImpulse, ConvoyResultsAreShownOnlyToThoseWhoSeeTheirCountry)
{
    struct sCase
    {
        const char* what;
        bool pbem;
        std::vector<int> persons;
        std::vector<int> pbemPlayers; // by country, Albion first
        int view;
        int outOfGame; // inactive, or a political strength below 0 (negative id)
        std::vector<int> shown;
    };
    const std::vector<sCase> cases = {
        {"persons with results", false, {kAlbion, kBorussia, kHelvetia}, {}, kAlbion, 0, {kAlbion, kBorussia}},
        {"a person's country gone", false, {kAlbion, kBorussia}, {}, kAlbion, kBorussia, {kAlbion}},
        {"a person's country out", false, {kAlbion, kRuthenia}, {}, kAlbion, -kRuthenia, {kAlbion}},
        {"e-mail, Albion's player", true, {kAlbion, kBorussia}, {1, 2, 1, 2, 2}, kAlbion, 0, {kAlbion, kRuthenia}},
        {"e-mail, Borussia's player", true, {kAlbion, kBorussia}, {1, 2, 1, 2, 2}, kBorussia, 0, {kBorussia, kValdonia}},
    };
    std::vector<int> strength;
    for (const cPanstwo* country : game->m_Countries)
        strength.push_back(country->PoliticalStrength);
    for (const sCase& c : cases) {
        game->m_IsPbem = c.pbem;
        for (cPanstwo* country : game->m_Countries) {
            const int id = country->ID;
            country->HumanControlled = std::find(c.persons.begin(), c.persons.end(), id) != c.persons.end();
            country->PBEMPlayerId = size_t(id) <= c.pbemPlayers.size() ? c.pbemPlayers[size_t(id - 1)] : 0;
            country->IsActive = id != c.outOfGame;
            country->PoliticalStrength = id == -c.outOfGame ? -1 : strength[size_t(id - 1)];
            auto& results = game->m_Convoys->Results[size_t(id - 1)];
            results.clear();
            if (id != kHelvetia && id <= kValdonia)
                results.push_back({L"Dover", L"Valdo", L"supplies", 1, 1, 0, L"Success", L"", L"", 0});
        }
        Play().SetViewCountry(&Country(c.view));
        screen.requests.clear();
        game->ShowConvoyResults();
        std::vector<int> shown;
        for (const sPresentationRequest& r : screen.requests)
            if (r.kind == eRequestKind::ConvoyResults)
                shown.push_back(r.countryId);
        EXPECT_EQ(shown, c.shown) << c.what;
    }
}

TEST_F(EndOfImpulse, ProductionAndUpkeepReportEveryImpulseAndResearchOnlyAMonthsFirst)
{
    auto count = [this](int kind) {
        int n = 0;
        for (const sRaport& r : game->m_Reports->GetReports())
            n += r.kind == kind ? 1 : 0;
        return n;
    };
    const int taking = 5;  // every country but the dummy, whose political strength is -1
    const int dp = Country(kBorussia).DP;
    SetDate(2, 10, 1939);
    game->EndImpulse(true);
    EXPECT_EQ(count(22), taking);
    EXPECT_EQ(count(26), taking);
    EXPECT_EQ(count(23), 0);
    EXPECT_EQ(Country(kBorussia).DP, dp);
    SetDate(1, 11, 1939);
    game->EndImpulse(true);
    EXPECT_EQ(count(22), 2 * taking);
    EXPECT_EQ(count(23), taking);
    EXPECT_EQ(Country(kBorussia).DP, dp + Country(kBorussia).DPGrowthPerMonth);
}

// The person reads the leader's surrender before its place is passed on.
TEST_F(EndOfImpulse, ASurrenderedLeadersPlacePassesOnAfterItsSurrenderIsRead)
{
    Country(kHelvetia).Alliance = ALLIANCE_AXIS;
    for (const cMiasto* city : game->m_Cities)
        if (city->VictoryPoints > 0 && Hex(city->X, city->Y).owner == kBorussia)
            Hex(city->X, city->Y).SetController(kAlbion);
    game->CheckSurrenders();
    EXPECT_EQ(Country(kHelvetia).Alliance, ALLIANCE_AXIS_LEADER);
    EXPECT_TRUE(LogHasInOrder({L"Headless answer: message \"Borussia surrenders to Albion\" -> 0",
                               LangFormat("determining_new_leader_of_alliance_%i", ALLIANCE_AXIS_LEADER),
                               L"Headless answer: message \"The leader of the Axis is eliminated!\" -> 0"}));
}

TEST_F(EndOfImpulse, ACountryThatLostEveryVictoryCitySurrendersAndItsPersonIsTold)
{
    Hex(7, 6).SetController(kBorussia);  // Valdo, Valdonia's one victory city
    game->CheckSurrenders();
    EXPECT_FALSE(Country(kValdonia).IsActive);
    EXPECT_TRUE(Country(kBorussia).IsActive);
    EXPECT_TRUE(LogContains(LangFormat("%s_surrenders!", L"Valdonia")));
    int told = 0;
    for (const auto& r : screen.requests)
        told += r.title == LangFormat("%s_surrenders_to_%s", L"Valdonia", L"Borussia") ? 1 : 0;
    EXPECT_EQ(told, 1);
}
