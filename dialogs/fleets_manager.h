#pragma once
// The fleets of the moving country in one sea zone and the ships of the chosen fleet, with
// the fleet commands (rename, move, formation, regular or raider) and the ship commands
// (split off, move to another fleet, rename, commander, repair, disband, unload, air
// strike, shore bombardment, recon). Orders that need a target on the map hide the window
// until the map has been clicked; it then comes back after the recon delay.
#include <vector>

#include "dialogs/dialog_stack.h"

class cFlota;
class cJednostkaMorska;
struct sWezelGrafuMorz;

constexpr int kFleetsDialogKind = 550;
constexpr int kFleetsPictureId = 552;
constexpr int kFleetsListId = 555;
constexpr int kFleetsRenameId = 556;
constexpr int kFleetsMoveId = 557;
constexpr int kFleetsActiveId = 558;
constexpr int kFleetsRegularId = 560;
constexpr int kFleetsRaidersId = 561;
constexpr int kFleetsShipsId = 564;
constexpr int kFleetsNewFleetId = 566;
constexpr int kFleetsMoveShipsId = 567;
constexpr int kFleetsRenameShipId = 568;
constexpr int kFleetsCommanderId = 569;
constexpr int kFleetsRepairId = 570;
constexpr int kFleetsDisbandId = 571;
constexpr int kFleetsUnloadId = 572;
constexpr int kFleetsReconId = 573;
constexpr int kFleetsAirStrikeId = 574;
constexpr int kFleetsBombardId = 575;
constexpr int kFleetsCargoId = 577;
constexpr int kFleetsCloseId = 578;

class cDialogFlot : public cDialog
{
public:
    // What the window waits for when it is on top again.
    enum ePending
    {
        PENDING_NONE = 0,
        PENDING_RENAME_FLEET = 1,
        PENDING_RENAME_SHIP = 2,
        PENDING_MOVE_SHIPS = 3,
        PENDING_BOMBARD = 5,
        PENDING_AIR_STRIKE = 6,
        PENDING_RECON = 7,
        PENDING_UNLOAD = 8,
        PENDING_COMMANDER = 9,
    };

    // The fleets at the sea node with that id (1-based).
    explicit cDialogFlot(int zoneNodeId);

    void OnGUIEvent(unsigned event, int controlId, CDXUTControl* control) override;
    void OnKeyboard(unsigned key, bool keyDown, bool altDown) override;
    void OnReactivate() override;

    // A fleet of the game is deleted: it leaves the selection.
    void RemoveFleetFromList(const cFlota* fleet);
    // The selected ship at the index (past the end: the last one); null with none.
    cJednostkaMorska* GetSelectedShip(int index) const;
    std::vector<cFlota*> SelectedFleets() const;
    std::vector<cJednostkaMorska*> SelectedShips() const;
    int Pending() const { return m_Pending; }

    // The fleet and its ship of those ids become the chosen ones, in view in their lists.
    void ChooseFleetAndShip(int fleetId, int shipId);

    // The views, each ending with the next: the fleets, the chosen fleets, the ships of
    // the one chosen fleet, the chosen ships and what their buttons allow.
    int RefreshFleets(int keepSelection);
    void SelectFleets();
    void ReloadShips();
    void SelectShips();

private:
    sWezelGrafuMorz* Zone() const;
    void SetButton(int id, bool enabled, const char* hintKey);
    void DisableShipButtons(const char* hintKey);
    void ShowShipPicture(const cJednostkaMorska& ship);
    void UpdateFormation(const std::vector<cFlota*>& fleets);
    void UpdateFleetMove(const std::vector<cFlota*>& fleets);
    void UpdateRepair(const cJednostkaMorska& ship);
    void UpdateUnload(const std::vector<cJednostkaMorska*>& ships, const std::wstring& cargo);
    void UpdateAirStrike(const std::vector<cJednostkaMorska*>& ships, cFlota& fleet);
    void UpdateBombardment(const std::vector<cJednostkaMorska*>& ships);
    void UpdateRecon(const std::vector<cJednostkaMorska*>& ships);
    // Hides the window and hands the next map click to the order.
    void BeginTargeting(int pending, int orderMode);

    // The fleet commands.
    void OnRenameFleetPressed();
    void OnMoveFleetPressed();
    void OnActiveChanged();
    void OnRegularPressed();
    void OnRaidersPressed();
    void OnClosePressed();
    // The ship commands.
    void OnNewFleetPressed();
    void OnMoveShipsPressed();
    void OnRenameShipPressed();
    void OnCommanderPressed();
    void OnRepairPressed();
    void OnDisbandPressed();
    void OnDisbandConfirmed();
    void OnUnloadPressed();
    void OnReconPressed();
    void OnAirStrikePressed();
    void OnBombardPressed();

    int m_ZoneId;
    std::vector<int> m_SelectedFleets; // fleet ids, in list order
    std::vector<int> m_SelectedShips;  // ship ids, in list order
    int m_Pending = PENDING_NONE;
};

// The fleets window on top, or null (the map's orders read the acting ship from it).
cDialogFlot* CurrentFleetsDialog();
