#pragma once
// The sea-battle screen: a board of 31 x 31 hexes of its own, with the two sides' ships,
// on which a person chooses a ship, moves it, picks its target and fires, steps the
// battle, plays it to its end, and closes the screen when it is over. The battle is the
// model; the screen finds it again each time by its serial and calls its operations under
// the global lock. Its zoom is its own: the map's view is the same after a battle.
#include <array>
#include <cstdint>

#include "game/presentation_requests.h"
#include "platform/geometry.h"
#include "shell/menus/menu.h"

class cSeaBattle;
class cJednostkaMorska;

class cSeaBattleMenu : public cMenu
{
public:
    static constexpr int kBoardSize = 31;
    static constexpr uint32_t kChosenMark = 0x20000;
    static constexpr uint32_t kMoveMark = 0x40000;
    static constexpr uint32_t kTargetMark = 0x80000;
    static constexpr uint32_t kRearMark = 0x100000;

    // Built on the main thread when the battle's request is served; the request is answered
    // when the screen closes (or goes away with the game).
    explicit cSeaBattleMenu(RequestHandle request);
    ~cSeaBattleMenu() override;

    void OnGUIEvent(unsigned event, int id, CDXUTControl* control) override;
    void OnKeyboard(unsigned key, bool down, bool alt) override;
    void OnMouse(bool left, bool right, bool middle, bool side1, bool side2, int wheel, int x, int y) override;
    void OnFrameMove(double time, float elapsed) override;
    void OnRender(float elapsed) override;

    // Right after the screen became current: a battle to be resolved at once is fought to
    // its end by a click of its own button.
    void AutoEndIfRequested();

    void OnRetreatPressed();
    void OnClosePressed();
    void OnNextTurnPressed();
    void OnExecuteShotPressed();
    void OnAutoEndPressed();

    // The board cell under a screen point; false off the board.
    bool PickCell(int x, int y, int& column, int& row) const;
    // The screen point at the middle of a cell's hex.
    sPointF CellScreenPoint(int column, int row) const;
    // The board's zoom as a 1024 x 768 screen shows it; a larger screen scales it as it
    // scales the side bar.
    float Zoom() const { return m_Zoom; }
    // The board point at the screen's centre, and where the camera glides to.
    int CameraX() const { return m_CameraX; }
    int CameraY() const { return m_CameraY; }
    int TargetX() const { return m_TargetX; }
    int TargetY() const { return m_TargetY; }
    int OrderMode() const { return m_OrderMode; }
    uint32_t Marks(int column, int row) const;

private:
    cSeaBattle* Battle() const;
    cJednostkaMorska* ShipAt(int column, int row) const;
    void OnBoardClick(int column, int row);
    void ChooseOwnShip(cSeaBattle& battle, cJednostkaMorska& ship, int column, int row);
    void ChooseTarget(cSeaBattle& battle, cJednostkaMorska& ship, int column, int row);
    void MoveChosenShip(int column, int row);
    // Before a shot the marks show the ship that fires and its target: where the battle picks
    // other ships than those marked, the marks go to them and the status line says why.
    bool MarksShowTheShot(const cSeaBattle& battle) const;
    void MarkTheShot(const cSeaBattle& battle);
    void SetStatus(const std::wstring& text);
    // Retreat acts on a chosen ship of a person that has not taken aim; greyed, its hint
    // says why.
    void ShowRetreat();
    float ScreenZoom() const;
    void MarkMoveArea(const cJednostkaMorska& ship);
    void ClearMarks(uint32_t mask);
    void ClearOrders();
    // The player's orders of this turn are over (next turn, fight to the end): the commands
    // grey out and the choices go. The battle, or null when it is gone; under the lock.
    cSeaBattle* FinishOrders();
    // One step of the battle; a press of Fire next shot first marks a person's shot that the
    // marks do not show.
    void Refresh(bool pressed = false);
    void ShowLog();
    void EnableCloseOnly();
    // True while the view still moves: the next frame shows it further on.
    bool UpdateCamera(float elapsed);
    bool OverControls(int x, int y) const;
    void SetButtonEnabled(int id, bool enabled);

    RequestHandle m_Request;
    int m_BattleSerial = 0;
    std::array<uint32_t, kBoardSize * kBoardSize> m_Marks{};
    int m_CurrentColumn = -1, m_CurrentRow = -1;
    int m_ChosenShipId = -1;
    int m_TargetShipId = -1;
    // The side that acted when its ship was chosen.
    bool m_OrdersFirstSide = true;
    int m_OrderMode = 0;
    bool m_Over = false;
    bool m_LeftWasDown = false, m_RightWasDown = false;

    float m_Zoom = 0.4f, m_TargetZoom = 0.4f;
    int m_CameraX = 1245, m_CameraY = 1470;
    int m_TargetX = 1245, m_TargetY = 1470;
    float m_VelocityX = 0.0f, m_VelocityY = 0.0f;
    int m_PointerX = -1, m_PointerY = -1;
};

// Serves a sea-battle request: the screen becomes the current menu.
void OpenSeaBattleScreen(const RequestHandle& request);
