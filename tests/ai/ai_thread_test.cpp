// The computer opponent's thread: started once per game, stopped by its flag and joined.
#include <gtest/gtest.h>

#include "ai/ai_thread.h"
#include "platform/clock.h"

TEST(AIThread, StopsAtOnceWhenAskedAndIsJoined)
{
    EXPECT_EQ(StopAIThread(), 0) << "stopping a thread that never ran is harmless";
    EXPECT_FALSE(IsAIThreadRunning());

    EXPECT_EQ(StartAIThread(), 0);
    EXPECT_TRUE(g_AIThreadRun.load());
    EXPECT_TRUE(IsAIThreadRunning());
    // A second start replaces the thread instead of leaving one behind.
    EXPECT_EQ(StartAIThread(), 0);
    EXPECT_TRUE(IsAIThreadRunning());

    const uint32_t before = GetTickMs();
    EXPECT_EQ(StopAIThread(), 0);
    EXPECT_LT(GetTickMs() - before, 1000u) << "an idle thread ends within its short poll";
    EXPECT_FALSE(g_AIThreadRun.load());
    EXPECT_FALSE(IsAIThreadRunning());
}
