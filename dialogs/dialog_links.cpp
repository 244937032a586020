#include "dialogs/dialog_links.h"

#include "core/lock.h"
#include "dialogs/cheats_dialog.h"
#include "dialogs/dialog_stack.h"
#include "dialogs/hex_panel.h"
#include "dialogs/message_dialog.h"
#include "dialogs/panel.h"
#include "dialogs/preferences_dialog.h"
#include "dialogs/request_openers.h"
#include "dialogs/save_dialog.h"
#include "game/game.h"

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
    links.openPreferences = OpenPreferences;
    links.openSaveDialog = [] { PushDialog(new cDialogZapisuGry); };
    // A testing window, for the player's phase only.
    links.openCheats = [] {
        const int state = g_Gra ? g_Gra->GetGameState() : -1;
        if (state == 7 || state == 8)
            PushDialog(new cDialogCheatow);
    };
    SetDialogOpenQuery(IsDialogOpen);
}
