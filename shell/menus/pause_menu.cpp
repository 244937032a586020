#include "shell/menus/pause_menu.h"

#include "core/log.h"
#include "core/stringbase.h"
#include "dialogs/dialog_stack.h"
#include "game/game.h"
#include "game/game_state.h"
#include "shell/dxut.h"
#include "shell/menus/scenario_menu.h"
#include "shell/sound.h"
#include "shell/sound_effects.h"
#include "shell/startup.h"

namespace {

enum ePauseMenuControl
{
    IDC_FRAME = 270,
    IDC_RESUME = 272,
    IDC_SAVE = 273,
    IDC_PREFERENCES = 274,
    IDC_ABORT = 275,
    IDC_EXIT = 276,
    IDC_VERSION = 7001,
};

} // namespace

void OpenPauseMenu()
{
    const int state = GameState();
    if (state != kStateHuman && !(state == kStateEndOfImpulse && g_Gra->m_PbemTurnHandedOver))
        return;
    g_CurrentMenu = new cPauseMenu;
}

cPauseMenu::cPauseMenu()
{
    LogLine(L"----- Pause Menu -----");
    if (g_Gra)
        g_Gra->EnterMenuState();
    AddFrameFromLayout(IDC_FRAME, 0);
    AddButtonFromLayout(IDC_RESUME, LangText("pause_resume").c_str(), LangText("pause_resume_hint").c_str());
    AddButtonFromLayout(IDC_SAVE, LangText("pause_save").c_str(), LangText("pause_save_hint").c_str());
    AddButtonFromLayout(IDC_PREFERENCES, LangText("pause_preferences").c_str(),
                        LangText("pause_preferences_hint").c_str());
    AddButtonFromLayout(IDC_ABORT, LangText("pause_abort").c_str(), LangText("pause_abort_hint").c_str());
    AddButtonFromLayout(IDC_EXIT, LangText("pause_exit").c_str(), LangText("pause_exit_hint").c_str());
    AddVersionLineBelow(IDC_VERSION, IDC_FRAME);
    if (g_CurrentDialog)
        CloseTopDialogs(1);
    SetVisible(true);
}

void cPauseMenu::OnGUIEvent(unsigned, int id, CDXUTControl*)
{
    switch (id) {
    case IDC_RESUME: OnResumePressed(); break;
    case IDC_SAVE: OnSavePressed(); break;
    case IDC_PREFERENCES: OnPreferencesPressed(); break;
    case IDC_ABORT: OnAbortPressed(); break;
    case IDC_EXIT: OnExitPressed(); break;
    default: break;
    }
}

void cPauseMenu::OnRender(float elapsed) { CDXUTDialog::OnRender(elapsed); }

void cPauseMenu::OnResumePressed()
{
    EndMenu(this);
    if (g_Gra)
        g_Gra->ReturnToMap();
}

void cPauseMenu::OnSavePressed()
{
    EndMenu(this);
    if (g_DialogLinks.openSaveDialog)
        g_DialogLinks.openSaveDialog();
}

void cPauseMenu::OnPreferencesPressed()
{
    EndMenu(this);
    if (g_DialogLinks.openPreferences)
        g_DialogLinks.openPreferences();
}

void cPauseMenu::OnAbortPressed()
{
    DestroyGame();
    StopSoundSlot(sound_effects::kMainMenuMusicLoop);
    PlaySoundSlot(sound_effects::kMainMenuMusicLoop, true);
    OpenScenarioMenu();
}

void cPauseMenu::OnExitPressed()
{
    DestroyGame();
    EndMenu(this);
    DXUTShutdown();
}
