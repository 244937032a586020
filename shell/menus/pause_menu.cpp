#include "shell/menus/pause_menu.h"

#include <array>
#include <tuple>

#include "core/lock.h"
#include "core/log.h"
#include "core/stringbase.h"
#include "dialogs/confirm_dialog.h"
#include "dialogs/dialog_stack.h"
#include "game/game.h"
#include "game/save_game.h"
#include "game/game_state.h"
#include "game/presentation.h"
#include "gui/layout.h"
#include "shell/dxut.h"
#include "shell/game_frame.h"
#include "shell/game_input.h"
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
    IDC_COMPUTER_PLAYS_NOTE = 277,
    IDC_VERSION = 7001,
    // The version line's rows: in the frame under the buttons, or under the note.
    IDC_VERSION_ROW = 271,
    IDC_VERSION_UNDER_NOTE_ROW = 278,
};

// Where the player acts (or has handed a play-by-e-mail turn over): the menu takes the game
// into state 2 and gives it back.
bool IsPlayersPause(int state)
{
    return state == kStateHuman || state == kStateScroll ||
           (state == kStateEndOfImpulse && g_Gra && g_Gra->m_PbemTurnHandedOver);
}

// The computer's turns, the end of an impulse and its sea battles: the menu holds the
// opponent's thread and leaves the game state to it.
bool IsComputersPause(int state)
{
    return state == kStateComputer || state == kStateComputerMove || state == kStateEndOfImpulse ||
           state == kStateSeaBattles;
}

void ReturnToScenarioList()
{
    DestroyGame();
    StopSoundSlot(sound_effects::kMainMenuMusicLoop);
    PlaySoundSlot(sound_effects::kMainMenuMusicLoop, true);
    OpenScenarioMenu();
}

void LeaveVelmorant()
{
    DestroyGame();
    if (g_CurrentMenu)
        EndMenu(g_CurrentMenu);
    DXUTShutdown();
}

// The question before a game is given up, to the scenario list (abort) or out of the
// program (exit): play since the last save would be lost.
class cGiveUpGameQuestion : public cDialogPotwierdzenia
{
public:
    // The keys of the title, the question, yes and its hint, no and its hint.
    cGiveUpGameQuestion(const std::array<const char*, 6>& keys, void (*giveUp)())
        : cDialogPotwierdzenia(LangText(keys[0]), LangText(keys[1]), LangText(keys[2]), LangText(keys[3]),
                               LangText(keys[4]), LangText(keys[5])),
          m_GiveUp(giveUp)
    {
    }

protected:
    void OnYesPressed(unsigned, CDXUTControl*) override
    {
        g_ConfirmAnswer = true;
        SetAnswer(1);
        CloseTopDialogs(1);
        m_GiveUp();
    }

private:
    void (*m_GiveUp)();
};

} // namespace

void OpenPauseMenu()
{
    if (!g_Gra || g_CurrentMenu)
        return;
    const int state = GameState();
    // The menu's game state would stop the unit's walk between two hexes, holding neither: it
    // reaches its hex first.
    if (state == kStateHumanMove) {
        OpenAfterMove(OpenPauseMenu);
        return;
    }
    if (IsPlayersPause(state) || IsComputersPause(state))
        g_CurrentMenu = new cPauseMenu;
}

cPauseMenu::cPauseMenu()
{
    LogLine(L"----- Pause Menu -----");
    const int state = GameState();
    m_OverComputerPlay = g_Gra && !IsPlayersPause(state) && IsComputersPause(state);
    // Without this menu a long computer turn could be left only by closing the window, which
    // asks nothing before the play since the last save is lost.
    if (m_OverComputerPlay) {
        LogLine(L"The computer's play is paused in game state %i", state);
        SetPlayPaused(true);
        Presentation().UseMenuInput();
        // A move being shown reaches its hex; the rest of the game stands still.
        DXUTSetCallbackFrameMove(PausedPlayFrameMove);
    } else if (g_Gra) {
        g_Gra->EnterMenuState();
    }
    const sLayoutRect& frame = g_GuiLayout[IDC_FRAME];
    const int noteHeight = m_OverComputerPlay ? g_GuiLayout[IDC_COMPUTER_PLAYS_NOTE].height : 0;
    AddFrame(IDC_FRAME, frame.x, frame.y, frame.width, frame.height + noteHeight, 0);
    AddButtonFromLayout(IDC_RESUME, LangText("pause_resume").c_str(), LangText("pause_resume_hint").c_str());
    AddButtonFromLayout(IDC_SAVE, LangText("pause_save").c_str(), LangText("pause_save_hint").c_str());
    AddButtonFromLayout(IDC_PREFERENCES, LangText("pause_preferences").c_str(),
                        LangText("pause_preferences_hint").c_str());
    AddButtonFromLayout(IDC_ABORT, LangText("pause_abort").c_str(), LangText("pause_abort_hint").c_str());
    AddButtonFromLayout(IDC_EXIT, LangText("pause_exit").c_str(), LangText("pause_exit_hint").c_str());
    if (m_OverComputerPlay) {
        // A save would hold the computer's turn half played, which its loading would begin
        // again; the preferences open in the player's turn only, as with F1: both wait for it.
        // Greyed, each says why, as the note beneath does.
        for (auto [id, hint, why] : {std::tuple{IDC_SAVE, "pause_save_hint", "pause_save_hint_computer_plays"},
                                     std::tuple{IDC_PREFERENCES, "pause_preferences_hint",
                                                "pause_preferences_hint_computer_plays"}})
            if (CDXUTControl* button = GetControl(id)) {
                button->SetEnabled(false);
                button->SetHint(LangText(hint) + L"\n" + LangText(why));
            }
        AddStaticFromLayout(IDC_COMPUTER_PLAYS_NOTE, LangText("pause_computer_plays_note").c_str());
        if (auto* note = Control<CDXUTStatic>(IDC_COMPUTER_PLAYS_NOTE))
            note->m_dwTextFormat = DT_CENTER | DT_VCENTER | DT_WORDBREAK;
    }
    // A finished war is not saved: loaded again, it would go on.
    if (g_Gra && g_Gra->m_GameOver)
        if (CDXUTControl* save = GetControl(IDC_SAVE)) {
            save->SetEnabled(false);
            save->SetHint(LangText("pause_save_war_over_hint"));
        }
    // Not at the bottom left as in the main menu: the game screen stays in view under this
    // menu, and there the line would cover the bottom panel's name of the country played.
    AddVersionLineAt(IDC_VERSION, m_OverComputerPlay ? IDC_VERSION_UNDER_NOTE_ROW : IDC_VERSION_ROW);
    // The computer may wait for the answer of its window: that one stays.
    if (g_CurrentDialog && !m_OverComputerPlay)
        CloseTopDialogs(1);
    SetVisible(true);
}

cPauseMenu::~cPauseMenu()
{
    // Ended any way (another screen may take its place), the menu never leaves play held.
    if (m_OverComputerPlay)
        SetPlayPaused(false);
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
    if (!g_Gra)
        return;
    if (m_OverComputerPlay) {
        LogLine(L"The computer's play resumes");
        Presentation().UseGameInput();
        SetPlayPaused(false);
    } else {
        g_Gra->ReturnToMap();
    }
}

void cPauseMenu::OnSavePressed()
{
    if (m_OverComputerPlay)
        return;
    EndMenu(this);
    if (g_DialogLinks.openSaveDialog)
        g_DialogLinks.openSaveDialog();
}

void cPauseMenu::OnPreferencesPressed()
{
    if (m_OverComputerPlay)
        return;
    // The menu stays, out of sight: the preferences' OK shows it again, and only Resume
    // returns to the map.
    SetVisible(false);
    if (g_DialogLinks.openPreferences)
        g_DialogLinks.openPreferences();
}

namespace {

// A play-by-e-mail turn handed over was saved as it ended, and nothing can be played
// after it, nor after the end of the war; and a game just saved or loaded holds nothing
// its save does not: leaving loses nothing, and is not questioned.
bool NothingPlayedSinceTheSave()
{
    return g_Gra && (g_Gra->m_PbemTurnHandedOver || g_Gra->m_GameOver || GameIsAsLastSaved());
}

} // namespace

void cPauseMenu::OnAbortPressed()
{
    if (NothingPlayedSinceTheSave()) {
        ReturnToScenarioList();
        return;
    }
    PushDialog(new cGiveUpGameQuestion({"pause_abort_title", "pause_abort_question", "pause_abort_yes",
                                        "pause_abort_yes_hint", "pause_abort_no", "pause_abort_no_hint"},
                                       ReturnToScenarioList));
}

void cPauseMenu::OnExitPressed()
{
    if (NothingPlayedSinceTheSave()) {
        LeaveVelmorant();
        return;
    }
    PushDialog(new cGiveUpGameQuestion({"pause_exit_title", "pause_exit_question", "pause_exit_yes",
                                        "pause_exit_yes_hint", "pause_exit_no", "pause_exit_no_hint"},
                                       LeaveVelmorant));
}
