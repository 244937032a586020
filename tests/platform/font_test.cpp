// Text pictures that a sprite batch holds stay alive until the batch is drawn, and a line
// over copies of itself (a label's shadow or outline) is one picture that looks as the copies
// drawn one by one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/font.h"
#include "platform/recording_renderer.h"
#include "platform/sdl_renderer.h"
#include "platform/sprite.h"
#include "platform/texture.h"
#include "platform/window.h"
#include "tests/test_support.h"

namespace {

TEST(Font, ABatchOfMoreLinesThanTheCacheHoldsIsDrawnWhole)
{
    std::unique_ptr<cWindow> window;
    std::unique_ptr<cSdlRenderer> device;
    ASSERT_NO_FATAL_FAILURE(testing_support::OpenOffscreenScreen(64, 64, window, device));
    auto font = cFont::Create(device.get(), L"Arial", 10, 400);
    ASSERT_TRUE(font);
    cSprite sprite(device.get());
    ASSERT_TRUE(device->BeginScene());
    sprite.Begin(SPRITE_ALPHABLEND);
    // City names and figures of a whole map's labels: more lines than the cache keeps.
    for (int i = 0; i < 700; ++i) {
        sRect r{0, 0, 64, 12};
        font->DrawText(&sprite, L"Line " + std::to_wstring(i), -1, &r, 0, 0xFFFFFFFF);
    }
    EXPECT_EQ(sprite.PendingCount(), 700u);
    // Drawing reads every line's picture: none of them may have been freed.
    EXPECT_TRUE(Succeeded(sprite.End()));
    // The same for lines over their shadows.
    sprite.Begin(SPRITE_ALPHABLEND);
    const sTextOffset shadow[] = {{1, 1}};
    for (int i = 0; i < 700; ++i)
        font->DrawBackedLine(&sprite, L"Line " + std::to_wstring(i), sRect{0, 0, 64, 12}, 0, 0xFFFFFFFF, 0xFF000000,
                             shadow);
    EXPECT_EQ(sprite.PendingCount(), 700u);
    EXPECT_TRUE(Succeeded(sprite.End()));
    device->EndScene();
    font.reset();
    device.reset();
}

TEST(Font, ALineOverItsCopiesIsOnePictureThatLooksAsTheCopiesDrawnOneByOne)
{
    constexpr int kW = 160, kH = 40;
    std::unique_ptr<cWindow> window;
    std::unique_ptr<cSdlRenderer> device;
    ASSERT_NO_FATAL_FAILURE(testing_support::OpenOffscreenScreen(kW, kH, window, device));
    auto font = cFont::Create(device.get(), L"DejaVu Serif", 15, 700);
    ASSERT_TRUE(font);
    // An outline in a half-clear ink all round a name, over a ground of another colour.
    const sTextOffset outline[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}, {1, 1}};
    const tColor text = 0xFFF2EAD2, ink = 0x8015130E;
    const sRect place{-1000 + kW / 2, 12, 1000 + kW / 2, 12 + 15};
    const uint32_t format = DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOCLIP;
    cSprite sprite(device.get());
    auto draw = [&](bool asOne) {
        device->BeginScene();
        device->Clear(0xFF6A7F3C);
        sprite.Begin(SPRITE_ALPHABLEND | SPRITE_SORT_DEPTH_BACKTOFRONT);
        if (asOne) {
            font->DrawBackedLine(&sprite, L"Wolverhampton", place, format, text, ink, outline, 0.5f);
            EXPECT_EQ(sprite.PendingCount(), 1u);
        } else {
            for (const sTextOffset& o : outline) {
                sRect copy{place.left + o.x, place.top + o.y, place.right + o.x, place.bottom + o.y};
                font->DrawText(&sprite, L"Wolverhampton", -1, &copy, format, ink, 0.5f);
            }
            sRect line = place;
            font->DrawText(&sprite, L"Wolverhampton", -1, &line, format, text, 0.5f);
        }
        sprite.End();
        device->EndScene();
        return device->ReadPixels();
    };
    const std::vector<uint32_t> copies = draw(false), one = draw(true);
    ASSERT_EQ(copies.size(), size_t(kW * kH));
    ASSERT_EQ(one.size(), copies.size());
    int drawn = 0, worst = 0;
    for (size_t i = 0; i < one.size(); ++i) {
        drawn += copies[i] != 0xFF6A7F3C;
        for (int shift : {0, 8, 16})
            worst = std::max(worst, std::abs(int((one[i] >> shift) & 0xFF) - int((copies[i] >> shift) & 0xFF)));
    }
    EXPECT_GT(drawn, 200);
    // The renderer rounds each of its six blends by a level or so; the picture adds the layers
    // up exactly.
    EXPECT_LE(worst, 6);

    // A second frame draws the same picture again, as it is, at the same place.
    cRecordingRenderer recorder;
    cSprite recorded(&recorder);
    recorded.Begin(SPRITE_ALPHABLEND);
    for (int frame = 0; frame < 2; ++frame)
        font->DrawBackedLine(&recorded, L"Wolverhampton", place, format, text, ink, outline, 0.5f);
    recorded.End();
    const std::vector<sQuad> quads = recorder.Quads();
    ASSERT_EQ(quads.size(), 2u);
    EXPECT_EQ(quads[0].texture, quads[1].texture);
    EXPECT_EQ(quads[0].color, 0xFFFFFFFFu);
    EXPECT_FLOAT_EQ(quads[1].corners[0].x, quads[0].corners[0].x);
    EXPECT_FLOAT_EQ(quads[0].corners[0].y, float(place.top - 1));
    font.reset();
    device.reset();
}

} // namespace
