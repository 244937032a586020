#include "shell/game_input.h"

#include <cmath>
#include <string>

#include "ai/ai_thread.h"
#include "core/lock.h"
#include "core/log.h"
#include "core/settings.h"
#include "core/stringbase.h"
#include "dialogs/dialog_stack.h"
#include "dialogs/end_turn_dialog.h"
#include "dialogs/panel.h"
#include "game/game.h"
#include "game/game_state.h"
#include "game/play_state.h"
#include "game/presentation.h"
#include "gui/controls.h"
#include "gui/gui_hooks.h"
#include "platform/messages.h"
#include "shell/game_frame.h"
#include "shell/links.h"
#include "shell/map_orders.h"
#include "shell/menus/pause_menu.h"
#include "units/air_unit.h"
#include "units/combat_result.h"
#include "units/combat_support.h"
#include "units/land_unit.h"
#include "world/country.h"
#include "world/hex_geometry.h"
#include "world/map.h"

uint8_t g_ArrowKeys = 0;
uint8_t g_ArrowTaps = 0;
bool g_CtrlHeld = false;
int g_LastPointerX = -1;
int g_LastPointerY = -1;
bool g_RightHeld = false;

namespace {

// Target marks of the orders: any of bits 2 to 16.
constexpr uint32_t kTargetMarks = 0x1FFFC;
constexpr uint32_t kSelectionMark = 1;
constexpr uint32_t kZoneMark = 16384;
// A press and release closer than this is a click, not a drag: a hand moves the pointer a
// pixel or two while it clicks, and a click read as a tiny drag would do nothing.
constexpr int kClickSlack = 4;

bool g_LeftWasDown = false;
bool g_RightWasDown = false;
int g_PressX = 0, g_PressY = 0;
// What opens once the player's unit has reached its hex; empty for nothing.
std::function<void()> g_OpenAfterMove;

bool ControlAt(CDXUTDialog* dialog, int x, int y)
{
    if (!dialog || !dialog->GetVisible())
        return false;
    const sRect origin = dialog->ToScreenRect(sRect{0, 0, 0, 0});
    return dialog->GetControlAtPoint(x - origin.left, y - origin.top) != nullptr;
}

// The map's neighbour of (x, y) toward the click: 1 to 6, 0 when not adjacent.
int DirectionBetween(int x1, int y1, int x2, int y2) { return GetHexDirection(x1, y1, x2, y2); }

// A new plan: the defender on its hex and one attacker in the slot of its direction.
void BeginAssaultPlan(cPlayState& play, const cUnit& defender, int x, int y, int direction, int attackerId)
{
    sAssaultPlan plan;
    plan.defenderCategory = defender.m_Category;
    plan.defenderId = defender.m_Id;
    plan.x = x;
    plan.y = y;
    plan.attackerIds[direction - 1] = attackerId;
    LogLine(L"Player action: new assault plan created");
    play.SetAssaultPlan(plan);
    play.SetOrderMode(ORDER_ASSAULT_PLAN);
    Presentation().RefreshPanels();
}

// Why the player's own unit cannot join the assault on the defender, d being its direction
// from the defender (0: not next to it); empty for a unit that is not the player's.
std::wstring WhyCannotJoinAssault(const cUnit* unit, int d, int activeId)
{
    if (!unit || unit->m_Owner != activeId)
        return {};
    const auto* land = dynamic_cast<const cJednostkaLadowa*>(unit);
    if (!land)
        return LangFormat("assault_plan_not_a_land_unit_%s", unit->m_Name);
    if (d == 0)
        return LangFormat("assault_plan_not_next_to_the_defender_%s", unit->m_Name);
    if (land->m_ActionPoints < 1)
        return LangFormat("assault_plan_no_action_points_%s", unit->m_Name);
    if (land->m_Attacked)
        return LangFormat("assault_plan_attacked_already_%s", unit->m_Name);
    return {};
}

// A refused order leaves its unit selected, with its range shown, for the next click.
void KeepUnitSelected(cPlayState& play, cJednostka& unit, int x, int y)
{
    play.SelectHex(x, y);
    unit.ComputeMoveRange(false);
    play.SetOrderMode(unit.m_Category == CATEGORY_LAND ? ORDER_MOVE : ORDER_REBASE);
}

// The end of every click that is not kept for a next one.
void ResetClick(cPlayState& play)
{
    play.SetOrderMode(ORDER_SELECT);
    GuiSetHintControl(nullptr, false);
    CDXUTDialog::CancelControlDrag();
}

} // namespace

bool IsControlUnderPointer(int x, int y, bool dialogOnly)
{
    if (cDialog* dialog = CurrentDialog(); dialog && ControlAt(dialog, x, y))
        return true;
    if (dialogOnly)
        return false;
    for (iPanelScreen* panel : {g_UnitPanel, g_AttackPanel, g_HexPanel, g_InfoPanel, g_DiplomacyPanel, g_MinimapPanel})
        if (ControlAt(PanelOf(panel), x, y))
            return true;
    return false;
}

void PickHex(int mouseX, int mouseY, int screenWidth, int screenHeight, float cameraX, float cameraY, float scale,
             int& column, int& row)
{
    // A scale of 0 would put every pixel at infinity.
    const float s = scale > 0.0f ? scale : 1.0f;
    const int px = int(std::trunc(float(mouseX - screenWidth / 2) / s + cameraX - 30.0f));
    int py = int(std::trunc(float(mouseY - screenHeight / 2) / s + cameraY - 36.0f));
    // Floored, not cut toward zero: a pixel just left of or above the map is no hex of column
    // or row 0.
    int c = FloorDiv(px, kHexWidth);
    if (c % 2 == 0)
        py -= 49;
    int r = FloorDiv(py, kHexHeight);
    const float fx = float(px - c * kHexWidth), fy = float(py - r * kHexHeight);
    // The slanted left edge of the hex belongs to the neighbours up or down to the left.
    if (fx < 24.0f) {
        const bool even = c % 2 == 0;
        if (fy < 49.0f && (fx == 0.0f || (49.0f - fy) / fx > 2.0416667f)) {
            if (!even)
                --r;
            --c;
        } else if (fy > 49.0f && (fx == 0.0f || (fy - 49.0f) / fx > 2.0416667f)) {
            if (even)
                ++r;
            --c;
        }
    }
    column = c;
    row = r;
}

void ForgetHeldInput()
{
    g_ArrowKeys = 0;
    g_ArrowTaps = 0;
    g_CtrlHeld = false;
    g_RightHeld = false;
    g_LeftWasDown = false;
    g_RightWasDown = false;
}

void ResetGameInput()
{
    ForgetHeldInput();
    g_LastPointerX = g_LastPointerY = -1;
    g_PressX = g_PressY = 0;
    g_OpenAfterMove = nullptr;
}

void OpenAfterMove(std::function<void()> open) { g_OpenAfterMove = std::move(open); }

bool IsWaitingForMove() { return g_OpenAfterMove != nullptr; }

void OpenWhatWaitedForMove()
{
    const std::function<void()> open = std::move(g_OpenAfterMove);
    g_OpenAfterMove = nullptr;
    if (open)
        open();
}

void cGra::OnPlayerAction(bool left, bool right, bool, bool, bool, int wheel, int x, int y)
{
    g_LastPointerX = x;
    g_LastPointerY = y;
    g_RightHeld = right;
    cMapa* map = m_Mapa;
    cPlayState* play = m_PlayState;
    if (!map || !play)
        return;
    const int width = g_UserSettings.resolutionX, height = g_UserSettings.resolutionY;
    const bool overControl = IsControlUnderPointer(x, y, false);
    if (wheel != 0 && !overControl)
        map->Zoom(float(wheel) / 120.0f, x - width / 2, y - height / 2);

    // A click: the left button released where it went down.
    bool click = false;
    if (left && !g_LeftWasDown) {
        g_PressX = x;
        g_PressY = y;
    } else if (!left && g_LeftWasDown) {
        click = std::abs(x - g_PressX) <= kClickSlack && std::abs(y - g_PressY) <= kClickSlack;
    }
    g_LeftWasDown = left;
    const bool rightPressed = right && !g_RightWasDown;
    g_RightWasDown = right;

    int column = 0, row = 0;
    PickHex(x, y, width, height, map->camera.currentX, map->camera.currentY, map->currentScale, column, row);
    sHex* hovered = !overControl && map->IsInside(column, row) ? map->GetHex(column, row) : nullptr;
    play->SetHoveredHex(hovered);
    // After the war the map is only looked at.
    if (GetGameState() != kStateHuman || m_GameOver)
        return;
    if (rightPressed && !overControl) {
        GLOBAL_LOCK_SCOPE();
        // A right click gives up an order waiting for its target: a player who changed their
        // mind needs a way out that is not a click on some hex of the map.
        if (AbandonOrder(*play, *map))
            ResetClick(*play);
        return;
    }
    if (!click || !hovered)
        return;

    GLOBAL_LOCK_SCOPE();
    sHex* target = hovered;
    const bool isTarget = (target->marks & kTargetMarks) != 0;
    cPanstwo* active = play->GetActiveCountry();
    const int activeId = active ? active->ID : 0;
    const sHex* previous = play->GetSelectedHex();
    const int px = previous ? previous->x : -1, py = previous ? previous->y : -1;
    cUnit* selected = previous ? previous->unit : nullptr;
    auto* unit = dynamic_cast<cJednostka*>(selected);
    play->SelectHex(column, row);
    int mode = play->GetOrderMode();

    const sMapClick mapClick{*play, *map, *target, isTarget, selected};
    // The map's own clicks: no order of a window or the unit panel waits for this one.
    const bool plainClick = mode == ORDER_SELECT || mode == ORDER_MOVE || mode == ORDER_REBASE;
    eOrderClick order = CarryOutWindowOrder(mapClick);
    // A strike of the unit panel clicked beside its targets is given up as a window's order is.
    if (order == eOrderClick::NotAWindowOrder && !isTarget && unit &&
        (mode == ORDER_AIR_BOMBARDMENT || mode == ORDER_AIR_ATTACK || mode == ORDER_NUCLEAR_STRIKE))
        order = eOrderClick::Abandoned;
    switch (order) {
    case eOrderClick::Done: ResetClick(*play); return;
    case eOrderClick::KeepMode: return;
    case eOrderClick::Abandoned: {
        // The click goes on as one given without the order: it may select a unit. One that
        // chose none of the player's units was meant for the order, which says why it failed.
        const std::wstring why = WhyOrderCannotGoThere(mapClick);
        AbandonOrder(*play, *map);
        mode = play->GetOrderMode();
        if (!why.empty() && !(target->unit && target->unit->m_Owner == activeId))
            PostOrderRefusal(why);
        break;
    }
    case eOrderClick::NotAWindowOrder: break;
    }

    if (mode == ORDER_AIR_BOMBARDMENT && unit) {
        map->ClearMarks(~(kZoneMark | kSelectionMark), false);
        if (isTarget) {
            sCombatResult result;
            target->AirBombard(&result, unit);
            PresentCombatResult(result, false);
        }
        Presentation().RefreshPanels();
        ResetClick(*play);
        return;
    }
    // The map's own unit only: no window gives an air attack with a unit of its own (the
    // fleets window's orders are bombardment, shore bombardment and recon).
    if (isTarget && mode == ORDER_AIR_ATTACK && unit) {
        map->ClearMarks(~kSelectionMark, false);
        if (auto* victim = dynamic_cast<cJednostkaLotnicza*>(target->unit)) {
            sCombatResult result;
            victim->AirFight(&result, unit);
            PresentCombatResult(result, false);
        }
        ResetClick(*play);
        return;
    }
    if (isTarget && mode == ORDER_NUCLEAR_STRIKE) {
        if (auto* bomber = dynamic_cast<cJednostkaLotnicza*>(unit)) {
            LogLine(L"Player action: Nuclear bombardment / %s on (%i, %i)", bomber->m_Name, column, row);
            sCombatResult result;
            bomber->NuclearStrike(column, row, &result);
            // The result window titles itself by the kind of combat; no title is made here.
            PresentCombatResult(result, false);
            map->ClearMarks(~kSelectionMark, false);
            Presentation().RefreshPanels();
        }
        ResetClick(*play);
        return;
    }
    if (isTarget && mode == ORDER_REBASE) {
        if (auto* plane = dynamic_cast<cJednostkaLotnicza*>(unit)) {
            LogLine(L"Player action: Rebase / %s from (%i, %i) to (%i, %i)", plane->m_Name, px, py, column, row);
            play->RebaseAirUnit(*plane, column, row);
            map->ClearMarks(~kSelectionMark, false);
            Presentation().RefreshPanels();
        }
        ResetClick(*play);
        return;
    }
    if (isTarget && mode == ORDER_MOVE && unit && !play->GetAssaultPlan()) {
        LogLine(L"Player action: Move / %s from (%i, %i) to (%i, %i)", unit->m_Name, px, py, column, row);
        // The frame move walks the path (state 8) and selects where it ends.
        if (!play->BeginMove(*unit, column, row)) {
            KeepUnitSelected(*play, *unit, px, py);
            PostOrderRefusal(LangFormat("move_refused_cannot_reach_%s", unit->m_Name));
            return;
        }
        ResetClick(*play);
        return;
    }
    if (mode == ORDER_ASSAULT_PLAN && play->GetAssaultPlan()) {
        sAssaultPlan plan = *play->GetAssaultPlan();
        auto* clicked = dynamic_cast<cJednostkaLadowa*>(target->unit);
        const int d = DirectionBetween(plan.x, plan.y, column, row);
        // The defender may be an air unit on its field.
        const cUnit* occupant = target->unit;
        if (occupant && occupant->m_Id == plan.defenderId && occupant->m_Category == plan.defenderCategory) {
            LogLine(L"Player action: Executing assault ");
            sCombatResult result;
            if (play->ExecuteAssaultPlan(result))
                PresentCombatResult(result, false);
            Presentation().RefreshPanels();
            ResetClick(*play);
            return;
        }
        if (d == 0 || !clicked || clicked->m_Owner != activeId || clicked->m_ActionPoints < 1 || clicked->m_Attacked) {
            // The player's own unit that cannot join keeps the plan, and the player learns why:
            // one click beside the mark must not throw away the attackers gathered so far.
            if (const std::wstring why = WhyCannotJoinAssault(occupant, d, activeId); !why.empty()) {
                LogLine(L"Player action: unit cannot join the assault plan");
                PostOrderRefusal(why);
                return;
            }
            LogLine(L"Player action: assault plan canceled");
            play->CancelAssaultPlan();
            Presentation().RefreshPanels();
            ResetClick(*play);
            return;
        }
        if (plan.HasAttacker(clicked->m_Id)) {
            plan.attackerIds[d - 1] = 0;
            if (plan.CountAttackers() == 0) {
                LogLine(L"Player action: Last unit removed from assault plan / assault plan canceled");
                play->CancelAssaultPlan();
                Presentation().RefreshPanels();
                ResetClick(*play);
                return;
            }
            LogLine(L"Player action: Unit removed from assault");
        } else {
            plan.attackerIds[d - 1] = clicked->m_Id;
            LogLine(L"Player action: Unit added to assault plan");
        }
        play->SetAssaultPlan(plan);
        play->ValidateAssaultPlan();
        Presentation().RefreshPanels();
        return;
    }
    if (selected && !play->GetAssaultPlan() && target->unit) {
        auto* own = dynamic_cast<cJednostkaLadowa*>(target->unit);
        auto* enemy = dynamic_cast<cJednostka*>(selected);
        const cPanstwo* owner = GetCountry(selected->m_Owner);
        // The player's unit next to the selected enemy attacks it.
        if (own && enemy && own->m_Owner == activeId && own->m_ActionPoints >= 1 && !own->m_Attacked && active && owner &&
            active->IsAtWarWith(selected->m_Owner) && !enemy->m_WasAttacked) {
            if (const int d = DirectionBetween(px, py, column, row); d != 0) {
                BeginAssaultPlan(*play, *selected, px, py, d, own->m_Id);
                return;
            }
        }
        // The selected own unit attacks the enemy clicked next to it.
        auto* attacker = dynamic_cast<cJednostkaLadowa*>(selected);
        if (attacker && attacker->m_Owner == activeId && active && active->IsAtWarWith(target->unit->m_Owner)) {
            if (const int d = DirectionBetween(column, row, px, py); d != 0) {
                // A unit without action points stays selected, and the player learns why.
                if (attacker->m_ActionPoints < 1) {
                    LogLine(L"Player action: attack refused");
                    KeepUnitSelected(*play, *attacker, px, py);
                    PostOrderRefusal(LangFormat("attack_refused_no_action_points_%s", attacker->m_Name));
                    return;
                }
                BeginAssaultPlan(*play, *target->unit, column, row, d, attacker->m_Id);
                return;
            }
        }
        // An enemy in sight that the selected own unit cannot attack by a click: the unit
        // stays selected, and the player learns why, rather than see it let go.
        auto* mine = dynamic_cast<cJednostka*>(selected);
        if (plainClick && mine && mine->m_Owner == activeId && target->unit->m_Spotted && active &&
            active->IsAtWarWith(target->unit->m_Owner)) {
            const char* why = attacker                         ? "attack_refused_not_next_to_it_%s"
                              : mine->m_Type == UNIT_FIGHTER ? "air_attack_refused_fighter_%s"
                                                             : "air_attack_refused_bomber_%s";
            LogLine(L"Player action: attack refused");
            KeepUnitSelected(*play, *mine, px, py);
            PostOrderRefusal(LangFormat(why, mine->m_Name));
            return;
        }
    }
    // Without a plan the assault mode selects as no order does.
    if (target->unit && !play->GetAssaultPlan() && (mode == ORDER_SELECT || mode == ORDER_ASSAULT_PLAN || !isTarget)) {
        auto* clicked = dynamic_cast<cJednostka*>(target->unit);
        if (clicked && clicked->m_Owner == activeId) {
            clicked->ComputeMoveRange(false);
            play->SetOrderMode(clicked->m_Category == CATEGORY_LAND ? ORDER_MOVE : ORDER_REBASE);
            return;
        }
        if (clicked)
            clicked->m_Path.clear();
    }
    ResetClick(*play);
    // A land hex beyond the marked ones was the selected unit's destination: the click
    // selects that hex, and the player learns why the unit stayed.
    auto* mover = dynamic_cast<cJednostkaLadowa*>(unit);
    if (mode == ORDER_MOVE && !isTarget && mover && mover->m_Owner == activeId && !target->unit && target->IsLand())
        PostOrderRefusal(mover->m_ActionPoints < 1 ? LangFormat("move_refused_no_action_points_%s", mover->m_Name)
                                                   : LangFormat("move_refused_beyond_reach_%s", mover->m_Name));
}

void cGra::OnKeyboard(unsigned key, bool down)
{
    if (key == VK_CONTROL) {
        g_CtrlHeld = down;
        return;
    }
    if (TrackArrowKey(key, down))
        return;
    if (!down)
        return;
    const int state = GetGameState();
    // The info panel decides which of its windows a key opens; orders end with the war.
    const bool playerPhase = state == kStateHuman;
    const bool ordersTaken = playerPhase && !m_GameOver;
    cMapa* map = m_Mapa;
    if (key == VK_ESCAPE) {
        // As a right click does, Escape first gives up an order waiting for its target: a
        // person's first way out of a half-given order. Then it lets the chosen unit or hex go,
        // with the marks of its reach: a pause menu over them would leave them on the map. The
        // pause menu opens while the computer plays too, or closing the window would be the only
        // way out of a long computer turn; a unit on its way first reaches its hex.
        if (ordersTaken && m_PlayState && map) {
            GLOBAL_LOCK_SCOPE();
            if (AbandonOrder(*m_PlayState, *map)) {
                ResetClick(*m_PlayState);
                return;
            }
            if (m_PlayState->GetSelectedHex()) {
                m_PlayState->DeselectAll();
                ResetClick(*m_PlayState);
                return;
            }
        }
        OpenPauseMenu();
        return;
    }
    if (key == VK_TAB) {
        // Only the player's own phase: in another's it would mark ranges under the moves.
        if (ordersTaken)
            SelectNextLandUnit();
        return;
    }
    if (key >= '0' && key <= '9' && map) {
        const int place = int(key - '0');
        if (g_CtrlHeld) {
            map->SetCameraBookmark(place, int(map->camera.currentX / float(kHexWidth)),
                                   int(map->camera.currentY / float(kHexHeight)));
        } else {
            const auto [x, y] = map->GetCameraBookmark(place);
            if (x >= 0 && y >= 0)
                map->CenterAtHex(x, y);
        }
        return;
    }
    auto pressButton = [this](int id) {
        if (g_DialogLinks.pressInfoPanelButton)
            g_DialogLinks.pressInfoPanelButton(id);
        else
            OnGuiEvent(EVENT_BUTTON_CLICKED, id, nullptr);
    };
    // A window's letter is a click on its button, which acts when a click would: not while the
    // other side plays, when the whole panel is off (a key would else buy or end a turn for
    // the computer's country). The preferences asked for while the player's unit is on its
    // way open when it arrives.
    switch (key) {
    case 'C': pressButton(341); break;
    case 'I': pressButton(344); break;
    case 'P': pressButton(336); break;
    case 'Q': pressButton(343); break;
    case 'R': pressButton(340); break;
    case 'T': pressButton(339); break;
    case 'U': pressButton(337); break;
    // + and - zoom from the number pad and from the main keyboard alike (its + is the = key on
    // a US layout): a keyboard without a number pad has them too.
    case VK_ADD:
    case VK_OEM_PLUS: if (map) map->Zoom(1.0f, 0, 0); break;
    case VK_SUBTRACT:
    case VK_OEM_MINUS: if (map) map->Zoom(-1.0f, 0, 0); break;
    case VK_F1:
        // Their OK gives the map back to the player: a unit on its way first reaches its hex,
        // or its walk would stop between two hexes, holding neither.
        if (state == kStateHumanMove)
            OpenAfterMove([] {
                if (g_DialogLinks.openPreferences)
                    g_DialogLinks.openPreferences();
            });
        else if (playerPhase && g_DialogLinks.openPreferences)
            g_DialogLinks.openPreferences();
        break;
    case VK_F1 + 1: g_UserSettings.showGrid = !g_UserSettings.showGrid; break;
    case VK_F1 + 2: g_UserSettings.showWeather = !g_UserSettings.showWeather; break;
    case VK_F1 + 3: g_UserSettings.showCityName = !g_UserSettings.showCityName; break;
    case VK_F1 + 4: g_UserSettings.showUnitName = !g_UserSettings.showUnitName; break;
    case VK_F1 + 5: CycleBorderMode(); break;
    case VK_F1 + 6: CycleOwnershipMode(); break;
    case VK_F1 + 7: g_UserSettings.showAPLeft = !g_UserSettings.showAPLeft; break;
    case VK_F1 + 11:
        // The testing window opens whoever moves, but the war once over stays as it ended.
        if (!m_GameOver && g_DialogLinks.openCheats)
            g_DialogLinks.openCheats();
        break;
    default: break;
    }
}

namespace {

// One step on from 0 to last and back to 0; a value out of that range, drawn as none, steps
// to the first shown: a key or button that left it there would never change the map.
void StepMode(int& mode, int last, const char* settingKey, const std::string& noteKey)
{
    mode = mode >= 0 && mode < last ? mode + 1 : mode == last ? 0 : 1;
    g_Settings.SetInt(settingKey, mode);
    // Named on the status line, the project's choice: a mode with nothing of its kind on screen
    // looks unchanged, and without the line the player could not tell the press was taken.
    PostStatusNote(LangText(noteKey + std::to_string(mode)));
}

} // namespace

void CycleBorderMode() { StepMode(g_UserSettings.borderMode, 2, "Border/Mode", "map_borders_mode_"); }

void CycleOwnershipMode() { StepMode(g_UserSettings.ownershipMode, 3, "MapDisplay/OwnershipMode", "map_ownership_mode_"); }

void cGra::SelectNextLandUnit()
{
    GLOBAL_LOCK_SCOPE();
    if (m_LandUnits.empty())
        return;
    const int activeId = m_PlayState->GetActiveCountryId();
    auto start = m_LandUnits.begin();
    // Without an own unit selected the walk may stop at the first unit of the list too, or
    // a country whose one unit with action points leads the list could never reach it.
    bool startCounts = true;
    if (const sHex* selected = m_PlayState->GetSelectedHex()) {
        auto* own = dynamic_cast<cJednostkaLadowa*>(selected->unit);
        if (own && own->m_Owner == activeId) {
            start = std::find(m_LandUnits.begin(), m_LandUnits.end(), own);
            if (start == m_LandUnits.end()) {
                LogLine(L"Jednostka z heksa zaznaczonego nie jest na liscie jednostek ladowych, TAB problem");
                return;
            }
            startCounts = false;
        }
    }
    auto it = start;
    for (bool first = true;; first = false) {
        if (!first || !startCounts) {
            if (++it == m_LandUnits.end())
                it = m_LandUnits.begin();
            if (it == start)
                return;
        }
        cJednostkaLadowa* unit = *it;
        if (unit->m_Owner == activeId && unit->m_ActionPoints >= 1 && unit->IsOnMap()) {
            m_Mapa->CenterAtHex(unit->m_X, unit->m_Y);
            m_PlayState->SelectHex(unit->m_X, unit->m_Y);
            unit->ComputeMoveRange(false);
            // As after a click on the unit: the next click on its range moves it.
            m_PlayState->SetOrderMode(ORDER_MOVE);
            return;
        }
    }
}

void cGra::OnGuiEvent(unsigned event, int id, CDXUTControl* control)
{
    // The minimap and info panels handle their own buttons; the rest go to the windows.
    if (g_DialogLinks.panelCommand)
        g_DialogLinks.panelCommand(event, id, control);
}
