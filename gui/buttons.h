#pragma once
// The simple controls: static text, push button, check box and radio button.
#include <string>

#include "gui/control.h"

class CDXUTStatic : public CDXUTControl
{
public:
    explicit CDXUTStatic(CDXUTDialog* dialog = nullptr);

    void Render(cRenderer* device, float elapsed) override;
    // A static reacts to the mouse (and shows its hint) only while enabled, or while its
    // text is cut short: pointing at it is the one way to read that text whole.
    bool ContainsPoint(int x, int y) override
    {
        return (m_bEnabled || m_CutText) && CDXUTControl::ContainsPoint(x, y);
    }

    // At most 4095 characters; null empties it.
    void SetText(const wchar_t* text);
    void SetText(const std::wstring& text) { SetText(text.c_str()); }
    const std::wstring& GetText() const { return m_strText; }

    uint32_t m_dwTextFormat = DT_VCENTER | DT_NOCLIP;

protected:
    std::wstring m_strText;
};

class CDXUTButton : public CDXUTStatic
{
public:
    explicit CDXUTButton(CDXUTDialog* dialog = nullptr);

    bool HandleKeyboard(unsigned message, tWParam wParam, tLParam lParam) override;
    bool HandleMouse(unsigned message, int x, int y, tWParam wParam, tLParam lParam) override;
    void OnHotkey() override;
    bool ContainsPoint(int x, int y) override { return m_rcBoundingBox.Contains(x, y); }
    bool CanHaveFocus() override { return m_bVisible && m_bEnabled; }
    void Render(cRenderer* device, float elapsed) override;

    bool IsPressed() const { return m_bPressed; }

protected:
    // What a click, Space or the hotkey does.
    virtual void Click();

    bool m_bPressed = false;
};

class CDXUTCheckBox : public CDXUTButton
{
public:
    explicit CDXUTCheckBox(CDXUTDialog* dialog = nullptr);

    // Unlike a push button, a click takes the focus only while keyboard input is on.
    bool HandleMouse(unsigned message, int x, int y, tWParam wParam, tLParam lParam) override;
    bool ContainsPoint(int x, int y) override;
    void UpdateRects() override;
    void Render(cRenderer* device, float elapsed) override;

    virtual void SetCheckedInternal(bool checked, bool fromInput, bool notify);
    void SetChecked(bool checked) { SetCheckedInternal(checked, false, true); }
    bool GetChecked() const { return m_bChecked; }
    const sRect& GetButtonRect() const { return m_rcButton; }
    const sRect& GetTextRect() const { return m_rcText; }

protected:
    void Click() override;

    bool m_bChecked = false;
    sRect m_rcButton;
    sRect m_rcText;
};

class CDXUTRadioButton : public CDXUTCheckBox
{
public:
    explicit CDXUTRadioButton(CDXUTDialog* dialog = nullptr);

    void OnHotkey() override;
    void SetCheckedInternal(bool checked, bool fromInput, bool notify) override
    {
        SetCheckedInternal(checked, false, fromInput, notify);
    }
    virtual void SetCheckedInternal(bool checked, bool clearGroup, bool fromInput, bool notify);
    void SetChecked(bool checked, bool clearGroup = true) { SetCheckedInternal(checked, clearGroup, false, true); }
    unsigned GetButtonGroup() const { return m_nButtonGroup; }
    void SetButtonGroup(unsigned group) { m_nButtonGroup = group; }

protected:
    void Click() override;

    unsigned m_nButtonGroup = 0;
};

// Draws a picture that is cut into a left cap, a stretched middle and a right cap.
// Returns the element drawn last.
class CDXUTDialog;
CDXUTElement* DrawThreeSlice(CDXUTDialog* dialog, CDXUTElement* left, CDXUTElement* middle, CDXUTElement* right,
                             const sRect& box, int& middleRight);

// Draws a nine-piece frame: corners of the given size (at most half the box), edges and
// centre stretched. The pieces are row by row: top-left, top, top-right, left, centre,
// right, bottom-left, bottom, bottom-right.
void DrawNineSlice(CDXUTDialog* dialog, CDXUTElement* const elements[9], const sRect& box, int corner, float depth);
