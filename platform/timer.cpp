#include "platform/timer.h"

#include "platform/clock.h"

cFrameTimer::cFrameTimer() { Reset(); }

double cFrameTimer::Now() const { return ClockSeconds() - m_Base; }

void cFrameTimer::Reset()
{
    m_Base = ClockSeconds();
    m_StoppedAt = 0;
    m_PausedTotal = 0;
    m_LastElapsed = 0;
    m_Stopped = false;
}

void cFrameTimer::Start()
{
    if (!m_Stopped)
        return;
    m_PausedTotal += Now() - m_StoppedAt;
    m_Stopped = false;
}

void cFrameTimer::Stop()
{
    if (m_Stopped)
        return;
    m_StoppedAt = Now();
    m_Stopped = true;
}

double cFrameTimer::GetTime() const
{
    double now = m_Stopped ? m_StoppedAt : Now();
    return now - m_PausedTotal;
}

float cFrameTimer::GetElapsedTime()
{
    double t = GetTime();
    double elapsed = t - m_LastElapsed;
    m_LastElapsed = t;
    return elapsed < 0 ? 0.0f : float(elapsed);
}
