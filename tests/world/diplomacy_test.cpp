// Diplomacy on Testland: what each action allows, what it costs and what it changes.
#include "core/format.h"
#include "core/random.h"
#include "core/stringbase.h"
#include "tests/game/testland_game.h"
#include "tests/test_support.h"
#include "world/alliances.h"
#include "world/diplomacy.h"
#include "world/relations.h"

using namespace testing_support;

using namespace testland;

namespace {

class Diplomacy : public testland::TestlandGame
{
};

TEST_F(Diplomacy, SocialUnrestOfExactly75ForbidsAChangeOfOrientation)
{
    cPanstwo& helvetia = Country(kHelvetia);
    helvetia.DP = 50;
    std::wstring text;
    helvetia.SocialUnrest = 75.0f;
    EXPECT_FALSE(CanChangeOrientation(kHelvetia, text));
    EXPECT_EQ(text, L"The social unrest is too high to change the orientation.");
    helvetia.DP = 5; // the bar that more points would not lift is the one told
    EXPECT_FALSE(CanChangeOrientation(kHelvetia, text));
    EXPECT_EQ(text, L"The social unrest is too high to change the orientation.");
    helvetia.DP = 50;
    helvetia.SocialUnrest = 74.9f;
    EXPECT_TRUE(CanChangeOrientation(kHelvetia, text));
    // Testland's dice: entry drop 1d2+3, unrest to another side 4d5+6, within its own side 7d8+9.
    EXPECT_EQ(text, L"Change orientation (to Pro-Allied): it costs 20 DP, and social unrest rises by 16-65%.");

    ChangeOrientation(kHelvetia, ORIENTATION_PRO_AXIS, text);
    EXPECT_EQ(helvetia.Orientation, ORIENTATION_PRO_ALLIED) << "a firm regime first turns to its own pro- form";
    EXPECT_EQ(helvetia.DP, 30);
    EXPECT_FALSE(CanChangeOrientation(kHelvetia, text));
    EXPECT_EQ(text, L"The orientation can change only once a turn.");

    // An orientation outside the table changes nothing.
    helvetia.DoneTurnInOrientation = false;
    helvetia.SocialUnrest = 0.0f;
    EXPECT_TRUE(CanChangeOrientation(kHelvetia, text));
    EXPECT_EQ(text, L"Change orientation: it costs 20 DP. To the firm regime of its side social unrest rises by "
                    L"16-65%; to another side it rises by 10-26%, and the alliance entry falls by 4-5.");
    ChangeOrientation(kHelvetia, 9, text);
    EXPECT_EQ(helvetia.Orientation, ORIENTATION_PRO_ALLIED);
    EXPECT_FALSE(helvetia.DoneTurnInOrientation);
}

// A firm regime turns to its own pro- form, a pro- one back to its regime, both at the cost of the
// country's own unrest; a pro- one turning elsewhere costs the other unrest and alliance entry.
TEST_F(Diplomacy, AnOrientationChangeCostsByWhereItTurns)
{
    const float dice[9] = {0, 6, 5, 0, 6, 7, 0, 6, 11}; // entry drop 5, other unrest 7, own unrest 11
    std::copy(dice, dice + 9, game->m_Consts.OrientationChange);
    cPanstwo& helvetia = Country(kHelvetia);
    const struct
    {
        int from, to, becomes, unrest, entry;
    } cases[] = {
        {ORIENTATION_DEMOCRACY, ORIENTATION_PRO_AXIS, ORIENTATION_PRO_ALLIED, 31, 50},
        {ORIENTATION_PRO_ALLIED, ORIENTATION_DEMOCRACY, ORIENTATION_DEMOCRACY, 31, 50},
        {ORIENTATION_PRO_AXIS, ORIENTATION_NATIONALIST, ORIENTATION_NATIONALIST, 31, 50},
        {ORIENTATION_PRO_ALLIED, ORIENTATION_PRO_AXIS, ORIENTATION_PRO_AXIS, 27, 45},
        {ORIENTATION_PRO_ALLIED, ORIENTATION_NATIONALIST, ORIENTATION_NATIONALIST, 27, 45},
    };
    for (const auto& c : cases)
    {
        helvetia.Orientation = c.from;
        helvetia.SocialUnrest = 20.0f;
        helvetia.AllianceEntry = 50;
        helvetia.DoneTurnInOrientation = false;
        std::wstring text;
        ChangeOrientation(kHelvetia, c.to, text);
        EXPECT_EQ(helvetia.Orientation, c.becomes) << c.from << " to " << c.to;
        EXPECT_EQ(helvetia.SocialUnrest, float(c.unrest)) << c.from << " to " << c.to;
        EXPECT_EQ(helvetia.AllianceEntry, c.entry) << c.from << " to " << c.to;
    }
    // The price tells a roll's range as one, a fixed roll as its value: not "by 12 to 17%".
    game->m_Consts.OrientationChange[6] = 1; // own unrest: one roll of 1 to 6 over 11
    helvetia.Orientation = ORIENTATION_PRO_ALLIED;
    EXPECT_EQ(OrientationChangeCostText(kHelvetia), LangFormat("diplomacy_change_orientation_cost_of_leaning",
                                                               helvetia.PoliticalStrength, L"12-17", L"7", L"5"));
}

TEST_F(Diplomacy, CostsAndChancesFollowTheTargetsStrengthAndOrientation)
{
    sGameConsts& k = game->m_Consts;
    const float delay[3] = {0.5f, 1.5f, 2.5f}, hasten[3] = {0.25f, 0.75f, 1.25f};
    std::copy(delay, delay + 3, k.DelayAllianceEntry);
    std::copy(hasten, hasten + 3, k.HastenAllianceEntry);
    k.Coup[0] = 0.5f;  // chance factor, orientations 0 to 2
    k.Coup[1] = 0.25f; // 3 to 5
    k.Coup[2] = 1.5f;  // points per strength
    k.ExertPressure[3] = 0.25f; // chance factor, orientations 3 to 5
    k.ExertPressure[4] = 0.75f; // 0 to 2
    k.ExertPressure[5] = 2.0f;  // points per strength, leaning the other way
    cPanstwo& presser = Country(kAlbion);
    cPanstwo& target = Country(kHelvetia);
    const struct
    {
        int strength, orientation, presserOrientation;
        int delayCost, hastenCost, coupChance, coupCost, pressureChance, pressureCost;
    } cases[] = {
        {40, 0, 3, 20, 10, 30, 60, 100, 40},  {40, 1, 0, 100, 50, 30, 60, 45, 80},
        {40, 2, 1, 100, 50, 30, 60, 45, 80},  {40, 3, 0, 20, 10, 15, 60, 100, 40},
        {40, 4, 0, 60, 30, 15, 60, 15, 80},   {40, 5, 1, 60, 30, 15, 60, 15, 80},
        {40, 6, 0, 40, 40, 15, 60, 60, 80},   {1, 0, 1, 1, 1, 49, 1, 74, 2},
    };
    for (const auto& c : cases)
    {
        target.PoliticalStrength = c.strength;
        target.Orientation = c.orientation;
        presser.Orientation = c.presserOrientation;
        const std::string at = std::to_string(c.strength) + " " + std::to_string(c.orientation);
        EXPECT_EQ(DelayAllianceEntryCost(kHelvetia), c.delayCost) << at;
        EXPECT_EQ(HastenAllianceEntryCost(kHelvetia), c.hastenCost) << at;
        EXPECT_EQ(CoupChance(kHelvetia), c.coupChance) << at;
        EXPECT_EQ(CoupCost(kHelvetia), c.coupCost) << at;
        EXPECT_EQ(ExertPressureChance(kAlbion, kHelvetia), c.pressureChance) << at;
        EXPECT_EQ(ExertPressureCost(kAlbion, kHelvetia), c.pressureCost) << at;
    }
    // A country that does not exist risks nothing; changing its entry costs the least there is.
    EXPECT_EQ(DelayAllianceEntryCost(99), 1);
    EXPECT_EQ(HastenAllianceEntryCost(99), 1);
    EXPECT_EQ(ExertPressureCost(99, kHelvetia), 0);
    EXPECT_EQ(ExertPressureChance(kAlbion, 99), 0);
}

TEST_F(Diplomacy, ADeclarationAppliesItsCaseAndLogsIt)
{
    // A neutral declares on a leader: war with its whole side.
    EXPECT_EQ(DeclareWar(kHelvetia, kRuthenia, false), 3);
    EXPECT_TRUE(LogContains(L"Helvetia declares war on Ruthenia (CASE 3)"));
    EXPECT_TRUE(CountriesAtWar(kHelvetia, kRuthenia) && CountriesAtWar(kRuthenia, kHelvetia));

    // A leader on a leader: every country of the target's side at war with the declarer's.
    const int unrest = int(Country(kBorussia).SocialUnrest);
    const int dp = Country(kBorussia).DP;
    EXPECT_EQ(DeclareWar(kBorussia, kRuthenia, false), 6);
    EXPECT_TRUE(LogContains(L"Borussia declares war on Ruthenia (CASE 6)"));
    EXPECT_TRUE(CountriesAtWar(kRuthenia, kBorussia));
    EXPECT_EQ(Country(kBorussia).DP, dp) << "without pay nothing is paid";
    EXPECT_EQ(int(Country(kBorussia).SocialUnrest), unrest);
}

TEST_F(Diplomacy, ANeutralLeaningToItsZoneJoinsThatSideWhenAttacked)
{
    cPanstwo& helvetia = Country(kHelvetia);
    helvetia.ZoneOfInfluence = 1; // leans to the Allies, and lies in their zone
    cPanstwo& borussia = Country(kBorussia);
    borussia.DP = 100;
    std::wstring text;
    ASSERT_TRUE(CanDeclareWar(kBorussia, kHelvetia, text));
    EXPECT_EQ(text, L"Declare war: social unrest rises by 65, cost 2 DP; Helvetia will join the Allies.");

    EXPECT_EQ(DeclareWar(kBorussia, kHelvetia, true), 5);
    EXPECT_EQ(helvetia.Alliance, ALLIANCE_ALLIES);
    EXPECT_TRUE(CountriesAtWar(kHelvetia, kBorussia) && CountriesAtWar(kBorussia, kHelvetia));
    EXPECT_EQ(borussia.DP, 98);
    EXPECT_EQ(borussia.SocialUnrest, 65.0f);

    // A leader joins nobody, whatever it leans to.
    const int ruthenian = std::exchange(Country(kRuthenia).Orientation, helvetia.Orientation);
    const int zone = std::exchange(Country(kRuthenia).ZoneOfInfluence, helvetia.ZoneOfInfluence);
    ASSERT_TRUE(CanDeclareWar(kBorussia, kRuthenia, text));
    EXPECT_EQ(text, FormatText(L"Declare war: social unrest rises by %i, cost %i DP.",
                               DeclareWarUnrest(kBorussia, kRuthenia), DeclareWarDpCost(kBorussia, kRuthenia)));
    Country(kRuthenia).Orientation = ruthenian;
    Country(kRuthenia).ZoneOfInfluence = zone;
    EXPECT_FALSE(CanDeclareWar(kBorussia, kHelvetia, text));
    EXPECT_EQ(text, L"Already at war with Helvetia.");
    EXPECT_FALSE(CanDeclareWar(kAlbion, kValdonia, text));
    EXPECT_EQ(text, L"Valdonia is an ally: no war on allies.");
    EXPECT_FALSE(CanDeclareWar(kRuthenia, kValdonia, text));
    EXPECT_EQ(text, L"Valdonia is a member of an alliance: declare war on its leader.");
}

// What the question before a war tells is what the war then brings: the side that comes in
// with the target, and every country still fighting that it sets against the declarer.
TEST_F(Diplomacy, TheOutcomeToldBeforeADeclarationIsTheOneItBrings)
{
    const struct
    {
        const char* what;
        int declarer, target, zone, orientation, neutral, gone, joined;
        std::vector<int> enemies;
    } cases[] = {
        {"case 3, a neutral on a leader", kHelvetia, kAlbion, 0, ORIENTATION_NATIONALIST, 0, 0, 0, {kAlbion, kValdonia}},
        {"case 6, a leader on a leader", kRuthenia, kAlbion, 0, ORIENTATION_DEMOCRACY, 0, 0, 0, {kAlbion, kValdonia}},
        {"one that surrendered is out", kRuthenia, kAlbion, 0, ORIENTATION_DEMOCRACY, 0, kValdonia, 0, {kAlbion}},
        {"case 5, the target joins", kRuthenia, kHelvetia, 1, ORIENTATION_DEMOCRACY, 0, 0, 1,
         {kAlbion, kHelvetia, kValdonia}},
        {"case 4, the target stays alone", kBorussia, kHelvetia, 0, ORIENTATION_DEMOCRACY, 0, 0, 0, {kHelvetia}},
        {"case 2, a neutral on one that joins", kValdonia, kHelvetia, 1, ORIENTATION_DEMOCRACY, kValdonia, 0, 1,
         {kAlbion, kHelvetia}},
        {"case 1, neutral on neutral", kValdonia, kHelvetia, 0, ORIENTATION_DEMOCRACY, kValdonia, 0, 0, {kHelvetia}},
    };
    const cRelationsMatrix relations = *game->m_Relations;
    std::vector<int> alliances;
    for (const cPanstwo* c : game->m_Countries)
        alliances.push_back(c->Alliance);
    for (const auto& c : cases)
    {
        *game->m_Relations = relations;
        for (size_t k = 0; k < alliances.size(); ++k)
        {
            game->m_Countries[k]->Alliance = alliances[k];
            game->m_Countries[k]->IsActive = true;
        }
        Country(kHelvetia).ZoneOfInfluence = c.zone;
        Country(kHelvetia).Orientation = c.orientation;
        if (c.neutral)
            Country(c.neutral).Alliance = ALLIANCE_NEUTRAL;
        if (c.gone)
            Country(c.gone).IsActive = false;
        const sDeclarationOutcome told = DeclarationOutcome(c.declarer, c.target);
        EXPECT_EQ(told.joinedSide, c.joined) << c.what;
        EXPECT_EQ(told.newEnemies, c.enemies) << c.what;

        ASSERT_NE(DeclareWar(c.declarer, c.target, false), 0) << c.what;
        std::vector<int> brought;
        for (const cPanstwo* other : game->m_Countries)
            if (other->IsActive && CountriesAtWar(c.declarer, other->ID) && !relations.IsAtWar(c.declarer, other->ID))
                brought.push_back(other->ID);
        EXPECT_EQ(brought, told.newEnemies) << c.what;
        EXPECT_EQ(Country(c.target).Alliance, c.joined ? c.joined : alliances[size_t(c.target - 1)]) << c.what;
    }
}

TEST_F(Diplomacy, TheDeclareWarTablesAreReadByDeclarerAndTarget)
{
    // A neutral pro-Axis declarer reads row 7; an Axis member of orientation 0 column 5.
    Country(kHelvetia).Orientation = ORIENTATION_PRO_AXIS;
    cPanstwo& valdonia = Country(kValdonia);
    valdonia.Alliance = ALLIANCE_AXIS;
    valdonia.Orientation = ORIENTATION_DEMOCRACY;
    EXPECT_EQ(Country(kHelvetia).GetDeclareWarRow(), 7);
    EXPECT_EQ(valdonia.GetDeclareWarColumn(), 5);
    EXPECT_EQ(DeclareWarDpCost(kHelvetia, kValdonia), 47 * 30 / 100);
    EXPECT_EQ(DeclareWarUnrest(kHelvetia, kValdonia), 101);
    // A row by the alliance code, a neutral's by its leaning; a column by a leader's code, any
    // other's by its leaning; -1 where neither names one.
    const struct
    {
        int alliance, orientation, row, column;
    } codes[] = {
        {ALLIANCE_ALLIES, ORIENTATION_COMMUNIST, 5, 3},        {ALLIANCE_COMINTERN, ORIENTATION_DEMOCRACY, 3, 5},
        {ALLIANCE_ALLIES_LEADER, ORIENTATION_PRO_AXIS, 2, 2},  {ALLIANCE_COMINTERN_LEADER, ORIENTATION_DEMOCRACY, 0, 0},
        {ALLIANCE_NEUTRAL, ORIENTATION_PRO_COMINTERN, 6, 3},   {ALLIANCE_NEUTRAL, ORIENTATION_NATIONALIST, 7, 4},
        {ALLIANCE_NEUTRAL, ORIENTATION_PRO_ALLIED, 8, 5},      {7, ORIENTATION_DEMOCRACY, -1, 5},
        {ALLIANCE_NEUTRAL, 6, -1, -1},
    };
    for (const auto& c : codes)
    {
        valdonia.Alliance = c.alliance;
        valdonia.Orientation = c.orientation;
        EXPECT_EQ(valdonia.GetDeclareWarRow(), c.row) << c.alliance << " " << c.orientation;
        EXPECT_EQ(valdonia.GetDeclareWarColumn(), c.column) << c.alliance << " " << c.orientation;
    }
}

TEST_F(Diplomacy, HasteningToAFullEntryJoinsTheSideTheCountryLeansTo)
{
    cPanstwo& helvetia = Country(kHelvetia);
    helvetia.DP = 50;
    helvetia.AllianceEntry = 99;
    std::wstring text;
    // An orientation that leans nowhere joins nothing, with its one log line.
    helvetia.Orientation = 6;
    HastenAllianceEntry(kHelvetia, text);
    EXPECT_EQ(helvetia.Alliance, ALLIANCE_NEUTRAL);
    EXPECT_TRUE(LogContains(L"Error 1: Orientation not specified"));
    EXPECT_EQ(CountLogLinesStartingWith(LangText("error_in_returning_target_alliance:_orientation_not_specified")), 0);
    helvetia.Orientation = ORIENTATION_DEMOCRACY;
    helvetia.DoneHasteWarEntry = false;
    helvetia.AllianceEntry = 99;
    helvetia.DP = 50;

    ASSERT_TRUE(CanHastenAllianceEntry(kHelvetia, text));
    HastenAllianceEntry(kHelvetia, text);
    EXPECT_EQ(helvetia.Alliance, ALLIANCE_ALLIES);
    EXPECT_EQ(helvetia.AllianceEntry, 100);
    EXPECT_EQ(text, L"Helvetia joins the Allies!");
    EXPECT_TRUE(CountriesAtWar(kHelvetia, kBorussia)) << "the leader's wars come with the entry";
    EXPECT_FALSE(CanHastenAllianceEntry(kHelvetia, text));
    EXPECT_EQ(text, L"Helvetia already belongs to an alliance.");

    cPanstwo& valdonia = Country(kValdonia); // leaving the Allies, leaning to the Axis
    valdonia.Alliance = ALLIANCE_NEUTRAL;
    valdonia.Orientation = ORIENTATION_PRO_AXIS;
    valdonia.AllianceEntry = 99;
    valdonia.DP = 100;
    HastenAllianceEntry(kValdonia, text);
    EXPECT_EQ(text, L"Valdonia joins the Axis!");
}

TEST_F(Diplomacy, PressureOfTheSameLeaningAlwaysRaisesTheEntry)
{
    Country(kAlbion).DP = 100;
    cPanstwo& helvetia = Country(kHelvetia);
    helvetia.AllianceEntry = 10;
    EXPECT_EQ(ExertPressureChance(kAlbion, kHelvetia), 100);
    std::wstring text;
    ASSERT_TRUE(CanExertPressure(kAlbion, kHelvetia, text));
    ExertPressure(kAlbion, kHelvetia, text);
    EXPECT_GT(helvetia.AllianceEntry, 10);
    EXPECT_TRUE(helvetia.DoneExertPressureAllied);
    EXPECT_FALSE(CanExertPressure(kAlbion, kHelvetia, text));
    EXPECT_EQ(text, L"The Allies have already pressed Helvetia this turn.");

    // Pressed to a full entry, the country joins the side it leans to.
    helvetia.DoneExertPressureAllied = false;
    helvetia.AllianceEntry = 99;
    ExertPressure(kAlbion, kHelvetia, text);
    EXPECT_EQ(helvetia.AllianceEntry, 100);
    EXPECT_EQ(helvetia.Alliance, ALLIANCE_ALLIES);
}

TEST_F(Diplomacy, ACoupNeedsAnotherOrientationAndTurnsTheTarget)
{
    Country(kBorussia).DP = 100;
    cPanstwo& helvetia = Country(kHelvetia);
    helvetia.Orientation = ORIENTATION_NATIONALIST;
    std::wstring text;
    EXPECT_FALSE(CanStageCoup(kBorussia, kHelvetia, text));
    EXPECT_EQ(text, L"Helvetia already has this orientation.");

    // Same leaning, other orientation: allowed; a nationalist instigator makes it a firm regime.
    helvetia.Orientation = ORIENTATION_PRO_AXIS;
    ASSERT_TRUE(CanStageCoup(kBorussia, kHelvetia, text));
    ScriptRandomRaw({0}); // the coup succeeds
    StageCoup(kBorussia, kHelvetia, text);
    EXPECT_EQ(helvetia.Orientation, ORIENTATION_NATIONALIST);
}

TEST_F(Diplomacy, ElectionsForAnOrientationOutsideTheTableAreRefused)
{
    cPanstwo& helvetia = Country(kHelvetia);
    std::wstring text;
    ASSERT_TRUE(CanHoldElections(kHelvetia, text));
    HoldElections(kHelvetia, 6, text);
    EXPECT_FALSE(helvetia.DoneParliamentaryElections);
    EXPECT_EQ(helvetia.Orientation, ORIENTATION_DEMOCRACY);
    HoldElections(kHelvetia, ORIENTATION_NATIONALIST, text);
    EXPECT_EQ(helvetia.Orientation, ORIENTATION_NATIONALIST);
    EXPECT_FALSE(CanHoldElections(kHelvetia, text));

    // From pro-Allied to pro-Axis the alliance entry drops by the roll.
    const float roll[3] = {1, 6, 0};
    std::copy(roll, roll + 3, game->m_Consts.ElectionsRoll);
    helvetia.Orientation = ORIENTATION_PRO_ALLIED;
    helvetia.AllianceEntry = 50;
    helvetia.DoneParliamentaryElections = false;
    ScriptRandomRaw({32767}); // a six
    HoldElections(kHelvetia, ORIENTATION_PRO_AXIS, text);
    EXPECT_EQ(helvetia.Orientation, ORIENTATION_PRO_AXIS);
    EXPECT_EQ(helvetia.AllianceEntry, 44);
}

} // namespace
