#include "shell/menus/intro.h"

#include <string>

#include "core/log.h"
#include "core/settings.h"
#include "gui/layout.h"
#include "platform/clock.h"
#include "platform/sprite.h"
#include "shell/dxut.h"
#include "shell/frame_callbacks.h"
#include "shell/links.h"
#include "shell/menus/main_menu.h"
#include "shell/movie_player.h"
#include "shell/sound.h"
#include "shell/sound_effects.h"
#include "shell/textures.h"

sLogoSequence g_LogoSequence;

namespace {

constexpr uint32_t kLogoMs = 8000;

void RestartEffect(int slot)
{
    StopSoundSlot(slot);
    PlaySoundSlot(slot);
}

// The fade of a logo after `elapsed` ms: in from black over 2.55 s, out from 5 s.
void UpdateFade(uint32_t elapsed)
{
    if (elapsed / 10 < 255)
        g_LogoSequence.fade = 0xFF000000u + (elapsed / 10) * 0x010101u;
    else if (elapsed > 5000 && (elapsed - 5000) / 10 < 255)
        g_LogoSequence.fade = 0xFF000000u + (255 - (elapsed - 5000) / 10) * 0x010101u;
}

// Plays one movie to its end or until a click or Escape; false when the window closed.
bool PlayIntroMovie(const wchar_t* path, const wchar_t* logName)
{
    cMoviePlayer player;
    if (!player.Open(path)) {
        LogLine(L"Loading intro movie from %s [FAILED]", logName);
        return true;
    }
    LogLine(L"Loading intro movie from %s [OK]", logName);
    player.Play();
    do {
        DXUTSleep(5);
        const sMovieInput input = PumpMovieInput();
        if (input.closed)
            return false;
        if (input.leftButton || input.escape)
            player.Stop();
        else if (player.IsPlaying())
            player.ShowFrame();
    } while (player.IsPlaying());
    return true;
}

} // namespace

void PlayIntroMovies()
{
    DXUTSetCallbackMouse(IntroMouse, false);
    DXUTSetCallbackKeyboard(IntroKeyboard);
    DXUTSetCallbackFrameRender(IntroRender);
    DXUTSetCallbackFrameMove(RunLogoSequence);
    LogLine(L"");
    // The log names them as the first release did, without the separator.
    const wchar_t* movies[3][2] = {{L"data\\intro.avi", L"dataintro.avi"},
                                   {L"data\\intro2.avi", L"dataintro2.avi"},
                                   {L"data\\intro3.avi", L"dataintro3.avi"}};
    for (const auto& movie : movies)
        if (!PlayIntroMovie(movie[0], movie[1]))
            return;
    g_Textures[TEX_LOGO1_CURSOR].Load(L"data\\gfx\\logof.png", cTextureHolder::kFile, 1);
    g_Textures[TEX_LOGO2_CONSOLE].Load(L"data\\gfx\\logog.png", cTextureHolder::kFile, 1);
    g_LogoSequence = sLogoSequence{};
}

void RunLogoSequence(cRenderer*, double, float)
{
    sLogoSequence& s = g_LogoSequence;
    if (s.stage == 0) {
        s.stageStart = GetTickMs();
        s.stage = 1;
        RestartEffect(sound_effects::kIntroSoundLogo);
    }
    s.now = GetTickMs();
    if (s.stage == 1 && s.now - s.stageStart > kLogoMs) {
        s.stageStart = s.now;
        s.stage = 2;
        StopSoundSlot(sound_effects::kIntroSoundLogo);
        PlaySoundSlot(sound_effects::kIntroSoundGameLogo);
    }
    if (s.stage == 2 && s.now - s.stageStart > kLogoMs) {
        s.stage = 3;
        StopSoundSlot(sound_effects::kIntroSoundLogo);
        PlaySoundSlot(sound_effects::kIntroSoundGameLogo);
    }
    UpdateFade(s.now - s.stageStart);
    if (s.stage != 3) {
        DXUTWantFrameIn(0.0); // the fades run on every frame
        return;
    }

    s.stageStart = s.now = 0;
    s.stage = 0;
    LoadShellPictures();
    DXUTSetCallbackFrameMove(nullptr);
    g_CurrentMenu = new cMainMenu;
}

void LoadShellPictures()
{
    g_Textures[TEX_LOGO1_CURSOR].Release();
    g_Textures[TEX_LOGO2_CONSOLE].Release();
    g_Textures[TEX_LOGO1_CURSOR].Load(L"data\\gfx\\cur.png", cTextureHolder::kFile, 1);
    if (g_ShellLinks.hintInit)
        g_ShellLinks.hintInit(20, 20, 16, 40, int(g_DelayValues[0]));
    g_Textures[TEX_LOGO2_CONSOLE].Load(L"data\\gfx\\console.png", cTextureHolder::kFile, 1);
    g_Textures[TEX_UNKNOWN_FLAG].Load(L"data\\gfx\\Flags\\unknown.png", cTextureHolder::kFile, 1);
    g_Textures[TEX_GUI].Load(L"data\\gfx\\GUI.png", cTextureHolder::kFile, 1);
}

void SkipLogo()
{
    sLogoSequence& s = g_LogoSequence;
    if (s.stage == 1) {
        s.stageStart = GetTickMs();
        s.stage = 2;
        StopSoundSlot(sound_effects::kIntroSoundLogo);
        PlaySoundSlot(sound_effects::kIntroSoundGameLogo);
    } else if (s.stage == 2) {
        s.stage = 3;
        StopSoundSlot(sound_effects::kIntroSoundLogo);
        RestartEffect(sound_effects::kIntroSoundGameLogo);
    }
    // The unsigned difference then reads as far past the logo's time: the next frame ends
    // the whole sequence.
    s.stageStart += 10000;
}

void IntroMouse(bool left, bool, bool, bool, bool, int, int, int)
{
    if (left)
        SkipLogo();
}

void IntroKeyboard(unsigned, bool down, bool)
{
    if (down)
        SkipLogo();
}

void IntroRender(cRenderer* device, double, float)
{
    device->Clear(0xFF000000);
    const sLogoSequence& s = g_LogoSequence;
    if ((s.stage != 1 && s.stage != 2) || !device->BeginScene())
        return;
    cSprite* sprite = DXUTGetGlobalDialogResourceManager()->GetSprite();
    cTexture* logo = g_Textures[s.stage == 1 ? TEX_LOGO1_CURSOR : TEX_LOGO2_CONSOLE].Get();
    if (sprite && logo && Succeeded(sprite->Begin(0))) {
        const sVector3 at{float(g_GuiLayout[0].x), float(g_GuiLayout[0].y), 0.0f};
        sprite->Draw(logo, nullptr, nullptr, &at, s.fade);
        sprite->End();
    }
    device->EndScene();
}
