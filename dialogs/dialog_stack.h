#pragma once
// The in-game window base and the dialog stack. Open windows form one stack; its top is
// the current dialog, which alone receives GUI events, keys, the mouse and the countdown.
// The stack changes only on the main thread, under the global lock. A closed window is
// freed at the end of the input dispatch that closed it, never inside its own handler.
#include <cstdint>
#include <memory>

#include "game/presentation_requests.h"
#include "gui/dialog.h"
#include "gui/layout.h"
#include "shell/links.h"

class cDialog;

// The dialog texture slot that holds the GUI picture for picture controls (slot 0 holds it
// for the toolkit's own elements; a picture control cannot use slot 0).
constexpr unsigned kGuiPictureSlot = 2;

// The font slot of window titles.
constexpr int kTitleFontSlot = 3;
// A static drawn as a window title: its title element, centred, in the title font.
void MakeTitle(CDXUTStatic& label);

// What the stack holds of a dialog: the shell's view of it. Every call from the shell
// runs as one input dispatch.
class cDialogStackEntry final : public iStackDialog
{
public:
    explicit cDialogStackEntry(cDialog& dialog) : m_Dialog(dialog) {}
    cDialog& Dialog() const { return m_Dialog; }

    int KindId() const override;
    bool IsVisible() const override;
    bool MsgProc(unsigned message, uintptr_t wParam, intptr_t lParam) override;
    void OnGUIEvent(unsigned event, int id, CDXUTControl* control) override;
    void OnKeyboard(unsigned key, bool down, bool alt) override;
    void OnMouse(bool left, bool right, bool middle, bool side1, bool side2, int wheel, int x, int y) override;
    void OnRender(float elapsed) override;
    bool HoldsInput() const override;

private:
    cDialog& m_Dialog;
};

// What a countdown does when it runs out.
enum eExpiryAction
{
    EXPIRY_NOTHING = 0,
    EXPIRY_CLOSE_TOP = 1,
    EXPIRY_HIDE = 2,
    EXPIRY_SHOW = 3,
};

class cDialog : public CDXUTDialog
{
public:
    // A window of that kind in the rectangle: a draggable frame whose id is the kind (kinds
    // above 0), no countdown, GUI events to the current dialog.
    cDialog(int kindId, const sLayoutRect& rect);
    // The kind alone: no frame, no countdown, no callback (panels, the placeholder).
    explicit cDialog(int kindId);
    ~cDialog() override;

    virtual void OnRender(float elapsed);
    // Takes the window off the screen and hands it to the stack's disposal; it is freed at
    // the end of the current input dispatch. A request it answers is completed now.
    void Destroy();
    virtual void OnGUIEvent(unsigned event, int controlId, CDXUTControl* control);
    virtual void OnKeyboard(unsigned key, bool keyDown, bool altDown);
    virtual void OnMouse(bool left, bool right, bool middle, bool side1, bool side2, int wheelDelta, int x, int y);
    // The windows above it have closed and it is the current dialog again.
    virtual void OnReactivate();
    // Every tick of a running countdown.
    virtual void OnTimer(float elapsed);
    // A box that tells or asks holds the input until it is closed.
    virtual bool HoldsInput() const { return false; }

    void UpdateCountdown(float elapsed);

    int KindId() const { return m_KindId; }
    // Never reused in a run: waits match windows by it.
    uint64_t Serial() const { return m_Serial; }
    cDialog* Owner() const { return m_Owner; }
    void SetOwner(cDialog* owner) { m_Owner = owner; }
    cDialogStackEntry& Entry() { return m_Entry; }

    // The request this window answers: completed with the window's answer when it closes.
    void AttachRequest(RequestHandle request) { m_Request = std::move(request); }
    void SetAnswer(int answer) { m_Answer = answer; }
    // True while someone waits for this window's answer.
    virtual bool AwaitsAnswer() const { return m_Request && !m_Request->IsComplete(); }

    bool m_CountdownPaused = true;
    float m_Countdown = -1.0f; // seconds; below 0: no countdown
    int m_ExpiryAction = EXPIRY_NOTHING;

protected:
    // A picture control cut from the GUI picture, placed by the layout row of its id.
    void AddGuiPicture(int id, int left, int top, int right, int bottom, const wchar_t* hint = nullptr);
    // A static placed by its layout row; title statics are centred both ways.
    CDXUTStatic* AddText(int id, const std::wstring& text, bool title = false);
    // A click on one of the window's own buttons, as the player would make it.
    void ClickButton(int id);
    // On a key press, Enter clicks enterId and Escape clicks escapeId (0: none). True when
    // the key was one of them.
    bool ClickOnEnterOrEscape(unsigned key, bool keyDown, int enterId, int escapeId);
    // The same, as the window's own events: no click sound.
    bool SendOnEnterOrEscape(unsigned key, bool keyDown, int enterId, int escapeId);
    // Hands the click of one of its buttons on to the owner, as a click of the owner's own,
    // with its sound. Called directly: the owner's callback would bring it back here.
    void TellOwnerOfClick(unsigned event, int id, CDXUTControl* control);

private:
    int m_KindId;
    uint64_t m_Serial;
    cDialog* m_Owner = nullptr;
    RequestHandle m_Request;
    int m_Answer = 0;
    cDialogStackEntry m_Entry{*this};
};

// Holds the global lock for a scope without a log line: window code that changes game
// data, which the opponent's thread and the frame render read.
class cWindowLock
{
public:
    cWindowLock();
    ~cWindowLock();
    cWindowLock(const cWindowLock&) = delete;
    cWindowLock& operator=(const cWindowLock&) = delete;
};

// One input dispatch to the windows: closed windows are freed when the outermost one ends.
class cDialogDispatch
{
public:
    cDialogDispatch();
    ~cDialogDispatch();
    cDialogDispatch(const cDialogDispatch&) = delete;
    cDialogDispatch& operator=(const cDialogDispatch&) = delete;
};

// The row of the layout table, or an empty rectangle for an id beyond it.
sLayoutRect LayoutRow(int id);

// Opens a window (the stack owns it from now on): offset 0 on top, -n that many places
// below the top. Null opens nothing.
void PushDialog(cDialog* dialog, int offset = 0);
// Closes the top count windows; -1 closes all. Only the window left on top is told that
// it is current again.
void CloseTopDialogs(int count);
// Closes the highest window of that kind and every window above it.
void CloseDialogsDownToKind(int kindId);
// Closes the windows above the topmost of that kind, or every window when none is of it.
void CloseDialogsAboveKind(int kindId);
// The lowest open window of that kind, or null.
cDialog* FindOpenDialogByKind(int kindId);
// The current dialog as a window, or null.
cDialog* CurrentDialog();
// True when an open window still owes someone its answer.
bool IsAnswerAwaited();
// True while a window that the owner opened is open.
bool HasOpenDialogOwnedBy(const cDialog* owner);
bool IsDialogOpen(uint64_t serial);
// Whether a window above the dialog (a panel or menu lies under every window) covers the
// screen point; the toolkit's hit test asks it.
bool IsCoveredByWindowAbove(const CDXUTDialog* dialog, int x, int y);
// The current dialog's countdown, once per frame.
void UpdateDialogCountdown(float elapsed);
// Frees the closed windows unless an input dispatch is running.
void FlushClosedDialogs();

// The kind of the placeholder that stands in for a stack entry of negative kind.
constexpr int kPlaceholderDialogKind = 675;
