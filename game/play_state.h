#pragma once
// The play state of a game: who moves and who is watched, what the player points at and
// has selected, which order the next click gives, the land attack being assembled, the
// move under way with its undo record, and the work areas of the whole map (supply grid,
// city groups connected over land, the nearest city of every hex) built after loading.
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "game/unit_move.h"
#include "units/unit_fwd.h"

class cMapa;
class cMiasto;
class cPanstwo;
class cZaopatrzenie;
class cHoverable;
class cJednostkaLotnicza;
struct sHex;
struct sLandAttack;
struct sCombatResult;

// What the next left click on the map does.
enum eOrderMode
{
    ORDER_SELECT = 0,
    ORDER_DEPLOY = 1,           // 1 and 2: deploy the unit picked in the units dialog
    ORDER_DEPLOY_2 = 2,
    ORDER_SHIP_TO_SEA = 3,
    ORDER_MOVE = 4,
    ORDER_STRATEGIC_MOVE = 5,
    ORDER_AIRBORNE_ASSAULT = 6,
    ORDER_ASSAULT_PLAN = 7,
    ORDER_AIR_BOMBARDMENT = 8,
    ORDER_AIR_ATTACK = 9,
    ORDER_NUCLEAR_STRIKE = 10,
    ORDER_RECONNAISSANCE = 11,
    ORDER_REBASE = 12,
    ORDER_FLEET_MOVE = 13,
    ORDER_CONVOY_START = 14,
    ORDER_CONVOY_END = 15,
    ORDER_UNLOAD = 16,
    ORDER_SHORE_BOMBARDMENT = 17,
};

// The land attack the player is assembling. Units are named by id, so that a unit that
// dies leaves nothing dangling: the defender (a land or air unit) on its hex, and the land
// units attacking from the six neighbours, slot d on the neighbour in direction d.
struct sAssaultPlan
{
    int defenderCategory = 0;
    int defenderId = 0;
    int x = -1;
    int y = -1;
    int attackerIds[6] = {};  // 0: an empty slot

    int CountAttackers() const;
    bool HasAttacker(int landUnitId) const;
    bool Involves(const cUnit& unit) const;
};

class cPlayState
{
public:
    cPlayState();
    ~cPlayState();
    cPlayState(const cPlayState&) = delete;
    cPlayState& operator=(const cPlayState&) = delete;

    // The country whose turn it is. Every turn change comes here, and ends any assault
    // plan; whether the country's actions are shown follows Gameplay/ShowAlliesActions.
    void SetActiveCountry(cPanstwo* country);
    cPanstwo* GetActiveCountry() const { return m_ActiveCountry; }
    int GetActiveCountryId() const;
    // The next country a person plays, in the turn order, after the active one (null for none).
    cPanstwo* PickNextCountry(const std::vector<cPanstwo*>& countries) const;
    bool ShowsActions() const { return m_ShowActions; }
    void SetViewCountry(cPanstwo* country) { m_ViewCountry = country; }
    cPanstwo* GetViewCountry() const { return m_ViewCountry; }
    // Centres the map on the active country's best city; with scroll, outside the
    // computer phase, the camera scroll state follows.
    void CenterViewOnActiveCountry(bool scroll);

    // Pointing and selecting.
    void SetHoveredHex(sHex* hex);
    sHex* GetHoveredHex() const { return m_HoveredHex; }
    // What the hint display shows under the mouse: the sea node of the hovered hex.
    const cHoverable* GetHoveredHint() const { return m_HoveredHint; }
    void SelectHex(int x, int y);
    // Nothing selected, no marks; a move or rebase order ends with its unit.
    void DeselectAll();
    sHex* GetSelectedHex() const { return m_SelectedHex; }
    cUnit* GetSelectedUnit() const { return m_SelectedUnit; }

    // The order mode; leaving mode 7 ends the assault plan.
    void SetOrderMode(int mode);
    int GetOrderMode() const { return m_OrderMode; }

    // The assault plan.
    void SetAssaultPlan(const sAssaultPlan& plan);
    void CancelAssaultPlan();
    const sAssaultPlan* GetAssaultPlan() const { return m_AssaultPlan.get(); }
    // Cancels a plan of several attackers when its defender was already attacked this
    // turn or one of its attackers has already attacked; a single attacker stays.
    void ValidateAssaultPlan();
    // The plan as an attack of the units still on the map; false without a plan.
    bool BuildAssault(sLandAttack& attack) const;
    // Fights the plan and ends it. False, with the plan ended and nothing fought, when its
    // defender or every attacker is gone.
    bool ExecuteAssaultPlan(sCombatResult& result);

    // Moves. FindPath turns the unit's reachable hexes into the path to (x, y) and makes
    // it the current move, with the undo record reset for the unit; a target the unit
    // cannot reach leaves no move and changes nothing.
    void FindPath(cJednostka& unit, int x, int y);
    // A whole move: checked, found, walked hex by hex (shown to a person when one
    // watches, the walk waiting for the screen) and ended. False, with a log line and
    // nothing changed, when the move is refused.
    bool PlayMove(cJednostka& unit, int x, int y);
    // The same for a land unit named by id (a unit that no longer exists is refused).
    bool PlayLandMove(int unitId, int x, int y);
    // The steps of PlayMove for a screen that animates the walk itself: BeginMove checks,
    // finds the path, takes the unit off its hex and hands the game to the animation
    // (state 8 or 10); each AdvanceMove enters one hex and FinishMove walks the rest.
    bool BeginMove(cJednostka& unit, int x, int y);
    bool AdvanceMove();
    void FinishMove();
    const cUnitMove& GetCurrentMove() const { return m_Move; }
    // Where the last finished move ended ((-1, -1) before any).
    int GetLastMoveEndX() const { return m_LastMoveEndX; }
    int GetLastMoveEndY() const { return m_LastMoveEndY; }

    // The player's rebase of an air unit, which the undo can take back.
    bool RebaseAirUnit(cJednostkaLotnicza& unit, int x, int y);
    // Takes back the last move of the unit (the unit panel's undo button).
    void UndoLastMove(cJednostka* unit);
    cMoveUndo& GetUndo() { return m_Undo; }
    const cMoveUndo& GetUndo() const { return m_Undo; }

    // A unit leaves the map or the game: the selection, the plan, the move and the undo
    // record let go of it.
    void ForgetUnit(const cUnit* unit);

    // A new supply work area sized to the map.
    void CreateSupplyWorkArea(const cMapa* map);
    cZaopatrzenie* GetSupplyWorkArea() const { return m_Supply.get(); }

    // Groups of cities (not resources cities) joined by land, in city-list order.
    void BuildWorldCityGroups(const cMapa& map, const std::list<cMiasto*>& cities);
    // For every land hex the city nearest to it over land; nearer cities win, and at
    // equal distance the one earlier in the list.
    void BuildNearestCityMap(const cMapa& map, const std::list<cMiasto*>& cities);
    // Null off the map, on sea and where no city reaches.
    cMiasto* NearestCity(int x, int y) const;
    const std::list<std::list<cMiasto*>>& GetWorldCityGroups() const { return m_CityGroups; }

    // A person watches the unit's moves: it is theirs, or the enemy's seen and shown.
    bool IsMoveShown(const cJednostka& unit) const;

private:

    cPanstwo* m_ActiveCountry = nullptr;
    cUnitMove m_Move;
    std::unique_ptr<sAssaultPlan> m_AssaultPlan;
    cMoveUndo m_Undo;
    std::unique_ptr<cZaopatrzenie> m_Supply;
    std::list<std::list<cMiasto*>> m_CityGroups;
    std::vector<cMiasto*> m_NearestCity;
    int m_Width = 0;
    int m_Height = 0;
    cPanstwo* m_ViewCountry = nullptr;
    sHex* m_HoveredHex = nullptr;
    const cHoverable* m_HoveredHint = nullptr;
    sHex* m_SelectedHex = nullptr;
    cUnit* m_SelectedUnit = nullptr;
    int m_OrderMode = ORDER_SELECT;
    bool m_ShowActions = true;
    int m_LastMoveEndX = -1;
    int m_LastMoveEndY = -1;
};

// Shows a text in the info panel's status line (line feeds become blanks); nothing when
// no person plays.
void PostInfoPanelMessage(const std::wstring& text);
// A camera move to the hex: made at once on the main thread, asked of the screen from
// any other thread; nothing when no person plays.
void CenterCameraOn(int x, int y);
