#pragma once
// Texture holders: every picture drawn outside the GUI's own cache lives in one, so that
// the device callbacks can treat all pictures alike.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/messages.h"
#include "platform/texture.h"

class cTextureHolder
{
public:
    enum eKind : int8_t { kNothing = 0, kFile = 1, kEmpty = 2 };

    // Releases what it held, then takes the path, kind and mip levels. Kind 1 decodes the
    // picture file (logged as OK or FAILED); a failed load keeps kind 1 and the path
    // without a texture. Kind 0 stores only. Other kinds are refused.
    tResult Load(const wchar_t* path, int kind, int mipLevels);
    // A blank texture of that size, kind 2.
    tResult CreateEmpty(int width, int height);
    // No texture, empty path, kind and mip levels 0.
    void Release();

    void OnDeviceCreated();
    void OnDeviceReset();
    void OnDeviceLost();
    void OnDeviceDestroyed();

    cTexture* Get() const { return m_Texture.get(); }
    const std::wstring& Path() const { return m_Path; }
    int Kind() const { return m_Kind; }
    int MipLevels() const { return m_MipLevels; }

private:
    std::unique_ptr<cTexture> m_Texture;
    std::wstring m_Path;
    int8_t m_MipLevels = 0;
    int8_t m_Kind = kNothing;
};

// The shared holders, by what they hold.
enum eSharedTexture
{
    TEX_LOGO1_CURSOR = 0,     // first logo, then the mouse cursor
    TEX_LOGO2_CONSOLE = 1,    // second logo, then the console picture
    TEX_GUI = 2,              // data\gfx\GUI.png for the whole run
    TEX_PREVIEW_MINIMAP = 3,  // scenario preview, in a game the minimap picture
    TEX_MINIMAP_OVERLAY = 4,  // written by the map
    // Holders 5, 17 and 18 stay empty: the event picture is decoded on the opponent's thread
    // with its request, which never touches the shared holders, and each unit picture
    // window keeps its own (see dialogs/unit_pictures.h).
    TEX_EVENT_PICTURE = 5,
    TEX_WALLPAPER_MAIN = 6,
    TEX_WALLPAPER_PREFERENCES = 7,
    TEX_WALLPAPER_SCENARIO = 8,
    TEX_WALLPAPER_SCENARIO_SETTINGS = 9,
    TEX_WALLPAPER_LOADING_PAUSE = 10,
    TEX_UNKNOWN_FLAG = 11,
    TEX_UNITS = 12,
    TEX_UNITS_INFO = 13,
    TEX_TERRAIN = 14,
    TEX_OTHERS = 15,
    TEX_EYECANDIES = 16,
    TEX_UNIT_PICTURE = 17,
    TEX_FLEET_UNIT_PICTURE = 18,
    kSharedTextureCount = 19
};

extern std::array<cTextureHolder, kSharedTextureCount> g_Textures;

// The device events for the shared holders and those of the running game's countries.
void TexturesOnDeviceCreated();
void TexturesOnDeviceReset();
void TexturesOnDeviceLost();
void TexturesOnDeviceDestroyed();
// Leaving a game: holders 3 to 18 are released, 0 to 2 stay.
void ReleaseGameTextures();

class cPanstwo;
// A country's flag picture, or the placeholder flag for no country or one without a flag
// (null before the placeholder is loaded).
cTexture* CountryFlagTexture(const cPanstwo* country);
