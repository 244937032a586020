// Edit boxes and memos: typing, forbidden characters, caret and selection keys, the
// clipboard with the same filter, caret placement from glyph advances, memo scrolling.
#include "tests/gui/gui_fixture.h"

#include <algorithm>

#include "platform/font.h"
#include "platform/window.h"

namespace {

using TextControls = cGuiTest;

// The x of the end of a text from the advances of its glyphs.
int Advances(cFont* font, const std::wstring& text)
{
    int x = 0;
    for (wchar_t ch : text)
        x += font->TextWidth(std::wstring(1, ch));
    return x;
}

CDXUTEditBox* AddEdit(CDXUTDialog& dialog, const wchar_t* text)
{
    dialog.AddEditBoxFromLayout(107, text, nullptr);
    auto* edit = static_cast<CDXUTEditBox*>(dialog.GetControl(107));
    CDXUTDialog::RequestFocus(edit);
    return edit;
}

TEST_F(TextControls, ForbiddenCharactersAreIgnoredWhenTypedAndWhenPasted)
{
    ASSERT_TRUE(InitVideo());
    CDXUTEditBox* edit = AddEdit(dialog, L"");
    const wchar_t forbidden[] = L"\\/:*?\"<>|";
    edit->m_pForbiddenChars = forbidden;
    Type(L"a\\b/c:d*e?f\"g<h>i|j k");
    EXPECT_EQ(edit->GetText(), L"abcdefghij k");
    EXPECT_EQ(events.size(), 12u);
    EXPECT_EQ(sounds.size(), 12u);

    Clear();
    SetClipboardText(L"save:1/\"x\"\tend");
    clock += 0.5; // most of a blink after the last key
    Char(22);     // Ctrl+V
    EXPECT_EQ(edit->GetText(), L"abcdefghij ksave1xend");
    EXPECT_EQ(events, (std::vector<sSeenEvent>{{EVENT_EDITBOX_CHANGE, 107}}));
    // The paste is an edit: the caret's blink starts again, so it still shows a moment later.
    auto caretsDrawn = [&](float elapsed) {
        device.ClearCalls();
        Render(elapsed);
        return std::count_if(device.Calls().begin(), device.Calls().end(), [&](const sRecordedCall& call) {
            return call.kind == sRecordedCall::kFillRect && call.colors[0] == edit->m_CaretColor;
        });
    };
    EXPECT_EQ(caretsDrawn(0.1f), 1);
    // Ten seconds after the last key the caret stands lit, and no frame is asked for a blink.
    double frameIn = -1;
    g_GuiHooks.frameWanted = [&frameIn](double seconds) { frameIn = seconds; };
    clock += 9;
    Render(1.0f); // the colours' fades end too
    frameIn = -1;
    EXPECT_EQ(caretsDrawn(1.0f), 1);
    EXPECT_EQ(frameIn, -1);
    keys[VK_SHIFT] = true;
    KeyDown(VK_INSERT); // Shift+Insert pastes the same way
    keys[VK_SHIFT] = false;
    EXPECT_EQ(edit->GetText(), L"abcdefghij ksave1xendsave1xend");

    // Ctrl+A, also over a part already selected, then Ctrl+X cuts everything to the clipboard.
    keys[VK_SHIFT] = true;
    KeyDown(VK_LEFT);
    keys[VK_SHIFT] = false;
    Char(1);
    Char(24);
    EXPECT_EQ(edit->GetText(), L"");
    EXPECT_EQ(GetClipboardText(), L"abcdefghij ksave1xendsave1xend");

    // A paste of nothing leaves the text and its selection, and is still reported.
    Type(L"Rome");
    Char(1);
    SetClipboardText(L"");
    Clear();
    Char(22);
    EXPECT_EQ(edit->GetText(), L"Rome");
    EXPECT_EQ(edit->GetSelectionStart(), 0);
    EXPECT_EQ(events, (std::vector<sSeenEvent>{{EVENT_EDITBOX_CHANGE, 107}}));
    QuitVideo();
}

TEST_F(TextControls, EnterReportsTheStringAndEscapeIsLeftToTheDialog)
{
    dialog.AddButton(1, L"Next", 0, 0, 50, 20);
    CDXUTEditBox* edit = AddEdit(dialog, L"Berlin");
    EXPECT_TRUE(KeyDown(VK_TAB)); // the edit box keeps Tab, and the focus
    EXPECT_EQ(CDXUTDialog::GetFocusControl(), edit);
    EXPECT_TRUE(Char(VK_RETURN));
    EXPECT_EQ(edit->GetText(), L"Berlin");
    EXPECT_EQ(events, (std::vector<sSeenEvent>{{EVENT_EDITBOX_STRING, 107}}));
    EXPECT_FALSE(KeyDown(VK_ESCAPE));
    EXPECT_TRUE(KeyDown(VK_UP));
    EXPECT_TRUE(KeyDown(VK_F1));
    Char(27); // Escape's character: a control character, ignored
    EXPECT_EQ(edit->GetText(), L"Berlin");
}

TEST_F(TextControls, CaretKeysMoveByCharactersAndWordsAndShiftSelects)
{
    CDXUTEditBox* edit = AddEdit(dialog, L"Army Group Centre");
    EXPECT_EQ(edit->GetCaret(), 17);
    keys[VK_CONTROL] = true;
    KeyDown(VK_LEFT);
    EXPECT_EQ(edit->GetCaret(), 11);
    KeyDown(VK_LEFT);
    EXPECT_EQ(edit->GetCaret(), 5);
    KeyDown(VK_LEFT);
    KeyDown(VK_LEFT);
    EXPECT_EQ(edit->GetCaret(), 0);
    KeyDown(VK_RIGHT);
    EXPECT_EQ(edit->GetCaret(), 5);
    keys[VK_CONTROL] = false;

    keys[VK_SHIFT] = true;
    KeyDown(VK_END);
    keys[VK_SHIFT] = false;
    EXPECT_EQ(edit->GetSelectionStart(), 5);
    Type(L"Corps");
    EXPECT_EQ(edit->GetText(), L"Army Corps");

    KeyDown(VK_HOME);
    KeyDown(VK_DELETE);
    EXPECT_EQ(edit->GetText(), L"rmy Corps");
    KeyDown(VK_END);
    Char(VK_BACK);
    EXPECT_EQ(edit->GetText(), L"rmy Corp");
    // Overwrite mode replaces the character at the caret.
    KeyDown(VK_HOME);
    KeyDown(VK_INSERT);
    EXPECT_FALSE(edit->GetInsertMode());
    Type(L"Ar");
    EXPECT_EQ(edit->GetText(), L"Ary Corp");
    KeyDown(VK_INSERT);
    Type(L"m");
    EXPECT_EQ(edit->GetText(), L"Army Corp");
    // In overwrite mode a selection goes, and the character after it is replaced.
    KeyDown(VK_INSERT);
    KeyDown(VK_HOME);
    keys[VK_SHIFT] = true;
    KeyDown(VK_RIGHT);
    KeyDown(VK_RIGHT);
    keys[VK_SHIFT] = false;
    Type(L"X");
    EXPECT_EQ(edit->GetText(), L"Xy Corp");
    KeyDown(VK_INSERT);
    KeyDown(VK_HOME);
    Type(L"Arm");
    EXPECT_EQ(edit->GetText(), L"ArmXy Corp");
    // Backspace at the start and Delete at the end change nothing, and are reported as any key.
    Clear();
    KeyDown(VK_HOME);
    Char(VK_BACK);
    KeyDown(VK_END);
    KeyDown(VK_DELETE);
    EXPECT_EQ(edit->GetText(), L"ArmXy Corp");
    EXPECT_EQ(events, (std::vector<sSeenEvent>{{EVENT_EDITBOX_CHANGE, 107}, {EVENT_EDITBOX_CHANGE, 107}}));
}

TEST_F(TextControls, AClickPlacesTheCaretByTheGlyphAdvances)
{
    CDXUTEditBox* edit = AddEdit(dialog, L"Warsaw");
    cFont* font = dialog.GetFontObject(1);
    ASSERT_NE(font, nullptr);
    int textLeft = edit->GetTextRect().left;
    int wa = Advances(font, L"Wa");
    int war = Advances(font, L"War");
    // On the left half of 'r': before it; on its right half: after it.
    Click(textLeft + wa + 1, 250);
    EXPECT_EQ(edit->GetCaret(), 2);
    Click(textLeft + war - 1, 250);
    EXPECT_EQ(edit->GetCaret(), 3);
    Click(textLeft + 200, 250); // beyond the text
    EXPECT_EQ(edit->GetCaret(), 6);
    // Dragging selects from the press point to the pointer.
    Move(textLeft + 1, 250);
    Down(textLeft + 1, 250);
    Move(textLeft + wa + 1, 250);
    Up(textLeft + wa + 1, 250);
    EXPECT_EQ(edit->GetSelectionStart(), 0);
    EXPECT_EQ(edit->GetCaret(), 2);
    Type(L"K");
    EXPECT_EQ(edit->GetText(), L"Krsaw");

    // A sample goes when the box is entered, and is never typed onto: also when the window
    // puts it in while the focus is in the box, where a click places the caret.
    edit->SetText(L"new player name", true);
    CDXUTDialog::ClearFocus();
    Click(textLeft + wa + 1, 250);
    EXPECT_EQ(edit->GetText(), L"");
    Type(L"Ada");
    EXPECT_EQ(edit->GetText(), L"Ada");
    Click(textLeft + 1, 250);
    Type(L"L");
    EXPECT_EQ(edit->GetText(), L"LAda");
    edit->SetText(L"player@example.com", true);
    EXPECT_TRUE(edit->IsSample());
    Click(textLeft + wa + 1, 250);
    Type(L"bob@example.org");
    EXPECT_EQ(edit->GetText(), L"bob@example.org");
    edit->SetText(L"player@example.com", true);
    Type(L"c");
    EXPECT_EQ(edit->GetText(), L"c");
    EXPECT_FALSE(edit->IsSample());
}

TEST_F(TextControls, ALongTextScrollsToKeepTheCaretInView)
{
    std::wstring longText(200, L'm');
    CDXUTEditBox* edit = AddEdit(dialog, longText.c_str());
    EXPECT_GT(edit->GetFirstVisible(), 100);
    cFont* font = dialog.GetFontObject(1);
    int hidden = Advances(font, longText.substr(0, size_t(edit->GetFirstVisible())));
    EXPECT_LE(Advances(font, longText) - hidden, edit->GetTextRect().Width());
    EXPECT_GT(Advances(font, longText) - hidden, edit->GetTextRect().Width() - 2 * font->TextWidth(L"m"));
    KeyDown(VK_HOME);
    EXPECT_EQ(edit->GetFirstVisible(), 0);
}

TEST_F(TextControls, AFullBufferTakesNoMoreAndReportsNothing)
{
    std::wstring full(CUniBuffer::kMaxLength, L'x');
    CDXUTEditBox* edit = AddEdit(dialog, full.c_str());
    ASSERT_EQ(edit->GetTextLength(), int(CUniBuffer::kMaxLength));
    Char(L'y');
    EXPECT_EQ(edit->GetTextLength(), int(CUniBuffer::kMaxLength));
    EXPECT_TRUE(events.empty());
    // Replacing a selection still works.
    Char(1);
    Char(L'y');
    EXPECT_EQ(edit->GetText(), L"y");
}

TEST_F(TextControls, ADisabledEditBoxCentresItsTextAndAnEnabledOneStartsAtTheLeft)
{
    CDXUTEditBox* edit = AddEdit(dialog, L"42");
    auto leftmostText = [&] {
        device.ClearCalls();
        Render(1.0f);
        float left = 1e9f;
        for (const sQuad& q : device.Quads())
            if (q.texture != dialog.GetTexture(0)->pTexture.get() && q.corners[0].y > 236 && q.corners[2].y < 266 &&
                q.color != 0xFFFFFFFF)
                left = std::min(left, q.corners[0].x);
        return left;
    };
    // The colour of the frame's top-left piece as drawn.
    auto frameColour = [&] {
        for (const sQuad& q : device.Quads())
            if (q.src.left == 168 && q.src.top == 1926)
                return q.color;
        return tColor(0);
    };
    edit->SetTextColor(0xFF202020);
    float enabled = leftmostText();
    EXPECT_LT(enabled, edit->GetTextRect().left + 4);
    EXPECT_EQ(frameColour(), 0xFFFFFFFFu);
    edit->SetEnabled(false);
    float disabled = leftmostText();
    EXPECT_GT(disabled, edit->GetTextRect().left + 80);
    // Disabled, its frame is drawn as a disabled control's: in the disabled grey.
    EXPECT_EQ(frameColour(), kDisabledGrey);
}

// A text too wide for a static, a read-only value box or a combo box's chosen item keeps its
// start and ends in an ellipsis inside the control, and the hint holds the whole text before
// the control's own.
TEST_F(TextControls, ATextTooWideKeepsItsStartAndTheHintHoldsItWhole)
{
    const std::wstring name = L"Sturzkampfgeschwader 1 of the Luftwaffe";
    dialog.AddStaticFromLayout(103, name.c_str());
    auto* label = static_cast<CDXUTStatic*>(dialog.GetControl(103));
    label->m_dwTextFormat = DT_CENTER | DT_VCENTER; // kept in its box, as a title is
    CDXUTEditBox* edit = AddEdit(dialog, name.c_str());
    edit->SetEnabled(false);
    edit->SetHint(L"The unit's name");
    dialog.AddComboBoxFromLayout(105, L"The country's player");
    auto* combo = static_cast<CDXUTComboBox*>(dialog.GetControl(105));
    combo->AddItem((name + L" and its long-named player").c_str(), nullptr);
    device.ClearCalls();
    Render(1.0f);
    cTexture* gui = dialog.GetTexture(0)->pTexture.get();
    int lines = 0;
    for (const sQuad& q : device.Quads())
        for (const CDXUTControl* control :
             {static_cast<CDXUTControl*>(label), static_cast<CDXUTControl*>(edit), static_cast<CDXUTControl*>(combo)}) {
            const sRect box = control->GetBoundingBox();
            if (q.texture == gui || q.corners[0].y < float(box.top) || q.corners[2].y > float(box.bottom))
                continue;
            ++lines;
            EXPECT_EQ(q.src.left, 0.0f) << "control " << control->GetID() << " drew its text from its start";
            EXPECT_GE(q.corners[0].x, float(box.left));
            EXPECT_LE(q.corners[2].x, float(box.right));
        }
    EXPECT_GE(lines, 3);

    const sRect at = label->GetBoundingBox();
    Move(at.left + 5, at.top + 5);
    EXPECT_EQ(hintText, name);
    const sRect box = edit->GetBoundingBox();
    Move(box.left + 5, box.top + 5);
    EXPECT_EQ(hintText, name + L"\n" + L"The unit's name");
    // A text that fits has the control's own hint alone, told at once while shown.
    edit->SetText(L"Stuka");
    Render();
    EXPECT_TRUE(hintForced);
    EXPECT_EQ(hintText, L"The unit's name");
    const sRect chosen = combo->GetBoundingBox();
    Move(chosen.left + 5, chosen.top + 5);
    EXPECT_EQ(hintText, name + L" and its long-named player\nThe country's player");
}

TEST_F(TextControls, AMemoScrollsByLinesAndShowsItsEndOnRequest)
{
    g_GuiHooks.wheelScrollLines = [] { return 7; };
    dialog.AddMemoFromLayout(108, L"A short note.");
    auto* memo = static_cast<CDXUTMemo*>(dialog.GetControl(108));
    EXPECT_FALSE(memo->GetScrollBar().IsThumbShown());

    std::wstring text;
    for (int i = 0; i < 200; ++i)
        text += (i ? L"\nLine " : L"Line ") + std::to_wstring(i);
    memo->SetText(text.c_str());
    CDXUTScrollBar& bar = memo->GetScrollBar();
    EXPECT_TRUE(bar.IsThumbShown());
    EXPECT_EQ(bar.GetTrackEnd(), 200);
    int page = bar.GetPageSize();
    EXPECT_EQ(page, memo->GetTextRect().Height() / memo->GetLineHeight());

    Move(400, 370);
    Wheel(-1, 400, 370);
    EXPECT_EQ(bar.GetTrackPos(), 1) << "one line per notch whatever the wheel setting";
    Wheel(-3, 400, 370);
    EXPECT_EQ(bar.GetTrackPos(), 4);
    Wheel(2, 400, 370);
    EXPECT_EQ(bar.GetTrackPos(), 2);
    // A list chosen beside it keeps the focus, not the wheel over the memo.
    dialog.AddListBoxFromLayout(110, 0);
    CDXUTDialog::RequestFocus(dialog.GetControl(110));
    Wheel(1, 400, 370);
    EXPECT_EQ(bar.GetTrackPos(), 1);

    memo->ScrollToEnd();
    EXPECT_EQ(bar.GetTrackPos(), 200 - page);
    memo->ScrollToEnd();
    EXPECT_EQ(bar.GetTrackPos(), 200 - page);

    // The text is cut at the memo's text rectangle where the dialog lies on the screen.
    dialog.SetLocation(100, 40);
    device.ClearCalls();
    Render(1.0f);
    bool clipped = false;
    for (const sRecordedCall& call : device.Calls())
        if (call.kind == sRecordedCall::kClip && call.clipOn)
            clipped |= call.clip == OffsetRect(memo->GetTextRect(), 100, 40);
    EXPECT_TRUE(clipped);

    // A memo lower than one line (a negative height in the layout) has no page and no thumb.
    dialog.AddMemo(1, L"", 0, 0, 100, -40);
    auto* flat = static_cast<CDXUTMemo*>(dialog.GetControl(1));
    EXPECT_EQ(flat->GetScrollBar().GetPageSize(), 0);
    EXPECT_FALSE(flat->GetScrollBar().IsThumbShown());
}

} // namespace
