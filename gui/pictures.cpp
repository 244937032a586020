#include "gui/pictures.h"

#include "gui/dialog.h"

bool cClickable::HandleKeyboard(unsigned message, tWParam wParam, tLParam)
{
    return PressByKeyboard(message, wParam, m_bPressed, [this] { Click(); });
}

bool cClickable::HandleMouse(unsigned message, int x, int y, tWParam, tLParam)
{
    return PressByMouse(message, x, y, m_bPressed, eClickFocus::Always, [this] { Click(); });
}

void cClickable::OnHotkey() { Click(); }

void cClickable::Click() { m_pDialog->SendEvent(EVENT_BUTTON_CLICKED, true, this); }

CDXUTIcon::CDXUTIcon(CDXUTDialog* dialog) : cClickable(dialog) { m_Type = DXUT_CONTROL_ICON; }

void CDXUTIcon::SetTextureRect(const sRect& rect)
{
    for (int k = 0; k < 3; ++k)
        m_rcCells[k] = OffsetRect(rect, 0, k * rect.Height());
    m_Element.iTexture = 0;
    m_Element.TextureColor.Init(0xDCFFFFFF, 0xFFFFFFFF, 0);
    for (int s = DXUT_STATE_FOCUS; s <= DXUT_STATE_PRESSED; ++s)
        m_Element.TextureColor.States[size_t(s)] = 0xFFFFFFFF;
}

void CDXUTIcon::Render(cRenderer*, float)
{
    if (!m_bVisible)
        return;
    int state = StateFor(m_bPressed);
    int cell = state == DXUT_STATE_DISABLED ? 0 : state == DXUT_STATE_MOUSEOVER ? 2 : 1;
    m_Element.rcTexture = m_rcCells[cell];
    m_Element.TextureColor.SetCurrent(state);
    m_pDialog->DrawSprite(&m_Element, m_rcBoundingBox, 0.2f);
}

CDXUTImage::CDXUTImage(CDXUTDialog* dialog) : cClickable(dialog) { m_Type = DXUT_CONTROL_IMAGE; }

void CDXUTImage::Render(cRenderer*, float)
{
    if (!m_bVisible || m_iTexture == 0)
        return;
    if (m_Source)
        m_pDialog->DrawSprite(m_Source(), m_rcTexture, m_rcBoundingBox, 0.0f, m_Color);
    else
        m_pDialog->DrawSprite(m_iTexture, m_rcTexture, m_rcBoundingBox, 0.0f, m_Color);
}
