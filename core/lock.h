#pragma once
// The one global lock shared by the main thread and the computer opponent's thread,
// taken only through wrappers that log the caller's place, and the logged waits.
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>

extern std::recursive_mutex g_GlobalLock;
// Set by start-up once the lock may be used, cleared at shutdown; the wrappers do
// nothing while it is false.
extern std::atomic<bool> g_AppRunning;
// Holds of the lock by all threads, for the log.
extern std::atomic<int> g_LockCount;
// Whether every hold and release writes its place to the log. Settings.ini's Debug/TraceLock
// sets it: the project's choice, as a line for each of the thousands of holds a turn would
// bury the game's own lines and slow every hold.
extern std::atomic<bool> g_TraceGlobalLock;

void StartGlobalLock();
void StopGlobalLock();

void AcquireGlobalLock(const char* file, int line);
void ReleaseGlobalLock(const char* file, int line);
// Holds of the lock by the calling thread.
int GlobalLockDepthOfThisThread();
// Called by a thread as it is about to let go of its last hold of the lock, still holding
// it: a test looks there at what the other thread may draw next. Null for none.
void SetGlobalLockLetGoHook(void (*hook)());

#define ACQUIRE_GLOBAL_LOCK() AcquireGlobalLock(__FILE__, __LINE__)
#define RELEASE_GLOBAL_LOCK() ReleaseGlobalLock(__FILE__, __LINE__)

// Holds the global lock for a scope.
class cGlobalLockScope
{
public:
    cGlobalLockScope(const char* file, int line) : m_File(file), m_Line(line) { AcquireGlobalLock(file, line); }
    ~cGlobalLockScope() { ReleaseGlobalLock(m_File, m_Line); }
    cGlobalLockScope(const cGlobalLockScope&) = delete;
    cGlobalLockScope& operator=(const cGlobalLockScope&) = delete;

private:
    const char* m_File;
    int m_Line;
};
#define GLOBAL_LOCK_SCOPE() cGlobalLockScope globalLockScope_(__FILE__, __LINE__)

// Gives up every hold this thread has of the global lock for a scope and takes them all
// again at its end, so that a thread that waits or pauses never stops the other one.
class cGlobalLockYield
{
public:
    cGlobalLockYield();
    ~cGlobalLockYield();
    cGlobalLockYield(const cGlobalLockYield&) = delete;
    cGlobalLockYield& operator=(const cGlobalLockYield&) = delete;

private:
    int m_Depth;
};

// A thread that can be asked to stop (the computer opponent's) registers its run flag;
// every wait and sleep of that thread returns early once the flag is cleared, which is why
// the flag is cleared through ClearRunFlag.
void SetThreadRunFlag(const std::atomic<bool>* runFlag);
// True unless this thread has a run flag that has been cleared.
bool ThreadMayRun();
// Clears a run flag and wakes the waits below, so that its thread stops at once.
void ClearRunFlag(std::atomic<bool>& runFlag);
// Sleeps while the thread may run; false when it was asked to stop. Under a test's virtual
// clock, which moves without waking anyone, it looks at the clock in short steps.
bool InterruptibleSleep(int ms);
// Sleeps, without the global lock, until ready() or until the thread is asked to stop; true
// when ready. Nothing polls: whoever changes what ready() reads calls WakeWaitingThreads.
bool WaitUntilWoken(const std::function<bool()>& ready);
// Makes every WaitUntilWoken look at its condition again; any thread, any time.
void WakeWaitingThreads();

// The pause menu over the computer's play holds the computer opponent's thread: set and
// cleared by the main thread.
void SetPlayPaused(bool paused);
bool IsPlayPaused();
// A safe point of a thread that can be stopped: while play is paused it waits here, without
// the global lock, until play goes on or the thread is asked to stop. A thread without a
// run flag (the main thread, which pauses) passes at once.
void WaitWhilePlayPaused();

// How the waits see the open dialogs: set by the dialog stack; null means none is open.
// Dialogs are matched by serial number, never by address: a closed dialog's address may
// be taken by the next one.
using DialogOpenQuery = std::function<bool(uint64_t dialogSerial)>;
void SetDialogOpenQuery(DialogOpenQuery query);

// Waits until the player has closed a dialog that this thread pushed onto the dialog
// stack, testing every 100 ms under the lock and logging "WBC:%s:%s:%d" each pass.
// className names the dialog's class for the log. The game's own waits for a person are on
// presentation requests instead; game/presentation_requests.cpp says why.
void WaitUntilDialogClosed(uint64_t dialogSerial, const char* className, const char* file, int line);

// Logs "S: %s : %d : %d ms" and sleeps without holding the global lock; a negative time
// does not sleep.
void LoggedSleep(int ms, const char* file, int line);
#define LOGGED_SLEEP(ms) LoggedSleep((ms), __FILE__, __LINE__)
