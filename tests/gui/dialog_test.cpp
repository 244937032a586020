// The dialog: routing of mouse and keys to its controls, hover and hints, dragging in
// 5-pixel steps with the layout's veto, the caption, hotkeys and the event rule.
#include "tests/gui/gui_fixture.h"

namespace {

using Dialog = cGuiTest;

TEST_F(Dialog, DraggingMovesInStepsOfFiveAfterTenPixelsAndNeverClicks)
{
    ASSERT_EQ(dialog.AddButtonFromLayout(101, L"Drag me", L"hint"), S_OK);
    CDXUTControl* button = dialog.GetControl(101);
    button->m_bDraggable = true;
    std::vector<std::pair<int, int>> hookMoves;
    g_GuiHooks.layoutMove = [&](CDXUTDialog*, int id, int, int, int, int, int dx, int dy, int, int) {
        EXPECT_EQ(id, 101);
        hookMoves.push_back({dx, dy});
        return true;
    };

    Move(50, 70);
    Down(50, 70);
    EXPECT_FALSE(Move(54, 70)); // 4 pixels: below the threshold, normal handling
    EXPECT_EQ(button->m_x, 30);
    EXPECT_TRUE(Move(60, 70)); // 10 pixels: moved by 10
    EXPECT_EQ(button->m_x, 40);
    EXPECT_TRUE(Move(72, 73)); // 12 more: moved by 10, 2 pending
    EXPECT_EQ(button->m_x, 50);
    EXPECT_EQ(button->m_y, 55);
    EXPECT_TRUE(Move(75, 73)); // the 2 pending and 3 more make 5
    EXPECT_EQ(button->m_x, 55);
    EXPECT_TRUE(Up(75, 73));
    EXPECT_TRUE(events.empty()) << "a drag must not click";
    EXPECT_FALSE(static_cast<CDXUTButton*>(button)->IsPressed());
    EXPECT_FALSE(CDXUTDialog::IsControlDragInProgress());
    EXPECT_EQ(hookMoves, (std::vector<std::pair<int, int>>{{10, 0}, {10, 0}, {5, 0}}));

    // A plain click afterwards clicks again.
    Click(80, 75);
    EXPECT_EQ(events, (std::vector<sSeenEvent>{{EVENT_BUTTON_CLICKED, 101}}));
}

TEST_F(Dialog, ARejectedMoveLeavesTheControlWhereItWas)
{
    dialog.AddButtonFromLayout(101, L"Drag me", nullptr);
    CDXUTControl* button = dialog.GetControl(101);
    button->m_bDraggable = true;
    g_GuiHooks.layoutMove = [](CDXUTDialog*, int, int left, int, int, int, int, int, int, int) { return left >= 30; };
    Move(50, 70);
    Down(50, 70);
    EXPECT_TRUE(Move(35, 70)); // -15: refused
    EXPECT_EQ(button->m_x, 30);
    EXPECT_EQ(button->GetBoundingBox().left, 30);
    EXPECT_TRUE(Move(55, 70)); // the grab point stayed on the control: 5 past it
    EXPECT_EQ(button->m_x, 35);
    Up(55, 70);
}

TEST_F(Dialog, TheControlCreatedLaterTakesClicksAndHover)
{
    dialog.AddButton(1, L"below", 10, 10, 100, 30);
    dialog.AddButton(2, L"above", 60, 10, 100, 30);
    dialog.GetControl(1)->SetHint(L"below");
    dialog.GetControl(2)->SetHint(L"above");
    Move(80, 20);
    EXPECT_EQ(dialog.GetHoveredControl(), dialog.GetControl(2));
    EXPECT_EQ(hintText, L"above");
    Click(80, 20);
    Move(20, 20);
    EXPECT_EQ(hintText, L"below");
    Click(20, 20);
    EXPECT_EQ(events, (std::vector<sSeenEvent>{{EVENT_BUTTON_CLICKED, 2}, {EVENT_BUTTON_CLICKED, 1}}));
    EXPECT_EQ(sounds, events);
}

TEST_F(Dialog, DisabledControlsShowHintsOnlyWhenTheyCanBePointedAt)
{
    dialog.AddStaticFromLayout(100, L"Label");
    dialog.GetControl(100)->SetHint(L"static hint");
    dialog.AddButtonFromLayout(101, L"Off", L"why it is off");
    dialog.SetControlEnabled(101, false);

    Move(40, 30);
    EXPECT_EQ(dialog.GetHoveredControl(), nullptr) << "a disabled static is not under the mouse";
    EXPECT_EQ(hintControl, nullptr);
    dialog.SetControlEnabled(100, true);
    Move(41, 30);
    EXPECT_EQ(hintText, L"static hint");
    EXPECT_FALSE(dialog.GetControl(100)->CanHaveFocus());

    Move(40, 70);
    EXPECT_EQ(dialog.GetHoveredControl(), dialog.GetControl(101));
    EXPECT_EQ(hintText, L"why it is off");
    Click(40, 70);
    dialog.GetControl(101)->SetHotkey('O');
    Press('O');
    EXPECT_TRUE(events.empty());

    // A control given another hint while it shows its own shows the new one at once: a
    // button its own click disabled says why, under the pointer that clicked it.
    dialog.GetControl(101)->SetHint(L"already done");
    EXPECT_EQ(hintText, L"already done");
    EXPECT_TRUE(hintForced);

    // A dialog that hears the move after this one forgets only a hint of its own.
    CDXUTDialog other;
    other.AddButton(7, L"", 200, 200, 20, 20);
    Move(5, 5);
    other.MsgProc(WM_MOUSEMOVE, 0, MakeLParam(205, 205));
    Move(40, 70);
    other.MsgProc(WM_MOUSEMOVE, 0, MakeLParam(40, 70));
    EXPECT_EQ(hintText, L"already done");
}

TEST_F(Dialog, HotkeysNeedKeyboardInputAVisibleEnabledControlAndNoEditBoxInFocus)
{
    dialog.AddButtonFromLayout(101, L"Go", nullptr, 'G');
    dialog.AddButtonFromLayout(140, L"Hidden", nullptr, 'H');
    dialog.GetControl(140)->SetVisible(false);
    Press('H');
    EXPECT_TRUE(events.empty());
    Press('G');
    EXPECT_EQ(events, (std::vector<sSeenEvent>{{EVENT_BUTTON_CLICKED, 101}}));
    EXPECT_EQ(sounds.size(), 1u);

    Clear();
    dialog.EnableKeyboardInput(false);
    Press('G');
    EXPECT_TRUE(events.empty());
    dialog.EnableKeyboardInput(true);

    dialog.AddEditBoxFromLayout(107, L"", nullptr);
    CDXUTDialog::RequestFocus(dialog.GetControl(107));
    Press('G');
    EXPECT_TRUE(events.empty());
}

TEST_F(Dialog, ProgramMadeEventsReachTheCallbackOnlyWhenAskedAndNeverSound)
{
    dialog.AddButtonFromLayout(101, L"Go", nullptr);
    CDXUTControl* button = dialog.GetControl(101);
    dialog.SendEvent(EVENT_BUTTON_CLICKED, false, button);
    EXPECT_TRUE(events.empty());
    dialog.EnableNonUserEvents(true);
    dialog.SendEvent(EVENT_BUTTON_CLICKED, false, button);
    EXPECT_EQ(events.size(), 1u);
    EXPECT_TRUE(sounds.empty());
    dialog.SendEvent(EVENT_BUTTON_CLICKED, true, button, false);
    EXPECT_EQ(events.size(), 2u);
    EXPECT_TRUE(sounds.empty());

    // Without a callback nothing sounds either.
    dialog.SetCallback(nullptr);
    Click(40, 70);
    EXPECT_TRUE(sounds.empty());
}

TEST_F(Dialog, ACaptionClickMinimisesAndForgetsTheHoveredControl)
{
    dialog.SetLocation(100, 50);
    dialog.SetSize(300, 200);
    dialog.EnableCaption(true);
    dialog.SetCaptionText(L"Orders");
    dialog.AddButton(1, L"Go", 10, 10, 100, 30);
    // Controls lie below the 18-pixel caption.
    Move(115, 50 + 18 + 15);
    ASSERT_EQ(dialog.GetHoveredControl(), dialog.GetControl(1));

    EXPECT_TRUE(Down(150, 55));
    EXPECT_TRUE(Up(150, 55));
    EXPECT_TRUE(dialog.GetMinimized());
    EXPECT_EQ(dialog.GetHoveredControl(), nullptr);
    EXPECT_EQ(hintControl, nullptr);
    EXPECT_EQ(dialog.GetControlAtPoint(15, 15), nullptr);
    EXPECT_FALSE(Down(115, 83));
    Up(115, 83);
    EXPECT_TRUE(events.empty());

    // Only the caption is drawn while minimised.
    device.ClearCalls();
    Render(1.0f);
    size_t minimised = device.Quads().size();
    Down(150, 55);
    Up(150, 55);
    EXPECT_FALSE(dialog.GetMinimized());
    device.ClearCalls();
    Render(1.0f);
    EXPECT_GT(device.Quads().size(), minimised);
}

TEST_F(Dialog, FocusMovesWithTabAndArrowsAndIsForgottenWithItsControl)
{
    dialog.AddButton(1, L"One", 0, 0, 50, 20, 0, true);
    dialog.AddStatic(2, L"Label", 0, 30, 50, 20);
    dialog.AddButton(3, L"Three", 0, 60, 50, 20);
    KeyDown(VK_TAB); // no focus yet: the default control
    EXPECT_EQ(CDXUTDialog::GetFocusControl(), dialog.GetControl(1));
    KeyDown(VK_TAB); // the static cannot take it
    EXPECT_EQ(CDXUTDialog::GetFocusControl(), dialog.GetControl(3));
    keys[VK_SHIFT] = true;
    KeyDown(VK_TAB);
    keys[VK_SHIFT] = false;
    EXPECT_EQ(CDXUTDialog::GetFocusControl(), dialog.GetControl(1));
    KeyDown(VK_DOWN);
    EXPECT_EQ(CDXUTDialog::GetFocusControl(), dialog.GetControl(3));
    KeyDown(VK_SPACE);
    KeyUp(VK_SPACE);
    EXPECT_EQ(events, (std::vector<sSeenEvent>{{EVENT_BUTTON_CLICKED, 3}}));

    Move(10, 65);
    dialog.RemoveControl(3);
    EXPECT_EQ(CDXUTDialog::GetFocusControl(), nullptr);
    EXPECT_EQ(dialog.GetHoveredControl(), nullptr);
    EXPECT_EQ(dialog.GetControlCount(), 2);
    EXPECT_EQ(dialog.GetControl(3), nullptr);

    // A click on empty space takes the focus away.
    CDXUTDialog::RequestFocus(dialog.GetControl(1));
    Down(200, 200);
    EXPECT_EQ(CDXUTDialog::GetFocusControl(), nullptr);

    // Removing any control takes the focus from the control that holds it.
    dialog.AddButton(4, L"Four", 0, 90, 50, 20);
    CDXUTDialog::RequestFocus(dialog.GetControl(1));
    dialog.RemoveControl(4);
    EXPECT_EQ(CDXUTDialog::GetFocusControl(), nullptr);
}

TEST_F(Dialog, ControlsFadeInAfterARefreshAndHidingClearsTheShownHint)
{
    dialog.AddButtonFromLayout(101, L"Go", L"hint");
    Move(40, 70);
    EXPECT_EQ(hintControl, dialog.GetControl(101));
    dialog.SetVisible(false);
    EXPECT_EQ(hintControl, nullptr);
    EXPECT_FALSE(Down(40, 70));
    dialog.SetVisible(true);

    // The hint of another dialog's control stays when this one hides; emptying this one
    // clears whatever hint is shown.
    CDXUTDialog other;
    other.AddButton(7, L"Other", 0, 0, 50, 20);
    Move(40, 70);
    hintControl = other.GetControl(7);
    dialog.SetVisible(false);
    EXPECT_EQ(hintControl, other.GetControl(7));
    dialog.SetVisible(true);
    Move(500, 500);
    hintControl = other.GetControl(7);
    dialog.RemoveAllControls();
    EXPECT_EQ(hintControl, nullptr);
    dialog.AddButtonFromLayout(101, L"Go", L"hint");

    CDXUTDialog::SetRefreshTime(5.0);
    clock = 10;
    device.ClearCalls();
    dialog.OnRender(0.0f); // refreshed: every element at its hidden colour, nothing drawn
    EXPECT_TRUE(device.Quads().empty());
    dialog.OnRender(0.5f);
    EXPECT_FALSE(device.Quads().empty());
}

} // namespace
