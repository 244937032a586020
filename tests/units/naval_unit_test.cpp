// Ships: hit points, damage and shot rolls, battle flags, bombardment value, joining
// fleets and removal from the game.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/random.h"
#include "core/stringbase.h"
#include "tests/test_support.h"
#include "tests/units/unit_test_game.h"

using unit_tests::Contains;
using unit_tests::cTestGame;

namespace {

class NavalUnit : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g.SetRuleConstants();
        g_StringBase.LoadFromBytes(cStringBase::Encode({{"fleet_#%i", L"Fleet %i"},
                                                        {"killing_%s_naval_unit", L"Killing %s"},
                                                        {"killing_%s_carried_by_transport/amph.", L"Killing carried %s"}}),
                                   true);
    }
    cJednostkaMorska* ReserveShip(int owner, int type)
    {
        auto* s = new cJednostkaMorska();
        s->m_Id = ++g.game->m_NextIds.navalUnit;
        s->m_Owner = owner;
        s->SetType(type);
        s->m_InReserve = true;
        g.game->m_NavalReserve.push_back(s);
        return s;
    }
    cTestGame g;
};

} // namespace

TEST_F(NavalUnit, ChangeHitPointsTruncatesAndStaysWithinZeroAndMaximum)
{
    cJednostkaMorska* s = g.AddShip(1, UNIT_CRUISER, 1);
    s->m_MaxHP = 12;
    s->m_HP = 10;
    EXPECT_EQ(s->ChangeHitPoints(-3.7f), 6);
    s->m_HP = 2;
    EXPECT_EQ(s->ChangeHitPoints(-3.7f), 0);
    EXPECT_EQ(s->ChangeHitPoints(40.0f), 12);
    EXPECT_EQ(s->m_HP, 12);
}

TEST_F(NavalUnit, MinimumHitPointsAfterAnInterception)
{
    cJednostkaMorska* s = g.AddShip(1, UNIT_CARRIER, 1);
    s->m_MaxHP = 10;  // 25 percent: 2.5, floored
    s->m_HP = 1;
    s->EnsureMinimumHitPoints();
    EXPECT_EQ(s->m_HP, 2);
    s->m_HP = 5;
    s->EnsureMinimumHitPoints();
    EXPECT_EQ(s->m_HP, 5);
}

TEST_F(NavalUnit, DamageRollsBetweenTheBoundsOfTheType)
{
    cJednostkaMorska* s = g.AddShip(1, UNIT_CRUISER, 1);  // bounds 1 and 5
    cJednostkaMorska* carrier = g.AddShip(1, UNIT_CARRIER, 1);  // the first type: bounds 1 and 3
    ScriptRandomRaw({0, 16384, 32767, 0, 32767});
    EXPECT_EQ(s->RollDamage(), 1);
    EXPECT_EQ(s->RollDamage(), 3);
    EXPECT_EQ(s->RollDamage(), 5);
    EXPECT_EQ(carrier->RollDamage(), 1);
    EXPECT_EQ(carrier->RollDamage(), 3);
}

TEST_F(NavalUnit, ShotChancesFollowTheRatingTechnology)
{
    cJednostkaMorska* cruiser = g.AddShip(1, UNIT_CRUISER, 1);
    cJednostkaMorska* sub = g.AddShip(1, UNIT_SUBMARINE, 1);
    g.Country(1).TechLevel[TECH_NAVY] = 2;
    g.Country(1).TechLevel[TECH_SUBMARINES] = 4;
    EXPECT_EQ(cruiser->GetShotHitChance(), 50);
    EXPECT_EQ(sub->GetShotHitChance(), 70);

    // Navy 2: a percent roll of at most 70 hits.
    ScriptRandomRaw({22937, 22938});  // rolls 70 (at the top of its band) and 71
    EXPECT_EQ(cruiser->RollShotDamage(), 1);
    EXPECT_EQ(cruiser->RollShotDamage(), 0);
    // Technology 5 or more always hits, the highest roll included.
    g.Country(1).TechLevel[TECH_NAVY] = 5;
    ScriptRandomRaw({32767, 0});
    EXPECT_EQ(cruiser->RollShotDamage(), 1);
    EXPECT_EQ(cruiser->RollShotDamage(), 1);
}

TEST_F(NavalUnit, BombardmentValueUsesSubmarineTechForSubmarines)
{
    cJednostkaMorska* sub = g.AddShip(1, UNIT_SUBMARINE, 1);        // (9 + 12) / 2 = 10
    cJednostkaMorska* cruiser = g.AddShip(1, UNIT_CRUISER, 1);      // (8 + 11) / 2 = 9
    cJednostkaMorska* carrier = g.AddShip(1, UNIT_CARRIER, 1);      // the first type: (6 + 9) / 2 = 7
    g.Country(1).TechLevel[TECH_NAVY] = 3;
    g.Country(1).TechLevel[TECH_SUBMARINES] = 1;
    EXPECT_FLOAT_EQ(sub->GetBombardmentValue(), 5.0f);
    g.Country(1).TechLevel[TECH_SUBMARINES] = 6;
    EXPECT_FLOAT_EQ(sub->GetBombardmentValue(), 10.0f);
    EXPECT_NEAR(cruiser->GetBombardmentValue(), 6.3f, 1e-5);
    EXPECT_NEAR(carrier->GetBombardmentValue(), 4.9f, 1e-5);
}

TEST_F(NavalUnit, BattleFlagsLeaveTransportsAndWeakCarriersOut)
{
    cJednostkaMorska* carrier = g.AddShip(1, UNIT_CARRIER, 1);
    cJednostkaMorska* cargo = g.AddShip(1, UNIT_CARGO, 1);
    cJednostkaMorska* battleship = g.AddShip(1, UNIT_BATTLESHIP, 1);
    battleship->m_Retreated = true;
    carrier->m_HP = 4;
    carrier->ResetBattleFlags();
    cargo->ResetBattleFlags();
    battleship->ResetBattleFlags();
    EXPECT_FALSE(carrier->m_ActiveInBattle);
    EXPECT_FALSE(cargo->m_ActiveInBattle);
    EXPECT_TRUE(battleship->m_ActiveInBattle);
    EXPECT_FALSE(battleship->m_Retreated);
    carrier->m_HP = 5;
    carrier->ResetBattleFlags();
    EXPECT_TRUE(carrier->m_ActiveInBattle);
}

TEST_F(NavalUnit, AssignToSeaNodeJoinsTheOwnersLastFleetThereOrMakesOne)
{
    cJednostkaMorska* first = g.AddShip(1, UNIT_CRUISER, 2);
    cJednostkaMorska* second = g.AddShip(1, UNIT_CRUISER, 2);
    g.AddShip(2, UNIT_CRUISER, 2);
    cJednostkaMorska* s = ReserveShip(1, UNIT_BATTLESHIP);

    testing_support::ClearLog();
    s->AssignToSeaNode(9);
    EXPECT_TRUE(testing_support::LogContains(FormatText(
        L"WARNING: Could not find sea node with ID = 9 while assigning ship %s (ID = %i)", s->m_Name, s->m_Id)));
    EXPECT_TRUE(s->m_InReserve);
    EXPECT_TRUE(Contains(g.game->m_NavalReserve, s));

    s->AssignToSeaNode(2);
    EXPECT_EQ(s->m_Fleet, second->m_Fleet);
    EXPECT_NE(s->m_Fleet, first->m_Fleet);
    EXPECT_FALSE(s->m_InReserve);
    EXPECT_FALSE(Contains(g.game->m_NavalReserve, s));
    EXPECT_TRUE(Contains(g.game->m_NavalUnits, s));
    EXPECT_EQ(s->m_Fleet->ships.back(), s);

    cJednostkaMorska* t = ReserveShip(1, UNIT_CARRIER);
    int counter = g.game->m_NextIds.fleet;
    t->AssignToSeaNode(3);
    ASSERT_NE(t->m_Fleet, nullptr);
    EXPECT_EQ(t->m_Fleet->ID, counter + 1);
    EXPECT_EQ(t->m_Fleet->name, FormatText(L"Fleet %i", counter + 1));
    EXPECT_EQ(t->m_Fleet->seaNode, 3);
    EXPECT_EQ(t->m_Fleet->movedThisTurn, 1);
    EXPECT_EQ(t->m_Fleet->formation, 0);  // no raiders
    EXPECT_EQ(g.game->m_Fleets.back(), t->m_Fleet);
}

TEST_F(NavalUnit, JoinOrCreateFleetSkipsFleetsThatHaveMoved)
{
    cJednostkaMorska* moved = g.AddShip(1, UNIT_CRUISER, 2);
    moved->m_Fleet->movedThisTurn = 1;
    cJednostkaMorska* s = ReserveShip(1, UNIT_SUBMARINE);
    s->JoinOrCreateFleet(2);
    ASSERT_NE(s->m_Fleet, nullptr);
    EXPECT_NE(s->m_Fleet, moved->m_Fleet);
    EXPECT_EQ(s->m_Fleet->movedThisTurn, 0);
    cJednostkaMorska* t = ReserveShip(1, UNIT_SUBMARINE);
    t->JoinOrCreateFleet(2);
    EXPECT_EQ(t->m_Fleet, s->m_Fleet);
    EXPECT_EQ(g.game->m_NavalReserve.size(), 0u);
}

TEST_F(NavalUnit, KillingTheLastShipDeletesItsFleetAndOneOfTwoKeepsIt)
{
    cJednostkaMorska* a = g.AddShip(1, UNIT_CRUISER, 1);
    cJednostkaMorska* b = g.AddShip(1, UNIT_CRUISER, 1, a->m_Fleet);
    cFlota* fleet = a->m_Fleet;
    a->Kill(false);
    EXPECT_TRUE(Contains(g.game->m_Fleets, fleet));
    EXPECT_EQ(fleet->ships.size(), 1u);
    EXPECT_FALSE(Contains(g.game->m_NavalUnits, a));
    b->Kill(false);
    EXPECT_FALSE(Contains(g.game->m_Fleets, fleet));
    EXPECT_TRUE(g.game->m_NavalUnits.empty());
}

TEST_F(NavalUnit, KillingATransportKeepsOrKillsItsCargo)
{
    cJednostkaMorska* cargoShip = g.AddShip(1, UNIT_CARGO, 1);
    cJednostkaLadowa* passenger = g.AddLand(1, UNIT_INFANTRY, -1, -1);
    g.game->m_LandUnits.remove(passenger);
    g.game->m_LandUnits2.push_back(passenger);
    passenger->m_Transporter = cargoShip;
    passenger->m_TransporterId = cargoShip->m_Id;
    cargoShip->m_Cargo = passenger;
    cargoShip->Kill(false);
    EXPECT_EQ(passenger->m_Transporter, nullptr);
    EXPECT_EQ(passenger->m_TransporterId, -1);  // as a save writes a unit on no ship
    EXPECT_TRUE(Contains(g.game->m_LandUnits2, passenger));

    cJednostkaMorska* amphibious = g.AddShip(1, UNIT_AMPHIBIOUS, 1);
    g.game->m_LandUnits2.remove(passenger);
    g.game->m_LandUnits3.push_back(passenger);
    passenger->m_Transporter = amphibious;
    amphibious->m_Cargo = passenger;
    std::wstring shipName = amphibious->m_Name, unitName = passenger->m_Name;
    testing_support::ClearLog();
    amphibious->Kill(true);
    EXPECT_TRUE(g.game->m_LandUnits3.empty());
    EXPECT_TRUE(testing_support::LogHasInOrder({L"Killing " + shipName, L"Killing carried " + unitName}));
}

TEST_F(NavalUnit, KillSendsTheCommanderHomeAndForgetsTheShownShip)
{
    cJednostkaMorska* s = g.AddShip(1, UNIT_BATTLESHIP, 2);
    sDowodca* admiral = g.AddCommander(3, 1, 2, 1, 1);
    admiral->State = 2;
    s->m_Commander = admiral;
    g.seaGraph.Nodes[1].ShownOwnShip = s;
    g.seaGraph.Nodes[2].ShownEnemyShip = s;
    s->Kill(true);
    EXPECT_EQ(admiral->State, 1);
    EXPECT_EQ(g.seaGraph.Nodes[1].ShownOwnShip, nullptr);
    EXPECT_EQ(g.seaGraph.Nodes[2].ShownEnemyShip, nullptr);
}

TEST_F(NavalUnit, AShipAssignedElsewhereLeavesItsOldFleet)
{
    cJednostkaMorska* s = g.AddShip(1, UNIT_CRUISER, 1);
    cFlota* old = s->m_Fleet;
    s->AssignToSeaNode(2);
    EXPECT_NE(s->m_Fleet, old);
    EXPECT_FALSE(Contains(g.game->m_Fleets, old));
    EXPECT_EQ(std::count(g.game->m_NavalUnits.begin(), g.game->m_NavalUnits.end(), s), 1);
}
