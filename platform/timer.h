#pragma once
// The frame timer: seconds since it started, not counting the time it was stopped.
#include <chrono>

class cFrameTimer
{
public:
    cFrameTimer();
    void Reset();
    void Start();
    void Stop();
    bool IsStopped() const { return m_Stopped; }
    // Seconds of running time so far.
    double GetTime() const;
    // Seconds since the previous call (0 the first time and while stopped).
    float GetElapsedTime();

private:
    using tClock = std::chrono::steady_clock;
    double Now() const;

    tClock::time_point m_Base;
    double m_StoppedAt = 0;
    double m_PausedTotal = 0;
    double m_LastElapsed = 0;
    bool m_Stopped = false;
};
