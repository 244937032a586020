#pragma once
// The computer opponent's thread. It exists from the end of loading until the teardown:
// started once per game, stopped by clearing its run flag and joined, never killed.
#include <atomic>

// The thread may run; cleared by StopAIThread.
extern std::atomic<bool> g_AIThreadRun;
// The main thread asks the opponent's thread to check the scripted events.
extern std::atomic<bool> g_EventCheckRequested;

// Starts the thread; 0. A thread still running is stopped first.
int StartAIThread();
// Clears the run flag and joins the thread; 0 (also when none was running).
int StopAIThread();
// True while a thread started by StartAIThread has not been joined.
bool IsAIThreadRunning();
