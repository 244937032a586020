#include "platform/clock.h"

#include <chrono>
#include <thread>

uint32_t GetTickMs()
{
    static const auto start = std::chrono::steady_clock::now();
    auto elapsed = std::chrono::steady_clock::now() - start;
    return uint32_t(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
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
