// The builders of labelled control pairs.
#include "tests/gui/gui_fixture.h"

#include "shell/dialog_builders.h"

namespace {

using DialogBuilders = cGuiTest;

TEST_F(DialogBuilders, AReadOnlyValueIsADisabledWhiteEditBoxWithALeftAlignedCaption)
{
    AddReadOnlyEditBox(&dialog, 113, L"1250", L"points", 114, L"Strength");
    auto* edit = static_cast<CDXUTEditBox*>(dialog.GetControl(113, DXUT_CONTROL_EDITBOX));
    ASSERT_NE(edit, nullptr);
    EXPECT_FALSE(edit->GetEnabled());
    EXPECT_EQ(edit->m_TextColor, 0xFFFFFFFFu);
    EXPECT_EQ(edit->GetTextRect(), (sRect{132, 277, 278, 299}));
    EXPECT_EQ(edit->GetText(), L"1250");
    EXPECT_STREQ(edit->GetHint(), L"points");
    auto* caption = static_cast<CDXUTStatic*>(dialog.GetControl(114, DXUT_CONTROL_STATIC));
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->m_dwTextFormat, DT_VCENTER);
    EXPECT_EQ(caption->GetElement(0)->FontColor.States[DXUT_STATE_NORMAL], 0xFFFFFFFFu);
    // Still hoverable for its hint, never editable.
    Move(140, 285);
    EXPECT_EQ(hintText, L"points");
    Click(140, 285);
    Type(L"9");
    EXPECT_EQ(edit->GetText(), L"1250");
}

TEST_F(DialogBuilders, ALabelledSliderHasARightAlignedValueAndAMemoItsCaption)
{
    AddLabeledSlider(&dialog, 106, 0, 200, 150, 115, L"Volume", 116, L"150");
    auto* slider = static_cast<CDXUTSlider*>(dialog.GetControl(106, DXUT_CONTROL_SLIDER));
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->GetValue(), 150);
    int min = 0, max = 0;
    slider->GetRange(min, max);
    EXPECT_EQ(max, 200);
    EXPECT_EQ(static_cast<CDXUTStatic*>(dialog.GetControl(116))->m_dwTextFormat, DT_RIGHT | DT_VCENTER);
    EXPECT_EQ(static_cast<CDXUTStatic*>(dialog.GetControl(115))->GetText(), L"Volume");

    AddMemoWithCaption(&dialog, 108, L"Notes", nullptr, 117, L"Description");
    EXPECT_NE(dialog.GetControl(108, DXUT_CONTROL_MEMO), nullptr);
    EXPECT_EQ(static_cast<CDXUTStatic*>(dialog.GetControl(117))->GetText(), L"Description");
    EXPECT_EQ(dialog.GetControl(108)->GetBoundingBox(), (sRect{300, 340, 580, 410}));
}

} // namespace
