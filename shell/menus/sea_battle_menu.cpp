#include "shell/menus/sea_battle_menu.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "core/format.h"
#include "core/lock.h"
#include "core/log.h"
#include "core/settings.h"
#include "core/stringbase.h"
#include "dialogs/dialog_stack.h"
#include "dialogs/message_dialog.h"
#include "game/game.h"
#include "game/game_state.h"
#include "gui/edit_box.h"
#include "gui/gui_hooks.h"
#include "gui/layout.h"
#include "gui/memo.h"
#include "platform/messages.h"
#include "shell/dialog_builders.h"
#include "shell/frame_callbacks.h"
#include "shell/game_frame.h"
#include "shell/hint_display.h"
#include "shell/shell_presentation.h"
#include "shell/skin_levels.h"
#include "units/combat_support.h"
#include "units/naval_unit.h"
#include "units/sea_battle.h"
#include "world/country.h"
#include "world/map.h"

namespace {

enum eSeaBattleControl
{
    IDC_FRAME = 650,
    IDC_TITLE = 651,
    IDC_PLACE = 652,
    IDC_TURNS_CAPTION = 653,
    IDC_TURNS = 654,
    IDC_LOG_CAPTION = 655,
    IDC_LOG = 656,
    IDC_RETREAT = 657,
    IDC_CLOSE = 658,
    IDC_NEXT_TURN = 659,
    IDC_EXECUTE_SHOT = 660,
    IDC_AUTO_END = 661,
    IDC_TIMEOUT_CAPTION = 662,
    IDC_TIMEOUT = 663,
    IDC_STATUS = 664,
};

constexpr int kColumnWidth = 83;
constexpr int kRowHeight = 98;
constexpr int kHalfRow = 49;
constexpr int kBoardWidth = 31 * kColumnWidth;  // 2573
constexpr int kBoardHeight = 31 * kRowHeight;  // 3038
constexpr int kCameraLimitX = 2490, kCameraLimitY = 2940;
constexpr int kTargetLeast = 83;
constexpr float kOpeningZoom = 0.4f;
// Where the hex lies in its cell.
constexpr int kHexLeft = 30, kHexTop = 36;

bool IsEven(int column) { return column % 2 == 0; }

float ScreenWidth() { return float(g_UserSettings.resolutionX); }
float ScreenHeight() { return float(g_UserSettings.resolutionY); }
// The panels and their fonts grow with the screen from their 1024 x 768 layout; the board
// grows with them, so that on a large screen its ships are as large beside the side bar as
// on the smallest, not counters lost in a sea of empty cells.
float ScreenScale() { return std::min(ScreenWidth() / 1024.0f, ScreenHeight() / 768.0f); }

bool IsHumans(const cJednostkaMorska& ship)
{
    const cPanstwo* owner = ship.GetOwner();
    return owner && owner->HumanControlled;
}

bool IsPbem() { return g_Gra && g_Gra->m_IsPbem; }

// A ship by its id, in the battle or out of it (one that retreated is still in the game).
const cJednostkaMorska* ShipById(int id) { return id >= 0 && g_Gra ? g_Gra->FindNavalUnitById(id) : nullptr; }

const std::wstring& NameOf(const cJednostkaMorska* ship)
{
    static const std::wstring none;
    return ship ? ship->m_Name : none;
}

// The country of the side that fires next: of its chosen ship, or of its first ship.
int ActingCountry(const cSeaBattle& battle)
{
    if (const cJednostkaMorska* shooter = battle.Shooter())
        return shooter->m_Owner;
    const tSeaBattleSide& side = battle.m_FirstSideActs ? battle.m_FirstSide : battle.m_SecondSide;
    return side.empty() ? 0 : side.front()->m_Owner;
}

} // namespace

// Built on the main thread when the opponent's thread asks for it: that thread never builds
// a window itself.
void OpenSeaBattleScreen(const RequestHandle& request)
{
    auto* menu = new cSeaBattleMenu(request);
    g_CurrentMenu = menu;
    menu->AutoEndIfRequested();
}

void cSeaBattleMenu::AutoEndIfRequested()
{
    const cSeaBattle* battle = Battle();
    if (battle && battle->m_AutoResolve)
        SendEvent(EVENT_BUTTON_CLICKED, true, GetControl(IDC_AUTO_END));
}

cSeaBattleMenu::cSeaBattleMenu(RequestHandle request)
    : m_Request(std::move(request))
{
    m_BattleSerial = m_Request ? m_Request->Data().unitId : 0;
    if (g_Gra)
        g_Gra->SetGameState(kStateSeaBattleScreen);
    // A message not yet read (a failed autosave, told as the turn passed on) stays over the
    // board; the windows above it go.
    CloseDialogsAboveKind(kMessageDialogKind);
    LogLine(L"----- Sea Battle Screen -----");

    // The frame first: it is drawn under the titles.
    AddFrameFromLayout(IDC_FRAME, 0);
    AddStaticFromLayout(IDC_TITLE, LangText("seabattle_title").c_str());
    AddStaticFromLayout(IDC_PLACE, m_Request ? m_Request->Data().title.c_str() : L"");
    // The screen's controls say nothing of the titles' look: they take the look every other
    // screen gives its title, centred in the title font.
    for (int id : {IDC_TITLE, IDC_PLACE})
        if (auto* text = Control<CDXUTStatic>(id)) {
            text->SetEnabled(false);
            text->m_dwTextFormat = DT_CENTER | DT_VCENTER;
        }
    if (auto* title = Control<CDXUTStatic>(IDC_TITLE))
        title->m_iTextElement = 2;
    AddReadOnlyEditBox(this, IDC_TURNS, L"", LangText("seabattle_turns_left_hint").c_str(), IDC_TURNS_CAPTION,
                       LangText("seabattle_turns_left").c_str());
    AddReadOnlyEditBox(this, IDC_TIMEOUT, L"-", LangText("seabattle_next_turn_timeout_hint").c_str(),
                       IDC_TIMEOUT_CAPTION, LangText("seabattle_next_turn_timeout").c_str());
    AddMemoWithCaption(this, IDC_LOG, L"", nullptr, IDC_LOG_CAPTION, LangText("seabattle_log").c_str());
    // The status line: why a click was refused, or why the battle fires other ships than marked.
    AddStaticFromLayout(IDC_STATUS, L"");
    if (auto* status = Control<CDXUTStatic>(IDC_STATUS)) {
        status->SetEnabled(false);
        status->m_dwTextFormat = DT_WORDBREAK | DT_VCENTER;
    }
    AddButtonFromLayout(IDC_RETREAT, LangText("seabattle_retreat").c_str(), LangText("seabattle_retreat_hint").c_str());
    AddButtonFromLayout(IDC_AUTO_END, LangText("seabattle_auto_end").c_str(),
                        LangText("seabattle_auto_end_hint").c_str());
    // Its own hint: the next turn's would tell of another button.
    AddButtonFromLayout(IDC_EXECUTE_SHOT, LangText("seabattle_execute_shot").c_str(),
                        LangText("seabattle_execute_shot_hint").c_str());
    AddButtonFromLayout(IDC_NEXT_TURN, LangText("seabattle_next_turn").c_str(),
                        LangText("seabattle_next_turn_hint").c_str());
    AddButtonFromLayout(IDC_CLOSE, LangText("seabattle_close").c_str(), LangText("seabattle_close_hint").c_str());
    SetButtonEnabled(IDC_CLOSE, false);
    if (IsPbem())
        for (int id : {IDC_RETREAT, IDC_AUTO_END, IDC_EXECUTE_SHOT, IDC_NEXT_TURN})
            if (CDXUTControl* control = GetControl(id))
                control->SetVisible(false);

    // The board's zoom is its own: taken from the map's and given back, as the screen's
    // steps have it, the map's target zoom would stay at the board's and the map glide there.
    m_Zoom = m_TargetZoom = kOpeningZoom;
    for (int c = 0; c < kBoardSize; ++c)
        if (c < 4 || c > 26)
            for (int r = 0; r < kBoardSize; ++r)
                m_Marks[size_t(r * kBoardSize + c)] = kRearMark;
    // The counters are chosen for a board seen close up; the map keeps its own zoom.
    const float mapZoom = g_MapZoom;
    g_MapZoom = 1.0f;
    SelectUnitSkinLevels();
    g_MapZoom = mapZoom;
    SetVisible(true);

    if (Battle())
        ShowLog();
    else
        EnableCloseOnly();
    ShowRetreat();
}

cSeaBattleMenu::~cSeaBattleMenu()
{
    // A screen that goes without being closed (the game ends under it) frees the battle.
    if (m_Request && !m_Request->IsComplete())
        m_Request->Complete(m_Request->Data().fallbackAnswer);
}

cSeaBattle* cSeaBattleMenu::Battle() const
{
    cSeaBattle* battle = CurrentSeaBattle();
    return battle && battle->m_Serial == m_BattleSerial ? battle : nullptr;
}

cJednostkaMorska* cSeaBattleMenu::ShipAt(int column, int row) const
{
    const cSeaBattle* battle = Battle();
    if (!battle || column < 0 || row < 0)
        return nullptr;
    for (const sSeaBattleBoardShip& on : battle->BoardShips())
        if (on.column == column && on.row == row)
            return on.ship;
    return nullptr;
}

uint32_t cSeaBattleMenu::Marks(int column, int row) const
{
    if (column < 0 || row < 0 || column >= kBoardSize || row >= kBoardSize)
        return 0;
    return m_Marks[size_t(row * kBoardSize + column)];
}

void cSeaBattleMenu::ClearMarks(uint32_t mask)
{
    for (uint32_t& marks : m_Marks)
        marks &= ~mask;
}

void cSeaBattleMenu::ClearOrders()
{
    m_CurrentColumn = m_CurrentRow = -1;
    m_ChosenShipId = m_TargetShipId = -1;
    ClearMarks(kChosenMark | kMoveMark | kTargetMark);
    m_OrderMode = 0;
}

void cSeaBattleMenu::SetStatus(const std::wstring& text)
{
    if (auto* status = Control<CDXUTStatic>(IDC_STATUS))
        status->SetText(text.c_str());
}

void cSeaBattleMenu::ShowRetreat()
{
    CDXUTControl* retreat = GetControl(IDC_RETREAT);
    if (!retreat)
        return;
    const cSeaBattle* battle = Battle();
    const cJednostkaMorska* chosen = ShipAt(m_CurrentColumn, m_CurrentRow);
    if (chosen && chosen->m_Id != m_ChosenShipId)
        chosen = nullptr;
    std::wstring why;
    if (m_Over || !battle || battle->IsOver())
        why = LangText("seabattle_status_over");
    else if (battle->m_AutoEndRequested || battle->m_NextTurnRequested)
        why = LangText("seabattle_status_busy");
    else if (chosen && m_OrderMode == 2)
        why = LangFormat("seabattle_status_aiming", chosen->m_Name, NameOf(ShipById(m_TargetShipId)), chosen->m_Name);
    else if (!chosen || m_OrderMode != 1 || !IsHumans(*chosen) || chosen->m_Retreated)
        why = LangText("seabattle_retreat_unchosen_hint");
    retreat->SetEnabled(why.empty());
    retreat->SetHint(why.empty() ? LangText("seabattle_retreat_hint") : why);
}

void cSeaBattleMenu::SetButtonEnabled(int id, bool enabled)
{
    if (CDXUTControl* control = GetControl(id))
        control->SetEnabled(enabled);
}

void cSeaBattleMenu::OnGUIEvent(unsigned, int id, CDXUTControl*)
{
    switch (id) {
    case IDC_RETREAT: OnRetreatPressed(); break;
    case IDC_CLOSE: OnClosePressed(); break;
    case IDC_NEXT_TURN: OnNextTurnPressed(); break;
    case IDC_EXECUTE_SHOT: OnExecuteShotPressed(); break;
    case IDC_AUTO_END: OnAutoEndPressed(); break;
    default: break;
    }
}

void cSeaBattleMenu::OnRetreatPressed()
{
    GLOBAL_LOCK_SCOPE();
    cSeaBattle* battle = Battle();
    cJednostkaMorska* ship = ShipAt(m_CurrentColumn, m_CurrentRow);
    if (battle && ship && IsHumans(*ship))
        battle->TryRetreat(ship);
    ClearOrders();
    // What it said was of the ship that tried; the log tells how it went.
    SetStatus(L"");
    ShowRetreat();
    ShowLog();
}

void cSeaBattleMenu::OnClosePressed()
{
    if (!m_Over)
        return;
    // Ended now, deleted after this dispatch.
    EndMenu(this);
    ShellPresentation().UseGameInput();
    // The map's counters take again the levels of the map's own zoom, not the board's.
    SelectUnitSkinLevels();
    {
        GLOBAL_LOCK_SCOPE();
        if (g_Gra)
            g_Gra->SetGameState(kStateSeaBattles);
    }
    if (m_Request)
        m_Request->Complete(0);
}

cSeaBattle* cSeaBattleMenu::FinishOrders()
{
    cSeaBattle* battle = Battle();
    if (!battle)
        return nullptr;
    for (int id : {IDC_EXECUTE_SHOT, IDC_NEXT_TURN, IDC_AUTO_END})
        SetButtonEnabled(id, false);
    ClearOrders();
    return battle;
}

void cSeaBattleMenu::OnNextTurnPressed()
{
    GLOBAL_LOCK_SCOPE();
    if (cSeaBattle* battle = FinishOrders())
        battle->RequestNextTurn();
    ShowRetreat();
}

void cSeaBattleMenu::OnExecuteShotPressed() { Refresh(true); }

void cSeaBattleMenu::OnAutoEndPressed()
{
    GLOBAL_LOCK_SCOPE();
    if (cSeaBattle* battle = FinishOrders())
        battle->RequestAutoEnd();
    ShowRetreat();
}

void cSeaBattleMenu::Refresh(bool pressed)
{
    GLOBAL_LOCK_SCOPE();
    cSeaBattle* battle = Battle();
    if (battle && !battle->IsOver()) {
        const bool marked = m_ChosenShipId >= 0 || m_TargetShipId >= 0;
        if (!battle->PrepareShot()) {
            // The turn ended instead (or the battle): the marks were for a shot of the last.
            if (marked && !battle->IsOver())
                SetStatus(LangText("seabattle_status_turn_over"));
            ClearOrders();
        } else if ((marked || (pressed && battle->Shooter() && IsHumans(*battle->Shooter()))) &&
                   !MarksShowTheShot(*battle)) {
            // Shown first, fired by the next press: what fires is what the marks show, a
            // person's shot that nobody marked as much as one marked with a ship that cannot fire.
            MarkTheShot(*battle);
        } else {
            battle->ExecuteShot();
            // The choices were for this shot; the battle picks the next one afresh.
            ClearOrders();
            SetStatus(L"");
        }
    }
    ShowRetreat();
    ShowLog();
}

bool cSeaBattleMenu::MarksShowTheShot(const cSeaBattle& battle) const
{
    const cJednostkaMorska *shooter = battle.Shooter(), *target = battle.Target();
    return shooter && target && shooter->m_Id == m_ChosenShipId && target->m_Id == m_TargetShipId;
}

void cSeaBattleMenu::MarkTheShot(const cSeaBattle& battle)
{
    const cJednostkaMorska *shooter = battle.Shooter(), *target = battle.Target();
    const cJednostkaMorska *markedShooter = ShipById(m_ChosenShipId), *markedTarget = ShipById(m_TargetShipId);
    std::wstring why;
    // Marks of the side that was to fire, when there were any.
    if ((markedShooter || markedTarget) && m_OrdersFirstSide != battle.m_FirstSideActs) {
        // Every ship of the side that was to fire has fired, moved or gone.
        const int ordered = markedShooter ? markedShooter->m_Owner : (target ? target->m_Owner : 0);
        why = LangFormat("seabattle_status_side_done", CountryName(ordered), NameOf(shooter), NameOf(target));
    } else {
        if (!markedShooter)
            why = LangFormat("seabattle_status_shooter_unchosen", NameOf(shooter));
        else if (markedShooter != shooter)
            why = LangFormat("seabattle_status_shooter_picked", markedShooter->m_Name, NameOf(shooter));
        std::wstring aim;
        if (!markedTarget)
            aim = LangFormat("seabattle_status_target_unchosen", NameOf(target));
        else if (markedTarget != target)
            aim = LangFormat("seabattle_status_target_picked", markedTarget->m_Name, NameOf(target));
        if (!aim.empty())
            why += (why.empty() ? L"" : L" ") + aim;
    }
    SetStatus(why + L" " + LangText("seabattle_status_fire_marked"));
    ClearOrders();
    // As if the person had chosen them: the ship that fires, then its target.
    if (shooter && shooter->m_X >= 0 && shooter->m_Y >= 0) {
        m_Marks[size_t(shooter->m_Y * kBoardSize + shooter->m_X)] |= kChosenMark;
        m_CurrentColumn = shooter->m_X;
        m_CurrentRow = shooter->m_Y;
    }
    if (target && target->m_X >= 0 && target->m_Y >= 0)
        m_Marks[size_t(target->m_Y * kBoardSize + target->m_X)] |= kTargetMark;
    m_ChosenShipId = shooter ? shooter->m_Id : -1;
    m_TargetShipId = target ? target->m_Id : -1;
    m_OrdersFirstSide = battle.m_FirstSideActs;
    m_OrderMode = 2;
    ShowRetreat();
}

void cSeaBattleMenu::ShowLog()
{
    const cSeaBattle* battle = Battle();
    if (!battle)
        return;
    if (auto* turns = Control<CDXUTEditBox>(IDC_TURNS))
        turns->SetText(FormatText(L"%i", battle->m_TurnsLeft).c_str());
    if (auto* memo = Control<CDXUTMemo>(IDC_LOG)) {
        memo->SetText(battle->m_Log.c_str());
        memo->ScrollToEnd();
    }
}

void cSeaBattleMenu::EnableCloseOnly()
{
    // Over: no order is pending any more and no countdown runs.
    m_Over = true;
    // Greyed, each order says why beside what it did.
    for (auto [id, hint] : {std::pair{IDC_NEXT_TURN, "seabattle_next_turn_hint"},
                            std::pair{IDC_EXECUTE_SHOT, "seabattle_execute_shot_hint"},
                            std::pair{IDC_AUTO_END, "seabattle_auto_end_hint"}}) {
        SetButtonEnabled(id, false);
        if (CDXUTControl* control = GetControl(id))
            control->SetHint(LangText(hint) + L"\n" + LangText("seabattle_status_over"));
    }
    SetButtonEnabled(IDC_CLOSE, true);
    if (auto* timeout = Control<CDXUTEditBox>(IDC_TIMEOUT))
        timeout->SetText(L"-");
    ClearOrders();
    ShowRetreat();
}

bool cSeaBattleMenu::OverControls(int x, int y) const
{
    const sLayoutRect& frame = g_GuiLayout[IDC_FRAME];
    return x >= frame.x && x < frame.x + frame.width && y >= frame.y && y < frame.y + frame.height;
}

bool cSeaBattleMenu::PickCell(int x, int y, int& column, int& row) const
{
    const float zoom = ScreenZoom();
    int wx = int((float(x) - ScreenWidth() / 2.0f) / zoom + float(m_CameraX) - float(kHexLeft));
    int wy = int((float(y) - ScreenHeight() / 2.0f) / zoom + float(m_CameraY) - float(kHexTop));
    // Rounded down, not toward zero: a point left of or above the board is off it, not in
    // its first column or row.
    int c = FloorDiv(wx, kColumnWidth);
    if (IsEven(c))
        wy -= kHalfRow;
    int r = FloorDiv(wy, kRowHeight);
    const int xr = wx - kColumnWidth * c, yr = wy - kRowHeight * r;
    // The slanted left edge, compared without dividing by xr (0 on the edge itself).
    if (xr < 24) {
        if (yr < kHalfRow && (kHalfRow - yr) * 24 > kHalfRow * xr) {
            if (!IsEven(c))
                --r;
            --c;
        } else if (yr > kHalfRow && (yr - kHalfRow) * 24 > kHalfRow * xr) {
            if (IsEven(c))
                ++r;
            --c;
        }
    }
    if (c < 0 || r < 0 || c >= kBoardSize || r >= kBoardSize)
        return false;
    column = c;
    row = r;
    return true;
}

sPointF cSeaBattleMenu::CellScreenPoint(int column, int row) const
{
    const float bx = float(kColumnWidth * column + kHexLeft + 50);
    const float by = float(kRowHeight * row + (IsEven(column) ? kHalfRow : 0) + kHexTop + kHalfRow);
    const float zoom = ScreenZoom();
    return {(bx - float(m_CameraX)) * zoom + ScreenWidth() / 2.0f, (by - float(m_CameraY)) * zoom + ScreenHeight() / 2.0f};
}

void cSeaBattleMenu::OnKeyboard(unsigned key, bool down, bool)
{
    // The board scrolls with the game screen's arrow bits, but while it is open the game
    // screen hears no key and this screen's keys do nothing: the two disagree, and a bit
    // would keep whatever it held when the board opened. So the arrows are followed here.
    TrackArrowKey(key, down);
}

void cSeaBattleMenu::OnMouse(bool left, bool right, bool, bool, bool, int wheel, int x, int y)
{
    m_PointerX = x;
    m_PointerY = y;
    const bool leftPressed = left && !m_LeftWasDown, rightPressed = right && !m_RightWasDown;
    m_LeftWasDown = left;
    m_RightWasDown = right;
    if (IsPbem() || OverControls(x, y))
        return;
    GLOBAL_LOCK_SCOPE();
    if (wheel != 0) {
        const float fit =
            std::min(ScreenWidth() / float(kBoardWidth), ScreenHeight() / float(kBoardHeight)) / ScreenScale();
        m_TargetZoom = std::clamp(m_TargetZoom + float(wheel) / 24.0f / 100.0f, fit, 1.0f);
    }
    const cSeaBattle* battle = Battle();
    const bool idle = battle && !m_Over && !battle->m_AutoEndRequested && !battle->m_NextTurnRequested &&
                      battle->m_TurnsLeft > 0;
    // With the left button held too the choice goes with its marks, not its marks alone: a
    // ship kept chosen without its mark could still be moved or aim.
    if (rightPressed && (idle || !left)) {
        ClearOrders();
        ShowRetreat();
        return;
    }
    int column = 0, row = 0;
    if (!leftPressed || !PickCell(x, y, column, row))
        return;
    if (idle)
        OnBoardClick(column, row);
    else if (battle)
        SetStatus(LangText(m_Over || battle->IsOver() ? "seabattle_status_over" : "seabattle_status_busy"));
    ShowRetreat();
}

void cSeaBattleMenu::OnBoardClick(int column, int row)
{
    cSeaBattle* battle = Battle();
    if (!battle)
        return;
    // The current cell is the chosen ship's, moved only by a click that chooses or moves it:
    // following every click, it would leave Retreat, still enabled after a click on empty
    // water, acting on no ship while another shows chosen.
    cJednostkaMorska* ship = ShipAt(column, row);
    if (!ship) {
        const std::wstring& chosen = NameOf(ShipById(m_ChosenShipId));
        if (m_OrderMode == 1 && (Marks(column, row) & kMoveMark))
            MoveChosenShip(column, row);
        else if (m_OrderMode == 1)
            SetStatus(LangFormat("seabattle_status_move_marked_only", chosen));
        else if (m_OrderMode == 2)
            SetStatus(LangFormat("seabattle_status_aiming", chosen, NameOf(ShipById(m_TargetShipId)), chosen));
        else
            SetStatus(LangText("seabattle_status_nothing_to_move"));
        return;
    }
    const bool acting = battle->m_FirstSideActs ? column < 15 : column >= 15;
    if (acting)
        ChooseOwnShip(*battle, *ship, column, row);
    else
        ChooseTarget(*battle, *ship, column, row);
}

void cSeaBattleMenu::ChooseOwnShip(cSeaBattle& battle, cJednostkaMorska& ship, int column, int row)
{
    // A ship that takes no orders leaves the choice as it was, with its Retreat.
    const bool free = IsHumans(ship) && !ship.m_Retreated;
    if (!free) {
        const std::wstring& owner = CountryName(ship.m_Owner);
        SetStatus(IsHumans(ship) ? LangFormat("seabattle_status_ship_done", ship.m_Name)
                                 : LangFormat("seabattle_status_computers_ship", ship.m_Name, owner));
        return;
    }
    m_CurrentColumn = column;
    m_CurrentRow = row;
    // The battle may refuse it as its next shooter (a transport, a carrier without its
    // planes, a ship that has fired): it is chosen all the same, since moving and Retreat act
    // on the ship marked, and the status line says it does not fire.
    if (battle.m_FirstSideActs)
        battle.IsShipOnFirstSide(ship.m_Id);
    else
        battle.IsShipOnSecondSide(ship.m_Id);
    ClearMarks(kChosenMark);
    m_Marks[size_t(row * kBoardSize + column)] |= kChosenMark;
    m_ChosenShipId = ship.m_Id;
    m_OrdersFirstSide = battle.m_FirstSideActs;
    m_OrderMode = 1;
    MarkMoveArea(ship);
    if (battle.Shooter() == &ship)
        SetStatus(L"");
    else
        SetStatus(ship.IsTransport() ? LangFormat("seabattle_status_transport", ship.m_Name)
                                     : LangFormat("seabattle_status_cannot_fire", ship.m_Name));
}

void cSeaBattleMenu::ChooseTarget(cSeaBattle& battle, cJednostkaMorska& ship, int column, int row)
{
    const bool first = battle.m_FirstSideActs;
    const cJednostkaMorska* shooter = battle.Shooter();
    // Only the marked ship aims, and only when the battle lets it fire: with a refused ship
    // marked (or none), the shot would come from a ship the board does not show chosen.
    if (m_OrderMode == 0) {
        const int country = ActingCountry(battle);
        const cPanstwo* acting = GetCountry(country);
        SetStatus(LangFormat(acting && acting->HumanControlled ? "seabattle_status_choose_shooter"
                                                                : "seabattle_status_computers_shot",
                             CountryName(country)));
        return;
    }
    if (!shooter || shooter->m_Id != m_ChosenShipId || shooter->IsTransport()) {
        // Told of this click, not as when the ship was chosen: the same line again reads as no answer.
        SetStatus(LangFormat("seabattle_status_no_aim", ship.m_Name, NameOf(ShipById(m_ChosenShipId))));
        return;
    }
    if (!ship.m_VisibleInBattle) {
        SetStatus(LangFormat("seabattle_status_not_sighted", ship.m_Name));
        return;
    }
    const bool again = m_OrderMode == 2 && (Marks(column, row) & kTargetMark);
    if (again) {
        // The shot the marks show; they go with it.
        Refresh();
        return;
    }
    // Whatever ship the other side chose last (a transport among them) does not keep its
    // enemy from taking aim. A target the battle refuses is not marked.
    if (first)
        battle.IsShipOnSecondSide(ship.m_Id);
    else
        battle.IsShipOnFirstSide(ship.m_Id);
    if ((first ? battle.m_SecondSelected : battle.m_FirstSelected) != &ship) {
        SetStatus(LangFormat("seabattle_status_not_target", ship.m_Name));
        return;
    }
    // A target kept from before goes too: the battle aims at one ship, and a second mark
    // would fire at this one on a click at the other.
    ClearMarks(kMoveMark | kTargetMark);
    m_Marks[size_t(row * kBoardSize + column)] |= kTargetMark;
    m_TargetShipId = ship.m_Id;
    m_OrderMode = 2;
    // Retreat greys while the ship aims: said here, where the person looks after the click.
    const std::wstring& chosen = NameOf(ShipById(m_ChosenShipId));
    SetStatus(LangFormat("seabattle_status_aiming", chosen, ship.m_Name, chosen));
}

void cSeaBattleMenu::MoveChosenShip(int column, int row)
{
    cJednostkaMorska* ship = ShipAt(m_CurrentColumn, m_CurrentRow);
    if (!ship || ship->m_Id != m_ChosenShipId || ship->m_Retreated || ship->m_X == 15)
        return;
    ClearMarks(kChosenMark);
    ship->m_X = column;
    ship->m_Y = row;
    ship->m_ActiveInBattle = false;
    ship->m_Retreated = true;
    m_OrderMode = 0;
    m_ChosenShipId = -1;
    m_CurrentColumn = column;
    m_CurrentRow = row;
    MarkMoveArea(*ship);
    SetStatus(L"");
}

void cSeaBattleMenu::MarkMoveArea(const cJednostkaMorska& ship)
{
    ClearMarks(kMoveMark);
    // A ship on the middle column does not move: no cell is offered to it.
    if (ship.m_Retreated || ship.m_X < 0 || ship.m_X == 15)
        return;
    const bool firstHalf = ship.m_X < 15, carrier = ship.m_Type == UNIT_CARRIER;
    const int from = firstHalf ? (carrier ? 1 : 5) : 17;
    const int to = firstHalf ? 13 : (carrier ? 25 : 29);
    for (int c = from; c <= to; c += 2)
        for (int i = 0; i < 15; ++i) {
            const int r = 2 * i + (c % 4) / 2;
            if (!ShipAt(c, r))
                m_Marks[size_t(r * kBoardSize + c)] |= kMoveMark;
        }
}

void cSeaBattleMenu::OnFrameMove(double, float elapsed)
{
    GLOBAL_LOCK_SCOPE();
    cSeaBattle* battle = Battle();
    if (!m_Over && (!battle || battle->IsOver()))
        EnableCloseOnly();
    auto* timeout = Control<CDXUTEditBox>(IDC_TIMEOUT);
    if (battle && !m_Over && (battle->m_AutoEndRequested || battle->m_NextTurnRequested)) {
        battle->m_ShotTimer -= elapsed;
        if (battle->m_ShotTimer >= 0.0) {
            if (timeout)
                timeout->SetText(FormatText(L"%.1f", battle->m_ShotTimer).c_str());
        } else if (battle->m_AutoEndRequested) {
            Refresh();
            if (battle->m_TurnsLeft <= 0) {
                battle->m_AutoEndRequested = false;
                if (timeout)
                    timeout->SetText(L"-");
            }
            battle->m_ShotTimer = -1.0;
        } else {
            const int turns = battle->m_TurnsLeft;
            Refresh();
            if (battle->m_TurnsLeft != turns) {
                battle->m_NextTurnRequested = false;
                const bool more = battle->m_TurnsLeft > 0;
                for (int id : {IDC_NEXT_TURN, IDC_EXECUTE_SHOT, IDC_AUTO_END})
                    SetButtonEnabled(id, more);
                ShowRetreat();
                if (timeout)
                    timeout->SetText(L"-");
            }
            battle->m_ShotTimer = -1.0;
        }
        if (battle->IsOver())
            EnableCloseOnly();
    }
    const bool stepping = battle && !m_Over && (battle->m_AutoEndRequested || battle->m_NextTurnRequested);
    // The shots' timer and a camera or zoom on its way run on the frame clock; a board at rest
    // waits for the person's next input.
    if (UpdateCamera(elapsed) || stepping)
        GuiWantFrameIn(0.0);
}

bool cSeaBattleMenu::UpdateCamera(float elapsed)
{
    const int cameraX = m_CameraX, cameraY = m_CameraY, targetX = m_TargetX, targetY = m_TargetY;
    if (m_Zoom != m_TargetZoom) {
        const float step = 0.5f * elapsed;
        m_Zoom = std::abs(m_TargetZoom - m_Zoom) <= step ? m_TargetZoom
                                                           : m_Zoom + (m_TargetZoom > m_Zoom ? step : -step);
    }
    // The game screen's edges and arrow keys, while the pointer is on the board.
    const int W = g_UserSettings.resolutionX, H = g_UserSettings.resolutionY;
    const bool inside = m_PointerX >= 0 && m_PointerY >= 0 && m_PointerX < W && m_PointerY < H &&
                        !OverControls(m_PointerX, m_PointerY);
    int dx = 0, dy = 0;
    if (inside)
        EdgeScrollDirection(m_PointerX, m_PointerY, dx, dy);
    const float speed = elapsed * 1000.0f / m_Zoom;
    const float vx = float(dx) * speed, vy = float(dy) * speed;
    cHintDisplay& mouse = g_HintDisplay;
    if (vx != 0 || vy != 0) {
        m_CameraX = std::clamp(int(float(m_CameraX) + vx), 0, kCameraLimitX);
        m_CameraY = std::clamp(int(float(m_CameraY) + vy), 0, kCameraLimitY);
        m_TargetX = std::clamp(int(float(m_TargetX) + vx), kTargetLeast, kCameraLimitX);
        m_TargetY = std::clamp(int(float(m_TargetY) + vy), kTargetLeast, kCameraLimitY);
        m_VelocityX = float(m_TargetX - m_CameraX) * 2.0f;
        m_VelocityY = float(m_TargetY - m_CameraY) * 2.0f;
        if (m_VelocityX != 0 && std::abs(m_VelocityX) < 0.1f)
            m_VelocityX = m_VelocityX > 0 ? 0.1f : -0.1f;
        if (m_VelocityY > 0 && m_VelocityY < 0.1f)
            m_VelocityY = 0.05f;
        else if (m_VelocityY < 0 && m_VelocityY > -0.1f)
            m_VelocityY = -0.1f;
    } else if (mouse.rightDragging) {
        // Kept within the camera's limits: a long drag must not carry the board off the screen.
        m_CameraX = std::clamp(m_TargetX - int(float(mouse.rightDragX) / ScreenZoom()), 0, kCameraLimitX);
        m_CameraY = std::clamp(m_TargetY - int(float(mouse.rightDragY) / ScreenZoom()), 0, kCameraLimitY);
        m_VelocityX = m_VelocityY = 0;
        return m_Zoom != m_TargetZoom;
    } else if (mouse.rightUp) {
        m_TargetX = m_CameraX;
        m_TargetY = m_CameraY;
        m_VelocityX = m_VelocityY = 0;
        mouse.rightUp = false;
        return m_Zoom != m_TargetZoom;
    }
    auto glide = [elapsed](int& camera, int target, float& velocity) {
        if (camera == target)
            return;
        const int next = camera + int(velocity * elapsed);
        if ((target - camera) * (target - next) <= 0 || velocity == 0) {
            camera = target;
            velocity = 0;
        } else {
            camera = next;
        }
    };
    glide(m_CameraX, m_TargetX, m_VelocityX);
    glide(m_CameraY, m_TargetY, m_VelocityY);
    const bool moved = m_CameraX != cameraX || m_CameraY != cameraY || m_TargetX != targetX || m_TargetY != targetY;
    return moved || m_Zoom != m_TargetZoom || m_CameraX != m_TargetX || m_CameraY != m_TargetY;
}

void cSeaBattleMenu::OnRender(float elapsed)
{
    cSprite* sprite = g_Sprite.get();
    const cSeaBattle* battle = Battle();
    // Back to front: this renderer has no depth buffer, so the nearer sprite must come last.
    if (sprite && battle && Succeeded(sprite->Begin(SPRITE_ALPHABLEND | SPRITE_SORT_DEPTH_BACKTOFRONT))) {
        const sMatrix2D saved = sprite->GetTransform();
        const float zoom = ScreenZoom();
        sprite->SetTransform(sMatrix2D::Scaling(zoom, zoom));
        const float ox = float(int(ScreenWidth() / (2.0f * zoom) - float(m_CameraX)));
        const float oy = float(int(ScreenHeight() / (2.0f * zoom) - float(m_CameraY)));
        // The sea goes on past the board to the screen's edges: cells without marks, where
        // the board is smaller than the screen or the camera stands near its edge. The board's
        // steps draw its 961 cells alone and say nothing of the rest of the screen.
        const float viewWidth = ScreenWidth() / zoom, viewHeight = ScreenHeight() / zoom;
        const int firstColumn = std::min(0, FloorDiv(int(-ox) - kHexLeft, kColumnWidth) - 1);
        const int endColumn = std::max(kBoardSize, FloorDiv(int(viewWidth - ox), kColumnWidth) + 1);
        const int firstRow = std::min(0, FloorDiv(int(-oy) - kHexTop - kHalfRow, kRowHeight) - 1);
        const int endRow = std::max(kBoardSize, FloorDiv(int(viewHeight - oy), kRowHeight) + 1);
        sHex cell;
        for (int r = firstRow; r < endRow; ++r)
            for (int c = firstColumn; c < endColumn; ++c) {
                const bool onBoard = c >= 0 && r >= 0 && c < kBoardSize && r < kBoardSize;
                cell.x = int16_t(c);
                cell.y = int16_t(r);
                cell.marks = onBoard ? m_Marks[size_t(r * kBoardSize + c)] : 0;
                cell.DrawMarkIcon(ox + float(kColumnWidth * c), oy + float(kRowHeight * r + (IsEven(c) ? kHalfRow : 0)),
                                  kChosenMark | kMoveMark | kTargetMark | kRearMark);
            }
        for (const sSeaBattleBoardShip& on : battle->BoardShips())
            on.ship->DrawCounter(ox + float(kColumnWidth * on.column),
                                 oy + float(kRowHeight * on.row + (IsEven(on.column) ? kHalfRow : 0)), 1.0f, on.column,
                                 true, battle->m_FirstSideActs);
        sprite->End();
        sprite->SetTransform(saved);
    }
    CDXUTDialog::OnRender(elapsed);
}

float cSeaBattleMenu::ScreenZoom() const { return m_Zoom * ScreenScale(); }
