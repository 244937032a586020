#include "gui/slider.h"

#include <algorithm>

#include "gui/dialog.h"
#include "gui/gui_hooks.h"

CDXUTSlider::CDXUTSlider(CDXUTDialog* dialog) : CDXUTControl(dialog) { m_Type = DXUT_CONTROL_SLIDER; }

bool CDXUTSlider::ContainsPoint(int x, int y) { return m_rcBoundingBox.Contains(x, y) || m_rcButton.Contains(x, y); }

void CDXUTSlider::UpdateRects()
{
    CDXUTControl::UpdateRects();
    int track = m_rcBoundingBox.Width() - 20;
    // No range or no track (a slider 20 pixels wide or less): the thumb stays at the start,
    // and the pointer leaves the value as it is, rather than divide by nothing.
    m_nButtonX = (m_nMax > m_nMin && track > 0) ? int(int64_t(m_nValue - m_nMin) * track / (m_nMax - m_nMin)) : 0;
    m_rcButton.left = m_rcBoundingBox.left + 5 + m_nButtonX;
    m_rcButton.right = m_rcButton.left + 10;
    m_rcButton.top = m_rcBoundingBox.top;
    m_rcButton.bottom = m_rcBoundingBox.bottom;
}

int CDXUTSlider::ValueFromPos(int x) const
{
    int track = m_rcBoundingBox.Width() - 20;
    if (track <= 0 || m_nMax <= m_nMin)
        return m_nValue;
    return int(m_nMin + 0.5 + double(x - m_rcBoundingBox.left + 5) * (m_nMax - m_nMin) / track);
}

void CDXUTSlider::SetRange(int min, int max)
{
    m_nMin = min;
    m_nMax = max;
    int value = std::max(m_nMin, std::min(m_nMax, m_nValue));
    bool changed = value != m_nValue;
    m_nValue = value;
    UpdateRects();
    if (changed && m_pDialog)
        m_pDialog->SendEvent(EVENT_SLIDER_VALUE_CHANGED, false, this);
}

void CDXUTSlider::SetValueInternal(int value, bool fromInput, bool notify)
{
    value = std::max(m_nMin, std::min(m_nMax, value));
    if (value == m_nValue) {
        UpdateRects();
        return;
    }
    m_nValue = value;
    UpdateRects();
    if (notify && m_pDialog)
        m_pDialog->SendEvent(EVENT_SLIDER_VALUE_CHANGED, fromInput, this);
}

bool CDXUTSlider::HandleKeyboard(unsigned message, tWParam wParam, tLParam)
{
    if (!m_bEnabled || !m_bVisible || message != WM_KEYDOWN)
        return false;
    switch (wParam) {
    case VK_PRIOR:
    case VK_LEFT:
    case VK_UP:
        SetValueInternal(m_nValue - 1, true, true);
        return true;
    case VK_NEXT:
    case VK_RIGHT:
    case VK_DOWN:
        SetValueInternal(m_nValue + 1, true, true);
        return true;
    case VK_END:
        SetValueInternal(m_nMax, true, true);
        return true;
    case VK_HOME:
        SetValueInternal(m_nMin, true, true);
        return true;
    default:
        return false;
    }
}

bool CDXUTSlider::HandleMouse(unsigned message, int x, int y, tWParam, tLParam)
{
    if (!m_bEnabled || !m_bVisible)
        return false;
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (m_rcButton.Contains(x, y)) {
            m_bPressed = true;
            GuiCaptureMouse(true);
            m_nDragOffset = m_nButtonX - x;
            if (!m_bHasFocus)
                CDXUTDialog::RequestFocus(this);
            return true;
        }
        if (m_rcBoundingBox.Contains(x, y)) {
            if (x > m_rcButton.left)
                SetValueInternal(m_nValue + 1, true, true);
            else
                SetValueInternal(m_nValue - 1, true, true);
            return true;
        }
        return false;

    case WM_MOUSEMOVE:
        if (m_bPressed) {
            SetValueInternal(ValueFromPos(x + m_nDragOffset + m_rcBoundingBox.left - 5), true, true);
            return true;
        }
        return false;

    case WM_LBUTTONUP:
        if (m_bPressed) {
            m_bPressed = false;
            GuiCaptureMouse(false);
            CDXUTDialog::ClearFocus();
            m_pDialog->SendEvent(EVENT_SLIDER_VALUE_CHANGED, true, this);
            return true;
        }
        return false;

    default:
        return false;
    }
}

void CDXUTSlider::Render(cRenderer*, float elapsed)
{
    int state = StateFor(m_bPressed);
    for (auto& element : m_Elements)
        element.TextureColor.Blend(state, elapsed);
    const sRect& b = m_rcBoundingBox;
    int middleTop = b.top;
    m_pDialog->DrawSprite(GetElement(0), sRect{b.left, middleTop, b.left + 10, b.bottom}, 0.2f);
    m_pDialog->DrawSprite(GetElement(1), sRect{b.left + 10, middleTop, b.right - 10, b.bottom}, 0.2f);
    m_pDialog->DrawSprite(GetElement(2), sRect{b.right - 10, middleTop, b.right, b.bottom}, 0.2f);
    m_pDialog->DrawSprite(GetElement(m_bPressed ? 4 : 3), m_rcButton, 0.2f);
}
