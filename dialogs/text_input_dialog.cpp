#include "dialogs/text_input_dialog.h"

#include "core/stringbase.h"
#include "dialogs/message_dialog.h"
#include "game/save_game.h"
#include "gui/controls.h"

std::wstring g_TextInputResult;

cDialogPobraniaTekstu::cDialogPobraniaTekstu(const std::wstring& title, const std::wstring& prompt,
                                             const std::wstring& initialText)
    : cDialog(kTextInputDialogKind, LayoutRow(kTextInputDialogKind))
{
    g_TextInputResult = initialText;
    m_Title = title;
    AddText(695, title, true);
    // Unclipped, a prompt naming a long name would run past the window's edge over the map: it
    // ends in an ellipsis, and pointing at it shows it whole.
    AddText(697, prompt)->m_dwTextFormat = DT_VCENTER;
    AddEditBoxFromLayout(kTextInputEditId, initialText.c_str(), nullptr);
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
    const std::wstring typed = edit ? edit->GetText() : std::wstring();
    // What is typed here names a unit, a ship or a fleet, which stands as one cell of the lists
    // and files that hold it. A name it cannot be is refused with why, and the window stays
    // with what was typed, to be mended or cancelled.
    if (const auto refused = RefusedName(typed, kTextInputMaxLength, kCellSeparators, false,
                                         {"rename_name_blank", "rename_name_too_long_%i_%i", "rename_name_invalid_%s"})) {
        PushDialog(new cDialogTekstowy(*refused, m_Title));
        return;
    }
    g_TextInputResult = typed;
    SetAnswer(1);
    if (Owner())
        Owner()->OnGUIEvent(event, kTextInputOkId, control);
    CloseTopDialogs(1);
}

void cDialogPobraniaTekstu::OnReactivate() { RequestFocus(GetControl(kTextInputEditId)); }

void cDialogPobraniaTekstu::OnCancelPressed(unsigned event, CDXUTControl* control)
{
    if (Owner())
        Owner()->OnGUIEvent(event, kTextInputCancelId, control);
    CloseTopDialogs(1);
}
