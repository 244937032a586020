#include "shell/menus/main_menu.h"

#include <memory>

#include "core/log.h"
#include "core/stringbase.h"
#include "game/game.h"
#include "shell/dxut.h"
#include "shell/menus/scenario_menu.h"
#include "shell/menus/settings_menu.h"
#include "shell/movie_player.h"
#include "shell/music_player.h"
#include "shell/sound.h"
#include "shell/sound_effects.h"
#include "shell/textures.h"

namespace {

enum eMainMenuControl
{
    IDC_FRAME = 70,
    IDC_START = 71,
    IDC_PREFERENCES = 72,
    IDC_CREDITS = 73,
    IDC_EXIT = 74,
    IDC_VERSION = 7001,
};

void PlayMenuMusic()
{
    StopSoundSlot(sound_effects::kMainMenuMusicLoop);
    PlaySoundSlot(sound_effects::kMainMenuMusicLoop, true);
}

} // namespace

cMainMenu::cMainMenu()
{
    LogLine(L"----- Main Menu -----");
    StopSoundSlot(sound_effects::kIntroSoundGameLogo);
    PlayMenuMusic();
    LoadWallpaper(TEX_WALLPAPER_MAIN, L"data\\gfx\\wallpaper_main.png");
    AddFrameFromLayout(IDC_FRAME, 0);
    AddButtonFromLayout(IDC_START, LangText("mainmenu_start").c_str(), LangText("mainmenu_start_hint").c_str());
    AddButtonFromLayout(IDC_PREFERENCES, LangText("mainmenu_preferences").c_str(),
                        LangText("mainmenu_preferences_hint").c_str());
    AddButtonFromLayout(IDC_CREDITS, LangText("mainmenu_credits").c_str(), LangText("mainmenu_credits_hint").c_str());
    AddButtonFromLayout(IDC_EXIT, LangText("mainmenu_exit").c_str(), LangText("mainmenu_exit_hint").c_str());
    AddVersionLine(IDC_VERSION);
    SetVisible(true);
}

void cMainMenu::OnGUIEvent(unsigned, int id, CDXUTControl*)
{
    switch (id) {
    case IDC_START: OnStartPressed(); break;
    case IDC_PREFERENCES: OnPreferencesPressed(); break;
    case IDC_CREDITS: OnCreditsPressed(); break;
    case IDC_EXIT: OnExitPressed(); break;
    default: break;
    }
}

void cMainMenu::OnRender(float elapsed) { RenderWallpaper(TEX_WALLPAPER_MAIN, elapsed); }

void cMainMenu::OnStartPressed()
{
    g_Textures[TEX_WALLPAPER_MAIN].Release();
    OpenScenarioMenu();
}

void cMainMenu::OnPreferencesPressed() { g_CurrentMenu = new cSettingsMenu; }

void cMainMenu::OnCreditsPressed()
{
    SetVisible(false);
    StopSoundSlot(sound_effects::kMainMenuMusicLoop);
    PlayCredits();
    PlayMenuMusic();
    // The window may have closed while the credits ran.
    if (DXUTGetHWND())
        SetVisible(true);
}

void cMainMenu::OnExitPressed()
{
    g_Textures[TEX_WALLPAPER_MAIN].Release();
    DXUTShutdown();
}

void PlayCredits()
{
    cMoviePlayer movie;
    if (!movie.Open(L"data\\credits.avi")) {
        LogLine(L"Loading credits movie from datacredits.avi [FAILED]");
        return;
    }
    LogLine(L"Loading credits movie from datacredits.avi [OK]");
    std::unique_ptr<cMusicPlayer> temporary;
    cMusicPlayer* music = g_Gra ? g_Gra->m_Music : nullptr;
    if (!music) {
        temporary = std::make_unique<cMusicPlayer>();
        music = temporary.get();
    }
    music->StopFile();
    music->PlayFile("data/credits.ogg");
    movie.Play();
    DXUTSleep(100);
    do {
        DXUTSleep(5);
        const sMovieInput input = PumpMovieInput();
        if (input.closed)
            break;
        if (input.escape) {
            movie.Stop();
            music->StopFile();
        } else if (movie.IsPlaying()) {
            movie.ShowFrame();
        }
    } while (movie.IsPlaying());
    if (temporary)
        temporary->Shutdown();
}
