// Sea battles at the end of an impulse: where they break out, the surprise attacks before
// them, and a battle from its stages to its end report.
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "core/lock.h"
#include "core/random.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "game/play_counts.h"
#include "tests/test_support.h"
#include "tests/units/naval_testland.h"
#include "tests/world/world_fixture.h"
#include "units/sea_battle.h"
#include "world/relations.h"

using namespace naval_tests;
using testing_support::ClearLog;
using testing_support::CountLogLinesStartingWith;
using testing_support::LogContains;
using testing_support::LogStartsWith;

namespace {

class SeaBattles : public NavalTestland
{
protected:
    SeaBattles()
    {
        // The German battle fleet sails into the Channel, where the Home Fleet lies.
        Fleet(3).seaNode = kChannel;
        Consts().SeaBattleParticipation = 100;
        for (int t = 0; t < 6; ++t)
            Consts().SeaBattleDetection[t] = 1000;
        Consts().SeaBattleDetection[6] = Consts().SeaBattleDetection[7] = 0;
    }
    // Albion and Borussia played by the computer.
    void ComputersOnly() { Country(kAlbion).HumanControlled = false; }
    // The end reports of battles (the announcements are kind 20 too, but to every country).
    int EndReports() const
    {
        int n = 0;
        for (const sRaport& r : game->m_Reports->GetReports())
            n += r.kind == 20 && r.text.rfind(L"Sea battle at ", 0) == 0 ? 1 : 0;
        return n;
    }
};

} // namespace

TEST_F(SeaBattles, NoParticipationNoBattleAndAPortNeverSeesOne)
{
    Consts().SeaBattleParticipation = 0;
    RunSeaBattles();
    EXPECT_EQ(g_PlayCounts.seaBattles.load(), 0);
    EXPECT_EQ(Reports(20), 0);
    EXPECT_EQ(game->GetGameState(), kStateEndOfImpulse);

    // Both fleets in the port of Hamburgum, everyone joining and detecting: still none.
    Consts().SeaBattleParticipation = 100;
    Fleet(1).seaNode = kHamburgumPort;
    Fleet(3).seaNode = kHamburgumPort;
    RunSeaBattles();
    EXPECT_EQ(g_PlayCounts.seaBattles.load(), 0);
}

TEST_F(SeaBattles, ComputerBattleIsFoughtToItsEndWithReportsAndTheSameSeedGivesTheSameBattle)
{
    std::vector<std::wstring> first;
    for (int run = 0; run < 2; ++run) {
        if (run == 1) {
            DeleteGameObject();
            game = LoadGame(sGameLoadRequest::ForScenario(L"Testland"));
            SetPresentation(&acting);
            Fleet(3).seaNode = kChannel;
            Consts().SeaBattleParticipation = 100;
            for (int t = 0; t < 6; ++t)
                Consts().SeaBattleDetection[t] = 1000;
            Consts().SeaBattleDetection[6] = Consts().SeaBattleDetection[7] = 0;
        }
        ComputersOnly();
        acting.requests.clear();
        SeedRandom(1234);
        RunSeaBattles();
        std::vector<std::wstring> texts;
        int sunk = 0;
        for (const sRaport& r : game->m_Reports->GetReports()) {
            if (r.kind == 20 || r.kind == 33)
                texts.push_back(r.text);
            sunk += r.kind == 33 ? 1 : 0;
        }
        ASSERT_GE(EndReports(), 1);
        // The record of the war at sea: the battles in the Channel with both navies, and each
        // ship lost with the country that sank it.
        const std::vector<sSeaBattleRecord> battles = g_PlayCounts.SeaBattles();
        ASSERT_EQ(int(battles.size()), g_PlayCounts.seaBattles.load());
        EXPECT_EQ(battles.front().zone, L"Channel");
        EXPECT_EQ(battles.front().countries, (std::vector<std::wstring>{L"Albion", L"Borussia"}));
        EXPECT_EQ(battles.front().date[2], game->m_Date[2]);
        const std::vector<sShipLossRecord> losses = g_PlayCounts.ShipLosses();
        EXPECT_EQ(int(losses.size()), sunk);
        for (const sShipLossRecord& loss : losses) {
            EXPECT_TRUE(loss.by == "sea battle" || loss.by == "surprise attack") << loss.by;
            EXPECT_EQ(loss.zone, L"Channel");
            EXPECT_EQ(loss.byCountry, loss.country == L"Albion" ? L"Borussia" : L"Albion");
        }
        EXPECT_EQ(LastReport(20, kAlbion).rfind(L"Sea battle at Channel", 0), 0u) << LastReport(20, kAlbion);
        EXPECT_EQ(Requests(eRequestKind::SeaBattle), 0);
        EXPECT_EQ(Requests(eRequestKind::Message), 0);
        EXPECT_EQ(CurrentSeaBattle(), nullptr);
        EXPECT_EQ(game->GetGameState(), kStateEndOfImpulse);
        if (run == 0)
            first = texts;
        else
            EXPECT_EQ(texts, first);
    }
}

TEST_F(SeaBattles, APersonsBattleWaitsOnTheScreenWhichMayLoseAShipAndTheRestIsFoughtAtOnce)
{
    Ship(1).Kill(false);  // no carrier: no stages
    bool served = false;
    acting.onRequest = [&](const sPresentationRequest& r) {
        if (r.kind != eRequestKind::SeaBattle || served)
            return;
        served = true;
        cSeaBattle* battle = CurrentSeaBattle();
        ASSERT_NE(battle, nullptr);
        EXPECT_FALSE(battle->m_AutoResolve); // a person's side: the screen waits for their clicks
        cJednostkaMorska& hipper = Ship(5);
        EXPECT_EQ(hipper.m_X, 17);  // second side, second other-ship slot
        EXPECT_EQ(hipper.m_Y, 14);
        game->SetGameState(kStateSeaBattleScreen);
        hipper.Kill(true);
        game->SetGameState(kStateSeaBattles);
        // Its cell is empty on the board the screen draws.
        for (const sSeaBattleBoardShip& on : battle->BoardShips())
            EXPECT_NE(std::make_pair(on.column, on.row), std::make_pair(17, 14)) << WideToUtf8(on.ship->m_Name);
        EXPECT_NE(battle->m_SecondSelected, &hipper);
        for (const cJednostkaMorska* s : battle->m_SecondSide)
            EXPECT_NE(s->m_Name, L"Hipper");
    };
    SeedRandom(99);
    RunSeaBattles();
    EXPECT_TRUE(served);
    EXPECT_GE(Requests(eRequestKind::SeaBattle), 1);
    EXPECT_GE(EndReports(), 1);
    // The first battle's end report counts the ship lost on the screen as destroyed.
    bool listed = false;
    for (const sRaport& r : game->m_Reports->GetReports())
        listed = listed || (r.kind == 20 && r.text.find(L"Destroyed ships:\nHipper\n") != std::wstring::npos);
    EXPECT_TRUE(listed);
}

// By e-mail a battle plays itself to its end, on the screen of the person whose country fought.
TEST_F(SeaBattles, ByEmailAPersonsBattleIsShownWhileItPlaysItselfOut)
{
    game->m_IsPbem = true;
    Country(kAlbion).PBEMPlayerId = 1;
    Country(kBorussia).PBEMPlayerId = 0;
    SeedRandom(99);
    RunSeaBattles();
    EXPECT_GE(Requests(eRequestKind::SeaBattle), 1);
    EXPECT_GE(EndReports(), 1);
    // The game keeps the battle's record for the players whose countries fought in it.
    ASSERT_FALSE(game->m_SeaBattleLogs.empty());
    EXPECT_EQ(game->m_SeaBattleLogs.front().pbemCountries, std::set<int>{kAlbion});
}

TEST_F(SeaBattles, ASideWithoutALeaderSkipsOnlyItself)
{
    ComputersOnly();
    Country(kAlbion).Alliance = 1;  // the Allies have no leader now
    SeedRandom(5);
    RunSeaBattles();
    EXPECT_TRUE(LogStartsWith(L"Axis fleets have met enemy formations in Channel"));
    EXPECT_FALSE(LogStartsWith(L"Allied fleets have met"));
    EXPECT_GE(g_PlayCounts.seaBattles.load(), 1);
}

// Each ship joins on a roll within the participation; the check is won on a roll within the
// detection of the searching side's shown ships. Borussia's fleet lies hidden in the Channel,
// so only the Allies search there.
TEST_F(SeaBattles, JoiningAndTheCheckFollowTheirRollsAndOnlyShownShipsSearch)
{
    const std::wstring succeeded = L"Check succeeded, starting battle";
    const std::wstring failed = LangText("check_failed._no_battle_here_this_time.");
    const struct
    {
        int participation, joinRoll, carrier, battleship, check;
        bool homeFleetShown;
        const std::wstring* logged;
    } cases[] = {
        {50, 50, 1000, 1000, 1000, true, &succeeded},
        {100, 100, 3, 4, 7, true, &succeeded},
        {100, 100, 3, 4, 8, true, &failed},
        {100, 100, 1, 0, 1, true, &succeeded},
        {100, 100, 1000, 1000, 1, false, nullptr},
    };
    for (const auto& c : cases) {
        DeleteGameObject();
        game = LoadGame(sGameLoadRequest::ForScenario(L"Testland"));
        SetPresentation(&acting);
        ComputersOnly();
        Fleet(3).seaNode = kChannel;
        Fleet(3).isActive = 0;
        Fleet(4).seaNode = kHamburgumPort;  // no raider to look for in the North Sea
        Fleet(1).isActive = c.homeFleetShown ? 1 : 0;
        Consts().SeaBattleParticipation = c.participation;
        Consts().SeaBattleDetection[0] = c.carrier;
        Consts().SeaBattleDetection[1] = c.battleship;
        Consts().SeaBattleDetection[6] = Consts().SeaBattleDetection[7] = 0;  // no surprise attacks
        ClearLog();
        // Ark Royal and Warspite join, then Bismarck, Hipper and the Landungsflotte; the check.
        const int join = RawFor(c.joinRoll, 1, 100);
        ScriptRandomRaw({join, join, join, join, join, RawFor(c.check, 1, 1000)});
        RunSeaBattles();
        ClearRandomScript();
        EXPECT_EQ(LogContains(succeeded), c.logged == &succeeded) << c.check;
        EXPECT_EQ(LogContains(failed), c.logged == &failed) << c.check;
        // A country of an alliance never searches as a neutral one.
        EXPECT_FALSE(LogStartsWith(L"The fleets of "));
    }
}

// A raider is found on a roll within the searchers' detection shared among the raiders in the
// zone, by each side or by a neutral country at war; it is met alone on the screen of the
// searchers' person. Borussia's battle fleet lies hidden beside it.
TEST_F(SeaBattles, ARaiderIsFoundWithinTheSearchersDetectionSharedAmongTheRaiders)
{
    const struct
    {
        int searcher, check;
        const wchar_t* met;  // nullptr: not found
    } cases[] = {
        {kAlbion, 7, L"Allied fleets have met the enemy raider U-47 in Channel"},
        {kAlbion, 8, nullptr},
        {kRuthenia, 7, L"Comintern fleets have met the enemy raider U-47 in Channel"},
        {kHelvetia, 7, L"The fleets of Helvetia have met the enemy raider U-47 in Channel"},
        {kHelvetia, 8, nullptr},
    };
    for (const auto& c : cases) {
        DeleteGameObject();
        game = LoadGame(sGameLoadRequest::ForScenario(L"Testland"));
        SetPresentation(&acting);
        Fleet(3).seaNode = Fleet(4).seaNode = kChannel;
        Fleet(3).isActive = 0;
        Consts().SeaBattleParticipation = 100;
        Consts().SeaBattleDetection[1] = 7;
        Consts().SeaBattleDetection[6] = Consts().SeaBattleDetection[7] = 0;
        // Warspite sails for the searcher, at war with Borussia and played by a person; with
        // no carrier the battle goes straight to the screen.
        Ship(1).Kill(false);
        SetWar(c.searcher, kBorussia, true);
        Fleet(1).owner = Ship(2).m_Owner = c.searcher;
        Country(c.searcher).HumanControlled = true;
        size_t metAlone = 0;
        acting.onRequest = [&](const sPresentationRequest& r) {
            if (r.kind == eRequestKind::SeaBattle && CurrentSeaBattle())
                metAlone = CurrentSeaBattle()->m_SecondSide.size();
        };
        ClearLog();
        // The regular searches: every ship joins and no check is won. The Allies look for the
        // raider first, without a ship of theirs when Warspite is not Albion's.
        const bool allied = c.searcher == kAlbion;
        const int join = RawFor(100, 1, 100), none = RawFor(1000, 1, 1000);
        std::vector<int> rolls(allied ? 5 : 8, join);
        rolls.insert(rolls.begin() + (allied ? 4 : 8), none);
        if (!allied)
            rolls.push_back(none);
        for (int roll : {RawFor(c.check, 1, 1000), join})
            rolls.push_back(roll);
        SeedRandom(99);  // the rolls after these, in the battle
        ScriptRandomRaw(rolls);
        RunSeaBattles();
        ClearRandomScript();
        acting.onRequest = nullptr;
        EXPECT_EQ(CountLogLinesStartingWith(L"Allied fleets have met") +
                      CountLogLinesStartingWith(L"Comintern fleets have met") +
                      CountLogLinesStartingWith(L"The fleets of "),
                  c.met ? 1 : 0)
            << c.searcher << " " << c.check;
        if (c.met) {
            EXPECT_TRUE(LogContains(c.met)) << c.searcher;
            EXPECT_EQ(metAlone, 1u) << c.searcher;
        }
    }
}

TEST_F(SeaBattles, WeightsOnTheLastLengthGiveFiveTurns)
{
    for (int w = 0; w < 5; ++w)
        Consts().SeaBattleConditionWeights[w] = w == 4 ? 1 : 0;
    tSeaBattleSide first{&Ship(2)}, second{&Ship(4)};
    ScriptRandomRaw({0});
    cSeaBattle battle(first, second);
    EXPECT_EQ(battle.m_TurnsLeft, 5);

    // Weights 1 to 5 (15 in all): a roll up to 1 gives one turn, up to 3 two, up to 6
    // three, up to 10 four, above that five.
    for (int w = 0; w < 5; ++w)
        Consts().SeaBattleConditionWeights[w] = w + 1;
    for (auto [roll, turns] : {std::pair{1, 1}, {2, 2}, {3, 2}, {4, 3}, {6, 3}, {7, 4}, {10, 4}, {11, 5}, {15, 5}}) {
        tSeaBattleSide a{&Ship(2)}, b{&Ship(4)};
        ScriptRandomRaw({RawFor(roll, 1, 15)});
        cSeaBattle drawn(a, b);
        EXPECT_EQ(drawn.m_TurnsLeft, turns) << "roll " << roll;
    }
}

// A shot hits when the roll is at most the chance: (the shooter's navy + 3) x 10, less the
// target's own commander's rating x row 180, halved for a carrier in the rear columns and
// for a ship seen other than its fleet, and never below 1.
TEST_F(SeaBattles, AShotHitsWithinItsChance)
{
    Country(kAlbion).TechLevel[TECH_NAVY] = 4;   // Warspite: 70
    Country(kBorussia).TechLevel[TECH_NAVY] = 2; // Bismarck and Hipper: 50
    Consts().CommanderSeaBonus[0] = 5;
    ASSERT_NE(Ship(4).m_Commander, nullptr);
    tSeaBattleSide first{&Ship(1), &Ship(2)}, second{&Ship(4), &Ship(5)};
    cSeaBattle battle(first, second);
    for (cJednostkaMorska* ship : game->m_NavalUnits) {
        ship->m_HP = ship->m_MaxHP = 50;
        ship->m_Spotted = true;
    }
    struct sCase
    {
        int shooter, target, column, skill;
        bool seenOtherwise;
        int chance;
    };
    const sCase cases[] = {
        {2, 5, 17, 0, false, 70}, {2, 4, 17, 2, false, 60}, {2, 4, 17, 20, false, 1},
        {4, 1, 3, 0, false, 25},  {4, 1, 4, 0, false, 50},  {4, 1, 26, 0, false, 50},
        {4, 1, 27, 0, false, 25}, {5, 2, 13, 0, true, 25},  {5, 2, 13, 0, false, 50},
    };
    for (const sCase& c : cases)
        for (int roll : {c.chance, c.chance + 1}) {
            cJednostkaMorska& shooter = Ship(c.shooter);
            cJednostkaMorska& target = Ship(c.target);
            Ship(4).m_Commander->Skill = c.skill;
            target.m_X = c.column;
            target.m_Spotted = !c.seenOtherwise;
            shooter.m_ActiveInBattle = true;
            const bool firstShoots = c.shooter < 4;
            battle.m_FirstSideActs = firstShoots;
            battle.m_FirstSelected = firstShoots ? &shooter : &target;
            battle.m_SecondSelected = firstShoots ? &target : &shooter;
            battle.m_TurnsLeft = 5;
            const size_t before = battle.m_Log.size();
            ScriptRandomRaw({RawFor(roll, 1, 100)});
            battle.ExecuteShot();
            const std::wstring shot = battle.m_Log.substr(before);
            EXPECT_EQ(shot.find(L"miss") == std::wstring::npos, roll <= c.chance)
                << c.shooter << " at " << c.target << ", roll " << roll << ": " << WideToUtf8(shot);
            target.m_Spotted = true;
        }
    // A hit that leaves one hit point does not sink; the ship that fired is not chosen again.
    Ship(5).m_HP = 2;
    Ship(2).m_ActiveInBattle = battle.m_FirstSideActs = true;
    battle.m_FirstSelected = &Ship(2);
    battle.m_SecondSelected = &Ship(5);
    ScriptRandomRaw({RawFor(1, 1, 100), RawFor(1, 1, 100)});
    const size_t told = battle.m_Log.size();
    battle.ExecuteShot();
    EXPECT_NE(battle.m_Log.find(L"Hipper and hits", told), std::wstring::npos) << WideToUtf8(battle.m_Log.substr(told));
    battle.m_FirstSideActs = true;
    EXPECT_FALSE(battle.IsShipOnFirstSide(2));
}

// The stages: a carrier strikes once per navy level and hits below 30 per mille a level; a
// side alone with carriers strikes again with |tA - tB| x 5 percent and calls the battle off
// with nA + (tA - tB + 1) x 20; a submarine hits below 10 per mille a level (5 when only
// submarines meet), and a side of submarines calls it off with 50 - k, two such with
// 100 - sA - sB percent.
TEST_F(SeaBattles, TheStagesStrikeAndCallTheBattleOffByTheirChances)
{
    Country(kAlbion).TechLevel[TECH_NAVY] = 2;
    Country(kBorussia).TechLevel[TECH_NAVY] = 0;
    Country(kAlbion).TechLevel[TECH_SUBMARINES] = 2;
    Country(kBorussia).TechLevel[TECH_SUBMARINES] = 3;
    auto* albionsSubmarine = new cJednostkaMorska(Ship(6));
    albionsSubmarine->m_Id = 100;
    albionsSubmarine->SetName(L"Upholder");
    albionsSubmarine->m_Owner = kAlbion;
    albionsSubmarine->m_Fleet = nullptr;
    game->m_NavalUnits.push_back(albionsSubmarine);
    auto* borussianCarrier = new cJednostkaMorska(Ship(1));
    borussianCarrier->m_Id = 101;
    borussianCarrier->m_Owner = kBorussia;
    borussianCarrier->m_Fleet = nullptr;
    game->m_NavalUnits.push_back(borussianCarrier);
    const int i = RawFor(0, 0, 1), only = RawFor(0, 0, 0);
    auto per = [](int roll) { return RawFor(roll, 0, 1000); };
    auto percent = [](int roll) { return RawFor(roll, 0, 100); };
    auto below = [](int chance) { return RawFor(chance, 0, 100) - 1; }; // the highest roll under it
    struct sCase
    {
        std::vector<int> first, second, rolls;
        size_t records;
        bool cancelled;
        int borussianNavy = 0;
    };
    const sCase cases[] = {
        // Two strikes of Ark Royal (one hits), no second strike (10 %), no call-off (61 %).
        {{1, 2}, {4, 5}, {per(59), i, per(60), percent(10), percent(61)}, 1, false},
        // Both strikes miss, the second round's two hit, and the battle is called off, each on
        // the highest roll under its chance.
        {{1, 2}, {4, 5}, {per(60), per(60), below(10), per(59), i, per(59), i, below(61)}, 2, true},
        // Carriers on both sides: the call-off below 1 + 1 + 20.
        {{1, 2}, {4, 101}, {per(60), per(60), percent(21)}, 0, true},
        {{1, 2}, {4, 101}, {per(60), per(60), percent(22)}, 0, false},
        // U-47 against Warspite: a hit below 30, the call-off below 49.
        {{2}, {6}, {per(29), only, percent(48)}, 1, true},
        {{2}, {6}, {per(30), percent(49)}, 0, false},
        // A submarine beside a battleship calls nothing off.
        {{2}, {4, 6}, {per(30), percent(0)}, 0, false},
        // Submarines alone: hits below 10 and 15, call-offs below 49 and 98.
        {{100}, {6}, {per(9), only, per(14), only, percent(49), below(98)}, 2, true},
        {{100}, {6}, {per(10), per(15), percent(49), percent(98)}, 0, false},
        // Navies 2 and 1: no second strike at 5 (|2 - 1| x 5), no call-off at 41 (1 + 2 x 20).
        {{1, 2}, {4, 5}, {per(60), per(60), percent(5), percent(41), per(59), i, percent(41)}, 0, false, 1},
    };
    for (const sCase& c : cases) {
        tSeaBattleSide first, second;
        for (int id : c.first)
            first.push_back(id == 100 ? albionsSubmarine : &Ship(id));
        for (int id : c.second)
            second.push_back(id == 101 ? borussianCarrier : &Ship(id));
        for (cJednostkaMorska* ship : game->m_NavalUnits)
            ship->m_HP = ship->m_MaxHP = 50;
        Country(kBorussia).TechLevel[TECH_NAVY] = c.borussianNavy;
        cSeaBattle battle(first, second);
        ScriptRandomRaw(c.rolls);
        battle.Run();
        EXPECT_EQ(battle.m_StageRecords.size(), c.records) << "case " << &c - cases;
        EXPECT_EQ(battle.m_RegularPartCancelled, c.cancelled) << "case " << &c - cases;
        for (const sSeaBattleStageRecord& r : battle.m_StageRecords)
            EXPECT_EQ(r.damage, r.kind == 0 ? 2.0f : (r.attacker.rfind(L"U-47", 0) == 0 ? 3.0f : 2.0f));
    }
}

// The side with more carriers fires first; else the better navy of the first ships'
// owners; else the larger side; else the side of the lower country id.
TEST_F(SeaBattles, TheSideWithMoreCarriersABetterNavyMoreShipsOrTheLowerIdStarts)
{
    auto* borussianCarrier = new cJednostkaMorska(Ship(1));
    borussianCarrier->m_Id = 100;
    borussianCarrier->m_Owner = kBorussia;
    borussianCarrier->m_Fleet = nullptr;
    borussianCarrier->m_Spotted = true;
    game->m_NavalUnits.push_back(borussianCarrier);
    struct sCase
    {
        std::vector<int> first, second;
        int navyA, navyB;
        bool firstStarts;
    };
    const sCase cases[] = {
        {{2}, {4, 100}, 3, 0, false}, {{2}, {4}, 3, 2, true}, {{2}, {4}, 2, 3, false},
        {{2}, {4, 5}, 2, 2, false},   {{2, 1}, {4}, 0, 0, true},
        {{2}, {4}, 2, 2, true},       {{4}, {2}, 2, 2, false},
    };
    for (const sCase& c : cases) {
        Country(kAlbion).TechLevel[TECH_NAVY] = c.navyA;
        Country(kBorussia).TechLevel[TECH_NAVY] = c.navyB;
        tSeaBattleSide first, second;
        for (int id : c.first)
            first.push_back(id == 100 ? borussianCarrier : &Ship(id));
        for (int id : c.second)
            second.push_back(id == 100 ? borussianCarrier : &Ship(id));
        for (cJednostkaMorska* ship : game->m_NavalUnits) {
            ship->m_HP = ship->m_MaxHP = 50;
            ship->m_Spotted = true;
        }
        cSeaBattle battle(first, second);
        // No carrier's second strike and no call-off.
        ScriptRandomRaw({RawFor(100, 0, 100), RawFor(100, 0, 100)});
        battle.Run();
        EXPECT_FALSE(battle.m_RegularPartCancelled) << "case " << &c - cases;
        EXPECT_EQ(battle.m_FirstSideStarts, c.firstStarts) << "case " << &c - cases;
    }
    // The side that starts sees no ship of the other: there is no first shot, and no battle.
    Country(kAlbion).TechLevel[TECH_NAVY] = 3;
    Country(kBorussia).TechLevel[TECH_NAVY] = 0;
    ASSERT_NE(Ship(4).m_Fleet, nullptr);
    Ship(4).m_Spotted = false;
    Ship(4).m_Fleet->isActive = 0;
    tSeaBattleSide first{&Ship(2)}, second{&Ship(4)};
    cSeaBattle unseen(first, second);
    unseen.Run();
    EXPECT_TRUE(unseen.m_FirstSideStarts);
    EXPECT_TRUE(unseen.m_RegularPartCancelled);
}

// Carriers and other ships stand in their own slots of each side's half of the board; those
// beyond the slots stay off it.
TEST_F(SeaBattles, EveryShipStandsInItsSlotOfItsSidesHalf)
{
    for (int id : {kAlbion, kBorussia})
        Country(id).TechLevel[TECH_NAVY] = 0; // no carrier strikes before the board
    auto copies = [&](int id, int count, tSeaBattleSide& side) {
        for (int n = 0; n < count; ++n) {
            auto* ship = new cJednostkaMorska(Ship(id));
            ship->m_Id = 1000 + int(game->m_NavalUnits.size());
            ship->m_Fleet = nullptr;
            ship->m_Spotted = true;
            game->m_NavalUnits.push_back(ship);
            side.push_back(ship);
        }
    };
    // Each side: 31 carriers, then 23 other ships.
    tSeaBattleSide first{&Ship(1)}, second;
    copies(1, 30, first);
    first.push_back(&Ship(2));
    copies(2, 22, first);
    copies(1, 31, second);
    copies(4, 23, second);
    const std::vector<cJednostkaMorska*> firstShips(first.begin(), first.end()), secondShips(second.begin(), second.end());
    const int carrierRows[15] = {0, -2, 2, -4, 4, -6, 6, -8, 8, -10, 10, -12, 12, -14, 14};
    const int otherSlots[22][2] = {{0, 0},  {0, -2}, {2, -1}, {2, 1},  {0, 2},  {0, -4}, {2, -3}, {4, -2},
                                   {4, 0},  {4, 2},  {2, 3},  {0, 4},  {0, -6}, {2, -5}, {4, -4}, {6, -3},
                                   {6, -1}, {6, 1},  {6, 3},  {4, 4},  {2, 5},  {0, 6}};
    bool placed = false;
    acting.onRequest = [&](const sPresentationRequest& r) {
        if (r.kind != eRequestKind::SeaBattle || placed)
            return;
        placed = true;
        for (bool firstSide : {true, false}) {
            const std::vector<cJednostkaMorska*>& ships = firstSide ? firstShips : secondShips;
            for (int k = 0; k < 31; ++k) {
                const int dc = k < 15 ? 0 : 2;
                const std::pair<int, int> slot = k < 30 ? std::pair{firstSide ? 3 - dc : 27 + dc, 16 + carrierRows[k % 15]}
                                                        : std::pair{-1, -1};
                EXPECT_EQ(std::make_pair(ships[size_t(k)]->m_X, ships[size_t(k)]->m_Y), slot) << firstSide << " carrier " << k;
            }
            for (int k = 0; k < 23; ++k) {
                const cJednostkaMorska* ship = ships[size_t(31 + k)];
                const std::pair<int, int> slot =
                    k < 22 ? std::pair{firstSide ? 13 - otherSlots[k][0] : 17 + otherSlots[k][0], 16 + otherSlots[k][1]}
                           : std::pair{-1, -1};
                EXPECT_EQ(std::make_pair(ship->m_X, ship->m_Y), slot) << firstSide << " ship " << k;
            }
        }
        // A ship moved to the board's first row is still on it.
        Ship(2).m_Y = 0;
        const std::vector<sSeaBattleBoardShip> board = CurrentSeaBattle()->BoardShips();
        EXPECT_TRUE(std::any_of(board.begin(), board.end(), [&](const sSeaBattleBoardShip& on) {
            return on.ship == &Ship(2) && on.row == 0;
        }));
    };
    cSeaBattle battle(first, second);
    // The stages do not call the battle off: a roll of 100.
    ScriptRandomRaw({RawFor(100, 0, 100)});
    battle.Run();
    acting.onRequest = nullptr;
    EXPECT_TRUE(placed);
}

TEST_F(SeaBattles, TransportsAloneCancelTheBattleWithoutAnEndReportAndTellOnlyAPerson)
{
    Fleet(2).seaNode = kChannel;
    tSeaBattleSide first{&Ship(3)}, second{&Ship(7)};
    cSeaBattle battle(first, second);
    battle.Run();
    EXPECT_TRUE(battle.m_RegularPartCancelled);
    EXPECT_EQ(EndReports(), 0);
    EXPECT_EQ(Requests(eRequestKind::Message, L"Fleet detected"), 1);  // Albion is a person's
    // It says which fleets met where, and is for Albion's person.
    const sPresentationRequest& detected = acting.requests.back();
    EXPECT_EQ(detected.text.rfind(L"Dover Transports (Albion) met Hochseeflotte (Borussia) in Channel.\n\n"
                                  L"Aircraft carrier groups\n",
                                  0),
              0u)
        << detected.text;
    EXPECT_EQ(detected.countryId, kAlbion);
    EXPECT_TRUE(detected.otherReaders.empty());
    // With a person on each side it is for both.
    Country(kBorussia).HumanControlled = true;
    tSeaBattleSide both{&Ship(3)}, enemy{&Ship(7)};
    cSeaBattle ofTwo(both, enemy);
    ofTwo.Run();
    EXPECT_EQ(acting.requests.back().countryId, kAlbion);
    EXPECT_EQ(acting.requests.back().otherReaders, std::vector<int>{kBorussia});
    Country(kBorussia).HumanControlled = false;

    ComputersOnly();
    tSeaBattleSide again{&Ship(3)}, other{&Ship(7)};
    cSeaBattle quiet(again, other);
    quiet.Run();
    EXPECT_EQ(Requests(eRequestKind::Message, L"Fleet detected"), 2);
    // A person whose ships did not fight is shown neither the box nor the board of the
    // computers' battle: it fights itself out.
    Country(kHelvetia).HumanControlled = true;
    tSeaBattleSide watchedA{&Ship(3)}, watchedB{&Ship(7)};
    cSeaBattle watched(watchedA, watchedB);
    watched.Run();
    EXPECT_EQ(Requests(eRequestKind::Message, L"Fleet detected"), 2);
    tSeaBattleSide foughtA{&Ship(2)}, foughtB{&Ship(4)};
    cSeaBattle fought(foughtA, foughtB);
    fought.Run();
    EXPECT_EQ(Requests(eRequestKind::SeaBattle), 0);
    EXPECT_TRUE(fought.IsOver());
    EXPECT_EQ(fought.m_TurnsLeft, 0); // the screen shows no turn left once it is over
    Country(kHelvetia).HumanControlled = false;

    // The message's title and headings are the language table's.
    Country(kAlbion).HumanControlled = true;
    g_StringBase.LoadFromBytes(cStringBase::Encode({{"sea_battle_fleet_detected_title", L"Flotte gesichtet"},
                                                    {"sea_battle_stage_carriers", L"Traegergruppen\n"},
                                                    {"sea_battle_stage_submarines", L"U-Boote\n"}}),
                               true);
    tSeaBattleSide third{&Ship(3)}, fourth{&Ship(7)};
    cSeaBattle told(third, fourth);
    told.Run();
    LoadGameTexts();
    EXPECT_EQ(Requests(eRequestKind::Message, L"Flotte gesichtet"), 1);
    EXPECT_EQ(told.m_StageLog.rfind(L"Traegergruppen\n", 0), 0u) << told.m_StageLog;
    EXPECT_NE(told.m_StageLog.find(L"U-Boote\n"), std::wstring::npos) << told.m_StageLog;
    // Nor is the board shown to a person whose only ship the stages sank: the computers'
    // ships left fight it out.
    Ship(2).m_Owner = kValdonia;
    Ship(3).m_HP = 1;
    tSeaBattleSide sunkA{&Ship(3), &Ship(2)}, sunkB{&Ship(6), &Ship(4)};
    cSeaBattle unwatched(sunkA, sunkB);
    ScriptRandomRaw({RawFor(0, 0, 1000), RawFor(0, 0, 1)}); // U-47 hits the transport
    unwatched.Run();
    EXPECT_EQ(Requests(eRequestKind::SeaBattle), 0);
}

TEST_F(SeaBattles, APersonHearsEveryShotAndTheEndReportListsTheShipsByName)
{
    // Nobody has seen the ships, but their fleets show: the person's battle is fought.
    for (cJednostkaMorska* ship : game->m_NavalUnits)
        ship->m_Spotted = false;
    Fleet(1).isActive = Fleet(3).isActive = 1;
    tSeaBattleSide first{&Ship(2)}, second{&Ship(4)};
    cSeaBattle heard(first, second);
    heard.Run();
    EXPECT_GE(acting.Played(L"NavalGun"), 1);

    // Bismarck (4) and Hipper (5), named so that their names and ids run the other way.
    Ship(5).SetName(L"Admiral Hipper");
    acting.onRequest = [&](const sPresentationRequest& r) {
        if (r.kind != eRequestKind::SeaBattle)
            return;
        Ship(4).Kill(true);
        Ship(5).Kill(true);
    };
    tSeaBattleSide third{&Ship(2)}, fourth{&Ship(4), &Ship(5)};
    cSeaBattle named(third, fourth);
    named.Run();
    acting.onRequest = nullptr;
    EXPECT_NE(LastReport(20, kAlbion).find(L"Destroyed ships:\nAdmiral Hipper\nBismarck\n"), std::wstring::npos)
        << LastReport(20, kAlbion);

    // A landing ship sunk in the battle is named with the division that went down aboard it:
    // in the shot, the end report and its owner's list of lost ships. Warspite fires in five
    // turns, each hit at navy 5 costing 1 hit point: the landing ship's one.
    for (int w = 0; w < 5; ++w)
        Consts().SeaBattleConditionWeights[w] = w == 4 ? 1 : 0;
    Country(kAlbion).TechLevel[TECH_NAVY] = 5;
    cFlota* landingFleet = game->FindLandUnitById(5)->LoadIntoTransport(UNIT_AMPHIBIOUS, Fleet(3).seaNode);
    ASSERT_NE(landingFleet, nullptr);
    cJednostkaMorska* landing = landingFleet->ships.back();
    const std::wstring lost = landing->m_Name + L" with 2. Motorised aboard";
    landing->m_HP = 1;
    landing->m_Spotted = true;
    tSeaBattleSide fifth{&Ship(2)}, sixth{landing};
    cSeaBattle sinking(fifth, sixth);
    SeedRandom(5);
    sinking.Run();
    EXPECT_EQ(game->FindLandUnitById(5), nullptr);
    const std::wstring end = LastReport(20, kBorussia);
    EXPECT_NE(end.find(L"HMS Warspite fires at " + lost + L" and sinks it"), std::wstring::npos) << WideToUtf8(end);
    EXPECT_NE(end.find(L"Destroyed ships:\n" + lost + L"\n"), std::wstring::npos) << WideToUtf8(end);
    EXPECT_EQ(LastReport(33, kBorussia).rfind(lost + L"\nHochseeflotte;HMS Warspite\n", 0), 0u)
        << WideToUtf8(LastReport(33, kBorussia));
}

TEST_F(SeaBattles, ARetreatingShipLeavesTheBattleAndItsLists)
{
    Consts().SeaBattleRetreatChance = 50;
    tSeaBattleSide first{&Ship(2)}, second{&Ship(4), &Ship(5)};
    cSeaBattle battle(first, second);
    cJednostkaMorska* hipper = &Ship(5);
    ScriptRandomRaw({RawFor(50, 1, 100)});  // 50 >= 50: fails
    battle.TryRetreat(hipper);
    EXPECT_EQ(battle.m_SecondSide.size(), 2u);
    // The try took its shot: chosen to fire before it, it does not; a ship that still may does.
    Ship(4).m_ActiveInBattle = Ship(2).m_ActiveInBattle = true;
    Ship(2).m_VisibleInBattle = true;
    battle.m_FirstSideActs = false;
    battle.m_FirstSelected = &Ship(2);
    battle.m_SecondSelected = hipper;
    battle.ExecuteShot();
    EXPECT_EQ(battle.m_Log.find(L"Hipper fires"), std::wstring::npos) << WideToUtf8(battle.m_Log);
    EXPECT_NE(battle.m_Log.find(L"Bismarck fires at HMS Warspite"), std::wstring::npos) << WideToUtf8(battle.m_Log);
    // Gone while chosen as Warspite's target, it leaves the battle going on a target the
    // battle picks again, and is not fired at from its place outside.
    ScriptRandomRaw({RawFor(49, 1, 100)});
    Ship(4).m_VisibleInBattle = hipper->m_VisibleInBattle = true;
    battle.m_SecondSelected = hipper;
    battle.TryRetreat(hipper);
    EXPECT_EQ(battle.m_SecondSide.size(), 1u);
    EXPECT_EQ(battle.m_SecondSelected, &Ship(4));
    EXPECT_TRUE(hipper->m_Retreated);
    EXPECT_NE(battle.m_Log.find(L"Hipper (Borussia) tried to retreat with chance 50%: success"), std::wstring::npos);
    const size_t before = battle.m_Log.size();
    battle.ExecuteShot();
    EXPECT_NE(battle.m_Log.find(L"HMS Warspite fires at Bismarck", before), std::wstring::npos)
        << WideToUtf8(battle.m_Log);
    EXPECT_EQ(battle.m_Log.find(L"Hipper", before), std::wstring::npos) << WideToUtf8(battle.m_Log);
    // A ship not chosen for the next shot leaves the chosen pair as it was.
    tSeaBattleSide third{&Ship(2)}, fourth{&Ship(4), hipper};
    cSeaBattle other(third, fourth);
    other.m_FirstSelected = &Ship(2);
    other.m_SecondSelected = &Ship(4);
    ScriptRandomRaw({RawFor(49, 1, 100)});
    other.TryRetreat(hipper);
    EXPECT_EQ(other.m_SecondSide.size(), 1u);
    EXPECT_EQ(other.m_FirstSelected, &Ship(2));
    EXPECT_EQ(other.m_SecondSelected, &Ship(4));
    // Lost while chosen (sunk, not retreated), it leaves the shot to a target picked again.
    tSeaBattleSide fifth{&Ship(2)}, sixth{&Ship(4), hipper};
    cSeaBattle lost(fifth, sixth);
    Ship(2).m_ActiveInBattle = Ship(4).m_VisibleInBattle = true;
    lost.m_FirstSideActs = true;
    lost.m_FirstSelected = &Ship(2);
    lost.m_SecondSelected = hipper;
    lost.ForgetShip(hipper);
    EXPECT_EQ(lost.m_SecondSelected, &Ship(4));
}

TEST_F(SeaBattles, SurpriseAttacksNeedTheirChanceAndAreToldToThePersonsOfTheAttackersSideAndOfTheTarget)
{
    Fleet(4).seaNode = kChannel;  // U-47's raiders join the Home Fleet's zone
    const uint32_t dice = GetRandomState();
    RunSurpriseAttacks();
    EXPECT_EQ(Reports(18), 0);
    EXPECT_FALSE(LogStartsWith(L"U-47 tries to launch a surprise attack"));
    EXPECT_EQ(GetRandomState(), dice);  // no chance, no roll

    // A battle fleet sailing as raiders makes no raider of its cruiser.
    Consts().SeaBattleDetection[7] = 1000;
    Fleet(3).formation = 1;
    std::wstring text;
    EXPECT_FALSE(Ship(5).TrySurpriseAttack(text));
    Fleet(3).formation = 0;

    // The persons to ask: the attacker's own, its side's, then the one whose ship it attacked.
    auto askedCountries = [this] {
        std::vector<int> countries;
        for (const auto& r : acting.requests)
            if (r.kind == eRequestKind::Message && r.title == L"Raiders") {
                countries = {r.countryId};
                countries.insert(countries.end(), r.otherReaders.begin(), r.otherReaders.end());
            }
        return countries;
    };
    // Borussia's turn, the first of the next impulse when the attacks come: the computer's raider
    // strikes Albion's ships, and Albion's person is told, as his report says; being on the
    // moving side tells nobody.
    Activate(kBorussia);
    ScriptRandomRaw({RawFor(1, 1, 1000), RawFor(1, 1, 2)});
    RunSurpriseAttacks();
    EXPECT_EQ(Reports(18, kBorussia), 1);
    EXPECT_EQ(LastReport(18, kBorussia).rfind(L"Raiders activity - Channel\n\n", 0), 0u);
    EXPECT_EQ(LastReport(18, kAlbion), LastReport(18, kBorussia));
    EXPECT_EQ(Requests(eRequestKind::Message, L"Raiders"), 1);
    EXPECT_EQ(askedCountries(), std::vector<int>{kAlbion});

    // A game of computers waits for nobody.
    ComputersOnly();
    RunSurpriseAttacks();
    EXPECT_EQ(Reports(18, kBorussia), 2);
    EXPECT_EQ(Requests(eRequestKind::Message, L"Raiders"), 1);
    Country(kRuthenia).Alliance = 2;
    Country(kRuthenia).HumanControlled = true;
    RunSurpriseAttacks();
    EXPECT_EQ(Requests(eRequestKind::Message, L"Raiders"), 2);
    EXPECT_EQ(askedCountries(), std::vector<int>{kRuthenia});

    // A person's own raider tells him and his side whoever moves.
    Country(kBorussia).HumanControlled = true;
    Activate(kAlbion);
    RunSurpriseAttacks();
    EXPECT_EQ(Requests(eRequestKind::Message, L"Raiders"), 3);
    EXPECT_EQ(askedCountries(), (std::vector<int>{kBorussia, kRuthenia}));
}

namespace {

// A screen that queues what it is asked; the test's main thread serves it.
class cQueuedScreen : public cNullPresentation
{
public:
    RequestHandle Post(sPresentationRequest request) override { return queue.Push(std::move(request)); }
    cRequestQueue queue;
};

} // namespace

TEST_F(SeaBattles, ThreadFightsAPersonsBattleWhileTheMainThreadPlaysItOnTheScreen)
{
    Ship(1).Kill(false);
    cQueuedScreen queued;
    SetPresentation(&queued);
    StartGlobalLock();
    std::atomic<bool> run{true}, done{false};
    std::thread opponent([&] {
        SetThreadRunFlag(&run);
        SeedRandom(3);
        RunSeaBattles();
        done = true;
        SetThreadRunFlag(nullptr);
    });
    int screens = 0, shots = 0;
    while (!done || queued.queue.PendingCount() > 0) {
        RequestHandle request = queued.queue.TakeNext();
        if (!request) {
            std::this_thread::yield();
            continue;
        }
        if (request->Data().kind == eRequestKind::SeaBattle) {
            // The screen steps the battle under the lock the waiting thread gave up.
            ++screens;
            GLOBAL_LOCK_SCOPE();
            for (cSeaBattle* battle = CurrentSeaBattle(); battle && !battle->IsOver(); ++shots)
                battle->ExecuteShot();
        }
        request->Complete(0);
    }
    opponent.join();
    StopGlobalLock();
    SetPresentation(&acting);
    EXPECT_GE(screens, 1);
    EXPECT_GE(shots, 1);
    EXPECT_GE(EndReports(), 1);
    EXPECT_EQ(game->GetGameState(), kStateEndOfImpulse);
}

// The raider's check is its chance in a thousand; the hit (submarine tech x 5 + 15) x 2 in a
// hundred, after the shot's damage roll; the target one of the enemy's ships afloat in the zone.
TEST_F(SeaBattles, ASurpriseAttacksCheckHitAndTargetFollowTheirRolls)
{
    Fleet(4).seaNode = kChannel;
    Country(kBorussia).TechLevel[TECH_SUBMARINES] = 2;
    cJednostkaMorska& raider = Ship(6);
    const struct
    {
        int chance, check, damage, hit;
        bool attacks;
        const wchar_t* outcome;
        int lost;
    } cases[] = {
        {1, 1, 70, 50, true, L"The target was damaged.", 1},
        {1000, 1000, 71, 51, true, L"The attack failed.", 0},
        {500, 501, 1, 1, false, L"", 0},
    };
    cJednostkaMorska& warspite = Ship(2);
    for (const auto& c : cases) {
        Consts().SeaBattleDetection[7] = c.chance;
        // The hit roll at the top of its band, where a wider roll would read the next value.
        ScriptRandomRaw({RawFor(c.check, 1, 1000), 32767, RawFor(c.damage, 1, 100), RawFor(c.hit + 1, 1, 100) - 1});
        std::wstring text;
        const int hitPoints = warspite.m_HP;
        EXPECT_EQ(raider.TrySurpriseAttack(text), c.attacks) << c.chance;
        EXPECT_EQ(text, c.attacks ? std::wstring(L"U-47 (Borussia) found HMS Warspite (Albion) and launched a surprise "
                                                 L"attack. ") + c.outcome
                                  : LangText("wait..."));
        EXPECT_EQ(warspite.m_HP, hitPoints - c.lost) << c.chance;
    }

    // Only ships afloat are targets; a hit on the last hit point sinks the target, which its
    // side is told of.
    Ship(1).m_HP = 0;  // Ark Royal, sunk earlier in the pass
    Consts().SeaBattleDetection[7] = 1000;
    for (const auto& [before, outcome] : {std::pair{2, L"damaged."}, std::pair{1, L"destroyed!"}}) {
        warspite.m_HP = before;
        ScriptRandomRaw({RawFor(1, 1, 1000), 0, RawFor(1, 1, 100), RawFor(1, 1, 100)});
        std::wstring text;
        EXPECT_TRUE(raider.TrySurpriseAttack(text)) << before;
        EXPECT_EQ(text, std::wstring(L"U-47 (Borussia) found HMS Warspite (Albion) and launched a surprise attack. "
                                     L"The target was ") + outcome);
        EXPECT_EQ(warspite.m_HP, before - 1);
    }
    EXPECT_EQ(Reports(33, kAlbion), 1);

    // A transport sunk so is told of with the corps lost aboard it.
    Fleet(2).seaNode = kChannel;
    ScriptRandomRaw({RawFor(1, 1, 1000), 0, RawFor(1, 1, 100), RawFor(1, 1, 100)});
    std::wstring text;
    EXPECT_TRUE(raider.TrySurpriseAttack(text));
    EXPECT_EQ(text, L"U-47 (Borussia) found Transport Anna (Albion) and launched a surprise attack. The target was "
                    L"destroyed!\nLost with it: 2nd Infantry Corps");
    EXPECT_EQ(LastReport(33, kAlbion).rfind(L"Transport Anna with 2nd Infantry Corps aboard\n", 0), 0u)
        << LastReport(33, kAlbion);
}
