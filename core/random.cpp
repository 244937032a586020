#include "core/random.h"

#include <atomic>
#include <deque>

namespace {
thread_local uint32_t t_State = 1;
thread_local std::deque<int> t_Script;
// The opponent's generator outlives its thread; the thread draws from it once it uses it.
std::atomic<uint32_t> g_OpponentState{1};
thread_local bool t_UsesOpponentState = false;
} // namespace

void SeedRandom(uint32_t seed)
{
    if (t_UsesOpponentState)
        g_OpponentState.store(seed, std::memory_order_relaxed);
    else
        t_State = seed;
}

uint32_t GetRandomState()
{
    return t_UsesOpponentState ? g_OpponentState.load(std::memory_order_relaxed) : t_State;
}

void UseOpponentRandom()
{
    t_UsesOpponentState = true;
}

uint32_t GetOpponentRandomState()
{
    return g_OpponentState.load(std::memory_order_relaxed);
}

void SetOpponentRandomState(uint32_t state)
{
    g_OpponentState.store(state, std::memory_order_relaxed);
}

int NextRandomRaw()
{
    if (!t_Script.empty()) {
        int v = t_Script.front() & 0x7FFF;
        t_Script.pop_front();
        return v;
    }
    uint32_t state = GetRandomState() * 214013u + 2531011u;
    if (t_UsesOpponentState)
        g_OpponentState.store(state, std::memory_order_relaxed);
    else
        t_State = state;
    return int((state >> 16) & 0x7FFF);
}

int RandomInt(int a, int b)
{
    long long r = NextRandomRaw();
    // An empty range (b below a) gives a, never a number outside both bounds.
    if (b <= a)
        return a;
    long long span = static_cast<long long>(b) - a + 1;
    return int(a + r * span / 32768);
}

int RandomDiceSum(int n, int a, int b)
{
    int sum = 0;
    for (int k = 0; k < n; ++k)
        sum += RandomInt(a, b);
    return sum;
}

float RandomFraction()
{
    return float(NextRandomRaw()) / 32767.0f;
}

void ScriptRandomRaw(const std::vector<int>& rawValues)
{
    t_Script.insert(t_Script.end(), rawValues.begin(), rawValues.end());
}

void ClearRandomScript()
{
    t_Script.clear();
}
