#include "gui/buttons.h"

#include <algorithm>

#include "gui/dialog.h"

namespace {
constexpr size_t kMaxStaticText = 4095;
} // namespace

CDXUTElement* DrawThreeSlice(CDXUTDialog* dialog, CDXUTElement* left, CDXUTElement* middle, CDXUTElement* right,
                             const sRect& box, int& middleRight)
{
    int width = box.Width();
    int cap = width > 10 ? 5 : width / 2;
    int mid = width > 10 ? width - 10 : 0;
    dialog->DrawSprite(left, sRect{box.left, box.top, box.left + cap, box.bottom}, 0.2f);
    dialog->DrawSprite(right, sRect{box.left + cap + mid, box.top, box.left + 2 * cap + mid, box.bottom}, 0.2f);
    middleRight = box.left + cap + mid;
    if (mid > 0) {
        dialog->DrawSprite(middle, sRect{box.left + cap, box.top, box.left + cap + mid, box.bottom}, 0.2f);
        return middle;
    }
    return right;
}

void DrawNineSlice(CDXUTDialog* dialog, CDXUTElement* const elements[9], const sRect& box, int corner, float depth)
{
    // In a box smaller than two corners they meet in its middle: overlapping, they would
    // leave the edges and the centre a negative size, drawn mirrored.
    int cw = std::min(corner, box.Width() / 2);
    int ch = std::min(corner, box.Height() / 2);
    int xs[4] = {box.left, box.left + cw, box.right - cw, box.right};
    int ys[4] = {box.top, box.top + ch, box.bottom - ch, box.bottom};
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            dialog->DrawSprite(elements[row * 3 + col], sRect{xs[col], ys[row], xs[col + 1], ys[row + 1]}, depth);
}

// ---------------------------------------------------------------------------------------
// Static

CDXUTStatic::CDXUTStatic(CDXUTDialog* dialog) : CDXUTControl(dialog) { m_Type = DXUT_CONTROL_STATIC; }

void CDXUTStatic::SetText(const wchar_t* text)
{
    m_strText = text ? std::wstring(text) : std::wstring();
    if (m_strText.size() > kMaxStaticText)
        m_strText.resize(kMaxStaticText);
}

void CDXUTStatic::Render(cRenderer*, float elapsed)
{
    if (!m_bVisible)
        return;
    CDXUTElement* element = GetElement(unsigned(m_iTextElement));
    if (!element)
        return;
    element->dwTextFormat = m_dwTextFormat;
    element->FontColor.Blend(m_bEnabled ? DXUT_STATE_NORMAL : DXUT_STATE_DISABLED, elapsed, 0.7f);
    DrawTextKeepingStart(m_strText, element, m_rcBoundingBox, true);
}

// ---------------------------------------------------------------------------------------
// Button

CDXUTButton::CDXUTButton(CDXUTDialog* dialog) : CDXUTStatic(dialog) { m_Type = DXUT_CONTROL_BUTTON; }

bool CDXUTButton::HandleKeyboard(unsigned message, tWParam wParam, tLParam)
{
    return PressByKeyboard(message, wParam, m_bPressed, [this] { Click(); });
}

bool CDXUTButton::HandleMouse(unsigned message, int x, int y, tWParam, tLParam)
{
    return PressByMouse(message, x, y, m_bPressed, eClickFocus::Always, [this] { Click(); });
}

void CDXUTButton::OnHotkey() { Click(); }

void CDXUTButton::Click() { m_pDialog->SendEvent(EVENT_BUTTON_CLICKED, true, this); }

void CDXUTButton::Render(cRenderer*, float elapsed)
{
    int state = StateFor(m_bPressed);
    unsigned first = m_bPressed ? 3 : 0;
    CDXUTElement* parts[3] = {GetElement(first), GetElement(first + 1), GetElement(first + 2)};
    for (CDXUTElement* part : parts) {
        if (!part)
            return;
        if (m_bPressed) {
            part->TextureColor.SetCurrent(state);
            part->FontColor.SetCurrent(state);
        } else {
            part->TextureColor.Blend(state, elapsed, 0.8f);
            part->FontColor.Blend(state, elapsed, 0.8f);
        }
    }
    int middleRight = 0;
    CDXUTElement* last = DrawThreeSlice(m_pDialog, parts[0], parts[1], parts[2], m_rcBoundingBox, middleRight);
    DrawTextKeepingStart(m_strText, last, m_rcBoundingBox, false);
}

// ---------------------------------------------------------------------------------------
// Check box

CDXUTCheckBox::CDXUTCheckBox(CDXUTDialog* dialog) : CDXUTButton(dialog) { m_Type = DXUT_CONTROL_CHECKBOX; }

void CDXUTCheckBox::Click() { SetCheckedInternal(!m_bChecked, true, true); }

bool CDXUTCheckBox::HandleMouse(unsigned message, int x, int y, tWParam, tLParam)
{
    return PressByMouse(message, x, y, m_bPressed, eClickFocus::KeyboardOnly, [this] { Click(); });
}

bool CDXUTCheckBox::ContainsPoint(int x, int y) { return m_rcBoundingBox.Contains(x, y) || m_rcButton.Contains(x, y); }

void CDXUTCheckBox::UpdateRects()
{
    CDXUTButton::UpdateRects();
    m_rcButton = m_rcBoundingBox;
    m_rcButton.right = m_rcButton.left + m_rcButton.Height();
    m_rcText = m_rcBoundingBox;
    m_rcText.left += int(1.25 * m_rcButton.Width());
}

void CDXUTCheckBox::SetCheckedInternal(bool checked, bool fromInput, bool notify)
{
    m_bChecked = checked;
    if (notify)
        m_pDialog->SendEvent(EVENT_CHECKBOX_CHANGED, fromInput, this);
}

void CDXUTCheckBox::Render(cRenderer*, float)
{
    int state = StateFor(m_bPressed);
    CDXUTElement* element = GetElement(m_bChecked ? 1 : 0);
    if (!element)
        return;
    element->TextureColor.SetCurrent(state);
    element->FontColor.SetCurrent(state);
    m_pDialog->DrawSprite(element, m_rcButton, 0.2f);
    m_pDialog->DrawText(m_strText, element, m_rcText, true);
}

// ---------------------------------------------------------------------------------------
// Radio button

CDXUTRadioButton::CDXUTRadioButton(CDXUTDialog* dialog) : CDXUTCheckBox(dialog) { m_Type = DXUT_CONTROL_RADIOBUTTON; }

void CDXUTRadioButton::Click()
{
    m_pDialog->ClearRadioButtonGroup(m_nButtonGroup, true);
    m_bChecked = !m_bChecked;
    m_pDialog->SendEvent(EVENT_RADIOBUTTON_CHANGED, true, this);
}

void CDXUTRadioButton::OnHotkey() { SetCheckedInternal(true, true, true, true); }

void CDXUTRadioButton::SetCheckedInternal(bool checked, bool clearGroup, bool fromInput, bool notify)
{
    if (checked && clearGroup)
        m_pDialog->ClearRadioButtonGroup(m_nButtonGroup, notify);
    m_bChecked = checked;
    if (notify)
        m_pDialog->SendEvent(EVENT_RADIOBUTTON_CHANGED, fromInput, this);
}
