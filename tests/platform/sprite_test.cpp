// Sprite batches on the recording renderer: transform, colour and depth order.
#include <gtest/gtest.h>

#include "platform/recording_renderer.h"
#include "platform/sprite.h"
#include "platform/texture.h"
#include "shell/draw_helpers.h"

namespace {

void ExpectCorners(const sQuad& q, float left, float top, float right, float bottom)
{
    EXPECT_FLOAT_EQ(q.corners[0].x, left);
    EXPECT_FLOAT_EQ(q.corners[0].y, top);
    EXPECT_FLOAT_EQ(q.corners[2].x, right);
    EXPECT_FLOAT_EQ(q.corners[2].y, bottom);
}

TEST(Sprite, DrawsThroughItsTransformWithTheColour)
{
    cRecordingRenderer device;
    auto texture = cTexture::CreateBlank(64, 32);
    cSprite sprite(&device);
    ASSERT_EQ(sprite.Begin(SPRITE_ALPHABLEND), S_OK);
    EXPECT_EQ(sprite.Begin(SPRITE_ALPHABLEND), E_FAIL);
    sprite.SetTransform(sMatrix2D::Scaling(2, 3) * sMatrix2D::Translation(100, 10));
    sRect src{8, 0, 24, 16};
    sVector3 centre{4, 4, 0};
    sVector3 at{10, 20, 0.5f};
    sprite.Draw(texture.get(), &src, &centre, &at, 0x80FF0000);
    EXPECT_TRUE(device.Quads().empty()); // nothing reaches the device before the batch ends
    sprite.End();

    auto quads = device.Quads();
    ASSERT_EQ(quads.size(), 1u);
    // (10 - 4, 20 - 4) scaled by (2, 3), then moved by (100, 10).
    ExpectCorners(quads[0], 6 * 2 + 100, 16 * 3 + 10, (6 + 16) * 2 + 100, (16 + 16) * 3 + 10);
    EXPECT_EQ(quads[0].color, 0x80FF0000u);
    EXPECT_FLOAT_EQ(quads[0].src.left, 8);
    EXPECT_FLOAT_EQ(quads[0].src.right, 24);
    EXPECT_EQ(sprite.Draw(texture.get(), nullptr, nullptr, nullptr, 0xFFFFFFFF), E_FAIL); // not begun
}

TEST(Sprite, SortsByDepthBackToFrontKeepingTheOrderOfEqualDepths)
{
    cRecordingRenderer device;
    auto texture = cTexture::CreateBlank(8, 8);
    cSprite sprite(&device);
    const float depths[] = {0.2f, 0.9f, 0.5f, 0.9f, 0.0f};
    auto drawAll = [&](uint32_t flags) {
        device.ClearCalls();
        sprite.Begin(flags);
        for (int i = 0; i < 5; ++i) {
            sVector3 at{float(i * 10), 0, depths[i]};
            sprite.Draw(texture.get(), nullptr, nullptr, &at, 0xFFFFFFFF);
        }
        sprite.End();
        std::vector<int> order;
        for (const auto& q : device.Quads())
            order.push_back(int(q.corners[0].x) / 10);
        return order;
    };
    EXPECT_EQ(drawAll(SPRITE_ALPHABLEND | SPRITE_SORT_DEPTH_BACKTOFRONT), (std::vector<int>{1, 3, 2, 0, 4}));
    EXPECT_EQ(drawAll(SPRITE_SORT_DEPTH_FRONTTOBACK), (std::vector<int>{4, 0, 2, 1, 3}));
    EXPECT_EQ(drawAll(SPRITE_ALPHABLEND), (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST(Sprite, ScaledDrawLandsOnTheDestinationAndRestoresTheTransform)
{
    cRecordingRenderer device;
    auto texture = cTexture::CreateBlank(32, 32);
    cSprite sprite(&device);
    sprite.Begin(SPRITE_ALPHABLEND);
    sRect src{0, 0, 10, 10};
    // A 10 x 10 source into 20 x 30 at (100, 50).
    EXPECT_EQ(DrawSpriteScaled(&sprite, texture.get(), src, 100, 50, 20, 30, 0xFFFFFFFF, 0, false), S_OK);
    EXPECT_EQ(sprite.GetTransform(), sMatrix2D::Identity());

    // Combined with a translation the sprite had: scaled first, then moved.
    sprite.SetTransform(sMatrix2D::Translation(7, 9));
    DrawSpriteScaled(&sprite, texture.get(), src, 100, 50, 20, 30, 0xFFFFFFFF, 0, true);
    EXPECT_EQ(sprite.GetTransform(), sMatrix2D::Translation(7, 9));
    // Without combine the saved translation plays no part.
    DrawSpriteScaled(&sprite, texture.get(), src, 100, 50, 20, 30, 0xFFFFFFFF, 0, false);
    // A destination of zero size draws nothing rather than dividing by zero.
    DrawSpriteScaled(&sprite, texture.get(), src, 100, 50, 0, 30, 0xFFFFFFFF, 0, false);
    sprite.End();

    auto quads = device.Quads();
    ASSERT_EQ(quads.size(), 3u);
    ExpectCorners(quads[0], 100, 50, 120, 80);
    ExpectCorners(quads[1], 107, 59, 127, 89);
    ExpectCorners(quads[2], 100, 50, 120, 80);
}

TEST(Sprite, LinesDrawEverySegment)
{
    cRecordingRenderer device;
    cLine line(&device);
    line.SetWidth(3);
    line.Begin();
    sPointF points[] = {{0, 0}, {10, 0}, {10, 10}};
    EXPECT_EQ(line.Draw(points, 3, 0xFF00FF00), S_OK);
    EXPECT_EQ(line.Draw(points, 1, 0xFF00FF00), E_INVALIDARG);
    line.End();
    int lines = 0;
    for (const auto& call : device.Calls())
        if (call.kind == sRecordedCall::kLine) {
            ++lines;
            EXPECT_FLOAT_EQ(call.width, 3);
        }
    EXPECT_EQ(lines, 2);
}

} // namespace

namespace {

TEST(Sprite, APieceFarSmallerThanItsPictureComesFromASmallerLevelWidenedToWholeTexels)
{
    cRecordingRenderer device;
    auto picture = cTexture::CreateBlank(64, 64);
    picture->SetSmooth(true);
    cSprite sprite(&device);
    sprite.Begin(SPRITE_ALPHABLEND);
    sprite.SetTransform(sMatrix2D::Scaling(0.25f, 0.25f));
    sprite.DrawStretched(picture.get(), sRectF{2, 4, 34, 36}, sRectF{0, 0, 32, 32}, 0.5f, 0xFFFFFFFF);
    sprite.End();
    std::vector<sQuad> quads = device.Quads();
    ASSERT_EQ(quads.size(), 1u);
    // A quarter of the size: level 2, where the piece spans 0.5 to 8.5 texels, widened to 0 to 9.
    EXPECT_EQ(quads[0].texture, picture->Reduced(2));
    EXPECT_EQ(quads[0].src.left, 0.0f);
    EXPECT_EQ(quads[0].src.right, 9.0f);
    EXPECT_EQ(quads[0].src.top, 1.0f);
    EXPECT_EQ(quads[0].src.bottom, 9.0f);
    // The destination widens with it: half a texel there is two units here, half a pixel on screen.
    EXPECT_FLOAT_EQ(quads[0].corners[0].x, -0.5f);
    EXPECT_FLOAT_EQ(quads[0].corners[1].x, 8.5f);
    EXPECT_FLOAT_EQ(quads[0].corners[0].y, 0.0f);
}

} // namespace
