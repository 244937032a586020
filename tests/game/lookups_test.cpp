#include <gtest/gtest.h>

#include "game/gra.h"
#include "world/fleet.h"

namespace {

TEST(Lookups, FindActiveFleetMatchesNodeIdAndActivity)
{
    cGra game(sGameLoadRequest::ForScenario(L"Test"), 0);
    cFlota a, b, c;
    a.ID = 4;
    a.seaNode = 2;
    a.isActive = 0;
    b.ID = 4;
    b.seaNode = 2;
    c.ID = 5;
    c.seaNode = 2;
    game.m_Fleets = {&a, &b, &c};
    EXPECT_EQ(game.FindActiveFleet(2, 4), &b);
    EXPECT_EQ(game.FindActiveFleet(3, 4), nullptr);
    EXPECT_EQ(game.FindActiveFleet(2, 5), &c);
    game.m_Fleets.clear();
}

} // namespace
