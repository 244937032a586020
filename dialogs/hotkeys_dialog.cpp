#include "dialogs/hotkeys_dialog.h"

#include "core/stringbase.h"
#include "gui/controls.h"

namespace {

// The list is fixed English. The game's key handler binds F5 to the unit names and F8 to the
// action points, where this list puts the action points on F5 (the two disagree): the list
// follows the keys, so as not to send a player to the wrong one.
const wchar_t* const kRows[] = {
    L"F1|Preferences",
    L"F2|Show/hide grid",
    L"F3|Show/hide weather",
    L"F4|Show/hide city names",
    L"F5|Show/hide unit names",
    L"F6|Change border draw mode",
    L"F7|Change hex ownership draw mode",
    L"F8|Show/hide AP left",
    L"Esc|Save/Menu Options",
    L"+|Zoom in",
    L"-|Zoom out",
    L"Arrows|Move view",
    L"P|Open purchase window",
    L"C|Open convoys manager",
    L"T|Open research window",
    L"R|Open reports window",
    L"U|Open unit manager",
    L"Q|End turn",
    L"I|Open hotkey window",
    L"Tab|Show next active unit",
};

} // namespace

cDialogSkrotowKlawiszowych::cDialogSkrotowKlawiszowych()
    : cDialog(kHotkeysDialogKind, LayoutRow(kHotkeysDialogKind))
{
    AddText(665, L"Hotkeys");
    AddListBoxFromLayout(kHotkeysListId, 0);
    if (auto* list = static_cast<CDXUTListBox*>(GetControl(kHotkeysListId, DXUT_CONTROL_LISTBOX))) {
        list->SetColumns(2, L"Hotkey|Description", 20, 80);
        list->RemoveAllItems();
        for (const wchar_t* row : kRows)
            list->AddItem(row, nullptr);
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
