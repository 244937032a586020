#include "dialogs/dialog_stack.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <iterator>
#include <vector>

#include "core/lock.h"
#include "gui/controls.h"
#include "gui/gui_atlas.h"
#include "gui/gui_hooks.h"
#include "platform/messages.h"
#include "shell/frame_callbacks.h"

namespace {

std::atomic<uint64_t> g_NextDialogSerial{0};
int g_DispatchDepth = 0;
std::vector<cDialog*> g_ClosedDialogs;

cDialog* DialogOf(iStackDialog* entry)
{
    auto* stackEntry = dynamic_cast<cDialogStackEntry*>(entry);
    return stackEntry ? &stackEntry->Dialog() : nullptr;
}

// The click that opened or closed a window never reaches the map.
void ResetInput()
{
    if (g_ShellLinks.hintForgetClick)
        g_ShellLinks.hintForgetClick();
    CDXUTDialog::CancelControlDrag();
    GuiSetHintControl(nullptr, false);
}

// The dialog stack is shared with the frame render and the opponent's waits.
using cStackLock = cWindowLock;

} // namespace

// ---------------------------------------------------------------------------------------
// Stack entry

int cDialogStackEntry::KindId() const { return m_Dialog.KindId(); }

bool cDialogStackEntry::IsVisible() const { return m_Dialog.GetVisible(); }

bool cDialogStackEntry::MsgProc(unsigned message, uintptr_t wParam, intptr_t lParam)
{
    cDialogDispatch dispatch;
    if (m_Dialog.CDXUTDialog::MsgProc(message, wParam, lParam))
        return true;
    if (m_Dialog.HoldsInput() && IsInputMessage(message))
        return true;
    // A window with an area of its own (one that covers the screen) keeps the pointer from the
    // panels under it: nothing there is hovered, hinted or clicked.
    if (message < WM_MOUSEFIRST || message > WM_MOUSELAST)
        return false;
    const int x = MessageX(lParam) - m_Dialog.GetX(), y = MessageY(lParam) - m_Dialog.GetY();
    return x >= 0 && y >= 0 && x < m_Dialog.GetWidth() && y < m_Dialog.GetHeight();
}

void cDialogStackEntry::OnGUIEvent(unsigned event, int id, CDXUTControl* control)
{
    cDialogDispatch dispatch;
    m_Dialog.OnGUIEvent(event, id, control);
}

void cDialogStackEntry::OnKeyboard(unsigned key, bool down, bool alt)
{
    cDialogDispatch dispatch;
    m_Dialog.OnKeyboard(key, down, alt);
}

void cDialogStackEntry::OnMouse(bool left, bool right, bool middle, bool side1, bool side2, int wheel, int x, int y)
{
    cDialogDispatch dispatch;
    m_Dialog.OnMouse(left, right, middle, side1, side2, wheel, x, y);
}

bool cDialogStackEntry::HoldsInput() const { return m_Dialog.HoldsInput(); }

void cDialogStackEntry::OnRender(float elapsed)
{
    cDialogDispatch dispatch;
    m_Dialog.OnRender(elapsed);
}

// ---------------------------------------------------------------------------------------
// Dialog base

cDialog::cDialog(int kindId, const sLayoutRect& rect) : m_KindId(kindId), m_Serial(++g_NextDialogSerial)
{
    SetTexturePages(kGuiPictureSlot, {std::begin(gui_atlas::kAtlasPageFiles), std::end(gui_atlas::kAtlasPageFiles)});
    if (kindId > 0) {
        CDXUTFrame* frame = nullptr;
        AddFrame(kindId, rect.x, rect.y, rect.width, rect.height, 0, &frame);
        if (frame)
            frame->m_bDraggable = true;
    }
    m_CountdownPaused = true;
    m_Countdown = -1.0f;
    m_ExpiryAction = EXPIRY_NOTHING;
    SetCallback(DialogGUIEvent);
}

cDialog::cDialog(int kindId) : m_KindId(kindId), m_Serial(++g_NextDialogSerial)
{
    SetTexturePages(kGuiPictureSlot, {std::begin(gui_atlas::kAtlasPageFiles), std::end(gui_atlas::kAtlasPageFiles)});
}

cDialog::~cDialog()
{
    // A window freed without closing (a game torn down) still answers its request.
    if (m_Request)
        m_Request->Complete(m_Answer);
}

void cDialog::OnRender(float elapsed) { CDXUTDialog::OnRender(elapsed); }

void cDialog::Destroy()
{
    SetCallback(nullptr);
    if (g_CurrentDialog == &m_Entry)
        g_CurrentDialog = nullptr;
    auto& open = g_OpenDialogs;
    open.erase(std::remove(open.begin(), open.end(), &m_Entry), open.end());
    if (m_Request)
        m_Request->Complete(m_Answer);
    if (GetFocusControl() && GetFocusControl()->GetDialog() == this)
        ClearFocus();
    SetVisible(false);
    g_ClosedDialogs.push_back(this);
}

void cDialog::OnGUIEvent(unsigned, int, CDXUTControl*) {}
void cDialog::OnKeyboard(unsigned, bool, bool) {}
void cDialog::OnMouse(bool, bool, bool, bool, bool, int, int, int) {}
void cDialog::OnReactivate() {}
void cDialog::OnTimer(float) {}

void cDialog::UpdateCountdown(float elapsed)
{
    if (m_CountdownPaused || !(m_Countdown >= 0.0f))
        return;
    m_Countdown -= elapsed;
    OnTimer(elapsed);
    if (!(m_Countdown <= 0.0f)) {
        // The loop sleeps until then; a window that shows the time left asks for the frames
        // of its own changes in OnTimer.
        GuiWantFrameIn(double(m_Countdown));
        return;
    }
    m_Countdown = -1.0f;
    switch (m_ExpiryAction) {
    case EXPIRY_CLOSE_TOP: CloseTopDialogs(1); break;
    case EXPIRY_HIDE: SetVisible(false); break;
    case EXPIRY_SHOW: SetVisible(true); break;
    default: break;
    }
}

void cDialog::AddGuiPicture(int id, int left, int top, int right, int bottom, const wchar_t* hint)
{
    AddImageFromLayout(id, int(kGuiPictureSlot), left, top, right, bottom, hint);
}

void MakeTitle(CDXUTStatic& label)
{
    label.m_iTextElement = 1;
    label.m_dwTextFormat = DT_CENTER | DT_VCENTER;
    // The windows draw their titles with the static's title element, which the toolkit's
    // default elements give the plain text's font and colour (the two disagree): it takes the
    // menus' title font (the static's element 2), in that font's gold.
    if (CDXUTElement* element = label.GetElement(1)) {
        element->iFont = kTitleFontSlot;
        const tColor gold = g_GuiFonts[kTitleFontSlot].color1;
        element->FontColor.Init(gold, gold);
    }
}

CDXUTStatic* cDialog::AddText(int id, const std::wstring& text, bool title)
{
    AddStaticFromLayout(id, text.c_str());
    auto* label = static_cast<CDXUTStatic*>(GetControl(id, DXUT_CONTROL_STATIC));
    if (label && title)
        MakeTitle(*label);
    return label;
}

void cDialog::ClickButton(int id)
{
    CDXUTControl* control = GetControl(id);
    if (!control)
        return;
    EnableNonUserEvents(true);
    SendEvent(EVENT_BUTTON_CLICKED, true, control);
    EnableNonUserEvents(false);
}

bool cDialog::ClickOnEnterOrEscape(unsigned key, bool keyDown, int enterId, int escapeId)
{
    if (!keyDown)
        return false;
    int id = key == VK_RETURN ? enterId : key == VK_ESCAPE ? escapeId : 0;
    if (id == 0)
        return false;
    ClickButton(id);
    return true;
}

bool cDialog::SendOnEnterOrEscape(unsigned key, bool keyDown, int enterId, int escapeId)
{
    if (!keyDown)
        return false;
    const int id = key == VK_RETURN ? enterId : key == VK_ESCAPE ? escapeId : 0;
    CDXUTControl* control = id ? GetControl(id) : nullptr;
    if (!control)
        return false;
    EnableNonUserEvents(true);
    SendEvent(EVENT_BUTTON_CLICKED, false, control, false);
    EnableNonUserEvents(false);
    return true;
}

void cDialog::TellOwnerOfClick(unsigned event, int id, CDXUTControl* control)
{
    if (!m_Owner)
        return;
    if (g_GuiHooks.playSound)
        g_GuiHooks.playSound(event, id, control);
    m_Owner->OnGUIEvent(event, id, control);
}

// ---------------------------------------------------------------------------------------
// Dispatch

cWindowLock::cWindowLock() { AcquireGlobalLock(nullptr, 0); }
cWindowLock::~cWindowLock() { ReleaseGlobalLock(nullptr, 0); }

cDialogDispatch::cDialogDispatch() { ++g_DispatchDepth; }

cDialogDispatch::~cDialogDispatch()
{
    if (--g_DispatchDepth == 0)
        FlushClosedDialogs();
}

void FlushClosedDialogs()
{
    if (g_DispatchDepth > 0)
        return;
    // Freeing a window may not close another, but take the list first all the same.
    std::vector<cDialog*> closed;
    closed.swap(g_ClosedDialogs);
    for (cDialog* dialog : closed)
        delete dialog;
}

// ---------------------------------------------------------------------------------------
// Stack

sLayoutRect LayoutRow(int id) { return id >= 0 && id < kGuiLayoutRows ? g_GuiLayout[size_t(id)] : sLayoutRect{}; }

namespace {

// A window that came on top between two frames (a request is served while a frame is drawn)
// runs its countdown from the next frame on: asked for now, else the loop would sleep until
// some input and then count the whole sleep at once.
void WakeForCountdownOnTop()
{
    const cDialog* current = DialogOf(g_CurrentDialog);
    if (current && !current->m_CountdownPaused && current->m_Countdown >= 0.0f)
        GuiWantFrameIn(0.0);
}

} // namespace

void PushDialog(cDialog* dialog, int offset)
{
    cStackLock lock;
    ResetInput();
    if (!dialog)
        return;
    const int open = int(g_OpenDialogs.size());
    // An offset above 0 would insert past the end of the stack: it counts as the top.
    offset = std::clamp(offset, -open, 0);
    // A placeholder standing in for an entry of negative kind is not on the stack: once
    // replaced as the current dialog nothing would ever free it.
    if (cDialog* placeholder = DialogOf(g_CurrentDialog);
        placeholder && std::find(g_OpenDialogs.begin(), g_OpenDialogs.end(), g_CurrentDialog) == g_OpenDialogs.end())
        g_ClosedDialogs.push_back(placeholder);
    g_OpenDialogs.insert(g_OpenDialogs.begin() + (open + offset), &dialog->Entry());
    g_CurrentDialog = g_OpenDialogs.back();
    if (g_ShellLinks.hintForgetHoverable)
        g_ShellLinks.hintForgetHoverable();
    WakeForCountdownOnTop();
}

void CloseTopDialogs(int count)
{
    cStackLock lock;
    ResetInput();
    if (count < 1 && count != -1)
        return;
    bool closed = false;
    while (cDialog* top = DialogOf(g_CurrentDialog)) {
        // A placeholder is not on the stack: closing it removes the entry it stood for.
        const bool onStack = std::find(g_OpenDialogs.begin(), g_OpenDialogs.end(), g_CurrentDialog) != g_OpenDialogs.end();
        top->Destroy();
        if (!onStack && !g_OpenDialogs.empty())
            g_OpenDialogs.pop_back();
        g_CurrentDialog = nullptr;
        closed = true;
        if (count > 0)
            --count;
        if (!g_OpenDialogs.empty()) {
            g_CurrentDialog = g_OpenDialogs.back();
            // An entry of negative kind is never closed by the stack: a placeholder takes
            // its input until the next close.
            if (g_CurrentDialog->KindId() < 0)
                g_CurrentDialog = &(new cDialog(kPlaceholderDialogKind))->Entry();
        }
        if (count == 0)
            break;
    }
    // Only the window left on top hears it: one that closes in the same call would first
    // carry out what it waited for (a stale choice, a hidden window shown again).
    if (closed)
        if (cDialog* current = DialogOf(g_CurrentDialog))
            current->OnReactivate();
    WakeForCountdownOnTop();
}

void CloseDialogsDownToKind(int kindId)
{
    cStackLock lock;
    int depth = 1;
    for (auto it = g_OpenDialogs.rbegin(); it != g_OpenDialogs.rend(); ++it, ++depth)
        if ((*it)->KindId() == kindId) {
            CloseTopDialogs(depth);
            return;
        }
}

void CloseDialogsAboveKind(int kindId)
{
    cStackLock lock;
    int depth = 0;
    for (auto it = g_OpenDialogs.rbegin(); it != g_OpenDialogs.rend() && (*it)->KindId() != kindId; ++it)
        ++depth;
    if (depth > 0)
        CloseTopDialogs(depth);
}

cDialog* FindOpenDialogByKind(int kindId)
{
    cStackLock lock;
    for (iStackDialog* entry : g_OpenDialogs)
        if (entry->KindId() == kindId)
            return DialogOf(entry);
    return nullptr;
}

cDialog* CurrentDialog() { return DialogOf(g_CurrentDialog); }

bool IsAnswerAwaited()
{
    cStackLock lock;
    for (iStackDialog* entry : g_OpenDialogs)
        if (cDialog* dialog = DialogOf(entry); dialog && dialog->AwaitsAnswer())
            return true;
    return false;
}

bool HasOpenDialogOwnedBy(const cDialog* owner)
{
    cStackLock lock;
    for (iStackDialog* entry : g_OpenDialogs)
        if (cDialog* dialog = DialogOf(entry); dialog && dialog->Owner() == owner)
            return true;
    return false;
}

bool IsDialogOpen(uint64_t serial)
{
    cStackLock lock;
    for (iStackDialog* entry : g_OpenDialogs)
        if (cDialog* dialog = DialogOf(entry); dialog && dialog->Serial() == serial)
            return true;
    return false;
}

bool IsCoveredByWindowAbove(const CDXUTDialog* dialog, int x, int y)
{
    cStackLock lock;
    // Above a window lie the windows opened after it; above a panel or menu, every window.
    auto above = g_OpenDialogs.begin();
    for (auto it = g_OpenDialogs.begin(); it != g_OpenDialogs.end(); ++it)
        if (DialogOf(*it) == dialog)
            above = it + 1;
    for (auto it = above; it != g_OpenDialogs.end(); ++it) {
        cDialog* window = DialogOf(*it);
        // Only what is drawn covers: the window's frame and the controls on it.
        if (!window || window->KindId() < 0 || !window->GetVisible())
            continue;
        const sRect origin = window->ToScreenRect(sRect{});
        if (window->GetControlAtPoint(x - origin.left, y - origin.top))
            return true;
    }
    return false;
}

void UpdateDialogCountdown(float elapsed)
{
    cStackLock lock;
    cDialogDispatch dispatch;
    if (cDialog* current = DialogOf(g_CurrentDialog))
        current->UpdateCountdown(elapsed);
}
