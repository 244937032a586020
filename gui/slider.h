#pragma once
// A slider: an integer in a range, a 10-pixel thumb on a track with 5-pixel end margins.
#include "gui/control.h"

class CDXUTSlider : public CDXUTControl
{
public:
    explicit CDXUTSlider(CDXUTDialog* dialog = nullptr);

    bool ContainsPoint(int x, int y) override;
    bool CanHaveFocus() override { return m_bVisible && m_bEnabled; }
    bool HandleKeyboard(unsigned message, tWParam wParam, tLParam lParam) override;
    bool HandleMouse(unsigned message, int x, int y, tWParam wParam, tLParam lParam) override;
    void UpdateRects() override;
    void Render(cRenderer* device, float elapsed) override;

    void SetValue(int value) { SetValueInternal(value, false, true); }
    int GetValue() const { return m_nValue; }
    void GetRange(int& min, int& max) const
    {
        min = m_nMin;
        max = m_nMax;
    }
    void SetRange(int min, int max);
    void SetValueInternal(int value, bool fromInput, bool notify);
    const sRect& GetThumbRect() const { return m_rcButton; }
    bool IsPressed() const { return m_bPressed; }

private:
    int ValueFromPos(int x) const;

    int m_nValue = 50;
    int m_nMin = 0;
    int m_nMax = 100;
    int m_nDragOffset = 0;
    int m_nButtonX = 0;
    bool m_bPressed = false;
    sRect m_rcButton;
};
