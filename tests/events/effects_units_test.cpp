// The effects on units and commanders, fired on Testland.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/format.h"
#include "core/random.h"
#include "game/reports.h"
#include "tests/events/effect_test_support.h"
#include "tests/test_support.h"
#include "units/air_unit.h"
#include "units/naval_unit.h"
#include "world/fleet.h"
#include "world/hex_geometry.h"
#include "world/sea_graph.h"

using namespace testland;
using event_testing::EffectsOnTestland;
using testing_support::LogContains;

namespace {

class UnitEffects : public EffectsOnTestland
{
protected:
    template <typename List>
    static int CountOf(const List& units, int owner)
    {
        return int(std::count_if(units.begin(), units.end(), [owner](const auto* u) { return u->m_Owner == owner; }));
    }
    cJednostkaLadowa* LandAt(int x, int y) { return dynamic_cast<cJednostkaLadowa*>(Hex(x, y).unit); }
    std::vector<cFlota*> FleetsAt(int owner, int node)
    {
        std::vector<cFlota*> found;
        for (cFlota* f : game->m_Fleets)
            if (f->owner == owner && f->seaNode == node)
                found.push_back(f);
        return found;
    }
};

TEST_F(UnitEffects, UnitsAndCommandersAreMadeMovedFrozenKilledAndHandedOverAsScripted)
{
    // New land units: in the reserve pool, on a free land hex, never at sea or on a unit.
    Fire(L"Hex.AddLandUnit", {-1, -1, kAlbion, UNIT_INFANTRY, 2, 80}, L"Home Guard");
    const auto* guard = dynamic_cast<const cJednostkaLadowa*>(game->m_Reserve.back());
    ASSERT_NE(guard, nullptr);
    EXPECT_EQ(guard->m_Name, L"Home Guard");
    EXPECT_TRUE(guard->m_InReserve);
    EXPECT_EQ((std::vector<int>{guard->m_Type, guard->m_Level, guard->m_Strength}),
              (std::vector<int>{UNIT_INFANTRY, 2, 80}));
    // Where a saved game keeps a unit of the reserve pool, with no supply source.
    EXPECT_EQ((std::vector<int>{guard->m_X, guard->m_Y, guard->m_SupplySourceX, guard->m_SupplySourceY}),
              (std::vector<int>{-1, -1, -1, -1}));
    Fire(L"Hex.AddLandUnit", {13, 10, kRuthenia, UNIT_MECHANIZED, 9, 0});
    ASSERT_NE(LandAt(13, 10), nullptr);
    EXPECT_EQ(LandAt(13, 10)->m_Owner, kRuthenia);
    EXPECT_EQ(LandAt(13, 10)->m_Type, UNIT_MECHANIZED);
    EXPECT_EQ(LandAt(13, 10)->m_Level, 5);
    EXPECT_EQ(LandAt(13, 10)->m_Strength, 1);
    EXPECT_EQ(LandAt(13, 10)->m_Supply, game->m_Consts.MaxSupply);
    EXPECT_EQ(Hex(13, 10).controller, kBorussia);
    const size_t onMap = game->m_LandUnits.size();
    Fire(L"Hex.AddLandUnit", {0, 0, kAlbion, UNIT_INFANTRY, 1, 100});
    Fire(L"Hex.AddLandUnit", {2, 2, kAlbion, UNIT_INFANTRY, 1, 100});
    Fire(L"Hex.AddLandUnit", {3, 1, kAlbion, UNIT_FIGHTER, 1, 100});
    Fire(L"Hex.AddUnitAndPassControlOverHexIfEmpty", {0, 1, kAlbion, UNIT_INFANTRY, 1, 100});
    EXPECT_EQ(game->m_LandUnits.size(), onMap);
    Fire(L"Hex.AddUnitAndPassControlOverHexIfEmpty", {14, 12, kRuthenia, UNIT_INFANTRY, 1, 100});
    Fire(L"Hex.AddLandUnitAndPassControlOverHexIfEmpty", {13, 12, kRuthenia, UNIT_INFANTRY, 1, 100});
    EXPECT_EQ(Hex(14, 12).controller, kRuthenia);
    EXPECT_EQ(Hex(13, 12).controller, kRuthenia);
    Fire(L"Hex.AddUnitAndPassControlOverHexIfEmpty", {13, 10, kRuthenia, UNIT_INFANTRY, 1, 100});
    EXPECT_EQ(Hex(13, 10).controller, kBorussia) << "an occupied hex is neither joined nor taken";

    // Partisans rise near Berolina, never in its row or column, and take their hex.
    Fire(L"City.FirePartisans", {11, 3, kRuthenia, UNIT_INFANTRY, 1, 50}, L"Partisans");
    const auto partisans = std::find_if(game->m_LandUnits.begin(), game->m_LandUnits.end(),
                                        [](const cJednostkaLadowa* u) { return u->m_Name == L"Partisans"; });
    ASSERT_NE(partisans, game->m_LandUnits.end());
    const cJednostkaLadowa& p = **partisans;
    EXPECT_TRUE(p.m_X != 11 && p.m_Y != 3 && HexDistance(p.m_X, p.m_Y, 11, 3) <= 5);
    EXPECT_EQ(Hex(p.m_X, p.m_Y).controller, kRuthenia);
    // Each try draws from 5 below to 6 above the city's column, then its row: here two before
    // the middle of the twelve, (13, 5).
    ScriptRandomRaw({20000, 20000});
    Fire(L"City.FirePartisans", {11, 3, kRuthenia, UNIT_INFANTRY, 1, 50}, L"Partisans");
    ClearRandomScript();
    EXPECT_EQ(LandAt(13, 5)->m_Name, L"Partisans");
    // Five hexes from the city is near enough: (13, 7).
    ScriptRandomRaw({20000, 25000});
    Fire(L"City.FirePartisans", {11, 3, kRuthenia, UNIT_INFANTRY, 1, 50}, L"Partisans");
    ClearRandomScript();
    ASSERT_NE(LandAt(13, 7), nullptr);
    EXPECT_EQ(LandAt(13, 7)->m_Name, L"Partisans");

    // Air units: an occupied hex sends the wing to the reserve pool.
    Fire(L"Hex.AddAirUnit", {kBorussia, 13, 2, UNIT_FIGHTER, 1, 10});
    EXPECT_EQ(Hex(13, 2).unit->m_Category, CATEGORY_AIR);
    Fire(L"Hex.AddAirUnit", {kBorussia, 11, 3, UNIT_FIGHTER, 1, 10}, L"Spare wing");
    EXPECT_EQ(game->m_Reserve.back()->m_Name, L"Spare wing");
    const size_t reserve = game->m_Reserve.size();
    Fire(L"Hex.AddAirUnit", {kBorussia, 13, -1, UNIT_FIGHTER, 1, 10});
    EXPECT_EQ(game->m_Reserve.size(), reserve) << "only a hex of -1, -1 means the reserve pool";

    // Ships: into the naval reserve, or at a sea node with the hit points given.
    Fire(L"Hex.AddNavalUnit", {kAlbion, UNIT_BATTLESHIP}, L"HMS Hood");
    EXPECT_EQ(game->m_NavalReserve.back()->m_Name, L"HMS Hood");
    EXPECT_EQ(game->m_NavalReserve.back()->m_AvailableInTurns, 0);
    game->m_Consts.ShipHitPoints[UNIT_CRUISER - 40] = 4;
    const int cruiserHitPoints = 4;
    Fire(L"SeaNode.AddNavalUnit", {2, kAlbion, UNIT_CRUISER}, L"HMS Ajax");
    EXPECT_TRUE(LogContains(L"ERROR: param3 for effect at line 42 is not defined!"));
    Fire(L"SeaNode.AddNavalUnit", {2, kAlbion, UNIT_CRUISER, 1}, L"HMS Achilles");
    int cruisers = 0;
    for (const cJednostkaMorska* ship : game->m_NavalUnits)
        if (ship->m_Name == L"HMS Ajax" || ship->m_Name == L"HMS Achilles") {
            ++cruisers;
            ASSERT_NE(ship->m_Fleet, nullptr);
            EXPECT_EQ(ship->m_Fleet->seaNode, 2);
            EXPECT_EQ(ship->m_MaxHP, ship->m_Name == L"HMS Ajax" ? cruiserHitPoints : 1);
        }
    EXPECT_EQ(cruisers, 2);

    // Land units aboard new transports: one fleet per node, a fleet each with a destination,
    // and landing fleets by their landing hex.
    const size_t aboard = game->m_LandUnits2.size();
    Fire(L"SeaNode.AddLandUnit", {3, UNIT_CARGO, kBorussia, UNIT_INFANTRY, 1, 100});
    Fire(L"SeaNode.AddLandUnit", {3, UNIT_CARGO, kBorussia, UNIT_INFANTRY, 1, 100});
    Fire(L"SeaNode.AddLandUnit", {3, UNIT_BATTLESHIP, kBorussia, UNIT_INFANTRY, 1, 100});
    ASSERT_EQ(FleetsAt(kBorussia, 3).size(), 1u);
    EXPECT_EQ(FleetsAt(kBorussia, 3)[0]->ships.size(), 2u);
    EXPECT_EQ(FleetsAt(kBorussia, 3)[0]->name.rfind(L"Transport fleet #", 0), 0u);
    EXPECT_EQ(game->m_LandUnits2.size(), aboard + 2);
    EXPECT_EQ(game->m_LandUnits2.back()->m_Transporter->m_Cargo, game->m_LandUnits2.back());
    // The zone's ships are counted for whoever views it, but a landing fleet's as the country
    // that moves next will see them.
    const cPanstwo* next = Play().PickNextCountry(game->m_Countries);
    ASSERT_NE(next, nullptr);
    const int viewer = next->ID == kAlbion ? kRuthenia : kAlbion;
    game->m_SeaGraph->ViewingCountry = viewer;
    Fire(L"SeaNode.AddLandUnitWithDest", {3, UNIT_AMPHIBIOUS, kBorussia, UNIT_INFANTRY, 1, 100, 2, 4});
    Fire(L"SeaNode.AddLandUnitWithDest", {3, UNIT_AMPHIBIOUS, kBorussia, UNIT_INFANTRY, 1, 100, 2, 4});
    EXPECT_EQ(game->m_SeaGraph->ViewingCountry, viewer);
    Fire(L"SeaNode.AddLandUnitWithDest", {3, UNIT_AMPHIBIOUS, kBorussia, UNIT_INFANTRY, 1, 100, 99, 4});
    Fire(L"SeaNode.AddLandUnitWithDest", {3, UNIT_AMPHIBIOUS, kBorussia, UNIT_INFANTRY, 1, 100, 2, 7}); // no such order
    ASSERT_EQ(FleetsAt(kBorussia, 3).size(), 3u);
    EXPECT_EQ(FleetsAt(kBorussia, 3)[2]->aiDestination, 2);
    EXPECT_EQ(FleetsAt(kBorussia, 3)[2]->aiOrder, 4);
    const auto inland = std::find_if(game->m_Mapa->Hexes().begin(), game->m_Mapa->Hexes().end(),
                                     [](const sHex& h) { return h.IsLand() && h.seaZone == 0; });
    ASSERT_NE(inland, game->m_Mapa->Hexes().end());
    const double ix = inland->x, iy = inland->y;
    Fire(L"SeaNode.AddLandingLandUnit", {3, UNIT_AMPHIBIOUS, kBorussia, UNIT_INFANTRY, 1, 100, ix, iy});
    Fire(L"SeaNode.AddLandingLandUnit", {3, UNIT_AMPHIBIOUS, kBorussia, UNIT_INFANTRY, 1, 100, ix, iy});
    Fire(L"SeaNode.AddLandingLandUnit", {3, UNIT_AMPHIBIOUS, kBorussia, UNIT_INFANTRY, 1, 100, 50, iy});
    ASSERT_EQ(FleetsAt(kBorussia, 3).size(), 4u);
    EXPECT_EQ(game->m_SeaGraph->ViewingCountry, next->ID);
    EXPECT_EQ(FleetsAt(kBorussia, 3)[3]->ships.size(), 2u);
    EXPECT_EQ(FleetsAt(kBorussia, 3)[3]->aiDestination, -1);
    EXPECT_TRUE(LogContains(FormatText(L"Nieprawidłowy event SeaNode.AddLandingLandUnit: chce inwazji na hex %d, %d "
                                       L"ktory jest srodladowy",
                                       inland->x, inland->y)));

    // A Mulberry on a free coastal hex; elsewhere half its price comes back.
    const auto coast = std::find_if(game->m_Mapa->Hexes().begin(), game->m_Mapa->Hexes().end(),
                                    [](const sHex& h) { return h.IsLand() && h.coastal && !h.unit; });
    ASSERT_NE(coast, game->m_Mapa->Hexes().end());
    Fire(L"Hex.AddMulberry", {kAlbion, double(coast->x), double(coast->y)}, L"Port Winston");
    ASSERT_NE(coast->unit, nullptr);
    EXPECT_EQ(coast->unit->m_Type, UNIT_MULBERRY);
    EXPECT_TRUE(coast->unit->m_Spotted) << "made like any new unit";
    EXPECT_TRUE(LogContains(FormatText(L"Mulberry  \"Port Winston\" created at (%d, %d) for country Albion", coast->x,
                                       coast->y)));
    const double pp = Country(kAlbion).PP;
    Fire(L"Hex.AddMulberry", {kAlbion, 2, 2}, L"Nowhere");
    EXPECT_DOUBLE_EQ(Country(kAlbion).PP, pp + game->m_Consts.Mulberry[0] * 0.5);

    // Moves and freezes.
    cJednostkaLadowa* panzer = &Land(4);
    Fire(L"Unit.Teleport", {11, 3, 5, 3});
    EXPECT_EQ(LandAt(11, 3), panzer) << "never onto the sea";
    EXPECT_TRUE(LogContains(L"ERROR: effect Unit.Teleport at line 42 moves a unit onto the sea hex (5, 3); ignored"));
    Fire(L"Unit.Teleport", {11, 3, 13, 11});
    EXPECT_EQ(LandAt(13, 11), panzer);
    Fire(L"Unit.Freeze", {13, 11, 3});
    Fire(L"Unit.FreezeIfOwnedByCountry", {13, 11, 5, kRuthenia});
    EXPECT_EQ(panzer->m_FreezeTime, 3);
    Fire(L"Country.SetFreezeLevelForAllFreezedUnits", {kBorussia, 6});
    EXPECT_EQ(panzer->m_FreezeTime, 6);
    Fire(L"Unit.Unfreeze", {13, 11});
    EXPECT_EQ(panzer->m_FreezeTime, 0);
    Fire(L"Unit.FreezeIfOwnedByCountry", {13, 11, 4, kBorussia});
    EXPECT_EQ(panzer->m_FreezeTime, 4);
    Fire(L"Country.UnFreezeAllUnits", {kBorussia});
    EXPECT_EQ(panzer->m_FreezeTime, 0);

    // The events bonus: Borussians on Borussian ground, Ruthenians in a rectangle.
    Fire(L"Country.ChangeEffectivityOfAllUnits", {kBorussia, 1, 10});
    EXPECT_EQ(panzer->m_EventsEffect, 10);
    Fire(L"Area.ChangeEffectivityOfAllUnits", {16, 3, 18, 5, 3, -20});
    EXPECT_EQ(Land(9).m_EventsEffect, -20);
    // Freezes and bonuses stop where a saved game keeps them.
    Fire(L"Unit.Freeze", {13, 11, 3e9});
    EXPECT_EQ(panzer->m_FreezeTime, 1000000);
    Fire(L"Country.SetFreezeLevelForAllFreezedUnits", {kBorussia, -4});
    EXPECT_EQ(panzer->m_FreezeTime, 0);
    Fire(L"Country.ChangeEffectivityOfAllUnits", {kBorussia, 1, 5000});
    EXPECT_EQ(panzer->m_EventsEffect, 1000);
    Fire(L"Area.ChangeEffectivityOfAllUnits", {16, 3, 18, 5, 3, -3e9});
    EXPECT_EQ(Land(9).m_EventsEffect, -100);

    // Kills: by hex, by id, at random, and everything of a country.
    Fire(L"Hex.KillUnit", {10, 4});
    EXPECT_EQ(game->FindLandUnitById(6), nullptr);
    Fire(L"Unit.Remove", {0, -1, 12});
    EXPECT_EQ(game->FindLandUnitById(12), nullptr);
    const size_t units = game->m_LandUnits.size() + game->m_AirUnits.size();
    Fire(L"Unit.Remove", {0, -1, 999});
    const int ruthenians = CountOf(game->m_LandUnits, kRuthenia) + CountOf(game->m_AirUnits, kRuthenia);
    ScriptRandomRaw({32767}); // the highest draw: the last Ruthenian unit, the partisans at (13, 7)
    Fire(L"Unit.Remove", {kRuthenia, -1, -1});
    ClearRandomScript();
    EXPECT_EQ(Hex(13, 7).unit, nullptr);
    EXPECT_EQ(game->m_LandUnits.size() + game->m_AirUnits.size(), units - 1);
    EXPECT_EQ(CountOf(game->m_LandUnits, kRuthenia) + CountOf(game->m_AirUnits, kRuthenia), ruthenians - 1);
    Fire(L"Country.KillAllLandUnits", {kAlbion});
    EXPECT_EQ(CountOf(game->m_LandUnits, kAlbion), 0);
    EXPECT_EQ(CountOf(game->m_LandUnits2, kAlbion), 0) << "the carried unit goes down with its ship";
    Fire(L"Country.KillAllAirUnits", {kBorussia});
    EXPECT_EQ(CountOf(game->m_AirUnits, kBorussia), 0);
    const auto shipsWaiting = CountOf(game->m_NavalReserve, kAlbion);
    ASSERT_GT(shipsWaiting, 0) << "HMS Hood waits in the naval reserve";
    Fire(L"Country.KillAllUnitsInReserve", {kAlbion});
    EXPECT_EQ(CountOf(game->m_Reserve, kAlbion), 0);
    EXPECT_EQ(CountOf(game->m_NavalReserve, kAlbion), shipsWaiting) << "the reserve pool holds land and air units only";

    // Ships: damage that sinks everything at Hamburgum, reported, a landing ship with the
    // division it carries named; fleets handed over.
    const cJednostkaMorska* landing = nullptr;
    if (cFlota* fleet = game->FindLandUnitById(5)->LoadIntoTransport(UNIT_AMPHIBIOUS, 5))
        landing = fleet->ships.back();
    ASSERT_NE(landing, nullptr);
    const std::wstring landingName = landing->m_Name;
    const size_t reports = game->m_Reports->GetReports().size();
    Fire(L"Country.DamageRandomShipsInSeaZone", {0, 5, 1.0, 1.0});
    EXPECT_TRUE(FleetsAt(kBorussia, 5).empty());
    EXPECT_EQ(game->m_Reports->GetReports().size(), reports + 4);
    EXPECT_EQ(game->m_Reports->GetReports().back().kind, 33);
    EXPECT_EQ(game->m_Reports->GetReports().back().text,
              landingName + L" with 2. Motorised aboard\nHochseeflotte;(no data);Hamburgum\nEvent");
    Fire(L"Country.ChangeOwnershipOfAllNavalUnits", {kAlbion, kValdonia});
    EXPECT_EQ(CountOf(game->m_NavalUnits, kAlbion), 0);
    EXPECT_EQ(FleetsAt(kValdonia, 2).size(), 1u);
    Fire(L"Country.ChangeOwnershipOfAllAirUnits", {kRuthenia, kAlbion});
    EXPECT_EQ(CountOf(game->m_Reserve, kAlbion), 1) << "Ruthenia's wing in reserve";
    Fire(L"Country.KillAllNavalUnits", {kBorussia});
    EXPECT_EQ(CountOf(game->m_NavalUnits, kBorussia), 0);

    // Commanders: the next id after the highest; the level is the skill.
    Fire(L"Commander.AddNew", {kBorussia, 130, 10}, L"Rommel");
    const sDowodca* rommel = game->m_Commanders.back();
    EXPECT_EQ(rommel->ID, 6);
    EXPECT_EQ(rommel->Skill, 100);
    EXPECT_EQ(rommel->Experience, 10);
    EXPECT_EQ(rommel->Name, L"Rommel");
    EXPECT_EQ(std::make_pair(rommel->State, rommel->Type), std::make_pair(0, 0)) << "a general free to command";
    Fire(L"Commander.AddNew", {kBorussia, 0, 0}, L"Manstein");
    EXPECT_EQ(std::make_pair(game->m_Commanders.back()->Skill, game->m_Commanders.back()->Experience),
              std::make_pair(0, 0));
    Fire(L"Commander.SetLevel", {6, 40});
    Fire(L"Commander.ChangeLevel", {6, -50});
    EXPECT_EQ(rommel->Skill, 0);
    Fire(L"Commander.SetLevel", {77, 1});
    EXPECT_TRUE(LogContains(L"ERROR: effect Commander.SetLevel at line 42 names commander 77, who does not exist; "
                            L"ignored"));
    // Ids stop where commanders.csv does.
    game->m_Commanders.back()->ID = 99999999;
    const size_t commanders = game->m_Commanders.size();
    Fire(L"Commander.AddNew", {kBorussia, 50, 10}, L"Model");
    EXPECT_EQ(game->m_Commanders.size(), commanders);
    EXPECT_TRUE(LogContains(L"ERROR: effect Commander.AddNew at line 42 finds no free commander id; ignored"));
}

} // namespace
