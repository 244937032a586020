// The airborne drop: losses set by the air superiority over the target hex.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/random.h"
#include "core/stringbase.h"
#include "tests/units/unit_test_game.h"
#include "tests/world/world_fixture.h"
#include "units/combat_support.h"
#include "world/hex_geometry.h"

using unit_tests::cTestGame;
using unit_tests::RawFor;

namespace {

class AirborneAssault : public ::testing::Test
{
protected:
    void SetUp() override
    {
        LoadGameTexts();
        g.SetCombatConstants();  // drop losses 30, 25, 20, 15, 10, 5 by air activity 1 to 6
        g.SetWar(1, 2);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 12; ++x)
                g.Hex(x, y).controller = x < 4 ? 1 : 2;
        para = g.AddLand(1, UNIT_AIRBORNE, 2, 2);
        para->m_ActionPoints = 3;
    }
    void Fighter(int owner, int x, int strength) { g.AddAir(owner, UNIT_FIGHTER, x, 6)->m_Strength = strength; }
    cTestGame g;
    cJednostkaLadowa* para = nullptr;
    std::wstring text;
    int landed = -1;
};

} // namespace

TEST_F(AirborneAssault, WithoutEnemyFightersTheUnitLandsWithoutDiceAndTakesTheHex)
{
    EXPECT_GT(para->MarkAirborneAssaultRange(), 0);
    EXPECT_NE(g.Hex(5, 4).marks & MARK_MOVE_ATTACK_LEFT, 0u);
    ASSERT_TRUE(para->AirborneAssault(5, 4, text, landed));
    EXPECT_EQ(text, L"The enemy has no aircraft over this hex: the landing was successful.");
    EXPECT_EQ(landed, -1);  // no dice, no result
    EXPECT_EQ(g.Hex(5, 4).unit, para);
    EXPECT_EQ(g.Hex(2, 2).unit, nullptr);
    EXPECT_EQ(g.Hex(5, 4).controller, 1);
    EXPECT_EQ(para->m_ActionPoints, 2);
    EXPECT_EQ(para->m_Strength, 100);

    // A hex with a seen unit is refused and the unit stays.
    cJednostkaLadowa* enemy = g.AddLand(2, UNIT_INFANTRY, 6, 4);
    enemy->m_Spotted = true;
    text.clear();
    EXPECT_FALSE(para->AirborneAssault(6, 4, text, landed));
    EXPECT_EQ(g.Hex(5, 4).unit, para);
    EXPECT_TRUE(text.empty());
    EXPECT_EQ(para->m_ActionPoints, 2);

    // One not seen is found from the air: the drop is called off and spent, the unit seen.
    enemy->m_Spotted = false;
    EXPECT_TRUE(para->AirborneAssault(6, 4, text, landed));
    EXPECT_EQ(text, LangFormat("airborne_assault_called_off_%s_%s", enemy->m_Name, CountryName(2)));
    EXPECT_EQ(g.Hex(5, 4).unit, para);
    EXPECT_EQ(g.Hex(6, 4).unit, enemy);
    EXPECT_TRUE(enemy->m_Spotted);
    EXPECT_EQ(para->m_ActionPoints, 1);
    EXPECT_EQ(landed, -1);

    // Nor onto a hex of its own side, seen or not, nor off the map.
    g.AddLand(1, UNIT_INFANTRY, 5, 5)->m_Spotted = false;
    text.clear();
    EXPECT_FALSE(para->AirborneAssault(5, 5, text, landed));
    EXPECT_FALSE(para->AirborneAssault(50, 4, text, landed));
    EXPECT_TRUE(text.empty());
    EXPECT_EQ(para->m_ActionPoints, 1);
}

TEST_F(AirborneAssault, RatioOfThreeIsTotalSuperiorityAndTakesTwoOffTheDie)
{
    for (int x : {1, 2, 3})  // fighters count by their value, not by their strength
        Fighter(1, x, 4);
    Fighter(2, 7, 12);
    ScriptRandomRaw({RawFor(3)});  // 3 - 2: activity 1, "none", losses 30
    ASSERT_TRUE(para->AirborneAssault(5, 4, text, landed));
    EXPECT_EQ(text, L"You have total air superiority over the target hex.\nEnemy air activity: none\n"
                    L"Paratroops' losses: light\nThe troops have landed.");
    EXPECT_EQ(landed, 1);
    EXPECT_EQ(para->m_Strength, 70);
}

TEST_F(AirborneAssault, RatioOfOneThirdIsTheEnemysSuperiorityAndHeavyLossesEliminate)
{
    Fighter(1, 3, 12);
    for (int x : {6, 7, 8})
        Fighter(2, x, 4);
    para->m_Strength = 20;
    ScriptRandomRaw({RawFor(1)});  // 1 + 1: activity 2, losses 25
    ASSERT_TRUE(para->AirborneAssault(5, 4, text, landed));
    EXPECT_EQ(text.rfind(L"The enemy has air superiority over the target hex.", 0), 0u) << text;
    EXPECT_NE(text.find(L"The airborne unit was eliminated."), std::wstring::npos);
    EXPECT_EQ(landed, 0);
    EXPECT_FALSE(unit_tests::Contains(g.game->m_LandUnits, para));
    EXPECT_EQ(g.Hex(2, 2).unit, nullptr);
    EXPECT_EQ(g.Hex(5, 4).controller, 2);
}

// Each band of the fighter ratio moves the die by its modifier; the activity picks the losses
// and each loss its word.
TEST_F(AirborneAssault, TheRatioBandAndTheDieSetActivityLossesAndTheirWords)
{
    const int losses[6] = {0, 32, 33, 65, 66, 100};
    std::copy(losses, losses + 6, g.game->m_Consts.AirborneDropLosses);
    std::vector<cJednostkaLotnicza*> own, enemy;
    for (int x : {1, 2, 3})
        own.push_back(g.AddAir(1, UNIT_FIGHTER, x, 6));
    for (int x : {5, 6, 7, 8})
        enemy.push_back(g.AddAir(2, UNIT_FIGHTER, x, 6));
    const struct
    {
        int own, enemy, die;
        const wchar_t *superiority, *activity, *loss;
        int strength;
    } cases[] = {
        {1, 4, 1, L"The enemy has total air superiority", L"low", L"medium", 67},
        {1, 2, 1, L"Neither side has air superiority", L"none", L"none", 100},
        {1, 1, 4, L"Neither side has air superiority", L"medium", L"medium", 35},
        {2, 1, 6, L"You have air superiority", L"high", L"high", 34},
        {3, 1, 4, L"You have total air superiority", L"very low", L"light", 68},
        {1, 3, 6, L"The enemy has air superiority", L"very high", L"high", 0},
    };
    for (const auto& c : cases) {
        for (size_t i = 0; i < own.size(); ++i)
            own[i]->m_Y = int(i) < c.own ? 6 : -1;
        for (size_t i = 0; i < enemy.size(); ++i)
            enemy[i]->m_Y = int(i) < c.enemy ? 6 : -1;
        g.Hex(5, 4).unit = nullptr;
        g.Hex(2, 2).unit = para;
        para->m_X = 2;
        para->m_Y = 2;
        para->m_Strength = 100;
        // The die at the top of its face, where a wider die would read the next.
        ScriptRandomRaw({c.die == 6 ? 32767 : RawFor(c.die + 1) - 1});
        ASSERT_TRUE(para->AirborneAssault(5, 4, text, landed));
        const std::wstring end = c.strength ? L"The troops have landed." : L"The airborne unit was eliminated.";
        EXPECT_EQ(text, std::wstring(c.superiority) + L" over the target hex.\nEnemy air activity: " + c.activity +
                            L"\nParatroops' losses: " + c.loss + L"\n" + end)
            << c.own << ":" << c.enemy;
        if (c.strength) {
            EXPECT_EQ(para->m_Strength, c.strength) << c.own << ":" << c.enemy;
        }
    }
    EXPECT_EQ(landed, 0);
}

// The drop zone is every hex within the airborne range (base 3 x factor 1 at aircraft level
// 0); a unit off the map marks none; one with a single action point left marks what it can
// still reach as its last move.
TEST_F(AirborneAssault, TheDropZoneIsMarkedByTheActionPointsLeft)
{
    int inRange = 0;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x)
            inRange += HexDistance(2, 2, x, y) <= 3 ? 1 : 0;
    for (int points : {1, 2}) {
        g.Hex(5, 4).marks = 0;
        para->m_ActionPoints = points;
        EXPECT_EQ(para->MarkAirborneAssaultRange(), inRange);
        EXPECT_EQ(g.Hex(5, 4).marks & (MARK_MOVE_NONE_LEFT | MARK_MOVE_ATTACK_LEFT),
                  points == 1 ? MARK_MOVE_NONE_LEFT : MARK_MOVE_ATTACK_LEFT)
            << points;
    }
    g.Hex(2, 2).unit = nullptr;
    para->m_X = -1;
    para->m_Y = -1;
    EXPECT_EQ(para->MarkAirborneAssaultRange(), 0);
}
