#include "shell/menus/loading_menu.h"

#include "core/log.h"
#include "shell/dxut.h"
#include "shell/menus/scenario_settings_menu.h"
#include "shell/textures.h"

namespace {
constexpr int IDC_PROGRESS = 263;
} // namespace

cLoadingMenu::cLoadingMenu()
{
    LoadWallpaper(TEX_WALLPAPER_LOADING_PAUSE, L"data\\gfx\\wallpaper_loading.png");
    LogLine(L"----- Loading -----");
    AddProgressBar(IDC_PROGRESS, 0, 100, 0);
    SetVisible(true);
}

void cLoadingMenu::OnRender(float elapsed) { RenderWallpaper(TEX_WALLPAPER_LOADING_PAUSE, elapsed); }

void cLoadingMenu::SetProgress(int percent)
{
    if (auto* bar = Control<CDXUTProgressBar>(IDC_PROGRESS))
        bar->SetValue(percent);
    LogLine(L" Progress = %i%%", percent);
    // Loading holds the main loop: draw this frame now.
    DXUTRender3DEnvironment();
}

void StartScenarioSettingsMenu()
{
    // The game's creation has started the opponent's thread already: once per game.
    LogLine(L"Creating next menu");
    g_Textures[TEX_WALLPAPER_LOADING_PAUSE].Release();
    g_CurrentMenu = new cScenarioSettingsMenu;
}
