#include "dialogs/end_turn_dialog.h"

#include <system_error>

#include "core/settings.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "dialogs/dialog_stack.h"
#include "dialogs/message_dialog.h"
#include "gui/controls.h"

cDialogPotwKoncaTury::cDialogPotwKoncaTury()
    : cDialogPotwierdzenia(LangText("end_turn_title"), LangText("ent_turn_confirm_question"), LangText("end_turn_yes"),
                           LangText("end_turn_yes_hint"), LangText("end_turn_no"), LangText("end_turn_no_hint"))
{
    AddCheckBoxFromLayout(kEndTurnDontAskId, LangText("end_turn_dont_ask").c_str(),
                          LangText("end_turn_dont_ask_hint").c_str(), false);
}

void cDialogPotwKoncaTury::OnYesPressed(unsigned, CDXUTControl*)
{
    auto* dontAsk = static_cast<CDXUTCheckBox*>(GetControl(kEndTurnDontAskId, DXUT_CONTROL_CHECKBOX));
    const bool skip = dontAsk && dontAsk->GetChecked();
    g_UserSettings.skipEndTurnConfirmation = skip;
    g_Settings.SetBool("InterfaceSettings/ConfirmEndTurn", !skip);
    std::error_code why;
    SaveZoomSetting(g_MapZoom, &why);
    SetAnswer(1);
    // The ticked box that could not be kept is told here, over the window it was ticked in,
    // and the turn passes on once it is read: told after, the other side's windows would bury
    // it, and untold the next start would ask again without a word.
    if (why && skip) {
        m_EndTurnOnceTold = true;
        PushDialog(new cDialogTekstowy(LangFormat("pref_settings_not_written_%s", Utf8ToWide(why.message())),
                                       LangText("end_turn_title")));
        return;
    }
    EndTurn();
}

void cDialogPotwKoncaTury::OnReactivate()
{
    if (m_EndTurnOnceTold)
        EndTurn();
}

void cDialogPotwKoncaTury::EndTurn()
{
    CloseTopDialogs(1);
    if (g_ShellLinks.endTurnFromMainThread)
        g_ShellLinks.endTurnFromMainThread();
}

void cDialogPotwKoncaTury::OnNoPressed(unsigned, CDXUTControl*) { CloseTopDialogs(1); }
