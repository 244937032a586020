#pragma once
// The one-line text entry (and, disabled, a read-only value display).
#include <string>

#include "gui/control.h"
#include "gui/uni_buffer.h"

class CDXUTEditBox : public CDXUTControl
{
public:
    explicit CDXUTEditBox(CDXUTDialog* dialog = nullptr);

    // The text takes the GUI text colour of its element: dark text would vanish on the
    // dark GUI picture.
    tResult OnInit() override;

    bool HandleKeyboard(unsigned message, tWParam wParam, tLParam lParam) override;
    bool HandleMouse(unsigned message, int x, int y, tWParam wParam, tLParam lParam) override;
    bool MsgProc(unsigned message, tWParam wParam, tLParam lParam) override;
    void UpdateRects() override;
    bool CanHaveFocus() override { return m_bVisible && m_bEnabled; }
    void Render(cRenderer* device, float elapsed) override;
    void OnFocusIn() override;
    void SetTextColor(tColor color) override { m_TextColor = color; }

    // A sample shows what to type, chosen whole; it goes when the box is entered (by a click,
    // by Tab, or by a key or click while the focus is already in it), never typed onto. The
    // project's choice over a text merely chosen whole: the click that enters the box places
    // the caret, and the player would type onto the sample and have to delete it by hand.
    void SetText(const wchar_t* text, bool sample = false);
    bool IsSample() const { return m_bSample; }
    const std::wstring& GetText() const { return m_Buffer.GetText(); }
    int GetTextLength() const { return m_Buffer.GetTextSize(); }
    void ClearText();
    void SetBorderWidth(int border)
    {
        m_nBorder = border;
        UpdateRects();
    }
    int GetCaret() const { return m_nCaret; }
    int GetSelectionStart() const { return m_nSelStart; }
    int GetFirstVisible() const { return m_nFirstVisible; }
    bool GetInsertMode() const { return m_bInsertMode; }
    const sRect& GetTextRect() const { return m_rcText; }

    // Characters that typing and pasting leave out; owned by the caller.
    const wchar_t* m_pForbiddenChars = nullptr;
    uint32_t m_dwDisabledAlignment = DT_CENTER | DT_VCENTER;
    tColor m_TextColor = 0xFF101010;
    tColor m_SelTextColor = 0xFFFFFFFF;
    tColor m_SelBkColor = 0xFF28325C;
    tColor m_CaretColor = 0xFFFFFFFF;

    // Hides the caret of every edit box.
    static bool s_bHideCaret;

private:
    void DropSample();
    void PlaceCaret(int cp);
    // Puts the caret at the character nearest to dialog x; false when the text cannot be measured.
    bool PlaceCaretAtX(int x);
    void DeleteSelectionText();
    void ResetCaretBlink();
    void CopyToClipboard();
    void PasteFromClipboard();
    bool IsForbidden(wchar_t ch) const;
    void UseFont();

    CUniBuffer m_Buffer;
    int m_nBorder = 5;
    sRect m_rcText;
    sRect m_rcRender[9];
    // 530 ms, the usual system caret blink: SDL has no caret blink time to ask for.
    double m_dfBlink = 0.53;
    double m_dfLastBlink = 0;
    // The last key, click or focus: the caret blinks only for a while after it.
    double m_dfLastActivity = 0;
    bool m_bCaretOn = true;
    int m_nCaret = 0;
    bool m_bInsertMode = true;
    int m_nSelStart = 0;
    int m_nFirstVisible = 0;
    bool m_bMouseDrag = false;
    bool m_bSample = false;
};
