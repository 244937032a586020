// Supply on Testland: city groups, each unit's source, peace-time supply, Mulberry
// harbours and ships.
#include "game/play_state.h"
#include "tests/game/testland_game.h"
#include "tests/test_support.h"
#include "units/air_unit.h"
#include "world/city.h"
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

    // At war, the unit on its supply city draws the maximum from it.
    SetWar(kHelvetia, kBorussia, true);
    Calculator().CalculateSupply();
    EXPECT_EQ(alpine->m_Supply, 10);
    EXPECT_EQ(alpine->m_SupplySourceX, 10);
    EXPECT_EQ(alpine->m_SupplySourceY, 8);
    ASSERT_NE(game->m_StrategicMoves->GetGroups(kHelvetia), nullptr);
    EXPECT_EQ(game->m_StrategicMoves->GetGroups(kHelvetia)->size(), 1u);
}

TEST_F(Supply, AUnitDrawsFromItsNearestCityLessThePathCost)
{
    Calculator().CalculateSupply();
    cJednostkaLadowa* panzer = game->FindLandUnitById(4); // on Berolina, a supply city
    EXPECT_EQ(panzer->m_Supply, 30);
    EXPECT_EQ(panzer->m_SupplySourceX, 11);
    cJednostkaLadowa* mech = game->FindLandUnitById(8); // next to Hamburgum, a port of Berolina's group
    EXPECT_EQ(mech->m_Supply, 30 - 2);
    EXPECT_EQ(mech->m_SupplySourceX, 8);
    EXPECT_EQ(mech->m_SupplySourceY, 2);
    EXPECT_EQ(CityAt(8, 2)->SupplyByCountry[kBorussia - 1], 30);
    EXPECT_EQ(CityAt(10, 6)->SupplyByCountry[kBorussia - 1], 0) << "a resources city belongs to no group";
    EXPECT_EQ(CityAt(17, 4)->SupplyByCountry[kBorussia - 1], 0) << "Moskva is no Axis city";
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

} // namespace
