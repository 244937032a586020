// The play state on the test scenario: the active country, the view, selection and the
// assault plan.
#include <gtest/gtest.h>

#include "core/settings.h"
#include "units/air_unit.h"
#include "world/city.h"
#include "world/sea_graph.h"
#include "tests/game/testland_game.h"

using namespace testland;

namespace {

class PlayState : public TestlandGame
{
protected:
    ~PlayState() override { ResetSettingsToDefaults(); }
};

} // namespace

TEST_F(PlayState, ActionsOfAlliesAreShownAsTheSettingSays)
{
    g_UserSettings.showAlliesActions = true;
    Activate(kBorussia);
    EXPECT_TRUE(Play().ShowsActions());
    g_UserSettings.showAlliesActions = false;
    Activate(kBorussia);
    EXPECT_FALSE(Play().ShowsActions());
    Activate(kHelvetia);
    EXPECT_TRUE(Play().ShowsActions()) << "a neutral has no allies to hide";
}

TEST_F(PlayState, TheViewCentresOnTheBestCityAndScrollsOnlyOutsideTheComputerPhase)
{
    Activate(kBorussia);
    EXPECT_EQ(Country(kBorussia).FindBestOwnCity()->Name, L"Berolina") << "its supply city before its ports";
    game->SetGameState(kStateComputer);
    Play().CenterViewOnActiveCountry(true);
    EXPECT_EQ(game->GetGameState(), kStateComputer);
    EXPECT_EQ(game->m_Mapa->camera.targetX, float(11 * kHexWidth));
    game->SetGameState(kStateHuman);
    Play().CenterViewOnActiveCountry(true);
    EXPECT_EQ(game->GetGameState(), kStateScroll);

    Activate(kHelvetia);
    Hex(10, 8).SetController(kBorussia);  // Berna, its only city
    EXPECT_EQ(Country(kHelvetia).FindBestOwnCity(), nullptr);
    game->SetGameState(kStateHuman);
    Play().CenterViewOnActiveCountry(true);
    EXPECT_EQ(game->GetGameState(), kStateHuman) << "no city: nothing happens";
}

TEST_F(PlayState, SelectingASeaHexMarksItsZoneAndOpensTheFleetsOnlyWithShipsThere)
{
    Activate(kAlbion);
    Play().SelectHex(0, 0);  // the North Sea, zone 1
    EXPECT_EQ(Play().GetSelectedUnit(), nullptr);
    for (const sHex& hex : game->m_Mapa->Hexes())
        EXPECT_EQ((hex.marks & MARK_SEA_ZONE) != 0, hex.IsSea() && hex.seaZone == 1) << hex.x << "," << hex.y;
    EXPECT_EQ(screen.Count(eRequestKind::FleetsDialog), 0) << "no ship of the viewer's side counted there";

    game->m_SeaGraph->GetNode(1)->OwnCounts[0] = 1;
    Play().SelectHex(0, 0);
    EXPECT_EQ(screen.Count(eRequestKind::FleetsDialog), 1);
    Play().SetOrderMode(ORDER_AIR_BOMBARDMENT);
    Play().SelectHex(0, 0);
    EXPECT_EQ(screen.Count(eRequestKind::FleetsDialog), 1) << "not while bombing";

    game->SetGameState(kStateHuman);
    Play().SetHoveredHex(&Hex(0, 0));
    EXPECT_EQ(Play().GetHoveredHint(), game->m_SeaGraph->GetNode(1));
    EXPECT_EQ(screen.hoverHint, game->m_SeaGraph->GetNode(1));
    screen.hoverHint = nullptr;
    Play().SetHoveredHex(&Hex(0, 0));
    EXPECT_EQ(screen.hoverHint, nullptr) << "the same hex again leaves the hint display alone";
    Play().SetHoveredHex(&Hex(2, 2));
    EXPECT_EQ(Play().GetHoveredHint(), nullptr) << "land names no sea node";
    EXPECT_EQ(screen.hoverHint, nullptr);
    game->SetGameState(kStateComputer);
    Play().SetHoveredHex(&Hex(0, 0));
    EXPECT_EQ(screen.hoverHint, nullptr) << "the counts are the computer's own view in its phase";
    game->SetGameState(kStateHuman);
    Play().SetHoveredHex(nullptr);
    EXPECT_EQ(Play().GetHoveredHint(), nullptr) << "off the map";

    Play().SelectHex(2, 2);  // 1st Guards
    EXPECT_EQ(Play().GetSelectedUnit(), &Land(1));
    EXPECT_EQ(Hex(2, 2).marks, uint32_t(MARK_SELECTED));
    EXPECT_EQ(Hex(0, 0).marks, 0u);
    Play().DeselectAll();
    EXPECT_EQ(Play().GetSelectedHex(), nullptr);
    EXPECT_EQ(Play().GetSelectedUnit(), nullptr);
    EXPECT_TRUE(game->m_Mapa->GetMarkedHexes().empty());
    // A move waiting for its destination goes with the unit; other orders stay.
    Play().SetOrderMode(ORDER_MOVE);
    Play().DeselectAll();
    EXPECT_EQ(Play().GetOrderMode(), ORDER_SELECT);
    Play().SetOrderMode(ORDER_AIR_BOMBARDMENT);
    Play().DeselectAll();
    EXPECT_EQ(Play().GetOrderMode(), ORDER_AIR_BOMBARDMENT);
}

TEST_F(PlayState, TheShadeOfAnAirUnitsRangeGoesWithTheSelection)
{
    Activate(kAlbion);
    auto shaded = [&] {
        int n = 0;
        for (const sHex& hex : game->m_Mapa->Hexes())
            n += (hex.marks & MARK_BIT24) != 0;
        return n;
    };
    cJednostkaLotnicza& plane = *game->m_AirUnits.front();
    plane.ComputeMoveRange(false);
    ASSERT_GT(shaded(), 0);
    Play().SelectHex(2, 2);
    EXPECT_EQ(shaded(), 0);
    plane.ComputeMoveRange(false);
    Play().DeselectAll();
    EXPECT_EQ(shaded(), 0);
}

TEST_F(PlayState, TheAssaultPlanEndsWithItsModeItsTurnOrAUnitInIt)
{
    Activate(kBorussia);
    sAssaultPlan plan;
    plan.defenderId = 12;  // Valdo Infantry
    plan.x = 7;
    plan.y = 6;
    plan.attackerIds[1] = 5;
    Land(5).m_Attacked = true;
    Play().SetAssaultPlan(plan);
    Play().SetOrderMode(ORDER_ASSAULT_PLAN);
    Play().ValidateAssaultPlan();
    ASSERT_NE(Play().GetAssaultPlan(), nullptr) << "a lone attacker that already attacked stays";
    plan.attackerIds[2] = 8;
    Play().SetAssaultPlan(plan);
    Play().ValidateAssaultPlan();
    EXPECT_EQ(Play().GetAssaultPlan(), nullptr);

    Land(5).m_Attacked = false;
    Land(12).m_WasAttacked = true;
    Play().SetAssaultPlan(plan);
    Play().ValidateAssaultPlan();
    EXPECT_EQ(Play().GetAssaultPlan(), nullptr) << "two attackers on a defender already attacked";

    Land(12).m_WasAttacked = false;
    Play().SetAssaultPlan(plan);
    Play().SetOrderMode(ORDER_ASSAULT_PLAN);
    Play().ValidateAssaultPlan();
    EXPECT_NE(Play().GetAssaultPlan(), nullptr) << "two attackers, none has attacked, on a defender not attacked";
    Play().SetOrderMode(ORDER_SELECT);
    EXPECT_EQ(Play().GetAssaultPlan(), nullptr);

    Play().SetAssaultPlan(plan);
    Activate(kBorussia);
    EXPECT_EQ(Play().GetAssaultPlan(), nullptr) << "a new turn";

    Play().SetAssaultPlan(plan);
    Play().SelectHex(8, 3);
    ASSERT_EQ(Play().GetSelectedUnit(), &Land(8));
    Land(8).Kill();
    EXPECT_EQ(Play().GetAssaultPlan(), nullptr);
    EXPECT_EQ(Play().GetSelectedUnit(), nullptr);
    Play().SetAssaultPlan(plan);
    Land(12).Kill();
    EXPECT_EQ(Play().GetAssaultPlan(), nullptr) << "its defender";
}

TEST_F(PlayState, InfoPanelMessagesReachAPersonOnOneLine)
{
    const int before = screen.Count(eRequestKind::InfoMessage);
    PostInfoPanelMessage(L"Supply\ncalculated");
    ASSERT_EQ(screen.Count(eRequestKind::InfoMessage), before + 1);
    EXPECT_EQ(screen.requests.back().text, L"Supply calculated");
    Country(kAlbion).HumanControlled = false;  // nobody to read it
    PostInfoPanelMessage(L"Supply calculated");
    EXPECT_EQ(screen.Count(eRequestKind::InfoMessage), before + 1);
}
