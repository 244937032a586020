#pragma once
// A fleet: naval units of one owner lying in one node of the sea graph.
#include <cstdint>
#include <list>
#include <string>

#include "units/unit_fwd.h"

struct sWezelGrafuMorz;

constexpr int kFleetNameMax = 99;

class cFlota
{
public:
    cFlota() = default;

    // A new empty fleet with the source's owner, node, formation and flags, the next fleet id
    // and the name "fleet_#%i", without ships. The caller appends it to the game's fleets.
    static cFlota* SplitFrom(const cFlota& source);
    // Appends every selected ship of the source to this fleet and makes this fleet theirs;
    // the source keeps them until its RemoveSelectedShips.
    void TakeSelectedShipsOf(const cFlota& source);
    // Removes the fleet from the game's fleets and frees it.
    void Delete();

    sWezelGrafuMorz* GetSeaNode() const;
    void ComputeReachableZones();
    bool IsReachable(int nodeId);
    void MoveTo(int destinationId);
    bool LeaveEnemyPort();

    // Ships.
    void ClearShipSelection();
    void SelectShipsInZone(int zone);
    void RemoveSelectedShips();
    void TransferSelectedShips(cFlota& other);
    float SumStrengthAndUnassign();
    float SumMaxStrength() const;
    float SumBombardmentValue() const;
    bool ShipsShareAssignedZone() const;
    // The same, giving the first ship's zone (-1 without ships).
    bool ShipsShareAssignedZone(int& zone) const;
    sDowodca* GetBestCommander() const;
    int RollDamage() const;

    // Markings.
    void MarkReachableZones();
    int MarkAttackTargets(bool mark);
    int MarkShoreBombardmentTargets(bool mark);
    int MarkReconTargets(bool mark);
    // The fleet's battleships and cruisers that have not fired this impulse (the selected
    // ones, or all with wholeFleet) bombard the enemy unit on (x, y) when its last shore
    // bombardment has worn off; false, with nothing changed, when there is no such target.
    bool BombardHex(int x, int y, sCombatResult* result, bool wholeFleet);

    void SetName(const std::wstring& name); // cut to kFleetNameMax characters

    int32_t owner = 0;
    std::list<int32_t> reachable;
    int32_t ID = 0;
    std::wstring name;
    int32_t seaNode = 0;
    int32_t formation = 0;   // 0 regular, 1 raiders
    std::list<cJednostkaMorska*> ships;
    uint8_t movedThisTurn = 0;
    int32_t aiOrder = -1;
    int32_t aiDestination = -1;
    int32_t aiInvasionX = -1;
    int32_t aiInvasionY = -1;
    uint8_t isActive = 1;

private:
    void Enter(int nodeId);
    int MarkTargets(int kind, bool mark);
};
