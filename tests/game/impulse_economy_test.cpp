// A full end of an impulse on Testland: a beaten leader's place passes on, and the supply
// pass reaches the units.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/game/testland_game.h"
#include "world/city.h"

using namespace testland;

namespace {

class ImpulseCountries : public TestlandGame
{
};

TEST_F(ImpulseCountries, ABeatenLeaderSurrendersAndThePersonLearnsWhoLeadsNow)
{
    Country(kHelvetia).Alliance = ALLIANCE_AXIS;
    Hex(11, 3).SetController(kAlbion); // Berolina, Borussia's one victory city left
    for (cMiasto* city : game->m_Cities)
        if (city->GetControllerId() == kBorussia)
            city->VictoryPoints = 0;
    game->EndImpulse(true);

    EXPECT_FALSE(Country(kBorussia).IsActive);
    EXPECT_EQ(game->GetAllianceLeader(ALLIANCE_AXIS), &Country(kHelvetia));
    std::vector<std::wstring> titles;
    for (const sPresentationRequest& r : screen.requests)
        if (r.kind == eRequestKind::Message)
            titles.push_back(r.title);
    const std::vector<std::wstring> told{L"Borussia surrenders to Albion", L"The leader of the Axis is eliminated!"};
    EXPECT_TRUE(std::search(titles.begin(), titles.end(), told.begin(), told.end()) != titles.end());
    EXPECT_EQ(Land(9).m_Supply, game->m_Consts.MaxSupply) << "Ruthenia's rifles in Moskva";
}

} // namespace
