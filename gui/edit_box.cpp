#include "gui/edit_box.h"

#include <algorithm>
#include <cwchar>

#include "gui/dialog.h"
#include "gui/gui_hooks.h"
#include "platform/font.h"
#include "platform/window.h"

bool CDXUTEditBox::s_bHideCaret = false;

CDXUTEditBox::CDXUTEditBox(CDXUTDialog* dialog) : CDXUTControl(dialog), m_Buffer(1)
{
    m_Type = DXUT_CONTROL_EDITBOX;
}

tResult CDXUTEditBox::OnInit()
{
    if (CDXUTElement* element = GetElement(0))
        m_TextColor = element->FontColor.States[DXUT_STATE_NORMAL];
    return S_OK;
}

void CDXUTEditBox::UseFont()
{
    CDXUTElement* element = GetElement(0);
    int slot = element ? element->iFont : m_Buffer.GetFontSlot();
    m_Buffer.SetFontSlot(slot);
    m_Buffer.SetMeasure(m_pDialog ? m_pDialog->GetFontObject(slot) : nullptr);
}

void CDXUTEditBox::UpdateRects()
{
    CDXUTControl::UpdateRects();
    const sRect& b = m_rcBoundingBox;
    m_rcText = InflateRect(b, -m_nBorder, -m_nBorder);
    // The frame pieces are 10 pixels thick.
    SplitFrame(b, InflateRect(b, -10, -10), m_rcRender);
}

void CDXUTEditBox::SetText(const wchar_t* text, bool sample)
{
    UseFont();
    m_Buffer.SetText(text ? std::wstring_view(text) : std::wstring_view());
    m_nFirstVisible = 0;
    PlaceCaret(m_Buffer.GetTextSize());
    m_nSelStart = sample ? 0 : m_nCaret;
    m_bSample = sample;
}

void CDXUTEditBox::DropSample()
{
    if (m_bSample)
        ClearText();
}

void CDXUTEditBox::ClearText()
{
    m_bSample = false;
    m_Buffer.Clear();
    m_nFirstVisible = 0;
    PlaceCaret(0);
    m_nSelStart = 0;
}

void CDXUTEditBox::ResetCaretBlink()
{
    m_bCaretOn = true;
    m_dfLastBlink = GuiTime();
    m_dfLastActivity = m_dfLastBlink;
}

void CDXUTEditBox::OnFocusIn()
{
    CDXUTControl::OnFocusIn();
    DropSample();
    ResetCaretBlink();
}

void CDXUTEditBox::PlaceCaret(int cp)
{
    UseFont();
    m_nCaret = std::clamp(cp, 0, m_Buffer.GetTextSize());
    if (m_nFirstVisible > m_nCaret)
        m_nFirstVisible = m_nCaret;
    int firstX = 0, caretX = 0, caretTrailX = 0;
    // Without a font (no device yet) the caret still follows the keys: only keeping it in
    // view needs the widths.
    if (m_Buffer.CPtoX(m_nFirstVisible, false, &firstX) != S_OK)
        return;
    m_Buffer.CPtoX(m_nCaret, false, &caretX);
    if (m_nCaret == m_Buffer.GetTextSize())
        caretTrailX = caretX;
    else
        m_Buffer.CPtoX(m_nCaret, true, &caretTrailX);

    int width = m_rcText.Width();
    if (caretX < firstX) {
        m_nFirstVisible = m_nCaret;
    } else if (caretTrailX > firstX + width) {
        // Scroll so that the caret's character ends at the right edge.
        int newLeft = caretTrailX - width;
        int cp2 = 0;
        bool trail = false;
        m_Buffer.XtoCP(newLeft, &cp2, &trail);
        int cpX = 0;
        m_Buffer.CPtoX(cp2, false, &cpX);
        if (cpX < newLeft)
            ++cp2;
        m_nFirstVisible = std::min(cp2, m_nCaret);
    }
}

void CDXUTEditBox::DeleteSelectionText()
{
    int first = std::min(m_nCaret, m_nSelStart);
    int last = std::max(m_nCaret, m_nSelStart);
    std::wstring text = m_Buffer.GetText();
    text.erase(size_t(first), size_t(last - first));
    m_Buffer.SetText(text);
    PlaceCaret(first);
    m_nSelStart = m_nCaret;
}

void CDXUTEditBox::CopyToClipboard()
{
    if (m_nCaret == m_nSelStart)
        return;
    int first = std::min(m_nCaret, m_nSelStart);
    int last = std::max(m_nCaret, m_nSelStart);
    SetClipboardText(std::wstring_view(m_Buffer.GetText()).substr(size_t(first), size_t(last - first)));
}

bool CDXUTEditBox::IsForbidden(wchar_t ch) const
{
    return m_pForbiddenChars && std::wcschr(m_pForbiddenChars, ch) != nullptr;
}

void CDXUTEditBox::PasteFromClipboard()
{
    // Pasted text obeys the rules of typed text: a forbidden character or a line break must
    // not reach a save's name by the clipboard.
    std::wstring pasted;
    for (wchar_t ch : GetClipboardText())
        if (ch >= 0x20 && !IsForbidden(ch))
            pasted += ch;
    // No text to paste, or no room for it: the text stays as it was, selection included.
    const size_t afterDelete = size_t(m_Buffer.GetTextSize() - std::abs(m_nCaret - m_nSelStart));
    if (pasted.empty() || afterDelete + pasted.size() > CUniBuffer::kMaxLength)
        return;
    DeleteSelectionText();
    if (m_Buffer.InsertString(m_nCaret, pasted))
        PlaceCaret(m_nCaret + int(pasted.size()));
    m_nSelStart = m_nCaret;
}

bool CDXUTEditBox::HandleKeyboard(unsigned message, tWParam wParam, tLParam)
{
    if (!m_bEnabled || !m_bVisible || message != WM_KEYDOWN)
        return false;
    if (wParam != VK_ESCAPE && wParam != VK_TAB)
        DropSample();
    const bool shift = GuiKeyDown(VK_SHIFT);
    const bool control = GuiKeyDown(VK_CONTROL);
    bool handled = true;
    switch (wParam) {
    case VK_HOME:
        PlaceCaret(0);
        if (!shift)
            m_nSelStart = m_nCaret;
        ResetCaretBlink();
        break;
    case VK_END:
        PlaceCaret(m_Buffer.GetTextSize());
        if (!shift)
            m_nSelStart = m_nCaret;
        ResetCaretBlink();
        break;
    case VK_INSERT:
        if (control) {
            CopyToClipboard();
        } else if (shift) {
            PasteFromClipboard();
            m_pDialog->SendEvent(EVENT_EDITBOX_CHANGE, true, this);
            ResetCaretBlink();
        } else {
            m_bInsertMode = !m_bInsertMode;
        }
        break;
    case VK_DELETE:
        if (m_nCaret != m_nSelStart)
            DeleteSelectionText();
        else
            m_Buffer.RemoveChar(m_nCaret);
        m_pDialog->SendEvent(EVENT_EDITBOX_CHANGE, true, this);
        ResetCaretBlink();
        break;
    case VK_LEFT:
        if (control)
            PlaceCaret(m_Buffer.GetPriorItemPos(m_nCaret));
        else if (m_nCaret > 0)
            PlaceCaret(m_nCaret - 1);
        if (!shift)
            m_nSelStart = m_nCaret;
        ResetCaretBlink();
        break;
    case VK_RIGHT:
        if (control)
            PlaceCaret(m_Buffer.GetNextItemPos(m_nCaret));
        else if (m_nCaret < m_Buffer.GetTextSize())
            PlaceCaret(m_nCaret + 1);
        if (!shift)
            m_nSelStart = m_nCaret;
        ResetCaretBlink();
        break;
    case VK_UP:
    case VK_DOWN:
        break;
    default:
        // Escape is the dialog's.
        handled = wParam != VK_ESCAPE;
        break;
    }
    return handled;
}

bool CDXUTEditBox::PlaceCaretAtX(int x)
{
    UseFont();
    int firstX = 0;
    m_Buffer.CPtoX(m_nFirstVisible, false, &firstX);
    int cp = 0;
    bool trail = false;
    if (m_Buffer.XtoCP(x - m_rcText.left + firstX, &cp, &trail) != S_OK)
        return false;
    PlaceCaret(trail && cp < m_Buffer.GetTextSize() ? cp + 1 : cp);
    return true;
}

bool CDXUTEditBox::HandleMouse(unsigned message, int x, int y, tWParam, tLParam)
{
    if (!m_bEnabled || !m_bVisible)
        return false;
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        if (!m_bHasFocus)
            CDXUTDialog::RequestFocus(this);
        if (!ContainsPoint(x, y))
            return false;
        // A sample put in while the focus was already here goes with the click too.
        DropSample();
        m_bMouseDrag = true;
        GuiCaptureMouse(true);
        if (PlaceCaretAtX(x)) {
            m_nSelStart = m_nCaret;
            ResetCaretBlink();
        }
        return true;
    }
    case WM_LBUTTONUP:
        GuiCaptureMouse(false);
        m_bMouseDrag = false;
        return false;
    case WM_MOUSEMOVE:
        if (m_bMouseDrag) {
            PlaceCaretAtX(x);
            return true;
        }
        return false;
    default:
        return false;
    }
}

bool CDXUTEditBox::MsgProc(unsigned message, tWParam wParam, tLParam)
{
    if (!m_bEnabled || !m_bVisible || message != WM_CHAR)
        return false;
    const wchar_t ch = wchar_t(wParam);
    if (ch != VK_ESCAPE && ch != VK_TAB && ch != VK_RETURN)
        DropSample();
    switch (ch) {
    case VK_BACK:
        if (m_nCaret != m_nSelStart) {
            DeleteSelectionText();
        } else if (m_nCaret > 0) {
            PlaceCaret(m_nCaret - 1);
            m_nSelStart = m_nCaret;
            m_Buffer.RemoveChar(m_nCaret);
        }
        m_pDialog->SendEvent(EVENT_EDITBOX_CHANGE, true, this);
        ResetCaretBlink();
        break;
    case 24: // Ctrl+X
    case 3:  // Ctrl+C
        CopyToClipboard();
        if (ch == 24) {
            DeleteSelectionText();
            m_pDialog->SendEvent(EVENT_EDITBOX_CHANGE, true, this);
            ResetCaretBlink();
        }
        break;
    case 22: // Ctrl+V
        PasteFromClipboard();
        m_pDialog->SendEvent(EVENT_EDITBOX_CHANGE, true, this);
        ResetCaretBlink();
        break;
    case 1: // Ctrl+A
        m_nSelStart = 0;
        PlaceCaret(m_Buffer.GetTextSize());
        break;
    case VK_RETURN:
        m_pDialog->SendEvent(EVENT_EDITBOX_STRING, true, this);
        break;
    default:
        if (ch < 0x20 || ch == 0x7F)
            break; // other control characters
        if (IsForbidden(ch))
            break;
        {
            // Check the room first so that a full buffer loses nothing. In overwrite mode the
            // character after a deleted selection is the one replaced.
            const int afterDelete = m_Buffer.GetTextSize() - std::abs(m_nCaret - m_nSelStart);
            const bool replacing = !m_bInsertMode && std::min(m_nCaret, m_nSelStart) < afterDelete;
            if (!replacing && afterDelete + 1 > int(CUniBuffer::kMaxLength))
                break;
            if (m_nCaret != m_nSelStart)
                DeleteSelectionText();
            if (replacing) {
                m_Buffer.RemoveChar(m_nCaret);
                m_Buffer.InsertChar(m_nCaret, ch);
            } else {
                m_Buffer.InsertChar(m_nCaret, ch);
            }
            PlaceCaret(m_nCaret + 1);
            m_nSelStart = m_nCaret;
            m_pDialog->SendEvent(EVENT_EDITBOX_CHANGE, true, this);
        }
        ResetCaretBlink();
        break;
    }
    return true;
}

void CDXUTEditBox::Render(cRenderer*, float elapsed)
{
    if (!m_bVisible)
        return;
    UseFont();
    if (!DrawPieces(0, m_rcRender, 9, elapsed, StateFor(false)))
        return;

    CDXUTElement text = *GetElement(0);
    text.FontColor.Current = sColorF::FromArgb(m_TextColor);
    const std::wstring& all = m_Buffer.GetText();
    sRect clip = m_pDialog->ToScreenRect(m_rcText);

    // Read only, the value is shown from its start; typing scrolls it instead.
    if (!m_bEnabled) {
        text.dwTextFormat = m_dwDisabledAlignment;
        DrawTextKeepingStart(all, &text, m_rcText, false, &clip);
        return;
    }
    SetCutText(nullptr);

    int firstX = 0;
    m_Buffer.CPtoX(m_nFirstVisible, false, &firstX);
    std::wstring_view visible = std::wstring_view(all).substr(size_t(std::min(m_nFirstVisible, int(all.size()))));
    text.dwTextFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE;

    // The selection: a band behind the selected characters, which take their own colour.
    if (m_nCaret != m_nSelStart) {
        int first = std::min(m_nCaret, m_nSelStart);
        int last = std::max(m_nCaret, m_nSelStart);
        int x1 = 0, x2 = 0;
        m_Buffer.CPtoX(first, false, &x1);
        m_Buffer.CPtoX(last, false, &x2);
        sRect band{m_rcText.left + x1 - firstX, m_rcText.top, m_rcText.left + x2 - firstX, m_rcText.bottom};
        band = IntersectRects(band, m_rcText);
        if (!band.IsEmpty())
            m_pDialog->DrawRect(band, m_SelBkColor);
        m_pDialog->DrawText(visible, &text, m_rcText, false, -1, &clip);
        CDXUTElement selected = text;
        selected.FontColor.Current = sColorF::FromArgb(m_SelTextColor);
        sRect selRect = m_rcText;
        selRect.left = m_rcText.left + x1 - firstX;
        sRect selClip = m_pDialog->ToScreenRect(band);
        if (!band.IsEmpty())
            m_pDialog->DrawText(std::wstring_view(all).substr(size_t(first), size_t(last - first)), &selected, selRect,
                                false, -1, &selClip);
    } else {
        m_pDialog->DrawText(visible, &text, m_rcText, false, -1, &clip);
    }

    // The caret blinks while the box has the focus, and then stands lit ten seconds after the
    // last key or click, as the desktops' caret does: a save window left open with its name box
    // would otherwise redraw the screen twice a second while it waits.
    constexpr double kBlinkFor = 10;
    double now = GuiTime();
    const bool blinking = now - m_dfLastActivity < kBlinkFor;
    if (!blinking) {
        m_bCaretOn = true;
    } else if (now - m_dfLastBlink >= m_dfBlink) {
        m_bCaretOn = !m_bCaretOn;
        m_dfLastBlink = now;
    }
    if (m_bHasFocus && blinking)
        GuiWantFrameIn(std::min(m_dfLastBlink + m_dfBlink, m_dfLastActivity + kBlinkFor) - now);
    if (m_bHasFocus && m_bCaretOn && !s_bHideCaret) {
        int caretX = 0;
        m_Buffer.CPtoX(m_nCaret, false, &caretX);
        int left = m_rcText.left + caretX - firstX;
        sRect caret{left, m_rcText.top + 2, left + 2, m_rcText.bottom - 2};
        if (!m_bInsertMode) {
            int nextX = caretX;
            if (m_nCaret < m_Buffer.GetTextSize())
                m_Buffer.CPtoX(m_nCaret, true, &nextX);
            caret.right = std::max(left + 2, m_rcText.left + nextX - firstX);
        }
        caret = IntersectRects(caret, m_rcText);
        if (!caret.IsEmpty())
            m_pDialog->DrawRect(caret, m_CaretColor);
    }
}
