// One frame drawn offscreen: a GUI box and text in two fonts, compared with a stored
// picture within a tolerance. VELMORANT_WRITE_SCREENSHOTS=1 stores a new picture instead.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>

#include "platform/font.h"
#include "platform/sdl_renderer.h"
#include "platform/window.h"
#include "shell/draw_helpers.h"
#include "shell/frame_callbacks.h"
#include "shell/textures.h"
#include "tests/gui/screenshot_check.h"
#include "tests/test_support.h"

namespace {

constexpr int kShotWidth = 320;
constexpr int kShotHeight = 200;

// A stand-in for the GUI picture: the 3 x 3 box cells at (0, 1913), each a framed tile.
void WriteBoxPicture(const std::filesystem::path& file)
{
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 256, 2048, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_FillRect(s, nullptr, 0);
    const Uint32 fills[3][3] = {{0xFF8A6A3A, 0xFFB08C4E, 0xFF8A6A3A},
                                {0xFFB08C4E, 0xE0283848, 0xFFB08C4E},
                                {0xFF8A6A3A, 0xFFB08C4E, 0xFF8A6A3A}};
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) {
            SDL_Rect cell{col * 45, 1913 + row * 45, 45, 45};
            SDL_FillRect(s, &cell, fills[row][col]);
            if (row != 1 || col != 1) {
                SDL_Rect inner{cell.x + 6, cell.y + 6, 33, 33};
                SDL_FillRect(s, &inner, 0xFF5A4222);
            }
        }
    IMG_SavePNG(s, file.string().c_str());
    SDL_FreeSurface(s);
}

TEST(Screenshot, AGuiBoxWithTextInTwoFontsLooksAsStored)
{
    ASSERT_TRUE(InitVideo());
    std::unique_ptr<cWindow> window(cWindow::Create(L"screenshot"));
    ASSERT_TRUE(window);
    window->SetMode(kShotWidth, kShotHeight, true);
    auto device = cSdlRenderer::Create(window->GetSdlWindow(), kShotWidth, kShotHeight);
    ASSERT_TRUE(device);
    SetRenderThread();

    // A folder of its own: an earlier test of this process may have linked "data" to the
    // game's own folder, whose GUI.png the stand-in must never replace.
    struct sBackHome {
        std::filesystem::path home = std::filesystem::current_path();
        ~sBackHome() { std::filesystem::current_path(home); }
    } backHome;
    std::filesystem::current_path(testing_support::MakeScratchDir("screenshot"));
    std::filesystem::create_directories("data/gfx");
    WriteBoxPicture("data/gfx/GUI.png");
    ASSERT_EQ(g_Textures[TEX_GUI].Load(L"data\\gfx\\GUI.png", 1, 1), S_OK);
    g_Sprite = std::make_unique<cSprite>(device.get());
    auto title = cFont::Create(device.get(), L"Arial", 24, 700);
    auto body = cFont::Create(device.get(), L"Times New Roman", 17, 400);
    ASSERT_TRUE(title && body);

    ASSERT_TRUE(device->BeginScene());
    device->Clear(0xFF101820);
    DrawGuiBox(20, 20, 280, 160, -1, sLayoutRect{});
    sRect titleRect{20, 30, 300, 70};
    title->DrawText(nullptr, L"Velmorant", -1, &titleRect, DT_CENTER | DT_VCENTER, 0xFFFFD678);
    sRect bodyRect{50, 80, 270, 165};
    cSprite textSprite(device.get());
    textSprite.Begin(SPRITE_ALPHABLEND);
    body->DrawText(&textSprite, L"Turn-based war in Europe, from the Atlantic to the Urals.", -1, &bodyRect,
                   DT_CENTER | DT_WORDBREAK, 0xFFE8E4D6);
    textSprite.End();
    device->EndScene();
    std::vector<uint32_t> pixels = device->ReadPixels();
    ASSERT_EQ(pixels.size(), size_t(kShotWidth) * kShotHeight);

    std::filesystem::path expectedFile = testing_support::FixtureDir() / "screenshot_gui_box.png";
    sScreenshotCheck check;
    ASSERT_NO_FATAL_FAILURE(CheckScreenshot(pixels, kShotWidth, kShotHeight, "screenshot", expectedFile, check));
    if (check.stored)
        GTEST_SKIP() << "stored " << expectedFile;
    // Glyph edges may move by a pixel between font builds; the picture may not.
    EXPECT_LE(check.differing, kShotWidth * kShotHeight / 100) << "see " << check.actualFile;

    // The text really is there: bright pixels in the title's band.
    int bright = 0;
    for (int y = 35; y < 65; ++y)
        for (int x = 100; x < 220; ++x)
            bright += ((pixels[size_t(y) * kShotWidth + x] >> 16) & 0xFF) > 200;
    EXPECT_GT(bright, 50);

    g_Sprite.reset();
    g_Textures[TEX_GUI].Release();
    title.reset();
    body.reset();
    device.reset();
}

} // namespace
