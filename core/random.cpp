#include "core/random.h"

#include <deque>

namespace {
thread_local uint32_t t_State = 1;
thread_local std::deque<int> t_Script;
} // namespace

void SeedRandom(uint32_t seed)
{
    t_State = seed;
}

uint32_t GetRandomState()
{
    return t_State;
}

int NextRandomRaw()
{
    if (!t_Script.empty()) {
        int v = t_Script.front() & 0x7FFF;
        t_Script.pop_front();
        return v;
    }
    t_State = t_State * 214013u + 2531011u;
    return int((t_State >> 16) & 0x7FFF);
}

int RandomInt(int a, int b)
{
    long long r = NextRandomRaw();
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
