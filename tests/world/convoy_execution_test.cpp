// Executing convoys on Testland: the checks, sea transport points, raids and deliveries.
#include <algorithm>
#include <list>
#include <vector>

#include "core/format.h"
#include "core/random.h"
#include "core/stringbase.h"
#include "game/play_counts.h"
#include "game/play_state.h"
#include "tests/game/testland_game.h"
#include "tests/test_support.h"
#include "units/naval_unit.h"
#include "world/city.h"
#include "world/convoy_execution.h"
#include "world/convoys.h"
#include "world/fleet.h"
#include "world/sea_graph.h"

using namespace testing_support;

using namespace testland;

namespace {

class ConvoyExecution : public testland::TestlandGame
{
protected:
    void SetUp() override
    {
        
        dover = Hex(3, 3).city;
        valdo = Hex(7, 6).city;
    }
    // The Allies' city groups and supply sources, as the supply pass finds them.
    void FindAlliedSupply()
    {
        cZaopatrzenie& supply = *game->m_PlayState->GetSupplyWorkArea();
        supply.BuildCityGroups(1, -1, groups);
        supply.FindSupplySources(1, -1, sources);
    }
    sKonwoj& NewConvoy(int type, int value, int toX = 7, int toY = 6)
    {
        game->m_Convoys->AddConvoy(kAlbion, type, value, 3, 3, toX, toY);
        return game->m_Convoys->Convoys[kAlbion - 1].back();
    }
    static std::string Text(const std::wstring& s) { return std::string(s.begin(), s.end()); }

    cMiasto* dover = nullptr;
    cMiasto* valdo = nullptr;
    tCityGroups groups;
    tSupplySources sources;
};

TEST_F(ConvoyExecution, ASupplyConvoySailsOnlyToACityBelowFourFifthsOfTheMaximum)
{
    game->m_Consts.MaxSupply = 10;
    AddLandUnit(kAlbion, 7, 7); // two Albion units drawing on Valdo, across the Channel
    AddLandUnit(kAlbion, 6, 7);
    FindAlliedSupply();
    dover->SupplyByCountry[kAlbion - 1] = 10;
    valdo->SupplyByCountry[kAlbion - 1] = 8;
    sKonwoj& convoy = game->m_Convoys->Convoys[kAlbion - 1].front(); // supplies, value 0: no cap
    sConvoyResult r = ExecuteConvoy(convoy, groups, sources);
    EXPECT_EQ(r.result, L"Not executed");
    EXPECT_EQ(r.details, L"Not executed: Valdo is already well supplied (supply 8).");
    EXPECT_EQ(Country(kAlbion).STP, 6);

    valdo->SupplyByCountry[kAlbion - 1] = 7;
    g_PlayCounts.Reset();
    r = ExecuteConvoy(convoy, groups, sources);
    EXPECT_EQ(r.result, L"Success") << Text(r.details);
    EXPECT_EQ(r.cargo, L"supply (units served: 2)");
    EXPECT_EQ(r.transportUsed, 2) << "a value of 0 puts no cap on the points the convoy takes";
    EXPECT_EQ(Country(kAlbion).STP, 4);
    EXPECT_EQ(Country(kAlbion).STPUsedByConvoys, 2);
    EXPECT_EQ(valdo->SupplyByCountry[kAlbion - 1], 10);
    EXPECT_EQ(valdo->ConvoyInfoByCountry[kAlbion - 1], 1);
    EXPECT_EQ(convoy.value, 0);
    EXPECT_EQ(g_PlayCounts.convoysExecuted.load(), 1);
    EXPECT_NE(r.details.find(L">>> Channel"), std::wstring::npos);
}

// A supplies convoy from Dover to Valdo, where Albion's infantry draws its supply: what stops
// it, the transport points it takes and the supply that arrives.
TEST_F(ConvoyExecution, ASupplyConvoysPointsAndWhatArrives)
{
    game->m_Consts.MaxSupply = 10;
    const cJednostka* first = AddLandUnit(kAlbion, 7, 7);
    AddLandUnit(kAlbion, 6, 7);
    FindAlliedSupply();
    struct sCase
    {
        const char* what;
        bool departureByConvoy; // Dover's own supply came by convoy
        int stp;
        bool oneUnit;
        int valdoBefore;
        std::wstring result, details;
        int needed, used, valdoAfter, stpAfter;
    };
    const std::wstring route = LangText("convoy_route:_") + L"\n>>> Dover\n>>> Channel\n>>> Valdo\n";
    const std::wstring refusedDeparture = LangFormat(
        "convoy_not_executed:_invalid_departure_city._%s_must_have_land_connection_with_valid_supply_source_to_serve_as_a_departure_city_for_a_convoy",
        std::wstring(L"Dover"));
    const std::wstring noPoints = LangFormat("convoy_not_executed:_%s_has_no_sea_transport_points", std::wstring(L"Albion"));
    const std::wstring fewPoints = LangFormat(
        "warning:_%s_doesn't_have_enough_sea_transport_points_to_carry_all_needed_supplies_(%i_available,_%i_needed)._all_available_sea_transport_points_have_been_used._",
        std::wstring(L"Albion"), 1, 2);
    auto arrives = [](int supply) {
        return LangFormat("convoy_arrives,_carrying_supplies_worth_%i._%s_and_all_cities_with_land_connection_recieve_supply_%i_unless_their_own_supply_value_is_higher._",
                          supply, std::wstring(L"Valdo"), supply);
    };
    const std::vector<sCase> cases = {
        {"a departure supplied by convoy", true, 6, false, 3, L"Not executed", refusedDeparture, 0, 0, 3, 6},
        {"no points", false, 0, false, 3, L"Not executed", noPoints, 2, 0, 3, 0},
        {"the points needed", false, 2, false, 3, L"Success", route + arrives(10), 2, 2, 10, 0},
        {"too few points: a part arrives", false, 1, false, 3, L"Success", fewPoints + route + arrives(5), 2, 1, 5, 0},
        {"one unit, one point", false, 5, true, 3, L"Success", route + arrives(10), 1, 1, 10, 4},
    };
    sKonwoj& convoy = game->m_Convoys->Convoys[kAlbion - 1].front(); // supplies, value 0
    for (const sCase& c : cases) {
        dover->SupplyByCountry[kAlbion - 1] = 10;
        dover->ConvoyInfoByCountry[kAlbion - 1] = c.departureByConvoy ? 1 : 0;
        valdo->SupplyByCountry[kAlbion - 1] = c.valdoBefore;
        Country(kAlbion).STP = c.stp;
        tSupplySources used;
        for (const sSupplySource& record : sources)
            if (!c.oneUnit || record.unit == first)
                used.push_back(record);
        const sConvoyResult r = ExecuteConvoy(convoy, groups, used);
        EXPECT_EQ(r.result, c.result) << c.what;
        EXPECT_EQ(r.details, c.details) << c.what;
        EXPECT_EQ(r.transportNeeded, c.needed) << c.what;
        EXPECT_EQ(r.transportUsed, c.used) << c.what;
        EXPECT_EQ(valdo->SupplyByCountry[kAlbion - 1], c.valdoAfter) << c.what;
        EXPECT_EQ(Country(kAlbion).STP, c.stpAfter) << c.what;
    }
}

// A country's convoys run in order: the points its convoys took last time come back first, each
// run is kept for the results window and, but in the pass that makes the game, reported.
TEST_F(ConvoyExecution, EveryRunIsKeptForTheResultsWindowAndReported)
{
    FindAlliedSupply();
    cPanstwo& albion = Country(kAlbion);
    for (int turn : {0, 1}) {
        game->m_Turn = turn;
        albion.STP = 2;
        albion.STPUsedByConvoys = 4;
        const size_t reportsBefore = game->m_Reports->GetReports().size();
        ExecuteConvoysOfCountry(kAlbion, groups, sources);
        EXPECT_EQ(albion.STP, 6);
        EXPECT_EQ(albion.STPUsedByConvoys, 0);
        const std::vector<sKonwoj>& convoys = game->m_Convoys->Convoys[kAlbion - 1];
        const std::vector<sConvoyResult>& results = game->m_Convoys->Results[kAlbion - 1];
        ASSERT_EQ(results.size(), convoys.size()) << "the last impulse's results are replaced";
        std::list<sRaport> reports;
        for (const sRaport& r : game->m_Reports->GetReports())
            if (r.kind == 24 && r.countryKey == kAlbion)
                reports.push_back(r);
        ASSERT_EQ(game->m_Reports->GetReports().size() - reportsBefore, turn == 0 ? 0u : convoys.size()) << turn;
        if (turn == 0)
            continue;
        auto report = reports.begin();
        for (size_t k = 0; k < convoys.size(); ++k, ++report)
            EXPECT_EQ(report->text, FormatText(L"Convoy with %i of %s from %s to %s\n\nResult: %s\n\nDetails: %s",
                                               convoys[k].value, convoys[k].type == CONVOY_PP ? L"PP" : L"supply",
                                               results[k].departure, results[k].destination, results[k].result,
                                               results[k].details));
    }
}

TEST_F(ConvoyExecution, ADestinationInNoCityGroupIsNotExecuted)
{
    FindAlliedSupply();
    dover->SupplyByCountry[kAlbion - 1] = 30;
    sKonwoj& convoy = game->m_Convoys->Convoys[kAlbion - 1].front();
    const sConvoyResult r = ExecuteConvoy(convoy, tCityGroups{}, sources);
    EXPECT_EQ(r.result, L"Not executed");
    EXPECT_EQ(r.details, L"Not executed: Valdo has no land connection to any city of its side.");
    EXPECT_TRUE(LogStartsWith(L"CRITICAL ERROR! City Valdo has not been found in any city group"));
}

TEST_F(ConvoyExecution, AProductionConvoyRefusedAfterBeingCutToThePointsAtHandKeepsItsValue)
{
    cPanstwo& albion = Country(kAlbion);
    albion.PP = 5.0;
    albion.STP = 1;
    sKonwoj& convoy = NewConvoy(CONVOY_PP, 50);
    sConvoyResult r = ExecuteConvoy(convoy, groups, sources);
    EXPECT_EQ(r.result, L"Not executed");
    EXPECT_NE(r.details.find(L"it carries 5 PP"), std::wstring::npos) << Text(r.details);
    EXPECT_NE(r.details.find(L"too few sea transport points"), std::wstring::npos);
    EXPECT_EQ(convoy.value, 50);

    albion.STP = 10;
    r = ExecuteConvoy(convoy, groups, sources);
    EXPECT_EQ(r.result, L"Success");
    EXPECT_EQ(albion.PP, 0.0);
    EXPECT_EQ(Country(kValdonia).PP, 25.0 + 5.0);
    EXPECT_EQ(convoy.value, 50) << "the next impulse tries the whole value again";

    // 100,000 PP take 50,000 points: all of them arrive.
    albion.PP = 100000.0;
    albion.STP = 50000;
    convoy.value = 100000;
    ExecuteConvoy(convoy, groups, sources);
    EXPECT_EQ(Country(kValdonia).PP, 30.0 + 100000.0);
}

TEST_F(ConvoyExecution, EnemyFleetsOnTheRouteTakeTransportPointsOffTheConvoy)
{
    game->m_Turn = 1;
    for (cFlota* fleet : game->m_Fleets)
        if (fleet->ID == 4) // the Borussian U-boats, raiders, move into the Channel
            fleet->seaNode = 2;
    cPanstwo& albion = Country(kAlbion);
    albion.STP = 30;
    sKonwoj& convoy = NewConvoy(CONVOY_PP, 40); // 20 transport points
    // The fleet is picked and hits; its damage is 2; the raider misses.
    ScriptRandomRaw({0, 0, 32767, 32767});
    sConvoyResult r = ExecuteConvoy(convoy, groups, sources);
    EXPECT_EQ(r.result, L"Partial success");
    EXPECT_EQ(r.transportLost, 2);
    // Told from the departure, what befell the convoy beside the zone where it befell it.
    EXPECT_NE(r.details.find(L"\n>>> Dover\n>>> Channel[ATTACKED by enemy FLEET (1 ships), lost 2 STP] \n>>> Valdo\n"),
              std::wstring::npos);
    EXPECT_EQ(Country(kValdonia).PP, 25.0 + 40 * 18 / 20);
    EXPECT_EQ(albion.STPUsedByConvoys, 18) << "lost points do not come back";
    std::list<sRaport> raids;
    game->m_Reports->CollectReports(raids, kBorussia, 18);
    ASSERT_EQ(raids.size(), 1u);
    EXPECT_EQ(raids.front().text, L"U-Boote attacked convoys on Channel, inflicted 2 STP loss");
    const sConvoyHitRecord hit{{game->m_Date[0], game->m_Date[1], game->m_Date[2]}, L"Albion", L"Channel", 2, L"Borussia"};
    EXPECT_EQ(g_PlayCounts.ConvoyHits(), std::vector<sConvoyHitRecord>{hit});

    // A loss as large as the points used destroys the convoy: nothing arrives. Its one point
    // lost is a hit all the same.
    convoy.value = 2;
    const double pp = albion.PP;
    ScriptRandomRaw({0, 0, 32767});
    r = ExecuteConvoy(convoy, groups, sources);
    EXPECT_EQ(r.result, L"Failure");
    EXPECT_EQ(r.transportUsed, 1);
    EXPECT_EQ(r.transportLost, 1);
    EXPECT_EQ(albion.PP, pp);
    ASSERT_EQ(g_PlayCounts.ConvoyHits().size(), 2u);
    EXPECT_EQ(g_PlayCounts.ConvoyHits().back().pointsLost, 1);
}

TEST_F(ConvoyExecution, TheRaidChanceFollowsThePointsLeftAndEachAttackersCommander)
{
    sGameConsts& k = game->m_Consts;
    k.ConvoyRaiding[0] = 20.9f; // cut to 20 before the factor of the points left
    const struct
    {
        int used, lost, chance;
    } left[] = {{10, 0, 30}, {12, 2, 30}, {11, 0, 20}, {25, 5, 20}, {21, 0, 10}};
    for (const auto& c : left) {
        sConvoyResult r;
        r.transportUsed = c.used;
        r.transportLost = c.lost;
        EXPECT_EQ(GetConvoyRaidChance(r), c.chance) << c.used << " used, " << c.lost << " lost";
    }

    // The Hochseeflotte (Raeder, rating 2; three ships of 1 point) and the U-boats (raiders,
    // no commander; U-47 of 3 points) lie in the Channel, on the way to Valdo.
    std::fill_n(k.ShipDamageMin, 6, 1);
    std::fill_n(k.ShipDamageMax, 6, 1);
    k.ShipDamageMin[3] = k.ShipDamageMax[3] = 3;
    for (cFlota* fleet : game->m_Fleets)
        if (fleet->ID == 3 || fleet->ID == 4)
            fleet->seaNode = 2;
    Country(kAlbion).STP = 1000;
    Country(kAlbion).PP = 1000;
    auto roll = [](int v) { return ((v - 1) * 32768 + 99) / 100; };
    const int hochseeflotte = 0, uBoote = 32767;
    const struct
    {
        int turn, value, uBooteAt;
        bool raiderLed;
        std::vector<int> raws;
        int lost;
        size_t reports;
        const wchar_t* attack;
        int toX = 7, toY = 6;
    } raids[] = {
        // 20 + 2 x 2 hits; U-47's 20 x 2 of 17 left misses. Before the first impulse nobody is told.
        {0, 40, 2, false, {hochseeflotte, roll(24), 0, 0, 0, roll(41)}, 3, 0, L"FLEET (3 ships), lost 3"},
        {1, 40, 2, false, {uBoote, roll(20), 0, roll(40), 0}, 6, 2, L"RAIDER, lost 3"},
        {1, 40, 2, false, {uBoote, roll(21), roll(41)}, 0, 0, L">>> Channel"},
        // One point, lost to the fleet: the raider has nothing left to attack.
        {1, 2, 2, false, {uBoote, roll(1), 0, roll(1), 0}, 1, 1, L"FLEET (1 ships), lost 1"},
        // Four points: the raider's 30 x 2 takes only the one left.
        {1, 8, 2, false, {hochseeflotte, roll(1), 0, 0, 0, roll(1), 0}, 4, 2, L"RAIDER, lost 1"},
        // Raeder leads U-47 too: 40 + 2 x 2.
        {1, 40, 2, true, {hochseeflotte, roll(25), roll(44), 0}, 3, 1, L"RAIDER, lost 3"},
        // Nobody raids from a port, Valdo's included.
        {1, 40, 6, false, {0, roll(100), roll(1), 0, 0, 0, 0}, 0, 0, L">>> Valdo"},
        // To Hamburgum, the U-boats in the North Sea: raided from the destination back, so they
        // roll first and miss, and the Channel's fleet hits.
        {1, 40, 1, false, {0, roll(100), roll(100), hochseeflotte, roll(1), 0, 0, 0}, 3, 1,
         L">>> Channel[ATTACKED by enemy FLEET (3 ships), lost 3 STP] \n>>> North Sea\n", 8, 2},
    };
    Hex(8, 2).controller = kValdonia; // Hamburgum takes convoys from Albion
    size_t reports = 0;
    for (const auto& c : raids) {
        game->m_Turn = c.turn;
        for (cFlota* fleet : game->m_Fleets)
            if (fleet->ID == 4)
                fleet->seaNode = c.uBooteAt;
        game->FindNavalUnitById(6)->m_Commander = c.raiderLed ? game->FindNavalUnitById(4)->m_Commander : nullptr;
        sKonwoj& convoy = NewConvoy(CONVOY_PP, c.value, c.toX, c.toY);
        const size_t hits = g_PlayCounts.ConvoyHits().size();
        ClearRandomScript();
        ScriptRandomRaw(c.raws);
        const sConvoyResult r = ExecuteConvoy(convoy, groups, sources);
        EXPECT_EQ(r.transportLost, c.lost) << Text(r.details);
        EXPECT_NE(r.details.find(c.attack), std::wstring::npos) << Text(r.details);
        EXPECT_EQ(r.details.find(L"lost 0 STP"), std::wstring::npos);
        ASSERT_EQ(g_PlayCounts.ConvoyHits().size(), hits + (c.lost > 0 ? 1 : 0));
        if (c.lost > 0) {
            EXPECT_EQ(g_PlayCounts.ConvoyHits().back().zone, L"Channel");
        }
        std::list<sRaport> told;
        game->m_Reports->CollectReports(told, kBorussia, 18);
        EXPECT_EQ(told.size() - reports, c.reports) << c.turn;
        reports = told.size();
    }

    // A raider's chance of 1 hits on a roll of 1, one of 100 on a roll of 100.
    for (cFlota* fleet : game->m_Fleets)
        if (fleet->ID == 4)
            fleet->seaNode = 2;
    for (const auto& [factor, raw] : {std::pair{0.05f, 0}, std::pair{5.0f, 32767}}) {
        k.ConvoyRaiding[4] = factor;
        sKonwoj& convoy = NewConvoy(CONVOY_PP, 40);
        ClearRandomScript();
        ScriptRandomRaw({hochseeflotte, roll(100), raw, 0});
        EXPECT_EQ(ExecuteConvoy(convoy, groups, sources).transportLost, 3) << factor;
    }
}

} // namespace
