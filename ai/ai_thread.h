#pragma once
// The computer opponent's thread. It exists from the end of loading until the teardown:
// started once per game, stopped by clearing its run flag and joined, never killed. It
// sleeps until it is woken, then reads the game state: in the computer phase (state 9) it
// plays the computer countries in turn order, ends the impulses and hands the turn to a
// person; in any other state it serves the main thread's request to check the scripted
// events.
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class cPanstwo;

// The thread may run; cleared by StopAIThread.
extern std::atomic<bool> g_AIThreadRun;
// The main thread asks the opponent's thread to check the scripted events.
extern std::atomic<bool> g_EventCheckRequested;
// Asks for that check and wakes the thread for it.
void RequestEventCheck();

// How the thread plays; set before it starts.
struct sAIThreadOptions
{
    // The seed of the thread's random numbers; the clock when not given.
    std::optional<uint32_t> seed;
    // Headless play: the opponent plays the human countries' turns too, after handing
    // each over as it would to a person.
    bool humanStandIn = false;
    // Called on the thread after each country's turn and after each end of impulse;
    // returning false stops play (the thread then ends).
    std::function<bool(const cPanstwo& country)> afterCountryTurn;
    std::function<bool()> afterImpulse;
};
void SetAIThreadOptions(sAIThreadOptions options);

// Starts the thread; 0. A thread still running is stopped first.
int StartAIThread();
// Clears the run flag and joins the thread: 0 when it ended within 5 s (also when none
// was running), else 1, after logging where it was. Every wait and loop of the thread
// heeds the flag, so the join itself never waits for good.
int StopAIThread();
// Where the thread is (the country and step it plays), for the log of a slow stop.
void SetAIThreadPlace(std::wstring place);
std::wstring AIThreadPlace();
// True while a thread started by StartAIThread has not been joined.
bool IsAIThreadRunning();
// Why the thread ended on a failure (an exception or a fatal exit under a throwing
// handler); empty when it did not.
std::wstring AIThreadFailure();

// One computer country's turn on the calling thread: the opponent's phases for an active
// country that takes part, the dummy country's line for any other.
void PlayComputerTurn(cPanstwo& country);

// The opponent as at start-up: no thread, the default options, no failure, nothing timed.
void ResetAIState();
