// Pictures decode on any thread and reach the renderer on the main thread only.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>

#include <thread>

#include "platform/recording_renderer.h"
#include "platform/sdl_renderer.h"
#include "platform/texture.h"
#include "platform/window.h"
#include "tests/test_support.h"

namespace {

TEST(Texture, DecodedOnAnotherThreadDrawnOnTheMainOneAndWrittenPixelsReachTheScreen)
{
    std::unique_ptr<cWindow> window;
    std::unique_ptr<cSdlRenderer> device;
    ASSERT_NO_FATAL_FAILURE(testing_support::OpenOffscreenScreen(64, 64, window, device));

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

namespace {

// A 4 x 2 picture: an opaque red pixel, a half-clear blue one, the rest clear.
std::unique_ptr<cTexture> Speckle()
{
    auto t = cTexture::CreateBlank(4, 2);
    int pitch = 0;
    uint32_t* p = t->LockPixels(&pitch);
    p[0] = 0xFFFF0000u;
    p[2] = 0x800000FFu;
    t->UnlockPixels();
    return t;
}

TEST(Texture, SmallerLevelsAverageKeepOrGrowTheCoverOfWhatTheyShow)
{
    auto average = Speckle();
    average->SetSmooth(true);
    cTexture* half = average->Reduced(1);
    ASSERT_EQ(half->Width(), 2);
    ASSERT_EQ(half->Height(), 1);
    // Colours are not darkened by the clear pixels they are averaged with.
    EXPECT_EQ(half->PixelAt(0, 0), 0x3FFF0000u);
    EXPECT_EQ(half->PixelAt(1, 0), 0x200000FFu);
    EXPECT_EQ(average->Reduced(5), average->Reduced(2)); // one pixel is the smallest

    auto kept = Speckle();
    kept->SetSmooth(true, cTexture::kKeepCover);
    EXPECT_EQ(kept->Reduced(1)->PixelAt(0, 0), 0xFFFF0000u);
    EXPECT_EQ(kept->Reduced(1)->PixelAt(1, 0), 0x800000FFu);

    auto grown = cTexture::CreateBlank(8, 2);
    int pitch = 0;
    grown->LockPixels(&pitch)[0] = 0xFF00FF00u;
    grown->UnlockPixels();
    grown->SetSmooth(true, cTexture::kGrowCover);
    // The clear pixel beside the green one is green and opaque at the next level.
    EXPECT_EQ(grown->Reduced(1)->PixelAt(1, 0), 0xFF00FF00u);
    EXPECT_EQ(grown->Reduced(1)->PixelAt(3, 0) >> 24, 0u);
    // Writing the pixels drops the levels.
    grown->LockPixels(&pitch)[0] = 0xFF0000FFu;
    grown->UnlockPixels();
    EXPECT_EQ(grown->Reduced(1)->PixelAt(0, 0), 0xFF0000FFu);
}

TEST(Texture, ARenderTargetHasNoPixelsAndTheRecordingShowsWhereDrawingGoes)
{
    auto target = cTexture::CreateTarget(32, 16);
    ASSERT_TRUE(target);
    EXPECT_TRUE(target->IsTarget());
    int pitch = 0;
    EXPECT_EQ(target->LockPixels(&pitch), nullptr);
    EXPECT_EQ(target->PixelAt(1, 1), 0u);
    EXPECT_FALSE(cTexture::CreateTarget(0, 5));
    cRecordingRenderer device;
    EXPECT_TRUE(device.SetRenderTarget(target.get()));
    device.SetRenderTarget(nullptr);
    ASSERT_EQ(device.Calls().size(), 2u);
    EXPECT_EQ(device.Calls()[0].kind, sRecordedCall::kTarget);
    EXPECT_EQ(device.Calls()[0].target, target.get());
    EXPECT_EQ(device.Calls()[1].target, nullptr);
}

// The map's tiles: opaque pictures drawn into, then copied onto the screen at every frame.
TEST(Texture, AnOpaqueTargetIsMadeInTheScreensFormatAndCopiesOntoItAsDrawn)
{
    std::unique_ptr<cWindow> window;
    std::unique_ptr<cSdlRenderer> device;
    ASSERT_NO_FATAL_FAILURE(testing_support::OpenOffscreenScreen(64, 64, window, device));
    ASSERT_EQ(SDL_GetWindowPixelFormat(window->GetSdlWindow()), Uint32(SDL_PIXELFORMAT_RGB888));
    auto tile = cTexture::CreateTarget(16, 16);
    tile->SetOpaque(true);
    auto clear = cTexture::CreateTarget(16, 16);
    auto formatOf = [&](cTexture& t) {
        Uint32 format = 0;
        SDL_QueryTexture(t.GetDeviceTexture(device->GetSdlRenderer()), &format, nullptr, nullptr, nullptr);
        return format;
    };
    EXPECT_EQ(formatOf(*tile), Uint32(SDL_PIXELFORMAT_RGB888));
    // One that is not opaque keeps what shows through it.
    EXPECT_EQ(formatOf(*clear), Uint32(SDL_PIXELFORMAT_ARGB8888));

    // A half-clear colour blended into the tile shows on the screen as it was blended there.
    ASSERT_TRUE(device->SetRenderTarget(tile.get()));
    device->Clear(0xFF000000);
    device->FillRect(sRectF{0, 0, 16, 16}, 0x80FF8040);
    device->SetRenderTarget(nullptr);
    device->BeginScene();
    device->Clear(0xFF0000FF);
    sQuad q;
    q.texture = tile.get();
    q.src = sRectF{0, 0, 16, 16};
    q.corners[0] = {8, 8};
    q.corners[1] = {24, 8};
    q.corners[2] = {24, 24};
    q.corners[3] = {8, 24};
    device->DrawQuad(q);
    device->EndScene();
    const std::vector<uint32_t> pixels = device->ReadPixels();
    ASSERT_EQ(pixels.size(), 64u * 64u);
    const uint32_t shown = pixels[16 * 64 + 16] & 0xFFFFFF;
    EXPECT_NEAR(int(shown >> 16), 0x80, 1);
    EXPECT_NEAR(int((shown >> 8) & 0xFF), 0x40, 1);
    EXPECT_NEAR(int(shown & 0xFF), 0x20, 1);
    EXPECT_EQ(pixels[4 * 64 + 4] & 0xFFFFFF, 0x0000FFu);
    tile.reset();
    clear.reset();
    device.reset();
}

} // namespace
