// Combo boxes, sliders and scroll bars: the wheel and keys of the combo box, the slider's
// geometry and reversed keys, and the scroll bar's thumb and held-arrow repeat.
#include "tests/gui/gui_fixture.h"

#include <map>

namespace {

using ValueControls = cGuiTest;

CDXUTComboBox* AddFronts(CDXUTDialog& dialog)
{
    dialog.AddComboBoxFromLayout(105, L"fronts");
    auto* combo = static_cast<CDXUTComboBox*>(dialog.GetControl(105));
    static int data[4] = {1, 2, 3, 4};
    combo->AddItem(L"East", &data[0]);
    combo->AddItem(L"West", &data[1]);
    combo->AddItem(L"South", &data[2]);
    combo->AddItem(L"North", &data[3]);
    return combo;
}

TEST_F(ValueControls, ComboBoxFirstItemIsSelectedQuietly)
{
    CDXUTComboBox* combo = AddFronts(dialog);
    EXPECT_EQ(combo->GetSelectedIndex(), 0);
    EXPECT_TRUE(events.empty());
    dialog.EnableNonUserEvents(true);
    combo->RemoveAllItems();
    EXPECT_EQ(combo->GetSelectedItem(), nullptr);
    EXPECT_EQ(combo->AddItem(nullptr, nullptr), E_INVALIDARG);
    combo->AddItem(L"Only", nullptr);
    EXPECT_EQ(events, (std::vector<sSeenEvent>{{EVENT_COMBOBOX_SELECTION_CHANGED, 105}}));
    EXPECT_TRUE(sounds.empty());
    EXPECT_EQ(combo->SetSelectedByIndex(1), E_INVALIDARG);
    EXPECT_EQ(combo->SetSelectedByData(&events), E_FAIL);
    EXPECT_EQ(combo->FindItem(L"Only"), 0);
    EXPECT_FALSE(combo->ContainsItem(L"only"));
}

TEST_F(ValueControls, ComboBoxWheelOnAClosedListStepsWithinTheEnds)
{
    CDXUTComboBox* combo = AddFronts(dialog);
    Move(40, 170);
    EXPECT_TRUE(Wheel(1, 40, 170)); // forward on the first item: nothing
    EXPECT_EQ(combo->GetSelectedIndex(), 0);
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(sounds.empty());
    Wheel(-1, 40, 170);
    Wheel(-1, 40, 170);
    EXPECT_EQ(combo->GetSelectedIndex(), 2);
    EXPECT_EQ(events.size(), 2u);
    EXPECT_EQ(sounds.size(), 2u);
    Wheel(-1, 40, 170);
    Wheel(-1, 40, 170); // past the end: nothing
    EXPECT_EQ(combo->GetSelectedIndex(), 3);
    EXPECT_EQ(events.size(), 3u);
    EXPECT_EQ(*static_cast<int*>(combo->GetSelectedData()), 4);
}

TEST_F(ValueControls, ComboBoxOpensBelowItselfAndPicksWithMouseAndKeys)
{
    CDXUTComboBox* combo = AddFronts(dialog);
    EXPECT_EQ(combo->GetDropdownRect().top, 190); // right below the box
    Click(40, 170);
    ASSERT_TRUE(combo->IsOpened());
    device.ClearCalls();
    Render(1.0f); // lays the items out
    const sRect& text = combo->GetDropdownTextRect();
    int line = dialog.GetFontHeight(1);
    // The focused item alone stands out in colour; every item is placed alike, in the middle.
    cTexture* gui = dialog.GetTexture(0)->pTexture.get();
    std::map<int, tColor> colours;
    for (const sQuad& q : device.Quads()) {
        const float middle = (q.corners[0].y + q.corners[2].y) / 2;
        if (q.texture == gui || middle < float(text.top) || middle > float(text.bottom))
            continue;
        colours[int(middle - float(text.top)) / line] = q.color;
        EXPECT_NEAR((q.corners[0].x + q.corners[2].x) / 2, float(text.left + text.right) / 2, 2.0f);
    }
    ASSERT_EQ(colours.size(), 4u);
    for (int row = 1; row < 4; ++row) {
        EXPECT_NE(colours[row], colours[0]) << "item " << row;
        EXPECT_EQ(colours[row], colours[1]);
    }
    // A click on the third item selects it and closes the list; its hint goes with it, not
    // to stay over whatever lay under the list.
    Move(text.left + 5, text.top + 2 * line + 2);
    EXPECT_EQ(hintControl, combo);
    Down(text.left + 5, text.top + 2 * line + 2);
    Up(text.left + 5, text.top + 2 * line + 2);
    EXPECT_FALSE(combo->IsOpened());
    EXPECT_EQ(hintControl, nullptr);
    EXPECT_EQ(combo->GetSelectedIndex(), 2);
    EXPECT_EQ(events, (std::vector<sSeenEvent>{{EVENT_COMBOBOX_SELECTION_CHANGED, 105}}));

    // Keys: Up and Down step and report at once while closed.
    Clear();
    KeyDown(VK_UP);
    EXPECT_EQ(combo->GetSelectedIndex(), 1);
    EXPECT_EQ(sounds.size(), 1u);
    // F4 opens; steps inside the open list wait for Enter.
    KeyDown(VK_F1 + 3);
    EXPECT_TRUE(combo->IsOpened());
    KeyDown(VK_DOWN);
    KeyDown(VK_DOWN);
    EXPECT_EQ(events.size(), 1u);
    EXPECT_TRUE(KeyDown(VK_RETURN));
    EXPECT_FALSE(combo->IsOpened());
    EXPECT_EQ(combo->GetSelectedIndex(), 3);
    EXPECT_EQ(events.size(), 2u);
    // An auto-repeated F4 does nothing.
    EXPECT_TRUE(Send(WM_KEYDOWN, VK_F1 + 3, tLParam(1) << 30));
    EXPECT_FALSE(combo->IsOpened());

    // A click outside an open list closes it and keeps the selection.
    Click(40, 170);
    ASSERT_TRUE(combo->IsOpened());
    Clear();
    EXPECT_FALSE(Down(600, 600));
    EXPECT_FALSE(combo->IsOpened());
    EXPECT_EQ(combo->GetSelectedIndex(), 3);
    EXPECT_EQ(events.size(), 1u);

    // The hotkey steps to the next item and wraps to the first.
    combo->SetHotkey('F');
    Press('F');
    EXPECT_EQ(combo->GetSelectedIndex(), 0);
}

TEST_F(ValueControls, SliderThumbFollowsTheValueAndTheKeysAreReversed)
{
    dialog.AddSlider(1, 10, 10, 120, 25, 0, 100, 50);
    auto* slider = static_cast<CDXUTSlider*>(dialog.GetControl(1));
    EXPECT_EQ(slider->GetThumbRect().left, 10 + 55);
    slider->SetValue(100);
    EXPECT_EQ(slider->GetThumbRect().left, 10 + 105);
    slider->SetValue(0);
    EXPECT_EQ(slider->GetThumbRect().left, 15);
    EXPECT_TRUE(events.empty());

    CDXUTDialog::RequestFocus(slider);
    slider->SetValue(50);
    KeyDown(VK_UP);
    EXPECT_EQ(slider->GetValue(), 49);
    KeyDown(VK_DOWN);
    KeyDown(VK_NEXT);
    EXPECT_EQ(slider->GetValue(), 51);
    KeyDown(VK_END);
    EXPECT_EQ(slider->GetValue(), 100);
    KeyDown(VK_RIGHT); // already at the end: no change, no event
    KeyDown(VK_HOME);
    EXPECT_EQ(slider->GetValue(), 0);
    EXPECT_EQ(events.size(), 5u);
    EXPECT_EQ(sounds.size(), 5u);

    // A click beside the thumb steps by one toward the click.
    slider->SetValue(50);
    Clear();
    Click(120, 20);
    EXPECT_EQ(slider->GetValue(), 51);
    Click(20, 20);
    EXPECT_EQ(slider->GetValue(), 50);

    // Dragging the thumb: the value under the pointer, reported at the release.
    Clear();
    Move(68, 20);
    Down(68, 20);
    EXPECT_TRUE(slider->IsPressed());
    Move(88, 20);
    EXPECT_EQ(slider->GetValue(), 70);
    Move(500, 20);
    EXPECT_EQ(slider->GetValue(), 100);
    Up(500, 20);
    EXPECT_EQ(events.back(), (sSeenEvent{EVENT_SLIDER_VALUE_CHANGED, 1}));
    EXPECT_EQ(CDXUTDialog::GetFocusControl(), nullptr);

    // A new range clamps the value as a program change.
    dialog.EnableNonUserEvents(true);
    Clear();
    slider->SetRange(0, 10);
    EXPECT_EQ(slider->GetValue(), 10);
    EXPECT_EQ(events.size(), 1u);
    EXPECT_TRUE(sounds.empty());
    slider->SetRange(5, 5);
    EXPECT_EQ(slider->GetThumbRect().left, 15);
}

class ScrollBarTest : public cGuiTest
{
protected:
    void SetUp() override
    {
        cGuiTest::SetUp();
        dialog.InitControl(&bar);
        bar.SetLocation(0, 0);
        bar.SetSize(20, 220); // arrows 20 high, track 180
        bar.SetTrackRange(0, 100);
        bar.SetPageSize(10);
    }
    CDXUTScrollBar bar;
};

TEST_F(ScrollBarTest, AShortRangeShowsNoThumbAndIgnoresTheMouse)
{
    EXPECT_TRUE(bar.IsThumbShown());
    EXPECT_EQ(bar.GetThumbRect().Height(), 18);
    bar.SetTrackRange(0, 10);
    EXPECT_FALSE(bar.IsThumbShown());
    EXPECT_FALSE(bar.HandleMouse(WM_LBUTTONDOWN, 5, 210, 0, 0));
    EXPECT_EQ(bar.GetTrackPos(), 0);

    bar.SetTrackRange(0, 100);
    bar.ShowItem(50);
    EXPECT_EQ(bar.GetTrackPos(), 41);
    bar.ShowItem(500);
    EXPECT_EQ(bar.GetTrackPos(), 90);
    bar.Scroll(-200);
    EXPECT_EQ(bar.GetTrackPos(), 0);
    // The track pages by one less than the page.
    EXPECT_TRUE(bar.HandleMouse(WM_LBUTTONDOWN, 5, 150, 0, 0));
    EXPECT_EQ(bar.GetTrackPos(), 9);
    bar.HandleMouse(WM_LBUTTONUP, 5, 150, 0, 0);

    // The thumb drags proportionally.
    int top = bar.GetThumbRect().top;
    EXPECT_TRUE(bar.HandleMouse(WM_LBUTTONDOWN, 5, top + 2, 0, 0));
    EXPECT_TRUE(bar.HandleMouse(WM_MOUSEMOVE, 5, 200 - 18 + 2, 0, 0));
    EXPECT_EQ(bar.GetTrackPos(), 90);
    bar.HandleMouse(WM_LBUTTONUP, 5, 190, 0, 0);
}

TEST_F(ScrollBarTest, AHeldArrowStepsAtOnceAfterAThirdOfASecondThenEveryTwentiethOfASecond)
{
    clock = 0;
    ASSERT_TRUE(bar.HandleMouse(WM_LBUTTONDOWN, 5, 215, 0, 0));
    EXPECT_EQ(bar.GetTrackPos(), 1);
    auto frameAt = [&](double t) {
        clock = t;
        bar.Render(&device, 0.0f);
        return bar.GetTrackPos();
    };
    EXPECT_EQ(frameAt(0.30), 1);
    EXPECT_EQ(frameAt(0.34), 2);
    EXPECT_EQ(frameAt(0.38), 2);
    EXPECT_EQ(frameAt(0.40), 3);
    EXPECT_EQ(frameAt(0.46), 4);

    // A second held for a whole second, at 64 frames a second.
    bar.HandleMouse(WM_LBUTTONUP, 5, 215, 0, 0);
    bar.SetTrackPos(0);
    clock = 0;
    bar.HandleMouse(WM_LBUTTONDOWN, 5, 215, 0, 0);
    for (int frame = 1; frame <= 64; ++frame)
        frameAt(frame / 64.0);
    EXPECT_EQ(bar.GetTrackPos(), 12); // 1 at once, 1 at 0.34 s, then 10 more by 1 s
    // Moving off the arrow stops the repeat; the button-up ends it.
    bar.HandleMouse(WM_MOUSEMOVE, 5, 100, 0, 0);
    EXPECT_EQ(frameAt(2.0), 12);
    bar.HandleMouse(WM_LBUTTONUP, 5, 215, 0, 0);
    bar.HandleMouse(WM_MOUSEMOVE, 5, 215, 0, 0);
    EXPECT_EQ(frameAt(3.0), 12);
}

} // namespace
