// The computer's purchases, replacements and repairs: points bought at a rising price,
// research never spent on the doctrine, units drawn only from what has a weight and a
// price, and strength bought back up to full at most.
#include <gtest/gtest.h>

#include <limits>

#include <algorithm>

#include "core/random.h"
#include "tests/ai/ai_test_game.h"
#include "tests/test_support.h"
#include "units/air_unit.h"
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
    country.TechLevel[TECH_ARTILLERY] = 2;
    game->m_Consts.MaxTechLevel[TECH_ARTILLERY] = 5;
    EXPECT_EQ(ai.ChooseResearchCategory(), TECH_ARTILLERY) << "the first field";
    game->m_Consts.MaxTechLevel[TECH_ARTILLERY] = 2;
    EXPECT_EQ(ai.ChooseResearchCategory(), -1) << "a field at its highest level";
}

// Below a quarter of a level's points up to three investments go in, below a half two,
// below three quarters one, and none after.
TEST_F(AIPurchases, ResearchInvestmentsDwindleAsTheLevelsProgressGrows)
{
    cAI& ai = AIOf(kBorussia);
    cPanstwo& country = Borussia();
    for (int k = 0; k < 7; ++k)
        country.AIParameters.DesiredTechLevels[k] = country.TechLevel[k] = 1;
    country.AIParameters.DesiredTechLevels[TECH_NAVY] = 2;
    game->m_Consts.MaxTechLevel[TECH_NAVY] = 5;
    game->m_Consts.ResearchPointsPerLevel[TECH_NAVY] = 100;
    const struct
    {
        int progress, invested;
        bool chosen;
    } cases[] = {{24, 2, true}, {25, 1, true}, {25, 2, false}, {50, 0, true}, {50, 1, false}, {75, 0, false}};
    for (const auto& c : cases)
    {
        country.TechProgress[TECH_NAVY] = c.progress;
        country.TechInvestment[TECH_NAVY] = c.invested;
        EXPECT_EQ(ai.ChooseResearchCategory(), c.chosen ? TECH_NAVY : -1) << c.progress << " " << c.invested;
    }
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

// Armour rises first, when its action points are whole and not none; then the level whose
// share of the other units lies furthest below the wished-for structure, highest first.
TEST_F(AIPurchases, ALevelUpGoesToArmourFirstThenToTheLevelShortOfTheWishedForStructure)
{
    cAI& ai = AIOf(kBorussia);
    cPanstwo& country = Borussia();
    country.PP = 10000.0;
    country.TechLevel[TECH_AIRCRAFT] = 1; // no wing can rise
    country.TechLevel[TECH_TANKS] = 5;
    country.AIParameters.PurchaseQueue.clear();
    cJednostkaLadowa& panzer = *LandUnit(4);
    panzer.m_ActionPoints = panzer.m_StartingActionPoints = 0;
    LandUnit(7)->m_ActionPoints = 0; // the armoured corps has moved
    ai.BuildUnitLists();
    EXPECT_EQ(ai.FindArmourToLevelUp(), nullptr) << "no action points to give up";
    panzer.m_ActionPoints = panzer.m_StartingActionPoints = 1;
    sPurchaseChoice choice;
    ai.DecidePurchase(choice);
    EXPECT_EQ(country.AIParameters.PurchaseQueue, std::list<int>{3});
    EXPECT_EQ(choice.landUnitId, panzer.m_Id);

    // The motorised (5), the paratroops (6) and the mechanised corps (8) at levels 1, 2, 2.
    LandUnit(5)->m_Level = 1;
    country.TechLevel[TECH_ARTILLERY] = 3;
    int* weights = country.AIParameters.DesiredLandForcesStructure;
    const float price = game->m_Consts.LandPurchaseCost[UNIT_MECHANIZED];
    const struct
    {
        int w1, w2;
        float price;
        int expected;
    } cases[] = {
        {1, 1, price, 5}, // level 1 wants a half and holds a third
        {1, 2, price, 0}, // the structure is met, a third and two thirds
        {1, 1, 0.0f, 0},  // a level-up for nothing is one the motorised cannot rise to
    };
    for (const auto& c : cases)
    {
        std::fill(weights, weights + 5, 0);
        weights[0] = c.w1;
        weights[1] = c.w2;
        game->m_Consts.LandPurchaseCost[UNIT_MECHANIZED] = c.price;
        const cJednostkaLadowa* unit = ai.FindLandUnitToLevelUp();
        EXPECT_EQ(unit ? unit->m_Id : 0, c.expected) << c.w1 << ":" << c.w2;
    }
}

// An air strength point costs the type's rate raised by the surcharge for each level
// above the first: 2 PP at level 3 plus 2 x 50 %, 4 PP. Only a wing that has not acted
// yet takes replacements.
TEST_F(AIPurchases, AWingIsReinforcedAtItsLevelsPriceWithTheProductionThereIs)
{
    cAI& ai = AIOf(kBorussia);
    cPanstwo& country = Borussia();
    sGameConsts& k = game->m_Consts;
    k.AirFullStrength[1] = k.AirFullStrength[2] = 10;
    k.AirReplacementCost[1] = k.AirReplacementCost[2] = 2.0f;
    k.AirLevelSurcharge = 50;
    std::fill(std::begin(k.AirReplacementMax), std::end(k.AirReplacementMax), 8);
    cJednostkaLotnicza& bombers = *game->FindAirUnitById(2);
    cJednostkaLotnicza& longRange = *game->FindAirUnitById(3);
    bombers.m_Level = 3;
    bombers.m_Strength = 5;
    longRange.m_Strength = 4;
    longRange.m_ActionPoints = longRange.m_StartingActionPoints - 1;
    country.PP = 10.0;
    ai.BuildUnitLists();
    ai.BuyAirReplacements(0.5f);
    EXPECT_EQ(bombers.m_Strength, 7);
    EXPECT_EQ(bombers.m_ActionPoints, 0);
    EXPECT_DOUBLE_EQ(country.PP, 2.0);
    EXPECT_EQ(longRange.m_Strength, 4) << "it has flown this turn";

    // The weakest wing first by level and strength: the long-range wing (2 + 4) takes three
    // points at 3 PP, and nothing is left for the bombers (3 + 5).
    longRange.m_ActionPoints = longRange.m_StartingActionPoints;
    bombers.m_ActionPoints = bombers.m_StartingActionPoints;
    bombers.m_Strength = 5;
    country.PP = 9.0;
    ai.BuyAirReplacements(0.5f);
    EXPECT_EQ(longRange.m_Strength, 7);
    EXPECT_EQ(bombers.m_Strength, 5);
}

// A strength point costs the full strength's value times the type's rate, raised by the
// surcharge for each level above the first: here 10 x 20 % = 2, at level 2 plus 50 %, 3 PP.
TEST_F(AIPurchases, LandUnitsAreFilledUpToFullStrengthAtMostAndShipsMendByChance)
{
    cAI& ai = AIOf(kBorussia);
    cPanstwo& country = Borussia();
    sGameConsts& k = game->m_Consts;
    k.LandCombatStrength[1][2] = 10.0f;
    k.LandReplacementCost[2] = 20.0f;
    k.LandLevelSurcharge = 50;
    std::fill(std::begin(k.LandReplacementMax), std::end(k.LandReplacementMax), 50);
    country.PP = 1000.0;
    cJednostkaLadowa* unit = LandUnit(5);
    ASSERT_EQ(unit->m_Level, 2);
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
    EXPECT_DOUBLE_EQ(country.PP, 1000.0 - 5 * 3.0);
    // Ten PP buy three whole points.
    unit->m_Strength = 95;
    unit->m_ActionPoints = 4;
    country.PP = 10.0;
    ai.BuyLandReplacements(0.98f);
    EXPECT_EQ(unit->m_Strength, 98);
    EXPECT_DOUBLE_EQ(country.PP, 1.0);
    // At the threshold a unit takes none; at level 3 a point costs 2 plus 2 x 50 %, 4 PP; a
    // point of no price is never bought.
    k.LandCombatStrength[2][2] = 10.0f;
    const struct
    {
        int level, strength;
        float rate;
        int strengthAfter;
        double ppAfter;
    } rows[] = {{2, 98, 20.0f, 98, 10.0}, {3, 95, 20.0f, 97, 2.0}, {2, 95, 0.0f, 95, 10.0}};
    for (const auto& r : rows) {
        unit->m_Level = r.level;
        unit->m_Strength = r.strength;
        unit->m_ActionPoints = 4;
        k.LandReplacementCost[2] = r.rate;
        country.PP = 10.0;
        ai.BuyLandReplacements(0.98f);
        EXPECT_EQ(unit->m_Strength, r.strengthAfter) << r.level << " " << r.strength << " " << r.rate;
        EXPECT_DOUBLE_EQ(country.PP, r.ppAfter) << r.level << " " << r.strength << " " << r.rate;
    }

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
