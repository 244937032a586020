#include "core/lock.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "core/console_log.h"
#include "core/log.h"
#include "core/text.h"
#include "platform/clock.h"

std::recursive_mutex g_GlobalLock;
std::atomic<bool> g_AppRunning{false};
std::atomic<int> g_LockCount{0};
// Off unless asked: two lines for every hold (a fifth more lines in a computer's impulse, two
// more for every frame drawn), the release's written with the lock still held: each a further
// chance to sleep 25 ms on the log's busy flag while the other thread waits for the lock.
std::atomic<bool> g_TraceGlobalLock{false};

namespace {
thread_local int t_LockDepth = 0;
thread_local const std::atomic<bool>* t_RunFlag = nullptr;
std::atomic<void (*)()> g_LetGoHook{nullptr};
std::mutex g_DialogQueryMutex;
DialogOpenQuery g_DialogOpenQuery;

// The sleep's line keeps 256 characters of the file name, the others all of it.
std::wstring FileText(const char* file, size_t limit = std::string::npos)
{
    std::string f(file);
    if (f.size() > limit)
        f.resize(limit);
    return Utf8ToWide(f);
}
} // namespace

void StartGlobalLock()
{
    g_LockCount = 0;
    g_AppRunning = true;
}

void StopGlobalLock()
{
    g_AppRunning = false;
}

void AcquireGlobalLock(const char* file, int line)
{
    if (!g_AppRunning)
        return;
    if (file && g_TraceGlobalLock)
        LogLine(L"AC:%s:%d", FileText(file), line);
    g_GlobalLock.lock();
    ++t_LockDepth;
    ++g_LockCount;
}

void ReleaseGlobalLock(const char* file, int line)
{
    if (!g_AppRunning)
        return;
    if (file && g_TraceGlobalLock)
        LogLine(L"RC:%s:%d", FileText(file), line);
    // Only a thread that holds the lock may release it; anything else is a caller's
    // mistake that must not unlock the other thread's hold.
    if (t_LockDepth <= 0 || g_LockCount <= 0) {
        LogLine(L"LCS przy C<=0");
        return;
    }
    if (t_LockDepth == 1)
        if (void (*hook)() = g_LetGoHook.load())
            hook();
    --t_LockDepth;
    --g_LockCount;
    g_GlobalLock.unlock();
}

void SetGlobalLockLetGoHook(void (*hook)())
{
    g_LetGoHook.store(hook);
}

int GlobalLockDepthOfThisThread()
{
    return t_LockDepth;
}

cGlobalLockYield::cGlobalLockYield() : m_Depth(t_LockDepth)
{
    for (int i = 0; i < m_Depth; ++i)
        RELEASE_GLOBAL_LOCK();
}

cGlobalLockYield::~cGlobalLockYield()
{
    for (int i = 0; i < m_Depth; ++i)
        ACQUIRE_GLOBAL_LOCK();
}

void SetThreadRunFlag(const std::atomic<bool>* runFlag)
{
    t_RunFlag = runFlag;
}

bool ThreadMayRun()
{
    return t_RunFlag == nullptr || t_RunFlag->load();
}

namespace {
// The waits of threads that can be stopped sleep on one condition; a wake-up counts up, so
// that one that comes between a look at the condition and the sleep is not lost.
std::mutex g_WakeMutex;
std::condition_variable g_WakeCv;
uint64_t g_Wakes = 0;
} // namespace

void WakeWaitingThreads()
{
    {
        std::lock_guard<std::mutex> guard(g_WakeMutex);
        ++g_Wakes;
    }
    g_WakeCv.notify_all();
}

void ClearRunFlag(std::atomic<bool>& runFlag)
{
    runFlag.store(false);
    WakeWaitingThreads();
}

bool WaitUntilWoken(const std::function<bool()>& ready)
{
    // A waiting thread leaves no line unwritten, and never the lock held.
    g_Console.Flush();
    cGlobalLockYield yield;
    std::unique_lock<std::mutex> lock(g_WakeMutex);
    for (;;) {
        const uint64_t seen = g_Wakes;
        // The condition is read without the wake mutex: it may take locks of its own.
        lock.unlock();
        if (ready())
            return true;
        if (!ThreadMayRun())
            return false;
        lock.lock();
        g_WakeCv.wait(lock, [seen] { return g_Wakes != seen; });
    }
}

bool InterruptibleSleep(int ms)
{
    // A sleeping thread leaves no line unwritten.
    g_Console.Flush();
    if (!IsVirtualClock()) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max(0, ms));
        std::unique_lock<std::mutex> lock(g_WakeMutex);
        g_WakeCv.wait_until(lock, until, [] { return !ThreadMayRun(); });
        return ThreadMayRun();
    }
    // The test's clock: short steps, so that a thread asked to stop is never held up.
    constexpr int kStep = 10;
    uint32_t start = GetTickMs();
    while (ThreadMayRun()) {
        int elapsed = int(GetTickMs() - start);
        if (elapsed >= ms)
            return true;
        SleepMs(std::min(kStep, ms - elapsed));
    }
    return false;
}

namespace {
std::atomic<bool> g_PlayPaused{false};
} // namespace

void SetPlayPaused(bool paused)
{
    g_PlayPaused.store(paused);
    WakeWaitingThreads();
}

bool IsPlayPaused()
{
    return g_PlayPaused.load();
}

void WaitWhilePlayPaused()
{
    if (t_RunFlag == nullptr || !g_PlayPaused.load())
        return;
    LogLine(L"The computer's play waits while the game is paused");
    WaitUntilWoken([] { return !g_PlayPaused.load(); });
    LogLine(L"The computer's play goes on");
}

void SetDialogOpenQuery(DialogOpenQuery query)
{
    std::lock_guard<std::mutex> guard(g_DialogQueryMutex);
    g_DialogOpenQuery = std::move(query);
}

void WaitUntilDialogClosed(uint64_t dialogSerial, const char* className, const char* file, int line)
{
    const std::wstring text =
        FormatText(L"WBC:%s:%s:%d", Utf8ToWide(className ? className : "?"), FileText(file ? file : "?"), line);
    for (;;) {
        bool open = false;
        // The hold is the wait's own: the caller's place is in the "WBC" line.
        AcquireGlobalLock(__FILE__, __LINE__);
        {
            std::lock_guard<std::mutex> guard(g_DialogQueryMutex);
            open = g_DialogOpenQuery && g_DialogOpenQuery(dialogSerial);
        }
        ReleaseGlobalLock(__FILE__, __LINE__);
        LogLine(text);
        if (!InterruptibleSleep(100))
            return;
        if (!open)
            return;
    }
}

void LoggedSleep(int ms, const char* file, int line)
{
    // The warning's "\u0119" is the letter itself, not its two UTF-8 bytes read in another code page.
    if (ms > 11000)
        LogLine(L"Oj chyba b\u0119dzie zwis");
    LogLine(L"S: %s : %d : %d ms", FileText(file ? file : "?", 256), line, ms);
    // A negative time would be nearly fifty days to the system's sleep.
    if (ms > 0) {
        // A pause shown to a person must leave the main thread free to draw it.
        cGlobalLockYield yield;
        InterruptibleSleep(ms);
    }
}
