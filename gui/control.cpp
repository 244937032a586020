#include "gui/control.h"

#include "gui/dialog.h"
#include "gui/gui_hooks.h"

void SplitFrame(const sRect& b, const sRect& in, sRect (&pieces)[9])
{
    pieces[0] = in;
    pieces[1] = sRect{b.left, b.top, in.left, in.top};
    pieces[2] = sRect{in.left, b.top, in.right, in.top};
    pieces[3] = sRect{in.right, b.top, b.right, in.top};
    pieces[4] = sRect{b.left, in.top, in.left, in.bottom};
    pieces[5] = sRect{in.right, in.top, b.right, in.bottom};
    pieces[6] = sRect{b.left, in.bottom, in.left, b.bottom};
    pieces[7] = sRect{in.left, in.bottom, in.right, b.bottom};
    pieces[8] = sRect{in.right, in.bottom, b.right, b.bottom};
}

CDXUTControl::CDXUTControl(CDXUTDialog* dialog) : m_pDialog(dialog) {}

CDXUTControl::~CDXUTControl() = default;

void CDXUTControl::Refresh()
{
    m_bMouseOver = false;
    m_bHasFocus = false;
    for (auto& element : m_Elements)
        element.Refresh();
}

void CDXUTControl::SetTextColor(tColor color)
{
    if (CDXUTElement* element = GetElement(0))
        element->FontColor.States[DXUT_STATE_NORMAL] = color;
}

void CDXUTControl::UpdateRects() { m_rcBoundingBox = sRect{m_x, m_y, m_x + m_width, m_y + m_height}; }

void CDXUTControl::SetLocation(int x, int y)
{
    m_x = x;
    m_y = y;
    UpdateRects();
}

void CDXUTControl::SetSize(int width, int height)
{
    m_width = width;
    m_height = height;
    UpdateRects();
}

tResult CDXUTControl::SetElement(unsigned n, const CDXUTElement& element)
{
    if (m_Elements.size() < n + 1)
        m_Elements.resize(n + 1);
    m_Elements[n] = element;
    return S_OK;
}

CDXUTElement* CDXUTControl::GetElement(unsigned n) { return n < m_Elements.size() ? &m_Elements[n] : nullptr; }

void CDXUTControl::SetHint(const wchar_t* hint)
{
    const bool same = hint ? m_Hint && *m_Hint == hint : !m_Hint;
    if (same)
        return;
    if (hint)
        m_Hint = std::wstring(hint);
    else
        m_Hint.reset();
    // A hint shown while its control changes (a button disabled by its own click) says what
    // the control says now, not what it said when the pointer came.
    if (GuiHintControl() == this)
        GuiSetHintControl(this, true);
}

const wchar_t* CDXUTControl::GetHint() const
{
    if (!m_CutText)
        return m_Hint ? m_Hint->c_str() : nullptr;
    m_HintWithCutText = m_Hint && !m_Hint->empty() ? *m_CutText + L"\n" + *m_Hint : *m_CutText;
    return m_HintWithCutText.c_str();
}

void CDXUTControl::SetCutText(const std::wstring* whole)
{
    const bool same = whole ? m_CutText && *m_CutText == *whole : !m_CutText;
    if (same)
        return;
    if (whole)
        m_CutText = *whole;
    else
        m_CutText.reset();
    if (GuiHintControl() == this)
        GuiSetHintControl(this, true);
}

void CDXUTControl::DrawTextKeepingStart(const std::wstring& text, CDXUTElement* element, const sRect& rect, bool shadow,
                                        const sRect* clip)
{
    if (!element || !m_pDialog)
        return;
    // Cut bare at the box's edge a text reads as another (a figure short of its last digits,
    // a name of another unit): it ends in an ellipsis, and pointing at it shows it whole.
    if (!(element->dwTextFormat & DT_NOCLIP))
        element->dwTextFormat |= DT_END_ELLIPSIS;
    m_pDialog->DrawText(text, element, rect, shadow, -1, clip);
    const bool cut = (element->dwTextFormat & DT_END_ELLIPSIS) && m_pDialog->TextCut(text, element, rect);
    SetCutText(cut ? &text : nullptr);
}

void CDXUTControl::MoveBy(int dx, int dy)
{
    m_x += dx;
    m_y += dy;
    UpdateRects();
    if (!g_GuiHooks.layoutMove)
        return;
    const sRect& r = m_rcBoundingBox;
    if (!g_GuiHooks.layoutMove(m_pDialog, m_ID, r.left, r.top, r.right, r.bottom, dx, dy, 0, 0)) {
        m_x -= dx;
        m_y -= dy;
        UpdateRects();
    }
}

bool CDXUTControl::PressByKeyboard(unsigned message, tWParam wParam, bool& pressed, const std::function<void()>& click)
{
    if (!m_bEnabled || !m_bVisible || wParam != VK_SPACE)
        return false;
    if (message == WM_KEYDOWN) {
        pressed = true;
        return true;
    }
    if (message == WM_KEYUP) {
        if (pressed) {
            pressed = false;
            click();
        }
        return true;
    }
    return false;
}

bool CDXUTControl::PressByMouse(unsigned message, int x, int y, bool& pressed, eClickFocus focus,
                                const std::function<void()>& click)
{
    if (!m_bEnabled || !m_bVisible)
        return false;
    bool focusAlways = focus == eClickFocus::Always;
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
        if (!ContainsPoint(x, y))
            return false;
        pressed = true;
        GuiCaptureMouse(true);
        if (!m_bHasFocus && (focusAlways || m_pDialog->IsKeyboardInputEnabled()))
            CDXUTDialog::RequestFocus(this);
        return true;
    }
    if (message == WM_LBUTTONUP && pressed) {
        pressed = false;
        GuiCaptureMouse(false);
        if (focusAlways)
            DropFocusWithoutKeyboard();
        if (ContainsPoint(x, y))
            click();
        return true;
    }
    return false;
}

void CDXUTControl::BlendElements(int state, float elapsed)
{
    for (auto& element : m_Elements) {
        element.TextureColor.Blend(state, elapsed, 0.7f);
        element.FontColor.Blend(state, elapsed, 0.7f);
    }
}

bool CDXUTControl::DrawPieces(unsigned first, const sRect* places, unsigned count, float elapsed, int state)
{
    for (unsigned k = 0; k < count; ++k) {
        CDXUTElement* element = GetElement(first + k);
        if (!element)
            return false;
        element->TextureColor.Blend(state, elapsed, 0.7f);
        m_pDialog->DrawSprite(element, places[k], 0.2f);
    }
    return true;
}

void CDXUTControl::TakeFocusOnPress(unsigned message)
{
    if (message == WM_LBUTTONDOWN && !m_bHasFocus)
        CDXUTDialog::RequestFocus(this);
}

void CDXUTControl::DropFocusWithoutKeyboard()
{
    if (!m_pDialog->IsKeyboardInputEnabled())
        CDXUTDialog::ClearFocus();
}

int CDXUTControl::StateFor(bool pressed) const
{
    if (!m_bVisible)
        return DXUT_STATE_HIDDEN;
    if (!m_bEnabled)
        return DXUT_STATE_DISABLED;
    if (pressed)
        return DXUT_STATE_PRESSED;
    if (m_bMouseOver)
        return DXUT_STATE_MOUSEOVER;
    if (m_bHasFocus)
        return DXUT_STATE_FOCUS;
    return DXUT_STATE_NORMAL;
}
