// Texture holders: loading, release and the device events.
#include <gtest/gtest.h>

#include <SDL_image.h>

#include "shell/links.h"
#include "shell/textures.h"
#include "tests/test_support.h"

namespace {

using testing_support::LogContains;

// A small picture of our own, written as PNG.
std::filesystem::path MakePicture(const std::filesystem::path& file, int w, int h)
{
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_FillRect(s, nullptr, 0xFF336699);
    IMG_SavePNG(s, file.string().c_str());
    SDL_FreeSurface(s);
    return file;
}

TEST(TextureHolder, LoadingReplacesWhatItHeldAndLogsEveryFile)
{
    std::filesystem::create_directories("data/gfx");
    MakePicture("data/gfx/a.png", 16, 8);
    MakePicture("data/gfx/100%.png", 4, 4);

    cTextureHolder holder;
    EXPECT_EQ(holder.Kind(), 0);
    EXPECT_EQ(holder.Load(L"data\\gfx\\a.png", 1, 1), S_OK);
    ASSERT_NE(holder.Get(), nullptr);
    EXPECT_EQ(holder.Get()->Width(), 16);
    EXPECT_EQ(holder.Get()->PixelAt(3, 3), 0xFF336699u);
    EXPECT_TRUE(LogContains(L"Loading file \"data\\gfx\\a.png\" (1) [OK]"));

    // The same file again: one texture, the old one gone.
    cTexture* first = holder.Get();
    EXPECT_EQ(holder.Load(L"data\\gfx\\a.png", 1, 1), S_OK);
    EXPECT_NE(holder.Get(), nullptr);
    (void)first;

    // A '%' in a path is an ordinary character, in the holder and in the log.
    EXPECT_EQ(holder.Load(L"data\\gfx\\100%.png", 1, 3), S_OK);
    EXPECT_EQ(holder.Path(), L"data\\gfx\\100%.png");
    EXPECT_TRUE(LogContains(L"Loading file \"data\\gfx\\100%.png\" (3) [OK]"));

    // A failed load keeps the path and kind 1, without a texture.
    EXPECT_NE(holder.Load(L"data\\gfx\\missing.png", 1, 1), S_OK);
    EXPECT_EQ(holder.Kind(), 1);
    EXPECT_EQ(holder.Path(), L"data\\gfx\\missing.png");
    EXPECT_EQ(holder.Get(), nullptr);
    EXPECT_TRUE(LogContains(L"Loading file \"data\\gfx\\missing.png\" (1) [FAILED]"));

    // Kind 0 only stores; a null path leaves it empty.
    EXPECT_EQ(holder.Load(nullptr, 0, 0), S_OK);
    EXPECT_EQ(holder.Path(), L"");
    EXPECT_EQ(holder.Kind(), 0);
}

TEST(TextureHolder, DeviceEventsRenewBlankTexturesAndDestroyEmptiesEveryHolder)
{
    std::filesystem::create_directories("data/gfx");
    MakePicture("data/gfx/GUI.png", 8, 8);
    MakePicture("data/gfx/wallpaper_main.png", 8, 8);
    g_Textures[TEX_GUI].Load(L"data\\gfx\\GUI.png", 1, 1);
    g_Textures[TEX_WALLPAPER_MAIN].Load(L"data\\gfx\\wallpaper_main.png", 1, 1);
    g_Textures[TEX_MINIMAP_OVERLAY].CreateEmpty(40, 30);
    EXPECT_EQ(g_Textures[TEX_MINIMAP_OVERLAY].Kind(), 2);

    // Countries of a running game share the events.
    cTextureHolder countryFlag;
    countryFlag.CreateEmpty(10, 10);
    bool gameExists = true;
    g_GameLink.exists = [&] { return gameExists; };
    g_GameLink.forEachCountryTexture = [&](const std::function<void(cTextureHolder&)>& fn) { fn(countryFlag); };

    TexturesOnDeviceCreated();
    EXPECT_EQ(g_Textures[TEX_MINIMAP_OVERLAY].Get()->Width(), 256);
    EXPECT_EQ(countryFlag.Get()->Height(), 256);
    TexturesOnDeviceLost();
    TexturesOnDeviceReset();
    EXPECT_NE(g_Textures[TEX_GUI].Get(), nullptr);

    // Leaving a game keeps holders 0 to 2.
    ReleaseGameTextures();
    EXPECT_NE(g_Textures[TEX_GUI].Get(), nullptr);
    EXPECT_EQ(g_Textures[TEX_WALLPAPER_MAIN].Get(), nullptr);
    EXPECT_EQ(g_Textures[TEX_MINIMAP_OVERLAY].Kind(), 0);

    TexturesOnDeviceDestroyed();
    for (const auto& holder : g_Textures) {
        EXPECT_EQ(holder.Kind(), 0);
        EXPECT_EQ(holder.Get(), nullptr);
    }
    EXPECT_EQ(countryFlag.Kind(), 0);
    TexturesOnDeviceCreated();
    for (const auto& holder : g_Textures)
        EXPECT_EQ(holder.Get(), nullptr);
    g_GameLink = sGameLink{};
}

} // namespace
