// Alliances on Testland: joining, leaders, coups, peace and surrender.
#include "tests/world/testland_game.h"
#include "world/alliances.h"

using namespace testing_support;

namespace {

constexpr int kAlbion = 1, kBorussia = 2, kRuthenia = 3, kHelvetia = 4, kValdonia = 5;

class Alliances : public cTestlandGame
{
};

TEST_F(Alliances, AJoinerAndItsNewSideTakeOnEachOthersWars)
{
    SetWar(kHelvetia, kRuthenia, true);
    Country(kHelvetia).JoinAlliance(ALLIANCE_ALLIES);
    EXPECT_EQ(Country(kHelvetia).Alliance, ALLIANCE_ALLIES);
    EXPECT_EQ(Country(kHelvetia).AllianceEntry, 100);
    for (int member : {kAlbion, kValdonia})
        EXPECT_TRUE(WarFlag(member, kRuthenia) && WarFlag(kRuthenia, member)) << member;
    EXPECT_TRUE(WarFlag(kHelvetia, kBorussia) && WarFlag(kBorussia, kHelvetia)) << "the leader's war";
    EXPECT_TRUE(LogContains(L"own war Helvetia-Ruthenia causes war Albion-Ruthenia"));
    EXPECT_TRUE(LogContains(L"leader's war Albion-Borussia causes war Helvetia-Borussia"));
}

TEST_F(Alliances, ASideWithoutALeaderTakesTheJoinerAsItsLeader)
{
    Country(kRuthenia).Alliance = ALLIANCE_NEUTRAL;
    Country(kHelvetia).JoinAlliance(ALLIANCE_COMINTERN);
    EXPECT_EQ(Country(kHelvetia).Alliance, ALLIANCE_COMINTERN_LEADER);
    EXPECT_EQ(FindAllianceLeader(ALLIANCE_COMINTERN), &Country(kHelvetia));
    EXPECT_EQ(g_Gra->GetAllianceLeader(ALLIANCE_COMINTERN_LEADER), &Country(kHelvetia));
}

TEST_F(Alliances, TheLeaderIsTheFirstInIdOrderAndSoIsTheSuccessorOnATie)
{
    Country(kValdonia).Alliance = ALLIANCE_ALLIES_LEADER; // a second Allied leader code
    EXPECT_EQ(FindAllianceLeader(ALLIANCE_ALLIES), &Country(kAlbion));

    Country(kHelvetia).Alliance = ALLIANCE_AXIS;
    Country(kValdonia).Alliance = ALLIANCE_AXIS;
    Country(kHelvetia).PoliticalStrength = 30;
    Country(kValdonia).PoliticalStrength = 30;
    EXPECT_EQ(g_Gra->DetermineNewAllianceLeader(ALLIANCE_AXIS_LEADER), &Country(kHelvetia));
    Country(kValdonia).PoliticalStrength = 31;
    EXPECT_EQ(g_Gra->DetermineNewAllianceLeader(ALLIANCE_AXIS_LEADER), &Country(kValdonia));
    Country(kValdonia).IsActive = false;
    EXPECT_EQ(g_Gra->DetermineNewAllianceLeader(ALLIANCE_AXIS), &Country(kHelvetia));
}

TEST_F(Alliances, ACoupTurnsTheTargetTowardTheInstigator)
{
    struct sCase
    {
        int instigator, target, after;
    };
    for (const sCase& c : {sCase{0, 1, 4}, sCase{0, 4, 3}, sCase{1, 0, 3}, sCase{3, 0, 3}, sCase{4, 1, 4},
                           sCase{2, 2, 2}, sCase{5, 3, 5}})
    {
        Country(kBorussia).Orientation = c.instigator;
        Country(kHelvetia).Orientation = c.target;
        Country(kHelvetia).ShiftOrientationToward(Country(kBorussia));
        EXPECT_EQ(Country(kHelvetia).Orientation, c.after) << c.instigator << " on " << c.target;
    }
}

} // namespace
