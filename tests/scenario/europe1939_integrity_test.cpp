// The bundled scenario Europe 1939 loads cleanly and holds together: territory, ports and
// seas, capitals, the city graph, events and the computer opponent's data.
#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>

#include "core/format.h"
#include "core/log.h"
#include "core/text.h"
#include "events/events.h"
#include "game/game.h"
#include "game/save_game.h"
#include "platform/paths.h"
#include "tests/test_support.h"
#include "world/city.h"
#include "units/land_unit.h"
#include "units/air_unit.h"
#include "units/naval_unit.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/map.h"
#include "world/sea_graph.h"

namespace fs = std::filesystem;
using testing_support::SourceDir;

namespace {

constexpr const wchar_t* kName = L"Europe1939";

class Europe1939 : public ::testing::Test
{
protected:
    Europe1939()
    {
        fs::create_directories("data/scenarios");
        fs::remove_all("data/scenarios/Europe1939");
        fs::copy(SourceDir() / "data" / "scenarios" / "Europe1939", "data/scenarios/Europe1939",
                 fs::copy_options::recursive);
        testing_support::ClearLog();
        const auto start = std::chrono::steady_clock::now();
        game = LoadGame(sGameLoadRequest::ForScenario(kName));
        loadMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    }
    ~Europe1939() override { DeleteGameObject(); }

    // The scenario as its files hold it, before the pass that readies it for play.
    void ReloadAsWritten()
    {
        DeleteGameObject();
        sGameLoadRequest request = sGameLoadRequest::ForScenario(kName);
        request.asWritten = true;
        game = LoadGame(request);
    }

    const cMiasto* CityAt(int x, int y) const
    {
        for (const cMiasto* c : game->m_Cities)
            if (c->X == x && c->Y == y)
                return c;
        return nullptr;
    }

    // Sea nodes reachable from `from` over the edges; controlled edges only when asked.
    std::set<int> Reachable(int from, bool throughStraits) const
    {
        std::set<int> seen{from};
        std::deque<int> queue{from};
        while (!queue.empty()) {
            const int id = queue.front();
            queue.pop_front();
            for (const sLukGrafuMorz& e : game->m_SeaGraph->Nodes[size_t(id - 1)].Edges)
                if ((throughStraits || e.ControlX == -1) && seen.insert(e.Target).second)
                    queue.push_back(e.Target);
        }
        return seen;
    }

    int ZoneNamed(const std::wstring& name) const
    {
        for (const sWezelGrafuMorz& n : game->m_SeaGraph->Nodes)
            if (n.Name == name)
                return n.ID;
        ADD_FAILURE() << "no sea zone " << WideToUtf8(name);
        return 1;
    }

    cGra* game = nullptr;
    double loadMs = 0;
};

} // namespace

TEST_F(Europe1939, LoadsAndSavesWithoutWarnings)
{
    ASSERT_NE(game, nullptr);
    for (const std::wstring& line : testing_support::LogLines())
        EXPECT_TRUE(line.find(L"WARNING") == std::wstring::npos && line.find(L"ERROR") == std::wstring::npos)
            << WideToUtf8(line);
    // Times are recorded for whoever reads the test's XML output; a busy machine must not fail it.
    RecordProperty("load_ms", std::to_string(int(loadMs)));
    const auto start = std::chrono::steady_clock::now();
    fs::create_directories("saved");
    WriteSaveFiles(L"saved");
    const double saveMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    RecordProperty("save_ms", std::to_string(int(saveMs)));
    // The first day of the war.
    EXPECT_EQ(game->m_Date[1], 9);
    EXPECT_EQ(game->m_Date[2], 1939);
    EXPECT_GE(game->m_Mapa->GetWidth(), 150);
}

TEST_F(Europe1939, EveryLandHexIsHeldAndEveryCityStandsOnLand)
{
    int land = 0;
    for (const sHex& hex : game->m_Mapa->Hexes()) {
        if (!hex.IsLand())
            continue;
        ++land;
        EXPECT_GT(hex.controller, 0) << "(" << hex.x << ", " << hex.y << ")";
        EXPECT_GT(hex.owner, 0) << "(" << hex.x << ", " << hex.y << ")";
        EXPECT_LE(hex.controller, game->m_Countries.size());
    }
    EXPECT_GT(land, 5000);
    for (const cMiasto* c : game->m_Cities)
        EXPECT_TRUE(game->m_Mapa->GetHex(c->X, c->Y)->IsLand()) << WideToUtf8(c->Name);
}

TEST_F(Europe1939, EveryPortReachesItsZoneAndTheOpenSeaAndItsHexLiesInThatZone)
{
    const int atlantic = ZoneNamed(L"North Atlantic");
    const std::set<int> open = Reachable(atlantic, true);
    int ports = 0;
    for (const cMiasto* c : game->m_Cities) {
        if (!c->IsPort())
            continue;
        ++ports;
        const int node = game->m_SeaGraph->FindNodeAtHex(c->X, c->Y);
        ASSERT_GT(node, 0) << WideToUtf8(c->Name);
        const int zone = game->m_SeaGraph->FindSeaNeighbour(node);
        EXPECT_GT(zone, 0) << WideToUtf8(c->Name) << " has no sea zone";
        EXPECT_TRUE(open.count(node)) << WideToUtf8(c->Name) << " does not reach the open sea";
        // A landing at the port sails for the sea before it, not into the harbour.
        EXPECT_EQ(game->m_Mapa->GetHex(c->X, c->Y)->seaZone, zone) << WideToUtf8(c->Name);
    }
    EXPECT_GT(ports, 80);
}

TEST_F(Europe1939, TheSeasMeetOnlyThroughTheirStraits)
{
    const int atlantic = ZoneNamed(L"North Atlantic");
    const std::set<int> free = Reachable(atlantic, false);
    const std::set<int> all = Reachable(atlantic, true);
    for (const wchar_t* inner : {L"Baltic Sea (south)", L"Western Mediterranean", L"Aegean Sea", L"Black Sea (west)",
                                 L"Sea of Marmara", L"Sea of Azov"}) {
        EXPECT_FALSE(free.count(ZoneNamed(inner))) << WideToUtf8(inner) << " is open without a strait";
        EXPECT_TRUE(all.count(ZoneNamed(inner))) << WideToUtf8(inner) << " is not reached through the straits";
    }
    EXPECT_TRUE(free.count(ZoneNamed(L"North Sea (south)")));
    EXPECT_TRUE(free.count(ZoneNamed(L"Barents Sea")));
    // Every strait is held by a land hex of the country that held it in 1939.
    std::set<std::wstring> holders;
    int straits = 0;
    for (const sWezelGrafuMorz& n : game->m_SeaGraph->Nodes)
        for (const sLukGrafuMorz& e : n.Edges)
            if (e.ControlX != -1) {
                ++straits;
                const sHex* hex = game->m_Mapa->GetHex(e.ControlX, e.ControlY);
                ASSERT_NE(hex, nullptr);
                ASSERT_TRUE(hex->IsLand() && hex->controller > 0);
                holders.insert(game->m_Countries[size_t(hex->controller - 1)]->Name);
            }
    EXPECT_EQ(straits, 10); // Gibraltar, the Danish straits, the Dardanelles, the Bosporus, Kerch: both ways
    EXPECT_EQ(holders, (std::set<std::wstring>{L"United Kingdom", L"Denmark", L"Turkey", L"Soviet Union"}));
}

TEST_F(Europe1939, EveryCountryThatCanActHasACapitalAndCities)
{
    for (const cPanstwo* country : game->m_Countries) {
        if (!country->IsActive || country->SpecialFlags == 1)
            continue;
        int cities = 0, supply = 0;
        for (const cMiasto* c : game->m_Cities)
            if (game->m_Mapa->GetHex(c->X, c->Y)->controller == country->ID) {
                ++cities;
                supply += c->Type == CITY_SUPPLY || c->Type == CITY_SUPPLY_PORT;
            }
        EXPECT_GT(cities, 0) << WideToUtf8(country->Name);
        EXPECT_GT(supply, 0) << WideToUtf8(country->Name) << " has no supply city for a capital";
    }
    // The three leaders and the dummy that closes the turn order.
    std::map<int, std::wstring> leaders;
    int dummies = 0;
    for (const cPanstwo* country : game->m_Countries) {
        if (country->Alliance >= 4)
            leaders[country->Alliance] = country->Name;
        dummies += country->SpecialFlags == 1;
    }
    EXPECT_EQ(leaders[4], L"United Kingdom");
    EXPECT_EQ(leaders[5], L"Germany");
    EXPECT_EQ(leaders[6], L"Soviet Union");
    EXPECT_EQ(dummies, 1);
}

// Both rows price a point of a unit's full combat strength: a whole unit rebuilt costs half a new one.
TEST_F(Europe1939, ReplacingAWholeLandUnitCostsHalfANewOne)
{
    for (int type = 0; type < 7; ++type)
        EXPECT_FLOAT_EQ(game->m_Consts.LandReplacementCost[type] * 2.0f, game->m_Consts.LandPurchaseCost[type]) << type;
}

TEST_F(Europe1939, TheCityGraphConnectsEachLandMass)
{
    // Land masses by a walk over the land hexes.
    cMapa& map = *game->m_Mapa;
    std::map<std::pair<int, int>, int> mass;
    int next = 0;
    for (const sHex& hex : map.Hexes()) {
        if (!hex.IsLand() || mass.count({hex.x, hex.y}))
            continue;
        std::deque<std::pair<int, int>> queue{{hex.x, hex.y}};
        mass[{hex.x, hex.y}] = next;
        while (!queue.empty()) {
            const auto [x, y] = queue.front();
            queue.pop_front();
            for (int d = 0; d < 6; ++d) {
                const sHex* n = map.GetNeighbour(x, y, d);
                if (n && n->IsLand() && !mass.count({n->x, n->y})) {
                    mass[{n->x, n->y}] = next;
                    queue.push_back({n->x, n->y});
                }
            }
        }
        ++next;
    }
    for (const cMiasto* a : game->m_Cities) {
        if (a->Type == CITY_RESOURCES) {
            EXPECT_EQ(a->GraphIndex, -1);
            continue;
        }
        ASSERT_GE(a->GraphIndex, 0);
        for (const cMiasto* b : game->m_Cities) {
            if (b->GraphIndex >= 0 && mass[{a->X, a->Y}] == mass[{b->X, b->Y}]) {
                EXPECT_GE(a->GraphDistances[size_t(b->GraphIndex)], 0)
                    << WideToUtf8(a->Name) << " cannot reach " << WideToUtf8(b->Name) << " by land";
            }
        }
    }
}

TEST_F(Europe1939, EveryComputerOpponentEntryNamesACity)
{
    const std::string text = ReadWholeFile("data/scenarios/Europe1939/ai_data.csv").value_or("");
    std::istringstream lines(text);
    std::string line;
    int checked = 0;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::vector<int> values;
        std::istringstream fields(line);
        std::string key, field;
        std::getline(fields, key, ';');
        while (std::getline(fields, field, ';'))
            if (!field.empty())
                values.push_back(std::stoi(field));
        const bool pairs = key == "DoNotAttackCities" || key == "ExtraCitiesToGarrison" ||
                           key == "ObligatorySeaInvasionTargets";
        if (key == "SeaZonesToPatrol") {
            // A sea node each, and a fleet's mode: 0 a battle fleet, 1 raiders.
            ASSERT_EQ(values.size() % 2, 0u) << line;
            for (size_t i = 0; i < values.size(); i += 2) {
                EXPECT_NE(game->m_SeaGraph->GetNode(values[i]), nullptr) << line;
                EXPECT_TRUE(values[i + 1] == 0 || values[i + 1] == 1) << line;
                ++checked;
            }
            continue;
        }
        const size_t step = pairs ? 2 : key == "CurrentTargets" ? 3 : 0;
        if (step == 0)
            continue;
        ASSERT_EQ(values.size() % step, 0u) << line;
        for (size_t i = 0; i + 1 < values.size(); i += step) {
            const cMiasto* city = CityAt(values[i], values[i + 1]);
            ASSERT_NE(city, nullptr) << key << " names no city at (" << values[i] << ", " << values[i + 1] << ")";
            if (key == "ObligatorySeaInvasionTargets") {
                EXPECT_TRUE(city->IsPort()) << WideToUtf8(city->Name);
            }
            ++checked;
        }
    }
    EXPECT_GT(checked, 20);
}

TEST_F(Europe1939, AResaveOpensAgainToTheSameFiles)
{
    ReloadAsWritten();
    fs::create_directories("first");
    WriteSaveFiles(L"first");
    // What the game writes back is what the scenario holds.
    for (const char* name : {"cities.csv", "countries.csv", "land_units.csv", "air_units.csv", "naval_units.csv",
                             "fleets.csv", "sea_nodes.csv", "map.qvr", "relations.csv", "commanders.csv",
                             "ai_data.csv", "unit_names.csv"}) {
        EXPECT_TRUE(ReadWholeFile(fs::path("first") / name) ==
                    ReadWholeFile(fs::path("data/scenarios/Europe1939") / name))
            << name;
    }
    DeleteGameObject();
    fs::create_directories("data/save");
    fs::rename("first", "data/save/first");
    game = LoadGame(sGameLoadRequest::ForSave(L"first"));
    fs::create_directories("second");
    WriteSaveFiles(L"second");
    for (const auto& entry : fs::directory_iterator("data/save/first")) {
        const std::string name = entry.path().filename().string();
        if (name == "Info.ini")
            continue; // carries the time of the save
        EXPECT_TRUE(ReadWholeFile(entry.path()) == ReadWholeFile(fs::path("second") / name)) << name;
    }
    // A byte-order mark that an editor saves at the start of a text file is no part of it.
    for (const auto& entry : fs::directory_iterator("data/scenarios/Europe1939"))
        if (entry.path().extension() != ".qvr" && entry.path().extension() != ".png")
            WriteWholeFile(entry.path(), "\xEF\xBB\xBF" + ReadWholeFile(entry.path()).value_or(""));
    ReloadAsWritten();
    fs::create_directories("marked");
    WriteSaveFiles(L"marked");
    for (const auto& entry : fs::directory_iterator("data/save/first")) {
        if (entry.path().filename() != "Info.ini") {
            EXPECT_TRUE(ReadWholeFile(entry.path()) == ReadWholeFile("marked" / entry.path().filename())) << entry;
        }
    }
}
TEST_F(Europe1939, ANewGameStartsOneImpulseAfterItsFilesAtTheSecondImpulseOfSeptember1939)
{
    EXPECT_TRUE(testing_support::LogHasInOrder({L"Zaczynam wykonywanie konca impulsu", L"Koniec impulsu wykonany",
                                                L"-- Loading new scenario done!"}));
    EXPECT_EQ(game->m_Date[0], 2);
    EXPECT_EQ(game->m_Date[1], 9);
    EXPECT_EQ(game->m_Date[2], 1939);
    EXPECT_EQ(game->m_Turn, 1);
}

TEST_F(Europe1939, EventsValidateAndAreGuardedByFlags)
{
    ASSERT_NE(game->m_Events, nullptr);
    game->m_Events->ValidateEventFiles(); // ends the test process on an invalid expression or effect
    EXPECT_GE(game->m_Events->events.size(), 15u);
    const std::string xml = ReadWholeFile("data/scenarios/Europe1939/events.xml").value_or("");
    // Every event with options sets a flag, so that it fires once.
    size_t pos = 0;
    int events = 0;
    while ((pos = xml.find("<event ", pos)) != std::string::npos) {
        const size_t end = xml.find("</event>", pos);
        ASSERT_NE(end, std::string::npos);
        const std::string body = xml.substr(pos, end - pos);
        EXPECT_NE(body.find("Flag.SetValue"), std::string::npos) << body.substr(0, 120);
        EXPECT_NE(body.find("Flag.GetValue"), std::string::npos) << body.substr(0, 120);
        pos = end;
        ++events;
    }
    EXPECT_EQ(size_t(events), game->m_Events->events.size());
    // The targets that events give the computer opponent are cities.
    int targets = 0;
    const std::string method = "method=\"AI.AddInvasionTarget\"";
    for (pos = xml.find(method); pos != std::string::npos; pos = xml.find(method, pos + 1)) {
        int country = 0, x = -1, y = -1;
        ASSERT_EQ(std::sscanf(xml.c_str() + pos + method.size(), " param0=\"%d\" param1=\"%d\" param2=\"%d\"", &country,
                              &x, &y),
                  3);
        EXPECT_NE(CityAt(x, y), nullptr) << "an invasion target at (" << x << ", " << y << ") names no city";
        ++targets;
    }
    EXPECT_GT(targets, 10);
}


TEST_F(Europe1939, OnTheFirstDayNoEventFiresAndTheEarlyWarWaitsOnlyForItsDate)
{
    ReloadAsWritten();
    sGameDate today;
    today.impulse = game->m_Date[0];
    today.month = game->m_Date[1];
    today.year = game->m_Date[2];
    today.calendar = &game->m_Consts.ImpulsesPerMonth;
    // Ready but for the date: the partition of Poland, the Winter War, the Baltic states,
    // Bessarabia, the first American aid, Weserubung, Fall Gelb and Germany's armament of 1940.
    // The rest wait for what must happen first (the fall of Paris, Italy in the Axis, war in the east).
    const std::set<int> ready = {1, 2, 4, 5, 16, 17, 18, 24, 25, 43};
    for (cZdarzenie& e : game->m_Events->events) {
        EXPECT_FALSE(e.IsDateInRange(today)) << "event " << e.eventID << " may fire on the first day";
        EXPECT_EQ(e.condition.Evaluate(), ready.count(e.eventID) == 1) << "event " << e.eventID << ": "
                                                                        << WideToUtf8(e.title);
        // The computer chooses among all its options.
        int chances = 0;
        for (const cEventOption& o : e.options)
            chances += o.chanceAI;
        EXPECT_GT(chances, 0) << e.eventID;
    }
}

TEST_F(Europe1939, ForcesStandInTheirOwnCountryWithTheirOwnCommanders)
{
    auto check = [&](const cUnit* u) {
        const sHex* hex = game->m_Mapa->GetHex(u->m_X, u->m_Y);
        ASSERT_NE(hex, nullptr) << u->m_Id;
        EXPECT_TRUE(hex->IsLand());
        EXPECT_EQ(int(hex->controller), u->m_Owner) << WideToUtf8(u->m_Name) << " stands abroad";
        if (u->m_Commander) {
            EXPECT_EQ(u->m_Commander->CountryID, u->m_Owner) << WideToUtf8(u->m_Name);
            EXPECT_EQ(u->m_Commander->State, 2) << WideToUtf8(u->m_Commander->Name);
        }
    };
    std::map<int, int> landUnits;
    for (const cJednostkaLadowa* u : game->m_LandUnits) {
        check(u);
        ++landUnits[u->m_Owner];
    }
    for (const cJednostkaLotnicza* u : game->m_AirUnits)
        check(u);
    // The armies of 1939 in proportion: Germany, France and the Soviet Union field the most.
    EXPECT_GT(landUnits[1], 30);
    EXPECT_GT(landUnits[5], 30);
    EXPECT_GT(landUnits[3], 20);
    EXPECT_GT(landUnits[1], landUnits[4]);
    // Fleets lie in ports of their own country, or at sea.
    for (const cFlota* f : game->m_Fleets) {
        const sWezelGrafuMorz& node = game->m_SeaGraph->Nodes[size_t(f->seaNode - 1)];
        if (node.SizeMax > 0) {
            EXPECT_EQ(int(game->m_Mapa->GetHex(node.MainX, node.MainY)->controller), f->owner) << WideToUtf8(f->name);
        }
        EXPECT_FALSE(f->ships.empty()) << WideToUtf8(f->name);
    }
    for (const cJednostkaMorska* ship : game->m_NavalUnits)
        EXPECT_TRUE(ship->m_Fleet && ship->m_Fleet->owner == ship->m_Owner) << WideToUtf8(ship->m_Name);
}

TEST_F(Europe1939, WinterAndMudFitEachClimate)
{
    auto chances = [&](const wchar_t* cityName, int month) {
        for (const cMiasto* c : game->m_Cities)
            if (c->Name == cityName) {
                const sHex* hex = game->m_Mapa->GetHex(c->X, c->Y);
                return std::pair<int, int>(hex->winterChance[month - 1], hex->mudChance[month - 1]);
            }
        ADD_FAILURE() << "no city " << WideToUtf8(cityName);
        return std::pair<int, int>(0, 0);
    };
    EXPECT_GE(chances(L"Moscow", 1).first, 70);    // the Russian winter
    EXPECT_GE(chances(L"Smolensk", 10).second, 40); // the rasputitsa of autumn
    EXPECT_GE(chances(L"Kiev", 4).second, 40);      // and of spring
    EXPECT_LE(chances(L"London", 1).first, 20);
    EXPECT_LE(chances(L"Paris", 1).first, 20);
    EXPECT_GT(chances(L"Berlin", 1).first, chances(L"Paris", 1).first);
    EXPECT_EQ(chances(L"Tobruk", 1).first, 0);      // no winter in the desert
    EXPECT_GE(chances(L"Murmansk", 11).first, 70);
    EXPECT_EQ(chances(L"Moscow", 7).first, 0);
    EXPECT_EQ(chances(L"Moscow", 7).second, 0);
    for (const sHex& hex : game->m_Mapa->Hexes())
        for (int m = 0; m < 12; ++m) {
            ASSERT_LE(hex.winterChance[m], 100);
            ASSERT_LE(hex.mudChance[m], 100);
            if (hex.IsSea()) {
                ASSERT_EQ(hex.winterChance[m] + hex.mudChance[m], 0);
            }
        }
}

// A new unit is named by a number and its owner's name for its type: every country has a
// name for every type it can buy, embark into or build, and a Mulberry's name takes its number.
TEST_F(Europe1939, EveryCountryNamesEveryUnitType)
{
    const int types[] = {UNIT_INFANTRY,  UNIT_INFANTRY_CORPS,   UNIT_MECHANIZED,        UNIT_MECHANIZED_CORPS,
                         UNIT_ARMOURED,  UNIT_ARMOURED_CORPS,   UNIT_AIRBORNE,          UNIT_FIGHTER,
                         UNIT_TACTICAL_BOMBER, UNIT_STRATEGIC_BOMBER, UNIT_CARRIER,     UNIT_BATTLESHIP,
                         UNIT_CRUISER,   UNIT_SUBMARINE,        UNIT_CARGO,             UNIT_AMPHIBIOUS};
    for (const cPanstwo* c : game->m_Countries) {
        for (int type : types) {
            const std::wstring name = c->GetUnitTypeName(type);
            EXPECT_TRUE(!name.empty() && name.find(L'%') == std::wstring::npos)
                << WideToUtf8(c->Name) << ", type " << type << ": \"" << WideToUtf8(name) << "\"";
        }
        const std::wstring harbour = FormatText(c->GetUnitTypeName(UNIT_MULBERRY), 39);
        EXPECT_TRUE(harbour.find(L"39") != std::wstring::npos && harbour.find(L'%') == std::wstring::npos)
            << WideToUtf8(c->Name) << ": \"" << WideToUtf8(harbour) << "\"";
    }
}
