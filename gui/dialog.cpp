#include "gui/dialog.h"

#include <algorithm>
#include <cstdlib>

#include "gui/gui_hooks.h"

CDXUTControl* CDXUTDialog::s_pControlFocus = nullptr;
CDXUTControl* CDXUTDialog::s_pControlPressed = nullptr;
double CDXUTDialog::s_fTimeRefresh = 0;
bool CDXUTDialog::s_bCaptionDrag = false;
bool CDXUTDialog::s_bDragInProgress = false;
int CDXUTDialog::s_DragStartX = 0;
int CDXUTDialog::s_DragStartY = 0;

namespace {
constexpr size_t kMaxCaption = 255;
// A point far outside any control: releases a pressed control without clicking it.
constexpr int kNowhere = -30000;
} // namespace

CDXUTDialog::CDXUTDialog() : m_pNextDialog(this), m_pPrevDialog(this) {}

CDXUTDialog::~CDXUTDialog()
{
    RemoveAllControls();
    // Leave the focus ring whole for the dialogs that stay.
    m_pPrevDialog->m_pNextDialog = m_pNextDialog;
    m_pNextDialog->m_pPrevDialog = m_pPrevDialog;
}

void CDXUTDialog::ResetGlobalState()
{
    s_pControlFocus = nullptr;
    s_pControlPressed = nullptr;
    s_fTimeRefresh = 0;
    s_bCaptionDrag = false;
    CancelControlDrag();
}

void CDXUTDialog::SetNextDialog(CDXUTDialog* next)
{
    if (!next)
        next = this;
    m_pNextDialog = next;
    next->m_pPrevDialog = this;
}

void CDXUTDialog::GetDrawOffset(int& x, int& y) const
{
    x = m_x;
    y = m_y + (m_bCaption ? m_nCaptionHeight : 0);
}

sRect CDXUTDialog::ToScreenRect(const sRect& rect) const
{
    int x = 0, y = 0;
    GetDrawOffset(x, y);
    return OffsetRect(rect, x, y);
}

int CDXUTDialog::GetFontHeight(int slot) const
{
    DXUTFontNode* node = slot >= 0 ? GetFont(unsigned(slot)) : nullptr;
    return node ? node->nHeight : 0;
}

cFont* CDXUTDialog::GetFontObject(int slot) const
{
    DXUTFontNode* node = slot >= 0 ? GetFont(unsigned(slot)) : nullptr;
    return node ? node->pFont.get() : nullptr;
}

void CDXUTDialog::SetCaptionText(const wchar_t* text)
{
    m_wszCaption = text ? std::wstring(text).substr(0, kMaxCaption) : std::wstring();
}

void CDXUTDialog::SetBackgroundColors(tColor topLeft, tColor topRight, tColor bottomLeft, tColor bottomRight)
{
    m_colorTopLeft = topLeft;
    m_colorTopRight = topRight;
    m_colorBottomLeft = bottomLeft;
    m_colorBottomRight = bottomRight;
}

// The hint display shows one control's hint for the whole program. A dialog forgets it only
// when the control is its own: a dialog the pointer left that hears the move after the one it
// came to would otherwise take away the hint of the control now pointed at.
void CDXUTDialog::ForgetOwnHint()
{
    const CDXUTControl* shown = g_GuiHooks.hintControl ? GuiHintControl() : nullptr;
    if (!g_GuiHooks.hintControl ||
        std::any_of(m_Controls.begin(), m_Controls.end(), [shown](const auto& c) { return c.get() == shown; }))
        GuiSetHintControl(nullptr, false);
}

void CDXUTDialog::EnableMouseInput(bool enable)
{
    m_bMouseInput = enable;
    if (!enable)
        ForgetOwnHint();
}

void CDXUTDialog::SetVisible(bool visible)
{
    if (m_bVisible && !visible && m_pControlMouseOver) {
        if (m_pControlMouseOver == GuiHintControl())
            GuiSetHintControl(nullptr, false);
        // Out of sight, the control under the mouse keeps no hover look: shown again (the pause
        // menu after the preferences) it would look pointed at wherever the mouse is.
        m_pControlMouseOver->OnMouseLeave();
        m_pControlMouseOver = nullptr;
    }
    m_bVisible = visible;
}

void CDXUTDialog::SetMinimized(bool minimized)
{
    m_bMinimized = minimized;
    if (minimized && m_pControlMouseOver) {
        // Its controls are out of sight: the one under the mouse keeps no hover look or hint.
        m_pControlMouseOver->OnMouseLeave();
        ForgetOwnHint();
        m_pControlMouseOver = nullptr;
    }
}

// ---------------------------------------------------------------------------------------
// Controls

tResult CDXUTDialog::InitControl(CDXUTControl* control)
{
    if (!control)
        return E_INVALIDARG;
    control->m_Index = unsigned(m_Controls.size());
    control->m_pDialog = this;
    for (const auto& holder : m_DefaultElements)
        if (holder.nControlType == unsigned(control->GetType()))
            control->SetElement(holder.iElement, holder.Element);
    return control->OnInit();
}

tResult CDXUTDialog::AddControl(std::unique_ptr<CDXUTControl> control)
{
    if (!control)
        return E_OUTOFMEMORY;
    control->m_Index = unsigned(m_Controls.size());
    m_Controls.push_back(std::move(control));
    return S_OK;
}

CDXUTControl* CDXUTDialog::GetControl(int id)
{
    for (auto& control : m_Controls)
        if (control->GetID() == id)
            return control.get();
    return nullptr;
}

CDXUTControl* CDXUTDialog::GetControl(int id, int type)
{
    for (auto& control : m_Controls)
        if (control->GetID() == id && control->GetType() == type)
            return control.get();
    return nullptr;
}

CDXUTControl* CDXUTDialog::GetControlAtPoint(int x, int y)
{
    if (!m_bVisible || m_bMinimized)
        return nullptr;
    // The last created lies on top.
    for (auto it = m_Controls.rbegin(); it != m_Controls.rend(); ++it) {
        CDXUTControl* control = it->get();
        if (control->ContainsPoint(x, y) && control->GetVisible())
            return control;
    }
    return nullptr;
}

void CDXUTDialog::SetControlEnabled(int id, bool enabled)
{
    if (CDXUTControl* control = GetControl(id))
        control->SetEnabled(enabled);
}

bool CDXUTDialog::GetControlEnabled(int id)
{
    CDXUTControl* control = GetControl(id);
    return control && control->GetEnabled();
}

void CDXUTDialog::ClearHoverOnRemove(CDXUTControl* control)
{
    if (m_pControlMouseOver == control) {
        m_pControlMouseOver = nullptr;
        ForgetOwnHint();
    }
}

void CDXUTDialog::RemoveControl(int id)
{
    for (size_t i = 0; i < m_Controls.size(); ++i) {
        CDXUTControl* control = m_Controls[i].get();
        if (control->GetID() != id)
            continue;
        ClearFocus();
        if (s_pControlPressed == control)
            s_pControlPressed = nullptr;
        ClearHoverOnRemove(control);
        m_Controls.erase(m_Controls.begin() + std::ptrdiff_t(i));
        for (size_t k = i; k < m_Controls.size(); ++k)
            m_Controls[k]->m_Index = unsigned(k);
        return;
    }
}

void CDXUTDialog::RemoveAllControls()
{
    if (s_pControlFocus && s_pControlFocus->m_pDialog == this)
        s_pControlFocus = nullptr;
    if (s_pControlPressed && s_pControlPressed->m_pDialog == this)
        s_pControlPressed = nullptr;
    m_pControlMouseOver = nullptr;
    GuiSetHintControl(nullptr, false);
    m_Controls.clear();
}

// ---------------------------------------------------------------------------------------
// Events, focus and refresh

void CDXUTDialog::SendEvent(unsigned event, bool byUser, CDXUTControl* control, bool playSound)
{
    if (!m_pCallbackEvent)
        return;
    if (byUser) {
        if (playSound && g_GuiHooks.playSound)
            g_GuiHooks.playSound(event, control ? control->GetID() : 0, control);
        m_pCallbackEvent(event, control ? control->GetID() : 0, control);
    } else if (m_bNonUserEvents) {
        m_pCallbackEvent(event, control ? control->GetID() : 0, control);
    }
}

void CDXUTDialog::Refresh()
{
    if (s_pControlFocus)
        s_pControlFocus->OnFocusOut();
    if (m_pControlMouseOver)
        m_pControlMouseOver->OnMouseLeave();
    s_pControlFocus = nullptr;
    s_pControlPressed = nullptr;
    m_pControlMouseOver = nullptr;
    ForgetOwnHint();
    for (auto& control : m_Controls)
        control->Refresh();
    if (m_bKeyboardInput)
        FocusDefaultControl();
}

void CDXUTDialog::RequestFocus(CDXUTControl* control)
{
    if (!control || s_pControlFocus == control || !control->CanHaveFocus())
        return;
    if (s_pControlFocus)
        s_pControlFocus->OnFocusOut();
    control->OnFocusIn();
    s_pControlFocus = control;
}

void CDXUTDialog::ClearFocus()
{
    if (s_pControlFocus) {
        s_pControlFocus->OnFocusOut();
        s_pControlFocus = nullptr;
    }
    GuiCaptureMouse(false);
}

void CDXUTDialog::FocusDefaultControl()
{
    for (auto& control : m_Controls) {
        if (control->m_bIsDefault) {
            ClearFocus();
            s_pControlFocus = control.get();
            s_pControlFocus->OnFocusIn();
            return;
        }
    }
}

CDXUTControl* CDXUTDialog::GetNextControl(CDXUTControl* control)
{
    CDXUTDialog* dialog = control->m_pDialog;
    size_t index = control->m_Index + 1;
    // Past the end of a list: the first control of the next dialog that has one.
    while (index >= dialog->m_Controls.size()) {
        dialog = dialog->m_pNextDialog;
        index = 0;
        if (dialog == control->m_pDialog && dialog->m_Controls.empty())
            return control;
        if (!dialog->m_Controls.empty())
            break;
    }
    return dialog->m_Controls[index].get();
}

CDXUTControl* CDXUTDialog::GetPrevControl(CDXUTControl* control)
{
    CDXUTDialog* dialog = control->m_pDialog;
    int index = int(control->m_Index) - 1;
    while (index < 0) {
        dialog = dialog->m_pPrevDialog;
        index = int(dialog->m_Controls.size()) - 1;
        if (dialog == control->m_pDialog && index < 0)
            return control;
    }
    return dialog->m_Controls[size_t(index)].get();
}

void CDXUTDialog::OnCycleFocus(bool forward)
{
    CDXUTControl* start = s_pControlFocus;
    if (!start || !start->m_pDialog)
        return;
    CDXUTControl* control = start;
    for (int steps = 0; steps < 0xFFFF; ++steps) {
        control = forward ? control->m_pDialog->GetNextControl(control) : control->m_pDialog->GetPrevControl(control);
        if (control == start)
            return;
        if (control->m_pDialog->m_bKeyboardInput && control->CanHaveFocus()) {
            s_pControlFocus->OnFocusOut();
            s_pControlFocus = control;
            s_pControlFocus->OnFocusIn();
            return;
        }
    }
}

void CDXUTDialog::CancelControlDrag()
{
    s_bDragInProgress = false;
    s_DragStartX = 0;
    s_DragStartY = 0;
}

// ---------------------------------------------------------------------------------------
// Messages

void CDXUTDialog::OnMouseEnter(CDXUTControl* control)
{
    if (control)
        control->OnMouseEnter();
}

void CDXUTDialog::OnMouseLeave(CDXUTControl* control)
{
    if (control)
        control->OnMouseLeave();
}

void CDXUTDialog::OnMouseMove(int x, int y)
{
    if (s_bDragInProgress)
        return;
    CDXUTControl* control = GetControlAtPoint(x, y);
    if (control == m_pControlMouseOver)
        return;
    if (m_pControlMouseOver) {
        OnMouseLeave(m_pControlMouseOver);
        ForgetOwnHint();
    }
    m_pControlMouseOver = control;
    if (control) {
        OnMouseEnter(control);
        GuiSetHintControl(control, false);
    }
}

bool CDXUTDialog::MsgProc(unsigned message, tWParam wParam, tLParam lParam)
{
    const int mouseX = MessageX(lParam);
    const int mouseY = MessageY(lParam);

    // 1. Dragging the hovered control in steps of 5 pixels.
    if (m_pControlMouseOver && m_pControlMouseOver->m_pDialog == this && m_pControlMouseOver->m_bDraggable) {
        if (message == WM_LBUTTONDOWN) {
            if (s_DragStartX == 0) {
                s_DragStartX = mouseX;
                s_DragStartY = mouseY;
            }
        } else if (message == WM_LBUTTONUP) {
            bool dragged = s_bDragInProgress;
            s_DragStartX = 0;
            s_bDragInProgress = false;
            if (dragged) {
                // The control never sees this button-up, so it must not stay pressed.
                CDXUTControl* control = m_pControlMouseOver;
                if (control->GetEnabled())
                    control->HandleMouse(WM_LBUTTONUP, kNowhere, kNowhere, wParam, lParam);
                return true;
            }
        } else if (message == WM_MOUSEMOVE && s_DragStartX != 0) {
            int dx = (mouseX - s_DragStartX) / 5 * 5;
            int dy = (mouseY - s_DragStartY) / 5 * 5;
            if (s_bDragInProgress || std::abs(dx) > 5 || std::abs(dy) > 5) {
                s_bDragInProgress = true;
                CDXUTControl& control = *m_pControlMouseOver;
                const int fromX = control.m_x, fromY = control.m_y;
                control.MoveBy(dx, dy);
                // A step refused whole would stop a window pushed slantwise against a screen
                // edge dead while the pointer runs on along it: it goes as far as the layout
                // lets it along each edge instead.
                for (int step = dx; step != 0 && control.m_x == fromX && control.m_y == fromY; step -= step > 0 ? 5 : -5)
                    control.MoveBy(step, 0);
                for (int step = dy; step != 0 && control.m_y == fromY; step -= step > 0 ? 5 : -5)
                    control.MoveBy(0, step);
                // The start point moves only as far as the control did: moved on by a refused
                // step, it would part the grabbed point from the pointer for the rest of the drag.
                s_DragStartX += control.m_x - fromX;
                s_DragStartY += control.m_y - fromY;
                return true;
            }
        }
    }

    // 2.
    if (!m_bVisible)
        return false;

    // 3. The caption strip: a click toggles minimised.
    if (m_bCaption) {
        bool inStrip = mouseX >= m_x && mouseX < m_x + m_width && mouseY >= m_y && mouseY < m_y + m_nCaptionHeight;
        if ((message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) && inStrip) {
            s_bCaptionDrag = true;
            GuiCaptureMouse(true);
            return true;
        }
        if (message == WM_LBUTTONUP && s_bCaptionDrag && inStrip) {
            GuiCaptureMouse(false);
            s_bCaptionDrag = false;
            SetMinimized(!m_bMinimized);
            return true;
        }
    }

    // 4.
    if (m_bMinimized)
        return false;

    // 5. The focus control first.
    CDXUTControl* focus = s_pControlFocus;
    bool focusHere = focus && focus->m_pDialog == this && focus->GetEnabled();
    if (focusHere && focus->MsgProc(message, wParam, lParam))
        return true;

    switch (message) {
    case WM_ACTIVATEAPP:
        if (focusHere) {
            if (wParam)
                focus->OnFocusIn();
            else
                focus->OnFocusOut();
        }
        return false;

    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP: {
        if (!m_bKeyboardInput)
            return false;
        focus = s_pControlFocus;
        focusHere = focus && focus->m_pDialog == this && focus->GetEnabled();
        if (focusHere && focus->HandleKeyboard(message, wParam, lParam))
            return true;
        if (message == WM_KEYUP) {
            bool editing = focus && (focus->GetType() == DXUT_CONTROL_EDITBOX || focus->GetType() == DXUT_CONTROL_IMEEDITBOX);
            if (!editing) {
                for (auto& control : m_Controls) {
                    if (control->GetHotkey() == wParam && control->GetVisible() && control->GetEnabled()) {
                        control->OnHotkey();
                        return true;
                    }
                }
            }
        }
        if (message == WM_KEYDOWN) {
            if (wParam == VK_TAB) {
                if (s_pControlFocus)
                    OnCycleFocus(!GuiKeyDown(VK_SHIFT));
                else
                    FocusDefaultControl();
                return true;
            }
            if (!s_pControlFocus)
                return false;
            if (wParam == VK_LEFT || wParam == VK_UP) {
                OnCycleFocus(false);
                return true;
            }
            if (wParam == VK_RIGHT || wParam == VK_DOWN) {
                OnCycleFocus(true);
                return true;
            }
        }
        return false;
    }

    default:
        break;
    }

    if (message < WM_MOUSEFIRST || message > WM_MOUSELAST)
        return false;
    if (!m_bMouseInput)
        return false;

    int x = mouseX - m_x;
    int y = mouseY - m_y - (m_bCaption ? m_nCaptionHeight : 0);

    focus = s_pControlFocus;
    if (focus && focus->m_pDialog == this && focus->GetEnabled() && focus->HandleMouse(message, x, y, wParam, lParam)) {
        // A click that closed a drop-down leaves the pointer where the list was: the control
        // under it now is the one hovered, and the hint is its own, not the closed list's.
        if (message != WM_MOUSEMOVE && m_pControlMouseOver == focus && !focus->ContainsPoint(x, y))
            OnMouseMove(x, y);
        return true;
    }

    // Under a window that lies above this dialog nothing of it is under the pointer: a
    // control hidden there must not light up, show its hint or take the click.
    if (GuiCoveredAbove(this, mouseX, mouseY)) {
        if (message == WM_MOUSEMOVE)
            OnMouseMove(kNowhere, kNowhere);
        return false;
    }

    CDXUTControl* control = GetControlAtPoint(x, y);
    if (control && control->GetEnabled()) {
        if (control->HandleMouse(message, x, y, wParam, lParam))
            return true;
    } else if (message == WM_LBUTTONDOWN && s_pControlFocus && s_pControlFocus->m_pDialog == this) {
        s_pControlFocus->OnFocusOut();
        s_pControlFocus = nullptr;
    }
    if (message == WM_MOUSEMOVE)
        OnMouseMove(x, y);
    return false;
}

// ---------------------------------------------------------------------------------------
// Drawing

tResult CDXUTDialog::OnRender(float elapsed)
{
    if (m_fTimeLastRefresh < s_fTimeRefresh) {
        m_fTimeLastRefresh = GuiTime();
        Refresh();
    }
    cRenderer* device = DXUTGetGlobalDialogResourceManager()->GetD3DDevice();
    if (!device)
        return E_FAIL;

    // Four transparent corners blend to nothing: no quad over the whole dialog every frame.
    if (!m_bMinimized && (m_colorTopLeft | m_colorTopRight | m_colorBottomLeft | m_colorBottomRight) >> 24) {
        device->FillGradientRect(sRectF{float(m_x), float(m_y), float(m_x + m_width), float(m_y + m_height)},
                                 m_colorTopLeft, m_colorTopRight, m_colorBottomLeft, m_colorBottomRight);
    }

    if (m_bCaption) {
        sRect strip{0, -m_nCaptionHeight, m_width, 0};
        DrawSprite(&m_CapElement, strip, 0.2f);
        sRect textRect = OffsetRect(strip, 5, 0);
        std::wstring text = m_wszCaption;
        if (m_bMinimized)
            text += L" (Minimized)";
        if (text.size() > 256)
            text.resize(256);
        DrawText(text, &m_CapElement, textRect, true);
    }

    if (!m_bMinimized) {
        CDXUTControl* raised = s_pControlFocus && s_pControlFocus->m_pDialog == this && s_pControlFocus->RaisedByFocus()
                                   ? s_pControlFocus
                                   : nullptr;
        for (auto& control : m_Controls)
            if (control.get() != raised)
                control->Render(device, elapsed);
        if (raised)
            raised->Render(device, elapsed);
    }
    EndSpriteBatch();
    return S_OK;
}
