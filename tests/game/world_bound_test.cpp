#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <tuple>

#include "core/fatal.h"
#include "game/air_tables.h"
#include "game/game.h"
#include "game/turn_order.h"
#include "platform/paths.h"
#include "tests/test_support.h"
#include "units/land_unit.h"
#include "units/air_unit.h"
#include "units/naval_unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/map.h"

namespace {

// A game with countries, a map and cities, all owned by the test.
class GameWithWorld : public ::testing::Test
{
protected:
    GameWithWorld() : game(sGameLoadRequest::ForSave(L"W"), 1) {}
    ~GameWithWorld() override
    {
        for (cPanstwo* c : game.m_Countries)
            delete c;
        game.m_Countries.clear();
        for (cMiasto* c : game.m_Cities)
            delete c;
        game.m_Cities.clear();
        delete game.m_Mapa;
        game.m_Mapa = nullptr;
    }

    cPanstwo* AddCountry(const wchar_t* name, int alliance, int strength, bool human = false)
    {
        auto* c = new cPanstwo;
        c->ID = int(game.m_Countries.size()) + 1;
        c->Name = name;
        c->Alliance = alliance;
        c->PoliticalStrength = strength;
        c->IsActive = true;
        c->HumanControlled = human;
        game.m_Countries.push_back(c);
        return c;
    }

    cMiasto* AddCity(int x, int y, int controller, int vp, float pp, int type = CITY_SUPPLY)
    {
        if (!game.m_Mapa)
            game.m_Mapa = new cMapa(20, 10);
        auto* city = new cMiasto;
        city->X = x;
        city->Y = y;
        city->Name = L"City " + std::to_wstring(x) + L"," + std::to_wstring(y);
        city->VictoryPoints = vp;
        city->ProductionPoints = pp;
        city->Type = type;
        sHex& hex = game.m_Mapa->Hexes()[size_t(y * 20 + x)];
        hex.controller = uint8_t(controller);
        hex.city = city;
        game.m_Cities.push_back(city);
        return city;
    }

    cGra game;
};

TEST_F(GameWithWorld, TurnOrderOverCountries)
{
    cPanstwo* uk = AddCountry(L"Britain", 4, 80, true);
    cPanstwo* de = AddCountry(L"Germany", 5, 100);
    cPanstwo* it = AddCountry(L"Italy", 2, 100, true);
    EXPECT_EQ(DetermineCurrentCountry(game.m_Countries), de);
    de->FinishedTurn = true;
    EXPECT_EQ(DetermineCurrentCountry(game.m_Countries), it);
    EXPECT_EQ(PickNextCountry(game.m_Countries, de), it);
    it->FinishedTurn = true;
    EXPECT_EQ(PickNextCountry(game.m_Countries, it), uk);
    uk->FinishedTurn = true;
    EXPECT_EQ(DetermineCurrentCountry(game.m_Countries), nullptr);
    EXPECT_EQ(PickNextCountry(game.m_Countries, uk), it); // wraps to the start of the order
    EXPECT_EQ(DetermineCurrentCountry({}), nullptr);
}

TEST_F(GameWithWorld, AllianceLeadersAndHumanCountries)
{
    EXPECT_EQ(game.GetAllianceLeader(2), nullptr);
    EXPECT_FALSE(game.HasHumanCountry());
    AddCountry(L"Italy", 2, 50);
    cPanstwo* de = AddCountry(L"Germany", 5, 100);
    cPanstwo* uk = AddCountry(L"Britain", 4, 80, true);
    EXPECT_EQ(game.GetAllianceLeader(2), de);
    EXPECT_EQ(game.GetAllianceLeader(5), de);
    EXPECT_EQ(game.GetAllianceLeader(1), uk);
    EXPECT_EQ(game.GetAllianceLeader(3), nullptr);
    EXPECT_EQ(game.GetAllianceLeader(0), nullptr);
    EXPECT_EQ(game.GetAllianceLeader(7), nullptr);
    EXPECT_TRUE(game.HasHumanCountry());
    uk->IsActive = false;
    EXPECT_FALSE(game.HasHumanCountry());
}

TEST_F(GameWithWorld, VictoryPointsAndScoresCountControlledCities)
{
    AddCountry(L"Italy", 2, 50);
    AddCountry(L"Germany", 5, 100);
    AddCountry(L"Britain", 4, 80);
    AddCity(1, 1, 1, 3, 2.5f);
    AddCity(2, 1, 2, 10, 4.0f);
    AddCity(3, 1, 3, 7, 1.0f);
    EXPECT_EQ(game.CountAllianceVictoryPoints(2), 13);
    EXPECT_EQ(game.CountAllianceVictoryPoints(5), 13);
    EXPECT_EQ(game.CountAllianceVictoryPoints(1), 7);
    EXPECT_EQ(game.CountAllianceVictoryPoints(3), 0);
    EXPECT_EQ(game.CountAllianceVictoryPoints(0), -1);
    EXPECT_EQ(game.CountAllianceVictoryPoints(7), -1);
    EXPECT_EQ(game.CountCountryVictoryPoints(2), 10);
    EXPECT_EQ(game.ComputeCountryScore(1), 5); // 3 + 2.5, truncated

    // A city on a hex nobody controls counts for nobody, with a line in the log; the game goes on.
    AddCity(4, 4, 0, 1, 0.0f);
    const std::tuple<std::function<int64_t()>, int, std::wstring> counts[] = {
        {[&] { return game.CountAllianceVictoryPoints(1); }, 7,
         L"City City 4,4 is not controlled by any country (controller id = 0)! (Counting alliance VPs)"},
        {[&] { return game.CountCountryVictoryPoints(2); }, 10,
         L"ERROR: City City 4,4 is not controlled by any country (controller id = 0)! (Counting country VPs)"},
        {[&] { return game.ComputeCountryScore(1); }, 5,
         L"City City 4,4 is not controlled by any country (controller id = 0)! (Counting country VPs)"}};
    for (const auto& [count, expected, line] : counts) {
        testing_support::ClearLog();
        EXPECT_EQ(count(), expected);
        EXPECT_TRUE(testing_support::LogContains(line)) << line;
    }
    // Sums pass 32 bits (as some 2,200 cities of the million points cities.csv takes would).
    AddCity(5, 1, 2, INT32_MAX, 0.0f);
    AddCity(6, 1, 2, INT32_MAX, 0.0f);
    EXPECT_EQ(game.CountAllianceVictoryPoints(2), 13 + 2 * int64_t(INT32_MAX));
    EXPECT_EQ(game.CountCountryVictoryPoints(2), 10 + 2 * int64_t(INT32_MAX));
    EXPECT_EQ(game.ComputeCountryScore(2), 14 + 2 * int64_t(INT32_MAX));
}

TEST_F(GameWithWorld, UnitNamesAndAirshipReportsGoIntoTheCountries)
{
    cPanstwo* a = AddCountry(L"A", 1, 1);
    cPanstwo* b = AddCountry(L"B", 2, 1);
    std::filesystem::create_directories("data/save/W");
    WriteWholeFile("data/save/W/unit_names.csv", "Type;Default;;\r\n1;Infantry;Fanti;\r\n");
    game.LoadUnitNames(sGameLoadRequest::ForSave(L"W"));
    EXPECT_EQ(a->GetUnitTypeName(0), L"Fanti");
    EXPECT_EQ(b->GetUnitTypeName(0), L"Infantry");

    b->AirshipAttacks.push_back(new sAirshipAttack{L"Zeppelin over Hull"});
    std::filesystem::create_directories("data/save/X");
    SaveAirshipAttacks(L"data\\save\\X", game.m_Countries);
    for (auto* r : b->AirshipAttacks)
        delete r;
    b->AirshipAttacks.clear();
    LoadAirshipAttacks(L"data\\save\\X\\%s", game.m_Countries);
    ASSERT_EQ(b->AirshipAttacks.size(), 1u);
    EXPECT_EQ(b->AirshipAttacks.front()->text, L"Zeppelin over Hull");
    EXPECT_TRUE(a->AirshipAttacks.empty());
    for (auto* r : b->AirshipAttacks)
        delete r;
    b->AirshipAttacks.clear();

    // Airship reports are optional; unit names are not.
    testing_support::ClearLog();
    LoadAirshipAttacks(L"data\\save\\None\\%s", game.m_Countries);
    EXPECT_TRUE(testing_support::LogContains(
        L"Nie uda?o si? otworzy? pliku - mo?e nie istnie? (zadnych raportow do wyswietlenia)"));
    try {
        game.LoadUnitNames(sGameLoadRequest::ForSave(L"None"));
        FAIL();
    } catch (const sFatalExit& e) {
        EXPECT_EQ(e.code, 1);
        EXPECT_EQ(e.reason, L"Blad otwarcia pliku! (nie istnieje?)");
    }
}

TEST_F(GameWithWorld, AIDataFindsCitiesOnTheMap)
{
    AddCountry(L"A", 1, 1);
    AddCountry(L"B", 2, 1);
    cMiasto* port = AddCity(3, 4, 1, 0, 0, CITY_PORT);
    cMiasto* inland = AddCity(5, 5, 1, 0, 0, CITY_SUPPLY);
    std::vector<sAIParameters> blocks(2);
    const AIParametersOf of = [&](cPanstwo& c) -> sAIParameters& { return blocks[size_t(c.ID - 1)]; };
    std::filesystem::create_directories("data/save/W");
    WriteWholeFile("data/save/W/ai_data.csv",
                   "# ai\nCountry;2\nObligatorySeaInvasionTargets;3;4\nDoNotAttackCities;5;5;3;4\n");
    game.LoadAIData(sGameLoadRequest::ForSave(L"W"), of);
    EXPECT_EQ(blocks[1].ObligatorySeaInvasionTargets, (std::list<cMiasto*>{port}));
    EXPECT_EQ(blocks[1].DoNotAttackCities, (std::list<cMiasto*>{inland, port}));
    std::filesystem::create_directories("data/save/Y");
    WriteAIDataFile(game, L"data\\save\\Y", of);
    std::vector<sAIParameters> back(2);
    game.LoadAIData(sGameLoadRequest::ForSave(L"Y"), [&](cPanstwo& c) -> sAIParameters& { return back[size_t(c.ID - 1)]; });
    EXPECT_EQ(back[1].DoNotAttackCities, blocks[1].DoNotAttackCities);

    WriteWholeFile("data/save/W/ai_data.csv", "Country;1\nExtraCitiesToGarrison;25;4\n"); // off the map
    EXPECT_THROW(game.LoadAIData(sGameLoadRequest::ForSave(L"W"), of), sFatalExit);
    try {
        game.LoadAIData(sGameLoadRequest::ForSave(L"Missing"), of);
        FAIL();
    } catch (const sFatalExit& e) {
        EXPECT_EQ(e.reason, L"Blad otwarcia pliku! (nie istnieje?)");
    }
}

TEST_F(GameWithWorld, PlayerPlacesLiveInTheMap)
{
    game.m_Mapa = new cMapa(30, 20);
    std::filesystem::create_directories("data/save/W");
    WriteWholeFile("data/save/W/PlayerDefinedPlaces.txt", "#p\n4;5\n-1;-1\n29;19\n40;2\n");
    game.LoadPlayerPlaces(L"data\\save\\W\\%s");
    EXPECT_EQ(game.m_Mapa->GetCameraBookmark(0), std::make_pair(4, 5));
    EXPECT_EQ(game.m_Mapa->GetCameraBookmark(2), std::make_pair(29, 19));
    EXPECT_EQ(game.m_Mapa->GetCameraBookmark(3), std::make_pair(-1, -1)); // (40, 2) is off the map
    std::filesystem::create_directories("data/save/Z");
    SavePlayerPlaces(game, L"data\\save\\Z");
    EXPECT_NE(ReadWholeFile("data/save/Z/PlayerDefinedPlaces.txt")->find("29;19\r\n-1;-1\r\n"), std::string::npos);
}

} // namespace
