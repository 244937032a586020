#pragma once
// A combo box: a button that opens a list of texts (each with user data) right below it.
#include <memory>
#include <string>
#include <vector>

#include "gui/buttons.h"
#include "gui/scroll_bar.h"

struct DXUTComboBoxItem
{
    std::wstring strText; // at most 255 characters
    void* pData = nullptr;
    sRect rcActive;
    bool bVisible = false;
};

class CDXUTComboBox : public CDXUTButton
{
public:
    explicit CDXUTComboBox(CDXUTDialog* dialog = nullptr);

    tResult OnInit() override;
    void SetTextColor(tColor color) override;
    bool HandleKeyboard(unsigned message, tWParam wParam, tLParam lParam) override;
    bool HandleMouse(unsigned message, int x, int y, tWParam wParam, tLParam lParam) override;
    void OnHotkey() override;
    bool CanHaveFocus() override { return m_bVisible && m_bEnabled; }
    void OnFocusOut() override;
    void Render(cRenderer* device, float elapsed) override;
    void UpdateRects() override;

    tResult AddItem(const wchar_t* text, void* data);
    void RemoveAllItems();
    int FindItem(const wchar_t* text, int start = 0) const;
    bool ContainsItem(const wchar_t* text, int start = 0) const { return FindItem(text, start) >= 0; }
    DXUTComboBoxItem* GetItem(int index);
    int GetNumItems() const { return int(m_Items.size()); }
    DXUTComboBoxItem* GetSelectedItem();
    void* GetSelectedData();
    int GetSelectedIndex() const { return m_iSelected; }
    tResult SetSelectedByIndex(unsigned index);
    tResult SetSelectedByData(void* data);
    // No item chosen: the box shows none until one is.
    void ClearSelection() { m_iFocused = m_iSelected = -1; }
    void SetDropHeight(int height)
    {
        m_nDropHeight = height;
        UpdateRects();
    }
    bool IsOpened() const { return m_bOpened; }
    const sRect& GetDropdownRect() const { return m_rcDropdown; }
    const sRect& GetDropdownTextRect() const { return m_rcDropdownText; }
    CDXUTScrollBar& GetScrollBar() { return m_ScrollBar; }

private:
    // The visible item under a point of the drop-down, or -1.
    int ItemAt(int x, int y) const;
    void ChangeSelection(int index);
    // Moves the selection one item up (-1) or down (+1), staying inside the list.
    void StepSelection(int step);

    int m_iSelected = -1;
    int m_iFocused = -1;
    int m_nDropHeight = 100;
    CDXUTScrollBar m_ScrollBar;
    int m_nSBWidth = 25;
    bool m_bOpened = false;
    int m_iOpenedSelection = -1; // the selection when the list opened
    sRect m_rcText;
    sRect m_rcButton;
    sRect m_rcDropdown;
    sRect m_rcDropdownText;
    std::vector<std::unique_ptr<DXUTComboBoxItem>> m_Items;
};
