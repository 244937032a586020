#include "gui/control.h"

#include "gui/dialog.h"
#include "gui/gui_hooks.h"

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
    if (hint)
        m_Hint = std::wstring(hint);
    else
        m_Hint.reset();
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
