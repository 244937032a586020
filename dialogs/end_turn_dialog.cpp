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
    CloseTopDialogs(1);
    if (g_ShellLinks.endTurnFromMainThread)
        g_ShellLinks.endTurnFromMainThread();
    // The ticked box told once the turn has passed on, which closes the windows open before:
    // untold, the next start would ask again without a word.
    if (why && skip)
        PushDialog(new cDialogTekstowy(LangFormat("pref_settings_not_written_%s", Utf8ToWide(why.message())),
                                       LangText("pref_title")));
}

void cDialogPotwKoncaTury::OnNoPressed(unsigned, CDXUTControl*) { CloseTopDialogs(1); }
