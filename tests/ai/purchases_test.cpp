// The computer's purchases, replacements and repairs: points bought at a rising price,
// research never spent on the doctrine, units drawn only from what has a weight and a
// price, and strength bought back up to full at most.
#include <gtest/gtest.h>

#include <limits>

#include <algorithm>

#include "core/random.h"
#include "tests/ai/ai_test_game.h"
#include "tests/test_support.h"
#include "units/naval_unit.h"

namespace ai_tests {
namespace {

class AIPurchases : public cAIGame
{
protected:
    cPanstwo& Borussia() { return *game->m_Countries[kBorussia - 1]; }
};

TEST_F(AIPurchases, AnInvasionPointCostsMoreWithEachOneBoughtUntilProductionRunsShort)
{
    cAI& ai = AIOf(kBorussia);
    game->m_Consts.CapacityPriceBase[2] = 45.0f;
    game->m_Consts.CapacityPricePerUnit[2] = 9.0f;
    cPanstwo& country = Borussia();
    country.PP = 200.0;
    country.AIP = country.AIPMax = 0;
    country.AIParameters.PurchaseQueue = {0};

    sPurchaseChoice choice;
    int bought = 0;
    while (!country.AIParameters.PurchaseQueue.empty() && bought < 10)
    {
        EXPECT_TRUE(ai.ExecutePurchaseQueue(choice));
        ++bought;
    }
    EXPECT_EQ(country.AIPMax, 3);
    EXPECT_EQ(country.AIP, 3);
    EXPECT_DOUBLE_EQ(country.PP, 200.0 - 45.0 - 54.0 - 63.0) << "the fourth, at 72, is too dear";
    EXPECT_TRUE(country.AIParameters.PurchaseQueue.empty());

    // A strategic movement point wanted and free of charge is bought all the same.
    game->m_Consts.CapacityPriceBase[0] = game->m_Consts.CapacityPricePerUnit[0] = 0.0f;
    for (int k = 0; k < 7; ++k)
        country.AIParameters.DesiredTechLevels[k] = 0;
    country.AIParameters.DesiredStrategicMovementPoints = country.SMPMax + 1;
    const int smp = country.SMPMax;
    ai.DecidePurchase(choice);
    EXPECT_EQ(country.AIParameters.PurchaseQueue, std::list<int>{10});
    EXPECT_TRUE(ai.ExecutePurchaseQueue(choice));
    EXPECT_EQ(country.SMPMax, smp + 1);
}

TEST_F(AIPurchases, ResearchIsNeverSpentOnTheDoctrineNorBeyondTheGoal)
{
    cAI& ai = AIOf(kBorussia);
    cPanstwo& country = Borussia();
    for (int k = 0; k < 7; ++k)
    {
        country.AIParameters.DesiredTechLevels[k] = 3;
        country.TechLevel[k] = 3;
        country.TechProgress[k] = 0;
        country.TechInvestment[k] = 0;
    }
    country.TechLevel[TECH_DOCTRINE] = 1;
    EXPECT_EQ(ai.ChooseResearchCategory(), -1) << "only the doctrine lags behind";
    country.TechLevel[TECH_NAVY] = 2;
    game->m_Consts.ResearchLevelPrice[TECH_NAVY] = 0.0f;
    EXPECT_EQ(ai.ChooseResearchCategory(), TECH_NAVY) << "a level for nothing is wanted all the same";
    country.TechInvestment[TECH_NAVY] = 3;
    EXPECT_EQ(ai.ChooseResearchCategory(), -1) << "three investments are enough while progress is below a quarter";
}

TEST_F(AIPurchases, ResearchSavedUpForInAnEarlierTurnIsPaidOnceAffordableOrDroppedWhenNoLongerWanted)
{
    cAI& ai = AIOf(kBorussia);
    cPanstwo& country = Borussia();
    for (int k = 0; k < 7; ++k)
    {
        country.AIParameters.DesiredTechLevels[k] = 1;
        country.TechLevel[k] = 1;
        country.TechInvestment[k] = 0;
    }
    country.AIParameters.DesiredTechLevels[TECH_NAVY] = 2;
    game->m_Consts.ResearchLevelPrice[TECH_NAVY] = 40.0f;
    country.AIParameters.DesiredStrategicMovementPoints = 0;
    ai.BuildUnitLists();

    // Too dear this turn: the research waits in the queue.
    country.PP = 30.0;
    ai.PurchaseUnits();
    ASSERT_EQ(country.AIParameters.PurchaseQueue, std::list<int>{4});
    // A later turn pays it and goes on buying.
    country.PP = 500.0;
    const size_t before = game->m_Reserve.size() + game->m_NavalReserve.size();
    ai.PurchaseUnits();
    EXPECT_EQ(country.TechInvestment[TECH_NAVY], 3) << "three investments while progress is below a quarter";
    EXPECT_GT(game->m_Reserve.size() + game->m_NavalReserve.size(), before) << "and the purchases went on";

    // A saved research entry that no field wants any more gives way to other purchases.
    country.TechInvestment[TECH_NAVY] = 0;
    country.TechLevel[TECH_NAVY] = 2;
    country.AIParameters.PurchaseQueue = {4};
    const size_t reserve = game->m_Reserve.size() + game->m_NavalReserve.size();
    country.PP = 500.0;
    ai.PurchaseUnits();
    EXPECT_GT(game->m_Reserve.size() + game->m_NavalReserve.size(), reserve);
    EXPECT_EQ(country.TechInvestment[TECH_NAVY], 0);
}

TEST_F(AIPurchases, UnitsAreDrawnOnlyFromCategoriesWithAWeightAndAPrice)
{
    cAI& ai = AIOf(kBorussia);
    int* weights = Borussia().AIParameters.NewUnitPurchasePreferences;
    std::fill(weights, weights + 14, 0);
    testing_support::ClearLog();
    EXPECT_EQ(ai.ChooseUnitCategory(), -1) << "no weight at all: nothing is bought, and the game goes on";
    EXPECT_TRUE(testing_support::LogStartsWith(L"[AI]: Borussia - no unit can be bought"));

    weights[3] = 5;
    weights[11] = -4;
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(ai.ChooseUnitCategory(), 3);
    game->m_Consts.LandPurchaseCost[3] = 0.0f;
    weights[0] = 1;
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(ai.ChooseUnitCategory(), 0) << "a unit without a price is not for sale";
    // Weights as large as a number can be (a damaged table) are shares all the same.
    weights[0] = weights[1] = std::numeric_limits<int>::max();
    for (int i = 0; i < 5; ++i) {
        const int category = ai.ChooseUnitCategory();
        EXPECT_TRUE(category == 0 || category == 1) << category;
    }
}

// A category drawn is queued with its unit type and its price: a land unit's cost per strength
// point times its strength at level 1, an air unit's full strength times its cost per point,
// a ship's price.
TEST_F(AIPurchases, ADrawnCategoryIsQueuedWithItsTypeAndPrice)
{
    cAI& ai = AIOf(kBorussia);
    cPanstwo& country = Borussia();
    sGameConsts& k = game->m_Consts;
    for (int i = 0; i < 7; ++i) {
        k.LandPurchaseCost[i] = float(i + 1);
        k.LandCombatStrength[0][i] = 2.0f;
        country.AIParameters.DesiredTechLevels[i] = 0;
    }
    for (int i = 0; i < 3; ++i) {
        k.AirFullStrength[i] = 10 + i;
        k.AirPurchaseCost[i] = 0.5f;
    }
    for (int i = 0; i < 4; ++i)
        k.ShipPrice[i] = float(100 + i);
    country.AIParameters.DesiredStrategicMovementPoints = 0;
    const struct
    {
        int category, code, type;
        float price;
    } cases[] = {{0, 5, 0, 2.0f},    {6, 5, 6, 14.0f},     {7, 6, 20, 5.0f},
                 {9, 6, 22, 6.0f},   {10, 7, 40, 100.0f},  {13, 7, 43, 103.0f}};
    for (const auto& c : cases) {
        int* weights = country.AIParameters.NewUnitPurchasePreferences;
        std::fill(weights, weights + 14, 0);
        weights[c.category] = 1;
        auto& data = country.AIParameters.NewUnitPurchaseData;
        data = {};
        country.AIParameters.PurchaseQueue.clear();
        sPurchaseChoice choice;
        ai.DecidePurchase(choice);
        EXPECT_EQ(country.AIParameters.PurchaseQueue, std::list<int>{c.code}) << c.category;
        const int type = c.code == 5 ? data.i1 : c.code == 6 ? data.i2 : data.i3;
        const float price = c.code == 5 ? data.f1 : c.code == 6 ? data.f2 : data.f3;
        EXPECT_EQ(type, c.type) << c.category;
        EXPECT_EQ(price, c.price) << c.category;
    }
}

TEST_F(AIPurchases, ABoughtUnitWaitsInTheReserveAndAnEntryWithoutAPriceIsDropped)
{
    cAI& ai = AIOf(kBorussia);
    cPanstwo& country = Borussia();
    country.PP = 100.0;
    country.AIParameters.NewUnitPurchaseData = {UNIT_MECHANIZED, 30.0f, 99, -1.0f, UNIT_SUBMARINE, 50.0f};
    country.AIParameters.PurchaseQueue = {6, 5};
    const size_t reserve = game->m_Reserve.size();

    sPurchaseChoice choice;
    testing_support::ClearLog();
    EXPECT_TRUE(ai.ExecutePurchaseQueue(choice));
    EXPECT_FALSE(testing_support::LogStartsWith(L"[AI]: Borussia - bought")) << "a purchase writes no line of its own";
    EXPECT_EQ(country.AIParameters.PurchaseQueue, std::list<int>{}) << "the priceless air unit went, the unit was bought";
    ASSERT_EQ(game->m_Reserve.size(), reserve + 1);
    const auto* unit = dynamic_cast<const cJednostkaLadowa*>(game->m_Reserve.back());
    ASSERT_NE(unit, nullptr);
    EXPECT_EQ(unit->m_Owner, kBorussia);
    EXPECT_EQ(unit->m_Type, UNIT_MECHANIZED);
    EXPECT_EQ(unit->m_Strength, 100);
    EXPECT_FALSE(unit->IsOnMap());
    EXPECT_DOUBLE_EQ(country.PP, 70.0);

    country.AIParameters.NewUnitPurchaseData.f3 = 80.0f;
    country.AIParameters.PurchaseQueue = {7};
    EXPECT_FALSE(ai.ExecutePurchaseQueue(choice));
    EXPECT_EQ(country.AIParameters.PurchaseQueue, std::list<int>{7}) << "a submarine too dear is saved up for";
}

TEST_F(AIPurchases, LandUnitsAreFilledUpToFullStrengthAtMostAndShipsMendByChance)
{
    cAI& ai = AIOf(kBorussia);
    cPanstwo& country = Borussia();
    country.PP = 1000.0;
    cJednostkaLadowa* unit = LandUnit(5);
    unit->m_Strength = 95;
    unit->m_Supply = game->m_Consts.MaxSupply;
    unit->m_TurnsWithoutSupply = 0;
    unit->m_ActionPoints = unit->m_StartingActionPoints = 4;
    ai.BuildUnitLists();
    testing_support::ClearLog();
    ai.BuyLandReplacements(0.98f);
    EXPECT_EQ(unit->m_Strength, 100);
    EXPECT_FALSE(testing_support::LogStartsWith(L"[AI]: Borussia - Replacements for")) << "the line is for a watcher";
    EXPECT_EQ(unit->m_ActionPoints, 0);
    EXPECT_LT(country.PP, 1000.0);

    cJednostkaMorska* ship = game->FindNavalUnitById(5);
    ASSERT_NE(ship, nullptr);
    ASSERT_EQ(ship->m_HP, 3);
    game->m_Consts.AIShipRepairChance = 0.1f;
    ScriptRandomRaw({32767});
    ai.RepairShips();
    EXPECT_EQ(ship->m_HP, 3) << "a draw of 1.0 is above the chance";
    ScriptRandomRaw({0});
    ai.RepairShips();
    EXPECT_EQ(ship->m_HP, 4);
    ClearRandomScript();
}

} // namespace
} // namespace ai_tests
