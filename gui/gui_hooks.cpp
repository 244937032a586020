#include "gui/gui_hooks.h"

#include <chrono>

#include "gui/dialog.h"
#include "gui/layout.h"
#include "gui/list_box.h"
#include "platform/window.h"

sGuiHooks g_GuiHooks;

double GuiTime()
{
    if (g_GuiHooks.now)
        return g_GuiHooks.now();
    static const auto start = std::chrono::steady_clock::now();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

bool GuiKeyDown(uint32_t virtualKey)
{
    if (g_GuiHooks.keyDown)
        return g_GuiHooks.keyDown(virtualKey);
    return IsKeyDown(virtualKey);
}

int GuiWheelScrollLines()
{
    if (g_GuiHooks.wheelScrollLines)
        return g_GuiHooks.wheelScrollLines();
    // SDL has no wheel-scroll setting to ask for: 3 lines a notch, the usual system value.
    return 3;
}

void GuiCaptureMouse(bool capture)
{
    if (g_GuiHooks.captureMouse)
        g_GuiHooks.captureMouse(capture);
    else
        SetMouseCapture(capture);
}

void GuiSetHintControl(CDXUTControl* control, bool force)
{
    if (g_GuiHooks.hintSetControl)
        g_GuiHooks.hintSetControl(control, force);
}

CDXUTControl* GuiHintControl() { return g_GuiHooks.hintControl ? g_GuiHooks.hintControl() : nullptr; }

void GuiWantFrameIn(double seconds)
{
    if (g_GuiHooks.frameWanted)
        g_GuiHooks.frameWanted(seconds);
}

bool GuiCoveredAbove(const CDXUTDialog* dialog, int x, int y)
{
    return g_GuiHooks.coveredAbove && g_GuiHooks.coveredAbove(dialog, x, y);
}

void ResetGuiState()
{
    g_GuiHooks = sGuiHooks{};
    CDXUTDialog::ResetGlobalState();
    CDXUTListBox::s_bPageSizeSet = false;
    ResetGuiLayout();
}
