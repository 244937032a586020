#include "gui/scroll_bar.h"

#include <algorithm>
#include <cmath>

#include "gui/dialog.h"
#include "gui/gui_hooks.h"

bool CDXUTScrollBar::s_bDrag = false;
int CDXUTScrollBar::s_nThumbOffsetY = 0;

namespace {
constexpr double kFirstRepeat = 0.33;
constexpr double kRepeat = 0.05;
constexpr int kMinThumb = 8;
} // namespace

CDXUTScrollBar::CDXUTScrollBar(CDXUTDialog* dialog) : CDXUTControl(dialog) { m_Type = DXUT_CONTROL_SCROLLBAR; }

void CDXUTScrollBar::UpdateRects()
{
    CDXUTControl::UpdateRects();
    const sRect& b = m_rcBoundingBox;
    m_rcUpButton = sRect{b.left, b.top, b.right, b.top + b.Width()};
    m_rcDownButton = sRect{b.left, b.bottom - b.Width(), b.right, b.bottom};
    m_rcTrack = sRect{b.left, m_rcUpButton.bottom, b.right, m_rcDownButton.top};
    m_rcThumb.left = b.left;
    m_rcThumb.right = b.right;
    UpdateThumbRect();
}

void CDXUTScrollBar::UpdateThumbRect()
{
    int range = m_nEnd - m_nStart;
    if (range > m_nPageSize) {
        int trackHeight = m_rcTrack.Height();
        int thumbHeight = std::max(trackHeight * m_nPageSize / range, kMinThumb);
        int maxPosition = range - m_nPageSize;
        m_rcThumb.top = m_rcTrack.top + (m_nPosition - m_nStart) * (trackHeight - thumbHeight) / maxPosition;
        m_rcThumb.bottom = m_rcThumb.top + thumbHeight;
        m_bShowThumb = true;
    } else {
        m_rcThumb.bottom = m_rcThumb.top;
        m_bShowThumb = false;
    }
}

void CDXUTScrollBar::Cap()
{
    if (m_nPosition < m_nStart || m_nEnd - m_nStart <= m_nPageSize)
        m_nPosition = m_nStart;
    else if (m_nPosition + m_nPageSize > m_nEnd)
        m_nPosition = m_nEnd - m_nPageSize;
}

void CDXUTScrollBar::SetTrackRange(int start, int end)
{
    m_nStart = start;
    m_nEnd = end;
    Cap();
    UpdateThumbRect();
}

void CDXUTScrollBar::SetTrackPos(int position)
{
    m_nPosition = position;
    Cap();
    UpdateThumbRect();
}

void CDXUTScrollBar::SetPageSize(int pageSize)
{
    // An owner lower than one row (a negative height in the layout) shows none: a page below
    // zero would make the thumb's height a division by an empty range.
    m_nPageSize = std::max(pageSize, 0);
    Cap();
    UpdateThumbRect();
}

void CDXUTScrollBar::Scroll(int delta)
{
    m_nPosition += delta;
    Cap();
    UpdateThumbRect();
}

void CDXUTScrollBar::ShowItem(int index)
{
    index = std::clamp(index, 0, std::max(0, m_nEnd - 1));
    if (m_nPosition > index)
        m_nPosition = index;
    else if (m_nPosition + m_nPageSize <= index)
        m_nPosition = index - m_nPageSize + 1;
    Cap();
    UpdateThumbRect();
}

bool CDXUTScrollBar::HandleMouse(unsigned message, int x, int y, tWParam, tLParam)
{
    if (!m_bShowThumb)
        return false;
    m_LastMouseX = x;
    m_LastMouseY = y;
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The mouse is held only for a press the bar takes: one it leaves to its owner (a
        // click beside an open drop-down) would keep the capture with nobody to release it.
        if (m_rcUpButton.Contains(x, y)) {
            GuiCaptureMouse(true);
            if (m_nPosition > m_nStart)
                --m_nPosition;
            UpdateThumbRect();
            m_Arrow = CLICKED_UP;
            m_dArrowTS = GuiTime();
            return true;
        }
        if (m_rcDownButton.Contains(x, y)) {
            GuiCaptureMouse(true);
            if (m_nPosition + m_nPageSize < m_nEnd)
                ++m_nPosition;
            UpdateThumbRect();
            m_Arrow = CLICKED_DOWN;
            m_dArrowTS = GuiTime();
            return true;
        }
        if (m_rcThumb.Contains(x, y)) {
            GuiCaptureMouse(true);
            s_bDrag = true;
            s_nThumbOffsetY = y - m_rcThumb.top;
            return true;
        }
        if (m_rcTrack.Contains(x, y)) {
            GuiCaptureMouse(true);
            if (y < m_rcThumb.top)
                Scroll(-(m_nPageSize - 1));
            else if (y >= m_rcThumb.bottom)
                Scroll(m_nPageSize - 1);
            return true;
        }
        return false;

    case WM_LBUTTONUP:
        s_bDrag = false;
        GuiCaptureMouse(false);
        UpdateThumbRect();
        m_Arrow = CLEAR;
        return false;

    case WM_MOUSEMOVE:
        if (s_bDrag) {
            int height = m_rcThumb.Height();
            int top = std::clamp(y - s_nThumbOffsetY, m_rcTrack.top, m_rcTrack.bottom - height);
            m_rcThumb.top = top;
            m_rcThumb.bottom = top + height;
            int travel = m_rcTrack.Height() - height;
            int maxPosition = m_nEnd - m_nStart - m_nPageSize;
            if (travel > 0)
                m_nPosition = m_nStart + int(std::lround(double(top - m_rcTrack.top) * maxPosition / travel));
            else
                m_nPosition = m_nStart;
            Cap();
            return true;
        }
        return false;

    default:
        return false;
    }
}

void CDXUTScrollBar::RepeatArrow(int step, eArrowState clicked, eArrowState held, double now)
{
    if (m_Arrow == clicked && now - m_dArrowTS > kFirstRepeat) {
        Scroll(step);
        m_Arrow = held;
        m_dArrowTS = now;
    } else if (m_Arrow == held && now - m_dArrowTS > kRepeat) {
        Scroll(step);
        m_dArrowTS = now;
    }
}

void CDXUTScrollBar::Render(cRenderer*, float elapsed)
{
    if (m_Arrow != CLEAR) {
        double now = GuiTime();
        if (m_rcUpButton.Contains(m_LastMouseX, m_LastMouseY))
            RepeatArrow(-1, CLICKED_UP, HELD_UP, now);
        else if (m_rcDownButton.Contains(m_LastMouseX, m_LastMouseY))
            RepeatArrow(1, CLICKED_DOWN, HELD_DOWN, now);
    }

    int state = StateFor(false);
    if (state != DXUT_STATE_HIDDEN && !m_bShowThumb)
        state = DXUT_STATE_DISABLED;
    const sRect* places[4] = {&m_rcUpButton, &m_rcTrack, &m_rcDownButton, &m_rcThumb};
    for (unsigned k = 0; k < 4; ++k) {
        CDXUTElement* element = GetElement(k);
        if (!element)
            continue;
        int elementState = state;
        if (k == 3 && state == DXUT_STATE_DISABLED && m_bEnabled)
            elementState = DXUT_STATE_NORMAL;
        element->TextureColor.Blend(elementState, elapsed);
        if (k == 3 && !m_bShowThumb)
            continue;
        m_pDialog->DrawSprite(element, *places[k], 0.2f);
    }
}
