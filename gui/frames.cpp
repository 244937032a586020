#include "gui/frames.h"

#include <algorithm>

#include "gui/buttons.h"
#include "gui/dialog.h"
#include "gui/gui_atlas.h"
#include "gui/gui_hooks.h"
#include "platform/font.h"

namespace {
static_assert(std::size(gui_atlas::kFrameStyles) == kFrameStyleCount);
constexpr size_t kMaxCaption = 255;
} // namespace

// ---------------------------------------------------------------------------------------
// Frame

CDXUTFrame::CDXUTFrame(CDXUTDialog* dialog) : CDXUTControl(dialog) { m_Type = DXUT_CONTROL_FRAME; }

int CDXUTFrame::CellSize(int style)
{
    return style >= 0 && style < kFrameStyleCount ? gui_atlas::kFrameStyles[style].cell : 0;
}

void CDXUTFrame::UpdateRects()
{
    CDXUTControl::UpdateRects();
    const sRect& b = m_rcBoundingBox;
    int cell = CellSize(m_nStyle);
    SplitFrame(b, InflateRect(b, -cell, -cell), m_rcPieces);
}

void CDXUTFrame::Render(cRenderer*, float elapsed)
{
    // Only the three styles of the GUI picture exist.
    if (!m_bVisible || m_nStyle < 0 || m_nStyle >= kFrameStyleCount)
        return;
    DrawPieces(9 * unsigned(m_nStyle), m_rcPieces, 9, elapsed);
}

// ---------------------------------------------------------------------------------------
// Tab frame

CDXUTTabFrame::CDXUTTabFrame(CDXUTDialog* dialog) : CDXUTControl(dialog) { m_Type = DXUT_CONTROL_TABFRAME; }

void CDXUTTabFrame::UpdateRects()
{
    CDXUTControl::UpdateRects();
    CDXUTElement* element = GetElement(13);
    int font = element && m_pDialog ? m_pDialog->GetFontHeight(element->iFont) : 0;
    int height = std::max(20, font + 2 * m_nPadding);
    m_rcStrip = sRect{m_rcBoundingBox.left, m_rcBoundingBox.top, m_rcBoundingBox.right, m_rcBoundingBox.top + height};
}

tResult CDXUTTabFrame::AddTab(const wchar_t* caption, int value, int firstId, int lastId)
{
    auto tab = std::make_unique<DXUTTabFrameTab>();
    tab->caption = caption ? std::wstring(caption).substr(0, kMaxCaption) : std::wstring();
    CDXUTElement* element = GetElement(13);
    cFont* font = element && m_pDialog ? m_pDialog->GetFontObject(element->iFont) : nullptr;
    tab->captionWidth = font ? font->TextWidth(tab->caption) : 0;
    tab->value = value;
    tab->firstId = firstId;
    tab->lastId = lastId;
    m_Tabs.push_back(std::move(tab));
    m_nSelected = int(m_Tabs.size()) - 1;
    SelectTab(0, false);
    return S_OK;
}

void CDXUTTabFrame::ShowRange(int index, bool visible)
{
    const DXUTTabFrameTab* tab = GetTab(index);
    if (!tab)
        return;
    for (int id = tab->firstId; id <= tab->lastId; ++id)
        if (CDXUTControl* control = m_pDialog->GetControl(id))
            control->SetVisible(visible);
}

void CDXUTTabFrame::SelectTab(int index, bool notify)
{
    if (m_Tabs.empty())
        return;
    ShowRange(m_nSelected, false);
    m_nSelected = std::clamp(index, 0, int(m_Tabs.size()) - 1);
    ShowRange(m_nSelected, true);
    // Told once the page shows, the owner can hide within it what does not apply.
    if (notify)
        m_pDialog->SendEvent(EVENT_TABFRAME_CHANGED, true, this);
}

void CDXUTTabFrame::RemoveAllTabs()
{
    m_Tabs.clear();
    m_nSelected = -1;
}

bool CDXUTTabFrame::HandleMouse(unsigned message, int x, int y, tWParam, tLParam)
{
    if (!m_bEnabled || !m_bVisible)
        return false;
    TakeFocusOnPress(message);
    if (message == WM_LBUTTONUP) {
        GuiCaptureMouse(false);
        return false;
    }
    if ((message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) && m_rcStrip.Contains(x, y) && !m_Tabs.empty()) {
        int offset = x - m_rcStrip.left;
        int clicked = -1;
        for (size_t i = 0; i < m_Tabs.size(); ++i) {
            int span = m_Tabs[i]->captionWidth + 20;
            if (offset < span) {
                clicked = int(i);
                break;
            }
            offset -= span;
        }
        if (clicked < 0)
            return true;
        GuiCaptureMouse(true);
        SelectTab(clicked, true);
        return true;
    }
    return false;
}

void CDXUTTabFrame::Render(cRenderer*, float elapsed)
{
    if (!m_bVisible)
        return;
    BlendElements(DXUT_STATE_NORMAL, elapsed);
    CDXUTElement* area[9];
    if (!GetElements(0, area))
        return;
    sRect body{m_rcBoundingBox.left, m_rcStrip.bottom, m_rcBoundingBox.right, m_rcBoundingBox.bottom};
    DrawNineSlice(m_pDialog, area, body, 10, 0.2f);

    int x = m_rcStrip.left;
    for (size_t i = 0; i < m_Tabs.size(); ++i) {
        const DXUTTabFrameTab& tab = *m_Tabs[i];
        int width = 20 + tab.captionWidth;
        if (x >= m_rcStrip.right)
            break;
        unsigned base = int(i) == m_nSelected ? 12 : 9;
        CDXUTElement* left = GetElement(base);
        CDXUTElement* middle = GetElement(base + 1);
        CDXUTElement* right = GetElement(base + 2);
        if (!left || !middle || !right)
            return;
        sRect middleRect{x + 10, m_rcStrip.top, x + 10 + tab.captionWidth, m_rcStrip.bottom};
        m_pDialog->DrawSprite(left, sRect{x, m_rcStrip.top, x + 10, m_rcStrip.bottom}, 0.2f);
        m_pDialog->DrawSprite(middle, middleRect, 0.2f);
        m_pDialog->DrawSprite(right, sRect{middleRect.right, m_rcStrip.top, middleRect.right + 10, m_rcStrip.bottom}, 0.2f);
        CDXUTElement text = *middle;
        text.dwTextFormat = DT_CENTER | DT_VCENTER;
        m_pDialog->DrawText(tab.caption, &text, middleRect, false);
        x += width;
    }
}

// ---------------------------------------------------------------------------------------
// Progress bar

CDXUTProgressBar::CDXUTProgressBar(CDXUTDialog* dialog) : CDXUTControl(dialog) { m_Type = DXUT_CONTROL_PROGRESSBAR; }

void CDXUTProgressBar::UpdateRects()
{
    CDXUTControl::UpdateRects();
    int range = m_nMax - m_nMin;
    // An empty range (minimum at the maximum) fills nothing rather than divide by zero.
    m_nFillWidth = range > 0 ? int(double(m_nValue - m_nMin) / range * (m_width - 10)) : 0;
}

void CDXUTProgressBar::SetRange(int min, int max)
{
    m_nMin = min;
    m_nMax = max;
    SetValue(m_nValue);
}

void CDXUTProgressBar::SetValue(int value)
{
    m_nValue = std::max(m_nMin, std::min(m_nMax, value));
    UpdateRects();
}

void CDXUTProgressBar::Render(cRenderer*, float)
{
    int state = DXUT_STATE_NORMAL;
    if (!m_bVisible)
        state = DXUT_STATE_HIDDEN;
    else if (!m_bEnabled)
        state = DXUT_STATE_DISABLED;
    else if (m_bMouseOver)
        state = DXUT_STATE_MOUSEOVER;
    else if (m_bHasFocus)
        state = DXUT_STATE_FOCUS;
    for (auto& element : m_Elements)
        element.TextureColor.SetCurrent(state);

    CDXUTElement* left = GetElement(m_nValue > m_nMin ? 3 : 0);
    CDXUTElement* right = GetElement(m_nValue >= m_nMax ? 5 : 2);
    CDXUTElement* empty = GetElement(1);
    CDXUTElement* filled = GetElement(4);
    if (!left || !right || !empty || !filled)
        return;
    int middleRight = 0;
    DrawThreeSlice(m_pDialog, left, empty, right, m_rcBoundingBox, middleRight);
    int width = m_rcBoundingBox.Width();
    if (width > 10 && m_nFillWidth > 0) {
        int middleLeft = m_rcBoundingBox.left + 5;
        m_pDialog->DrawSprite(filled,
                              sRect{middleLeft, m_rcBoundingBox.top, std::min(middleLeft + m_nFillWidth, middleRight),
                                    m_rcBoundingBox.bottom},
                              0.2f);
    }
}
