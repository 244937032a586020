#include "dialogs/panel.h"

#include "gui/controls.h"
#include "shell/frame_callbacks.h"

cPanel::cPanel(int frameId, const sLayoutRect& rect) : cDialog(frameId)
{
    if (frameId > 0)
        AddFrame(frameId, rect.x, rect.y, rect.width, rect.height, 1);
    m_RememberedMinimized = true;
    SetCallback(PanelGUIEvent);
}

void cPanel::OnRender(float elapsed)
{
    if (!GetMinimized())
        cDialog::OnRender(elapsed);
}

bool cPanel::MsgProc(unsigned message, uintptr_t wParam, intptr_t lParam)
{
    cDialogDispatch dispatch;
    return CDXUTDialog::MsgProc(message, wParam, lParam);
}

void cPanel::OnGUIEvent(unsigned, int, CDXUTControl*) {}

cPanel* PanelOf(iPanelScreen* panel) { return dynamic_cast<cPanel*>(panel); }

void FoldPanelsForOtherSide()
{
    for (iPanelScreen* screen : {g_HexPanel, g_UnitPanel, g_AttackPanel, g_DiplomacyPanel})
        if (cPanel* panel = PanelOf(screen)) {
            panel->m_RememberedMinimized = panel->GetMinimized();
            panel->SetMinimized(true);
            panel->ForgetPendingAnswer();
        }
    // A panel folded while the person drags it would go on moving out of sight.
    CDXUTDialog::CancelControlDrag();
    CloseTopDialogs(-1);
}

void RestorePanelsForPlayer()
{
    for (iPanelScreen* screen : {g_HexPanel, g_UnitPanel, g_AttackPanel, g_DiplomacyPanel})
        if (cPanel* panel = PanelOf(screen)) {
            panel->SetMinimized(panel->m_RememberedMinimized);
            if (panel->m_RememberedMinimized)
                CDXUTDialog::CancelControlDrag();
        }
}
