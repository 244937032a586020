// What each operand method reads from a small game.
#include <gtest/gtest.h>

#include <memory>

#include "core/text.h"
#include "events/events.h"
#include "game/game.h"
#include "tests/test_support.h"
#include "events/events_game.h"
#include "game/ai_params.h"
#include "units/land_unit.h"
#include "units/air_unit.h"
#include "units/naval_unit.h"
#include "world/city.h"
#include "world/fleet.h"
#include "world/country.h"
#include "world/map.h"
#include "world/relations.h"
#include "world/sea_graph.h"
#include "world/world.h"

using testing_support::LogContains;

namespace {

double Read(const wchar_t* method, const std::vector<double>& params = {})
{
    cEventOperand o;
    o.method = method;
    o.line = 7;
    size_t i = 0;
    for (double p : params)
        o.param[i++] = p;
    EXPECT_TRUE(o.Validate()) << "the operand is one the scripts may use";
    return o.Resolve();
}

// A world of three countries on a 6 x 4 map: 1 an Axis leader, 2 an Ally at war with it,
// 3 a neutral; column 0 is sea, the rest land; two sea nodes.
class EventOperands : public ::testing::Test
{
protected:
    void SetUp() override
    {
        game = std::make_unique<cGra>(sGameLoadRequest::ForScenario(L"small"), 0);
        map = std::make_unique<cMapa>(6, 4);
        for (size_t i = 0; i < map->Hexes().size(); ++i)
            map->Hexes()[i].terrain = i % 6 == 0 ? 0 : 1;
        for (int id = 1; id <= 3; ++id) {
            auto* c = new cPanstwo;
            c->ID = id;
            countries.push_back(c);
        }
        cPanstwo& axis = *countries[0];
        axis.Name = L"Germany";
        axis.Alliance = 5;
        axis.Orientation = 1;
        axis.ZoneOfInfluence = 2;
        axis.IsActive = true;
        axis.PP = 123.5;
        axis.DP = 40;
        axis.PoliticalStrength = 90;
        axis.AllianceEntry = 100;
        axis.SocialUnrest = 12.5f;
        axis.WarEconomy = 0.75f;
        axis.SMP = 8;
        axis.STP = 3;
        axis.AIP = 2;
        axis.WinterBattle = 10;
        axis.WinterMove = 20;
        axis.MudBattle = 30;
        axis.MudMove = 40;
        axis.UnitUpkeepCostModifier = 1.5f;
        axis.DifficultyLevel = 2;
        axis.TechLevel[6] = 3;
        axis.TechProgress[1] = 55;
        axis.TechInvestment[0] = 7;
        countries[1]->Alliance = 1;
        countries[1]->HumanControlled = true;
        countries[1]->Name = L"Poland";
        relations.Resize(3);
        relations.SetWar(1, 2, 1);
        relations.SetWar(2, 1, 1);
        seaGraph.Nodes.resize(2);
        seaGraph.Nodes[0].ID = 1;
        seaGraph.Nodes[0].Kind = 0;
        seaGraph.Nodes[0].SizeMax = 6;
        seaGraph.Nodes[0].SizeCurrent = 4;
        seaGraph.Nodes[1].ID = 2;
        seaGraph.Nodes[1].Kind = 1;

        game->m_Turn = 17;
        game->m_Consts.WinterBattleFactor = 0.5f;
        game->m_Consts.WinterMoveFactor = 0.25f;
        game->m_Consts.MudBattleFactor = 0.75f;
        game->m_Consts.MudMoveFactor = 2.0f;
        game->m_Flags[0] = 4;
        game->m_Flags[kFlagCount - 1] = 9;
        game->m_Commanders.push_back(new sDowodca{3, L"Guderian", 2, 0, 6, 40, 2});
        game->m_Mapa = map.get();
        game->m_Countries = countries;
        game->m_Relations = &relations;
        game->m_SeaGraph = &seaGraph;
        game->ShareWithWorld();
    }
    void TearDown() override
    {
        // The world here belongs to the test, not to the game.
        game->m_Mapa = nullptr;
        game->m_Countries.clear();
        game->m_Cities.clear();
        game->m_Relations = nullptr;
        game->m_SeaGraph = nullptr;
        game->m_LandUnits.clear();
        game->m_LandUnits2.clear();
        game->m_AirUnits.clear();
        game->m_NavalUnits.clear();
        game->m_Fleets.clear();
        game.reset();
        units.clear();
        fleets.clear();
        for (cMiasto* c : cities)
            delete c;
        DeleteCountries(countries);
    }
    sHex& Hex(int x, int y) { return map->Hexes()[size_t(y * 6 + x)]; }
    cMiasto* AddCity(int x, int y, int vp)
    {
        auto* city = new cMiasto;
        city->X = x;
        city->Y = y;
        city->VictoryPoints = vp;
        Hex(x, y).city = city;
        cities.push_back(city);
        game->m_Cities.push_back(city);
        return city;
    }

    template <typename T>
    T* AddUnit(std::list<T*>& list, int owner, int type)
    {
        auto unit = std::make_unique<T>();
        unit->m_Owner = owner;
        unit->m_Type = type;
        T* raw = unit.get();
        list.push_back(raw);
        units.push_back(std::move(unit));
        return raw;
    }

    std::unique_ptr<cGra> game;
    std::vector<std::unique_ptr<cUnit>> units;
    std::vector<std::unique_ptr<cFlota>> fleets;
    std::unique_ptr<cMapa> map;
    std::vector<cPanstwo*> countries;
    std::list<cMiasto*> cities;
    cRelationsMatrix relations;
    cGrafMorz seaGraph;
};

// Stands in for a unit on a hex: the operands only ask whether one stands there.
cUnit* SomeUnit()
{
    static char storage;
    return reinterpret_cast<cUnit*>(&storage);
}

TEST_F(EventOperands, CountryValues)
{
    EXPECT_EQ(Read(L"Country.GetProductionPoints", {1}), 123.5);
    EXPECT_EQ(Read(L"Country.GetDiplomaticPoints", {1.7}), 40.0);
    EXPECT_EQ(Read(L"Country.GetPoliticalStrength", {1}), 90.0);
    EXPECT_EQ(Read(L"Country.GetAllianceEntry", {1}), 100.0);
    EXPECT_EQ(Read(L"Country.GetSocialUnrest", {1}), 12.5);
    EXPECT_EQ(Read(L"Country.IsActive", {1}), 1.0);
    EXPECT_EQ(Read(L"Country.IsActive", {2}), 0.0);
    EXPECT_EQ(Read(L"Country.GetZoneOfInfluence", {1}), 2.0);
    EXPECT_EQ(Read(L"Country.GetOrientation", {1}), 1.0);
    EXPECT_EQ(Read(L"Country.IsAIControlled", {1}), 1.0);
    EXPECT_EQ(Read(L"Country.IsAIControlled", {2}), 0.0);
    EXPECT_EQ(Read(L"Country.GetWarEconomy", {1}), 0.75);
    EXPECT_EQ(Read(L"Country.GetAlliance", {1}), 5.0);
    EXPECT_EQ(Read(L"Country.GetStrategicMovementPoints", {1}), 8.0);
    EXPECT_EQ(Read(L"Country.GetSTP", {1}), 3.0);
    EXPECT_EQ(Read(L"Country.GetAIP", {1}), 2.0);
    EXPECT_EQ(Read(L"Country.GetWinterBattle", {1}), 10.0);
    EXPECT_EQ(Read(L"Country.GetWinterMove", {1}), 20.0);
    EXPECT_EQ(Read(L"Country.GetMudBattle", {1}), 30.0);
    EXPECT_EQ(Read(L"Country.GetMudMove", {1}), 40.0);
    EXPECT_EQ(Read(L"Country.GetUpkeepCost", {1}), 1.5);
    EXPECT_EQ(Read(L"Country.GetDifficultyLevel", {1}), 2.0);
    EXPECT_EQ(Read(L"Country.GetTechLevel", {1, 6}), 3.0);
    EXPECT_EQ(Read(L"Country.GetTechResearchProgress", {1, 1}), 55.0);
    EXPECT_EQ(Read(L"Country.GetTechInvestment", {1, 0}), 7.0);
}

TEST_F(EventOperands, WarBetweenCountries)
{
    EXPECT_EQ(Read(L"Country.HasWarWithCountry", {1, 2}), 1.0);
    EXPECT_EQ(Read(L"Country.HasWarWithCountry", {2, 1}), 1.0);
    EXPECT_EQ(Read(L"Country.HasWarWithCountry", {1, 3}), 0.0);
    EXPECT_EQ(Read(L"Country.HasWarWithCountry", {1, 1}), 0.0) << "never at war with itself";
    EXPECT_EQ(Read(L"Country.IsAtWar", {2}), 1.0);
    EXPECT_EQ(Read(L"Country.IsAtWar", {3}), 0.0);
}

TEST_F(EventOperands, ReferencesThatNameNothingReadZero)
{
    EXPECT_EQ(Read(L"Country.GetProductionPoints", {0}), 0.0);
    EXPECT_TRUE(LogContains(L"ERROR: operand Country.GetProductionPoints at line 7 names country 0, which does not "
                            L"exist; it reads 0"));
    EXPECT_EQ(Read(L"Country.GetDiplomaticPoints", {4}), 0.0);
    EXPECT_EQ(Read(L"Country.HasWarWithCountry", {1, 0}), 0.0) << "country 0 never reaches the relations";
    EXPECT_EQ(Read(L"Country.HasWarWithCountry", {1, 4}), 0.0);
    EXPECT_TRUE(LogContains(L"ERROR: operand Country.HasWarWithCountry at line 7 names country 4, which does not "
                            L"exist; it reads 0"));
    EXPECT_EQ(Read(L"Country.GetTechLevel", {1, 7}), 0.0);
    EXPECT_TRUE(LogContains(L"ERROR: operand Country.GetTechLevel at line 7 names entry 7, which does not exist; it "
                            L"reads 0"));
    EXPECT_EQ(Read(L"Country.GetTechInvestment", {1, -1}), 0.0);
    EXPECT_EQ(Read(L"Port.GetSize", {3}), 0.0);
    EXPECT_EQ(Read(L"Port.GetSize", {0}), 0.0);
}

TEST_F(EventOperands, HexControlAndOccupation)
{
    Hex(2, 1).controller = 1;
    Hex(3, 1).controller = 2;
    Hex(3, 1).unit = SomeUnit();
    Hex(0, 2).unit = SomeUnit(); // a ship's hex at sea
    EXPECT_EQ(Read(L"Hex.ControlledByAliance", {2, 1, 2}), 1.0) << "the Axis leader is on the Axis side";
    EXPECT_EQ(Read(L"Hex.ControlledByAliance", {2, 1, 5}), 1.0);
    EXPECT_EQ(Read(L"Hex.ControlledByAliance", {2, 1, 1}), 0.0);
    EXPECT_EQ(Read(L"Hex.ControlledByAliance", {3, 1, 1}), 1.0);
    EXPECT_EQ(Read(L"Hex.ControlledByAliance", {3, 1, 4}), 0.0) << "a member is not its leader";
    EXPECT_EQ(Read(L"Hex.OccupiedAndControlledByAlliance", {3, 1, 1}), 1.0);
    EXPECT_EQ(Read(L"Hex.OccupiedAndControlledByAlliance", {2, 1, 2}), 0.0) << "nobody stands there";
    EXPECT_EQ(Read(L"Hex.Occupied", {3, 1}), 1.0);
    EXPECT_EQ(Read(L"Hex.Occupied", {2, 1}), 0.0);
    EXPECT_EQ(Read(L"Hex.ControlledByCountry", {2, 1, 1}), 1.0);
    EXPECT_EQ(Read(L"Hex.ControlledByCountry", {2, 1, 2}), 0.0);
    Hex(4, 1).controller = 3; // the neutral's
    Hex(4, 1).unit = SomeUnit();
    EXPECT_EQ(Read(L"Hex.ControlledByAliance", {4, 1, 0}), 1.0) << "the neutrals are code 0";
    EXPECT_EQ(Read(L"Hex.OccupiedAndControlledByAlliance", {4, 1, 0}), 1.0);

    testing_support::ClearLog();
    EXPECT_EQ(Read(L"Hex.ControlledByCountry", {0, 2, 0}), 1.0) << "a sea hex's controller is 0";
    EXPECT_TRUE(testing_support::LogLines().empty());
    EXPECT_EQ(Read(L"Hex.ControlledByAliance", {0, 2, 0}), 0.0);
    EXPECT_TRUE(LogContains(L"ERROR Hex.ControlledByAliance called with arg pointing hex (0, 2) which is sea hex"));
    EXPECT_EQ(Read(L"Hex.ControlledByAliance", {4, 3, 0}), 0.0) << "nobody controls the hex";
    EXPECT_TRUE(LogContains(L"ERROR Hex.ControlledByAliance called with arg pointing hex (4, 3) which is sea hex"));
    EXPECT_EQ(Read(L"Hex.OccupiedAndControlledByAlliance", {0, 2, 1}), 0.0);
    EXPECT_TRUE(LogContains(
        L"ERROR Hex.OccupiedAndControlledByAlliance called with arg pointing hex (0, 2) which is sea hex"));
}

TEST_F(EventOperands, CoordinatesOffTheMapAreLoggedAndNeverReadTheFirstHex)
{
    Hex(0, 0).controller = 2;
    Hex(0, 0).terrain = 1;
    Hex(0, 0).unit = SomeUnit();
    const std::vector<std::pair<const wchar_t*, std::vector<double>>> reads = {
        {L"Hex.ControlledByCountry", {6, 0, 2}},         {L"Hex.ControlledByAliance", {-1, 0, 1}},
        {L"Hex.Occupied", {0, 4}},                       {L"Hex.OccupiedAndControlledByAlliance", {0, -3, 1}},
        {L"City.WasBombed", {100, 100}},
    };
    for (const auto& [method, params] : reads)
        EXPECT_EQ(Read(method, params), 0.0) << WideToUtf8(method);
    EXPECT_TRUE(LogContains(L"ERROR: operand Hex.ControlledByCountry at line 7 points at hex (6, 0), which is off the "
                            L"map; it reads 0"));
    EXPECT_TRUE(LogContains(L"ERROR: operand Hex.Occupied at line 7 points at hex (0, 4), which is off the map; it "
                            L"reads 0"));
}

TEST_F(EventOperands, CitiesPortsAndVictoryPoints)
{
    cMiasto* warsaw = AddCity(3, 1, 5);
    AddCity(4, 2, 2)->ProductionPointsLost = 3;
    AddCity(5, 3, 4);
    Hex(3, 1).controller = 2;
    Hex(4, 2).controller = 1;
    Hex(5, 3).controller = 1;
    EXPECT_EQ(Read(L"City.WasBombed", {4, 2}), 1.0);
    EXPECT_EQ(Read(L"City.WasBombed", {3, 1}), 0.0);
    EXPECT_EQ(Read(L"City.WasBombed", {2, 2}), 0.0) << "no city there";
    EXPECT_EQ(Read(L"Country.GetVP", {1}), 6.0);
    EXPECT_EQ(Read(L"Country.GetVP", {2}), 5.0);
    Hex(3, 1).controller = 1;
    EXPECT_EQ(Read(L"Country.GetVP", {1}), 11.0) << "victory points follow the hex's controller";
    EXPECT_EQ(Read(L"Country.GetVP", {3}), 0.0);
    (void)warsaw;
    EXPECT_EQ(Read(L"Port.GetSize", {1}), 4.0) << "the smaller of the two sizes";
    EXPECT_EQ(Read(L"Port.GetSize", {2}), 0.0);
}

TEST_F(EventOperands, GameWideValues)
{
    EXPECT_EQ(Read(L"Game.GetCurrentTurn"), 17.0);
    EXPECT_EQ(Read(L"Get.WinterBattle"), 0.5);
    EXPECT_EQ(Read(L"Get.WinterMove"), 0.25);
    EXPECT_EQ(Read(L"Get.MudBattle"), 0.75);
    EXPECT_EQ(Read(L"Get.MudMove"), 2.0);
}

TEST_F(EventOperands, FlagsReadInRangeAndZeroOutside)
{
    EXPECT_EQ(Read(L"Flag.GetValue", {0.9}), 4.0);
    EXPECT_EQ(Read(L"Flag.GetValue", {39999}), 9.0);
    EXPECT_EQ(Read(L"Flag.GetValue", {40000}), 0.0);
    EXPECT_TRUE(LogContains(L"ERR: Flag.GetValue arg out of range: 40000, max is 40000"));
    EXPECT_EQ(Read(L"Flag.GetValue", {-1}), 0.0);
    EXPECT_TRUE(LogContains(L"ERR: Flag.GetValue arg out of range: -1, max is 40000"));
    EXPECT_EQ(Read(L"Flag.GetValue", {1e12}), 0.0) << "a huge index saturates and stays out of range";
}

TEST_F(EventOperands, CommanderLevelIsHisSkill)
{
    EXPECT_EQ(Read(L"Commander.GetLevel", {3}), 6.0);
    EXPECT_EQ(Read(L"Commander.GetLevel", {4}), 0.0);
    EXPECT_TRUE(LogContains(L"ERROR: operand Commander.GetLevel at line 7 names commander 4, which does not exist; it "
                            L"reads 0"));
}

TEST_F(EventOperands, UnitsOnHexesCountsAndShipsAtSea)
{
    Hex(2, 2).unit = AddUnit(game->m_LandUnits, 1, 4);
    AddUnit(game->m_LandUnits, 1, 4);
    AddUnit(game->m_LandUnits, 2, 4);
    AddUnit(game->m_LandUnits, 1, 60);
    AddUnit(game->m_LandUnits2, 1, 4); // aboard a cargo ship
    AddUnit(game->m_AirUnits, 1, 21);
    AddUnit(game->m_NavalUnits, 1, 41);
    // The first and last type of each kind.
    for (int type : {0, 6})
        AddUnit(game->m_LandUnits, 3, type);
    for (int type : {20, 22})
        AddUnit(game->m_AirUnits, 3, type);
    for (int type : {40, 45})
        AddUnit(game->m_NavalUnits, 3, type);
    EXPECT_EQ(Read(L"Hex.OccupiedByUnitOwnedByCountry", {2, 2, 1}), 1.0);
    EXPECT_EQ(Read(L"Hex.OccupiedByUnitOwnedByCountry", {2, 2, 2}), 0.0);
    EXPECT_EQ(Read(L"Hex.OccupiedByUnitOwnedByCountry", {3, 2, 1}), 0.0);
    EXPECT_EQ(Read(L"Country.GetUnitCount", {1, 4}), 3.0) << "on the map and aboard ships, of that country";
    EXPECT_EQ(Read(L"Country.GetUnitCount", {2, 4}), 1.0);
    EXPECT_EQ(Read(L"Country.GetUnitCount", {1, 60}), 1.0);
    EXPECT_EQ(Read(L"Country.GetUnitCount", {1, 21}), 1.0);
    EXPECT_EQ(Read(L"Country.GetUnitCount", {1, 41}), 1.0);
    EXPECT_EQ(Read(L"Country.GetUnitCount", {1, 61}), 0.0) << "no such type";
    for (int type : {0, 6, 20, 22, 40, 45})
        EXPECT_EQ(Read(L"Country.GetUnitCount", {3, double(type)}), 1.0) << type;

    for (int node : {1, 2, 1}) {
        fleets.push_back(std::make_unique<cFlota>());
        fleets.back()->seaNode = node;
        game->m_Fleets.push_back(fleets.back().get());
    }
    std::list<cJednostkaMorska*> spare;
    fleets[0]->ships = {AddUnit(spare, 1, 43), AddUnit(spare, 1, 43), AddUnit(spare, 1, 41)};
    fleets[1]->ships = {AddUnit(spare, 1, 43)};
    fleets[2]->ships = {AddUnit(spare, 2, 43), AddUnit(spare, 1, 43)};
    EXPECT_EQ(Read(L"Country.GetShipsAmountInSeaZone", {1, 1, 43}), 3.0);
    EXPECT_EQ(Read(L"Country.GetShipsAmountInSeaZone", {1, 2, 43}), 1.0);
    EXPECT_EQ(Read(L"Country.GetShipsAmountInSeaZone", {2, 1, 43}), 1.0);
    EXPECT_EQ(Read(L"Country.GetShipsAmountInSeaZone", {1, 1, 40}), 0.0);
}

TEST_F(EventOperands, ComputerOpponentParameters)
{
    EXPECT_EQ(Read(L"Country.GetMaxSafeMoveCost", {1}), 0.0);
    EXPECT_TRUE(LogContains(L"ERROR: operand Country.GetMaxSafeMoveCost at line 7: the game has no computer opponent "
                            L"parameters; it reads 0"));

    std::vector<sAIParameters> blocks(3);
    SetEventAIParameters([&blocks](cPanstwo& c) -> sAIParameters& { return blocks[size_t(c.ID - 1)]; });
    sAIParameters& a = blocks[1];
    a.MaxNumberOfFrontsForSeaInvasion = 4;
    a.MaxSafeMoveCost = 6;
    a.MaxCoveringUnitDistance = 2;
    a.MaxUnitCountOnFront = 11;
    a.MinRatioToPatchFront = 1.5f;
    a.NewUnitPurchasePreferences[13] = 8;
    a.CarrierTargetsPriorities[0] = 33;
    a.DesiredLandForcesStructure[4] = 17;
    a.SeaZonesToPatrol = {{5, 1}, {9, 2}};
    EXPECT_EQ(Read(L"Country.GetMaxNumberOfFrontsForSeaInvasion", {2}), 4.0);
    EXPECT_EQ(Read(L"Country.GetMaxSafeMoveCost", {2}), 6.0);
    EXPECT_EQ(Read(L"Country.GetMaxCoveringUnitDistance", {2}), 2.0);
    EXPECT_EQ(Read(L"Country.GetMaxUnitCountOnFront", {2}), 11.0);
    EXPECT_EQ(Read(L"Country.GetMinRatioToPatchFront", {2}), 1.5);
    EXPECT_EQ(Read(L"Country.GetUnitPurchasePreferences", {2, 14}), 8.0) << "entries count from 1";
    EXPECT_EQ(Read(L"Country.GetUnitPurchasePreferences", {2, 15}), 0.0);
    EXPECT_EQ(Read(L"Country.GetAICarrierTargetsPriorities", {2, 1}), 33.0);
    EXPECT_EQ(Read(L"Country.GetAICarrierTargetsPriorities", {2, 0}), 0.0);
    EXPECT_TRUE(LogContains(L"ERROR: operand Country.GetAICarrierTargetsPriorities at line 7 names entry 0, which does "
                            L"not exist; it reads 0"));
    EXPECT_EQ(Read(L"Country.GetDesiredLandForcesStructure", {2, 5}), 17.0);
    EXPECT_EQ(Read(L"AI.IsSeaZonePatrolled", {2, 9}), 1.0);
    EXPECT_EQ(Read(L"AI.IsSeaZonePatrolled", {2, 1}), 0.0);
    EXPECT_EQ(Read(L"AI.IsSeaZonePatrolled", {1, 9}), 0.0);
    EXPECT_EQ(Read(L"Country.GetMaxSafeMoveCost", {5}), 0.0) << "no such country";
    SetEventAIParameters(nullptr);
}

TEST_F(EventOperands, DebugProbeReadsItsMarker)
{
    EXPECT_EQ(Read(L"Country.WyswietlZajebisteOkienko", {1}), 666.0);
}

TEST(EventOperandsWithoutGame, ReadZeroAndSaySo)
{
    ASSERT_EQ(g_Gra, nullptr);
    EXPECT_EQ(Read(L"Game.GetCurrentTurn"), 0.0);
    EXPECT_TRUE(LogContains(L"ERROR: operand Game.GetCurrentTurn at line 7 read with no game; it reads 0"));
}

} // namespace
