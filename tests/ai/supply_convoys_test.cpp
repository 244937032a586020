// The computer's supply convoys: only a supply convoy is given up each turn, and a port
// cut off from every supply source gets one from a supplied port.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/ai/ai_test_game.h"
#include "tests/test_support.h"
#include "world/topography.h"
#include "world/convoys.h"

namespace ai_tests {
namespace {

class AISupplyConvoys : public cAIGame
{
protected:
    std::vector<sKonwoj>& Convoys(int owner) { return *game->m_Convoys->OwnerConvoys(owner); }
    int Count(int owner, eConvoyType type, const cMiasto* to)
    {
        const auto& list = Convoys(owner);
        return int(std::count_if(list.begin(), list.end(),
                                 [&](const sKonwoj& c) { return c.type == type && c.destination == to; }));
    }
};

TEST_F(AISupplyConvoys, AProductionConvoyIsKeptAndTheCutOffPortIsSuppliedAgain)
{
    cAI& ai = AIOf(kAlbion);
    std::vector<sKonwoj>& convoys = Convoys(kAlbion);
    ASSERT_EQ(convoys.size(), 2u);
    std::swap(convoys[0], convoys[1]);  // the production convoy first
    ASSERT_EQ(convoys[0].type, CONVOY_PP);
    City(L"Valdo")->SupplyByCountry[kAlbion - 1] = 0;

    std::vector<cMiasto*> supplied;
    ai.CollectSuppliedPorts(supplied);
    EXPECT_EQ(supplied, std::vector<cMiasto*>{City(L"Dover")});

    testing_support::ClearLog();
    ai.PlanSupplyConvoys();
    EXPECT_EQ(Count(kAlbion, CONVOY_PP, City(L"Dover")), 1) << "a production convoy belongs to the scenario";
    EXPECT_FALSE(testing_support::LogStartsWith(L"[AI]: Albion - supply convoy")) << "the phase writes no line of its own";
    EXPECT_EQ(Count(kAlbion, CONVOY_SUPPLIES, City(L"Valdo")), 1) << "the old supply convoy went, a new one came";
    EXPECT_EQ(Convoys(kAlbion).back().departure, City(L"Dover"));
}

TEST_F(AISupplyConvoys, AMemberDrawsOnItsLeadersSupplyCitiesButATakenOneSuppliesNobody)
{
    std::vector<cMiasto*> supplied;
    AIOf(kValdonia).CollectSuppliedPorts(supplied);
    EXPECT_EQ(supplied, (std::vector<cMiasto*>{City(L"Dover"), City(L"Valdo")})) << "Albion leads Valdonia's side";

    auto take = [&](const wchar_t* name, int by) { Map().GetHex(City(name)->X, City(name)->Y)->controller = by; };
    take(L"Berolina", kValdonia);
    take(L"Hamburgum", kValdonia);
    game->m_StrategicMoves->SetCountryTopography(kValdonia, {{City(L"Berolina"), City(L"Hamburgum")}});
    AIOf(kValdonia).CollectSuppliedPorts(supplied);
    EXPECT_TRUE(supplied.empty()) << "Berolina is still Borussia's";

    // A leader takes only its own: Londinium does not feed the Dover Borussia holds, Berolina feeds Valdo.
    take(L"Berolina", kBorussia);
    for (const wchar_t* name : {L"Londinium", L"Dover", L"Valdo"})
        take(name, kBorussia);
    game->m_StrategicMoves->SetCountryTopography(
        kBorussia, {{City(L"Londinium"), City(L"Dover")}, {City(L"Berolina"), City(L"Valdo")}});
    AIOf(kBorussia).CollectSuppliedPorts(supplied);
    EXPECT_EQ(supplied, std::vector<cMiasto*>{City(L"Valdo")});

    cAI idle;  // no country yet: no ports, no target, no convoy given up
    idle.CollectSuppliedPorts(supplied);
    EXPECT_TRUE(supplied.empty());
    EXPECT_EQ(idle.FindConvoyTarget({City(L"Dover")}), nullptr);
    idle.PlanSupplyConvoys();
    EXPECT_EQ(Convoys(kAlbion).size(), 2u);
}

TEST_F(AISupplyConvoys, APortWithFullSupplyNeedsNoConvoy)
{
    cAI& ai = AIOf(kAlbion);
    City(L"Valdo")->SupplyByCountry[kAlbion - 1] = game->m_Consts.MaxSupply;
    ai.PlanSupplyConvoys();
    EXPECT_EQ(Count(kAlbion, CONVOY_SUPPLIES, City(L"Valdo")), 0);
}

} // namespace
} // namespace ai_tests
