#pragma once
// The window and device framework: one window with its renderer (the device), the
// callbacks that the program installs, the message loop with its paced idle frames,
// pausing and the exit code.
#include <functional>
#include <string>
#include <vector>

#include "platform/messages.h"
#include "platform/renderer.h"

class cWindow;

struct sBackBufferDesc
{
    int Width = 0;
    int Height = 0;
};

using LPDXUTCALLBACKDEVICECREATED = tResult (*)(cRenderer* device, const sBackBufferDesc* backBuffer);
using LPDXUTCALLBACKDEVICERESET = tResult (*)(cRenderer* device, const sBackBufferDesc* backBuffer);
using LPDXUTCALLBACKDEVICELOST = void (*)();
using LPDXUTCALLBACKDEVICEDESTROYED = void (*)();
using LPDXUTCALLBACKFRAMEMOVE = void (*)(cRenderer* device, double time, float elapsed);
using LPDXUTCALLBACKFRAMERENDER = void (*)(cRenderer* device, double time, float elapsed);
using LPDXUTCALLBACKKEYBOARD = void (*)(unsigned key, bool keyDown, bool altDown);
using LPDXUTCALLBACKMOUSE = void (*)(bool left, bool right, bool middle, bool side1, bool side2, int wheelDelta, int x,
                                     int y);
using LPDXUTCALLBACKMSGPROC = tLParam (*)(cWindow* window, unsigned message, tWParam wParam, tLParam lParam,
                                          bool* noFurtherProcessing);

// Exit codes of framework failures.
enum eDxutError
{
    DXUTERR_GENERIC = 1,
    DXUTERR_NODIRECT3D = 2,
    DXUTERR_NOCOMPATIBLEDEVICES = 3,
    DXUTERR_MEDIANOTFOUND = 4,
    DXUTERR_NONZEROREFCOUNT = 5,
    DXUTERR_CREATINGDEVICE = 6,
    DXUTERR_RESETTINGDEVICE = 7,
    DXUTERR_CREATINGDEVICEOBJECTS = 8,
    DXUTERR_RESETTINGDEVICEOBJECTS = 9,
    DXUTERR_INCORRECTVERSION = 10,
};

// Callback setters; null removes a callback.
void DXUTSetCallbackDeviceCreated(LPDXUTCALLBACKDEVICECREATED callback);
void DXUTSetCallbackDeviceReset(LPDXUTCALLBACKDEVICERESET callback);
void DXUTSetCallbackDeviceLost(LPDXUTCALLBACKDEVICELOST callback);
void DXUTSetCallbackDeviceDestroyed(LPDXUTCALLBACKDEVICEDESTROYED callback);
void DXUTSetCallbackFrameMove(LPDXUTCALLBACKFRAMEMOVE callback);
void DXUTSetCallbackFrameRender(LPDXUTCALLBACKFRAMERENDER callback);
void DXUTSetCallbackKeyboard(LPDXUTCALLBACKKEYBOARD callback);
void DXUTSetCallbackMouse(LPDXUTCALLBACKMOUSE callback, bool includeMouseMove = false);
void DXUTSetCallbackMsgProc(LPDXUTCALLBACKMSGPROC callback);
LPDXUTCALLBACKFRAMEMOVE DXUTGetCallbackFrameMove();
LPDXUTCALLBACKFRAMERENDER DXUTGetCallbackFrameRender();
LPDXUTCALLBACKKEYBOARD DXUTGetCallbackKeyboard();
LPDXUTCALLBACKMOUSE DXUTGetCallbackMouse();

// Starts the video system and the timer. The command-line, hotkey and message-box
// switches are kept for their meaning: this framework reads no options, handles no
// hotkeys of its own and shows no message boxes.
tResult DXUTInit(bool parseCommandLine = true, bool handleDefaultHotkeys = true, bool showMsgBoxOnError = true);
// Stored, and applied in full screen when the device is next made or reset.
void DXUTSetCursorSettings(bool showCursorWhenFullScreen, bool clipCursorWhenFullScreen);
tResult DXUTCreateWindow(const std::wstring& title = L"Direct3D Window");
// Makes the renderer for a back buffer of that size, in a window or on the whole screen;
// the device-created and device-reset callbacks run inside.
tResult DXUTCreateDevice(int adapter = 0, bool windowed = true, int width = 640, int height = 480);
// Back to the state of a program that has just started: no window, device, callbacks,
// hooks or pauses (a game left running is destroyed with the window).
void DXUTResetState();
// Runs until the window is closed; returns the exit code.
int DXUTMainLoop();
// Closes the window (which destroys a running game first) and releases the device.
void DXUTShutdown(int exitCode = 0);
void DXUTPause(bool pauseTime, bool pauseRendering);

cRenderer* DXUTGetD3DDevice();
cWindow* DXUTGetHWND();
double DXUTGetTime();
float DXUTGetElapsedTime();
bool DXUTIsRenderingPaused();
bool DXUTIsTimePaused();
bool DXUTIsActive();
bool DXUTIsWindowed();
int DXUTGetExitCode();

// The window procedure: what happens to one message. The loop calls it; tests too.
tLParam DXUTStaticWndProc(unsigned message, tWParam wParam, tLParam lParam);
// The loop draws a frame only when the screen may have changed: a window message, a
// wake-up, or an animation that asked for its next frame while the last one was made.
// Otherwise it waits for the next event without using the processor.
// Any thread: something the screen shows changed (a posted request, the computer's move).
void DXUTWakeUp();
// Main thread, while a frame is made: an animation's next frame is due within this many
// seconds (0: the next frame, at the pace of the frame limit).
void DXUTWantFrameIn(double seconds);
// Every turn of the loop draws a frame: for tests whose clock moves only with the frames.
void DXUTSetDrawEveryFrame(bool on);
// One idle frame with its pacing sleeps.
void DXUTRender3DEnvironment();
// Marks the device lost (as a failed present would); the next idle frame resets it.
void DXUTMarkDeviceLost(bool recreate);
// The sleep of the pacing; tests replace it to see the sleeps.
using tSleepFunction = void (*)(int milliseconds);
void DXUTSetSleepFunction(tSleepFunction sleep);
// The pacing's sleep, for the waiting loops of the program (movies, loading).
void DXUTSleep(int milliseconds);
// Presents the frame drawn on the device; the present hook sees it first.
void DXUTPresentFrame();
// Sees every frame just before it is shown, also those drawn while loading (tests take
// their screenshots there).
void DXUTSetPresentHook(std::function<void()> hook);
// Runs where the program waits for the player with no handler of its own on the stack:
// after each frame of the main loop and of a movie. Tests of the whole program act there.
void DXUTSetIdleHook(std::function<void()> hook);
void DXUTRunIdleHook();
// Told on the main thread when the main loop goes to sleep until an event comes (true),
// when an event ends that sleep (false), and when the loop ends (true). Null removes it.
void DXUTSetWaitHook(std::function<void(bool asleep)> hook);
// Sees every window message the framework handles, before it is handled (a movie watches
// for the presses that skip it). Null removes it.
void DXUTSetMessageObserver(std::function<void(unsigned message, tWParam wParam)> observer);
// Runs between two messages or frames of the main loop, when no handler is on the stack:
// what a handler asked to end (a menu) ends there.
void DXUTSetEndOfDispatchCallback(void (*callback)());
// The window's messages for an SDL event, as the main loop makes them.
void DXUTTranslateEvent(const union SDL_Event& event, std::vector<sWindowMessage>& out);
// Mutes or restores the music of a running game.
void SetMusicMuted(bool muted);
