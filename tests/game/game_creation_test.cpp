// Creating a game from the test scenario, saving it, opening the save and tearing down.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "ai/ai_thread.h"
#include "core/fatal.h"
#include "core/text.h"
#include "events/events.h"
#include "game/game.h"
#include "game/play_state.h"
#include "game/save_game.h"
#include "platform/paths.h"
#include "tests/game/testland.h"
#include "tests/test_support.h"
#include "units/land_unit.h"
#include "units/air_unit.h"
#include "units/naval_unit.h"
#include "units/unit_lists.h"
#include "world/city.h"
#include "world/convoys.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/map.h"
#include "world/sea_graph.h"
#include "world/supply.h"

namespace fs = std::filesystem;
using testing_support::LogHasInOrder;

namespace {

class GameCreation : public ::testing::Test
{
protected:
    GameCreation()
    {
        testland::InstallTestland();
        SetPresentation(&screen);
    }
    ~GameCreation() override
    {
        DeleteGameObject();
        SetPresentation(nullptr);
        SetSaveFileWrittenHook(nullptr);
    }

    static std::string Bytes(const fs::path& path)
    {
        auto bytes = ReadWholeFile(path);
        return bytes ? *bytes : std::string("<missing>");
    }
    // Info.ini without the line of the save date.
    static std::string WithoutSaveDate(std::string text)
    {
        const size_t at = text.find("Date=");
        if (at != std::string::npos)
            text.erase(at, text.find('\n', at) - at);
        return text;
    }
    static cFlota* Fleet(int id)
    {
        for (cFlota* f : g_Gra->m_Fleets)
            if (f->ID == id)
                return f;
        return nullptr;
    }

    testland::cRecordingPresentation screen;
};

const std::vector<int> kProgress = {5, 10, 15, 20, 25, 35, 40, 45, 50, 55, 60, 65, 70, 75, 80, 85, 90, 95, 100};

} // namespace

TEST_F(GameCreation, ScenarioSavedReopenedAndSavedAgainGivesTheSameBytes)
{
    cGra* game = LoadGame(sGameLoadRequest::ForScenario(L"Testland"));
    ASSERT_EQ(game, g_Gra);
    EXPECT_EQ(game->GetGameState(), 1);
    EXPECT_EQ(screen.progress, kProgress);
    EXPECT_TRUE(LogHasInOrder({L"-- Loading new scenario done!", L"---- Game state = 1"}));
    ASSERT_TRUE(SaveGame(L"first", true));
    EXPECT_TRUE(screen.messages.empty()) << "a quiet save shows nothing";
    DeleteGameObject();
    EXPECT_EQ(g_Gra, nullptr);

    screen.progress.clear();
    LoadGame(sGameLoadRequest::ForSave(L"first"));
    EXPECT_EQ(screen.progress, kProgress) << "90 and 95 come on the saved-game branch too";
    EXPECT_EQ(g_Gra->m_ScenarioName, L"Testland");
    ASSERT_TRUE(SaveGame(L"second", true));

    for (const wchar_t* name : kSaveFileNames) {
        const fs::path first = HostPath(std::wstring(L"data\\save\\first\\") + name);
        const fs::path second = HostPath(std::wstring(L"data\\save\\second\\") + name);
        ASSERT_TRUE(fs::exists(first)) << WideToUtf8(name);
        if (std::wstring(name) == L"Info.ini")
            EXPECT_EQ(WithoutSaveDate(Bytes(first)), WithoutSaveDate(Bytes(second)));
        else
            EXPECT_EQ(Bytes(first), Bytes(second)) << WideToUtf8(name) << " differs";
    }
    // Exactly the files of the list and the list of their sizes, nothing half-written beside them.
    EXPECT_EQ(std::distance(fs::directory_iterator("data/save/second"), fs::directory_iterator()), kSaveFileCount + 1);
    EXPECT_EQ(std::distance(fs::directory_iterator("data/save"), fs::directory_iterator()), 2);
}

TEST_F(GameCreation, PostLoadLinksShipsCargoReservesAndCountsNextIds)
{
    cGra& game = *LoadGame(sGameLoadRequest::ForScenario(L"Testland"));
    // Convoys 1-2, fleets 1-4, ships 1-7 at sea and 8 in reserve, land 1-12, air 1-4.
    EXPECT_EQ(game.m_NextIds.convoy, 3);
    EXPECT_EQ(game.m_NextIds.fleet, 5);
    EXPECT_EQ(game.m_NextIds.navalUnit, 9);
    EXPECT_EQ(game.m_NextIds.landUnit, 13);
    EXPECT_EQ(game.m_NextIds.airUnit, 5);

    for (cJednostkaMorska* ship : game.m_NavalUnits) {
        ASSERT_NE(ship->m_Fleet, nullptr) << WideToUtf8(ship->m_Name);
        EXPECT_EQ(ship->m_Fleet->ID, ship->m_FleetId);
        const auto& ships = ship->m_Fleet->ships;
        EXPECT_EQ(std::count(ships.begin(), ships.end(), ship), 1);
    }
    EXPECT_EQ(Fleet(1)->ships.size(), 2u);
    EXPECT_EQ(Fleet(2)->ships.size(), 1u);
    EXPECT_EQ(Fleet(3)->ships.size(), 3u);
    EXPECT_EQ(Fleet(4)->ships.size(), 1u);

    // The corps marked for ship 3 travels aboard it and holds no hex.
    cJednostkaMorska* transport = game.FindNavalUnitById(3);
    ASSERT_NE(transport, nullptr);
    ASSERT_NE(transport->m_Cargo, nullptr);
    EXPECT_EQ(transport->m_Cargo->m_Id, 2);
    EXPECT_EQ(transport->m_Cargo->m_Transporter, transport);
    ASSERT_EQ(game.m_LandUnits2.size(), 1u);
    EXPECT_EQ(game.m_LandUnits2.front(), transport->m_Cargo);
    for (const cJednostkaLadowa* u : game.m_LandUnits)
        EXPECT_NE(u->m_Id, 2);

    // The reserves: land unit 3 and air unit 4 in the pool, ship 8 in the naval reserve.
    ASSERT_EQ(game.m_Reserve.size(), 2u);
    EXPECT_EQ(game.m_Reserve[0]->m_Id, 3);
    EXPECT_EQ(game.m_Reserve[1]->m_Id, 4);
    ASSERT_EQ(game.m_NavalReserve.size(), 1u);
    EXPECT_EQ(game.m_NavalReserve[0]->m_Id, 8);
    EXPECT_EQ(game.m_LandUnits.size(), 10u);
    EXPECT_EQ(game.m_AirUnits.size(), 3u);

    // The Axis leader moves first; no unit starts unready for an airborne assault.
    ASSERT_NE(game.m_PlayState->GetActiveCountry(), nullptr);
    EXPECT_EQ(game.m_PlayState->GetActiveCountry()->Name, L"Borussia");
    EXPECT_EQ(game.m_PlayState->GetViewCountry(), nullptr);
    for (const cJednostkaLadowa* u : game.m_LandUnits)
        EXPECT_EQ(u->m_TurnsSinceParadrop, game.m_Consts.AirborneAssaultWait);
    // Each event's most likely option; the event without options repeats the previous one.
    const std::list<sAutoEvent> autoEvents = {{1, 2}, {2, 2}};
    EXPECT_EQ(game.m_AutoEvents->GetPairs(), autoEvents);
    EXPECT_TRUE(screen.boxes.empty()) << "every hex has valid owners";
    EXPECT_EQ(game.m_AIs.size(), game.m_Countries.size());

    // Ids: the naval counter goes one beyond the highest ship at sea, wherever it is listed,
    // then one more; it takes the reserve's highest id when that is higher.
    game.m_NavalUnits.front()->m_Id = 30;
    game.ComputeNextIds();
    EXPECT_EQ(game.m_NextIds.navalUnit, 32);
    game.m_NavalReserve[0]->m_Id = 40;
    game.ComputeNextIds();
    EXPECT_EQ(game.m_NextIds.navalUnit, 41);
}

TEST_F(GameCreation, WorldCityGroupsAndNearestCities)
{
    cGra& game = *LoadGame(sGameLoadRequest::ForScenario(L"Testland"));
    const cPlayState& play = *game.m_PlayState;
    // The island and the continent.
    ASSERT_EQ(play.GetWorldCityGroups().size(), 2u);
    std::vector<std::wstring> island;
    for (const cMiasto* c : play.GetWorldCityGroups().front())
        island.push_back(c->Name);
    EXPECT_EQ(island, (std::vector<std::wstring>{L"Londinium", L"Dover"}));
    for (const cMiasto* c : play.GetWorldCityGroups().back())
        EXPECT_NE(c->Type, CITY_RESOURCES);
    EXPECT_EQ(play.GetWorldCityGroups().back().size(), 7u);

    ASSERT_NE(play.NearestCity(2, 2), nullptr);
    EXPECT_EQ(play.NearestCity(2, 2)->Name, L"Londinium");
    EXPECT_EQ(play.NearestCity(17, 5)->Name, L"Moskva");
    // The mines are never anyone's nearest city; sea and off-map hexes have none. At equal
    // distance the city earlier in the list wins: Colonia before Berna, Londinium before Dover.
    ASSERT_NE(play.NearestCity(10, 6), nullptr);
    EXPECT_EQ(play.NearestCity(10, 6)->Name, L"Colonia");
    EXPECT_EQ(play.NearestCity(3, 2)->Name, L"Londinium");
    EXPECT_EQ(play.NearestCity(0, 0), nullptr);
    EXPECT_EQ(play.NearestCity(-1, 3), nullptr);
    EXPECT_EQ(play.NearestCity(20, 3), nullptr);
    // The first column and row are reached like any other hex.
    game.m_Mapa->GetHex(0, 2)->terrain = 1;
    game.m_Mapa->GetHex(1, 0)->terrain = 1;
    game.m_PlayState->BuildNearestCityMap(*game.m_Mapa, game.m_Cities);
    ASSERT_NE(play.NearestCity(0, 2), nullptr);
    EXPECT_EQ(play.NearestCity(0, 2)->Name, L"Londinium");
    ASSERT_NE(play.NearestCity(1, 0), nullptr);
    EXPECT_EQ(play.NearestCity(1, 0)->Name, L"Londinium");
    ASSERT_NE(play.GetSupplyWorkArea(), nullptr);
    EXPECT_EQ(play.GetSupplyWorkArea()->Grid.size(), 20u * 16u);

    // The strait between the Channel (2) and the Southern Sea (3) is Valdonia's: its side
    // sails through, Borussia at war with it does not; the North Sea passage is free.
    const cGrafMorz& sea = *game.m_SeaGraph;
    EXPECT_TRUE(sea.CanPass(2, 3, 5));
    EXPECT_TRUE(sea.CanPass(3, 2, 1));
    EXPECT_FALSE(sea.CanPass(2, 3, 2));
    EXPECT_TRUE(sea.CanPass(1, 2, 2));
    // Every port city lies at the main hex of its sea node.
    for (const cMiasto* city : game.m_Cities) {
        if (!city->IsPort())
            continue;
        EXPECT_EQ(sea.GetNode(sea.FindNodeAtHex(city->X, city->Y))->Kind, SEA_NODE_PORT) << WideToUtf8(city->Name);
    }
}

TEST_F(GameCreation, TeardownStopsTheThreadAndFreesEverythingInOrder)
{
    CreateGame(sGameLoadRequest::ForScenario(L"Testland"));
    EXPECT_TRUE(IsAIThreadRunning());
    EXPECT_TRUE(g_AIThreadRun.load());
    EXPECT_EQ(screen.settingsMenus, 1);
    testing_support::ClearLog();
    // A check of the events asked as the game ends, its thread gone before serving it.
    StopAIThread();
    g_EventCheckRequested = true;
    DeleteGameObject();
    EXPECT_FALSE(g_EventCheckRequested.load()) << "the next game's thread would check its events unasked";
    EXPECT_EQ(g_Gra, nullptr);
    EXPECT_FALSE(IsAIThreadRunning());
    EXPECT_FALSE(g_AIThreadRun.load());
    EXPECT_TRUE(LogHasInOrder({L"----- Ending game ----", L"---- Game state = 15", L"Closing thread",
                               L"Destroying textures", L"Destroying fonts", L"Deleting music manager",
                               L"Saving settings", L"Destroing map", L"Destroying cities", L"Destroying land units",
                               L"Destroying air units", L"Destroying naval units", L"Destroying fleets",
                               L"Destroying countries", L"Destroying AI", L"Destroying events repository",
                               L"Destroying strategic moves manager", L"Destroying events manager",
                               L"Destroying convoys manager", L"Destroying reports manager",
                               L"Destroying unit names", L"---- Destroying done"}));
}

TEST_F(GameCreation, ALoadErrorTearsTheHalfBuiltGameDown)
{
    fs::remove("data/scenarios/Testland/countries.csv");
    EXPECT_THROW(LoadGame(sGameLoadRequest::ForScenario(L"Testland")), sFatalExit);
    EXPECT_EQ(g_Gra, nullptr);
    EXPECT_FALSE(IsGameBeingCreated());
    EXPECT_TRUE(LogHasInOrder({L"Blad otwarcia pliku! (nie istnieje?)", L"----- Ending game ----",
                               L"Destroying cities", L"---- Destroying done"}));
}

TEST_F(GameCreation, InvalidHexOwnersAreLoggedAndAnnouncedOnce)
{
    cGra& game = *LoadGame(sGameLoadRequest::ForScenario(L"Testland"));
    game.m_Mapa->GetHex(2, 2)->owner = 9;
    game.m_Mapa->GetHex(11, 3)->controller = 0;
    game.m_Mapa->GetHex(0, 0)->owner = 9; // sea: not checked
    game.CheckHexOwners();
    EXPECT_TRUE(LogHasInOrder({L"ERR: Hex (2, 2) ma nieprawidlowego wlasciciela (9)",
                               L"ERR: Hex (11, 3) ma nieprawidlowego posiadacza (0)"}));
    EXPECT_FALSE(testing_support::LogContains(L"ERR: Hex (0, 0) ma nieprawidlowego wlasciciela (9)"));
    // Each takes a good country of its hex, so that play never meets a hex of nobody.
    EXPECT_EQ(game.m_Mapa->GetHex(2, 2)->owner, game.m_Mapa->GetHex(2, 2)->controller);
    EXPECT_EQ(game.m_Mapa->GetHex(11, 3)->controller, game.m_Mapa->GetHex(11, 3)->owner);
    EXPECT_EQ(game.m_Mapa->GetHex(0, 0)->owner, 9) << "sea is left alone";
    ASSERT_EQ(screen.boxes.size(), 1u);
    EXPECT_EQ(screen.boxes[0], L"Invalid ctr ids on hexes: Logged invalid controllers/owners/orig owners of hexes");
}

TEST_F(GameCreation, ASecondGameReplacesTheFirstAndItsThread)
{
    CreateGame(sGameLoadRequest::ForScenario(L"Testland"));
    ASSERT_TRUE(SaveGame(L"one", true));
    testing_support::ClearLog();
    // The first game's thread answered a check of the events that its main loop never took.
    g_PbemEventCheckDone = true;
    CreateGame(sGameLoadRequest::ForSave(L"one"));
    EXPECT_FALSE(g_PbemEventCheckDone.load()) << "it would end the new game's first turn";
    EXPECT_TRUE(LogHasInOrder({L"----- Ending game ----", L"---- Destroying done", L"-- Loading new scenario done!"}));
    ASSERT_NE(g_Gra, nullptr);
    EXPECT_EQ(g_Gra->m_LoadedFromSave, 1);
    EXPECT_TRUE(IsAIThreadRunning());
    EXPECT_EQ(screen.settingsMenus, 2);
}

TEST_F(GameCreation, ASaveWithItsListsOutOfOrderGivesEverythingNewAnIdNotInUse)
{
    cGra* game = LoadGame(sGameLoadRequest::ForScenario(L"Testland"));
    // The highest ids first, as a save made in play may hold them.
    game->m_LandUnits.reverse();
    game->m_AirUnits.reverse();
    game->m_NavalUnits.reverse();
    game->m_Fleets.reverse();
    for (auto& convoys : game->m_Convoys->Convoys)
        std::reverse(convoys.begin(), convoys.end());
    ASSERT_TRUE(SaveGame(L"reversed", true));
    // An older save: it names neither the counters nor the dice.
    const fs::path info = HostPath(L"data\\save\\reversed\\Info.ini");
    std::string text = Bytes(info), kept;
    for (const std::string& line : SplitText(std::string_view(text), '\n'))
        if (line.rfind("Last", 0) != 0 && line.rfind("Random", 0) != 0)
            kept += line + "\n";
    testing_support::WriteFile(info, kept);
    fs::remove(HostPath(std::wstring(L"data\\save\\reversed\\") + kSavedSizesFileName));
    DeleteGameObject();

    game = LoadGame(sGameLoadRequest::ForSave(L"reversed"));
    EXPECT_FALSE(game->m_SavedRandomStates.has_value());
    EXPECT_EQ(game->m_NavalUnits.front()->m_Id, 7) << "the save holds the list as it was";
    auto inUse = [&](int category, int id) {
        bool used = false;
        game->ForEachUnitOf(category, [&](const cUnit& u) { used = used || u.m_Id == id; });
        return used;
    };
    auto* land = new cJednostkaLadowa();
    auto* mulberry = new cMulberry();
    auto* air = new cJednostkaLotnicza();
    EXPECT_FALSE(inUse(CATEGORY_LAND, land->m_Id));
    EXPECT_FALSE(inUse(CATEGORY_LAND, mulberry->m_Id));
    EXPECT_NE(land->m_Id, mulberry->m_Id);
    EXPECT_FALSE(inUse(CATEGORY_AIR, air->m_Id));
    EXPECT_GT(land->m_Id, 12);
    EXPECT_GT(air->m_Id, 4);
    delete land;
    delete mulberry;
    delete air;

    const int ship = NextNavalUnitId();
    EXPECT_GT(ship, 8);
    for (const cJednostkaMorska* s : game->m_NavalUnits)
        EXPECT_NE(s->m_Id, ship);
    const int fleet = NextFleetId();
    EXPECT_GT(fleet, 4);
    EXPECT_EQ(Fleet(fleet), nullptr);
    const sKonwoj convoy(1, CONVOY_SUPPLIES, nullptr, nullptr);
    EXPECT_GT(convoy.id, 2);

    cEventEffect commander;
    commander.method = L"Commander.AddNew";
    commander.param[0] = 1;
    commander.param[1] = 50;
    commander.param[2] = 10;
    commander.paramString[0] = L"New commander";
    commander.Execute();
    std::set<int> commanders;
    for (const sDowodca* d : game->m_Commanders)
        EXPECT_TRUE(commanders.insert(d->ID).second) << "two commanders have the id " << d->ID;
}
