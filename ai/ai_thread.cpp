#include "ai/ai_thread.h"

#include <mutex>
#include <thread>

#include "core/lock.h"
#include "core/log.h"
#include "core/random.h"
#include "game/game_state.h"
#include "game/game.h"
#include "platform/clock.h"

std::atomic<bool> g_AIThreadRun{false};
std::atomic<bool> g_EventCheckRequested{false};

namespace {

std::thread g_AIThread;
std::mutex g_AIThreadMutex; // start and stop come from the main thread, but never twice at once

// Idle polls sleep this long, so an idle thread costs nothing and stops at once.
constexpr int kIdlePollMs = 10;

void AIThreadProc()
{
    SetThreadRunFlag(&g_AIThreadRun);
    SeedRandom(GetTickMs());
    while (g_AIThreadRun.load()) {
        // g_Gra stays put while the thread runs: it is started after the game is made
        // and joined by the teardown before anything is freed.
        const int state = g_Gra ? g_Gra->GetGameState() : kStateConstructed;
        // The computer phase (state 9) and the event check are played here once the
        // opponent's turns exist; until then the thread only waits for its stop.
        (void)state;
        InterruptibleSleep(kIdlePollMs);
    }
    SetThreadRunFlag(nullptr);
}

} // namespace

int StartAIThread()
{
    std::lock_guard<std::mutex> guard(g_AIThreadMutex);
    if (g_AIThread.joinable()) {
        g_AIThreadRun.store(false);
        g_AIThread.join();
    }
    g_AIThreadRun.store(true);
    g_AIThread = std::thread(AIThreadProc);
    return 0;
}

int StopAIThread()
{
    std::lock_guard<std::mutex> guard(g_AIThreadMutex);
    g_AIThreadRun.store(false);
    if (g_AIThread.joinable())
        g_AIThread.join();
    return 0;
}

bool IsAIThreadRunning()
{
    std::lock_guard<std::mutex> guard(g_AIThreadMutex);
    return g_AIThread.joinable();
}
