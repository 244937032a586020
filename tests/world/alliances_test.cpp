// Alliances on Testland: joining, leaders, coups, peace and surrender.
#include "core/random.h"
#include "core/stringbase.h"
#include "game/commanders.h"
#include "tests/game/testland_game.h"
#include "tests/test_support.h"
#include "tests/units/unit_test_game.h"
#include "world/alliances.h"
#include "world/city.h"
#include "world/convoys.h"
#include "world/relations.h"

using namespace testing_support;

using namespace testland;

namespace {

class Alliances : public testland::TestlandGame
{
};

TEST_F(Alliances, AJoinerAndItsNewSideTakeOnEachOthersWars)
{
    SetWar(kHelvetia, kRuthenia, true);
    Country(kHelvetia).JoinAlliance(ALLIANCE_ALLIES);
    EXPECT_EQ(Country(kHelvetia).Alliance, ALLIANCE_ALLIES);
    EXPECT_EQ(Country(kHelvetia).AllianceEntry, 100);
    for (int member : {kAlbion, kValdonia})
        EXPECT_TRUE(CountriesAtWar(member, kRuthenia) && CountriesAtWar(kRuthenia, member)) << member;
    EXPECT_TRUE(CountriesAtWar(kHelvetia, kBorussia) && CountriesAtWar(kBorussia, kHelvetia)) << "the leader's war";
    EXPECT_TRUE(LogContains(L"own war Helvetia-Ruthenia causes war Albion-Ruthenia"));
    EXPECT_TRUE(LogContains(L"leader's war Albion-Borussia causes war Helvetia-Borussia"));
}

TEST_F(Alliances, ASideWithoutALeaderTakesTheJoinerAsItsLeader)
{
    Country(kRuthenia).Alliance = ALLIANCE_NEUTRAL;
    Country(kHelvetia).JoinAlliance(ALLIANCE_COMINTERN);
    EXPECT_EQ(Country(kHelvetia).Alliance, ALLIANCE_COMINTERN_LEADER);
    EXPECT_EQ(FindAllianceLeader(ALLIANCE_COMINTERN), &Country(kHelvetia));
    EXPECT_EQ(game->GetAllianceLeader(ALLIANCE_COMINTERN_LEADER), &Country(kHelvetia));
}

TEST_F(Alliances, TheLeaderIsTheFirstHolderOfTheCodeAndTheSuccessorOnATieTheLaterMember)
{
    Country(kValdonia).Alliance = ALLIANCE_ALLIES_LEADER; // a second Allied leader code
    EXPECT_EQ(FindAllianceLeader(ALLIANCE_ALLIES), &Country(kAlbion));
    SetWar(kValdonia, kRuthenia, true);
    Country(kHelvetia).JoinAlliance(ALLIANCE_ALLIES);
    EXPECT_TRUE(LogContains(L"leader's war Albion-Borussia causes war Helvetia-Borussia"));
    EXPECT_FALSE(CountriesAtWar(kHelvetia, kRuthenia)) << "the second holder of the code does not lead";

    Country(kHelvetia).Alliance = ALLIANCE_AXIS;
    Country(kValdonia).Alliance = ALLIANCE_AXIS;
    Country(kHelvetia).PoliticalStrength = 30;
    Country(kValdonia).PoliticalStrength = 30;
    EXPECT_EQ(game->DetermineNewAllianceLeader(ALLIANCE_AXIS_LEADER), &Country(kValdonia));
    Country(kHelvetia).PoliticalStrength = 31;
    EXPECT_EQ(game->DetermineNewAllianceLeader(ALLIANCE_AXIS_LEADER), &Country(kHelvetia));
    Country(kHelvetia).PoliticalStrength = 30;
    Country(kValdonia).IsActive = false;
    EXPECT_EQ(game->DetermineNewAllianceLeader(ALLIANCE_AXIS), &Country(kHelvetia));
}

TEST_F(Alliances, ACoupTurnsTheTargetTowardTheInstigator)
{
    // By the instigator's orientation (rows) and the target's (columns); -1 keeps it.
    const int shift[6][6] = {
        {-1, 4, 5, 0, 3, 3}, {3, -1, 5, 4, 1, 4}, {3, 4, -1, 5, 5, 2},
        {3, 4, 5, -1, 3, 3}, {3, 4, 5, 4, -1, 4}, {3, 4, 5, 5, 5, -1},
    };
    for (int instigator = 0; instigator <= 6; ++instigator)
        for (int target = 0; target <= 6; ++target)
        {
            Country(kBorussia).Orientation = instigator;
            Country(kHelvetia).Orientation = target;
            Country(kHelvetia).ShiftOrientationToward(Country(kBorussia));
            const int to = instigator < 6 && target < 6 ? shift[instigator][target] : -1;
            const int after = to >= 0 ? to : target;
            EXPECT_EQ(Country(kHelvetia).Orientation, after) << instigator << " on " << target;
        }

    // The side each orientation leans to; none beyond 5, which is logged.
    const int side[7] = {1, 2, 3, 1, 2, 3, 0};
    for (int orientation = 0; orientation <= 6; ++orientation)
    {
        Country(kHelvetia).Orientation = orientation;
        ClearLog();
        EXPECT_EQ(Country(kHelvetia).GetTargetAlliance(), side[orientation]) << orientation;
        EXPECT_EQ(LogContains(LangText("error_in_returning_target_alliance:_orientation_not_specified")), orientation == 6);
    }
}

TEST_F(Alliances, WarOnAnAllianceIsWarOnItsLeaderAndMembersAndNoOneElse)
{
    for (const int alliance : {ALLIANCE_ALLIES, ALLIANCE_ALLIES_LEADER})
    {
        for (const int other : {kAlbion, kBorussia, kValdonia})
            SetWar(kHelvetia, other, false);
        Country(kHelvetia).DeclareWarOnAlliance(alliance);
        EXPECT_TRUE(CountriesAtWar(kHelvetia, kAlbion) && CountriesAtWar(kAlbion, kHelvetia)) << alliance;
        EXPECT_TRUE(CountriesAtWar(kHelvetia, kValdonia) && CountriesAtWar(kValdonia, kHelvetia)) << alliance;
        EXPECT_FALSE(CountriesAtWar(kHelvetia, kBorussia)) << alliance;
    }
    SetWar(kHelvetia, kValdonia, false);
    Country(kValdonia).IsActive = false; // surrendered: out of the war for good
    Country(kHelvetia).DeclareWarOnAlliance(ALLIANCE_ALLIES);
    EXPECT_FALSE(CountriesAtWar(kHelvetia, kValdonia));
}

TEST_F(Alliances, ACountryAtWarSurrendersWithoutAVictoryCityOfItsOwnInItsHands)
{
    SetWar(kHelvetia, kBorussia, true);
    cMiasto& berna = *Hex(10, 8).city; // Helvetia's only city
    const struct
    {
        int type, victoryPoints, controller;
        bool lost;
    } cases[] = {
        {CITY_SUPPLY, 3, kHelvetia, false},
        {CITY_SUPPLY, 3, kBorussia, true},
        {CITY_SUPPLY, 0, kHelvetia, true},
        {CITY_RESOURCES, 3, kHelvetia, true},
    };
    for (const auto& c : cases)
    {
        berna.Type = c.type;
        berna.VictoryPoints = c.victoryPoints;
        Hex(10, 8).controller = c.controller;
        EXPECT_EQ(Country(kHelvetia).HasLostAllVictoryCities(), c.lost) << c.type << " " << c.victoryPoints;
    }
}

} // namespace

namespace {

class PeaceAndSurrender : public testland::TestlandGame
{
protected:
    int HexesControlledBy(int country)
    {
        int n = 0;
        for (const sHex& hex : game->m_Mapa->Hexes())
            n += hex.controller == country ? 1 : 0;
        return n;
    }
};

TEST_F(PeaceAndSurrender, TheVictorIsWhoHurtTheCountryMostAndTakesItsLand)
{
    SetWar(kHelvetia, kBorussia, true);
    SetWar(kHelvetia, kValdonia, true);
    game->m_Relations->AddLosses(kBorussia, kHelvetia, 30.0f);
    game->m_Relations->AddLosses(kValdonia, kHelvetia, 10.0f);
    const int borussian = HexesControlledBy(kBorussia);
    const int helvetian = HexesControlledBy(kHelvetia);
    cMiasto* berna = Hex(10, 8).city;
    // A supply port on ground first Helvetian, and one first the victor's.
    cMiasto* helvetianPort = nullptr;
    cMiasto* borussianPort = nullptr;
    for (cMiasto* city : game->m_Cities)
        if (city != berna && Hex(city->X, city->Y).originalOwner == kBorussia)
            (helvetianPort ? borussianPort : helvetianPort) = city;
    ASSERT_NE(borussianPort, nullptr);
    helvetianPort->Type = borussianPort->Type = CITY_SUPPLY_PORT;
    Hex(helvetianPort->X, helvetianPort->Y).originalOwner = kHelvetia;
    auto* general = new sDowodca{900, L"H", kHelvetia, 0, 1, 0, 2};
    auto* admiral = new sDowodca{901, L"B", kBorussia, 2, 1, 0, 2};
    game->m_Commanders.push_back(general);
    game->m_Commanders.push_back(admiral);

    std::wstring caption, text;
    ASSERT_TRUE(Country(kHelvetia).Surrender(caption, text));
    EXPECT_EQ(caption, L"Helvetia surrenders to Borussia");
    EXPECT_EQ(text, L"Who won the victory over Helvetia:\nBorussia: 75.00%\nValdonia: 25.00%\n");
    EXPECT_FALSE(Country(kHelvetia).IsActive);
    EXPECT_FALSE(Country(kHelvetia).IsAtWar());
    EXPECT_EQ(HexesControlledBy(kHelvetia), 0);
    EXPECT_EQ(HexesControlledBy(kBorussia), borussian + helvetian);
    EXPECT_EQ(game->FindLandUnitById(11), nullptr) << "its Alpine Brigade is gone";
    EXPECT_EQ(berna->Type, CITY_NORMAL) << "its supply city supplies no more";
    EXPECT_EQ(helvetianPort->Type, CITY_PORT);
    EXPECT_EQ(borussianPort->Type, CITY_SUPPLY_PORT);
    EXPECT_EQ(general->State, 0) << "its commanders stand down";
    EXPECT_EQ(admiral->State, 2);
}

TEST_F(PeaceAndSurrender, ASurrenderWaitsForAnActiveVictorAndTakesTheFirstConvoy)
{
    std::wstring caption, text;
    EXPECT_FALSE(Country(kRuthenia).Surrender(caption, text)) << "nobody is at war with Ruthenia";
    EXPECT_TRUE(Country(kRuthenia).IsActive);

    // Unhurt, Albion is shared by its active enemies alike: Borussia alone, Valdonia's ally.
    game->m_Relations->AddLosses(kBorussia, kAlbion, -20.0f);
    std::vector<sKonwoj>& convoys = game->m_Convoys->Convoys[kAlbion - 1];
    convoys.clear();
    game->m_Convoys->AddConvoy(kAlbion, CONVOY_PP, 5, 3, 3, 7, 6);
    const int second = game->m_Convoys->AddConvoy(kAlbion, CONVOY_SUPPLIES, 0, 3, 3, 7, 6);
    Country(kValdonia).Alliance = ALLIANCE_ALLIES;
    ASSERT_TRUE(Country(kAlbion).Surrender(caption, text));
    EXPECT_EQ(text, L"Who won the victory over Albion:\nBorussia: 100.00%\n");
    ASSERT_EQ(convoys.size(), 1u);
    EXPECT_EQ(convoys.front().id, second);
}

TEST_F(PeaceAndSurrender, ALeaderThatSurrendersOrMakesPeaceHandsTheLeadOn)
{
    Country(kHelvetia).Alliance = ALLIANCE_AXIS;
    SetWar(kAlbion, kRuthenia, true); // a war Albion still has to end after Borussia's fall
    std::wstring caption, text;
    ASSERT_TRUE(Country(kBorussia).Surrender(caption, text));
    EXPECT_EQ(caption, L"Borussia surrenders to Albion");
    const sAllianceNews news = PassAllianceLead(Country(kBorussia), true);
    EXPECT_EQ(news.title, L"The leader of the Axis is eliminated!");
    EXPECT_EQ(news.text, L"With Borussia annexed, Helvetia becomes the new leader of the Axis.");
    EXPECT_EQ(Country(kBorussia).Alliance, ALLIANCE_NEUTRAL);
    EXPECT_EQ(Country(kHelvetia).Alliance, ALLIANCE_AXIS_LEADER);
    EXPECT_EQ(game->GetAllianceLeader(ALLIANCE_AXIS), &Country(kHelvetia));

    Country(kAlbion).MakePeace(false);
    EXPECT_FALSE(Country(kAlbion).IsAtWar());
    EXPECT_EQ(Country(kAlbion).Alliance, ALLIANCE_NEUTRAL);
    EXPECT_EQ(Country(kValdonia).Alliance, ALLIANCE_ALLIES_LEADER);
    EXPECT_TRUE(LogContains(L"Headless answer: message \"A new leader of the Allies\" -> 0"));
}

TEST_F(PeaceAndSurrender, TheLastCountryOfAnAllianceLeavingEndsIt)
{
    Country(kValdonia).Alliance = ALLIANCE_NEUTRAL;
    Country(kHelvetia).Orientation = ORIENTATION_PRO_ALLIED;
    Country(kAlbion).MakePeace(false);
    EXPECT_EQ(game->GetAllianceLeader(ALLIANCE_ALLIES), nullptr);
    for (int id : {kAlbion, kHelvetia, kValdonia})
        EXPECT_TRUE(Country(id).Orientation == ORIENTATION_PRO_AXIS ||
                    Country(id).Orientation == ORIENTATION_PRO_COMINTERN)
            << id;
    EXPECT_EQ(CountLogLinesStartingWith(L"Since the Allies are eliminated,"), 4); // the dummy country leans too
    EXPECT_TRUE(LogContains(L"Headless answer: message \"The end of the Allies!\" -> 0"));

    // Of each side gone, a roll of 1 or 2 picks which of the two others its friends lean to.
    const struct
    {
        int leader, leaning, roll, now;
    } ends[] = {
        {ALLIANCE_ALLIES_LEADER, ORIENTATION_PRO_ALLIED, 1, ORIENTATION_PRO_AXIS},
        {ALLIANCE_ALLIES_LEADER, ORIENTATION_DEMOCRACY, 2, ORIENTATION_PRO_COMINTERN},
        {ALLIANCE_AXIS_LEADER, ORIENTATION_PRO_AXIS, 1, ORIENTATION_PRO_ALLIED},
        {ALLIANCE_AXIS_LEADER, ORIENTATION_NATIONALIST, 2, ORIENTATION_PRO_COMINTERN},
        {ALLIANCE_COMINTERN_LEADER, ORIENTATION_PRO_COMINTERN, 1, ORIENTATION_PRO_ALLIED},
        {ALLIANCE_COMINTERN_LEADER, ORIENTATION_COMMUNIST, 2, ORIENTATION_PRO_AXIS},
    };
    for (const auto& e : ends)
    {
        for (cPanstwo* c : game->m_Countries)
        {
            c->Alliance = ALLIANCE_NEUTRAL;
            c->Orientation = e.now;
        }
        Country(kHelvetia).Alliance = e.leader;
        Country(kHelvetia).Orientation = e.leaning;
        ScriptRandomRaw({unit_tests::RawFor(e.roll, 1, 2)});
        PassAllianceLead(Country(kHelvetia), false);
        EXPECT_EQ(Country(kHelvetia).Orientation, e.now) << e.leader << " " << e.roll;
    }
    ClearRandomScript();
}

TEST_F(PeaceAndSurrender, PeaceGivesOccupiedLandBackAndSendsStrayUnitsHome)
{
    // Ruthenia is at peace: its peace changes nothing, not even the hex Borussia holds of it.
    Country(kRuthenia).MakePeace(true);
    EXPECT_EQ(Hex(15, 5).controller, kBorussia);

    cJednostkaLadowa* stray = AddLandUnit(kBorussia, 15, 5);
    Country(kBorussia).MakePeace(true);
    EXPECT_EQ(Hex(15, 5).controller, kRuthenia);
    EXPECT_TRUE(stray->m_InReserve);
    EXPECT_EQ(Hex(15, 5).unit, nullptr);
    EXPECT_FALSE(Country(kAlbion).IsAtWarWith(kBorussia));
    EXPECT_EQ(Country(kBorussia).Alliance, ALLIANCE_NEUTRAL);
}

} // namespace
