#pragma once
// The base of every control: place and size in dialog coordinates, state flags, the
// display elements, a hint, an id, a hotkey, and the virtual operations through which
// the dialog draws it and hands it input.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gui/element.h"
#include "platform/messages.h"

class CDXUTDialog;
class cRenderer;

// Event codes of the dialog callback.
constexpr unsigned EVENT_BUTTON_CLICKED = 0x0101;
constexpr unsigned EVENT_COMBOBOX_SELECTION_CHANGED = 0x0201;
constexpr unsigned EVENT_RADIOBUTTON_CHANGED = 0x0301;
constexpr unsigned EVENT_CHECKBOX_CHANGED = 0x0401;
constexpr unsigned EVENT_SLIDER_VALUE_CHANGED = 0x0501;
constexpr unsigned EVENT_EDITBOX_STRING = 0x0601;
constexpr unsigned EVENT_EDITBOX_CHANGE = 0x0602;
constexpr unsigned EVENT_LISTBOX_ITEM_DBLCLK = 0x0701;
constexpr unsigned EVENT_LISTBOX_SELECTION = 0x0702;
constexpr unsigned EVENT_TABFRAME_CHANGED = 0x0801;

constexpr tResult E_NOTIMPL = int32_t(0x80004001u);

// Whether a click takes the focus even while the dialog's keyboard input is off (it is
// then given back on release), or only while keyboard input is on.
enum class eClickFocus { Always, KeyboardOnly };

// The nine pieces of a frame between `box` and `inner`: the centre (inner itself), then
// top-left, top, top-right, left, right, bottom-left, bottom, bottom-right.
void SplitFrame(const sRect& box, const sRect& inner, sRect (&pieces)[9]);

class CDXUTControl
{
public:
    explicit CDXUTControl(CDXUTDialog* dialog = nullptr);
    virtual ~CDXUTControl();
    CDXUTControl(const CDXUTControl&) = delete;
    CDXUTControl& operator=(const CDXUTControl&) = delete;

    virtual tResult OnInit() { return S_OK; }
    virtual void Refresh();
    virtual void Render(cRenderer* /*device*/, float /*elapsed*/) {}

    virtual bool MsgProc(unsigned /*message*/, tWParam, tLParam) { return false; }
    virtual bool HandleKeyboard(unsigned /*message*/, tWParam, tLParam) { return false; }
    virtual bool HandleMouse(unsigned /*message*/, int /*x*/, int /*y*/, tWParam, tLParam) { return false; }

    virtual bool CanHaveFocus() { return false; }
    // Whether the dialog draws the control after all others while it has the focus (an
    // open drop-down must lie over what follows it). A control that other controls lie on
    // (a tab frame under its pages) stays in its place: drawn last it would hide them.
    virtual bool RaisedByFocus() const { return true; }
    virtual void OnFocusIn() { m_bHasFocus = true; }
    virtual void OnFocusOut() { m_bHasFocus = false; }
    virtual void OnMouseEnter() { m_bMouseOver = true; }
    virtual void OnMouseLeave() { m_bMouseOver = false; }
    virtual void OnHotkey() {}

    virtual bool ContainsPoint(int x, int y) { return m_rcBoundingBox.Contains(x, y); }

    virtual void SetEnabled(bool enabled) { m_bEnabled = enabled; }
    virtual bool GetEnabled() { return m_bEnabled; }
    virtual void SetVisible(bool visible) { m_bVisible = visible; }
    virtual bool GetVisible() { return m_bVisible; }
    virtual void SetTextColor(tColor color);
    virtual void UpdateRects();

    int GetID() const { return m_ID; }
    void SetID(int id) { m_ID = id; }
    int GetType() const { return m_Type; }
    uint32_t GetHotkey() const { return m_nHotkey; }
    void SetHotkey(uint32_t hotkey) { m_nHotkey = hotkey; }
    void SetLocation(int x, int y);
    void SetSize(int width, int height);
    void* GetUserData() const { return m_pUserData; }
    void SetUserData(void* data) { m_pUserData = data; }
    tResult SetElement(unsigned n, const CDXUTElement& element);
    CDXUTElement* GetElement(unsigned n);
    // Stores a copy of the text; null removes the hint.
    void SetHint(const wchar_t* hint);
    void SetHint(const std::wstring& hint) { SetHint(hint.c_str()); }
    // The hint, or null when the control has none. A text of the control drawn cut short
    // comes first in it, whole.
    const wchar_t* GetHint() const;
    // Moves by (dx, dy) unless the layout hook rejects the new place.
    void MoveBy(int dx, int dy);

    CDXUTDialog* GetDialog() const { return m_pDialog; }
    const sRect& GetBoundingBox() const { return m_rcBoundingBox; }

    bool m_bVisible = true;
    bool m_bMouseOver = false;
    bool m_bHasFocus = false;
    bool m_bIsDefault = false;
    bool m_bDraggable = false;
    int m_x = 0;
    int m_y = 0;
    int m_width = 0;
    int m_height = 0;
    int m_nStyle = 0;
    int m_iTextElement = 0;
    CDXUTDialog* m_pDialog;
    unsigned m_Index = 0;
    std::vector<CDXUTElement> m_Elements;

protected:
    // The drawing state in the usual order: hidden, disabled, pressed, mouse-over, focus.
    int StateFor(bool pressed) const;
    // Blends the texture and font colours of every element toward the state.
    void BlendElements(int state, float elapsed);
    // Draws elements first, first + 1, ... in the places, each blended toward the state; stops
    // at a missing element and then returns false.
    bool DrawPieces(unsigned first, const sRect* places, unsigned count, float elapsed,
                    int state = DXUT_STATE_NORMAL);
    // Elements first, first + 1, ... into `out`; false when one of them is missing.
    template <size_t N>
    bool GetElements(unsigned first, CDXUTElement* (&out)[N])
    {
        for (unsigned k = 0; k < N; ++k)
            if (!(out[k] = GetElement(first + k)))
                return false;
        return true;
    }

    // A left-button press takes the focus.
    void TakeFocusOnPress(unsigned message);
    // Gives up the focus when the dialog takes no keyboard input: such a dialog keeps no
    // focus once a click or key is done with.
    void DropFocusWithoutKeyboard();

    // Press and release of the controls that click like a push button. Space down or a
    // left click inside presses; Space up, or the left button released over the control,
    // completes the click and runs `click`. `pressed` keeps the press between messages.
    bool PressByKeyboard(unsigned message, tWParam wParam, bool& pressed, const std::function<void()>& click);
    bool PressByMouse(unsigned message, int x, int y, bool& pressed, eClickFocus focus,
                      const std::function<void()>& click);

    // Draws a text that keeps its start: a line too wide for the rectangle ends in an
    // ellipsis (unless the element's format lets it run over, DT_NOCLIP), and the hint then
    // shows the whole text. Merely clipped, a centred figure cut at both ends would read as
    // another ("12,345" as "2,34") and a name's end could not be read at all.
    void DrawTextKeepingStart(const std::wstring& text, CDXUTElement* element, const sRect& rect, bool shadow,
                              const sRect* clip = nullptr);
    // The whole of a text drawn cut short, for the hint; null when every text fits. The hint
    // display is told when the hint it shows changes.
    void SetCutText(const std::wstring* whole);

    std::optional<std::wstring> m_Hint;
    std::optional<std::wstring> m_CutText;
    mutable std::wstring m_HintWithCutText;
    sRect m_rcBoundingBox;
    int m_ID = 0;
    int m_Type = DXUT_CONTROL_BUTTON;
    uint32_t m_nHotkey = 0;
    void* m_pUserData = nullptr;
    bool m_bEnabled = true;

    friend class CDXUTDialog;
};
