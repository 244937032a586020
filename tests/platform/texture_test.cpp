// Pictures decode on any thread and reach the renderer on the main thread only.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>

#include <thread>

#include "platform/sdl_renderer.h"
#include "platform/texture.h"
#include "platform/window.h"
#include "tests/test_support.h"

namespace {

TEST(Texture, DecodedOnAnotherThreadDrawnOnTheMainOneAndWrittenPixelsReachTheScreen)
{
    ASSERT_TRUE(InitVideo());
    SetRenderThread();
    std::unique_ptr<cWindow> window(cWindow::Create(L"texture"));
    window->SetMode(64, 64, true);
    auto device = cSdlRenderer::Create(window->GetSdlWindow(), 64, 64);
    ASSERT_TRUE(device);

    auto file = testing_support::MakeScratchDir("pictures") / "red.png";
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 8, 8, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_FillRect(s, nullptr, 0xFFFF0000);
    IMG_SavePNG(s, file.string().c_str());
    SDL_FreeSurface(s);

    std::unique_ptr<cTexture> red;
    std::thread loader([&] { red = cTexture::LoadFromFile(file); });
    loader.join();
    ASSERT_TRUE(red);
    EXPECT_EQ(red->PixelAt(4, 4), 0xFFFF0000u);
    EXPECT_FALSE(cTexture::LoadFromFile(file.parent_path() / "none.png"));

    auto canvas = cTexture::CreateBlank(8, 8);
    auto drawBoth = [&] {
        device->BeginScene();
        device->Clear(0xFF000000);
        sQuad q;
        q.src = sRectF{0, 0, 8, 8};
        q.texture = red.get();
        q.corners[0] = {0, 0};
        q.corners[1] = {8, 0};
        q.corners[2] = {8, 8};
        q.corners[3] = {0, 8};
        device->DrawQuad(q);
        q.texture = canvas.get();
        for (auto& c : q.corners)
            c.x += 16;
        device->DrawQuad(q);
        device->EndScene();
        return device->ReadPixels();
    };
    auto pixels = drawBoth();
    EXPECT_EQ(pixels[4 * 64 + 4] & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(pixels[4 * 64 + 20] & 0xFFFFFF, 0u); // blank and transparent

    // Pixels written (here on another thread) show at the next draw.
    std::thread writer([&] {
        int pitch = 0;
        uint32_t* p = canvas->LockPixels(&pitch);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                p[y * pitch + x] = 0xFF00FF00;
        canvas->UnlockPixels();
    });
    writer.join();
    pixels = drawBoth();
    EXPECT_EQ(pixels[4 * 64 + 20] & 0xFFFFFF, 0x00FF00u);

    // A texture dropped on another thread leaves its renderer copy for the main thread.
    std::thread dropper([&] { red.reset(); });
    dropper.join();
    drawBoth();
    canvas.reset();
    device.reset();
}

} // namespace
