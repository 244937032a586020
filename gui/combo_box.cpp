#include "gui/combo_box.h"

#include <algorithm>

#include "gui/dialog.h"
#include "gui/gui_hooks.h"

namespace {
constexpr size_t kMaxItemText = 255;
} // namespace

CDXUTComboBox::CDXUTComboBox(CDXUTDialog* dialog) : CDXUTButton(dialog), m_ScrollBar(dialog)
{
    m_Type = DXUT_CONTROL_COMBOBOX;
}

tResult CDXUTComboBox::OnInit() { return m_pDialog->InitControl(&m_ScrollBar); }

void CDXUTComboBox::SetTextColor(tColor color)
{
    if (CDXUTElement* e = GetElement(0))
        e->FontColor.States[DXUT_STATE_NORMAL] = color;
    if (CDXUTElement* e = GetElement(2))
        e->FontColor.States[DXUT_STATE_NORMAL] = color;
}

void CDXUTComboBox::UpdateRects()
{
    CDXUTButton::UpdateRects();
    m_rcButton = m_rcBoundingBox;
    m_rcText = m_rcBoundingBox;
    m_rcText.right -= m_rcBoundingBox.Height();

    m_rcDropdown = OffsetRect(m_rcText, 0, m_rcText.Height());
    m_rcDropdown.right = m_rcBoundingBox.right;
    m_rcDropdown.bottom += m_nDropHeight;
    m_rcDropdown.right -= m_nSBWidth;

    m_rcDropdownText = m_rcDropdown;
    m_rcDropdownText.left += int(0.1f * m_rcDropdown.Width());
    m_rcDropdownText.right -= int(0.1f * m_rcDropdown.Width());
    m_rcDropdownText.top += int(0.1f * m_rcDropdown.Height());
    m_rcDropdownText.bottom -= int(0.1f * m_rcDropdown.Height());

    m_ScrollBar.SetLocation(m_rcDropdown.right, m_rcDropdown.top + 2);
    m_ScrollBar.SetSize(m_nSBWidth, m_rcDropdown.Height() - 2);
    CDXUTElement* element = GetElement(2);
    int fontHeight = element && m_pDialog ? m_pDialog->GetFontHeight(element->iFont) : 0;
    // A font of no height (a layout without its fonts) gives lines of nothing: no page.
    if (fontHeight > 0) {
        m_ScrollBar.SetPageSize(m_rcDropdownText.Height() / fontHeight);
        m_ScrollBar.ShowItem(m_iSelected);
    }
}

tResult CDXUTComboBox::AddItem(const wchar_t* text, void* data)
{
    if (!text)
        return E_INVALIDARG;
    auto item = std::make_unique<DXUTComboBoxItem>();
    item->strText = std::wstring(text).substr(0, kMaxItemText);
    item->pData = data;
    m_Items.push_back(std::move(item));
    m_ScrollBar.SetTrackRange(0, int(m_Items.size()));
    if (m_Items.size() == 1) {
        m_iSelected = 0;
        m_iFocused = 0;
        m_pDialog->SendEvent(EVENT_COMBOBOX_SELECTION_CHANGED, false, this);
    }
    return S_OK;
}

void CDXUTComboBox::RemoveAllItems()
{
    m_Items.clear();
    m_ScrollBar.SetTrackRange(0, 1);
    // The focused item went with the others: Enter on the emptied, open list would make the
    // stale index the selection, past the end, and report it.
    m_iFocused = -1;
    m_iSelected = -1;
}

int CDXUTComboBox::FindItem(const wchar_t* text, int start) const
{
    if (!text)
        return -1;
    for (int i = std::max(start, 0); i < int(m_Items.size()); ++i)
        if (m_Items[size_t(i)]->strText == text)
            return i;
    return -1;
}

DXUTComboBoxItem* CDXUTComboBox::GetItem(int index)
{
    return index >= 0 && index < int(m_Items.size()) ? m_Items[size_t(index)].get() : nullptr;
}

DXUTComboBoxItem* CDXUTComboBox::GetSelectedItem() { return GetItem(m_iSelected); }

void* CDXUTComboBox::GetSelectedData()
{
    DXUTComboBoxItem* item = GetSelectedItem();
    return item ? item->pData : nullptr;
}

tResult CDXUTComboBox::SetSelectedByIndex(unsigned index)
{
    if (index >= m_Items.size())
        return E_INVALIDARG;
    m_iFocused = m_iSelected = int(index);
    m_pDialog->SendEvent(EVENT_COMBOBOX_SELECTION_CHANGED, false, this);
    return S_OK;
}

tResult CDXUTComboBox::SetSelectedByData(void* data)
{
    for (size_t i = 0; i < m_Items.size(); ++i)
        if (m_Items[i]->pData == data)
            return SetSelectedByIndex(unsigned(i));
    return E_FAIL;
}

void CDXUTComboBox::OnFocusOut()
{
    CDXUTButton::OnFocusOut();
    m_bOpened = false;
}

int CDXUTComboBox::ItemAt(int x, int y) const
{
    for (int i = m_ScrollBar.GetTrackPos(); i < int(m_Items.size()); ++i) {
        const DXUTComboBoxItem& item = *m_Items[size_t(i)];
        if (item.bVisible && item.rcActive.Contains(x, y))
            return i;
    }
    return -1;
}

void CDXUTComboBox::ChangeSelection(int index)
{
    m_iFocused = m_iSelected = index;
    if (!m_bOpened)
        m_pDialog->SendEvent(EVENT_COMBOBOX_SELECTION_CHANGED, true, this);
}

void CDXUTComboBox::StepSelection(int step)
{
    int index = m_iFocused + step;
    if (index >= 0 && index < GetNumItems())
        ChangeSelection(index);
}

bool CDXUTComboBox::HandleMouse(unsigned message, int x, int y, tWParam wParam, tLParam lParam)
{
    if (!m_bEnabled || !m_bVisible)
        return false;
    if (m_bOpened && m_ScrollBar.HandleMouse(message, x, y, wParam, lParam))
        return true;

    switch (message) {
    case WM_MOUSEMOVE:
        if (m_bOpened && m_rcDropdown.Contains(x, y)) {
            int index = ItemAt(x, y);
            if (index >= 0)
                m_iFocused = index;
            return true;
        }
        return false;

    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (ContainsPoint(x, y)) {
            m_bPressed = true;
            GuiCaptureMouse(true);
            if (!m_bHasFocus)
                CDXUTDialog::RequestFocus(this);
            if (m_bHasFocus) {
                m_bOpened = !m_bOpened;
                m_iOpenedSelection = m_iSelected;
                if (!m_bOpened)
                    DropFocusWithoutKeyboard();
            }
            return true;
        }
        if (m_bOpened && m_rcDropdown.Contains(x, y)) {
            int index = ItemAt(x, y);
            if (index >= 0) {
                m_iFocused = m_iSelected = index;
                m_pDialog->SendEvent(EVENT_COMBOBOX_SELECTION_CHANGED, true, this);
            }
            m_bOpened = false;
            // As when the box itself closes it: a dialog without keyboard input keeps no focus,
            // else the wheel anywhere over that dialog would go on turning this list.
            DropFocusWithoutKeyboard();
            return true;
        }
        // A click elsewhere closes the list and keeps the selection.
        if (m_bOpened) {
            m_iFocused = m_iSelected;
            m_pDialog->SendEvent(EVENT_COMBOBOX_SELECTION_CHANGED, true, this);
            m_bOpened = false;
        }
        // A press released outside the box left it pressed (only a release inside ends one):
        // the next click elsewhere lets it go.
        m_bPressed = false;
        DropFocusWithoutKeyboard();
        return false;

    case WM_LBUTTONUP:
        if (m_bPressed && ContainsPoint(x, y)) {
            m_bPressed = false;
            GuiCaptureMouse(false);
            return true;
        }
        return false;

    case WM_MOUSEWHEEL: {
        int notches = WheelDelta(wParam) / WHEEL_DELTA;
        if (m_bOpened) {
            m_ScrollBar.Scroll(-notches * GuiWheelScrollLines());
        } else if (notches > 0) {
            StepSelection(-1);
        } else if (notches < 0) {
            StepSelection(+1);
        }
        return true;
    }

    default:
        return false;
    }
}

bool CDXUTComboBox::HandleKeyboard(unsigned message, tWParam wParam, tLParam lParam)
{
    constexpr tLParam kRepeatBit = tLParam(1) << 30;
    if (!m_bEnabled || !m_bVisible)
        return false;
    if (m_bOpened && m_ScrollBar.HandleKeyboard(message, wParam, lParam))
        return true;
    if (message != WM_KEYDOWN)
        return false;
    switch (wParam) {
    case VK_RETURN:
        if (m_bOpened) {
            // The arrows change the selection silently while the list is open: Enter reports
            // what they chose, else the choice would never reach the window.
            if (m_iSelected != m_iFocused || m_iSelected != m_iOpenedSelection) {
                m_iSelected = m_iFocused;
                m_pDialog->SendEvent(EVENT_COMBOBOX_SELECTION_CHANGED, true, this);
            }
            m_bOpened = false;
            DropFocusWithoutKeyboard();
            return true;
        }
        return false;
    case VK_F1 + 3: // F4
        if (lParam & kRepeatBit)
            return true;
        m_bOpened = !m_bOpened;
        m_iOpenedSelection = m_iSelected;
        if (!m_bOpened) {
            m_pDialog->SendEvent(EVENT_COMBOBOX_SELECTION_CHANGED, true, this);
            DropFocusWithoutKeyboard();
        }
        return true;
    case VK_LEFT:
    case VK_UP:
        StepSelection(-1);
        return true;
    case VK_RIGHT:
    case VK_DOWN:
        StepSelection(+1);
        return true;
    default:
        return false;
    }
}

void CDXUTComboBox::OnHotkey()
{
    if (m_bOpened || m_iSelected == -1 || m_Items.empty())
        return;
    ++m_iSelected;
    if (m_iSelected >= int(m_Items.size()))
        m_iSelected = 0;
    m_iFocused = m_iSelected;
    m_pDialog->SendEvent(EVENT_COMBOBOX_SELECTION_CHANGED, true, this);
}


void CDXUTComboBox::Render(cRenderer* device, float elapsed)
{
    int state = StateFor(m_bPressed);
    // Nothing says how an open box is drawn: as pressed, held down while its list shows.
    if (m_bOpened && state != DXUT_STATE_HIDDEN && state != DXUT_STATE_DISABLED)
        state = DXUT_STATE_PRESSED;

    if (m_bOpened) {
        m_ScrollBar.Render(device, elapsed);

        CDXUTElement* frame[9];
        for (unsigned k = 0; k < 9; ++k) {
            frame[k] = GetElement(4 + k);
            if (!frame[k])
                return;
            frame[k]->TextureColor.Blend(state, elapsed, 0.8f);
            frame[k]->FontColor.Blend(state, elapsed, 0.8f);
        }
        DrawNineSlice(m_pDialog, frame, m_rcDropdown, 12, 0.2f);

        CDXUTElement* selection = GetElement(3);
        CDXUTElement* itemElement = GetElement(2);
        if (!selection || !itemElement)
            return;
        selection->TextureColor.Blend(state, elapsed, 0.8f);
        selection->FontColor.Blend(state, elapsed, 0.8f);
        // The open list is pressed, but its items are plain: only the focused one stands out.
        itemElement->FontColor.Blend(DXUT_STATE_NORMAL, elapsed, 0.8f);
        int lineHeight = m_pDialog->GetFontHeight(itemElement->iFont);
        int row = 0;
        for (auto& item : m_Items)
            item->bVisible = false;
        for (int i = m_ScrollBar.GetTrackPos(); i < int(m_Items.size()) && lineHeight > 0; ++i, ++row) {
            DXUTComboBoxItem& item = *m_Items[size_t(i)];
            item.rcActive = sRect{m_rcDropdownText.left, m_rcDropdownText.top + row * lineHeight, m_rcDropdownText.right,
                                  m_rcDropdownText.top + (row + 1) * lineHeight};
            if (item.rcActive.bottom > m_rcDropdownText.bottom)
                break;
            item.bVisible = true;
            if (i == m_iFocused) {
                sRect highlight{m_rcDropdown.left + 4, item.rcActive.top, m_rcDropdown.right - 4, item.rcActive.bottom};
                m_pDialog->DrawSprite(selection, highlight, 0.2f);
                // In the colour of the highlight, in the place of the other items.
                CDXUTElement focused = *selection;
                focused.dwTextFormat = itemElement->dwTextFormat | DT_END_ELLIPSIS;
                m_pDialog->DrawText(item.strText, &focused, item.rcActive);
            } else {
                // A long name cut at both ends of the row reads as another: it keeps its start.
                CDXUTElement plain = *itemElement;
                plain.dwTextFormat |= DT_END_ELLIPSIS;
                m_pDialog->DrawText(item.strText, &plain, item.rcActive);
            }
        }
    }

    CDXUTElement* main = GetElement(0);
    CDXUTElement* button = GetElement(1);
    if (!main || !button)
        return;
    main->TextureColor.Blend(state, elapsed, 0.8f);
    main->FontColor.Blend(state, elapsed, 0.8f);
    button->TextureColor.Blend(state, elapsed, 0.8f);
    m_pDialog->DrawSprite(main, m_rcText, 0.2f);
    // The button's arrow fills the square right of the text: over the whole box (the button
    // rectangle, which takes the clicks) it would hide the main area and stretch the arrow.
    sRect arrow{m_rcText.right, m_rcBoundingBox.top, m_rcBoundingBox.right, m_rcBoundingBox.bottom};
    m_pDialog->DrawSprite(button, arrow, 0.2f);
    if (DXUTComboBoxItem* item = GetSelectedItem())
        DrawTextKeepingStart(item->strText, main, m_rcText, false);
    else
        SetCutText(nullptr);
}
