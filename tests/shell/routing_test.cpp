// Input routing, the frame render and the framework's pacing, pausing and closing.
#include <gtest/gtest.h>

#include <SDL.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "core/settings.h"
#include "game/game.h"
#include "gui/layout.h"
#include "platform/recording_renderer.h"
#include "shell/dxut.h"
#include "shell/frame_callbacks.h"
#include "shell/links.h"
#include "shell/shell_presentation.h"
#include "tests/test_support.h"

namespace {

std::vector<std::string> g_Calls;

class cFakeMenu : public iMenuScreen
{
public:
    bool handles = false;
    bool MsgProc(unsigned, uintptr_t, intptr_t) override
    {
        g_Calls.push_back("menu msg");
        return handles;
    }
    void OnGUIEvent(unsigned, int id, CDXUTControl*) override { g_Calls.push_back("menu gui " + std::to_string(id)); }
    void OnKeyboard(unsigned key, bool, bool) override { g_Calls.push_back("menu key " + std::to_string(key)); }
    void OnMouse(bool, bool, bool, bool, bool, int, int x, int) override
    {
        g_Calls.push_back("menu mouse " + std::to_string(x));
    }
    void OnFrameMove(double, float) override { g_Calls.push_back("menu move"); }
    void OnRender(float) override { g_Calls.push_back("menu render"); }
};

class cFakeDialog : public iStackDialog
{
public:
    cFakeDialog(std::string n, int kind, bool visible) : name(std::move(n)), kind(kind), visible(visible) {}
    std::string name;
    int kind;
    bool visible;
    bool handles = false;
    int KindId() const override { return kind; }
    bool IsVisible() const override { return visible; }
    bool MsgProc(unsigned, uintptr_t, intptr_t) override
    {
        g_Calls.push_back(name + " msg");
        return handles;
    }
    void OnGUIEvent(unsigned, int id, CDXUTControl*) override { g_Calls.push_back(name + " gui " + std::to_string(id)); }
    void OnKeyboard(unsigned key, bool, bool) override { g_Calls.push_back(name + " key " + std::to_string(key)); }
    void OnMouse(bool, bool, bool, bool, bool, int, int, int) override { g_Calls.push_back(name + " mouse"); }
    void OnRender(float) override { g_Calls.push_back(name + " render"); }
};

class cFakePanel : public iPanelScreen
{
public:
    explicit cFakePanel(std::string n) : name(std::move(n)) {}
    std::string name;
    bool handles = false;
    bool MsgProc(unsigned, uintptr_t, intptr_t) override
    {
        g_Calls.push_back(name + " msg");
        return handles;
    }
    void OnGUIEvent(unsigned, int id, CDXUTControl*) override { g_Calls.push_back(name + " gui " + std::to_string(id)); }
    void OnRender(float) override { g_Calls.push_back(name + " render"); }
};

// A game that records what reaches it.
int g_State = 7;
void InstallFakeGame()
{
    g_GameLink.exists = [] { return true; };
    g_GameLink.state = [] { return g_State; };
    g_GameLink.render = [](cRenderer*, float) { g_Calls.push_back("game render"); };
    g_GameLink.onKeyboard = [](unsigned key, bool, bool) { g_Calls.push_back("game key " + std::to_string(key)); };
    g_GameLink.onPlayerAction = [](bool, bool, bool, bool, bool, int, int, int) { g_Calls.push_back("game mouse"); };
    g_GameLink.onGuiEvent = [](unsigned, int id, CDXUTControl*) { g_Calls.push_back("game gui " + std::to_string(id)); };
}

struct sPanels
{
    cFakePanel diplomacy{"diplomacy"}, hex{"hex"}, unit{"unit"}, attack{"attack"}, minimap{"minimap"}, info{"info"};
    sPanels()
    {
        g_DiplomacyPanel = &diplomacy;
        g_HexPanel = &hex;
        g_UnitPanel = &unit;
        g_AttackPanel = &attack;
        g_MinimapPanel = &minimap;
        g_InfoPanel = &info;
    }
    ~sPanels()
    {
        g_DiplomacyPanel = g_HexPanel = g_UnitPanel = g_AttackPanel = g_MinimapPanel = g_InfoPanel = nullptr;
    }
};

using tCalls = std::vector<std::string>;

TEST(InputRouting, WindowMessagesGoToDialogThenMenuThenThePanelsInOrder)
{
    InstallFakeGame();
    sPanels panels;
    bool noFurther = false;

    // No menu, no dialog: the panels from the top one down until one takes it.
    g_Calls.clear();
    panels.unit.handles = true;
    OnMsgProc(nullptr, 0x0201, 0, 0, &noFurther);
    EXPECT_EQ(g_Calls, (tCalls{"diplomacy msg", "attack msg", "unit msg"}));
    EXPECT_TRUE(noFurther);
    // A panel unfolded last lies on top: drawn last of the four, offered the click first.
    BringPanelToFront(&panels.hex);
    BringPanelToFront(&panels.attack);
    g_Calls.clear();
    panels.unit.handles = false;
    OnMsgProc(nullptr, 0x0201, 0, 0, &noFurther);
    EXPECT_EQ(g_Calls, (tCalls{"attack msg", "hex msg", "diplomacy msg", "unit msg", "minimap msg", "info msg"}));
    EXPECT_EQ(PanelsInDrawingOrder(), (std::vector<iPanelScreen*>{&panels.minimap, &panels.unit, &panels.diplomacy,
                                                                  &panels.hex, &panels.attack, &panels.info}));
    ResetPanelOrder();
    panels.unit.handles = true;

    // Game state 1 (loaded, not started): the panels see nothing.
    g_Calls.clear();
    g_State = 1;
    OnMsgProc(nullptr, 0x0201, 0, 0, &noFurther);
    EXPECT_TRUE(g_Calls.empty());
    g_State = 7;

    // With a current menu the panels never see messages, whatever the menu answers.
    cFakeMenu menu;
    g_CurrentMenu = &menu;
    g_Calls.clear();
    OnMsgProc(nullptr, 0x0201, 0, 0, &noFurther);
    EXPECT_EQ(g_Calls, (tCalls{"menu msg"}));
    EXPECT_FALSE(noFurther);

    // A visible current dialog comes first; when it takes the message nothing else sees it.
    cFakeDialog dialog("dialog", 3, true);
    g_CurrentDialog = &dialog;
    dialog.handles = true;
    g_Calls.clear();
    OnMsgProc(nullptr, 0x0201, 0, 0, &noFurther);
    EXPECT_EQ(g_Calls, (tCalls{"dialog msg"}));
    dialog.visible = false;
    g_Calls.clear();
    OnMsgProc(nullptr, 0x0201, 0, 0, &noFurther);
    EXPECT_EQ(g_Calls, (tCalls{"menu msg"}));

    g_CurrentMenu = nullptr;
    g_CurrentDialog = nullptr;
    g_GameLink = sGameLink{};
}

TEST(InputRouting, GameInputGoesToAVisibleDialogElseToTheGame)
{
    InstallFakeGame();
    cFakeDialog dialog("dialog", 3, false);
    g_CurrentDialog = &dialog;
    g_Calls.clear();
    GameKeyboard('P', true, false); // hidden dialog: the game's key handler
    dialog.visible = true;
    GameKeyboard('P', true, false);
    GameMouse(true, false, false, false, false, 0, 5, 5);
    DialogGUIEvent(0x0101, 705, nullptr);
    EXPECT_EQ(g_Calls, (tCalls{"game key 80", "dialog key 80", "dialog mouse", "dialog gui 705"}));

    g_CurrentDialog = nullptr;
    g_Calls.clear();
    GameMouse(true, false, false, false, false, 0, 5, 5);
    DialogGUIEvent(0x0101, 705, nullptr); // no current dialog: nobody
    CommandGUIEvent(0x0101, 336, nullptr);
    EXPECT_EQ(g_Calls, (tCalls{"game mouse", "game gui 336"}));

    // Panel events are offered to unit, hex, attack and diplomacy panels.
    sPanels panels;
    g_HexPanel = nullptr;
    g_Calls.clear();
    PanelGUIEvent(0x0101, 350, nullptr);
    EXPECT_EQ(g_Calls, (tCalls{"unit gui 350", "attack gui 350", "diplomacy gui 350"}));

    // Menu callbacks reach the current menu and nothing without one.
    cFakeMenu menu;
    g_Calls.clear();
    MenuKeyboard(27, true, false);
    g_CurrentMenu = &menu;
    MenuKeyboard(27, true, false);
    MenuMouse(true, false, false, false, false, 0, 12, 0);
    MenuGUIEvent(0x0101, 1, nullptr);
    MenuFrameMove(nullptr, 0, 0);
    EXPECT_EQ(g_Calls, (tCalls{"menu key 27", "menu mouse 12", "menu gui 1", "menu move"}));
    g_CurrentMenu = nullptr;
    g_GameLink = sGameLink{};
}

TEST(FrameRender, DrawsGameMenuVisibleDialogsAndHintInOrder)
{
    InstallFakeGame();
    cRecordingRenderer device;
    cFakeMenu menu;
    g_CurrentMenu = &menu;
    cFakeDialog bottom("bottom", 0, true), hidden("hidden", 1, false), marker("marker", -1, true), top("top", 2, true);
    g_OpenDialogs = {&bottom, &hidden, &marker, &top};
    g_ShellLinks.hintRender = [] { g_Calls.push_back("hint"); };

    for (int state : {0, 1, 5, 7}) {
        g_State = state;
        g_Calls.clear();
        OnFrameRender(&device, 0, 0.016f);
        tCalls expected = {"menu render", "bottom render", "top render", "hint"};
        if (state == 7)
            expected.insert(expected.begin(), "game render");
        EXPECT_EQ(g_Calls, expected) << "game state " << state;
    }
    ASSERT_GE(device.Calls().size(), 2u);
    EXPECT_EQ(device.Calls()[0].kind, sRecordedCall::kBeginScene);
    EXPECT_EQ(device.Calls()[1].kind, sRecordedCall::kClear);
    EXPECT_EQ(device.Calls()[1].colors[0], 0xFF000000u);

    g_OpenDialogs.clear();
    g_CurrentMenu = nullptr;
    g_ShellLinks = sShellLinks{};
    g_GameLink = sGameLink{};
}

TEST(FrameRender, TheGameScreenBlacksOutTheMinimapAndInfoFramesThenDrawsThePanelsThatExist)
{
    cGra game(sGameLoadRequest::ForScenario(L"None"), 0);
    sPanels panels;
    g_AttackPanel = nullptr; // not made yet: the others are drawn all the same
    ResetGuiLayout();
    cRecordingRenderer device;
    auto fills = [&device] {
        std::vector<sRect> rects;
        for (const sRecordedCall& call : device.Calls()) {
            EXPECT_EQ(call.kind, sRecordedCall::kFillRect);
            EXPECT_EQ(call.colors[0], 0xFF000000u);
            rects.push_back(sRect{int(call.rect.left), int(call.rect.top), int(call.rect.right), int(call.rect.bottom)});
        }
        return rects;
    };
    // The minimap's frame as the layout's reader widens it, then the info panel's as it stands;
    // a layout without those rows (-1 throughout) still clears what they give.
    g_MinimapOutline = sRect{698, 398, 984, 604};
    g_GuiLayout[331] = sLayoutRect{10, 20, 300, 40};
    g_Calls.clear();
    game.Render(&device, 0.016f);
    EXPECT_EQ(fills(), (std::vector<sRect>{{698, 398, 984, 604}, {10, 20, 310, 60}}));
    EXPECT_EQ(g_Calls, (tCalls{"minimap render", "hex render", "unit render", "diplomacy render", "info render"}));
    ResetGuiLayout();
    g_MinimapOutline = sRect{-3, -3, 2, 2};
    device.ClearCalls();
    game.Render(&device, 0.016f);
    EXPECT_EQ(fills(), (std::vector<sRect>{{-3, -3, 2, 2}, {-1, -1, -2, -2}}));
    ResetGuiLayout();
}

void FakeGameFrameMove(cRenderer*, double, float) {}

TEST(InputRouting, ScreensSwapTheCallbackSetsAsAWhole)
{
    InstallMenuCallbacks();
    EXPECT_EQ(DXUTGetCallbackFrameMove(), &MenuFrameMove);
    EXPECT_EQ(DXUTGetCallbackKeyboard(), &MenuKeyboard);
    EXPECT_EQ(DXUTGetCallbackMouse(), &MenuMouse);
    EXPECT_EQ(DXUTGetCallbackFrameRender(), &OnFrameRender);
    InstallGameCallbacks(FakeGameFrameMove);
    EXPECT_EQ(DXUTGetCallbackFrameMove(), &FakeGameFrameMove);
    EXPECT_EQ(DXUTGetCallbackKeyboard(), &GameKeyboard);
    EXPECT_EQ(DXUTGetCallbackMouse(), &GameMouse);
    // The pause menu: nothing moves on the map while it is open.
    InstallPauseCallbacks();
    EXPECT_EQ(DXUTGetCallbackFrameMove(), nullptr);
    EXPECT_EQ(DXUTGetCallbackKeyboard(), &MenuKeyboard);
    EXPECT_EQ(DXUTGetCallbackFrameRender(), &OnFrameRender);
}

std::vector<int> g_Sleeps;
int g_Moves = 0;

TEST(Framework, PacesIdleFramesPausesWhenMinimizedAndClosesTheGameFirst)
{
    g_Sleeps.clear(), g_Moves = 0; // a repeat in the same process starts afresh
    ASSERT_EQ(DXUTInit(false, false, false), S_OK);
    ASSERT_EQ(DXUTCreateWindow(L"test"), S_OK);
    ASSERT_EQ(DXUTCreateDevice(0, true, 320, 240), S_OK);
    DXUTSetSleepFunction([](int ms) { g_Sleeps.push_back(ms); });
    DXUTSetCallbackFrameMove([](cRenderer*, double, float) { ++g_Moves; });

    ResetSettingsToDefaults();
    g_UserSettings.fpsLimit = 60;
    DXUTRender3DEnvironment();
    EXPECT_EQ(g_Sleeps, (std::vector<int>{16}));
    EXPECT_EQ(g_Moves, 1);
    g_UserSettings.fpsLimit = 0;

    // A game with music; minimizing mutes it and pauses rendering.
    std::vector<float> volumes;
    int destroyed = 0;
    bool exists = true;
    g_GameLink.exists = [&] { return exists; };
    g_GameLink.setMusicVolume = [&](float v) { volumes.push_back(v); };
    g_GameLink.destroy = [&] {
        ++destroyed;
        exists = false;
    };
    g_UserSettings.musicVolume = 0.7f;
    DXUTStaticWndProc(WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_TRUE(DXUTIsRenderingPaused());
    EXPECT_TRUE(DXUTIsTimePaused());
    g_Sleeps.clear();
    DXUTRender3DEnvironment();
    EXPECT_EQ(g_Sleeps, (std::vector<int>{200, 0}));
    DXUTStaticWndProc(WM_SIZE, SIZE_RESTORED, 0);
    EXPECT_FALSE(DXUTIsRenderingPaused());
    EXPECT_EQ(volumes, (std::vector<float>{0.0f, 0.7f}));

    // An inactive window sleeps a little more.
    DXUTStaticWndProc(WM_ACTIVATEAPP, 0, 0);
    g_Sleeps.clear();
    DXUTRender3DEnvironment();
    EXPECT_EQ(g_Sleeps, (std::vector<int>{50, 0}));
    DXUTStaticWndProc(WM_ACTIVATEAPP, 1, 0);

    // Pause counts never go below zero.
    DXUTPause(false, false);
    DXUTPause(true, true);
    EXPECT_TRUE(DXUTIsRenderingPaused());
    DXUTPause(false, false);
    EXPECT_FALSE(DXUTIsRenderingPaused());

    // A lost device is reset on the next idle frame: lost, then reset, with their log lines.
    DXUTSetCallbackDeviceLost(OnDeviceLost);
    DXUTSetCallbackDeviceReset(OnDeviceReset);
    DXUTSetCallbackDeviceDestroyed(OnDeviceDestroyed);
    testing_support::ClearLog();
    DXUTMarkDeviceLost(false);
    DXUTRender3DEnvironment();
    EXPECT_TRUE(testing_support::LogHasInOrder({L"Device lost", L"Device lost end", L"Device reset", L"Device reset end"}));
    EXPECT_NE(g_Sprite, nullptr);

    // Closing the window destroys the game once, then the device and window go.
    DXUTStaticWndProc(WM_CLOSE, 0, 0);
    EXPECT_EQ(destroyed, 1);
    EXPECT_TRUE(testing_support::LogHasInOrder({L"Device lost", L"Device lost end", L"Device destroy", L"Device destroy end"}));
    EXPECT_EQ(g_Sprite, nullptr);
    EXPECT_EQ(DXUTGetHWND(), nullptr);
    EXPECT_EQ(DXUTGetD3DDevice(), nullptr);
    EXPECT_EQ(DXUTMainLoop(), 0); // the quit message is already there
    EXPECT_EQ(destroyed, 1);
    g_GameLink = sGameLink{};
}

std::vector<unsigned> g_Keys;

TEST(Framework, TheWindowsKeysDoNothingOnTheWholeScreenOnly)
{
    ASSERT_EQ(DXUTInit(false, false, false), S_OK);
    ASSERT_EQ(DXUTCreateWindow(L"test"), S_OK);
    DXUTSetCallbackKeyboard([](unsigned key, bool, bool) { g_Keys.push_back(key); });
    for (bool windowed : {false, true}) {
        ASSERT_EQ(DXUTCreateDevice(0, windowed, 64, 48), S_OK);
        g_Keys.clear();
        std::vector<unsigned> reached;
        for (unsigned message : {WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN})
            for (unsigned key : {VK_LWIN, VK_RWIN, unsigned('A')}) {
                DXUTStaticWndProc(message, key, 0);
                if (windowed || key == 'A')
                    reached.push_back(key);
            }
        EXPECT_EQ(g_Keys, reached) << (windowed ? "in a window" : "on the whole screen");
    }
    DXUTSetCallbackKeyboard(nullptr);
}

// A window of the framework whose loop sleeps for real and draws without a frame limit.
void OpenSleepingFramework()
{
    ASSERT_EQ(DXUTInit(false, false, false), S_OK);
    ASSERT_EQ(DXUTCreateWindow(L"test"), S_OK);
    ASSERT_EQ(DXUTCreateDevice(0, true, 64, 48), S_OK);
    DXUTSetSleepFunction(nullptr);
    DXUTSetCallbackFrameMove(nullptr);
    ResetSettingsToDefaults();
    g_UserSettings.fpsLimit = 0;
}

// The loop draws when the screen may change and sleeps otherwise: a still screen gets no
// frame, a wake-up from another thread one, an animation its own frames at its own time,
// and the time nobody looked moves no animation.
std::atomic<int> g_Frames{0};
std::atomic<bool> g_AnimateOnce{false}, g_Quit{false};
std::vector<float> g_Elapsed;

TEST(Framework, DrawsOnlyWhenTheScreenMayChangeAndSleepsOtherwise)
{
    g_Frames = 0, g_AnimateOnce = false, g_Quit = false, g_Elapsed.clear();
    ASSERT_NO_FATAL_FAILURE(OpenSleepingFramework());
    DXUTSetCallbackFrameRender([](cRenderer*, double, float elapsed) {
        ++g_Frames;
        if (g_AnimateOnce.exchange(false)) {
            g_Elapsed.push_back(elapsed);
            DXUTWantFrameIn(0.05);
        } else if (!g_Elapsed.empty()) {
            g_Elapsed.push_back(elapsed);
        }
        if (g_Quit)
            DXUTShutdown();
    });
    using namespace std::chrono_literals;
    int settled = 0, still = 0, woken = 0;
    std::thread other([&] {
        std::this_thread::sleep_for(300ms);
        settled = g_Frames;
        std::this_thread::sleep_for(400ms);
        still = g_Frames;
        g_AnimateOnce = true;
        DXUTWakeUp();
        std::this_thread::sleep_for(500ms);
        woken = g_Frames;
        g_Quit = true;
        DXUTWakeUp();
    });
    EXPECT_EQ(DXUTMainLoop(), 0);
    other.join();
    EXPECT_GE(settled, 1);
    EXPECT_EQ(still, settled);
    EXPECT_EQ(woken, still + 2);
    ASSERT_EQ(g_Elapsed.size(), 3u);
    EXPECT_LE(g_Elapsed[0], 1.0f / 60.0f + 1e-4f); // not the 0.4 s of stillness
    EXPECT_GE(g_Elapsed[1], 0.045f);              // the animation's own step
    DXUTSetCallbackFrameRender(nullptr);
}

// A wake-up that the frames of a wait take out of the queue is spent, and the next one
// from another thread still wakes the sleeping loop.
std::atomic<int> g_WaitFrames{0};
std::atomic<bool> g_WaitQuit{false};

TEST(Framework, AWakeUpTakenByTheFramesOfAWaitDoesNotSwallowTheNextOne)
{
    g_WaitFrames = 0, g_WaitQuit = false; // a repeat in the same process starts afresh
    ASSERT_NO_FATAL_FAILURE(OpenSleepingFramework());
    DXUTSetCallbackFrameRender([](cRenderer*, double, float) {
        ++g_WaitFrames;
        if (g_WaitQuit)
            DXUTShutdown();
    });
    // A request waited for on the main thread runs frames that read the queue themselves.
    DXUTWakeUp();
    ASSERT_TRUE(PumpOneFrame());
    using namespace std::chrono_literals;
    bool woken = false;
    std::thread other([&] {
        // An event the loop does not know draws a frame too: it ends a loop left asleep.
        auto nudge = [] {
            SDL_Event event{};
            event.type = SDL_USEREVENT;
            SDL_PushEvent(&event);
        };
        std::this_thread::sleep_for(300ms);
        const int asleep = g_WaitFrames;
        DXUTWakeUp();
        for (int k = 0; k < 200 && g_WaitFrames == asleep; ++k)
            std::this_thread::sleep_for(10ms);
        woken = g_WaitFrames > asleep;
        g_WaitQuit = true;
        nudge();
    });
    EXPECT_EQ(DXUTMainLoop(), 0);
    other.join();
    EXPECT_TRUE(woken);
    DXUTSetCallbackFrameRender(nullptr);
}

} // namespace
