#include "core/fatal.h"

#include <cstdlib>
#include <mutex>

#include "core/console_log.h"
#include "core/log.h"
#include "core/text.h"

namespace {
std::mutex g_FatalMutex;
FatalHandler g_Handler;
std::function<void()> g_Cleanup;
} // namespace

sFatalExit::sFatalExit(int c, std::wstring r)
    : std::runtime_error(WideToUtf8(r)), code(c), reason(std::move(r))
{
}

void FatalExit(int code, const std::wstring& reason)
{
    if (code == 0)
        code = 1;
    FatalHandler handler;
    {
        std::lock_guard<std::mutex> guard(g_FatalMutex);
        handler = g_Handler;
    }
    if (handler)
        handler(code, reason); // the test handler throws from here
    if (!reason.empty())
        g_Console.WriteLine(reason);
    std::function<void()> cleanup;
    {
        std::lock_guard<std::mutex> guard(g_FatalMutex);
        cleanup.swap(g_Cleanup);
    }
    if (cleanup)
        cleanup();
    g_Console.Flush();
    // No static destructors: the other thread may still be using the globals.
    std::_Exit(code);
}

FatalHandler SetFatalHandler(FatalHandler handler)
{
    std::lock_guard<std::mutex> guard(g_FatalMutex);
    FatalHandler previous = std::move(g_Handler);
    g_Handler = std::move(handler);
    return previous;
}

void UseThrowingFatalHandler()
{
    SetFatalHandler([](int code, const std::wstring& reason) {
        if (!reason.empty())
            g_Console.WriteLine(reason);
        throw sFatalExit(code, reason);
    });
}

void SetFatalCleanup(std::function<void()> cleanup)
{
    std::lock_guard<std::mutex> guard(g_FatalMutex);
    g_Cleanup = std::move(cleanup);
}

std::optional<std::wstring> RunCatchingFatal(const std::function<void()>& work)
{
    FatalHandler previous = SetFatalHandler([](int code, const std::wstring& reason) {
        if (!reason.empty())
            g_Console.WriteLine(reason);
        throw sFatalExit(code, reason);
    });
    std::optional<std::wstring> failure;
    try {
        work();
    } catch (const sFatalExit& e) {
        failure = e.reason;
    } catch (const std::exception& e) {
        failure = Utf8ToWide(e.what());
    }
    SetFatalHandler(std::move(previous));
    return failure;
}
