// The hint of a sea node shows the rows of ships its viewer may know of.
#include <gtest/gtest.h>

#include "shell/skin_atlas.h"
#include "tests/units/unit_test_game.h"

namespace {

TEST(SeaNodeHint, ASeaZoneShowsThreeRowsAPortItsSideTwoAndAnyoneElseOne)
{
    unit_tests::cTestGame game(6, 5, 3, 2);
    game.Country(1).Alliance = ALLIANCE_ALLIES;
    game.Country(2).Alliance = ALLIANCE_ALLIES;
    game.Country(3).Alliance = ALLIANCE_NEUTRAL;
    sWezelGrafuMorz& sea = game.seaGraph.Nodes[0];
    sWezelGrafuMorz& port = game.seaGraph.Nodes[1];
    port.Kind = SEA_NODE_PORT;
    port.SizeMax = port.SizeCurrent = 3;
    port.MainX = 2;
    port.MainY = 2;
    game.Hex(2, 2).controller = 1;
    auto rows = [](const sWezelGrafuMorz& node) {
        int w = 0, h = 0;
        node.GetHintSize(w, h);
        EXPECT_EQ(w, skin_atlas::kInfoWidth);
        for (int n = 1; n <= 3; ++n)
            if (h == skin_atlas::InfoHintHeight(n))
                return n;
        return 0;
    };
    game.seaGraph.ViewingCountry = 2;
    EXPECT_EQ(rows(sea), 3);
    EXPECT_EQ(rows(port), 2);
    game.seaGraph.ViewingCountry = 3;
    EXPECT_EQ(rows(port), 1);
    game.Hex(2, 2).controller = 0;
    game.seaGraph.ViewingCountry = 1;
    EXPECT_EQ(rows(port), 1);
}

} // namespace
