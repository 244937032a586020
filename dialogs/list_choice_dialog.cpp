#include "dialogs/list_choice_dialog.h"

#include "core/stringbase.h"
#include "gui/controls.h"

std::vector<intptr_t> g_ListDialogResult;

cDialogPobraniaListy::cDialogPobraniaListy(const std::wstring& title, const std::wstring& prompt)
    : cDialog(kListChoiceDialogKind, LayoutRow(kListChoiceDialogKind))
{
    AddText(723, title, true);
    AddText(725, prompt);
    AddListBoxFromLayout(kListChoiceListId, 0);
    AddButtonFromLayout(kListChoiceOkId, LangText("get_list_dialog_ok").c_str(), LangText("get_list_dialog_ok").c_str());
    AddButtonFromLayout(kListChoiceCancelId, LangText("get_list_dialog_cancel").c_str(),
                        LangText("get_list_dialog_cancel_hint").c_str());
}

void cDialogPobraniaListy::AddRow(const std::wstring& text, intptr_t id)
{
    if (auto* list = static_cast<CDXUTListBox*>(GetControl(kListChoiceListId, DXUT_CONTROL_LISTBOX)))
        list->AddItem(text, reinterpret_cast<void*>(id));
}

void cDialogPobraniaListy::OnGUIEvent(unsigned event, int controlId, CDXUTControl* control)
{
    if (controlId == kListChoiceOkId)
        OnOkPressed(event, control);
    else if (controlId == kListChoiceCancelId)
        OnCancelPressed(event, control);
}

void cDialogPobraniaListy::OnKeyboard(unsigned key, bool keyDown, bool)
{
    ClickOnEnterOrEscape(key, keyDown, kListChoiceOkId, kListChoiceCancelId);
}

void cDialogPobraniaListy::OnOkPressed(unsigned event, CDXUTControl* control)
{
    g_ListDialogResult.clear();
    auto* list = static_cast<CDXUTListBox*>(GetControl(kListChoiceListId, DXUT_CONTROL_LISTBOX));
    if (list && list->GetSelectedIndex() >= 0)
        g_ListDialogResult.push_back(reinterpret_cast<intptr_t>(list->GetSelectedData()));
    SetAnswer(1);
    if (Owner())
        Owner()->OnGUIEvent(event, kListChoiceOkId, control);
    CloseTopDialogs(1);
}

void cDialogPobraniaListy::OnCancelPressed(unsigned event, CDXUTControl* control)
{
    g_ListDialogResult.clear();
    if (Owner())
        Owner()->OnGUIEvent(event, kListChoiceCancelId, control);
    CloseTopDialogs(1);
}
