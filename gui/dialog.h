#pragma once
// A dialog: a container of controls that draws them, routes window messages to them and
// reports what the player did through one callback. Focus, the pressed control and the
// drag of a control are program-wide, shared by all dialogs.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/control.h"
#include "gui/dialog_resources.h"

class CDXUTStatic;
class CDXUTButton;
class CDXUTIcon;
class CDXUTImage;
class CDXUTCheckBox;
class CDXUTRadioButton;
class CDXUTComboBox;
class CDXUTSlider;
class CDXUTEditBox;
class CDXUTMemo;
class CDXUTListBox;
class CDXUTFrame;
class CDXUTTabFrame;
class CDXUTProgressBar;

using PCALLBACKDXUTGUIEVENT = std::function<void(unsigned event, int id, CDXUTControl* control)>;

class CDXUTDialog : public cDialogResources
{
public:
    CDXUTDialog();
    ~CDXUTDialog() override;
    CDXUTDialog(const CDXUTDialog&) = delete;
    CDXUTDialog& operator=(const CDXUTDialog&) = delete;

    // True when the message was used.
    bool MsgProc(unsigned message, tWParam wParam, tLParam lParam);
    tResult OnRender(float elapsed);

    // Controls given explicit coordinates.
    tResult AddStatic(int id, const wchar_t* text, int x, int y, int width, int height, bool isDefault = false,
                      CDXUTStatic** created = nullptr);
    tResult AddButton(int id, const wchar_t* text, int x, int y, int width, int height, uint32_t hotkey = 0,
                      bool isDefault = false, CDXUTButton** created = nullptr);
    tResult AddIcon(int id, int texLeft, int texTop, int texRight, int texBottom, int x, int y, int width, int height,
                    uint32_t hotkey = 0, bool isDefault = false, CDXUTIcon** created = nullptr);
    tResult AddImage(int id, int textureIndex, int texLeft, int texTop, int texRight, int texBottom, int x, int y,
                     int width, int height, uint32_t hotkey = 0, bool isDefault = false, CDXUTImage** created = nullptr);
    tResult AddCheckBox(int id, const wchar_t* text, int x, int y, int width, int height, bool checked = false,
                        uint32_t hotkey = 0, bool isDefault = false, CDXUTCheckBox** created = nullptr);
    tResult AddRadioButton(int id, unsigned group, const wchar_t* text, int x, int y, int width, int height,
                           bool checked = false, uint32_t hotkey = 0, bool isDefault = false,
                           CDXUTRadioButton** created = nullptr);
    tResult AddComboBox(int id, int x, int y, int width, int height, uint32_t hotkey = 0, bool isDefault = false,
                        CDXUTComboBox** created = nullptr);
    tResult AddSlider(int id, int x, int y, int width, int height, int min = 0, int max = 100, int value = 50,
                      bool isDefault = false, CDXUTSlider** created = nullptr);
    tResult AddEditBox(int id, const wchar_t* text, int x, int y, int width, int height, bool isDefault = false,
                       CDXUTEditBox** created = nullptr);
    tResult AddMemo(int id, const wchar_t* text, int x, int y, int width, int height, bool isDefault = false,
                    CDXUTMemo** created = nullptr);
    tResult AddFrame(int id, int x, int y, int width, int height, int style, CDXUTFrame** created = nullptr);

    // Controls placed by the layout table's row of their id.
    tResult AddStaticFromLayout(int id, const wchar_t* text);
    tResult AddButtonFromLayout(int id, const wchar_t* text, const wchar_t* hint, uint32_t hotkey = 0);
    tResult AddImageFromLayout(int id, int textureIndex, int texLeft, int texTop, int texRight, int texBottom,
                               const wchar_t* hint, tColor color = 0xFFFFFFFF);
    tResult AddCheckBoxFromLayout(int id, const wchar_t* text, const wchar_t* hint, bool checked);
    tResult AddRadioButtonFromLayout(int id, unsigned group, const wchar_t* text, const wchar_t* hint, bool checked);
    tResult AddComboBoxFromLayout(int id, const wchar_t* hint);
    tResult AddSliderFromLayout(int id, int min, int max, int value);
    tResult AddEditBoxFromLayout(int id, const wchar_t* text, const wchar_t* hint);
    tResult AddMemoFromLayout(int id, const wchar_t* text);
    tResult AddListBoxFromLayout(int id, uint32_t style);
    tResult AddTabFrame(int id);
    tResult AddProgressBar(int id, int min, int max, int value);

    // Takes the default elements of the control's type and runs its OnInit.
    tResult InitControl(CDXUTControl* control);
    // Appends a control (the dialog owns it from now on).
    tResult AddControl(std::unique_ptr<CDXUTControl> control);

    CDXUTControl* GetControl(int id);
    CDXUTControl* GetControl(int id, int type);
    CDXUTControl* GetControlAtPoint(int x, int y);
    int GetControlCount() const { return int(m_Controls.size()); }
    CDXUTControl* GetControlByIndex(int index) { return index >= 0 && index < GetControlCount() ? m_Controls[size_t(index)].get() : nullptr; }
    void SetControlEnabled(int id, bool enabled);
    bool GetControlEnabled(int id);
    void RemoveControl(int id);
    void RemoveAllControls();

    void SetCallback(PCALLBACKDXUTGUIEVENT callback) { m_pCallbackEvent = std::move(callback); }
    bool HasCallback() const { return bool(m_pCallbackEvent); }
    void EnableNonUserEvents(bool enable) { m_bNonUserEvents = enable; }
    void EnableKeyboardInput(bool enable) { m_bKeyboardInput = enable; }
    void EnableMouseInput(bool enable);
    bool IsKeyboardInputEnabled() const { return m_bKeyboardInput; }
    bool IsMouseInputEnabled() const { return m_bMouseInput; }

    // Sends an event to the callback; player-made events (byUser) sound first.
    void SendEvent(unsigned event, bool byUser, CDXUTControl* control, bool playSound = true);

    void Refresh();
    void SetVisible(bool visible);
    bool GetVisible() const { return m_bVisible; }
    void SetMinimized(bool minimized);
    bool GetMinimized() const { return m_bMinimized; }
    void SetBackgroundColors(tColor topLeft, tColor topRight, tColor bottomLeft, tColor bottomRight);
    void SetBackgroundColors(tColor all) { SetBackgroundColors(all, all, all, all); }
    void EnableCaption(bool enable) { m_bCaption = enable; }
    bool IsCaptionEnabled() const { return m_bCaption; }
    int GetCaptionHeight() const { return m_nCaptionHeight; }
    void SetCaptionHeight(int height) { m_nCaptionHeight = height; }
    void SetCaptionText(const wchar_t* text);
    const std::wstring& GetCaptionText() const { return m_wszCaption; }
    void SetLocation(int x, int y)
    {
        m_x = x;
        m_y = y;
    }
    void SetSize(int width, int height)
    {
        m_width = width;
        m_height = height;
    }
    int GetX() const { return m_x; }
    int GetY() const { return m_y; }
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    CDXUTControl* GetHoveredControl() const { return m_pControlMouseOver; }
    // Dialogs that Tab and the arrow keys cycle through.
    void SetNextDialog(CDXUTDialog* next);

    // A rectangle in dialog coordinates as it lies on the screen.
    sRect ToScreenRect(const sRect& rect) const;
    // The height of the font in a slot (0 without one).
    int GetFontHeight(int slot) const;
    // The font object of a slot, null while there is no device.
    cFont* GetFontObject(int slot) const;

    void ClearRadioButtonGroup(unsigned group, bool notify = true);
    void FocusDefaultControl();

    static void RequestFocus(CDXUTControl* control);
    static void ClearFocus();
    static void OnCycleFocus(bool forward);
    static void CancelControlDrag();
    static CDXUTControl* GetFocusControl() { return s_pControlFocus; }
    static CDXUTControl* GetPressedControl() { return s_pControlPressed; }
    static void SetRefreshTime(double time) { s_fTimeRefresh = time; }
    static bool IsControlDragInProgress() { return s_bDragInProgress; }
    // Forgets all program-wide state (focus, pressed, drags); tests start from it.
    static void ResetGlobalState();

protected:
    void GetDrawOffset(int& x, int& y) const override;

private:
    void OnMouseMove(int x, int y);
    void OnMouseEnter(CDXUTControl* control);
    void OnMouseLeave(CDXUTControl* control);
    CDXUTControl* GetNextControl(CDXUTControl* control);
    CDXUTControl* GetPrevControl(CDXUTControl* control);
    void ClearHoverOnRemove(CDXUTControl* control);
    void ForgetOwnHint();

    bool m_bNonUserEvents = false;
    bool m_bKeyboardInput = true;
    bool m_bMouseInput = true;
    bool m_bVisible = true;
    double m_fTimeLastRefresh = 0;
    CDXUTControl* m_pControlMouseOver = nullptr;
    bool m_bCaption = false;
    bool m_bMinimized = false;
    std::wstring m_wszCaption;
    int m_x = 0;
    int m_y = 0;
    int m_width = 0;
    int m_height = 0;
    int m_nCaptionHeight = 18;
    tColor m_colorTopLeft = 0;
    tColor m_colorTopRight = 0;
    tColor m_colorBottomLeft = 0;
    tColor m_colorBottomRight = 0;
    PCALLBACKDXUTGUIEVENT m_pCallbackEvent;
    std::vector<std::unique_ptr<CDXUTControl>> m_Controls;
    CDXUTDialog* m_pNextDialog;
    CDXUTDialog* m_pPrevDialog;

    static CDXUTControl* s_pControlFocus;
    static CDXUTControl* s_pControlPressed;
    static double s_fTimeRefresh;
    static bool s_bCaptionDrag;
    static bool s_bDragInProgress;
    static int s_DragStartX;
    static int s_DragStartY;
};
