#pragma once
// The one way the program ends on a failure: the reason is logged, the log flushed,
// registered clean-ups run (the window framework shuts down), and the process ends
// with a non-zero code without running static destructors. Tests install a handler
// that throws instead.
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

// Thrown by the test handler; carries the exit code and the reason.
struct sFatalExit : std::runtime_error
{
    int code;
    std::wstring reason;
    sFatalExit(int c, std::wstring r);
};

using FatalHandler = std::function<void(int code, const std::wstring& reason)>;

// Never returns. A code of 0 is raised to 1: a failure never reports success.
[[noreturn]] void FatalExit(int code, const std::wstring& reason);

// Replaces the handler; returns the previous one. The handler must not return
// (it throws or exits); if it does return, the process exits anyway.
FatalHandler SetFatalHandler(FatalHandler handler);
// A handler that throws sFatalExit, for tests and tools.
void UseThrowingFatalHandler();
// Runs the work with a handler that throws in place of ending the program, for work whose
// failure the program survives (a save, a game the player picked): the logged reason of
// the failure it met (empty when it gave none), or nothing. The previous handler is back afterwards.
std::optional<std::wstring> RunCatchingFatal(const std::function<void()>& work);
// Clean-up run once before the process ends through FatalExit (not in the throwing mode).
void SetFatalCleanup(std::function<void()> cleanup);
