#include "shell/startup.h"

#include <cstdio>

#include "core/fatal.h"
#include "core/lock.h"
#include "core/console_log.h"
#include "core/log.h"
#include "core/random.h"
#include "core/settings.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "core/version.h"
#include "dialogs/dialog_stack.h"
#include "game/game.h"
#include "gui/gui_hooks.h"
#include "gui/layout.h"
#include "platform/clock.h"
#include "platform/music.h"
#include "platform/paths.h"
#include "platform/window.h"
#include "shell/dxut.h"
#include "shell/frame_callbacks.h"
#include "shell/game_frame.h"
#include "shell/game_input.h"
#include "shell/hint_display.h"
#include "shell/layout_hook.h"
#include "shell/links.h"
#include "shell/map_picture.h"
#include "shell/menus/intro.h"
#include "shell/menus/main_menu.h"
#include "shell/menus/pause_menu.h"
#include "shell/menus/scenario_menu.h"
#include "shell/music_player.h"
#include "shell/shell_presentation.h"
#include "shell/skin_levels.h"
#include "shell/sound.h"
#include "shell/textures.h"

std::function<bool()> g_UnicodeLayerCheck = UnicodeLayerAvailable;

bool UnicodeLayerAvailable()
{
    // Latin, Polish, Cyrillic and a character beyond the 16-bit range.
    const std::wstring sample = L"Velmorant \u0141\u00f3d\u017a \u041c\u043e\u0441\u043a\u0432\u0430 \U0001F6E1";
    return Utf8ToWide(WideToUtf8(sample)) == sample && Utf16ToWide(WideToUtf16(sample)) == sample;
}

std::wstring BuildWindowTitle(const wchar_t* title, float version, int build)
{
    if (build % 100 == 0)
        return FormatText(L"%s v%.2f", title, version);
    return FormatText(L"%s v%.2f [build %3i]", title, version, build);
}

namespace {

// In full screen the back buffer takes the desktop's size when a layout exists for it, else
// the largest layout that fits, shown letterboxed at its own proportions: SDL's full screen
// keeps the desktop's display mode, where Direct3D switched to the configured one.
void ChooseFullScreenSize()
{
    int width = 0, height = 0;
    if (!g_UserSettings.fullscreen || !DesktopSize(width, height))
        return;
    const auto [x, y] = FullScreenSize(width, height, LayoutFileSizes(HostPath(L"data")),
                                       {g_UserSettings.resolutionX, g_UserSettings.resolutionY});
    LogLine(L"Full screen on a desktop of %ix%i: %ix%i", width, height, x, y);
    g_UserSettings.resolutionX = x;
    g_UserSettings.resolutionY = y;
}

// A window of a size that no layout file places the controls for takes the default size, as
// any other setting outside what the game offers does: the player who typed it is not left
// without a game.
void ChooseWindowSize()
{
    sUserSettings& s = g_UserSettings;
    const sUserSettings defaults;
    const std::wstring layout = GuiLayoutFileName(s.resolutionX, s.resolutionY);
    if (FileExists(HostPath(layout)) || (s.resolutionX == defaults.resolutionX && s.resolutionY == defaults.resolutionY))
        return;
    LogLine(L"Settings: Main/ResolutionX, Main/ResolutionY = %ix%i has no layout file %s, using %ix%i", s.resolutionX,
            s.resolutionY, layout, defaults.resolutionX, defaults.resolutionY);
    s.resolutionX = defaults.resolutionX;
    s.resolutionY = defaults.resolutionY;
    g_Settings.SetInt("Main/ResolutionX", s.resolutionX);
    g_Settings.SetInt("Main/ResolutionY", s.resolutionY);
}

// The shipped window larger than the desktop puts the panel's buttons off the screen (1024x768
// on a 1280x720 desktop): it takes the largest size that fits for this run, and the settings
// keep theirs for a larger desktop. A size the player chose is kept as chosen.
void FitWindowToDesktop()
{
    sUserSettings& s = g_UserSettings;
    const sUserSettings defaults;
    int width = 0, height = 0;
    if (s.fullscreen || s.resolutionX != defaults.resolutionX || s.resolutionY != defaults.resolutionY ||
        !UsableDesktopSize(width, height))
        return;
    const auto [x, y] = WindowedSize(width, height, LayoutFileSizes(HostPath(L"data")), {s.resolutionX, s.resolutionY});
    if (x == s.resolutionX && y == s.resolutionY)
        return;
    LogLine(L"A window of %ix%i does not fit the desktop of %ix%i: %ix%i", s.resolutionX, s.resolutionY, width, height,
            x, y);
    s.resolutionX = x;
    s.resolutionY = y;
}

// However the program ends, also early (the text layer refused) or by a fatal error that
// a test's handler throws, it leaves no lock started, clean-up registered or screen of its
// own behind: a next run in the same process starts as the first did.
struct sProgramScope
{
    ~sProgramScope()
    {
        SetFramePump(nullptr);
        SetPresentation(nullptr);
        SetFatalCleanup(nullptr);
        StopGlobalLock();
    }
};

} // namespace

void DestroyGame()
{
    // The sea nodes whose hints the display may point at go with the game.
    g_HintDisplay.SetHoverable(nullptr);
    if (GameExists() && g_GameLink.destroy)
        g_GameLink.destroy();
    ReleaseGameTextures();
}

void ResetShellState()
{
    DXUTResetState();
    ResetSkinLevels(); // after the device and its fonts are gone
    ResetLinks();
    ResetGameInput();
    ResetGameFrame();
    g_HintDisplay = cHintDisplay{};
    g_LogoSequence = sLogoSequence{};
    g_SelectedEntryName = L"xyz";
    g_MapLayerPass = kEveryLayer;
    g_UnicodeLayerCheck = UnicodeLayerAvailable;
}

int RunProgram()
{
    StartGlobalLock();
    const sProgramScope scope;
    LogLine(L"Running %s v%.2f", kGameName, kGameVersion);

    if (!g_UnicodeLayerCheck || !g_UnicodeLayerCheck()) {
        LogLine(L"%s", LangText("unicows.dll_not_found,_cannot_start_application"));
        if (std::FILE* f = std::fopen("error.txt", "wt")) {
            std::fputs("unicows.dll not found! cannot load game", f);
            std::fclose(f);
        }
        g_Console.Flush();
        return 0;
    }

    LinkGameObject();
    if (!g_ShellLinks.hintRender)
        InstallHintDisplay();
    if (!g_GuiHooks.layoutMove)
        InstallLayoutHook();
    if (!g_ShellLinks.initSound)
        g_ShellLinks.initSound = InitSound;
    if (!g_ShellLinks.playIntroMovies)
        g_ShellLinks.playIntroMovies = PlayIntroMovies;
    if (!g_ShellLinks.openPauseMenu)
        g_ShellLinks.openPauseMenu = OpenPauseMenu;
    if (!g_ShellLinks.endTurnFromMainThread)
        g_ShellLinks.endTurnFromMainThread = EndTurnFromMainThread;
    if (!g_ShellLinks.openMainMenu)
        g_ShellLinks.openMainMenu = [] { g_CurrentMenu = new cMainMenu; };
    InstallShellPresentation();
    // The toolkit's blinking and repeating follow the frame clock.
    if (!g_GuiHooks.now)
        g_GuiHooks.now = DXUTGetTime;
    // Fades and the caret ask the main loop for the frames they need.
    if (!g_GuiHooks.frameWanted)
        g_GuiHooks.frameWanted = DXUTWantFrameIn;
    cMusicStream::SetFinishedCallback(DXUTWakeUp);
    const uint32_t startSeconds = uint32_t(GetCalendarSeconds());
    SeedRandom(startSeconds);
    SeedMusicDice(startSeconds);
    LoadSettings();
    // A fatal error from here on tears a half-loaded game down and shuts the window
    // framework down before the process ends.
    SetFatalCleanup([] {
        DestroyHalfBuiltGame();
        DXUTShutdown();
    });
    ChooseFullScreenSize();
    ChooseWindowSize();
    FitWindowToDesktop();
    LoadGuiLayout();

    g_CurrentMenu = nullptr;
    g_InfoPanel = nullptr;
    g_DiplomacyPanel = nullptr;
    g_HexPanel = nullptr;
    g_UnitPanel = nullptr;
    g_AttackPanel = nullptr;
    g_MinimapPanel = nullptr;
    g_CurrentDialog = nullptr;

    DXUTSetCallbackDeviceCreated(OnDeviceCreated);
    DXUTSetCallbackDeviceReset(OnDeviceReset);
    DXUTSetCallbackDeviceLost(OnDeviceLost);
    DXUTSetCallbackDeviceDestroyed(OnDeviceDestroyed);
    DXUTSetCallbackMsgProc(OnMsgProc);
    DXUTSetEndOfDispatchCallback(EndOfDispatch);
    DXUTSetCursorSettings(true, true);
    DXUTInit(false, false, false);

    std::wstring title = BuildWindowTitle(kGameName, kGameVersion, kGameBuild);
    DXUTCreateWindow(title);
    DXUTCreateDevice(0, !g_UserSettings.fullscreen, g_UserSettings.resolutionX, g_UserSettings.resolutionY);

    if (g_ShellLinks.initSound)
        g_ShellLinks.initSound();
    if (g_ShellLinks.playIntroMovies)
        g_ShellLinks.playIntroMovies();
    g_StringBase.Load("lang_LANGID.db", true);

    DXUTMainLoop();

    if (GameExists())
        DestroyGame();
    // A menu or window still open goes too: a next run in the same process starts bare.
    DeleteCurrentMenu();
    CloseTopDialogs(-1);
    FlushClosedDialogs();
    SetFramePump(nullptr);
    SetPresentation(nullptr);
    SetFatalCleanup(nullptr);
    // The effects and the audio output close while SDL still runs.
    ShutdownSound();
    QuitVideo();
    g_Console.Flush();
    return DXUTGetExitCode();
}
