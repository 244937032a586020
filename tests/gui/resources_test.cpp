// The shared font and texture cache and the default elements every dialog starts with.
#include <gtest/gtest.h>

#include "gui/dialog_resources.h"
#include "gui/layout.h"
#include "platform/recording_renderer.h"

namespace {

TEST(DialogResources, EqualFontsAreSharedAndFollowTheDevice)
{
    CDXUTDialogResourceManager manager;
    int a = manager.AddFont(L"Arial", 16, 400);
    EXPECT_EQ(manager.AddFont(L"ARIAL", 16, 400), a);
    int bold = manager.AddFont(L"Arial", 16, 700);
    EXPECT_NE(bold, a);
    EXPECT_EQ(manager.GetFontNode(a)->pFont, nullptr); // no device yet

    cRecordingRenderer device;
    manager.OnCreateDevice(&device);
    manager.OnResetDevice();
    EXPECT_NE(manager.GetFontNode(a)->pFont, nullptr);
    EXPECT_NE(manager.GetSprite(), nullptr);
    // Added while a device exists: made at once.
    int late = manager.AddFont(L"Liberation Mono", 12, 400);
    EXPECT_NE(manager.GetFontNode(late)->pFont, nullptr);

    manager.OnLostDevice();
    manager.OnDestroyDevice();
    EXPECT_EQ(manager.GetFontNode(a)->pFont, nullptr);
    EXPECT_EQ(manager.GetFontCount(), 3); // the entries stay for the next device
    manager.OnCreateDevice(&device);
    EXPECT_NE(manager.GetFontNode(late)->pFont, nullptr);
    manager.OnDestroyDevice();

    // A file that cannot be read leaves its entry without a texture.
    int missing = manager.AddTexture(L"data\\gfx\\no_such_picture.png");
    EXPECT_EQ(manager.AddTexture(L"DATA\\GFX\\NO_SUCH_PICTURE.PNG"), missing);
    manager.OnCreateDevice(&device);
    EXPECT_EQ(manager.GetTextureNode(missing)->pTexture, nullptr);
    manager.OnDestroyDevice();
}

TEST(DialogResources, DefaultElementsCutTheGuiPictureAndTakeTheFontColours)
{
    ResetGuiLayout();
    g_GuiFonts[1].color1 = 0xFF112233;
    g_GuiFonts[1].color2 = 0xFF445566;
    g_GuiFonts[3].color1 = 0xFF778899;
    cDialogResources dialog;
    EXPECT_EQ(dialog.GetTexture(0)->strFilename, L"data\\gfx\\GUI.png");
    for (int k = 0; k < kGuiFontCount; ++k)
        EXPECT_EQ(g_GuiFonts[k].slot, k);

    CDXUTElement* button = dialog.GetDefaultElement(0, 4);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->rcTexture, (sRect{156, 1926, 161, 1956}));
    EXPECT_EQ(button->FontColor.States[DXUT_STATE_NORMAL], 0xFF112233u);
    EXPECT_EQ(button->FontColor.States[DXUT_STATE_DISABLED], kDisabledGrey);
    EXPECT_EQ(button->FontColor.States[DXUT_STATE_MOUSEOVER], 0xFF445566u);
    EXPECT_EQ(button->FontColor.States[DXUT_STATE_HIDDEN], 0u);

    EXPECT_EQ(dialog.GetDefaultElement(DXUT_CONTROL_STATIC, 2)->iFont, 3);
    EXPECT_EQ(dialog.GetDefaultElement(DXUT_CONTROL_STATIC, 2)->FontColor.States[0], 0xFF778899u);
    EXPECT_EQ(dialog.GetDefaultElement(DXUT_CONTROL_COMBOBOX, 9)->rcTexture, (sRect{262, 1982, 287, 2007}));
    EXPECT_EQ(dialog.GetDefaultElement(DXUT_CONTROL_COMBOBOX, 0)->TextureColor.States[DXUT_STATE_DISABLED], 0x46FFFFFFu);
    EXPECT_EQ(dialog.GetDefaultElement(DXUT_CONTROL_LISTBOX, 13)->rcTexture, (sRect{450, 1961, 475, 1986}));
    // Frame style 1, piece "right" (element 9 + 5): cells of 30 from (1130, 370).
    EXPECT_EQ(dialog.GetDefaultElement(DXUT_CONTROL_FRAME, 14)->rcTexture, (sRect{1190, 400, 1220, 430}));
    EXPECT_EQ(dialog.GetDefaultElement(DXUT_CONTROL_FRAME, 18)->rcTexture, (sRect{231, 1905, 241, 1915}));
    EXPECT_EQ(dialog.GetDefaultElement(DXUT_CONTROL_TABFRAME, 8)->dwTextFormat, DT_VCENTER);
    EXPECT_EQ(dialog.GetDefaultElement(DXUT_CONTROL_TABFRAME, 14)->rcTexture, (sRect{115, 1885, 125, 1905}));
    EXPECT_EQ(dialog.GetDefaultElement(DXUT_CONTROL_MEMO, 3)->rcTexture, (sRect{188, 1926, 198, 1936}));
    EXPECT_EQ(dialog.GetDefaultElement(DXUT_CONTROL_FRAME, 27), nullptr);
    // The caption is already at its normal colour.
    EXPECT_EQ(dialog.GetCaptionElement().FontColor.Current.ToArgb(), 0xFFFFFFFFu);

    // Replacing keeps one holder per type and element.
    size_t count = dialog.GetDefaultElements().size();
    CDXUTElement custom;
    custom.rcTexture = sRect{1, 2, 3, 4};
    dialog.SetDefaultElement(DXUT_CONTROL_BUTTON, 0, custom);
    EXPECT_EQ(dialog.GetDefaultElements().size(), count);
    EXPECT_EQ(dialog.GetDefaultElement(DXUT_CONTROL_BUTTON, 0)->rcTexture, (sRect{1, 2, 3, 4}));
}

TEST(DialogResources, AnElementAtZeroAlphaDrawsNothingAndBlendingFadesIn)
{
    cRecordingRenderer device;
    CDXUTDialogResourceManager* manager = DXUTGetGlobalDialogResourceManager();
    manager->OnCreateDevice(&device);
    ResetGuiLayout();
    g_GuiFonts[1].face = L"Arial";
    g_GuiFonts[1].height = 16;
    g_GuiFonts[1].weight = 500;
    g_GuiFonts[1].color1 = 0xFFFFFFFF;
    cDialogResources dialog;
    dialog.SetTexture(1, L"no_such.png");
    CDXUTElement element = *dialog.GetDefaultElement(DXUT_CONTROL_STATIC, 0);
    element.Refresh(); // hidden colours: alpha 0
    dialog.DrawText(L"invisible", &element, sRect{0, 0, 200, 30});
    dialog.EndSpriteBatch();
    EXPECT_TRUE(device.Quads().empty());

    element.FontColor.Blend(DXUT_STATE_NORMAL, 0.1f);
    EXPECT_GT(element.FontColor.Current.a, 0.6f);
    EXPECT_LT(element.FontColor.Current.a, 1.0f);
    element.FontColor.Blend(DXUT_STATE_NORMAL, 10.0f);
    dialog.DrawText(L"seen", &element, sRect{0, 0, 200, 30});
    dialog.EndSpriteBatch();
    EXPECT_FALSE(device.Quads().empty());
    manager->OnDestroyDevice();
}

} // namespace

namespace {

// A dialog placed at (100, 50) with a caption of 18 pixels.
class cPlacedDialog : public cDialogResources
{
protected:
    void GetDrawOffset(int& x, int& y) const override
    {
        x = 100;
        y = 50 + 18;
    }
};

TEST(DialogResources, DrawingHappensAtTheDialogsPlaceInOrder)
{
    cRecordingRenderer device;
    CDXUTDialogResourceManager* manager = DXUTGetGlobalDialogResourceManager();
    manager->OnCreateDevice(&device);
    ResetGuiLayout();
    g_GuiFonts[1] = sGuiFont{L"Arial", 16, 500, 0, 0xFFFFFFFF, 0xFFFFFF00, nullptr};
    cPlacedDialog dialog;
    // A texture in slot 1 that exists in memory only: give the manager's node one.
    dialog.SetTexture(1, L"memory.png");
    dialog.GetTexture(1)->pTexture = cTexture::CreateBlank(64, 64);

    CDXUTElement element;
    element.SetTexture(1, sRect{0, 0, 10, 10});
    element.TextureColor.SetCurrent(DXUT_STATE_NORMAL);
    dialog.DrawSprite(&element, sRect{0, 0, 40, 20}, 0.5f);
    dialog.DrawRect(sRect{5, 5, 15, 15}, 0xFF00FF00); // the sprite's picture lies below it
    element.TextureColor.SetCurrent(DXUT_STATE_HIDDEN);
    dialog.DrawSprite(&element, sRect{0, 0, 40, 20}, 0.5f); // alpha 0: nothing
    dialog.EndSpriteBatch();

    const auto& calls = device.Calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].kind, sRecordedCall::kQuad);
    EXPECT_FLOAT_EQ(calls[0].quad.corners[0].x, 100);
    EXPECT_FLOAT_EQ(calls[0].quad.corners[0].y, 68);
    EXPECT_FLOAT_EQ(calls[0].quad.corners[2].x, 140);
    EXPECT_FLOAT_EQ(calls[0].quad.corners[2].y, 88);
    EXPECT_EQ(calls[1].kind, sRecordedCall::kFillRect);
    EXPECT_FLOAT_EQ(calls[1].rect.left, 105);
    EXPECT_FLOAT_EQ(calls[1].rect.top, 73);

    // Text cut by a clip rectangle: the clip is set around it and put back afterwards.
    device.ClearCalls();
    CDXUTElement text = *dialog.GetDefaultElement(DXUT_CONTROL_STATIC, 0);
    text.FontColor.SetCurrent(DXUT_STATE_NORMAL);
    sRect clip{0, 0, 130, 100};
    dialog.DrawText(L"A rather long list cell", &text, sRect{0, 0, 300, 20}, true, -1, &clip);
    const auto& clipped = device.Calls();
    ASSERT_GE(clipped.size(), 4u);
    EXPECT_EQ(clipped.front().kind, sRecordedCall::kClip);
    EXPECT_EQ(clipped.front().clip, clip);
    EXPECT_EQ(clipped.back().kind, sRecordedCall::kClip);
    EXPECT_FALSE(clipped.back().clipOn);
    // The shadow first, black at the text's alpha, one pixel right and down.
    EXPECT_EQ(clipped[1].quad.color, 0xFF000000u);
    EXPECT_EQ(clipped[2].quad.color, 0xFFFFFFFFu);
    EXPECT_FLOAT_EQ(clipped[1].quad.corners[0].x, clipped[2].quad.corners[0].x + 1);

    // Measuring keeps the top-left corner and gives the text's extent.
    sRect measured{0, 0, 0, 0};
    EXPECT_EQ(dialog.CalcTextRect(L"Two\nlines", &text, &measured), S_OK);
    EXPECT_EQ(measured.bottom, 32);
    EXPECT_GT(measured.right, 0);
    manager->OnDestroyDevice();
}

} // namespace

namespace {

TEST(DialogResources, ASlotOfPagesDrawsEachRectangleFromItsPageAndAWideOneInHalves)
{
    cRecordingRenderer device;
    CDXUTDialogResourceManager* manager = DXUTGetGlobalDialogResourceManager();
    manager->OnCreateDevice(&device);
    ResetGuiLayout();
    cDialogResources dialog;
    dialog.SetTexturePages(1, {L"first page.png", L"second page.png"});
    // Pictures in memory only: 64 x 64 pages.
    dialog.GetTexture(1)->pTexture = cTexture::CreateBlank(64, 64);
    DXUTTextureNode* second = manager->GetTextureNode(manager->AddTexture(L"second page.png"));
    second->pTexture = cTexture::CreateBlank(64, 64);

    dialog.DrawSprite(1, sRect{4, 70, 14, 80}, sRect{0, 0, 10, 10}, 0.0f, 0xFFFFFFFF);
    // Wider than a page: the left half, then the right half under it.
    dialog.DrawSprite(1, sRect{0, 0, 100, 10}, sRect{0, 0, 200, 10}, 0.0f, 0xFFFFFFFF);
    // Beyond the last page: nothing.
    dialog.DrawSprite(1, sRect{0, 130, 10, 140}, sRect{0, 0, 10, 10}, 0.0f, 0xFFFFFFFF);
    dialog.EndSpriteBatch();

    const std::vector<sQuad> quads = device.Quads();
    ASSERT_EQ(quads.size(), 3u);
    EXPECT_EQ(quads[0].texture, second->pTexture.get());
    EXPECT_FLOAT_EQ(quads[0].src.top, 6);
    EXPECT_FLOAT_EQ(quads[0].src.left, 4);
    EXPECT_EQ(quads[1].texture, dialog.GetTexture(1)->pTexture.get());
    EXPECT_FLOAT_EQ(quads[1].src.right, 50);
    EXPECT_FLOAT_EQ(quads[1].corners[2].x, 100);
    EXPECT_FLOAT_EQ(quads[2].src.top, 10);
    EXPECT_FLOAT_EQ(quads[2].src.right, 50);
    EXPECT_FLOAT_EQ(quads[2].corners[0].x, 100);
    EXPECT_FLOAT_EQ(quads[2].corners[2].x, 200);
    manager->OnDestroyDevice();
}

} // namespace
