#include "ai/ai_thread.h"

#include "ai/ai.h"

#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

#include "core/fatal.h"
#include "core/lock.h"
#include "core/console_log.h"
#include "core/log.h"
#include "core/random.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "events/events.h"
#include "game/game.h"
#include "game/game_state.h"
#include "game/play_state.h"
#include "game/presentation.h"
#include "game/turn_order.h"
#include "platform/clock.h"
#include "world/country.h"
#include "world/map.h"

std::atomic<bool> g_AIThreadRun{false};
std::atomic<bool> g_EventCheckRequested{false};

namespace {

std::thread g_AIThread;
std::mutex g_AIThreadMutex; // start and stop come from the main thread, but never twice at once
// Written before the thread starts and only read by it.
sAIThreadOptions g_Options;
std::mutex g_FailureMutex;
std::wstring g_Failure;
std::mutex g_PlaceMutex;
std::wstring g_Place;
// Set by the thread as its last act, so that a stop can wait for it with a limit.
std::mutex g_EndMutex;
std::condition_variable g_EndCv;
bool g_ThreadEnded = true;

constexpr int kStopPatienceMs = 5000;
constexpr const wchar_t* kIdlePlace = L"waiting for the computer's phase";

constexpr int kDummyCountryFlag = 1;

void RecordFailure(const std::wstring& reason)
{
    std::lock_guard<std::mutex> guard(g_FailureMutex);
    g_Failure = reason;
}

// The thread never outlives a failure: the fatal exit ends the program, or, under a
// throwing handler (tests, tools), the thread ends and the failure is kept for the caller.
void EndOnFailure(const std::wstring& reason)
{
    const std::wstring text = L"Exception on the computer opponent's thread: " + reason;
    RecordFailure(text);
    g_AIThreadRun = false;
    try {
        FatalExit(1, text);
    } catch (...) {
    }
}

cPanstwo* ActiveCountry(const cGra& game)
{
    return game.m_PlayState->GetActiveCountry();
}

// The country whose side the screen shows once the war is over: by e-mail that of the
// player who opened this turn, the first of theirs in the order; else the one last seen.
cPanstwo* CountryShownAfterTheWar(const cGra& game)
{
    cPanstwo* active = ActiveCountry(game);
    if (game.m_IsPbem) {
        auto theirs = [](const cPanstwo* c) {
            return c && c->IsActive && c->HumanControlled && c->SpecialFlags != kDummyCountryFlag;
        };
        if (theirs(active))
            return active;
        if (cPanstwo* next = game.m_PlayState->PickNextCountry(game.m_Countries); theirs(next))
            return next;
    }
    return game.m_PlayState->GetViewCountry();
}

// The turn is handed to the person whose country is active: the screen restores the view
// and opens the new-turn window at its next frame; the thread does not wait for it.
void HandOver(cGra& game)
{
    SetAIThreadPlace(L"handing the turn over");
    LogLine(L"==== AI THREAD FINISHED =====");
    LogLine(L"rekalkuluje fog of war");
    auto showActivesView = [&game](cPanstwo* active) {
        if (active)
            active->RecalculateUnitsVisibility();
        game.m_PlayState->SetViewCountry(active);
    };
    if (game.m_GameOver) {
        // Nobody takes another turn after the war: no new turn is announced, and the screen
        // shows the side of the person at it, with their country in the info panel.
        {
            GLOBAL_LOCK_SCOPE();
            if (cPanstwo* seen = CountryShownAfterTheWar(game)) {
                if (seen != game.m_PlayState->GetViewCountry())
                    showActivesView(seen);
                game.m_PlayState->SetActiveCountry(seen);
            }
        }
        game.SetGameState(kStateHuman);
        return;
    }
    cPanstwo* active = nullptr;
    bool pbemEventCheck = false;
    {
        GLOBAL_LOCK_SCOPE();
        active = ActiveCountry(game);
        // Any other game checks its events at the end of the impulse, and would check them twice.
        pbemEventCheck = active && active->SpecialFlags == kDummyCountryFlag && game.m_IsPbem;
        if (pbemEventCheck)
            showActivesView(active);
    }
    // The check takes the lock step by step: a person may be asked to choose. After a turn
    // saved from an event's window the program ends: nothing is handed over.
    if (pbemEventCheck && !game.CheckEvents(false))
        return;
    GLOBAL_LOCK_SCOPE();
    // Under the same hold as the request of the new-turn window: no frame shows the next
    // person's side before the window that announces it is open.
    if (!pbemEventCheck)
        showActivesView(active);
    if (active && active->SpecialFlags != kDummyCountryFlag) {
        const float* view = active->GetSavedView();
        const bool saved = view[2] >= 0.0f;
        if (!saved)
            game.m_PlayState->CenterViewOnActiveCountry(true);
        if (active->HumanControlled) {
            sPresentationRequest request;
            request.kind = eRequestKind::HandOverTurn;
            request.countryId = active->ID;
            request.title = active->Name;
            const sFloatPoint point{view[0], view[1]};
            request.onServe = [saved, point] {
                if (!g_Gra)
                    return;
                if (saved && g_Gra->m_Mapa)
                    g_Gra->m_Mapa->ScrollToPoint(point, true);
                g_Gra->m_PlayState->DeselectAll();
                Presentation().BeginPlayerPhase();
            };
            Presentation().Post(std::move(request));
        }
    }
    game.SetGameState(kStateHuman);
    if (pbemEventCheck) {
        // Told only now: the main loop ends the turn once it knows, and a state set after
        // that would undo its end of the turn.
        g_PbemEventCheckDone = true;
        Presentation().WakeMainLoop();
    }
}

// Every country has moved: the next impulse's first country becomes active and the
// impulse ends. False when play is to stop.
bool EndTheImpulse(cGra& game)
{
    SetAIThreadPlace(L"the end of the impulse");
    {
        GLOBAL_LOCK_SCOPE();
        for (cPanstwo* c : game.m_Countries)
            c->FinishedTurn = false;
        game.m_PlayState->SetActiveCountry(DetermineCurrentCountry(game.m_Countries));
        game.SetGameState(kStateEndOfImpulse);
    }
    game.EndImpulse(true);
    LogLine(L"Updatuje minimape po koncu impulsu");
    Presentation().RefreshDate();
    // Only this thread sets state 3 during a computer phase, so nobody else can hold it
    // there to be waited for.
    game.SetGameState(kStateComputer);
    return !g_Options.afterImpulse || g_Options.afterImpulse();
}

// Plays from the active country on until a person's country is reached (handed over) or
// the game is over; returns early when the thread is asked to stop.
void RunComputerPhase(cGra& game)
{
    LogLine(L"==== STARTING AI THREAD =====");
    for (;;) {
        // Between two countries the pause menu holds play: the project's choice, the menu opening
        // in the computer's phase too; else the turns would play on under the menu.
        WaitWhilePlayPaused();
        if (cPanstwo* country = ActiveCountry(game)) {
            SetAIThreadPlace(FormatText(L"the turn of %s", country->Name));
            if (country->HumanControlled)
                LogLine(L"A stand-in plays the turn of %s", country->Name);
            PlayComputerTurn(*country);
            SetAIThreadPlace(FormatText(L"after the turn of %s", country->Name));
            while (game.GetGameState() == kStateComputerMove && ThreadMayRun())
                LOGGED_SLEEP(50);
            // Under the lock, where the design writes the flag plainly: the main thread reads
            // the countries' flags while it draws and ends a person's turn.
            {
                GLOBAL_LOCK_SCOPE();
                country->FinishedTurn = true;
            }
            g_Console.Flush();
            if (g_Options.afterCountryTurn && !g_Options.afterCountryTurn(*country))
                g_AIThreadRun = false;
            // A stand-in's turn ends as a person's does: the computer phase follows.
            if (game.GetGameState() == kStateHuman)
                game.SetGameState(kStateComputer);
        }
        if (!ThreadMayRun())
            return;
        cPanstwo* next = nullptr;
        {
            GLOBAL_LOCK_SCOPE();
            next = DetermineCurrentCountry(game.m_Countries);
            if (next)
                game.m_PlayState->SetActiveCountry(next);
        }
        if (!next && !EndTheImpulse(game))
            g_AIThreadRun = false;
        if (!ThreadMayRun())
            return;
        if (game.m_GameOver)
            break;
        const cPanstwo* active = ActiveCountry(game);
        if (active && active->HumanControlled)
            break;
    }
    // A person paused the computer's play: the turn is not handed over under the menu.
    WaitWhilePlayPaused();
    if (ThreadMayRun())
        HandOver(game);
}

enum class eIdleWork { None, ComputerPhase, EventCheck, ForcedEvents };

eIdleWork IdleWork(const cGra* game)
{
    const int state = game ? game->GetGameState() : kStateConstructed;
    const bool standInTurn = state == kStateHuman && g_Options.humanStandIn && game && !game->m_GameOver;
    if (state == kStateComputer || standInTurn)
        return eIdleWork::ComputerPhase;
    if (game && g_EventCheckRequested.load())
        return eIdleWork::EventCheck;
    if (game && game->m_Events && game->m_Events->HasForcedEvents())
        return eIdleWork::ForcedEvents;
    return eIdleWork::None;
}

void IdleLoop()
{
    while (g_AIThreadRun.load()) {
        // g_Gra stays put while the thread runs: it is started after the game is made
        // and joined by the teardown before anything is freed.
        cGra* game = g_Gra;
        switch (IdleWork(game)) {
        case eIdleWork::ComputerPhase:
            RunComputerPhase(*game);
            break;
        case eIdleWork::EventCheck:
            SetAIThreadPlace(L"the check of the scripted events");
            game->CheckEvents();
            g_EventCheckRequested = false;
            break;
        case eIdleWork::ForcedEvents:
            SetAIThreadPlace(L"the scripted events forced on the game");
            game->FireForcedEvents();
            break;
        case eIdleWork::None:
            // Asleep until the state, a request or the stop wakes it: a person may look at a
            // window or the map for an hour, and the thread costs nothing meanwhile.
            WaitUntilWoken([game] { return IdleWork(game) != eIdleWork::None; });
            continue;
        }
        SetAIThreadPlace(kIdlePlace);
    }
}

void AIThreadProc()
{
    SetThreadRunFlag(&g_AIThreadRun);
    // Its lines buffered a while, the project's choice: a system write each would slow the computer's turns.
    cConsoleLog::SetBufferedOnThisThread(true);
    UseOpponentRandom();
    // A saved game's dice go on where they stood, the project's choice: it continues exactly as
    // the game that was saved, where with dice from the clock each load would play on otherwise.
    const cGra* loaded = g_Gra;
    if (g_Options.seed)
        SeedRandom(*g_Options.seed);
    else if (!loaded || !loaded->m_SavedRandomStates)
        SeedRandom(GetTickMs());
    SetAIThreadPlace(kIdlePlace);
    try {
        IdleLoop();
    } catch (const sFatalExit& e) {
        // Only a throwing fatal handler gets here; the reason is already logged.
        RecordFailure(e.reason);
        g_AIThreadRun = false;
    } catch (const std::exception& e) {
        EndOnFailure(Utf8ToWide(e.what()));
    } catch (...) {
        EndOnFailure(L"an unknown exception");
    }
    // A hold of the lock left by an unwound step must not block the main thread.
    while (GlobalLockDepthOfThisThread() > 0)
        RELEASE_GLOBAL_LOCK();
    g_Console.Flush();
    SetThreadRunFlag(nullptr);
    std::lock_guard<std::mutex> guard(g_EndMutex);
    g_ThreadEnded = true;
    g_EndCv.notify_all();
}

// Waits at most ms for the thread's last act; false when it has not come.
bool WaitForThreadEnd(int ms)
{
    std::unique_lock<std::mutex> lock(g_EndMutex);
    return g_EndCv.wait_for(lock, std::chrono::milliseconds(ms), [] { return g_ThreadEnded; });
}

} // namespace

void PlayComputerTurn(cPanstwo& country)
{
    if (country.PoliticalStrength == -1 || !country.IsActive) {
        LogLine(LangText("dummy_country,_ending_sequence"));
        return;
    }
    // A country beyond the opponent's objects (never in a loaded game) passes.
    const size_t index = size_t(country.ID - 1);
    if (!g_Gra || country.ID < 1 || index >= g_Gra->m_AIs.size()) {
        LogLine(L"ERROR: no computer opponent for country %i (%s); it passes", country.ID, country.Name);
        return;
    }
    g_Gra->m_AIs[index]->PlayTurn();
}

void RequestEventCheck()
{
    g_EventCheckRequested = true;
    WakeWaitingThreads();
}

void SetAIThreadOptions(sAIThreadOptions options)
{
    std::lock_guard<std::mutex> guard(g_AIThreadMutex);
    g_Options = std::move(options);
}

int StartAIThread()
{
    std::lock_guard<std::mutex> guard(g_AIThreadMutex);
    if (g_AIThread.joinable()) {
        ClearRunFlag(g_AIThreadRun);
        g_AIThread.join();
    }
    RecordFailure(L"");
    {
        std::lock_guard<std::mutex> ended(g_EndMutex);
        g_ThreadEnded = false;
    }
    // The log says when the thread began, for a stop that is slow to come; it runs at the
    // system's normal priority, as every wait of the main loop sleeps until it is woken.
    LogLine(L"Starting the computer opponent's thread");
    g_AIThreadRun.store(true);
    g_AIThread = std::thread(AIThreadProc);
    return 0;
}

int StopAIThread()
{
    // Its end is waited for as it comes, with no first pause of 200 ms and no polls: the
    // thread is joined, never terminated (killed inside the global lock it would leave the
    // lock held for good), so a fixed pause would only hold up every teardown.
    ClearRunFlag(g_AIThreadRun);
    // The thread may be on its way to the global lock: a caller that holds it gives it up
    // until the thread has ended. It takes the lock back only after letting go of the
    // mutex below, since a caller may take that mutex while holding the lock: retaken
    // under the mutex, the two would be held in both orders, the start of a deadlock.
    cGlobalLockYield yield;
    std::lock_guard<std::mutex> guard(g_AIThreadMutex);
    if (!g_AIThread.joinable())
        return 0;
    int result = 0;
    if (!WaitForThreadEnd(kStopPatienceMs)) {
        LogLine(L"The computer opponent's thread has not stopped within %i ms; it is at %s", kStopPatienceMs,
                AIThreadPlace());
        g_Console.Flush();
        result = 1;
    }
    g_AIThread.join();
    return result;
}

void SetAIThreadPlace(std::wstring place)
{
    std::lock_guard<std::mutex> guard(g_PlaceMutex);
    g_Place = std::move(place);
}

std::wstring AIThreadPlace()
{
    std::lock_guard<std::mutex> guard(g_PlaceMutex);
    return g_Place;
}

bool IsAIThreadRunning()
{
    std::lock_guard<std::mutex> guard(g_AIThreadMutex);
    return g_AIThread.joinable();
}

std::wstring AIThreadFailure()
{
    std::lock_guard<std::mutex> guard(g_FailureMutex);
    return g_Failure;
}

void ResetAIState()
{
    StopAIThread();
    g_Options = sAIThreadOptions{};
    {
        std::lock_guard<std::mutex> guard(g_FailureMutex);
        g_Failure.clear();
    }
    SetAIThreadPlace(L"");
    g_EventCheckRequested = false;
    g_AIPhaseClock.Reset();
}
