#pragma once
// The frame timer: seconds since it started, not counting the time it was stopped.
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
    double Now() const;

    double m_Base = 0;
    double m_StoppedAt = 0;
    double m_PausedTotal = 0;
    double m_LastElapsed = 0;
    bool m_Stopped = false;
};
