#include "shell/dxut.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <memory>
#include <mutex>
#include <vector>

#include "core/settings.h"
#include "gui/resource_manager.h"
#include "platform/clock.h"
#include "platform/sdl_renderer.h"
#include "platform/texture.h"
#include "platform/timer.h"
#include "platform/window.h"
#include "shell/links.h"
#include "shell/startup.h"

namespace {

struct sDxutFields
{
    LPDXUTCALLBACKDEVICECREATED deviceCreated = nullptr;
    LPDXUTCALLBACKDEVICERESET deviceReset = nullptr;
    LPDXUTCALLBACKDEVICELOST deviceLost = nullptr;
    LPDXUTCALLBACKDEVICEDESTROYED deviceDestroyed = nullptr;
    LPDXUTCALLBACKFRAMEMOVE frameMove = nullptr;
    LPDXUTCALLBACKFRAMERENDER frameRender = nullptr;
    LPDXUTCALLBACKKEYBOARD keyboard = nullptr;
    LPDXUTCALLBACKMOUSE mouse = nullptr;
    bool mouseMove = false;
    LPDXUTCALLBACKMSGPROC msgProc = nullptr;
    void (*endOfDispatch)() = nullptr;
    std::function<void()> presentHook;
    std::function<void()> idleHook;
    std::function<void(bool asleep)> waitHook;
    std::function<void(unsigned message, tWParam wParam)> messageObserver;

    bool initCalled = false;
    std::unique_ptr<cWindow> window;
    std::unique_ptr<cSdlRenderer> device;
    bool deviceCreateAttempted = false;
    bool deviceObjectsCreated = false;
    bool deviceObjectsReset = false;
    bool deviceLostFlag = false;
    bool recreateDevice = false;
    bool windowed = true;
    int width = 640;
    int height = 480;
    bool showCursorFullScreen = true;
    bool clipCursorFullScreen = true;

    int pauseTimeCount = 0;
    int pauseRenderingCount = 0;
    bool TimePaused() const { return pauseTimeCount > 0; }
    bool RenderingPaused() const { return pauseRenderingCount > 0; }
    bool active = true;
    bool minimized = false;
    bool quit = false;
    bool shuttingDown = false;
    int exitCode = 0;
    bool exitCodeSet = false;

    cFrameTimer timer;
    double time = 0;
    float elapsed = 0;
    cMessageTranslator translator;

    // The clock second (ClockSeconds) by which the next frame is due; infinity: none is,
    // the loop waits for an event.
    double frameDueAt = 0;
    // The loop waited with nothing due: the time it stood still is no animation's time.
    bool resumedFromWait = false;
    bool drawEveryFrame = false;
};

struct sDxutState : sDxutFields
{
    std::recursive_mutex mutex; // guards the fields for readers on other threads
};

constexpr double kNoFrameDue = std::numeric_limits<double>::infinity();

uint32_t WakeEventType()
{
    static const uint32_t type = SDL_RegisterEvents(1);
    return type;
}

sDxutState& State()
{
    static sDxutState state;
    return state;
}

// One value of the state, read under its lock for callers on any thread.
template <class Fn>
auto Read(Fn fn)
{
    std::lock_guard<std::recursive_mutex> guard(State().mutex);
    return fn(State());
}

tSleepFunction g_Sleep = [](int ms) { SleepMs(ms); };

void SetExitCode(int code)
{
    auto& s = State();
    std::lock_guard<std::recursive_mutex> guard(s.mutex);
    if (!s.exitCodeSet) {
        s.exitCode = code;
        s.exitCodeSet = true;
    }
}

sBackBufferDesc BackBuffer()
{
    auto& s = State();
    return sBackBufferDesc{s.width, s.height};
}

void ApplyCursorSettings()
{
    auto& s = State();
    if (!s.window)
        return;
    if (!s.windowed) {
        ShowMouseCursor(s.showCursorFullScreen);
        s.window->SetMouseGrab(s.clipCursorFullScreen);
    } else {
        s.window->SetMouseGrab(false);
    }
}

// Device lost, then device destroyed, for the program and the dialogs' resources.
void ReleaseDevice()
{
    auto& s = State();
    if (!s.device)
        return;
    if (s.deviceObjectsReset) {
        if (s.deviceLost)
            s.deviceLost();
        DXUTGetGlobalDialogResourceManager()->OnLostDevice();
        s.deviceObjectsReset = false;
    }
    if (s.deviceObjectsCreated) {
        if (s.deviceDestroyed)
            s.deviceDestroyed();
        DXUTGetGlobalDialogResourceManager()->OnDestroyDevice();
        s.deviceObjectsCreated = false;
    }
    std::lock_guard<std::recursive_mutex> guard(s.mutex);
    s.device.reset();
}

tResult ResetDeviceObjects()
{
    auto& s = State();
    sBackBufferDesc desc = BackBuffer();
    DXUTGetGlobalDialogResourceManager()->OnResetDevice();
    if (s.deviceReset && Failed(s.deviceReset(s.device.get(), &desc))) {
        SetExitCode(DXUTERR_RESETTINGDEVICEOBJECTS);
        return E_FAIL;
    }
    s.deviceObjectsReset = true;
    ApplyCursorSettings();
    return S_OK;
}

tResult MakeDevice()
{
    auto& s = State();
    s.deviceCreateAttempted = true;
    s.window->SetMode(s.width, s.height, s.windowed);
    std::unique_ptr<cSdlRenderer> device = cSdlRenderer::Create(s.window->GetSdlWindow(), s.width, s.height);
    if (!device) {
        SetExitCode(DXUTERR_CREATINGDEVICE);
        return E_FAIL;
    }
    // Shown once the renderer is made: making it may make the window anew, in its old place.
    s.window->Show();
    {
        std::lock_guard<std::recursive_mutex> guard(s.mutex);
        s.device = std::move(device);
    }
    sBackBufferDesc desc = BackBuffer();
    DXUTGetGlobalDialogResourceManager()->OnCreateDevice(s.device.get());
    if (s.deviceCreated && Failed(s.deviceCreated(s.device.get(), &desc))) {
        SetExitCode(DXUTERR_CREATINGDEVICEOBJECTS);
        return E_FAIL;
    }
    s.deviceObjectsCreated = true;
    return ResetDeviceObjects();
}

// The window's close: the game goes first, then the device and the window.
void CloseWindow()
{
    auto& s = State();
    DestroyGame();
    ReleaseDevice();
    {
        std::lock_guard<std::recursive_mutex> guard(s.mutex);
        s.window.reset();
    }
    DXUTStaticWndProc(WM_DESTROY, 0, 0);
}

void DispatchMouse(unsigned message, tWParam wParam, tLParam lParam)
{
    auto& s = State();
    if (!s.mouse)
        return;
    if (message == WM_MOUSEMOVE && !s.mouseMove)
        return;
    int wheel = message == WM_MOUSEWHEEL ? WheelDelta(wParam) : 0;
    s.mouse((wParam & MK_LBUTTON) != 0, (wParam & MK_RBUTTON) != 0, (wParam & MK_MBUTTON) != 0,
            (wParam & MK_XBUTTON1) != 0, (wParam & MK_XBUTTON2) != 0, wheel, MessageX(lParam), MessageY(lParam));
}

} // namespace

void DXUTResetState()
{
    auto& s = State();
    if (s.window)
        CloseWindow();
    ReleaseDevice();
    {
        std::lock_guard<std::recursive_mutex> guard(s.mutex);
        static_cast<sDxutFields&>(s) = sDxutFields();
    }
    g_Sleep = [](int ms) { SleepMs(ms); };
}

void DXUTSetCallbackDeviceCreated(LPDXUTCALLBACKDEVICECREATED c) { State().deviceCreated = c; }
void DXUTSetCallbackDeviceReset(LPDXUTCALLBACKDEVICERESET c) { State().deviceReset = c; }
void DXUTSetCallbackDeviceLost(LPDXUTCALLBACKDEVICELOST c) { State().deviceLost = c; }
void DXUTSetCallbackDeviceDestroyed(LPDXUTCALLBACKDEVICEDESTROYED c) { State().deviceDestroyed = c; }
void DXUTSetCallbackFrameMove(LPDXUTCALLBACKFRAMEMOVE c) { State().frameMove = c; }
void DXUTSetCallbackFrameRender(LPDXUTCALLBACKFRAMERENDER c) { State().frameRender = c; }
void DXUTSetCallbackKeyboard(LPDXUTCALLBACKKEYBOARD c) { State().keyboard = c; }
void DXUTSetCallbackMouse(LPDXUTCALLBACKMOUSE c, bool includeMouseMove)
{
    State().mouse = c;
    State().mouseMove = includeMouseMove;
}
void DXUTSetCallbackMsgProc(LPDXUTCALLBACKMSGPROC c) { State().msgProc = c; }
LPDXUTCALLBACKFRAMEMOVE DXUTGetCallbackFrameMove() { return State().frameMove; }
LPDXUTCALLBACKFRAMERENDER DXUTGetCallbackFrameRender() { return State().frameRender; }
LPDXUTCALLBACKKEYBOARD DXUTGetCallbackKeyboard() { return State().keyboard; }
LPDXUTCALLBACKMOUSE DXUTGetCallbackMouse() { return State().mouse; }

void DXUTSetSleepFunction(tSleepFunction sleep) { g_Sleep = sleep ? sleep : [](int ms) { SleepMs(ms); }; }

void DXUTSleep(int milliseconds) { g_Sleep(milliseconds); }

void DXUTSetPresentHook(std::function<void()> hook) { State().presentHook = std::move(hook); }

void DXUTSetIdleHook(std::function<void()> hook) { State().idleHook = std::move(hook); }

void DXUTSetWaitHook(std::function<void(bool asleep)> hook) { State().waitHook = std::move(hook); }

void DXUTWakeUp()
{
    // One wake-up waiting in the queue is enough. The queue itself is asked: the frames of
    // a wait on the main thread take wake-ups out of it too, so a flag of our own could
    // still say one is waiting when none is, and every later wake-up would be lost.
    const uint32_t type = WakeEventType();
    if (SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, type, type) > 0)
        return;
    SDL_Event event{};
    event.type = type;
    SDL_PushEvent(&event);
}

void DXUTWantFrameIn(double seconds)
{
    auto& s = State();
    s.frameDueAt = std::min(s.frameDueAt, ClockSeconds() + std::max(0.0, seconds));
}

void DXUTSetDrawEveryFrame(bool on) { State().drawEveryFrame = on; }

void DXUTRunIdleHook()
{
    // A copy: the hook may replace itself.
    if (std::function<void()> hook = State().idleHook)
        hook();
}

void DXUTSetMessageObserver(std::function<void(unsigned message, tWParam wParam)> observer)
{
    State().messageObserver = std::move(observer);
}

void DXUTSetEndOfDispatchCallback(void (*callback)()) { State().endOfDispatch = callback; }

void DXUTTranslateEvent(const SDL_Event& event, std::vector<sWindowMessage>& out)
{
    if (event.type == SDL_RENDER_TARGETS_RESET)
        DXUTMarkDeviceLost(false);
    else if (event.type == SDL_RENDER_DEVICE_RESET)
        DXUTMarkDeviceLost(true);
    State().translator.Translate(event, out);
}

void DXUTPresentFrame()
{
    auto& s = State();
    if (!s.device)
        return;
    if (std::function<void()> hook = s.presentHook)
        hook();
    if (s.device)
        s.device->Present();
}

tResult DXUTInit(bool, bool, bool)
{
    auto& s = State();
    s.initCalled = true;
    SetRenderThread();
    std::string error;
    if (!InitVideo(&error)) {
        SetExitCode(DXUTERR_NODIRECT3D);
        return E_FAIL;
    }
    s.timer.Reset();
    return S_OK;
}

void DXUTSetCursorSettings(bool showCursorWhenFullScreen, bool clipCursorWhenFullScreen)
{
    auto& s = State();
    s.showCursorFullScreen = showCursorWhenFullScreen;
    s.clipCursorFullScreen = clipCursorWhenFullScreen;
}

tResult DXUTCreateWindow(const std::wstring& title)
{
    auto& s = State();
    if (!s.initCalled && Failed(DXUTInit(false, false, false)))
        return E_FAIL;
    if (!InitVideo())
        return E_FAIL;
    if (s.window) {
        s.window->SetTitle(title);
        return S_OK;
    }
    cWindow* window = cWindow::Create(title);
    if (!window) {
        SetExitCode(DXUTERR_GENERIC);
        return E_FAIL;
    }
    std::lock_guard<std::recursive_mutex> guard(s.mutex);
    s.window.reset(window);
    s.quit = false;
    return S_OK;
}

tResult DXUTCreateDevice(int, bool windowed, int width, int height)
{
    auto& s = State();
    if (!s.window && Failed(DXUTCreateWindow()))
        return E_FAIL;
    ReleaseDevice();
    s.windowed = windowed;
    s.width = width > 0 ? width : 640;
    s.height = height > 0 ? height : 480;
    return MakeDevice();
}

int DXUTMainLoop()
{
    auto& s = State();
    if (!s.device && !s.quit) {
        if (s.deviceCreateAttempted || Failed(DXUTCreateDevice(0, true, 640, 480))) {
            SetExitCode(DXUTERR_GENERIC);
            ReleaseDevice();
            s.window.reset();
            return DXUTGetExitCode();
        }
    }
    std::vector<sWindowMessage> messages;
    s.frameDueAt = 0;
    while (!s.quit) {
        SDL_Event event;
        bool have = SDL_PollEvent(&event) != 0;
        // The project's goal of an idle processor: a frame on every pass keeps a core busy while
        // nothing on the screen moves, so frames come only when one is due.
        if (!have && !s.drawEveryFrame) {
            const double wait = s.frameDueAt - ClockSeconds();
            if (wait > 0) {
                // Nothing on the screen changes before then: sleep until an event comes.
                const bool due = s.frameDueAt != kNoFrameDue;
                if (due && IsVirtualClock()) {
                    // A test's clock moves only when slept on: the wait for the due frame is
                    // such a sleep.
                    g_Sleep(int(std::ceil(wait * 1000.0)));
                    have = SDL_PollEvent(&event) != 0;
                } else if (due) {
                    have = SDL_WaitEventTimeout(&event, int(std::ceil(wait * 1000.0))) != 0;
                }
                // A test's sleep that leaves the clock short of the frame brings it no nearer:
                // then, as with no frame due, only an event can.
                if (!have && (!due || (IsVirtualClock() && s.frameDueAt - ClockSeconds() >= 0.001))) {
                    s.resumedFromWait = true;
                    if (std::function<void(bool)> hook = s.waitHook)
                        hook(true);
                    have = SDL_WaitEvent(&event) != 0;
                    if (std::function<void(bool)> hook = s.waitHook)
                        hook(false);
                }
                if (!have && s.frameDueAt - ClockSeconds() > 0 && s.frameDueAt != kNoFrameDue)
                    continue; // woken early by the system
            }
        }
        if (have) {
            // Whatever comes may change the screen.
            s.frameDueAt = 0;
            if (event.type == WakeEventType())
                continue;
            messages.clear();
            DXUTTranslateEvent(event, messages);
            for (const auto& m : messages) {
                DXUTStaticWndProc(m.message, m.wParam, m.lParam);
                if (s.endOfDispatch)
                    s.endOfDispatch();
                if (s.quit)
                    break;
            }
        } else {
            // The frame's animations ask again for the frames they want.
            s.frameDueAt = kNoFrameDue;
            DXUTRender3DEnvironment();
            if (s.endOfDispatch)
                s.endOfDispatch();
            if (!s.quit)
                DXUTRunIdleHook();
        }
    }
    if (std::function<void(bool)> hook = s.waitHook)
        hook(true);
    if (s.window)
        CloseWindow();
    ReleaseDevice();
    return DXUTGetExitCode();
}

void DXUTShutdown(int exitCode)
{
    auto& s = State();
    if (exitCode != 0)
        SetExitCode(exitCode);
    if (s.shuttingDown)
        return;
    s.shuttingDown = true;
    if (s.window)
        DXUTStaticWndProc(WM_CLOSE, 0, 0);
    ReleaseDevice();
    s.quit = true;
    s.shuttingDown = false;
}

void DXUTPause(bool pauseTime, bool pauseRendering)
{
    auto& s = State();
    std::unique_lock<std::recursive_mutex> guard(s.mutex);
    s.pauseTimeCount = std::max(0, s.pauseTimeCount + (pauseTime ? 1 : -1));
    s.pauseRenderingCount = std::max(0, s.pauseRenderingCount + (pauseRendering ? 1 : -1));
    if (s.TimePaused())
        s.timer.Stop();
    else
        s.timer.Start();
    bool muted = s.TimePaused();
    guard.unlock();
    SetMusicMuted(muted);
}

void SetMusicMuted(bool muted)
{
    if (GameExists() && g_GameLink.setMusicVolume)
        g_GameLink.setMusicVolume(muted ? 0.0f : g_UserSettings.musicVolume);
}

cRenderer* DXUTGetD3DDevice() { return Read([](const sDxutState& s) { return s.device.get(); }); }

cWindow* DXUTGetHWND() { return Read([](const sDxutState& s) { return s.window.get(); }); }

double DXUTGetTime() { return Read([](const sDxutState& s) { return s.time; }); }

float DXUTGetElapsedTime() { return Read([](const sDxutState& s) { return s.elapsed; }); }

bool DXUTIsRenderingPaused() { return Read([](const sDxutState& s) { return s.RenderingPaused(); }); }

bool DXUTIsTimePaused() { return Read([](const sDxutState& s) { return s.TimePaused(); }); }

bool DXUTIsActive() { return Read([](const sDxutState& s) { return s.active; }); }

bool DXUTIsWindowed() { return Read([](const sDxutState& s) { return s.windowed; }); }

int DXUTGetExitCode() { return Read([](const sDxutState& s) { return s.exitCode; }); }

void DXUTMarkDeviceLost(bool recreate)
{
    auto& s = State();
    s.deviceLostFlag = true;
    s.recreateDevice = s.recreateDevice || recreate;
}

tLParam DXUTStaticWndProc(unsigned message, tWParam wParam, tLParam lParam)
{
    auto& s = State();
    if (s.messageObserver)
        s.messageObserver(message, wParam);
    // The Windows keys do nothing while the game runs on the whole screen.
    bool isKey = message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
    if (isKey && !s.windowed && (wParam == VK_LWIN || wParam == VK_RWIN))
        return 0;
    if (isKey && s.keyboard) {
        bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
        bool alt = (uintptr_t(lParam) & (uintptr_t(1) << 29)) != 0;
        s.keyboard(unsigned(wParam), down, alt);
    }
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST)
        DispatchMouse(message, wParam, lParam);
    if (s.msgProc) {
        bool noFurther = false;
        tLParam result = s.msgProc(s.window.get(), message, wParam, lParam, &noFurther);
        if (noFurther)
            return result;
    }
    switch (message) {
    case WM_SIZE:
        if (wParam == SIZE_MINIMIZED) {
            if (!s.minimized) {
                s.minimized = true;
                DXUTPause(true, true);
            }
        } else if (s.minimized) {
            s.minimized = false;
            DXUTPause(false, false);
        }
        break;
    case WM_ENTERSIZEMOVE:
        DXUTPause(true, true);
        break;
    case WM_EXITSIZEMOVE:
        DXUTPause(false, false);
        break;
    case WM_ACTIVATEAPP: {
        std::lock_guard<std::recursive_mutex> guard(s.mutex);
        s.active = wParam != 0;
        if (s.active)
            ApplyCursorSettings();
        break;
    }
    case WM_CLOSE:
        if (s.window)
            CloseWindow();
        return 0;
    case WM_DESTROY:
        s.quit = true;
        break;
    default:
        break;
    }
    return 0;
}

void DXUTRender3DEnvironment()
{
    auto& s = State();
    if (!s.device)
        return;
    if (s.deviceLostFlag || s.RenderingPaused())
        g_Sleep(200);
    if (!s.active)
        g_Sleep(50);
    g_Sleep(g_UserSettings.FrameSleepMs());

    if (s.deviceLostFlag && !s.RenderingPaused()) {
        bool recreate = s.recreateDevice;
        s.deviceLostFlag = false;
        s.recreateDevice = false;
        if (recreate) {
            ReleaseDevice();
            if (Failed(MakeDevice())) {
                DXUTShutdown(DXUTERR_CREATINGDEVICE);
                return;
            }
        } else {
            if (s.deviceObjectsReset) {
                if (s.deviceLost)
                    s.deviceLost();
                DXUTGetGlobalDialogResourceManager()->OnLostDevice();
                s.deviceObjectsReset = false;
            }
            if (Failed(ResetDeviceObjects())) {
                DXUTShutdown(DXUTERR_RESETTINGDEVICEOBJECTS);
                return;
            }
        }
    }

    {
        std::lock_guard<std::recursive_mutex> guard(s.mutex);
        s.time = s.timer.GetTime();
        s.elapsed = s.timer.GetElapsedTime();
        // After a wait for input, the first frame moves things by one frame's time, not by
        // the time nobody looked: a countdown opened by the click runs in full.
        if (s.resumedFromWait)
            s.elapsed = std::min(s.elapsed, 1.0f / 60.0f);
        s.resumedFromWait = false;
    }
    if (s.frameMove) {
        s.frameMove(s.device.get(), s.time, s.elapsed);
        if (!s.device || s.quit)
            return;
    }
    if (!s.RenderingPaused()) {
        if (s.frameRender) {
            s.frameRender(s.device.get(), s.time, s.elapsed);
            if (!s.device || s.quit)
                return;
        } else {
            s.device->Clear(0xFF000000);
        }
        DXUTPresentFrame();
    }
}
