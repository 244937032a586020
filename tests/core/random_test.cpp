#include <gtest/gtest.h>

#include <array>
#include <thread>

#include "core/random.h"

namespace {

TEST(Random, UnseededThreadFollowsTheGeneratorSequence)
{
    std::vector<int> raw;
    std::thread t([&] {
        for (int i = 0; i < 4; ++i)
            raw.push_back(NextRandomRaw());
    });
    t.join();
    EXPECT_EQ(raw, (std::vector<int>{41, 18467, 6334, 26500}));
}

TEST(Random, ThreadsKeepTheirOwnState)
{
    SeedRandom(12345);
    int first = NextRandomRaw();
    SeedRandom(12345);
    std::thread t([] { SeedRandom(999); NextRandomRaw(); });
    t.join();
    EXPECT_EQ(NextRandomRaw(), first);
}

TEST(Random, IntCoversItsRangeEvenly)
{
    SeedRandom(7);
    std::array<int, 7> counts{};
    for (int i = 0; i < 60000; ++i) {
        int v = RandomInt(1, 6);
        ASSERT_GE(v, 1);
        ASSERT_LE(v, 6);
        ++counts[size_t(v)];
    }
    for (int v = 1; v <= 6; ++v)
        EXPECT_NEAR(counts[size_t(v)], 10000, 400) << v;

    // Every raw value maps, and the ends of a list are picked equally often.
    std::array<int, 5> picks{};
    for (int r = 0; r < 32768; ++r) {
        ScriptRandomRaw({r});
        ++picks[size_t(RandomInt(0, 4))];
    }
    for (int k = 0; k < 5; ++k)
        EXPECT_NEAR(picks[size_t(k)], 32768 / 5, 1);
}

TEST(Random, DegenerateRangesAndDice)
{
    SeedRandom(1);
    EXPECT_EQ(RandomInt(5, 5), 5);
    EXPECT_EQ(GetRandomState(), 214013u + 2531011u) << "a fixed range still draws";
    EXPECT_EQ(RandomDiceSum(0, 1, 6), 0);
    EXPECT_EQ(RandomDiceSum(-3, 1, 6), 0);
    for (int i = 0; i < 1000; ++i) {
        int s = RandomDiceSum(2, 1, 6);
        ASSERT_GE(s, 2);
        ASSERT_LE(s, 12);
    }
    ScriptRandomRaw({32767, 0, 32767});
    EXPECT_EQ(RandomFraction(), 1.0f);
    EXPECT_EQ(RandomFraction(), 0.0f);
    EXPECT_EQ(RandomInt(1, 100), 100);
    ScriptRandomRaw({0, 32767});
    EXPECT_EQ(RandomInt(-2147483647 - 1, 2147483647), -2147483647 - 1);
    EXPECT_EQ(RandomInt(-2147483647 - 1, 2147483647), 2147483647 - 131071) << "the full range does not overflow";
}

} // namespace
