// What each operand method reads from a small game.
#include <gtest/gtest.h>

#include <memory>

#include "events/zdarzenia.h"
#include "game/gra.h"
#include "tests/test_support.h"

using testing_support::LogContains;

namespace {

double Read(const wchar_t* method, std::initializer_list<double> params = {})
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

class EventOperands : public ::testing::Test
{
protected:
    void SetUp() override
    {
        game = std::make_unique<cGra>(sGameLoadRequest::ForScenario(L"small"), 0);
        game->m_Turn = 17;
        game->m_Consts.WinterBattleFactor = 0.5f;
        game->m_Consts.WinterMoveFactor = 0.25f;
        game->m_Consts.MudBattleFactor = 0.75f;
        game->m_Consts.MudMoveFactor = 2.0f;
        game->m_Flags[0] = 4;
        game->m_Flags[kFlagCount - 1] = 9;
        game->m_Commanders.push_back(new sDowodca{3, L"Guderian", 2, 0, 6, 40, 2});
    }
    std::unique_ptr<cGra> game;
};

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

TEST(EventOperandsWithoutGame, ReadZeroAndSaySo)
{
    ASSERT_EQ(g_Gra, nullptr);
    EXPECT_EQ(Read(L"Game.GetCurrentTurn"), 0.0);
    EXPECT_TRUE(LogContains(L"ERROR: operand Game.GetCurrentTurn at line 7 read with no game; it reads 0"));
}

} // namespace
