#include "gui/memo.h"

#include <algorithm>

#include "gui/dialog.h"
#include "platform/font.h"

CDXUTMemo::CDXUTMemo(CDXUTDialog* dialog) : CDXUTControl(dialog), m_Buffer(1), m_ScrollBar(dialog)
{
    m_Type = DXUT_CONTROL_MEMO;
}

tResult CDXUTMemo::OnInit() { return m_pDialog->InitControl(&m_ScrollBar); }

void CDXUTMemo::UpdateRects()
{
    CDXUTControl::UpdateRects();
    const sRect& b = m_rcBoundingBox;
    CDXUTElement* element = GetElement(unsigned(m_iTextElement));
    if (element && m_pDialog)
        m_nLineHeight = m_pDialog->GetFontHeight(element->iFont);

    m_rcInner = InflateRect(b, -10, -10);
    SplitFrame(b, m_rcInner, m_rcRender);
    m_rcInner.right -= m_nSBWidth;

    m_rcText = InflateRect(b, -m_nBorder, -m_nBorder);
    m_rcText.right -= m_nSBWidth;

    m_ScrollBar.SetLocation(b.right - m_nSBWidth, b.top);
    m_ScrollBar.SetSize(m_nSBWidth, m_height);
    // A font of no height (a layout without its fonts) gives no page.
    if (m_nLineHeight > 0)
        m_ScrollBar.SetPageSize(m_rcText.Height() / m_nLineHeight);
}

void CDXUTMemo::MeasureText()
{
    CDXUTElement* element = GetElement(unsigned(m_iTextElement));
    cFont* font = element && m_pDialog ? m_pDialog->GetFontObject(element->iFont) : nullptr;
    if (!font || m_nLineHeight <= 0) {
        m_ScrollBar.SetTrackRange(0, 0);
        return;
    }
    sRect measured{0, 0, m_rcInner.Width(), 0};
    int height = CalcTextExtent(*font, m_Buffer.GetText(), measured, m_dwTextFormat);
    if (height <= m_rcInner.Height())
        m_ScrollBar.SetTrackRange(0, 0);
    else
        m_ScrollBar.SetTrackRange(0, height / m_nLineHeight);
}

int CDXUTMemo::HeightForWholeText()
{
    CDXUTElement* element = GetElement(unsigned(m_iTextElement));
    cFont* font = element && m_pDialog ? m_pDialog->GetFontObject(element->iFont) : nullptr;
    if (!font)
        return m_height;
    sRect measured{0, 0, m_rcInner.Width(), 0};
    return CalcTextExtent(*font, m_Buffer.GetText(), measured, m_dwTextFormat) + m_height - m_rcInner.Height();
}

void CDXUTMemo::SetText(const wchar_t* text)
{
    m_Buffer.SetText(text ? std::wstring_view(text) : std::wstring_view());
    MeasureText();
}

void CDXUTMemo::ScrollToEnd()
{
    int end = m_ScrollBar.GetTrackEnd();
    int target = end > 99999 ? 99999 : end - 1;
    int position = m_ScrollBar.GetTrackPos();
    int page = m_ScrollBar.GetPageSize();
    // Set through the bar, the position stays in its range: a memo with nothing to scroll
    // has the target -1, which would draw its text a line low.
    if (target < position)
        m_ScrollBar.SetTrackPos(target);
    else if (target >= position + page)
        m_ScrollBar.SetTrackPos(target - page + 1);
}

bool CDXUTMemo::HandleKeyboard(unsigned message, tWParam wParam, tLParam lParam)
{
    if (!m_bEnabled || !m_bVisible)
        return false;
    return m_ScrollBar.HandleKeyboard(message, wParam, lParam);
}

bool CDXUTMemo::HandleMouse(unsigned message, int x, int y, tWParam wParam, tLParam lParam)
{
    if (!m_bEnabled || !m_bVisible)
        return false;
    TakeFocusOnPress(message);
    if (m_ScrollBar.HandleMouse(message, x, y, wParam, lParam))
        return true;
    // The wheel scrolls what the pointer is on, not the focus.
    if (message == WM_MOUSEWHEEL && ContainsPoint(x, y)) {
        // One line per notch, whatever the system's wheel setting.
        m_ScrollBar.Scroll(-(WheelDelta(wParam) / WHEEL_DELTA));
        return true;
    }
    return false;
}

void CDXUTMemo::Render(cRenderer* device, float elapsed)
{
    if (!m_bVisible)
        return;
    if (!DrawPieces(0, m_rcRender, 9, elapsed))
        return;
    CDXUTElement* textElement = GetElement(unsigned(m_iTextElement));
    if (!textElement)
        return;
    CDXUTElement text = *textElement;
    text.FontColor.Blend(DXUT_STATE_NORMAL, elapsed, 0.7f);
    textElement->FontColor = text.FontColor;
    text.dwTextFormat = m_dwTextFormat;
    sRect moved = OffsetRect(m_rcText, 0, -m_ScrollBar.GetTrackPos() * m_nLineHeight);
    // Only the top moves up: a bottom moved with it would cut off the lines scrolled into
    // the lower part of the view (the scissor test alone limits the text to the view).
    moved.bottom = std::max(moved.bottom, m_rcText.bottom);
    // The text is cut at the text rectangle where it lies on the screen.
    sRect clip = m_pDialog->ToScreenRect(m_rcText);
    m_pDialog->DrawText(m_Buffer.GetText(), &text, moved, true, -1, &clip);
    m_ScrollBar.Render(device, elapsed);
}
