#include "shell/menus/settings_menu.h"

#include "core/format.h"
#include "core/settings.h"
#include "shell/textures.h"

cSettingsMenu::cSettingsMenu()
{
    LoadWallpaper(TEX_WALLPAPER_PREFERENCES, L"data\\gfx\\wallpaper_preferences.png");
    // Without a game the map skin's pictures are not loaded; the preferences show them.
    if (!GameExists()) {
        const std::wstring others = FormatText(L"data\\gfx\\[MapSkin]%s\\others.png", g_UserSettings.mapSkin);
        g_Textures[TEX_OTHERS].Load(others.c_str(), cTextureHolder::kFile, 1);
    }
    // The title is the preferences window's own, which it shows over a game as well.
    if (g_DialogLinks.openPreferences)
        g_DialogLinks.openPreferences();
    SetVisible(true);
}

void cSettingsMenu::OnRender(float elapsed) { RenderWallpaper(TEX_WALLPAPER_PREFERENCES, elapsed); }
