#include "dialogs/dialog_links.h"

#include "core/lock.h"
#include "dialogs/dialog_stack.h"
#include "dialogs/hex_panel.h"
#include "dialogs/message_dialog.h"
#include "dialogs/panel.h"
#include "dialogs/request_openers.h"

void InstallDialogLinks()
{
    sDialogLinks& links = g_DialogLinks;
    links.serveRequest = ServeDialogRequest;
    links.updateCountdown = UpdateDialogCountdown;
    links.closeAllDialogs = [] { CloseTopDialogs(-1); };
    links.pushMessage = [](const std::wstring& text, const std::wstring& title) {
        PushDialog(new cDialogTekstowy(text, title));
    };
    links.beginOtherSidePhase = FoldPanelsForOtherSide;
    links.beginPlayerPhase = RestorePanelsForPlayer;
    links.refreshHexPanel = [] {
        if (cHexPanel* panel = HexPanel())
            panel->Refresh();
    };
    SetDialogOpenQuery(IsDialogOpen);
}
