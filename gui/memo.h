#pragma once
// A read-only, word-wrapped text area that scrolls by lines.
#include <string>

#include "gui/control.h"
#include "gui/scroll_bar.h"
#include "gui/uni_buffer.h"

class CDXUTMemo : public CDXUTControl
{
public:
    explicit CDXUTMemo(CDXUTDialog* dialog = nullptr);

    tResult OnInit() override;
    bool HandleKeyboard(unsigned message, tWParam wParam, tLParam lParam) override;
    bool HandleMouse(unsigned message, int x, int y, tWParam wParam, tLParam lParam) override;
    bool CanHaveFocus() override { return m_bVisible && m_bEnabled; }
    void UpdateRects() override;
    void Render(cRenderer* device, float elapsed) override;

    void SetText(const wchar_t* text);
    const std::wstring& GetText() const { return m_Buffer.GetText(); }
    void ScrollToEnd();
    CDXUTScrollBar& GetScrollBar() { return m_ScrollBar; }
    int GetLineHeight() const { return m_nLineHeight; }
    const sRect& GetTextRect() const { return m_rcText; }
    // The height the control needs to show its whole text without scrolling.
    int HeightForWholeText();

    uint32_t m_dwTextFormat = DT_WORDBREAK;

private:
    void MeasureText();

    CUniBuffer m_Buffer;
    int m_nBorder = 5;
    sRect m_rcInner;
    sRect m_rcText;
    sRect m_rcRender[9];
    int m_nLineHeight = 0;
    CDXUTScrollBar m_ScrollBar;
    int m_nSBWidth = 16;
};
