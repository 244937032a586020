// The computer's air war: who flies and who stays home, strikes repeated while action
// points last, an attacker killed leaving the game, and the city strategic bombers pick.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/random.h"
#include "core/settings.h"
#include "game/play_counts.h"
#include "tests/ai/ai_test_game.h"
#include "tests/test_support.h"
#include "units/air_unit.h"
#include "units/naval_unit.h"
#include "world/fleet.h"
#include "world/relations.h"
#include "world/sea_graph.h"

namespace ai_tests {
namespace {

// The raw random value that makes a die show the value.
int Die(int value)
{
    return int(((long long)(value - 1) * 32768 + 5) / 6);
}

class AIAirWar : public cAIGame
{
protected:
    AIAirWar()
    {
        game->m_Countries[kAlbion - 1]->HumanControlled = false;
        g_PlayCounts.Reset();
    }
    ~AIAirWar() override { ClearRandomScript(); }
    cJednostkaLotnicza* Air(int id) { return game->FindAirUnitById(id); }
    // Albion's fighter leaves the sky over the continent.
    void GroundAlbionsFighter() { Air(1)->MoveToReservePool(); }
    cJednostkaLotnicza* AddFighter(int owner, int x, int y, int strength)
    {
        auto* unit = new cJednostkaLotnicza();
        unit->m_Owner = owner;
        unit->SetType(UNIT_FIGHTER);
        unit->m_Strength = strength;
        unit->m_Supply = game->m_Consts.MaxSupply;
        unit->m_ActionPoints = unit->m_StartingActionPoints = 3;
        game->m_AirUnits.push_back(unit);
        unit->SetPosition(x, y);
        return unit;
    }
};

TEST_F(AIAirWar, AFighterBelowStrengthTwoStaysOnTheGround)
{
    cJednostkaLotnicza* fighter = AddFighter(kBorussia, 9, 3, 1);
    cAI& ai = AIOf(kBorussia);
    ai.BuildUnitLists();
    EXPECT_FALSE(ai.FightAirUnitsOfType(UNIT_FIGHTER));
    fighter->m_Strength = 10;
    fighter->m_ActionPoints = 0;
    EXPECT_FALSE(ai.FightAirUnitsOfType(UNIT_FIGHTER)) << "no action points";
    EXPECT_EQ(g_PlayCounts.airStrikes.load(), 0);

    // At strength 2 it flies; a fight of computers is shown to nobody, not even to Ruthenia's
    // person at peace far away, though another side spotted the fighters.
    fighter->m_Strength = 2;
    fighter->m_ActionPoints = 3;
    fighter->m_Spotted = Air(1)->m_Spotted = true;
    game->m_Countries[kRuthenia - 1]->HumanControlled = true;
    g_UserSettings.fogOfWar = 5;
    testing_support::ClearLog();
    ScriptRandomRaw({Die(1)});  // column -4: neither side loses
    ai.FightAirUnitsOfType(UNIT_FIGHTER);
    EXPECT_EQ(g_PlayCounts.airStrikes.load(), 1);
    EXPECT_EQ(testing_support::CountLogLinesStartingWith(L"CenterAtHex"), 0);
    EXPECT_EQ(screen.PostedOf(eRequestKind::CombatResult), 0);
    game->m_Countries[kRuthenia - 1]->HumanControlled = false;
    g_UserSettings.fogOfWar = 0;
    fighter->m_Spotted = Air(1)->m_Spotted = false;

    // Albion's person is shown the fight on his unseen fighter's hex, and the mark goes after it.
    game->m_Countries[kAlbion - 1]->HumanControlled = true;
    const sHex* hex = Map().GetHex(Air(1)->m_X, Air(1)->m_Y);
    ScriptRandomRaw({Die(1)});
    ai.FightAirUnitsOfType(UNIT_FIGHTER);
    EXPECT_EQ(g_PlayCounts.airStrikes.load(), 2) << "Albion's fighter is in range";
    EXPECT_EQ(testing_support::CountLogLinesStartingWith(L"CenterAtHex"), 1);
    EXPECT_EQ(fighter->m_ActionPoints, 1);
    EXPECT_EQ(hex->marks & MARK_ATTACK_TARGET, 0u);
}

TEST_F(AIAirWar, ATacticalBomberStrikesOncePerActionPoint)
{
    GroundAlbionsFighter();
    cJednostkaLadowa* target = LandUnit(12);  // Valdonia's, the only enemy in range
    target->m_Strength = 100;
    target->m_Efficiency = 100;
    cJednostkaLotnicza* bomber = Air(2);
    bomber->m_ActionPoints = 3;
    // Valdonia's player sees his unit struck, though the Axis moves are not shown to him.
    g_UserSettings.showAlliesActions = false;
    game->m_Countries[kValdonia - 1]->HumanControlled = true;
    target->m_Spotted = true;
    cAI& ai = AIOf(kBorussia);
    ai.BuildUnitLists();
    ScriptRandomRaw({Die(1), Die(1), Die(1), Die(1), Die(1), Die(1)});
    ai.PlanAirStrikes();
    EXPECT_EQ(g_PlayCounts.airStrikes.load(), 3);
    EXPECT_EQ(bomber->m_ActionPoints, 0);
    EXPECT_LT(target->m_Strength, 100);
    EXPECT_EQ(screen.PostedOf(eRequestKind::CombatResult), 3);
    g_UserSettings.showAlliesActions = true;
}

// The strike goes to the strongest enemy in range not worn below half of its base value
// (effective strength: base x strength %), the first of equals; Albion's guards come first.
TEST_F(AIAirWar, ATacticalBomberStrikesTheStrongestEnemyNotWornBelowHalfItsBase)
{
    GroundAlbionsFighter();
    cJednostkaLadowa* guards = LandUnit(1);  // level 2 infantry: base 4.0
    guards->SetPosition(8, 6);
    cJednostkaLadowa* valdo = LandUnit(12);
    cAI& ai = AIOf(kBorussia);
    ai.BuildUnitLists();
    struct sCase
    {
        int guardsStrength, valdoLevel, valdoStrength;
        const wchar_t* struck;
    };
    for (const sCase& c : {sCase{50, 1, 100, L"1st Guards"},      // 2.0 and 2.0
                           sCase{49, 1, 100, L"Valdo Infantry"},  // 1.96 is below 2.0
                           sCase{60, 3, 45, L"1st Guards"}})      // 2.7 beats 2.4 but is below 3.0
    {
        guards->m_Strength = c.guardsStrength;
        valdo->m_Level = c.valdoLevel;
        valdo->m_Strength = c.valdoStrength;
        guards->m_Efficiency = valdo->m_Efficiency = 100;
        Air(2)->m_ActionPoints = 1;
        testing_support::ClearLog();
        g_PlayCounts.Reset();
        ScriptRandomRaw({Die(1), Die(1)});
        ai.PlanAirStrikes();
        EXPECT_EQ(g_PlayCounts.airStrikes.load(), 1);
        EXPECT_EQ(testing_support::CountLogLinesStartingWith(std::wstring(c.struck) + L" is bombed by"), 1)
            << c.guardsStrength << " against " << c.valdoStrength;
    }
}

TEST_F(AIAirWar, ABomberShotDownByAnInterceptorLeavesTheGame)
{
    cJednostkaLotnicza* fighter = Air(1);
    fighter->m_Level = 1;
    cJednostkaLotnicza* bomber = Air(2);
    bomber->m_Strength = 4;
    bomber->m_Level = 1;
    bomber->m_ActionPoints = 1;
    LandUnit(12)->m_Strength = 100;
    LandUnit(12)->m_Efficiency = 100;
    cAI& ai = AIOf(kBorussia);
    ai.BuildUnitLists();
    ScriptRandomRaw({Die(5)});  // the bomber loses 4, the fighter 8
    ai.PlanAirStrikes();
    EXPECT_EQ(Air(2), nullptr);
    EXPECT_TRUE(std::none_of(ai.m_OwnAirUnits.begin(), ai.m_OwnAirUnits.end(),
                             [](const cJednostkaLotnicza* u) { return u->m_Id == 2; }));
    EXPECT_EQ(fighter->m_Strength, 2);
    EXPECT_EQ(LandUnit(12)->m_Strength, 100) << "the strike never came";
}

// A fall on either side sends the walk back to the first bomber, which strikes again.
TEST_F(AIAirWar, AnInterceptorShotDownLeavesTheBomberFreeToStrikeAgain)
{
    Air(1)->m_Level = 5;
    Air(1)->m_Strength = 10;
    cJednostkaLotnicza* bomber = Air(2);
    bomber->m_Strength = 10;
    bomber->m_Level = 1;
    bomber->m_ActionPoints = 2;
    LandUnit(12)->m_Strength = 100;
    LandUnit(12)->m_Efficiency = 100;
    cAI& ai = AIOf(kBorussia);
    ai.BuildUnitLists();
    ScriptRandomRaw({Die(6), Die(1), Die(1), Die(1), Die(1)});  // the fighter loses its 10, the bomber 5
    ai.PlanAirStrikes();
    EXPECT_EQ(Air(1), nullptr);
    EXPECT_EQ(g_PlayCounts.airStrikes.load(), 2);
    EXPECT_EQ(bomber->m_ActionPoints, 0);
}

TEST_F(AIAirWar, AStrategicBomberBelowHalfStrengthStaysHomeAndAtHalfItHitsTheEarlierOfTwoEqualCities)
{
    GroundAlbionsFighter();
    game->m_Consts.AirFullStrength[2] = 10;
    for (cMiasto* city : game->m_Cities)
        city->ProductionPoints = 0.0f;
    City(L"Dover")->ProductionPoints = 20.0f;
    City(L"Valdo")->ProductionPoints = 20.0f;
    cJednostkaLotnicza* bomber = Air(3);
    bomber->m_Strength = 4;
    cAI& ai = AIOf(kBorussia);
    ai.BuildUnitLists();
    ai.BombEnemyCities();
    EXPECT_EQ(g_PlayCounts.airStrikes.load(), 0);

    bomber->m_Strength = 5;
    ScriptRandomRaw({Die(6), Die(1)});
    ai.BombEnemyCities();
    EXPECT_EQ(g_PlayCounts.airStrikes.load(), 1);
    EXPECT_GT(City(L"Dover")->ProductionPointsLost, 0);
    EXPECT_EQ(City(L"Valdo")->ProductionPointsLost, 0);

    // Shot down over its city: it leaves the game once the walk over the bombers is done.
    ScriptRandomRaw({Die(6), Die(6)});
    ai.BombEnemyCities();
    EXPECT_EQ(Air(3), nullptr);
    EXPECT_TRUE(std::none_of(ai.m_OwnAirUnits.begin(), ai.m_OwnAirUnits.end(),
                             [](const cJednostkaLotnicza* u) { return u->m_Id == 3; }));
}

// It flies on its last action point, never against an own city however rich, and the result
// goes to the defender's person or e-mail player, not to a person watching from elsewhere.
TEST_F(AIAirWar, AStrategicBomberOnItsLastActionPointHitsTheRichestEnemyCityShownOnlyToItsPlayer)
{
    GroundAlbionsFighter();
    for (cMiasto* city : game->m_Cities)
        city->ProductionPoints = 0.0f;
    City(L"Berolina")->ProductionPoints = 15.0f;  // Borussia's own, next to the bomber
    game->m_Countries[kRuthenia - 1]->HumanControlled = true;
    cJednostkaLotnicza* bomber = Air(3);
    cAI& ai = AIOf(kBorussia);
    ai.BuildUnitLists();
    struct sCase
    {
        int actionPoints, pbemPlayer, strikes, shown;
    };
    for (const sCase& c : {sCase{0, 0, 0, 0}, sCase{1, 0, 1, 0}, sCase{1, 1, 1, 1}})
    {
        g_PlayCounts.Reset();
        screen.posted.clear();
        bomber->m_ActionPoints = c.actionPoints;
        City(L"Valdo")->ProductionPoints = 2.0f;
        game->m_Countries[kValdonia - 1]->PBEMPlayerId = c.pbemPlayer;
        ScriptRandomRaw({Die(6), Die(1)});
        ai.BombEnemyCities();
        EXPECT_EQ(g_PlayCounts.airStrikes.load(), c.strikes) << c.actionPoints << " action points";
        EXPECT_EQ(screen.PostedOf(eRequestKind::CombatResult), c.shown) << "e-mail player " << c.pbemPlayer;
    }
    EXPECT_EQ(City(L"Berolina")->ProductionPointsLost, 0);
    EXPECT_GT(City(L"Valdo")->ProductionPointsLost, 0);
}

TEST_F(AIAirWar, ATacticalBomberStrikesEnemyShipsAtSeaWhileItHasActionPointsAndNeverANeutralsShips)
{
    GroundAlbionsFighter();
    cJednostkaLotnicza* bomber = Air(2);  // on the North Sea's shore
    bomber->m_ActionPoints = 2;
    // The Home Fleet lies in Dover with the transport: no enemy ship at sea.
    cFlota* homeFleet = game->FindNavalUnitById(1)->m_Fleet;
    cFlota* transports = game->FindNavalUnitById(3)->m_Fleet;
    homeFleet->seaNode = 4;
    cAI& ai = AIOf(kBorussia);
    ai.BuildUnitLists();
    ai.StrikeShipsFromTheAir();
    EXPECT_EQ(g_PlayCounts.airStrikes.load(), 0);

    // The transport sails into the North Sea. A person watches a strike by a bomber he sees
    // or on a node where his side has ships, whatever country's count of own ships the zone
    // last took; its window only when a ship of his side was hit.
    transports->seaNode = 1;
    cJednostkaMorska* transport = game->FindNavalUnitById(3);
    sWezelGrafuMorz* node = game->m_SeaGraph->GetNode(1);
    const int strength = bomber->m_Strength;
    struct sCase
    {
        int person, ownShips, centred, hitPoints, shown;
    };
    for (const sCase& c : {sCase{0, 1, 0, 50, 0}, sCase{kRuthenia, 1, 0, 50, 0}, sCase{kAlbion, 0, 1, 50, 1},
                           sCase{kAlbion, 0, 1, 5, 0}})  // high rolls: hit at 50 hit points, missed at 5
    {
        for (cPanstwo* country : game->m_Countries)
            country->HumanControlled = country->ID == c.person;
        node->OwnCounts[0] = c.ownShips;
        transport->m_HP = transport->m_MaxHP = c.hitPoints;
        bomber->m_ActionPoints = 1;
        ScriptRandomRaw(std::vector<int>(20, Die(6)));
        testing_support::ClearLog();
        screen.posted.clear();
        ai.StrikeShipsFromTheAir();
        EXPECT_EQ(testing_support::CountLogLinesStartingWith(L"CenterAtHex"), c.centred)
            << c.person << " " << c.ownShips;
        EXPECT_EQ(screen.PostedOf(eRequestKind::CombatResult), c.shown) << c.person << " " << c.hitPoints;
    }
    game->m_Countries[kAlbion - 1]->HumanControlled = false;
    g_PlayCounts.Reset();
    bomber->m_ActionPoints = 2;
    bomber->m_Strength = strength;

    // Weakened, it lasts out two strikes.
    transport->m_HP = transport->m_MaxHP = 50;
    game->m_Relations->SetWar(kAlbion, kBorussia, 0);
    game->m_Relations->SetWar(kBorussia, kAlbion, 0);
    ai.StrikeShipsFromTheAir();
    EXPECT_EQ(g_PlayCounts.airStrikes.load(), 0) << "at peace with its owner";
    EXPECT_EQ(bomber->m_ActionPoints, 2);

    game->m_Relations->SetWar(kAlbion, kBorussia, 1);
    game->m_Relations->SetWar(kBorussia, kAlbion, 1);
    ai.StrikeShipsFromTheAir();
    EXPECT_EQ(g_PlayCounts.airStrikes.load(), 2);
    EXPECT_EQ(bomber->m_ActionPoints, 0);

    // A node whose main hex lies off the map is no target.
    transport->m_HP = 50;
    bomber->m_ActionPoints = 1;
    node->MainX = -1;
    ai.StrikeShipsFromTheAir();
    EXPECT_EQ(g_PlayCounts.airStrikes.load(), 2);
    EXPECT_EQ(bomber->m_ActionPoints, 1);
}

} // namespace
} // namespace ai_tests
