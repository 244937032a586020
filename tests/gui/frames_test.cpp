// Frames, tab frames and progress bars: tab ranges shown and hidden, the fill width.
#include "tests/gui/gui_fixture.h"

namespace {

using Frames = cGuiTest;

TEST_F(Frames, TabsShowTheirRangeOfControlsAndHideTheOthers)
{
    ASSERT_EQ(dialog.AddTabFrame(110), S_OK);
    auto* tabs = static_cast<CDXUTTabFrame*>(dialog.GetControl(110));
    for (int id = 100; id < 120; ++id)
        dialog.AddButton(id + 1000, L"", 0, 0, 10, 10); // ids 1100-1119
    tabs->SelectTab(0, true); // no tabs yet: nothing
    EXPECT_EQ(tabs->GetSelectedIndex(), -1);
    tabs->AddTab(L"Land", 7, 1100, 1109);
    tabs->AddTab(L"Sea", 8, 1110, 1119);
    for (int id = 1100; id < 1120; ++id)
        EXPECT_EQ(dialog.GetControl(id)->GetVisible(), id < 1110) << id;
    EXPECT_EQ(tabs->GetSelectedIndex(), 0);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(tabs->GetTab(1)->value, 8);

    // Click the second tab: it lies after the first tab's caption and two 10-pixel ends.
    const sRect& strip = tabs->GetStripRect();
    int x = strip.left + tabs->GetTab(0)->captionWidth + 20 + 5;
    Move(x, strip.top + 5);
    Down(x, strip.top + 5);
    Up(x, strip.top + 5);
    for (int id = 1100; id < 1120; ++id)
        EXPECT_EQ(dialog.GetControl(id)->GetVisible(), id >= 1110) << id;
    EXPECT_EQ(events, (std::vector<sSeenEvent>{{EVENT_TABFRAME_CHANGED, 110}}));
    EXPECT_EQ(sounds, events); // the hook is called; it plays nothing for this event

    // Right of the last tab: used, nothing changes.
    Clear();
    EXPECT_TRUE(Down(strip.right - 2, strip.top + 5));
    EXPECT_EQ(tabs->GetSelectedIndex(), 1);
    EXPECT_TRUE(events.empty());

    tabs->AddTab(L"Air", 9, 0, -1);
    tabs->SelectTab(5, false);
    EXPECT_EQ(tabs->GetSelectedIndex(), 2);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(tabs->GetSelectedIndex(-2), -1);
    tabs->RemoveAllTabs();
    EXPECT_EQ(tabs->GetSelectedIndex(), -1);

    // A tab that begins inside the strip is drawn, even when its caption runs past its end.
    tabs->AddTab(L"Land", 7, 0, -1);
    tabs->AddTab(L"Mountains, marshes, forests and the endless rivers of the east", 8, 0, -1);
    ASSERT_GT(strip.left + 20 + tabs->GetTab(0)->captionWidth + 20 + tabs->GetTab(1)->captionWidth, strip.right);
    device.ClearCalls();
    Render(1.0f);
    int unselectedMiddles = 0;
    for (const sQuad& q : device.Quads())
        unselectedMiddles += q.src.left == 75.0f && q.src.top == 1885.0f;
    EXPECT_EQ(unselectedMiddles, 1);
}

TEST_F(Frames, AProgressBarFillsItsMiddleInProportion)
{
    ASSERT_EQ(dialog.AddProgressBar(111, 0, 100, 50), S_OK);
    auto* bar = static_cast<CDXUTProgressBar*>(dialog.GetControl(111));
    bar->SetSize(110, 25);
    EXPECT_EQ(bar->GetFillWidth(), 50);
    bar->SetValue(150);
    EXPECT_EQ(bar->GetValue(), 100);
    EXPECT_EQ(bar->GetFillWidth(), 100);
    Render(0.0f);
    std::vector<sQuad> quads = device.Quads();
    ASSERT_EQ(quads.size(), 4u);
    EXPECT_FLOAT_EQ(quads[0].src.top, 1910); // left cap filled
    EXPECT_FLOAT_EQ(quads[1].src.top, 1910); // right cap filled at the maximum
    EXPECT_FLOAT_EQ(quads[3].corners[2].x - quads[3].corners[0].x, 100);

    bar->SetValue(0);
    device.ClearCalls();
    Render(0.0f);
    quads = device.Quads();
    ASSERT_EQ(quads.size(), 3u) << "nothing filled";
    EXPECT_FLOAT_EQ(quads[0].src.top, 1885);
    EXPECT_FLOAT_EQ(quads[1].src.top, 1885);
}

TEST_F(Frames, FrameStylesDrawCornersOfTheirCellSize)
{
    CDXUTFrame* frame = nullptr;
    dialog.AddFrame(1, 10, 20, 200, 100, 2, &frame);
    EXPECT_EQ(frame->GetPiece(1), (sRect{10, 20, 20, 30}));
    EXPECT_EQ(frame->GetPiece(0), (sRect{20, 30, 200, 110}));
    Render(1.0f);
    EXPECT_EQ(device.Quads().size(), 9u);
    EXPECT_FALSE(frame->CanHaveFocus());

    // A style outside the three draws nothing rather than reading past the pieces.
    CDXUTFrame* odd = nullptr;
    dialog.AddFrame(2, 10, 20, 200, 100, 5, &odd);
    device.ClearCalls();
    Render(1.0f);
    EXPECT_EQ(device.Quads().size(), 9u);
}

} // namespace
