// The effects on territory, hexes, cities, ports, weather, convoys and the view, on Testland.
#include <gtest/gtest.h>

#include "tests/events/effect_test_support.h"
#include "tests/test_support.h"
#include "world/city.h"
#include "world/convoys.h"
#include "world/sea_graph.h"

using namespace testland;
using event_testing::EffectsOnTestland;
using testing_support::LogContains;

namespace {

using TerritoryEffects = EffectsOnTestland;

TEST_F(TerritoryEffects, TerritoryHexesCitiesPortsWeatherConvoysAndTheViewChangeAsScripted)
{
    // Stripes of a column: the last row is the map's last, else the stripe is refused.
    const uint8_t original = Hex(12, 15).originalOwner;
    Fire(L"HexStripe.ChangeControllerAndOwner", {12, 13, 3, kRuthenia});
    EXPECT_EQ(Hex(12, 15).controller, kRuthenia);
    EXPECT_EQ(Hex(12, 15).owner, kRuthenia);
    EXPECT_EQ(Hex(12, 15).originalOwner, original);
    Fire(L"HexStripe.ChangeControllerAndOwner", {13, 14, 3, kRuthenia});
    EXPECT_EQ(Hex(13, 14).controller, kBorussia);
    EXPECT_TRUE(LogContains(L"Error: the hex stripe (column 13, row 14, 3 hexes, country 3) has wrong parameters and "
                            L"is ignored."));
    // A script's huge length is refused as well, never run past the end of the numbers.
    Fire(L"HexStripe.ChangeControllerAndOwner", {13, 14, 1e12, kRuthenia});
    EXPECT_TRUE(LogContains(L"Error: the hex stripe (column 13, row 14, 2147483647 hexes, country 3) has wrong "
                            L"parameters and is ignored."));
    // The Borussian corps on (12, 6) may not stay on Ruthenian ground.
    const cJednostkaLadowa* corps = &Land(7);
    Fire(L"HexStripe.ChangeControllerOwnerAndOriginalOwner", {12, 5, 3, kRuthenia});
    EXPECT_EQ(Hex(12, 6).originalOwner, kRuthenia);
    EXPECT_TRUE(corps->m_InReserve);

    // Valdonia passes to Borussia; its infantry goes to its reserve pool.
    Fire(L"Country.ChangeTerritoryControllerOwnerAndOriginalOwner", {kValdonia, kBorussia});
    EXPECT_EQ(Hex(7, 6).controller, kBorussia);
    EXPECT_EQ(Hex(7, 6).originalOwner, kBorussia);
    EXPECT_EQ(Hex(7, 6).unit, nullptr);

    // Forts: set as given; changed within 0 and 9.
    Fire(L"Hex.SetFortLevel", {10, 4, 12});
    EXPECT_EQ(Hex(10, 4).fortification, 12);
    const std::pair<double, int> changes[] = {{5, 9}, {-3, 0}, {0.9, 4}};
    const int from[] = {7, 2, 4};
    for (int i = 0; i < 3; ++i) {
        Hex(13, 4).fortification = uint8_t(from[i]);
        Fire(L"Hex.ChangeFortLevel", {13, 4, changes[i].first});
        EXPECT_EQ(Hex(13, 4).fortification, changes[i].second) << from[i] << " + " << changes[i].first;
    }
    Fire(L"Hex.SetFortLevel", {-3, 4, 1});
    EXPECT_TRUE(LogContains(L"ERROR: effect Hex.SetFortLevel at line 42 points at hex (-3, 4), which is off the map; "
                            L"ignored"));
    EXPECT_EQ(Hex(0, 0).fortification, 0) << "never the first hex instead";

    // Cities.
    cMiasto& berolina = *Hex(11, 3).city;
    Fire(L"City.SetProductionPoints", {11, 3, 20.5});
    Fire(L"City.ChangeProductionPoints", {11, 3, 1.5});
    EXPECT_EQ(berolina.ProductionPoints, 22.0f);
    Fire(L"City.SetType", {9, 5, 0});
    EXPECT_EQ(Hex(9, 5).city->Type, 0);
    Fire(L"City.SetType", {9, 5, 9});
    EXPECT_EQ(Hex(9, 5).city->Type, 0);
    // Inland Colonia has no sea node to be a port of; Valdo has one.
    Fire(L"City.SetType", {9, 5, 3});
    EXPECT_EQ(Hex(9, 5).city->Type, 0);
    EXPECT_FALSE(Hex(9, 5).city->IsPort());
    EXPECT_TRUE(LogContains(L"ERROR: effect City.SetType at line 42 makes Colonia at (9, 5) a port (type 3), but no "
                            L"sea node lies on its hex; ignored"));
    Fire(L"City.SetType", {7, 6, 3});
    EXPECT_EQ(Hex(7, 6).city->Type, 3);
    EXPECT_EQ(Hex(7, 6).city->GetSeaNodeId(), 6);

    // Ports: the size lies within 1 and 10; a sea zone has none. The working size never
    // stands above it, and grows up to a larger one by the repairs of each impulse.
    sWezelGrafuMorz& dover = game->m_SeaGraph->Nodes[3];
    const std::pair<double, int> sizes[] = {{14.2, 10}, {0, 1}, {6.7, 6}};
    for (const auto& [wanted, size] : sizes) {
        Fire(L"Port.SetSize", {4, wanted});
        EXPECT_EQ(dover.SizeMax, size) << wanted;
    }
    EXPECT_EQ(dover.SizeCurrent, 1);
    Fire(L"Port.ChangeSize", {4, 2});
    EXPECT_EQ(dover.SizeMax, 8);
    EXPECT_EQ(dover.SizeCurrent, 1);
    Fire(L"Port.SetSize", {1, 5});
    EXPECT_EQ(game->m_SeaGraph->Nodes[0].SizeMax, 0);
    Fire(L"Port.SetSize", {99, 5});
    EXPECT_TRUE(LogContains(L"ERROR: effect Port.SetSize at line 42 names sea node 99, which does not exist; ignored"));

    // Weather: land hexes of the rectangle only; corners far off the map are clipped.
    Fire(L"New.StartWinterArea", {5, 2, 8, 3, 0});
    EXPECT_EQ(Hex(8, 3).weather, uint32_t(WEATHER_WINTER));
    EXPECT_EQ(Hex(8, 3).weatherApplies, 0);
    EXPECT_EQ(Hex(5, 2).weather, uint32_t(WEATHER_CLEAR)) << "sea";
    // The weather the game rolled at its start (on the dice earlier tests left) stays.
    const uint32_t rolled = Hex(9, 10).weather;
    Fire(L"New.StartMudArea", {9, 9, 8, 12, 1});
    EXPECT_EQ(Hex(9, 10).weather, rolled) << "no rectangle when x1 > x2";
    Fire(L"New.StartMudArea", {9, 9, 9, 9, 1});
    EXPECT_EQ(Hex(9, 9).weather, uint32_t(WEATHER_MUD));
    EXPECT_EQ(Hex(9, 9).weatherApplies, 1);
    Fire(L"New.EndWinterArea", {0, 0, 2e9, 2e9});
    Fire(L"New.EndMudArea", {-2e9, -2e9, 2e9, 2e9});
    EXPECT_EQ(Hex(8, 3).weather, uint32_t(WEATHER_CLEAR));
    EXPECT_EQ(Hex(8, 3).weatherApplies, 1);
    EXPECT_EQ(Hex(9, 9).weather, uint32_t(WEATHER_CLEAR));

    // Convoys between cities: Dover to Valdo, and back out.
    const auto& albionConvoys = game->m_Convoys->Convoys[0];
    const size_t convoys = albionConvoys.size();
    Fire(L"Country.AddConvoy", {kAlbion, 1, 5, 3, 3, 7, 6});
    ASSERT_EQ(albionConvoys.size(), convoys + 1);
    EXPECT_EQ(albionConvoys.back().value, 5);
    Fire(L"Country.AddConvoy", {kAlbion, 1, 5, 4, 4, 7, 6});
    EXPECT_EQ(albionConvoys.size(), convoys + 1) << "no city at the departure hex";
    Fire(L"Country.RemoveConvoy", {kAlbion, 1, 3, 3, 7, 6});
    EXPECT_EQ(albionConvoys.size(), convoys);

    // The view: Albion, the next person to move, finds its view there.
    Fire(L"View.CenterAt", {10, 5});
    EXPECT_EQ(Country(kAlbion).GetSavedView()[0], 830.0f);
    EXPECT_EQ(Country(kAlbion).GetSavedView()[1], 490.0f);
}

} // namespace
