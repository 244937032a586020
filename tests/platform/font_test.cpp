// Text pictures that a sprite batch holds stay alive until the batch is drawn.
#include <gtest/gtest.h>

#include <string>

#include "platform/font.h"
#include "platform/sdl_renderer.h"
#include "platform/sprite.h"
#include "platform/texture.h"
#include "platform/window.h"

namespace {

TEST(Font, ABatchOfMoreLinesThanTheCacheHoldsIsDrawnWhole)
{
    ASSERT_TRUE(InitVideo());
    SetRenderThread();
    std::unique_ptr<cWindow> window(cWindow::Create(L"font"));
    window->SetMode(64, 64, true);
    auto device = cSdlRenderer::Create(window->GetSdlWindow(), 64, 64);
    ASSERT_TRUE(device);
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
    device->EndScene();
    font.reset();
    device.reset();
}

} // namespace
