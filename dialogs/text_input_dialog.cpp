#include "dialogs/text_input_dialog.h"

#include "core/stringbase.h"
#include "core/text.h"
#include "gui/controls.h"

std::wstring g_TextInputResult;

cDialogPobraniaTekstu::cDialogPobraniaTekstu(const std::wstring& title, const std::wstring& prompt,
                                             const std::wstring& initialText)
    : cDialog(kTextInputDialogKind, LayoutRow(kTextInputDialogKind))
{
    g_TextInputResult = initialText;
    AddText(695, title, true);
    // Unclipped, a prompt naming a long name would run past the window's edge over the map: it
    // ends in an ellipsis, and pointing at it shows it whole.
    AddText(697, prompt)->m_dwTextFormat = DT_VCENTER;
    AddEditBoxFromLayout(kTextInputEditId, initialText.c_str(), nullptr);
    // What is typed here names a unit, a ship or a fleet, and a name stands as one cell of
    // the lists that show it: the characters that part a list row into cells are not taken.
    if (auto* edit = static_cast<CDXUTEditBox*>(GetControl(kTextInputEditId, DXUT_CONTROL_EDITBOX)))
        edit->m_pForbiddenChars = L";|";
    AddButtonFromLayout(kTextInputOkId, LangText("get_text_dialog_ok").c_str(),
                        LangText("get_text_dialog_ok_hint").c_str());
    AddButtonFromLayout(kTextInputCancelId, LangText("get_text_dialog_cancel").c_str(),
                        LangText("get_text_dialog_cancel_hint").c_str());
    RequestFocus(GetControl(kTextInputEditId));
}

void cDialogPobraniaTekstu::OnGUIEvent(unsigned event, int controlId, CDXUTControl* control)
{
    if (controlId == kTextInputOkId)
        OnOkPressed(event, control);
    else if (controlId == kTextInputCancelId)
        OnCancelPressed(event, control);
}

void cDialogPobraniaTekstu::OnKeyboard(unsigned key, bool keyDown, bool)
{
    ClickOnEnterOrEscape(key, keyDown, kTextInputOkId, kTextInputCancelId);
}

void cDialogPobraniaTekstu::OnOkPressed(unsigned event, CDXUTControl* control)
{
    auto* edit = static_cast<CDXUTEditBox*>(GetControl(kTextInputEditId, DXUT_CONTROL_EDITBOX));
    const std::wstring typed = edit ? edit->GetText().substr(0, kTextInputMaxLength) : std::wstring();
    // Blanks name nothing: a unit or a fleet without a name would stand blank in every list
    // and report. The name stays as it was, as after Cancel.
    if (TrimSpaces(typed).empty()) {
        OnCancelPressed(event, control);
        return;
    }
    g_TextInputResult = typed;
    SetAnswer(1);
    if (Owner())
        Owner()->OnGUIEvent(event, kTextInputOkId, control);
    CloseTopDialogs(1);
}

void cDialogPobraniaTekstu::OnCancelPressed(unsigned event, CDXUTControl* control)
{
    if (Owner())
        Owner()->OnGUIEvent(event, kTextInputCancelId, control);
    CloseTopDialogs(1);
}
