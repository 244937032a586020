#include "dialogs/hotkeys_dialog.h"

#include "core/stringbase.h"
#include "gui/controls.h"
#include "shell/game_hotkeys.h"

cDialogSkrotowKlawiszowych::cDialogSkrotowKlawiszowych()
    : cDialog(kHotkeysDialogKind, LayoutRow(kHotkeysDialogKind))
{
    AddText(665, LangText("hotkeys_title"), true);
    AddListBoxFromLayout(kHotkeysListId, 0);
    if (auto* list = static_cast<CDXUTListBox*>(GetControl(kHotkeysListId, DXUT_CONTROL_LISTBOX))) {
        list->SetColumns(2, LangText("hotkeys_columns"), 20, 80);
        list->RemoveAllItems();
        for (const sGameHotkey& key : kGameHotkeys)
            list->AddItem(LangText(key.keyName) + L"|" + LangText(key.action), nullptr);
    }
    AddButtonFromLayout(kHotkeysExitId, LangText("exit").c_str(), LangText("return_to_map").c_str());
}

void cDialogSkrotowKlawiszowych::OnGUIEvent(unsigned, int controlId, CDXUTControl*)
{
    if (controlId == kHotkeysExitId)
        OnExitPressed();
}

void cDialogSkrotowKlawiszowych::OnKeyboard(unsigned key, bool keyDown, bool)
{
    ClickOnEnterOrEscape(key, keyDown, kHotkeysExitId, kHotkeysExitId);
}

void cDialogSkrotowKlawiszowych::OnExitPressed() { CloseTopDialogs(1); }
