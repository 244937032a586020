#pragma once
// The picture controls: an icon cut from the GUI picture in three states, and an image
// drawn scaled and tinted from any texture slot of its dialog. Both click like buttons.
#include <functional>

#include "gui/control.h"

class cTexture;

// Click, Space and hotkey handling shared by the button-like pictures.
class cClickable : public CDXUTControl
{
public:
    using CDXUTControl::CDXUTControl;

    bool HandleKeyboard(unsigned message, tWParam wParam, tLParam lParam) override;
    bool HandleMouse(unsigned message, int x, int y, tWParam wParam, tLParam lParam) override;
    void OnHotkey() override;
    bool CanHaveFocus() override { return m_bVisible && m_bEnabled; }
    bool IsPressed() const { return m_bPressed; }

protected:
    void Click();

    bool m_bPressed = false;
};

class CDXUTIcon : public cClickable
{
public:
    explicit CDXUTIcon(CDXUTDialog* dialog = nullptr);

    // Cell 0 is the rectangle, cells 1 and 2 the pieces one and two heights below it.
    void SetTextureRect(const sRect& rect);
    const sRect& GetCell(int n) const { return m_rcCells[n]; }
    void Render(cRenderer* device, float elapsed) override;

private:
    sRect m_rcCells[3];
    CDXUTElement m_Element;
};

class CDXUTImage : public cClickable
{
public:
    explicit CDXUTImage(CDXUTDialog* dialog = nullptr);

    bool ContainsPoint(int x, int y) override { return m_bEnabled && m_rcBoundingBox.Contains(x, y); }
    void Render(cRenderer* device, float elapsed) override;

    void SetTextureIndex(int index) { m_iTexture = index; }
    void SetTextureRect(const sRect& rect) { m_rcTexture = rect; }
    void SetModulateColor(tColor color) { m_Color = color; }
    // Draws the texture the source gives at each frame (a picture the program holds and may
    // reload) instead of the slot's; null returns to the slot. Index 0 still draws nothing.
    void SetTextureSource(std::function<cTexture*()> source) { m_Source = std::move(source); }

    sRect m_rcTexture;
    int m_iTexture = 0; // 0 draws nothing
    tColor m_Color = 0xFFFFFFFF;

private:
    std::function<cTexture*()> m_Source;
};
