#include "platform/clock.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace {

// Virtual milliseconds, or -1 while the real clock runs.
std::atomic<int64_t> g_VirtualMs{-1};

int64_t RealMs()
{
    static const auto start = std::chrono::steady_clock::now();
    auto elapsed = std::chrono::steady_clock::now() - start;
    return std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
}

} // namespace

uint32_t GetTickMs()
{
    const int64_t virtualMs = g_VirtualMs.load();
    return uint32_t(virtualMs >= 0 ? virtualMs : RealMs());
}

double ClockSeconds()
{
    const int64_t virtualMs = g_VirtualMs.load();
    if (virtualMs >= 0)
        return double(virtualMs) / 1000.0;
    static const auto start = std::chrono::steady_clock::now();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

int64_t GetCalendarSeconds()
{
    return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

void SleepMs(int ms)
{
    if (ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void SetVirtualClock(bool on) { g_VirtualMs.store(on ? 0 : -1); }

bool IsVirtualClock() { return g_VirtualMs.load() >= 0; }

void AdvanceVirtualClock(int ms)
{
    if (ms > 0 && g_VirtualMs.load() >= 0)
        g_VirtualMs.fetch_add(ms);
}
