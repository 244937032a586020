#include <gtest/gtest.h>

#include "core/settings.h"
#include "tests/test_support.h"
#include "tests/world/world_fixture.h"

using namespace testing_support;

TEST(Map, LookUpsOutsideTheMapGiveTheFirstHex)
{
    cMapa map(6, 5);
    EXPECT_EQ(map.GetHex(-1, 0), map.GetHex(0, 0));
    EXPECT_EQ(map.GetHex(6, 0), map.GetHex(0, 0));
    EXPECT_EQ(map.GetHex(0, 5), map.GetHex(0, 0));
    EXPECT_EQ(map.GetHex(5, 4)->x, 5);
    EXPECT_EQ(map.GetHex(5, 4)->y, 4);
    EXPECT_EQ(map.GetHex(5, 4), &map.Hexes()[4 * 6 + 5]);
}

TEST(Map, MarkedHexesAreListedOnceAndLeaveWhenClear)
{
    cMapa map(4, 4);
    sHex* a = map.GetHex(1, 1);
    sHex* b = map.GetHex(2, 2);
    a->SetMark(MARK_RECON_TARGET, 5);
    a->SetMark(MARK_ATTACK_TARGET, 7);
    b->SetMark(MARK_SELECTED, -1);
    ASSERT_EQ(map.GetMarkedHexes().size(), 2u);
    EXPECT_EQ(a->markValue, 7);
    EXPECT_EQ(a->marks, uint32_t(MARK_RECON_TARGET | MARK_ATTACK_TARGET));

    map.ClearMarks(uint32_t(-2), false); // everything but the selection
    ASSERT_EQ(map.GetMarkedHexes().size(), 1u);
    EXPECT_EQ(map.GetMarkedHexes().front(), b);
    EXPECT_EQ(a->marks, 0u);
    EXPECT_EQ(a->markValue, -1);

    // Cleared without leaving the list: it stays until the next ClearMarks, and is never listed twice.
    b->ClearMark(MARK_SELECTED, false);
    EXPECT_EQ(map.GetMarkedHexes().size(), 1u);
    b->SetMark(MARK_SEA_ZONE, -1);
    EXPECT_EQ(map.GetMarkedHexes().size(), 1u);
    b->ClearMark(MARK_SEA_ZONE, false);
    map.ClearMarks(MARK_SELECTED, false);
    EXPECT_TRUE(map.GetMarkedHexes().empty());

    a->SetMark(MARK_RECON_TARGET, -1);
    a->ClearMark(MARK_RECON_TARGET, true);
    EXPECT_TRUE(map.GetMarkedHexes().empty());
}

TEST(Map, ClearMarksWithItsFlagClearsBit24Everywhere)
{
    cMapa map(3, 3);
    map.GetHex(2, 2)->marks = MARK_BIT24 | MARK_SELECTED; // set outside the list
    map.ClearMarks(MARK_RECON_TARGET, true);
    EXPECT_EQ(map.GetHex(2, 2)->marks, uint32_t(MARK_SELECTED));
}

TEST(Map, MarksOnHexesShadedOutOfReachAreClearedWithTheOthers)
{
    cMapa map(3, 3);
    // An air unit's range shades every hex first.
    for (sHex& hex : map.Hexes())
        hex.marks |= MARK_BIT24;
    sHex* target = map.GetHex(1, 1);
    target->SetMark(MARK_AIR_BOMBARD_TARGET, -1);
    map.GetHex(2, 1)->SetMark(MARK_MOVE_SOME_LEFT, 3);
    target->SetMark(MARK_SELECTED, -1);
    EXPECT_EQ(map.GetMarkedHexes().size(), 2u);
    map.ClearMarks(~0u, false);
    EXPECT_EQ(target->marks, 0u);
    EXPECT_EQ(map.GetHex(2, 1)->marks, 0u);
    EXPECT_EQ(map.GetHex(2, 1)->markValue, -1);
    EXPECT_TRUE(map.GetMarkedHexes().empty());
}

TEST(Map, MarkZoneHexesMarksOnlyTheSeaOfThatZone)
{
    cTestWorld w(4, 3);
    w.Hex(0, 0).seaZone = 3;
    w.Hex(1, 0).seaZone = 3;
    w.Land(2, 0).seaZone = 3; // coastal land of the zone
    w.Hex(3, 0).seaZone = 4;
    w.map->MarkZoneHexes(3, MARK_SEA_ZONE);
    EXPECT_TRUE(w.Hex(0, 0).marks & MARK_SEA_ZONE);
    EXPECT_TRUE(w.Hex(1, 0).marks & MARK_SEA_ZONE);
    EXPECT_FALSE(w.Hex(2, 0).marks & MARK_SEA_ZONE);
    EXPECT_FALSE(w.Hex(3, 0).marks & MARK_SEA_ZONE);
    EXPECT_EQ(w.Hex(0, 0).markValue, -1);
}

TEST(Map, ZoomStepsAndLimits)
{
    cTestWorld w(40, 30);
    int state = 0;
    g_World.hooks.gameState = [&state] { return state; };
    cMapa& map = *w.map;
    map.zoomFactor = 0.8f;
    map.Zoom(-1.0f, 0, 0);
    EXPECT_NEAR(map.zoomFactor, 0.85f, 1e-5);
    map.zoomFactor = 0.5f;
    map.Zoom(-1.0f, 0, 0);
    EXPECT_NEAR(map.zoomFactor, 0.51f, 1e-5);
    map.Zoom(-1000.0f, 0, 0);
    EXPECT_EQ(map.zoomFactor, 1.0f);
    EXPECT_NEAR(map.targetScale, float(g_UserSettings.resolutionX) / float(40 * 83), 1e-6);
    map.Zoom(1000.0f, 0, 0);
    EXPECT_EQ(map.zoomFactor, 0.0f);
    EXPECT_NEAR(map.targetScale, 1.0f, 1e-6);

    // In the human phase the point under the mouse is kept; elsewhere the shifts are dropped.
    state = 7;
    map.Zoom(-10.0f, 100, 50);
    EXPECT_LT(map.camera.zoomShiftX, 0.0f); // zooming out: the view shifts back towards the origin
    // From scale 1 to W / (0.9 W + 332): the mouse's point over each scale, before less after.
    const float W = float(g_UserSettings.resolutionX);
    EXPECT_NEAR(map.camera.zoomShiftX, 100.0f - 100.0f * (0.9f + 332.0f / W), 1e-3);
    EXPECT_NEAR(map.camera.zoomShiftY, 50.0f - 50.0f * (0.9f + 332.0f / W), 1e-3);
    map.Zoom(-10.0f, 100, 50); // on to W / (0.8 W + 664): the shifts add up
    EXPECT_NEAR(map.camera.zoomShiftX, 100.0f - 100.0f * (0.8f + 664.0f / W), 1e-3);
    EXPECT_NEAR(map.camera.zoomShiftY, 50.0f - 50.0f * (0.8f + 664.0f / W), 1e-3);
    state = 9;
    map.Zoom(-10.0f, 100, 50);
    EXPECT_EQ(map.camera.zoomShiftX, 0.0f);
    EXPECT_EQ(map.camera.zoomShiftY, 0.0f);
}

TEST(Map, ScrollStopsAtTheCameraRangeAndKeepsMinimumSpeeds)
{
    cMapa map(10, 8);
    map.ScrollBy(-5000.0f, -5000.0f, 0.5f);
    EXPECT_EQ(map.camera.targetX, 83.0f);
    EXPECT_EQ(map.camera.targetY, 83.0f);
    EXPECT_EQ(map.camera.velocityX, 41.5f);
    map.camera.currentX = map.camera.targetX - 0.01f;
    map.camera.currentY = map.camera.targetY - 0.01f;
    map.ScrollBy(0.0f, 0.0f, 1.0f);
    EXPECT_FLOAT_EQ(map.camera.velocityX, 0.1f);
    EXPECT_FLOAT_EQ(map.camera.velocityY, 0.005f);
    map.camera.currentX = map.camera.targetX;
    map.camera.currentY = map.camera.targetY;
    map.ScrollBy(0.0f, 0.0f, 1.0f);
    EXPECT_EQ(map.camera.velocityX, 0.0f) << "at the target the camera stays still";
    EXPECT_EQ(map.camera.velocityY, 0.0f);
    map.ScrollBy(1e6f, 1e6f, 1.0f);
    EXPECT_EQ(map.camera.targetX, 830.0f);
    EXPECT_EQ(map.camera.targetY, 784.0f);
}

TEST(Map, ScrollToPointHeadsThereAndMayHandTheViewToTheCamera)
{
    cTestWorld w(10, 8);
    int state = 7;
    g_World.hooks.setGameState = [&state](int s) { state = s; };
    cMapa& map = *w.map;
    map.camera.currentX = map.camera.targetX = 100.0f;
    map.camera.currentY = map.camera.targetY = 200.0f;
    map.ScrollToPoint({300.0f, 250.0f}, false);
    EXPECT_EQ(map.camera.targetX, 300.0f);
    EXPECT_EQ(map.camera.targetY, 250.0f);
    EXPECT_EQ(state, 7);
    map.camera.currentX = map.camera.targetX;
    map.ScrollToPoint({150.0f, 150.0f}, true);
    EXPECT_EQ(map.camera.targetX, 150.0f);
    EXPECT_EQ(state, 12);

    // The minimap spans the whole map: a click a third across and half down centres on that hex.
    map.minimapRect[0] = 10;
    map.minimapRect[1] = 20;
    map.minimapRect[2] = 100;
    map.minimapRect[3] = 80;
    map.CenterAtMinimapPoint(10 + 34, 20 + 40);
    EXPECT_EQ(map.camera.targetX, 3.0f * 83.0f);
    EXPECT_EQ(map.camera.targetY, 4.0f * 98.0f);
}

TEST(Map, CenterAtHexOutsideTheMapOnlyWarns)
{
    cMapa map(10, 8);
    ClearLog();
    map.CenterAtHex(3, 4);
    EXPECT_EQ(map.camera.targetX, 249.0f);
    EXPECT_EQ(map.camera.targetY, 392.0f);
    map.CenterAtHex(10, 4);
    EXPECT_EQ(map.camera.targetX, 249.0f);
    EXPECT_TRUE(LogContains(L"CenterAtHex"));
}

TEST(Map, CameraBookmarkSlotsAreClamped)
{
    cMapa map(3, 3);
    EXPECT_EQ(map.SetCameraBookmark(12, 4, 5), 9);
    EXPECT_EQ(map.GetCameraBookmark(9), std::make_pair(4, 5));
    EXPECT_EQ(map.SetCameraBookmark(-3, 1, 2), 0);
    EXPECT_EQ(map.GetCameraBookmark(0), std::make_pair(1, 2));
}

TEST(Map, RiverMouthsMarkTheSeaAndClearItsOwners)
{
    cTestWorld w(6, 6);
    sHex& land = w.Land(2, 2, 1);
    land.riverMask = 1u << 2; // a river along side 2
    sHex* up = w.map->GetNeighbour(2, 2, 1);
    sHex* down = w.map->GetNeighbour(2, 2, 3);
    up->controller = 3;
    up->fortification = 2;
    w.map->PropagateRiverMouths();
    EXPECT_EQ(up->riverMask, uint8_t((1u << 2) | 64u));
    EXPECT_EQ(down->riverMask, uint8_t((1u << 5) | 64u));
    EXPECT_EQ(up->controller, 0);
    EXPECT_EQ(up->fortification, 0);
    EXPECT_EQ(land.controller, 1);
    // A mouth alone is no river on any side.
    EXPECT_FALSE(up->HasRiver(2));
    int flags[6];
    ZwrocWektorRzek(64, flags);
    for (int f : flags)
        EXPECT_EQ(f, 0);
    ZwrocWektorRzek(5, flags);
    EXPECT_EQ(flags[0], 1);
    EXPECT_EQ(flags[2], 1);
    EXPECT_EQ(flags[1], 0);
    EXPECT_FALSE(land.HasRiver(6));
}

TEST(Map, CoastalHexesAreGroupedByZoneInRowOrder)
{
    cTestWorld w(4, 3);
    w.Land(3, 0).seaZone = 2;
    w.Land(1, 1).seaZone = 2;
    w.Land(0, 2).seaZone = 5;
    w.Land(2, 2).seaZone = 0;
    w.map->BuildSeaZoneHexSets();
    const auto& zone2 = w.map->GetCoastalHexesOfZone(2);
    ASSERT_EQ(zone2.size(), 2u);
    EXPECT_EQ(zone2[0], std::make_pair(3, 0));
    EXPECT_EQ(zone2[1], std::make_pair(1, 1));
    EXPECT_EQ(w.map->GetCoastalHexesOfZone(5).size(), 1u);
    EXPECT_TRUE(w.map->GetCoastalHexesOfZone(9).empty());
    EXPECT_TRUE(w.Hex(3, 0).IsCoastalLand());
    EXPECT_FALSE(w.Hex(2, 2).IsCoastalLand());
}

TEST(Map, AiGridOfAnEmptyMapIsRefused)
{
    cMapa map(0, 0);
    EXPECT_THROW(map.AllocateAiGrid(), std::runtime_error);
    // An empty map still answers a look-up.
    EXPECT_NE(map.GetHex(0, 0), nullptr);
}

TEST(Map, DecorationResetClearsTheGateSoNoOldDecorationShows)
{
    cMapa map(2, 2);
    ASSERT_EQ(map.Decorations().size(), 4u);
    EXPECT_EQ(map.Decorations()[0].gate, -1.0f);
    EXPECT_EQ(map.Decorations()[0].layer, 100);
    map.Decorations()[3] = sHexDecoration{{1, 2, 3, 4, 5, 6}, 0.9f, 4};
    map.AllocateScratch();
    EXPECT_EQ(map.Decorations()[3].cell[5], 0);
    EXPECT_EQ(map.Decorations()[3].layer, 100);
    EXPECT_EQ(map.Decorations()[3].gate, -1.0f);
}
