// Services of the game for scripted effects on Testland: the events effect of units.
#include "tests/game/testland_game.h"

using namespace testland;

namespace {

class CountryServices : public testland::TestlandGame
{
};

TEST_F(CountryServices, EventsEffectReachesTheSidesUnitsOnTheGroundOrInTheArea)
{
    cJednostkaLadowa* guards = game->FindLandUnitById(1);  // Albion's, in London
    cJednostkaLadowa* valdo = game->FindLandUnitById(12);  // Valdonia's, at home
    cJednostkaLadowa* panzer = game->FindLandUnitById(4);  // Borussia's
    cJednostkaLadowa* alpine = game->FindLandUnitById(11); // neutral Helvetia's
    // Albion once was Valdonian at (1, 4): an Allied unit there, and one of the Axis.
    cJednostkaLadowa* onOldValdonia = AddLandUnit(1, 1, 4);

    ChangeEffectivenessOfCountryUnits(5, 2, 10); // the Allies on ground first Valdonian
    EXPECT_EQ(valdo->m_EventsEffect, 10);
    EXPECT_EQ(onOldValdonia->m_EventsEffect, 10);
    EXPECT_EQ(guards->m_EventsEffect, 0);

    ChangeEffectivenessInArea(9, 2, 12, 8, 1, -5); // the Axis in Borussia's west
    EXPECT_EQ(panzer->m_EventsEffect, -5);
    EXPECT_EQ(alpine->m_EventsEffect, 0) << "a neutral's unit in the area";
    ChangeEffectivenessInArea(10, 8, 10, 8, 4, 3); // the neutrals, on one hex
    EXPECT_EQ(alpine->m_EventsEffect, 3);
}

} // namespace
