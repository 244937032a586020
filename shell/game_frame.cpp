#include "shell/game_frame.h"

#include <algorithm>
#include <string>

#include "ai/ai_thread.h"
#include "core/console_log.h"
#include "core/fatal.h"
#include "core/lock.h"
#include "core/log.h"
#include "core/settings.h"
#include "core/stringbase.h"
#include "dialogs/dialog_stack.h"
#include "dialogs/message_dialog.h"
#include "dialogs/new_turn_dialog.h"
#include "game/game.h"
#include "game/game_state.h"
#include "game/play_state.h"
#include "game/presentation.h"
#include "game/save_game.h"
#include "game/turn_order.h"
#include "gui/layout.h"
#include "platform/clock.h"
#include "platform/window.h"
#include "shell/dxut.h"
#include "shell/game_input.h"
#include "shell/hint_display.h"
#include "shell/links.h"
#include "shell/music_player.h"
#include "shell/shell_presentation.h"
#include "units/air_unit.h"
#include "units/land_unit.h"
#include "world/country.h"
#include "world/map.h"
#include "world/pbem_repo.h"
#include "world/relations.h"

namespace {

double g_PreviousFrameTime = 0;
uint32_t g_LastStepTime = 0;
// The key of the status line shown last and the hex selected then, so that it is written
// only when what the game waits for changes: a refusal put there meanwhile stays until
// another hex (another unit) is chosen or the order changes.
std::string g_StatusKey;
const sHex* g_StatusSelection = nullptr;

bool IsDummy(const cPanstwo* country) { return country && country->SpecialFlags == 1; }

// The hint of each order mode 1 to 18 on the status line.
const char* StatusHintKey(int mode)
{
    static const char* const keys[] = {
        "statusbar_hint_deploy_land_air_destination_hex", "statusbar_hint_deploy_land_air_destination_hex",
        "statusbar_hint_deploy_naval_destination_port",   "statusbar_hint_move_destination_hex",
        "statusbar_hint_strategic_move_destination_hex",  "statusbar_hint_paradrop_target_hex",
        "statusbar_hint_planning_attack",                 "statusbar_hint_bombardment_target_hex",
        "statusbar_hint_air_fight_target_hex",            "statusbar_hint_nuclear_bombardment_target_hex",
        "statusbar_hint_recon_hex",                       "statusbar_hint_rebase_destination_hex",
        "statusbar_hint_fleet_move_destination_hex",      "statusbar_hint_convoy_source_port",
        "statusbar_hint_convoy_destination_port",         "statusbar_hint_invasion_target_port",
        "statusbar_hint_shore_bombardment_hex",           "statusbar_hint_recon_from_sea_hex"};
    return mode >= 1 && mode <= 18 ? keys[mode - 1] : "statusbar_hint_no_action";
}

// The selected own land unit has action points and a seen enemy at war on a hex next to it:
// a click on that enemy plans the attack.
bool CanAttackByClick(const cJednostka& unit, cMapa& map, const cPanstwo& active)
{
    if (unit.m_Category != CATEGORY_LAND || unit.m_ActionPoints < 1)
        return false;
    for (int d = 0; d < 6; ++d) {
        const sHex* next = map.GetNeighbour(unit.m_X, unit.m_Y, d);
        if (next && next->unit && next->unit->m_Spotted && active.IsAtWarWith(next->unit->m_Owner))
            return true;
    }
    return false;
}

// What a click on the map does now: the hint of the order mode, or, with one's own unit
// selected, whether it moves to a marked hex, attacks an enemy next to it, or can do neither.
// The mode's hint alone would ask a player whose unit cannot move to click a marked hex, and
// the click would be lost without a word.
std::string StatusHintKeyNow(const cGra& game)
{
    const cPlayState& play = *game.m_PlayState;
    const int mode = play.GetOrderMode();
    const sHex* selected = play.GetSelectedHex();
    const auto* unit = selected ? dynamic_cast<const cJednostka*>(selected->unit) : nullptr;
    const cPanstwo* active = play.GetActiveCountry();
    // A turn by e-mail that could not be handed over waits at the country that closes the turn
    // order, where no order is given: only its end again hands it over.
    if (game.m_IsPbem && IsDummy(active))
        return "statusbar_hint_pbem_turn_kept";
    if ((mode != ORDER_SELECT && mode != ORDER_MOVE && mode != ORDER_REBASE) || !unit || !active ||
        unit->m_Owner != active->ID || !game.m_Mapa)
        return StatusHintKey(mode);
    const bool attack = CanAttackByClick(*unit, *game.m_Mapa, *active);
    // Selecting alone moves nothing: a click on the unit again shows its range.
    if (mode == ORDER_SELECT)
        return attack ? "statusbar_hint_attack_next_to_unit" : StatusHintKey(mode);
    const auto& marked = game.m_Mapa->GetMarkedHexes();
    const bool move =
        std::any_of(marked.begin(), marked.end(), [](const sHex* h) { return (h->marks & MARK_MOVE_RANGE) != 0; });
    if (move)
        return attack ? "statusbar_hint_move_or_attack" : StatusHintKey(mode);
    if (attack)
        return "statusbar_hint_attack_next_to_unit";
    if (unit->m_ActionPoints < 1)
        return "statusbar_hint_unit_no_action_points";
    // A plane with action points that cannot rebase says why: it looks able to fly.
    if (const auto* plane = dynamic_cast<const cJednostkaLotnicza*>(unit)) {
        const char* why = plane->RebaseRefusalKey();
        return why ? why : "statusbar_hint_air_unit_no_free_hex_in_reach";
    }
    return "statusbar_hint_unit_cannot_move";
}

bool WindowHasFocus()
{
    cWindow* window = DXUTGetHWND();
    return window && window->HasInputFocus() && !DXUTIsRenderingPaused();
}

} // namespace

// Edge and arrow-key scrolling: a thousand screen pixels a second, so the view crosses the
// same part of the screen at every zoom.
bool ScrollMapByInput(cMapa& map, double time)
{
    // The mouse state every mouse event feeds, a shown window's too.
    const int x = g_HintDisplay.pointerX, y = g_HintDisplay.pointerY;
    const bool onScreen = x >= 0 && y >= 0 && x < g_UserSettings.resolutionX && y < g_UserSettings.resolutionY;
    if (g_HintDisplay.rightDragging || !onScreen || IsControlUnderPointer(x, y, false)) {
        g_ArrowTaps = 0;
        return false;
    }
    const float scale = map.currentScale > 0.0f ? map.currentScale : 1.0f;
    // A frame after a long still moment scrolls as far as one frame does: the loop sleeps
    // while nothing changes, so the time since the last frame may be seconds.
    const float step = float(std::clamp(time - g_PreviousFrameTime, 0.0, 0.1)) * 1000.0f / scale;
    int dx = 0, dy = 0;
    EdgeScrollDirection(x, y, dx, dy);
    float sx = float(dx) * step, sy = float(dy) * step;
    // A key already let go moves the view as far as a tenth of a second held does: a tap
    // between two frames of the sleeping loop would otherwise move nothing.
    const uint8_t taps = g_ArrowTaps & ~g_ArrowKeys;
    g_ArrowTaps = 0;
    const float tap = 100.0f / scale;
    sx += (taps & 4 ? tap : 0.0f) - (taps & 1 ? tap : 0.0f);
    sy += (taps & 8 ? tap : 0.0f) - (taps & 2 ? tap : 0.0f);
    if (sx == 0.0f && sy == 0.0f)
        return false;
    const float targetX = map.camera.targetX, targetY = map.camera.targetY;
    map.ScrollBy(sx, sy, 1.0f);
    return map.camera.targetX != targetX || map.camera.targetY != targetY;
}

namespace {

// The camera still glides, zooms or follows a drag: the next frame shows it further on.
bool CameraMoves(const cMapa& map)
{
    return map.camera.currentX != map.camera.targetX || map.camera.currentY != map.camera.targetY ||
           map.currentScale != map.targetScale || g_HintDisplay.rightDragging;
}

// A map hint belongs to the hex under the pointer now: none while a window or a menu lies
// over the map or a panel's control is under the pointer, and none once the map has moved
// another hex under a pointer that stood still; the pointer's next move shows that hex's.
void ForgetMapHintOffTheMap(cGra& game)
{
    cPlayState& play = *game.m_PlayState;
    cMapa* map = game.m_Mapa;
    const sHex* hovered = play.GetHoveredHex();
    if (!hovered || !map)
        return;
    const int x = g_LastPointerX, y = g_LastPointerY;
    int column = 0, row = 0;
    PickHex(x, y, g_UserSettings.resolutionX, g_UserSettings.resolutionY, map->camera.currentX, map->camera.currentY,
            map->currentScale, column, row);
    const bool moved = !map->IsInside(column, row) || map->GetHex(column, row) != hovered;
    const cDialog* window = CurrentDialog();
    if (moved || (window && window->GetVisible()) || g_CurrentMenu || IsControlUnderPointer(x, y, false))
        play.SetHoveredHex(nullptr);
}

void UpdateStatusBarHint(const cGra& game)
{
    // While the new turn is announced, the game waits for its window to be closed, and
    // says so whatever the other side wrote meanwhile.
    const cDialog* dialog = CurrentDialog();
    const bool announcing = dynamic_cast<const cDialogNowejTury*>(dialog) && dialog->GetVisible();
    const std::string key = announcing ? "statusbar_hint_new_turn" : StatusHintKeyNow(game);
    const sHex* selected = game.m_PlayState->GetSelectedHex();
    if (key == g_StatusKey && selected == g_StatusSelection && !announcing)
        return;
    g_StatusKey = key;
    g_StatusSelection = selected;
    if (g_DialogLinks.setStatusText)
        g_DialogLinks.setStatusText(LangText(key.c_str()));
}

// Outside the person's phase the game stops only for a window shown to the person: while
// one waits for its answer the status line says so, and at no other time; once it closes the
// line shows again what the other side wrote last, or what it wrote meanwhile.
std::wstring g_StatusBeforeWaiting;

void UpdateWaitingHint()
{
    if (!g_DialogLinks.setStatusText || !g_DialogLinks.statusText)
        return;
    const cDialog* dialog = CurrentDialog();
    const bool waiting = dialog && dialog->GetVisible() && IsAnswerAwaited();
    const std::wstring told = LangText("statusbar_hint_waiting_for_answer");
    const std::wstring now = g_DialogLinks.statusText();
    if (waiting && now != told) {
        g_StatusBeforeWaiting = now;
        g_DialogLinks.setStatusText(told);
    } else if (!waiting && now == told) {
        g_DialogLinks.setStatusText(g_StatusBeforeWaiting);
    }
}

// Nothing more can be played after a play-by-e-mail turn is handed over: the status line
// says where the turn is and how to leave, whatever the computer's play wrote before.
void TellPbemTurnSent(const cGra& game)
{
    if (!g_DialogLinks.setStatusText || !g_DialogLinks.statusText)
        return;
    const std::wstring sent = LangFormat("statusbar_hint_pbem_turn_sent_%s", game.m_PbemGameName);
    if (g_DialogLinks.statusText() != sent)
        g_DialogLinks.setStatusText(sent);
}

// The war has ended and its window was closed: the map stays to be looked at, with nothing
// selected or marked for an order, and the status line says how to leave.
bool g_WarOverShown = false;

void ShowWarOver(cGra& game)
{
    if (!g_WarOverShown) {
        g_WarOverShown = true;
        {
            GLOBAL_LOCK_SCOPE();
            game.m_PlayState->SetOrderMode(ORDER_SELECT);
            game.m_PlayState->DeselectAll();
            if (game.m_Mapa)
                game.m_Mapa->ClearMarks(0xFFFFFFFFu, true);
        }
        // Nothing is waited for: the panels unfold, and the info panel keeps only the windows
        // that show what happened.
        Presentation().BeginPlayerPhase();
    }
    if (!g_DialogLinks.setStatusText || !g_DialogLinks.statusText)
        return;
    const std::wstring over = LangText("statusbar_hint_war_over");
    if (g_DialogLinks.statusText() != over)
        g_DialogLinks.setStatusText(over);
}

// The map glides to where the country's person left it at the end of their last turn; false
// when no such place is kept.
bool ScrollToSavedView(cGra& game, const cPanstwo& country)
{
    const float* view = country.GetSavedView();
    if (view[2] < 0.0f || !game.m_Mapa)
        return false;
    game.m_Mapa->ScrollToPoint(sFloatPoint{view[0], view[1]}, true);
    return true;
}

// The side of the person at this screen, shown again at the country that closes the turn
// order: not that country's empty one, without units or figures.
void ShowPersonsOwnSide(cGra& game)
{
    cPanstwo* own = GetCountry(game.m_PersonsCountryId);
    if (!own)
        return;
    GLOBAL_LOCK_SCOPE();
    own->RecalculateUnitsVisibility();
    game.m_PlayState->SetViewCountry(own);
    Presentation().RefreshPoints();
}

// The human turn was handed to another player of a play-by-e-mail game: the turn is saved
// into the game's folder and the player is told whom to send it to.
// False when the save failed: the player is told why, that the turn is kept and how to hand
// it over again, and nothing records the turn as played.
bool HandOverPbemTurn(cGra& game, const cPanstwo& active, const cPanstwo& next)
{
    std::wstring why;
    if (!SavePbemGame(game.m_PbemGameName, &why)) {
        // Meanwhile the person sees their own side, where they left it.
        if (const cPanstwo* own = GetCountry(game.m_PersonsCountryId); own && IsDummy(&active)) {
            ShowPersonsOwnSide(game);
            ScrollToSavedView(game, *own);
        }
        PushDialog(new cDialogTekstowy(LangFormat("pbem_turn_kept_%s", SaveFailedText(game.m_PbemGameName, why)),
                                       LangText("save_game_title")));
        return false;
    }
    // This machine remembers who played last: under the next player's id the same player
    // opening the folder again would pass the check and play the other's turn. Handed over
    // from the country that closes the turn order, the record stays this player's: that
    // country's number 0 would refuse them their own next turn.
    // The turn is in its folder whatever becomes of the record: the player is told, over the
    // window that says whom to send it to, and the game goes on.
    std::wstring recordFailure;
    if (!IsDummy(&active))
        WritePbemRepositoryEntry(active.PBEMPlayerId, game.m_PbemGameName, &recordFailure);
    game.m_PbemTurnHandedOver = true;
    std::wstring player, email;
    // By number, not by place in the list: a number the list does not hold (a damaged save)
    // finds nobody instead of reading past its end.
    for (const sPbemPlayer& p : game.m_PbemPlayers)
        if (p.number == next.PBEMPlayerId) {
            player = p.name;
            email = p.email;
        }
    // Handed over at the country that closes the turn order, the screen shows the side of the
    // person at it again, as after the war.
    if (IsDummy(&active))
        ShowPersonsOwnSide(game);
    const std::wstring text = LangFormat("pbem_turn_end_message", game.m_PbemGameName, player, email, next.Name);
    PushDialog(new cDialogTekstowy(text, LangText("pbem_turn_end_title")));
    if (!recordFailure.empty())
        PushDialog(new cDialogTekstowy(LangFormat("pbem_repository_not_written_%s", recordFailure),
                                       LangText("pbem_saved_game")));
    // The computer's countries may have played before: nothing is waited for any more.
    if (g_DialogLinks.hideWaitIndicator)
        g_DialogLinks.hideWaitIndicator();
    return true;
}

} // namespace

void EdgeScrollDirection(int x, int y, int& dx, int& dy)
{
    // The row's four values are thresholds as they stand: left, top, right, bottom.
    const sLayoutRect& edge = g_GuiLayout[291];
    dx = x >= edge.width || (g_ArrowKeys & 4) ? 1 : x <= edge.x || (g_ArrowKeys & 1) ? -1 : 0;
    dy = y >= edge.height || (g_ArrowKeys & 8) ? 1 : y <= edge.y || (g_ArrowKeys & 2) ? -1 : 0;
}

bool TrackArrowKey(unsigned key, bool down)
{
    if (key < VK_LEFT || key > VK_DOWN)
        return false;
    const uint8_t bit = uint8_t(1u << (key - VK_LEFT));
    if (down && !(g_ArrowKeys & bit))
        g_ArrowTaps |= bit;
    g_ArrowKeys = down ? uint8_t(g_ArrowKeys | bit) : uint8_t(g_ArrowKeys & ~bit);
    return true;
}

std::optional<std::wstring> CheckMapConsistency()
{
    cMapa* map = g_Gra ? g_Gra->m_Mapa : nullptr;
    if (!map)
        return std::nullopt;
    // The box shows the first lines: a map gone wrong everywhere would make it taller than the
    // screen. The log keeps them all.
    constexpr int kLinesShown = 8;
    std::wstring lines;
    int count = 0;
    auto tell = [&lines, &count](const std::wstring& line) {
        LogLine(L"%s", line);
        if (count++ < kLinesShown)
            lines += (lines.empty() ? L"" : L"\n") + line;
    };
    for (int y = 0; y < map->height; ++y)
        for (int x = 0; x < map->width; ++x) {
            const sHex* hex = map->GetHex(x, y);
            const cUnit* unit = hex->unit;
            if (!unit)
                continue;
            if (hex->IsSea())
                tell(FormatText(L"DBGINF: sea hex (%d, %d) is occupied by unit", x, y));
            if (unit->m_X != x || unit->m_Y != y) {
                const cPanstwo* owner = GetCountry(unit->m_Owner);
                tell(FormatText(L"DBGINF: hex (%d, %d) is occupied by unit %s owned by %s which location field is "
                                L"different: (%d, %d)",
                                x, y, unit->m_Name, owner ? owner->Name : std::wstring(), unit->m_X, unit->m_Y));
            }
        }
    if (lines.empty())
        return std::nullopt;
    if (count > kLinesShown)
        lines += FormatText(L"\n(more lines in the log: %d)", count - kLinesShown);
    return lines;
}

std::optional<std::wstring> Autosave()
{
    const std::wstring name = LangText("autosave");
    std::wstring why;
    if (SaveGame(name, true, &why))
        return std::nullopt;
    return SaveFailedText(name, why);
}

void AnimateUnitMove()
{
    cGra* game = g_Gra;
    const int state = game ? game->GetGameState() : -1;
    if (state != kStateHumanMove && state != kStateComputerMove)
        return;
    GLOBAL_LOCK_SCOPE();
    cPlayState& play = *game->m_PlayState;
    cJednostka* unit = play.GetCurrentMove().GetUnit();
    auto finished = [] {
        if (RequestHandle request = ShellPresentation().TakeMoveRequest())
            request->Complete(0);
    };
    if (!unit) {
        // Nothing moves: the side that waits for the move gets the game back.
        game->LowerAnimatedState();
        finished();
        return;
    }
    const uint32_t now = GetTickMs();
    const cPanstwo* owner = unit->GetOwner();
    const float setting = g_DelayValues[owner && owner->HumanControlled ? DELAY_HUMAN_MOVE_BETWEEN : DELAY_AI_MOVE_BETWEEN];
    // A negative delay waits for a click elsewhere; between two steps it means no pause.
    const uint32_t delay = setting > 0.0f ? uint32_t(setting) : 0u;
    // The walk's next step is the next frame the walk needs.
    if (now - g_LastStepTime <= delay && delay > 0) {
        DXUTWantFrameIn(double(delay + 1 - (now - g_LastStepTime)) / 1000.0);
        return;
    }
    DXUTWantFrameIn(double(delay) / 1000.0);
    if (play.AdvanceMove()) {
        g_LastStepTime = now;
    } else {
        // The walk's end has lowered the state already (the play state does it for the
        // computer's walks too); the selection follows within this locked frame, so nothing
        // sees the two in the other order.
        if (state == kStateHumanMove) {
            play.SelectHex(play.GetLastMoveEndX(), play.GetLastMoveEndY());
            const sHex* hex = play.GetSelectedHex();
            auto* arrived = hex ? dynamic_cast<cJednostka*>(hex->unit) : nullptr;
            if (arrived && arrived->ComputeMoveRange(false) > 0)
                play.SetOrderMode(arrived->m_Category == CATEGORY_LAND ? ORDER_MOVE : ORDER_REBASE);
        }
        finished();
    }
    const cPanstwo* view = play.GetViewCountry();
    if (view && owner && (owner == view || owner->IsAlliedWith(view->ID)))
        unit->RevealNearbyEnemies(true);
    if (view && owner && owner->IsAtWarWith(view->ID))
        unit->CheckSpottedByEnemy(view);
}

void GameFrameMove(cRenderer*, double time, float elapsed)
{
    cGra* game = g_Gra;
    if (!game || !game->m_PlayState)
        return;
    if (!DXUTIsRenderingPaused() && game->m_Music)
        game->m_Music->Update();
    // A shown window takes the keys, and with them the release of an arrow held before it;
    // one hidden while a map target is picked leaves them to the map.
    if (cDialog* window = CurrentDialog(); window && window->GetVisible())
        g_ArrowKeys = g_ArrowTaps = 0;
    const int state = game->GetGameState();
    // Held against the map's edge the view stays, and the loop sleeps until the next input.
    if ((state == kStateHuman || state == kStateHumanMove) && game->m_Mapa && WindowHasFocus() &&
        ScrollMapByInput(*game->m_Mapa, time))
        DXUTWantFrameIn(0.0);
    g_PreviousFrameTime = time;
    if (game->m_Mapa) {
        game->m_Mapa->FrameMove(elapsed);
        if (CameraMoves(*game->m_Mapa))
            DXUTWantFrameIn(0.0);
    }
    AnimateUnitMove();
    // Wherever the pointer rests, and while the view glides to the player's place, the
    // status line says what the game waits for: an order picked on a panel changes it while
    // the pointer is still on the panel, and a line kept would ask for the old order. It is
    // written after the camera and the walk, so that a selection they changed (a right
    // click's release, a unit's arrival) shows in this frame, and after the countdowns, so
    // that a report that closed by itself is not waited for.
    if (g_DialogLinks.updateCountdown)
        g_DialogLinks.updateCountdown(elapsed);
    if (const int now = game->GetGameState(); game->m_GameOver && now == kStateHuman) {
        ShowWarOver(*game);
    } else if (now == kStateHuman || now == kStateHumanMove || now == kStateScroll) {
        UpdateStatusBarHint(*game);
    } else if (game->m_PbemTurnHandedOver) {
        TellPbemTurnSent(*game);
    } else {
        UpdateWaitingHint();
    }
    ForgetMapHintOffTheMap(*game);
    if (IsWaitingForMove() && game->GetGameState() == kStateHuman)
        OpenWhatWaitedForMove();
    if (g_PbemEventCheckDone.exchange(false))
        EndTurnFromMainThread();
}

void PausedPlayFrameMove(cRenderer*, double time, float elapsed)
{
    cGra* game = g_Gra;
    if (!game || !game->m_PlayState)
        return;
    g_PreviousFrameTime = time;
    if (game->m_Mapa)
        game->m_Mapa->FrameMove(elapsed);
    AnimateUnitMove();
}

namespace {

// A failed autosave is told once the end of the turn is done, whichever way the turn passes
// on: the other side's phase closes every window open before it.
struct sToldWhenTheTurnHasPassed
{
    std::optional<std::wstring> text;
    const wchar_t* title = L"Save game";
    ~sToldWhenTheTurnHasPassed()
    {
        if (text)
            Presentation().PushMessage(*text, title);
    }
};

} // namespace

void EndTurnFromMainThread()
{
    cGra* game = g_Gra;
    if (!game || !game->m_PlayState)
        return;
    cPlayState& play = *game->m_PlayState;
    // A unit still on its way holds no hex: its walk ends at once, then the turn.
    if (game->GetGameState() == kStateHumanMove)
        play.FinishMove();
    // One box for every line, not one a line: a map gone wrong in many hexes would bury the game.
    const sToldWhenTheTurnHasPassed mapWarning{CheckMapConsistency(), L"DBG WARNING"};
    game->SetGameState(kStateEndOfImpulse);
    cPanstwo* active = play.GetActiveCountry();
    {
        GLOBAL_LOCK_SCOPE();
        if (cMapa* map = game->m_Mapa) {
            for (int y = 0; y < map->height; ++y)
                for (int x = 0; x < map->width; ++x)
                    map->GetHex(x, y)->UpdateBorders();
            if (active)
                active->SetSavedView(map->camera.currentX, map->camera.currentY, map->zoomFactor);
        }
        play.SetViewCountry(active);
    }
    g_Console.Restart();
    const sToldWhenTheTurnHasPassed autosaveFailure{Autosave()};
    cPanstwo* viewing = play.GetViewCountry();
    {
        GLOBAL_LOCK_SCOPE();
        for (cJednostkaLadowa* unit : game->m_LandUnits)
            if (viewing && unit->m_Owner == viewing->ID) {
                if (unit->m_ActionPoints == unit->m_StartingActionPoints)
                    ++unit->m_TurnsSinceParadrop;
                else
                    unit->m_TurnsSinceParadrop = 0;
            }
        // The order in hand ends with the turn, and its marks with it.
        play.SetOrderMode(ORDER_SELECT);
        play.DeselectAll();
        if (game->m_Mapa)
            game->m_Mapa->ClearMarks(0xFFFFFFFFu, true);
        if (active)
            active->FinishedTurn = true;
        if (active && !IsDummy(active))
            game->m_PersonsCountryId = active->ID;
    }
    cPanstwo* current = DetermineCurrentCountry(game->m_Countries);
    cPanstwo* next = play.PickNextCountry(game->m_Countries);
    if (game->m_IsPbem && active && next && next->PBEMPlayerId != active->PBEMPlayerId && !IsDummy(next)) {
        if (!HandOverPbemTurn(*game, *active, *next)) {
            // The turn stays the player's, to be ended again once it can be saved.
            {
                GLOBAL_LOCK_SCOPE();
                active->FinishedTurn = false;
            }
            BeginPlayerPhase();
            // Shown once it is the player's phase again: before, the panel hides the points.
            Presentation().RefreshPoints();
        }
        return;
    }
    if (!current) {
        // Ending the program here would end the person's war over a scenario that lacks the
        // country closing the turn order: the computer's phase ends the impulse, as after it.
        LogLine(L"%s", LangText("error:_end_of_turn_from_main_thread._no_dummy_country?"));
        play.SetActiveCountry(nullptr);
        BeginOtherSidePhase();
        return;
    }
    play.SetActiveCountry(current);
    if (!current->HumanControlled) {
        BeginOtherSidePhase();
        return;
    }
    if (game->m_IsPbem && IsDummy(current)) {
        RequestEventCheck();
        return;
    }
    current->RecalculateUnitsVisibility();
    BeginPlayerPhase();
    if (!ScrollToSavedView(*game, *current))
        play.CenterViewOnActiveCountry(true);
    PushDialog(new cDialogNowejTury(current->ID));
}

void BeginOtherSidePhase()
{
    Presentation().BeginComputerPhase();
    if (g_Gra)
        g_Gra->SetGameState(kStateComputer);
}

void PostOrderRefusal(const std::wstring& why) { PostStatusNote(why); }

void PostStatusNote(const std::wstring& text)
{
    PostInfoPanelMessage(text);
    // The hint stands for what the click left; the reason stays over it until that changes.
    if (const cGra* game = g_Gra; game && game->m_PlayState) {
        g_StatusKey = StatusHintKeyNow(*game);
        g_StatusSelection = game->m_PlayState->GetSelectedHex();
    }
}

void ForgetStatusBarHint()
{
    g_StatusKey.clear();
    g_StatusSelection = nullptr;
}

void ResetGameFrame()
{
    ForgetStatusBarHint();
    g_StatusBeforeWaiting.clear();
    g_WarOverShown = false;
    g_PreviousFrameTime = 0;
    g_LastStepTime = 0;
}

void BeginPlayerPhase()
{
    Presentation().BeginPlayerPhase();
    if (g_Gra)
        g_Gra->SetGameState(kStateHuman);
}

void CenterCameraOnHex(int x, int y)
{
    if (g_Gra && g_Gra->m_Mapa)
        g_Gra->m_Mapa->CenterAtHex(x, y);
}
