// The scripted events of Europe 1939 fire: the event check is played over every impulse
// from September 1939 to June 1941 with every country a computer's, and the events that
// fired are listed with their dates.
#include <gtest/gtest.h>

#include <filesystem>
#include <algorithm>
#include <cwchar>
#include <iostream>
#include <map>
#include <set>
#include <vector>

#include "core/random.h"
#include "core/text.h"
#include "events/events.h"
#include "game/game.h"
#include "tests/test_support.h"
#include "units/land_unit.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/map.h"
#include "world/relations.h"
#include "world/sea_graph.h"

namespace fs = std::filesystem;

namespace {

struct sFired
{
    sGameDate date;
    int id = 0;
    std::wstring title;
    int option = 0;
};

class Europe1939Events : public ::testing::Test
{
protected:
    Europe1939Events()
    {
        fs::create_directories("data/scenarios");
        fs::remove_all("data/scenarios/Europe1939");
        fs::copy(testing_support::SourceDir() / "data" / "scenarios" / "Europe1939", "data/scenarios/Europe1939",
                 fs::copy_options::recursive);
        game = LoadGame(sGameLoadRequest::ForScenario(L"Europe1939"));
        for (cPanstwo* c : game->m_Countries)
            c->HumanControlled = false;
    }
    ~Europe1939Events() override { DeleteGameObject(); }

    const cZdarzenie& Event(int id) const
    {
        for (const cZdarzenie& e : game->m_Events->events)
            if (e.eventID == id)
                return e;
        throw std::runtime_error("no such event");
    }
    // What the opponent does with a target on its next turn: drops it when the hex's owner
    // is the country, an ally or an enemy it is already at war with.
    bool DroppedByTheOpponent(const cPanstwo& country, const sAITarget& target) const
    {
        const sHex* hex = game->m_Mapa->GetHex(target.a, target.b);
        const int owner = hex ? hex->owner : 0;
        return owner != 0 && (IsCountryOrAlly(owner, country.ID) || game->m_Relations->IsAtWar(country.ID, owner));
    }

    cZdarzenie& EventToCheck(int id) const
    {
        for (cZdarzenie& e : game->m_Events->events)
            if (e.eventID == id)
                return e;
        throw std::runtime_error("no such event");
    }

    cPanstwo& Country(const wchar_t* name) const
    {
        for (cPanstwo* c : game->m_Countries)
            if (c->Name == name)
                return *c;
        throw std::runtime_error("no such country");
    }
    // Checks the events impulse by impulse up to the first impulse on or after the date.
    void CheckEventsUntil(int day, int month, int year)
    {
        while (game->GetGameDate().IsBefore(day, month, year)) {
            game->CheckEvents();
            game->AdvanceDate();
        }
    }
    cMiasto& City(const wchar_t* name) const
    {
        for (cMiasto* c : game->m_Cities)
            if (c->GetName() == name)
                return *c;
        throw std::runtime_error("no such city");
    }
    sHex& CityHex(const wchar_t* name) const { return *game->m_Mapa->GetHex(City(name).X, City(name).Y); }
    void GermanyTakesParis() { CityHex(L"Paris").controller = Country(L"Germany").ID; }
    // The owner's invasion convoys, each checked to lie on the sea its beach faces.
    std::vector<const cFlota*> InvasionConvoysOnTheirBeachesSea(int owner) const
    {
        std::vector<const cFlota*> convoys;
        for (const cFlota* fleet : game->m_Fleets) {
            if (fleet->owner != owner || fleet->aiOrder != 2)
                continue;
            convoys.push_back(fleet);
            const sHex* beach = game->m_Mapa->GetHex(fleet->aiInvasionX, fleet->aiInvasionY);
            EXPECT_TRUE(beach && beach->IsLand() && beach->coastal) << fleet->aiInvasionX << "," << fleet->aiInvasionY;
            if (beach) {
                EXPECT_EQ(int(beach->seaZone), fleet->seaNode) << "a convoy lands on the sea it lies in";
            }
        }
        return convoys;
    }

    cGra* game = nullptr;
};

// Italy's entry and France's armistice wait for the same fall of Paris, and the armistice
// makes peace: Italy decides all the same, whether Paris falls before its date or after.
TEST_F(Europe1939Events, ItalyDecidesOnTheWarWhenFranceFallsWhateverTheArmistice)
{
    for (const bool beforeItalysDate : {true, false}) {
        for (unsigned seed = 1; seed <= 4; ++seed) {
            SeedRandom(seed);
            CheckEventsUntil(1, beforeItalysDate ? 5 : 6, 1940);
            ASSERT_EQ(game->m_Flags[6], 0);
            ASSERT_EQ(game->m_Flags[7], 0);
            GermanyTakesParis();
            game->CheckEvents();
            EXPECT_NE(game->m_Flags[6], 0) << "the armistice is asked for when Paris falls";
            if (beforeItalysDate) {
                EXPECT_EQ(game->m_Flags[7], 0) << "Italy waits for June";
                game->AdvanceDate();
                CheckEventsUntil(1, 6, 1940);
                game->CheckEvents();
            }
            EXPECT_NE(game->m_Flags[7], 0) << "seed " << seed;
            EXPECT_EQ(Country(L"Italy").Alliance == ALLIANCE_AXIS, game->m_Flags[7] == 1);
            // A new game for the next draw.
            DeleteGameObject();
            game = LoadGame(sGameLoadRequest::ForScenario(L"Europe1939"));
            for (cPanstwo* c : game->m_Countries)
                c->HumanControlled = false;
        }
    }
}

// The Soviet Union's first targets lie in Poland; once the partition has handed eastern
// Poland out, none may point at a country it is not at war with (Lithuania took Wilno).
TEST_F(Europe1939Events, AfterThePartitionTheSovietUnionHasNoTargetToStartANewWar)
{
    const cPanstwo& su = Country(L"Soviet Union");
    ASSERT_FALSE(su.AIParameters.CurrentTargets.empty());
    ASSERT_TRUE(Event(1).FireOption(1));
    for (const sAITarget& t : su.AIParameters.CurrentTargets)
        EXPECT_TRUE(DroppedByTheOpponent(su, t)) << "target (" << t.a << ", " << t.b << ")";
}

// Weserubung's landing fleets sail for seas Germany can reach (Trondheim's once sailed for
// the enemy harbour and put back), and Denmark ceases fire once Copenhagen is German.
TEST_F(Europe1939Events, WeserubungSailsForReachableSeasAndDenmarkCeasesFireWithCopenhagenTaken)
{
    const cPanstwo& germany = Country(L"Germany");
    CheckEventsUntil(11, 4, 1940);
    ASSERT_EQ(game->m_Flags[27], 1);
    int landings = 0;
    std::list<int> path;
    for (const cFlota* fleet : game->m_Fleets) {
        if (fleet->owner != germany.ID || fleet->aiOrder != 2)
            continue;
        ++landings;
        const sWezelGrafuMorz* zone = game->m_SeaGraph->GetNode(fleet->aiDestination);
        ASSERT_NE(zone, nullptr);
        EXPECT_EQ(zone->Kind, SEA_NODE_SEA) << "landing at (" << fleet->aiInvasionX << ", " << fleet->aiInvasionY << ")";
        EXPECT_TRUE(game->m_SeaGraph->FindPath(fleet->seaNode, fleet->aiDestination, germany.ID, false, path))
            << "landing at (" << fleet->aiInvasionX << ", " << fleet->aiInvasionY << ")";
    }
    EXPECT_EQ(landings, 6); // Copenhagen, Oslo, Bergen, Kristiansand, Trondheim and Narvik

    cPanstwo& denmark = Country(L"Denmark");
    ASSERT_TRUE(denmark.IsActive);
    CityHex(L"Copenhagen").controller = germany.ID;
    game->CheckEvents();
    EXPECT_FALSE(denmark.IsActive);
    for (const wchar_t* name : {L"Aarhus", L"Esbjerg"})
        EXPECT_EQ(City(name).GetControllerId(), germany.ID) << WideToUtf8(name);
}

// The computer may start a planned war itself before the attack's date; a victim that has
// surrendered since is not attacked again by the event.
TEST_F(Europe1939Events, APlannedAttackSparesAVictimThatHasSurrendered)
{
    const std::map<int, std::pair<int, const wchar_t*>> attacks = {
        {27, {24, L"Norway"}}, {28, {25, L"Netherlands"}}, {29, {13, L"Soviet Union"}}, {30, {26, L"Greece"}}};
    for (const auto& [attack, plan] : attacks) {
        game->m_Flags[size_t(plan.first)] = 1;
        Country(plan.second).IsActive = false;
    }
    CheckEventsUntil(1, 11, 1941);
    for (const auto& [attack, plan] : attacks)
        EXPECT_EQ(game->m_Flags[size_t(attack)], 0) << "event " << attack;
}

// Paris declared an open city: its garrison leaves for a land hex to the south, so that the
// Germans can walk in; the city hex is left empty.
TEST_F(Europe1939Events, AnOpenParisSendsItsGarrisonSouth)
{
    sHex* paris = nullptr;
    for (const cMiasto* c : game->m_Cities)
        if (c->GetName() == L"Paris")
            paris = game->m_Mapa->GetHex(c->X, c->Y);
    ASSERT_TRUE(paris && paris->unit);
    const cUnit* garrison = paris->unit;
    ASSERT_TRUE(Event(42).FireOption(1));
    EXPECT_EQ(paris->unit, nullptr);
    const sHex* now = game->m_Mapa->GetHex(garrison->m_X, garrison->m_Y);
    ASSERT_NE(now, nullptr);
    EXPECT_EQ(now->unit, garrison);
    EXPECT_FALSE(now->IsSea());
    EXPECT_GT(garrison->m_Y, paris->y) << "south of Paris";
}

TEST_F(Europe1939Events, TheEventsFireOnTheirDatesFromSeptember1939ToJune1941)
{
    SeedRandom(1939);
    // Germany's computer raises the army for the west first: no research before July 1940.
    const cPanstwo& germany = Country(L"Germany");
    for (int i = 0; i < 7; ++i)
        EXPECT_LE(germany.AIParameters.DesiredTechLevels[i], germany.TechLevel[i]) << i;
    std::vector<sFired> fired;
    std::map<int, std::list<sAITarget>> targetsBefore;
    int impulses = 0;
    while (game->GetGameDate().IsBefore(1, 7, 1941)) {
        for (cPanstwo* c : game->m_Countries)
            targetsBefore[c->ID] = c->AIParameters.CurrentTargets;
        testing_support::ClearLog();
        game->CheckEvents();
        ++impulses;
        for (const std::wstring& line : testing_support::LogLines()) {
            int id = 0;
            if (line.ends_with(L" is true. Firing...") &&
                std::swscanf(line.c_str(), L"Condition for event with ID=%d", &id) == 1)
                fired.push_back({game->GetGameDate(), id, Event(id).title, game->m_Flags[size_t(id)]});
        }
        // Targets given now survive the opponent's next turn.
        for (cPanstwo* c : game->m_Countries)
            for (const sAITarget& t : c->AIParameters.CurrentTargets) {
                const auto& before = targetsBefore[c->ID];
                if (std::find(before.begin(), before.end(), t) == before.end()) {
                    EXPECT_FALSE(DroppedByTheOpponent(*c, t))
                        << WideToUtf8(c->Name) << " target (" << t.a << ", " << t.b << ") would be dropped at once";
                }
            }
        game->AdvanceDate();
    }
    EXPECT_EQ(impulses, 65); // from the second impulse of September 1939

    std::cout << "Events of Europe 1939 fired, September 1939 to June 1941:\n";
    std::set<int> ids;
    for (const sFired& f : fired) {
        std::wcout << L"  " << f.date.GetDayOfMonth() << L"." << f.date.month << L"." << f.date.year << L"  event "
                   << f.id << L" " << f.title << L": option " << f.option << L"\n";
        const cZdarzenie& e = Event(f.id);
        EXPECT_TRUE(e.IsDateInRange(f.date)) << f.id;
        EXPECT_TRUE(ids.insert(f.id).second) << "event " << f.id << " fired twice";
        EXPECT_GE(f.option, 1) << "event " << f.id << " sets its flag to the option it chose";
    }
    std::cout.flush();
    // The wars and annexations that need no battle come on their dates, and Germany's armament for the long war.
    for (int id : {1, 2, 4, 5, 16, 17, 24, 25, 43})
        EXPECT_EQ(ids.count(id), 1u) << "event " << id << " never fired";
    EXPECT_GT(germany.AIParameters.DesiredTechLevels[1], germany.TechLevel[1]);
    EXPECT_EQ(fired.front().id, 1);
    EXPECT_TRUE(fired.front().date.IsSameDay(11, 9, 1939));
    // A planned attack starts after its plan, unless the plan was given up.
    for (const auto& [plan, attack] : std::map<int, int>{{24, 27}, {25, 28}})
        EXPECT_EQ(ids.count(attack), game->m_Flags[size_t(plan)] == 1 ? 1u : 0u) << attack;
}

// The Low Countries capitulate as they did in May 1940: the Netherlands once Rotterdam is
// German, Belgium once Brussels and one of Antwerp and Liege are. Each ends as a country beaten
// in battle: its forces are gone, its land is Germany's and keeps its original owner for the
// day it is liberated, and its supply city supplies no more.
TEST_F(Europe1939Events, TheLowCountriesCapitulateWhenHistorySaysSo)
{
    game->m_Flags[25] = 1; // Fall Gelb planned
    CheckEventsUntil(21, 5, 1940);
    ASSERT_EQ(game->m_Flags[28], 1) << "the attack in the west";
    const cPanstwo& germany = Country(L"Germany");
    auto takes = [&](const wchar_t* name) { CityHex(name).controller = germany.ID; };
    const std::vector<std::pair<const wchar_t*, std::vector<const wchar_t*>>> capitulations = {
        {L"Netherlands", {L"Amsterdam", L"Rotterdam"}}, {L"Belgium", {L"Brussels", L"Liege"}}};
    for (const auto& [name, cities] : capitulations) {
        cPanstwo& country = Country(name);
        ASSERT_TRUE(game->m_Relations->IsAtWar(germany.ID, country.ID)) << WideToUtf8(name);
        int land = 0;
        for (int x = 0; x < game->m_Mapa->GetWidth(); ++x)
            for (int y = 0; y < game->m_Mapa->GetHeight(); ++y)
                land += game->m_Mapa->GetHex(x, y)->originalOwner == country.ID;
        // The first city is not enough; the second decides.
        takes(cities[0]);
        game->CheckEvents();
        EXPECT_TRUE(country.IsActive) << WideToUtf8(name) << " fights on with only " << WideToUtf8(cities[0]) << " lost";
        takes(cities[1]);
        game->CheckEvents();
        EXPECT_FALSE(country.IsActive) << WideToUtf8(name);
        int german = 0;
        for (int x = 0; x < game->m_Mapa->GetWidth(); ++x)
            for (int y = 0; y < game->m_Mapa->GetHeight(); ++y) {
                const sHex& hex = *game->m_Mapa->GetHex(x, y);
                if (hex.originalOwner == country.ID)
                    german += hex.controller == germany.ID && hex.owner == germany.ID;
            }
        EXPECT_EQ(german, land) << WideToUtf8(name) << ": every hex German, each still of its original owner";
        for (const cJednostkaLadowa* u : game->m_LandUnits)
            EXPECT_NE(u->m_Owner, country.ID) << WideToUtf8(name) << "'s army is gone";
    }
    EXPECT_EQ(City(L"Amsterdam").Type, CITY_PORT);
    EXPECT_EQ(City(L"Brussels").Type, CITY_NORMAL);
}

// France asks for its armistice when Paris falls, or when its armies are beaten with Paris still
// free: Belgium lost and Metz taken, and either Reims fallen or Strasbourg and Dijon German.
TEST_F(Europe1939Events, FranceAsksForTheArmisticeOnceParisFallsOrItsArmiesAreBeaten)
{
    cZdarzenie& armistice = EventToCheck(6);
    cPanstwo& belgium = Country(L"Belgium");
    const int france = Country(L"France").ID, germany = Country(L"Germany").ID;
    auto hold = [this](const wchar_t* name, int id) {
        for (const cMiasto* c : game->m_Cities)
            if (c->GetName() == name)
                game->m_Mapa->GetHex(c->X, c->Y)->controller = id;
    };
    ASSERT_TRUE(game->m_Relations->IsAtWar(germany, france));
    EXPECT_FALSE(armistice.condition.Evaluate());
    hold(L"Metz", germany);
    hold(L"Reims", germany);
    EXPECT_FALSE(armistice.condition.Evaluate()) << "Belgium still fights in the north";
    belgium.IsActive = false;
    EXPECT_TRUE(armistice.condition.Evaluate()) << "the Aisne broken at Reims";
    hold(L"Reims", france);
    hold(L"Strasbourg", germany);
    EXPECT_FALSE(armistice.condition.Evaluate()) << "the armies of the east are not cut off yet";
    hold(L"Dijon", germany);
    EXPECT_TRUE(armistice.condition.Evaluate()) << "the armies of the east cut off";
    hold(L"Metz", france);
    EXPECT_FALSE(armistice.condition.Evaluate()) << "the Maginot Line holds at Metz";
    belgium.IsActive = true;
    GermanyTakesParis();
    EXPECT_TRUE(armistice.condition.Evaluate()) << "Paris has fallen";
}

// The Allies come back to Sicily by sea: the landing waits for an Italy at war that still
// holds Palermo, its convoys lie in the Sicilian Channel bound for beaches on that sea, and
// Italy asks for its armistice once Palermo is lost, whoever holds Tripoli.
TEST_F(Europe1939Events, TheAlliesLandInSicilyAndItalyAsksForItsArmisticeOnceSicilyIsLost)
{
    cPanstwo& italy = Country(L"Italy");
    const cPanstwo& uk = Country(L"United Kingdom");
    cZdarzenie& landing = EventToCheck(31);
    cZdarzenie& armistice = EventToCheck(23);
    EXPECT_FALSE(landing.condition.Evaluate()) << "Italy is not at war in 1939";
    italy.Alliance = ALLIANCE_AXIS;
    game->m_Relations->SetWar(italy.ID, uk.ID, 1);
    game->m_Relations->SetWar(uk.ID, italy.ID, 1);
    EXPECT_TRUE(landing.condition.Evaluate());
    EXPECT_FALSE(armistice.condition.Evaluate());

    ASSERT_TRUE(landing.FireOption(1));
    const std::vector<const cFlota*> convoys = InvasionConvoysOnTheirBeachesSea(uk.ID);
    for (const cFlota* fleet : convoys)
        EXPECT_EQ(fleet->aiDestination, fleet->seaNode);
    EXPECT_EQ(convoys.size(), 2u) << "the Americans' beach and the British one";
    EXPECT_FALSE(landing.condition.Evaluate()) << "the landing comes once";

    CityHex(L"Palermo").controller = uk.ID;
    EXPECT_TRUE(armistice.condition.Evaluate());
}

// The late-war offensives wait for the Axis to stand on its historical line: Bagration only
// while the Axis holds Minsk, Wilno or Lwow; the follow-up armies in Normandy only after the
// landings and while Paris is German, their convoys lying on the sea their beaches face.
TEST_F(Europe1939Events, TheLateWarOffensivesComeOnlyWhileTheAxisHoldsItsHistoricalLine)
{
    const cPanstwo& germany = Country(L"Germany");
    const cPanstwo& soviets = Country(L"Soviet Union");
    const cPanstwo& uk = Country(L"United Kingdom");
    auto reserveOf = [&](int owner) {
        return std::count_if(game->m_Reserve.begin(), game->m_Reserve.end(),
                             [owner](const cUnit* u) { return u->m_Owner == owner; });
    };

    cZdarzenie& bagration = EventToCheck(71);
    game->m_Relations->SetWar(germany.ID, soviets.ID, 1);
    game->m_Relations->SetWar(soviets.ID, germany.ID, 1);
    EXPECT_FALSE(bagration.condition.Evaluate()) << "Minsk is Soviet, Wilno and Lwow Polish";
    CityHex(L"Minsk").controller = germany.ID;
    EXPECT_TRUE(bagration.condition.Evaluate());
    const auto before = reserveOf(soviets.ID);
    ASSERT_TRUE(bagration.FireOption(1));
    EXPECT_GT(reserveOf(soviets.ID), before) << "the fronts' new armies wait in the reserve";
    EXPECT_FALSE(bagration.condition.Evaluate()) << "the offensive comes once";

    cZdarzenie& buildUp = EventToCheck(73);
    game->m_Relations->SetWar(germany.ID, uk.ID, 1);
    game->m_Relations->SetWar(uk.ID, germany.ID, 1);
    CityHex(L"Paris").controller = germany.ID;
    EXPECT_FALSE(buildUp.condition.Evaluate()) << "no landing in Normandy yet";
    game->m_Flags[33] = 1;
    EXPECT_TRUE(buildUp.condition.Evaluate());
    CityHex(L"Paris").controller = uk.ID;
    EXPECT_FALSE(buildUp.condition.Evaluate()) << "Paris is free already";
    CityHex(L"Paris").controller = germany.ID;
    ASSERT_TRUE(buildUp.FireOption(1));
    EXPECT_EQ(InvasionConvoysOnTheirBeachesSea(uk.ID).size(), 2u) << "the beaches of Cherbourg and of Le Havre";
}

} // namespace
