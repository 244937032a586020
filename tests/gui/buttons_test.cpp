// Buttons, check boxes, radio buttons, icons and images: clicks, Space, hotkeys, groups,
// the event rule for program-made changes, and how they are drawn.
#include "tests/gui/gui_fixture.h"

namespace {

using Buttons = cGuiTest;

TEST_F(Buttons, PressingAndReleasingOffTheButtonReportsNothingButIsUsed)
{
    dialog.AddButtonFromLayout(101, L"Fire", nullptr);
    auto* button = static_cast<CDXUTButton*>(dialog.GetControl(101));
    Move(40, 70);
    EXPECT_TRUE(Down(40, 70));
    EXPECT_TRUE(button->IsPressed());
    EXPECT_TRUE(captured);
    Move(400, 400);
    EXPECT_TRUE(Up(400, 400));
    EXPECT_FALSE(button->IsPressed());
    EXPECT_FALSE(captured);
    EXPECT_TRUE(events.empty());

    // Space on the focused button clicks it.
    ASSERT_EQ(CDXUTDialog::GetFocusControl(), button);
    EXPECT_TRUE(KeyDown(VK_SPACE));
    EXPECT_TRUE(KeyUp(VK_SPACE));
    EXPECT_EQ(events, (std::vector<sSeenEvent>{{EVENT_BUTTON_CLICKED, 101}}));
    EXPECT_EQ(sounds, events);
}

TEST_F(Buttons, CheckBoxesToggleAndReportProgramChangesOnlyWithNonUserEvents)
{
    dialog.AddCheckBoxFromLayout(102, L"Show grid", L"hint", true);
    auto* box = static_cast<CDXUTCheckBox*>(dialog.GetControl(102));
    EXPECT_TRUE(box->GetChecked());
    EXPECT_TRUE(events.empty());
    // The box is the left square; the text starts a quarter of a box further.
    EXPECT_EQ(box->GetButtonRect(), (sRect{30, 95, 55, 120}));
    EXPECT_EQ(box->GetTextRect().left, 30 + 31);

    Click(40, 100);
    EXPECT_FALSE(box->GetChecked());
    EXPECT_EQ(events, (std::vector<sSeenEvent>{{EVENT_CHECKBOX_CHANGED, 102}}));
    EXPECT_EQ(sounds.size(), 1u);

    Clear();
    box->SetChecked(false); // stored and reported even unchanged, but only as a program change
    EXPECT_TRUE(events.empty());
    dialog.EnableNonUserEvents(true);
    box->SetChecked(true);
    EXPECT_EQ(events.size(), 1u);
    EXPECT_TRUE(sounds.empty());
    dialog.AddCheckBoxFromLayout(140, L"Second", nullptr, false);
    EXPECT_EQ(events.size(), 2u);
}

TEST_F(Buttons, RadioButtonsKeepOneOfTheirGroupChecked)
{
    dialog.AddRadioButtonFromLayout(103, 1, L"Axis", nullptr, true);
    dialog.AddRadioButtonFromLayout(104, 1, L"Allies", nullptr, false);
    dialog.AddRadioButtonFromLayout(140, 2, L"Other group", nullptr, true);
    auto* axis = static_cast<CDXUTRadioButton*>(dialog.GetControl(103));
    auto* allies = static_cast<CDXUTRadioButton*>(dialog.GetControl(104));
    auto* other = static_cast<CDXUTRadioButton*>(dialog.GetControl(140));

    Click(160, 130);
    EXPECT_TRUE(allies->GetChecked());
    EXPECT_FALSE(axis->GetChecked());
    EXPECT_TRUE(other->GetChecked());
    EXPECT_EQ(events, (std::vector<sSeenEvent>{{EVENT_RADIOBUTTON_CHANGED, 104}}));

    // Clicking the checked one again keeps it checked and reports again.
    Click(160, 130);
    EXPECT_TRUE(allies->GetChecked());
    EXPECT_EQ(events.size(), 2u);
    EXPECT_EQ(sounds.size(), 2u);

    // With non-user events the clearing of the group is reported too, without sound.
    Clear();
    dialog.EnableNonUserEvents(true);
    axis->SetHotkey('X');
    Press('X');
    EXPECT_TRUE(axis->GetChecked());
    EXPECT_FALSE(allies->GetChecked());
    EXPECT_EQ(events, (std::vector<sSeenEvent>{{EVENT_RADIOBUTTON_CHANGED, 103},
                                               {EVENT_RADIOBUTTON_CHANGED, 104},
                                               {EVENT_RADIOBUTTON_CHANGED, 103}}));
    EXPECT_EQ(sounds, (std::vector<sSeenEvent>{{EVENT_RADIOBUTTON_CHANGED, 103}}));
}

TEST_F(Buttons, ANarrowButtonDrawsTwoHalfCapsAndNoMiddle)
{
    dialog.AddButton(1, L"", 10, 10, 8, 30);
    Render(1.0f);
    std::vector<sQuad> quads = device.Quads();
    ASSERT_EQ(quads.size(), 2u);
    EXPECT_FLOAT_EQ(quads[0].corners[0].x, 10);
    EXPECT_FLOAT_EQ(quads[0].corners[2].x, 14);
    EXPECT_FLOAT_EQ(quads[1].corners[0].x, 14);
    EXPECT_FLOAT_EQ(quads[1].corners[2].x, 18);
    EXPECT_FLOAT_EQ(quads[0].src.left, 135); // left cap
    EXPECT_FLOAT_EQ(quads[1].src.left, 145); // right cap

    // Pressed, the pressed pieces are drawn at once.
    dialog.RemoveAllControls();
    dialog.AddButton(2, L"", 10, 10, 60, 30);
    Move(20, 20);
    Down(20, 20);
    device.ClearCalls();
    Render(0.0f);
    quads = device.Quads();
    ASSERT_EQ(quads.size(), 3u);
    EXPECT_FLOAT_EQ(quads[0].src.left, 151);
    EXPECT_EQ(quads[0].color, 0xFFFFFFFFu);
}

TEST_F(Buttons, PicturesClickLikeButtonsAndDrawTheirCellOrNothing)
{
    dialog.SetTexture(1, L"memory.png");
    dialog.GetTexture(1)->pTexture = cTexture::CreateBlank(64, 64);
    dialog.AddImageFromLayout(112, 0, 0, 0, 10, 10, L"picture", 0xFF808080);
    CDXUTIcon* icon = nullptr;
    dialog.AddIcon(2, 1520, 225, 1560, 265, 200, 300, 40, 40, 'I', false, &icon);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->GetCell(2), (sRect{1520, 305, 1560, 345}));

    // A disabled image is not clickable; texture slot 0 draws nothing.
    auto* image = static_cast<CDXUTImage*>(dialog.GetControl(112));
    EXPECT_FALSE(image->GetEnabled());
    Click(100, 350);
    EXPECT_TRUE(events.empty());
    image->SetEnabled(true);
    Click(100, 350);
    EXPECT_EQ(events, (std::vector<sSeenEvent>{{EVENT_BUTTON_CLICKED, 112}}));

    CDXUTDialog::ClearFocus(); // the focus control is drawn last
    device.ClearCalls();
    Render(1.0f);
    EXPECT_EQ(device.Quads().size(), 1u) << "only the icon: the image has texture slot 0";
    // A picture the program holds stands in for the slot's, and index 0 still draws nothing.
    auto held = cTexture::CreateBlank(8, 8);
    image->SetTextureSource([&held] { return held.get(); });
    device.ClearCalls();
    Render(1.0f);
    EXPECT_EQ(device.Quads().size(), 1u) << "only the icon: the held picture's image has index 0";
    image->SetTextureSource(nullptr);
    image->SetTextureIndex(1);
    device.ClearCalls();
    Render(1.0f);
    std::vector<sQuad> quads = device.Quads();
    ASSERT_EQ(quads.size(), 2u);
    EXPECT_EQ(quads[0].color, 0xFF808080u);
    EXPECT_FLOAT_EQ(quads[1].src.top, 265); // the icon's normal cell
    EXPECT_EQ(quads[1].color, 0xDCFFFFFFu);

    Move(210, 310);
    device.ClearCalls();
    Render(0.0f);
    EXPECT_FLOAT_EQ(device.Quads()[1].src.top, 305); // mouse-over cell
    icon->SetEnabled(false);
    device.ClearCalls();
    Render(0.0f);
    EXPECT_FLOAT_EQ(device.Quads()[1].src.top, 225); // disabled cell
}

} // namespace
