// Supply on Testland: city groups, each unit's source, peace-time supply, Mulberry
// harbours and ships.
#include "game/play_state.h"
#include "tests/game/testland_game.h"
#include "tests/test_support.h"
#include "units/air_unit.h"
#include "units/naval_unit.h"
#include "world/city.h"
#include "world/fleet.h"
#include "world/supply.h"
#include "world/topography.h"

using namespace testing_support;

using namespace testland;

namespace {

class Supply : public testland::TestlandGame
{
protected:
    cZaopatrzenie& Calculator() { return *game->m_PlayState->GetSupplyWorkArea(); }
    cMiasto* CityAt(int x, int y) { return Hex(x, y).city; }
};

TEST_F(Supply, ANeutralAtPeaceGivesItsUnitsHalfTheMaximum)
{
    game->m_Consts.MaxSupply = 10;
    cJednostkaLadowa* alpine = game->FindLandUnitById(11); // Helvetia's, on Berna
    cJednostkaLadowa* far = AddLandUnit(kHelvetia, 11, 9);
    Hex(11, 9).controller = uint8_t(kBorussia); // cut off from every Helvetian city
    Calculator().CalculateSupply();
    EXPECT_EQ(alpine->m_Supply, 5);
    EXPECT_EQ(far->m_Supply, 5);

    // At war, the unit on its supply city draws the maximum from it, and one in the
    // mountains beside it the maximum less the climb.
    SetWar(kHelvetia, kBorussia, true);
    cJednostkaLadowa* guard = AddLandUnit(kHelvetia, 10, 7);
    Calculator().CalculateSupply();
    EXPECT_EQ(alpine->m_Supply, 10);
    EXPECT_EQ(alpine->m_SupplySourceX, 10);
    EXPECT_EQ(alpine->m_SupplySourceY, 8);
    EXPECT_EQ(guard->m_Supply, 10 - GameConsts().MoveCost[CATEGORY_AIR][4 - 1]) << "the cost of entering mountains";
    EXPECT_EQ(guard->m_SupplySourceY, 8);
    EXPECT_EQ(CountLogLinesStartingWith(L"Wyznaczam grupe miast dla kraju = 4"), 1);
    ASSERT_NE(game->m_StrategicMoves->GetGroups(kHelvetia), nullptr);
    EXPECT_EQ(game->m_StrategicMoves->GetGroups(kHelvetia)->size(), 1u);
}

TEST_F(Supply, AUnitDrawsFromItsNearestCityLessThePathCost)
{
    cJednostkaLadowa* panzer = game->FindLandUnitById(4); // on Berolina, a supply city
    cJednostkaLadowa* mech = game->FindLandUnitById(8); // next to Hamburgum, a port of Berolina's group
    panzer->m_TurnsWithoutSupply = 1;
    mech->m_TurnsWithoutSupply = 2;
    Calculator().CalculateSupply();
    EXPECT_EQ(panzer->m_Supply, 30);
    EXPECT_EQ(panzer->m_SupplySourceX, 11);
    EXPECT_EQ(panzer->m_TurnsWithoutSupply, 0);
    EXPECT_EQ(mech->m_TurnsWithoutSupply, 1) << "a source found again takes back one impulse without it";
    EXPECT_EQ(mech->m_Supply, 30 - 2);
    EXPECT_EQ(mech->m_SupplySourceX, 8);
    EXPECT_EQ(mech->m_SupplySourceY, 2);
    EXPECT_EQ(CityAt(8, 2)->SupplyByCountry[kBorussia - 1], 30);
    EXPECT_EQ(CityAt(10, 6)->SupplyByCountry[kBorussia - 1], 0) << "a resources city belongs to no group";
    EXPECT_EQ(CityAt(17, 4)->SupplyByCountry[kBorussia - 1], 0) << "Moskva is no Axis city";
    for (int side = 0; side <= 3; ++side)
        EXPECT_TRUE(Calculator().SourcesOf(side).empty()) << "no record outlives the pass, side " << side;
}

TEST_F(Supply, ACityGroupEndsAtTheEdgeOfTheMap)
{
    // Albion's island reaches the corner, where a third supply city stands.
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{0, 1}})
    {
        Hex(x, y).terrain = 1;
        Hex(x, y).SetController(kAlbion);
    }
    auto* corner = new cMiasto();
    corner->Name = L"Corner";
    corner->Type = CITY_SUPPLY;
    game->m_Cities.push_back(corner);
    Hex(0, 0).city = corner;
    Calculator().CalculateSupply();
    const tCityGroups* groups = game->m_StrategicMoves->GetGroups(kAlbion);
    ASSERT_NE(groups, nullptr);
    ASSERT_EQ(groups->size(), 2u) << "the island's and Valdonia's";
    EXPECT_EQ(groups->front().size(), 3u) << "Londinium, Dover and the corner, each once";
}

TEST_F(Supply, OfTwoCitiesAtOneCostTheOneTheSearchReachesLaterIsTheSource)
{
    // A Borussian corridor through Ruthenian land, up and down column 12 from the unit:
    // up two clear hexes to a city on marsh (2 + 2 + 5), down one desert hex to a city on
    // clear land (7 + 2). Both cost 9; the upper one is reached later, from the second ring.
    ClearLand(12, 10, 4, kRuthenia);
    const struct
    {
        int y, terrain;
        bool city;
    } corridor[] = {{7, 5, true}, {8, 1, false}, {9, 1, false}, {10, 1, false}, {11, 7, false}, {12, 1, true}};
    for (const auto& step : corridor)
    {
        sHex& hex = Hex(12, step.y);
        hex.terrain = uint8_t(step.terrain);
        hex.SetController(kBorussia);
        if (step.city)
        {
            auto* city = new cMiasto();
            city->Name = L"Stop " + std::to_wstring(step.y);
            city->X = 12;
            city->Y = step.y;
            city->Type = CITY_SUPPLY;
            game->m_Cities.push_back(city);
            hex.city = city;
        }
    }
    cJednostkaLadowa* unit = AddLandUnit(kBorussia, 12, 10);
    Calculator().CalculateSupply();
    EXPECT_EQ(unit->m_SupplySourceY, 7);
    EXPECT_EQ(unit->m_Supply, 30 - 9);
}

TEST_F(Supply, AUnitWithoutASourceKeepsItsSupplyForTwoImpulsesThenIsCutOff)
{
    cJednostkaLadowa* lost = AddLandUnit(kBorussia, 15, 5); // Borussian, among Ruthenian hexes
    lost->m_Supply = 7;
    lost->m_SupplySourceX = 11;
    lost->m_SupplySourceY = 3;
    for (int impulse = 1; impulse <= 2; ++impulse)
    {
        Calculator().CalculateSupply();
        EXPECT_EQ(lost->m_Supply, 7) << impulse;
        EXPECT_EQ(lost->m_SupplySourceX, 11) << impulse;
        EXPECT_EQ(lost->m_TurnsWithoutSupply, impulse);
    }
    Calculator().CalculateSupply();
    EXPECT_EQ(lost->m_Supply, 0);
    EXPECT_EQ(lost->m_SupplySourceX, -1);
    EXPECT_EQ(lost->m_SupplySourceY, -1);

    // An air unit is cut off at once.
    auto* plane = new cJednostkaLotnicza();
    plane->m_Owner = kBorussia;
    plane->SetType(UNIT_FIGHTER);
    plane->m_X = 16;
    plane->m_Y = 5;
    plane->m_Supply = 9;
    Hex(16, 5).controller = uint8_t(kBorussia);
    Hex(16, 5).unit = plane;
    game->m_AirUnits.push_back(plane);
    Calculator().CalculateSupply();
    EXPECT_EQ(plane->m_Supply, 0);
}

TEST_F(Supply, AMulberryHarbourSuppliesFriendsWithinItsRadiusOnly)
{
    auto* harbour = new cMulberry();
    harbour->m_Owner = kAlbion;
    harbour->m_X = 2;
    harbour->m_Y = 3;
    harbour->m_TurnsWithoutSupply = 2;
    Hex(2, 3).unit = harbour;
    game->m_LandUnits.push_back(harbour);
    cJednostkaLadowa* near = AddLandUnit(kAlbion, 2, 4); // one hex away
    cJednostkaLadowa* edge = AddLandUnit(kAlbion, 3, 2); // two hexes away: the radius
    near->m_Supply = 0;
    edge->m_Supply = 0;
    Calculator().SupplyFromMulberries();
    EXPECT_EQ(near->m_Supply, 1);
    EXPECT_EQ(edge->m_Supply, 0);
    EXPECT_EQ(harbour->m_Supply, 30) << "a harbour is always fully supplied";
    EXPECT_EQ(harbour->m_TurnsWithoutSupply, 0);

    // The radius less the distance, cut to a whole number; never across land of another side.
    const struct
    {
        float radius;
        bool enemyBetween;
        int near, edge;
    } cases[] = {{3.0f, true, 2, 0}, {2.0f, false, 1, 0}, {2.5f, false, 1, 0}, {3.0f, false, 2, 1}, {3.5f, false, 2, 1}};
    for (const auto& c : cases)
    {
        game->m_Consts.Mulberry[1] = c.radius;
        // Every hex of the island but the harbour's, its neighbour's and the edge unit's.
        for (int x = 0; x < 5; ++x)
            for (int y = 0; y < 6; ++y)
                if (Hex(x, y).IsLand() && !(x == 2 && (y == 3 || y == 4)) && !(x == 3 && y == 2))
                    Hex(x, y).controller = uint8_t(c.enemyBetween ? kBorussia : kAlbion);
        near->m_Supply = 0;
        edge->m_Supply = 0;
        Calculator().SupplyFromMulberries();
        EXPECT_EQ(near->m_Supply, c.near) << c.radius << " " << c.enemyBetween;
        EXPECT_EQ(edge->m_Supply, c.edge) << c.radius << " " << c.enemyBetween;
    }
    // Up to the top row of the map, three hexes north.
    Hex(2, 0).terrain = 1;
    Hex(2, 0).SetController(kAlbion);
    cJednostkaLadowa* top = AddLandUnit(kAlbion, 2, 0);
    top->m_Supply = 0;
    game->m_Consts.Mulberry[1] = 4.5f;
    Calculator().SupplyFromMulberries();
    EXPECT_EQ(top->m_Supply, 1);
}

TEST_F(Supply, OwnShipsSupplyCoastalUnitsButNeverLowerTheirSupply)
{
    // Next to Dover, on the Channel where Albion's Home Fleet lies (a carrier and a battleship).
    cJednostkaLadowa* unit = AddLandUnit(kAlbion, 3, 2);
    unit->m_Supply = 0;
    Calculator().SupplyFromShips();
    EXPECT_EQ(unit->m_Supply, 1 + 2 - 1);

    unit->m_Supply = 5;
    Calculator().SupplyFromShips();
    EXPECT_EQ(unit->m_Supply, 5);
    unit->m_TurnsWithoutSupply = 1;
    Calculator().SupplyFromShips();
    EXPECT_EQ(unit->m_Supply, 2) << "a unit without a source takes what ships give";
    EXPECT_EQ(unit->m_TurnsWithoutSupply, 0);

    // A computer country's own ships give the ships' maximum.
    Country(kAlbion).HumanControlled = false;
    unit->m_Supply = 0;
    Calculator().SupplyFromShips();
    EXPECT_EQ(unit->m_Supply, 10 - 1);
}

TEST_F(Supply, EachOwnShipAddsAndEachEnemyShipTakesByItsType)
{
    // One Albion ship of the Home Fleet and one Borussian of the High Seas Fleet, both on
    // the Channel; the others belong to Ruthenia, at peace with Albion, and count nothing.
    game->m_Consts.ShipSupplyAdd[0] = 10;
    for (int t = 1; t < 6; ++t)
        game->m_Consts.ShipSupplyAdd[t] = 2 * game->m_Consts.ShipSupplyAdd[t - 1];
    for (int t = 0; t < 6; ++t)
        game->m_Consts.ShipSupplyTake[t] = t + 1;
    game->m_Consts.ShipSupplyThreshold = 400;
    cFlota* home = nullptr;
    cFlota* enemy = nullptr;
    for (cFlota* fleet : game->m_Fleets)
    {
        if (fleet->seaNode == 2)
            home = fleet;
        else if (fleet->ships.size() > 0 && fleet->ships.front()->m_Owner == kBorussia && !enemy)
            enemy = fleet;
        else
            fleet->seaNode = 3; // out of reach
    }
    ASSERT_TRUE(home && enemy);
    enemy->seaNode = 2;
    for (cFlota* fleet : {home, enemy})
        for (cJednostkaMorska* ship : fleet->ships)
            ship->m_Owner = kRuthenia;
    home->ships.front()->m_Owner = kAlbion;
    enemy->ships.front()->m_Owner = kBorussia;
    cJednostkaLadowa* unit = AddLandUnit(kAlbion, 3, 2); // one hex from the Channel's shore
    const struct
    {
        int own, foe, supply;
    } cases[] = {{0, 5, 10 - 6 - 1},   {1, 4, 20 - 5 - 1},   {2, 3, 40 - 4 - 1},
                 {3, 2, 80 - 3 - 1},   {4, 1, 160 - 2 - 1},  {5, 0, 320 - 1 - 1}};
    for (const auto& c : cases)
    {
        home->ships.front()->m_Type = UNIT_CARRIER + c.own;
        enemy->ships.front()->m_Type = UNIT_CARRIER + c.foe;
        unit->m_Supply = 0;
        Calculator().SupplyFromShips();
        EXPECT_EQ(unit->m_Supply, c.supply) << c.own << " " << c.foe;
    }
    // No more than the ships' maximum, less the distance.
    game->m_Consts.ShipSupplyThreshold = 50;
    unit->m_Supply = 0;
    Calculator().SupplyFromShips();
    EXPECT_EQ(unit->m_Supply, 50 - 1);
}

} // namespace
