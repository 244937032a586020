#pragma once
// What the toolkit asks of the program around it: the sound of a control event, the hint
// display, the layout table's say on dragged controls, the clock, the keyboard and the
// wheel setting. The shell fills these in; empty entries fall back to plain behaviour.
#include <cstdint>
#include <functional>

class CDXUTControl;
class CDXUTDialog;

struct sGuiHooks
{
    // PlayControlEventSound: called before a player-made event reaches the callback.
    std::function<void(unsigned event, int id, CDXUTControl* control)> playSound;
    // cHintDisplay::SetControl: null clears the hint; force re-reads a control already shown.
    // The display keeps its own copy of the control's hint text: a control may change or
    // free its hint at any time (a list box does, column by column), and the control
    // itself may be removed (the dialog then calls this with null first).
    std::function<void(CDXUTControl* control, bool force)> hintSetControl;
    // The control whose hint the display shows (null for none, or for another kind of hint).
    std::function<CDXUTControl*()> hintControl;
    // ApplyLayoutMove: false rejects a dragged control's move. Empty accepts every move.
    std::function<bool(CDXUTDialog* dialog, int id, int left, int top, int right, int bottom, int dx, int dy, int, int)>
        layoutMove;
    // Seconds of the frame clock (DXUTGetTime); empty uses a steady clock.
    std::function<double()> now;
    // Whether a key (VK_SHIFT, VK_CONTROL, ...) is held; empty asks the window.
    std::function<bool(uint32_t virtualKey)> keyDown;
    // Lines one wheel notch scrolls in lists; empty gives 3.
    std::function<int()> wheelScrollLines;
    // Mouse capture to the game's window; empty asks the window.
    std::function<void(bool capture)> captureMouse;
    // Something drawn changes by itself (a fade, a blinking caret): the next frame is
    // wanted within this many seconds. Empty: every frame is drawn anyway.
    std::function<void(double seconds)> frameWanted;
    // Whether a window drawn above the dialog covers the screen point: what of the dialog
    // lies there is hidden, neither hovered, hinted nor clicked. Empty: nothing covers.
    std::function<bool(const CDXUTDialog* dialog, int x, int y)> coveredAbove;
};
extern sGuiHooks g_GuiHooks;

double GuiTime();
bool GuiKeyDown(uint32_t virtualKey);
int GuiWheelScrollLines();
void GuiCaptureMouse(bool capture);
void GuiSetHintControl(CDXUTControl* control, bool force);
CDXUTControl* GuiHintControl();
void GuiWantFrameIn(double seconds);
bool GuiCoveredAbove(const CDXUTDialog* dialog, int x, int y);

// The toolkit as at start-up: no hooks, no focus or drag, no layout loaded.
void ResetGuiState();
