// Territory control on the test scenario: captures, ports, pockets, annexation, peace
// and the scripted hex effects.
#include <gtest/gtest.h>

#include "core/text.h"
#include "game/play_counts.h"
#include "game/reports.h"
#include "tests/game/testland_game.h"
#include "tests/test_support.h"
#include "units/naval_unit.h"
#include "world/fleet.h"
#include "world/sea_graph.h"

using namespace testland;
using testing_support::LogContains;

namespace {

class Territory : public TestlandGame
{
protected:
    cFlota* Fleet(int id)
    {
        for (cFlota* f : game->m_Fleets)
            if (f->ID == id)
                return f;
        return nullptr;
    }
    bool InReserve(const cUnit& unit)
    {
        return std::find(game->m_Reserve.begin(), game->m_Reserve.end(), &unit) != game->m_Reserve.end();
    }
    cMapa& Map() { return *game->m_Mapa; }
};

constexpr uint16_t kControllerBorderDown = 1u << 5;  // side 3, the hex below

} // namespace

TEST_F(Territory, AUnitTakesItsHexAndTheUndefendedEnemyNeighboursWithoutACity)
{
    g_PlayCounts.Reset();
    Place(Land(12), 7, 8);  // Valdo Infantry covers (8,7) and (7,7)
    EXPECT_EQ(Hex(8, 6).borders & kControllerBorderDown, 0);
    std::vector<sCapturedHex> changes;
    EXPECT_EQ(Map().CaptureHex(kBorussia, 8, 6, &changes), 1);
    EXPECT_EQ(changes, (std::vector<sCapturedHex>{{8, 6, kValdonia}}));
    EXPECT_EQ(Hex(8, 6).controller, kBorussia);
    EXPECT_EQ(Hex(8, 6).owner, kValdonia) << "the owner never changes by capture";
    EXPECT_NE(Hex(8, 6).borders & kControllerBorderDown, 0) << "a front now runs below it";
    EXPECT_EQ(Hex(7, 6).controller, kValdonia) << "Valdo, a city";
    EXPECT_EQ(Hex(8, 7).controller, kValdonia) << "next to an enemy unit";
    EXPECT_EQ(Hex(9, 7).controller, kHelvetia) << "a neutral's";

    changes.clear();
    EXPECT_EQ(Map().CaptureHex(kBorussia, 8, 8, &changes), 2) << "the hex entered, whoever covers it";
    EXPECT_EQ(changes, (std::vector<sCapturedHex>{{8, 8, kValdonia}, {8, 9, kValdonia}}));
    EXPECT_EQ(Hex(7, 8).controller, kValdonia) << "the enemy's own hex";
    EXPECT_EQ(g_PlayCounts.hexesCaptured.load(), 3);
    Hex(9, 7).controller = kAlbion; // country 1's, undefended, is taken the same
    Map().CaptureHex(kBorussia, 8, 6);
    EXPECT_EQ(Hex(9, 7).controller, kBorussia);

    Hex(9, 10).controller = 0;
    Map().CaptureHex(kValdonia, 9, 10);
    EXPECT_EQ(Hex(9, 10).controller, kValdonia) << "a land hex nobody holds goes to whoever enters";
    EXPECT_EQ(Map().CaptureHex(0, 9, 10), 0);
    EXPECT_EQ(Map().CaptureHex(99, 9, 10), 0);
    EXPECT_TRUE(LogContains(L"ERROR: hex (9,10) cannot be taken by country 99"));
}

TEST_F(Territory, FleetsLeaveACapturedPortOrAreLostWithAReport)
{
    Place(Land(12), 8, 8);
    Fleet(2)->seaNode = 6;  // Albion's transports in Valdo
    Map().CaptureHex(kBorussia, 7, 6);
    EXPECT_EQ(Fleet(2)->seaNode, 2);
    EXPECT_TRUE(LogContains(L"Dover Transports left port which became enemy controlled and moved to Channel"));

    Hex(7, 6).SetController(kValdonia);
    Fleet(1)->seaNode = 6;
    Fleet(2)->seaNode = 6;
    game->m_SeaGraph->GetNode(6)->Edges.clear();
    Map().CaptureHex(kBorussia, 7, 6);
    EXPECT_EQ(Fleet(1), nullptr);
    EXPECT_EQ(game->FindNavalUnitById(1), nullptr);
    EXPECT_EQ(game->FindNavalUnitById(2), nullptr);
    EXPECT_TRUE(LogContains(L"ERROR: Home Fleet cannot retreat to adjacent seazone from captured port!"));
    std::list<sRaport> reports;
    game->m_Reports->CollectReports(reports, kAlbion, 33);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_NE(reports.front().text.find(L"Home Fleet was lost in Valdo"), std::wstring::npos);
    // The transports' report names the corps lost aboard.
    EXPECT_NE(reports.back().text.find(L"Dover Transports was lost in Valdo"), std::wstring::npos);
    EXPECT_NE(reports.back().text.find(L"\nLost with it: 2nd Infantry Corps"), std::wstring::npos)
        << WideToUtf8(reports.back().text);
}

TEST_F(Territory, CutOffPocketsAreAbsorbedUnlessACityAUnitOrAMulberryHoldsThem)
{
    Hex(12, 12).SetController(kValdonia);
    Hex(12, 13).SetController(kValdonia);
    Hex(13, 9).SetController(kValdonia);
    Hex(10, 6).SetController(kValdonia);  // Ruhr Mines: its city seeds its own side
    Hex(14, 11).SetController(kHelvetia);  // a neutral at peace with everyone around
    Hex(8, 6).SetController(kAlbion);      // country 1's, joined to its ally's Valdo
    // The first hex, cut off but among friends, is no enemy's across the map's last column.
    Hex(0, 0).terrain = 1;
    Hex(0, 0).SetController(kValdonia);
    SetWar(kRuthenia, kValdonia, true);
    Place(Land(12), 13, 9);
    EXPECT_EQ(Map().AbsorbUnsuppliedHexes(), 2);
    EXPECT_EQ(Hex(8, 6).controller, kAlbion);
    EXPECT_EQ(Hex(0, 0).controller, kValdonia);
    EXPECT_TRUE(LogContains(L"Wchlaniam hexy bez zaopatrzenia"));
    EXPECT_EQ(Hex(12, 12).controller, kBorussia);
    EXPECT_EQ(Hex(12, 12).owner, kBorussia);
    EXPECT_EQ(Hex(12, 13).controller, kBorussia);
    EXPECT_EQ(Hex(13, 9).controller, kValdonia) << "a unit holds it";
    EXPECT_EQ(Hex(10, 6).controller, kValdonia);
    EXPECT_EQ(Hex(14, 11).controller, kHelvetia);

    // An allied Mulberry protects below its distance, not at it.
    game->m_Consts.Mulberry[1] = 2.0f;
    auto* harbour = new cMulberry();
    harbour->m_Owner = kAlbion;
    harbour->m_X = 12;
    harbour->m_Y = 11;
    Hex(12, 11).unit = harbour;
    game->m_LandUnits.push_back(harbour);
    Hex(12, 12).SetController(kValdonia);
    Hex(12, 13).SetController(kValdonia);
    EXPECT_EQ(Map().AbsorbUnsuppliedHexes(), 1);
    EXPECT_EQ(Hex(12, 12).controller, kValdonia) << "distance 1";
    EXPECT_EQ(Hex(12, 13).controller, kBorussia) << "distance 2";
}

TEST_F(Territory, AnnexationHandsOverTerritoryAndClearsTheUnitsThatMayNotStay)
{
    Hex(9, 9).SetController(kValdonia);  // Helvetian, held by Valdonia
    Hex(8, 10).SetController(kAlbion);   // Valdonian, held by Albion
    Hex(7, 6).SetOwner(0);               // Valdo, a city nobody owns, held by Valdonia
    Hex(0, 0).terrain = 1;               // the first row and column
    Hex(0, 0).SetOwner(kValdonia);
    Hex(0, 0).SetController(kValdonia);
    cJednostkaLadowa& valdonian = Land(12);
    cJednostkaLadowa& bystander = Land(9);  // a Ruthenian, at peace with Valdonia
    cJednostkaLadowa& enemy = Land(5);      // a Borussian, at war with it
    Place(bystander, 6, 8);
    Place(enemy, 8, 7);
    Fleet(2)->seaNode = 6;
    Map().AnnexCountry(kValdonia, kBorussia);

    EXPECT_EQ(Hex(7, 7).controller, kBorussia);
    EXPECT_EQ(Hex(7, 7).owner, kBorussia);
    EXPECT_EQ(Hex(0, 0).controller, kBorussia);
    EXPECT_EQ(Hex(0, 0).owner, kBorussia);
    EXPECT_EQ(Hex(9, 9).controller, kHelvetia) << "back to its owner";
    EXPECT_EQ(Hex(8, 10).owner, kAlbion) << "the third country that holds it owns it";
    EXPECT_EQ(Hex(7, 6).controller, kBorussia) << "a city's hex is always held";
    EXPECT_EQ(Hex(7, 6).owner, 0);
    EXPECT_TRUE(InReserve(valdonian)) << "Valdonia's own unit";
    EXPECT_TRUE(LogContains(L"map --> reserve pool: Valdo Infantry"));
    EXPECT_TRUE(InReserve(bystander)) << "the game goes on: a bystander's unit goes home";
    EXPECT_TRUE(LogContains(L"The unit goes to its country's reserve pool."));
    EXPECT_EQ(enemy.m_X, 8) << "an enemy stays";
    EXPECT_EQ(Fleet(2)->seaNode, 2) << "Valdo fell";

    Map().AnnexCountry(kValdonia, 0);
    EXPECT_TRUE(LogContains(L"ERROR: country 5 cannot be annexed by country 0"));
}

TEST_F(Territory, PeaceReturnsOccupiedHexesAndEffectsCheckTheirArguments)
{
    ASSERT_EQ(Hex(15, 5).controller, kBorussia);
    Hex(16, 6).owner = 0; // nobody's hex stays with its holder
    Hex(16, 6).controller = kRuthenia;
    Hex(0, 0).terrain = 1; // the first row and column
    Hex(0, 0).SetOwner(kRuthenia);
    Hex(0, 0).SetController(kBorussia);
    Map().ReturnOccupiedHexes(kRuthenia);
    EXPECT_EQ(Hex(15, 5).controller, kRuthenia);
    EXPECT_EQ(Hex(0, 0).controller, kRuthenia);
    EXPECT_EQ(Hex(16, 6).controller, kRuthenia);

    // The map is 20 by 16 hexes and has six countries.
    for (auto [x, y, count, country] : {std::tuple{12, 3, 0, kRuthenia}, {12, 14, 3, kRuthenia}, {12, 3, 2, 0},
                                        {12, 3, 2, 7}, {20, 3, 2, kRuthenia}, {-1, 3, 2, kRuthenia},
                                        {12, 16, 1, kRuthenia}, {12, -1, 1, kRuthenia}}) {
        testing_support::ClearLog();
        EXPECT_FALSE(Map().ChangeStripeControllerAndOwner(x, y, count, country));
        EXPECT_TRUE(testing_support::LogStartsWith(L"Error: the hex stripe (column " + std::to_wstring(x) + L", row " +
                                                   std::to_wstring(y)));
    }
    ASSERT_TRUE(Map().ChangeStripeControllerAndOwner(12, 14, 2, 6)) << "down to the last row, by the last country";
    EXPECT_TRUE(Map().ChangeStripeControllerAndOwner(0, 0, 1, kAlbion)) << "the first column and row";
    EXPECT_EQ(Hex(12, 15).owner, 6);
    cJednostkaLadowa& panzer = Land(4);
    Place(panzer, 12, 4);
    ASSERT_TRUE(Map().ChangeStripeControllerOwnerAndOriginalOwner(12, 3, 2, kRuthenia));
    for (int y : {3, 4}) {
        EXPECT_EQ(Hex(12, y).controller, kRuthenia);
        EXPECT_EQ(Hex(12, y).owner, kRuthenia);
        EXPECT_EQ(Hex(12, y).originalOwner, kRuthenia);
    }
    EXPECT_TRUE(InReserve(panzer)) << "a Borussian may not stay on Ruthenian land";
    const uint8_t original = Hex(12, 5).originalOwner;
    ASSERT_TRUE(Map().ChangeStripeControllerAndOwner(12, 5, 1, kHelvetia));
    EXPECT_EQ(Hex(12, 5).owner, kHelvetia);
    EXPECT_EQ(Hex(12, 5).originalOwner, original);

    EXPECT_FALSE(Map().TransferCountryHexes(kValdonia, 0));
    Hex(1, 0).controller = kValdonia; // the first row counts too
    ASSERT_TRUE(Map().TransferCountryHexes(kValdonia, kAlbion));
    EXPECT_EQ(Hex(1, 0).controller, kAlbion);
    EXPECT_EQ(Hex(7, 6).controller, kAlbion);
    EXPECT_EQ(Hex(7, 6).originalOwner, kAlbion);
    EXPECT_FALSE(InReserve(Land(12))) << "an ally may stay";
}
