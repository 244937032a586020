#pragma once
// The game-screen panels: windows that live for the whole game beside the dialog stack,
// never on it. The unit, hex, attack and diplomacy panels fold away while the other side
// plays and come back as the player left them.
#include "dialogs/dialog_stack.h"

class cPanel : public cDialog, public iPanelScreen
{
public:
    // A frame of style 1 when frameId is above 0 (not draggable: a panel moves with its
    // toggle button on the info panel); GUI events go to the four panels in turn.
    cPanel(int frameId, const sLayoutRect& rect);

    // Nothing while minimized.
    void OnRender(float elapsed) override;
    // The shell's messages, as one input dispatch.
    bool MsgProc(unsigned message, uintptr_t wParam, intptr_t lParam) override;
    void OnGUIEvent(unsigned event, int controlId, CDXUTControl* control) override;
    // The window whose answer the panel waited for was closed unanswered (the phase
    // changed): the panel stops waiting.
    virtual void ForgetPendingAnswer() {}

    bool m_RememberedMinimized = true;
};

// The panel behind a panel global, or null.
cPanel* PanelOf(iPanelScreen* panel);

// The player's phase ends: the four panels remember their state and fold, stop waiting
// for answers, and every open window closes.
void FoldPanelsForOtherSide();
// The player's phase begins: the four panels come back as they were.
void RestorePanelsForPlayer();
